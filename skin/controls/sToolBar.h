#pragma once
// The skinned tool bar. It paints through the native bar's custom-draw events, which it takes over
// while skinned: the bar's section (TOOLBAR) from its cache, every button from TOOLBUTTON (its
// border image, caption, image and drop-down arrow; disabled buttons blended or greyed as
// BtnDisabledKind says), separators and dividers from DIVIDER, and the non-client border strips
// from the cache. A non-flat bar tracks its hot button itself. Win32 only.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/ToolBar.h"
#include "classlib/TypInfo.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsToolBar : public classlib::TToolBar {
 public:
  explicit TsToolBar(classlib::TComponent* AOwner);
  ~TsToolBar() override;
  std::wstring ClassName() const override { return L"TsToolBar"; }
  static void DeclareProperties(classlib::TClassDecl<TsToolBar>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  bool Skinned() const;
  TsDisabledKind BtnDisabledKind() const { return FDisabledKind; }
  void SetBtnDisabledKind(TsDisabledKind Value);

  // The client area's place inside the window (the cache covers the whole window).
  int OffsetX() const;
  int OffsetY() const;
  // Button Index's rectangle in client coordinates; empty (Left = Right) when the bar has none.
  TRect GetButtonRect(int Index) const;
  // The button under a client point that can be pressed (button, check or drop-down), else -1.
  int IndexByMouse(TPoint P) const;
  // Button Index drawn at once on the window.
  void RepaintButton(int Index);
  void PrepareCache();
  // Takes the custom-draw events while skinned and gives them up without a skin.
  void UpdateEvents();

  // The button under the mouse of a non-flat bar, -1 for none.
  int HotButtonIndex = -1;
  // The drop-down button whose menu is open.
  classlib::TToolButton* DroppedButton() const { return FDroppedButton; }

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  void OurAdvancedCustomDraw(const TRect& ARect, classlib::TCustomDrawStage Stage, bool& DefaultDraw);
  void OurAdvancedCustomDrawButton(classlib::TToolButton* Button, classlib::TCustomDrawState State,
                                   classlib::TCustomDrawStage Stage, classlib::TTBCustomDrawFlags& Flags,
                                   bool& DefaultDraw);
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void PaintBorderStrips(HDC DC);
  void PaintDividers(HDC DC, bool Printing);
  void PaintDropDownArrow(classlib::TBitmap* Bmp, classlib::TToolButton* Button, classlib::TCustomDrawState State,
                          int DropDownWidth);
  void MouseMoved(const classlib::TMessage& Message);
  void SetHotButton(int Index);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  classlib::TToolButton* FDroppedButton = nullptr;
  // A button whose native width disagrees with its own re-lays the bar out once per paint, never
  // more: a bar whose widths never agree would otherwise paint for ever.
  bool relaidThisPaint_ = false;
};

void RegisterToolBarClasses();

}  // namespace skin
