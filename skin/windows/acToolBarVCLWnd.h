#pragma once
// The handler of class-library tool bars that have no skinned counterpart. It leaves the bar's own
// painting in place and takes over its two custom-draw events while the skin is on: the background
// comes from its cache (the section, "TOOLBAR" unless the creator names another, over the parent's
// background) and every button from "TOOLBUTTON" with caption, image and drop-down arrow. The button
// under the mouse is hot on bars that are not flat (flat bars track it themselves); the button whose
// drop-down menu is open stays pressed until the menu closes. Win32 only; GUI thread only.
#include <windows.h>

#include <memory>

#include "classlib/ToolBar.h"
#include "skin/windows/acMainWnd.h"

namespace skin {

// Draws a tool button's image into Bmp (the button's bitmap) for the custom-draw State. The default
// draws the bar's image list; a unit with a better painter installs it here.
using TacToolBtnGlyphPainter = void (*)(classlib::TToolBar* ToolBar, classlib::TToolButton* Button,
                                        classlib::TCustomDrawState State, classlib::TCustomDrawStage Stage,
                                        classlib::TTBCustomDrawFlags Flags, classlib::TBitmap* Bmp);
extern TacToolBtnGlyphPainter acToolBtnGlyphPainter;

class TacToolBarVCLWnd : public TacMainWnd {
 public:
  TacToolBarVCLWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  ~TacToolBarVCLWnd() override;
  void acWndProc(classlib::TMessage& Message) override;

  // The owner when it is a tool bar; nullptr once the bar has been freed.
  classlib::TToolBar* ToolBar = nullptr;
  classlib::TToolButton* DroppedButton = nullptr;
  int HotButtonIndex = -1;

  // The client rectangle in window coordinates.
  TRect DisplayRect() const;
  TRect GetButtonRect(int Index) const;
  // The button under P (client coordinates) when it is a push, check or drop-down button; else -1.
  int IndexByMouse(TPoint P) const;
  void OurAdvancedCustomDraw(classlib::TToolBar* Sender, const TRect& ARect, classlib::TCustomDrawStage Stage,
                             bool& DefaultDraw);
  void OurAdvancedCustomDrawButton(classlib::TToolBar* Sender, classlib::TToolButton* Button,
                                   classlib::TCustomDrawState State, classlib::TCustomDrawStage Stage,
                                   classlib::TTBCustomDrawFlags& Flags, bool& DefaultDraw);
  void PrepareCache();
  void RepaintButton(int Index);
  void WMNCPaint(HDC DC);

 protected:
  void Hook(bool Repaint) override;
  void Release() override;

 private:
  class TWatch;
  bool Skinned() const;
  void InstallEvents();
  // The button whose menu is open, followed to its end.
  void SetDropped(classlib::TToolButton* Button);
  void RemoveEvents();
  // Where the bar's client area starts in its cache: its edges and border.
  TPoint EdgeOffset() const;
  void PaintCaption(classlib::TBitmap* Bmp, classlib::TToolButton* Button, int State, int ArrowWidth, int Section);
  void PaintArrow(classlib::TBitmap* Bmp, classlib::TToolButton* Button, classlib::TCustomDrawState State,
                  int ArrowWidth);

  std::unique_ptr<TWatch> watch_;
};

}  // namespace skin
