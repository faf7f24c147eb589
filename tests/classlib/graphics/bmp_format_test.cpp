// BMP reading and writing in the portable core: every stored variant lands in the same
// bottom-up layout, and malformed files are refused without reading past their end.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "classlib/BmpFormat.h"
#include "classlib/GraphicsErrors.h"

using classlib::EInvalidGraphic;
using namespace classlib::bmp;

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

struct BmpLayout {
  std::int32_t width = 2, height = 2;
  int bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t headerSize = 40;
  std::vector<std::uint32_t> masks;    // written after a 40-byte header, or inside a larger one
  std::vector<std::uint32_t> palette;  // RGBQUADs
  Bytes pixels;
};

// A whole file with a correct offset to the pixels.
Bytes File(const BmpLayout& s) {
  Bytes info;
  Put32(info, s.headerSize);
  if (s.headerSize == 12) {
    Put16(info, s.width);
    Put16(info, s.height);
    Put16(info, 1);
    Put16(info, s.bits);
  } else {
    Put32(info, s.width);
    Put32(info, s.height);
    Put16(info, 1);
    Put16(info, s.bits);
    Put32(info, s.compression);
    Put32(info, static_cast<std::uint32_t>(s.pixels.size()));
    Put32(info, 0);
    Put32(info, 0);
    Put32(info, s.colorsUsed);
    Put32(info, 0);
    for (std::uint32_t m : s.masks) Put32(info, m);  // inside a large header or right after it
    while (info.size() < s.headerSize) info.push_back(0);
  }
  for (std::uint32_t c : s.palette) {
    info.push_back(c & 0xFF);
    info.push_back((c >> 8) & 0xFF);
    info.push_back((c >> 16) & 0xFF);
    if (s.headerSize != 12) info.push_back(0);
  }
  Bytes f{'B', 'M'};
  Put32(f, static_cast<std::uint32_t>(14 + info.size() + s.pixels.size()));
  Put32(f, 0);
  Put32(f, static_cast<std::uint32_t>(14 + info.size()));
  f.insert(f.end(), info.begin(), info.end());
  f.insert(f.end(), s.pixels.begin(), s.pixels.end());
  return f;
}

Dib Sample(int bits, int w, int h) {
  Dib d;
  d.Width = w;
  d.Height = h;
  d.BitCount = bits;
  if (bits <= 8) {
    for (int c = 0; c < (1 << bits); ++c) d.Palette.push_back(static_cast<std::uint32_t>(c * 0x010203) & 0xFFFFFF);
  }
  d.Bits.resize(d.Stride() * h);
  for (std::size_t i = 0; i < d.Bits.size(); ++i) d.Bits[i] = static_cast<std::uint8_t>(i * 37 + 11);
  return d;
}

}  // namespace

TEST(BmpFormat, WriteThenReadGivesTheSameBitmapForEveryFormat) {
  for (int bits : {1, 4, 8, 24, 32}) {
    for (auto [w, h] : {std::pair{1, 1}, std::pair{7, 3}, std::pair{33, 5}}) {
      const Dib in = Sample(bits, w, h);
      const Dib out = ReadBmpFile(WriteBmpFile(in));
      EXPECT_EQ(out.Width, w);
      EXPECT_EQ(out.Height, h);
      EXPECT_EQ(out.BitCount, bits);
      EXPECT_EQ(out.Palette, in.Palette) << bits;
      EXPECT_EQ(out.Bits, in.Bits) << bits << " bits, " << w << "x" << h;
    }
  }
}

TEST(BmpFormat, TopDownRowsAreStoredBottomUp) {
  BmpLayout s;
  s.height = -2;
  s.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};  // top row first
  const Dib d = ReadBmpFile(File(s));
  EXPECT_EQ(d.Height, 2);
  EXPECT_EQ(d.Bits, (Bytes{7, 8, 9, 10, 11, 12, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0}));
}

TEST(BmpFormat, SixteenBitBecomesTwentyFourBit) {
  BmpLayout s;
  s.width = 2;
  s.height = 1;
  s.bits = 16;
  s.pixels = {0x00, 0x7C, 0x1F, 0x00};  // 5-5-5: pure red, pure blue
  Dib d = ReadBmpFile(File(s));
  EXPECT_EQ(d.BitCount, 24);
  EXPECT_EQ(d.Bits, (Bytes{0, 0, 255, 255, 0, 0, 0, 0}));

  s.compression = 3;  // 5-6-5 bit fields: pure green, mid grey-ish
  s.masks = {0xF800, 0x07E0, 0x001F};
  s.pixels = {0xE0, 0x07, 0x10, 0x84};
  d = ReadBmpFile(File(s));
  EXPECT_EQ(d.Bits, (Bytes{0, 255, 0, 132, 130, 132, 0, 0}));
}

TEST(BmpFormat, ThirtyTwoBitFieldsInAnyOrderKeepAlpha) {
  BmpLayout s;
  s.width = 1;
  s.height = 1;
  s.bits = 32;
  s.compression = 6;  // alpha bit fields after a 40-byte header: R G B A from the top byte down
  s.masks = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
  s.pixels = {0x40, 0x30, 0x20, 0x10};  // A=40 B=30 G=20 R=10
  Dib d = ReadBmpFile(File(s));
  EXPECT_EQ(d.BitCount, 32);
  EXPECT_EQ(d.Bits, (Bytes{0x30, 0x20, 0x10, 0x40}));

  // A version 5 header carries the masks inside; standard masks copy the bytes unchanged.
  s.headerSize = 124;
  s.compression = 3;
  s.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  s.pixels = {1, 2, 3, 4};
  d = ReadBmpFile(File(s));
  EXPECT_EQ(d.Bits, (Bytes{1, 2, 3, 4}));
}

TEST(BmpFormat, ColourTables) {
  // Core header: three-byte entries; a short table in an info header is padded with black.
  BmpLayout core;
  core.headerSize = 12;
  core.width = 3;
  core.height = 1;
  core.bits = 1;
  core.palette = {0x112233, 0x445566};
  core.pixels = {0xA0, 0, 0, 0};
  Dib d = ReadBmpFile(File(core));
  EXPECT_EQ(d.Palette, (std::vector<std::uint32_t>{0x112233, 0x445566}));
  EXPECT_EQ(d.Bits, (Bytes{0xA0, 0, 0, 0}));

  BmpLayout info;
  info.width = 1;
  info.height = 1;
  info.bits = 8;
  info.colorsUsed = 2;
  info.palette = {0xAABBCC, 0x010203};
  info.pixels = {1, 0, 0, 0};
  d = ReadBmpFile(File(info));
  ASSERT_EQ(d.Palette.size(), 256u);
  EXPECT_EQ(d.Palette[1], 0x010203u);
  EXPECT_EQ(d.Palette[2], 0u);
}

TEST(BmpFormat, RunLengthEncoded) {
  BmpLayout s;
  s.width = 6;
  s.height = 3;
  s.bits = 8;
  s.compression = 1;
  s.palette.assign(256, 0);
  s.pixels = {3, 9,              // bottom row: 9 9 9
              0, 3, 1, 2, 3, 0,  // absolute run of 3, padded
              0, 0,              // end of line
              0, 2, 2, 1,        // move right 2 and up 1: row 2
              9, 7,              // 7s past the right edge are dropped
              0, 1,              // end of picture
              5, 5};             // ignored
  Dib d = ReadBmpFile(File(s));
  EXPECT_EQ(d.BitCount, 8);
  const std::size_t st = d.Stride();
  EXPECT_EQ(Bytes(d.Bits.begin(), d.Bits.begin() + 6), (Bytes{9, 9, 9, 1, 2, 3}));
  EXPECT_EQ(Bytes(d.Bits.begin() + st, d.Bits.begin() + st + 6), (Bytes{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Bytes(d.Bits.begin() + 2 * st, d.Bits.begin() + 2 * st + 6), (Bytes{0, 0, 7, 7, 7, 7}));

  BmpLayout r4 = s;
  r4.bits = 4;
  r4.compression = 2;
  r4.palette.assign(16, 0);
  r4.width = 6;
  r4.height = 1;
  r4.pixels = {3, 0x12, 0, 3, 0xAB, 0xC0, 0, 1};  // 1 2 1, then A B C
  d = ReadBmpFile(File(r4));
  EXPECT_EQ(Bytes(d.Bits.begin(), d.Bits.begin() + 3), (Bytes{0x12, 0x1A, 0xBC}));
}

TEST(BmpFormat, PackedDibWithMasksAfterTheHeader) {
  BmpLayout s;
  s.width = 1;
  s.height = 1;
  s.bits = 32;
  s.compression = 3;
  s.masks = {0xFF0000, 0xFF00, 0xFF};
  s.pixels = {5, 6, 7, 8};
  const Bytes file = File(s);
  const Dib d = ReadPackedDib(std::span(file).subspan(14));
  EXPECT_EQ(d.Bits, (Bytes{5, 6, 7, 8}));
}

TEST(BmpFormat, MalformedFilesAreRefused) {
  BmpLayout good;
  good.width = 3;
  good.height = 2;
  good.bits = 8;
  good.palette.assign(256, 0x808080);
  good.pixels.assign(8, 1);
  const Bytes file = File(good);
  EXPECT_NO_THROW(ReadBmpFile(file));
  for (std::size_t n = 0; n < file.size(); ++n)
    EXPECT_THROW(ReadBmpFile(std::span(file).first(n)), EInvalidGraphic) << "truncated to " << n;

  auto bad = [&](auto mutate) {
    BmpLayout s = good;
    mutate(s);
    return File(s);
  };
  const std::vector<Bytes> cases = {
      bad([](BmpLayout& s) { s.width = 0; }),
      bad([](BmpLayout& s) { s.width = -4; }),
      bad([](BmpLayout& s) { s.height = 0; }),
      bad([](BmpLayout& s) { s.width = 40000; }),
      bad([](BmpLayout& s) { s.width = 20000, s.height = 20000; }),
      bad([](BmpLayout& s) { s.height = static_cast<std::int32_t>(0x80000000u); }),
      bad([](BmpLayout& s) { s.bits = 3; }),
      bad([](BmpLayout& s) { s.bits = 0; }),
      bad([](BmpLayout& s) { s.compression = 4; }),                 // embedded JPEG
      bad([](BmpLayout& s) { s.compression = 2; }),                 // RLE4 on 8 bits
      bad([](BmpLayout& s) { s.compression = 3; }),                 // bit fields on 8 bits
      bad([](BmpLayout& s) { s.compression = 1, s.height = -2; }),  // top-down RLE
      bad([](BmpLayout& s) { s.colorsUsed = 0x20000; }),
      bad([](BmpLayout& s) { s.colorsUsed = 1000; }),  // table runs past the end
      bad([](BmpLayout& s) { s.headerSize = 13; }),
      bad([](BmpLayout& s) { s.headerSize = 5000; }),
  };
  for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_THROW(ReadBmpFile(cases[i]), EInvalidGraphic) << "case " << i;

  Bytes wrongMagic = file;
  wrongMagic[1] = 'A';
  EXPECT_THROW(ReadBmpFile(wrongMagic), EInvalidGraphic);
  Bytes offsetPastEnd = file;
  offsetPastEnd[10] = 0xFF;
  offsetPastEnd[11] = 0xFF;
  EXPECT_THROW(ReadBmpFile(offsetPastEnd), EInvalidGraphic);
}

TEST(BmpFormat, WritingAnInconsistentBitmapIsRefused) {
  Dib d = Sample(24, 3, 3);
  d.Bits.pop_back();
  EXPECT_THROW(WriteBmpFile(d), EInvalidGraphic);
  d = Sample(16, 3, 3);
  EXPECT_THROW(WriteBmpFile(d), EInvalidGraphic);
  EXPECT_THROW(WriteBmpFile(Dib{}), EInvalidGraphic);
}
