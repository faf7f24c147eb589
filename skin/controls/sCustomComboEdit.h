#pragma once
// The skinned combo edit: a masked edit with a small button at the right of its client area that
// clicks on Alt+Down too, and a popup window (a descendant's form) that the button opens below or
// above the edit, closed again by a click elsewhere, a focus change or the button. The text stays
// clear of the button (a multi-line edit with a narrowed formatting rectangle); Enter and Escape
// still reach the form's default and cancel buttons. TsComboEdit has the ellipsis glyph and no
// popup. Win32 only.
#include <memory>

#include "classlib/ShortCut.h"
#include "skin/controls/sGlyphUtils.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sPopupPlace.h"
#include "skin/controls/sSpeedButton.h"

namespace skin {

class TsCustomComboEdit;

class TsEditButton : public TsSpeedButton {
 public:
  explicit TsEditButton(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsEditButton"; }
  int GlyphWidth() override;
  int GlyphHeight() override;
  void PrepareCache() override;
  // The button's look at P of DC (the owner's window coordinates).
  void PaintTo(HDC DC, TPoint P);

 protected:
  void Paint() override;

 private:
  // The glyph's list, image and cells for this paint; taken back afterwards so that the button
  // keeps no reference to the list between paints.
  void BeginInitGlyph();
  void EndInitGlyph();
  bool GlyphInitAllowed() const;
  TsCustomComboEdit* FOwner;
};

class TsCustomComboEdit : public TsMaskEdit {
 public:
  explicit TsCustomComboEdit(classlib::TComponent* AOwner);
  ~TsCustomComboEdit() override;
  std::wstring ClassName() const override { return L"TsCustomComboEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsCustomComboEdit>& d);
  void AfterConstruction() override;

  TsEditButton* Button() const { return FButton; }
  TsGlyphMode* GlyphMode() const { return FGlyphMode.get(); }
  classlib::TShortCut ClickKey() const { return FClickKey; }
  void SetClickKey(classlib::TShortCut Value) { FClickKey = Value; }
  bool DirectInput() const { return FDirectInput; }
  void SetDirectInput(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  classlib::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(classlib::TAlignment Value);
  TPopupWindowAlign PopupWindowAlign() const { return FPopupWindowAlign; }
  void SetPopupWindowAlign(TPopupWindowAlign Value) { FPopupWindowAlign = Value; }
  bool ShowButton() const { return FShowButton; }
  void SetShowButton(bool Value);
  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int Value) { FPopupWidth = Value; }
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupHeight(int Value) { FPopupHeight = Value; }
  classlib::TWinControl* PopupWindow() const { return FPopupWindow; }
  // The built-in glyph drawn when no user image applies; -1 none.
  int DefBmpID() const { return FDefBmpID; }
  // An edit whose glyph button has no width (the currency edit) answers false.
  virtual bool HasGlyphButton() const { return true; }

  bool DroppedDown() const;
  // From the window's corner to the client area's: 2 with a 3D border, else 0.
  int ClientOffset() const;
  virtual bool GetReadOnly() const { return FReadOnly; }
  virtual void PopupWindowShow();
  virtual void PopupWindowClose();
  virtual void SelectAll();
  void EditButtonClick(classlib::TObject* Sender);
  void DoClick() { EditButtonClick(this); }

  bool IsActive() const override;
  void SetEditRect() override;
  void PaintText() override;
  void PaintBorder(HDC DC) override;
  void OurPaintHandler(HDC DC) override;
  void Invalidate() override;

  classlib::TNotifyEvent OnButtonClick;

 protected:
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateParams(classlib::TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(classlib::TMessage& Message) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(wchar_t& Key) override;
  void Change() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  virtual void ButtonClick();
  // The text rectangle of the cache, clear of the button.
  TRect TextRect() const;

  int FDefBmpID = -1;
  classlib::TWinControl* FPopupWindow = nullptr;

 private:
  void PaintButtonTo(HDC DC);
  void PrintTo(HDC DC);

  TsEditButton* FButton = nullptr;
  bool printing_ = false;
  classlib::TShortCut FClickKey = 32808;
  bool FReadOnly = false;
  bool FDirectInput = true;
  classlib::TAlignment FAlignment = classlib::taLeftJustify;
  TPopupWindowAlign FPopupWindowAlign = TPopupWindowAlign::pwaRight;
  std::unique_ptr<TsGlyphMode> FGlyphMode;
  int FPopupWidth = 197;
  bool FShowButton = true;
  int FPopupHeight = 166;
};

class TsComboEdit : public TsCustomComboEdit {
 public:
  explicit TsComboEdit(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsComboEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsComboEdit>& d);
};

void RegisterComboEditClasses();

}  // namespace skin
