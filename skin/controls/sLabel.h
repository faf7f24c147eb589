#pragma once
// Skinned labels: windowless texts whose colours follow the skin of the default manager. The plain
// skinned label, the caption label of an edit, a link, a label that keeps beside another control,
// and one that casts a blurred shadow or glow behind its text. Win32 only.
//   sLabel.cpp            the plain, edit and shadowed labels
//   sLabelWeb.cpp         the link label and the opener of its links
//   sLabelSticky.cpp      the label kept beside another control
//   sLabelProperties.cpp  the published properties of all of them
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/StdCtrls.h"
#include "skin/controls/sLabelShadow.h"
#include "skin/controls/sStickyLabelPlace.h"
#include "skin/core/sCommonData.h"

namespace skin {

class TsSkinManager;

// Shared by all labels. Set while a paint adjusts a label's font, so that the change notice it
// causes is not taken for a user's change; and while such a notice is handled, against re-entry.
// Both are restored on every exit, a raising handler included.
inline bool LabelFontUpdating = false;
inline bool LabelFontChanging = false;

class TsCustomLabel : public classlib::TCustomLabel {
 public:
  explicit TsCustomLabel(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsCustomLabel"; }

  const std::wstring& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::wstring& Value);
  // The font to paint with: the label's own, coloured as the skin says while one is active.
  virtual classlib::TFont* GetCurrentFont();

  classlib::TNotifyEvent OnMouseEnter;
  classlib::TNotifyEvent OnMouseLeave;
  // The index of SkinSection while a paint runs; -1 otherwise.
  int FSkinIndex = -1;

 protected:
  void Paint() override;
  void DoDrawText(TRect& Rect, UINT Flags) override;
  void WndProc(classlib::TMessage& Message) override;
  bool Destroying() const;
  bool Designing() const;
  // The label's text with a blank for measuring an empty (or lone accelerator) caption, and the
  // flags the caption needs.
  std::wstring TextToDraw(UINT& Flags) const;

 private:
  std::wstring FSkinSection;
};

class TsLabel : public TsCustomLabel {
 public:
  explicit TsLabel(classlib::TComponent* AOwner) : TsCustomLabel(AOwner) {}
  std::wstring ClassName() const override { return L"TsLabel"; }
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool Value) { FUseSkinColor = Value; }
  classlib::TFont* GetCurrentFont() override;

 protected:
  void WndProc(classlib::TMessage& Message) override;
  // The font colour follows the skin: not while destroying, with UseSkinColor, and not while
  // designed inside a frame.
  bool FollowsSkin() const;

 private:
  bool FUseSkinColor = true;
};

// The caption label of an edit-type control: its bound-label record makes, places and frees it.
// Freed by anyone else (the parent frees its children, whoever owns them), it tells the record,
// which then holds no label and is no longer active.
class TsEditLabel : public TsLabel, public IacBoundLabelControl {
 public:
  explicit TsEditLabel(classlib::TComponent* AOwner, TsBoundLabel* BoundStruct = nullptr);
  ~TsEditLabel() override;
  std::wstring ClassName() const override { return L"TsEditLabel"; }

  classlib::TCustomLabel* LabelControl() override { return this; }
  bool UseSkinColor() const override { return TsLabel::UseSkinColor(); }
  void SetUseSkinColor(bool Value) override { TsLabel::SetUseSkinColor(Value); }

  TsBoundLabel* BoundLabel = nullptr;
};

// Opens a link with a show command; the shell's by default. Tests put their own in, so that
// nothing is launched.
using TacUrlOpener = std::function<void(const std::wstring& URL, TsWindowShowMode ShowMode)>;
// Sets the opener of the link labels and answers the one it replaces; an empty one puts the
// shell's back.
TacUrlOpener SetUrlOpener(TacUrlOpener Opener);

// A link: drawn in its normal font, in its hover font while the mouse is over it, and opening URL
// when clicked.
class TsWebLabel : public TsLabel {
 public:
  explicit TsWebLabel(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsWebLabel"; }

  // Published as Font: what the label shows while the mouse is elsewhere.
  classlib::TFont* NormalFont() const { return FNormalFont.get(); }
  void SetNormalFont(const classlib::TFont* Value);
  classlib::TFont* HoverFont() const { return FHoverFont.get(); }
  void SetHoverFont(const classlib::TFont* Value);
  const std::wstring& URL() const { return FURL; }
  void SetURL(const std::wstring& Value) { FURL = Value; }
  TsWindowShowMode ShowMode() const { return FShowMode; }
  void SetShowMode(TsWindowShowMode Value) { FShowMode = Value; }
  classlib::TFont* GetCurrentFont() override;

  bool MouseAbove = false;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  void MouseMoved(bool Above);

  std::unique_ptr<classlib::TFont> FNormalFont;
  std::unique_ptr<classlib::TFont> FHoverFont;
  std::wstring FURL;
  TsWindowShowMode FShowMode = TsWindowShowMode::soDefault;
};

class TsStickyHook;

// A label that keeps beside another control (AttachTo) on the side AlignTo, Gap pixels away: it
// follows the control's moves, visibility and enabled state, and moving the label moves the
// control. It sees the control's messages through a link it puts into the control's WindowProc;
// freeing either side in any order, with other hooks on the same control, leaves no call to a
// freed label.
class TsStickyLabel : public TsLabel {
 public:
  explicit TsStickyLabel(classlib::TComponent* AOwner);
  ~TsStickyLabel() override;
  std::wstring ClassName() const override { return L"TsStickyLabel"; }

  classlib::TControl* AttachTo() const { return FAttachTo; }
  void SetAttachTo(classlib::TControl* Value);
  TAlignTo AlignTo() const { return FAlignTo; }
  void SetAlignTo(TAlignTo Value);
  int Gap() const { return FGap; }
  void SetGap(int Value);
  // MoveLabel: the label goes beside the control; otherwise the control beside the label.
  void Adjust(bool MoveLabel);

 protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  friend class TsStickyHook;
  // What the label does once the control has handled one of its messages.
  void FollowControl(const classlib::TMessage& Message);
  bool Following() const;
  void Hook();
  void Unhook();
  // The control is being freed: its window procedure is left alone, the link forgotten.
  void Forget();

  classlib::TControl* FAttachTo = nullptr;
  TAlignTo FAlignTo = altLeft;
  int FGap = 2;
  bool FRealigning = false;
  TsStickyHook* hook_ = nullptr;
  // The control's bounds as last seen: a change of place moves the label, of size the control.
  TRect seen_{};
};

enum TsShadowMode { smNone, smCustom, smSkin1 };
enum TsKindType { ktStandard, ktCustom, ktSkin };

// The shadow of a shadowed label; every change repaints the label.
class TsShadow : public classlib::TPersistent {
 public:
  explicit TsShadow(classlib::TControl* Control) : ParentControl(Control) { UpdateRGB(); }
  std::wstring ClassName() const override { return L"TsShadow"; }
  TsShadowMode Mode() const { return FMode; }
  void SetMode(TsShadowMode Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int BlurCount() const { return FBlurCount; }
  void SetBlurCount(int Value);
  int Distance() const { return FDistance; }
  void SetDistance(int Value);
  // The shadow colour's red, green and blue.
  int sr = 0, sg = 0, sb = 0;
  void UpdateRGB();
  // Keep the shadow image between paints; off, it is rebuilt at every paint.
  bool FBuffered = false;

 private:
  classlib::TControl* ParentControl;
  TsShadowMode FMode = smSkin1;
  TColor FColor = classlib::clBlack;
  int FBlurCount = 4;
  int FDistance = 1;
};

// Where a shadowed label's text colour comes from.
class TsKind : public classlib::TPersistent {
 public:
  explicit TsKind(classlib::TControl* Control) : FOwner(Control) {}
  std::wstring ClassName() const override { return L"TsKind"; }
  TsKindType KindType() const { return FKindType; }
  void SetKindType(TsKindType Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

 private:
  classlib::TControl* FOwner;
  TsKindType FKindType = ktSkin;
  TColor FColor = classlib::clWhite;
};

class TsLabelFX : public TsCustomLabel {
 public:
  explicit TsLabelFX(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsLabelFX"; }
  TsShadow* Shadow() { return &FShadow; }
  TsKind* Kind() { return &FKind; }
  // How far the last shadow reached beyond the text.
  TsShadowReach Reach() const { return FReach; }
  const TsBlurGrid& BlurGrid() const { return FMaskBits; }

 protected:
  void DoDrawText(TRect& Rect, UINT Flags) override;

 private:
  TColor TextColor();
  void BuildShadowImage(HDC DC, const std::wstring& Text, const TRect& Rect, UINT Flags, int Distance);

  std::unique_ptr<classlib::TBitmap> FMask;
  TsBlurGrid FMaskBits;
  TsShadow FShadow{this};
  TsKind FKind{this};
  TsShadowReach FReach;
  bool FNeedInvalidate = true;
};

// Every label class, the shadow and the text-colour source in the class registry, with their
// published properties and defaults.
void RegisterLabelClasses();

}  // namespace skin

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TsShadowMode>() {
  static const TEnumInfo i{L"TsShadowMode", {L"smNone", L"smCustom", L"smSkin1"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TsKindType>() {
  static const TEnumInfo i{L"TsKindType", {L"ktStandard", L"ktCustom", L"ktSkin"}};
  return i;
}
}  // namespace classlib
