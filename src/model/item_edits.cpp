// Item edits: rename, insert, delete, and the refresh that rebuilds every derived slot
// and the list after a change.
#include <stdexcept>

#include "model/internal/name_index.h"
#include "model/template_model.h"

namespace tallowmere {
namespace {

[[noreturn]] void ThrowSubscript() { throw std::out_of_range("Subscript out of range"); }

}  // namespace

TemplateItem& TemplateModel::Item(int number) {
  if (number < 1 || number > Count()) ThrowSubscript();
  return items_[number - 1];
}

const TemplateItem& TemplateModel::Item(int number) const {
  if (number < 1 || number > Count()) ThrowSubscript();
  return items_[number - 1];
}

void TemplateModel::DeriveAndShow(TemplateItem& item, const NameIndex& index) {
  item.Refs = tallowmere::BuildItemRefs(item.Name, index);
  item.Kind = ItemKind(item.Name);
  item.IsHeader = IsHeaderItem(item.Name);
  list_.Append(item.Name);
}

void TemplateModel::RefreshItemList() {
  list_.Clear();
  const NameIndex index(items_);
  // A failing reference list stops here, leaving the list with the entries before it.
  for (TemplateItem& item : items_) DeriveAndShow(item, index);
  list_.Redraw();
}

void TemplateModel::RenameItem(const std::string& newName, int r) {
  Item(r).Name = newName;
  RefreshItemList();
  list_.Select(r - 1);
}

void TemplateModel::InsertItem(const std::string& newName, int p) {
  if (p < 0) ThrowSubscript();
  TemplateItem item;
  item.Name = newName;
  item.Included = true;
  if (p < Count()) {
    items_.insert(items_.begin() + p, std::move(item));
    RefreshItemList();
    list_.Select(p);
    return;
  }
  // Below the last item: appended as it is; its derived slots wait for the next refresh.
  items_.push_back(std::move(item));
  list_.Append(newName);
  list_.Select(Count() - 1);
}

void TemplateModel::DeleteItem(int r) {
  Item(r);  // checks the number
  const int n = Count();
  items_.erase(items_.begin() + (r - 1));
  RefreshItemList();
  list_.Select(r <= n - 1 ? r - 1 : r - 2);
}

}  // namespace tallowmere
