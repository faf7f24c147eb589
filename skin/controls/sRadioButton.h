#pragma once
// The skinned radio button: checked and unchecked looks from the skin's global images or user
// bitmaps; checking one unchecks the other radio buttons of its parent. Win32 only.
#include "skin/controls/sCheckControl.h"

namespace skin {

class TsRadioButton : public TacCheckControl<classlib::TRadioButton> {
 public:
  explicit TsRadioButton(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsRadioButton"; }
  static void DeclareProperties(classlib::TClassDecl<TsRadioButton>& d);

  // A radio button that sizes itself keeps its caption on one line.
  void Invalidate() override;
  // Whether a press may check the button; descendants veto a change here.
  virtual bool CanModify() { return true; }
  // The skin image for a check state in the skin's global section (-1: none).
  int GlyphMaskIndex(bool Checked) const;

 protected:
  int SkinImage() const override { return GlyphMaskIndex(Checked()); }
  int PlacingImage() const override { return GlyphMaskIndex(Checked()); }
  void Release() override;
  WPARAM NativeCheck() const override { return Checked() ? BST_CHECKED : BST_UNCHECKED; }
  bool SkinnedSetCheck(classlib::TMessage& Message) override;
  bool SwallowsClick(const classlib::TMessage& Message) const override;
};

void RegisterRadioButtonClasses();

}  // namespace skin
