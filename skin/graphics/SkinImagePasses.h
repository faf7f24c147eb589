#pragma once
// Two passes over decoded 32-bit skin images before the engine blends them.
#include "skin/graphics/Image32.h"

namespace skin {

// Every pixel exactly 0x00FFFFFF (white with alpha 0) becomes 0: transparent black, so that
// blending and resampling do not pull white into the edges.
void UpdateTransPixels(const TImage32View& Bmp);
// Premultiplies: each colour channel c becomes c * A div 255; alpha stays.
void UpdateAlpha(const TImage32View& Bmp);

}  // namespace skin
