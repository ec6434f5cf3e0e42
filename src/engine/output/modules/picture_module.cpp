// The module of the engine's pictures, which need the font libraries; see
// engine/output_functions.h.
#include "engine/output_functions.h"
#include "engine/render/render.h"

extern "C" __attribute__((visibility("default"))) const tallowmere::engine::PictureFunctions*
tallowmere_picture_functions() {
  static const tallowmere::engine::PictureFunctions functions{&tallowmere::engine::RenderRangeBmp};
  return &functions;
}
