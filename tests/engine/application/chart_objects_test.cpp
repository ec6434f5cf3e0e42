// Charts through the engine's object model: placed on the cell their point falls in, their
// series and axes as set, refused where a spreadsheet refuses, kept through an .xls, and
// taken into the used range so that a picture of it shows them.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "automation/automation.h"
#include "engine/application/application.h"
#include "engine/xls/xls_reader.h"
#include "support/temporary_folder.h"

namespace tallowmere::engine {
namespace {

class ChartObjectsTest : public ::testing::Test {
 protected:
  ChartObjectsTest() : factory_(clipboard_, LocalFileSystem()), app_(factory_.Create()) {
    app_->GetWorkbooks().Add();
    app_->GetRange("B2")->SetFormulaR1C1("Cash");
  }
  std::shared_ptr<Chart> AddAt(const std::string& cell, double width = 360, double height = 216) {
    const auto range = app_->GetRange(cell);
    return app_->ActiveSheet()->GetChartObjects().Add(range->Left(), range->Top(), width, height);
  }

  InProcessClipboard clipboard_;
  EngineApplicationFactory factory_;
  std::shared_ptr<Application> app_;
};

TEST_F(ChartObjectsTest, AChartIsKeptThroughAnXlsAndWidensTheUsedRange) {
  const std::shared_ptr<Chart> chart = AddAt("B10");
  chart->SetChartType(xl::kLine);
  chart->SetTitle("Cash position");
  chart->SetHasLegend(false);
  chart->NewSeries("Cash", "d5:o5", "D4:O4");
  chart->SetAxisCrossesAt(xl::kValue, 5000);
  chart->SetTickLabelPosition(xl::kCategory, xl::kTickLabelLow);
  EXPECT_EQ(app_->ActiveSheet()->GetChartObjects().Count(), 1);
  // 216 points are 288 pixels, seventeen rows of 17 pixels from row 10 on: through row 26.
  const auto used = app_->ActiveSheet()->UsedRange();
  EXPECT_EQ(used->Row() + used->RowsCount() - 1, 26);
  EXPECT_EQ(used->Column() + used->ColumnsCount() - 1, 9);  // 480 pixels, 7.5 columns of 64 from B: through I

  const testing::TemporaryFolder folder;
  const std::string path = folder.FilePath("chart.xls");
  app_->ActiveWorkbook()->SaveAs(path, xl::kExcel8);
  const auto read = ReadXls(path);
  ASSERT_EQ(read->sheets.at(0)->charts.size(), 1u);
  ChartData expected;
  expected.row = 10;
  expected.column = 2;
  expected.title = "Cash position";
  expected.legend = false;
  expected.series = {{"Cash", "D5:O5", "D4:O4"}};
  expected.crossesAt = 5000;
  expected.labelsLow = true;
  EXPECT_EQ(read->sheets.at(0)->charts.front(), expected);
}

TEST_F(ChartObjectsTest, RefusalsAreAutomationErrors) {
  const std::shared_ptr<Chart> chart = AddAt("C3");
  const std::function<void()> refused[] = {
      [&] { chart->SetChartType(5); },
      [&] { chart->NewSeries("x", "D4:E5", ""); },  // values of two rows
      [&] { chart->NewSeries("x", "", ""); },
      [&] { chart->NewSeries("x", "D4:E4", "nowhere"); },
      [&] { chart->SetAxisCrossesAt(xl::kCategory, 2); },
      [&] { chart->SetAxisCrossesAt(xl::kValue, std::numeric_limits<double>::infinity()); },
      [&] { chart->SetTickLabelPosition(xl::kValue, xl::kTickLabelLow); },
      [&] { AddAt("A1", 0, 10); },
      [&] { AddAt("A1", 10, -1); },
      [&] { app_->ActiveSheet()->GetChartObjects().Add(-1, 0, 10, 10); },
  };
  for (size_t i = 0; i < std::size(refused); ++i) EXPECT_THROW(refused[i](), AutomationError) << i;
  app_->ActiveWorkbook()->Close();
  EXPECT_THROW(chart->SetTitle("closed"), AutomationError);
}

}  // namespace
}  // namespace tallowmere::engine
