#include "tools/skingen/SkinDescription.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace skingen {
namespace {

constexpr int kGap = 2;
constexpr std::uint32_t kKey = 0xFF00FF;

std::string Pad4(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%04d", v);
  return buf;
}

std::string Digit(int v) {
  if (v < 0 || v > 9) throw std::runtime_error("a one-digit field is out of range");
  return std::to_string(v);
}

}  // namespace

std::string ColorValue(std::uint32_t rgb) {
  const std::uint32_t color = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
  return std::to_string(color);
}

Section& Section::Set(const std::string& key, const std::string& value) {
  for (auto& [k, v] : keys_)
    if (k == key) {
      v = value;
      return *this;
    }
  keys_.emplace_back(key, value);
  return *this;
}

Section& Description::Add(const std::string& name) {
  for (const Section& s : sections_)
    if (s.Name() == name) throw std::runtime_error("section " + name + " added twice");
  sections_.emplace_back(name);
  return sections_.back();
}

Section& Description::Get(const std::string& name) {
  for (Section& s : sections_)
    if (s.Name() == name) return s;
  throw std::runtime_error("no section " + name);
}

std::string Description::Text() const {
  std::string text;
  for (const Section& s : sections_) {
    if (!text.empty()) text += "\r\n";
    text += "[" + s.Name() + "]\r\n";
    for (const auto& [k, v] : s.Keys()) text += k + "=" + v + "\r\n";
  }
  return text;
}

Rect MasterBitmap::Add(int w, int h, int cells, bool masked, const CellPainter& paint) {
  const int totalW = w * cells, totalH = masked ? 2 * h : h;
  if (totalW > width_) throw std::runtime_error("an image is wider than the master bitmap");
  if (x_ + totalW > width_) {
    rowTop_ += rowHeight_ + kGap;
    x_ = 0;
    rowHeight_ = 0;
  }
  Placed p{{x_, rowTop_, x_ + totalW, rowTop_ + totalH}, w, h, cells, masked, {}};
  p.px.resize(static_cast<std::size_t>(totalW) * h);
  for (int i = 0; i < cells; ++i) {
    Canvas c(w, h);
    paint(c, i);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) p.px[static_cast<std::size_t>(y) * totalW + i * w + x] = c.At(x, y);
  }
  x_ += totalW + kGap;
  rowHeight_ = std::max(rowHeight_, totalH);
  images_.push_back(std::move(p));
  return images_.back().r;
}

Rect MasterBitmap::AddShared(const std::string& name, int w, int h, int cells, bool masked, const CellPainter& paint) {
  if (const auto it = shared_.find(name); it != shared_.end()) return it->second;
  return shared_[name] = Add(w, h, cells, masked, paint);
}

std::vector<std::uint32_t> MasterBitmap::Pixels() const {
  const int height = Height();
  std::vector<std::uint32_t> out(static_cast<std::size_t>(width_) * height, kKey);
  for (const Placed& p : images_) {
    const int totalW = p.w * p.cells;
    for (int y = 0; y < p.h; ++y)
      for (int x = 0; x < totalW; ++x) {
        const Rgba& c = p.px[static_cast<std::size_t>(y) * totalW + x];
        const int alpha = static_cast<int>(std::lround(std::clamp(c.a, 0.0, 1.0) * 255));
        std::uint32_t colour = alpha == 0 ? kKey : ToHex(c);
        if (!p.masked && alpha < 128) colour = kKey;
        if (colour == kKey && alpha != 0) colour = 0xFE00FF;  // never the key by accident
        out[static_cast<std::size_t>(p.r.top + y) * width_ + p.r.left + x] = colour;
        if (p.masked) {
          const std::uint32_t m = static_cast<std::uint32_t>(255 - alpha);
          out[static_cast<std::size_t>(p.r.top + p.h + y) * width_ + p.r.left + x] = (m << 16) | (m << 8) | m;
        }
      }
  }
  return out;
}

std::string GlyphValue(const Rect& r, int cells, int maskType) {
  return "@" + Pad4(r.left) + "@" + Pad4(r.top) + "@" + Pad4(r.right) + "@" + Pad4(r.bottom) + "@" + Digit(cells) +
         "@" + Digit(maskType);
}

std::string BorderValue(const Rect& r, int wl, int wt, int wr, int wb, int cells, int maskType, int drawMode,
                        int borderWidth) {
  return "^" + Pad4(r.left) + "^" + Pad4(r.top) + "^" + Pad4(r.right) + "^" + Pad4(r.bottom) + "^" + Pad4(wl) + "^" +
         Pad4(wt) + "^" + Pad4(wr) + "^" + Pad4(wb) + "^" + Digit(cells) + "^" + Digit(maskType) + "^" +
         Digit(drawMode) + "^" + Digit(borderWidth);
}

std::string FileValue(const std::string& file, int cells, int maskType, int imgType, int wl, int wt, int wr, int wb,
                      int drawMode) {
  std::string v = "!" + file;
  for (int n : {cells, maskType, imgType, wl, wt, wr, wb, drawMode}) v += "!" + std::to_string(n);
  return v;
}

}  // namespace skingen
