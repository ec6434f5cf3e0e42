#pragma once
// The .xlsx writer lives in a module of its own, loaded the first time a workbook is saved
// as .xlsx: libxlsxwriter brings libcrypto, whose 21,000 relocations would cost every
// start of the command line about 1.5 ms, also the runs that never write an .xlsx.

#include <string>

#include "engine/core/workbook.h"

namespace tallowmere::engine {

// Writes workbook as an .xlsx file at path.
using WriteXlsxFunction = void (*)(const WorkbookData& workbook, const std::string& path);

// The module's file, and the function it exports as extern "C" WriteXlsxFunction <entry>().
inline constexpr const char* kXlsxModuleFile = "tallowmere-xlsx.so";
inline constexpr const char* kXlsxModuleEntry = "tallowmere_xlsx_writer";

}  // namespace tallowmere::engine
