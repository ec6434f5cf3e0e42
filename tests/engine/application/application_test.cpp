// The engine's object model: selection semantics, formats on ranges, rows, columns and
// the whole sheet, borders, merges, values, UsedRange and the refusals an automation
// client sees as errors.
#include "engine/application/application.h"

#include <gtest/gtest.h>

#include <fstream>

#include "automation/automation.h"
#include "engine/core/engine_error.h"
#include "engine/xls/xls_reader.h"
#include "support/temporary_folder.h"

namespace tallowmere::engine {
namespace {

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() : factory_(clipboard_, LocalFileSystem()), app_(factory_.Create()) { app_->GetWorkbooks().Add(); }

  std::unique_ptr<Range> Select(const std::string& address) {
    app_->GetRange(address)->Select();
    return app_->Selection();
  }
  int UsedRows() { return app_->ActiveSheet()->UsedRange()->RowsCount(); }

  InProcessClipboard clipboard_;
  EngineApplicationFactory factory_;
  std::shared_ptr<Application> app_;
};

TEST_F(EngineTest, IdentifiesItselfAndIsNeverAlreadyRunning) {
  EXPECT_EQ(app_->Version(), "16.0");
  EXPECT_EQ(app_->Name(), "Tallowmere Sheet Engine");
  EXPECT_THROW(factory_.GetRunning(), AutomationError);
  EXPECT_DOUBLE_EQ(app_->InchesToPoints(0.7), 50.4);
}

TEST_F(EngineTest, WorkbooksAndSheets) {
  EXPECT_EQ(app_->GetWorkbooks().Count(), 1);
  EXPECT_EQ(app_->GetSheets().Count(), 1);
  EXPECT_EQ(app_->GetSheets().Item(1)->Name(), "Sheet1");
  EXPECT_THROW(app_->GetSheets().Item(1)->Delete(), AutomationError);  // the last sheet stays
  EXPECT_THROW(app_->GetSheets().Item(2), AutomationError);

  EngineApplicationFactory three(clipboard_, LocalFileSystem(), 3);
  auto other = three.Create();
  other->GetWorkbooks().Add();
  ASSERT_EQ(other->GetSheets().Count(), 3);
  other->GetSheets().Item(2)->Delete();
  other->GetSheets().Item(2)->Delete();
  EXPECT_EQ(other->GetSheets().Count(), 1);
  other->GetSheets().Item(1)->SetName("CashFlow");
  EXPECT_EQ(other->ActiveSheet()->Name(), "CashFlow");
  EXPECT_THROW(other->GetSheets().Item(1)->SetName("bad/name"), AutomationError);

  auto book = app_->ActiveWorkbook();
  book->Close();
  EXPECT_EQ(app_->GetWorkbooks().Count(), 0);
  EXPECT_THROW(app_->ActiveSheet(), AutomationError);
  EXPECT_THROW(book->GetSheets().Count(), AutomationError);
}

TEST_F(EngineTest, BadAddressesAreRefusedWithTheAddress) {
  for (const char* bad : {"", "B", "B0", "1B", "IW1", "A65537", "B2:", "B2:C", "A1 ", "5", "D"}) {
    try {
      app_->GetRange(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const AutomationError& error) {
      EXPECT_NE(std::string(error.what()).find("Range"), std::string::npos) << error.what();
    }
  }
  EXPECT_THROW(app_->Rows("D:D"), AutomationError);
  EXPECT_THROW(app_->Columns("5:5"), AutomationError);
  EXPECT_NO_THROW(app_->GetRange("$B$4:$P$50"));
  EXPECT_NO_THROW(app_->GetRange("IV65536"));
}

TEST_F(EngineTest, SelectionIsTheLastSelectedRangeAndActiveCellItsTopLeft) {
  auto sel = Select("D7:B4");
  EXPECT_EQ(sel->Row(), 4);
  EXPECT_EQ(sel->Column(), 2);
  EXPECT_EQ(sel->RowsCount(), 4);
  EXPECT_EQ(sel->ColumnsCount(), 3);
  app_->ActiveCell()->SetFormulaR1C1("12");
  sel->SetFontStyle("Bold");

  app_->Rows("5:6")->Select();
  EXPECT_EQ(app_->Selection()->ColumnsCount(), 256);
  EXPECT_EQ(app_->ActiveCell()->Row(), 5);
  EXPECT_EQ(app_->ActiveCell()->Column(), 1);
  // The value landed in B4 only; the bold went to the whole earlier selection.
  auto used = app_->ActiveSheet()->UsedRange();
  EXPECT_EQ(used->Row(), 4);
  EXPECT_EQ(used->RowsCount(), 4);
  EXPECT_EQ(used->ColumnsCount(), 3);
}

TEST_F(EngineTest, UsedRangeIgnoresSheetRowAndColumnFormats) {
  EXPECT_EQ(UsedRows(), 1);  // empty sheet: A1
  app_->Cells()->Select();
  app_->Selection()->SetInteriorColorIndex(2);
  app_->Rows("9:9")->Select();
  app_->Selection()->SetFontSize(14);
  app_->Columns("F:F")->Select();
  app_->Selection()->SetRowHeight(20);
  auto used = app_->ActiveSheet()->UsedRange();
  EXPECT_EQ(used->Row(), 1);
  EXPECT_EQ(used->RowsCount(), 1);
  EXPECT_EQ(used->ColumnsCount(), 1);

  Select("C3")->SetFormulaR1C1("x");
  Select("E12")->SetNumberFormat("0.00");  // formatting of its own counts
  used = app_->ActiveSheet()->UsedRange();
  EXPECT_EQ(used->Row(), 3);
  EXPECT_EQ(used->Column(), 3);
  EXPECT_EQ(used->RowsCount(), 10);
  EXPECT_EQ(used->ColumnsCount(), 3);
}

TEST_F(EngineTest, WholeSheetAndColumnFormatsCostWhatTheyChange) {
  // A million cells would take seconds and gigabytes; formats of whole rows, columns
  // and the sheet must not create cells.
  for (int i = 0; i < 200; ++i) {
    app_->Cells()->Select();
    app_->Selection()->SetInteriorColorIndex(2 + i % 3);
    app_->Columns("A:IV")->Select();
    app_->Selection()->SetFontName("Arial");
    app_->Rows("1:65536")->Select();
    app_->Selection()->SetWrapText(true);
  }
  EXPECT_EQ(UsedRows(), 1);
}

TEST_F(EngineTest, RefusesBadPropertyValues) {
  auto sel = Select("B2");
  EXPECT_THROW(sel->SetFontStyle("Heavy"), AutomationError);
  EXPECT_THROW(sel->SetFontColorIndex(57), AutomationError);
  EXPECT_THROW(sel->SetInteriorColorIndex(0), AutomationError);
  EXPECT_THROW(sel->SetHorizontalAlignment(5), AutomationError);
  EXPECT_THROW(sel->SetRowHeight(500), AutomationError);
  EXPECT_THROW(sel->SetColumnWidth(-1), AutomationError);
  EXPECT_THROW(sel->SetBorderWeight(13, 2), AutomationError);
  EXPECT_THROW(sel->SetBorderLineStyle(7, 99), AutomationError);
  EXPECT_THROW(app_->ActiveWorkbook()->SetColor(57, 0), AutomationError);
  EXPECT_THROW(app_->ActiveSheet()->GetPageSetup().SetPrintArea("A1:"), AutomationError);
  EXPECT_THROW(app_->ActiveSheet()->GetPageSetup().SetOrientation(3), AutomationError);
}

TEST_F(EngineTest, BadFormulaIsRefusedAndTheCellKeepsItsContent) {
  auto cell = Select("B2");
  cell->SetFormulaR1C1("5");
  try {
    cell->SetFormulaR1C1("=R[1]C[+");
    FAIL() << "accepted a malformed formula";
  } catch (const AutomationError& error) {
    EXPECT_NE(std::string(error.what()).find("=R[1]C[+"), std::string::npos);
  }
  EXPECT_EQ(UsedRows(), 1);
}

TEST_F(EngineTest, SavedWorkbookOpensInANewInstanceAndFileErrorsAreAutomationErrors) {
  testing::TemporaryFolder dir;
  Select("C5")->SetFormulaR1C1("=2*3");
  Select("B2:D4");
  const std::string path = dir.FilePath("book.xls");
  app_->ActiveWorkbook()->SaveAs(path, xl::kWorkbookNormal);
  EXPECT_THROW(app_->ActiveWorkbook()->SaveAs(dir.FilePath("missing/book.xls"), xl::kExcel8), AutomationError);

  auto other = factory_.Create();
  auto book = other->GetWorkbooks().Open(path);
  EXPECT_EQ(other->GetWorkbooks().Count(), 1);
  auto used = book->ActiveSheet()->UsedRange();
  EXPECT_EQ(used->Row(), 5);
  EXPECT_EQ(used->Column(), 3);
  EXPECT_EQ(other->Selection()->Row(), 2);  // the file opens with the selection it was saved with
  EXPECT_EQ(other->Selection()->ColumnsCount(), 3);
  EXPECT_THROW(other->GetWorkbooks().Open(dir.FilePath("none.xls")), AutomationError);
}

TEST_F(EngineTest, FileErrorsReachTheClientWithTheReadersDescription) {
  testing::TemporaryFolder dir;
  const std::string path = dir.FilePath("notes.xls");
  std::ofstream(path) << "not a workbook";
  std::string expected;
  try {
    ReadXls(path);
  } catch (const EngineError& error) {
    expected = error.what();
  }
  ASSERT_FALSE(expected.empty());
  try {
    app_->GetWorkbooks().Open(path);
    FAIL() << "opened a text file";
  } catch (const AutomationError& error) {
    EXPECT_EQ(error.what(), expected);
  }
}

TEST_F(EngineTest, MergeOfOneCellStoresNothingAndCopyPictureFillsTheClipboard) {
  Select("B2")->Merge();
  Select("B2")->SetFormulaR1C1("Cash flow");
  Select("B2:D3")->Merge();
  app_->ActiveSheet()->UsedRange()->CopyPicture();
  auto picture = clipboard_.GetPicture(0);
  ASSERT_NE(picture, nullptr);
  ASSERT_GT(picture->size(), 54u);
  EXPECT_EQ((*picture)[0], 'B');
  EXPECT_EQ((*picture)[1], 'M');
}

}  // namespace
}  // namespace tallowmere::engine
