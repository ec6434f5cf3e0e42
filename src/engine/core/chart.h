#pragma once
// A chart lying on a sheet: a line chart of one or more series over categories, each a
// range of the sheet, placed by the cell its top left corner lies in and its size. The
// .xlsx writes it as a native chart, the painter draws it for the picture and the page.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallowmere::engine {

struct ChartSeries {
  std::string name;
  std::string values;      // A1 address of one row or column of the sheet
  std::string categories;  // A1 address of as many cells, or "" for 1, 2, 3 ...
  bool operator==(const ChartSeries&) const = default;
};

struct ChartData {
  int row = 1, column = 1;           // the cell its top left corner lies in
  double offsetX = 0, offsetY = 0;   // points from that cell's top left corner
  double width = 360, height = 216;  // points
  std::string title;                 // none when empty
  bool legend = true;
  std::vector<ChartSeries> series;
  double crossesAt = 0;    // the value where the category axis crosses the value axis
  bool labelsLow = false;  // category labels below the plot rather than beside that axis
  bool operator==(const ChartData&) const = default;
};

// The chart as one line of text, and back: how a file format that holds no chart keeps
// the engine's chart. ParseChartNote returns nothing for any other text.
std::string ChartNote(const ChartData& chart);
std::optional<ChartData> ParseChartNote(std::string_view note);

}  // namespace tallowmere::engine
