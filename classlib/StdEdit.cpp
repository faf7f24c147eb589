// The edit control of the standard controls.
#include "classlib/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace classlib {

// ---- TCustomEdit ----

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csCaptureMouse, csDoubleClicks, csFixedHeight};
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
}

void TCustomEdit::DeclareProperties(TClassDecl<TCustomEdit>& d) {
  d.Enum(L"Alignment", &TCustomEdit::Alignment, &TCustomEdit::SetAlignment, taLeftJustify);
  d.Enum(L"BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle, bsSingle);
  // A character property: one character, or none.
  d.String(
      L"PasswordChar",
      [](TCustomEdit* e) { return e->PasswordChar() ? std::wstring(1, e->PasswordChar()) : std::wstring(); },
      [](TCustomEdit* e, const std::wstring& v) {
        if (v.size() > 1) throw EConvertError(L"'" + v + L"' is not a single character");
        e->SetPasswordChar(v.empty() ? L'\0' : v[0]);
      });
  d.Integer(L"MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0);
  d.Bool(L"ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false);
  d.Enum(L"CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase, ecNormal);
  d.Bool(L"AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect, true);
  d.Bool(L"HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection, true);
  d.String(L"TextHint", &TCustomEdit::TextHint, &TCustomEdit::SetTextHint);
  d.Bool(L"TabStop", &TCustomEdit::TabStop, &TCustomEdit::SetTabStop, true);
  d.Event(L"OnChange", &TCustomEdit::OnChange);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"EDIT");
  Params.Style |= ES_AUTOHSCROLL;
  switch (FAlignment) {
    case taLeftJustify: Params.Style |= ES_LEFT; break;
    case taRightJustify: Params.Style |= ES_RIGHT; break;
    case taCenter: Params.Style |= ES_CENTER; break;
  }
  if (FPasswordChar) Params.Style |= ES_PASSWORD;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::InitializeWindow() {
  SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar) SendMessageW(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
  SendMessageW(FHandle, EM_SETMODIFY, FModified, 0);
  if (!FTextHint.empty()) SendMessageW(FHandle, EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(FTextHint.c_str()));
}

void TCustomEdit::SetTextHint(const std::wstring& Value) {
  if (FTextHint == Value) return;
  FTextHint = Value;
  if (HandleAllocated()) {
    SendMessageW(FHandle, EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(FTextHint.c_str()));
    Invalidate();
  }
}

void TCustomEdit::SaveWindowState() {
  FModified = SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
  FSelStart = SelStart();
  FSelLength = SelLength();
}

void TCustomEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(wchar_t Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (FHandle) {
    SendMessageW(FHandle, EM_SETPASSWORDCHAR, Value, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  if (Value != ecNormal) {
    std::wstring text = Text();
    SetText(Value == ecUpperCase ? AnsiUpperCase(text) : AnsiLowerCase(text));
  }
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}

bool TCustomEdit::Modified() const { return FHandle ? SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0 : FModified; }

void TCustomEdit::SetModified(bool Value) {
  FModified = Value;
  if (FHandle) SendMessageW(FHandle, EM_SETMODIFY, Value, 0);
}

int TCustomEdit::SelStart() const {
  if (!FHandle) return FSelStart;
  DWORD start = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) {
  FSelStart = Value;
  FSelLength = 0;
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TCustomEdit::SelLength() const {
  if (!FHandle) return FSelLength;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
  FSelLength = Value;
  if (FHandle) {
    int start = SelStart();
    SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(start), start + Value);
  }
}

std::wstring TCustomEdit::SelText() const {
  std::wstring text = Text();
  int start = std::clamp(SelStart(), 0, static_cast<int>(text.size()));
  int length = std::clamp(SelLength(), 0, static_cast<int>(text.size()) - start);
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

void TCustomEdit::SetSelText(const std::wstring& Value) {
  if (FHandle) {
    SendMessageW(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
    return;
  }
  std::wstring text = FText;
  int start = std::clamp(FSelStart, 0, static_cast<int>(text.size()));
  int length = std::clamp(FSelLength, 0, static_cast<int>(text.size()) - start);
  text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), Value);
  SetText(text);
}

void TCustomEdit::SelectAll() {
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
  Changed();
  if (!ComponentState().Contains(csLoading) && OnChange) OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_COMMAND:
      if (HIWORD(M.WParam) == EN_CHANGE && !ControlState.Contains(csCreating)) Change();
      M.Result = 0;
      return;
    case CM_ENTER:
      if (FAutoSelect && !ControlState.Contains(csLButtonDown)) SelectAll();
      break;
    default: break;
  }
  TWinControl::Dispatch(M);
}

}  // namespace classlib
