#include "cli/console.h"

#include <iostream>
#include <stdexcept>

#include "platform/files.h"

namespace tallowmere::cli {
namespace {

// Message texts separate their lines with CR LF or CR; a terminal wants LF.
std::string TerminalText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      out += '\n';
    }
  }
  return out;
}

}  // namespace

MessageAnswer StderrDialogs::Message(const std::string& text, const std::string& title, MessageButtons buttons,
                                     MessageIcon icon, bool /*defaultNo*/) {
  if (icon == MessageIcon::Warning) ++errorReports_;
  std::cerr << title << ": " << TerminalText(text) << "\n";
  return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

std::string StderrDialogs::Input(const std::string&, const std::string&) { return ""; }

SaveChoice StderrDialogs::SaveFileName(const std::string&, const std::vector<FileType>&) { return {}; }

void CliReportHost::LoadPreviewPicture(const std::string& picturePath) {
  if (picturePath.empty()) throw std::runtime_error("No picture of the sheet was made");
  if (keptPath_.empty()) return;
  // The report removes its own picture once it is handed over, so it may as well move:
  // one rename instead of writing the whole picture a second time.
  MoveFileReplacing(files_, picturePath, keptPath_);
  kept_ = keptPath_;
}

}  // namespace tallowmere::cli
