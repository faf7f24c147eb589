#pragma once
// A sheet that shows a loaded skin at work: its sections painted in every state with their
// border images and glyphs, painted by the engine's own painters (no text: a bar in the font
// colour stands for it), and the master bitmap below.
#include "skin/core/acSkinRecords.h"
#include "skin/graphics/Image32.h"

namespace skindump {

skin::TBitmap32 RenderPreview(const skin::TacSkinRecords& skin);

}  // namespace skindump
