// The whole generate path of one report: the layout through the object model, the save,
// the reopening in a second instance, the picture and its BMP file.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "bench_support.h"
#include "engine/application/application.h"
#include "model/store_keys.h"
#include "model/template_model.h"
#include "platform/files.h"
#include "platform/memory_store.h"
#include "platform/settings_store.h"
#include "sheet/cash_flow_sheet.h"
#include "sheet/report_driver.h"

namespace {

using namespace tallowmere;
namespace fs = std::filesystem;

// Any failure report ends the benchmark: a figure for a broken run means nothing.
class FailingDialogs : public Dialogs {
 public:
  MessageAnswer Message(const std::string& text, const std::string&, MessageButtons, MessageIcon, bool) override {
    throw std::runtime_error(text);
  }
  std::string Input(const std::string&, const std::string&) override { return ""; }
  SaveChoice SaveFileName(const std::string&, const std::vector<FileType>&) override { return {}; }
};

class NullHost : public ReportHost {
 public:
  void SetMainPointer(PointerKind) override {}
  void LoadPreviewPicture(const std::string& path) override {
    if (path.empty()) throw std::runtime_error("no picture");
  }
  void SetPreviewWorkbook(const std::string&) override {}
  void ShowPreview() override {}
  void HideMainWindow() override {}
};

// The default items followed by extra ordinary items at the end of the table.
void LoadTemplate(TemplateModel& model, int extraItems) {
  MemoryStore store;
  std::vector<std::string> names = DefaultItemNames();
  for (int i = 1; i <= extraItems; ++i) names.push_back("Operating figure " + std::to_string(i));
  for (size_t i = 0; i < names.size(); ++i) store.values[store_key::FieldKey(static_cast<int>(i) + 1)] = names[i];
  store.values[store_key::kRows] = std::to_string(names.size());
  store.values[store_key::kSaved] = "True";
  PlainParameterFields fields;
  model.LoadTemplate(false, store, fields);
}

ReportParameters Parameters(PeriodMode mode, int first, int last) {
  ReportParameters p;
  p.company = "Anchor Co";
  p.mode = mode;
  p.monthFirstYear = std::to_string(first);
  p.monthLastYear = std::to_string(last);
  p.weeks = std::to_string(last);
  return p;
}

void Generate(benchmark::State& state, PeriodMode mode, int first, int last, int extraItems) {
  const fs::path folder = fs::temp_directory_path() / ("tm-generate-bench-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  VectorListView list;
  TemplateModel model(list);
  LoadTemplate(model, extraItems);
  const ReportParameters parameters = Parameters(mode, first, last);
  InProcessClipboard clipboard;
  engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
  FailingDialogs dialogs;
  NullHost host;
  ReportEnvironment env{factory, dialogs, clipboard, LocalFileSystem(), folder.string()};
  for (auto _ : state) {
    try {
      const std::string workbook = GenerateReport0(env, model, parameters, host).workbookPath;
      state.PauseTiming();
      fs::remove(workbook);
      state.ResumeTiming();
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;
    }
  }
  state.counters["peak_MB"] = bench::PeakMemoryMB();
  state.counters["items"] = model.Count();
  fs::remove_all(folder);
}

// The layout alone, without save, reopening and picture: the object model's share.
void LayOut(benchmark::State& state, PeriodMode mode, int first, int last, int extraItems) {
  VectorListView list;
  TemplateModel model(list);
  LoadTemplate(model, extraItems);
  const ReportParameters parameters = Parameters(mode, first, last);
  InProcessClipboard clipboard;
  engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
  for (auto _ : state) {
    SpreadsheetLink link(factory);
    link.CreateSpreadsheetApp();
    link.SpreadsheetApp().GetWorkbooks().Add();
    BuildCashFlowSheet(link, model, parameters);
  }
  state.counters["peak_MB"] = bench::PeakMemoryMB();
}

void BM_GenerateDefaultMonth(benchmark::State& state) { Generate(state, PeriodMode::Month, 2013, 2013, 0); }
void BM_GenerateWeek52(benchmark::State& state) { Generate(state, PeriodMode::Week, 0, 52, 0); }
void BM_GenerateMonth136Columns(benchmark::State& state) { Generate(state, PeriodMode::Month, 2013, 2023, 0); }
void BM_Generate5000ItemsWeek100(benchmark::State& state) { Generate(state, PeriodMode::Week, 0, 100, 5000 - 44); }

void BM_LayOutDefaultMonth(benchmark::State& state) { LayOut(state, PeriodMode::Month, 2013, 2013, 0); }
void BM_LayOut5000ItemsWeek100(benchmark::State& state) { LayOut(state, PeriodMode::Week, 0, 100, 5000 - 44); }

BENCHMARK(BM_LayOutDefaultMonth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayOut5000ItemsWeek100)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GenerateDefaultMonth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateWeek52)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateMonth136Columns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generate5000ItemsWeek100)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  // The picture is drawn with QtGui, which needs a platform but no display.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
