#pragma once
// Hue, saturation and brightness of single colours, RGB <-> HSV, the geometry of the small hand-drawn
// marks (colour arrow, dotted focus frame) and the placement of a glyph and a caption in a button.
#include <functional>

#include "skin/graphics/Image32.h"

namespace skin {

struct TsHSV {
  int h = 0;       // whole degrees
  double s = 0.0;  // 0..1
  double v = 0.0;  // 0..1
};

// Hue turned by Delta degrees. The pixel-order form always passes through the conversion; the TColor
// form returns the colour unchanged for Delta 0. Grey colours stay as they are.
TsColor_ ChangeHue(int delta, TsColor_ color);
TColor ChangeHue(int delta, TColor color);
// Channels moved away from (Delta > 0) or toward (Delta < 0) their grey average, limited to 0..255.
TsColor_ ChangeSaturation(int delta, TsColor_ color);
TColor ChangeSaturation(TColor color, int delta);
// Value percent of the way toward white (> 0) or black (< 0); the top byte is kept.
TColor ChangeBrightness(TColor color, int value);

TColor Hsv2Rgb(double h, double s, double v);
TsHSV Rgb2Hsv(TsColor color);
// The same on real channels, unscaled. HSVtoRGB leaves the outputs alone for a saturation of
// 0..0.0002; RGBToHSV sets H only for a non-zero saturation.
void HSVtoRGB(double h, double s, double v, double& r, double& g, double& b);
void RGBToHSV(double r, double g, double b, double& h, double& s, double& v);

// Bytes 0 and 2 exchanged.
int SwapInteger(int value);

// The points of a colour arrow centred in R: Direction 4 points right (4 x 7), 8 points down (8 x 4).
void ColorArrowPoints(const TRect& r, int direction, const std::function<void(int x, int y)>& point);
// The dotted focus frame: every point with its colour (1 or 2).
void FocusRectPoints(const TRect& r, const std::function<void(int x, int y, int colorIndex)>& point);
// The same marks set as opaque pixels of a 32-bit image (points outside it are skipped).
void DrawColorArrow(const TImage32View& bmp, TColor color, const TRect& r, int direction);
void FocusRect(const TImage32View& bmp, const TRect& r, TColor color1, TColor color2);

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// Places a glyph and a caption in Client; BiDiFlags bit 2 mirrors left and right.
void CalcButtonLayout(const TRect& client, TPoint glyphSize, TSize textSize, TButtonLayout layout, TAlignment alignment,
                      int margin, int spacing, TPoint& glyphPos, TRect& textBounds, int biDiFlags);

}  // namespace skin
