#include "skin/forms/acMoveAnim.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "classlib/ScopeExit.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

namespace {

constexpr WPARAM kCaptionMove = 0xF012;  // SC_MOVE started by the caption

void SystemMoveLoop(HWND Wnd) { SendMessageW(Wnd, WM_SYSCOMMAND, kCaptionMove, 0); }

TacMoveLoop g_moveLoop = &SystemMoveLoop;

void SetLayered(HWND Wnd, bool On) {
  const LONG_PTR ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
  const LONG_PTR updated = On ? ex | WS_EX_LAYERED : ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED);
  if (updated != ex) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, updated);
}

// The window layered under a snapshot (the switch would flash), then dragged by the system's move
// loop while the timer fades it.
void BlendedDrag(HWND Wnd, TacMoveTimer& Timer) {
  {
    TacAnimForm cover = MakeCoverForm(Wnd);
    SetLayered(Wnd, true);
    SetLayeredWindowAttributes(Wnd, 0, 255, LWA_ALPHA);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
  Timer.SetEnabled(true);
  g_moveLoop(Wnd);
}

// The window opaque again, under a snapshot, and redrawn whole.
void EndBlendedDrag(HWND Wnd, TacMoveTimer* Timer) {
  if ((GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return;
  TacAnimForm cover = IsWindowVisible(Wnd) ? MakeCoverForm(Wnd) : nullptr;
  SetLayered(Wnd, false);
  UpdateWindow(Wnd);
  if (Timer != nullptr) Timer->SetEnabled(false);
  RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

}  // namespace

std::uint8_t MoveBlendStep(std::uint8_t BlendValue, int Time) {
  const int range = 255 - BlendValue;
  if (Time < 13) return static_cast<std::uint8_t>(range);
  return static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::nearbyint(range / (Time / 12.0))), 0, 255));
}

void SetMoveLoop(TacMoveLoop Loop) { g_moveLoop = Loop != nullptr ? Loop : &SystemMoveLoop; }

void TacMoveTimer::TimeHandler() {
  if (FormHandle == nullptr) return;
  SetLayered(FormHandle, true);
  SetLayeredWindowAttributes(FormHandle, 0, CurrentBlendValue, LWA_ALPHA);
  if (CurrentBlendValue > BlendValue)
    CurrentBlendValue = static_cast<std::uint8_t>(std::max(0, CurrentBlendValue - BlendStep));
}

void StartBlendOnMoving(TsSkinProvider* SP) {
  if (SP == nullptr || SP->Form == nullptr || SP->SkinManager() == nullptr) return;
  const TacBlendOnMoving& settings = SP->SkinManager()->AnimEffects().BlendOnMoving();
  if ((SP->FormState() & kFormBlending) != 0 || !settings.Active()) return;
  SP->SetFormState(kFormBlending, true);
  // However the drag ends, the form is given back opaque.
  const classlib::TScopeExit finish([SP] { FinishBlendOnMoving(SP); });
  const HWND h = SP->Form->Handle();
  SP->FormTimer.reset();
  auto* timer = new TacMoveTimer(nullptr, true);
  SP->FormTimer.reset(timer);
  timer->CurrentBlendValue = 255;
  timer->SP = SP;
  timer->BorderForm = SP->BorderForm.get();
  timer->FormHandle = h;
  timer->BlendValue = SP->AllowBlendOnMoving() ? settings.BlendValue() : 255;
  timer->BlendStep = MoveBlendStep(timer->BlendValue, settings.Time());
  timer->SetInterval(acAnimInterval);
  if (SP->BorderForm != nullptr) {
    // The border window stays out of the way while the form alone turns translucent.
    SP->BorderForm->ExBorderShowing = true;
    SP->BorderForm->FreeWindow();
  }
  BlendedDrag(h, *timer);
}

void FinishBlendOnMoving(TsSkinProvider* SP) {
  if (SP == nullptr || SP->Form == nullptr || !SP->Form->HandleAllocated()) return;
  const HWND h = SP->Form->Handle();
  auto* timer = dynamic_cast<TacMoveTimer*>(SP->FormTimer.get());
  EndBlendedDrag(h, timer);
  SP->SetFormState(kFormBlending, false);
  if (SP->BorderForm != nullptr) {
    SP->BorderForm->ExBorderShowing = false;
    SP->BorderForm->UpdateExBordersPos(true, 255);
  }
  if (timer != nullptr) {
    timer->CurrentBlendValue = 255;
    SP->FormTimer.reset();
  }
}

void StartBlendOnMovingDlg(TacDialogWnd* Dlg) {
  if (Dlg == nullptr || Dlg->SkinManager == nullptr || (Dlg->FormState & kFormBlending) != 0) return;
  const TacBlendOnMoving& settings = Dlg->SkinManager->AnimEffects().BlendOnMoving();
  if (!settings.Active()) return;
  const HWND h = Dlg->CtrlHandle;
  Dlg->FormState |= kFormBlending;
  std::unique_ptr<TacMoveTimer, TacTimerFree> timer(new TacMoveTimer(nullptr, true));
  // However the drag ends, the dialog is given back opaque.
  const classlib::TScopeExit finish([&] {
    EndBlendedDrag(h, timer.get());
    Dlg->FormState &= ~kFormBlending;
    if (IsWindowVisible(h)) SetFocus(h);
  });
  timer->FormHandle = h;
  timer->BlendValue = settings.BlendValue();
  timer->BlendStep = static_cast<std::uint8_t>((255 - timer->BlendValue) / 30);
  timer->SetInterval(acAnimInterval);
  BlendedDrag(h, *timer);
}

}  // namespace skin
