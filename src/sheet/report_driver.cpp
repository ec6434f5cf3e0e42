#include "sheet/report_driver.h"

#include "platform/error_report.h"
#include "sheet/automation_link.h"
#include "sheet/cash_flow_sheet.h"

namespace tallowmere {
namespace {

// Draws of a name before giving up; with 9^8 names this is never reached unless the
// folder answers every name as taken.
constexpr int kMaxNameDraws = 10000;

constexpr const char* kCashFlowSheetName = "CashFlow";

// One report's steps, run in order under the driver's error trap; each phase goes on
// from what the phases before it left, however they ended.
class ReportRun {
 public:
  ReportRun(const ReportEnvironment& env, ReportHost& host)
      : env_(env), host_(host), trap_(env.dialogs, location::kGenerateReport0), link_(env.factory) {}

  void PrepareWorkbook();
  void LayOut(TemplateModel& model, const ReportParameters& parameters);
  void RestoreSettings();
  void SaveTemporaryWorkbook();
  void ExportPicture();
  void HandOver();
  const std::string& TempWorkbookPath() const { return tempWorkbookPath_; }
  int Failures() const { return trap_.Failures(); }

 private:
  Application& App() const { return link_.SpreadsheetApp(); }
  std::string ClaimTemporaryName();

  const ReportEnvironment& env_;
  ReportHost& host_;
  ErrorTrap trap_;
  SpreadsheetLink link_;
  std::shared_ptr<Workbook> reportWorkbook_;
  std::string tempWorkbookPath_;
  bool claimFailureReported_ = false;
  std::string picturePath_;
  bool pictureWritten_ = false;
};

void ReportRun::PrepareWorkbook() {
  int extraSheets = 0;
  trap_.Run(104, [&] { link_.CreateSpreadsheetApp(); });
  trap_.Run(106, [&] { App().SetVisible(false); });
  trap_.Run(108, [&] { App().SetScreenUpdating(false); });
  trap_.Run(110, [&] { App().SetDisplayAlerts(false); });
  trap_.Run(112, [&] { App().SetEnableEvents(false); });
  trap_.Run(114, [&] { App().SetEnableCancelKey(0); });
  trap_.Run(116, [&] { App().SetCursor(xl::kCursorWait); });
  trap_.Run(120, [&] { reportWorkbook_ = App().GetWorkbooks().Add(); });
  trap_.Run(122, [&] {
    const int count = App().GetSheets().Count();
    extraSheets = count == 1 ? 0 : count - 1;
  });
  for (int i = 0; i < extraSheets; ++i) trap_.Run(124, [&] { App().GetSheets().Item(2)->Delete(); });
  trap_.Run(126, [&] {
    Sheets& sheets = App().GetSheets();
    Held(sheets.Item(sheets.Count())).SetName(kCashFlowSheetName);
  });
}

void ReportRun::LayOut(TemplateModel& model, const ReportParameters& parameters) {
  trap_.Run(128, [&] { BuildCashFlowSheet(link_, model, parameters); });
  trap_.Run(130, [&] { App().GetRange("C5")->Select(); });
  trap_.Run(132, [&] { Held(App().GetSheets().Item(1)).Select(); });
}

void ReportRun::RestoreSettings() {
  trap_.Run(134, [&] { App().SetCursor(xl::kCursorDefault); });
  trap_.Run(136, [&] { App().SetScreenUpdating(true); });
  trap_.Run(138, [&] { App().SetDisplayAlerts(true); });
  trap_.Run(140, [&] { App().SetEnableEvents(true); });
  trap_.Run(142, [&] { App().SetEnableCancelKey(1); });
}

// A name counts as drawn once its file has been created here, so that no other report
// receives it; a name already taken is drawn again. "" when no name could be claimed:
// the report then saves nowhere rather than over a file that is not its own. A file that
// could not be created (a missing or closed folder) has been reported at line 158 and
// sets claimFailureReported_.
std::string ReportRun::ClaimTemporaryName() {
  const DigitSource digits = env_.digits ? env_.digits : RandomDigits();
  for (int draw = 0; draw < kMaxNameDraws; ++draw) {
    std::string stem;
    std::string path;
    trap_.Run(144, [&] { stem = DrawWorkbookStem(digits); });
    trap_.Run(156, [&] { path = JoinPath(env_.tempFolder, stem + ".xls"); });
    bool created = false;
    // A name whose file can be neither created nor found taken is reported once; drawing
    // again would only meet the same folder.
    if (!trap_.Run(158, [&] { created = env_.files.CreateNew(path); })) {
      claimFailureReported_ = true;
      return "";
    }
    if (created) return path;
  }
  return "";
}

void ReportRun::SaveTemporaryWorkbook() {
  const std::string claimed = ClaimTemporaryName();
  // The folder's failure, reported once already, is not reported again as a name problem.
  const bool saved = !claimFailureReported_ && trap_.Run(160, [&] {
    if (claimed.empty())
      throw std::runtime_error("No free name for the temporary workbook in " + env_.tempFolder +
                               "; the workbook was not saved");
    Workbook& workbook = Held(reportWorkbook_);
    workbook.SaveAs(claimed, WorkbookFileFormat(env_.factory, link_.HasSpreadsheetApp() ? &App() : nullptr));
  });
  // The name's empty placeholder is no workbook: nothing may show or copy it.
  if (saved)
    tempWorkbookPath_ = claimed;
  else
    RemoveQuietly(env_.files, claimed);
  trap_.Run(162, [&] { App().SetDisplayAlerts(false); });
  trap_.Run(164, [&] { Held(reportWorkbook_).Close(); });
  trap_.Run(166, [&] { App().Quit(); });
  trap_.Run(168, [&] { link_.ReleaseSpreadsheetApp(); });
  reportWorkbook_.reset();
}

void ReportRun::ExportPicture() {
  picturePath_ = PictureFilePath(env_.tempFolder);
  std::shared_ptr<Application> pictureApp;
  std::shared_ptr<Workbook> pictureWorkbook;
  trap_.Run(170, [&] {
    if (tempWorkbookPath_.empty())
      throw std::runtime_error("No workbook was saved, so none can be opened for its picture");
    pictureApp = OpenWorkbookInNewApp(env_.factory, tempWorkbookPath_);
  });
  trap_.Run(172, [&] { host_.SetMainPointer(PointerKind::Busy); });
  trap_.Run(174, [&] {
    Workbooks& books = Held(pictureApp).GetWorkbooks();
    pictureWorkbook = books.Item(books.Count());
  });
  trap_.Run(176, [&] {
    pictureWritten_ =
        saveCellsActivesheet(pictureWorkbook.get(), picturePath_, env_.clipboard, env_.dialogs, env_.files);
  });
  trap_.Run(178, [&] { Held(pictureApp).SetDisplayAlerts(false); });
  trap_.Run(180, [&] { Held(pictureWorkbook).Close(); });
  trap_.Run(182, [&] { Held(pictureApp).Quit(); });
  trap_.Run(184, [&] { host_.SetMainPointer(PointerKind::Default); });
}

// Only a picture this report wrote is shown: a file left at the picture's name by an
// earlier run would show another sheet.
void ReportRun::HandOver() {
  if (env_.exportPicture)
    trap_.Run(186, [&] { host_.LoadPreviewPicture(pictureWritten_ ? picturePath_ : std::string()); });
  trap_.Run(188, [&] { host_.SetPreviewWorkbook(tempWorkbookPath_); });
  trap_.Run(190, [&] { host_.ShowPreview(); });
  trap_.Run(192, [&] { host_.HideMainWindow(); });
  if (env_.exportPicture)
    trap_.Run(194, [&] { RemoveFile(env_.files, picturePath_, [&] { host_.RunPendingEvents(); }); });
}

}  // namespace

std::string PictureFilePath(const std::string& folder) { return JoinPath(folder, "temp.bmp"); }

ReportOutcome GenerateReport0(const ReportEnvironment& env, TemplateModel& model, const ReportParameters& parameters,
                              ReportHost& host) {
  ReportRun run(env, host);
  ReportOutcome outcome;
  run.PrepareWorkbook();
  run.LayOut(model, parameters);
  outcome.sheetWhole = run.Failures() == 0;
  run.RestoreSettings();
  run.SaveTemporaryWorkbook();
  if (env.exportPicture) run.ExportPicture();
  run.HandOver();
  outcome.workbookPath = run.TempWorkbookPath();
  outcome.anyStepFailed = run.Failures() != 0;
  return outcome;
}

}  // namespace tallowmere
