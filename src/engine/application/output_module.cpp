#include "engine/application/output_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <future>
#include <mutex>
#include <string>
#include <vector>

#include "engine/engine_error.h"

namespace fs = std::filesystem;

namespace tallowmere::engine {
namespace {

// Where a module may be: beside the installed program, then in the build folder.
std::vector<fs::path> Candidates(const char* file) {
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  std::vector<fs::path> candidates;
  if (!ec) candidates.push_back(program.parent_path() / TALLOWMERE_MODULE_DIR_FROM_BIN / file);
  candidates.push_back(fs::path(TALLOWMERE_MODULE_BUILD_DIR) / file);
  return candidates;
}

// The functions the module's entry answers. The module stays loaded for the whole run.
const void* Load(const OutputModule& module, const char* what) {
  std::string why = "it was not found";
  for (const fs::path& candidate : Candidates(module.file)) {
    std::error_code ec;
    if (!fs::exists(candidate, ec)) continue;
    void* handle = dlopen(candidate.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!handle) {
      why = dlerror();
      continue;
    }
    using Entry = const void* (*)();
    if (const auto entry = reinterpret_cast<Entry>(dlsym(handle, module.entry))) return entry();
    why = candidate.string() + " has no " + module.entry;
    dlclose(handle);
  }
  throw EngineError(std::string("The module that ") + what + " (" + module.file + ") cannot be loaded: " + why);
}

// One module's load, started on demand in the calling thread or ahead on a thread of its
// own; either way it runs once, and a failure is reported to every caller.
class ModuleLoad {
 public:
  ModuleLoad(const OutputModule& module, const char* what) : module_(module), what_(what) {}

  // The load, started with policy unless it was started before.
  std::shared_future<const void*> Start(std::launch policy) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!load_.valid()) load_ = std::async(policy, [this] { return Load(module_, what_); }).share();
    return load_;
  }

  const void* Get() { return Start(std::launch::deferred).get(); }

 private:
  const OutputModule& module_;
  const char* what_;
  std::mutex mutex_;
  std::shared_future<const void*> load_;
};

ModuleLoad& PictureLoad() {
  static ModuleLoad load(kPictureModule, "draws pictures");
  return load;
}

ModuleLoad& PageLoad() {
  static ModuleLoad load(kPageModule, "draws pages");
  return load;
}

}  // namespace

const PictureFunctions& Picture() { return *static_cast<const PictureFunctions*>(PictureLoad().Get()); }

const PageFunctions& Page() { return *static_cast<const PageFunctions*>(PageLoad().Get()); }

const XlsxFunctions& Xlsx() {
  static ModuleLoad load(kXlsxModule, "writes .xlsx files");
  return *static_cast<const XlsxFunctions*>(load.Get());
}

void PreparePicture() { PictureLoad().Start(std::launch::async); }

void PreparePage() { PageLoad().Start(std::launch::async); }

}  // namespace tallowmere::engine
