// Opening a saved cash-flow workbook and drawing the picture of its used range as a BMP,
// the second half of every report, for the default layout (44 items, 16 columns) and
// for the widest month layout the parameter limits allow (136 columns).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>

#include "bench_support.h"
#include "engine/application/application.h"
#include "engine/render/render.h"
#include "engine/xls/xls_reader.h"
#include "platform/picture_clipboard.h"

namespace {

using namespace tallowmere;

// Saves the default template laid out by month from 2013 to lastYear; returns the path.
std::string SaveMonthLayout(const std::string& lastYear) {
  static std::map<std::string, std::string> saved;
  if (auto found = saved.find(lastYear); found != saved.end()) return found->second;
  const auto path = std::filesystem::temp_directory_path() /
                    ("tm-picture-bench-" + std::to_string(::getpid()) + "-" + lastYear + ".xls");
  InProcessClipboard clipboard;
  engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
  auto app = factory.Create();
  auto workbook = bench::LayOutMonthWorkbook(*app, lastYear);
  workbook->SaveAs(path.string(), 56);
  return saved[lastYear] = path.string();
}

// Open + used range + picture, as the report's picture instance does it.
void OpenAndPicture(benchmark::State& state, const std::string& lastYear) {
  const std::string path = SaveMonthLayout(lastYear);
  InProcessClipboard clipboard;
  engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto app = factory.Create();
    auto workbook = app->GetWorkbooks().Open(path);
    workbook->ActiveSheet()->UsedRange()->CopyPicture();
    bytes = clipboard.GetPicture(0)->size();
    workbook->Close();
  }
  state.counters["bmp_bytes"] = static_cast<double>(bytes);
}

void ReadOnly(benchmark::State& state, const std::string& lastYear) {
  const std::string path = SaveMonthLayout(lastYear);
  for (auto _ : state) benchmark::DoNotOptimize(engine::ReadXls(path));
}

BENCHMARK_CAPTURE(OpenAndPicture, default_16_columns, std::string("2013"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenAndPicture, month_136_columns, std::string("2023"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadOnly, default_16_columns, std::string("2013"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadOnly, month_136_columns, std::string("2023"))->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const char* year : {"2013", "2023"}) {
    std::filesystem::remove(std::filesystem::temp_directory_path() /
                            ("tm-picture-bench-" + std::to_string(::getpid()) + "-" + year + ".xls"));
  }
  return 0;
}
