// Writing the cash-flow workbook as .xlsx and its printed page as a PDF through the object
// model, the file included, for the default layout (44 items, 16 columns) and the widest
// month layout the parameter limits allow (136 columns). The target for the default size
// is well under 10 ms each.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "bench_support.h"
#include "engine/application/application.h"
#include "platform/picture_clipboard.h"

namespace {

using namespace tallowmere;

using Write = std::function<void(Workbook&, const std::string& path)>;

// Writes the workbook laid out by month from 2013 to lastYear, over and over.
void WriteFormat(benchmark::State& state, const std::string& lastYear, const Write& write) {
  InProcessClipboard clipboard;
  engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
  auto app = factory.Create();
  auto workbook = bench::LayOutMonthWorkbook(*app, lastYear);
  const auto path = std::filesystem::temp_directory_path() / ("tm-formats-bench-" + std::to_string(::getpid()));
  for (auto _ : state) write(*workbook, path.string());
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}

void SaveXlsx(Workbook& workbook, const std::string& path) { workbook.SaveAs(path, xl::kOpenXMLWorkbook); }
void ExportPdf(Workbook& workbook, const std::string& path) { workbook.ExportAsFixedFormat(xl::kTypePDF, path); }

BENCHMARK_CAPTURE(WriteFormat, xlsx_default_16_columns, std::string("2013"), SaveXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteFormat, pdf_default_16_columns, std::string("2013"), ExportPdf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteFormat, xlsx_month_136_columns, std::string("2023"), SaveXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteFormat, pdf_month_136_columns, std::string("2023"), ExportPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);  // the PDF page draws its texts with Qt's fonts
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
