#include "cli/commands.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/amounts.h"
#include "cli/console.h"
#include "cli/delivery.h"
#include "cli/exit_status.h"
#include "cli/items.h"
#include "engine/application/application.h"
#include "model/parameter_checks.h"
#include "model/store_keys.h"
#include "model/template_model.h"
#include "model/text_values.h"
#include "platform/files.h"
#include "platform/interrupt_cleanup.h"
#include "sheet/automation_link.h"
#include "sheet/report_copy.h"
#include "sheet/report_driver.h"
#include "text/unicode.h"

namespace tallowmere::cli {
namespace {

// Applies the flags to the fields.
void ApplyOptions(const GenerateOptions& options, PlainParameterFields& fields) {
  if (options.company) fields.SetText(ParameterField::Company, *options.company);
  if (!options.mode) return;
  fields.SetMode(*options.mode);
  if (*options.mode == PeriodMode::Week) return fields.SetText(ParameterField::Weeks, options.weeks);
  const YearRangeFields range = YearRangeOf(*options.mode);
  fields.SetText(range.first, options.first);
  fields.SetText(range.last, options.last);
}

// The value of field passes the check the window makes when the field is left; false
// (after printing why) when it is refused. A value typed on the command line takes the
// form the check gives it, as one typed into the field does; a stored one is only checked.
bool CheckField(PlainParameterFields& fields, ParameterField field, bool typed) {
  const std::string text = fields.Text(field);
  const FieldCheck check =
      field == ParameterField::Weeks ? CheckWeekCount(text) : CheckYear(text, WholeNumberOf(CurrentYearText()));
  if (check.rejected) return Fail(kRefused, text + (typed ? "" : " (stored)") + ": " + check.message), false;
  if (typed) fields.SetText(field, check.text);
  return true;
}

// The fields the report reads pass the window's checks, whether given here or stored.
bool CheckFields(const GenerateOptions& options, PlainParameterFields& fields) {
  if (Utf16Length(fields.Text(ParameterField::Company)) > kMaxTextLength)
    return Fail(kRefused, "the company name is longer than " + std::to_string(kMaxTextLength) + " characters"), false;
  const bool typed = options.mode.has_value();
  if (fields.Mode() == PeriodMode::Week) return CheckField(fields, ParameterField::Weeks, typed);
  const YearRangeFields range = YearRangeOf(fields.Mode());
  return CheckField(fields, range.first, typed) && CheckField(fields, range.last, typed);
}

// The Start command's check of the year range: By Month checks its own two fields.
bool StartCheck(PlainParameterFields& fields) {
  const YearRangeFields range = YearRangeOf(fields.Mode());
  const RangeCheck check = CheckYearRange(fields.Text(range.first), fields.Text(range.last), fields.Mode());
  fields.SetText(range.last, check.lastText);
  if (check.rejected) Fail(kRefused, check.message);
  return !check.rejected;
}

// A folder of this run's own inside the temporary folder, so that runs side by side never
// share the report's fixed picture file name. Removed by the destructor with what it holds.
class PrivateFolder {
 public:
  PrivateFolder() {
    std::string pattern = JoinPath(TempFolder(), "tallowmere-XXXXXX");
    if (!::mkdtemp(pattern.data()))
      throw std::runtime_error("Cannot create a folder in " + TempFolder() + ": " + std::strerror(errno));
    path_ = pattern;
    interrupted_.emplace(path_);
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
  std::optional<RemovedOnInterrupt> interrupted_;  // let go once the folder is gone
};

// True when a and b name one file, existing or not.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  const std::filesystem::path first = std::filesystem::weakly_canonical(a, ec);
  if (ec) return a == b;
  const std::filesystem::path second = std::filesystem::weakly_canonical(b, ec);
  return ec ? a == b : first == second;
}

}  // namespace

int RunGenerate(const GenerateOptions& options, SettingsStore& store) {
  const std::optional<CopyFormat> format = FormatOfPath(options.out);
  if (!format) return Fail(kRefused, options.out + ": --out takes a file ending in .xls, .xlsx or .pdf");
  if (!options.picture.empty() && SameFile(options.out, options.picture))
    return Fail(kRefused, options.out + ": --out and --picture name the same file");
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
  ApplyOptions(options, fields);
  if (!CheckFields(options, fields) || !StartCheck(fields)) return kRefused;
  try {
    ApplyAmountOptions(options, settings, model);
  } catch (const std::exception& e) {
    return Fail(kRefused, e.what());
  }

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
  // Kept beside the report's own picture until the run is over and has laid its sheet out whole.
  CliReportHost host(files, env.exportPicture ? JoinPath(folder->Path(), "picture.bmp") : std::string());
  const ReportOutcome outcome = GenerateReport0(env, model, SnapshotOf(fields), host);
  const Delivery delivery{factory, files, options.out, *format, options.picture};
  return Deliver(delivery, outcome, host.KeptPicture(), dialogs.ErrorReports());
}

int RunPicture(const PictureOptions& options) {
  if (SameFile(options.in, options.out))
    return Fail(kRefused, options.out + ": the picture would replace the workbook it is made of");
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
