#pragma once
// What several benchmarks set up the same way: the default template, the month layout's
// parameters, a laid-out cash-flow workbook and the process's peak memory.

#include <sys/resource.h>

#include <memory>
#include <string>

#include "automation/automation.h"
#include "model/item_list_view.h"
#include "model/report_parameters.h"
#include "model/template_model.h"
#include "platform/memory_store.h"
#include "sheet/cash_flow_sheet.h"

namespace tallowmere::bench {

// Fills model with the 44 default items, as a first start does.
inline void LoadDefaultTemplate(TemplateModel& model) {
  MemoryStore empty;
  PlainParameterFields fields;
  model.LoadTemplate(false, empty, fields);
}

// By month from 2013 to lastYear, for the company "Anchor Co".
inline ReportParameters MonthParameters(const std::string& lastYear) {
  ReportParameters parameters;
  parameters.company = "Anchor Co";
  parameters.monthFirstYear = "2013";
  parameters.monthLastYear = lastYear;
  return parameters;
}

// A new workbook of app with the default template laid out by month from 2013 to lastYear,
// as a report lays it out.
inline std::shared_ptr<Workbook> LayOutMonthWorkbook(Application& app, const std::string& lastYear) {
  VectorListView list;
  TemplateModel model(list);
  LoadDefaultTemplate(model);
  auto workbook = app.GetWorkbooks().Add();
  workbook->ActiveSheet()->SetName("CashFlow");
  LayOutItemRows(app, model, LayOutSheetSkeleton(app, MonthParameters(lastYear)));
  return workbook;
}

// The most memory the process has held so far, in megabytes.
inline double PeakMemoryMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace tallowmere::bench
