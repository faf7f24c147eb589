#include "skin/graphics/sColorUtils.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "skin/graphics/PixelMath.h"

namespace skin {
namespace {

double Clamp255(double x) { return x < 0 ? 0 : (x > 255 ? 255 : x); }

// The channel values of hue sector I from the value V and the three intermediate levels.
void Sector(int i, double v, double p, double q, double t, double& r, double& g, double& b) {
  switch (i) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
  }
}

// Hue in degrees (0..360) of a colour whose channels span Span > 0 below the largest, Max.
double HueOf(int r, int g, int b, int max, int span) {
  const double rr = max - r * 60.0 / span, gg = max - g * 60.0 / span, bb = max - b * 60.0 / span;
  double h;
  if (r == max)
    h = bb - gg;
  else if (g == max)
    h = 120 + rr - bb;
  else
    h = 240 + gg - rr;
  return h < 0 ? h + 360 : h;
}

}  // namespace

TsColor_ ChangeHue(int delta, TsColor_ color) {
  const int mx = std::max({color.R, color.G, color.B});
  const int mn = std::min({color.R, color.G, color.B});
  const int span = mx - mn;
  const double v = mx;
  const double s = mx == 0 ? 0.0 : static_cast<double>(span) / mx;
  if (s == 0.0) {
    color.R = static_cast<std::uint8_t>(mx);
    return color;
  }
  const double h = HueOf(color.R, color.G, color.B, mx, span);
  const int turned = ((RoundToInt(delta + h) % 360) + 360) % 360;
  const double e = turned / 60.0;
  const int i = static_cast<int>(std::trunc(e));
  const double f = e - i;
  const double p = Clamp255(v * (1 - s)), q = Clamp255(v * (1 - f * s)), t = Clamp255(v * (1 - (1 - f) * s));
  double r, g, b;
  Sector(i, v, p, q, t, r, g, b);
  color.R = static_cast<std::uint8_t>(RoundToInt(r));
  color.G = static_cast<std::uint8_t>(RoundToInt(g));
  color.B = static_cast<std::uint8_t>(RoundToInt(b));
  return color;
}

TColor ChangeHue(int delta, TColor color) {
  if (delta == 0) return color;
  TsColor_ c;
  c.U = SwapRB(static_cast<std::uint32_t>(color));
  return static_cast<TColor>(SwapRB(ChangeHue(delta, c).U));
}

TsColor_ ChangeSaturation(int delta, TsColor_ color) {
  if (delta == 0) return color;
  const double a = (color.R + color.G + color.B) / 3.0;
  const auto move = [&](std::uint8_t c) { return static_cast<std::uint8_t>(RoundByte(c - (a - c) * delta / 100.0)); };
  color.R = move(color.R);
  color.G = move(color.G);
  color.B = move(color.B);
  return color;
}

TColor ChangeSaturation(TColor color, int delta) {
  if (delta == 0) return color;
  TsColor_ c;
  c.C = color;
  return ChangeSaturation(delta, c).C;
}

TColor ChangeBrightness(TColor color, int value) {
  if (value == 0) return color;
  const std::uint32_t c = static_cast<std::uint32_t>(color);
  std::uint32_t r = c & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    const int ch = (c >> sh) & 0xFF;
    const double k = value > 0 ? (255 - ch) / 100.0 : ch / 100.0;
    r |= static_cast<std::uint32_t>(RoundByte(ch + value * k)) << sh;
  }
  return static_cast<TColor>(r);
}

TColor Hsv2Rgb(double h, double s, double v) {
  if (s == 0.0) return static_cast<TColor>(RoundByte(v * 255) * 0x010101);
  const double e = h == 360 ? 0.0 : h / 60;
  const int i = static_cast<int>(std::trunc(e));
  const double f = e - i;
  const double big = v * 255;
  const double q = Clamp255(big * (1 - s * f)), p = Clamp255((1 - s) * big), t = Clamp255(big * (1 - s * (1 - f)));
  double r, g, b;
  Sector(i, big, p, q, t, r, g, b);
  return static_cast<TColor>(RoundByte(r) | (RoundByte(g) << 8) | (RoundByte(b) << 16));
}

TsHSV Rgb2Hsv(TsColor color) {
  const int mx = std::max({color.R, color.G, color.B});
  const int mn = std::min({color.R, color.G, color.B});
  const int span = mx - mn;
  TsHSV out;
  out.s = mx == 0 ? 0.0 : static_cast<double>(span) / mx;
  out.v = mx / 255.0;
  if (out.s == 0.0) return out;
  out.h = RoundToInt(HueOf(color.R, color.G, color.B, mx, span));
  return out;
}

void HSVtoRGB(double h, double s, double v, double& r, double& g, double& b) {
  if (h == 360) h = 0;
  if (std::isnan(h)) {
    r = g = b = v;
    return;
  }
  if (s >= 0 && s <= 0.0002) return;
  const int i = static_cast<int>(std::trunc(h / 60));
  const double f = h / 60 - i;
  Sector(i, v, v * (1 - s), v * (1 - s * f), v * (1 - s * (1 - f)), r, g, b);
}

void RGBToHSV(double r, double g, double b, double& h, double& s, double& v) {
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  v = mx;
  s = mx == 0 ? 0.0 : (mx - mn) / mx;
  if (s == 0) return;
  const double span = mx - mn;
  if (r == mx)
    h = (g - b) / span * 60;
  else if (g == mx)
    h = 120 + (b - r) / span * 60;
  else
    h = 240 + (r - g) / span * 60;
  if (h < 0) h += 360;
}

int SwapInteger(int value) { return static_cast<int>(SwapRB(static_cast<std::uint32_t>(value))); }

void ColorArrowPoints(const TRect& r, int direction, const std::function<void(int, int)>& point) {
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  if (direction == 4) {
    const int x0 = r.Left + (w - 3) / 2, y0 = r.Top + (h - 6) / 2;
    for (int i = 0; i <= 3; ++i)
      for (int y = y0 + i; y <= y0 + 6 - i; ++y) point(x0 + i, y);
  } else if (direction == 8) {
    const int x0 = r.Left + (w - 6) / 2 - 1, y0 = r.Top + (h - 3) / 2 - 1;
    for (int i = 0; i <= 3; ++i)
      for (int x = x0 + i; x <= x0 + 7 - i; ++x) point(x, y0 + i);
  }
}

void FocusRectPoints(const TRect& r, const std::function<void(int, int, int)>& point) {
  const int nx = (r.Right - r.Left) / 3, ny = (r.Bottom - r.Top) / 3;
  const int right = r.Right - 1, bottom = r.Bottom - 1;
  for (int i = 0; i <= nx; ++i) {
    const int x = r.Left + 3 * i;
    point(x, r.Top, 2);
    point(x, bottom, 2);
    point(x - 1, r.Top, 1);
    point(x - 1, bottom, 1);
  }
  for (int j = 0; j <= ny; ++j) {
    const int y = r.Top + 3 * j;
    point(r.Left, y, 2);
    point(right, y, 2);
    point(r.Left, y - 1, 1);
    point(right, y - 1, 1);
  }
}

namespace {
void PutOpaque(const TImage32View& bmp, int x, int y, TColor color) {
  if (bmp.Contains(x, y)) bmp.At(x, y).U = AsPixel(color) | 0xFF000000u;
}
}  // namespace

void DrawColorArrow(const TImage32View& bmp, TColor color, const TRect& r, int direction) {
  ColorArrowPoints(r, direction, [&](int x, int y) { PutOpaque(bmp, x, y, color); });
}

void FocusRect(const TImage32View& bmp, const TRect& r, TColor color1, TColor color2) {
  FocusRectPoints(r, [&](int x, int y, int which) { PutOpaque(bmp, x, y, which == 1 ? color1 : color2); });
}

void CalcButtonLayout(const TRect& client, TPoint glyphSize, TSize textSize, TButtonLayout layout, TAlignment alignment,
                      int margin, int spacing, TPoint& glyphPos, TRect& textBounds, int biDiFlags) {
  using enum TButtonLayout;
  using enum TAlignment;
  if (biDiFlags & 2) {
    if (layout == blGlyphLeft)
      layout = blGlyphRight;
    else if (layout == blGlyphRight)
      layout = blGlyphLeft;
  }
  const int w = client.Right - client.Left, h = client.Bottom - client.Top;
  const bool sideways = layout == blGlyphLeft || layout == blGlyphRight;
  textBounds = {0, 0, textSize.cx, textSize.cy};
  glyphPos = {0, 0};
  int tx = 0, ty = 0;
  if (sideways) {
    glyphPos.Y = (h - glyphSize.Y + 1) / 2;
    ty = (h - textSize.cy + 1) / 2;
  } else {
    glyphPos.X = (w - glyphSize.X + 1) / 2;
    tx = (w - textSize.cx + 1) / 2;
  }
  if (textSize.cx == 0 || glyphSize.X == 0) spacing = 0;
  const int total = sideways ? w : h;
  const int glyph = sideways ? glyphSize.X : glyphSize.Y;
  const int text = sideways ? textSize.cx : textSize.cy;
  if (margin == -1) {
    if (spacing < 0) {
      margin = spacing = (total - (glyph + text)) / 3;
    } else if (alignment == taCenter) {
      margin = (total - (glyph + spacing + text) + 1) / 2;
    } else {
      margin = 2;
    }
  } else if (spacing < 0) {
    spacing = ((total - (margin + glyph)) - text) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      if (alignment == taLeftJustify) {
        glyphPos.X = margin;
        tx = margin + glyphSize.X + spacing;
        textBounds.Right = std::min(textSize.cx, client.Right - margin - tx);
      } else if (alignment == taRightJustify) {
        tx = w - margin - textSize.cx;
        glyphPos.X = tx - spacing - glyphSize.X;
      } else {
        glyphPos.X = std::max((w - textSize.cx - spacing - glyphSize.X) / 2, margin);
        tx = glyphPos.X + spacing + glyphSize.X;
      }
      break;
    case blGlyphRight:
      if (alignment == taLeftJustify) {
        glyphPos.X = margin + textSize.cx + spacing;
        tx = margin;
      } else if (alignment == taRightJustify) {
        glyphPos.X = w - margin - glyphSize.X;
        tx = glyphPos.X - spacing - textSize.cx;
      } else {
        tx = (w - textSize.cx - spacing - glyphSize.X) / 2;
        glyphPos.X = tx + spacing + textSize.cx;
      }
      break;
    case blGlyphTop:
      glyphPos.Y = (h - glyphSize.Y - spacing - textSize.cy) / 2;
      ty = glyphPos.Y + glyphSize.Y + spacing;
      break;
    case blGlyphBottom:
      glyphPos.Y = h - glyphSize.Y - (h - glyphSize.Y - spacing - textSize.cy) / 2;
      ty = glyphPos.Y - spacing - textSize.cy;
      break;
  }
  glyphPos.X += client.Left;
  glyphPos.Y += client.Top;
  const int ox = client.Left + tx, oy = client.Top + ty;
  textBounds = {textBounds.Left + ox, textBounds.Top + oy, textBounds.Right + ox, textBounds.Bottom + oy};
}

}  // namespace skin
