#pragma once
// One cash-flow report end to end: lay the sheet out in a new application instance, save
// it as a temporary workbook, export its picture through a second instance and hand both
// to the preview.

#include <string>
#include <string_view>

#include "automation/automation.h"
#include "model/report_parameters.h"
#include "model/template_model.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/picture_clipboard.h"
#include "sheet/report_host.h"
#include "sheet/temporary_workbook.h"

namespace tallowmere {

// How the error report names the report driver.
namespace location {
inline constexpr std::string_view kGenerateReport0 = "in Brindlecast2021/08/31.TwelveMonthCashFlowS.GenerateReport0 ";
}  // namespace location

struct ReportEnvironment {
  ApplicationFactory& factory;
  Dialogs& dialogs;  // the error report goes here
  PictureClipboard& clipboard;
  FileSystem& files;        // every file the report creates, writes or removes
  std::string tempFolder;   // where the temporary workbook and picture go
  DigitSource digits = {};  // digits of temporary names; empty: random digits
  // Whether the report exports and hands over the picture of its sheet (the windows
  // always do; the command line only when a picture was asked for).
  bool exportPicture = true;
};

// What one report did. A report goes on after a failed step, so its workbook may hold
// half a sheet.
struct ReportOutcome {
  std::string workbookPath;    // the temporary workbook; "" when none was saved
  bool anyStepFailed = false;  // a step of the report's own trap was reported as failed
  bool sheetWhole = false;     // every step that makes the sheet, up to its layout, succeeded
};

// The picture file of a report in folder: "temp.bmp".
std::string PictureFilePath(const std::string& folder);

// Runs the report under its own error trap; never throws. Returns what happened. The
// temporary workbook is the caller's to remove; the picture file is removed before
// returning. Nothing is left at a drawn name whose save failed, and no file this run did
// not create is written.
ReportOutcome GenerateReport0(const ReportEnvironment& env, TemplateModel& model, const ReportParameters& parameters,
                              ReportHost& host);

}  // namespace tallowmere
