// Loading the template item table and the window parameters from the settings store,
// and the store writes of closing.
#include <cmath>
#include <limits>
#include <stdexcept>

#include "model/name_index.h"
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

std::string StoredWholeNumber(SettingsStore& store, const char* key, const std::string& defaultValue) {
  return std::to_string(WholeNumberOf(store.Read(key, defaultValue)));
}

// The mode after one stored choice ("IsYear" or "IsMonth") is applied: that mode when it
// is chosen; otherwise By Week in its place if it was the mode, else the mode unchanged.
PeriodMode ApplyChoice(bool chosen, PeriodMode mode, PeriodMode current) {
  if (chosen) return mode;
  return current == mode ? PeriodMode::Week : current;
}

}  // namespace

void ApplyStoredParameters(SettingsStore& store, ParameterFields& fields) {
  const std::string year = CurrentYearText();
  fields.SetText(ParameterField::FirstYear, StoredWholeNumber(store, store_key::kYear, year));
  fields.SetText(ParameterField::LastYear, StoredWholeNumber(store, store_key::kYear1, year));
  fields.SetText(ParameterField::Weeks, StoredWholeNumber(store, store_key::kWeeks, "5"));
  fields.SetText(ParameterField::Company, store.Read(store_key::kCompany, ""));
  // Each choice applies as soon as it is read, so that a damaged "IsMonth" leaves the
  // "IsYear" choice applied; "IsMonth" wins when both are chosen.
  const bool isYear = ParseBoolean(store.Read(store_key::kIsYear, BooleanText(true)));
  fields.SetMode(ApplyChoice(isYear, PeriodMode::Year, fields.Mode()));
  const bool isMonth = ParseBoolean(store.Read(store_key::kIsMonth, BooleanText(true)));
  fields.SetMode(ApplyChoice(isMonth, PeriodMode::Month, fields.Mode()));
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
  items_.assign(static_cast<size_t>(rows), TemplateItem{});
  list_.Clear();

  if (saved) {
    for (int i = 1; i <= rows; ++i) Item(i).Name = store.Read(store_key::FieldKey(i), "");
  } else {
    const std::vector<std::string>& names = DefaultItemNames();
    for (size_t i = 0; i < names.size(); ++i) Item(static_cast<int>(i) + 1).Name = names[i];
  }

  const NameIndex index(items_);
  for (TemplateItem& item : items_) {
    item.Included = true;
    DeriveAndShow(item, index);
  }
  list_.Select(0);

  if (restore) {
    ApplyRestoredParameters(fields);
  } else {
    ApplyStoredParameters(store, fields);
  }
}

std::vector<StoreStep> ParameterStoreSteps(const ParameterFields& fields) {
  return {
      {104, store_key::kCompany, fields.Text(ParameterField::Company)},
      {106, store_key::kYear, fields.Text(ParameterField::FirstYear)},
      {108, store_key::kYear1, fields.Text(ParameterField::LastYear)},
      {110, store_key::kWeeks, fields.Text(ParameterField::Weeks)},
      {112, store_key::kIsYear, BooleanText(fields.Mode() == PeriodMode::Year)},
      {114, store_key::kIsMonth, BooleanText(fields.Mode() == PeriodMode::Month)},
  };
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
