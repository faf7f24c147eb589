// The group box of the standard controls.
#include "classlib/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace classlib {

// ---- TCustomGroupBox ----

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 185;
  FHeight = 105;
  FColor = clBtnFace;
  FParentColor = true;
  FBrush.SetColor(FColor);
}

void TCustomGroupBox::DeclareProperties(TClassDecl<TCustomGroupBox>& d) {
  d.Bool(L"ParentColor", &TCustomGroupBox::ParentColor, &TCustomGroupBox::SetParentColor, true);
  d.Color(L"Color", &TCustomGroupBox::Color, &TCustomGroupBox::SetColor, clBtnFace);
}

void TCustomGroupBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= BS_GROUPBOX | WS_CLIPCHILDREN;
}

TRect TCustomGroupBox::AdjustClientRect() const {
  TRect r = ClientRect();
  const int captionHeight = std::abs(FFont->Height()) + 4;
  return {r.Left + 2, r.Top + captionHeight, std::max(r.Left + 2, r.Right - 2),
          std::max(r.Top + captionHeight, r.Bottom - 2)};
}

void TCustomGroupBox::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_NCHITTEST:
      // The system's group box lets the mouse fall through to its parent; ours keeps it.
      M.Result = HTCLIENT;
      return;
    case WM_ERASEBKGND: EraseWithBrush(M); return;
    default: TWinControl::Dispatch(M); return;
  }
}

}  // namespace classlib
