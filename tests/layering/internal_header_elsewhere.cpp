// Must not compile: the page library builds on the render library and sees its public
// headers, but not the ones in its internal/ folder. The layering test builds this file
// and expects the compiler to miss exactly the internal header.
#include "engine/render/canvas.h"
#include "engine/render/internal/bidi.h"
