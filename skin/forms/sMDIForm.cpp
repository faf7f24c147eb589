#include "skin/forms/sMDIForm.h"

#include "skin/core/sCommonData.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"

namespace skin {

TsMDIForm::TsMDIForm(TsSkinProvider* Provider) : FForm(Provider->Form), SkinProvider(Provider) {
  if (FForm != nullptr) FForm->HandleNeeded();
}

TsMDIForm::~TsMDIForm() { DestroyScrolls(); }

void TsMDIForm::ConnectToClient() {
  if (ListSW) return;
  RefreshMDIScrolls();
}

void TsMDIForm::RefreshMDIScrolls() {
  DestroyScrolls();
  if (!SkinProvider->Skinned() || FForm == nullptr || FForm->ClientHandle() == nullptr) return;
  ListSW = TacMainWnd::Create<TacMDIWnd>(FForm->ClientHandle(), nullptr, SkinProvider->SkinManager(), "CHECKBOX", true);
  ListSW->FForm = FForm;
  ListSW->MDISkinData = SkinProvider->SkinData();
  ListSW->SkinProvider = this;
}

void TsMDIForm::DestroyScrolls() { ListSW.reset(); }

void TsMDIForm::UpdateMDIIconItem() { SkinProvider->RepaintMenu(); }

void TsMDIForm::ChildCommand(WPARAM Command) {
  if (FForm == nullptr) return;
  if (classlib::TCustomForm* child = FForm->ActiveMDIChild(); child != nullptr && child->HandleAllocated())
    SendMessageW(child->Handle(), WM_SYSCOMMAND, Command, 0);
}

void TsMDIForm::CloseClick(classlib::TObject*) { ChildCommand(SC_CLOSE); }
void TsMDIForm::MinClick(classlib::TObject*) { ChildCommand(SC_MINIMIZE); }
void TsMDIForm::RestoreClick(classlib::TObject*) { ChildCommand(SC_RESTORE); }

bool TsMDIForm::FrameAnimating() { return SkinProvider->fAnimating; }

bool TsMDIForm::FrameCached() { return IsCached(SkinProvider->SkinData()); }

classlib::TBitmap* TsMDIForm::FrameImage() {
  TsCommonData* data = SkinProvider->SkinData();
  classlib::TBitmap* image = data->CacheBmp();
  if (image == nullptr || image->Width() == 0 || data->BGChanged) SkinProvider->PaintAll();
  image = data->CacheBmp();
  return image != nullptr && image->Width() > 0 ? image : nullptr;
}

TColor TsMDIForm::FrameColor() { return SkinProvider->FormColor(); }

TPoint TsMDIForm::ImageOrigin() {
  RECT r{};
  if (FForm != nullptr && FForm->HandleAllocated()) GetWindowRect(FForm->Handle(), &r);
  TPoint origin{r.left, r.top};
  if (TacBorderForm* border = SkinProvider->BorderForm.get()) {
    const TRect shadow = SkinProvider->ShadowSize();
    origin.X -= shadow.Left + DiffBorder(border);
    origin.Y -= shadow.Top + DiffTitle(border);
  }
  return origin;
}

bool TsMDIForm::HasExtendedBorders() { return SkinProvider->BorderForm != nullptr; }

void TsMDIForm::ClientMoving() { SkinProvider->SkinData()->BGChanged = true; }

void TsMDIForm::ChildrenArranged() {
  SkinProvider->SkinData()->BGChanged = true;
  SkinProvider->FLinesCount = -1;
  if (FForm == nullptr || !FForm->HandleAllocated()) return;
  if (classlib::TCustomForm* child = FForm->ActiveMDIChild(); child != nullptr && child->HandleAllocated()) {
    const LONG_PTR style = GetWindowLongPtrW(child->Handle(), GWL_STYLE);
    if (style & WS_SYSMENU) SetWindowLongPtrW(child->Handle(), GWL_STYLE, style & ~LONG_PTR(WS_SYSMENU));
  }
  UpdateMDIIconItem();
  RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
  if (SkinProvider->SystemMenu != nullptr) SkinProvider->SystemMenu->UpdateItems(false);
}

void TsMDIForm::MenuSet() {
  TsSkinProvider* provider = MDISkinProvider != nullptr ? MDISkinProvider : SkinProvider;
  provider->SkinData()->BGChanged = true;
  provider->MenuChanged = true;
  provider->FLinesCount = -1;
}

void TsMDIForm::MenuRefreshed() { SkinProvider->UpdateSkinCaption(); }

}  // namespace skin
