// The numeric edits and their calculator: the range on the signed value, typing, the editing and
// display forms in two locales, the calculator computing by key messages and handing its result
// back, the currency edit without a button, and their GDI handles.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "classlib/Clipbrd.h"
#include "classlib/FormatSettings.h"
#include "skin/controls/sCalcUnit.h"
#include "skin/controls/sCurrEdit.h"
#include "skin/controls/sCurrencyEdit.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin::test {
namespace {

struct NumEditTest : ControlsFixture {
  classlib::TFormatSettings saved = classlib::FormatSettings;
  void SetUp() override {
    ControlsFixture::SetUp();
    RegisterCurrencyEditClasses();
    classlib::FormatSettings = classlib::TFormatSettings::Invariant();
    form->SetVisible(true);
  }
  void TearDown() override { classlib::FormatSettings = saved; }

  void Type(classlib::TWinControl* c, std::wstring_view keys) {
    for (wchar_t k : keys) SendMessageW(c->Handle(), WM_CHAR, k, 0);
  }
};

TEST_F(NumEditTest, NoNegativeValueInARangeWithoutNegatives) {
  auto* e = Make<TsCalcEdit>(20, 20, 121, 21);
  e->SetMinValue(0);
  e->SetMaxValue(100);
  e->SetFocus();
  SendMessageW(e->Handle(), EM_SETSEL, 0, -1);
  Type(e, L"-");
  EXPECT_EQ(e->EditText(), L"0") << "'-' refused";
  ASSERT_TRUE(classlib::SetClipboardText(L"-50"));
  SendMessageW(e->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(e->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(double(e->Value()), 0.0) << "pasted -50 is held in 0..100";
  e->SetText(L"-50");
  EXPECT_EQ(double(e->Value()), 0.0);
  e->SetText(L"150");
  EXPECT_EQ(double(e->Value()), 100.0);
  e->SetMinValue(-100);
  e->SetText(L"-50");
  EXPECT_EQ(double(e->Value()), -50.0);
}

TEST_F(NumEditTest, TypingKeepsANumberWithItsDecimals) {
  struct Case {
    bool russian;
    const wchar_t* keys;
    const wchar_t* text;
    double value;
  };
  const Case cases[] = {
      {false, L"1.257", L"1.25", 1.25},                              // a third decimal is refused
      {false, L"12a3", L"123", 123},                                 // so is a letter
      {true, L"1.5", L"1,5", 1.5},                                   // '.' types the decimal separator
      {true, L"2,75", L"2,75", 2.75},   {false, L"\b\b4", L"4", 4},  // backspace passes unchecked
  };
  for (const Case& c : cases) {
    if (c.russian) {
      classlib::FormatSettings.DecimalSeparator = L',';
      classlib::FormatSettings.ThousandSeparator = L' ';
    } else {
      classlib::FormatSettings = classlib::TFormatSettings::Invariant();
    }
    auto* e = Make<TsCalcEdit>(20, 20, 121, 21);
    e->SetFocus();
    SendMessageW(e->Handle(), EM_SETSEL, 0, -1);
    Type(e, c.keys);
    EXPECT_EQ(e->EditText(), c.text) << std::string(c.keys, c.keys + wcslen(c.keys));
    EXPECT_EQ(double(e->Value()), c.value);
    classlib::Free(e);
  }
}

TEST_F(NumEditTest, EditingFormFocusedDisplayFormatOtherwise) {
  auto* e = Make<TsCalcEdit>(20, 20, 121, 21);
  auto* other = Make<TsCalcEdit>(20, 60, 121, 21);
  e->SetValue(1234.5);
  EXPECT_EQ(e->EditText(), L"1234.5");
  EXPECT_EQ(e->GetDisplayText(), L"1 234.50");
  e->SetFocus();
  EXPECT_EQ(e->GetDisplayText(), L"1234.5");
  other->SetFocus();
  e->SetDecimalPlaces(0);
  EXPECT_EQ(e->EditText(), L"1235");
  EXPECT_EQ(double(e->Value()), 1235.0);
}

TEST_F(NumEditTest, CalculatorComputesAndHandsItsResultBack) {
  auto* e = Make<TsCalcEdit>(20, 20, 121, 21);
  e->SetValue(5);
  int changes = 0;
  e->OnChange = [&](classlib::TObject*) { ++changes; };
  e->DoClick();
  TsCalcForm* calc = e->CalcForm();
  ASSERT_NE(calc, nullptr);
  EXPECT_TRUE(calc->Visible());
  EXPECT_EQ(calc->Text(), L"5") << "starts with the edit's value";
  EXPECT_EQ(calc->Tag(), -98);
  Type(calc, L"+3");
  EXPECT_EQ(calc->FDisplayPanel->Caption(), L"3 ");
  Type(calc, L"=");
  EXPECT_EQ(double(e->Value()), 8.0);
  EXPECT_FALSE(calc->Visible()) << "'=' hands the result over and closes";
  EXPECT_GE(changes, 1);

  e->DoClick();
  ASSERT_TRUE(calc->Visible());
  Type(calc, L"C50+10%");
  EXPECT_EQ(calc->Text(), L"55");
  Type(calc, L"C7/0=");
  EXPECT_EQ(calc->Text(), L"Error");
  EXPECT_TRUE(calc->Visible()) << "an error is not handed over";
  EXPECT_EQ(double(e->Value()), 8.0);
  Type(calc, L"C\x1b");
  EXPECT_FALSE(calc->Visible()) << "Escape on 0 goes back to the edit";
  EXPECT_TRUE(e->Focused());
  EXPECT_EQ(double(e->Value()), 8.0);
}

TEST_F(NumEditTest, CalculatorKeysAndMemoryByButton) {
  auto* e = Make<TsCalcEdit>(20, 20, 121, 21);
  e->DoClick();
  TsCalcForm* calc = e->CalcForm();
  ASSERT_NE(calc, nullptr);
  auto button = [&](const wchar_t* caption) -> TsSpeedButton* {
    for (int i = 0; i < calc->ComponentCount(); ++i)
      if (auto* b = dynamic_cast<TsSpeedButton*>(calc->Components(i)); b != nullptr && b->Caption() == caption)
        return b;
    ADD_FAILURE() << "no key " << std::string(caption, caption + wcslen(caption));
    return nullptr;
  };
  for (const wchar_t* k : {L"C", L"9", L"sqrt", L"MS"}) button(k)->Click();
  EXPECT_EQ(calc->Text(), L"3");
  EXPECT_EQ(calc->FCalcPanel->Caption(), L"M");
  for (const wchar_t* k : {L"4", L"*", L"MR", L"="}) button(k)->Click();
  EXPECT_EQ(double(e->Value()), 12.0);
}

TEST_F(NumEditTest, CurrencyEditHasNoButtonAndNoPopup) {
  auto* c = Make<TsCurrencyEdit>(20, 20, 80, 21);
  EXPECT_EQ(c->Button()->Width(), 0);
  EXPECT_EQ(GetWindowLongPtrW(c->Handle(), GWL_STYLE) & ES_MULTILINE, 0);
  c->Perform(WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
  c->DoClick();
  EXPECT_EQ(c->PopupWindow(), nullptr);
  c->SetValue(12.5);
  EXPECT_EQ(c->GetDisplayText(), L"12.50");
}

TEST_F(NumEditTest, RegisteredByNameWithTheirDefaults) {
  for (const wchar_t* name : {L"TsCalcEdit", L"TsCurrencyEdit"}) {
    classlib::TComponent* c = classlib::CreateComponent(name, form.get());
    ASSERT_NE(c, nullptr);
    for (const classlib::TPropInfo& p : classlib::GetClass(name).Properties)
      if (p.HasDefault) {
        EXPECT_TRUE(p.IsDefault(c)) << std::string(p.Name.begin(), p.Name.end());
      }
  }
}

TEST_F(NumEditTest, TwoHundredEditsLeaveNoGdiObjects) {
  {
    auto* e = Make<TsCalcEdit>(20, 20, 121, 21);
    Print(e);
    classlib::Free(e);
  }
  const int before = LiveGdiObjects();
  for (int i = 0; i < 200; ++i) {
    auto* e = Make<TsCalcEdit>(20, 20, 121, 21);
    e->SetValue(i * 1.5);
    Print(e);
    classlib::Free(e);
  }
  Pump();
  EXPECT_LE(LiveGdiObjects() - before, 2);
}

}  // namespace
}  // namespace skin::test
