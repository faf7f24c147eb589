#pragma once
// The panel handler: a class-library panel (or another container the form's adapter is told to
// treat as one) painted whole from a skin section over its parent's background: the face on
// WM_ERASEBKGND from a cache of its own, the caption over it, then its windowless children; the
// frame around the client area from the same cache. Controls added to it later are offered to
// the form's adapter. Win32 only; GUI thread only.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/ExtCtrls.h"
#include "skin/windows/acMainWnd.h"

namespace skin {

namespace detail {
// Skin state the panel handler makes for a control it was given without one; constructed before
// the handler base so the base can be handed a pointer to it.
struct TacPanelOwnData {
  std::unique_ptr<TsCommonData> Data;
};
}  // namespace detail

class TacPanelWnd : private detail::TacPanelOwnData, public TacMainWnd {
 public:
  // Without ASkinData, a handler for a class-library control found afterwards (the dialog hook's
  // panels) passes it as OwnerControl: the handler then keeps a skin state owned by itself whose
  // owner control it is.
  TacPanelWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
              classlib::TWinControl* OwnerControl = nullptr);
  void acWndProc(classlib::TMessage& Message) override;

  // The section over the parent's background and the caption, into the skin state's cache.
  virtual void PrepareCache();
  // The face from the cache onto DC (the erase or print DC; nullptr: the window's client DC).
  virtual void AC_WMPaint(HDC DC);
  // The frame strips around the client area from the cache onto DC (nullptr: the window DC).
  void AC_WMNCPaint(HDC DC);
  void WriteText(const TRect& R, classlib::TCanvas* Canvas);

  classlib::TCustomPanel* Panel = nullptr;

 protected:
  void Hook(bool Repaint) override;

 private:
  classlib::TWinControl* Owner() const;
  bool IsContainer() const;
  // The frame width: half of what the window is wider than its client area.
  int FrameWidth() const;
  void ContainerMessage(classlib::TMessage& Message);
  bool SkinCommand(classlib::TMessage& Message);
};

// A second panel handler, for a window whose class-library control it finds by itself among the
// application's components: a "TPanel" takes the skin's colour and the section "CHECKBOX", any
// other window "GROUPBOX". The face and a frame six pixels wider than the window's own come from
// the cache; the panel's own painting (its children and text) runs inside that frame.
class TacDlgPanelWnd : public TacMainWnd {
 public:
  TacDlgPanelWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  void acWndProc(classlib::TMessage& Message) override;
  void SetSkinParams() override;

  void PrepareCache();
  void AC_WMPaint(HDC DC);
  void AC_WMNCPaint(HDC DC);

  classlib::TWinControl* Panel = nullptr;

 protected:
  void Hook(bool Repaint) override;

 private:
  void TakeGlobalColour();
  int FrameWidth() const;
};

// The class-library control among the application's components (searched through their own
// components too) whose window is Wnd; nullptr for none.
classlib::TWinControl* FindApplicationControl(HWND Wnd);

}  // namespace skin
