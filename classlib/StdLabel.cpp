// The label of the standard controls: a windowless control painting its own text.
#include "classlib/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace classlib {

// ---- TCustomLabel ----

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable, csOpaque};
  FWidth = 65;
  FHeight = 13;
  FColor = clBtnFace;
  FParentColor = true;
}

void TCustomLabel::DeclareProperties(TClassDecl<TCustomLabel>& d) {
  d.Enum(L"Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, taLeftJustify);
  d.Enum(L"Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, tlTop);
  d.Bool(L"AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true);
  d.Bool(L"WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false);
  d.Bool(L"Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false);
  d.Bool(L"ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true);
  d.Component<TWinControl>(L"FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
  d.Bool(L"ParentColor", &TCustomLabel::ParentColor, &TCustomLabel::SetParentColor, true);
  d.Color(L"Color", &TCustomLabel::Color, &TCustomLabel::SetColor, clBtnFace);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value)
    ControlStyle -= csOpaque;
  else
    ControlStyle += csOpaque;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FFocusControl) == AComponent) FFocusControl = nullptr;
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  std::wstring text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == L"&"))) text += L' ';
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  HDC dc = Canvas()->Handle();
  const int saved = SaveDC(dc);
  SelectObject(dc, FFont->Handle());
  SetBkMode(dc, TRANSPARENT);
  RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  if (!Enabled() && !(Flags & DT_CALCRECT)) {
    OffsetRect(&r, 1, 1);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
    OffsetRect(&r, -1, -1);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
  } else {
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
  }
  RestoreDC(dc, saved);
  Rect = {r.left, r.top, r.right, r.bottom};
}

void TCustomLabel::Paint() {
  TRect client = ClientRect();
  if (!FTransparent) {
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->FillRect(client);
  }
  UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u);
  switch (FAlignment) {
    case taLeftJustify: flags |= DT_LEFT; break;
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
  }
  TRect r = client;
  if (FLayout != tlTop) {
    TRect measured = client;
    DoDrawText(measured, flags | DT_CALCRECT);
    const int textHeight = measured.Bottom - measured.Top;
    r.Top = FLayout == tlBottom ? client.Bottom - textHeight : (client.Bottom - textHeight) / 2;
    r.Bottom = r.Top + textHeight;
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  HDC dc = GetDC(nullptr);
  TCanvas* canvas = Canvas();
  canvas->Lock();
  canvas->SetHandle(dc);
  TRect r{0, 0, FWordWrap ? FWidth : 0, 0};
  try {
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
  } catch (...) {
    canvas->SetHandle(nullptr);
    canvas->Unlock();
    ReleaseDC(nullptr, dc);
    throw;
  }
  canvas->SetHandle(nullptr);
  canvas->Unlock();
  ReleaseDC(nullptr, dc);
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  int x = FLeft;
  if (FAlignment == taRightJustify)
    x = FLeft + FWidth - w;
  else if (FAlignment == taCenter)
    x = FLeft + (FWidth - w) / 2;
  SetBounds(x, FTop, w, h);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      AdjustBounds();
      return;
    case CM_DIALOGCHAR:
      if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<wchar_t>(M.WParam), Caption()) &&
          FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        M.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TGraphicControl::Dispatch(M);
}

}  // namespace classlib
