#pragma once
// The base of every window handler: a plain object that takes over the window procedure of one
// window that is not a skinned control of its own and paints it from the skin. Native windows are
// hooked through GWL_WNDPROC with a thunk of the handler's own; class-library controls and the
// forms of skin providers through their WindowProc. Every hooked window names its handler in the
// property "ACSBSC". The creator owns the handler (THandler) and frees it; freeing gives the window
// back. Win32 only; GUI thread only.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "classlib/Controls.h"
#include "classlib/Messages.h"
#include "classlib/WndMethod.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"

namespace skin {

class TacMainWnd;
class TacWndThunk;
namespace detail {
struct TacMethodRelay;
}

// Gives the window back, then frees the handler.
struct TacHandlerFree {
  void operator()(TacMainWnd* Wnd) const;
};
template <class T>
using THandler = std::unique_ptr<T, TacHandlerFree>;

// Set by the dialog hook while it creates the handlers of a dialog's children: they start with
// DlgMode (the plain-dialog look).
extern bool acDlgMode;
// The property that names a hooked window's handler.
inline constexpr wchar_t kHandlerProp[] = L"ACSBSC";

class TacMainWnd {
 public:
  virtual ~TacMainWnd();
  TacMainWnd(const TacMainWnd&) = delete;
  TacMainWnd& operator=(const TacMainWnd&) = delete;

  // A handler of class T hooked to AHandle. Without ASkinData the handler has skin data of its
  // own; a section already set in the skin data wins over SkinSection. Repaint matters to the
  // scroll handlers only (their frame is recalculated at once).
  template <class T, class... Extra>
  static THandler<T> Create(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                            const std::string& SkinSection, bool Repaint = true, Extra&&... extra) {
    THandler<T> h(new T(AHandle, ASkinData, ASkinManager, std::forward<Extra>(extra)...));
    h->Attach(SkinSection, Repaint);
    return h;
  }

  virtual void SaveStdParams() {}
  virtual void RestoreStdParams() {}
  virtual void SetSkinParams() { ParamsChanged = true; }
  virtual void acWndProc(classlib::TMessage& Message);

  // The replaced procedure's answer (the saved method, else the saved native procedure, else 0);
  // the method may change LParam.
  LRESULT CallPrevWndProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM& LParam);
  void PassOn(classlib::TMessage& Message) {
    Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
  }
  // The control whose WindowProc the handler replaced (the owner control or the provider's form).
  classlib::TControl* MethodOwner() const { return methodOwner_; }
  // Whether the window still runs through this handler first.
  bool OnTop() const;
  // Whether a message is inside the handler's window procedure now: the handler must not be
  // freed until it has returned.
  bool Running() const { return running_ > 0; }

  // Handlers alive in the process.
  static std::size_t LiveCount();

  bool DlgMode = false;
  std::wstring Caption;
  TRect WndRect;
  TSize WndSize;
  TPoint WndPos;
  TRect ParentRect;
  HWND ParentWnd = nullptr;
  classlib::TControlStyle OldCtrlStyle;
  classlib::TWndMethod OldWndProc;
  WNDPROC OldProc = nullptr;
  HWND CtrlHandle = nullptr;
  TsSkinManager* SkinManager = nullptr;
  TsCommonData* SkinData = nullptr;
  bool DontRepaint = false;
  bool ParamsChanged = false;
  TColor StdColor = 0;
  TColor StdFontColor = 0;
  bool Destroyed = false;
  bool OwnSkinData = false;
  TacWndThunk* NewWndProcInstance = nullptr;
  int Tag = 0;

 protected:
  TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  // Puts the handler in front of the window's procedure; the scroll handlers add their bars.
  virtual void Hook(bool Repaint);
  // Popup-menu handlers keep the window's visual style.
  virtual bool KeepsVisualStyle() const { return false; }
  // List views paint their own background: their owner control stays see-through.
  virtual bool OpaqueOwner() const { return true; }
  // Runs before the window is given back when the handler is freed (descendants free their parts).
  virtual void Release() {}
  // WM_DESTROY and WM_NCDESTROY: passed on, then the window given back when it answered 0.
  void DestroyMessage(classlib::TMessage& Message);
  // Gives the window back without freeing the handler; true when it is back.
  virtual bool UnhookWindow();
  // The skin-command half of acWndProc; true when the command was handled.
  bool AlphaCommand(classlib::TMessage& Message);

  friend struct TacHandlerFree;
  friend void InitializeACWnd(TacMainWnd* Wnd, HWND Handle);
  friend bool UninitializeACWnd(HWND Handle, bool Repaint, TacMainWnd* Wnd);

 private:
  void Attach(const std::string& SkinSection, bool Repaint);
  // Destroy: the window given back (when it still runs through the handler), the property
  // removed, the window's parameters and visual style restored.
  void Detach();
  // True when the window is back with its own procedure (or gone).
  bool GiveBack();
  bool StyleSwitchAllowed(const std::string& Section) const;

  std::unique_ptr<TsCommonData> ownSkinData_;
  classlib::TControl* methodOwner_ = nullptr;
  detail::TacMethodRelay* relay_ = nullptr;
  bool themeOff_ = false;
  bool styleSaved_ = false;
  int running_ = 0;

  friend struct detail::TacMethodRelay;
  // acWndProc with the handler counted as running.
  void Dispatch(classlib::TMessage& Message);
};

// Property, thunk or method: Wnd in front of Handle's procedure.
void InitializeACWnd(TacMainWnd* Wnd, HWND Handle);
// Gives Handle back from Wnd (nothing for nullptr or a handler that already did): the property
// removed, the window's parameters restored, its frame redrawn when visible; Destroyed tells
// whether the window is back with its own procedure, which is also the result.
bool UninitializeACWnd(HWND Handle, bool Repaint, TacMainWnd* Wnd);
// The same, then the handler freed and the variable cleared.
template <class T>
void UninitializeACWnd(HWND Handle, bool Repaint, THandler<T>& Wnd) {
  if (!Wnd) return;
  UninitializeACWnd(Handle, Repaint, Wnd.get());
  Wnd.reset();
}

// The frame recalculated (Frame) or just repainted.
void Ac_RedrawNonClient(HWND Wnd, bool Frame);
// The handler named by the window's property; nullptr for none.
TacMainWnd* Ac_GetHandlerFromHwnd(HWND Wnd);

}  // namespace skin
