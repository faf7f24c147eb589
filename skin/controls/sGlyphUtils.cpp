#include "skin/controls/sGlyphUtils.h"

#include <memory>

#include "skin/controls/sCustomComboEdit.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/graphics/acAlphaImageList.h"

namespace skin {

namespace {

bool Has(const classlib::TComponent* c, classlib::TComponentStateItem s) { return c->ComponentState().Contains(s); }

}  // namespace

classlib::TCustomImageList* BuiltInGlyphs() {
  static const std::unique_ptr<TsAlphaImageList> list = [] {
    auto l = std::make_unique<TsAlphaImageList>(nullptr, 48, 16);
    for (const wchar_t* name : {L"SF", L"SR", L"SD", L"SE", L"SC"})
      AddImageFromRes(GetModuleHandleW(nullptr), l.get(), name, ifPNG);
    l->GenerateStdList();
    return l;
  }();
  return list.get();
}

TsGlyphMode::TsGlyphMode(classlib::TWinControl* AOwner) : FOwner(AOwner) {}

void TsGlyphMode::DeclareProperties(classlib::TClassDecl<TsGlyphMode>& d) {
  d.Integer(L"Blend", &TsGlyphMode::Blend, &TsGlyphMode::SetBlend, 0);
  d.Bool(L"Grayed", &TsGlyphMode::Grayed, &TsGlyphMode::SetGrayed, false);
  d.String(L"Hint", &TsGlyphMode::Hint, &TsGlyphMode::SetHint);
  d.Component<classlib::TCustomImageList>(L"Images", &TsGlyphMode::Images, &TsGlyphMode::SetImages);
  d.Integer(L"ImageIndex", &TsGlyphMode::ImageIndex, &TsGlyphMode::SetImageIndex, -1);
  d.Integer(L"ImageIndexHot", &TsGlyphMode::ImageIndexHot, &TsGlyphMode::SetImageIndexHot, -1);
  d.Integer(L"ImageIndexPressed", &TsGlyphMode::ImageIndexPressed, &TsGlyphMode::SetImageIndexPressed, -1);
}

bool TsGlyphMode::BtnIsReady() const {
  return Btn != nullptr && !Has(Btn, classlib::csLoading) && !Has(Btn, classlib::csDestroying);
}

int TsGlyphMode::Blend() const { return BtnIsReady() ? Btn->Blend() : 0; }
void TsGlyphMode::SetBlend(int Value) {
  if (Btn != nullptr) Btn->SetBlend(Value);
}
bool TsGlyphMode::Grayed() const { return BtnIsReady() && Btn->Grayed(); }
void TsGlyphMode::SetGrayed(bool Value) {
  if (Btn != nullptr) Btn->SetGrayed(Value);
}

std::wstring TsGlyphMode::Hint() const {
  if (dynamic_cast<TsCustomComboEdit*>(FOwner) != nullptr && Btn != nullptr) return Btn->Hint();
  return FOwner != nullptr ? FOwner->Hint() : std::wstring();
}
void TsGlyphMode::SetHint(const std::wstring& Value) {
  if (dynamic_cast<TsCustomComboEdit*>(FOwner) != nullptr && Btn != nullptr) Btn->SetHint(Value);
}

void TsGlyphMode::SetImages(classlib::TCustomImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value != nullptr && FOwner != nullptr) Value->FreeNotification(FOwner);
  Invalidate();
}
void TsGlyphMode::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Invalidate();
}
void TsGlyphMode::SetImageIndexHot(int Value) {
  if (FImageIndexHot == Value) return;
  FImageIndexHot = Value;
  Invalidate();
}
void TsGlyphMode::SetImageIndexPressed(int Value) {
  if (FImageIndexPressed == Value) return;
  FImageIndexPressed = Value;
  Invalidate();
}

bool TsGlyphMode::UserImage() const { return FImages != nullptr && FImageIndex >= 0 && FImageIndex < FImages->Count(); }

classlib::TCustomImageList* TsGlyphMode::ActiveList() const { return UserImage() ? FImages : BuiltInGlyphs(); }

int TsGlyphMode::ImageCount() const {
  const classlib::TCustomImageList* l = ActiveList();
  if (l->Height() > 0 && l->Width() % l->Height() == 0 && l->Width() >= l->Height()) return l->Width() / l->Height();
  return 1;
}

int TsGlyphMode::Width() const {
  if (auto* edit = dynamic_cast<TsCustomComboEdit*>(FOwner); edit != nullptr && !edit->HasGlyphButton()) return 0;
  return ActiveList()->Width() / ImageCount();
}

int TsGlyphMode::Height() const { return ActiveList()->Height(); }

void TsGlyphMode::Invalidate() {
  auto* edit = dynamic_cast<TsCustomComboEdit*>(FOwner);
  if (edit == nullptr || Btn == nullptr) return;
  Btn->SetWidth(edit->HasGlyphButton() ? Width() + 2 : 0);
  Btn->SetNumGlyphs(ImageCount());
  Btn->Invalidate();
}

void RegisterGlyphModeClasses() { classlib::RegisterClass<TsGlyphMode, classlib::TPersistent>(L"TsGlyphMode"); }

}  // namespace skin
