#pragma once
// Drawings shared by several images of the skin: framed rounded boxes, chevrons, check marks,
// title-button glyphs.
#include <cstdint>

#include "tools/skingen/SkinCanvas.h"

namespace skingen {

enum class Side { Top, Bottom, Left, Right };

// A rounded box over the whole canvas (less Inset on every side): Border of width 1 around
// Fill. A transparent Fill leaves only the ring; a transparent Border only the fill.
void FramedBox(Canvas& c, const Rgba& fill, const Rgba& border, double radius, double inset = 0);
// The same, only some corners rounded: the corners toward Open stay square and that side's
// border is left out (tabs that merge into their page).
void OpenBox(Canvas& c, Side open, const Rgba& fill, const Rgba& border, double radius);
// A chevron pointing to Side (Top: up), centred at (cx, cy), Size wide along its base.
void Chevron(Canvas& c, double cx, double cy, double size, Side pointing, const Rgba& color, double width = 1.6);
// A check mark inside a square of Size at (x, y).
void CheckMark(Canvas& c, double x, double y, double size, const Rgba& color, double width = 1.8);

enum class TitleGlyph { Close, Maximize, Minimize, Restore, Help, None };
// A title-button glyph of Size pixels centred in the canvas, drawn with crisp one-pixel lines.
void DrawTitleGlyph(Canvas& c, TitleGlyph glyph, double size, const Rgba& color);

}  // namespace skingen
