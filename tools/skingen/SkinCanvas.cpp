#include "tools/skingen/SkinCanvas.h"

#include <algorithm>
#include <cmath>

namespace skingen {
namespace {

constexpr int kSamples = 4;
constexpr double kPi = 3.14159265358979323846;

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

}  // namespace

Rgba Hex(std::uint32_t rgb, double alpha) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

std::uint32_t ToHex(const Rgba& c) {
  const auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(Clamp01(v) * 255)); };
  return (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
}

Rgba Mix(const Rgba& a, const Rgba& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Shape Box(double x0, double y0, double x1, double y1, double radius) {
  return [=](double x, double y) {
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    const double dx = std::fabs(x - cx) - hx, dy = std::fabs(y - cy) - hy;
    return std::hypot(std::max(dx, 0.0), std::max(dy, 0.0)) + std::min(std::max(dx, dy), 0.0) - radius;
  };
}

Shape Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

Shape Segment(double x0, double y0, double x1, double y1, double width) {
  return [=](double x, double y) {
    const double vx = x1 - x0, vy = y1 - y0;
    const double len2 = vx * vx + vy * vy;
    const double t = len2 == 0 ? 0 : std::clamp(((x - x0) * vx + (y - y0) * vy) / len2, 0.0, 1.0);
    return std::hypot(x - x0 - t * vx, y - y0 - t * vy) - width / 2;
  };
}

Shape Polyline(std::vector<std::pair<double, double>> points, double width) {
  std::vector<Shape> parts;
  for (std::size_t i = 1; i < points.size(); ++i)
    parts.push_back(Segment(points[i - 1].first, points[i - 1].second, points[i].first, points[i].second, width));
  return [parts](double x, double y) {
    double d = 1e9;
    for (const Shape& s : parts) d = std::min(d, s(x, y));
    return d;
  };
}

Shape Ring(double cx, double cy, double r, double width) {
  return [=](double x, double y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - width / 2; };
}

Shape Arc(double cx, double cy, double r, double width, double fromDeg, double toDeg) {
  const double a0 = fromDeg * kPi / 180, a1 = toDeg * kPi / 180;
  const double ex0 = cx + r * std::cos(a0), ey0 = cy + r * std::sin(a0);
  const double ex1 = cx + r * std::cos(a1), ey1 = cy + r * std::sin(a1);
  return [=](double x, double y) {
    double a = std::atan2(y - cy, x - cx);
    while (a < a0) a += 2 * kPi;
    if (a <= a1) return std::fabs(std::hypot(x - cx, y - cy) - r) - width / 2;
    return std::min(std::hypot(x - ex0, y - ey0), std::hypot(x - ex1, y - ey1)) - width / 2;
  };
}

Shape Union(Shape a, Shape b) {
  return [=](double x, double y) { return std::min(a(x, y), b(x, y)); };
}

Shape Subtract(Shape a, Shape b) {
  return [=](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}

void Canvas::Over(int x, int y, const Rgba& c, double coverage) {
  const double a = c.a * coverage;
  if (a <= 0) return;
  Rgba& d = At(x, y);
  const double outA = a + d.a * (1 - a);
  if (outA <= 0) return;
  d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
  d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
  d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
  d.a = outA;
}

void Canvas::Fill(const Shape& shape, const Rgba& color) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      int inside = 0;
      for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i)
          if (shape(x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples) < 0) ++inside;
      if (inside) Over(x, y, color, static_cast<double>(inside) / (kSamples * kSamples));
    }
}

void Canvas::FillVertical(const Shape& shape, const Rgba& top, const Rgba& bottom, double y0, double y1) {
  for (int y = 0; y < h_; ++y) {
    const double t = y1 > y0 ? Clamp01((y + 0.5 - y0) / (y1 - y0)) : 0;
    const Rgba c = Mix(top, bottom, t);
    for (int x = 0; x < w_; ++x) {
      int inside = 0;
      for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i)
          if (shape(x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples) < 0) ++inside;
      if (inside) Over(x, y, c, static_cast<double>(inside) / (kSamples * kSamples));
    }
  }
}

void Canvas::Shadow(const Shape& shape, const Rgba& color, double blur) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      const double d = shape(x + 0.5, y + 0.5);
      const double t = Clamp01(1 - (d + blur * 0.15) / blur);
      Over(x, y, color, t * t * (3 - 2 * t));  // smoothstep falloff
    }
}

}  // namespace skingen
