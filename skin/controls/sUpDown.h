#pragma once
// The skinned up-down: its two buttons are painted from the default manager's scroll-button
// sections (or the section ButtonSkin names) with arrow glyphs, hot and pressed as the mouse
// moves and presses, and with the disabled look on a button whose limit is reached when
// ShowInaccessibility is set. It keeps no skin state of its own and paints natively without an
// active skin or without those sections. Win32 only.
#include <windows.h>

#include <string>

#include "classlib/UpDown.h"
#include "skin/controls/sUpDownState.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsSkinManager;

class TsUpDown : public classlib::TCustomUpDown {
 public:
  explicit TsUpDown(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsUpDown"; }
  static void DeclareProperties(classlib::TClassDecl<TsUpDown>& d);

  bool ShowInaccessibility() const { return FShowInaccessibility; }
  void SetShowInaccessibility(bool Value);
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  TsDrawingState DrawingState() const { return FDrawingState; }
  void SetDrawingState(TsDrawingState Value);
  const std::string& ButtonSkin() const { return FButtonSkin; }
  void SetButtonSkin(const std::string& Value);

  classlib::TRect BtnRect() const;
  // Button Kind drawn into Btn; the second button first sizes Btn to the rest of the control.
  void DrawBtn(classlib::TBitmap* Btn, TsBtnKind Kind);

 protected:
  void WndProc(classlib::TMessage& Message) override;
  bool Pressed = false;

 private:
  bool Vertical() const { return Orientation() == classlib::udVertical; }
  bool SkinnedPaint() const;
  void PaintButtons(HDC DC);
  TsUpDownLimits Limits() const;

  bool FShowInaccessibility = true;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  TsDrawingState FDrawingState = dsDefault;
  std::string FButtonSkin;
};

void RegisterUpDownClasses();

}  // namespace skin
