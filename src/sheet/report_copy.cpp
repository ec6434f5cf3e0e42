#include "sheet/report_copy.h"

#include <algorithm>

#include "model/text_values.h"
#include "sheet/automation_link.h"

namespace tallowmere {
namespace {

const CopyFormatInfo& InfoOf(CopyFormat format) {
  const auto& formats = CopyFormats();
  return *std::find_if(formats.begin(), formats.end(), [&](const auto& info) { return info.format == format; });
}

// Saves or exports the workbook open in app (its last one) as target.
void WriteFromWorkbook(Application& app, const std::string& target, CopyFormat format) {
  Workbooks& books = app.GetWorkbooks();
  Workbook& workbook = Held(books.Item(books.Count()));
  if (format == CopyFormat::Pdf)
    workbook.ExportAsFixedFormat(xl::kTypePDF, target);
  else
    workbook.SaveAs(target, xl::kOpenXMLWorkbook);
  workbook.Close();
}

}  // namespace

const std::vector<CopyFormatInfo>& CopyFormats() {
  static const std::vector<CopyFormatInfo> formats = {
      {CopyFormat::Xls, {"Excel Files (*.xls)", "*.xls"}, ".xls"},
      {CopyFormat::Xlsx, {"Excel Workbook (*.xlsx)", "*.xlsx"}, ".xlsx"},
      {CopyFormat::Pdf, {"PDF (*.pdf)", "*.pdf"}, ".pdf"},
  };
  return formats;
}

std::vector<FileType> CopyFileTypes() {
  std::vector<FileType> types;
  for (const CopyFormatInfo& info : CopyFormats()) types.push_back(info.type);
  return types;
}

std::optional<CopyFormat> FormatOfPath(const std::string& path) {
  for (const CopyFormatInfo& info : CopyFormats())
    if (EndsWithIgnoringCase(path, info.extension)) return info.format;
  return std::nullopt;
}

std::string WithExtension(const std::string& path, CopyFormat format) {
  const std::string extension = InfoOf(format).extension;
  return EndsWithIgnoringCase(path, extension) ? path : path + extension;
}

CopyTarget TargetOfChoice(const SaveChoice& choice) {
  if (const std::optional<CopyFormat> typed = FormatOfPath(choice.path)) return {choice.path, *typed};
  const CopyFormat chosen = CopyFormats().at(choice.type < CopyFormats().size() ? choice.type : 0).format;
  return {chosen == CopyFormat::Xls ? choice.path : WithExtension(choice.path, chosen), chosen};
}

void SaveReportCopy(ApplicationFactory& factory, FileSystem& files, const std::string& source,
                    const std::string& target, CopyFormat format) {
  if (format == CopyFormat::Xls) {
    CopyFileReplacing(files, source, target);
    return;
  }
  const std::shared_ptr<Application> app = OpenWorkbookInNewApp(factory, source);
  // The instance ends however the copy ended; a failure to end it does not undo a copy.
  struct QuitAtEnd {
    Application& app;
    ~QuitAtEnd() { QuitQuietly(app); }
  } quit{*app};
  WriteFromWorkbook(*app, target, format);
}

}  // namespace tallowmere
