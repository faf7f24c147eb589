#include "skin/controls/sCheckBox.h"

#include "skin/core/sSkinManager.h"

namespace skin {

using classlib::TMessage;

int PaintState = -1;

TsCheckBox::TsCheckBox(classlib::TComponent* AOwner) : TacCheckControl(AOwner) { SkinData()->COC = 32; }

void TsCheckBox::DeclareProperties(classlib::TClassDecl<TsCheckBox>& d) {
  DeclareCheckControlProperties(d);
  d.Integer(L"ImgChecked", &TsCheckBox::ImgChecked, &TsCheckBox::SetImgChecked, 0);
  d.Integer(L"ImgUnchecked", &TsCheckBox::ImgUnchecked, &TsCheckBox::SetImgUnchecked, 0);
  d.Component<classlib::TCustomImageList>(L"Images", &TsCheckBox::Images, &TsCheckBox::SetImages);
  d.Bool(L"ReadOnly", &TsCheckBox::ReadOnly, &TsCheckBox::SetReadOnly, false);
  d.Bool(L"ShowFocus", &TsCheckBox::ShowFocus, &TsCheckBox::SetShowFocus, true);
  d.Integer(L"TextIndent", &TsCheckBox::TextIndent, &TsCheckBox::SetTextIndent, 0);
  d.Bool(L"WordWrap", &TsCheckBox::WordWrap, &TsCheckBox::SetWordWrap, false);
  d.Bool(L"AutoSize", &TsCheckBox::AutoSize, &TsCheckBox::SetAutoSize, true);
}

void RegisterCheckBoxClasses() { classlib::RegisterClass<TsCheckBox, classlib::TCustomCheckBox>(L"TsCheckBox"); }

void TsCheckBox::SetImages(classlib::TCustomImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  AdjustSize();
  SkinData()->Invalidate();
}

void TsCheckBox::SetImgChecked(int Value) {
  if (FImgChecked == Value) return;
  FImgChecked = Value;
  AdjustSize();
  if (Checked()) SkinData()->Invalidate();
}

void TsCheckBox::SetImgUnchecked(int Value) {
  if (FImgUnchecked == Value) return;
  FImgUnchecked = Value;
  AdjustSize();
  if (!Checked()) SkinData()->Invalidate();
}

void TsCheckBox::Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) {
  TacCheckControl::Notification(AComponent, Operation);
  if (Operation == classlib::opRemove && AComponent == static_cast<classlib::TComponent*>(FImages)) FImages = nullptr;
}

void TsCheckBox::SetChecked(bool Value) {
  const bool changed = Value != Checked();
  if (changed) SkinData()->BGChanged = true;
  TacCheckControl::SetChecked(Value);
  if (changed && !ComponentState().Contains(classlib::csLoading) && SkinData()->BGChanged) RepaintNow();
}

int TsCheckBox::GlyphMaskIndex(classlib::TCheckBoxState S) const {
  TsSkinManager* sm = SkinData()->GetSkinManager();
  if (sm == nullptr) return -1;
  const TConstantSkinData& c = sm->Records().ConstData;
  switch (S) {
    case classlib::cbChecked: return c.CheckBoxChecked;
    case classlib::cbGrayed: return c.CheckBoxGrayed;
    default: return c.CheckBoxUnChecked;
  }
}

int TsCheckBox::SkinImage() const {
  static constexpr classlib::TCheckBoxState kPaintStates[] = {classlib::cbUnchecked, classlib::cbChecked,
                                                              classlib::cbGrayed};
  const bool forced = PaintState >= 0 && PaintState < 3;
  return GlyphMaskIndex(forced ? kPaintStates[PaintState] : State());
}

int TsCheckBox::PlacingImage() const { return GlyphMaskIndex(classlib::cbChecked); }

bool TsCheckBox::ListGlyph(classlib::TCustomImageList*& List, int& Index) const {
  if (FImages == nullptr || FImgChecked < 0 || FImgUnchecked < 0) return false;
  List = FImages;
  Index = Checked() ? FImgChecked : FImgUnchecked;
  return true;
}

void TsCheckBox::Toggle() {
  switch (State()) {
    case classlib::cbUnchecked: SetState(classlib::cbChecked); break;
    case classlib::cbChecked: SetState(AllowGrayed() ? classlib::cbGrayed : classlib::cbUnchecked); break;
    case classlib::cbGrayed: SetState(classlib::cbUnchecked); break;
  }
}

void TsCheckBox::Release() { Toggle(); }

bool TsCheckBox::SkinnedSetCheck(TMessage&) {
  // The native window's state is not used while skinned (BM_GETCHECK answers from State).
  if (FadeTimer != nullptr && FadeTimer->FadeLevel < FadeTimer->Iterations) StopFade();
  return true;
}

bool TsCheckBox::SwallowsClick(const TMessage& M) const {
  return M.Msg == classlib::CN_COMMAND && HIWORD(M.WParam) == BN_CLICKED && ReadOnly();
}

}  // namespace skin
