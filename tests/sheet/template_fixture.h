#pragma once
// Template tables and recorded layouts for the sheet tests.

#include <map>
#include <string>
#include <vector>

#include "model/report_parameters.h"
#include "model/store_keys.h"
#include "model/template_model.h"
#include "support/memory_settings_store.h"
#include "support/recording_application.h"

namespace tallowmere::testing {

// A model loaded the way a stored table is: these names, references built.
struct Template {
  VectorListView list;
  TemplateModel model{list};

  explicit Template(const std::vector<std::string>& names) {
    MemorySettingsStore store;
    for (size_t i = 0; i < names.size(); ++i) store.values[store_key::FieldKey(static_cast<int>(i) + 1)] = names[i];
    store.values[store_key::kRows] = std::to_string(names.size());
    store.values[store_key::kColumns] = "7";
    store.values[store_key::kSaved] = "True";
    PlainParameterFields fields;
    model.LoadTemplate(false, store, fields);
  }
  Template() : Template(DefaultItemNames()) {}
};

inline ReportParameters ByMonth(const std::string& first, const std::string& last) {
  ReportParameters p;
  p.mode = PeriodMode::Month;
  p.monthFirstYear = first;
  p.monthLastYear = last;
  return p;
}
inline ReportParameters ByYear(const std::string& first, const std::string& last) {
  ReportParameters p;
  p.mode = PeriodMode::Year;
  p.firstYear = first;
  p.lastYear = last;
  return p;
}
inline ReportParameters ByWeek(const std::string& weeks) {
  ReportParameters p;
  p.mode = PeriodMode::Week;
  p.weeks = weeks;
  return p;
}

// The cells a recorded layout wrote: each "Range(X).Select" directly followed by
// "ActiveCell.FormulaR1C1=text", the last text written per address.
inline std::map<std::string, std::string> WrittenCells(const CallLog& log) {
  std::map<std::string, std::string> cells;
  const std::string select = ".Select", formula = "ActiveCell.FormulaR1C1=";
  for (size_t i = 0; i + 1 < log.calls.size(); ++i) {
    const std::string& call = log.calls[i];
    if (call.rfind("Range(", 0) != 0 || log.calls[i + 1].rfind(formula, 0) != 0) continue;
    const std::string address = call.substr(6, call.size() - 6 - select.size() - 1);
    cells[address] = log.calls[i + 1].substr(formula.size());
  }
  return cells;
}

}  // namespace tallowmere::testing
