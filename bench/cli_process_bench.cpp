// Whole runs of tallowmere-cli as a user or a script starts it, and starts of the window
// program until its main window is shown: start-up included, each run a new process.
// Reports the median over repetitions and the child's peak memory. The window shows on
// $DISPLAY when there is one (run under xvfb-run for a virtual display), else offscreen.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/amounts_csv.h"
#include "model/template_model.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A scratch folder with the settings folder, TEMP and the outputs of the runs.
const fs::path& Scratch() {
  static const fs::path folder = [] {
    const fs::path path = fs::temp_directory_path() / ("tm-cli-bench-" + std::to_string(::getpid()));
    fs::create_directories(path / "cfg");
    fs::create_directories(path / "tmp");
    return path;
  }();
  return folder;
}

// The default items and then ordinary items up to count, one per line.
std::string ItemsFile(int count) {
  const fs::path path = Scratch() / ("items-" + std::to_string(count) + ".txt");
  std::ofstream out(path);
  const auto& names = tallowmere::DefaultItemNames();
  for (const auto& name : names) out << name << "\n";
  for (int i = static_cast<int>(names.size()); i < count; ++i) out << "Extra item " << i << "\n";
  return path.string();
}

// A weekly rule from Week 1's first day for every item of ItemsFile(count) that takes
// amounts, as an amounts file.
std::string AmountsFile(int count) {
  const fs::path path = Scratch() / ("amounts-" + std::to_string(count) + ".csv");
  std::vector<tallowmere::TemplateItem> items;
  const auto& names = tallowmere::DefaultItemNames();
  for (int i = 0; i < count; ++i) {
    tallowmere::TemplateItem item;
    item.Name = i < static_cast<int>(names.size()) ? names[i] : "Extra item " + std::to_string(i);
    if (tallowmere::TakesAmounts(item))
      item.Rules.push_back({100 * i + 25, tallowmere::Repeat::Weekly, tallowmere::ParseDate("2027-01-04"), {}, 200});
    items.push_back(std::move(item));
  }
  std::ofstream(path, std::ios::binary) << tallowmere::WriteAmountsCsv(items);
  return path.string();
}

struct Run {
  double seconds;
  double peakMB;
};

// Runs program with args, its output thrown away; throws when it does not exit 0.
Run RunProgram(const char* program, const std::vector<std::string>& args) {
  std::vector<std::string> env = {"XDG_CONFIG_HOME=" + (Scratch() / "cfg").string(),
                                  "TEMP=" + (Scratch() / "tmp").string(), "HOME=" + Scratch().string()};
  for (char** e = environ; *e; ++e) {
    const std::string entry(*e);
    if (entry.rfind("XDG_CONFIG_HOME=", 0) && entry.rfind("TEMP=", 0) && entry.rfind("HOME=", 0)) env.push_back(entry);
  }
  if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) env.push_back("QT_QPA_PLATFORM=offscreen");
  std::vector<char*> argv{const_cast<char*>(program)}, envp;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  for (auto& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, program, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + std::string(program));
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(std::string(program) + " failed");
  return {took.count(), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

void Measure(benchmark::State& state, const std::vector<std::string>& args, const char* program = TM_CLI) {
  double peak = 0;
  for (auto _ : state) {
    try {
      const Run run = RunProgram(program, args);
      state.SetIterationTime(run.seconds);
      peak = std::max(peak, run.peakMB);
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;
    }
  }
  state.counters["child_peak_MB"] = peak;
}

std::string Out(const char* name) { return (Scratch() / name).string(); }

void BM_Help(benchmark::State& state) { Measure(state, {"--help"}); }
void BM_WindowShown(benchmark::State& state) { Measure(state, {"--quit-when-shown"}, TM_WINDOW); }
void BM_GenerateDefaultMonth(benchmark::State& state) { Measure(state, {"generate", "--out", Out("a.xls")}); }
void BM_GenerateDefaultMonthWithPicture(benchmark::State& state) {
  Measure(state, {"generate", "--out", Out("b.xls"), "--picture", Out("b.bmp")});
}
void BM_GenerateDefaultMonthPdf(benchmark::State& state) { Measure(state, {"generate", "--out", Out("p.pdf")}); }
void BM_Generate5000ItemsWeek100(benchmark::State& state) {
  Measure(state, {"generate", "--out", Out("c.xls"), "--by-week", "100", "--items", ItemsFile(5000)});
}
void BM_Generate5000ItemsWeek100WithWeeklyAmounts(benchmark::State& state) {
  Measure(state, {"generate", "--out", Out("e.xls"), "--by-week", "100", "--week1", "2027-01-04", "--items",
                  ItemsFile(5000), "--amounts", AmountsFile(5000)});
}
void BM_Generate5000ItemsWeek100WithPicture(benchmark::State& state) {
  Measure(state, {"generate", "--out", Out("d.xls"), "--picture", Out("d.bmp"), "--by-week", "100", "--items",
                  ItemsFile(5000)});
  std::error_code ec;
  state.counters["picture_MB"] = static_cast<double>(fs::file_size(Out("d.bmp"), ec)) / (1024.0 * 1024.0);
}

BENCHMARK(BM_Help)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(20)->ReportAggregatesOnly();
BENCHMARK(BM_WindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(20)->ReportAggregatesOnly();
BENCHMARK(BM_GenerateDefaultMonth)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ReportAggregatesOnly();
BENCHMARK(BM_GenerateDefaultMonthWithPicture)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ReportAggregatesOnly();
BENCHMARK(BM_GenerateDefaultMonthPdf)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ReportAggregatesOnly();
BENCHMARK(BM_Generate5000ItemsWeek100)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_Generate5000ItemsWeek100WithWeeklyAmounts)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);
BENCHMARK(BM_Generate5000ItemsWeek100WithPicture)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
