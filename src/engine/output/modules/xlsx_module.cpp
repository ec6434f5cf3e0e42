// The module of the .xlsx writer, which needs libxlsxwriter; see engine/output_functions.h.
#include "engine/output_functions.h"
#include "engine/xlsx/xlsx_writer.h"

extern "C" __attribute__((visibility("default"))) const tallowmere::engine::XlsxFunctions* tallowmere_xlsx_functions() {
  static const tallowmere::engine::XlsxFunctions functions{&tallowmere::engine::WriteXlsxFile};
  return &functions;
}
