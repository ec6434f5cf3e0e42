// Column letters, relative references and the selection operations.
#include "sheet/cell_helpers.h"

#include <gtest/gtest.h>

#include "template_fixture.h"

namespace tallowmere::testing {
namespace {

TEST(CellHelpers, ColumnLettersUpToZZ) {
  EXPECT_EQ(ColumnLetter(1), "A");
  EXPECT_EQ(ColumnLetter(26), "Z");
  EXPECT_EQ(ColumnLetter(27), "AA");
  EXPECT_EQ(ColumnLetter(52), "AZ");
  EXPECT_EQ(ColumnLetter(53), "BA");
  EXPECT_EQ(ColumnLetter(56), "BD");
  EXPECT_EQ(ColumnLetter(676), "YZ");
  EXPECT_EQ(ColumnLetter(677), "ZA");
  EXPECT_EQ(ColumnLetter(702), "ZZ");
  EXPECT_THROW(ColumnLetter(0), std::out_of_range);
  EXPECT_THROW(ColumnLetter(703), std::out_of_range);
  EXPECT_THROW(ColumnLetter(-5), std::out_of_range);
}

TEST(CellHelpers, RelativeReferencesKeepTheirSign) {
  Template tmpl({"A", "B", "C"});
  tmpl.model.Item(1).SheetRow = 5;
  tmpl.model.Item(2).SheetRow = 9;
  tmpl.model.Item(3).SheetRow = 12;
  EXPECT_EQ(RelativeRef(tmpl.model, 1, 1, 0), "R[0]C[0]");
  EXPECT_EQ(RelativeRef(tmpl.model, 3, 1, 0), "R[7]C[0]");
  EXPECT_EQ(RelativeRef(tmpl.model, 1, 2, -1), "R[-4]C[-1]");
  EXPECT_THROW(RelativeRef(tmpl.model, 0, 1, 0), std::out_of_range);
  EXPECT_THROW(RowOffset(tmpl.model, 1, 4), std::out_of_range);
}

struct Recorded {
  RecordingFactory factory;
  std::shared_ptr<Application> app = factory.Create();
  Recorded() { factory.log.calls.clear(); }
  const std::vector<std::string>& calls() const { return factory.log.calls; }
};

TEST(CellHelpers, SelectionOperationsInTheirOrder) {
  Recorded r;
  WriteCell(*r.app, "B2", "x", true);
  WriteCell(*r.app, "C3", "=1", false);
  SetFont(*r.app, "Bold", 9, -4105);
  SetFillColor(*r.app, "", 55);
  SetFillColor(*r.app, "C4:P4", 39);
  SetNumberFormat(*r.app, "", "mmm-yy");
  SetAlignment(*r.app, false, true, true);
  SetRowHeight(*r.app, "5:5", 8);
  SetColumnWidth(*r.app, "D:D", 8.33);
  ClearBorder(*r.app, 11);
  EXPECT_EQ(r.calls(), (std::vector<std::string>{
                           "Range(B2).Select", "ActiveCell.FormulaR1C1=x", "Selection.Merge", "Range(C3).Select",
                           "ActiveCell.FormulaR1C1==1", "Selection.Font.FontStyle=Bold", "Selection.Font.Size=9",
                           "Selection.Font.ColorIndex=-4105", "Selection.Interior.ColorIndex=55", "Range(C4:P4).Select",
                           "Selection.Interior.ColorIndex=39", "Selection.NumberFormat=mmm-yy",
                           "Selection.VerticalAlignment=-4108", "Selection.WrapText=True", "Rows(5:5).Select",
                           "Selection.RowHeight=8", "Columns(D:D).Select", "Selection.ColumnWidth=8.33",
                           "Selection.Borders(11).LineStyle=-4142"}));
}

}  // namespace
}  // namespace tallowmere::testing
