// Loading the template item table and the window parameters from the settings store,
// and the store writes of closing.
#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <limits>
#include <set>
#include <stdexcept>

#include "model/internal/name_index.h"
#include "model/store_keys.h"
#include "model/template_model.h"
#include "model/text_values.h"
#include "platform/settings_store.h"

namespace tallowmere {
namespace {

constexpr int kDefaultItemCount = 44;
constexpr int kStoredColumnCount = 7;  // six slots and a spare, as the table has always been stored
constexpr int kSmallestColumnCount = 5;

// Reads a stored count as a whole number and refuses it, before anything is allocated,
// unless it lies within [least, most]; requirement says so in the failure's description.
int StoredCount(SettingsStore& store, const char* key, int defaultValue, int least, int most,
                const std::string& requirement) {
  const std::string text = store.Read(key, std::to_string(defaultValue));
  const double value = std::nearbyint(NumericValue(text));
  if (!(value >= least && value <= most)) {
    throw std::runtime_error("The stored template " + requirement + "; it is \"" + text + "\".");
  }
  return static_cast<int>(value);
}

std::string StoredNumber(SettingsStore& store, const char* key, const std::string& defaultValue) {
  return PlainDecimalText(store.Read(key, defaultValue));
}

// Runs the load of one key (or one part); a failure is kept (the first one to be thrown
// later) and the key noted, so that the next keys still load.
class KeyLoads {
 public:
  void Run(const char* key, const std::function<void()>& load) {
    try {
      load();
    } catch (...) {
      if (!failure_) failure_ = std::current_exception();
      failedKeys_.insert(key);
    }
  }
  bool Failed(const std::string& key) const { return failedKeys_.count(key) > 0; }
  void ThrowFirstFailure() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  std::exception_ptr failure_;
  std::set<std::string> failedKeys_;
};

// The mode after one stored choice ("IsYear" or "IsMonth") is applied: that mode when it
// is chosen; otherwise By Week in its place if it was the mode, else the mode unchanged.
PeriodMode ApplyChoice(bool chosen, PeriodMode mode, PeriodMode current) {
  if (chosen) return mode;
  return current == mode ? PeriodMode::Week : current;
}

}  // namespace

void ApplyStoredParameters(SettingsStore& store, ParameterFields& fields, std::vector<StoreStep>* unread) {
  const std::string year = CurrentYearText();
  KeyLoads loads;
  loads.Run(store_key::kYear,
            [&] { fields.SetText(ParameterField::FirstYear, StoredNumber(store, store_key::kYear, year)); });
  loads.Run(store_key::kYear1,
            [&] { fields.SetText(ParameterField::LastYear, StoredNumber(store, store_key::kYear1, year)); });
  loads.Run(store_key::kWeeks,
            [&] { fields.SetText(ParameterField::Weeks, StoredNumber(store, store_key::kWeeks, "5")); });
  loads.Run(store_key::kCompany, [&] { fields.SetText(ParameterField::Company, store.Read(store_key::kCompany, "")); });
  // Each choice applies as soon as it is read, so that a damaged "IsMonth" leaves the
  // "IsYear" choice applied; "IsMonth" wins when both are chosen.
  loads.Run(store_key::kIsYear, [&] {
    const bool isYear = ParseBoolean(store.Read(store_key::kIsYear, BooleanText(true)));
    fields.SetMode(ApplyChoice(isYear, PeriodMode::Year, fields.Mode()));
  });
  loads.Run(store_key::kIsMonth, [&] {
    const bool isMonth = ParseBoolean(store.Read(store_key::kIsMonth, BooleanText(true)));
    fields.SetMode(ApplyChoice(isMonth, PeriodMode::Month, fields.Mode()));
  });
  if (unread) {
    unread->clear();
    for (StoreStep& step : ParameterStoreSteps(fields)) {
      if (loads.Failed(step.key)) unread->push_back(std::move(step));
    }
  }
  loads.ThrowFirstFailure();
}

void ApplyRestoredParameters(ParameterFields& fields) {
  const std::string year = CurrentYearText();
  fields.SetText(ParameterField::FirstYear, year);
  fields.SetText(ParameterField::LastYear, year);
  fields.SetText(ParameterField::Weeks, "5");
  fields.SetText(ParameterField::Company, "");
  fields.SetMode(PeriodMode::Month);
}

void TemplateModel::LoadTemplate(bool restore, SettingsStore& store, ParameterFields& fields) {
  // The table and the parameters load apart: a damaged table key leaves the parameters
  // loading, and the first failure is thrown once both are done.
  KeyLoads loads;
  loads.Run("table", [&] { LoadTable(restore, store); });
  unreadParameters_.clear();
  loads.Run("parameters", [&] {
    if (restore)
      ApplyRestoredParameters(fields);
    else
      ApplyStoredParameters(store, fields, &unreadParameters_);
  });
  loads.ThrowFirstFailure();
}

void TemplateModel::LoadTable(bool restore, SettingsStore& store) {
  int rows = kDefaultItemCount;
  bool saved = false;
  if (!restore) {
    rows = StoredCount(store, store_key::kRows, kDefaultItemCount, 1, kMaxItems,
                       "row count must be a whole number from 1 to " + std::to_string(kMaxItems));
    StoredCount(store, store_key::kColumns, kStoredColumnCount, kSmallestColumnCount, std::numeric_limits<int>::max(),
                "column count must be a whole number of at least " + std::to_string(kSmallestColumnCount));
    // Read before the table is replaced: a damaged flag leaves the table as it was, so that
    // closing cannot overwrite the stored names with the empty items of a half-made table.
    // A restore builds the defaults whatever the store holds, so the flag cannot stop it.
    saved = ParseBoolean(store.Read(store_key::kSaved, BooleanText(false)));
  }
  // Every stored name is read before the table is replaced, so that a name the store
  // cannot give leaves the table as it was rather than half empty.
  std::vector<std::string> names = DefaultItemNames();
  if (saved) {
    names.clear();
    for (int i = 1; i <= rows; ++i) names.push_back(store.Read(store_key::FieldKey(i), ""));
  }
  items_.assign(static_cast<size_t>(rows), TemplateItem{});
  list_.Clear();
  for (size_t i = 0; i < names.size(); ++i) Item(static_cast<int>(i) + 1).Name = std::move(names[i]);

  const NameIndex index(items_);
  for (TemplateItem& item : items_) {
    item.Included = true;
    DeriveAndShow(item, index);
  }
  list_.Select(0);
}

std::vector<StoreStep> ParameterStoreSteps(const ParameterFields& fields, const std::vector<StoreStep>& unread) {
  std::vector<StoreStep> steps = {
      {104, store_key::kCompany, fields.Text(ParameterField::Company)},
      {106, store_key::kYear, fields.Text(ParameterField::FirstYear)},
      {108, store_key::kYear1, fields.Text(ParameterField::LastYear)},
      {110, store_key::kWeeks, fields.Text(ParameterField::Weeks)},
      {112, store_key::kIsYear, BooleanText(fields.Mode() == PeriodMode::Year)},
      {114, store_key::kIsMonth, BooleanText(fields.Mode() == PeriodMode::Month)},
  };
  std::erase_if(steps, [&](const StoreStep& step) {
    return std::any_of(unread.begin(), unread.end(),
                       [&](const StoreStep& kept) { return kept.key == step.key && kept.value == step.value; });
  });
  return steps;
}

std::vector<StoreStep> TemplateModel::TemplateStoreSteps() const {
  std::vector<StoreStep> steps;
  // A table that was never loaded has no items; storing a row count of 0, which no load
  // accepts, would only lose the stored table.
  if (items_.empty()) return steps;
  steps.reserve(items_.size() + 3);
  for (int i = 1; i <= Count(); ++i) steps.push_back({116, store_key::FieldKey(i), items_[i - 1].Name});
  steps.push_back({120, store_key::kRows, std::to_string(Count())});
  steps.push_back({122, store_key::kColumns, std::to_string(kStoredColumnCount)});
  steps.push_back({124, store_key::kSaved, BooleanText(true)});
  return steps;
}

void TemplateModel::SaveTemplate(SettingsStore& store, const StepRunner& run) const {
  WriteStoreSteps(store, TemplateStoreSteps(), run);
}

void WriteStoreSteps(SettingsStore& store, const std::vector<StoreStep>& steps, const StepRunner& run) {
  for (const StoreStep& step : steps) {
    const auto write = [&] { store.Write(step.key, step.value); };
    if (run) {
      run(step.line, write);
    } else {
      write();
    }
  }
}

}  // namespace tallowmere
