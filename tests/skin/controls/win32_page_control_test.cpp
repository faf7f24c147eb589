// The skinned page control with our skin: the active tab drawn over its neighbours, a disabled
// tab blended, a sheet erased from the page control's cache; which pages may become active; a
// queued click after a move; closing tabs; no GDI object left behind by rotated captions.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/WindowHook.h"
#include "skin/controls/sPageControl.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct PageControls : ControlsFixture {
  TsPageControl* pc = nullptr;
  std::vector<TsTabSheet*> sheets;

  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
  }

  void MakePages(std::vector<const wchar_t*> captions, TTabPosition position = tpTop) {
    pc = Make<TsPageControl>(10, 10, 360, 220);
    pc->SetTabPosition(position);
    for (const wchar_t* caption : captions) {
      auto* s = Create<TsTabSheet>(form.get());
      s->SetPageControl(pc);
      s->SetCaption(caption);
      sheets.push_back(s);
    }
    Pump();
  }

  TPoint TabCentre(int page) const {
    const TRect r = pc->TabRect(sheets[std::size_t(page)]->TabIndex());
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
};

// A COLORREF (red low) as a 32-bit DIB pixel's low 24 bits (blue low).
std::uint32_t AsPixel(std::uint32_t colorref) {
  return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

// Pixels of columns [x0, x0 + n) and rows [y0, y1) equal in both bitmaps (A at an offset).
int DifferentColumns(TBitmap* a, int ax, int ay, TBitmap* b, int bx, int by, int n, int h) {
  int differ = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < n; ++x) differ += Rgb(a, ax + x, ay + y) != Rgb(b, bx + x, by + y);
  return differ;
}

TEST_F(PageControls, ActiveTabIsDrawnLargerOverItsNeighbours) {
  MakePages({L"One", L"Two", L"Three"});
  pc->SetActivePageIndex(1);
  Pump();
  auto printed = Print(pc);
  const TRect plain = pc->TabRect(0);
  const TRect active = pc->TabRect(1);
  ASSERT_EQ(plain.Right, active.Left) << "the common control puts the tabs side by side";
  // The active tab reaches 2 pixels into its left neighbour: its left edge columns are the section
  // in state 2, painted directly, over the first tab's right edge.
  const int w = active.Right - active.Left + 4, h = active.Bottom - active.Top + 4;
  auto look = Direct("TABTOP", 2, w, h, {pc->Left() + active.Left - 2, pc->Top() + active.Top - 2});
  EXPECT_EQ(DifferentColumns(printed.get(), active.Left - 2, active.Top - 2, look.get(), 0, 0, 4, h), 0);
  // The first tab, at its own size and state 0.
  const int w0 = plain.Right - plain.Left, h0 = plain.Bottom - plain.Top;
  auto normal = Direct("TABTOP", 0, w0, h0, {pc->Left() + plain.Left, pc->Top() + plain.Top});
  EXPECT_EQ(DifferentColumns(printed.get(), plain.Left, plain.Top, normal.get(), 0, 0, 4, h0), 0);
  EXPECT_NE(DifferentColumns(look.get(), 0, 2, normal.get(), 0, 0, 4, h0 - 2), 0)
      << "active and normal tabs look different, or the test shows nothing";
}

TEST_F(PageControls, DisabledTabIsBlendedWithTheStripBehindIt) {
  MakePages({L"One", L"Two", L"Three"});
  sheets[2]->SetEnabled(false);
  pc->BGChanged();
  auto printed = Print(pc);
  const TRect r = pc->TabRect(2);
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  auto tab = Direct("TABTOP", 0, w, h, {pc->Left() + r.Left, pc->Top() + r.Top});
  // 40 % tab over 60 % of the form's colour behind the strip, channel by channel; the rows below
  // the strip lie over the page area.
  const std::uint32_t behind = AsPixel(std::uint32_t(ColorToRGB(form->Color())));
  const int rows = std::min(h, pc->TabsRect().Bottom - r.Top);
  ASSERT_GT(rows, 10);
  int off = 0, same = 0;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < 4; ++x) {
      const std::uint32_t t = Rgb(tab.get(), x, y), got = Rgb(printed.get(), r.Left + x, r.Top + y);
      same += t == got && t != behind;
      for (int shift : {0, 8, 16}) {
        const double s = (behind >> shift) & 0xFF, d = (t >> shift) & 0xFF;
        const long want = std::lround(s - (s - d) * 0.4);
        off += std::labs(long((got >> shift) & 0xFF) - want) > 1;
      }
    }
  EXPECT_EQ(off, 0);
  EXPECT_EQ(same, 0) << "no edge pixel of the disabled tab keeps its enabled colour";
}

TEST_F(PageControls, SheetShowsThePageControlsCacheUnderIt) {
  MakePages({L"One", L"Two"});
  auto whole = Print(pc);
  TsTabSheet* sheet = sheets[0];
  auto own = Print(sheet);
  EXPECT_EQ(
      DifferentColumns(own.get(), 0, 0, whole.get(), sheet->Left(), sheet->Top(), sheet->Width(), sheet->Height()), 0);
  // The page area below the active tab's overlap is the section painted directly.
  const TRect page = pc->PageRect();
  const int w = page.Right - page.Left, h = page.Bottom - page.Top;
  auto direct = Direct("PAGECONTROL", 0, w, h, {pc->Left() + page.Left, pc->Top() + page.Top});
  const int skip = std::max(0, pc->SkinTabRect(0, true).Bottom - page.Top);
  ASSERT_LT(skip, 8);
  EXPECT_EQ(DifferentColumns(whole.get(), page.Left, page.Top + skip, direct.get(), 0, skip, w, h - skip), 0);
  // Inside it the skin's page colour (PAGECONTROL: COLOR=16777215).
  EXPECT_EQ(Rgb(own.get(), sheet->Width() / 2, sheet->Height() / 2), 0xFFFFFFu);
}

TEST_F(PageControls, OnlyPlainExistingPagesBecomeActive) {
  MakePages({L"Plain", L"Button", L"Menu", L"Last"});
  sheets[1]->SetTabType(ttButton);
  sheets[2]->SetTabType(ttMenu);
  EXPECT_EQ(sheets[2]->TabSkin(), "SPEEDBUTTON");
  const struct { int index, expected; } cases[] = {{-1, 0}, {4, 0}, {1, 0}, {2, 0}, {3, 3}, {0, 0}};
  for (const auto& c : cases) {
    pc->SetActivePageIndex(c.index);
    EXPECT_EQ(pc->ActivePageIndex(), c.expected) << c.index;
  }
  // A special page handed over directly passes the choice to the next plain page.
  pc->SetActivePage(sheets[1]);
  EXPECT_EQ(pc->ActivePageIndex(), 3);
  // The active page turned into a button tab gives way to the nearest plain page before it.
  sheets[3]->SetTabType(ttButton);
  EXPECT_EQ(pc->ActivePageIndex(), 0);
  pc->SetActivePage(sheets[2]);
  EXPECT_EQ(pc->ActivePageIndex(), 0);
  sheets[2]->SetTabType(ttTab);
  EXPECT_EQ(sheets[2]->TabSkin(), "");
}

TEST_F(PageControls, RightArrowIsRefusedAtTheEndAndWhereChangingIsRefused) {
  MakePages({L"A", L"B", L"C"});
  int changes = 0;
  pc->OnChange = [&](TObject*) { ++changes; };
  bool allow = false;
  pc->OnPageChanging = [&](TObject*, TsTabSheet* page, bool& ok) {
    EXPECT_EQ(page, sheets[1]);
    ok = allow;
  };
  SendMessageW(pc->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(pc->ActivePageIndex(), 0) << "OnPageChanging refused page B";
  allow = true;
  SendMessageW(pc->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  pc->OnPageChanging = nullptr;
  pc->SetActivePageIndex(2);
  SendMessageW(pc->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(pc->ActivePageIndex(), 2) << "no page after the last";
  EXPECT_EQ(changes, 1);
  // A button tab next in line refuses the key too.
  sheets[1]->SetTabType(ttButton);
  pc->SetActivePageIndex(0);
  SendMessageW(pc->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(pc->ActivePageIndex(), 0);
}

// The test driver posts move, press and release: each is handled in turn, the press changes the
// page once, and hot tracking ends on the page now active.
TEST_F(PageControls, QueuedMovePressReleaseChangesThePageOnce) {
  MakePages({L"First", L"Second", L"Third"});
  // What happened, in order: the move is done (the tab entered) before the queued press runs.
  std::vector<std::string> events;
  pc->OnChange = [&](TObject*) { events.push_back("change " + std::to_string(pc->ActivePageIndex())); };
  pc->OnTabMouseEnter = [&](TComponent*, int index) { events.push_back("enter " + std::to_string(index)); };
  const TPoint p = TabCentre(1);
  const LPARAM at = MAKELPARAM(p.X, p.Y);
  PostMessageW(pc->Handle(), WM_MOUSEMOVE, 0, at);
  PostMessageW(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(pc->Handle(), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"enter 1", "change 1"}));
  // The page's tab shows as the active one, not as a hot neighbour.
  auto printed = Print(pc);
  const TRect tab = pc->TabRect(1);
  const int h = tab.Bottom - tab.Top + 4;
  auto active = Direct("TABTOP", 2, tab.Right - tab.Left + 4, h, {pc->Left() + tab.Left - 2, pc->Top() + tab.Top - 2});
  EXPECT_EQ(DifferentColumns(printed.get(), tab.Left - 2, tab.Top - 2, active.get(), 0, 0, 4, h), 0);
}

TEST_F(PageControls, RotatedCaptionsMakeTopTabs140High) {
  MakePages({L"One", L"Two"});
  pc->SetTabHeight(20);
  pc->SetRotateCaptions(true);
  EXPECT_EQ(pc->TabHeight(), 140);
  EXPECT_EQ(pc->TabWidth(), 20);
  EXPECT_EQ(pc->TabRect(0).Bottom - pc->TabRect(0).Top, 140);
  pc->SetRotateCaptions(false);
  EXPECT_EQ(pc->TabHeight(), 0);
  EXPECT_EQ(pc->TabWidth(), 0);
}

TEST_F(PageControls, DeletePageFreesTheFirstPageToo) {
  MakePages({L"A", L"B"});
  DeletePage(sheets[0]);
  ASSERT_EQ(pc->PageCount(), 1);
  EXPECT_EQ(pc->Pages(0), sheets[1]);
  for (int i = 0; i < form->ComponentCount(); ++i) EXPECT_NE(form->Components(i), sheets[0]);
}

// Close buttons: a press and release on the active last tab's button frees the page, the new last
// page becomes active with OnChange; an OnChange that raises leaves redrawing switched on.
TEST_F(PageControls, ClosingTheActiveLastPageSelectsTheNewLastAndKeepsRedrawing) {
  MakePages({L"A", L"B", L"C"});
  pc->SetShowCloseBtns(true);
  int changes = 0;
  pc->OnChange = [&](TObject*) { ++changes; };
  auto clickClose = [&](int page) {
    pc->SetActivePageIndex(page);
    Pump();
    TsTabSheet* sheet = sheets[std::size_t(page)];
    const TRect tab = pc->SkinTabRect(sheet->TabIndex(), true);
    auto probe = NewBitmap32(1, 1);
    probe->Canvas()->SetFont(pc->Font());
    const TacTabData d =
        pc->InitTabContentData(probe->Canvas(), sheet, 2, TRect{0, 0, tab.Right - tab.Left, tab.Bottom - tab.Top});
    ASSERT_LT(d.BtnRect.Left, d.BtnRect.Right);
    const LPARAM at =
        MAKELPARAM(tab.Left + (d.BtnRect.Left + d.BtnRect.Right) / 2, tab.Top + (d.BtnRect.Top + d.BtnRect.Bottom) / 2);
    SendMessageW(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(pc->Handle(), WM_LBUTTONUP, 0, at);
  };
  // Pressed on the button, released elsewhere: nothing closes.
  pc->SetActivePageIndex(2);
  {
    const TRect tab = pc->SkinTabRect(sheets[2]->TabIndex(), true);
    auto probe = NewBitmap32(1, 1);
    probe->Canvas()->SetFont(pc->Font());
    const TacTabData d =
        pc->InitTabContentData(probe->Canvas(), sheets[2], 2, TRect{0, 0, tab.Right - tab.Left, tab.Bottom - tab.Top});
    SendMessageW(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(tab.Left + d.BtnRect.Left + 2, tab.Top + d.BtnRect.Top + 2));
    SendMessageW(pc->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(tab.Left + 3, tab.Top + 3));
    EXPECT_EQ(pc->PageCount(), 3);
  }
  changes = 0;
  clickClose(2);
  ASSERT_EQ(pc->PageCount(), 2);
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  EXPECT_EQ(changes, 1);

  sheets.pop_back();
  // The redraw switch as the window last heard it (the common control keeps its own flag).
  int redraw = -1;
  TWindowHook watch(pc->Handle(), [&](HWND h, UINT msg, WPARAM w, LPARAM l, const TWindowHook::TNext& next) {
    if (msg == WM_SETREDRAW) redraw = w != 0;
    return next(msg, w, l);
  });
  std::exception_ptr seen;
  auto saved = Application->OnException;
  Application->OnException = [&](TObject*, std::exception_ptr e) { seen = e; };
  pc->OnChange = [](TObject*) { throw std::runtime_error("change refused"); };
  clickClose(1);
  Application->OnException = saved;
  EXPECT_TRUE(seen != nullptr) << "the handler's exception reached the application";
  EXPECT_EQ(pc->PageCount(), 1);
  EXPECT_EQ(redraw, 1) << "redrawing is back on";
}

TEST_F(PageControls, TwoHundredPaintsOfLeftTabsLeaveNoFontBehind) {
  {
    // The counter sees fonts come and go.
    const int before = skin::test::LiveGdiObjects(OBJ_FONT);
    HFONT made = CreateFontW(-12, 0, 900, 900, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    ASSERT_EQ(skin::test::LiveGdiObjects(OBJ_FONT), before + 1);
    DeleteObject(made);
    ASSERT_EQ(skin::test::LiveGdiObjects(OBJ_FONT), before);
  }
  MakePages({L"Alpha", L"Beta", L"Gamma"}, tpLeft);
  auto target = NewBitmap32(pc->Width(), pc->Height());
  auto paint = [&] {
    pc->BGChanged();
    SendMessageW(pc->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(target->Canvas()->Handle()), PRF_CLIENT);
  };
  paint();
  const int before = skin::test::LiveGdiObjects(OBJ_FONT);
  for (int i = 0; i < 200; ++i) paint();
  EXPECT_EQ(skin::test::LiveGdiObjects(OBJ_FONT), before);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

// Without a skin and without visual styles the control paints classic edges.
TEST(PlainPageControl, PaintsClassicEdgesAndSpecialTabs) {
  ASSERT_EQ(DefaultManager(), nullptr);
  Owned<TForm> form{Create<TForm>(Application)};
  form->SetBounds(30, 30, 400, 300);
  form->Show();
  auto* pc = Create<TsPageControl>(form.get());
  pc->SetParent(form.get());
  pc->SetBounds(10, 10, 300, 200);
  std::vector<TsTabSheet*> sheets;
  for (const wchar_t* caption : {L"One", L"Menu", L"Two"}) {
    auto* s = Create<TsTabSheet>(form.get());
    s->SetPageControl(pc);
    s->SetCaption(caption);
    sheets.push_back(s);
  }
  sheets[1]->SetTabType(ttMenu);
  Pump();
  // Where visual styles are on the common control draws itself; the plain painter is asked directly.
  auto printed = NewBitmap32(pc->Width(), pc->Height());
  pc->StdPaint(printed->Canvas()->Handle());
  const TRect page = pc->PageRect();
  // EDGE_RAISED: the outer bottom-right line in the darkest shadow, the inside the control's colour.
  EXPECT_EQ(Rgb(printed.get(), page.Right - 1, page.Bottom - 1), AsPixel(GetSysColor(COLOR_3DDKSHADOW)));
  EXPECT_EQ(Rgb(printed.get(), (page.Left + page.Right) / 2, (page.Top + page.Bottom) / 2),
            AsPixel(std::uint32_t(ColorToRGB(pc->Color()))));
  // A hovered menu tab is filled with the menu highlight inside a one-pixel margin.
  const TRect menu = ShrinkSpecialTab(pc->TabRect(1), tpTop);
  SendMessageW(pc->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM((menu.Left + menu.Right) / 2, (menu.Top + menu.Bottom) / 2));
  auto hovered = NewBitmap32(pc->Width(), pc->Height());
  HDC dc = hovered->Canvas()->Handle();
  pc->DrawStdTab(1, 1, dc);
  EXPECT_EQ(Rgb(hovered.get(), menu.Left + 2, menu.Top + 2), AsPixel(GetSysColor(COLOR_MENUHILIGHT)));
}

TEST_F(PageControls, OverflowingTabsPrintTheNativeArrowsUnlessTheyAreSwitchedOff) {
  pc = Make<TsPageControl>(10, 10, 160, 150);
  for (const wchar_t* caption : {L"Alpha", L"Beta", L"Gamma", L"Delta", L"Epsilon", L"Zeta", L"Eta", L"Theta"}) {
    auto* s = Create<TsTabSheet>(form.get());
    s->SetPageControl(pc);
    s->SetCaption(caption);
  }
  Pump();
  EXPECT_EQ(pc->SpinSection(), Section("UPDOWNBTN") >= 0 ? "UPDOWNBTN" : "BUTTON");
  const HWND arrows = pc->UpDownWnd();
  ASSERT_NE(arrows, nullptr) << "eight tabs do not fit 160 pixels on one line";
  RECT r{};
  GetWindowRect(arrows, &r);
  MapWindowPoints(HWND_DESKTOP, pc->Handle(), reinterpret_cast<POINT*>(&r), 2);
  const int w = r.right - r.left, h = r.bottom - r.top;
  auto own = NewBitmap32(w, h);
  SendMessageW(arrows, WM_PAINT, reinterpret_cast<WPARAM>(own->Canvas()->Handle()), 0);
  auto printed = Print(pc);
  EXPECT_EQ(DifferentColumns(printed.get(), r.left, r.top, own.get(), 0, 0, w, h), 0);
  pc->SetShowUpDown(false);
  EXPECT_FALSE(IsWindow(arrows));
  EXPECT_EQ(pc->UpDownWnd(), nullptr);
  pc->SetShowUpDown(true);
  Pump();
  EXPECT_NE(pc->UpDownWnd(), nullptr) << "a new window brings the arrows back";
}

}  // namespace
}  // namespace skin
