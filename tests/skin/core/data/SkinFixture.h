#pragma once
// Skins put together in memory for tests: images encoded as BMP, PNG and JPEG files, a
// description text, and loading them into records.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/BmpFormat.h"
#include "classlib/JpegCodec.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinIni.h"
#include "skin/core/acSkinRecords.h"
#include "tests/skin/graphics/png/PngBuilder.h"

namespace skin::test {

using Bytes = std::vector<std::uint8_t>;

// Pixels as B, G, R, A words (0xAARRGGBB).
inline TBitmap32 Filled(int w, int h, std::uint32_t pixel) { return TBitmap32(w, h, pixel); }

// A BMP file of 8 (palette of the distinct colours, at most 256), 24 or 32 bits per pixel.
inline Bytes EncodeBmp(const TBitmap32& bmp, int bitCount) {
  classlib::bmp::Dib dib;
  dib.Width = bmp.Width();
  dib.Height = bmp.Height();
  dib.BitCount = bitCount;
  const std::size_t stride = dib.Stride();
  dib.Bits.assign(stride * static_cast<std::size_t>(dib.Height), 0);
  for (int y = 0; y < dib.Height; ++y) {
    std::uint8_t* row = dib.Bits.data() + stride * static_cast<std::size_t>(dib.Height - 1 - y);
    for (int x = 0; x < dib.Width; ++x) {
      const std::uint32_t px = bmp.At(x, y).U;
      if (bitCount == 8) {
        const std::uint32_t rgb = px & 0xFFFFFF;
        std::size_t i = 0;
        while (i < dib.Palette.size() && dib.Palette[i] != rgb) ++i;
        if (i == dib.Palette.size()) dib.Palette.push_back(rgb);
        row[x] = static_cast<std::uint8_t>(i);
      } else {
        for (int c = 0; c < bitCount / 8; ++c) row[x * (bitCount / 8) + c] = static_cast<std::uint8_t>(px >> (8 * c));
      }
    }
  }
  if (bitCount == 8) dib.Palette.resize(256, 0);
  return classlib::bmp::WriteBmpFile(dib);
}

// An RGBA PNG file.
inline Bytes EncodePng(const TBitmap32& bmp) {
  png_test::Picture p{bmp.Width(), bmp.Height(), 8, 6, {}};
  p.samples.resize(static_cast<std::size_t>(p.width) * p.height * 4);
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const TsColor_ c = bmp.At(x, y);
      p.At(x, y, 0) = c.R;
      p.At(x, y, 1) = c.G;
      p.At(x, y, 2) = c.B;
      p.At(x, y, 3) = c.A;
    }
  return png_test::MakePng(p, false);
}

inline Bytes EncodeJpeg(int w, int h) {
  classlib::jpeg::Image img;
  img.Width = w;
  img.Height = h;
  img.Channels = 3;
  img.Pixels.resize(static_cast<std::size_t>(w) * h * 3);
  for (std::size_t i = 0; i < img.Pixels.size(); ++i) img.Pixels[i] = static_cast<std::uint8_t>((i * 7) & 0xFF);
  return classlib::jpeg::Encode(img, 80);
}

struct MemorySkin {
  TacMemorySkinFiles Files;
  TacSkinLoadOptions Options;

  MemorySkin& Text(std::string text) {
    Files.OptionsText = std::move(text);
    return *this;
  }
  MemorySkin& File(std::string name, Bytes bytes) {
    Files.Files[std::move(name)] = std::move(bytes);
    return *this;
  }
  std::unique_ptr<TacSkinRecords> Load() const { return LoadSkinRecords(Files, Options); }
};

// The index of an image by section and key, failing the test when there is none.
inline const TsMaskData* Image(const TacSkinRecords& skin, std::string_view section, std::string_view key) {
  const int i = skin.GetMaskIndex(section, key);
  return i < 0 ? nullptr : &skin.ma[static_cast<std::size_t>(i)];
}

inline const TsGeneralData* Section(const TacSkinRecords& skin, std::string_view name) {
  const int i = skin.GetSkinIndex(name);
  return i < 0 ? nullptr : &skin.gd[static_cast<std::size_t>(i)];
}

}  // namespace skin::test
