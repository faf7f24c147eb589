#pragma once
// The handler of a pop-up menu window (class "#32768") while the skinned menus draw its items:
// the window's background and frame come from the skin, it gets the menus' region, and it comes
// on screen at the opacity of the manager's MenuSupport.AlphaBlend, transparent until its frame
// is first painted so that the system's own look never flashes. Win32 only; GUI thread only.
#include <windows.h>

#include <cstddef>

#include "skin/windows/acSBUtils.h"

namespace skin {

class TacMnuWnd : public TacScrollWnd {
 public:
  TacMnuWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  void acWndProc(classlib::TMessage& Message) override;
  // The window's background (the section over the whole window) into the skin data's cache.
  virtual void PrepareCache();

  bool Shown = false;  // the window has had its first frame paint
  int RgnChanged = 0;  // 1 once the window's region is set for the current showing

 protected:
  bool KeepsVisualStyle() const override { return true; }

 private:
  void Destroy(classlib::TMessage& Message);
  void NCPaint();
};

// Puts a handler on a pop-up menu window, as the dialog hook does when it sees one created: with
// the default manager's skin active and SkinnedPopups on, unless the window is skinned already.
// The handlers are kept here; one whose window is destroyed is freed later (at the next attach or
// by FreeDeadMenuHandlers), never inside its own window procedure. The handler, or nullptr.
TacMnuWnd* AttachMenuWindowHandler(HWND Wnd);
// Frees the handlers whose windows are gone.
void FreeDeadMenuHandlers();
// Frees every handler (the dialog hook going away): live windows are given back first.
void ClearMenuHandlers();
// Handlers kept, live or waiting to be freed.
std::size_t MenuHandlerCount();

}  // namespace skin
