// Check boxes and radio buttons of the standard controls.
#include "classlib/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace classlib {

// ---- TCustomCheckBox ----

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 97;
  FHeight = 17;
  FTabStop = true;
  FColor = clBtnFace;
  FParentColor = true;
  FBrush.SetColor(FColor);
}

void TCustomCheckBox::DeclareProperties(TClassDecl<TCustomCheckBox>& d) {
  d.Bool(L"Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked, false);
  d.Enum(L"State", &TCustomCheckBox::State, &TCustomCheckBox::SetState, cbUnchecked);
  d.Bool(L"AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed, false);
  d.Enum(L"Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment, taRightJustify);
  d.Bool(L"TabStop", &TCustomCheckBox::TabStop, &TCustomCheckBox::SetTabStop, true);
  d.Bool(L"ParentColor", &TCustomCheckBox::ParentColor, &TCustomCheckBox::SetParentColor, true);
  d.Color(L"Color", &TCustomCheckBox::Color, &TCustomCheckBox::SetColor, clBtnFace);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::InitializeWindow() { SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0); }

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(Value), 0);
  Changed();
  if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_COMMAND:
      if (HIWORD(M.WParam) == BN_CLICKED) Toggle();
      M.Result = 0;
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<wchar_t>(M.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        M.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TButtonControl::Dispatch(M);
}

// ---- TRadioButton ----

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 113;
  FHeight = 17;
  FColor = clBtnFace;
  FParentColor = true;
  FBrush.SetColor(FColor);
}

void TRadioButton::DeclareProperties(TClassDecl<TRadioButton>& d) {
  d.Bool(L"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, false);
  d.Enum(L"Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, taRightJustify);
  d.Bool(L"ParentColor", &TRadioButton::ParentColor, &TRadioButton::SetParentColor, true);
  d.Color(L"Color", &TRadioButton::Color, &TRadioButton::SetColor, clBtnFace);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::InitializeWindow() { SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0); }

void TRadioButton::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (sibling && sibling != this) sibling->SetChecked(false);
    }
  }
  Changed();
  if (!ClicksDisabled()) Click();
}

void TRadioButton::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_SETFOCUS:
      // Focus from the keyboard or from code selects the button; a mouse press selects it on release.
      TButtonControl::Dispatch(M);
      if (!FChecked && !ControlState.Contains(csLButtonDown)) SetChecked(true);
      return;
    case CN_COMMAND:
      switch (HIWORD(M.WParam)) {
        case BN_CLICKED: SetChecked(true); break;
        case BN_DOUBLECLICKED: DblClick(); break;
        default: break;
      }
      M.Result = 0;
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<wchar_t>(M.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) SetChecked(true);
        M.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TButtonControl::Dispatch(M);
}

}  // namespace classlib
