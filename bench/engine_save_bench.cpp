// Building the cash-flow sheet through the object model and saving it as .xls, the first
// half of every report, for the default layout (44 items, 16 columns) and the widest
// month layout the parameter limits allow (136 columns). The target for the default
// size is well under 10 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "bench_support.h"
#include "engine/application/application.h"
#include "model/item_list_view.h"
#include "model/report_parameters.h"
#include "model/template_model.h"
#include "platform/picture_clipboard.h"
#include "platform/settings_store.h"
#include "sheet/cash_flow_sheet.h"

namespace {

using namespace tallowmere;

// Lays out the default template by month from 2013 to lastYear and saves it, each
// iteration from a new engine instance, as a report does.
void BuildAndSave(benchmark::State& state, const std::string& lastYear, bool save) {
  VectorListView list;
  TemplateModel model(list);
  bench::LoadDefaultTemplate(model);
  const ReportParameters parameters = bench::MonthParameters(lastYear);
  const auto path = std::filesystem::temp_directory_path() / ("tm-save-bench-" + std::to_string(::getpid()) + ".xls");

  InProcessClipboard clipboard;
  engine::EngineApplicationFactory factory(clipboard, LocalFileSystem());
  for (auto _ : state) {
    auto app = factory.Create();
    auto workbook = app->GetWorkbooks().Add();
    workbook->ActiveSheet()->SetName("CashFlow");
    LayOutItemRows(*app, model, LayOutSheetSkeleton(*app, parameters));
    if (save) workbook->SaveAs(path.string(), 56);
    app->Quit();
  }
  if (save) state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}

BENCHMARK_CAPTURE(BuildAndSave, default_16_columns, std::string("2013"), true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildAndSave, month_136_columns, std::string("2023"), true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildAndSave, build_only_16_columns, std::string("2013"), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BuildAndSave, build_only_136_columns, std::string("2023"), false)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
