#include "cli/delivery.h"

#include <exception>

#include "cli/exit_status.h"

namespace tallowmere::cli {
namespace {

// Puts the kept picture at target; the status of that step.
int DeliverPicture(FileSystem& files, const std::string& kept, const std::string& target) {
  if (kept.empty()) return kDone;
  try {
    MoveFileReplacing(files, kept, target);
  } catch (const std::exception& e) {
    return Fail(kErrors, e.what());
  }
  return kDone;
}

}  // namespace

int Deliver(const Delivery& to, const ReportOutcome& outcome, const std::string& keptPicture, int errorReports) {
  FileSystem& files = to.files;
  const std::string& temporary = outcome.workbookPath;
  if (temporary.empty()) return Fail(kErrors, "the workbook could not be saved; " + to.out + " was not written");
  if (!outcome.sheetWhole) {
    RemoveQuietly(files, temporary);
    return Fail(kErrors, "the sheet could not be laid out whole; " + to.out +
                             (to.picture.empty() ? " was" : " and the picture were") + " not written");
  }
  int status = errorReports ? kErrors : kDone;
  if (DeliverPicture(files, keptPicture, to.picture) != kDone) status = kErrors;
  try {
    // The run's own workbook is not needed afterwards: an .xls moves to its place.
    if (to.format == CopyFormat::Xls)
      MoveFileReplacing(files, temporary, to.out);
    else
      SaveReportCopy(to.factory, files, temporary, to.out, to.format);
  } catch (const std::exception& e) {
    status = Fail(kErrors, e.what());
  }
  RemoveQuietly(files, temporary);
  return status;
}

}  // namespace tallowmere::cli
