#pragma once
// What the command line puts where the windows would be: messages printed to stderr, and
// a report host that keeps the picture instead of showing it.

#include <string>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "sheet/report_driver.h"
#include "sheet/report_host.h"

namespace tallowmere::cli {

// Prints every message to stderr; answers No to questions and cancels input and Save As.
class StderrDialogs : public Dialogs {
 public:
  MessageAnswer Message(const std::string& text, const std::string& title, MessageButtons buttons, MessageIcon icon,
                        bool defaultNo = false) override;
  std::string Input(const std::string& prompt, const std::string& title) override;
  SaveChoice SaveFileName(const std::string& title, const std::vector<FileType>& types) override;

  // Error reports (warning messages) printed so far.
  int ErrorReports() const { return errorReports_; }

 private:
  int errorReports_ = 0;
};

// Moves the report's picture to picturePath ("" keeps none), unless the report could not
// lay its sheet out whole, and remembers the workbook.
class CliReportHost : public ReportHost {
 public:
  CliReportHost(std::string picturePath, const ReportEnvironment& report)
      : picturePath_(std::move(picturePath)), report_(report) {}

  void SetMainPointer(PointerKind) override {}
  // Throws std::runtime_error when no picture was made, FileError when it cannot be moved or copied.
  void LoadPreviewPicture(const std::string& picturePath) override;
  void SetPreviewWorkbook(const std::string& workbookPath) override { workbook_ = workbookPath; }
  void ShowPreview() override {}
  void HideMainWindow() override {}

  const std::string& Workbook() const { return workbook_; }

 private:
  std::string picturePath_;
  const ReportEnvironment& report_;
  std::string workbook_;
};

}  // namespace tallowmere::cli
