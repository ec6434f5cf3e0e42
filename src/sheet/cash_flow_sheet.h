#pragma once
// Lays out the cash-flow worksheet on the active sheet of the link's application: column
// grid, period headers, one row per template item, total formulas, formats, page setup.

#include <string>

#include "automation/automation.h"
#include "model/report_parameters.h"
#include "model/template_model.h"
#include "sheet/automation_link.h"

namespace tallowmere {

// Number of the sheet's last column ("Total Item EST") for the parameters' period mode.
// Throws std::overflow_error when a year or week lies beyond the whole-number range.
int LastColumnOf(const ReportParameters& parameters);

// Sets Included of every item, lays the sheet out, writes every item's SheetRow and
// leaves C5 selected. Any failing automation call, or a reference list that names no
// item, ends the layout where it happened by throwing.
void BuildCashFlowSheet(SpreadsheetLink& link, TemplateModel& model, const ReportParameters& parameters);

// The two halves of the layout, in the order BuildCashFlowSheet runs them.
// Palette, clearing, column grid, top rows and header cells; returns the last column.
int LayOutSheetSkeleton(Application& app, const ReportParameters& parameters);
// Row numbering, grid, formats, item rows with their formulas, page setup.
void LayOutItemRows(Application& app, TemplateModel& model, int lastColumn);
// After the layout: each item's amounts in its row and the opening cash in C5, as numbers.
// Writes nothing for a plan without numbers; leaves the selection where it is.
void WriteForecastCells(Application& app, const TemplateModel& model, const ReportParameters& parameters);
// After the layout of a plan with numbers: the format conditions that mark the periods of
// the cash-position and cash-on-hand rows below zero (red) and below the minimum cash
// (amber), over the period columns up to lastColumn's left.
void WriteCashWarnings(Application& app, const TemplateModel& model, int lastColumn);

}  // namespace tallowmere
