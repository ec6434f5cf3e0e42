#pragma once
// The default cash-flow workbook as the program makes it (the real layout on the
// built-in engine), saved to a file, plus helpers for the tests that read it back.

#include <QImage>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/application/application.h"
#include "engine/application/engine_objects.h"
#include "platform/picture_clipboard.h"
#include "sheet/cash_flow_sheet.h"
#include "sheet/template_fixture.h"
#include "support/run_program.h"

namespace tallowmere::testing {

// A folder of its own under the system temporary folder, removed with the object unless
// TM_KEEP_SCRATCH is set (to look at the files a test made).
struct ScratchDir {
  std::filesystem::path path;
  explicit ScratchDir(const std::string& tag) {
    path = std::filesystem::temp_directory_path() / ("tm-" + tag + "-" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~ScratchDir() {
    if (!std::getenv("TM_KEEP_SCRATCH")) std::filesystem::remove_all(path);
  }
  std::string File(const std::string& name) const { return (path / name).string(); }
};

// Lays out the cash-flow sheet for parameters, saves it at path, hands the workbook to
// alsoSave (for other formats) when given, and returns the workbook the engine built
// (what the saved files must give back).
inline std::shared_ptr<engine::WorkbookData> SaveCashFlowWorkbook(
    const ReportParameters& parameters, const std::string& path,
    const std::function<void(Workbook&)>& alsoSave = nullptr) {
  InProcessClipboard clipboard;
  engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
  auto app = factory.Create();
  auto workbook = app->GetWorkbooks().Add();
  workbook->ActiveSheet()->SetName("CashFlow");
  Template items;
  const int lastColumn = LayOutSheetSkeleton(*app, parameters);
  LayOutItemRows(*app, items.model, lastColumn);
  workbook->SaveAs(path, 56);
  if (alsoSave) alsoSave(*workbook);
  return dynamic_cast<engine::EngineWorkbook&>(*workbook).Context()->data;
}

inline ReportParameters DefaultMonthReport() {
  ReportParameters parameters = ByMonth("2013", "2013");
  parameters.company = "Anchor Co";
  return parameters;
}

inline bool HaveSoffice() { return HaveProgram("soffice"); }

// Converts source with LibreOffice headless into outDir (as an .xls), with a profile of
// its own and the extra arguments; true when the converted file appeared.
inline bool ConvertWithSoffice(const std::string& source, const std::string& outDir,
                               const std::vector<std::string>& extraArgs = {}) {
  std::vector<std::string> argv{"soffice", "-env:UserInstallation=file://" + outDir + "/profile", "--headless"};
  argv.insert(argv.end(), extraArgs.begin(), extraArgs.end());
  argv.insert(argv.end(), {"--convert-to", "xls", "--outdir", outDir, source});
  if (!RunProgram(argv, {}, 180).Succeeded()) return false;
  const auto stem = std::filesystem::path(source).stem().string();
  return std::filesystem::exists(std::filesystem::path(outDir) / (stem + ".xls"));
}

inline QImage DecodeBmp(const PictureBytes& bytes) {
  QImage image;
  image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
  return image;
}

}  // namespace tallowmere::testing
