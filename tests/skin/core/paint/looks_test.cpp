// The look of a section in a state over its parent's background, checked pixel by pixel against
// values worked out by hand from the blending formulas.
#include <gtest/gtest.h>

#include <functional>

#include "skin/core/sSectionPaint.h"
#include "tests/skin/core/paint/PaintFixture.h"

namespace skin {
namespace {

using test::At;
using test::Opaque;

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

TBitmap32 Parent() { return test::CodedParent(10, 10); }

struct LookCase {
  const char* name;
  int transparency, hotTransparency, imagePercent;
  bool ciReady;
  TColor fillColor;
  int state;
  TColor customColor;
  // Expected pixel at item (i, j), given the parent pixel under it.
  std::function<std::uint32_t(std::uint32_t parent)> expected;
};

// Every byte of the blend: (parent * 127 + colour * 128 + 127) >> 8 (T = 50: background weight 127).
std::uint32_t Half(std::uint32_t parent, std::uint32_t colour) {
  std::uint32_t r = 0;
  for (int s = 0; s < 32; s += 8) r |= ((((parent >> s) & 0xFF) * 127 + ((colour >> s) & 0xFF) * 128 + 127) >> 8) << s;
  return r;
}

TEST(SectionLooks, TransparencyStatesAndCustomColour) {
  const LookCase cases[] = {
      {"opaque", 0, 0, 0, true, clFuchsia, 0, clFuchsia, [](std::uint32_t) { return Opaque(kRed); }},
      {"clear over parent", 100, 0, 0, true, clFuchsia, 0, clFuchsia, [](std::uint32_t p) { return p; }},
      {"clear over colour", 100, 0, 0, false, 0x112233, 0, clFuchsia, [](std::uint32_t) { return 0xFF332211u; }},
      {"half over parent", 50, 0, 0, true, clFuchsia, 0, clFuchsia,
       [](std::uint32_t p) { return Half(p, Opaque(kRed)); }},
      // MixColors(red, blue, 0.3): red 76.5 -> 76, blue 178.5 -> 178 (halves to even).
      {"30 over red", 30, 0, 0, false, kRed, 0, clFuchsia, [](std::uint32_t) { return 0xFF4C00B2u; }},
      {"no parent at all", 50, 0, 0, false, clFuchsia, 0, clFuchsia, [](std::uint32_t) { return Opaque(kRed); }},
      {"custom colour", 50, 0, 0, true, clFuchsia, 0, 0x336699, [](std::uint32_t) { return 0xFF996633u; }},
      {"state above States", 100, 0, 0, true, clFuchsia, 5, clFuchsia, [](std::uint32_t) { return Opaque(kGreen); }},
      {"hot clear over parent", 0, 100, 0, true, clFuchsia, 1, clFuchsia, [](std::uint32_t p) { return p; }},
      {"hot clear over colour", 0, 100, 0, false, 0x445566, 1, clFuchsia, [](std::uint32_t) { return 0xFF665544u; }},
      {"hot clear over nothing", 0, 100, 0, false, clFuchsia, 2, clFuchsia,
       [](std::uint32_t) { return Opaque(kGreen); }},
      {"texture share without texture", 0, 0, 40, true, clFuchsia, 0, clFuchsia,
       [](std::uint32_t) { return Opaque(kRed); }},
  };
  TBitmap32 parent = Parent();
  for (const LookCase& c : cases) {
    SCOPED_TRACE(c.name);
    test::PaintSkin skin;
    TsGeneralData& g = skin.Section("BUTTON", kBlue);
    g.Color = c.transparency == 30 ? kBlue : kRed;
    g.Transparency = c.transparency;
    g.HotTransparency = c.hotTransparency;
    g.ImagePercent = c.imagePercent;
    g.HotColor = kGreen;
    TCacheInfo32 ci = test::ReadyCI(parent, 2, 1);
    ci.Ready = c.ciReady;
    ci.FillColor = c.fillColor;
    TBitmap32 item(6, 5, 0x01020304);
    const TRect r{1, 1, 5, 4};
    const TPoint pP{1, 2};
    PaintItemBG(0, "BUTTON", ci, c.state, r, pP, item.View(), &skin.sm, -1, -1, c.customColor);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        const std::uint32_t under = At(parent, ci.X + pP.X + x - r.Left, ci.Y + pP.Y + y - r.Top);
        const std::uint32_t want = !inside ? 0x01020304u : c.expected(under);
        ASSERT_EQ(At(item, x, y), want) << "at " << x << "," << y;
      }
  }
}

TEST(SectionLooks, TextureAndGradientSharesPaintInOnePass) {
  test::PaintSkin skin;
  TsGeneralData& g = skin.Section("PANEL", kRed);
  g.ImagePercent = 60;
  g.GradientPercent = 40;
  g.GradientData = "128;128;100;0;0";
  *g.GradientArray = {{0x80, 0x80, 100, 0, 0}};
  const int tex = skin.Image("PANEL", "PATTERN", {40, 0, 44, 4}, 1, 0);
  skin.Fill({40, 0, 44, 4}, 0xFF404040);
  (void)tex;
  TBitmap32 item(5, 3, 0);
  PaintItemBG(0, "PANEL", TCacheInfo32{}, 0, {0, 0, 5, 3}, {0, 0}, item.View(), &skin.sm, -1, -1, clFuchsia);
  // Texture weight 60 * 255 / 100 = 153 over the gradient colour (128, 0, 0):
  // red (128 * 256 + (64 - 128) * 153) >> 8 = 89, green and blue (64 * 153) >> 8 = 38.
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) ASSERT_EQ(At(item, x, y), 0xFF592626u);
}

TEST(SectionLooks, ClearSectionOverItsOwnBitmapLeavesIt) {
  test::PaintSkin skin;
  skin.Section("PANEL").Transparency = 100;
  TBitmap32 item = Parent();
  const TCacheInfo32 ci = test::ReadyCI(item, 0, 0);
  const TBitmap32 before = Parent();
  PaintItemBG(0, "PANEL", ci, 0, {0, 0, 10, 10}, {3, 3}, item.View(), &skin.sm, -1, -1, clFuchsia);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(At(item, x, y), At(before, x, y));
}

TEST(SectionLooks, PaintItemRefusesRectanglesOutsideTheImage) {
  test::PaintSkin skin;
  skin.Section("PANEL");
  TBitmap32 item(4, 4, 0x12345678);
  PaintItem(0, "PANEL", TCacheInfo32{}, 0, {0, 0, 5, 4}, {0, 0}, item.View(), &skin.sm);
  PaintItem(0, "PANEL", TCacheInfo32{}, 0, {0, 0, 4, 4}, {0, 0}, item.View(), nullptr);
  PaintItem(7, "PANEL", TCacheInfo32{}, 0, {0, 0, 4, 4}, {0, 0}, item.View(), &skin.sm);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) ASSERT_EQ(At(item, x, y), 0x12345678u);
}

TEST(SectionLooks, CornerImageLandsAtTheBottomLeftOfR) {
  test::PaintSkin skin;
  TsGeneralData& g = skin.Section("PANEL", kRed);
  g.ImgBL = skin.Image("PANEL", "BL", {0, 0, 2, 2}, 1, 0);
  skin.Fill({0, 0, 2, 2}, 0xFF0000FF);
  skin.Put(0, 0, kKeyPixel);
  TBitmap32 item(8, 8, 0);
  PaintItem(0, "PANEL", TCacheInfo32{}, 0, {3, 2, 7, 6}, {0, 0}, item.View(), &skin.sm);
  EXPECT_EQ(At(item, 3, 5), 0xFF0000FFu);  // bottom-left pixel at (R.Left, R.Bottom - 1)
  EXPECT_EQ(At(item, 4, 4), 0xFF0000FFu);
  EXPECT_EQ(At(item, 3, 4), Opaque(kRed));  // the key pixel shows the section under it
  EXPECT_EQ(At(item, 5, 5), Opaque(kRed));
}

TEST(SectionLooks, ParentCopyReachingPastTheParentTakesOnlyWhatIsThere) {
  test::PaintSkin skin;
  skin.Section("PANEL").Transparency = 100;
  TBitmap32 parent = Parent();
  const TCacheInfo32 ci = test::ReadyCI(parent, 6, 7);
  TBitmap32 item(6, 5, 0x01020304);
  PaintItemBG(0, "PANEL", ci, 0, {0, 0, 6, 5}, {1, 1}, item.View(), &skin.sm, -1, -1, clFuchsia);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool under = 7 + x < 10 && 8 + y < 10;
      ASSERT_EQ(At(item, x, y), under ? At(parent, 7 + x, 8 + y) : 0x01020304u) << x << "," << y;
    }
}

}  // namespace
}  // namespace skin
