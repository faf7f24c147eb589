#include "tools/skingen/SkinArt.h"

#include <cmath>

namespace skingen {

void FramedBox(Canvas& c, const Rgba& fill, const Rgba& border, double radius, double inset) {
  const double x0 = inset, y0 = inset, x1 = c.Width() - inset, y1 = c.Height() - inset;
  const Shape outer = Box(x0, y0, x1, y1, radius);
  const Shape inner = Box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(radius - 1, 0.0));
  if (border.a > 0) c.Fill(fill.a > 0 ? outer : Subtract(outer, inner), border);
  if (fill.a > 0) c.Fill(border.a > 0 ? inner : outer, fill);
}

void OpenBox(Canvas& c, Side open, const Rgba& fill, const Rgba& border, double radius) {
  // Extend the box past the open side so that its rounded corners and border fall outside.
  const double w = c.Width(), h = c.Height(), e = radius + 2;
  double x0 = 0, y0 = 0, x1 = w, y1 = h;
  switch (open) {
    case Side::Bottom: y1 += e; break;
    case Side::Top: y0 -= e; break;
    case Side::Right: x1 += e; break;
    case Side::Left: x0 -= e; break;
  }
  const Shape outer = Box(x0, y0, x1, y1, radius);
  const Shape inner = Box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(radius - 1, 0.0));
  if (border.a > 0) c.Fill(outer, border);
  c.Fill(border.a > 0 ? inner : outer, fill);
}

void Chevron(Canvas& c, double cx, double cy, double size, Side pointing, const Rgba& color, double width) {
  const double h = size / 2, d = size / 4;
  std::vector<std::pair<double, double>> pts;
  switch (pointing) {
    case Side::Bottom: pts = {{cx - h, cy - d}, {cx, cy + d}, {cx + h, cy - d}}; break;
    case Side::Top: pts = {{cx - h, cy + d}, {cx, cy - d}, {cx + h, cy + d}}; break;
    case Side::Right: pts = {{cx - d, cy - h}, {cx + d, cy}, {cx - d, cy + h}}; break;
    case Side::Left: pts = {{cx + d, cy - h}, {cx - d, cy}, {cx + d, cy + h}}; break;
  }
  c.Fill(Polyline(pts, width), color);
}

void CheckMark(Canvas& c, double x, double y, double size, const Rgba& color, double width) {
  c.Fill(
      Polyline(
          {{x + size * 0.18, y + size * 0.52}, {x + size * 0.40, y + size * 0.74}, {x + size * 0.82, y + size * 0.28}},
          width),
      color);
}

void DrawTitleGlyph(Canvas& c, TitleGlyph glyph, double size, const Rgba& color) {
  const double x0 = std::floor((c.Width() - size) / 2), y0 = std::floor((c.Height() - size) / 2);
  const double x1 = x0 + size, y1 = y0 + size;
  switch (glyph) {
    case TitleGlyph::Close:
      c.Fill(Union(Segment(x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5, 1.1),
                   Segment(x0 + 0.5, y1 - 0.5, x1 - 0.5, y0 + 0.5, 1.1)),
             color);
      break;
    case TitleGlyph::Maximize: c.Fill(Subtract(Box(x0, y0, x1, y1), Box(x0 + 1, y0 + 1, x1 - 1, y1 - 1)), color); break;
    case TitleGlyph::Minimize:
      c.Fill(Box(x0, std::floor((y0 + y1) / 2), x1, std::floor((y0 + y1) / 2) + 1), color);
      break;
    case TitleGlyph::Restore: {
      const double s = size - 2;
      c.Fill(Subtract(Box(x0, y0 + 2, x0 + s, y0 + 2 + s), Box(x0 + 1, y0 + 3, x0 + s - 1, y0 + 1 + s)), color);
      const Shape back = Union(Box(x0 + 2, y0, x1, y0 + 1), Box(x1 - 1, y0, x1, y1 - 2));
      c.Fill(Union(back, Union(Box(x0 + 2, y0, x0 + 3, y0 + 2), Box(x1 - 2, y1 - 3, x1, y1 - 2))), color);
      break;
    }
    case TitleGlyph::Help: {
      const double cx = (x0 + x1) / 2, r = size * 0.28;
      c.Fill(Arc(cx, y0 + r + 0.5, r, 1.3, 180, 405), color);
      c.Fill(Segment(cx, y0 + 2 * r + 0.6, cx, y1 - size * 0.3, 1.3), color);
      c.Fill(Circle(cx, y1 - 1.0, 0.9), color);
      break;
    }
    case TitleGlyph::None: break;
  }
}

}  // namespace skingen
