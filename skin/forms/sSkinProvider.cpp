#include "skin/forms/sSkinProvider.h"

#include <utility>

#include "classlib/GdiObject.h"
#include "classlib/TypInfo.h"
#include "skin/core/acThdTimer.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/acCtrlAdapter.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acBorderWnd.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sMDIForm.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sSystemMenu.h"
#include "skin/windows/acThemeWin32.h"

namespace skin {

using classlib::TComponent;
using classlib::TCustomForm;
using classlib::TMessage;

TsSkinProvider* MDISkinProvider = nullptr;
TsSkinProvider* ActiveChildProvider = nullptr;
bool bPressed = false;
std::unique_ptr<TacBorderForm> (*acMakeBorderForm)(TsSkinProvider* Provider) = &MakeProviderBorderForm;

namespace {

constexpr int kProviderControlKind = 224;

}  // namespace

// ---- parts ----

TacAddedTitle::TacAddedTitle(TsSkinProvider* AOwner) : FOwner(AOwner), FFont(std::make_unique<classlib::TFont>()) {}
TacAddedTitle::~TacAddedTitle() = default;

void TacAddedTitle::DeclareProperties(classlib::TClassDecl<TacAddedTitle>& d) {
  d.String(L"Text", &TacAddedTitle::Text, &TacAddedTitle::SetText);
  d.Object(L"Font", &TacAddedTitle::Font);
  d.Bool(L"ShowMainCaption", &TacAddedTitle::ShowMainCaption, &TacAddedTitle::SetShowMainCaption, true);
}

void TacAddedTitle::Changed() {
  if (FOwner != nullptr && !FOwner->ComponentState().Contains(classlib::csLoading)) FOwner->UpdateSkinCaption();
}

void TacAddedTitle::SetText(const std::wstring& Value) {
  if (Value == FText) return;
  FText = Value;
  Changed();
}

void TacAddedTitle::SetFont(classlib::TFont* Value) {
  FFont->Assign(Value);
  Changed();
}

void TacAddedTitle::SetShowMainCaption(bool Value) {
  if (Value == FShowMainCaption) return;
  FShowMainCaption = Value;
  Changed();
}

TsTitleIcon::TsTitleIcon() : FGlyph(std::make_unique<classlib::TBitmap>()) {}
TsTitleIcon::~TsTitleIcon() = default;

void TsTitleIcon::DeclareProperties(classlib::TClassDecl<TsTitleIcon>& d) {
  d.Object(L"Glyph", &TsTitleIcon::Glyph);
  d.Integer(L"Width", &TsTitleIcon::Width, &TsTitleIcon::SetWidth, 0);
  d.Integer(L"Height", &TsTitleIcon::Height, &TsTitleIcon::SetHeight, 0);
}

void TsTitleIcon::SetGlyph(classlib::TBitmap* Value) { FGlyph->Assign(Value); }

TsTitleButton::TsTitleButton(classlib::TCollection* Collection)
    : classlib::TCollectionItem(Collection), FGlyph(std::make_unique<classlib::TBitmap>()) {}
TsTitleButton::~TsTitleButton() {
  // Its glow points at this record.
  if (BtnData.Timer != nullptr) classlib::Free(BtnData.Timer);
}

void TsTitleButton::DeclareProperties(classlib::TClassDecl<TsTitleButton>& d) {
  d.String(L"Name", &TsTitleButton::Name, &TsTitleButton::SetName, L"TsTitleButton");
  d.String(L"Hint", &TsTitleButton::Hint, &TsTitleButton::SetHint);
  d.Bool(L"Enabled", &TsTitleButton::Enabled, &TsTitleButton::SetEnabled, true);
  d.Bool(L"Visible", &TsTitleButton::Visible, &TsTitleButton::SetVisible, true);
  d.Bool(L"UseSkinData", &TsTitleButton::UseSkinData, &TsTitleButton::SetUseSkinData, true);
  d.Object(L"Glyph", &TsTitleButton::Glyph);
  d.Event(L"OnMouseDown", &TsTitleButton::OnMouseDown);
  d.Event(L"OnMouseUp", &TsTitleButton::OnMouseUp);
}

void TsTitleButton::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  if (auto* buttons = dynamic_cast<TsTitleButtons*>(Collection()); buttons != nullptr && buttons->FOwner != nullptr)
    buttons->FOwner->UpdateSkinCaption();
}

void TsTitleButton::SetGlyph(classlib::TBitmap* Value) { FGlyph->Assign(Value); }

TsTitleButtons::TsTitleButtons(TsSkinProvider* AOwner)
    : classlib::TCollection(nullptr, [](classlib::TCollection* c) { return new TsTitleButton(c); }), FOwner(AOwner) {}

// ---- construction ----

TComponent* TsSkinProvider::CheckedOwner(TComponent* AOwner) {
  if (dynamic_cast<TCustomForm*>(AOwner) == nullptr)
    throw classlib::EAbort(L"TsSkinProvider component may be used with forms only!");
  return AOwner;
}

TsSkinProvider::TsSkinProvider(TComponent* AOwner) : TComponent(CheckedOwner(AOwner)) {
  if (__argc > 1 && __wargv != nullptr)
    acPreviewNeeded = std::wstring(__wargv[1]) == L"/acpreview";
  else
    acPreviewNeeded = false;
  Form = static_cast<TCustomForm*>(AOwner);
  // A form serves one provider: a run-time one gives way to this, a stored one keeps the form.
  if (auto* other = reinterpret_cast<IacSkinProvider*>(Form->Perform(SM_ALPHACMD, AlphaCmd(ACMD_GETPROVIDER), 0))) {
    auto* provider = dynamic_cast<TsSkinProvider*>(other);
    if (provider != nullptr && provider->RTInit)
      classlib::Free(provider);
    else
      RTEmpty = true;
  }
  FCommonData = std::make_unique<TsCommonData>(this, true);
  FCommonData->SetSkinSection("FORM");
  FCommonData->COC = kProviderControlKind;
  if (!Form->ControlState.Empty()) FCommonData->SetUpdating(true);
  FAddedTitle = std::make_unique<TacAddedTitle>(this);
  InAero = AeroIsEnabled();
  FTitleIcon = std::make_unique<TsTitleIcon>();
  FTitleButtons = std::make_unique<TsTitleButtons>(this);
  if (!Designing() && !RTEmpty) {
    TempBmp = std::make_unique<classlib::TBitmap>();
    TempBmp->SetPixelFormat(classlib::pf32bit);
    MenuLineBmp = std::make_unique<classlib::TBitmap>();
    MenuLineBmp->SetPixelFormat(classlib::pf32bit);
    ClearButtons = true;
    ArOR.assign(1, TRect{});
    FLinesCount = -1;
    OldWndProc = Form->WindowProc;
    Form->WindowProc = classlib::TWndMethod(this, &TsSkinProvider::NewWndProc);
    installed_ = true;
    IntSkinForm(Form);
    FormActive = true;
  }
}

TsSkinProvider* TsSkinProvider::CreateRT(TComponent* AOwner) {
  TsSkinProvider* p = new TsSkinProvider(AOwner);
  p->RTInit = true;
  try {
    p->AfterConstruction();
  } catch (...) {
    classlib::Free(p);
    throw;
  }
  return p;
}

void TacTimerFree::operator()(TacThreadedTimer* Timer) const { classlib::Free(Timer); }

void TsSkinProvider::KillAnimations() {
  auto kill = [](TsCaptionButton& Button) {
    if (Button.Timer != nullptr) classlib::Free(Button.Timer);
    Button.Timer = nullptr;
  };
  for (TsCaptionButton* b : {&ButtonMin, &ButtonMax, &ButtonClose, &ButtonHelp}) kill(*b);
  if (FTitleButtons)
    for (int i = 0; i < FTitleButtons->Count(); ++i) kill(FTitleButtons->Items(i)->BtnData);
}

TsSkinProvider::~TsSkinProvider() {
  KillAnimations();
  // The timers draw over the form and know its border window: they go first.
  FormTimer.reset();
  if (OutlineDrag.Owner == this) CancelOutlineDrag();
  // The controls' handlers go first, while the controls they serve are still there.
  FAdapter.reset();
  // The client handler asks this provider for its picture: it goes first.
  MDIForm.reset();
  BorderForm.reset();
  FAddedTitle.reset();
  if (installed_ && Form != nullptr) {
    // The scroll handler wraps the provider's procedure: it goes first, so that giving the form
    // back leaves nothing that still calls into this provider.
    ListSW.reset();
    IntUnSkinForm(Form);
    Form->WindowProc = OldWndProc;
    if (Form->HandleAllocated() && !Form->ComponentState().Contains(classlib::csDestroying)) {
      // The system's own frame comes back, with its buttons, at once.
      CheckSysMenu(false);
      const HWND h = Form->Handle();
      SetWindowRgn(h, nullptr, FALSE);
      SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
  }
  if (MDISkinProvider == this) MDISkinProvider = nullptr;
  if (ActiveChildProvider == this) ActiveChildProvider = nullptr;
  ListSW.reset();
}

void TsSkinProvider::DeclareProperties(classlib::TClassDecl<TsSkinProvider>& d) {
  using P = TsSkinProvider;
  d.Object(L"AddedTitle", &P::AddedTitle);
  d.Bool(L"AllowAnimation", &P::AllowAnimation, &P::SetAllowAnimation, true);
  d.Bool(L"AllowExtBorders", &P::AllowExtBorders, &P::SetAllowExtBorders, true);
  d.Bool(L"AllowBlendOnMoving", &P::AllowBlendOnMoving, &P::SetAllowBlendOnMoving, true);
  d.Enum(L"CaptionAlignment", &P::CaptionAlignment, &P::SetCaptionAlignment, classlib::taLeftJustify);
  d.Bool(L"DrawNonClientArea", &P::DrawNonClientArea, &P::SetDrawNonClientArea, true);
  d.Object(L"SkinData", &P::SkinData);
  d.Enum(L"GripMode", &P::GripMode, &P::SetGripMode, gmNone);
  d.Bool(L"MakeSkinMenu", &P::MakeSkinMenu, &P::SetMakeSkinMenu, false);
  d.String(
      L"MenuLineSkin", [](P* p) { return std::wstring(p->FMenuLineSkin.begin(), p->FMenuLineSkin.end()); },
      [](P* p, const std::wstring& v) { p->SetMenuLineSkin(std::string(v.begin(), v.end())); });
  d.Enum(L"ResizeMode", &P::ResizeMode, &P::SetResizeMode, rmStandard);
  d.Bool(L"ScreenSnap", &P::ScreenSnap, &P::SetScreenSnap, false);
  d.Integer(L"SnapBuffer", &P::SnapBuffer, &P::SetSnapBuffer, 10);
  d.Bool(L"ShowAppIcon", &P::ShowAppIcon, &P::SetShowAppIcon, true);
  d.Collection(L"TitleButtons", &P::TitleButtons);
  d.Object(L"TitleIcon", &P::TitleIcon);
  d.String(
      L"TitleSkin", [](P* p) { return std::wstring(p->FTitleSkin.begin(), p->FTitleSkin.end()); },
      [](P* p, const std::wstring& v) { p->SetTitleSkin(std::string(v.begin(), v.end())); });
  d.Bool(L"UseGlobalColor", &P::UseGlobalColor, &P::SetUseGlobalColor, true);
  d.Event(L"OnAfterAnimation", &P::OnAfterAnimation);
}

void RegisterSkinProviderClasses() {
  RegisterSkinDataClasses();
  classlib::RegisterClass<TacAddedTitle, classlib::TPersistent>(L"TacAddedTitle");
  classlib::RegisterClass<TsTitleIcon, classlib::TPersistent>(L"TsTitleIcon");
  classlib::RegisterClass<TsTitleButton, classlib::TCollectionItem>(L"TsTitleButton");
  classlib::RegisterClass<TsSkinProvider, TComponent>(L"TsSkinProvider");
  InstallControlAnimLink();
}

// ---- life ----

bool TsSkinProvider::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(true); }

void TsSkinProvider::AfterConstruction() {
  TComponent::AfterConstruction();
  if (!RTEmpty && !RTInit && !Loading() && Skinned()) PrepareForm();
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  FCommonData->Loaded();
  if (!RTEmpty && !RTInit && FCommonData->GetSkinManager() != nullptr && !Designing() && Skinned()) LoadInit();
}

void TsSkinProvider::Notification(TComponent* AComponent, classlib::TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (FCommonData == nullptr) return;
  if (auto* manager = dynamic_cast<TsSkinManager*>(AComponent)) {
    if (Operation == classlib::opInsert && FCommonData->SkinManager() == nullptr)
      FCommonData->SetSkinManager(manager);
    else if (Operation == classlib::opRemove && FCommonData->SkinManager() == manager)
      FCommonData->ForgetSkinManager();
  } else if (auto* control = dynamic_cast<classlib::TWinControl*>(AComponent);
             control != nullptr && Operation == classlib::opInsert && FAdapter != nullptr && !Designing() &&
             FAdapter->IsControlSupported(control)) {
    FAdapter->AddNewItem(control);
  }
}

void TsSkinProvider::PrepareForm() {
  // A run-time provider waits for its first paint; an empty one leaves the form to the other.
  if (RTInit || RTEmpty || Form == nullptr || !Form->HandleAllocated() || !Skinned()) return;
  FMenuOwnerDraw = Form->Menu() != nullptr && Form->Menu()->OwnerDraw();
  if (FMenuOwnerDraw) MenusInitialized = true;
  if (SystemMenu == nullptr) SystemMenu = new TsSystemMenu(this);
  CheckSysMenu(true);
  FCommonData->UpdateIndexes();
  FTitleSkinIndex = -1;
  TitleSkinIndex();
  FCaptionSkinIndex = SkinManager()->GetSkinIndex("CAPTION");
  UpdateIconsIndexes();
  RegionChanged = CaptChanged = CaptRgnChanged = true;
  FCommonData->BGChanged = true;
  if (Form->FormStyle() == classlib::fsMDIChild && MDISkinProvider != nullptr && MDISkinProvider != this &&
      !MDISkinProvider->ComponentState().Contains(classlib::csDestroying) && MDISkinProvider->Form != nullptr &&
      !MDISkinProvider->Form->ComponentState().Contains(classlib::csDestroying)) {
    MDISkinProvider->SkinData()->BGChanged = true;
    MDISkinProvider->FLinesCount = -1;
  }
  const bool reading = Form->FormState().Contains(classlib::fsCreating) ||
                       Form->ComponentState().Contains(classlib::csReading) || Loading();
  if (!reading && FUseGlobalColor && !FCommonData->CustomColor()) Form->SetColor(SkinManager()->GetGlobalColor());
  if (!Loading() && Form->Showing()) InitExBorders(SkinManager()->ExtendedBorders());
  if (Form->FormStyle() == classlib::fsMDIForm) {
    MDISkinProvider = this;
    if (!MDIForm) MDIForm = std::make_unique<TsMDIForm>(this);
    MDIForm->ConnectToClient();
  }
}

void TsSkinProvider::LoadInit() {
  if (Form->HandleAllocated()) InitDwm(Form->Handle(), FDrawNonClientArea, false);
  PrepareForm();
  AdapterCreate();
  if (SystemMenu != nullptr) SystemMenu->UpdateItems(false);
  const int titleButton =
      SkinManager()->GetMaskIndex(SkinManager()->Records().ConstData.IndexGLobalInfo, "GLOBALINFO", "TITLEBUTTON");
  for (int i = 0; i < FTitleButtons->Count(); ++i) {
    TsTitleButton* b = FTitleButtons->Items(i);
    b->BtnData.ImageIndex = b->UseSkinData() ? titleButton : -1;
  }
  UserBtnIndex = titleButton;
  if (Form->BorderStyle() == classlib::bsSizeToolWin) {
    FAllowBlendOnMoving = false;
    FUseGlobalColor = true;
  }
}

void TsSkinProvider::ShowAfterSkinChange() {
  FCommonData->BGChanged = true;
  if (Form == nullptr || !Form->HandleAllocated()) return;
  TsSkinManager* sm = SkinManager();
  if (sm != nullptr && sm->AnimEffects().SkinChanging().Active() && IsWindowVisible(Form->Handle())) {
    // The new look fades in over the old one; the form is redrawn under it.
    const TacFormAnimation& change = sm->AnimEffects().SkinChanging();
    AnimShowControl(Form, FDrawNonClientArea ? change.Time() : 0, 255,
                    FDrawNonClientArea ? change.Mode() : TacAnimType::atFading);
    return;
  }
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TsSkinProvider::CheckSysMenu(bool Active) {
  if (Form == nullptr || !Form->HandleAllocated()) {
    if (!Active) HaveSysMenu = false;
    return;
  }
  const HWND h = Form->Handle();
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  if (Active) {
    if ((style & WS_SYSMENU) != 0 || HaveSysMenu) {
      SetWindowLongPtrW(h, GWL_STYLE,
                        FDrawNonClientArea ? style & ~static_cast<LONG_PTR>(WS_SYSMENU) : style | WS_SYSMENU);
      HaveSysMenu = true;
    } else {
      HaveSysMenu = false;
    }
    return;
  }
  if (HaveSysMenu) {
    SetWindowLongPtrW(h, GWL_STYLE, style | WS_SYSMENU);
    const LRESULT icon = SendMessageW(h, WM_GETICON, ICON_SMALL, 0);
    SendMessageW(h, WM_SETICON, ICON_SMALL, icon);
  }
  HaveSysMenu = false;
}

void TsSkinProvider::InitExBorders(bool Active) {
  const bool wanted = Active && Form != nullptr && HaveBorder(this) && FDrawNonClientArea &&
                      Form->Parent() == nullptr && Form->FormStyle() != classlib::fsMDIChild && FAllowExtBorders;
  if (!wanted) {
    BorderForm.reset();
    return;
  }
  if (BorderForm == nullptr && acMakeBorderForm != nullptr) {
    BorderForm = acMakeBorderForm(this);
    FCommonData->BGChanged = true;
  }
}

int TsSkinProvider::TitleSkinIndex() {
  if (FTitleSkinIndex == -1 && SkinManager() != nullptr)
    FTitleSkinIndex = SkinManager()->GetSkinIndex(TitleSkinSection());
  return FTitleSkinIndex;
}

TRect TsSkinProvider::ShadowSize() const {
  if (BorderForm == nullptr || SkinManager() == nullptr) return {};
  return SkinManager()->Records().FormShadowSize;
}

TColor TsSkinProvider::FormColor() const {
  if (!Skinned() || FCommonData->CustomColor()) return classlib::ColorToRGB(Form->Color());
  const auto& gd = SkinManager()->Records().gd;
  const int index = FCommonData->SkinIndex;
  if (index < 0 || index >= static_cast<int>(gd.size())) return classlib::ColorToRGB(Form->Color());
  return FormActive && gd[index].States > 1 ? gd[index].HotColor : gd[index].Color;
}

void TsSkinProvider::RepaintNC() {
  TMessage m{WM_NCPAINT, 0, 0, 0};
  NewWndProc(m);
}

void TsSkinProvider::UpdateSkinCaption() {
  if (FInAnimation || Form == nullptr || !Form->HandleAllocated() || !IsWindowVisible(Form->Handle()) ||
      !FDrawNonClientArea || Form->ComponentState().Contains(classlib::csDestroying) || !Skinned())
    return;
  FCommonData->BGChanged = true;
  const HWND h = Form->Handle();
  const classlib::WindowDC dc(h, true);
  if (dc.get() == nullptr) return;
  PaintCaption(dc.get());
}

// ---- setters ----

void TsSkinProvider::SetDrawNonClientArea(bool Value) {
  if (Value == FDrawNonClientArea) return;
  FDrawNonClientArea = Value;
  if (Designing()) return;
  const bool window = Form != nullptr && Form->HandleAllocated();
  if (Value) {
    CheckSysMenu(true);
    if (window && Form->Showing() && Skinned()) {
      FCommonData->BGChanged = true;
      InitExBorders(SkinManager()->ExtendedBorders());
      RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_INVALIDATE);
      AttachFormScrollHandler(this);
    }
    return;
  }
  InitExBorders(false);
  if (window && Ac_SetWindowTheme != nullptr) Ac_SetWindowTheme(Form->Handle(), nullptr, nullptr);
  ListSW.reset();
  if (window && HaveSysMenu)
    SetWindowLongPtrW(Form->Handle(), GWL_STYLE, GetWindowLongPtrW(Form->Handle(), GWL_STYLE) | WS_SYSMENU);
  if (window && Form->Showing()) SetWindowRgn(Form->Handle(), nullptr, TRUE);
}

void TsSkinProvider::SetAllowExtBorders(bool Value) {
  if (Value == FAllowExtBorders) return;
  FAllowExtBorders = Value;
  if (Loading()) return;
  InitExBorders(true);
  FCommonData->BGChanged = true;
  if (Form != nullptr && Form->HandleAllocated())
    RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TsSkinProvider::SetCaptionAlignment(classlib::TAlignment Value) {
  if (Value == FCaptionAlignment) return;
  FCaptionAlignment = Value;
  FCommonData->BGChanged = true;
  if (!Loading()) UpdateSkinCaption();
}

void TsSkinProvider::SetUseGlobalColor(bool Value) {
  if (Value == FUseGlobalColor) return;
  FUseGlobalColor = Value;
  if (Form == nullptr || Loading()) return;
  if (Value && Skinned() && !FCommonData->CustomColor())
    Form->SetColor(SkinManager()->GetGlobalColor());
  else
    Form->SetColor(classlib::clBtnFace);
}

void TsSkinProvider::SetGripMode(TsGripMode Value) {
  if (Value == FGripMode) return;
  FGripMode = Value;
  if (!Loading()) UpdateSkinCaption();
}

void TsSkinProvider::SetShowAppIcon(bool Value) {
  if (Value == FShowAppIcon) return;
  FShowAppIcon = Value;
  FCommonData->BGChanged = true;
  if (!Loading()) UpdateSkinCaption();
}

void TsSkinProvider::SetTitleSkin(const std::string& Value) {
  if (Value == FTitleSkin) return;
  FTitleSkin = Value;
  FTitleSkinIndex = -1;
  FCommonData->BGChanged = true;
  if (Loading()) return;
  if (BorderForm != nullptr && FormShowing())
    BorderForm->UpdateExBordersPos(true, 255);
  else
    UpdateSkinCaption();
}

void TsSkinProvider::SetMenuLineSkin(const std::string& Value) {
  if (Value == FMenuLineSkin) return;
  FMenuLineSkin = Value;
  MenuChanged = true;
  if (!Loading()) UpdateSkinCaption();
}

// ---- unit routines ----

bool DoLayered(HWND Handle, bool Layered) {
  using TSetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  static const auto setLayered = reinterpret_cast<TSetLayered>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes")));
  const LONG_PTR exStyle = GetWindowLongPtrW(Handle, GWL_EXSTYLE);
  if (Layered && setLayered != nullptr) {
    if ((exStyle & WS_EX_LAYERED) != 0) return false;
    SetWindowLongPtrW(Handle, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    setLayered(Handle, static_cast<COLORREF>(classlib::clNone), 1, LWA_ALPHA);
    return true;
  }
  // Straight into the style: ShowWindow would repaint the window it is about to animate.
  SetWindowLongPtrW(Handle, GWL_STYLE, GetWindowLongPtrW(Handle, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_VISIBLE));
  SetWindowLongPtrW(Handle, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  return false;
}

TRect acWorkRect(TCustomForm* Form) {
  RECT r{};
  HMONITOR monitor = Form != nullptr && Form->HandleAllocated()
                         ? MonitorFromWindow(Form->Handle(), MONITOR_DEFAULTTONEAREST)
                         : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info))
    r = info.rcWork;
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return TRect{r.left, r.top, r.right, r.bottom};
}

}  // namespace skin
