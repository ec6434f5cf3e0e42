// The layout's calls on a recording object model: order, values and addresses.
#include <gtest/gtest.h>

#include "sheet/cash_flow_sheet.h"
#include "sheet/internal/workbook_palette.h"
#include "template_fixture.h"

namespace tallowmere::testing {
namespace {

struct RecordedLayout {
  RecordingFactory factory;
  SpreadsheetLink link{factory};
  Template tmpl;
  std::map<std::string, std::string> cells;

  explicit RecordedLayout(const std::vector<std::string>& names = DefaultItemNames()) : tmpl(names) {}
  void Build(const ReportParameters& parameters) {
    link.CreateSpreadsheetApp();
    link.SpreadsheetApp().GetWorkbooks().Add();
    factory.log.calls.clear();
    BuildCashFlowSheet(link, tmpl.model, parameters);
    cells = WrittenCells(factory.log);
  }
  const std::vector<std::string>& Calls() const { return factory.log.calls; }
  int Row(const std::string& name) const { return tmpl.model.Item(tmpl.model.FindItem(name)).SheetRow; }
};

std::unique_ptr<RecordedLayout> Layout(const ReportParameters& parameters,
                                       std::vector<std::string> names = DefaultItemNames()) {
  auto layout = std::make_unique<RecordedLayout>(names);
  layout->Build(parameters);
  return layout;
}

TEST(LayoutRecording, StartsWithPaletteThenClearsAllCellsInArial) {
  auto layout = Layout(ByMonth("2013", "2013"));
  const auto& calls = layout->Calls();
  ASSERT_GT(calls.size(), 60u);
  const auto& palette = CashFlowPalette();
  for (int i = 1; i <= 56; ++i)
    EXPECT_EQ(calls[i - 1],
              "ActiveWorkbook.Colors(" + std::to_string(i) + ")=" + std::to_string(palette[i - 1].Value()));
  EXPECT_EQ(calls[1 - 1], "ActiveWorkbook.Colors(1)=0");
  EXPECT_EQ(calls[12 - 1], "ActiveWorkbook.Colors(12)=" + std::to_string(55 + 82 * 256 + 95 * 65536));
  EXPECT_EQ(std::vector<std::string>(calls.begin() + 56, calls.begin() + 60),
            (std::vector<std::string>{"Cells.Select", "Cells.Clear", "Selection.Font.Name=Arial",
                                      "Selection.Interior.ColorIndex=2"}));
}

TEST(LayoutRecording, EveryWriteSelectsOneCellAndMergesIt) {
  auto layout = Layout(ByWeek("30"));
  const auto& calls = layout->Calls();
  size_t writes = 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].rfind("ActiveCell.FormulaR1C1=", 0) != 0) continue;
    ++writes;
    ASSERT_GT(i, 0u);
    EXPECT_EQ(calls[i - 1].rfind("Range(", 0), 0u) << calls[i - 1];
    EXPECT_EQ(calls[i - 1].find(':'), std::string::npos) << calls[i - 1];
    ASSERT_LT(i + 1, calls.size());
    EXPECT_EQ(calls[i + 1], "Selection.Merge");
  }
  EXPECT_GT(writes, 44u + 30u);
}

TEST(LayoutRecording, MonthModeOneYearHeadersAndGrid) {
  auto layout = Layout(ByMonth("2013", "2013"));
  auto& cells = layout->cells;
  EXPECT_EQ(cells["B2"], "Cash flow");
  EXPECT_EQ(cells["C4"], "Pre-Startup EST");
  EXPECT_EQ(cells["P4"], "Total Item EST");
  EXPECT_EQ(cells["O2"], "Fiscal Year Begins:");
  EXPECT_EQ(cells["P2"], "1/1/2013");
  EXPECT_EQ(cells["D4"], "=R[-2]C[12]");
  EXPECT_EQ(cells["E4"], "=DATE(YEAR(RC[-1]),MONTH(RC[-1])+1,1)");
  EXPECT_EQ(cells["O4"], "=DATE(YEAR(RC[-1]),MONTH(RC[-1])+1,1)");
  EXPECT_EQ(cells.count("Q4"), 0u);
  const auto& log = layout->factory.log;
  EXPECT_EQ(log.Count("Columns("), 16u);  // A, B, C, D..O, P
  EXPECT_GE(log.IndexOf("Columns(P:P).Select"), 0);
  EXPECT_EQ(log.calls[log.IndexOf("Columns(P:P).Select") + 1], "Selection.ColumnWidth=9.17");
  EXPECT_EQ(log.calls[log.IndexOf("Columns(O:O).Select") + 1], "Selection.ColumnWidth=8.33");
  EXPECT_EQ(log.calls[log.IndexOf("Columns(C:C).Select") + 1], "Selection.ColumnWidth=10.83");
  // Month headers carry the month format right after their font.
  const long d4 = log.IndexOf("Range(D4).Select");
  ASSERT_GE(d4, 0);
  EXPECT_EQ(log.calls[d4 + 6], "Selection.NumberFormat=mmm-yy");
}

TEST(LayoutRecording, YearModeSingleYear) {
  auto layout = Layout(ByYear("2020", "2020"));
  auto& cells = layout->cells;
  EXPECT_EQ(cells["D2"], "Fiscal Period Begins:");
  EXPECT_EQ(cells["E2"], "2020");
  EXPECT_EQ(cells["D4"], "=R[-2]C[1]");
  EXPECT_EQ(cells["E4"], "Total Item EST");
  for (const auto& [address, text] : cells) EXPECT_NE(text, "=RC[-1]+1") << address;
  EXPECT_EQ(layout->factory.log.Count("PageSetup.PrintArea=A1:E"), 1u);
}

TEST(LayoutRecording, YearModeRoundsItsFieldsHalfToEven) {
  auto layout = Layout(ByYear(" 2020.5", "2023.5x"));  // 2020 .. 2024
  EXPECT_EQ(layout->cells["H4"], "=RC[-1]+1");
  EXPECT_EQ(layout->cells["I4"], "Total Item EST");
  EXPECT_EQ(layout->cells["I2"], "2020");
}

TEST(LayoutRecording, FiscalCellsOverwriteTheCompanyAtColumnsEightAndNine) {
  ReportParameters fourYears = ByYear("2020", "2023");  // L = 8
  fourYears.company = "Acme";
  EXPECT_EQ(Layout(fourYears)->cells["H2"], "2020");
  ReportParameters fiveYears = ByYear("2020", "2024");  // L = 9
  fiveYears.company = "Acme";
  EXPECT_EQ(Layout(fiveYears)->cells["H2"], "Fiscal Period Begins:");
  ReportParameters fourWeeks = ByWeek("4");
  fourWeeks.company = "Acme";
  EXPECT_EQ(Layout(fourWeeks)->cells["H2"], "Week 1");
  ReportParameters threeWeeks = ByWeek("3");
  threeWeeks.company = "=1+1";
  EXPECT_EQ(Layout(threeWeeks)->cells["H2"], "=1+1");
}

TEST(LayoutRecording, DefaultTemplateTotalsFillEveryPeriodColumn) {
  auto layout = Layout(ByMonth("2013", "2013"));
  auto& cells = layout->cells;
  const int cashPosition = layout->Row("Cash Position (end of month)");
  EXPECT_EQ(layout->Row("Cash on Hand (beginning of month)"), 5);
  // The opening cash of every period from D to the total column is the closing cash one
  // column to the left; C is the user's own opening figure.
  const std::string carry = "=R[" + std::to_string(cashPosition - 5) + "]C[-1]";
  for (const char* column : {"D", "E", "F", "O", "P"}) EXPECT_EQ(cells[column + std::string("5")], carry);
  EXPECT_EQ(cells.count("C5"), 0u);

  // TOTAL CASH RECEIPTS (item 6) sums the three rows above it in C through P.
  EXPECT_EQ(layout->Row("TOTAL CASH RECEIPTS"), 11);
  for (const char* column : {"C", "D", "E", "O", "P"})
    EXPECT_EQ(cells[column + std::string("11")], "=R[-3]C[0]+R[-2]C[0]+R[-1]C[0]");
  EXPECT_EQ(cells.count("Q11"), 0u);

  // Total Cash Available (item 7, row 12) adds the opening cash, the heading row and the
  // receipts total, not the receipt items a second time.
  EXPECT_EQ(cells["C12"], "=R[-7]C[0]+R[-5]C[0]+R[-1]C[0]");
}

TEST(LayoutRecording, RowsPrintAreaAndEndState) {
  auto layout = Layout(ByMonth("2013", "2013"));
  const auto& log = layout->factory.log;
  const auto& items = layout->tmpl.model.Items();
  int headings = 0;
  for (const auto& item : items) headings += item.IsHeader;
  const int lastRow = 4 + static_cast<int>(items.size()) + headings;
  EXPECT_GE(log.IndexOf("Range(B4:P" + std::to_string(lastRow) + ").Select"), 0);
  EXPECT_EQ(log.Count("PageSetup.PrintArea=A1:P" + std::to_string(lastRow + 2)), 1u);
  EXPECT_GE(log.IndexOf("Range(C5:P" + std::to_string(lastRow + 2) + ").Select"), 0);
  for (const auto& item : items) EXPECT_TRUE(item.Included);
  EXPECT_EQ(log.calls.back(), "Range(C5).Select");
}

TEST(LayoutRecording, PageSetupInItsOrder) {
  auto layout = Layout(ByWeek("5"));
  const auto& calls = layout->Calls();
  const std::vector<std::string> expected{"PageSetup.PrintArea=A1:I",   "PageSetup.LeftMargin=50.4",
                                          "PageSetup.RightMargin=50.4", "PageSetup.TopMargin=36",
                                          "PageSetup.BottomMargin=36",  "PageSetup.HeaderMargin=0",
                                          "PageSetup.FooterMargin=0",   "PageSetup.PrintComments=-4142",
                                          "PageSetup.Orientation=2",    "PageSetup.PaperSize=9",
                                          "PageSetup.Zoom=False",       "PageSetup.FitToPagesWide=1",
                                          "PageSetup.FitToPagesTall=1", "Range(C5).Select"};
  ASSERT_GE(calls.size(), expected.size());
  const size_t start = calls.size() - expected.size();
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(calls[start + i].rfind(expected[i], 0), 0u) << calls[start + i];
}

TEST(LayoutRecording, GridThenCornerThenFormatsThenHeaderBand) {
  auto layout = Layout(ByWeek("1"));  // L = 5 (E)
  const auto& calls = layout->Calls();
  const long grid = layout->factory.log.IndexOf("Range(B4:E" + std::to_string(4 + 44 + 3) + ").Select");
  ASSERT_GE(grid, 0);
  const std::vector<std::string> expected{"Selection.Borders(7).Weight=2",
                                          "Selection.Borders(7).ColorIndex=16",
                                          "Selection.Borders(8).Weight=2",
                                          "Selection.Borders(8).ColorIndex=16",
                                          "Selection.Borders(9).Weight=2",
                                          "Selection.Borders(9).ColorIndex=16",
                                          "Selection.Borders(10).Weight=2",
                                          "Selection.Borders(10).ColorIndex=16",
                                          "Selection.Borders(11).Weight=2",
                                          "Selection.Borders(11).ColorIndex=16",
                                          "Selection.Borders(12).Weight=2",
                                          "Selection.Borders(12).ColorIndex=16",
                                          "Selection.VerticalAlignment=-4108",
                                          "Range(B4).Select",
                                          "Selection.Borders(8).LineStyle=-4142",
                                          "Selection.Borders(7).LineStyle=-4142",
                                          "Range(C5:E53).Select",
                                          "Selection.NumberFormat=#,##0",
                                          "Range(C4:E4).Select",
                                          "Selection.Interior.ColorIndex=55",
                                          "Selection.HorizontalAlignment=-4108",
                                          "Selection.VerticalAlignment=-4108",
                                          "Selection.WrapText=True"};
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(calls[grid + 1 + i], expected[i]);
}

TEST(LayoutRecording, HeadingFirstGetsSpacerRowFive) {
  std::vector<std::string> names = DefaultItemNames();
  std::swap(names[0], names[1]);  // "CASH RECEIPTS" first
  auto layout = Layout(ByWeek("2"), names);
  const auto& log = layout->factory.log;
  EXPECT_EQ(layout->tmpl.model.Item(1).SheetRow, 6);
  EXPECT_EQ(layout->cells["B6"], "CASH RECEIPTS");
  const long spacer = log.IndexOf("Rows(5:5).Select");
  ASSERT_GE(spacer, 0);
  EXPECT_EQ(
      std::vector<std::string>(log.calls.begin() + spacer + 1, log.calls.begin() + spacer + 5),
      (std::vector<std::string>{"Selection.RowHeight=8", "Selection.Borders(7).LineStyle=-4142",
                                "Selection.Borders(10).LineStyle=-4142", "Selection.Borders(11).LineStyle=-4142"}));
  // The heading band, then bold name.
  const long band = log.IndexOf("Range(B6:F6).Select");
  ASSERT_GE(band, 0);
  EXPECT_EQ(log.calls[band + 1], "Selection.Interior.ColorIndex=43");
  EXPECT_EQ(log.calls[band + 2], "Selection.Borders(11).LineStyle=-4142");
  EXPECT_EQ(log.calls[band + 3], "Range(B6).Select");
  EXPECT_EQ(log.calls[band + 4], "Selection.Font.FontStyle=Bold");
}

TEST(LayoutRecording, TotalRowsFromReferenceListsInListOrder) {
  auto layout = std::make_unique<RecordedLayout>();
  auto& items = layout->tmpl.model.Items();
  for (auto& item : items) {
    item.IsHeader = false;
    item.Refs.clear();
    item.Kind.clear();
  }
  items[4].Kind = "DIF";  // item 5, row 9
  items[4].Refs = "3,8,2";
  items[9].Kind = "SUM";  // item 10, row 14: refers below
  items[9].Refs = "12,13";
  items[14].Kind = "OTHER";  // item 15: styled as a total, no formula
  items[14].Refs = "1";
  items[19].Name = "_Rent";
  layout->Build(ByWeek("3"));  // L = 7 (G)
  auto& cells = layout->cells;
  // Item 5: the first listed row minus the others, in list order, in every column C to G.
  EXPECT_EQ(cells["C9"], "=R[-2]C[0]-R[3]C[0]-R[-3]C[0]");
  for (const char* column : {"D9", "E9", "F9", "G9"}) EXPECT_EQ(cells[column], cells["C9"]) << column;
  EXPECT_EQ(cells.count("H9"), 0u);
  // Item 10 refers to rows below it.
  EXPECT_EQ(cells["C14"], "=R[2]C[0]+R[3]C[0]");
  EXPECT_EQ(cells["D14"], cells["C14"]);
  EXPECT_EQ(cells["G14"], cells["C14"]);
  EXPECT_EQ(cells.count("C19"), 0u);
  EXPECT_EQ(cells.count("D19"), 0u);
  EXPECT_EQ(cells["B24"], "Rent");
  const auto& log = layout->factory.log;
  const long other = log.IndexOf("Range(C19:G19).Select");
  ASSERT_GE(other, 0);
  EXPECT_EQ(log.calls[other + 1], "Selection.Interior.ColorIndex=39");
  EXPECT_EQ(log.calls[other - 1], "Selection.RowHeight=24");
  EXPECT_EQ(log.Count("PageSetup.PrintArea=A1:G50"), 1u);  // no headings: R = 44 + 4
}

TEST(LayoutRecording, BadReferencesEndTheLayoutWithAnError) {
  auto notANumber = std::make_unique<RecordedLayout>();
  notANumber->tmpl.model.Items()[5].Refs = "3,x";
  EXPECT_THROW(notANumber->Build(ByWeek("3")), std::invalid_argument);
  auto outside = std::make_unique<RecordedLayout>();
  outside->tmpl.model.Items()[5].Refs = "3,99";
  EXPECT_THROW(outside->Build(ByWeek("3")), std::out_of_range);
  EXPECT_EQ(outside->factory.log.Count("PageSetup."), 0u);
}

TEST(LayoutRecording, OutOfRangeColumnsAreRefusedNotMislettered) {
  auto layout = std::make_unique<RecordedLayout>();  // L = 703
  EXPECT_THROW(layout->Build(ByWeek("699")), std::out_of_range);
  auto huge = std::make_unique<RecordedLayout>();
  EXPECT_THROW(huge->Build(ByYear("-2147483647", "2147483647")), std::overflow_error);
}

}  // namespace
}  // namespace tallowmere::testing
