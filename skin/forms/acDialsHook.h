#pragma once
// Skinning of the windows the program does not make itself: the default manager's CBT hook sees
// every top-level window of the GUI thread created, activated and destroyed, and gives a standard
// dialog ("#32770": message boxes, file dialogs) a TacProvider that hooks a handler onto each of
// its child controls, and a class-library form without a skin provider a provider made at run
// time. Sources: acDialsHook.cpp (the hook and the admission rules), acDialsProvider.cpp
// (TacProvider and its table of child handlers). Win32 only; GUI thread only.
#include <windows.h>

#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Forms.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/windows/acMainWnd.h"

namespace skin {

class TsSkinProvider;

// The dialog's frame handler asks its provider to find the child controls again
// (InitHwndControls) and to print them into a DC (PrintHwndControls).
class TacProvider : public classlib::TComponent, public IacDialogHost {
 public:
  // Without owner: a dialog provider, freed through acSupportedList; with a form as owner: a
  // form provider, freed with its form.
  explicit TacProvider(classlib::TComponent* AOwner);
  ~TacProvider() override;
  std::wstring ClassName() const override { return L"TacProvider"; }

  // Hooks the dialog and its child controls; false (the provider then out of the list) only when
  // the child scan failed.
  bool InitSkin(HWND Handle);
  void InitForm(classlib::TCustomForm* Form);
  // Every child window of Handle attached, grandchildren before their parents; windows already
  // skinned are left alone, so a rescan attaches only new ones.
  bool InitHwndControls(HWND Handle);
  // One child window attached by its class and style; false only for a null window.
  bool AddControl(HWND Handle);
  TacMainWnd* FindCtrlInList(HWND Handle) const;
  // Every visible child control of Handle printed into DC, each at its place.
  void PrintHwndControls(HWND Handle, HDC DC);

  // What the dialog's frame handler asks: new children attached, the children printed.
  void RescanControls() override { InitHwndControls(CtrlHandle); }
  void PrintControls(HDC DC) override { PrintHwndControls(CtrlHandle, DC); }

  // The dialog is about to be activated: controls made since the last scan are attached.
  void Activating();
  // The focus enters the dialog: the first time, the dialog is put at the place asked for when it
  // was caught.
  void FocusEntering();

  // The dialog is gone: its frame handler gave it back, or the window no longer exists.
  bool DialogGone() const;
  // Some handler of this provider is inside its window procedure now.
  bool HandlerRunning() const;
  // The skin was active when the dialog was caught: its controls got handlers.
  bool Skinned() const { return skinned_; }
  // Made for a class-library form (owned by it), not for a standard dialog.
  bool FormProvider() const { return formProvider_; }

  classlib::TForm* FForm = nullptr;
  bool BiDiLeft = false;
  HWND CtrlHandle = nullptr;
  TsSkinProvider* sp = nullptr;
  // The dialog window's own handler (its frame, title and background).
  THandler<TacMainWnd> ListSW;
  std::vector<THandler<TacMainWnd>> acSkinnedCtrls;

 private:
  TsSkinManager* Manager() const;
  // ListSW has rendered the dialog at least once.
  bool DialogCacheFilled() const;

  bool skinned_ = false;
  bool formProvider_ = false;
  // DlgLeft and DlgTop when the dialog was caught, until the focus first enters it.
  bool placePending_ = false;
  POINT place_{-1, -1};
};

// The installed hook, for passing calls on.
extern HHOOK HookCallback;
// Every provider the hook made; an entry is set to nullptr when its provider goes, never removed.
extern std::vector<TacProvider*> acSupportedList;
// Class names of windows never skinned as forms (sorted).
extern const std::vector<std::wstring> ThirdPartySkipForms;

// Links the dialog skinning to the default manager's CBT hook (from its next installation on).
void Ac_InstallDialogHook();

LRESULT CALLBACK SkinHookCBT(int Code, WPARAM WParam, LPARAM LParam);
// Decides whether the window is skinned and attaches the skinning; true when a provider was made.
bool AddSupportedForm(HWND Handle, const CREATESTRUCTW* CreateStruct = nullptr);
// Frees the dialog providers whose dialog is gone and none of whose handlers is running now; the
// others wait for a later call.
void CleanArray();
// The handlers of the popup-menu windows the hook caught (kept by acMnuWnd) freed.
void ClearMnuArray();
// Every provider freed and the list emptied (the hook is gone).
void ClearSupportedList();

// Sends the message to every direct child window of Handle; answers are dropped.
void BroadCastHwnd(HWND Handle, const classlib::TMessage& Message);
// Some descendant of Handle has this lower-case class name.
bool ControlExists(HWND Handle, const std::wstring& ClassName);
// Skinned standard dialogs now visible.
int VisibleDlgCount();
TacProvider* FindFormInList(HWND Handle);
classlib::TCustomForm* FindFormOnScreen(HWND Handle);
// The dialog's frame handler made (skin active) or freed (skin gone, flat scroll bars back).
void InitDialog(HWND Handle, THandler<TacMainWnd>& Handler);

}  // namespace skin
