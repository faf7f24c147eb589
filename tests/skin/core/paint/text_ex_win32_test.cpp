// Skinned text by section: the four outline colours and the text, each in its place, and the
// disabled mix of the font and section colours, read back from the pixels of a non-antialiased
// font.
#include "skin/core/sSkinTextWin32.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "classlib/Bitmap.h"
#include "skin/core/sSkinManager.h"

using namespace classlib;
using namespace skin;

namespace {

constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF, kWhite = 0xFFFFFF;

struct TextSkin {
  std::unique_ptr<TsSkinManager> manager{new TsSkinManager(nullptr)};
  TextSkin() {
    auto r = std::make_unique<TacSkinRecords>();
    TsGeneralData s;
    s.ClassName = "TEXT";
    s.Color = 0x000000;
    s.Props[0].FontColor = {kWhite, kRed, kGreen, kBlue, kYellow};
    s.Props[1].FontColor = {kWhite, -1, -1, -1, -1};
    r->gd = {s};
    r->SkinData.Active = true;
    manager->InstallRecords(std::move(r));
  }
};

std::unique_ptr<TBitmap> Black(int w, int h) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf32bit);
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(clBlack);
  b->Canvas()->FillRect({0, 0, w, h});
  b->Canvas()->Font()->SetName(L"Tahoma");
  b->Canvas()->Font()->SetHeight(-24);
  b->Canvas()->Font()->SetQuality(fqNonAntialiased);
  return b;
}

// The pixel as a TColor (red low), alpha dropped.
TColor ColorAt(TBitmap* b, int x, int y) {
  const TsColor_ p = b->Image32View().At(x, y);
  return static_cast<TColor>(p.R | p.G << 8 | p.B << 16);
}

std::map<TColor, int> Census(TBitmap* b) {
  std::map<TColor, int> count;
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) ++count[ColorAt(b, x, y)];
  return count;
}

TEST(WriteTextEx, OutlinesLeftTopRightBottomThenTheText) {
  TextSkin skin;
  auto b = Black(40, 40);
  TRect r{4, 4, 36, 36};
  WriteTextEx(b->Canvas(), L"I", true, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, false, skin.manager.get());
  // The bounds of the white stroke of "I".
  int x0 = 99, x1 = -1, y0 = 99, y1 = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      if (ColorAt(b.get(), x, y) == kWhite) {
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
  ASSERT_LT(x0, x1 + 1) << "the text was drawn";
  const int xm = (x0 + x1) / 2, ym = (y0 + y1) / 2;
  // Each side's copy shows only beyond the stroke on its side; later copies cover earlier ones.
  EXPECT_EQ(ColorAt(b.get(), x0 - 1, ym), kRed);
  EXPECT_EQ(ColorAt(b.get(), xm, y0 - 1), kGreen);
  EXPECT_EQ(ColorAt(b.get(), x1 + 1, ym), kBlue);
  EXPECT_EQ(ColorAt(b.get(), xm, y1 + 1), kYellow);
  EXPECT_EQ(ColorAt(b.get(), x0 - 2, ym), 0x000000) << "one pixel, no more";
  const std::map<TColor, int> colours = Census(b.get());
  EXPECT_EQ(colours.size(), 6u) << "black, four outlines and the text";
  EXPECT_EQ(r, (TRect{4, 4, 36, 36})) << "R is not changed";

  // Hot: no outline colours, only the text.
  auto hot = Black(40, 40);
  WriteTextEx(hot->Canvas(), L"I", true, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, true, skin.manager.get());
  const std::map<TColor, int> hotColours = Census(hot.get());
  EXPECT_EQ(hotColours.size(), 2u);
  EXPECT_EQ(hotColours.count(kWhite), 1u);
}

TEST(WriteTextEx, DisabledTextMixesFortyPercentFontSixtyPercentSection) {
  TextSkin skin;
  auto b = Black(40, 40);
  TRect r{4, 4, 36, 36};
  WriteTextEx(b->Canvas(), L"I", false, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, false, skin.manager.get());
  // White at 0.4 over black: round(0.4 * 255) = 102 = 0x66 per channel.
  const std::map<TColor, int> colours = Census(b.get());
  ASSERT_EQ(colours.size(), 2u);
  EXPECT_GT(colours.at(0x666666), 0);
}

TEST(WriteTextEx, NoManagerOrSectionDrawsNothing) {
  TextSkin skin;
  auto b = Black(20, 20);
  TRect r{0, 0, 20, 20};
  WriteTextEx(b->Canvas(), L"I", true, r, DT_SINGLELINE, 1, false, skin.manager.get());
  WriteTextEx(b->Canvas(), L"I", true, r, DT_SINGLELINE, -1, false, skin.manager.get());
  EXPECT_EQ(Census(b.get()).size(), 1u);
}

}  // namespace
