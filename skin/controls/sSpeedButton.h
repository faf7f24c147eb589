#pragma once
// The skinned speed button: a windowless button painted by its parent from the skin section
// "SPEEDBUTTON" (section, caption and glyph rendered into a cache), with the tool-button styles
// (plain, check, drop-down with a 16-pixel arrow part and a popup menu, separator, divider), fades
// between its looks, and the windowless siblings that overlap it painted into its cache. Win32 only.
#include <memory>
#include <string>

#include "classlib/Buttons.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "skin/controls/Sthirdparty.h"
#include "skin/controls/sSpeedButtonGeometry.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsAnimTimer;

class TsSpeedButton : public classlib::TSpeedButton, public IacGlyphButton {
 public:
  explicit TsSpeedButton(classlib::TComponent* AOwner);
  ~TsSpeedButton() override;
  std::wstring ClassName() const override { return L"TsSpeedButton"; }
  static void DeclareProperties(classlib::TClassDecl<TsSpeedButton>& d);

  void WndProc(classlib::TMessage& Message) override;
  void Invalidate() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  TsDisabledGlyphKind DisabledGlyphKind() const { return FDisabledGlyphKind; }
  void SetDisabledGlyphKind(TsDisabledGlyphKind Value);
  bool Grayed() const { return FGrayed; }
  void SetGrayed(bool Value);
  int Blend() const { return FBlend; }
  void SetBlend(int Value);
  int TextOffset() const { return FOffset; }
  void SetOffset(int Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  classlib::TCustomImageList* Images() const { return FImages; }
  void SetImages(classlib::TCustomImageList* Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  classlib::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(classlib::TAlignment Value);
  classlib::TToolButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(classlib::TToolButtonStyle Value);
  classlib::TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(classlib::TPopupMenu* Value);
  bool DrawOverBorder() const { return FDrawOverBorder; }
  void SetDrawOverBorder(bool Value);
  classlib::TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(classlib::TAlignment Value);
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
  bool Reflected() const { return FReflected; }
  void SetReflected(bool Value);
  bool IsDroppedDown() const { return DroppedDown; }
  TsAnimTimer* FadeTimer() const { return FadeTimer_.get(); }
  // The caption layout of the last caption rectangle: 0 glyph left, 2 glyph right, 1 above or below.
  int TextLayout() const { return FTextLayout; }

  TBmpPaintEvent OnPaint;

  // 0 normal, 1 hot, 2 pressed.
  virtual int CurrentState();
  virtual TRect CaptionRect();
  virtual TRect ImgRect();
  virtual int GlyphWidth();
  virtual int GlyphHeight();
  virtual TSize TextRectSize();
  virtual void PrepareCache();
  int ArrowWidth() const { return FButtonStyle == classlib::tbsDropDown ? 16 : 0; }
  int GenMargin() const;
  // Repaints from the cache onto the parent without invalidating.
  void GraphRepaint();

  TacBtnGlyphSource BtnGlyphSource() override;
  TsCommonData* GlyphSkinData() override { return FCommonData.get(); }

 protected:
  void Paint() override;
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  virtual void DoDrawText(TRect& R, UINT Flags);
  virtual void DrawCaption();
  virtual void DrawGlyph();
  // The look without a skin; PaintButton false leaves the face out.
  virtual void StdPaint(bool PaintButton = true);

  bool DroppedDown = false;

 private:
  void GlyphChanged();
  void ImageListChange();
  void Ac_CMMouseEnter();
  // The class library fires OnMouseLeave for CM_MOUSELEAVE itself; the skin command's leave fires it here.
  void Ac_CMMouseLeave(bool FireEvent);
  // A change of look, faded when the event and the skin allow it.
  void StateChanged(TacAnimatEvent Event, bool Clicked);
  void StartFade(bool Clicked);
  void StopFade();
  void PaintOverlappingSiblings(classlib::TCanvas* Canvas);
  void CopyToScreen(classlib::TBitmap* Source);
  void PaintDropDownArrowPart(const TCacheInfo& CI, int State);
  void PaintParentBackground(const TCacheInfo& CI);
  bool VisibleOrLoading() const;
  void RepaintIfShown();
  TacSpeedButtonLayout LayoutInput();

  int FOldNumGlyphs = -1;
  int FOldSpacing = -1;
  std::unique_ptr<classlib::TChangeLink> FImageChangeLink;
  bool FStoredDown = false;
  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  std::unique_ptr<TsAnimTimer> FadeTimer_;
  TsDisabledGlyphKind FDisabledGlyphKind = kDefaultDisabledGlyphKind;
  bool FGrayed = false;
  int FBlend = 0;
  int FOffset = 0;
  int FImageIndex = -1;
  classlib::TCustomImageList* FImages = nullptr;
  bool FShowCaption = true;
  classlib::TAlignment FAlignment = classlib::taCenter;
  int FTextLayout = 0;
  classlib::TToolButtonStyle FButtonStyle = classlib::tbsButton;
  classlib::TPopupMenu* FDropdownMenu = nullptr;
  bool FDrawOverBorder = true;
  classlib::TAlignment FTextAlignment = classlib::taCenter;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  bool FReflected = false;
  classlib::TButtonLayout OldLayout = classlib::blGlyphLeft;
  // Tells a menu's caller that the button was freed while the menu ran.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A speed button as wide as it is high less 4, for auto-repeating spin parts.
class TsTimerSpeedButton : public TsSpeedButton {
 public:
  explicit TsTimerSpeedButton(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsTimerSpeedButton"; }
  static void DeclareProperties(classlib::TClassDecl<TsTimerSpeedButton>& d);
  bool AllowTimer() const { return FAllowTimer; }
  void SetAllowTimer(bool Value) { FAllowTimer = Value; }

 private:
  bool FAllowTimer = true;
};

// False while a drop-down menu's own popup of an action bar is open (no such menus here: true).
bool GlowingAllowed(TsSpeedButton* Button);

// Registers the speed buttons with the class registry.
void RegisterSpeedButtonClasses();

}  // namespace skin
