#pragma once
// The handlers of scrollable windows that paint their own client area: edits, memos, list boxes
// and tree views. The frame comes from the skin through the handler's cache, the native scroll
// bars give way to skinned ones, and the skin's colours are pushed into the control (its Color,
// its font colour, a "FocusColor" property when it publishes one) so that its own client painting
// matches; what is changed is saved when the handler is attached and given back when it goes.
// Win32 only; GUI thread only.
#include <windows.h>

#include "skin/windows/acSBUtils.h"

namespace skin {

// Keeps the frame and the bars in step with sizes, scrolling and the enabled state.
class TacBaseWnd : public TacScrollWnd {
 public:
  using TacScrollWnd::TacScrollWnd;
  void acWndProc(classlib::TMessage& Message) override;
};

class TacEditWnd : public TacBaseWnd {
 public:
  TacEditWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
      : TacBaseWnd(AHandle, ASkinData, ASkinManager) {}
  void SaveStdParams() override;
  void RestoreStdParams() override;
  void SetSkinParams() override;
  void acWndProc(classlib::TMessage& Message) override;

  // The client rectangle relative to the window, read once.
  TRect ClientRect();

  TRect FClientRect{0, -1, 0, 0};
  // The background chosen for a window without a class-library control.
  TColor Color = classlib::clWindow;
  TColor FocusColor = 0;
  int FrameColor = 0;

 protected:
  // "EDIT" when neither the skin data nor the creator named a section.
  void Hook(bool Repaint) override;
  // The frame's image: the cache rendered for the current size, its corners repaired.
  void RenderCache();
  // The border strip of the cache (as wide as the client area's top offset) onto DC.
  void CopyFrame(HDC DC);
  // WM_PRINT: the native print, then the skinned frame and bars and the client area into the DC.
  void Print(classlib::TMessage& Message);
  // DC's clip narrowed to the client area less the visible bars, its origin moved by the border.
  void ClipToClient(HDC DC);

 private:
  bool OwnerPublishesFocusColor() const;
  void NonClientPaint(classlib::TMessage& Message);
  void Paint(classlib::TMessage& Message);
  void EraseBackground(classlib::TMessage& Message);
  void AfterBase(const classlib::TMessage& Message);
};

class TacTreeViewWnd : public TacEditWnd {
 public:
  using TacEditWnd::TacEditWnd;
  void RestoreStdParams() override;
  void SetSkinParams() override;
  void acWndProc(classlib::TMessage& Message) override;
};

}  // namespace skin
