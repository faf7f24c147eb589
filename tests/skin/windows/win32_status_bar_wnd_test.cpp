// The status-bar handler under Wine: a native status bar of three parts printed into a 32-bit
// bitmap and compared with the skin's sections painted directly where the bar puts its parts.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acStatusBarWnd.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/SkinnedParent.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::Differing;
using test::NativeWindow;

struct StatusBarHandlers : test::SkinnedParent {
  StatusBarHandlers() : SkinnedParent(400, 200) {}
  static constexpr int kWidth = 300, kHeight = 22;

  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
  }
  HWND Bar() {
    HWND s = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0,
                             kWidth, kHeight, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(s, nullptr);
    const int edges[3] = {100, 200, -1};
    SendMessageW(s, SB_SETPARTS, 3, LPARAM(edges));
    return s;
  }
  static TRect Part(HWND s, int i) {
    RECT r{};
    EXPECT_TRUE(SendMessageW(s, SB_GETRECT, i, LPARAM(&r)));
    return {r.left, r.top, r.right, r.bottom};
  }
  std::unique_ptr<TBitmap> Face(const char* section) {
    auto bmp = NewBitmap32(kWidth, kHeight);
    EXPECT_GE(PaintSection(bmp.get(), section, "", 0, manager.get(), TPoint{0, 0}, background, nullptr), 0);
    return bmp;
  }
  const TsMaskData& Image(const char* section, const char* name) {
    const int i = manager->GetMaskIndex(manager->GetSkinIndex(section), section, name);
    EXPECT_TRUE(manager->IsValidImgIndex(i)) << section << " " << name;
    return manager->Records().ma[std::size_t(std::max(i, 0))];
  }
};

TEST_F(StatusBarHandlers, WithoutPanelImageDividersStandBetweenPartsButNotAfterTheLast) {
  HWND s = Bar();
  // "TOOLBAR" has no "STATUSPANELMASK".
  ASSERT_LT(manager->GetMaskIndex(manager->GetSkinIndex("TOOLBAR"), "TOOLBAR", "STATUSPANELMASK"), 0);
  auto handler = TacMainWnd::Create<TacStatusBarWnd>(s, nullptr, manager.get(), "TOOLBAR");
  auto got = test::Printed(s, kWidth, kHeight);

  auto face = Face("TOOLBAR");
  auto want = Face("TOOLBAR");
  // A strip one pixel narrower than the divider image, ending at the part's inner right edge, from
  // row 1 down to two rows short of the bottom.
  const int w = WidthOfImage(Image("DIVIDER", "BORDERSMASK")) - 1, h = kHeight - 2;
  for (int i = 0; i < 2; ++i) {
    const int x = Part(s, i).Right - 1 - w;
    auto strip = NewBitmap32(w, h);
    PaintItem(manager->GetSkinIndex("DIVIDER"), "DIVIDER", MakeCacheInfo(face.get()), true, 0, TRect{0, 0, w, h},
              TPoint{x, 1}, strip.get(), manager.get());
    BitBlt(want->Canvas()->Handle(), x, 1, w, h, strip->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  EXPECT_GT(Differing(want.get(), face.get()), 0) << "the dividers must show";
  EXPECT_EQ(Differing(got.get(), want.get()), 0);
  const TRect last = Part(s, 2);
  EXPECT_EQ(Differing(got.get(), face.get(), [&](int x, int) { return x >= last.Left; }), 0);
  DestroyWindow(s);
}

TEST_F(StatusBarHandlers, PanelImageFramesEveryPart) {
  HWND s = Bar();
  auto handler = TacMainWnd::Create<TacStatusBarWnd>(s, nullptr, manager.get(), "");
  EXPECT_EQ(handler->SkinData->SkinSection(), "STATUSBAR");
  auto got = test::Printed(s, kWidth, kHeight);
  auto want = Face("STATUSBAR");
  for (int i = 0; i < 3; ++i) {
    TRect r = Part(s, i);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    DrawSkinRect(want.get(), r, true, MakeCacheInfo(want.get()), Image("STATUSBAR", "STATUSPANELMASK"), 0, false);
  }
  EXPECT_EQ(Differing(got.get(), want.get()), 0);
  DestroyWindow(s);
}

TEST_F(StatusBarHandlers, PartTextIsWrittenInsideItsPartOnly) {
  HWND s = Bar();
  auto handler = TacMainWnd::Create<TacStatusBarWnd>(s, nullptr, manager.get(), "");
  auto blank = test::Printed(s, kWidth, kHeight);
  SendMessageW(s, SB_SETTEXTW, 1, LPARAM(L"Ready"));
  EXPECT_EQ(handler->PartText(1), L"Ready");
  auto got = test::Printed(s, kWidth, kHeight);
  // The text area: the part less 2 pixels on each side, 2 more on the left, 4 on the right and 1 at
  // the bottom.
  TRect r = Part(s, 1);
  const TRect t{r.Left + 4, r.Top + 2, r.Right - 6, r.Bottom - 3};
  const auto inside = [&](int x, int y) { return x >= t.Left && x < t.Right && y >= t.Top && y < t.Bottom; };
  EXPECT_GT(Differing(got.get(), blank.get(), inside), 10);
  EXPECT_EQ(Differing(got.get(), blank.get(), [&](int x, int y) { return !inside(x, y); }), 0);
  DestroyWindow(s);
}

// A bar that is told to repaint shows on screen what it prints.
TEST_F(StatusBarHandlers, RepaintShowsTheSkinnedBar) {
  HWND s = Bar();
  auto handler = TacMainWnd::Create<TacStatusBarWnd>(s, nullptr, manager.get(), "");
  auto printed = test::Printed(s, kWidth, kHeight);
  RedrawWindow(s, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  auto shown = NewBitmap32(kWidth, kHeight);
  HDC dc = GetDC(s);
  BitBlt(shown->Canvas()->Handle(), 0, 0, kWidth, kHeight, dc, 0, 0, SRCCOPY);
  ReleaseDC(s, dc);
  EXPECT_EQ(Differing(shown.get(), printed.get()), 0);
  DestroyWindow(s);
}

}  // namespace
}  // namespace skin
