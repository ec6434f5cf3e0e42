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

 private:
  const std::vector<TemplateItem>& items_;
  std::unordered_map<std::string, std::vector<int>> numbers_;
};

// The reference list of an item named name in the indexed table. Throws
// std::runtime_error when a name its rule needs is borne by no item.
std::string BuildItemRefs(std::string_view name, const NameIndex& index);

}  // namespace tallowmere
