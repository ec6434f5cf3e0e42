#pragma once
// Obtaining and dropping spreadsheet application instances, the two checks against the
// installation, the workbook file format and the export of a sheet picture.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "automation/automation.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/picture_clipboard.h"

namespace tallowmere {

// How the error report names the picture export.
namespace location {
inline constexpr std::string_view kSaveCellsActivesheet = "in Brindlecast2021/08/31.Excel1.saveCellsActivesheet ";
}  // namespace location

// The application instance a report lays its sheet out on; empty outside a report.
class SpreadsheetLink {
 public:
  explicit SpreadsheetLink(ApplicationFactory& factory) : factory_(factory) {}

  void CreateSpreadsheetApp();  // throws AutomationError
  void ReleaseSpreadsheetApp() { spreadsheetApp_.reset(); }
  // Throws AutomationError while no instance is held.
  Application& SpreadsheetApp() const;
  bool HasSpreadsheetApp() const { return spreadsheetApp_ != nullptr; }
  ApplicationFactory& Factory() const { return factory_; }

 private:
  ApplicationFactory& factory_;
  std::shared_ptr<Application> spreadsheetApp_;
};

// The object behind a handle. An empty handle throws AutomationError, as a call through
// an object variable that was never set fails.
template <typename T>
T& Held(T* object) {
  if (!object) throw AutomationError("Object variable or With block variable not set");
  return *object;
}
template <typename T>
T& Held(const std::shared_ptr<T>& object) {
  return Held(object.get());
}

// Ends the instance; a failure to end it is ignored (there is nothing left to do about it).
void QuitQuietly(Application& app);

// A new instance with the workbook at path open.
std::shared_ptr<Application> OpenWorkbookInNewApp(ApplicationFactory& factory, const std::string& path);

bool IsSpreadsheetAppRunning(ApplicationFactory& factory);
// True when the user declined to go on.
bool ConfirmIfSpreadsheetAppOpen(ApplicationFactory& factory, Dialogs& dialogs);
// True when an instance can be created. Otherwise shows the five-paragraph message and
// returns false: the caller then ends the program at once.
bool CheckSpreadsheetAppInstalled(ApplicationFactory& factory, Dialogs& dialogs);

// The decimal separator of the numeric locale: the second character of 0.5 as formatted.
char DecimalSeparator();
// Every "." and then every "," of text replaced by the separator.
std::string ToLocaleDecimal(const std::string& text);
std::string ToLocaleDecimal(const std::string& text, char separator);
// The file format for a version text read in a locale with the given separator: the
// version as a 16-bit whole number (halves to even), 56 above 11, else -4143. Throws
// std::overflow_error for a version outside the 16-bit range.
int FileFormatForVersion(const std::string& version, char separator);
// 56 for version 12 and later, -4143 before; app may be null (a temporary instance is asked).
int WorkbookFileFormat(ApplicationFactory& factory, Application* app);

// Writes a picture of the active sheet's used range of workbook to path, whole or not at
// all, under its own error trap; never throws. A null workbook fails each step that needs
// it. True only when this call wrote the picture file: nothing is written when the used
// range ends in row 1 or column 1, or when the picture could not be copied or written.
bool saveCellsActivesheet(Workbook* workbook, const std::string& path, PictureClipboard& clipboard, Dialogs& dialogs,
                          FileSystem& files);
// The clipboard's picture, read up to 1000 times while the clipboard is busy or empty;
// null when it never came.
SharedPicture PictureFromClipboard(PictureClipboard& clipboard, int format);

}  // namespace tallowmere
