#pragma once
// What the generator writes: the description text, built section by section, and the master
// bitmap, into which images are packed as cells (with their mask below them when masked).
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/skingen/SkinCanvas.h"

namespace skingen {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// A TColor (red in the low byte) from 0xRRGGBB, as the description writes it.
std::string ColorValue(std::uint32_t rgb);

class Section {
 public:
  explicit Section(std::string name) : name_(std::move(name)) {}
  const std::string& Name() const { return name_; }
  Section& Set(const std::string& key, const std::string& value);
  Section& Int(const std::string& key, int value) { return Set(key, std::to_string(value)); }
  Section& Color(const std::string& key, std::uint32_t rgb) { return Set(key, ColorValue(rgb)); }
  Section& Bool(const std::string& key, bool value) { return Set(key, value ? "1" : "0"); }
  const std::vector<std::pair<std::string, std::string>>& Keys() const { return keys_; }

 private:
  std::string name_;
  std::vector<std::pair<std::string, std::string>> keys_;
};

class Description {
 public:
  Section& Add(const std::string& name);  // a new section at the end
  Section& Get(const std::string& name);  // an existing one
  std::string Text() const;
  const std::vector<Section>& Sections() const { return sections_; }

 private:
  std::vector<Section> sections_;
};

// Draws cell Index of an image into a canvas of one cell's size.
using CellPainter = std::function<void(Canvas&, int index)>;

class MasterBitmap {
 public:
  explicit MasterBitmap(int width) : width_(width) {}
  // Packs Cells cells of W x H side by side (twice the height when masked) and answers the
  // image's rectangle. Images are packed in rows, left to right, in the order they are added.
  Rect Add(int w, int h, int cells, bool masked, const CellPainter& paint);
  // The same drawing reuses the rectangle that it got before (by name).
  Rect AddShared(const std::string& name, int w, int h, int cells, bool masked, const CellPainter& paint);
  int Width() const { return width_; }
  int Height() const { return rowTop_ + rowHeight_; }
  // 0xRRGGBB pixels, key colour (0xFF00FF) where nothing is drawn.
  std::vector<std::uint32_t> Pixels() const;

 private:
  struct Placed {
    Rect r;
    int w, h, cells;
    bool masked;
    std::vector<Rgba> px;  // cells side by side, w * cells by h
  };
  int width_;
  int x_ = 0, rowTop_ = 0, rowHeight_ = 0;
  std::vector<Placed> images_;
  std::map<std::string, Rect> shared_;
};

// The value of a glyph rectangle ('@'), a border rectangle ('^') and an own image file ('!').
std::string GlyphValue(const Rect& r, int cells, int maskType);
std::string BorderValue(const Rect& r, int wl, int wt, int wr, int wb, int cells, int maskType, int drawMode,
                        int borderWidth = 0);
std::string FileValue(const std::string& file, int cells, int maskType, int imgType, int wl, int wt, int wr, int wb,
                      int drawMode);

}  // namespace skingen
