#pragma once
// The last step of generate: the finished report's workbook and kept picture go to the
// places the command line names, each whole or not at all.

#include <string>

#include "automation/automation.h"
#include "platform/files.h"
#include "sheet/report_copy.h"
#include "sheet/report_driver.h"

namespace tallowmere::cli {

// Where a run's files go.
struct Delivery {
  ApplicationFactory& factory;  // opens the workbook again to save an .xlsx or a PDF
  FileSystem& files;
  std::string out;      // the workbook's destination
  CopyFormat format;    // out's format
  std::string picture;  // the picture's destination; "" for none
};

// Writes the report's workbook to to.out and keptPicture ("" when none was kept) to
// to.picture, then removes the temporary workbook. A sheet laid out only in part replaces
// no older file: neither out nor the picture. Returns the run's exit status: kErrors when
// errorReports were printed or a file could not be written (said on stderr), else kDone.
int Deliver(const Delivery& to, const ReportOutcome& outcome, const std::string& keptPicture, int errorReports);

}  // namespace tallowmere::cli
