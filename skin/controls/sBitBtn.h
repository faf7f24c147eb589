#pragma once
// The skinned bitmap button: the class library's bitmap button (a glyph bitmap of state cells,
// Layout, Margin, Spacing, Kind) drawn from the skin, with an image of an image list as a second
// glyph source that wins over the bitmap. It keeps the push button's paint cycle (sButton.h) and
// states only where it differs:
//  - PrepareCache shifts a textured background with the pressed look, places glyph and caption
//    with CalcButtonLayout, draws the border image before them (DrawOverBorder) or over them, and
//    hands the finished cache to OnPaint;
//  - a changed Layout, Margin, Spacing or NumGlyphs, or a new glyph bitmap, renders anew.
// Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Buttons.h"
#include "skin/controls/Sthirdparty.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sFade.h"

namespace skin {

class TsBitBtn : public classlib::TBitBtn, public IacGlyphButton {
 public:
  explicit TsBitBtn(classlib::TComponent* AOwner);
  ~TsBitBtn() override;
  std::wstring ClassName() const override { return L"TsBitBtn"; }
  static void DeclareProperties(classlib::TClassDecl<TsBitBtn>& d);
  void AfterConstruction() override;
  void Invalidate() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
  classlib::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(classlib::TAlignment Value);
  // Transparency of the glyph in the normal state, percent (clamped to 0..100).
  int Blend() const { return FBlend; }
  void SetBlend(int Value);
  TsDisabledGlyphKind DisabledGlyphKind() const { return FDisabledGlyphKind; }
  void SetDisabledGlyphKind(TsDisabledGlyphKind Value);
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int FocusMargin() const { return FFocusMargin; }
  void SetFocusMargin(int Value) { FFocusMargin = Value; }
  // The glyph grey in the normal state.
  bool Grayed() const { return FGrayed; }
  void SetGrayed(bool Value);
  bool Reflected() const { return FReflected; }
  void SetReflected(bool Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  // The border image before glyph and caption (true) or over them (false).
  bool DrawOverBorder() const { return FDrawOverBorder; }
  void SetDrawOverBorder(bool Value);
  // Stored and streamed; it repaints but takes no part in the layout.
  int TextOffset() const { return FOffset; }
  void SetOffset(int Value);
  classlib::TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(classlib::TAlignment Value);
  // The published WordWrap defaults to true here.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { TButtonControl::SetWordWrap(Value); }

  // Called with the finished cache, so that the application can draw over it.
  TBmpPaintEvent OnPaint;

  // 0 normal, 1 hot, 2 pressed (before clamping to the section's states).
  virtual int CurrentState();
  // An image of the list is the glyph: the list is assigned and ImageIndex inside it.
  bool ImageListGlyph() const;
  int GlyphWidth() const;
  int GlyphHeight() const;
  // The glyph's rectangle from the last layout.
  TRect ImgRect();
  // The caption measured in the room the layout leaves it.
  TSize TextRectSize();
  // Places glyph and caption (GlyphPos, CaptionRect) for the current size and properties.
  void CalcLayout();
  TRect CaptionRect() const { return FCaptionRect; }
  virtual void PrepareCache();
  virtual void OurPaintHandler(HDC DC);

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;
  void SetButtonStyle(bool ADefault) override;
  void UpdateImageList() override;
  void UpdateImages() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  // The caption and the focus frame onto Canvas (nullptr: the cache's canvas).
  void DrawCaption(classlib::TCanvas* Canvas);
  TacBtnGlyphSource BtnGlyphSource() override;
  TsCommonData* GlyphSkinData() override;
  // The unskinned look, into an owner-draw item's DC.
  void StdDrawItem(const DRAWITEMSTRUCT& Item);

  bool IsFocused = false;
  // A region built by PrepareCache and not yet handed to the window; kFirstPaintRegion before the
  // first paint.
  HRGN FRegion = kFirstPaintRegion;
  TPoint GlyphPos;
  classlib::TButtonLayout OldLayout = classlib::blGlyphLeft;
  TsFadeTimer* FadeTimer = nullptr;

 private:
  // What the layout was rendered for; any change renders anew.
  struct TLayoutInputs {
    int Margin = -1;
    int Spacing = 4;
    int NumGlyphs = 1;
    friend bool operator==(const TLayoutInputs&, const TLayoutInputs&) = default;
  };

  bool Skinned() const;
  bool Destroying() const;
  bool Designing() const;
  const TsMaskData* BorderImage() const;
  int BiDiFlags() const;
  void DrawBorder(classlib::TBitmap* Cache, const TCacheInfo& CI, int State, bool Filling);
  void StopFade();
  void RepaintNow();
  void DeleteHeldRegion();
  void RemoveWindowRegion();
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void AfterInherited(classlib::TMessage Message);
  void MouseHover(bool Entered);
  void FocusGained(classlib::TMessage& Message);
  void FocusLost(classlib::TMessage& Message);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TLayoutInputs FOldInputs;
  bool FMouseClicked = false;
  bool FDown = false;
  bool RegionChanged = true;
  int FFocusMargin = 1;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  TsDisabledGlyphKind FDisabledGlyphKind = kDefaultDisabledGlyphKind;
  bool FGrayed = false;
  int FBlend = 0;
  int FOffset = 0;
  bool FShowCaption = true;
  bool FShowFocus = true;
  classlib::TAlignment FAlignment = classlib::taCenter;
  bool FDrawOverBorder = true;
  classlib::TAlignment FTextAlignment = classlib::taCenter;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  TRect LastRect;
  bool FReflected = false;
  TRect FCaptionRect;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

void RegisterBitBtnClasses();

}  // namespace skin
