#pragma once
// The decisions behind a button's glyph that need no device context: which state cell is drawn,
// how transparent, and whether it is tinted grey. Shared by the glyph painter (Sthirdparty) and
// its tests.
#include "skin/core/sConstTypes.h"
#include "skin/graphics/Image32.h"

namespace skin {

// What the painter needs to know of the button: its state and its glyph options.
struct TacGlyphLook {
  int State = 0;  // 0 normal, 1 hot, 2 pressed
  bool Enabled = true;
  bool Down = false;
  bool Grayed = false;  // grey in the normal state
  int Blend = 0;        // percent of transparency in the normal state
  TsDisabledGlyphKind DisabledGlyphKind = kDefaultDisabledGlyphKind;
};

// A bitmap holds at least one cell, whatever NumGlyphs says.
constexpr int GlyphCellCount(int numGlyphs) { return numGlyphs < 1 ? 1 : numGlyphs; }
constexpr int GlyphCellWidth(int bitmapWidth, int numGlyphs) { return bitmapWidth / GlyphCellCount(numGlyphs); }
// The cell of a state: 0 normal, 1 hot, 2 pressed, the last cell for states the bitmap lacks.
int GlyphCellIndex(int state, int numGlyphs);

// Tinted grey: normal and Grayed, or disabled and greyed by the disabled kind.
bool GlyphTintedGrey(const TacGlyphLook& look);
// Transparency of a 32-bit glyph drawn into the control's own cache (the disabled look comes
// afterwards over the whole cache).
int CacheGlyphBlend(const TacGlyphLook& look);
// Transparency of a 32-bit glyph drawn onto a foreign canvas, which gets no disabled look of its
// own: a blended disabled glyph is at least half transparent.
int CanvasGlyphBlend(const TacGlyphLook& look);
// Transparency of an alpha image-list glyph.
int AlphaListGlyphBlend(const TacGlyphLook& look);

// True when some pixel is opaque: a 32-bit bitmap without one carries no alpha and is drawn as a
// 24-bit picture.
bool HasOpaquePixel(const TImage32View& img);
// Every alpha scaled by (100 - Blend) percent.
void ScaleAlpha(const TImage32View& img, int blend);

}  // namespace skin
