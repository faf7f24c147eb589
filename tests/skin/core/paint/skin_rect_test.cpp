// Nine slices, glyph cells and masked stretches. Source pixels carry their own coordinates, so
// the expected source of every destination pixel is worked out independently of the painter.
#include <gtest/gtest.h>

#include "skin/core/sSkinRect.h"
#include "tests/skin/core/paint/PaintFixture.h"

namespace skin {
namespace {

using test::At;

std::uint32_t Coded(int x, int y) { return 0xFF000000u | (std::uint32_t(x) << 8) | std::uint32_t(y); }
constexpr std::uint32_t kBack = 0x11223344u;

// An unmasked image of two cells W x H with every pixel coded by its place.
struct CodedImage {
  test::PaintSkin skin;
  int index;
  CodedImage(int cellW, int cellH, int wl, int wt, int wr, int wb) {
    index = skin.Image("BUTTON", "BORDERSMASK", {0, 0, 2 * cellW, cellH}, 2, 0);
    for (int y = 0; y < cellH; ++y)
      for (int x = 0; x < 2 * cellW; ++x) skin.Put(x, y, Coded(x, y));
    TsMaskData& md = skin.Mask(index);
    md.WL = std::int16_t(wl), md.WT = std::int16_t(wt), md.WR = std::int16_t(wr), md.WB = std::int16_t(wb);
  }
  TsMaskData& md() { return skin.Mask(index); }
};

// Source offset inside the cell for destination offset d of a side of Size pixels with margins
// A and B around a middle of M pixels (tiled from its start, or stretched to the centre sample).
int SourceOf(int d, int size, int a, int b, int m, bool stretch) {
  if (d < a) return d;
  if (d >= size - b) return a + m + (d - (size - b));
  const int i = d - a, n = size - a - b;
  return a + (stretch ? (2 * i + 1) * m / (2 * n) : i % m);
}

TEST(DrawSkinRect, EveryPixelFromItsSliceAndCell) {
  for (int mode : {0, 1, 4, 5})
    for (int state : {0, 1, 9})
      for (TSize size : {TSize{7, 7}, TSize{10, 9}, TSize{13, 13}, TSize{16, 8}}) {
        SCOPED_TRACE(testing::Message() << "mode " << mode << " state " << state << " size " << size.cx << "x"
                                        << size.cy);
        CodedImage img(7, 7, 2, 2, 2, 2);  // middle 3 x 3
        img.md().DrawMode = std::int16_t(mode);
        TBitmap32 dst(20, 20, kBack);
        const TRect r{1, 2, 1 + size.cx, 2 + size.cy};
        DrawSkinRect(dst.View(), r, kEmptyCI32, img.md(), state, false);
        const int cell = state > 1 ? 1 : state;
        for (int y = 0; y < 20; ++y)
          for (int x = 0; x < 20; ++x) {
            const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
            const int dx = x - r.Left, dy = y - r.Top;
            const bool centre = inside && dx >= 2 && dx < size.cx - 2 && dy >= 2 && dy < size.cy - 2;
            std::uint32_t want = kBack;
            if (inside && (!centre || (mode & 4))) {
              const bool stretch = (mode & 1) != 0;
              want = Coded(cell * 7 + SourceOf(dx, size.cx, 2, 2, 3, stretch), SourceOf(dy, size.cy, 2, 2, 3, stretch));
            }
            ASSERT_EQ(At(dst, x, y), want) << "at " << x << "," << y;
          }
      }
}

TEST(DrawSkinRect, MarginsFittedToNarrowRectangles) {
  // 5 + 5 into 7: left 4, right 3 (the odd pixel from the right); no edge between them.
  CodedImage seven(12, 4, 5, 1, 5, 1);
  TBitmap32 a(7, 4, kBack);
  DrawSkinRect(a.View(), {0, 0, 7, 4}, kEmptyCI32, seven.md(), 0, false);
  for (int x = 0; x < 7; ++x) EXPECT_EQ(At(a, x, 0), Coded(x < 4 ? x : 9 + (x - 4), 0)) << x;
  // 5 + 4 into 8: kept; the right corners overlap the left ones by a column and win.
  CodedImage eight(11, 4, 5, 1, 4, 1);
  TBitmap32 b(8, 4, kBack);
  DrawSkinRect(b.View(), {0, 0, 8, 4}, kEmptyCI32, eight.md(), 0, false);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(At(b, x, 3), Coded(x < 4 ? x : 7 + (x - 4), 3)) << x;
}

TEST(DrawSkinRect, KeyCornersShowTheParentOnlyWhenAsked) {
  TBitmap32 parent = test::CodedParent(30, 30);
  const TCacheInfo32 ci = test::ReadyCI(parent, 5, 3);
  for (bool update : {false, true})
    for (int cornerType : {0, 1}) {
      CodedImage img(7, 7, 2, 2, 2, 2);
      img.skin.Put(0, 0, kKeyPixel);
      img.skin.Put(6, 6, kKeyPixel);  // bottom-right corner of cell 0
      img.md().CornerType = std::int16_t(cornerType);
      TBitmap32 dst(12, 12, kBack);
      DrawSkinRect(dst.View(), {2, 1, 10, 9}, ci, img.md(), 0, update);
      const bool fromParent = update && cornerType > 0;
      EXPECT_EQ(At(dst, 2, 1), fromParent ? At(parent, 5 + 2, 3 + 1) : kBack);
      EXPECT_EQ(At(dst, 9, 8), fromParent ? At(parent, 5 + 9, 3 + 8) : kBack);
      EXPECT_EQ(At(dst, 3, 1), Coded(1, 0));
    }
}

TEST(DrawSkinRect, NothingForStateZeroWhenTheImageSaysSo) {
  CodedImage img(7, 7, 2, 2, 2, 2);
  img.md().DrawMode = 2;
  TBitmap32 dst(10, 10, kBack);
  DrawSkinRect(dst.View(), {0, 0, 10, 10}, kEmptyCI32, img.md(), 0, false);
  EXPECT_EQ(At(dst, 0, 0), kBack);
  DrawSkinRect(dst.View(), {0, 0, 10, 10}, kEmptyCI32, img.md(), 1, false);
  EXPECT_EQ(At(dst, 0, 0), Coded(7, 0));
}

TEST(DrawSkinRect, ImagesWithoutCellsOrBandsDrawNothing) {
  for (auto [count, maskType] : {std::pair{0, 0}, std::pair{-2, 0}, std::pair{1, -1}}) {
    CodedImage img(7, 7, 2, 2, 2, 2);
    img.md().ImageCount = std::int16_t(count);
    img.md().MaskType = std::int16_t(maskType);
    img.md().DrawMode = 4;
    TBitmap32 dst(10, 10, kBack);
    DrawSkinRect(dst.View(), {0, 0, 10, 10}, kEmptyCI32, img.md(), 0, false);
    DrawSkinGlyph(dst.View(), {0, 0}, 0, 1, img.md(), kEmptyCI32);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) ASSERT_EQ(At(dst, x, y), kBack);
  }
}

TEST(DrawSkinRect, MaskedCentreOfNoHeightDrawsNoTiles) {
  test::PaintSkin skin;
  // A masked image whose margins take the whole cell height: the middle tile is 0 rows high.
  const int i = skin.Image("BUTTON", "BORDERSMASK", {0, 0, 6, 8}, 1, 1);
  skin.Fill({0, 0, 6, 4}, 0xFF00FF00u);
  skin.Fill({0, 4, 6, 8}, 0xFF000000u);  // mask 0: the image shows
  TsMaskData& md = skin.Mask(i);
  md.WL = md.WR = 2, md.WT = md.WB = 2, md.DrawMode = 4;
  TBitmap32 dst(10, 20, kBack);
  DrawSkinRect(dst.View(), {0, 0, 10, 20}, kEmptyCI32, md, 0, false);
  EXPECT_EQ(At(dst, 0, 0) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(At(dst, 0, 10), kBack);  // left edge: no tile
  EXPECT_EQ(At(dst, 5, 10), kBack);  // centre: no tile
  EXPECT_EQ(At(dst, 0, 19) & 0xFFFFFF, 0x00FF00u);
}

TEST(DrawSkinGlyph, MaskBlendFadeAndOverhangs) {
  test::PaintSkin skin;
  // One masked 3 x 3 cell: picture blue, mask 0 (shows) except one pixel with mask 160.
  const int i = skin.Image("CHECKBOX", "GLYPH", {10, 10, 13, 16}, 1, 1);
  skin.Fill({10, 10, 13, 13}, 0xFF0000FFu);
  skin.Fill({10, 13, 13, 16}, 0xFF000000u);
  skin.Put(12, 15, 0xFFA0A0A0u);  // mask of picture pixel (2, 2): 160
  skin.Put(10, 10, kKeyPixel);
  const TsMaskData& md = skin.Mask(i);
  TBitmap32 dst(4, 4, 0x80646464u);
  DrawSkinGlyph(dst.View(), {1, 1}, 0, 1, md, kEmptyCI32);
  EXPECT_EQ(At(dst, 1, 1), 0x80646464u);  // key pixel skipped
  EXPECT_EQ(At(dst, 2, 1), 0xFF0000FFu);  // mask 0: the picture, alpha raised to 255
  // Mask 160 over (100, 100, 100): ((100 - s) * 160 + s * 256) >> 8; alpha 128 + 127 * 95 / 255.
  EXPECT_EQ(At(dst, 3, 3), (std::uint32_t(128 + 127 * 95 / 255) << 24) | (62u << 16) | (62u << 8) | 158u);
  // Faded: mask 0 becomes 100, mask 160 becomes 255 (the blend keeps almost all of the destination:
  // red (100 * 255) >> 8 = 99, blue (255 * 256 - 155 * 255) >> 8 = 100) and the alpha still rises.
  TBitmap32 faded(4, 4, 0x80646464u);
  DrawSkinGlyph(faded.View(), {1, 1}, 0, 2, md, kEmptyCI32);
  EXPECT_EQ(At(faded, 2, 1), 0xFF000000u | (39u << 16) | (39u << 8) | 194u);
  EXPECT_EQ(At(faded, 3, 3), (std::uint32_t(128 + 127 * 95 / 255) << 24) | (99u << 16) | (99u << 8) | 100u);
  // At (-1, -1) only the glyph's lower right 2 x 2 lands, at the image's corner.
  TBitmap32 cut(4, 4, 0x80646464u);
  DrawSkinGlyph(cut.View(), {-1, -1}, 0, 1, md, kEmptyCI32);
  EXPECT_EQ(At(cut, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(At(cut, 2, 0), 0x80646464u);
  EXPECT_EQ(At(cut, 0, 2), 0x80646464u);
}

TEST(StretchBltMask, OnePixelCentreAndOverhangs) {
  TBitmap32 src(2, 4, 0);
  src.At(0, 0).U = 0xFF102030u;
  src.At(0, 2).U = 0xFF000000u;  // mask 0 two rows lower: opaque fill
  src.At(1, 0).U = 0xFF102030u;
  src.At(1, 2).U = 0xFFFFFFFFu;  // mask 255: untouched
  TBitmap32 dst(5, 5, kBack);
  StretchBltMask(dst.View(), 1, 1, 3, 3, src.View(), 0, 0, 1, 1, 2, true);
  EXPECT_EQ(At(dst, 2, 2), 0xFF102030u);
  EXPECT_EQ(At(dst, 0, 0), kBack);
  TBitmap32 same(5, 5, kBack);
  StretchBltMask(same.View(), 1, 1, 3, 3, src.View(), 1, 0, 1, 1, 2, true);
  EXPECT_EQ(At(same, 2, 2), kBack);
  // A piece reaching past the right and bottom edges is cut there (AddressSanitizer checks).
  TBitmap32 edge(5, 5, kBack);
  StretchBltMask(edge.View(), 3, 3, 6, 6, src.View(), 0, 0, 1, 1, 2, true);
  EXPECT_EQ(At(edge, 4, 4), 0xFF102030u);
  EXPECT_EQ(At(edge, 2, 2), kBack);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(FillTransPixels32, ByTheCornerOfASkinImage) {
  test::PaintSkin skin;
  // An 8 x 6 cell with margins 3: key pixels at (0, 0) of the top-left corner and at the last pixel
  // of the bottom-right corner.
  const int i = skin.Image("BUTTON", "BORDERSMASK", {10, 10, 18, 16}, 1, 0);
  TsMaskData& md = skin.Mask(i);
  md.WL = md.WT = md.WR = md.WB = 3;
  skin.Fill({10, 10, 18, 16}, 0xFF000000u);
  skin.Put(10, 10, kKeyPixel);
  skin.Put(17, 15, kKeyPixel);
  TBitmap32 src(10, 10, 0xFFABCDEFu), dst(10, 10, 0xFF000001u);
  FillTransPixels32(dst.View(), src.View(), {2, 2, 5, 5}, {0, 0}, i, &skin.sm, 13);
  EXPECT_EQ(At(dst, 2, 2), 0xFFABCDEFu);
  EXPECT_EQ(At(dst, 3, 2), 0xFF000001u);
  FillTransPixels32(dst.View(), src.View(), {6, 6, 9, 9}, {0, 0}, i, &skin.sm, 17);
  EXPECT_EQ(At(dst, 8, 8), 0xFFABCDEFu);
  EXPECT_EQ(At(dst, 6, 6), 0xFF000001u);
}

}  // namespace
}  // namespace skin
