#include "sheet/report_driver.h"

#include <cstdlib>
#include <filesystem>

#include "platform/error_report.h"
#include "platform/files.h"
#include "sheet/automation_link.h"
#include "sheet/cash_flow_sheet.h"

namespace tallowmere {
namespace {

// Redraws of an existing name before giving up; with 9^8 names this is never reached
// unless the folder answers every name as taken.
constexpr int kMaxNameDraws = 10000;

constexpr const char* kCashFlowSheetName = "CashFlow";

template <typename T>
T& Held(const std::shared_ptr<T>& object) {
  if (!object) throw AutomationError("Object variable or With block variable not set");
  return *object;
}

}  // namespace

std::string TempFolder() {
  if (const char* temp = std::getenv("TEMP"); temp && *temp) return temp;
  std::error_code ec;
  const std::filesystem::path system = std::filesystem::temp_directory_path(ec);
  return ec ? std::string(".") : system.string();
}

std::string PictureFilePath(const std::string& folder) { return JoinPath(folder, "temp.bmp"); }

std::string GenerateReport0(ReportEnvironment& env, TemplateModel& model, const ReportParameters& parameters,
                            ReportHost& host) {
  ErrorTrap trap(env.dialogs, location::kGenerateReport0);
  SpreadsheetLink link(env.factory);
  const DigitSource digits = env.digits ? env.digits : RandomDigits();
  auto app = [&]() -> Application& { return link.SpreadsheetApp(); };
  std::shared_ptr<Workbook> reportWorkbook;
  int extraSheets = 0;

  trap.Run(104, [&] { link.CreateSpreadsheetApp(); });
  trap.Run(106, [&] { app().SetVisible(false); });
  trap.Run(108, [&] { app().SetScreenUpdating(false); });
  trap.Run(110, [&] { app().SetDisplayAlerts(false); });
  trap.Run(112, [&] { app().SetEnableEvents(false); });
  trap.Run(114, [&] { app().SetEnableCancelKey(0); });
  trap.Run(116, [&] { app().SetCursor(xl::kCursorWait); });
  trap.Run(120, [&] { reportWorkbook = app().GetWorkbooks().Add(); });
  trap.Run(122, [&] {
    const int count = app().GetSheets().Count();
    extraSheets = count == 1 ? 0 : count - 1;
  });
  for (int i = 0; i < extraSheets; ++i) trap.Run(124, [&] { app().GetSheets().Item(2)->Delete(); });
  trap.Run(126, [&] {
    Sheets& sheets = app().GetSheets();
    Held(sheets.Item(sheets.Count())).SetName(kCashFlowSheetName);
  });
  trap.Run(128, [&] { BuildCashFlowSheet(link, model, parameters); });
  trap.Run(130, [&] { app().GetRange("C5")->Select(); });
  trap.Run(132, [&] { Held(app().GetSheets().Item(1)).Select(); });
  trap.Run(134, [&] { app().SetCursor(xl::kCursorDefault); });
  trap.Run(136, [&] { app().SetScreenUpdating(true); });
  trap.Run(138, [&] { app().SetDisplayAlerts(true); });
  trap.Run(140, [&] { app().SetEnableEvents(true); });
  trap.Run(142, [&] { app().SetEnableCancelKey(1); });

  // A name counts as drawn once its file has been created here; a name already taken
  // is drawn again.
  std::string stem;
  std::string tempWorkbookPath;
  for (int draw = 0; draw < kMaxNameDraws; ++draw) {
    trap.Run(144, [&] { stem = DrawWorkbookStem(digits); });
    trap.Run(156, [&] { tempWorkbookPath = JoinPath(env.tempFolder, stem + ".xls"); });
    Claim claim = Claim::Created;
    trap.Run(158, [&] { claim = ClaimFile(tempWorkbookPath); });
    if (claim == Claim::Created) break;
  }
  trap.Run(160, [&] {
    Workbook& workbook = Held(reportWorkbook);
    workbook.SaveAs(tempWorkbookPath, WorkbookFileFormat(env.factory, link.HasSpreadsheetApp() ? &app() : nullptr));
  });
  trap.Run(162, [&] { app().SetDisplayAlerts(false); });
  trap.Run(164, [&] { Held(reportWorkbook).Close(); });
  trap.Run(166, [&] { app().Quit(); });
  trap.Run(168, [&] { link.ReleaseSpreadsheetApp(); });
  reportWorkbook.reset();

  const std::string picturePath = PictureFilePath(env.tempFolder);
  std::shared_ptr<Application> pictureApp;
  std::shared_ptr<Workbook> pictureWorkbook;
  trap.Run(170, [&] { pictureApp = OpenWorkbookInNewApp(env.factory, tempWorkbookPath); });
  trap.Run(172, [&] { host.SetMainPointer(11); });
  trap.Run(174, [&] {
    Workbooks& books = Held(pictureApp).GetWorkbooks();
    pictureWorkbook = books.Item(books.Count());
  });
  trap.Run(176, [&] { saveCellsActivesheet(Held(pictureWorkbook), picturePath, env.clipboard, env.dialogs); });
  trap.Run(178, [&] { Held(pictureApp).SetDisplayAlerts(false); });
  trap.Run(180, [&] { Held(pictureWorkbook).Close(); });
  trap.Run(182, [&] { Held(pictureApp).Quit(); });
  trap.Run(184, [&] { host.SetMainPointer(0); });
  pictureWorkbook.reset();
  pictureApp.reset();

  trap.Run(186, [&] { host.LoadPreviewPicture(picturePath); });
  trap.Run(188, [&] { host.SetPreviewWorkbook(tempWorkbookPath); });
  trap.Run(190, [&] { host.ShowPreview(); });
  trap.Run(192, [&] { host.HideMainWindow(); });
  trap.Run(194, [&] { RemoveFile(picturePath); });
  return tempWorkbookPath;
}

}  // namespace tallowmere
