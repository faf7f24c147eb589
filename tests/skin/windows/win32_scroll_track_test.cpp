// Mouse input on the skinned scroll bars becomes the scroll messages native bars send: a press on
// an arrow with its auto-repeat, leaving and re-entering the arrow, the thumb dragged past the
// ends with a minimum that is not zero, 32-bit positions, and the press state dropped with its
// window. Timers are driven by sending WM_TIMER, so that nothing depends on the machine's speed.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "skin/windows/acSBPaint.h"
#include "skin/windows/acSBTrack.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using test::g_seen;
using test::NativeWindow;
using test::ScrollMsg;
using test::TargetClass;

struct ScrollTrack : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  NativeWindow parent{TargetClass(), WS_POPUP | WS_VISIBLE, 300, 400};
  NativeWindow wnd{TargetClass(), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 150, 250, parent};
  THandler<TacScrollWnd> sw;
  TRect bar;  // the vertical bar, screen coordinates
  const int L = GetScrollMetric(nullptr, 0, false);

  void SetUp() override {
    SetWindowPos(parent, HWND_TOPMOST, 0, 0, 300, 400, SWP_NOACTIVATE);
    SetRange(0, 99, 10, 0);
    sw = TacMainWnd::Create<TacScrollWnd>(wnd, nullptr, manager.get(), "EDIT", true);
    AC_GetVScrollRect(sw.get(), wnd, bar);
    ASSERT_GT(bar.Bottom - bar.Top, 100);
    g_seen[wnd].scrolls.clear();
  }
  void TearDown() override { ScrollState() = {}; }
  void SetRange(int mn, int mx, UINT page, int pos) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, mn, mx, page, pos, 0};
    SetScrollInfo(wnd, SB_VERT, &si, FALSE);
  }
  int Arrow() { return GetScrollMetric(sw->sBarVert.get(), 0, false); }
  POINT OnBar(int y) { return {(bar.Left + bar.Right) / 2, bar.Top + y}; }
  LPARAM Client(POINT p) {
    ScreenToClient(wnd, &p);
    return MAKELPARAM(p.x, p.y);
  }
  const std::vector<ScrollMsg>& Got() { return g_seen[wnd].scrolls; }
  static ScrollMsg V(int code, int word = 0, LPARAM lp = 0) { return {WM_VSCROLL, code, word, lp}; }
};

TEST_F(ScrollTrack, ArrowPressSendsOneLineThenRepeatsWhileTheCursorStaysOnIt) {
  const POINT up = OnBar(Arrow() / 2);
  SendMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(up.x, up.y));
  EXPECT_EQ(Got(), std::vector<ScrollMsg>{V(SB_LINEUP)}) << "one line at once";
  EXPECT_EQ(GetCapture(), wnd.handle);
  SendMessageW(wnd, WM_TIMER, kRepeatDelayTimer, 0);
  EXPECT_EQ(Got().size(), 1u) << "nothing when the delay ends";
  SetCursorPos(up.x, up.y);
  SendMessageW(wnd, WM_TIMER, kRepeatTimer, 0);
  SendMessageW(wnd, WM_TIMER, kRepeatTimer, 0);
  EXPECT_EQ(Got().size(), 3u) << "one line per repeat tick";
  const POINT away = OnBar(bar.Bottom - bar.Top - 1 - Arrow() - 5);
  SetCursorPos(away.x, away.y);
  SendMessageW(wnd, WM_TIMER, kRepeatTimer, 0);
  EXPECT_EQ(Got().size(), 3u) << "none while off the arrow";
  SetCursorPos(up.x, up.y);
  SendMessageW(wnd, WM_TIMER, kRepeatTimer, 0);
  EXPECT_EQ(Got().size(), 4u) << "back on the arrow, the repeat goes on";
  SendMessageW(wnd, WM_LBUTTONUP, 0, Client(up));
  const std::vector<ScrollMsg> want{V(SB_LINEUP), V(SB_LINEUP), V(SB_LINEUP), V(SB_LINEUP), V(SB_ENDSCROLL)};
  EXPECT_EQ(Got(), want);
  EXPECT_NE(GetCapture(), wnd.handle);
  EXPECT_EQ(ScrollState().CurPortion, -1);
}

TEST_F(ScrollTrack, PageAreaPressSendsPageDown) {
  const POINT low = OnBar(bar.Bottom - bar.Top - Arrow() - 3);
  SendMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(low.x, low.y));
  SendMessageW(wnd, WM_LBUTTONUP, 0, Client(low));
  EXPECT_EQ(Got(), (std::vector<ScrollMsg>{V(SB_PAGEDOWN), V(SB_ENDSCROLL)}));
}

TEST_F(ScrollTrack, ThumbDragCountsFromTheMinimumAndPinsAtTheEnds) {
  SetRange(1000, 1099, 10, 1000);
  // The thumb by hand: page 10 of 100 over the track, at least 10 pixels, at the track's start.
  const int len = bar.Bottom - bar.Top, track = len - 2 * Arrow(), size = std::max(MulDiv(10, track, 100), 10);
  const POINT grab = OnBar(Arrow() + size / 2);
  SendMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(grab.x, grab.y));
  EXPECT_TRUE(Got().empty());
  EXPECT_TRUE(sw->fThumbTracking);
  // Half the free track down: half of the 90 steps.
  const int room = track - size;
  POINT half = grab;
  half.y += room / 2;
  SendMessageW(wnd, WM_MOUSEMOVE, 0, Client(half));
  SendMessageW(wnd, WM_MOUSEMOVE, 0, Client(half));
  POINT past = grab;
  past.y += 3 * len;
  SendMessageW(wnd, WM_MOUSEMOVE, 0, Client(past));
  POINT before = grab;
  before.y -= 3 * len;
  SendMessageW(wnd, WM_MOUSEMOVE, 0, Client(before));
  SendMessageW(wnd, WM_MOUSEMOVE, 0, Client(past));
  SendMessageW(wnd, WM_LBUTTONUP, 0, Client(past));
  const int halfPos = 1000 + MulDiv(room / 2, 90, room);
  const std::vector<ScrollMsg> want{V(SB_THUMBTRACK, halfPos), V(SB_THUMBTRACK, 1090),    V(SB_THUMBTRACK, 1000),
                                    V(SB_THUMBTRACK, 1090),    V(SB_THUMBPOSITION, 1090), V(SB_ENDSCROLL, 1090)};
  EXPECT_EQ(Got(), want) << "a track message only when the position changes";
  EXPECT_FALSE(sw->fThumbTracking);
}

TEST_F(ScrollTrack, FullPositionsGoToAWindowThatAsksForThem) {
  const POINT grab = OnBar(Arrow() + 5);
  POINT past = grab;
  past.y += 1000;
  for (bool full : {false, true}) {
    SCOPED_TRACE(full ? "answers 51" : "does not answer 51");
    SetRange(0, 10000000, 100, 0);  // positions past 16 bits
    g_seen[wnd].takesFullPositions = full;
    g_seen[wnd].scrolls.clear();
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(grab.x, grab.y));
    EXPECT_TRUE(sw->fThumbTracking);
    SendMessageW(wnd, WM_MOUSEMOVE, 0, Client(past));
    SendMessageW(wnd, WM_LBUTTONUP, 0, Client(past));
    ASSERT_FALSE(Got().empty());
    EXPECT_EQ(Got()[0], V(SB_THUMBTRACK, 0xFFFF, full ? LPARAM(10000000 - 99) : 0));
  }
}

TEST_F(ScrollTrack, PressStateGoesWithItsWindow) {
  const POINT up = OnBar(Arrow() / 2);
  SendMessageW(wnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(up.x, up.y));
  EXPECT_EQ(ScrollState().CurScrollWnd, wnd.handle);
  DestroyWindow(wnd);
  EXPECT_EQ(ScrollState().CurScrollWnd, nullptr);
  EXPECT_EQ(ScrollState().CurPortion, -1);
}

}  // namespace
}  // namespace skin
