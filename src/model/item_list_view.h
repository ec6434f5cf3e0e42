#pragma once
// What the template model shows in its list: one entry per item name, in table order,
// and at most one selected entry. The main window binds a Qt list to it; tests and the
// command line use VectorListView.

#include <string>
#include <vector>

namespace tallowmere {

class ItemListView {
 public:
  virtual ~ItemListView() = default;
  virtual void Clear() = 0;
  virtual void Append(const std::string& name) = 0;
  virtual void Select(int index) = 0;  // list position from 0; -1 selects nothing
  virtual int Selected() const = 0;    // -1 when nothing is selected
  virtual int Count() const = 0;
  virtual void Redraw() {}
};

class VectorListView : public ItemListView {
 public:
  void Clear() override {
    entries_.clear();
    selected_ = -1;
  }
  void Append(const std::string& name) override { entries_.push_back(name); }
  void Select(int index) override { selected_ = index; }
  int Selected() const override { return selected_; }
  int Count() const override { return static_cast<int>(entries_.size()); }
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
  int selected_ = -1;
};

}  // namespace tallowmere
