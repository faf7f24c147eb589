// The colour box's list, naming and selection rules, natively.
#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/sColorBoxRules.h"

namespace skin {
namespace {

using classlib::TColor;

// A table laid out as the library's: 16 standard, 4 extended, then none, default and system.
std::vector<std::pair<std::wstring, std::int64_t>> Table() {
  std::vector<std::pair<std::wstring, std::int64_t>> t;
  for (int i = 0; i < 16; ++i) t.emplace_back(L"clStd" + std::to_wstring(i), 0x010101 * i);
  t.emplace_back(L"clMoneyGreen", 0xC0DCC0);
  t.emplace_back(L"clSkyBlue", 0xF0CAA6);
  t.emplace_back(L"clCream", 0xF0FBFF);
  t.emplace_back(L"clMedGray", 0xA4A0A0);
  t.emplace_back(L"clNone", 0x1FFFFFFF);
  t.emplace_back(L"clDefault", 0x20000000);
  t.emplace_back(L"clActiveBorder", std::int64_t(std::int32_t(0xFF00000A)));
  t.emplace_back(L"cl3DDkShadow", std::int64_t(std::int32_t(0xFF000015)));
  return t;
}

TEST(ColorBoxRules, StyleChoosesTheGroupsInTableOrder) {
  const auto table = Table();
  const auto all = StyleColors(table, kDefaultColorBoxStyle);
  ASSERT_EQ(all.size(), 22u) << "16 + 4 + 2 system, no none, no default";
  EXPECT_EQ(all[0], (TNamedColor{L"clStd0", 0}));
  EXPECT_EQ(all[16].Name, L"clMoneyGreen");
  EXPECT_EQ(all[20].Name, L"clActiveBorder");

  const auto pretty = StyleColors(table, {cbExtendedColors, cbSystemColors, cbPrettyNames});
  ASSERT_EQ(pretty.size(), 6u);
  EXPECT_EQ(pretty[0].Name, L"Money Green");
  EXPECT_EQ(pretty[4].Name, L"Active Border");
  EXPECT_EQ(pretty[5].Name, L"3D Dk Shadow");

  // clNone asked for stays though the system colours are left out (it sits among them by index).
  const auto withNone = StyleColors(table, {cbStandardColors, cbIncludeNone});
  ASSERT_EQ(withNone.size(), 17u);
  EXPECT_EQ(withNone.back(), (TNamedColor{L"clNone", classlib::clNone}));
  const auto both = StyleColors(table, {cbIncludeNone, cbIncludeDefault});
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[1].Color, classlib::clDefault);
  EXPECT_TRUE(StyleColors(table, {cbCustomColor, cbPrettyNames}).empty());
}

TEST(ColorBoxRules, PrettyNames) {
  EXPECT_EQ(PrettyColorName(L"clActiveBorder"), L"Active Border");
  EXPECT_EQ(PrettyColorName(L"clMoneyGreen"), L"Money Green");
  EXPECT_EQ(PrettyColorName(L"cl3DDkShadow"), L"3D Dk Shadow");
  EXPECT_EQ(PrettyColorName(L"clGradientInactiveCaption"), L"Gradient Inactive Caption");
  EXPECT_EQ(PrettyColorName(L"clRed"), L"Red");
}

TEST(ColorBoxRules, SavedColorsReadRedGreenBlue) {
  TColor c = -1;
  EXPECT_TRUE(SavedColor(L"FF8000", c));
  EXPECT_EQ(c, 0x0080FF) << "red in the low byte";
  EXPECT_TRUE(SavedColor(L"0000ff", c));
  EXPECT_EQ(c, 0xFF0000);
  c = 5;
  for (const wchar_t* bad : {L"FFFFFF", L"ffffff", L"FF80", L"FF8000A", L"GG0000", L"", L" F8000"}) {
    EXPECT_FALSE(SavedColor(bad, c)) << bad;
    EXPECT_EQ(c, 5) << bad;
  }
}

TEST(ColorBoxRules, EnabledByAnyGroupOrTheCustomEntry) {
  EXPECT_TRUE(ColorBoxEnabled(kDefaultColorBoxStyle));
  EXPECT_TRUE(ColorBoxEnabled({cbSystemColors}));
  EXPECT_TRUE(ColorBoxEnabled({cbCustomColor}));
  EXPECT_FALSE(ColorBoxEnabled({cbIncludeNone, cbIncludeDefault, cbPrettyNames, cbSavedColors, cbCustomColors}));
  EXPECT_FALSE(ColorBoxEnabled({}));
}

TEST(ColorBoxRules, SelectionOfAColour) {
  struct Case {
    std::vector<TColor> colors;
    TColor c;
    bool custom;
    int index;
    bool customTakes;
  };
  const Case cases[] = {
      {{0x0000FF, 0x00FF00, 0xFF0000}, 0x00FF00, false, 1, false},
      {{0x0000FF, 0x00FF00}, 0x123456, false, -1, false},
      // Not listed: the custom entry takes it.
      {{0x0000FF, 0x00FF00}, 0x123456, true, 0, true},
      {{0x0000FF, 0x00FF00}, kNoColorSelected, true, -1, false},
      // The custom entry holding black gives way to the list's black.
      {{0x000000, 0x0000FF, 0x000000}, 0x000000, true, 2, false},
      {{0x000000, 0x0000FF}, 0x000000, true, 0, false},
      {{0x0000FF, 0x000000}, 0x000000, true, 1, false},
      {{0x000000, 0x000000}, 0x000000, false, 0, false},
      {{0x0000FF}, 0x000000, true, 0, true},
      {{}, 0x123456, true, -1, false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const TColorSelection s = ColorSelection(cases[i].colors, cases[i].c, cases[i].custom);
    EXPECT_EQ(s.Index, cases[i].index) << i;
    EXPECT_EQ(s.CustomTakesColor, cases[i].customTakes) << i;
  }
}

TEST(ColorBoxRules, SwatchFrameAndMargin) {
  EXPECT_EQ(SwatchFrameColor(0x0000FF, false), 0x808080) << "red above 128";
  EXPECT_EQ(SwatchFrameColor(0x808080, true), 0xFFFFFF) << "128 is not above 128: white when selected";
  EXPECT_EQ(SwatchFrameColor(0x808080, false), 0x808080);
  EXPECT_EQ(SwatchFrameColor(0x000040, false), 0x000040);
  EXPECT_EQ(SwatchFrameColor(0x000040, true), 0xFFFFFF);
  EXPECT_EQ(ClampedMargin(20, 22), 11);
  EXPECT_EQ(ClampedMargin(3, 22), 3);
}

}  // namespace
}  // namespace skin
