// The track-bar handler on native track bars under Wine, printed into 32-bit bitmaps and compared
// with the section "TRACKBAR" and its images painted directly where they belong.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>

#include <vector>

#include "skin/core/sCommonData.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acTrackWnd.h"
#include "tests/skin/controls/GdiCount.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/SkinnedParent.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::Differing;
using test::NativeWindow;
using test::Pixel;

// A track bar of 5 ticks (range 0..4) at position 0 in a 200 x 40 (or 40 x 200) window. Wine lays
// it out with the channel from 8 to 192 and an 11 x 21 thumb: ticks every 43.25 pixels from 13.5,
// rounded half to even (14, 57, 100, 143, 186), 10 pixels off the 4-pixel channel (half of 21 - 4,
// plus 2), each image moved back by its own width (horizontal) or height (vertical).
struct TrackCase {
  const char* name;
  DWORD style;
  RECT channel, thumb;  // as the control reports them
  TRect band;           // the channel image: 4 pixels thick, centred
  const char* thumbImage;
  TPoint thumbAt;
  const char* tickImage;
  std::vector<TPoint> ticks;
};

const TrackCase kCases[] = {
    {"horizontal, bottom ticks",
     TBS_AUTOTICKS,
     {8, 9, 192, 13},
     {8, 2, 19, 23},
     {8, 9, 192, 13},
     "SLIDERMASK",
     {8, 2},
     "TICKHORZ",
     {{13, 23}, {56, 23}, {99, 23}, {142, 23}, {185, 23}}},
    {"vertical, right ticks",
     TBS_AUTOTICKS | TBS_VERT,
     {9, 8, 13, 192},
     {2, 8, 23, 19},
     {9, 8, 13, 192},
     "SLIDERVMASK",
     {2, 8},
     "TICKVERT",
     {{23, 13}, {23, 56}, {23, 99}, {23, 142}, {23, 185}}},
    {"no ticks",
     TBS_AUTOTICKS | TBS_NOTICKS,
     {8, 9, 192, 13},
     {8, 2, 19, 23},
     {8, 9, 192, 13},
     "SLIDERMASK",
     {8, 2},
     "TICKHORZ",
     {}},
};

struct TrackHandlers : test::SkinnedParent {

  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
  }
  HWND Track(DWORD style) {
    const bool vertical = (style & TBS_VERT) != 0;
    HWND t = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | style, 20, 30, vertical ? 40 : 200,
                             vertical ? 200 : 40, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(t, nullptr);
    SendMessageW(t, TBM_SETRANGE, TRUE, MAKELPARAM(0, 4));
    return t;
  }
  const TsMaskData& Image(const char* name) {
    const int i = manager->GetMaskIndex(manager->GetSkinIndex("TRACKBAR"), "TRACKBAR", name);
    EXPECT_TRUE(manager->IsValidImgIndex(i)) << name;
    return manager->Records().ma[std::size_t(std::max(i, 0))];
  }
  // The section over the background with the channel, the ticks and the thumb drawn directly.
  std::unique_ptr<TBitmap> Expected(const TrackCase& c, int w, int h) {
    auto bmp = NewBitmap32(w, h);
    EXPECT_GE(PaintSection(bmp.get(), "TRACKBAR", "", 0, manager.get(), TPoint{0, 0}, background, nullptr), 0);
    DrawSkinRect(bmp.get(), c.band, true, MakeCacheInfo(bmp.get()), Image("SLIDERCHANNEL"), 0, false);
    for (const TPoint& p : c.ticks) DrawSkinGlyph(bmp.get(), p, 0, 1, Image(c.tickImage), MakeCacheInfo(bmp.get()));
    DrawSkinGlyph(bmp.get(), c.thumbAt, 0, 1, Image(c.thumbImage), MakeCacheInfo(bmp.get()));
    return bmp;
  }
  static void ExpectLayout(HWND t, const TrackCase& c) {
    RECT channel{}, thumb{};
    SendMessageW(t, TBM_GETCHANNELRECT, 0, LPARAM(&channel));
    SendMessageW(t, TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
    ASSERT_TRUE(EqualRect(&channel, &c.channel))
        << channel.left << " " << channel.top << " " << channel.right << " " << channel.bottom;
    ASSERT_TRUE(EqualRect(&thumb, &c.thumb))
        << thumb.left << " " << thumb.top << " " << thumb.right << " " << thumb.bottom;
  }
};

TEST_F(TrackHandlers, PrintsChannelTicksAndThumbFromTheSkin) {
  for (const TrackCase& c : kCases) {
    SCOPED_TRACE(c.name);
    HWND t = Track(c.style);
    ExpectLayout(t, c);
    auto handler = TacMainWnd::Create<TacTrackWnd>(t, nullptr, manager.get(), "TRACKBAR");
    const bool vertical = (c.style & TBS_VERT) != 0;
    const int w = vertical ? 40 : 200, h = vertical ? 200 : 40;
    auto got = test::Printed(t, w, h);
    auto want = Expected(c, w, h);
    EXPECT_EQ(Differing(got.get(), want.get()), 0);
    DestroyWindow(t);
  }
}

// A control that reports a single tick: the spacing between ticks has no meaning; one tick stands at
// the start of the channel.
LRESULT CALLBACK OneTick(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (m == TBM_GETNUMTICS) return 1;
  return DefSubclassProc(w, m, wp, lp);
}

TEST_F(TrackHandlers, SingleTickStandsAtTheStart) {
  HWND t = Track(TBS_AUTOTICKS);
  ASSERT_TRUE(SetWindowSubclass(t, OneTick, 1, 0));
  auto handler = TacMainWnd::Create<TacTrackWnd>(t, nullptr, manager.get(), "TRACKBAR");
  TrackCase c = kCases[0];
  c.ticks = {{13, 23}};
  auto got = test::Printed(t, 200, 40);
  EXPECT_EQ(Differing(got.get(), Expected(c, 200, 40).get()), 0);
  DestroyWindow(t);
}

// A control that reports a thumb 23 pixels high (Wine keeps its thumb 21 high whatever length is
// asked for).
LRESULT CALLBACK TallThumb(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR height) {
  if (m == TBM_GETTHUMBRECT) {
    *reinterpret_cast<RECT*>(lp) = RECT{8, 1, 19, 1 + LONG(height)};
    return 0;
  }
  return DefSubclassProc(w, m, wp, lp);
}

TEST_F(TrackHandlers, TwentyThreePixelThumbTakesTheImageUnscaledAndCentred) {
  HWND t = Track(TBS_AUTOTICKS);
  ASSERT_TRUE(SetWindowSubclass(t, TallThumb, 1, 23));
  auto handler = TacMainWnd::Create<TacTrackWnd>(t, nullptr, manager.get(), "TRACKBAR");
  // Thumb (8, 1)-(19, 24), image 11 x 21: one pixel below the thumb's top, at (8, 2). Tick gap
  // (23 - 4) / 2 + 2 = 11: ticks at y 24.
  TrackCase c = kCases[0];
  c.ticks = {{13, 24}, {56, 24}, {99, 24}, {142, 24}, {185, 24}};
  c.thumbAt = {8, 2};
  auto got = test::Printed(t, 200, 40);
  EXPECT_EQ(Differing(got.get(), Expected(c, 200, 40).get()), 0);
  DestroyWindow(t);
}

TEST_F(TrackHandlers, OtherThumbSizesTakeTheImageStretchedToTheWholeThumb) {
  HWND t = Track(TBS_AUTOTICKS | TBS_NOTICKS);
  ASSERT_TRUE(SetWindowSubclass(t, TallThumb, 1, 30));
  auto handler = TacMainWnd::Create<TacTrackWnd>(t, nullptr, manager.get(), "TRACKBAR");
  auto got = test::Printed(t, 200, 40);
  // Thumb (8, 1)-(19, 31): the 21-pixel image centred would leave rows 1 to 4 and 26 to 30 bare;
  // stretched, its top and bottom edges reach the thumb's.
  const COLORREF bg = ColorToRGB(background);
  const auto rowShowsThumb = [&](int y) {
    for (int x = 10; x < 17; ++x)
      if (Pixel(got.get(), x, y) != bg) return true;
    return false;
  };
  EXPECT_TRUE(rowShowsThumb(1));
  EXPECT_TRUE(rowShowsThumb(30));
  EXPECT_FALSE(rowShowsThumb(31)) << "nothing below the thumb";
  DestroyWindow(t);
}

TEST_F(TrackHandlers, DisabledTrackBarKeepsFortyPercentOverItsBackground) {
  HWND t = Track(TBS_AUTOTICKS);
  auto handler = TacMainWnd::Create<TacTrackWnd>(t, nullptr, manager.get(), "TRACKBAR");
  auto enabled = test::Printed(t, 200, 40);
  EnableWindow(t, FALSE);
  auto got = test::Printed(t, 200, 40);
  const COLORREF bg = ColorToRGB(background);
  const auto mix = [](int parent, int own) { return int(std::lround(parent - (parent - own) * 0.4)); };
  int distinct = 0;
  for (const auto& [x, y] : {std::pair{13, 12}, std::pair{100, 10}, std::pair{150, 11}}) {
    const COLORREF own = Pixel(enabled.get(), x, y), g = Pixel(got.get(), x, y);
    distinct += own != bg;
    EXPECT_NEAR(GetRValue(g), mix(GetRValue(bg), GetRValue(own)), 1) << x << "," << y;
    EXPECT_NEAR(GetGValue(g), mix(GetGValue(bg), GetGValue(own)), 1) << x << "," << y;
    EXPECT_NEAR(GetBValue(g), mix(GetBValue(bg), GetBValue(own)), 1) << x << "," << y;
  }
  EXPECT_GT(distinct, 0) << "the points must show the skin, not the background";
  DestroyWindow(t);
}

TEST_F(TrackHandlers, RepeatedPaintsKeepNoGdiObjects) {
  HWND t = Track(TBS_AUTOTICKS | TBS_TOP);
  auto handler = TacMainWnd::Create<TacTrackWnd>(t, nullptr, manager.get(), "TRACKBAR");
  auto bmp = NewBitmap32(200, 40);
  for (int i = 0; i < 5; ++i) {
    SendMessageW(t, WM_PRINTCLIENT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
    RedrawWindow(t, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  const int before = test::LiveGdiObjects();
  for (int i = 0; i < 200; ++i) {
    SendMessageW(t, WM_PRINTCLIENT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
    RedrawWindow(t, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  EXPECT_LE(test::LiveGdiObjects(), before);
  DestroyWindow(t);
}

}  // namespace
}  // namespace skin
