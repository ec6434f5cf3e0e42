#pragma once
// What the command line puts where the windows would be: messages printed to stderr, and
// a report host that keeps the picture instead of showing it.

#include <string>

#include "platform/dialogs.h"
#include "platform/files.h"
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

// Keeps the report's picture at keptPath ("" keeps none) for the command to deliver once
// the report is over; everything else the windows would show is dropped.
class CliReportHost : public ReportHost {
 public:
  CliReportHost(FileSystem& files, std::string keptPath) : files_(files), keptPath_(std::move(keptPath)) {}

  void SetMainPointer(PointerKind) override {}
  // Throws std::runtime_error when no picture was made, FileError when it cannot be moved or copied.
  void LoadPreviewPicture(const std::string& picturePath) override;
  void SetPreviewWorkbook(const std::string&) override {}
  void ShowPreview() override {}
  void HideMainWindow() override {}

  // The kept picture; "" when none was kept.
  const std::string& KeptPicture() const { return kept_; }

 private:
  FileSystem& files_;
  std::string keptPath_;
  std::string kept_;
};

}  // namespace tallowmere::cli
