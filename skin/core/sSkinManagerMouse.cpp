// The control under the mouse, as the skinned controls report it to their manager: the control the
// mouse leaves hears so (command 30) and a window it enters too (command 29), so that hot looks
// never stay on two controls at once.
#include <windows.h>

#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"

namespace skin {

void TsSkinManager::SetActiveControl(HWND Wnd) {
  if (Wnd == FActiveControl) return;
  if (FActiveGraphControl != nullptr) {
    SetActiveGraphControl(nullptr);
    // A windowless control the mouse is still above keeps its place.
    if (FActiveGraphControl != nullptr) return;
  }
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  const HWND previous = FActiveControl;
  FActiveControl = Wnd;
  if (previous != nullptr && IsWindow(previous)) SendAMessage(previous, ACMD_MOUSELEAVE, self);
  if (Wnd != nullptr) SendAMessage(Wnd, ACMD_MOUSEENTER, self);
}

void TsSkinManager::SetActiveGraphControl(classlib::TControl* Control) {
  if (Control == FActiveGraphControl) return;
  if (Control == nullptr) {
    const auto* data = reinterpret_cast<const TsCommonData*>(SendAMessage(FActiveGraphControl, ACMD_GETSKINDATA));
    if (data != nullptr && data->FMouseAbove) return;
  } else {
    SetActiveControl(nullptr);
  }
  classlib::TControl* previous = FActiveGraphControl;
  if (previous != nullptr) previous->RemoveFreeNotification(this);
  FActiveGraphControl = Control;
  if (Control != nullptr) Control->FreeNotification(this);
  SendAMessage(previous, ACMD_MOUSELEAVE, reinterpret_cast<LPARAM>(this));
}

void TsSkinManager::Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) {
  classlib::TComponent::Notification(AComponent, Operation);
  if (Operation == classlib::opRemove && AComponent == FActiveGraphControl) FActiveGraphControl = nullptr;
}

}  // namespace skin
