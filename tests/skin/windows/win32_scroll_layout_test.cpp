// The skinned scroll-bar engine's layout on real windows under Wine: where the bars go, what the
// client area keeps, hit-testing, style changes made during the size calculation, consumed clicks,
// the skinned SetScrollInfo and giving the window back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "classlib/StdCtrls.h"
#include "skin/windows/acSBUtils.h"
#include "skin/windows/acWndThunkWin32.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::g_seen;
using test::NativeWindow;
using test::TargetClass;

// A later subclass that passes everything on.
WNDPROC g_beforeLater = nullptr;
LRESULT CALLBACK PassingSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return CallWindowProcW(g_beforeLater, w, m, wp, lp);
}

const int kVThick = GetSystemMetrics(SM_CXVSCROLL);
const int kHThick = GetSystemMetrics(SM_CYHSCROLL);
const int kBorder = GetSystemMetrics(SM_CXBORDER);

struct ScrollLayout : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  NativeWindow parent{TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 360};

  // A list box of 100 items, its client area laid out by a hooked scroll handler.
  HWND ListBox(int w, int h, DWORD exStyle = 0, int x = 10, int y = 10) {
    HWND list = CreateWindowExW(
        exStyle, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL, x, y,
        w, h, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 100; ++i) SendMessageW(list, LB_ADDSTRING, 0, LPARAM(L"элемент списка с длинным текстом"));
    SendMessageW(list, LB_SETHORIZONTALEXTENT, 1000, 0);
    return list;
  }
  THandler<TacScrollWnd> Hook(HWND wnd) {
    return TacMainWnd::Create<TacScrollWnd>(wnd, nullptr, manager.get(), "EDIT", true);
  }
  // Client rectangle in window coordinates.
  static RECT Client(HWND wnd) {
    RECT w{}, c{};
    GetWindowRect(wnd, &w);
    GetClientRect(wnd, &c);
    MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
    OffsetRect(&c, -w.left, -w.top);
    return c;
  }
  static LRESULT HitAt(HWND wnd, int wx, int wy) {
    RECT w{};
    GetWindowRect(wnd, &w);
    return SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(w.left + wx, w.top + wy));
  }
};

TEST_F(ScrollLayout, BarsTakeTheirThicknessInsideTheBorder) {
  struct Case {
    const char* name;
    int w, h;
    DWORD exStyle;
    RECT client;  // window coordinates, from the border width and the system's bar thickness
  };
  const Case cases[] = {
      {"both bars right and bottom", 200, 150, 0, {kBorder, kBorder, 200 - kBorder - kVThick, 150 - kBorder - kHThick}},
      {"vertical bar on the left",
       200,
       150,
       WS_EX_LEFTSCROLLBAR,
       {kBorder + kVThick, kBorder, 200 - kBorder, 150 - kBorder - kHThick}},
      {"thinner than the vertical bar: no vertical bar",
       kVThick - 2 + 2 * kBorder,
       150,
       0,
       {kBorder, kBorder, kVThick - 2 + kBorder, 150 - kBorder - kHThick}},
      {"lower than the horizontal bar: no horizontal bar",
       200,
       kHThick - 2 + 2 * kBorder,
       0,
       {kBorder, kBorder, 200 - kBorder - kVThick, kHThick - 2 + kBorder}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HWND list = ListBox(c.w, c.h, c.exStyle);
    auto sw = Hook(list);
    const RECT got = Client(list);
    EXPECT_EQ(got.left, c.client.left);
    EXPECT_EQ(got.top, c.client.top);
    EXPECT_EQ(got.right, c.client.right);
    EXPECT_EQ(got.bottom, c.client.bottom);
    EXPECT_EQ(sw->cxLeftEdge, kBorder);
    EXPECT_EQ(sw->cyBottomEdge, kBorder);
    EXPECT_EQ(sw->fLeftScrollbar, c.exStyle != 0);
    EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL) << "the window keeps its styles";
    sw.reset();
    DestroyWindow(list);
  }
}

TEST_F(ScrollLayout, HitTestingOfBarsGripAndInactiveBars) {
  RECT pc{};
  GetClientRect(parent, &pc);
  // Filling the parent's client area: the corner square shows the grip.
  HWND list = ListBox(pc.right - 20, pc.bottom - 20, 0, 20, 20);
  auto sw = Hook(list);
  RECT w{};
  GetWindowRect(list, &w);
  const int W = w.right - w.left, H = w.bottom - w.top;
  struct Case {
    const char* name;
    int x, y;
    LRESULT code;
  };
  const Case cases[] = {
      {"vertical bar", W - kBorder - kVThick / 2, H / 2, HTVSCROLL},
      {"vertical bar, first pixel", W - kBorder - kVThick, kBorder, HTVSCROLL},
      {"horizontal bar", W / 2, H - kBorder - kHThick / 2, HTHSCROLL},
      {"horizontal bar, last pixel", W - kBorder - kVThick - 1, H - kBorder - 1, HTHSCROLL},
      {"grip square", W - kBorder - 2, H - kBorder - 2, HTBOTTOMRIGHT},
      {"client area", W / 2, H / 2, HTCLIENT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HitAt(list, c.x, c.y), c.code);
  }
  EnableScrollBar(list, SB_HORZ, ESB_DISABLE_BOTH);
  EXPECT_EQ(HitAt(list, W / 2, H - kBorder - kHThick / 2), HTNOWHERE) << "an inactive bar takes no input ";
  EXPECT_EQ(HitAt(list, W - kBorder - kVThick / 2, H / 2), HTVSCROLL);
  EnableWindow(list, FALSE);
  EXPECT_EQ(HitAt(list, W - kBorder - kVThick / 2, H / 2), HTNOWHERE) << "nor does a bar of a disabled window";
  sw.reset();
  DestroyWindow(list);

  HWND inner = ListBox(200, 150);
  auto sw2 = Hook(inner);
  EXPECT_NE(HitAt(inner, 200 - kBorder - 2, 150 - kBorder - 2), HTBOTTOMRIGHT)
      << "no grip away from the corner of the parent's client area";
  sw2.reset();
  DestroyWindow(inner);
}

TEST_F(ScrollLayout, StyleChangesOfTheSizeCalculationNeverReachTheWindow) {
  NativeWindow wnd(TargetClass(), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 200, 150, parent);
  auto sw = Hook(wnd);
  Ac_RedrawNonClient(wnd, true);
  EXPECT_EQ(g_seen[wnd].styleChanged, 0);
  EXPECT_TRUE(sw->sBarVert->fScrollVisible);
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  EXPECT_EQ(g_seen[wnd].styleChanged, 1) << "other style changes pass";
  EXPECT_TRUE(sw->fLeftScrollbar);
}

TEST_F(ScrollLayout, RightAndMiddleClicksOnABarAreConsumed) {
  NativeWindow wnd(TargetClass(), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 200, 150, parent);
  auto sw = Hook(wnd);
  SendMessageW(wnd, WM_NCRBUTTONDOWN, HTVSCROLL, 0);
  EXPECT_EQ(g_seen[wnd].ncRightDown, 0);
  SendMessageW(wnd, WM_NCRBUTTONDOWN, HTBORDER, 0);
  EXPECT_EQ(g_seen[wnd].ncRightDown, 1);
}

TEST_F(ScrollLayout, SkinnedSetScrollInfoLimitsHostileValues) {
  NativeWindow wnd(TargetClass(), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 200, 150, parent);
  auto sw = Hook(wnd);
  struct Case {
    const char* name;
    int nMin, nMax;
    UINT nPage;
    int nPos;
    UINT page;  // expected, by hand
    int pos;
    bool shown;
  };
  const Case cases[] = {
      {"ordinary", 0, 99, 10, 50, 10, 50, true},
      {"position past the end", 0, 99, 10, 500, 10, 90, true},
      {"page larger than the range", 0, 99, 500, 50, 100, 0, false},
      {"minimum above maximum", 50, 10, 5, 20, 0, 50, false},
      {"full 32-bit range", 0, 0x7FFFFFFF, 100, 0x7FFFFFFF, 100, 0x7FFFFFFF - 99, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, c.nMin, c.nMax, c.nPage, c.nPos, 0};
    // No repaint asked for: a paint reads the bar back from the window, whose own copy Wine overflows for a full
    // 32-bit range (its page becomes 2^31); the engine's limits are what is checked here.
    EXPECT_EQ(Ac_SetScrollInfo(wnd, SB_VERT, si, false), c.pos);
    EXPECT_EQ(sw->sBarVert->ScrollInfo.nPage, c.page);
    EXPECT_EQ((GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VSCROLL) != 0, c.shown);
    EXPECT_EQ(sw->sBarVert->fScrollVisible, c.shown);
  }
}

TEST_F(ScrollLayout, GivingBackTwiceOrUnderALaterSubclassIsHarmless) {
  HWND list = ListBox(200, 150);
  const std::size_t thunks = TacWndThunk::LiveCount();
  auto sw = Hook(list);
  EXPECT_TRUE(UninitializeACScroll(list, true, sw.get()));
  EXPECT_FALSE(sw->sBarHorz) << "the bars are gone and the pointers cleared";
  EXPECT_TRUE(UninitializeACScroll(list, true, sw.get()));
  sw.reset();
  EXPECT_EQ(TacWndThunk::LiveCount(), thunks);
  THandler<TacScrollWnd> none;
  UninitializeACScroll(list, true, none);

  sw = Hook(list);
  const WNDPROC later = &PassingSubclass;
  g_beforeLater = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(later)));
  UninitializeACScroll(list, true, sw);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(list, GWLP_WNDPROC)), later)
      << "the later subclass stays in place";
  EXPECT_NE(g_beforeLater, nullptr);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 100) << "and still reaches the list box through the thunk";
  DestroyWindow(list);
  EXPECT_EQ(TacWndThunk::LiveCount(), thunks);
}

TEST_F(ScrollLayout, RefreshScrollsMakesOneHandlerAndNoneWhileLoading) {
  test::Owned<TForm> form{new TForm(nullptr)};
  auto* memo = new TEdit(form.get());
  memo->SetParent(form.get());
  memo->Handle();
  TsCommonData data(memo, true);
  data.SetSkinManager(manager.get());
  data.SetSkinSection("EDIT");
  data.UpdateIndexes();
  ASSERT_TRUE(data.Skinned());
  THandler<TacScrollWnd> sw;
  memo->IncludeState(csLoading);
  RefreshScrolls(&data, sw);
  EXPECT_FALSE(sw);
  memo->ExcludeState(csLoading);
  RefreshScrolls(&data, sw);
  TacScrollWnd* first = sw.get();
  ASSERT_NE(first, nullptr);
  RefreshScrolls(&data, sw);
  EXPECT_EQ(sw.get(), first);
  EXPECT_EQ(Ac_GetScrollWndFromHwnd(memo->Handle()), first);
  data.SetSkinSection("");
  RefreshScrolls(&data, sw);
  EXPECT_FALSE(sw);
  EXPECT_EQ(Ac_GetScrollWndFromHwnd(memo->Handle()), nullptr);
}

}  // namespace
}  // namespace skin
