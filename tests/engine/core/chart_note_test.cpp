// The engine's note of a chart: every field comes back from its text, separators and
// escapes inside texts included, and a text that is not a whole note gives nothing.
#include <gtest/gtest.h>

#include "engine/core/chart.h"

namespace tallowmere::engine {
namespace {

TEST(ChartNote, EveryFieldSurvivesTheText) {
  ChartData full;
  full.row = 55;
  full.column = 2;
  full.offsetX = 1.5;
  full.offsetY = 0.25;
  full.width = 720;
  full.height = 216;
  full.title = "Cash; \\position| 5%";
  full.legend = false;
  full.crossesAt = -1234.56;
  full.labelsLow = true;
  full.series = {{"a;b|c\\", "D43:O43", "D4:O4"}, {"", "D10:D12", ""}};
  for (const ChartData& chart : {ChartData{}, full}) {
    const auto back = ParseChartNote(ChartNote(chart));
    ASSERT_TRUE(back.has_value()) << ChartNote(chart);
    EXPECT_EQ(*back, chart) << ChartNote(chart);
  }
}

TEST(ChartNote, OtherTextsAreNoNotes) {
  const std::string good = ChartNote(ChartData{});
  for (const std::string& text :
       {std::string(""), std::string("Print_Area"), good + ";r=0", good + ";r=1.5", good + ";w=abc", good + ";q=1",
        good + ";s=a|b", good + ";t=x\\", good + ";novalue", "chart/2" + good.substr(7)})
    EXPECT_FALSE(ParseChartNote(text).has_value()) << text;
}

}  // namespace
}  // namespace tallowmere::engine
