// The sticky label and the link it puts into its control's WindowProc.
#include <utility>

#include "classlib/ScopeExit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sLabelDetail.h"

namespace skin {

using classlib::TComponent;
using classlib::TControl;
using classlib::TMessage;
using classlib::TWndMethod;

// The label's place in the control's WindowProc chain. The control runs its own handling first
// (a window takes its new bounds there), then the label follows. The control owns the link: a
// hook put on after it keeps it as its saved procedure, so when the label goes first the link
// stays, passing messages on, until the control frees it.
class TsStickyHook : public classlib::TComponent {
 public:
  TsStickyHook(TComponent* Control, TsStickyLabel* Label, TWndMethod OldWinProc)
      : TComponent(Control), label_(Label), FOldWinProc(OldWinProc) {}
  std::wstring ClassName() const override { return L"TsStickyHook"; }

  TWndMethod Method() { return TWndMethod(this, &TsStickyHook::WndProc); }
  void WndProc(TMessage& Message) {
    ++busy_;
    const classlib::TScopeExit done([this]() noexcept { --busy_; });
    FOldWinProc(Message);
    if (label_ != nullptr) label_->FollowControl(Message);
  }

  TsStickyLabel* label_;
  TWndMethod FOldWinProc;
  // Inside a message: the link is not freed under its own feet.
  int busy_ = 0;
};

TsStickyLabel::TsStickyLabel(TComponent* AOwner) : TsLabel(AOwner) {}

TsStickyLabel::~TsStickyLabel() { SetAttachTo(nullptr); }

void TsStickyLabel::SetAttachTo(TControl* Value) {
  if (Value == FAttachTo || Value == this) return;
  if (FAttachTo != nullptr) {
    Unhook();
    // The label still hears of its focus control's end when that is the same control.
    if (static_cast<TControl*>(FocusControl()) != FAttachTo) FAttachTo->RemoveFreeNotification(this);
  }
  FAttachTo = Value;
  if (Value == nullptr) return;
  Value->FreeNotification(this);
  Adjust(true);
  SetEnabled(Value->Enabled());
  SetVisible(Value->Visible());
  Hook();
}

void TsStickyLabel::SetAlignTo(TAlignTo Value) {
  if (FAlignTo == Value) return;
  FAlignTo = Value;
  Adjust(true);
}

void TsStickyLabel::SetGap(int Value) {
  if (FGap == Value) return;
  FGap = Value;
  Adjust(true);
}

void TsStickyLabel::Adjust(bool MoveLabel) {
  if (FAttachTo == nullptr) return;
  detail::TFlagHold realigning(FRealigning);
  TControl* moved = MoveLabel ? static_cast<TControl*>(this) : FAttachTo;
  const TControl* fixed = MoveLabel ? FAttachTo : static_cast<TControl*>(this);
  const TPoint at = StickyPlace(MoveLabel ? FAlignTo : OppositeSide(FAlignTo), fixed->BoundsRect(),
                                TSize{moved->Width(), moved->Height()}, FGap);
  moved->SetBounds(at.X, at.Y, moved->Width(), moved->Height());
  seen_ = FAttachTo->BoundsRect();
}

void TsStickyLabel::Hook() {
  hook_ = classlib::Create<TsStickyHook>(FAttachTo, this, FAttachTo->WindowProc);
  hook_->FreeNotification(this);
  FAttachTo->WindowProc = hook_->Method();
  seen_ = FAttachTo->BoundsRect();
}

void TsStickyLabel::Unhook() {
  TsStickyHook* hook = std::exchange(hook_, nullptr);
  if (hook == nullptr) return;
  hook->RemoveFreeNotification(this);
  hook->label_ = nullptr;
  // Only while the link is the newest procedure may the saved one go back: a later hook holds
  // the link as its own saved procedure and calls it.
  if (!(FAttachTo->WindowProc == hook->Method())) return;
  FAttachTo->WindowProc = hook->FOldWinProc;
  if (hook->busy_ == 0) classlib::Free(hook);
}

void TsStickyLabel::Forget() {
  if (TsStickyHook* hook = std::exchange(hook_, nullptr)) {
    hook->RemoveFreeNotification(this);
    hook->label_ = nullptr;
  }
  FAttachTo = nullptr;
}

void TsStickyLabel::Notification(TComponent* AComponent, classlib::TOperation Operation) {
  if (Operation == classlib::opRemove && AComponent != nullptr) {
    if (AComponent == static_cast<TComponent*>(hook_)) {
      hook_ = nullptr;
    } else if (AComponent == static_cast<TComponent*>(FAttachTo)) {
      // A control on its way out is past changing its procedure; one merely leaving its owner is not.
      if (AComponent->ComponentState().Contains(classlib::csDestroying))
        Forget();
      else
        SetAttachTo(nullptr);
    }
  }
  TsLabel::Notification(AComponent, Operation);
}

bool TsStickyLabel::Following() const {
  return FAttachTo != nullptr && !FRealigning && !Destroying() &&
         !FAttachTo->ComponentState().Contains(classlib::csDestroying);
}

void TsStickyLabel::FollowControl(const TMessage& Message) {
  if (!Following()) return;
  switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED: {
      const TRect now = FAttachTo->BoundsRect();
      const bool moved = now.Left != seen_.Left || now.Top != seen_.Top;
      const bool sized =
          now.Right - now.Left != seen_.Right - seen_.Left || now.Bottom - now.Top != seen_.Bottom - seen_.Top;
      if (moved) Adjust(true);
      if (sized) Adjust(false);
      seen_ = FAttachTo->BoundsRect();
      break;
    }
    case classlib::CM_VISIBLECHANGED: {
      detail::TFlagHold realigning(FRealigning);
      SetVisible(FAttachTo->Visible());
      break;
    }
    case classlib::CM_ENABLEDCHANGED: {
      detail::TFlagHold realigning(FRealigning);
      SetEnabled(FAttachTo->Enabled());
      break;
    }
    default: break;
  }
}

void TsStickyLabel::WndProc(TMessage& Message) {
  if (Message.Msg == WM_WINDOWPOSCHANGED && Following()) Adjust(false);
  TsLabel::WndProc(Message);
}

}  // namespace skin
