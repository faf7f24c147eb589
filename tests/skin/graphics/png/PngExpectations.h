#pragma once
// What the reader must make of a PNG, worked out from its plain samples and chunks by the
// output rules alone: grey and indexed images become palette bitmaps (2-bit values times 5 in
// 4-bit bitmaps), 16-bit samples s become s div 257, grey with alpha loses its alpha, RGB(A)
// turns into B, G, R(, A) rows, and with gAMA the palette colours and R, G, B samples (never
// alpha) pass through round(255 * (v / 255) ^ (1 / (file gamma * 2.2))).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include "skin/graphics/RasterImage.h"
#include "tests/skin/graphics/png/PngBuilder.h"

namespace png_test {

struct FileFacts {
  std::vector<std::array<std::uint8_t, 3>> plte;
  std::optional<std::uint32_t> gamma;                // gAMA value
  std::optional<std::array<std::uint16_t, 3>> trns;  // grey (all three alike) or RGB samples
};

inline std::array<std::uint8_t, 256> GammaTableFor(std::optional<std::uint32_t> gamma) {
  std::array<std::uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) {
    if (!gamma) {
      t[i] = static_cast<std::uint8_t>(i);
      continue;
    }
    float file = static_cast<float>(*gamma / 100000.0);
    if (!(file > 0)) file = 1.0f;
    const double exponent = 1.0 / (static_cast<double>(file) * static_cast<double>(2.2f));
    t[i] = static_cast<std::uint8_t>(std::nearbyint(std::pow(i / 255.0, exponent) * 255.0));
  }
  return t;
}

inline skin::TPixelFormat ExpectedFormat(int colorType, int depth) {
  using skin::TPixelFormat;
  switch (colorType) {
    case 2: return TPixelFormat::pf24bit;
    case 6: return TPixelFormat::pf32bit;
    case 4: return TPixelFormat::pf8bit;
    default:
      if (depth == 1) return TPixelFormat::pf1bit;
      if (depth == 2 || depth == 4) return TPixelFormat::pf4bit;
      return TPixelFormat::pf8bit;
  }
}

inline std::vector<skin::TPaletteEntry> ExpectedPalette(int colorType, int depth, const FileFacts& facts) {
  const auto g = GammaTableFor(facts.gamma);
  const int bits = skin::BitsOf(ExpectedFormat(colorType, depth));
  std::vector<skin::TPaletteEntry> palette;
  if (bits > 8) return palette;
  const int count = 1 << bits;
  palette.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    skin::TPaletteEntry& e = palette[static_cast<std::size_t>(i)];
    if (colorType == 3) {
      const int from = depth == 2 ? i * 3 / 15 : i;
      if (from < static_cast<int>(facts.plte.size()) && from < 256) {
        const auto& c = facts.plte[static_cast<std::size_t>(from)];
        e = {g[c[0]], g[c[1]], g[c[2]], 0};
      }
    } else {
      const auto level = g[static_cast<std::size_t>(i * (255 / (count - 1)))];
      e = {level, level, level, 0};
    }
  }
  return palette;
}

inline int Reduce(int depth, int s) { return depth == 16 ? s / 257 : s; }

inline std::optional<classlib::TColor> ExpectedTransparentColor(int colorType, int depth, const FileFacts& facts) {
  if (!facts.trns || (colorType != 0 && colorType != 2)) return std::nullopt;
  const auto g = GammaTableFor(facts.gamma);
  const int highest = depth == 16 ? 0xFFFF : (1 << depth) - 1;
  int rgb[3];
  for (int c = 0; c < 3; ++c) {
    const int s = (*facts.trns)[c];
    if (s > highest) return std::nullopt;
    const int level = depth < 8 ? s * 255 / highest : Reduce(depth, s);
    rgb[c] = g[static_cast<std::size_t>(level)];
  }
  return rgb[0] | (rgb[1] << 8) | (rgb[2] << 16);
}

inline ::testing::AssertionResult DecodedAsExpected(const skin::TRasterImage& image, const Picture& p,
                                                    const FileFacts& facts) {
  const skin::TPixelFormat format = ExpectedFormat(p.colorType, p.depth);
  if (image.PixelFormat() != format || image.Width() != p.width || image.Height() != p.height)
    return ::testing::AssertionFailure() << "format " << int(image.PixelFormat()) << " " << image.Width() << "x"
                                         << image.Height() << ", expected " << int(format) << " " << p.width << "x"
                                         << p.height;
  const auto palette = ExpectedPalette(p.colorType, p.depth, facts);
  for (std::size_t i = 0; i < palette.size(); ++i)
    if (!(image.Palette()[i] == palette[i]))
      return ::testing::AssertionFailure()
             << "palette entry " << i << " is " << int(image.Palette()[i].R) << "," << int(image.Palette()[i].G) << ","
             << int(image.Palette()[i].B) << ", expected " << int(palette[i].R) << "," << int(palette[i].G) << ","
             << int(palette[i].B);
  const auto g = GammaTableFor(facts.gamma);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      std::ostringstream where;
      where << "pixel " << x << "," << y << ": ";
      switch (p.colorType) {
        case 0:
        case 3:
        case 4: {
          const int s = p.At(x, y, 0);
          const int expected = p.depth == 2 ? s * 5 : Reduce(p.depth, s);
          if (image.PixelIndex(x, y) != expected)
            return ::testing::AssertionFailure() << where.str() << image.PixelIndex(x, y) << " expected " << expected;
          break;
        }
        default: {
          const std::uint8_t* px = image.ScanLine(y) + x * (p.colorType == 6 ? 4 : 3);
          const int b = g[Reduce(p.depth, p.At(x, y, 2))], gr = g[Reduce(p.depth, p.At(x, y, 1))],
                    r = g[Reduce(p.depth, p.At(x, y, 0))];
          if (px[0] != b || px[1] != gr || px[2] != r)
            return ::testing::AssertionFailure() << where.str() << int(px[2]) << "," << int(px[1]) << "," << int(px[0])
                                                 << " expected " << r << "," << gr << "," << b;
          if (p.colorType == 6 && px[3] != Reduce(p.depth, p.At(x, y, 3)))
            return ::testing::AssertionFailure() << where.str() << "alpha " << int(px[3]);
        }
      }
    }
  const auto transparent = ExpectedTransparentColor(p.colorType, p.depth, facts);
  if (image.TransparentColor != transparent.value_or(classlib::clNone))
    return ::testing::AssertionFailure() << "transparent colour " << std::hex << image.TransparentColor;
  return ::testing::AssertionSuccess();
}

}  // namespace png_test
