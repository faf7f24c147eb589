#pragma once
// The device-context side of the graphics utilities: solid fills and border copies on a DC, the
// soft-edged colour overlays, hand-drawn marks through the DC's pixel setter, font metrics, and
// the layered-window entry points and system check-box size looked up at start-up. Win32 only.
#include <windows.h>

#include <string>

#include "skin/graphics/Image32.h"

namespace skin {

// R filled with a solid brush of the colour (system colours resolved).
void FillDC(HDC dc, const TRect& r, TColor color);
// Top, left, bottom and right strips of R, widths WT, WL, WB, WR; the inside untouched.
void FillDCBorder(HDC dc, const TRect& r, int wl, int wt, int wr, int wb, TColor color);
// Only the BorderWidth-wide frame of the Width x Height area at (X, Y), from (SrcX, SrcY) on.
void BitBltBorder(HDC destDC, int x, int y, int width, int height, HDC srcDC, int srcX, int srcY, int borderWidth);

// SrcRect of SrcDC copied to DstDC at DstPoint, overlaid with Color through a soft mask:
// Transparency 0 only fills, 100 only copies; Blur rings (a rounded rectangle, or an ellipse) fade
// from the edge inward.
void FadeRect(HDC srcDC, const TRect& srcRect, HDC dstDC, TPoint dstPoint, int transparency, TColor color, int blur,
              bool ellipse, int radius = 0);
// The same in place on R of a 32-bit image, always with rounded rectangles.
void FadeBmp(const TImage32View& bmp, const TRect& r, int transparency, TsColor color, int blur, int radius);

// Width nested one-pixel rings: top and left in ColorTop, bottom and right in ColorBottom (an RGB
// value). R keeps the shrinkage, Width ends at 0.
void DrawRectangleOnDC(HDC dc, TRect& r, TColor colorTop, TColor colorBottom, int& width);
// The colour arrow and the dotted focus frame set pixel by pixel on a DC.
void DrawColorArrow(HDC dc, TColor color, const TRect& r, int direction);
void FocusRect(HDC dc, const TRect& r, TColor color1, TColor color2);

// Text height of the font + 6, measured on the screen.
int GetFontHeight(HFONT font);
// Extent of Text in the font; (0, 0) when the measurement fails.
SIZE GetStringSize(HFONT font, const std::wstring& text);

// user32's layered-window functions, or nullptr on systems without them.
using TUpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TSetLayeredWindowAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
TUpdateLayeredWindow UpdateLayeredWindowProc();
TSetLayeredWindowAttributes SetLayeredWindowAttributesProc();
bool acLayered();

// One cell of the system's check-box image, for when no skin image is available.
int SystemCheckWidth();
int SystemCheckHeight();

}  // namespace skin
