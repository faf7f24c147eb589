// Buttons of the standard controls: the accelerator test, the button base, image margins and
// the push button with its images, command-link note and drop-down menu.
#include "classlib/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace classlib {

bool IsAccel(wchar_t Char, const std::wstring& Caption) {
  for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != L'&') continue;
    if (Caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return AnsiUpperCase(std::wstring(1, Caption[i + 1])) == AnsiUpperCase(std::wstring(1, Char));
  }
  return false;
}

// ---- TButtonControl ----

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csSetCaption, csDoubleClicks};
}

void TButtonControl::DeclareProperties(TClassDecl<TButtonControl>& d) {
  d.Bool(L"WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap, false);
}

void TButtonControl::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TButtonControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  if (FWordWrap) Params.Style |= BS_MULTILINE;
}

// ---- TImageMargins ----

void TImageMargins::DeclareProperties(TClassDecl<TImageMargins>& d) {
  d.Integer(L"Left", &TImageMargins::Left, &TImageMargins::SetLeft, 0);
  d.Integer(L"Top", &TImageMargins::Top, &TImageMargins::SetTop, 0);
  d.Integer(L"Right", &TImageMargins::Right, &TImageMargins::SetRight, 0);
  d.Integer(L"Bottom", &TImageMargins::Bottom, &TImageMargins::SetBottom, 0);
}

void TImageMargins::Assign(const TPersistent* Source) {
  auto* other = dynamic_cast<const TImageMargins*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  FLeft = other->FLeft;
  FTop = other->FTop;
  FRight = other->FRight;
  FBottom = other->FBottom;
  if (OnChange) OnChange(this);
}

void TImageMargins::Set(int& field, int value) {
  if (field == value) return;
  field = value;
  if (OnChange) OnChange(this);
}

// ---- TButton ----

TButton::TButton(TComponent* AOwner)
    : TButtonControl(AOwner),
      FImageLink(std::make_unique<TChangeLink>()),
      FImageMargins(std::make_unique<TImageMargins>()) {
  FWidth = 75;
  FHeight = 25;
  FTabStop = true;
  FColor = clBtnFace;
  FBrush.SetColor(FColor);
  FImageLink->OnChange = [this](TObject*) { UpdateImageList(); };
  FImageMargins->OnChange = [this](TObject*) { UpdateImages(); };
}

TButton::~TButton() {
  if (FImages) FImages->UnRegisterChanges(FImageLink.get());
  FImageMargins->OnChange = nullptr;
}

void TButton::DeclareProperties(TClassDecl<TButton>& d) {
  d.Bool(L"Default", &TButton::Default, &TButton::SetDefault, false);
  d.Bool(L"Cancel", &TButton::Cancel, &TButton::SetCancel, false);
  d.Integer(L"ModalResult", &TButton::ModalResult, &TButton::SetModalResult, mrNone);
  d.Bool(L"TabStop", &TButton::TabStop, &TButton::SetTabStop, true);
  d.Color(L"Color", &TButton::Color, &TButton::SetColor, clBtnFace);
  d.Component<TCustomImageList>(L"Images", &TButton::Images, &TButton::SetImages);
  d.Integer(L"ImageIndex", &TButton::ImageIndex, &TButton::SetImageIndex, -1);
  d.Integer(L"HotImageIndex", &TButton::HotImageIndex, &TButton::SetHotImageIndex, -1);
  d.Integer(L"PressedImageIndex", &TButton::PressedImageIndex, &TButton::SetPressedImageIndex, -1);
  d.Integer(L"SelectedImageIndex", &TButton::SelectedImageIndex, &TButton::SetSelectedImageIndex, -1);
  d.Integer(L"DisabledImageIndex", &TButton::DisabledImageIndex, &TButton::SetDisabledImageIndex, -1);
  d.Enum(L"ImageAlignment", &TButton::ImageAlignment, &TButton::SetImageAlignment, iaLeft);
  d.Object(L"ImageMargins", &TButton::ImageMargins);
  d.String(L"CommandLinkHint", &TButton::CommandLinkHint, &TButton::SetCommandLinkHint);
  d.Component<TPopupMenu>(L"DropDownMenu", &TButton::DropDownMenu, &TButton::SetDropDownMenu);
}

void TButton::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->UnRegisterChanges(FImageLink.get());
  FImages = Value;
  if (Value) {
    Value->RegisterChanges(FImageLink.get());
    Value->FreeNotification(this);
  }
  UpdateImageList();
}

void TButton::Notification(TComponent* AComponent, TOperation Operation) {
  TButtonControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (static_cast<TComponent*>(FImages) == AComponent) {
    FImages = nullptr;
    UpdateImageList();
  }
  if (static_cast<TComponent*>(FDropDownMenu) == AComponent) FDropDownMenu = nullptr;
}

void TButton::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  UpdateImages();
}
void TButton::SetHotImageIndex(int Value) {
  if (FHotImageIndex == Value) return;
  FHotImageIndex = Value;
  UpdateImages();
}
void TButton::SetPressedImageIndex(int Value) {
  if (FPressedImageIndex == Value) return;
  FPressedImageIndex = Value;
  UpdateImages();
}
void TButton::SetSelectedImageIndex(int Value) {
  if (FSelectedImageIndex == Value) return;
  FSelectedImageIndex = Value;
  UpdateImages();
}
void TButton::SetDisabledImageIndex(int Value) {
  if (FDisabledImageIndex == Value) return;
  FDisabledImageIndex = Value;
  UpdateImages();
}
void TButton::SetImageAlignment(TImageAlignment Value) {
  if (FImageAlignment == Value) return;
  FImageAlignment = Value;
  UpdateImages();
}
void TButton::SetCommandLinkHint(const std::wstring& Value) {
  FCommandLinkHint = Value;
  if (FHandle) SendMessageW(FHandle, BCM_SETNOTE, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}
void TButton::SetDropDownMenu(TPopupMenu* Value) {
  FDropDownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TButton::UpdateImageList() { UpdateImages(); }

void TButton::UpdateImages() {
  if (!FHandle) return;
  const LONG_PTR kind = GetWindowLongPtrW(FHandle, GWL_STYLE) & BS_TYPEMASK;
  if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) return;
  BUTTON_IMAGELIST bil{};
  bil.himl = nullptr;
  if (FImages && FImageIndex >= 0 && FImageIndex < FImages->Count()) {
    // The system button takes one image per state: normal, hot, pressed, disabled, focused, hot.
    const int count = FImages->Count();
    auto pick = [&](int index) { return index >= 0 && index < count ? index : FImageIndex; };
    const int states[] = {FImageIndex,
                          pick(FHotImageIndex),
                          pick(FPressedImageIndex),
                          pick(FDisabledImageIndex),
                          pick(FSelectedImageIndex),
                          pick(FHotImageIndex)};
    FStateImages.Create(FImages->Width(), FImages->Height(), ILC_COLOR32 | ILC_MASK, 6);
    for (int index : states) {
      TBitmap image;
      if (FImages->GetBitmap(index, &image)) FStateImages.Add(&image, nullptr);
    }
    bil.himl = FStateImages.Handle();
    bil.margin = RECT{FImageMargins->Left(), FImageMargins->Top(), FImageMargins->Right(), FImageMargins->Bottom()};
    static const UINT aligns[] = {BUTTON_IMAGELIST_ALIGN_LEFT, BUTTON_IMAGELIST_ALIGN_RIGHT, BUTTON_IMAGELIST_ALIGN_TOP,
                                  BUTTON_IMAGELIST_ALIGN_BOTTOM, BUTTON_IMAGELIST_ALIGN_CENTER};
    bil.uAlign = aligns[FImageAlignment];
  }
  SendMessageW(FHandle, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
  InvalidateRect(FHandle, nullptr, TRUE);
}

void TButton::InitializeWindow() {
  TButtonControl::InitializeWindow();
  if (!FCommandLinkHint.empty())
    SendMessageW(FHandle, BCM_SETNOTE, 0, reinterpret_cast<LPARAM>(FCommandLinkHint.c_str()));
  UpdateImages();
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  if (!FHandle) return;
  TCustomForm* form = GetParentForm(this);
  TWinControl* focused = form ? form->ActiveControl() : nullptr;
  if (!dynamic_cast<TButton*>(focused)) {
    FActive = Value;
    SetButtonStyle(Value);
  }
}

void TButton::SetButtonStyle(bool ADefault) {
  if (!FHandle) return;
  const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
  const LONG_PTR kind = style & BS_TYPEMASK;
  if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON) return;
  const LONG_PTR wanted = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (kind != wanted) SendMessageW(FHandle, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_COMMAND:
      if (HIWORD(M.WParam) == BN_CLICKED) Click();
      M.Result = 0;
      return;
    case CM_DIALOGKEY: {
      const WORD key = static_cast<WORD>(M.WParam);
      if (((key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel)) && KeyDataToShiftState(M.LParam).Empty() &&
          CanFocus()) {
        Click();
        M.Result = 1;
        return;
      }
      break;
    }
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<wchar_t>(M.WParam), Caption()) && CanFocus()) {
        Click();
        M.Result = 1;
        return;
      }
      break;
    case CM_FOCUSCHANGED: {
      auto* sender = reinterpret_cast<TControl*>(M.LParam);
      FActive = dynamic_cast<TButton*>(sender) ? sender == this : FDefault;
      SetButtonStyle(FActive);
      break;
    }
    default: break;
  }
  TButtonControl::Dispatch(M);
}

}  // namespace classlib
