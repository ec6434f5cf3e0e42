// The charts of a worksheet as native charts of the .xlsx: their series refer to the
// sheet's ranges, so a spreadsheet program redraws them when the numbers change.
#include <xlsxwriter.h>

#include <cmath>

#include "engine/core/address.h"
#include "engine/xlsx/xlsx_writer_parts.h"

namespace tallowmere::engine::xlsx {
namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;
// The library's chart size at a scale of 1, in pixels.
constexpr double kDefaultWidth = 480;
constexpr double kDefaultHeight = 288;

// "='Sheet'!$D$4:$O$4": an absolute reference to address on the sheet named sheet.
std::string SheetReference(const std::string& sheet, const std::string& address) {
  const auto rect = ParseAddress(address, AddressKind::Cells);
  if (!rect) return "";
  std::string quoted = "'";
  for (char c : sheet) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  const auto corner = [](int row, int column) { return "$" + ColumnLetters(column) + "$" + std::to_string(row); };
  std::string reference = "=" + quoted + "'!" + corner(rect->firstRow, rect->firstColumn);
  if (!rect->IsOneCell()) reference += ":" + corner(rect->lastRow, rect->lastColumn);
  return reference;
}

void AddSeries(lxw_chart* chart, const std::string& sheet, const ChartSeries& series) {
  const std::string values = SheetReference(sheet, series.values);
  const std::string categories = SheetReference(sheet, series.categories);
  lxw_chart_series* added = chart_add_series(chart, categories.empty() ? nullptr : categories.c_str(), values.c_str());
  if (!added) Check(LXW_ERROR_MEMORY_MALLOC_FAILED, "the series " + series.values);
  if (!series.name.empty()) chart_series_set_name(added, series.name.c_str());
}

lxw_chart* MakeChart(lxw_workbook* book, const std::string& sheet, const ChartData& data) {
  lxw_chart* chart = workbook_add_chart(book, LXW_CHART_LINE);
  if (!chart) Check(LXW_ERROR_MEMORY_MALLOC_FAILED, "a chart");
  for (const ChartSeries& series : data.series) AddSeries(chart, sheet, series);
  if (!data.title.empty()) chart_title_set_name(chart, data.title.c_str());
  if (!data.legend) chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
  // The category axis crosses the value axis at that value.
  chart_axis_set_crossing(chart->y_axis, data.crossesAt);
  if (data.labelsLow) chart_axis_set_label_position(chart->x_axis, LXW_CHART_AXIS_LABEL_POSITION_LOW);
  return chart;
}

}  // namespace

void WriteCharts(lxw_workbook* book, lxw_worksheet* worksheet, const SheetData& sheet) {
  for (const ChartData& data : sheet.charts) {
    lxw_chart* chart = MakeChart(book, sheet.name, data);
    lxw_chart_options options{};
    options.x_offset = static_cast<std::int32_t>(std::lround(data.offsetX * kPixelsPerPoint));
    options.y_offset = static_cast<std::int32_t>(std::lround(data.offsetY * kPixelsPerPoint));
    options.x_scale = data.width * kPixelsPerPoint / kDefaultWidth;
    options.y_scale = data.height * kPixelsPerPoint / kDefaultHeight;
    Check(worksheet_insert_chart_opt(worksheet, static_cast<lxw_row_t>(data.row - 1),
                                     static_cast<lxw_col_t>(data.column - 1), chart, &options),
          "the chart " + data.title);
  }
}

}  // namespace tallowmere::engine::xlsx
