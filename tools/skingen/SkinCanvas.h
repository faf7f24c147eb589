#pragma once
// A small vector painter for skin images: shapes are signed-distance functions, sampled 4 x 4
// per pixel, composed over each other with straight alpha. Coordinates are in pixels with
// (0, 0) at the top-left corner of the top-left pixel, so a box from 0 to W covers W pixels.
#include <cstdint>
#include <functional>
#include <vector>

namespace skingen {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;
};

// 0xRRGGBB as an opaque colour, with an optional opacity.
Rgba Hex(std::uint32_t rgb, double alpha = 1.0);
std::uint32_t ToHex(const Rgba& c);                // 0xRRGGBB of the colour, rounded
Rgba Mix(const Rgba& a, const Rgba& b, double t);  // a at t = 0, b at t = 1

using Shape = std::function<double(double x, double y)>;  // < 0 inside

Shape Box(double x0, double y0, double x1, double y1, double radius = 0);
Shape Circle(double cx, double cy, double r);
Shape Segment(double x0, double y0, double x1, double y1, double width);  // round caps
Shape Polyline(std::vector<std::pair<double, double>> points, double width);
Shape Ring(double cx, double cy, double r, double width);
Shape Arc(double cx, double cy, double r, double width, double fromDeg, double toDeg);  // clockwise from 3 o'clock
Shape Union(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);

class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h) {}
  int Width() const { return w_; }
  int Height() const { return h_; }
  const Rgba& At(int x, int y) const { return px_[static_cast<std::size_t>(y) * w_ + x]; }
  Rgba& At(int x, int y) { return px_[static_cast<std::size_t>(y) * w_ + x]; }

  void Fill(const Shape& shape, const Rgba& color);
  // A vertical gradient inside a shape: Top at y0, Bottom at y1.
  void FillVertical(const Shape& shape, const Rgba& top, const Rgba& bottom, double y0, double y1);
  // A soft shadow: the shape's outline blurred by Blur pixels (a smooth falloff of its distance).
  void Shadow(const Shape& shape, const Rgba& color, double blur);
  void Clear() { px_.assign(px_.size(), Rgba{}); }

 private:
  void Over(int x, int y, const Rgba& c, double coverage);
  int w_, h_;
  std::vector<Rgba> px_;
};

}  // namespace skingen
