#pragma once
// Skin records put together by hand for painting tests: sections with chosen looks, images drawn
// pixel by pixel into the master bitmap, and helpers to read pixels as 0xAARRGGBB words.
#include <cstdint>
#include <string>

#include "skin/core/acSkinRecords.h"
#include "skin/graphics/Image32.h"
#include "skin/graphics/sCacheInfo32.h"

namespace skin::test {

inline std::uint32_t At(const TBitmap32& b, int x, int y) { return b.At(x, y).U; }
inline std::uint32_t At(const TImage32View& b, int x, int y) { return b.At(x, y).U; }
// An opaque pixel of a TColor (red low).
inline std::uint32_t Opaque(TColor c) {
  const std::uint32_t v = static_cast<std::uint32_t>(c);
  return 0xFF000000u | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

// A parent background (up to 32 x 32) with every pixel different (its place coded in red and
// green), so that a wrong offset shows.
inline TBitmap32 CodedParent(int w, int h) {
  TBitmap32 p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.At(x, y).U = 0xFF000040u | (std::uint32_t(x * 8) << 16) | (std::uint32_t(y * 8) << 8);
  return p;
}

// A ready cache description of Parent with the origin at (X, Y).
inline TCacheInfo32 ReadyCI(TBitmap32& parent, int x, int y) {
  TCacheInfo32 ci;
  ci.Bmp = parent.View();
  ci.X = x;
  ci.Y = y;
  ci.Ready = true;
  return ci;
}

struct PaintSkin {
  TacSkinRecords sm;

  PaintSkin(int masterW = 64, int masterH = 64) { sm.MasterBitmap.SetSize(masterW, masterH, 0xFF000000u); }

  TsGeneralData& Section(const std::string& name, TColor color = 0x000000FF) {
    TsGeneralData g;
    g.ClassName = name;
    g.Color = color;
    g.HotColor = 0x0000FF00;
    g.States = 3;
    g.GradientData.clear();
    g.HotGradientData.clear();
    sm.gd.push_back(g);
    return sm.gd.back();
  }
  int SectionIndex(const std::string& name) const { return sm.GetSkinIndex(name); }

  // An image in the master bitmap at R; returns its index.
  int Image(const std::string& section, const std::string& key, TRect r, int imageCount, int maskType) {
    TsMaskData md;
    md.ClassName = section;
    md.PropertyName = key;
    md.R = r;
    md.ImageCount = static_cast<std::int16_t>(imageCount);
    md.MaskType = static_cast<std::int16_t>(maskType);
    md.Manager = &sm;
    sm.ma.push_back(std::move(md));
    return static_cast<int>(sm.ma.size()) - 1;
  }
  TsMaskData& Mask(int index) { return sm.ma[static_cast<std::size_t>(index)]; }
  void Put(int x, int y, std::uint32_t px) { sm.MasterBitmap.At(x, y).U = px; }
  void Fill(TRect r, std::uint32_t px) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) Put(x, y, px);
  }
};

}  // namespace skin::test
