#include "skin/graphics/sGradient.h"

namespace skin {

// The portable build has no system triangle gradient: the four-corner form paints nothing.
bool PaintCornerGradient(const TImage32View&, const TRect&, const TColor (&)[5]) { return false; }

}  // namespace skin
