// Loading and refreshing the largest template the list can show.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <map>

#include "model/template_model.h"
#include "platform/memory_store.h"
#include "platform/settings_store.h"

namespace tallowmere {
namespace {

// The default table with ordinary items added below "Purchases (merchandise)" up to count,
// so that the subtotal's range covers nearly the whole table.
MemoryStore LargeTemplateStore(int count) {
  VectorListView list;
  TemplateModel model(list);
  MemoryStore store;
  PlainParameterFields fields;
  model.LoadTemplate(false, store, fields);
  std::vector<TemplateItem>& items = model.Items();
  for (int i = model.Count(); i < count; ++i) {
    TemplateItem item;
    item.Name = "Expense " + std::to_string(i);
    items.insert(items.begin() + 10, item);
  }
  model.SaveTemplate(store);
  return store;
}

void BM_LoadLargestTemplate(benchmark::State& state) {
  MemoryStore store = LargeTemplateStore(kMaxItems);
  PlainParameterFields fields;
  for (auto _ : state) {
    VectorListView list;
    TemplateModel model(list);
    model.LoadTemplate(false, store, fields);
    benchmark::DoNotOptimize(model.Item(kMaxItems).Refs);
  }
}
BENCHMARK(BM_LoadLargestTemplate)->Unit(benchmark::kMillisecond);

void BM_InsertIntoLargestTemplate(benchmark::State& state) {
  MemoryStore store = LargeTemplateStore(kMaxItems - 1);
  PlainParameterFields fields;
  VectorListView list;
  TemplateModel model(list);
  model.LoadTemplate(false, store, fields);
  for (auto _ : state) {
    model.InsertItem("New", 20);  // a refresh of the whole table
    state.PauseTiming();
    model.Items().erase(model.Items().begin() + 20);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_InsertIntoLargestTemplate)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tallowmere

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
