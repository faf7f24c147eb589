#pragma once
// Captions of skinned controls: plain text with an embossed disabled look, text shortened with an
// ellipsis, thin wrappers over the API's text calls, and a coloured glow behind text made from a
// blurred 8-bit mask. Each works on a canvas or DC the caller prepared (font, clip) and keeps no
// state; Flags are DrawTextW's. The skinned forms, which need a skin section's colours, build on
// these one folder up. Win32 only.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Graphics.h"
#include "skin/graphics/Dib32.h"
#include "skin/graphics/Image32.h"

namespace skin {

// Text shortened to MaxWidth pixels in the canvas font: characters dropped from the end until the
// rest with "..." fits; empty when not even one character with "..." fits or MaxWidth <= 0.
std::wstring CutText(classlib::TCanvas* canvas, const std::wstring& text, int maxWidth);

// Text in R: unless Flags word-breaks, R is first fitted to the text's extent (centred, right or
// left as Flags align it, the text's height centred on R's) and returned inflated by 1 on every
// side. Disabled text is embossed: a copy at (+1, +1) in the button highlight colour, then the text
// in the button shadow colour (the canvas font keeps that colour). The brush is left clear.
void WriteText(classlib::TCanvas* canvas, const std::wstring& text, bool enabled, TRect& r, UINT flags);
// The same on a DC in its own text colour (the disabled copy too), background mode transparent.
void WriteTextOnDC(HDC dc, const std::wstring& text, bool enabled, TRect& r, UINT flags);

// DrawTextW in the canvas font and colour; Enabled has no effect.
void acWriteText(classlib::TCanvas* canvas, const std::wstring& text, bool enabled, TRect& r, UINT flags);
int acDrawText(HDC dc, const std::wstring& text, TRect& r, UINT flags);
TSize acTextExtent(classlib::TCanvas* canvas, const std::wstring& text);
int acTextWidth(classlib::TCanvas* canvas, const std::wstring& text);
int acTextHeight(classlib::TCanvas* canvas, const std::wstring& text);
void acTextRect(classlib::TCanvas* canvas, const TRect& r, int x, int y, const std::wstring& text);
void acGetTextExtent(HDC dc, const std::wstring& text, SIZE& size);

// Bits of the glow's Sides: the text is drawn once more moved one pixel toward each side set.
inline constexpr int kGlowLeft = 1, kGlowUp = 2, kGlowRight = 4, kGlowDown = 8, kGlowAllSides = 15;

// A glow of Color (an RGB TColor) under Text in R of Dst (a 32-bit bitmap), in Dst's canvas font.
// Mask belongs to the caller and is kept between calls: it is made (text, its side copies, then the
// blur) only when missing or of another size, so a caller drawing the same caption again pays for
// the mask once.
void acDrawGlowForText(classlib::TBitmap* dst, const std::wstring& text, const TRect& r, UINT textFlags, int sides,
                       int glowSize, TColor color, std::unique_ptr<TDib8>& mask);

// Gaussian blur in place of an 8-bit bitmap; any other pixel format is left as it is.
void Blur8(classlib::TBitmap* bmp, double radius);

}  // namespace skin
