// The colour box and the extended combo box on a form with our skin: the list the styles build,
// the selection of black beside a black custom entry, the custom colour through the shared
// dialog, saved colours, margin and enabling, a read-only box refusing the list's notifications,
// and items painted with their swatch or indent.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/Dialogs.h"
#include "classlib/Messages.h"
#include "skin/controls/sColorDialog.h"
#include "skin/controls/sComboBoxes.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

// A colour value (red in the low byte) as a pixel's 0xRRGGBB.
std::uint32_t AsRgb(TColor c) {
  const auto v = std::uint32_t(ColorToRGB(c)) & 0xFFFFFF;
  return (v & 0xFF) << 16 | (v & 0xFF00) | v >> 16;
}

struct ColorBoxes : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    RegisterComboBoxesClasses();
    form->Show();
    Pump();
  }
  TsColorBox* NewBox(TsColorBoxStyle style) {
    auto* c = classlib::Create<TsColorBox>(form.get());
    c->SetParent(form.get());
    c->SetBounds(20, 30, 150, 22);
    c->Handle();
    c->SetStyle(style);
    Pump();
    return c;
  }
  static int IndexOfName(TsColorBox* box, const std::wstring& name) {
    for (int i = 0; i < box->Items()->Count(); ++i)
      if (box->GetColorName(i) == name) return i;
    return -1;
  }
};

TEST_F(ColorBoxes, DefaultStyleListsStandardExtendedAndSystemColours) {
  auto* box = classlib::Create<TsColorBox>(form.get());
  box->SetParent(form.get());
  box->SetBounds(20, 30, 150, 22);
  box->Handle();
  EXPECT_EQ(box->Style(), (TsColorBoxStyle{cbStandardColors, cbExtendedColors, cbSystemColors}));
  // 16 standard, 4 extended and the library's 30 system colours.
  ASSERT_EQ(box->Items()->Count(), 50);
  EXPECT_EQ(box->GetColorName(0), L"clBlack");
  EXPECT_EQ(box->GetColor(0), clBlack);
  EXPECT_EQ(box->GetColorName(9), L"clRed");
  EXPECT_EQ(box->GetColor(9), 0x0000FF);
  EXPECT_EQ(box->GetColorName(15), L"clWhite");
  EXPECT_EQ(box->GetColorName(16), L"clMoneyGreen");
  EXPECT_EQ(box->GetColor(19), 0xA4A0A0) << "clMedGray closes the extended colours";
  EXPECT_EQ(IndexOfName(box, L"clNone"), -1);
  EXPECT_EQ(IndexOfName(box, L"clDefault"), -1);
  EXPECT_EQ(IndexOfName(box, L"Custom..."), -1);
  EXPECT_EQ(box->GetColor(IndexOfName(box, L"clBtnFace")), clBtnFace);
  EXPECT_EQ(box->Selected(), clBlack);
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->GetColor(-1), clNone);
}

TEST_F(ColorBoxes, PrettyNamesAndTheNoneEntry) {
  TsColorBox* box = NewBox({cbSystemColors, cbPrettyNames, cbIncludeNone, cbIncludeDefault});
  const int border = IndexOfName(box, L"Active Border");
  ASSERT_GE(border, 0);
  EXPECT_EQ(box->GetColor(border), clSystemColor | 10);
  EXPECT_GE(IndexOfName(box, L"3D Dk Shadow"), 0);
  EXPECT_EQ(box->GetColor(IndexOfName(box, L"None")), clNone);
  EXPECT_EQ(box->GetColor(IndexOfName(box, L"Default")), clDefault);
  // None asked for without the system colours stays.
  box->SetStyle({cbStandardColors, cbIncludeNone, cbPrettyNames});
  EXPECT_EQ(box->Items()->Count(), 17);
  EXPECT_EQ(box->GetColorName(16), L"None");
}

TEST_F(ColorBoxes, BlackBesideABlackCustomEntrySelectsBlack) {
  TsColorBox* box = NewBox({cbStandardColors, cbCustomColor, cbPrettyNames});
  ASSERT_EQ(box->GetColorName(0), L"Custom...");
  EXPECT_EQ(box->GetColor(0), clBlack);
  box->SetSelected(clRed);
  box->SetSelected(clBlack);
  EXPECT_EQ(box->GetColorName(box->ItemIndex()), L"Black");
  // A colour not in the list goes into the custom entry.
  box->SetSelected(0x123456);
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->GetColor(0), 0x123456);
  EXPECT_EQ(box->Selected(), 0x123456);
  // Without the custom entry an unknown colour selects nothing.
  TsColorBox* plain = NewBox({cbStandardColors});
  plain->SetSelected(0x123456);
  EXPECT_EQ(plain->ItemIndex(), -1);
  EXPECT_EQ(plain->Selected(), kNoColorSelected);
}

TEST_F(ColorBoxes, StyleWithoutColoursDisablesAndMarginIsClamped) {
  TsColorBox* box = NewBox({cbIncludeNone, cbPrettyNames});
  EXPECT_FALSE(box->Enabled());
  box->SetStyle({cbCustomColor});
  EXPECT_TRUE(box->Enabled());
  // The window keeps the height its font gives it (about 20 pixels): at most half of that.
  ASSERT_LT(box->Height(), 40);
  box->SetMargin(20);
  EXPECT_EQ(box->Margin(), box->Height() / 2);
  box->SetMargin(3);
  EXPECT_EQ(box->Margin(), 3);
}

struct DialogAnswer {
  explicit DialogAnswer(bool ok, TColor color = 0) {
    ColorBoxDialog()->SetStandardDlg(true);
    previous = TColorDialog::SetRunner([this, ok, color](TColorDialog& d) {
      ++runs;
      if (ok) d.SetColor(color);
      return ok;
    });
  }
  ~DialogAnswer() { TColorDialog::SetRunner(previous); }
  int runs = 0;
  TColorDialog::TRunner previous;
};

TEST_F(ColorBoxes, CustomEntryPicksThroughTheSharedDialog) {
  TsColorBox* box = NewBox({cbStandardColors, cbCustomColor});
  int selects = 0;
  box->OnSelect = [&](TObject*) { ++selects; };
  const auto pickFromList = [&] {
    box->SetItemIndex(0);
    box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_CLOSEUP), 0);
    box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
  };
  {
    DialogAnswer cancel(false);
    pickFromList();
    EXPECT_EQ(cancel.runs, 1);
    EXPECT_EQ(selects, 0) << "a cancelled pick is no selection";
  }
  {
    DialogAnswer ok(true, 0x00C0FF);
    pickFromList();
    EXPECT_EQ(ok.runs, 1);
  }
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(box->GetColor(0), 0x00C0FF);
  EXPECT_EQ(box->Selected(), 0x00C0FF);
  EXPECT_EQ(box->ItemIndex(), 0);
  // Choosing by key does not open the dialog.
  {
    DialogAnswer never(true, 1);
    box->SetItemIndex(0);
    box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
    EXPECT_EQ(never.runs, 0);
  }
  EXPECT_EQ(ExistingColorBoxDialog(), ColorBoxDialog()) << "one dialog for every box";
}

TEST_F(ColorBoxes, SavedColoursLeadTheList) {
  ColorBoxDialog()->CustomColors()->Clear();
  ColorBoxDialog()->CustomColors()->Add(L"FF0000");
  ColorBoxDialog()->CustomColors()->Add(L"FFFFFF");
  ColorBoxDialog()->CustomColors()->Add(L"00FF00");
  ColorBoxDialog()->CustomColors()->Add(L"nonsense");
  TsColorBox* box = NewBox({cbStandardColors, cbSavedColors, cbCustomColor});
  ASSERT_EQ(box->Items()->Count(), 1 + 2 + 16);
  EXPECT_EQ(box->GetColorName(0), L"Custom...");
  EXPECT_EQ(box->GetColorName(1), L"00FF00");
  EXPECT_EQ(box->GetColor(1), 0x00FF00);
  EXPECT_EQ(box->GetColorName(2), L"FF0000");
  EXPECT_EQ(box->GetColor(2), 0x0000FF) << "red in the low byte";
  ColorBoxDialog()->CustomColors()->Clear();
}

TEST_F(ColorBoxes, ReadOnlyExtendedBoxSwallowsListNotifications) {
  auto* box = classlib::Create<TsComboBoxEx>(form.get());
  box->SetParent(form.get());
  box->SetBounds(20, 60, 150, 22);
  box->AddItem(L"one");
  box->AddItem(L"two");
  box->Handle();
  box->SetReadOnly(true);
  int selects = 0;
  box->OnSelect = [&](TObject*) { ++selects; };
  for (WORD code : {WORD(CBN_SELCHANGE), WORD(CBN_EDITCHANGE), WORD(CBN_DROPDOWN)})
    EXPECT_EQ(box->Perform(CN_COMMAND, MAKEWPARAM(0, code), 0), 1) << code;
  EXPECT_EQ(selects, 0);
  box->SetReadOnly(false);
  box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(selects, 1);
}

TEST_F(ColorBoxes, ListItemShowsItsSwatchFramedAndTheName) {
  TsColorBox* box = NewBox({cbStandardColors});
  const int red = 9;
  ASSERT_EQ(box->GetColor(red), 0x0000FF);
  const int w = 120, h = 16;
  auto bmp = NewBitmap32(w, h);
  ASSERT_TRUE(box->DrawSkinItem(red, TRect{0, 0, w, h}, bmp->Canvas()->Handle(), {}));
  // Swatch: 1 pixel in, 2 more from the left, twice as wide as high (14 high).
  EXPECT_EQ(Rgb(bmp.get(), 3 + 14, 8), 0xFF0000u) << "red as 0xRRGGBB";
  EXPECT_EQ(Rgb(bmp.get(), 3, 1), 0x808080u) << "a light colour gets the grey frame";
  EXPECT_EQ(Rgb(bmp.get(), 3 + 27, 14), 0x808080u);
  EXPECT_NE(Rgb(bmp.get(), 3 + 28, 8), 0xFF0000u) << "the swatch ends there";
  EXPECT_EQ(Rgb(bmp.get(), 1, 8), AsRgb(box->Color())) << "a list item on the box's colour";
  // A dark colour framed in itself, a selected one in white.
  auto dark = NewBitmap32(w, h);
  box->DrawSkinItem(4 /* clNavy */, TRect{0, 0, w, h}, dark->Canvas()->Handle(), {odSelected});
  EXPECT_EQ(box->GetColor(4), 0x800000);
  EXPECT_EQ(Rgb(dark.get(), 3, 1), 0xFFFFFFu);
  EXPECT_EQ(Rgb(dark.get(), 17, 8), 0x000080u);
  EXPECT_FALSE(box->DrawSkinItem(-1, TRect{0, 0, w, h}, dark->Canvas()->Handle(), {}));
}

TEST_F(ColorBoxes, ExtendedItemIndentIsFilledWithTheListColour) {
  auto* box = classlib::Create<TsComboBoxEx>(form.get());
  box->SetParent(form.get());
  box->SetBounds(20, 60, 150, 22);
  box->AddItem(L"deep", -1, -1, 3);
  box->Handle();
  EXPECT_EQ(box->ItemEx(0).Indent, 3);
  EXPECT_EQ(box->ExHandle(), box->Handle());
  const int w = 100, h = 16;
  auto bmp = NewBitmap32(w, h);
  // Start from a colour no skin uses, so that the indent's fill shows.
  RECT all{0, 0, w, h};
  HBRUSH odd = CreateSolidBrush(RGB(1, 2, 3));
  FillRect(bmp->Canvas()->Handle(), &all, odd);
  DeleteObject(odd);
  ASSERT_TRUE(box->DrawSkinItem(0, TRect{0, 0, w, h}, bmp->Canvas()->Handle(), {odSelected}));
  const std::uint32_t listColour = AsRgb(manager->Records().GetActiveEditColor());
  ASSERT_NE(listColour, 0x010203u);
  for (int x : {0, 15, 29}) EXPECT_EQ(Rgb(bmp.get(), x, 8), listColour) << x;
  TComboExItem item;
  box->SetItemIndex(0);
  ASSERT_TRUE(box->GetSelectedItem(item));
  EXPECT_EQ(item.Indent, 3);
  box->SetItemIndex(-1);
  EXPECT_FALSE(box->GetSelectedItem(item));
}

}  // namespace
}  // namespace skin
