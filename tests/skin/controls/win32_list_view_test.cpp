// The skinned list view on a form with our skin, in report view with row selection as the
// configurator uses it: rows printed against the selection painted directly (focused, unfocused,
// under the mouse), the skin's check glyph, grid lines; the header's columns normal, hot, pressed
// and the empty piece; the application's draw handler kept; the plain look back without the skin;
// one mouse-leave event per leave; no GDI object left behind by repainting.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/controls/sListView.h"
#include "skin/core/sMessages.h"
#include "skin/graphics/sBlend32.h"
#include "skin/windows/acSBUtils.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

std::uint32_t Pixel(COLORREF c) {
  return std::uint32_t(GetRValue(c)) << 16 | std::uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

struct ListViews : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    Ac_InstallScrollBarsLink();
    SetCursorPos(0, 0);  // no row is under the mouse unless a test puts it there
    form->SetBounds(30, 30, 500, 400);
    form->Show();
    Pump();
  }

  TsListView* NewList(int rows, bool checkboxes = false, int width = 300) {
    auto* l = classlib::Create<TsListView>(form.get());
    l->SetParent(form.get());
    l->SetBounds(10, 10, width, 200);
    l->SetViewStyle(vsReport);
    l->SetRowSelect(true);
    l->SetGridLines(true);
    l->SetCheckboxes(checkboxes);
    for (const wchar_t* caption : {L"Name", L"Value"}) {
      TListColumn* c = l->Columns()->Add();
      c->SetCaption(caption);
      c->SetWidth(100);
    }
    for (int i = 0; i < rows; ++i) {
      TListItem* item = l->Items()->Add();
      item->SetCaption(L"Row " + std::to_wstring(i));
      item->SubItems()->Add(L"Sub " + std::to_wstring(i));
    }
    l->Handle();
    Pump();
    return l;
  }

  // The client area as the list paints it (custom draw included).
  static std::unique_ptr<TBitmap> PrintClient(TWinControl* c) {
    RECT r{};
    GetClientRect(c->Handle(), &r);
    auto bmp = NewBitmap32(r.right, r.bottom);
    SendMessageW(c->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), PRF_CLIENT);
    return bmp;
  }

  static TRect RowRect(TWinControl* l, int index) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageW(l->Handle(), LVM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    return {r.left, r.top, r.right, r.bottom};
  }

  // The colour of a "SELECTION" cell of State, painted directly.
  std::uint32_t SelectionColour(int state) { return Rgb(Direct("SELECTION", state, 8, 8, TPoint{0, 0}).get(), 4, 4); }

  // How many pixels of Row (in Bmp) have Colour, of how many.
  static std::pair<int, int> Share(TBitmap* bmp, const TRect& row, std::uint32_t colour) {
    int n = 0, all = 0;
    for (int y = row.Top; y < row.Bottom - 1; ++y)
      for (int x = row.Left; x < std::min<int>(row.Right, bmp->Width()); ++x, ++all) n += Rgb(bmp, x, y) == colour;
    return {n, all};
  }
};

TEST_F(ListViews, SelectedRowsShowTheSelectionFocusedAndUnfocused) {
  TsListView* l = NewList(5);
  ASSERT_TRUE(l->SkinData()->Skinned());
  l->Items()->Items(1)->SetSelected(true);
  l->SetFocus();
  Pump();
  ASSERT_EQ(GetFocus(), l->Handle());
  auto focused = PrintClient(l);
  const TRect row = RowRect(l, 1);
  auto [onFocused, all] = Share(focused.get(), row, SelectionColour(1));
  EXPECT_GT(onFocused, all * 3 / 4) << "the focused list's selected row is the selection's hot cell";
  // Our skin's selection writes in white when hot.
  EXPECT_GT(Share(focused.get(), row, 0xFFFFFF).first, 10) << "the caption is written in the selection's colours";

  // Unfocused with HideSelection the row is drawn as any other; without it, as the normal cell.
  form->SetFocus();
  Pump();
  auto hidden = PrintClient(l);
  const std::uint32_t plain = Pixel(ColorToRGB(l->Color()));
  EXPECT_GT(Share(hidden.get(), row, plain).first, Share(hidden.get(), row, plain).second / 2);
  EXPECT_EQ(Share(hidden.get(), row, SelectionColour(1)).first, 0);
}

TEST_F(ListViews, RowUnderTheMouseIsAHalfStrengthSelection) {
  TsListView* l = NewList(5);
  const TRect row = RowRect(l, 2);
  POINT p{row.Left + 150, (row.Top + row.Bottom) / 2};
  ClientToScreen(l->Handle(), &p);
  SetCursorPos(p.x, p.y);
  Pump();
  auto printed = PrintClient(l);
  EXPECT_EQ(l->HotRow(), 2);
  // Half the selection's normal cell, half the list's own colour (the section under the row).
  const std::uint32_t sel = SelectionColour(0), bg = Pixel(ColorToRGB(l->Color()));
  const int x = row.Left + 150, y = row.Top + 1;
  const std::uint32_t got = Rgb(printed.get(), x, y);
  for (int shift : {0, 8, 16}) {
    const int expected = ((sel >> shift & 0xFF) + (bg >> shift & 0xFF)) / 2;
    EXPECT_NEAR(int(got >> shift & 0xFF), expected, 2) << "channel at bit " << shift;
  }
}

TEST_F(ListViews, CheckGlyphAndGridLineAreDrawn) {
  TsListView* l = NewList(3, true);
  l->Items()->Items(0)->SetChecked(true);
  Pump();
  auto printed = PrintClient(l);
  const TRect row = RowRect(l, 0);
  const int cw = CheckWidth(manager.get()) + 2;
  const int h = row.Bottom - row.Top;
  for (const int state : {1, 0}) {
    SCOPED_TRACE(state);
    const TRect r = RowRect(l, state == 1 ? 0 : 1);
    auto expected = NewBitmap32(cw, h);
    expected->Canvas()->Brush()->SetColor(l->Color());
    expected->Canvas()->FillRect(TRect{0, 0, cw, h});
    acDrawCheck(TRect{0, 0, cw, h}, state, true, expected.get(), MakeCacheInfo(expected.get()), manager.get());
    int differ = 0;
    for (int y = 0; y < h - 1; ++y)
      for (int x = 0; x < cw; ++x) differ += Rgb(expected.get(), x, y) != Rgb(printed.get(), r.Left + 3 + x, r.Top + y);
    EXPECT_EQ(differ, 0);
  }
  // The grid: the row's last line and the first column's right edge in the button face colour.
  const std::uint32_t grid = Pixel(ColorToRGB(clBtnFace));
  EXPECT_EQ(Rgb(printed.get(), 150, row.Bottom - 1), grid);
  EXPECT_EQ(Rgb(printed.get(), 99, row.Top + 2), grid);
}

TEST_F(ListViews, HeaderColumnsNormalHotPressedAndTheEmptyPiece) {
  TsListView* l = NewList(3, false, 300);
  const HWND header = l->HeaderHandle();
  ASSERT_NE(header, nullptr);
  RECT hr{};
  GetClientRect(header, &hr);
  auto print = [&] {
    auto bmp = NewBitmap32(hr.right, hr.bottom);
    SendMessageW(header, WM_PRINT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), PRF_CLIENT);
    return bmp;
  };
  // Left edge strip of a column (no text there) against the section painted directly.
  auto edgeMatches = [&](TBitmap* got, int left, int state) {
    auto direct = Direct("COLHEADER", state, 100, hr.bottom, TPoint{left, 0});
    int differ = 0;
    for (int y = 0; y < hr.bottom; ++y)
      for (int x = 0; x < 3; ++x) differ += Rgb(direct.get(), x, y) != Rgb(got, left + x, y);
    return differ;
  };
  auto normal = print();
  EXPECT_EQ(edgeMatches(normal.get(), 0, 0), 0);
  EXPECT_EQ(edgeMatches(normal.get(), 100, 0), 0);
  // The empty piece right of the last column: the section alone, never hot.
  auto empty = Direct("COLHEADER", 0, hr.right - 200, hr.bottom, TPoint{200, 0});
  int differ = 0;
  for (int y = 0; y < hr.bottom; ++y)
    for (int x = 200; x < hr.right; ++x) differ += Rgb(empty.get(), x - 200, y) != Rgb(normal.get(), x, y);
  EXPECT_EQ(differ, 0);

  POINT over{150, hr.bottom / 2};
  ClientToScreen(header, &over);
  SendMessageW(header, WM_NCHITTEST, 0, MAKELPARAM(over.x, over.y));
  EXPECT_EQ(l->HoverColumn(), 1);
  auto hot = print();
  EXPECT_EQ(edgeMatches(hot.get(), 100, 1), 0);
  EXPECT_EQ(edgeMatches(hot.get(), 0, 0), 0);

  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, hr.bottom / 2));
  EXPECT_EQ(l->PressedColumn(), 0);
  auto pressed = print();
  EXPECT_EQ(edgeMatches(pressed.get(), 0, 2), 0);
  EXPECT_EQ(edgeMatches(pressed.get(), 100, 0), 0) << "another column pressed: the hot one looks normal";
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(30, hr.bottom / 2));
  ReleaseCapture();
  EXPECT_EQ(l->PressedColumn(), -1);

  // On the divider nothing is pressed.
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, hr.bottom / 2));
  EXPECT_EQ(l->PressedColumn(), -1);
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(100, hr.bottom / 2));
  ReleaseCapture();
}

TEST_F(ListViews, ApplicationHandlerIsKeptAndTheSkinsRemovalRestoresThePlainList) {
  auto* l = classlib::Create<TsListView>(form.get());
  int calls = 0;
  l->OnAdvancedCustomDrawItem = [&](TListView*, TListItem*, TCustomDrawState, TCustomDrawStage, bool&) { ++calls; };
  l->SetParent(form.get());
  l->SetBounds(10, 10, 300, 200);
  l->SetViewStyle(vsReport);
  l->SetRowSelect(true);
  l->Columns()->Add()->SetCaption(L"Name");
  l->Items()->Add()->SetCaption(L"Row");
  l->Handle();
  Pump();
  PrintClient(l);
  EXPECT_GT(calls, 0) << "the application's handler draws the items";
  const HWND header = l->HeaderHandle();
  ASSERT_NE(header, nullptr);
  EXPECT_NE(GetWindowLongPtrW(header, GWLP_WNDPROC), LONG_PTR(GetClassLongPtrW(header, GCLP_WNDPROC)));

  manager->SetActive(false);
  Pump();
  EXPECT_EQ(l->Color(), clWindow);
  EXPECT_EQ(l->Font()->Color(), clWindowText);
  EXPECT_EQ(COLORREF(SendMessageW(l->Handle(), LVM_GETBKCOLOR, 0, 0)), ColorToRGB(clWindow));
  EXPECT_EQ(COLORREF(SendMessageW(l->Handle(), LVM_GETTEXTCOLOR, 0, 0)), ColorToRGB(clWindowText));
  EXPECT_EQ(GetWindowLongPtrW(header, GWLP_WNDPROC), LONG_PTR(GetClassLongPtrW(header, GCLP_WNDPROC)));
  calls = 0;
  bool defaultDraw = true;
  ASSERT_TRUE(l->OnAdvancedCustomDrawItem);
  l->OnAdvancedCustomDrawItem(l, l->Items()->Items(0), {}, cdPrePaint, defaultDraw);
  EXPECT_EQ(calls, 1) << "the application's own handler is back in place";
}

TEST_F(ListViews, LeavingTheListFiresOnMouseLeaveOnce) {
  TsListView* l = NewList(3);
  int leaves = 0;
  l->OnMouseLeave = [&](TObject*) { ++leaves; };
  RECT hr{};
  GetClientRect(l->HeaderHandle(), &hr);
  POINT over{30, hr.bottom / 2};
  ClientToScreen(l->HeaderHandle(), &over);
  SendMessageW(l->HeaderHandle(), WM_NCHITTEST, 0, MAKELPARAM(over.x, over.y));
  ASSERT_EQ(l->HoverColumn(), 0);
  SetCursorPos(0, 0);
  l->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(leaves, 1);
  EXPECT_EQ(l->HoverColumn(), -2);
}

// The icon, small-icon and list views are the system's drawing in the skin's edit colours: the
// background and the item texts in the section's colours, nothing left of the system's white.
TEST_F(ListViews, OtherViewStylesPaintInTheSkinsColours) {
  const TsGenState& edit = manager->Records().gd[std::size_t(Section("EDIT"))].Props[0];
  const std::uint32_t back = Pixel(ColorToRGB(edit.Color)), text = Pixel(ColorToRGB(edit.FontColor.Color));
  ASSERT_NE(back, text);
  for (TViewStyle style : {vsIcon, vsSmallIcon, vsList}) {
    TsListView* l = NewList(6);
    l->SetViewStyle(style);
    Pump();
    auto bmp = PrintClient(l);
    int backs = 0, texts = 0, white = 0;
    for (int y = 0; y < bmp->Height(); ++y)
      for (int x = 0; x < bmp->Width(); ++x) {
        const std::uint32_t p = Rgb(bmp.get(), x, y);
        backs += p == back;
        texts += p == text;
        white += p == 0xFFFFFFu && back != 0xFFFFFFu;
      }
    EXPECT_GT(backs, bmp->Width() * bmp->Height() / 2) << style;
    EXPECT_GT(texts, 20) << style << ": the captions are drawn in the section's font colour";
    EXPECT_EQ(white, 0) << style;
    Free(l);
  }
}

TEST_F(ListViews, RepaintingSixtyFourRowsLeavesNoGdiObjectsBehind) {
  TsListView* l = NewList(64, true);
  l->Items()->Items(3)->SetSelected(true);
  PrintClient(l);
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 10);
  for (int i = 0; i < 100; ++i) {
    RedrawWindow(l->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
}  // namespace skin
