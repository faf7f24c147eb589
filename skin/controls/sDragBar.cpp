// The panel's small relatives: the drag bar that moves its form and the grip that shows a linked
// control's background.
#include "skin/controls/sPanel.h"

#include <windows.h>

#include "classlib/Forms.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;

namespace {

constexpr int kDragBarCoc = 56;
// WM_SYSCOMMAND: move the window by its caption, following the mouse.
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;

classlib::TCustomForm* TopLevelForm(classlib::TControl* Control) {
  classlib::TCustomForm* form = nullptr;
  for (classlib::TControl* c = Control; c != nullptr; c = c->Parent())
    if (auto* f = dynamic_cast<classlib::TCustomForm*>(c)) form = f;
  return form;
}

void FillDC(HDC DC, const TRect& R, TColor Color) {
  HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(Color));
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

}  // namespace

// ---- drag bar ----

TsDragBar::TsDragBar(classlib::TComponent* AOwner) : TsPanel(AOwner) {
  SkinData()->COC = kDragBarCoc;
  SetCaption(L" ");
  SetAlign(classlib::alTop);
  SetHeight(20);
  Font()->SetColor(classlib::clCaptionText);
  Font()->SetStyle(classlib::TFontStyles{classlib::fsBold});
  SetColor(classlib::clActiveCaption);
  SetCursor(classlib::crHandPoint);
  SetParentBackground(false);
}

TsDragBar::~TsDragBar() {
  *alive_ = false;
  SetDraggedControl(nullptr);
}

void TsDragBar::DeclareProperties(classlib::TClassDecl<TsDragBar>& d) {
  d.Component<classlib::TControl>(L"DraggedControl", &TsDragBar::DraggedControl, &TsDragBar::SetDraggedControl);
  d.Enum(L"Align", &TsDragBar::Align, &TsDragBar::SetAlign, classlib::alTop);
  d.Color(L"Color", &TsDragBar::Color, &TsDragBar::SetColor, classlib::clActiveCaption);
}

void TsDragBar::SetDraggedControl(classlib::TControl* Value) {
  if (Value == FDraggedControl) return;
  if (FDraggedControl != nullptr) FDraggedControl->RemoveFreeNotification(this);
  FDraggedControl = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TsDragBar::Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) {
  TsPanel::Notification(AComponent, Operation);
  if (Operation == classlib::opRemove && AComponent == FDraggedControl) FDraggedControl = nullptr;
}

void TsDragBar::DefaultDraggedControl() {
  if (FDraggedControl == nullptr && Parent() != nullptr) SetDraggedControl(TopLevelForm(Parent()));
}

void TsDragBar::SetParent(classlib::TWinControl* AParent) {
  TsPanel::SetParent(AParent);
  DefaultDraggedControl();
}

void TsDragBar::Loaded() {
  TsPanel::Loaded();
  DefaultDraggedControl();
}

void TsDragBar::MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  TsPanel::MouseDown(Button, Shift, X, Y);
  if (Button != classlib::mbLeft || FDraggedControl == nullptr) return;
  const std::shared_ptr<bool> alive = alive_;
  ReleaseCapture();
  // The system's move loop runs inside this call and ends with the button's release, which the bar
  // never sees: it reports the click and the release itself.
  FDraggedControl->Perform(WM_SYSCOMMAND, kMoveByCaption, 0);
  if (!*alive) return;
  // The press is over: a later release over the bar is no click of it.
  ControlState -= classlib::csClicked;
  ControlState -= classlib::csLButtonDown;
  if (OnClick) OnClick(this);
  if (*alive && OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TsDragBar::WndProc(TMessage& M) {
  if (M.Msg == WM_ACTIVATEAPP) {
    // The caption colours of the system's active or inactive window title, text and face as a pair.
    const bool active = M.WParam != 0;
    SetColor(active ? classlib::clActiveCaption : classlib::clInactiveCaption);
    Font()->SetColor(active ? classlib::clCaptionText : classlib::clInactiveCaptionText);
  }
  const bool removed = M.Msg == SM_ALPHACMD && CommandOf(M.WParam) == ACMD_REMOVESKIN;
  TsPanel::WndProc(M);
  if (removed && !ComponentState().Contains(classlib::csDestroying)) {
    SetColor(classlib::clActiveCaption);
    SetParentBackground(false);
  }
}

// ---- grip ----

TsGrip::TsGrip(classlib::TComponent* AOwner) : TsPanel(AOwner) {
  SetCaption(L" ");
  SkinData()->SetSkinSection("CHECKBOX");
  SetAlign(classlib::alNone);
  SetBounds(Left(), Top(), 20, 20);
}

void TsGrip::OurPaint(HDC DC, bool SendUpdated) {
  if (DC == nullptr) DC = Canvas()->Handle();
  PaintGrip(DC);
  if (SendUpdated && !ControlState.Contains(classlib::csPaintCopy)) SetParentUpdated(this);
}

void TsGrip::Paint() { PaintGrip(Canvas()->Handle()); }

void TsGrip::PaintGrip(HDC DC) {
  if (!ControlIsReady(this)) return;
  SkinData()->BGChanged = false;
  const TRect whole{0, 0, Width(), Height()};
  if (!Transparent || LinkedControl == nullptr) {
    FillDC(DC, whole, Color());
    return;
  }
  TacBGInfo info;
  GetBGInfo(info, LinkedControl, false);
  const TCacheInfo ci = BGInfoToCI(info);
  if (ci.Ready && ci.Bmp != nullptr) {
    BitBlt(DC, 0, 0, Width(), Height(), ci.Bmp->Canvas()->Handle(), ci.Bmp->Width() + ci.X - Width(),
           ci.Bmp->Height() + ci.Y - Height(), SRCCOPY);
  } else {
    FillDC(DC, whole, ci.FillColor);
  }
}

}  // namespace skin
