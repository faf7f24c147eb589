// The push-button, check-box and group-box handlers on plain "Button" windows under Wine, printed
// into 32-bit bitmaps and compared with the skin's sections painted directly for the same state.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acBtnWnd.h"
#include "tests/skin/controls/GdiCount.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::NativeWindow;

constexpr int kW = 90, kH = 30;

std::unique_ptr<TBitmap> Printed(HWND wnd, int w = kW, int h = kH) {
  auto bmp = NewBitmap32(w, h);
  SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
  return bmp;
}

COLORREF Pixel(TBitmap* bmp, int x, int y) {
  const TsColor_ p = View32(bmp).At(x, y);
  return RGB(p.R, p.G, p.B);
}

// Pixels of the two pictures that differ, among those Where picks.
int Differing(TBitmap* a, TBitmap* b, const std::function<bool(int, int)>& Where = nullptr) {
  int n = 0;
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x)
      if ((!Where || Where(x, y)) && Pixel(a, x, y) != Pixel(b, x, y)) ++n;
  return n;
}

struct ButtonHandlers : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  NativeWindow parent{test::TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300};
  TColor background = clFuchsia;

  void SetUp() override {
    ASSERT_TRUE(manager->Active());
    TacBGInfo bg;
    GetBGInfo(bg, HWND(parent), false);
    ASSERT_EQ(bg.BgType, TacBGType::btFill);
    background = bg.Color;
  }
  HWND Button(DWORD style, const wchar_t* text = L"", int w = kW, int h = kH, DWORD exStyle = 0) {
    HWND b = CreateWindowExW(exStyle, L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, 20, 30, w, h, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(b, nullptr);
    return b;
  }
  std::unique_ptr<TBitmap> Section(const char* name, int state, int w = kW, int h = kH) {
    auto bmp = NewBitmap32(w, h);
    EXPECT_GE(PaintSection(bmp.get(), name, "", state, manager.get(), TPoint{0, 0}, background, nullptr), 0);
    return bmp;
  }
};

TEST_F(ButtonHandlers, PushButtonPrintsTheSectionOfItsState) {
  HWND other = Button(BS_PUSHBUTTON);
  HWND wnd = Button(BS_PUSHBUTTON);
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  ASSERT_EQ(handler->SkinData->SkinSection(), "BUTTON");
  SetFocus(other);
  ASSERT_NE(Differing(Section("BUTTON", 0).get(), Section("BUTTON", 1).get()), 0) << "normal and hot must differ";
  ASSERT_NE(Differing(Section("BUTTON", 0).get(), Section("BUTTON", 2).get()), 0) << "normal and pressed must differ";

  EXPECT_EQ(Differing(Printed(wnd).get(), Section("BUTTON", 0).get()), 0) << "normal";
  SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(Differing(Printed(wnd).get(), Section("BUTTON", 2).get()), 0) << "held down";
  SendMessageW(wnd, BM_SETSTATE, FALSE, 0);
  SetFocus(wnd);
  ASSERT_EQ(GetFocus(), wnd);
  EXPECT_EQ(Differing(Printed(wnd).get(), Section("BUTTON", 1).get()), 0) << "focused";
  DestroyWindow(wnd);
  DestroyWindow(other);
}

TEST_F(ButtonHandlers, DefaultButtonIsHotWithoutFocus) {
  HWND other = Button(BS_PUSHBUTTON);
  HWND wnd = Button(BS_DEFPUSHBUTTON);
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  SetFocus(other);
  ASSERT_NE(GetFocus(), wnd);
  EXPECT_EQ(handler->CurrentState(), 1);
  EXPECT_EQ(Differing(Printed(wnd).get(), Section("BUTTON", 1).get()), 0);
  DestroyWindow(wnd);
  DestroyWindow(other);
}

TEST_F(ButtonHandlers, DisabledButtonShowsTheParentThroughAtSixtyPercent) {
  HWND wnd = Button(BS_PUSHBUTTON);
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  EnableWindow(wnd, FALSE);
  auto got = Printed(wnd);
  auto section = Section("BUTTON", 0);
  const COLORREF bg = ColorToRGB(background);
  const auto mix = [](int parent, int own) { return int(std::lround(parent - (parent - own) * 0.4)); };
  int checked = 0;
  for (const auto& [x, y] : {std::pair{kW / 2, kH / 2}, std::pair{1, kH / 2}, std::pair{kW / 2, 1}}) {
    const COLORREF own = Pixel(section.get(), x, y), g = Pixel(got.get(), x, y);
    EXPECT_NEAR(GetRValue(g), mix(GetRValue(bg), GetRValue(own)), 1) << x << "," << y;
    EXPECT_NEAR(GetGValue(g), mix(GetGValue(bg), GetGValue(own)), 1) << x << "," << y;
    EXPECT_NEAR(GetBValue(g), mix(GetBValue(bg), GetBValue(own)), 1) << x << "," << y;
    ++checked;
  }
  ASSERT_NE(Pixel(section.get(), kW / 2, kH / 2), bg) << "the section must differ from the parent to show a blend";
  DestroyWindow(wnd);
}

// The caption's pixels: where the printed button differs from its bare section.
std::vector<std::pair<int, int>> TextPixels(TBitmap* printed, TBitmap* bare) {
  std::vector<std::pair<int, int>> out;
  for (int y = 0; y < printed->Height(); ++y)
    for (int x = 0; x < printed->Width(); ++x)
      if (Pixel(printed, x, y) != Pixel(bare, x, y)) out.emplace_back(x, y);
  return out;
}

TEST_F(ButtonHandlers, HeldDownCaptionMovesOnePixelRightAndDown) {
  HWND other = Button(BS_PUSHBUTTON);
  HWND wnd = Button(BS_PUSHBUTTON, L"Ok");
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  SetFocus(other);
  const auto up = TextPixels(Printed(wnd).get(), Section("BUTTON", 0).get());
  SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
  const auto down = TextPixels(Printed(wnd).get(), Section("BUTTON", 2).get());
  ASSERT_GT(up.size(), 10u);
  ASSERT_EQ(up.size(), down.size());
  for (std::size_t i = 0; i < up.size(); ++i)
    EXPECT_EQ(down[i], (std::pair{up[i].first + 1, up[i].second + 1})) << i;
  DestroyWindow(wnd);
  DestroyWindow(other);
}

TEST_F(ButtonHandlers, RepeatedPaintsKeepNoGdiObjects) {
  HWND wnd = Button(BS_PUSHBUTTON, L"Text");
  auto handler = TacMainWnd::Create<TacBtnWnd>(wnd, nullptr, manager.get(), "");
  auto bmp = NewBitmap32(kW, kH);
  for (int i = 0; i < 5; ++i) {
    SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  const int before = test::LiveGdiObjects();
  for (int i = 0; i < 100; ++i) {
    SendMessageW(wnd, WM_PRINTCLIENT, WPARAM(bmp->Canvas()->Handle()), PRF_CLIENT);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  EXPECT_LE(test::LiveGdiObjects(), before);
  DestroyWindow(wnd);
}

}  // namespace
}  // namespace skin
