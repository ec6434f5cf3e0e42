// The closing writes of the template through the QSettings store into a temporary
// configuration folder: the default table and the largest one, each flushed once.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "bench_support.h"
#include "model/template_model.h"
#include "platform/qt/qsettings_store.h"

namespace tallowmere {
namespace {

// Stores the table of model as closing does, with a company name that changes every
// iteration so that each flush has something new to write.
void StoreTemplate(benchmark::State& state, const TemplateModel& model) {
  QSettingsStore store;
  int iteration = 0;
  for (auto _ : state) {
    store.Write("Company", std::to_string(++iteration));
    model.SaveTemplate(store);
    store.Flush();
  }
  state.SetItemsProcessed(state.iterations() * (model.Count() + 4));
}

void BM_StoreDefaultTemplate(benchmark::State& state) {
  VectorListView list;
  TemplateModel model(list);
  bench::LoadDefaultTemplate(model);
  StoreTemplate(state, model);
}
BENCHMARK(BM_StoreDefaultTemplate)->Unit(benchmark::kMillisecond);

void BM_StoreLargestTemplate(benchmark::State& state) {
  VectorListView list;
  TemplateModel model(list);
  bench::LoadDefaultTemplate(model);
  for (int i = model.Count(); i < kMaxItems; ++i) {
    TemplateItem item;
    item.Name = "Expense " + std::to_string(i);
    model.Items().push_back(item);
  }
  StoreTemplate(state, model);
}
BENCHMARK(BM_StoreLargestTemplate)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallowmere

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // QSettings looks up the configuration folder once, so it is set before any store opens.
  QTemporaryDir configHome;
  setenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit().constData(), 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
