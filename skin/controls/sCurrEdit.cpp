#include "skin/controls/sCurrEdit.h"

#include <algorithm>
#include <exception>

#include "classlib/Exception.h"
#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/ScopeExit.h"
#include "classlib/SysUtils.h"
#include "skin/controls/sCalcUnit.h"
#include "skin/controls/sNumEditRules.h"
#include "skin/core/acntNumbers.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;

namespace {

bool Has(const classlib::TComponent* c, classlib::TComponentStateItem s) { return c->ComponentState().Contains(s); }

// The bounds are stored as doubles: the description format's floats are.
long double Bound(double v) { return v; }

}  // namespace

TsCustomNumEdit::TsCustomNumEdit(classlib::TComponent* AOwner) : TsCustomComboEdit(AOwner) {
  FDisplayFormat = DefFormat();
  SetMaxLength(0);
  TsCustomComboEdit::SetAlignment(classlib::taLeftJustify);
  DataChanged();
  SetPopupWidth(213);
  SetPopupHeight(149);
}

TsCustomNumEdit::~TsCustomNumEdit() = default;

void TsCustomNumEdit::DeclareProperties(classlib::TClassDecl<TsCustomNumEdit>& d) {
  d.Enum(L"Alignment", &TsCustomNumEdit::Alignment, &TsCustomNumEdit::SetAlignment, classlib::taRightJustify);
  d.Bool(L"BeepOnError", &TsCustomNumEdit::BeepOnError, &TsCustomNumEdit::SetBeepOnError, true);
  d.Bool(L"CheckOnExit", &TsCustomNumEdit::CheckOnExit, &TsCustomNumEdit::SetCheckOnExit, false);
  d.Integer(L"DecimalPlaces", &TsCustomNumEdit::DecimalPlaces, &TsCustomNumEdit::SetDecimalPlaces, 2);
  d.String(L"DisplayFormat", &TsCustomNumEdit::DisplayFormat, &TsCustomNumEdit::SetDisplayFormat,
           kDefaultDisplayFormat.data());
  d.Float(
      L"MaxValue", [](TsCustomNumEdit* e) { return double(e->MaxValue()); },
      [](TsCustomNumEdit* e, double v) { e->SetMaxValue(Bound(v)); }, 0.0);
  d.Float(
      L"MinValue", [](TsCustomNumEdit* e) { return double(e->MinValue()); },
      [](TsCustomNumEdit* e, double v) { e->SetMinValue(Bound(v)); }, 0.0);
  d.Float(L"Value", &TsCustomNumEdit::ValueAsDouble, &TsCustomNumEdit::SetValueAsDouble, 0.0);
}

std::wstring TsCustomNumEdit::DefFormat() const { return std::wstring(kDefaultDisplayFormat); }

TsCalcForm* TsCustomNumEdit::CalcForm() const { return dynamic_cast<TsCalcForm*>(FPopupWindow); }

void TsCustomNumEdit::WriteEditText(const std::wstring& S) { SetEditText(S); }

std::wstring TsCustomNumEdit::GetText() const {
  std::wstring s = TsCustomComboEdit::GetText();
  std::erase_if(s, [](wchar_t c) { return c == L'?' || c == L'\r' || c == L'\n'; });
  return s;
}

void TsCustomNumEdit::StoreText(const std::wstring& Value) {
  if (Has(this, classlib::csReading) || Has(this, classlib::csLoading)) return;
  FValue = CheckValue(classlib::StrToFloat(TextToValText(Value)), FMinValue, FMaxValue);
  DataChanged();
  SkinData()->Invalidate();
}

void TsCustomNumEdit::UpdateData() { FValue = TextToValue(Text(), FMinValue, FMaxValue); }

long double TsCustomNumEdit::Value() {
  if (!Has(this, classlib::csDesigning)) {
    try {
      UpdateData();
    } catch (const classlib::EConvertError&) {
      FValue = FMinValue;
    }
  }
  return FValue;
}

void TsCustomNumEdit::SetValue(long double Value) {
  FValue = CheckValue(Value, FMinValue, FMaxValue);
  DataChanged();
  SkinData()->Invalidate();
}

void TsCustomNumEdit::SetMinValue(long double Value) {
  if (FMinValue == Value) return;
  FMinValue = Value;
  SetValue(FValue);
}

void TsCustomNumEdit::SetMaxValue(long double Value) {
  if (FMaxValue == Value) return;
  FMaxValue = Value;
  SetValue(FValue);
}

void TsCustomNumEdit::SetDecimalPlaces(unsigned Value) {
  if (FDecimalPlaces == Value) return;
  FDecimalPlaces = Value;
  DataChanged();
  SkinData()->Invalidate();
}

void TsCustomNumEdit::SetDisplayFormat(const std::wstring& Value) {
  if (FDisplayFormat == Value) return;
  FDisplayFormat = Value;
  SkinData()->Invalidate();
  DataChanged();
}

void TsCustomNumEdit::SetAlignment(classlib::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  SkinData()->Invalidate();
}

void TsCustomNumEdit::Clear() { SetText(L""); }

void TsCustomNumEdit::Reset() {
  DataChanged();
  SelectAll();
}

void TsCustomNumEdit::DataChanged() {
  if (IsMasked()) return;
  WriteEditText(EditingText(FValue, FDecimalPlaces));
}

bool TsCustomNumEdit::IsValidChar(wchar_t Key) {
  return IsValidNumChar(EditText(), SelStart(), SelLength(), Key, FDecimalPlaces, FMinValue, FMaxValue);
}

std::wstring TsCustomNumEdit::GetDisplayText() {
  if (FFocused) return EditText();
  double v = 0;
  if (!classlib::TryStrToFloat(TextToValText(Text()), v)) return Text();
  return DisplayText(FDisplayFormat, v);
}

void TsCustomNumEdit::PaintText() {
  classlib::TCanvas* canvas = SkinData()->CacheBmp()->Canvas();
  canvas->SetFont(Font());
  TRect r = TextRect();
  const classlib::TAlignment alignment = FFocused ? classlib::taLeftJustify : FAlignment;
  UINT flags = GetStringFlags(this, alignment) | DT_NOPREFIX;
  std::wstring s;
  if (PasswordChar() == 0) {
    s = GetDisplayText();
  } else {
    s.assign(EditText().size(), PasswordChar());
    flags |= DT_SINGLELINE | DT_WORDBREAK;
  }
  WriteTextEx(canvas, s, true, r, flags, SkinData(), ControlIsActive(SkinData()));
}

void TsCustomNumEdit::KeyPress(wchar_t& Key) {
  Key = TypedSeparator(Key);
  TsCustomComboEdit::KeyPress(Key);
  // A key the combo edit consumed (Enter) is no typing to validate.
  if (Key == 0) return;
  if (Key == 27) {
    Reset();
    Key = 0;
    return;
  }
  // Backspace and the editing shortcuts (copy, cut, paste, undo) are no characters of the number.
  if (Key < L' ') return;
  if (!IsValidChar(Key)) {
    if (FBeepOnError) MessageBeep(0);
    Key = 0;
  }
}

void TsCustomNumEdit::ReformatEditText() {
  FFormatting = true;
  const classlib::TScopeExit done([this]() noexcept { FFormatting = false; });
  std::wstring s = EditText();
  const int oldLength = static_cast<int>(s.size()), oldStart = SelStart();
  if (!s.empty() && s != L"-") s = TextToValText(s);
  const std::string narrow =
      FormatFloatStr(std::string(s.begin(), s.end()), FDisplayFormat.find(L',') != std::wstring::npos);
  s.assign(narrow.begin(), narrow.end());
  WriteEditText(s);
  if (Focused() && !Has(this, classlib::csDesigning)) SetSelStart(oldStart + static_cast<int>(s.size()) - oldLength);
}

void TsCustomNumEdit::Change() {
  if (FFormatting) return;
  if (FFormatOnEditing && FFocused) ReformatEditText();
  TsCustomComboEdit::Change();
}

void TsCustomNumEdit::SetFocused(bool Value) {
  if (FFocused == Value) return;
  FFocused = Value;
  if (!(Focused() && AutoSelect())) SkinData()->Invalidate();
  FFormatting = true;
  const classlib::TScopeExit done([this]() noexcept { FFormatting = false; });
  DataChanged();
}

void TsCustomNumEdit::CMExit(TMessage& M) {
  try {
    if (FCheckOnExit && !Has(this, classlib::csDesigning)) classlib::StrToFloat(TextToValText(EditText()));
    UpdateData();
  } catch (...) {
    SelectAll();
    if (CanFocus()) SetFocus();
    throw;
  }
  SetFocused(false);
  SetSelStart(0);
  DoExit();
  (void)M;
}

void TsCustomNumEdit::WMPaste(TMessage& M) {
  const std::wstring saved = EditText();
  try {
    TsCustomComboEdit::WndProc(M);
    UpdateData();
  } catch (const classlib::Exception&) {
    WriteEditText(saved);
    SelectAll();
    if (CanFocus()) SetFocus();
    if (FBeepOnError) MessageBeep(0);
  }
}

void TsCustomNumEdit::WndProc(TMessage& M) {
  switch (M.Msg) {
    case classlib::CM_ENTER:
      SetFocused(true);
      if (FFormatOnEditing) ReformatEditText();
      break;
    case classlib::CM_EXIT: CMExit(M); return;
    case WM_PASTE: WMPaste(M); return;
    default: break;
  }
  const TMessage original = M;
  TsCustomComboEdit::WndProc(M);
  if (original.Msg == SM_ALPHACMD && FPopupWindow != nullptr &&
      original.LParam == reinterpret_cast<LPARAM>(SkinData()->GetSkinManager())) {
    const unsigned cmd = CommandOf(original.WParam);
    if (cmd == ACMD_NEWSKIN || cmd == ACMD_REFRESH) {
      TMessage copy = original;
      AlphaBroadCast(FPopupWindow, copy);
    }
  }
}

void TsCustomNumEdit::PopupWindowShow() {
  FadingForbidden = true;
  const classlib::TScopeExit allowFading([]() noexcept { FadingForbidden = false; });
  auto* calc = CalcForm();
  if (calc == nullptr) {
    calc = classlib::Create<TsCalcForm>(this);
    calc->SetHeight(calc->Height() - 24);
    FPopupWindow = calc;
  }
  calc->SetPosition(classlib::poDefault);
  calc->sDragBar1->SetVisible(false);
  calc->Engine().SetPrecision(16);
  calc->SetEditor(this);
  const classlib::TBorderStyle border = SkinData()->Skinned() ? classlib::bsNone : classlib::bsSingle;
  calc->FMainPanel->SetBorderStyle(border);
  calc->FDisplayPanel->SetBorderStyle(border);
  calc->SetText(Text());
  // Closing only hides the calculator: it lives as long as the edit.
  calc->OnClose = [](classlib::TObject*, classlib::TCloseAction&) {};
  TsCustomComboEdit::PopupWindowShow();
}

TsCalcEdit::TsCalcEdit(classlib::TComponent* AOwner) : TsCustomNumEdit(AOwner) { FDefBmpID = kGlyphCalculator; }

void TsCalcEdit::DeclareProperties(classlib::TClassDecl<TsCalcEdit>& d) {
  d.Enum(L"PopupAlign", &TsCalcEdit::PopupWindowAlign, &TsCalcEdit::SetPopupWindowAlign, TPopupWindowAlign::pwaRight);
}

void RegisterNumEditClasses() {
  RegisterComboEditClasses();
  RegisterCalcFormClasses();
  classlib::RegisterClass<TsCustomNumEdit, TsCustomComboEdit>(L"TsCustomNumEdit");
  classlib::RegisterClass<TsCalcEdit, TsCustomNumEdit>(L"TsCalcEdit");
}

}  // namespace skin
