#include "engine/render/chart_painter.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/address.h"
#include "engine/core/number_format.h"

namespace tallowmere::engine {
namespace {

constexpr Canvas::Rgb kWhite = 0xFFFFFF, kFrame = 0x888888, kGrid = 0xD9D9D9, kAxis = 0x404040, kText = 0x000000;
constexpr Canvas::Rgb kSeriesColours[] = {0x4472C4, 0xED7D31, 0xA5A5A5, 0xFFC000};
constexpr int kPadding = 8;  // pixels inside the frame
constexpr int kGap = 4;      // pixels between a label and what it labels
constexpr double kSeriesWidth = 2.25;
constexpr int kSteps = 5;  // about this many steps on the value axis

// The cells of a one-row or one-column range, in order.
std::vector<std::pair<int, int>> CellsOf(const std::string& address) {
  std::vector<std::pair<int, int>> cells;
  const auto rect = ParseAddress(address, AddressKind::Cells);
  if (!rect) return cells;
  for (int row = rect->firstRow; row <= rect->lastRow; ++row)
    for (int column = rect->firstColumn; column <= rect->lastColumn; ++column) cells.emplace_back(row, column);
  return cells;
}

struct Series {
  std::vector<std::optional<double>> values;  // nothing where a cell holds no number
};

class ChartDrawing {
 public:
  ChartDrawing(Canvas& canvas, const WorkbookData& workbook, const SheetData& sheet, Calculator& calculator,
               const ChartData& chart)
      : canvas_(canvas), workbook_(workbook), sheet_(sheet), calculator_(calculator), chart_(chart) {}

  void Paint(const PixelRect& area) {
    ReadSeries();
    Frame(area);
    const int labelFont = canvas_.Font({"Arial", 8, false, false});
    const int labelHeight = canvas_.LineHeight(labelFont);
    PixelRect plot = area.Adjusted(kPadding, kPadding, -2 * kPadding, -kPadding - labelHeight - kGap);
    if (!chart_.title.empty()) plot.top += Title(area);
    plot.left += ValueLabelsWidth(labelFont) + kGap;
    if (plot.Width() < 2 || plot.Height() < 2) return;
    plot_ = plot;
    ValueAxis(labelFont, labelHeight);
    CategoryAxis(labelFont, labelHeight);
    for (std::size_t i = 0; i < series_.size(); ++i) SeriesLine(series_[i], kSeriesColours[i % 4]);
  }

 private:
  void ReadSeries() {
    double smallest = chart_.crossesAt, largest = chart_.crossesAt;
    for (const ChartSeries& data : chart_.series) {
      Series& series = series_.emplace_back();
      for (const auto& [row, column] : CellsOf(data.values)) {
        const Value value = calculator_.ValueAt(row, column);
        series.values.push_back(value.type == Value::Type::Number ? std::optional(value.number) : std::nullopt);
        if (!series.values.back()) continue;
        smallest = std::min(smallest, value.number);
        largest = std::max(largest, value.number);
      }
      count_ = std::max(count_, series.values.size());
    }
    scale_ = ScaleFor(smallest, largest);
    if (!chart_.series.empty()) categories_ = CellsOf(chart_.series.front().categories);
  }

  void Frame(const PixelRect& area) {
    canvas_.FillRect(area, kWhite);
    canvas_.Line(area.left, area.top, area.right, area.top, kFrame);
    canvas_.Line(area.left, area.bottom, area.right, area.bottom, kFrame);
    canvas_.Line(area.left, area.top, area.left, area.bottom, kFrame);
    canvas_.Line(area.right, area.top, area.right, area.bottom, kFrame);
  }

  // Sets the title at the top; the height it takes.
  int Title(const PixelRect& area) {
    const int font = canvas_.Font({"Arial", 11, true, false});
    const int height = canvas_.LineHeight(font);
    const PixelRect line{area.left + kPadding, area.top + kPadding, area.right - kPadding,
                         area.top + kPadding + height};
    canvas_.Text(font, line, line, {TextPlacement::Horizontal::Center, TextPlacement::Vertical::Top, false},
                 chart_.title, kText);
    return height + kGap;
  }

  static std::string Label(double value) { return FormatForDisplay(Value::Number(value), "#,##0"); }

  int Steps() const { return static_cast<int>(std::lround((scale_.high - scale_.low) / scale_.step)); }
  double Step(int i) const { return scale_.low + i * scale_.step; }

  int ValueLabelsWidth(int font) {
    int width = 0;
    for (int i = 0; i <= Steps(); ++i) width = std::max(width, canvas_.TextWidth(font, Label(Step(i))));
    return width;
  }

  double Y(double value) const {
    return plot_.bottom - (value - scale_.low) / (scale_.high - scale_.low) * (plot_.Height() - 1);
  }
  double X(std::size_t i) const { return plot_.left + (i + 0.5) * plot_.Width() / static_cast<double>(count_); }

  void ValueAxis(int font, int labelHeight) {
    for (int i = 0; i <= Steps(); ++i) {
      const int y = static_cast<int>(std::lround(Y(Step(i))));
      canvas_.Line(plot_.left, y, plot_.right, y, kGrid);
      const PixelRect label{plot_.left - 200, y - labelHeight / 2, plot_.left - kGap, y + labelHeight / 2};
      canvas_.Text(font, label, std::nullopt,
                   {TextPlacement::Horizontal::Right, TextPlacement::Vertical::Center, false}, Label(Step(i)), kText);
    }
    canvas_.Line(plot_.left, plot_.top, plot_.left, plot_.bottom, kAxis);
  }

  // The category axis at its crossing value, and the categories' texts below the plot
  // (or below the axis), as many as fit side by side.
  void CategoryAxis(int font, int labelHeight) {
    const int axis = static_cast<int>(std::lround(Y(chart_.crossesAt)));
    canvas_.Line(plot_.left, axis, plot_.right, axis, kAxis);
    if (count_ == 0) return;
    std::vector<std::string> texts;
    int widest = 0;
    for (std::size_t i = 0; i < count_; ++i) {
      texts.push_back(i < categories_.size() ? CategoryText(categories_[i]) : std::to_string(i + 1));
      widest = std::max(widest, canvas_.TextWidth(font, texts.back()));
    }
    const double slot = plot_.Width() / static_cast<double>(count_);
    const std::size_t every = std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil((widest + kGap) / slot)));
    const int top = (chart_.labelsLow ? plot_.bottom : axis) + kGap;
    for (std::size_t i = 0; i < count_; i += every) {
      const int x = static_cast<int>(std::lround(X(i)));
      const PixelRect label{x - widest, top, x + widest, top + labelHeight};
      canvas_.Text(font, label, std::nullopt, {TextPlacement::Horizontal::Center, TextPlacement::Vertical::Top, false},
                   texts[i], kText);
    }
  }

  std::string CategoryText(const std::pair<int, int>& cell) {
    const auto& [row, column] = cell;
    const Cell* found = sheet_.Find(row, column);
    const StyleId style = found ? found->style : sheet_.EffectiveStyle(row, column);
    return FormatForDisplay(calculator_.ValueAt(row, column), workbook_.styles.Get(style).numberFormat);
  }

  // The line through the series' numbers, broken where a cell holds none.
  void SeriesLine(const Series& series, Canvas::Rgb colour) {
    std::vector<CanvasPoint> run;
    for (std::size_t i = 0; i <= series.values.size(); ++i) {
      if (i < series.values.size() && series.values[i]) {
        run.push_back({X(i), Y(*series.values[i])});
        continue;
      }
      canvas_.Polyline(run, kSeriesWidth, colour);
      run.clear();
    }
  }

 private:
  Canvas& canvas_;
  const WorkbookData& workbook_;
  const SheetData& sheet_;
  Calculator& calculator_;
  const ChartData& chart_;
  std::vector<Series> series_;
  std::vector<std::pair<int, int>> categories_;
  std::size_t count_ = 0;
  ValueScale scale_;
  PixelRect plot_;
};

}  // namespace

ValueScale ScaleFor(double smallest, double largest) {
  if (!(largest > smallest)) largest = smallest + 1;
  const double raw = (largest - smallest) / kSteps;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10 * power;
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= raw) {
      step = factor * power;
      break;
    }
  }
  return {std::floor(smallest / step) * step, std::ceil(largest / step) * step, step};
}

void PaintChart(Canvas& canvas, const WorkbookData& workbook, const SheetData& sheet, Calculator& calculator,
                const ChartData& chart, const PixelRect& area) {
  ChartDrawing(canvas, workbook, sheet, calculator, chart).Paint(area);
}

}  // namespace tallowmere::engine
