// The icon reader: every entry kind an icon file holds, which entry it picks, and hostile files.
#include "skin/graphics/IcoReader.h"

#include <gtest/gtest.h>

#include "classlib/Exception.h"
#include "tests/skin/graphics/IcoBuilder.h"
#include "tests/skin/graphics/png/PngBuilder.h"

using namespace skin;
using ico_test::Bytes;

namespace {

std::uint32_t Bgra(const TBitmap32& b, int x, int y) { return b.At(x, y).U; }

TEST(IcoReader, ThirtyTwoBitEntriesKeepTheirAlphaTopRowFirst) {
  // 2 x 2, top row first: opaque red, half green / clear, opaque blue.
  const Bytes file = ico_test::Ico({ico_test::Dib(2, 2, 32, {0xFFFF0000, 0x8000FF00, 0x00000000, 0xFF0000FF})});
  const TBitmap32 b = ReadIco(file, 2, 2);
  ASSERT_EQ(b.Width(), 2);
  ASSERT_EQ(b.Height(), 2);
  EXPECT_EQ(Bgra(b, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(Bgra(b, 1, 0), 0x8000FF00u);
  EXPECT_EQ(Bgra(b, 0, 1), 0x00000000u);
  EXPECT_EQ(Bgra(b, 1, 1), 0xFF0000FFu);
  EXPECT_EQ(IcoEntryBitCount(file, 2, 2), 32);
}

TEST(IcoReader, EntriesWithoutAlphaTakeTheAndMask) {
  struct Case {
    const char* name;
    int bitCount;
    std::vector<std::uint32_t> colors, palette;
  };
  const Case cases[] = {
      {"32-bit, alpha all 0", 32, {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC}, {}},
      {"24-bit", 24, {0x112233, 0x445566, 0x778899, 0xAABBCC}, {}},
      {"8-bit", 8, {0, 1, 2, 3}, {0x112233, 0x445566, 0x778899, 0xAABBCC}},
      {"4-bit", 4, {0, 1, 2, 3}, {0x112233, 0x445566, 0x778899, 0xAABBCC}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = ico_test::Ico({ico_test::Dib(2, 2, c.bitCount, c.colors, c.palette, {0, 1, 1, 0})});
    const TBitmap32 b = ReadIco(file, 2, 2);
    EXPECT_EQ(Bgra(b, 0, 0), 0xFF112233u);
    EXPECT_EQ(Bgra(b, 1, 0) & 0xFF000000u, 0u);
    EXPECT_EQ(Bgra(b, 0, 1) & 0xFF000000u, 0u);
    EXPECT_EQ(Bgra(b, 1, 1), 0xFFAABBCCu);
  }
  // 1 bit: 9 pixels wide, so that a row spans two bytes.
  std::vector<std::uint32_t> colors(9, 0);
  colors[8] = 1;
  const TBitmap32 b = ReadIco(ico_test::Ico({ico_test::Dib(9, 1, 1, colors, {0x000000, 0xFFFFFF})}), 9, 1);
  EXPECT_EQ(Bgra(b, 0, 0), 0xFF000000u);
  EXPECT_EQ(Bgra(b, 8, 0), 0xFFFFFFFFu);
}

TEST(IcoReader, PngEntriesAreDecoded) {
  png_test::Picture p{1, 1, 8, 6, {10, 20, 30, 40}};  // R, G, B, A
  const TBitmap32 b = ReadIco(ico_test::Ico({ico_test::PngEntry(1, 1, png_test::MakePng(p, false))}), 1, 1);
  EXPECT_EQ(Bgra(b, 0, 0), 0x280A141Eu);
}

TEST(IcoReader, PicksTheExactSizeElseTheLargest) {
  const auto solid = [](int side, std::uint32_t c) {
    return ico_test::Dib(side, side, 32, std::vector<std::uint32_t>(static_cast<std::size_t>(side) * side, c));
  };
  const Bytes file = ico_test::Ico({solid(32, 0xFF000001), solid(16, 0xFF000002), solid(48, 0xFF000003)});
  EXPECT_EQ(ReadIco(file, 16, 16).At(0, 0).U, 0xFF000002u);
  EXPECT_EQ(ReadIco(file, 24, 24).Width(), 48);
}

TEST(IcoReader, HostileFilesRaiseInsteadOfReadingOutside) {
  const Bytes good = ico_test::Ico({ico_test::Dib(2, 2, 32, {1, 2, 3, 4})});
  auto spoiled = [&](std::size_t at, std::uint8_t v) {
    Bytes b = good;
    b[at] = v;
    return b;
  };
  const std::size_t dib = 6 + 16;
  Bytes brokenPng = png_test::Signature();
  brokenPng.push_back(0);
  struct Case {
    const char* name;
    Bytes file;
  };
  const Case cases[] = {
      {"empty", {}},
      {"not an icon", Bytes{0, 0, 2, 0, 1, 0}},
      {"no images", Bytes{0, 0, 1, 0, 0, 0}},
      {"header without its count", Bytes{0, 0, 1, 0}},
      {"directory cut", Bytes(good.begin(), good.begin() + 12)},
      {"data cut", Bytes(good.begin(), good.end() - 20)},
      {"entry inside the directory", spoiled(6 + 12, 4)},
      {"entry size past the end", spoiled(6 + 11, 0x7F)},
      {"header size past the data", spoiled(dib + 1, 0x10)},
      {"compressed", spoiled(dib + 16, 1)},
      {"odd height", spoiled(dib + 8, 5)},
      {"negative width", spoiled(dib + 7, 0x80)},
      {"huge width", spoiled(dib + 6, 0x01)},
      {"depth 16", spoiled(dib + 14, 16)},
      {"palette of a 4-bit entry too long",
       ico_test::Ico({ico_test::Dib(1, 1, 4, {0}, std::vector<std::uint32_t>(17))})},
      {"24-bit without its mask", ico_test::Ico({ico_test::Dib(1, 1, 24, {0}, {}, {}, false)})},
      {"broken PNG entry", ico_test::Ico({ico_test::PngEntry(1, 1, brokenPng)})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(ReadIco(c.file, 2, 2), classlib::Exception);
  }
}

}  // namespace
