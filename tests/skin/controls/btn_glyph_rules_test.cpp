// Which cell of a button glyph is drawn, how transparent and whether grey.
#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/sBtnGlyphRules.h"

namespace skin {
namespace {

TEST(BtnGlyphRules, CellOfEachState) {
  struct {
    int state, numGlyphs, cell;
  } const cases[] = {{0, 4, 0}, {1, 4, 1}, {2, 4, 2}, {2, 1, 0}, {2, 2, 1}, {1, 0, 0}, {-1, 3, 0}};
  for (const auto& c : cases) EXPECT_EQ(GlyphCellIndex(c.state, c.numGlyphs), c.cell) << c.state << "/" << c.numGlyphs;
  EXPECT_EQ(GlyphCellWidth(64, 4), 16);
  // No cells at all still leaves the whole bitmap as one cell: nothing divides by zero.
  EXPECT_EQ(GlyphCellWidth(64, 0), 64);
  EXPECT_EQ(GlyphCellWidth(3, 4), 0);
}

TEST(BtnGlyphRules, GreyAndTransparency) {
  using K = TsDisabledGlyphKindValue;
  struct Case {
    const char* name;
    TacGlyphLook look;
    bool grey;
    int cache, canvas, alphaList;
  };
  const Case cases[] = {
      {"normal, grayed, blend 30", {0, true, false, true, 30, {K::dgBlended}}, true, 30, 30, 30},
      {"hot, grayed, blend 30", {1, true, false, true, 30, {K::dgBlended}}, false, 0, 0, 0},
      {"disabled, blended", {0, false, false, false, 0, {K::dgBlended}}, false, 0, 50, 50},
      {"disabled, blended, blend 80", {0, false, false, false, 80, {K::dgBlended}}, false, 80, 80, 80},
      {"disabled, grayed only", {0, false, false, false, 0, {K::dgGrayed}}, true, 0, 0, 0},
      {"disabled, hot cell, blended", {1, false, false, false, 30, {K::dgBlended}}, false, 0, 0, 50},
      {"pressed, blend 150", {2, true, true, false, 150, {K::dgBlended}}, false, 0, 0, 0},
      {"normal, blend 150", {0, true, false, false, 150, {K::dgBlended}}, false, 100, 100, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GlyphTintedGrey(c.look), c.grey);
    EXPECT_EQ(CacheGlyphBlend(c.look), c.cache);
    EXPECT_EQ(CanvasGlyphBlend(c.look), c.canvas);
    EXPECT_EQ(AlphaListGlyphBlend(c.look), c.alphaList);
  }
}

TEST(BtnGlyphRules, AlphaOfA32BitGlyph) {
  std::vector<TsColor_> px(4);
  for (auto& p : px) p.U = 0x10203040;
  px[2].A = 200;
  const TImage32View view{reinterpret_cast<std::uint8_t*>(px.data()), 2, 2, 8};
  EXPECT_FALSE(HasOpaquePixel(view));
  ScaleAlpha(view, 25);
  EXPECT_EQ(px[0].A, 0x10 * 75 / 100);
  EXPECT_EQ(px[2].A, 150);
  EXPECT_EQ(px[2].R, 0x20);
  px[3].A = 255;
  EXPECT_TRUE(HasOpaquePixel(view));
  ScaleAlpha(view, 100);
  EXPECT_EQ(px[3].A, 0);
}

}  // namespace
}  // namespace skin
