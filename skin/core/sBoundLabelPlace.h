#pragma once
// Where a bound label goes beside its control for each caption layout. Portable arithmetic.
#include "classlib/Types.h"
#include "skin/core/sConstTypes.h"

namespace skin {

// The top-left corner of a label of size Label beside the control at Control, Indent pixels
// further away than the layout's own spacing. Halves are truncated toward zero.
TPoint BoundLabelPlace(TsCaptionLayout Layout, const TRect& Control, TSize Label, int Indent);

}  // namespace skin
