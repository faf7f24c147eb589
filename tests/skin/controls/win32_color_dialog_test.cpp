// The skinned colour dialog driven from code with our skin: edits kept in step, custom slots, the
// dialog's result and custom colours, the cursor freed when a press is lost, and a fresh start.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "classlib/ExtCtrls.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sColorDialog.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin::test {
namespace {

using classlib::TColor;

constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kBlue = 0xFF0000;

struct ColorDialog : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    RegisterSkinDataClasses();
    RegisterPanelClasses();
    RegisterLabelClasses();
    RegisterBitBtnClasses();
    RegisterSpeedButtonClasses();
    RegisterEditClasses();
    RegisterMaskEditClasses();
    RegisterSkinProviderClasses();
    RegisterColorDialogClasses();
  }
  void TearDown() override { ClipCursor(nullptr); }

  Owned<TsColorDialogForm> NewForm() {
    Owned<TsColorDialogForm> f(classlib::Create<TsColorDialogForm>(classlib::Application));
    f->Show();
    Pump();
    return f;
  }

  // Runs Dialog.Execute while Step acts on the open form from a timer; the step must close it.
  bool ExecuteWith(TsColorDialog& Dialog, std::function<void(TsColorDialogForm&)> Step) {
    Owned<classlib::TTimer> timer(classlib::Create<classlib::TTimer>(nullptr));
    timer->SetInterval(20);
    int ticks = 0;
    timer->OnTimer = [&](classlib::TObject*) {
      // A dialog that never opens must not hang the test: the step closes whatever is open.
      if (++ticks > 250) ADD_FAILURE() << "the dialog did not show";
      if (sColorDialogForm && (sColorDialogForm->Showing() || ticks > 250)) {
        timer->SetEnabled(false);
        Step(*sColorDialogForm);
      }
    };
    timer->SetEnabled(true);
    return Dialog.Execute();
  }

  static RECT Clip() {
    RECT r{};
    GetClipCursor(&r);
    return r;
  }
  static bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};

TEST_F(ColorDialog, HexRedFillsEveryOtherField) {
  auto f = NewForm();
  f->SetCurrentColor(kGreen);
  ASSERT_EQ(f->sREdit->Text(), L"0");
  f->sEditHex->SetText(L"FF0000");
  EXPECT_EQ(f->sREdit->Text(), L"255");
  EXPECT_EQ(f->sGEdit->Text(), L"0");
  EXPECT_EQ(f->sBEdit->Text(), L"0");
  EXPECT_EQ(f->sEditDecimal->Text(), L"255");
  EXPECT_EQ(f->sHEdit->Text(), L"0");
  EXPECT_EQ(f->sSEdit->Text(), L"100");
  EXPECT_EQ(f->sVEdit->Text(), L"100");
  EXPECT_EQ(f->SelectedColor(), kRed);
  EXPECT_EQ(f->sEditHex->Text(), L"FF0000");
}

TEST_F(ColorDialog, TheFieldBeingTypedIsNotRewritten) {
  auto f = NewForm();
  // "0000FF" read as typed so far: "FF" is 0x0000FF, blue, whose full text would be "0000FF".
  f->sEditHex->SetText(L"FF");
  EXPECT_EQ(f->sBEdit->Text(), L"255");
  EXPECT_EQ(f->sREdit->Text(), L"0");
  EXPECT_EQ(f->sEditHex->Text().substr(0, 2), L"FF");
  // The decimal field likewise: 65280 is green.
  f->sEditDecimal->SetText(L"65280");
  EXPECT_EQ(f->sGEdit->Text(), L"255");
  EXPECT_EQ(f->sEditHex->Text(), L"00FF00");
  EXPECT_EQ(f->sEditDecimal->Text(), L"65280");
}

TEST_F(ColorDialog, AddThreeTimesFillsTheFirstThreeSlots) {
  auto f = NewForm();
  for (TColor c : {kRed, kGreen, kBlue}) {
    f->SetCurrentColor(c);
    f->sBitBtn3->Click();
  }
  classlib::TStrings* slots = f->AddPal->Colors();
  ASSERT_EQ(slots->Count(), 16);
  EXPECT_EQ(slots->Strings(0), L"FF0000");
  EXPECT_EQ(slots->Strings(1), L"00FF00");
  EXPECT_EQ(slots->Strings(2), L"0000FF");
  for (int i = 3; i < 16; ++i) EXPECT_EQ(slots->Strings(i), L"FFFFFF") << i;
}

TEST_F(ColorDialog, CancelKeepsColorYetCopiesTheCustomColours) {
  Owned<TsColorDialog> dialog(classlib::Create<TsColorDialog>(nullptr));
  dialog->SetColor(0x123456);
  dialog->CustomColors()->Add(L"112233");
  const bool chosen = ExecuteWith(*dialog, [](TsColorDialogForm& f) {
    f.sEditHex->SetText(L"FF0000");
    f.sBitBtn3->Click();
    f.sBitBtn2->Click();
  });
  EXPECT_FALSE(chosen);
  EXPECT_EQ(dialog->Color(), 0x123456);
  ASSERT_EQ(dialog->CustomColors()->Count(), 16);
  EXPECT_EQ(dialog->CustomColors()->Strings(0), L"FF0000");
  EXPECT_EQ(dialog->CustomColors()->Strings(1), L"FFFFFF");
}

TEST_F(ColorDialog, OkReturnsThePickedColourAndTheWidthFollowsTheOptions) {
  struct Case {
    classlib::TColorDialogOptions options;
    int width;
    bool defineEnabled;
  } cases[] = {
      {{classlib::cdFullOpen}, 541, false},
      {{}, 235, true},
      {{classlib::cdPreventFullOpen}, 235, false},
  };
  for (const Case& c : cases) {
    Owned<TsColorDialog> dialog(classlib::Create<TsColorDialog>(nullptr));
    dialog->SetOptions(c.options);
    dialog->SetColor(kRed);
    int width = 0;
    bool defineEnabled = false;
    std::wstring hexAtShow;
    const bool chosen = ExecuteWith(*dialog, [&](TsColorDialogForm& f) {
      width = f.Width();
      defineEnabled = f.sBitBtn4->Enabled();
      hexAtShow = f.sEditHex->Text();
      f.sEditHex->SetText(L"00FF00");
      f.sBitBtn1->Click();
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(dialog->Color(), kGreen);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(defineEnabled, c.defineEnabled);
    EXPECT_EQ(hexAtShow, L"FF0000");
  }
}

TEST_F(ColorDialog, StandardDlgShowsTheSystemDialog) {
  int systemCalls = 0;
  auto previous = classlib::TColorDialog::SetRunner([&](classlib::TColorDialog& d) {
    ++systemCalls;
    d.SetColor(kBlue);
    return true;
  });
  const auto restore = classlib::TScopeExit([&] { classlib::TColorDialog::SetRunner(previous); });
  Owned<TsColorDialog> dialog(classlib::Create<TsColorDialog>(nullptr));
  dialog->SetStandardDlg(true);
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(systemCalls, 1);
  EXPECT_EQ(dialog->Color(), kBlue);
  EXPECT_EQ(sColorDialogForm, nullptr);
}

TEST_F(ColorDialog, DefineColorsWidensTheFormAndDisablesItself) {
  auto f = NewForm();
  f->SetWidth(235);
  f->sBitBtn4->Click();
  EXPECT_EQ(f->Width(), 541);
  EXPECT_FALSE(f->sBitBtn4->Enabled());
}

TEST_F(ColorDialog, ALostPressFreesTheCursor) {
  const RECT desktop = Clip();
  auto f = NewForm();
  // The marker strip right of the gradient belongs to the form, which hands the press on.
  const int strip = f->GradPanel->Left() + f->GradPanel->Width() + 3;
  struct Case {
    classlib::TWinControl* target;
    int x, y;
    UINT lost;
    bool gradient;
  } cases[] = {
      {f->ColorPanel, 10, 10, WM_CANCELMODE, false},
      {f->GradPanel, 10, 10, WM_CANCELMODE, true},
      {f->ColorPanel, 10, 10, WM_CAPTURECHANGED, false},
      {f.get(), strip, f->GradPanel->Top() + 40, WM_CANCELMODE, true},
  };
  for (const Case& c : cases) {
    SendMessageW(c.target->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
    ASSERT_EQ(c.gradient ? GradPressed : ExPressed, true) << c.target->Name();
    EXPECT_FALSE(Same(Clip(), desktop)) << "the press confines the cursor";
    SendMessageW(GetCapture() ? GetCapture() : c.target->Handle(), c.lost, 0, 0);
    EXPECT_TRUE(Same(Clip(), desktop)) << c.lost;
    EXPECT_FALSE(ExPressed);
    EXPECT_FALSE(GradPressed);
  }
  // Closing the form during a press frees it too.
  SendMessageW(f->ColorPanel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  f->Close();
  EXPECT_TRUE(Same(Clip(), desktop));
}

TEST_F(ColorDialog, TheNextDialogStartsFresh) {
  const RECT desktop = Clip();
  {
    auto f = NewForm();
    f->sBitBtn3->Click();
    f->sBitBtn3->Click();
    SendMessageW(f->GradPanel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 40));
    ASSERT_TRUE(GradPressed);
    ASSERT_TRUE(UseCoords);
  }
  EXPECT_EQ(sColorDialogForm, nullptr);
  EXPECT_FALSE(GradPressed);
  EXPECT_FALSE(ExPressed);
  EXPECT_FALSE(UseCoords);
  EXPECT_TRUE(Same(Clip(), desktop));
  auto g = NewForm();
  EXPECT_EQ(sColorDialogForm, g.get());
  EXPECT_EQ(CurrCustomIndex, 0);
  g->SetCurrentColor(kBlue);
  g->sBitBtn3->Click();
  EXPECT_EQ(g->AddPal->Colors()->Strings(0), L"0000FF");
}

TEST_F(ColorDialog, TheFieldAndTheGradientShowHueSaturationAndBrightness) {
  auto f = NewForm();
  f->SetCurrentColor(kRed);
  Pump();
  // Field pixel (x, y): hue x * 360 / 260, saturation 1 - y / 260, value 1 - y / 780. Column 130
  // of the top row is hue 180 at full saturation and value: cyan. Row 156 of column 0 is hue 0,
  // saturation 0.4, value 0.8: red 204, green and blue 204 * 0.6 = 122.4 -> 122.
  auto field = Print(f->ColorPanel);
  EXPECT_EQ(Rgb(field.get(), 130, 0), 0x00FFFFu);
  EXPECT_EQ(Rgb(field.get(), 0, 156), 0xCC7A7Au);
  // Gradient rows for red: 255 - 255/130 = 253.04 in green and blue at the top; 253.04 in red
  // and 1.96 in the others at the turn (row 129); at the bottom row red has fallen below zero
  // (255 - 131 * 255/130) while green and blue keep 1.96: white there is the reader's, not the
  // painter's.
  auto grad = Print(f->GradPanel);
  EXPECT_EQ(Rgb(grad.get(), 10, 0), 0xFFFDFDu);
  EXPECT_EQ(Rgb(grad.get(), 10, 129), 0xFD0202u);
  EXPECT_EQ(Rgb(grad.get(), 10, 259), 0x000202u);
  // The cursor circle (black pen, radius 5) moves to the new colour's place: cyan is hue 180.
  const auto blackNear = [](classlib::TBitmap* b, int cx) {
    int n = 0;
    for (int y = 0; y <= 5; ++y)
      for (int x = cx - 6; x <= cx + 6; ++x) n += x >= 0 && Rgb(b, x, y) == 0;
    return n;
  };
  EXPECT_EQ(blackNear(field.get(), 130), 0);
  f->SetCurrentColor(0xFFFF00);
  Pump();
  EXPECT_GT(blackNear(Print(f->ColorPanel).get(), 130), 0);
}

TEST_F(ColorDialog, TheFormHasEveryComponentAtItsPlace) {
  auto f = NewForm();
  struct Place {
    classlib::TControl* c;
    int l, t, w, h;
  } places[] = {
      {f->MainPal, 1, 21, 223, 167},       {f->AddPal, 1, 205, 223, 59},    {f->sBitBtn4, 8, 268, 209, 25},
      {f->sSpeedButton1, 20, 308, 37, 33}, {f->sEditHex, 142, 302, 70, 21}, {f->sEditDecimal, 142, 323, 70, 19},
      {f->sBitBtn1, 7, 352, 69, 25},       {f->sBitBtn2, 77, 352, 69, 25},  {f->sBitBtn5, 147, 352, 69, 25},
      {f->ColorPanel, 234, 8, 260, 260},   {f->GradPanel, 502, 8, 20, 260}, {f->SelectedPanel, 234, 276, 131, 69},
      {f->sHEdit, 394, 276, 33, 19},       {f->sSEdit, 394, 300, 33, 19},   {f->sVEdit, 394, 324, 33, 19},
      {f->sREdit, 494, 276, 33, 19},       {f->sGEdit, 494, 300, 33, 19},   {f->sBEdit, 494, 324, 33, 19},
      {f->sBitBtn3, 236, 352, 291, 25},
  };
  for (const Place& p : places) {
    EXPECT_EQ(p.c->Left(), p.l) << p.c->Name();
    EXPECT_EQ(p.c->Top(), p.t) << p.c->Name();
    EXPECT_EQ(p.c->Width(), p.w) << p.c->Name();
    EXPECT_EQ(p.c->Height(), p.h) << p.c->Name();
  }
  EXPECT_EQ(f->MainPal->Colors()->Count(), 48);
  EXPECT_EQ(f->MainPal->Colors()->Strings(28), L"FF0000");
  EXPECT_EQ(f->Height(), 416);
  EXPECT_EQ(f->sBitBtn1->ModalResult(), classlib::mrOk);
  EXPECT_EQ(f->sBitBtn2->ModalResult(), classlib::mrCancel);
}

}  // namespace
}  // namespace skin::test
