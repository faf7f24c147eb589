// The up-down handler under Wine: native up-downs printed into 32-bit bitmaps and compared with two
// buttons of the skin's section and its arrow glyphs painted directly where they belong.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acSpinWnd.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/SkinnedParent.h"
#include "tests/skin/windows/WindowsFixture.h"
#include "tests/support/MoveCursor.h"

namespace skin {
namespace {

using namespace classlib;
using test::Differing;
using test::NativeWindow;
using test::Pixel;

struct SpinHandlers : test::SkinnedParent {
  SpinHandlers() : SkinnedParent(300, 200) {}

  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
  }
  void SetUp() override {
    SkinnedParent::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(testsupport::MoveCursorAndSettle(1000, 740));
  }
  HWND UpDown(int w, int h, DWORD style = 0) {
    HWND u = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | style, 20, 20, w, h, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(u, nullptr);
    SendMessageW(u, UDM_SETRANGE32, 0, 100);
    SendMessageW(u, UDM_SETPOS32, 0, 50);
    return u;
  }
  const TsMaskData& Mask(int index) {
    EXPECT_TRUE(manager->IsValidImgIndex(index));
    return manager->Records().ma[std::size_t(std::max(index, 0))];
  }
  // Two "UPDOWNBTN" buttons at First and then Second over the parent's colour, each with its arrow.
  std::unique_ptr<TBitmap> Expected(int w, int h, TRect first, TRect second, int s1, int s2, bool vertical) {
    auto under = NewBitmap32(w, h);
    under->Canvas()->Brush()->SetColor(background);
    under->Canvas()->FillRect(TRect{0, 0, w, h});
    auto bmp = NewBitmap32(w, h);
    BitBlt(bmp->Canvas()->Handle(), 0, 0, w, h, under->Canvas()->Handle(), 0, 0, SRCCOPY);
    const int section = manager->GetSkinIndex("UPDOWNBTN");
    EXPECT_GE(section, 0);
    const auto& c = manager->Records().ConstData;
    const int glyphs[2] = {vertical ? c.MaskArrowTop : c.MaskArrowLeft,
                           vertical ? c.MaskArrowBottom : c.MaskArrowRight};
    const TRect rects[2] = {first, second};
    const int states[2] = {s1, s2};
    for (int i = 0; i < 2; ++i) {
      const TRect& r = rects[i];
      PaintItem(section, "UPDOWNBTN", MakeCacheInfo(under.get()), true, states[i], r, TPoint{r.Left, r.Top}, bmp.get(),
                manager.get());
      const TsMaskData& md = Mask(glyphs[i]);
      const TPoint at{r.Left + (r.Right - r.Left - WidthOfImage(md)) / 2,
                      r.Top + (r.Bottom - r.Top - HeightOfImage(md)) / 2};
      DrawSkinGlyph(bmp.get(), at, states[i], 1, md, MakeCacheInfo(bmp.get()));
    }
    return bmp;
  }
};

TEST_F(SpinHandlers, OddSizesGiveBothHalvesTheMiddleRow) {
  struct Case {
    int w, h;
    DWORD style;
    TRect first, second;
  };
  // 31 high: halves of 16 rows, sharing row 15; 31 wide: of 16 columns, sharing column 15. (Wine
  // keeps a vertical up-down 16 wide.)
  const Case cases[] = {{16, 31, 0, {0, 0, 16, 16}, {0, 15, 16, 31}},
                        {31, 17, UDS_HORZ, {0, 0, 16, 17}, {15, 0, 31, 17}},
                        {16, 30, 0, {0, 0, 16, 15}, {0, 15, 16, 30}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.w * 100 + c.h);
    HWND u = UpDown(c.w, c.h, c.style);
    RECT wr{};
    GetWindowRect(u, &wr);
    ASSERT_EQ(wr.right - wr.left, c.w);
    ASSERT_EQ(wr.bottom - wr.top, c.h);
    auto handler = TacMainWnd::Create<TacSpinWnd>(u, nullptr, manager.get(), "UPDOWNBTN");
    auto got = test::Printed(u, c.w, c.h);
    auto want = Expected(c.w, c.h, c.first, c.second, 0, 0, c.style == 0);
    EXPECT_EQ(Differing(got.get(), want.get()), 0);
    DestroyWindow(u);
  }
}

TEST_F(SpinHandlers, ButtonUnderTheCursorIsHotAndPressedWhileHeld) {
  HWND u = UpDown(16, 31);
  auto handler = TacMainWnd::Create<TacSpinWnd>(u, nullptr, manager.get(), "UPDOWNBTN");
  POINT lower{8, 25};
  ClientToScreen(u, &lower);
  ASSERT_TRUE(testsupport::MoveCursorAndSettle(lower.x, lower.y));
  const TRect first{0, 0, 16, 16}, second{0, 15, 16, 31};
  auto hot = test::Printed(u, 16, 31);
  EXPECT_EQ(Differing(hot.get(), Expected(16, 31, first, second, 0, 1, true).get()), 0);
  SendMessageW(u, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 25));
  auto held = test::Printed(u, 16, 31);
  SendMessageW(u, WM_LBUTTONUP, 0, MAKELPARAM(8, 25));
  EXPECT_EQ(Differing(held.get(), Expected(16, 31, first, second, 0, 2, true).get()), 0);
  EXPECT_FALSE(handler->bMousePressed);
  DestroyWindow(u);
}

TEST_F(SpinHandlers, LeftOffsetColumnsAreLeftUnpainted) {
  HWND u = UpDown(16, 31);
  auto handler = TacMainWnd::Create<TacSpinWnd>(u, nullptr, manager.get(), "UPDOWNBTN");
  handler->lOffset = 2;
  auto got = NewBitmap32(16, 31);
  got->Canvas()->Brush()->SetColor(clBlack);
  got->Canvas()->FillRect(TRect{0, 0, 16, 31});
  SendMessageW(u, WM_PRINTCLIENT, WPARAM(got->Canvas()->Handle()), PRF_CLIENT);
  auto want = Expected(16, 31, {2, 0, 16, 16}, {2, 15, 16, 31}, 0, 0, true);
  EXPECT_EQ(Differing(got.get(), want.get(), [](int x, int) { return x >= 2; }), 0);
  for (int y = 0; y < 31; ++y) {
    EXPECT_EQ(Pixel(got.get(), 0, y), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(got.get(), 1, y), RGB(0, 0, 0));
  }
  DestroyWindow(u);
}

}  // namespace
}  // namespace skin
