// The spin edits and the time picker on a form with our skin: values, steps and bounds driven by
// keys, the arrow buttons and the wheel; the arrow buttons' repeat and its end when the capture
// goes; their drawn triangles in the skin's colours; the time picker's caret and fields; the
// classes registered apart from the tool-bar speed buttons; and no GDI object left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <functional>
#include <string>

#include "classlib/FormLoader.h"
#include "classlib/FormReader.h"
#include "classlib/TypInfo.h"
#include "skin/controls/sMemo.h"
#include "skin/controls/sSpinEdit.h"
#include "skin/core/sSkinManager.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

void Key(TWinControl* c, WORD vk) {
  PostMessageW(c->Handle(), WM_KEYDOWN, vk, LPARAM(1 | MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16));
  Pump();
}

void Type(TWinControl* c, const std::wstring& chars) {
  for (wchar_t ch : chars) PostMessageW(c->Handle(), WM_CHAR, ch, 1);
  Pump();
}

void Wheel(TWinControl* c, int delta) {
  SendMessageW(c->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
  Pump();
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Pump();
    Sleep(5);
  }
  return true;
}

struct SpinEdits : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    RegisterSpinEditClasses();
    form->Show();
    Pump();
  }
  template <class T>
  T* New(int top = 30) {
    T* e = Make<T>(20, top, 120, 24);
    Pump();
    return e;
  }
  // A press and release of the left button on one arrow (true: the upper one).
  static void Press(TsSpinButton* pair, bool up) {
    const int y = up ? 2 : pair->Height() - 3;
    SendMessageW(pair->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, y));
  }
  static void Release(TsSpinButton* pair, bool up) {
    const int y = up ? 2 : pair->Height() - 3;
    SendMessageW(pair->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, y));
    Pump();
  }
};

TEST_F(SpinEdits, IntegerEditStepsWithinItsBoundsByKeysButtonsAndWheel) {
  auto* e = New<TsSpinEdit>();
  e->SetMinValue(0);
  e->SetMaxValue(10);
  e->SetValue(5);
  EXPECT_EQ(e->Text(), L"5");
  for (int i = 0; i < 3; ++i) Key(e, VK_UP);
  EXPECT_EQ(e->Value(), 8);
  Key(e, VK_DOWN);
  EXPECT_EQ(e->Value(), 7);
  for (int i = 0; i < 5; ++i) Key(e, VK_UP);
  EXPECT_EQ(e->Value(), 10) << "stepping stops at MaxValue";
  TsSpinButton* pair = e->Button();
  Press(pair, false);
  Release(pair, false);
  EXPECT_EQ(e->Value(), 9);
  Wheel(e, -120);
  EXPECT_EQ(e->Value(), 8);
  Wheel(e, 60);
  EXPECT_EQ(e->Value(), 8) << "half a notch is no step";
  e->SetIncrement(3);
  Wheel(e, 240);
  EXPECT_EQ(e->Value(), 10);
  e->SetValue(-5);
  EXPECT_EQ(e->Value(), 0);
  e->SetReadOnly(true);
  Key(e, VK_UP);
  EXPECT_EQ(e->Value(), 0) << "a read-only edit does not step";
}

TEST_F(SpinEdits, IntegerStepsSaturateInsteadOfWrapping) {
  auto* e = New<TsSpinEdit>();
  e->SetIncrement(1000);
  e->SetValue(INT_MAX - 10);
  Key(e, VK_UP);
  EXPECT_EQ(e->Value(), INT_MAX);
  Wheel(e, 120 * 30);
  EXPECT_EQ(e->Value(), INT_MAX);
  e->SetIncrement(INT_MAX);
  e->SetValue(INT_MIN + 5);
  Wheel(e, -120 * 3);
  EXPECT_EQ(e->Value(), INT_MIN);
}

TEST_F(SpinEdits, IntegerEditTypingAndLeaving) {
  auto* e = New<TsSpinEdit>();
  auto* other = New<TsSpinEdit>(70);
  e->SetMinValue(1);
  e->SetMaxValue(10);
  e->SetText(L"");
  Type(e, L"-1a5");
  EXPECT_EQ(e->Text(), L"15") << "no sign with a minimum above 0, no letters";
  e->SetFocus();
  Pump();
  other->SetFocus();
  Pump();
  EXPECT_EQ(e->Text(), L"10") << "leaving clamps the value";
  auto* free = New<TsSpinEdit>(110);
  free->SetText(L"");
  Type(free, L"-");
  EXPECT_EQ(free->Text(), L"-");
  free->SetFocus();
  Pump();
  other->SetFocus();
  Pump();
  EXPECT_EQ(free->Text(), L"0");
  free->SetText(L"abc");
  EXPECT_EQ(free->Value(), 0) << "text that is no integer reads as MinValue";
}

// Puts Text on the clipboard as Unicode text.
bool SetClipboard(const std::wstring& Text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const std::size_t bytes = (Text.size() + 1) * sizeof(wchar_t);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (mem != nullptr) {
    std::memcpy(GlobalLock(mem), Text.c_str(), bytes);
    GlobalUnlock(mem);
    if (SetClipboardData(CF_UNICODETEXT, mem) == nullptr) GlobalFree(mem);
  }
  CloseClipboard();
  return mem != nullptr;
}

TEST_F(SpinEdits, PastedTextThatIsNoNumberGivesTheOldValueBack) {
  auto* e = New<TsSpinEdit>();
  e->SetValue(42);
  ASSERT_TRUE(SetClipboard(L"abc"));
  SendMessageW(e->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(e->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(e->Text(), L"42");
  ASSERT_TRUE(SetClipboard(L"17"));
  SendMessageW(e->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(e->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(e->Text(), L"17");
  e->SetEditorEnabled(false);
  ASSERT_TRUE(SetClipboard(L"99"));
  SendMessageW(e->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(e->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(e->Text(), L"17") << "no pasting without the editor";
  auto* d = New<TsDecimalSpinEdit>(70);
  d->SetValue(1.5);
  ASSERT_TRUE(SetClipboard(L"x1"));
  SendMessageW(d->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(d->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(d->Text(), L"1" + std::wstring(1, FormatSettings.DecimalSeparator) + L"5");
}

TEST_F(SpinEdits, HeldArrowRepeatsAndStopsWhenItLosesTheCapture) {
  auto* e = New<TsSpinEdit>();
  e->SetValue(0);
  TsSpinButton* pair = e->Button();
  Press(pair, true);
  EXPECT_TRUE(PumpUntil([&] { return e->Value() >= 3; }, 5000)) << "repeats while held";
  Release(pair, true);
  const int released = e->Value();
  ASSERT_NE(pair->UpButton()->RepeatTimer(), nullptr);
  EXPECT_FALSE(pair->UpButton()->RepeatTimer()->Enabled());
  Sleep(300);
  Pump();
  EXPECT_EQ(e->Value(), released);

  Press(pair, true);
  ASSERT_TRUE(pair->UpButton()->RepeatTimer()->Enabled());
  ReleaseCapture();
  const int before = e->Value();
  EXPECT_TRUE(PumpUntil([&] { return !pair->UpButton()->RepeatTimer()->Enabled(); }, 3000))
      << "the timer ends once the capture is gone";
  EXPECT_EQ(e->Value(), before);
  Release(pair, true);
}

TEST_F(SpinEdits, DecimalEditBoundsSeparatorsAndSteps) {
  auto* e = New<TsDecimalSpinEdit>();
  const wchar_t sep = FormatSettings.DecimalSeparator;
  const std::wstring s(1, sep);
  e->SetMinValue(0);
  e->SetMaxValue(10);
  EXPECT_EQ(e->CheckValue(-5), -5);
  e->SetValue(-5);
  EXPECT_EQ(e->Value(), 0);
  EXPECT_EQ(e->Text(), L"0" + s + L"00");
  e->SetValue(2.5);
  Key(e, VK_UP);
  EXPECT_EQ(e->Text(), L"3" + s + L"50");
  EXPECT_DOUBLE_EQ(e->Value(), 3.5);
  Wheel(e, -120);
  EXPECT_DOUBLE_EQ(e->Value(), 2.5);
  e->SetText(L"");
  Type(e, L"1" + s + L"2" + s + L"5");
  EXPECT_EQ(e->Text(), L"1" + s + L"25") << "a second separator is refused";
  EXPECT_DOUBLE_EQ(e->Value(), 1.25) << "typing sets the value";
  e->SetDecimalPlaces(0);
  EXPECT_EQ(e->Text(), L"1");
  e->SetText(L"");
  Type(e, L"4" + s);
  EXPECT_EQ(e->Text(), L"4") << "no separator without decimal places";
}

TEST_F(SpinEdits, TimePickerCaretAndTyping) {
  auto* t = New<TsTimePicker>();
  t->SetText(L"20:15:00");
  t->SetPos(2, true);
  Type(t, L"5");
  EXPECT_EQ(t->Text(), L"23:15:00") << "an hour past 23 becomes 23";
  EXPECT_EQ(t->Pos(), 4);
  t->SetText(L"09:15:00");
  t->SetPos(1, true);
  Type(t, L"2");
  EXPECT_EQ(t->Text(), L"23:15:00");
  t->SetPos(1, true);
  Type(t, L"7");
  EXPECT_EQ(t->Text(), L"23:15:00") << "no hour starts with 7";
  t->SetPos(4, true);
  Type(t, L"9");
  EXPECT_EQ(t->Text(), L"23:15:00") << "no minute starts with 9";
  Type(t, L"4");
  EXPECT_EQ(t->Text(), L"23:45:00");
  EXPECT_EQ(t->Pos(), 5);
  Key(t, VK_BACK);
  EXPECT_EQ(t->Text(), L"23:40:00");
  EXPECT_EQ(t->Pos(), 4);
  Key(t, VK_BACK);
  EXPECT_EQ(t->Text(), L"23:00:00");
  EXPECT_EQ(t->Pos(), 2);
  Key(t, VK_RIGHT);
  EXPECT_EQ(t->Pos(), 4) << "the caret jumps the separator";
  EXPECT_EQ(t->SelStart(), 3);
  EXPECT_EQ(t->SelLength(), 1);
  t->SelectAll();
  Key(t, VK_DELETE);
  EXPECT_EQ(t->Text(), L"00:00:00");
  EXPECT_EQ(t->Pos(), 1);
}

TEST_F(SpinEdits, TimePickerStepsThePortionUnderTheCaret) {
  auto* t = New<TsTimePicker>();
  t->SetText(L"23:59:59");
  t->SetPos(8, true);
  Key(t, VK_UP);
  EXPECT_EQ(t->Text(), L"00:00:00");
  EXPECT_EQ(t->SelStart(), 6);
  EXPECT_EQ(t->SelLength(), 2);
  t->SetShowSeconds(false);
  EXPECT_EQ(t->Text(), L"00:00");
  t->SetPos(4, true);
  Key(t, VK_DOWN);
  EXPECT_EQ(t->Text(), L"23:59");
  Wheel(t, 360);
  EXPECT_EQ(t->Text(), L"00:00") << "one step a wheel message";
  t->SetUse12Hour(true);
  t->SetText(L"11:00");
  t->SetPos(1, true);
  Key(t, VK_UP);
  EXPECT_EQ(t->Text(), L"00:00");
  Key(t, VK_DOWN);
  EXPECT_EQ(t->Text(), L"11:00");
  t->SetText(L"23:00");
  t->SetPos(1, true);
  Key(t, VK_UP);
  EXPECT_EQ(t->Text(), L"00:00") << "an hour beyond the 12-hour range comes into it";
  t->SetText(L"1x:00");
  EXPECT_EQ(t->Value(), 0);
  Key(t, VK_UP);
  EXPECT_EQ(t->Text(), L"1x:00") << "a text that is no time is not stepped";
  t->SetUse12Hour(false);
  t->SetValue(EncodeTime(7, 30, 15, 0));
  EXPECT_EQ(t->Text(), L"07:30");
  EXPECT_DOUBLE_EQ(t->Value(), EncodeTime(7, 30, 0, 0));
}

// The colour of a section's font in one state.
TColor FontColour(TsSkinManager* sm, const char* section, int state) {
  const TsGeneralData& g = sm->Records().gd[std::size_t(sm->GetSkinIndex(section))];
  return g.Props[std::size_t(std::min(state, g.States - 1))].FontColor.Color;
}

TEST_F(SpinEdits, ArrowsAreTrianglesInTheSkinsFontColours) {
  auto* e = New<TsSpinEdit>();
  TsSpinButton* pair = e->Button();
  ASSERT_GE(pair->Width(), 15);
  sSpinEdit::TsTimerSpeedButton* up = pair->UpButton();
  sSpinEdit::TsTimerSpeedButton* down = pair->DownButton();
  EXPECT_EQ(up->SkinData()->SkinSection(), "SPEEDBUTTON_SMALL");
  auto bmp = NewBitmap32(pair->Width(), pair->Height());
  pair->PaintTo(bmp->Canvas()->Handle(), TPoint{0, 0});
  const std::uint32_t normal = ColorToRGB(FontColour(manager.get(), "EDIT", 0));
  const auto rgb = [](TColor c) {
    const COLORREF r = COLORREF(c);
    return std::uint32_t(GetRValue(r)) << 16 | std::uint32_t(GetGValue(r)) << 8 | GetBValue(r);
  };
  // Where the triangles stand, by the button's size: apex and base corners.
  const int x = (up->Width() - 9) / 2, y = (up->Height() - 5) / 2;
  EXPECT_EQ(Rgb(bmp.get(), x + 4, y + 1), rgb(normal));
  EXPECT_EQ(Rgb(bmp.get(), x + 1, y + 4), rgb(normal));
  EXPECT_EQ(Rgb(bmp.get(), x + 7, y + 4), rgb(normal));
  EXPECT_NE(Rgb(bmp.get(), x + 1, y + 1), rgb(normal)) << "the up arrow points up";
  const int dy = up->Height() + (down->Height() - 5) / 2;
  EXPECT_EQ(Rgb(bmp.get(), x + 1, dy + 1), rgb(normal));
  EXPECT_EQ(Rgb(bmp.get(), x + 4, dy + 4), rgb(normal));
  EXPECT_NE(Rgb(bmp.get(), x + 1, dy + 4), rgb(normal)) << "the down arrow points down";
  // Under the mouse the arrow takes the button section's hot font colour.
  up->SkinData()->FMouseAbove = true;
  ASSERT_EQ(up->CurrentState(), 1);
  auto hot = NewBitmap32(up->Width(), up->Height());
  up->PaintTo(hot->Canvas()->Handle(), TPoint{0, 0});
  EXPECT_EQ(Rgb(hot.get(), x + 4, y + 1), rgb(ColorToRGB(FontColour(manager.get(), "SPEEDBUTTON_SMALL", 1))));
  up->SkinData()->FMouseAbove = false;
}

TEST_F(SpinEdits, FrameIsTheEditSectionAndThePairSitsInsideIt) {
  auto* e = New<TsSpinEdit>();
  e->SetValue(42);
  TsSpinButton* pair = e->Button();
  EXPECT_EQ(pair->Left() + pair->Width(), e->ClientWidth());
  EXPECT_EQ(pair->Height(), e->ClientHeight());
  auto printed = Print(e);
  auto section = Direct("EDIT", 0, e->Width(), e->Height(), {e->Left(), e->Top()});
  int frame = 0;
  for (int yy = 0; yy < e->Height(); ++yy)
    for (int xx = 0; xx < e->Width(); ++xx)
      if (xx < 2 || yy < 2 || xx >= e->Width() - 2 || yy >= e->Height() - 2)
        frame += Rgb(printed.get(), xx, yy) != Rgb(section.get(), xx, yy);
  EXPECT_EQ(frame, 0);
}

TEST_F(SpinEdits, RegisteredApartFromTheToolBarSpeedButtons) {
  RegisterSpeedButtonClasses();
  RegisterSpinEditClasses();
  for (const wchar_t* name : {L"TsSpinEdit", L"TsDecimalSpinEdit", L"TsTimePicker", L"TsSpinButton"}) {
    TComponent* c = CreateComponent(name, form.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ClassName(), name);
    if (auto* control = dynamic_cast<TControl*>(c)) control->SetParent(form.get());
    // The properties the spin classes declare; the skin gives the edit its colours.
    for (const wchar_t* declaring : {name, L"TsBaseSpinEdit"})
      for (const TPropInfo& p : GetClass(declaring).Properties)
        if (p.HasDefault && (declaring != std::wstring(L"TsBaseSpinEdit") || GetClass(name).InheritsFrom(declaring))) {
          EXPECT_TRUE(p.IsDefault(c)) << std::string(p.Name.begin(), p.Name.end());
        }
  }
  TComponent* timer = CreateComponent(L"TsTimerSpeedButton", form.get());
  EXPECT_NE(dynamic_cast<TsTimerSpeedButton*>(timer), nullptr);
  EXPECT_EQ(dynamic_cast<sSpinEdit::TsTimerSpeedButton*>(timer), nullptr);
  auto* picker = dynamic_cast<TsTimePicker*>(CreateComponent(L"TsTimePicker", form.get()));
  EXPECT_TRUE(picker->ShowSeconds());
  EXPECT_EQ(picker->Text(), L"00:00:00");
  EXPECT_EQ(picker->MaxHour, 24);
}

TEST_F(SpinEdits, ReadFromADescriptionKeepingTheirValues) {
  RegisterMemoClasses();
  const std::string text =
      "object Root: TForm\n"
      "  object Spin1: TsSpinEdit\n"
      "    Value = 15\n"
      "    MinValue = 1\n"
      "    MaxValue = 9\n"
      "    Increment = 2\n"
      "  end\n"
      "  object Spin2: TsSpinEdit\n"
      "    Value = 7\n"
      "  end\n"
      "  object Decimal1: TsDecimalSpinEdit\n"
      "    DecimalPlaces = 1\n"
      "    Value = 2.5\n"
      "  end\n"
      "  object Time1: TsTimePicker\n"
      "    Value = 0.5\n"
      "    ShowSeconds = False\n"
      "  end\n"
      "  object Memo1: TsMemo\n"
      "    ScrollBars = ssVertical\n"
      "    Lines.Strings = (\n"
      "      'first'\n"
      "      'second')\n"
      "  end\n"
      "end\n";
  Owned<TForm> root{Create<TForm>(Application)};
  root->Handle();
  TFormBindings bindings(root.get());
  ApplyDescription(root.get(), forms::ReadForm(text), bindings);
  auto* spin = dynamic_cast<TsSpinEdit*>(root->FindComponent(L"Spin1"));
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->Value(), 9) << "bounds read after the value still hold";
  EXPECT_EQ(spin->Increment(), 2);
  EXPECT_EQ(dynamic_cast<TsSpinEdit*>(root->FindComponent(L"Spin2"))->Value(), 7);
  auto* decimal = dynamic_cast<TsDecimalSpinEdit*>(root->FindComponent(L"Decimal1"));
  ASSERT_NE(decimal, nullptr);
  EXPECT_DOUBLE_EQ(decimal->Value(), 2.5);
  EXPECT_EQ(decimal->Text(), L"2" + std::wstring(1, FormatSettings.DecimalSeparator) + L"5");
  auto* time = dynamic_cast<TsTimePicker*>(root->FindComponent(L"Time1"));
  ASSERT_NE(time, nullptr);
  EXPECT_EQ(time->Text(), L"12:00");
  auto* memo = dynamic_cast<TsMemo*>(root->FindComponent(L"Memo1"));
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->Text(), L"first\r\nsecond");
  EXPECT_EQ(memo->ScrollBars(), ssVertical);
}

TEST_F(SpinEdits, EnterAndTabGoToTheForm) {
  auto* e = New<TsSpinEdit>();
  const LRESULT code = SendMessageW(e->Handle(), WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(code & (DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_HASSETSEL), 0);
  EXPECT_NE(code & DLGC_WANTARROWS, 0);
  e->SetText(L"12");
  Type(e, L"\r");
  EXPECT_EQ(e->Text(), L"12");
}

TEST_F(SpinEdits, CreatingPaintingAndFreeingLeavesNoGdiObjectsBehind) {
  // Warm the caches the first paint of each kind sets up.
  for (int i = 0; i < 2; ++i) {
    delete New<TsSpinEdit>();
    delete New<TsTimePicker>();
  }
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 10);
  for (int i = 0; i < 200; ++i) {
    TsBaseSpinEdit* e = i % 2 ? static_cast<TsBaseSpinEdit*>(New<TsSpinEdit>()) : New<TsTimePicker>();
    Print(e);
    RedrawWindow(e->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    delete e;
  }
  Pump();
  EXPECT_EQ(LiveGdiObjects(), before);
}

}  // namespace
}  // namespace skin
