// The skinned gauge on a form with our skin: bars printed against the sections painted directly,
// the light over the filled part, the plain look, the range rules, the light's timer, and the GDI
// objects that repeated paints leave behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "classlib/Exception.h"
#include "classlib/TypInfo.h"
#include "skin/controls/sGauge.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/graphics/sBlockCopy.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct Gauges : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
  }
  TsGauge* Add(int l, int t, int w, int h, TsGaugeKind kind) {
    auto* g = Create<TsGauge>(form.get());
    g->SetParent(form.get());
    g->SetBounds(l, t, w, h);
    g->SetKind(kind);
    g->SetShowText(false);
    return g;
  }
  // The gauge as its parent's paint draws it.
  std::unique_ptr<TBitmap> Render(TsGauge* g) {
    auto all = NewBitmap32(form->ClientWidth(), form->ClientHeight());
    const auto dc = reinterpret_cast<WPARAM>(all->Canvas()->Handle());
    form->Perform(WM_ERASEBKGND, dc, 0);
    form->Perform(WM_PAINT, dc, 0);
    auto mine = NewBitmap32(g->Width(), g->Height());
    BitBlt32(View32(mine.get()), 0, 0, g->Width(), g->Height(), View32(all.get()), g->Left(), g->Top());
    return mine;
  }
  // Section painted over Face at R, from the point At of the face.
  void PaintOver(TBitmap* face, const char* section, const TRect& r) {
    auto part = NewBitmap32(r.Right - r.Left, r.Bottom - r.Top);
    PaintItem(Section(section), section, MakeCacheInfo(face), true, 0, TRect{0, 0, part->Width(), part->Height()},
              TPoint{r.Left, r.Top}, part.get(), manager.get());
    BitBlt32(View32(face), r.Left, r.Top, part->Width(), part->Height(), View32(part.get()), 0, 0);
  }
};

TEST_F(Gauges, HorizontalBarIsTheFaceWithProgressOverItsFilledColumns) {
  TsGauge* g = Add(20, 30, 120, 30, gkHorizontalBar);
  g->SetAnimated(false);
  auto printed = Render(g);
  auto expected = Direct("GAUGE", 0, 120, 30, {20, 30});
  PaintOver(expected.get(), "PROGRESSH", TRect{0, 0, 56, 30});  // 47 % of 120 columns
  EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);
  // The filled part ends where the face begins.
  EXPECT_NE(Rgb(printed.get(), 55, 15), Rgb(printed.get(), 56, 15));
  EXPECT_EQ(Rgb(printed.get(), 56, 15), Rgb(Direct("GAUGE", 0, 120, 30, {20, 30}).get(), 56, 15));
}

TEST_F(Gauges, ProgressSkinNamesTheFilledPartsSection) {
  TsGauge* g = Add(20, 30, 120, 30, gkHorizontalBar);
  g->SetAnimated(false);
  Render(g);  // keeps the filled part of "PROGRESSH" for the next paint
  g->SetProgressSkin(L"selection");
  auto printed = Render(g);
  auto expected = Direct("GAUGE", 0, 120, 30, {20, 30});
  PaintOver(expected.get(), "SELECTION", TRect{0, 0, 56, 30});
  // A section without a border covers the face's rounded corners; the paint gives their key pixels
  // back to the form, so the two left corner squares are left out.
  int differ = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x)
      if (!(x < 4 && (y < 4 || y >= 26))) differ += Rgb(printed.get(), x, y) != Rgb(expected.get(), x, y);
  EXPECT_EQ(differ, 0);
}

// The value text is written in the face's font colour over the face and in the progress section's
// over the filled part; "47%" straddles the end of the fill at column 56.
TEST_F(Gauges, ValueTextTakesTheColoursOfWhatItLiesOn) {
  TsGauge* g = Add(20, 30, 120, 30, gkHorizontalBar);
  g->SetAnimated(false);
  g->Font()->SetSize(14);
  auto plain = Render(g);
  g->SetShowText(true);
  auto texted = Render(g);
  const auto channels = [](std::uint32_t c) { return int(c & 0xFF) + int(c >> 8 & 0xFF) + int(c >> 16 & 0xFF); };
  int lightOnFill = 0, darkOnFace = 0, wrong = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x) {
      const std::uint32_t was = Rgb(plain.get(), x, y), now = Rgb(texted.get(), x, y);
      if (was == now) continue;
      if (x < 56)
        (channels(now) > channels(was) ? lightOnFill : wrong)++;
      else
        (channels(now) < channels(was) ? darkOnFace : wrong)++;
    }
  EXPECT_GT(lightOnFill, 10);
  EXPECT_GT(darkOnFace, 10);
  EXPECT_EQ(wrong, 0);
}

TEST_F(Gauges, VerticalBarFillsFromTheBottom) {
  TsGauge* g = Add(20, 30, 30, 100, gkVerticalBar);
  g->SetAnimated(false);
  auto printed = Render(g);
  auto expected = Direct("GAUGE", 0, 30, 100, {20, 30});
  PaintOver(expected.get(), "PROGRESSV", TRect{0, 53, 30, 100});  // the lowest 47 of 100 rows
  EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);

  // Animated, the filled part is the horizontal section turned upright: the same rows are covered.
  g->SetAnimated(true);
  auto turned = Render(g);
  auto face = Direct("GAUGE", 0, 30, 100, {20, 30});
  for (int y : {10, 52}) EXPECT_EQ(Rgb(turned.get(), 15, y), Rgb(face.get(), 15, y)) << y;
  for (int y : {53, 80, 99}) EXPECT_NE(Rgb(turned.get(), 15, y), Rgb(face.get(), 15, y)) << y;
}

TEST_F(Gauges, LightSweepsOverTheFilledPartOnlyAndTheFilledPartIsReused) {
  TsGauge* g = Add(20, 30, 120, 30, gkHorizontalBar);
  auto unlit = Render(g);
  // The first tick starts a sweep at -300; 15 pixels a tick bring the light onto the bar.
  for (int i = 0; i < 22; ++i) g->TimerAction();
  ASSERT_GT(g->AnimPos(), 0);
  ASSERT_LT(g->AnimPos(), 56);
  auto lit = Render(g);
  int inside = 0, outside = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x)
      if (Rgb(lit.get(), x, y) != Rgb(unlit.get(), x, y)) (x < 56 ? inside : outside)++;
  EXPECT_GT(inside, 30);
  EXPECT_EQ(outside, 0);
  // What is kept for the next frame is the filled part without the light (away from the face's
  // corners, which the paint repairs afterwards).
  const TBitmap32& kept = g->TmpProgressBmp();
  ASSERT_EQ(kept.Width(), 56);
  ASSERT_EQ(kept.Height(), 30);
  int differ = 0;
  for (int y = 4; y < 26; ++y)
    for (int x = 4; x < 52; ++x) differ += (kept.At(x, y).U & 0xFFFFFF) != Rgb(unlit.get(), x, y);
  EXPECT_EQ(differ, 0);
}

TEST_F(Gauges, WithoutAPauseTheLightStillCrossesTheBar) {
  const int saved = AnimLongDelay;
  AnimLongDelay = 0;
  TsGauge* g = Add(20, 30, 120, 30, gkHorizontalBar);
  int furthest = -1000;
  for (int i = 0; i < 10; ++i) {
    g->TimerAction();
    furthest = std::max(furthest, g->AnimPos());
  }
  AnimLongDelay = saved;
  EXPECT_GE(furthest, 120);
}

TEST_F(Gauges, TheLightsTimerEndsWithTheGauge) {
  TsGauge* g = Add(20, 30, 120, 30, gkHorizontalBar);
  g->SetAnimated(false);
  g->SetAnimated(true);
  EXPECT_EQ(g->Timer->Interval(), 22u);
  const UINT_PTR id = g->Timer->TimerId();
  ASSERT_NE(id, 0u);
  delete g;
  EXPECT_FALSE(KillTimer(nullptr, id));
}

// Removing the skin stops the light and drops the kept filled part; refreshing starts it again.
TEST_F(Gauges, SkinCommandsStopAndStartTheLight) {
  TsGauge* g = Add(20, 30, 120, 30, gkHorizontalBar);
  g->SetAnimated(false);
  g->SetAnimated(true);
  for (int i = 0; i < 22; ++i) g->TimerAction();
  Render(g);
  ASSERT_FALSE(g->TmpProgressBmp().Empty());
  const auto own = reinterpret_cast<LPARAM>(manager.get());
  g->Perform(SM_ALPHACMD, AlphaCmd(ACMD_REMOVESKIN), own);
  EXPECT_FALSE(g->Timer->Enabled());
  EXPECT_TRUE(g->TmpProgressBmp().Empty());
  g->Perform(SM_ALPHACMD, AlphaCmd(ACMD_REFRESH), own);
  EXPECT_TRUE(g->Timer->Enabled());
  // A tick without a skin switches the timer off.
  manager->SetActive(false);
  g->Timer->SetEnabled(true);
  g->TimerAction();
  EXPECT_FALSE(g->Timer->Enabled());
}

TEST_F(Gauges, RangeErrorsOutsideLoadingAndProgressClamped) {
  TsGauge* g = Add(20, 30, 120, 30, gkText);
  int changes = 0;
  g->OnChange = [&](TObject*) { ++changes; };
  try {
    g->SetMinValue(200);
    ADD_FAILURE() << "no error";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), L"Value must be between -2147483647 and 99");
  }
  try {
    g->SetMaxValue(-5);
    ADD_FAILURE() << "no error";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), L"Value must be between 1 and 2147483647");
  }
  EXPECT_EQ(g->MinValue(), 0);
  EXPECT_EQ(g->MaxValue(), 100);

  g->SetProgress(1000);
  g->SetProgress(1000);
  EXPECT_EQ(g->Progress(), 100);
  EXPECT_EQ(changes, 1);
  // The sum leaves 32 bits; it is still clamped to the upper end.
  g->SetProgress(50);
  g->AddProgress(2147483647);
  EXPECT_EQ(g->Progress(), 100);
  g->AddProgress(-2147483647);
  EXPECT_EQ(g->Progress(), 0);

  g->SetMaxValue(2000000000);
  g->SetProgress(1000000000);
  EXPECT_EQ(g->ValueText(), L"50%");

  g->IncludeState(csLoading);
  g->SetMaxValue(100);
  g->SetMinValue(200);
  g->ExcludeState(csLoading);
  EXPECT_EQ(g->MinValue(), 200);
  EXPECT_EQ(g->Progress(), 200);
}

TEST_F(Gauges, DescriptionsCreateItByNameWithItsDefaults) {
  RegisterSkinDataClasses();
  RegisterGaugeClasses();
  Owned<TComponent> made(CreateComponent(L"TsGauge", nullptr));
  auto* g = dynamic_cast<TsGauge*>(made.get());
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->SkinData()->COC, 161);
  EXPECT_EQ(g->Width(), 120);
  EXPECT_EQ(g->Height(), 30);
  EXPECT_EQ(GetEnumProp(g, L"Kind"), L"gkHorizontalBar");
  EXPECT_EQ(GetPropText(g, L"Suffix"), L"%");
  EXPECT_EQ(GetOrdProp(g, L"Progress"), 47);
  EXPECT_EQ(GetOrdProp(g, L"BackColor"), 0xFFFFFF);
  EXPECT_TRUE(GetPropInfo(g, L"Animated")->IsDefault(g));
  SetEnumProp(g, L"Kind", L"gkNeedle");
  EXPECT_EQ(g->Kind(), gkNeedle);
  EXPECT_EQ(g->ValueText(), L"47%");
}

TEST_F(Gauges, RepeatedPaintsLeaveNoGdiObjectsBehind) {
  const int probe = LiveGdiObjects();
  HBRUSH brush = CreateSolidBrush(0);
  ASSERT_EQ(LiveGdiObjects(), probe + 1) << "the counter must see a new object";
  DeleteObject(brush);

  TsGauge* gauges[] = {Add(10, 10, 120, 30, gkHorizontalBar), Add(140, 10, 30, 100, gkVerticalBar),
                       Add(10, 120, 80, 80, gkPie), Add(100, 120, 80, 40, gkNeedle), Add(200, 120, 60, 20, gkText)};
  for (TsGauge* g : gauges) {
    g->SetShowText(true);
    g->TimerAction();
  }
  Render(gauges[0]);
  const int before = LiveGdiObjects();
  for (int i = 0; i < 200; ++i) {
    for (TsGauge* g : gauges) g->TimerAction();
    Render(gauges[0]);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

// Without a skin: plain colours, the black edge as the frame.
TEST_F(Gauges, UnskinnedVerticalBarLeavesItsTopRowToTheBackground) {
  const std::uint32_t red = 0xFF0000, white = 0xFFFFFF, black = 0;
  struct Case {
    TBorderStyle border;
    int progress;
    int firstFilledRow;  // of 50 rows
    std::uint32_t row0;
  };
  // With a frame the face is rows 1..48 and H' = 49: F = trunc(49 * percent / 100), at most 48.
  // Without one H' = 51 and F at most 50, drawn from row 51 - F: row 0 stays the background.
  const Case cases[] = {{bsSingle, 50, 49 - 24, black}, {bsSingle, 100, 1, black}, {bsNone, 100, 1, white}};
  manager->SetActive(false);
  for (const Case& c : cases) {
    TsGauge* g = Add(20, 30, 20, 50, gkVerticalBar);
    ASSERT_FALSE(g->SkinData()->Skinned());
    g->SetBorderStyle(c.border);
    g->SetForeColor(0x0000FF);  // red
    g->SetProgress(c.progress);
    auto printed = Render(g);
    const int x = 10;
    EXPECT_EQ(Rgb(printed.get(), x, 0), c.row0) << c.progress;
    EXPECT_EQ(Rgb(printed.get(), x, c.firstFilledRow - 1), c.firstFilledRow - 1 == 0 ? c.row0 : white) << c.progress;
    EXPECT_EQ(Rgb(printed.get(), x, c.firstFilledRow), red) << c.progress;
    EXPECT_EQ(Rgb(printed.get(), x, 48), red) << c.progress;
    EXPECT_EQ(Rgb(printed.get(), x, 49), c.border == bsSingle ? black : red) << c.progress;
    if (c.border == bsSingle) {
      EXPECT_EQ(Rgb(printed.get(), 0, 30), black);
    }
    delete g;
  }
}

TEST_F(Gauges, UnskinnedTextIsInvertedOverTheFilledPart) {
  manager->SetActive(false);
  TsGauge* g = Add(20, 30, 120, 30, gkHorizontalBar);
  g->SetProgress(100);
  auto plain = Render(g);
  g->SetShowText(true);
  auto texted = Render(g);
  // Black (the fore colour) under the text turns white (or grey at smoothed edges) inside the frame.
  int whitened = 0, other = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x) {
      const std::uint32_t was = Rgb(plain.get(), x, y), now = Rgb(texted.get(), x, y);
      if (was == now) continue;
      const bool grey = (now & 0xFF) == (now >> 8 & 0xFF) && (now & 0xFF) == (now >> 16);
      const bool inside = x > 0 && y > 0 && x < 119 && y < 29;
      (was == 0 && grey && inside ? whitened : other)++;
    }
  EXPECT_GT(whitened, 20);
  EXPECT_EQ(other, 0);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

// The pie fills clockwise from twelve o'clock: a quarter is the upper right, a half the right side.
TEST_F(Gauges, UnskinnedPieFillsClockwiseFromTwelve) {
  manager->SetActive(false);
  const std::uint32_t red = 0xFF0000, white = 0xFFFFFF, blue = 0x0000FF;
  struct Case {
    int progress;
    std::uint32_t upperRight, lowerRight, lowerLeft, upperLeft;
  };
  const Case cases[] = {{0, white, white, white, white},
                        {25, red, white, white, white},
                        {50, red, red, white, white},
                        {100, red, red, red, red}};
  for (const Case& c : cases) {
    TsGauge* g = Add(20, 30, 80, 80, gkPie);
    g->SetBorderStyle(bsNone);
    g->SetForeColor(0x0000FF);
    g->SetColor(0xFF0000);
    g->SetProgress(c.progress);
    auto printed = Render(g);
    EXPECT_EQ(Rgb(printed.get(), 2, 2), blue) << c.progress;  // outside the ellipse: the control's colour
    EXPECT_EQ(Rgb(printed.get(), 58, 22), c.upperRight) << c.progress;
    EXPECT_EQ(Rgb(printed.get(), 58, 58), c.lowerRight) << c.progress;
    EXPECT_EQ(Rgb(printed.get(), 22, 58), c.lowerLeft) << c.progress;
    EXPECT_EQ(Rgb(printed.get(), 22, 22), c.upperLeft) << c.progress;
    delete g;
  }
}

}  // namespace
}  // namespace skin
