#pragma once
// One cash-flow report end to end: lay the sheet out in a new application instance, save
// it as a temporary workbook, export its picture through a second instance and hand both
// to the preview.

#include <string>

#include "model/report_parameters.h"
#include "model/template_model.h"
#include "platform/dialogs.h"
#include "platform/picture_clipboard.h"
#include "sheet/automation.h"
#include "sheet/report_host.h"

namespace tallowmere {

struct ReportEnvironment {
  ApplicationFactory& factory;
  Dialogs& dialogs;            // the error report goes here
  PictureClipboard& clipboard;
  std::string tempFolder;      // where the temporary workbook and picture go
};

// The temporary folder: $TEMP when set, else the system's temporary folder.
std::string TempFolder();

// Runs the report under its own error trap; never throws. Returns the path of the
// temporary workbook ("" when none was drawn).
std::string GenerateReport0(ReportEnvironment& env, TemplateModel& model, const ReportParameters& parameters,
                            ReportHost& host);

}  // namespace tallowmere
