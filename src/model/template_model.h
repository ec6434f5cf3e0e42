#pragma once
// The template item table: the ordered cash-flow line items that become the rows of the
// sheet, their derived properties, the item edits, and loading and storing the table.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/amount_rules.h"
#include "model/item_list_view.h"
#include "model/report_parameters.h"

namespace tallowmere {

class SettingsStore;
class NameIndex;

struct TemplateItem {
  std::string Name;
  bool Included = false;
  std::string Refs;  // item numbers joined by ","; empty for items without references
  std::string Kind;  // "SUM", "DIF", "OTHER" or empty
  bool IsHeader = false;
  int SheetRow = 0;  // worksheet row given by the last layout; 0 until then
  // The amounts the item receives or pays; they stay with the item through its edits.
  std::vector<AmountRule> Rules;
};

// The name of an item as the sheet shows it: without one leading "_".
std::string SheetLabel(const std::string& name);
// True when item may carry amount rules: no heading, no total, not the opening-cash row.
bool TakesAmounts(const TemplateItem& item);

// The largest number of items the table holds (list positions are 16-bit).
inline constexpr int kMaxItems = 32767;

// The name without its first "&".
std::string MatchForm(std::string_view name);
// "OTHER", "SUM", "DIF" or empty, by exact comparison with the vocabulary.
std::string ItemKind(std::string_view name);
// True for exactly the three section heading names.
bool IsHeaderItem(std::string_view name);
// True when name matches one of the eight names the reference rules depend on.
bool IsReservedItem(std::string_view name);
// The first of those eight names that none of names matches; empty when each is there.
std::string_view MissingReservedItem(const std::vector<std::string>& names);
// The 44 names of the default template, in order.
const std::vector<std::string>& DefaultItemNames();

// One write of a closing sequence: key := value, reported under line when it fails.
struct StoreStep {
  int line;
  std::string key;
  std::string value;
};

// Runs one store write as a numbered statement, e.g. under the caller's error trap:
//   [&](int line, const std::function<void()>& write) { trap.Run(line, write); }
using StepRunner = std::function<void(int line, const std::function<void()>& write)>;

// Writes the steps in order, each through run; without a runner the first failing write
// throws and the rest are not written.
void WriteStoreSteps(SettingsStore& store, const std::vector<StoreStep>& steps, const StepRunner& run = {});

class TemplateModel {
 public:
  explicit TemplateModel(ItemListView& list) : list_(list) {}

  // Items numbered from 1.
  int Count() const { return static_cast<int>(items_.size()); }
  TemplateItem& Item(int number);  // throws std::out_of_range("Subscript out of range")
  const TemplateItem& Item(int number) const;
  const std::vector<TemplateItem>& Items() const { return items_; }
  std::vector<TemplateItem>& Items() { return items_; }

  // The number of the last item whose match form equals that of name; 0 when none.
  int FindItem(std::string_view name) const;
  // The reference list of an item with this name in the current table. Throws
  // std::runtime_error when a name the rule needs is borne by no item.
  std::string BuildItemRefs(std::string_view name) const;

  // Recomputes Refs, Kind and IsHeader of every item and refills the list. Throws like
  // BuildItemRefs, leaving the list with the entries before the failing item.
  void RefreshItemList();
  // Item r takes newName as it is; refresh; entry r - 1 selected. Index errors throw.
  void RenameItem(const std::string& newName, int r);
  // A new item (Included) after item p, 0 putting it on top; refresh; entry p selected.
  // With p at or past the last item it is appended without a refresh, so its derived
  // slots stay empty until the next one.
  void InsertItem(const std::string& newName, int p);
  // Removes item r; refresh; selects the entry that took its place, or the new last.
  void DeleteItem(int r);

  // Builds the table, fills the list, selects entry 0, then sets the parameter fields.
  // Without restore: checks "System Value - Rows" (1 to kMaxItems) and "- Columns" (at
  // least 5) and the saved flag, sizes the table to the row count, takes the names
  // from "Field1".. when it is true and the defaults otherwise, and applies the stored
  // parameters (ApplyStoredParameters). With restore: the 44 defaults and the parameter
  // reset (ApplyRestoredParameters), whatever the store holds. The table fails at its
  // first bad step: a count out of range or a flag that is no Boolean before the table is
  // touched; a name a reference rule needs and no item bears part way, the list holding
  // the entries added before the failure. The parameters load all the same; the first
  // failure is thrown once both are done. The By Month years are never set.
  void LoadTemplate(bool restore, SettingsStore& store, ParameterFields& fields);
  // The closing writes of the parameter keys the last load could not read (see
  // ApplyStoredParameters); empty after a restore.
  const std::vector<StoreStep>& UnreadParameters() const { return unreadParameters_; }
  // Writes "Field1".., "System Value - Rows", "- Columns", "- Saved" in that order, each
  // write through run (see WriteStoreSteps).
  void SaveTemplate(SettingsStore& store, const StepRunner& run = {}) const;
  // The writes of SaveTemplate: every "Field" key at line 116, then the row count (120),
  // the column count (122) and the saved flag (124). None for an empty table.
  std::vector<StoreStep> TemplateStoreSteps() const;

  ItemListView& List() { return list_; }

  // The opening cash and Week 1's first day; kept by every item edit and load.
  ForecastSettings& Forecast() { return forecast_; }
  const ForecastSettings& Forecast() const { return forecast_; }
  // True when some item has a rule or the opening cash is given. A minimum cash alone does
  // not count: it only marks the cash that the numbers bring below it.
  bool HasNumbers() const;

 private:
  // Sets the derived slots of item from its name and appends the name to the list.
  void DeriveAndShow(TemplateItem& item, const NameIndex& index);
  // The table part of LoadTemplate.
  void LoadTable(bool restore, SettingsStore& store);

  ItemListView& list_;
  std::vector<TemplateItem> items_;
  std::vector<StoreStep> unreadParameters_;
  ForecastSettings forecast_;
};

// Applies the six window parameter keys to the fields, as a start-up load does: the By
// Year years and the weeks as plain decimal numbers, the company as stored, then the mode
// from "IsYear" and "IsMonth". A key that cannot be read (a flag that is no Boolean, a
// failing store) leaves its field as it was and the later keys still apply; once all are
// done the first failure is thrown. unread, when given, receives the closing writes of
// the keys that failed, as the fields hold them after the load.
void ApplyStoredParameters(SettingsStore& store, ParameterFields& fields, std::vector<StoreStep>* unread = nullptr);
// The parameter reset of a restore: current year, current year, "5", "", By Month.
void ApplyRestoredParameters(ParameterFields& fields);
// The six window parameter writes of closing, in order, at lines 104 to 114: "Company",
// "Year", "Year1", "Weeks", "IsYear", "IsMonth". Write them with WriteStoreSteps.
// ("Text6" and "Text7" are written on every change by the window itself.) A step equal to
// one of unread is left out: a key the start-up could not read keeps its stored text
// while its field still holds what that load left there.
std::vector<StoreStep> ParameterStoreSteps(const ParameterFields& fields, const std::vector<StoreStep>& unread = {});

}  // namespace tallowmere
