// How the sheet labels an item, which items carry amounts, and whether a plan has numbers at all.
#include "model/template_model.h"

namespace tallowmere {

std::string SheetLabel(const std::string& name) { return !name.empty() && name.front() == '_' ? name.substr(1) : name; }

bool TakesAmounts(const TemplateItem& item) { return ItemKind(item.Name).empty() && !IsHeaderItem(item.Name); }

bool TemplateModel::HasNumbers() const {
  if (forecast_.openingCash) return true;
  for (const TemplateItem& item : items_)
    if (!item.Rules.empty()) return true;
  return false;
}

}  // namespace tallowmere
