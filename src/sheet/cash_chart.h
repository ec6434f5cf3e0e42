#pragma once
// Below the lowest-cash line of a plan with numbers: a line chart of the end-of-period cash
// position over the periods, its category axis crossing at the minimum cash, so that the
// line shows where the cash goes below the reserve.

#include "automation/automation.h"
#include "model/template_model.h"

namespace tallowmere {

// Adds the chart to the active sheet laid out with lastColumn (the total) as its last
// column; nothing when the table has no cash-position row.
void AddCashChart(Application& app, const TemplateModel& model, int lastColumn);

}  // namespace tallowmere
