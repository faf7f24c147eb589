#pragma once
// The handler of windowless speed buttons that have no skinned counterpart: it takes over the
// button's WindowProc and paints the button from the skin on WM_PAINT (the section over the
// parent's background, caption and glyph by the button's layout, moved a pixel when down, faded
// when disabled); the button's own painting never runs. It gives the procedure back when the skin
// is removed or the handler is freed, and leaves a button that has been freed alone. Win32 only;
// GUI thread only.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Buttons.h"
#include "classlib/Controls.h"
#include "classlib/WndMethod.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"

namespace skin {

class TacSpeedButtonHandler {
 public:
  // SkinData stays the caller's; SkinSection applies when it has no section yet.
  TacSpeedButtonHandler(classlib::TControl* Btn, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                        const std::string& SkinSection, bool Repaint = true);
  virtual ~TacSpeedButtonHandler();
  TacSpeedButtonHandler(const TacSpeedButtonHandler&) = delete;
  TacSpeedButtonHandler& operator=(const TacSpeedButtonHandler&) = delete;

  virtual void acWndProc(classlib::TMessage& Message);

  TRect WndRect;
  TSize WndSize;
  TPoint WndPos;
  TRect ParentRect;
  HWND ParentWnd = nullptr;
  // The button; nullptr once it has been freed.
  classlib::TControl* Ctrl = nullptr;
  classlib::TWndMethod OldWndProc;
  void* OldProc = nullptr;
  TsSkinManager* SkinManager = nullptr;
  TsCommonData* SkinData = nullptr;
  bool Destroyed = false;
  void* NewWndProcInstance = nullptr;

  void AC_WMPaint(classlib::TMessage& Message);
  LRESULT CallPrevWndProc(classlib::TControl* Control, UINT Msg, WPARAM WParam, LPARAM& LParam);
  std::wstring Caption() const;
  // 2 down, 1 hot, 0 normal.
  int CurrentState() const;
  TRect CaptionRect() const;
  TRect ImgRect() const;
  int GlyphWidth() const;
  int GlyphHeight() const;
  TSize TextRectSize() const;
  void DoDrawText(TRect R, UINT Flags);
  void DrawCaption();
  void DrawGlyph();
  void PrepareCache();

 private:
  class TWatch;
  classlib::TSpeedButton* Speed() const { return dynamic_cast<classlib::TSpeedButton*>(Ctrl); }
  bool Skinned() const;
  void Repaint();
  // The button's procedure back, when the button is there and still runs through this handler.
  void GiveBack();
  void ButtonGone();

  std::unique_ptr<TWatch> watch_;
};

}  // namespace skin
