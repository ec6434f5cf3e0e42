#pragma once
// The .xlsx writer, from its module (see engine/core/xlsx_module.h).

#include "engine/core/xlsx_module.h"

namespace tallowmere::engine {

// The writer, its module loaded at the first call from the program's installed library
// folder, else from the build folder. Throws EngineError when the module cannot be loaded.
WriteXlsxFunction XlsxWriter();

}  // namespace tallowmere::engine
