// The up-down control of the common controls.
#include "classlib/UpDown.h"

#include <algorithm>

#include "classlib/Messages.h"

namespace classlib {

TCustomUpDown::TCustomUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csCaptureMouse, csDoubleClicks, csOpaque};
  FWidth = 17;
  FHeight = 25;
}

void TCustomUpDown::DeclareProperties(TClassDecl<TCustomUpDown>& d) {
  d.Integer(L"Min", &TCustomUpDown::Min, &TCustomUpDown::SetMin, 0);
  d.Integer(L"Max", &TCustomUpDown::Max, &TCustomUpDown::SetMax, 100);
  d.Integer(L"Increment", &TCustomUpDown::Increment, &TCustomUpDown::SetIncrement, 1);
  d.Integer(L"Position", &TCustomUpDown::Position, &TCustomUpDown::SetPosition, 0);
  d.Enum(L"Orientation", &TCustomUpDown::Orientation, &TCustomUpDown::SetOrientation, udVertical);
  d.Enum(L"AlignButton", &TCustomUpDown::AlignButton, &TCustomUpDown::SetAlignButton, udRight);
  d.Bool(L"ArrowKeys", &TCustomUpDown::ArrowKeys, &TCustomUpDown::SetArrowKeys, true);
  d.Bool(L"Thousands", &TCustomUpDown::Thousands, &TCustomUpDown::SetThousands, true);
  d.Bool(L"Wrap", &TCustomUpDown::Wrap, &TCustomUpDown::SetWrap, false);
}

void TCustomUpDown::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, UPDOWN_CLASSW);
  Params.Style |= FAlignButton == udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
  if (FOrientation == udHorizontal) Params.Style |= UDS_HORZ;
  if (FArrowKeys) Params.Style |= UDS_ARROWKEYS;
  if (!FThousands) Params.Style |= UDS_NOTHOUSANDS;
  if (FWrap) Params.Style |= UDS_WRAP;
}

void TCustomUpDown::InitializeWindow() {
  SendRange();
  UDACCEL accel{0, static_cast<UINT>(FIncrement)};
  SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  SendMessageW(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TCustomUpDown::SendRange() {
  if (FHandle) SendMessageW(FHandle, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

int TCustomUpDown::Position() const {
  // Without a buddy the failure flag only says there is no buddy text to read: the answer is the
  // control's own position.
  if (FHandle) FPosition = static_cast<int>(SendMessageW(FHandle, UDM_GETPOS32, 0, 0));
  return FPosition;
}

void TCustomUpDown::SetPosition(int Value) {
  // The window keeps the position within the range; so does the stored value.
  FPosition = FMin <= FMax ? std::clamp(Value, FMin, FMax) : std::clamp(Value, FMax, FMin);
  if (FHandle) SendMessageW(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TCustomUpDown::SetMin(int Value) {
  if (FMin == Value) return;
  FMin = Value;
  SendRange();
}

void TCustomUpDown::SetMax(int Value) {
  if (FMax == Value) return;
  FMax = Value;
  SendRange();
}

void TCustomUpDown::SetIncrement(int Value) {
  if (FIncrement == Value) return;
  FIncrement = Value;
  if (FHandle) {
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  }
}

void TCustomUpDown::SetOrientation(TUDOrientation Value) {
  if (FOrientation == Value) return;
  FOrientation = Value;
  Position();
  RecreateWnd();
}

void TCustomUpDown::SetAlignButton(TUDAlignButton Value) {
  if (FAlignButton == Value) return;
  FAlignButton = Value;
  Position();
  RecreateWnd();
}

void TCustomUpDown::SetArrowKeys(bool Value) {
  if (FArrowKeys == Value) return;
  FArrowKeys = Value;
  Position();
  RecreateWnd();
}

void TCustomUpDown::SetThousands(bool Value) {
  if (FThousands == Value) return;
  FThousands = Value;
  Position();
  RecreateWnd();
}

void TCustomUpDown::SetWrap(bool Value) {
  if (FWrap == Value) return;
  FWrap = Value;
  Position();
  RecreateWnd();
}

void TCustomUpDown::Dispatch(TMessage& M) {
  if (M.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(M.LParam);
    if (header->code == UDN_DELTAPOS) {
      const auto* delta = reinterpret_cast<const NMUPDOWN*>(M.LParam);
      if (OnClick) OnClick(this, delta->iDelta > 0 ? btNext : btPrev);
      M.Result = 0;  // the position may change
      return;
    }
  }
  TWinControl::Dispatch(M);
}

}  // namespace classlib
