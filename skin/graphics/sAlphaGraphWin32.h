#pragma once
// Text into a 32-bit image with the touched pixels left opaque. Win32 only: the glyphs come from GDI.
#include <windows.h>

#include <string>

#include "skin/graphics/Image32.h"

namespace skin {

// A text colour and the colours of its one-pixel outline on each side (-1: no outline there).
struct TTextColors32 {
  TColor Color = 0;
  TColor Left = -1;
  TColor Top = -1;
  TColor Right = -1;
  TColor Bottom = -1;
};

// Text drawn in Font with the DrawText Flags into R of Bmp: with Outlined, first once in each outline
// colour moved one pixel to that side (left, top, right, bottom), then in the main colour. Nothing
// for an empty text.
void WriteText32(const TImage32View& bmp, const std::wstring& text, HFONT font, bool outlined, const TRect& r,
                 UINT flags, const TTextColors32& colors);

}  // namespace skin
