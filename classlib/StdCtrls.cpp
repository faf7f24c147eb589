#include "classlib/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace classlib {

template <>
const TEnumInfo& EnumInfo<TImageAlignment>() {
  static const TEnumInfo i{L"TImageAlignment", {L"iaLeft", L"iaRight", L"iaTop", L"iaBottom", L"iaCenter"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TCheckBoxState>() {
  static const TEnumInfo i{L"TCheckBoxState", {L"cbUnchecked", L"cbChecked", L"cbGrayed"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TEditCharCase>() {
  static const TEnumInfo i{L"TEditCharCase", {L"ecNormal", L"ecUpperCase", L"ecLowerCase"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TComboBoxStyle>() {
  static const TEnumInfo i{L"TComboBoxStyle",
                           {L"csDropDown", L"csSimple", L"csDropDownList", L"csOwnerDrawFixed", L"csOwnerDrawVariable"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TTextLayout>() {
  static const TEnumInfo i{L"TTextLayout", {L"tlTop", L"tlCenter", L"tlBottom"}};
  return i;
}

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
    : TButtonControl(AOwner), FImageLink(std::make_unique<TChangeLink>()), FImageMargins(std::make_unique<TImageMargins>()) {
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
    const int states[] = {FImageIndex, pick(FHotImageIndex), pick(FPressedImageIndex), pick(FDisabledImageIndex),
                          pick(FSelectedImageIndex), pick(FHotImageIndex)};
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
  if (!FCommandLinkHint.empty()) SendMessageW(FHandle, BCM_SETNOTE, 0, reinterpret_cast<LPARAM>(FCommandLinkHint.c_str()));
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
      if (((key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel)) &&
          KeyDataToShiftState(M.LParam).Empty() && CanFocus()) {
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

// ---- TCustomCheckBox ----

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 97;
  FHeight = 17;
  FTabStop = true;
  FColor = clBtnFace;
  FParentColor = true;
  FBrush.SetColor(FColor);
}

void TCustomCheckBox::DeclareProperties(TClassDecl<TCustomCheckBox>& d) {
  d.Bool(L"Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked, false);
  d.Enum(L"State", &TCustomCheckBox::State, &TCustomCheckBox::SetState, cbUnchecked);
  d.Bool(L"AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed, false);
  d.Enum(L"Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment, taRightJustify);
  d.Bool(L"TabStop", &TCustomCheckBox::TabStop, &TCustomCheckBox::SetTabStop, true);
  d.Bool(L"ParentColor", &TCustomCheckBox::ParentColor, &TCustomCheckBox::SetParentColor, true);
  d.Color(L"Color", &TCustomCheckBox::Color, &TCustomCheckBox::SetColor, clBtnFace);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::InitializeWindow() { SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState), 0); }

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, static_cast<WPARAM>(Value), 0);
  Changed();
  if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_COMMAND:
      if (HIWORD(M.WParam) == BN_CLICKED) Toggle();
      M.Result = 0;
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<wchar_t>(M.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        M.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TButtonControl::Dispatch(M);
}

// ---- TRadioButton ----

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FWidth = 113;
  FHeight = 17;
  FColor = clBtnFace;
  FParentColor = true;
  FBrush.SetColor(FColor);
}

void TRadioButton::DeclareProperties(TClassDecl<TRadioButton>& d) {
  d.Bool(L"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, false);
  d.Enum(L"Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, taRightJustify);
  d.Bool(L"ParentColor", &TRadioButton::ParentColor, &TRadioButton::SetParentColor, true);
  d.Color(L"Color", &TRadioButton::Color, &TRadioButton::SetColor, clBtnFace);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::InitializeWindow() { SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0); }

void TRadioButton::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (FHandle) SendMessageW(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (sibling && sibling != this) sibling->SetChecked(false);
    }
  }
  Changed();
  if (!ClicksDisabled()) Click();
}

void TRadioButton::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_SETFOCUS:
      // Focus from the keyboard or from code selects the button; a mouse press selects it on release.
      TButtonControl::Dispatch(M);
      if (!FChecked && !ControlState.Contains(csLButtonDown)) SetChecked(true);
      return;
    case CN_COMMAND:
      switch (HIWORD(M.WParam)) {
        case BN_CLICKED: SetChecked(true); break;
        case BN_DOUBLECLICKED: DblClick(); break;
        default: break;
      }
      M.Result = 0;
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<wchar_t>(M.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) SetChecked(true);
        M.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TButtonControl::Dispatch(M);
}

// ---- TCustomGroupBox ----

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 185;
  FHeight = 105;
  FColor = clBtnFace;
  FParentColor = true;
  FBrush.SetColor(FColor);
}

void TCustomGroupBox::DeclareProperties(TClassDecl<TCustomGroupBox>& d) {
  d.Bool(L"ParentColor", &TCustomGroupBox::ParentColor, &TCustomGroupBox::SetParentColor, true);
  d.Color(L"Color", &TCustomGroupBox::Color, &TCustomGroupBox::SetColor, clBtnFace);
}

void TCustomGroupBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= BS_GROUPBOX | WS_CLIPCHILDREN;
}

TRect TCustomGroupBox::AdjustClientRect() const {
  TRect r = ClientRect();
  const int captionHeight = std::abs(FFont->Height()) + 4;
  return {r.Left + 2, r.Top + captionHeight, std::max(r.Left + 2, r.Right - 2), std::max(r.Top + captionHeight, r.Bottom - 2)};
}

void TCustomGroupBox::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case WM_NCHITTEST:
      // The system's group box lets the mouse fall through to its parent; ours keeps it.
      M.Result = HTCLIENT;
      return;
    case WM_ERASEBKGND:
      if (M.WParam) {
        RECT r{};
        GetClientRect(FHandle, &r);
        FillRect(reinterpret_cast<HDC>(M.WParam), &r, FBrush.Handle());
      }
      M.Result = 1;
      return;
    default: TWinControl::Dispatch(M); return;
  }
}

// ---- TCustomEdit ----

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csCaptureMouse, csDoubleClicks, csFixedHeight};
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
}

void TCustomEdit::DeclareProperties(TClassDecl<TCustomEdit>& d) {
  d.Enum(L"Alignment", &TCustomEdit::Alignment, &TCustomEdit::SetAlignment, taLeftJustify);
  d.Enum(L"BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle, bsSingle);
  // A character property: one character, or none.
  d.String(
      L"PasswordChar", [](TCustomEdit* e) { return e->PasswordChar() ? std::wstring(1, e->PasswordChar()) : std::wstring(); },
      [](TCustomEdit* e, const std::wstring& v) {
        if (v.size() > 1) throw EConvertError(L"'" + v + L"' is not a single character");
        e->SetPasswordChar(v.empty() ? L'\0' : v[0]);
      });
  d.Integer(L"MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0);
  d.Bool(L"ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false);
  d.Enum(L"CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase, ecNormal);
  d.Bool(L"AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect, true);
  d.Bool(L"HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection, true);
  d.Bool(L"TabStop", &TCustomEdit::TabStop, &TCustomEdit::SetTabStop, true);
  d.Event(L"OnChange", &TCustomEdit::OnChange);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"EDIT");
  Params.Style |= ES_AUTOHSCROLL;
  switch (FAlignment) {
    case taLeftJustify: Params.Style |= ES_LEFT; break;
    case taRightJustify: Params.Style |= ES_RIGHT; break;
    case taCenter: Params.Style |= ES_CENTER; break;
  }
  if (FPasswordChar) Params.Style |= ES_PASSWORD;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::InitializeWindow() {
  SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar) SendMessageW(FHandle, EM_SETPASSWORDCHAR, FPasswordChar, 0);
  SendMessageW(FHandle, EM_SETMODIFY, FModified, 0);
}

void TCustomEdit::SaveWindowState() {
  FModified = SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
  FSelStart = SelStart();
  FSelLength = SelLength();
}

void TCustomEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(wchar_t Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (FHandle) {
    SendMessageW(FHandle, EM_SETPASSWORDCHAR, Value, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  if (Value != ecNormal) {
    std::wstring text = Text();
    SetText(Value == ecUpperCase ? AnsiUpperCase(text) : AnsiLowerCase(text));
  }
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}

bool TCustomEdit::Modified() const { return FHandle ? SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0 : FModified; }

void TCustomEdit::SetModified(bool Value) {
  FModified = Value;
  if (FHandle) SendMessageW(FHandle, EM_SETMODIFY, Value, 0);
}

int TCustomEdit::SelStart() const {
  if (!FHandle) return FSelStart;
  DWORD start = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int Value) {
  FSelStart = Value;
  FSelLength = 0;
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TCustomEdit::SelLength() const {
  if (!FHandle) return FSelLength;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int Value) {
  FSelLength = Value;
  if (FHandle) {
    int start = SelStart();
    SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(start), start + Value);
  }
}

std::wstring TCustomEdit::SelText() const {
  std::wstring text = Text();
  int start = std::clamp(SelStart(), 0, static_cast<int>(text.size()));
  int length = std::clamp(SelLength(), 0, static_cast<int>(text.size()) - start);
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
}

void TCustomEdit::SetSelText(const std::wstring& Value) {
  if (FHandle) {
    SendMessageW(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
    return;
  }
  std::wstring text = FText;
  int start = std::clamp(FSelStart, 0, static_cast<int>(text.size()));
  int length = std::clamp(FSelLength, 0, static_cast<int>(text.size()) - start);
  text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), Value);
  SetText(text);
}

void TCustomEdit::SelectAll() {
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
  Changed();
  if (!ComponentState().Contains(csLoading) && OnChange) OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_COMMAND:
      if (HIWORD(M.WParam) == EN_CHANGE && !ControlState.Contains(csCreating)) Change();
      M.Result = 0;
      return;
    case CM_ENTER:
      if (FAutoSelect && !ControlState.Contains(csLButtonDown)) SelectAll();
      break;
    default: break;
  }
  TWinControl::Dispatch(M);
}

// ---- TComboBoxStrings ----

HWND TComboBoxStrings::Window() const { return owner_->FHandle; }

void TComboBoxStrings::Check(int index) const {
  if (index < 0 || index >= GetCount()) ListIndexError(index);
}

std::wstring TComboBoxStrings::Get(int index) const {
  Check(index);
  return items_[static_cast<std::size_t>(index)].text;
}

TObject* TComboBoxStrings::GetObject(int index) const {
  Check(index);
  return items_[static_cast<std::size_t>(index)].object;
}

void TComboBoxStrings::PutObject(int index, TObject* object) {
  Check(index);
  items_[static_cast<std::size_t>(index)].object = object;
}

int TComboBoxStrings::Add(const std::wstring& text) {
  int index = GetCount();
  if (owner_->Sorted()) {
    index = 0;
    while (index < GetCount() && CompareStrings(items_[static_cast<std::size_t>(index)].text, text) <= 0) ++index;
  }
  Insert(index, text);
  return index;
}

void TComboBoxStrings::Insert(int index, const std::wstring& text) {
  if (index < 0 || index > GetCount()) ListIndexError(index);
  items_.insert(items_.begin() + index, Item{text, nullptr});
  if (owner_->FItemIndex >= index) ++owner_->FItemIndex;
  if (HWND w = Window()) SendMessageW(w, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBoxStrings::Delete(int index) {
  Check(index);
  items_.erase(items_.begin() + index);
  if (owner_->FItemIndex == index) owner_->FItemIndex = -1;
  else if (owner_->FItemIndex > index) --owner_->FItemIndex;
  if (HWND w = Window()) SendMessageW(w, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TComboBoxStrings::Clear() {
  items_.clear();
  owner_->FItemIndex = -1;
  if (HWND w = Window()) SendMessageW(w, CB_RESETCONTENT, 0, 0);
}

int TComboBoxStrings::IndexOf(const std::wstring& text) const { return TStrings::IndexOf(text); }

void TComboBoxStrings::Put(int index, const std::wstring& text) {
  Check(index);
  const int selected = owner_->ItemIndex();
  TObject* object = items_[static_cast<std::size_t>(index)].object;
  items_[static_cast<std::size_t>(index)].text = text;
  if (HWND w = Window()) {
    SendMessageW(w, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(w, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    if (selected == index) SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  items_[static_cast<std::size_t>(index)].object = object;
}

void TComboBoxStrings::Upload() {
  HWND w = Window();
  if (!w) return;
  SendMessageW(w, CB_RESETCONTENT, 0, 0);
  for (const Item& item : items_) SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
  SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(owner_->FItemIndex), 0);
}

// ---- TCustomComboBox ----

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TComboBoxStrings>(this)) {
  ControlStyle = {csCaptureMouse, csDoubleClicks, csFixedHeight};
  FWidth = 145;
  FHeight = 21;
  FTabStop = true;
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::DeclareProperties(TClassDecl<TCustomComboBox>& d) {
  d.Enum(L"Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle, csDropDown);
  d.Integer(L"DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount, 8);
  d.Bool(L"Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted, false);
  d.Integer(L"MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength, 0);
  d.Integer(L"ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight, 16);
  d.StringList(
      L"Items",
      [](TCustomComboBox* c) {
        std::vector<std::wstring> items;
        for (int i = 0; i < c->Items()->Count(); ++i) items.push_back(c->Items()->Strings(i));
        return items;
      },
      [](TCustomComboBox* c, const std::vector<std::wstring>& items) {
        c->Items()->BeginUpdate();
        c->Items()->Clear();
        for (const std::wstring& s : items) c->Items()->Add(s);
        c->Items()->EndUpdate();
      });
  d.Integer(L"ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex, -1);
  d.Bool(L"TabStop", &TCustomComboBox::TabStop, &TCustomComboBox::SetTabStop, true);
  d.Event(L"OnChange", &TCustomComboBox::OnChange);
  d.Event(L"OnSelect", &TCustomComboBox::OnSelect);
  d.Event(L"OnDropDown", &TCustomComboBox::OnDropDown);
  d.Event(L"OnCloseUp", &TCustomComboBox::OnCloseUp);
}

int TCustomComboBox::ItemIndex() const {
  if (FHandle) return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    // Items may come after ItemIndex in a description: keep the wish until Loaded.
    FItemIndex = Value;
    return;
  }
  FItemIndex = (Value >= 0 && Value < FItems->Count()) ? Value : -1;
  if (FHandle) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int Value) {
  FDropDownCount = std::max(1, Value);
  if (FHandle) SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
}

void TCustomComboBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (!Value || FItems->Count() < 2) return;
  std::vector<std::wstring> items;
  for (int i = 0; i < FItems->Count(); ++i) items.push_back(FItems->Strings(i));
  FItems->Clear();
  for (const std::wstring& s : items) FItems->Add(s);
}

void TCustomComboBox::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  if (FHandle) SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

bool TCustomComboBox::DroppedDown() const { return FHandle && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (FHandle) SendMessageW(FHandle, CB_SHOWDROPDOWN, Value, 0);
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  if (FStyle != csDropDownList) SetText(L"");
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"COMBOBOX");
  Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (FStyle) {
    case csDropDown: Params.Style |= CBS_DROPDOWN; break;
    case csSimple: Params.Style |= CBS_SIMPLE; break;
    case csDropDownList: Params.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
    case csOwnerDrawVariable: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS; break;
  }
}

void TCustomComboBox::CreateWindowHandle(const TCreateParams& Params) {
  // The height a drop-down combo box is created with is the height of its open list.
  TCreateParams p = Params;
  if (FStyle != csSimple) p.Height = FHeight + FItemHeight * FDropDownCount + 2;
  TWinControl::CreateWindowHandle(p);
}

void TCustomComboBox::InitializeWindow() {
  SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
  SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  FItems->Upload();
  if (FStyle == csDropDown || FStyle == csSimple)
    if (FItemIndex < 0) SetWindowTextW(FHandle, FText.c_str());
}

void TCustomComboBox::SaveWindowState() { FItemIndex = static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0)); }

std::wstring TCustomComboBox::GetText() const {
  if (FStyle == csDropDown || FStyle == csSimple) return TWinControl::GetText();
  int index = ItemIndex();
  return index >= 0 && index < FItems->Count() ? FItems->Strings(index) : std::wstring();
}

void TCustomComboBox::StoreText(const std::wstring& Value) {
  if (FStyle == csDropDown || FStyle == csSimple) {
    TWinControl::StoreText(Value);
    return;
  }
  SetItemIndex(FItems->IndexOf(Value));
}

void TCustomComboBox::Change() {
  Changed();
  if (!ComponentState().Contains(csLoading) && OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::Dispatch(TMessage& M) {
  if (M.Msg == CN_COMMAND) {
    switch (HIWORD(M.WParam)) {
      case CBN_SELCHANGE:
        FItemIndex = static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
        Click();
        Select();
        break;
      case CBN_EDITCHANGE: Change(); break;
      case CBN_DROPDOWN:
        if (OnDropDown) OnDropDown(this);
        break;
      case CBN_CLOSEUP:
        if (OnCloseUp) OnCloseUp(this);
        break;
      default: break;
    }
    M.Result = 0;
    return;
  }
  TWinControl::Dispatch(M);
}

// ---- TCustomLabel ----

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable, csOpaque};
  FWidth = 65;
  FHeight = 13;
  FColor = clBtnFace;
  FParentColor = true;
}

void TCustomLabel::DeclareProperties(TClassDecl<TCustomLabel>& d) {
  d.Enum(L"Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, taLeftJustify);
  d.Enum(L"Layout", &TCustomLabel::Layout, &TCustomLabel::SetLayout, tlTop);
  d.Bool(L"AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true);
  d.Bool(L"WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false);
  d.Bool(L"Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false);
  d.Bool(L"ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar, true);
  d.Component<TWinControl>(L"FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl);
  d.Bool(L"ParentColor", &TCustomLabel::ParentColor, &TCustomLabel::SetParentColor, true);
  d.Color(L"Color", &TCustomLabel::Color, &TCustomLabel::SetColor, clBtnFace);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value) ControlStyle -= csOpaque;
  else ControlStyle += csOpaque;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FFocusControl) == AComponent) FFocusControl = nullptr;
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  std::wstring text = GetLabelText();
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == L"&"))) text += L' ';
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  HDC dc = Canvas()->Handle();
  const int saved = SaveDC(dc);
  SelectObject(dc, FFont->Handle());
  SetBkMode(dc, TRANSPARENT);
  RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  if (!Enabled() && !(Flags & DT_CALCRECT)) {
    OffsetRect(&r, 1, 1);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
    OffsetRect(&r, -1, -1);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
  } else {
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, Flags);
  }
  RestoreDC(dc, saved);
  Rect = {r.left, r.top, r.right, r.bottom};
}

void TCustomLabel::Paint() {
  TRect client = ClientRect();
  if (!FTransparent) {
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->FillRect(client);
  }
  UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u);
  switch (FAlignment) {
    case taLeftJustify: flags |= DT_LEFT; break;
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
  }
  TRect r = client;
  if (FLayout != tlTop) {
    TRect measured = client;
    DoDrawText(measured, flags | DT_CALCRECT);
    const int textHeight = measured.Bottom - measured.Top;
    r.Top = FLayout == tlBottom ? client.Bottom - textHeight : (client.Bottom - textHeight) / 2;
    r.Bottom = r.Top + textHeight;
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  HDC dc = GetDC(nullptr);
  TCanvas* canvas = Canvas();
  canvas->Lock();
  canvas->SetHandle(dc);
  TRect r{0, 0, FWordWrap ? FWidth : 0, 0};
  try {
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
  } catch (...) {
    canvas->SetHandle(nullptr);
    canvas->Unlock();
    ReleaseDC(nullptr, dc);
    throw;
  }
  canvas->SetHandle(nullptr);
  canvas->Unlock();
  ReleaseDC(nullptr, dc);
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  int x = FLeft;
  if (FAlignment == taRightJustify) x = FLeft + FWidth - w;
  else if (FAlignment == taCenter) x = FLeft + (FWidth - w) / 2;
  SetBounds(x, FTop, w, h);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      AdjustBounds();
      return;
    case CM_DIALOGCHAR:
      if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<wchar_t>(M.WParam), Caption()) &&
          FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        M.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TGraphicControl::Dispatch(M);
}

}  // namespace classlib
