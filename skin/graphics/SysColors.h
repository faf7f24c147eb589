#pragma once
// System colours (top byte 0xFF, index in the low byte) resolved to plain RGB colours: the running
// system's scheme on Windows, the standard Windows 7 scheme in the portable build.
#include "classlib/Types.h"

namespace skin {

// A plain colour unchanged; a system colour as the system paints it now. Unknown indexes give black.
classlib::TColor ColorToRGB(classlib::TColor color);

}  // namespace skin
