#pragma once
// Below the table of a plan with numbers: the lowest end-of-period cash position and the
// header of the period where it first occurs, as live formulas over the cash-position row.

#include "automation/automation.h"
#include "model/report_parameters.h"
#include "model/template_model.h"

namespace tallowmere {

// The row of the end-of-period cash position; 0 when the table has none.
int CashPositionRow(const TemplateModel& model);

// The row of the "Lowest cash position" line: two rows below the last item row, the last
// row of the print area. 0 when the table has no cash-position row.
int LowestCashRow(const TemplateModel& model);

// Writes the line into the laid-out sheet whose last column (the total) is lastColumn;
// nothing when the table has no cash-position row. Leaves the selection where it is.
void WriteLowestCash(Application& app, const TemplateModel& model, PeriodMode mode, int lastColumn);

}  // namespace tallowmere
