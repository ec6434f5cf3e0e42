#include "cli_commands.h"

#include <filesystem>
#include <iostream>
#include <memory>

#include "cli_console.h"
#include "cli_items.h"
#include "engine/application/application.h"
#include "engine/application/output_module.h"
#include "model/parameter_checks.h"
#include "model/store_keys.h"
#include "model/template_model.h"
#include "model/text_values.h"
#include "platform/files.h"
#include "sheet/automation_link.h"
#include "sheet/report_copy.h"
#include "sheet/report_driver.h"
#include "sheet/temporary_workbook.h"

namespace tallowmere::cli {
namespace {

constexpr int kDone = 0;
constexpr int kErrors = 1;
constexpr int kRefused = 2;

int Fail(int status, const std::string& message) {
  std::string text = message;
  std::erase(text, '\r');  // messages meant for a message box break lines with CR LF
  std::cerr << "tallowmere-cli: " << text << "\n";
  return status;
}

// Years typed on the command line pass the same field check as years typed into the
// window's By Year fields; false (after printing why) when one is refused.
bool CheckYearField(PlainParameterFields& fields, ParameterField field, const std::string& text) {
  const FieldCheck check = CheckYear(text, WholeNumberOf(CurrentYearText()));
  if (check.rejected) return Fail(kRefused, text + ": " + check.message), false;
  fields.SetText(field, check.text);
  return true;
}

// Applies the flags to the fields; false when a value is refused.
bool ApplyOptions(const GenerateOptions& options, PlainParameterFields& fields) {
  if (options.company) fields.SetText(ParameterField::Company, *options.company);
  if (!options.mode) return true;
  fields.SetMode(*options.mode);
  switch (*options.mode) {
    case PeriodMode::Year:
      return CheckYearField(fields, ParameterField::FirstYear, options.first) &&
             CheckYearField(fields, ParameterField::LastYear, options.last);
    case PeriodMode::Month:
      fields.SetText(ParameterField::MonthFirstYear, options.first);
      fields.SetText(ParameterField::MonthLastYear, options.last);
      return true;
    case PeriodMode::Week: {
      const FieldCheck check = CheckWeekCount(options.weeks);
      if (check.rejected) return Fail(kRefused, options.weeks + ": " + check.message), false;
      fields.SetText(ParameterField::Weeks, check.text);
      return true;
    }
  }
  return true;
}

// The Start command's check of the year range: By Month checks its own two fields.
bool StartCheck(PlainParameterFields& fields) {
  const YearRangeFields range = YearRangeOf(fields.Mode());
  const RangeCheck check = CheckYearRange(fields.Text(range.first), fields.Text(range.last), fields.Mode());
  fields.SetText(range.last, check.lastText);
  if (check.rejected) Fail(kRefused, check.message);
  return !check.rejected;
}

// Writes the report's workbook to out in format and removes it; the status of the run.
int DeliverWorkbook(ApplicationFactory& factory, FileSystem& files, const std::string& temporary,
                    const std::string& out, CopyFormat format, int errorReports) {
  if (temporary.empty()) return Fail(kErrors, "the workbook could not be saved; " + out + " was not written");
  int status = errorReports ? kErrors : kDone;
  try {
    // The run's own workbook is not needed afterwards: an .xls moves to its place.
    if (format == CopyFormat::Xls)
      MoveFileReplacing(files, temporary, out);
    else
      SaveReportCopy(factory, files, temporary, out, format);
  } catch (const std::exception& e) {
    status = Fail(kErrors, e.what());
  }
  RemoveQuietly(files, temporary);
  return status;
}

// A folder of this run's own inside the temporary folder, so that runs side by side never
// share the report's fixed picture file name. Removed by the destructor with what it holds.
class PrivateFolder {
 public:
  PrivateFolder() {
    const DigitSource digits = RandomDigits();
    for (int attempt = 0; attempt < 1000 && path_.empty(); ++attempt) {
      const std::string candidate = JoinPath(TempFolder(), "tallowmere-" + DrawWorkbookStem(digits));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec))
        path_ = candidate;
      else if (ec)
        throw std::runtime_error("Cannot create a folder in " + TempFolder() + ": " + ec.message());
    }
    if (path_.empty()) throw std::runtime_error("Cannot create a folder in " + TempFolder());
  }
  ~PrivateFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

int RunGenerate(const GenerateOptions& options, SettingsStore& store) {
  const std::optional<CopyFormat> format = FormatOfPath(options.out);
  if (!format) return Fail(kRefused, options.out + ": --out takes a file ending in .xls, .xlsx or .pdf");
  // The drawing libraries load on a thread of their own while the settings are read and
  // the sheet is laid out.
  if (!options.picture.empty()) engine::PreparePicture();
  if (*format == CopyFormat::Pdf) engine::PreparePage();
  ReadOnlyStore settings(store);
  if (!options.items.empty()) {
    try {
      settings.OverlayItems(ReadItemNames(options.items));
    } catch (const std::exception& e) {
      return Fail(kRefused, e.what());
    }
  }
  VectorListView list;
  TemplateModel model(list);
  PlainParameterFields fields;
  try {
    model.LoadTemplate(false, settings, fields);
    fields.SetText(ParameterField::MonthFirstYear, settings.Read(store_key::kText6, CurrentYearText()));
    fields.SetText(ParameterField::MonthLastYear, settings.Read(store_key::kText7, CurrentYearText()));
  } catch (const std::exception& e) {
    return Fail(kRefused, std::string("the template items and parameters cannot be loaded: ") + e.what());
  }
  if (!ApplyOptions(options, fields) || !StartCheck(fields)) return kRefused;

  std::unique_ptr<PrivateFolder> folder;
  try {
    folder = std::make_unique<PrivateFolder>();
  } catch (const std::exception& e) {
    return Fail(kErrors, e.what());
  }
  StderrDialogs dialogs;
  InProcessClipboard clipboard;
  FileSystem& files = LocalFileSystem();
  engine::EngineApplicationFactory factory(clipboard, files);
  ReportEnvironment env{factory, dialogs, clipboard, files, folder->Path()};
  env.exportPicture = !options.picture.empty();
  CliReportHost host(options.picture, files);
  const std::string temporary = GenerateReport0(env, model, SnapshotOf(fields), host);
  return DeliverWorkbook(factory, files, temporary, options.out, *format, dialogs.ErrorReports());
}

int RunPicture(const PictureOptions& options) {
  StderrDialogs dialogs;
  InProcessClipboard clipboard;
  FileSystem& files = LocalFileSystem();
  engine::EngineApplicationFactory factory(clipboard, files);
  std::shared_ptr<Application> app;
  try {
    app = OpenWorkbookInNewApp(factory, options.in);
  } catch (const std::exception& e) {
    return Fail(kErrors, e.what());
  }
  Workbooks& books = app->GetWorkbooks();
  // The picture replaces out only once it is written whole.
  const bool written = saveCellsActivesheet(books.Item(books.Count()).get(), options.out, clipboard, dialogs, files);
  app->Quit();
  if (dialogs.ErrorReports()) return kErrors;
  if (!written)
    return Fail(kErrors, "the used range of the active sheet is a single row or column; no picture was made");
  return kDone;
}

}  // namespace tallowmere::cli
