// Feeds arbitrary bytes to the workbook reader. An input that starts like a compound
// document is read as a whole .xls file; anything else as the bytes of the workbook
// stream itself, so that most inputs reach the record parsers instead of stopping at
// the container. Any outcome but a clean EngineError is a fault.
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/core/engine_error.h"
#include "engine/xls/xls_reader.h"
#include "engine/xls/xls_reader_records.h"

// The reader allocates through libgsf and GLib, which have no frame pointers; full
// unwinding lets the leak suppressions see the library frames below them.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t kCompoundMagic[] = {0xD0, 0xCF, 0x11, 0xE0};
  try {
    if (size >= sizeof kCompoundMagic && std::memcmp(data, kCompoundMagic, sizeof kCompoundMagic) == 0) {
      tallowmere::engine::ReadXlsBytes(data, size);
    } else {
      tallowmere::engine::xls::ReadWorkbookStream(std::vector<std::uint8_t>(data, data + size));
    }
  } catch (const tallowmere::engine::EngineError&) {
  }
  return 0;
}
