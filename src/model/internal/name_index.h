#pragma once
// Item numbers by match form, built once over a table whose names are all in place, so
// that reference lists of a large table are built without rescanning it for every name.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/template_model.h"

namespace tallowmere {

class NameIndex {
 public:
  explicit NameIndex(const std::vector<TemplateItem>& items);

  // The numbers of the items whose match form equals that of name, ascending; empty when none.
  const std::vector<int>& NumbersNamed(std::string_view name) const;
  // The number of the last such item; 0 when none.
  int FindItem(std::string_view name) const;
  const std::string& NameOf(int number) const { return items_[number - 1].Name; }

  // Counts numbers written into reference lists built with this index. Throws
  // std::runtime_error once they pass kMaxListedNumbers: only a stored table in which many
  // items share the names of total rows gets there, and its lists would grow with the cube
  // of the table's size.
  void CountListed(size_t numbers) const;

 private:
  const std::vector<TemplateItem>& items_;
  std::unordered_map<std::string, std::vector<int>> numbers_;
  mutable size_t listed_ = 0;
};

// Far above the at most 4 * kMaxItems + 3 numbers that a table with unique names lists.
inline constexpr size_t kMaxListedNumbers = 32 * static_cast<size_t>(kMaxItems);

// The reference list of an item named name in the indexed table. Throws
// std::runtime_error when a name its rule needs is borne by no item.
std::string BuildItemRefs(std::string_view name, const NameIndex& index);

}  // namespace tallowmere
