// Reads arbitrary bytes as the settings file the way the command line does, and every
// value of it: no crash, hang or leak; each value reads as a text or is refused with a
// message.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "platform/conf_file_store.h"

namespace {

// The file each input is written to, removed when the run ends.
struct ScratchFile {
  std::string path = "/tmp/tallowmere-conf-fuzz-" + std::to_string(::getpid()) + ".conf";
  ~ScratchFile() { std::remove(path.c_str()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFile scratch;
  const std::string& path = scratch.path;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  const bool written = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return 0;
  try {
    tallowmere::ConfFileStore store({path});
    for (const char* key : {"Company", "Year", "Weeks", "Field1", "Field2", "System Value - Rows", "A", "B"}) {
      try {
        store.Read(key, "");
      } catch (const std::runtime_error&) {
      }
    }
  } catch (const std::runtime_error&) {
  }
  return 0;
}
