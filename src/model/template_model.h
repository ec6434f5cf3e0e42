#pragma once
// The template item table: the ordered cash-flow line items that become the rows of the
// sheet, their derived properties, the item edits, and loading and storing the table.

#include <string>
#include <string_view>
#include <vector>

#include "model/item_list_view.h"
#include "model/report_parameters.h"

namespace tallowmere {

class SettingsStore;

struct TemplateItem {
  std::string Name;
  bool Included = false;
  std::string Refs;      // item numbers joined by ","; empty for items without references
  std::string Kind;      // "SUM", "DIF", "OTHER" or empty
  bool IsHeader = false;
  int SheetRow = 0;      // worksheet row given by the last layout; 0 until then
};

// The largest number of items the table holds (list positions are 16-bit).
inline constexpr int kMaxItems = 32767;

// The name without its first "&".
std::string MatchForm(std::string_view name);
std::string ItemKind(std::string_view name);
bool IsHeaderItem(std::string_view name);
bool IsReservedItem(std::string_view name);
// The 44 names of the default template, in order.
const std::vector<std::string>& DefaultItemNames();

class TemplateModel {
 public:
  explicit TemplateModel(ItemListView& list) : list_(list) {}

  // Items numbered from 1.
  int Count() const { return static_cast<int>(items_.size()); }
  TemplateItem& Item(int number);              // throws std::out_of_range("Subscript out of range")
  const TemplateItem& Item(int number) const;
  const std::vector<TemplateItem>& Items() const { return items_; }
  std::vector<TemplateItem>& Items() { return items_; }

  // The number of the last item whose match form equals that of name; 0 when none.
  int FindItem(std::string_view name) const;
  // The reference list of an item with this name in the current table. Throws
  // std::runtime_error when a name the rule needs is borne by no item.
  std::string BuildItemRefs(std::string_view name) const;

  void RefreshItemList();
  void RenameItem(const std::string& newName, int r);
  void InsertItem(const std::string& newName, int p);
  void DeleteItem(int r);

  // Builds the table from the store (or the defaults), fills the list, selects entry 0,
  // then applies the parameters to fields: the stored ones, or with restore the reset
  // values. Throws on invalid stored counts or flags, leaving the rest undone.
  void LoadTemplate(bool restore, SettingsStore& store, ParameterFields& fields);
  // Writes "Field1".., "System Value - Rows", "- Columns", "- Saved" in that order.
  void SaveTemplate(SettingsStore& store) const;

  ItemListView& List() { return list_; }

 private:
  void CollectRowsNamed(std::string_view target, std::string& list) const;
  void DeriveAndShow(TemplateItem& item);

  ItemListView& list_;
  std::vector<TemplateItem> items_;
};

// Applies the six window parameter keys to the fields, as a start-up load does.
void ApplyStoredParameters(SettingsStore& store, ParameterFields& fields);
// Writes the six window parameter keys from the fields, as closing does; each write is a
// separate step so that the caller's trap can report one and go on. Used by closing.
// (The Text6/Text7 keys are written on every change by the window itself.)

}  // namespace tallowmere
