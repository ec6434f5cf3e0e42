#pragma once
// The engine's outputs that need libraries of their own, from the modules that hold them
// (see engine/output_functions.h).

#include "engine/output_functions.h"

namespace tallowmere::engine {

// The modules' functions, loaded at the first call: from the program's installed library
// folder, else from the build folder. Throw EngineError when the module cannot be loaded.
const PictureFunctions& Picture();
const PageFunctions& Page();
const XlsxFunctions& Xlsx();

// Start loading the picture or the page module on a thread of its own, for a program that
// knows early that it will draw: the libraries load while the sheet is laid out and saved.
// Picture() and Page() then wait for that load instead of starting their own.
void PreparePicture();
void PreparePage();

}  // namespace tallowmere::engine
