#include "sheet/automation_link.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string_view>

#include "model/text_values.h"
#include "platform/error_report.h"

namespace tallowmere {
namespace {

// The name a running instance of the application answers with.
constexpr std::string_view kApplicationName = "Microsoft Excel";

constexpr const char* kRunningQuestion =
    "Excel may be open. It is recommended that you close Excel first.\r\n\r\n"
    "Would you like to proceed anyway?";

constexpr const char* kNotInstalledMessage =
    "Error 842001. A normal instance of Excel could not be created.\r\n\r\n"
    "1. Please make sure Excel is installed on this computer.\r\n\r\n"
    "2. Please open Excel normally and make sure a blank spreadsheet opens immediately without any "
    "interrupting window (such as an Excel file recovery window).\r\n\r\n"
    "3. Please make sure that when you double-click on a XLS or XLSX file that Excel opens normally "
    "without any interrupting messages.\r\n\r\n"
    "4. All versions of Excel are supported by this software except for the rare Excel Starter and "
    "Student editions.";

// Attempts to read the clipboard before giving up on a busy or empty one.
constexpr int kClipboardReads = 1000;

// The number of the last row and column of a range.
int LastRow(const Range& range) { return range.Row() + range.RowsCount() - 1; }
int LastColumn(const Range& range) { return range.Column() + range.ColumnsCount() - 1; }

}  // namespace

void SpreadsheetLink::CreateSpreadsheetApp() { spreadsheetApp_ = factory_.Create(); }

Application& SpreadsheetLink::SpreadsheetApp() const { return Held(spreadsheetApp_); }

void QuitQuietly(Application& app) {
  try {
    app.Quit();
  } catch (...) {
  }
}

std::shared_ptr<Application> OpenWorkbookInNewApp(ApplicationFactory& factory, const std::string& path) {
  std::shared_ptr<Application> app = factory.Create();
  try {
    app->GetWorkbooks().Open(path);
  } catch (...) {
    // Nobody else holds the new instance: end it rather than leave it running hidden.
    QuitQuietly(*app);
    throw;
  }
  return app;
}

bool IsSpreadsheetAppRunning(ApplicationFactory& factory) {
  try {
    std::shared_ptr<Application> running = factory.GetRunning();
    return running && running->Name() == kApplicationName;
  } catch (...) {
    return false;
  }
}

bool ConfirmIfSpreadsheetAppOpen(ApplicationFactory& factory, Dialogs& dialogs) {
  if (!IsSpreadsheetAppRunning(factory)) return false;
  const MessageAnswer answer =
      dialogs.Message(kRunningQuestion, kApplicationTitle, MessageButtons::YesNo, MessageIcon::None);
  return answer != MessageAnswer::Yes;
}

bool CheckSpreadsheetAppInstalled(ApplicationFactory& factory, Dialogs& dialogs) {
  std::shared_ptr<Application> probe;
  try {
    probe = factory.Create();
  } catch (...) {
  }
  if (probe) return true;  // released here, not quit
  dialogs.Message(kNotInstalledMessage, kApplicationTitle, MessageButtons::Ok, MessageIcon::None);
  return false;
}

char DecimalSeparator() {
  // Formatting follows the C library's numeric locale, as the rest of the process does.
  char text[32];
  std::snprintf(text, sizeof text, "%g", 0.5);
  std::string_view formatted(text);
  while (!formatted.empty() && formatted.front() == ' ') formatted.remove_prefix(1);
  return formatted.size() >= 2 ? formatted[1] : '.';
}

std::string ToLocaleDecimal(const std::string& text) { return ToLocaleDecimal(text, DecimalSeparator()); }

std::string ToLocaleDecimal(const std::string& text, char separator) {
  std::string result = text;
  std::replace(result.begin(), result.end(), '.', separator);
  std::replace(result.begin(), result.end(), ',', separator);
  return result;
}

int FileFormatForVersion(const std::string& version, char separator) {
  // The locale's reading of the text: its separator is the decimal point.
  std::string localeText = ToLocaleDecimal(version, separator);
  std::replace(localeText.begin(), localeText.end(), separator, '.');
  const int whole = WholeNumberOf(localeText);
  if (whole < std::numeric_limits<short>::min() || whole > std::numeric_limits<short>::max())
    throw std::overflow_error("Overflow");
  return whole > 11 ? xl::kExcel8 : xl::kWorkbookNormal;
}

int WorkbookFileFormat(ApplicationFactory& factory, Application* app) {
  std::string version;
  if (app) {
    version = app->Version();
  } else {
    std::shared_ptr<Application> temporary = factory.Create();
    version = temporary->Version();
    temporary->Quit();
  }
  return FileFormatForVersion(version, DecimalSeparator());
}

bool saveCellsActivesheet(Workbook* workbook, const std::string& path, PictureClipboard& clipboard, Dialogs& dialogs,
                          FileSystem& files) {
  ErrorTrap trap(dialogs, location::kSaveCellsActivesheet);
  std::shared_ptr<Worksheet> sheet;
  int lastRow = 0;
  int lastColumn = 0;
  trap.Run(100, [&] { sheet = Held(workbook).ActiveSheet(); });
  auto usedRange = [&] { return Held(sheet.get()).UsedRange(); };
  trap.Run(102, [&] { lastRow = LastRow(*usedRange()); });
  trap.Run(104, [&] { lastColumn = LastColumn(*usedRange()); });
  if (!trap.Test(106, [&] { return lastRow > 1 && lastColumn > 1; })) return false;
  // Only a picture copied by this call is written: an older one still on the clipboard
  // would show another sheet.
  if (!trap.Run(110, [&] { usedRange()->CopyPicture(); })) return false;
  return trap.Run(112, [&] {
    const SharedPicture picture = PictureFromClipboard(clipboard, 0);
    if (!picture) throw std::runtime_error("The clipboard holds no picture");
    // The file is the picture's only use: the clipboard lets go of it (hundreds of
    // megabytes for a large sheet) once this write is done, whether or not it succeeds.
    clipboard.SetPicture(nullptr);
    WriteFileWhole(files, path, picture->data(), picture->size());
  });
}

SharedPicture PictureFromClipboard(PictureClipboard& clipboard, int format) {
  for (int read = 0; read < kClipboardReads; ++read) {
    try {
      SharedPicture picture = clipboard.GetPicture(format);
      if (picture) return picture;
    } catch (...) {
    }
  }
  return nullptr;
}

}  // namespace tallowmere
