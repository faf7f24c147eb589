// The scrolling container: ranges from the children, positions that move them, scroll requests of
// its own bars, bringing a child into view, and its place in the class registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/ScrollBox.h"
#include "classlib/StdCtrls.h"
#include "classlib/TypInfo.h"
#include "vcl_fixture.h"

using namespace classlib;
using namespace vcltest;

namespace {

SCROLLINFO BarInfo(HWND wnd, int bar) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(wnd, bar, &si);
  return si;
}

// A child's top edge as the window system has it, in the box's client coordinates.
int WindowTop(TWinControl* child, TWinControl* box) {
  RECT r{};
  GetWindowRect(child->Handle(), &r);
  MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&r), 2);
  return r.top;
}

class ScrollBox : public ::testing::Test {
 protected:
  void SetUp() override {
    form = Create<TForm>(Application);
    form->SetBounds(50, 50, 400, 300);
    box = Create<TScrollBox>(form);
    box->SetBorderStyle(bsNone);
    box->SetParent(form);
    box->SetBounds(0, 0, 200, 100);
    low = Create<TButton>(form);
    low->SetParent(box);
    low->SetBounds(10, 300, 50, 20);  // the content is 320 high
    ShowActive(form);
    // Showing focuses the button, which scrolls it into view: start from the top.
    box->VertScrollBar()->SetPosition(0);
  }
  void TearDown() override {
    Free(form);
    Pump();
  }
  TForm* form = nullptr;
  TScrollBox* box = nullptr;
  TButton* low = nullptr;
};

TEST_F(ScrollBox, RangeFollowsTheChildrenAndPositionMovesThem) {
  TControlScrollBar* v = box->VertScrollBar();
  EXPECT_EQ(v->Range(), 320);
  EXPECT_TRUE(v->IsScrollBarVisible());
  EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(box->ClientWidth(), 200 - GetSystemMetrics(SM_CXVSCROLL));
  SCROLLINFO si = BarInfo(box->Handle(), SB_VERT);
  EXPECT_EQ(si.nMax, 319);
  EXPECT_EQ(si.nPage, 100u);

  v->SetPosition(150);
  EXPECT_EQ(v->Position(), 150);
  EXPECT_EQ(low->Top(), 150);
  EXPECT_EQ(WindowTop(low, box), 150);
  EXPECT_EQ(BarInfo(box->Handle(), SB_VERT).nPos, 150);

  v->SetPosition(1000);  // past the end: the content's end at the window's end
  EXPECT_EQ(v->Position(), 220);
  EXPECT_EQ(low->Top(), 80);
  EXPECT_EQ(v->Range(), 320);  // scrolling does not change the content's extent

  low->SetTop(-200);  // 20 in the content: everything fits, the bar goes and the content comes back
  Pump();
  EXPECT_FALSE(v->IsScrollBarVisible());
  EXPECT_EQ(v->Position(), 0);
  EXPECT_EQ(low->Top(), 20);
}

TEST_F(ScrollBox, OwnBarRequestsScrollByLineAndPage) {
  TControlScrollBar* v = box->VertScrollBar();
  SendMessageW(box->Handle(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(v->Position(), 8);
  SendMessageW(box->Handle(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
  EXPECT_EQ(v->Position(), 8 + 90);
  SendMessageW(box->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
  EXPECT_EQ(v->Position(), 98) << "without Tracking the content waits for the thumb to be let go";
  SendMessageW(box->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
  EXPECT_EQ(v->Position(), 40);
  v->SetTracking(true);
  SendMessageW(box->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 70), 0);
  EXPECT_EQ(v->Position(), 70);
  EXPECT_EQ(low->Top(), 230);
}

TEST_F(ScrollBox, ScrollInViewBringsAChildIn) {
  auto* high = Create<TButton>(form);
  high->SetParent(box);
  high->SetBounds(10, 5, 50, 20);
  ASSERT_TRUE(FocusAndWait(high));
  ASSERT_TRUE(FocusAndWait(low));  // a child reached with the keyboard comes into view
  EXPECT_EQ(box->VertScrollBar()->Position(), 220);
  box->VertScrollBar()->SetPosition(0);
  box->ScrollInView(low);  // below: its bottom (320) to the window's bottom (100)
  EXPECT_EQ(box->VertScrollBar()->Position(), 220);
  EXPECT_EQ(low->Top(), 80);
  box->ScrollInView(high);  // above: its top (5) to the window's top
  EXPECT_EQ(box->VertScrollBar()->Position(), 5);
  EXPECT_EQ(high->Top(), 0);
  box->VertScrollBar()->SetMargin(4);
  box->ScrollInView(low);  // with a margin: 320 + 4 to the window's bottom
  EXPECT_EQ(box->VertScrollBar()->Position(), 224);
}

TEST_F(ScrollBox, RegisteredWithItsPublishedProperties) {
  TComponent* made = CreateComponent(L"TScrollBox", form);
  auto* other = dynamic_cast<TScrollBox*>(made);
  ASSERT_NE(other, nullptr);
  EXPECT_TRUE(other->AutoScroll());
  EXPECT_EQ(other->BorderStyle(), bsSingle);
  EXPECT_EQ(other->VertScrollBar()->Increment(), 8);
  SetPropText(other, L"VertScrollBar.Increment", L"20");
  SetPropText(other, L"HorzScrollBar.Tracking", L"True");
  EXPECT_EQ(other->VertScrollBar()->Increment(), 20);
  EXPECT_TRUE(other->HorzScrollBar()->Tracking());
  SetPropText(other, L"HorzScrollBar.Range", L"500");
  EXPECT_FALSE(other->AutoScroll()) << "a range set by hand ends the automatic one";
}

}  // namespace
