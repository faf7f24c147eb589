// The alpha image list's portable arithmetic: file formats, glyph cells and the opacity fix.
#include "skin/graphics/acAlphaImageCore.h"

#include <gtest/gtest.h>

#include <vector>

using namespace skin;

namespace {

using Bytes = std::vector<std::uint8_t>;
const Bytes kPng = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

TEST(AlphaImageCore, ImageFormatOfAFile) {
  struct Case {
    const char* name;
    Bytes head;
    std::uint64_t size;
    const wchar_t* file;
    std::optional<TsImageFormat> expected;
  };
  const Case cases[] = {
      {"PNG signature and more", kPng, 9, L"a.png", ifPNG},
      {"exactly the 8 signature bytes", kPng, 8, L"a.png", std::nullopt},
      {"PNG named .ico", kPng, 100, L"a.ico", ifPNG},
      {"ICO named .ico", {0, 0, 1, 0, 1, 0, 0, 0}, 100, L"icons\\A.ICO", ifICO},
      {"ICO named .png", {0, 0, 1, 0, 1, 0, 0, 0}, 100, L"a.png", std::nullopt},
      {"ICO without an extension", {0, 0, 1, 0}, 100, L"ico", std::nullopt},
      {"two zero bytes only", {0, 0}, 2, L"a.ico", std::nullopt},
      {"three bytes", {0, 0, 7}, 3, L"a.ico", ifICO},
      {"other bytes", {'B', 'M', 0, 0, 0, 0, 0, 0}, 100, L"a.ico", std::nullopt},
      {"empty file", {}, 0, L"a.png", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DetectImageFormat(c.head, c.size, c.file), c.expected);
  }
}

TEST(AlphaImageCore, GlyphCells) {
  struct Case {
    int width, height, state, numGlyphs;
    TRect source;
  };
  const Case cases[] = {
      {48, 16, 0, 3, {0, 0, 16, 16}},   // a cell a third wide
      {48, 16, 2, 3, {32, 0, 48, 16}},  // the last cell
      {48, 16, 7, 3, {32, 0, 48, 16}},  // State above the cells: the last one
      {48, 16, -2, 3, {0, 0, 16, 16}},  // State below 0: the first
      {48, 16, 0, 0, {0, 0, 48, 16}},   // NumGlyphs below 1: one cell
      {48, 16, 1, -5, {0, 0, 48, 16}},  // ... State clamped into it
      {50, 16, 1, 3, {16, 0, 32, 16}},  // the width's remainder is not drawn
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " wide, state " << c.state << " of " << c.numGlyphs);
    const TGlyphCell cell = GlyphCell(c.width, c.height, c.state, c.numGlyphs);
    EXPECT_EQ(cell.Source, c.source);
    EXPECT_EQ(cell.Size, (TSize{c.source.Right - c.source.Left, c.height}));
  }
}

TEST(AlphaImageCore, OpacityFixOnlyForPicturesWithoutAlpha) {
  TBitmap32 plain(2, 2, 0x00FFFFFF);  // white background, bottom-left included
  plain.At(1, 0).U = 0x00123456;
  FixOpacity(plain.View());
  EXPECT_EQ(plain.At(1, 0).U, 0xFF123456u);
  EXPECT_EQ(plain.At(0, 0).U, 0x00FFFFFFu);
  EXPECT_EQ(plain.At(0, 1).U, 0x00FFFFFFu);

  TBitmap32 alpha(2, 2, 0x00FFFFFF);
  alpha.At(1, 0).U = 0x01123456;
  alpha.At(0, 0).U = 0x00654321;
  FixOpacity(alpha.View());
  EXPECT_EQ(alpha.At(0, 0).U, 0x00654321u);
}

}  // namespace
