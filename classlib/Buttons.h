#pragma once
// The bitmap button: a push button (BUTTON, owner-drawn) with a glyph from an image list or a
// bitmap beside its caption; the speed button: a windowless button painted by its parent, which
// stays down while pressed or, in a group, until another of its group goes down.
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/EnumInfo.h"
#include "classlib/ImgList.h"
#include "classlib/StdCtrls.h"
#include "classlib/ToolBarTypes.h"

namespace classlib {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
template <>
inline const TEnumInfo& EnumInfo<TButtonLayout>() {
  static const TEnumInfo i{L"TButtonLayout", {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"}};
  return i;
}
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
template <>
inline const TEnumInfo& EnumInfo<TBitBtnKind>() {
  static const TEnumInfo i{L"TBitBtnKind",
                           {L"bkCustom", L"bkOK", L"bkCancel", L"bkHelp", L"bkYes", L"bkNo", L"bkClose", L"bkAbort",
                            L"bkRetry", L"bkIgnore", L"bkAll"}};
  return i;
}

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  std::wstring ClassName() const override { return L"TBitBtn"; }
  static void DeclareProperties(TClassDecl<TBitBtn>& d);

  // Images and ImageIndex (the button's) pick the glyph; without one, Glyph is shown.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value);
  // How many state images the glyph bitmap holds side by side (normal, disabled, pressed, down).
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // Pixels from the edge to the glyph; -1 centres glyph and caption together.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void SetButtonStyle(bool ADefault) override;
  void UpdateImages() override;
  // Paints the button into the owner-draw request's DC.
  virtual void DrawItem(const DRAWITEMSTRUCT& Item);

 private:
  void DrawContent(HDC DC, RECT Area, bool Pressed);
  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  TBitBtnKind FKind = bkCustom;
  bool FMouseInside = false;
};

// The state of a speed button: bsDown while the mouse holds it, bsExclusive while it stays down.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;
  std::wstring ClassName() const override { return L"TSpeedButton"; }
  static void DeclareProperties(TClassDecl<TSpeedButton>& d);

  // Buttons of one non-zero GroupIndex on one parent are exclusive: one goes down, the others up.
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  // A group's down button comes up on a second click only with AllowAllUp.
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  // Only buttons of a group stay down.
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value);
  // Cells side by side in Glyph: up, disabled, pressed, down.
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

  void Click() override;

 protected:
  void Dispatch(TMessage& Message) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Loaded() override;

  TButtonState FState = bsUp;
  bool FMouseInControl = false;

 private:
  void UpdateExclusive();
  void ButtonPressed(int Group, TSpeedButton* Sender);

  std::unique_ptr<TBitmap> FGlyph;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FDown = false;
  bool FFlat = false;
  bool FTransparent = true;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FDragging = false;
};

}  // namespace classlib
