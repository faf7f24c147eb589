// The skinned combo box on a form with our skin: the closed box printed against the frame, button
// and glyph painted directly for each state, its selected item's text; list items on the
// selection and on the plain list colour; the skinned drop-down list only for a long list, also
// after the box made a new window; the read-only box; the plain colours back without the skin.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/controls/sComboBox.h"
#include "skin/core/sMessages.h"
#include "skin/windows/acSBUtils.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct ComboBoxes : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    Ac_InstallScrollBarsLink();
    form->Show();
    Pump();
  }

  TsComboBox* NewBox(int items, TComboBoxStyle style = csDropDownList) {
    auto* c = classlib::Create<TsComboBox>(form.get());
    c->SetStyle(style);
    c->SetParent(form.get());
    c->SetBounds(20, 30, 150, 21);
    for (int i = 0; i < items; ++i) c->Items()->Add(L"Item " + std::to_wstring(i));
    c->Handle();
    c->SetItemIndex(0);
    Pump();
    return c;
  }

  static SIZE WindowSize(TWinControl* c) {
    RECT r{};
    GetWindowRect(c->Handle(), &r);
    return {r.right - r.left, r.bottom - r.top};
  }

  static std::unique_ptr<TBitmap> PrintBox(TWinControl* c) {
    const SIZE s = WindowSize(c);
    auto bmp = NewBitmap32(s.cx, s.cy);
    SendMessageW(c->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), PRF_CLIENT);
    return bmp;
  }

  // The button's place worked out by hand: a scroll bar's width plus one, 2 pixels from the edges.
  static TRect HandButtonRect(int w, int h) {
    const int bw = GetSystemMetrics(SM_CXVSCROLL) + 1;
    return {w - bw - 2, 2, w - 2, h - 2};
  }

  // The closed box as the skin's cells give it: frame, button cell, glyph cell in the middle.
  std::unique_ptr<TBitmap> Expected(int frameState, int buttonState, int w, int h, TPoint at, bool glyph = true) {
    auto bmp = Direct("COMBOBOX", frameState, w, h, at);
    const TConstantSkinData& cd = manager->Records().ConstData;
    const TRect br = HandButtonRect(w, h);
    PaintItem(Section("COMBOBTN"), "COMBOBTN", MakeCacheInfo(bmp.get()), true, buttonState, br, TPoint{0, 0}, bmp.get(),
              manager.get(), cd.ComboBtnBG, cd.ComboBtnBGHot);
    if (glyph) {
      const TsMaskData& md = manager->Records().ma[std::size_t(cd.ComboGlyph)];
      const int gw = (md.R.Right - md.R.Left) / int(md.ImageCount);
      const int gh = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
      DrawSkinGlyph(bmp.get(), TPoint{br.Left + (br.Right - br.Left - gw) / 2, (h - gh) / 2}, buttonState, 1, md,
                    MakeCacheInfo(bmp.get()));
    }
    return bmp;
  }

  // Pixels outside the item's text rectangle (3, 3, button - 1, h - 3) that differ.
  static int DifferencesOutsideText(TBitmap* a, TBitmap* b) {
    const TRect text{3, 3, HandButtonRect(a->Width(), a->Height()).Left - 1, a->Height() - 3};
    int n = 0;
    for (int y = 0; y < a->Height(); ++y)
      for (int x = 0; x < a->Width(); ++x)
        if (!(x >= text.Left && x < text.Right && y >= text.Top && y < text.Bottom)) n += Rgb(a, x, y) != Rgb(b, x, y);
    return n;
  }
};

TEST_F(ComboBoxes, ClosedBoxShowsTheSkinCellsOfEachStateAndTheSelectedItem) {
  TsComboBox* c = NewBox(3);
  ASSERT_TRUE(c->SkinData()->Skinned());
  ASSERT_EQ(c->SkinData()->SkinIndex, Section("COMBOBOX"));
  ASSERT_GE(manager->Records().ConstData.ComboGlyph, 0) << "our skin has a combo glyph";
  ASSERT_EQ(GetWindowLongPtrW(c->Handle(), GWL_STYLE) & CBS_HASSTRINGS, CBS_HASSTRINGS);
  wchar_t item[32]{};
  ASSERT_EQ(SendMessageW(c->Handle(), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item)), 6);
  EXPECT_STREQ(item, L"Item 1");

  const SIZE s = WindowSize(c);
  const TPoint at{c->Left(), c->Top()};
  struct Case {
    const char* name;
    int frame, button;
  };
  for (const Case k : {Case{"normal", 0, 0}, Case{"hot", 1, 1}, Case{"dropped", 1, 2}}) {
    SCOPED_TRACE(k.name);
    c->SkinData()->FMouseAbove = k.frame == 1;
    if (k.button == 2) c->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_DROPDOWN), reinterpret_cast<LPARAM>(c->Handle()));
    c->SkinData()->BGChanged = true;
    auto printed = PrintBox(c);
    auto expected = Expected(k.frame, k.button, s.cx, s.cy, at);
    EXPECT_EQ(DifferencesOutsideText(printed.get(), expected.get()), 0);
    // The item's text is ink inside the text rectangle.
    int ink = 0;
    for (int y = 3; y < s.cy - 3; ++y)
      for (int x = 5; x < 40; ++x) ink += Rgb(printed.get(), x, y) != Rgb(expected.get(), x, y);
    EXPECT_GT(ink, 10);
  }

  // The glyph sits in the middle of the button: its ink is as far from either side.
  auto bare = Expected(0, 0, s.cx, s.cy, at, false);
  auto full = Expected(0, 0, s.cx, s.cy, at, true);
  const TRect br = HandButtonRect(s.cx, s.cy);
  int lo = -1, hi = -1;
  for (int x = br.Left; x < br.Right; ++x)
    for (int y = br.Top; y < br.Bottom; ++y)
      if (Rgb(bare.get(), x, y) != Rgb(full.get(), x, y)) {
        if (lo < 0) lo = x;
        hi = x;
      }
  ASSERT_GE(lo, 0);
  EXPECT_LE(std::abs((lo - br.Left) - (br.Right - 1 - hi)), 1);
}

TEST_F(ComboBoxes, ListItemsTakeTheSelectionOrTheListColours) {
  TsComboBox* c = NewBox(3);
  const int h = 16, w = 120;
  auto bmp = NewBitmap32(w, h * 2);
  for (int i = 0; i < 2; ++i) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemID = UINT(i);
    dis.itemState = i == 0 ? ODS_SELECTED : 0;
    dis.hwndItem = c->Handle();
    dis.hDC = bmp->Canvas()->Handle();
    dis.rcItem = RECT{0, i * h, w, (i + 1) * h};
    c->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  }
  auto selection = Direct("SELECTION", 1, w, h, TPoint{0, 0});
  const std::uint32_t selected = Rgb(selection.get(), w / 2, h / 2);
  const std::uint32_t plain = ColorToRGB(manager->Records().GetActiveEditColor());
  const std::uint32_t plainPixel = (plain & 0xFF) << 16 | (plain & 0xFF00) | (plain >> 16 & 0xFF);
  int onSelection = 0, inkOnSelected = 0, onPlain = 0, inkOnPlain = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      (Rgb(bmp.get(), x, y) == selected ? onSelection : inkOnSelected)++;
      (Rgb(bmp.get(), x, y + h) == plainPixel ? onPlain : inkOnPlain)++;
    }
  EXPECT_GT(onSelection, w * h * 3 / 4);
  EXPECT_GT(inkOnSelected, 10) << "the selected item's text shows";
  EXPECT_GT(onPlain, w * h * 3 / 4);
  EXPECT_GT(inkOnPlain, 10) << "an unselected item's text shows on the list colour";
}

TEST_F(ComboBoxes, OnlyALongListIsSkinnedAlsoAfterTheBoxMadeANewWindow) {
  TsComboBox* shortBox = NewBox(7);
  shortBox->SetDroppedDown(true);
  Pump();
  EXPECT_FALSE(shortBox->ListSkinned());
  shortBox->SetDroppedDown(false);

  TsComboBox* c = NewBox(32);
  c->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(c->ListSkinned());
  const HWND first = c->ListHandle();
  c->SetDroppedDown(false);
  Pump();

  c->SetStyle(csDropDown);  // a new window with a new list
  c->Handle();
  Pump();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(c->Handle(), &info));
  ASSERT_NE(info.hwndList, first);
  c->SetDroppedDown(true);
  Pump();
  EXPECT_TRUE(c->ListSkinned());
  EXPECT_EQ(c->ListHandle(), info.hwndList);
  c->SetDroppedDown(false);
  Pump();
}

TEST_F(ComboBoxes, ReadOnlyBoxRefusesKeysButTakesFocusAndDoubleClicks) {
  for (const bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "editable");
    TsComboBox* c = NewBox(5);
    c->SetReadOnly(readOnly);
    int doubleClicks = 0;
    c->OnDblClick = [&](TObject*) { ++doubleClicks; };
    const HWND h = c->Handle();
    // Each key would move the selection of an editable box: down, end, a letter of the next item.
    const std::pair<UINT, WPARAM> keys[] = {{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_END}, {WM_CHAR, L'I'}};
    for (const auto& [msg, key] : keys) {
      c->SetItemIndex(0);
      SendMessageW(h, msg, key, 0);
      Pump();
      EXPECT_EQ(c->ItemIndex() == 0, readOnly) << "message " << msg << " key " << key;
    }
    c->SetItemIndex(0);
    SendMessageW(h, WM_KEYDOWN, VK_F4, 0);
    Pump();
    EXPECT_EQ(c->DroppedDown(), !readOnly);
    c->SetDroppedDown(false);
    SendMessageW(h, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    Pump();
    EXPECT_EQ(c->DroppedDown(), !readOnly);
    c->SetDroppedDown(false);
    Pump();
    if (!readOnly) continue;
    form->SetFocus();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump();
    EXPECT_EQ(GetFocus(), h);
    EXPECT_FALSE(c->DroppedDown());
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump();
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 0);
  }
}

TEST_F(ComboBoxes, RemovingTheSkinGivesThePlainColoursAndListBack) {
  TsComboBox* c = NewBox(32);
  c->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(c->ListSkinned());
  const HWND list = c->ListHandle();
  c->SetDroppedDown(false);
  Pump();
  manager->SetActive(false);
  Pump();
  EXPECT_FALSE(c->ListSkinned());
  EXPECT_EQ(c->Color(), clWindow);
  EXPECT_EQ(c->Font()->Color(), clWindowText);
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  EXPECT_EQ(style & WS_BORDER, WS_BORDER);
  EXPECT_EQ(style & WS_THICKFRAME, 0);
}

}  // namespace
}  // namespace skin
