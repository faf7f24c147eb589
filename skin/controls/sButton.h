#pragma once
// The skinned push button: a plain button, a command link (bold caption with a note below) or a
// split button (a strip at the right edge that drops a menu down). Its window is owner-drawn; with
// an active skin it renders itself into its skin state's cache and copies that to the screen,
// without one it draws a classic button. Win32 only.
//
// The paint cycle that skinned windowed controls follow (they state only where they differ):
//  - CurrentState: 2 pressed (pushed, Down, menu dropped), 1 hot (under the mouse, focused,
//    default), 0 normal; painting clamps it to the section's States - 1.
//  - PrepareCache renders the whole look into SkinData's cache: the parent's background where the
//    section is see-through, the section for the state, the border image (not in state 0 when its
//    DrawMode has bit 2; a CornerType 2 border also cuts a window region), hue and saturation,
//    glyph and caption, the disabled look; then BGChanged := false.
//  - OurPaintHandler(DC) serves WM_PAINT and WM_PRINT: idle while a window animation runs (except
//    into the print DC), while the parent updates or while a fade timer paints; it renders when
//    BGChanged (or the control was half hidden), hands a new region to the window, and copies the
//    cache once. A region it does not hand over is deleted, never dropped.
//  - A change of look (enter, leave, press, release, focus) sets BGChanged and either repaints at
//    once or fades from the old cache (DoChangePaint); the glow follows the hot look.
//  - WndProc layers: drop focus loss while destroying; answer the skin commands; unskinned, the
//    class library's button; skinned, the messages that change the look; then CommonWndProc and
//    the class library's handling.
#include <windows.h>

#include <memory>

#include "classlib/StdCtrls.h"
#include "skin/controls/Sthirdparty.h"
#include "skin/controls/sButtonLayout.h"
#include "skin/controls/sControlPaint.h"
#include "skin/controls/sControlTypes.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sFade.h"

namespace skin {

class TsButton : public classlib::TButton, public IacGlyphButton {
 public:
  explicit TsButton(classlib::TComponent* AOwner);
  ~TsButton() override;
  std::wstring ClassName() const override { return L"TsButton"; }
  static void DeclareProperties(classlib::TClassDecl<TsButton>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int FocusMargin() const { return FFocusMargin; }
  void SetFocusMargin(int Value) { FFocusMargin = Value; }
  int ContentMargin() const { return FContentMargin; }
  void SetContentMargin(int Value);
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle Value);
  bool Reflected() const { return FReflected; }
  void SetReflected(bool Value);
  // The published WordWrap defaults to true here.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { TButtonControl::SetWordWrap(Value); }

  // The look: 0 normal, 1 hot, 2 pressed (before clamping to the section's states).
  virtual int CurrentState();
  // The image list entry for the current state.
  int GlyphIndex();
  bool GlyphExist() const;
  TRect GlyphRect();
  virtual TRect CaptionRect();
  virtual void PrepareCache();
  virtual void OurPaintHandler(HDC DC);

  bool Active = false;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;
  void CreateParams(classlib::TCreateParams& Params) override;
  void SetButtonStyle(bool ADefault) override;
  void UpdateImageList() override;
  void UpdateImages() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  // Caption, focus frame and command-link note onto Canvas (nullptr: the cache's canvas).
  virtual void DrawCaption(classlib::TCanvas* Canvas);
  // The glyph hook: the image-list glyph into the cache.
  virtual void DrawGlyph(classlib::TCanvas* Canvas);
  // The image of the state (GlyphIndex) at GlyphRect; the disabled look comes from the whole
  // control's disabled kind, so the image itself is drawn as it is.
  TacBtnGlyphSource BtnGlyphSource() override;
  TsCommonData* GlyphSkinData() override;
  // The unskinned look, into an owner-draw item's DC.
  virtual void StdDrawItem(const DRAWITEMSTRUCT& Item);

  bool IsFocused = false;
  // A region built by PrepareCache and not yet handed to the window; kFirstPaintRegion before the
  // first paint.
  HRGN FRegion;
  bool DroppedDown = false;
  // The running fade, nullptr when none.
  TsFadeTimer* FadeTimer = nullptr;

 private:
  bool Skinned() const;
  bool Destroying() const;
  bool Designing() const;
  // The section's border image when it is a valid image of the manager.
  const TsMaskData* BorderImage() const;
  TButtonGeometry Layout();
  void StopFade();
  void RepaintNow();
  void DeleteHeldRegion();
  void RemoveWindowRegion();
  void PressSplitStrip();
  void DrawClassicFace(HDC DC, const TRect& Client, bool Pressed, bool Focused, bool Disabled);
  bool InSplitStrip(int X, int Y) const;
  // Stages of the window procedure; true when the message is done.
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void AfterInherited(classlib::TMessage Message);
  void MouseHover(bool Entered);
  void FocusGained(classlib::TMessage& Message);
  void FocusLost(classlib::TMessage& Message);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  bool FMouseClicked = false;
  bool FDown = false;
  bool RegionChanged = true;
  int FFocusMargin = 1;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  TRect LastRect;
  bool FShowFocus = true;
  bool FReflected = false;
  TButtonStyle FStyle = bsPushButton;
  int FContentMargin = 6;
  // Cleared by the destructor: code after a menu learns that a handler freed the button.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

void RegisterButtonClasses();

}  // namespace skin
