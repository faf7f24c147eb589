#pragma once
// The skinned check box: unchecked, checked and grayed looks from the skin's global images, user
// bitmaps or an image list; a read-only box shows hover and focus but does not change. Win32 only.
#include "skin/controls/sCheckControl.h"

namespace skin {

// When not -1, the skin glyph of this state (0 unchecked, 1 checked, 2 grayed) is drawn in place
// of the box's own.
extern int PaintState;

class TsCheckBox : public TacCheckControl<classlib::TCustomCheckBox> {
 public:
  explicit TsCheckBox(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsCheckBox"; }
  static void DeclareProperties(classlib::TClassDecl<TsCheckBox>& d);

  classlib::TCustomImageList* Images() const { return FImages; }
  void SetImages(classlib::TCustomImageList* Value);
  int ImgChecked() const { return FImgChecked; }
  void SetImgChecked(int Value);
  int ImgUnchecked() const { return FImgUnchecked; }
  void SetImgUnchecked(int Value);
  void SetChecked(bool Value) override;
  // Unchecked -> checked -> grayed (when allowed) -> unchecked.
  void Toggle() override;
  // The skin image of a check state in the skin's global section (-1: none).
  int GlyphMaskIndex(classlib::TCheckBoxState State) const;

 protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  int SkinImage() const override;
  int PlacingImage() const override;
  bool ListGlyph(classlib::TCustomImageList*& List, int& Index) const override;
  void Release() override;
  WPARAM NativeCheck() const override { return static_cast<WPARAM>(State()); }
  bool SkinnedSetCheck(classlib::TMessage& Message) override;
  bool SwallowsClick(const classlib::TMessage& Message) const override;

 private:
  classlib::TCustomImageList* FImages = nullptr;
  int FImgChecked = 0;
  int FImgUnchecked = 0;
};

void RegisterCheckBoxClasses();

}  // namespace skin
