#include "engine/application/chart_objects.h"

#include <cmath>

#include "engine/application/engine_objects.h"
#include "engine/core/address.h"
#include "engine/render/chart_place.h"

namespace tallowmere::engine {
namespace {

// The largest size a chart may have each way, in points: about the width of the sheet.
constexpr double kMaxChartPoints = 169000;

class EngineChart : public Chart {
 public:
  EngineChart(std::weak_ptr<WorkbookContext> context, std::shared_ptr<SheetData> sheet, size_t index)
      : context_(std::move(context)), sheet_(std::move(sheet)), index_(index) {}

  void SetChartType(int type) override {
    Data();
    if (type != xl::kLine)
      throw AutomationError("Unable to set the ChartType property of the Chart class: " + std::to_string(type));
  }
  void SetTitle(const std::string& text) override { Data().title = text; }
  void SetHasLegend(bool on) override { Data().legend = on; }
  void NewSeries(const std::string& name, const std::string& values, const std::string& xValues) override {
    ChartData& chart = Data();
    chart.series.push_back({name, Address("Values", values, false), Address("XValues", xValues, true)});
  }
  void SetAxisCrossesAt(int axis, double value) override {
    ChartData& chart = Data();
    if (axis != xl::kValue || !std::isfinite(value))
      throw AutomationError("Unable to set the CrossesAt property of the Axis class: " + std::to_string(value));
    chart.crossesAt = value;
  }
  void SetTickLabelPosition(int axis, int position) override {
    ChartData& chart = Data();
    if (axis != xl::kCategory || position != xl::kTickLabelLow)
      throw AutomationError("Unable to set the TickLabelPosition property of the Axis class: " +
                            std::to_string(position));
    chart.labelsLow = true;
  }

 private:
  ChartData& Data() {
    OpenData(*Lock(context_));
    if (index_ >= sheet_->charts.size()) throw AutomationError("Object required: the chart has been deleted");
    return sheet_->charts[index_];
  }
  // A series range: one row or one column of cells; the categories may be left out.
  static std::string Address(const char* member, const std::string& address, bool mayBeEmpty) {
    if (address.empty() && mayBeEmpty) return "";
    const auto rect = ParseAddress(address, AddressKind::Cells);
    if (!rect || (rect->firstRow != rect->lastRow && rect->firstColumn != rect->lastColumn))
      throw AutomationError(std::string("Unable to set the ") + member + " property of the Series class: '" + address +
                            "'");
    return FormatAddress(*rect);
  }

  std::weak_ptr<WorkbookContext> context_;
  std::shared_ptr<SheetData> sheet_;
  size_t index_;
};

bool InRange(double value, double low) { return std::isfinite(value) && value >= low && value <= kMaxChartPoints; }

}  // namespace

int EngineChartObjects::Count() const {
  OpenData(*Lock(context_));
  return static_cast<int>(sheet_->charts.size());
}

std::shared_ptr<Chart> EngineChartObjects::Add(double left, double top, double width, double height) {
  OpenData(*Lock(context_));
  if (!InRange(left, 0) || !InRange(top, 0) || !InRange(width, 1) || !InRange(height, 1))
    throw AutomationError("Add method of ChartObjects class failed: " + std::to_string(left) + ", " +
                          std::to_string(top) + ", " + std::to_string(width) + ", " + std::to_string(height));
  const CellPoint at = CellAtPoints(*sheet_, left, top);
  ChartData chart;
  chart.row = at.row;
  chart.column = at.column;
  chart.offsetX = at.offsetX;
  chart.offsetY = at.offsetY;
  chart.width = width;
  chart.height = height;
  sheet_->charts.push_back(chart);
  return std::make_shared<EngineChart>(context_, sheet_, sheet_->charts.size() - 1);
}

}  // namespace tallowmere::engine
