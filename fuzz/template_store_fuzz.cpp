// Loads a template from arbitrary stored texts, edits it, and runs the parameter checks on
// arbitrary field texts. Input: lines, the first eight being the row count, column count,
// saved flag, "Year", "Year1", "Weeks", "IsYear", "IsMonth", the rest the item names.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "model/parameter_checks.h"
#include "model/store_keys.h"
#include "model/template_model.h"
#include "platform/memory_store.h"
#include "platform/settings_store.h"

namespace {

using namespace tallowmere;

std::vector<std::string> Lines(const uint8_t* data, size_t size) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char>(data[i]);
    }
  }
  return lines;
}

void RunChecks(const std::string& text) {
  CheckYear(text, 2024);
  CheckWeekCount(text);
  CheckYearRange(text, text + "1", PeriodMode::Year);
  CheckYearRange("2000", text, PeriodMode::Month);
  CheckYearRange("", text, PeriodMode::Week);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = Lines(data, size);
  const char* const keys[] = {store_key::kRows,  store_key::kColumns, store_key::kSaved,  store_key::kYear,
                              store_key::kYear1, store_key::kWeeks,   store_key::kIsYear, store_key::kIsMonth};
  MemoryStore store;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i < std::size(keys)) {
      store.values[keys[i]] = lines[i];
      RunChecks(lines[i]);
    } else {
      store.values[store_key::FieldKey(static_cast<int>(i - std::size(keys) + 1))] = lines[i];
    }
  }
  VectorListView list;
  TemplateModel model(list);
  PlainParameterFields fields;
  try {
    model.LoadTemplate(false, store, fields);
    model.InsertItem("New", model.Count() / 2);
    model.DeleteItem(1);
    model.RenameItem("Renamed", model.Count());
  } catch (const std::exception&) {
    // Refused input is reported by the caller; only crashes and hangs matter here.
  }
  model.SaveTemplate(store);
  return 0;
}
