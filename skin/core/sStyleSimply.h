#pragma once
// The glue between the skin manager, the forms and the controls: the forms that skin providers
// have taken over, the skin commands sent to one control or window and broadcast to every form
// and control of the application, and the locking of form redrawing around a skin change.
// Win32 only; GUI thread only.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/Messages.h"
#include "skin/core/sMessages.h"

namespace skin {

class TsSkinManager;

// The forms registered by their skin providers, in registration order.
std::vector<classlib::TComponent*>& HookedComponents();
// The upper-case section name that command 13 refers to.
extern std::string GlobalSectionName;
// A skin is being loaded: controls skip fades and caches until the records are rebuilt.
extern bool aSkinChanging;

// Appends Form; returns the new count.
int IntSkinForm(classlib::TComponent* Form);
// Removes every slot that holds Form (the last slot moves into each freed one).
void IntUnSkinForm(classlib::TComponent* Form);

// SM_ALPHACMD with Cmd in the high word of WParam; the answer. A windowed control being destroyed
// or without a window answers 0; a windowless one is asked through Perform.
LRESULT SendAMessage(HWND Wnd, unsigned Cmd, LPARAM LParam = 0);
LRESULT SendAMessage(classlib::TControl* Control, unsigned Cmd, LPARAM LParam = 0);
// A control's answer is true when its low byte is not 0; a window's only when it is exactly 1.
bool GetBoolMsg(classlib::TControl* Control, unsigned Cmd);
bool GetBoolMsg(HWND Wnd, unsigned Cmd);

// Message to every control below Control, once each: windowless children and windows without
// handle by Perform, skinned windows (they pass it on themselves) by SendMessage, the children of
// any other window by recursion. The child list is read again at every step; a child being
// destroyed ends the broadcast.
void AlphaBroadCast(classlib::TWinControl* Control, classlib::TMessage& Message);
// Message to every direct child window of Wnd.
void AlphaBroadCast(HWND Wnd, classlib::TMessage& Message);
// Message to every form of the application (forms skinned by a provider get it through
// SendToHooked only) and their controls, then to the registered forms.
void AppBroadCastS(classlib::TMessage& Message);
void SendToHooked(classlib::TMessage& Message);

// Command 6 to the showing children of Control (to the child windows of Wnd); nothing while an
// animation runs.
void SetParentUpdated(classlib::TWinControl* Control);
void SetParentUpdated(HWND Wnd);
// Command 25 to the window of Control's parent form, unless Control is being loaded or designed.
void AddToAdapter(classlib::TWinControl* Control);

// The skin-change bracket: forms skinned with Manager stop redrawing, and are redrawn (Repaint)
// or just switched back on afterwards.
void LockForms(TsSkinManager* Manager);
void UnLockForms(TsSkinManager* Manager, bool Repaint = true);
void CopyExForms(TsSkinManager* Manager);

// Change run between LockForms and UnLockForms; the forms are unlocked also when Change throws,
// and the exception goes on.
void WithFormsLocked(TsSkinManager* Manager, bool Repaint, const std::function<void()>& Change);

}  // namespace skin
