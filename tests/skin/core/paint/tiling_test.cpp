// Textures by fill mode: what each mode covers and the rectangle it leaves for the colour fill.
#include <gtest/gtest.h>

#include "skin/core/sSkinRect.h"
#include "skin/core/sTileTexture.h"
#include "tests/skin/core/paint/PaintFixture.h"

namespace skin {
namespace {

using test::At;

constexpr std::uint32_t kBack = 0x11223344u;
std::uint32_t Coded(int x, int y) { return 0xFF000000u | (std::uint32_t(x) << 8) | std::uint32_t(y); }

// An unmasked 4 x 3 tile at (20, 10) of the master bitmap, each pixel coded by its place in the tile.
struct Texture {
  test::PaintSkin skin;
  int index = skin.Image("PANEL", "PATTERN", {20, 10, 24, 13}, 1, 0);
  Texture() {
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) skin.Put(20 + x, 10 + y, Coded(x, y));
  }
};

TEST(TileBitmap, ModesCoverTheirBandAndReturnTheRest) {
  struct Case {
    TacFillMode mode;
    TRect band;  // painted, tiled from its own top-left corner
    TRect left;  // returned for the colour fill
  };
  const TRect r{2, 1, 14, 10};  // 12 x 9: exactly 3 x 3 tiles
  const Case cases[] = {
      {TacFillMode::fmTiled, r, kNothingLeft},
      {TacFillMode::fmTiledHorz, {2, 1, 14, 4}, {2, 4, 14, 10}},
      {TacFillMode::fmTiledVert, {2, 1, 6, 10}, {6, 1, 14, 10}},
      {TacFillMode::fmTileHorBtm, {2, 7, 14, 10}, {2, 1, 14, 7}},
      {TacFillMode::fmTileVertRight, {10, 1, 14, 10}, {2, 1, 10, 10}},
      // Whole tile rows only while they end before the bottom: an exact multiple leaves a row.
      {TacFillMode::fmDisTiled, {2, 1, 14, 7}, {2, 7, 14, 10}},
      {TacFillMode::fmDiscHorTop, {0, 0, 0, 0}, r},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    Texture t;
    TBitmap32 dst(16, 12, kBack);
    TRect q = r;
    TileBitmap(dst.View(), q, TImage32View{}, t.skin.Mask(t.index), c.mode);
    EXPECT_EQ(q, c.left);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x) {
        const bool in = x >= c.band.Left && x < c.band.Right && y >= c.band.Top && y < c.band.Bottom;
        ASSERT_EQ(At(dst, x, y), in ? Coded((x - c.band.Left) % 4, (y - c.band.Top) % 3) : kBack) << x << "," << y;
      }
  }
}

TEST(TileBitmap, StretchedModesAndWholePictures) {
  Texture t;
  TBitmap32 dst(8, 6, kBack);
  TRect q{0, 0, 8, 6};
  TileBitmap(dst.View(), q, TImage32View{}, t.skin.Mask(t.index), TacFillMode::fmStretched);
  EXPECT_EQ(q, kNothingLeft);
  EXPECT_EQ(At(dst, 7, 5), Coded(3, 2));
  EXPECT_EQ(At(dst, 1, 1), Coded(0, 0));
  TRect h{0, 0, 8, 6};
  TileBitmap(dst.View(), h, TImage32View{}, t.skin.Mask(t.index), TacFillMode::fmStretchHorz);
  EXPECT_EQ(h, (TRect{0, 3, 8, 6}));
  // A picture of its own is repeated over everything, whatever the mode.
  TBitmap32 picture(3, 2, 0xFFABCDEFu);
  TBitmap32 out(7, 5, kBack);
  TRect all{1, 1, 7, 5};
  TileBitmap(out.View(), all, picture.View(), t.skin.Mask(t.index), TacFillMode::fmTiledHorz);
  EXPECT_EQ(all, kNothingLeft);
  EXPECT_EQ(At(out, 6, 4), 0xFFABCDEFu);
  EXPECT_EQ(At(out, 0, 0), kBack);
}

// A masked 3 x 2 cell: picture coded, mask 0 everywhere (the picture shows); one key pixel.
struct MaskedTexture {
  test::PaintSkin skin;
  int index = skin.Image("PANEL", "PATTERN", {0, 20, 3, 24}, 1, 1);
  MaskedTexture() {
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) skin.Put(x, 20 + y, Coded(x, y));
    skin.Fill({0, 22, 3, 24}, 0xFF000000u);
    skin.Put(2, 21, kKeyPixel);
  }
};

TEST(TileMasked, TiledCoversEveryRowUpToTheBottom) {
  for (int height : {6, 7, 8}) {  // exact multiple, one row over, two rows over
    MaskedTexture t;
    TBitmap32 dst(12, 10, kBack);
    TRect q{1, 1, 9, 1 + height};
    TileMasked(dst.View(), q, kEmptyCI32, t.skin.Mask(t.index), TacFillMode::fmTiled);
    EXPECT_EQ(q, kNothingLeft);
    for (int y = 1; y < 1 + height; ++y)
      for (int x = 1; x < 9; ++x) {
        const int tx = (x - 1) % 3, ty = (y - 1) % 2;
        const std::uint32_t want = tx == 2 && ty == 1 ? kBack : ((Coded(tx, ty) & 0xFFFFFF) | (kBack & 0xFF000000u));
        ASSERT_EQ(At(dst, x, y), want) << height << ": " << x << "," << y;
      }
    EXPECT_EQ(At(dst, 1, 1 + height), kBack);
  }
}

TEST(TileMasked, DiscontinuousFillsTheGapsFromTheParent) {
  TBitmap32 parent = test::CodedParent(20, 20);
  const TCacheInfo32 ci = test::ReadyCI(parent, 2, 3);
  MaskedTexture t;
  TBitmap32 dst(12, 10, kBack);
  TRect q{1, 1, 8, 6};  // 7 x 5: whole tiles end at x 7 (two) and y 5 (two rows)
  TileMasked(dst.View(), q, ci, t.skin.Mask(t.index), TacFillMode::fmDisTiled);
  EXPECT_EQ(q, kNothingLeft);
  EXPECT_EQ(At(dst, 1, 1) & 0xFFFFFF, Coded(0, 0) & 0xFFFFFF);
  EXPECT_EQ(At(dst, 7, 1), At(parent, 2 + 7, 3 + 1));  // right strip
  EXPECT_EQ(At(dst, 1, 5), At(parent, 2 + 1, 3 + 5));  // bottom strip
  EXPECT_EQ(At(dst, 8, 1), kBack);
  // Narrower than a tile: all of it from the parent, nothing outside.
  TBitmap32 narrow(6, 6, kBack);
  TRect n{1, 1, 3, 4};
  TileMasked(narrow.View(), n, ci, t.skin.Mask(t.index), TacFillMode::fmDisTiled);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      ASSERT_EQ(At(narrow, x, y), x >= 1 && x < 3 && y >= 1 && y < 4 ? At(parent, 2 + x, 3 + y) : kBack);
}

TEST(TileMasked, OtherModesAndEmptyTilesDrawNothing) {
  MaskedTexture t;
  TBitmap32 dst(6, 6, kBack);
  TRect q{0, 0, 6, 6};
  TileMasked(dst.View(), q, kEmptyCI32, t.skin.Mask(t.index), TacFillMode::fmStretched);
  EXPECT_EQ(q, (TRect{0, 0, 6, 6}));
  t.skin.Mask(t.index).R = {0, 20, 0, 24};  // no width: no endless loop, nothing drawn
  TileMasked(dst.View(), q, kEmptyCI32, t.skin.Mask(t.index), TacFillMode::fmTiled);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(At(dst, x, y), kBack);
}

}  // namespace
}  // namespace skin
