#pragma once
// The template model's list shown in a Qt list widget: one row per item name, single
// selection.

#include "model/item_list_view.h"

class QListWidget;

namespace tallowmere {

class ListWidgetView : public ItemListView {
 public:
  ListWidgetView() = default;
  void Bind(QListWidget* list) { list_ = list; }

  void Clear() override;
  void Append(const std::string& name) override;
  void Select(int index) override;
  int Selected() const override;
  int Count() const override;
  void Redraw() override;

 private:
  QListWidget* list_ = nullptr;
};

}  // namespace tallowmere
