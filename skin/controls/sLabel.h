#pragma once
// Skinned labels: windowless texts whose colours follow the skin of the default manager. The plain
// skinned label, and one that casts a blurred shadow or glow behind its text. Win32 only.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/StdCtrls.h"
#include "skin/controls/sLabelShadow.h"

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
  static void DeclareProperties(classlib::TClassDecl<TsCustomLabel>& d);

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
  static void DeclareProperties(classlib::TClassDecl<TsLabel>& d);
  bool UseSkinColor() const { return FUseSkinColor; }
  void SetUseSkinColor(bool Value) { FUseSkinColor = Value; }
  classlib::TFont* GetCurrentFont() override;

 protected:
  void WndProc(classlib::TMessage& Message) override;

 private:
  bool FollowsSkin() const;
  bool FUseSkinColor = true;
};

enum TsShadowMode { smNone, smCustom, smSkin1 };
enum TsKindType { ktStandard, ktCustom, ktSkin };

// The shadow of a shadowed label; every change repaints the label.
class TsShadow {
 public:
  explicit TsShadow(classlib::TControl* Control) : ParentControl(Control) { UpdateRGB(); }
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
class TsKind {
 public:
  explicit TsKind(classlib::TControl* Control) : FOwner(Control) {}
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

// Makes TsLabel and TsLabelFX known to the window descriptions.
void RegisterLabelClasses();

}  // namespace skin
