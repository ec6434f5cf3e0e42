#include "engine/application/internal/xlsx_loader.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "engine/core/engine_error.h"

namespace fs = std::filesystem;

namespace tallowmere::engine {
namespace {

// Where the module may be: beside the installed program, then in the build folder.
std::vector<fs::path> Candidates() {
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  std::vector<fs::path> candidates;
  if (!ec) candidates.push_back(program.parent_path() / TALLOWMERE_MODULE_DIR_FROM_BIN / kXlsxModuleFile);
  candidates.push_back(fs::path(TALLOWMERE_MODULE_BUILD_DIR) / kXlsxModuleFile);
  return candidates;
}

// The module stays loaded for the whole run.
WriteXlsxFunction Load() {
  std::string why = "it was not found";
  for (const fs::path& candidate : Candidates()) {
    std::error_code ec;
    if (!fs::exists(candidate, ec)) continue;
    void* handle = dlopen(candidate.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!handle) {
      why = dlerror();
      continue;
    }
    using Entry = WriteXlsxFunction (*)();
    if (const auto entry = reinterpret_cast<Entry>(dlsym(handle, kXlsxModuleEntry))) return entry();
    why = candidate.string() + " has no " + kXlsxModuleEntry;
    dlclose(handle);
  }
  throw EngineError(std::string("The module that writes .xlsx files (") + kXlsxModuleFile +
                    ") cannot be loaded: " + why);
}

}  // namespace

WriteXlsxFunction XlsxWriter() {
  // Loaded once; a failed load is tried again at the next call.
  static std::mutex mutex;
  static WriteXlsxFunction writer = nullptr;
  const std::lock_guard<std::mutex> lock(mutex);
  if (!writer) writer = Load();
  return writer;
}

}  // namespace tallowmere::engine
