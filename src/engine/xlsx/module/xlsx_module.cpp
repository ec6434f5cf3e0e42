// The module of the .xlsx writer, which needs libxlsxwriter; see engine/core/xlsx_module.h.
#include "engine/core/xlsx_module.h"

#include "engine/xlsx/xlsx_writer.h"

extern "C" __attribute__((visibility("default"))) tallowmere::engine::WriteXlsxFunction tallowmere_xlsx_writer() {
  return &tallowmere::engine::WriteXlsxFile;
}
