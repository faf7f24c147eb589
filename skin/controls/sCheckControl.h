#pragma once
// What the skinned check box and radio button share over their class-library bases: while a skin
// is active they take the mouse and the space bar from the native window, paint the section, the
// check glyph (an image list's, a user bitmap's cells or the skin's image) and the caption into
// their cache on every paint, and size themselves to glyph and caption. Each kind says which
// skin image shows, what a release does and how the native check state is told. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/StdCtrls.h"
#include "skin/controls/sButtonLayout.h"
#include "skin/controls/sControlTypes.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sFade.h"

namespace skin {

template <class Base>
class TacCheckControl : public Base {
 public:
  explicit TacCheckControl(classlib::TComponent* AOwner);
  ~TacCheckControl() override;
  void AfterConstruction() override;

  TsCommonData* SkinData() const { return FCommonData.get(); }
  TsDisabledKind DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(TsDisabledKind Value);
  classlib::TBitmap* GlyphChecked() const { return FGlyphChecked.get(); }
  void SetGlyphChecked(const classlib::TBitmap* Value);
  classlib::TBitmap* GlyphUnChecked() const { return FGlyphUnChecked.get(); }
  void SetGlyphUnChecked(const classlib::TBitmap* Value);
  int TextIndent() const { return FTextIndent; }
  void SetTextIndent(int Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  bool ReadOnly() const { return GetReadOnly(); }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // The published WordWrap is false by default here, as in the base.
  bool WordWrap() const { return this->FWordWrap; }
  void SetWordWrap(bool Value) { classlib::TButtonControl::SetWordWrap(Value); }

  // Sizes to glyph and caption when AutoSize allows.
  void AdjustSize();
  // The automatic size: false when the control keeps its size.
  virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
  virtual bool GetReadOnly() const { return FReadOnly; }
  // The user glyph for the check state, nullptr when that bitmap is empty.
  classlib::TBitmap* Glyph() const;
  int GlyphWidth() const;
  int GlyphHeight() const;
  // Where the glyph goes.
  TRect CheckRect() const;
  void PrepareCache();

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  // The alignment the glyph follows: the caption's side.
  classlib::TAlignment GetControlsAlignment() const;

  // The skin image for the present check state (-1: none).
  virtual int SkinImage() const = 0;
  // The skin image whose size places the glyph (-1: none).
  virtual int PlacingImage() const = 0;
  // The image list and image for the present check state; false when the list's glyph does not apply.
  virtual bool ListGlyph(classlib::TCustomImageList*& List, int& Index) const { return false; }
  // A completed press (mouse or space bar) on a control that may change.
  virtual void Release() = 0;
  // The native window's check state (for the window when the skin goes).
  virtual WPARAM NativeCheck() const = 0;
  // BM_SETCHECK while skinned; true when it is done.
  virtual bool SkinnedSetCheck(classlib::TMessage& Message) = 0;
  // A click while unskinned and read-only is swallowed.
  virtual bool SwallowsClick(const classlib::TMessage& Message) const { return false; }

  bool Skinned() const;
  void StopFade();
  void RepaintNow();
  void PaintHandler(classlib::TMessage& Message);
  void PaintControl(HDC DC);

  bool FPressed = false;
  bool FReadOnly = false;
  TsFadeTimer* FadeTimer = nullptr;

 private:
  bool Designing() const { return this->ComponentState().Contains(classlib::csDesigning); }
  bool Destroying() const { return this->ComponentState().Contains(classlib::csDestroying); }
  bool SkinCommand(classlib::TMessage& Message);
  bool FocusAndHover(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void UnskinnedMessage(classlib::TMessage& Message);
  void Press(classlib::TMessage& Message, bool Keyboard);
  void ReleasePress(classlib::TMessage& Message, bool Keyboard);
  void DrawCheckText();
  void DrawCheckArea();
  void PaintGlyph(classlib::TBitmap* Bmp, int Cell);
  TSize SkinGlyphSize(int Image) const;
  void GlyphChanged(bool Shown);

  std::unique_ptr<TsCommonData> FCommonData;
  TsDisabledKind FDisabledKind = kDefaultDisabledKind;
  std::unique_ptr<classlib::TBitmap> FGlyphUnChecked;
  std::unique_ptr<classlib::TBitmap> FGlyphChecked;
  int FTextIndent = 0;
  bool FShowFocus = true;
  int FMargin = 2;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  bool FAutoSize = true;
  // Cleared by the destructor: code after a click handler learns that it freed the control.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The published properties the check box and the radio button share, in the order a description
// of either is read.
template <class T>
void DeclareCheckControlProperties(classlib::TClassDecl<T>& d) {
  d.Integer(L"Margin", &T::Margin, &T::SetMargin, 2);
  d.Set(L"AnimatEvents", &T::AnimatEvents, &T::SetAnimatEvents, kDefaultAnimatEvents);
  d.Object(L"SkinData", &T::SkinData);
  d.Set(L"DisabledKind", &T::DisabledKind, &T::SetDisabledKind, kDefaultDisabledKind);
  d.Object(L"GlyphChecked", &T::GlyphChecked);
  d.Object(L"GlyphUnChecked", &T::GlyphUnChecked);
}

extern template class TacCheckControl<classlib::TCustomCheckBox>;
extern template class TacCheckControl<classlib::TRadioButton>;

}  // namespace skin
