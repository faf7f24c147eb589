// The provider's frame metrics: the window's styles, the system metrics and the skin read into the
// frame arithmetic of acFrameMetrics.
#include <algorithm>
#include <vector>

#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"

namespace skin {

using classlib::TCustomForm;

namespace {

int g_sysWndCaptHeight = 0;
int g_sysToolCaptHeight = 0;

// The class library's forms have no inner border of their own.
constexpr int kFormOwnBorder = 0;

LONG_PTR StyleOf(HWND Wnd) { return GetWindowLongPtrW(Wnd, GWL_STYLE); }

bool IsMainForm(const TCustomForm* Form) {
  return classlib::TApplication::Existing() != nullptr && classlib::Application->MainForm() == Form;
}

int ScrollThickness(const TacScrollWnd* SW, bool Horz) {
  if (SW == nullptr) return 0;
  const TacScrollBar* bar = Horz ? SW->sBarHorz.get() : SW->sBarVert.get();
  return bar != nullptr && bar->fScrollVisible ? GetScrollMetric(bar, 1, true) : 0;
}

const TsMaskData* ImageOf(const TsSkinManager* Manager, int Index) {
  if (Manager == nullptr || !Manager->IsValidImgIndex(Index)) return nullptr;
  return &Manager->Records().ma[Index];
}

}  // namespace

int SysBorderWidth(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin) {
  if (CheckSkin)
    if (const int skin = SkinBorderWidth(BorderForm); skin != 0) return skin;
  const LONG_PTR style = StyleOf(Wnd);
  if ((style & WS_THICKFRAME) != 0) return GetSystemMetrics(SM_CXFRAME);
  if ((style & WS_BORDER) != 0) return GetSystemMetrics(SM_CXDLGFRAME);
  return 0;
}

int SysBorderHeight(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin) {
  return BorderForm != nullptr ? 0 : SysBorderWidth(Wnd, BorderForm, CheckSkin);
}

int SysCaptHeight(TCustomForm* Form) {
  const bool tool = Form != nullptr && IsToolWindowStyle(Form->BorderStyle()) &&
                    !(Form->HandleAllocated() && IsIconic(Form->Handle()));
  int& cache = tool ? g_sysToolCaptHeight : g_sysWndCaptHeight;
  if (cache == 0) cache = GetSystemMetrics(tool ? SM_CYSMCAPTION : SM_CYCAPTION);
  return cache;
}

int SkinTitleHeight(TacBorderForm* BorderForm) {
  if (BorderForm == nullptr || BorderForm->SkinManager() == nullptr) return 0;
  return BorderForm->SkinManager()->Records().SkinData.ExTitleHeight;
}

int SkinBorderWidth(TacBorderForm* BorderForm) {
  if (BorderForm == nullptr || BorderForm->SkinManager() == nullptr) return 0;
  return BorderForm->SkinManager()->Records().SkinData.ExBorderWidth;
}

int DiffTitle(TacBorderForm* BorderForm) {
  if (BorderForm == nullptr) return 0;
  return BorderForm->CaptionHeight(true) - BorderForm->CaptionHeight(false) -
         SysBorderWidth(BorderForm->OwnerHandle(), BorderForm, false);
}

int DiffBorder(TacBorderForm* BorderForm) {
  if (BorderForm == nullptr) return 0;
  const HWND owner = BorderForm->OwnerHandle();
  return SysBorderWidth(owner, BorderForm, true) - SysBorderWidth(owner, BorderForm, false);
}

TPoint SkinMenuOffset(TsSkinProvider* Provider) {
  if (Provider->BorderForm == nullptr) return {};
  const HWND h = Provider->Form->Handle();
  TacBorderForm* bf = Provider->BorderForm.get();
  return {SysBorderWidth(h, bf, true) - SysBorderWidth(h, bf, false),
          SysBorderHeight(h, bf, true) + Provider->CaptionHeight(true) - SysCaptHeight(Provider->Form) -
              SysBorderHeight(h, bf, false)};
}

bool BigButtons(const TsSkinProvider* Provider) { return BigButtonsStyle(Provider->Form->BorderStyle()); }

bool HaveBorder(const TsSkinProvider* Provider) {
  TCustomForm* f = Provider->Form;
  return f->BorderStyle() != classlib::bsNone || f->FormStyle() == classlib::fsMDIChild ||
         (f->HandleAllocated() && (StyleOf(f->Handle()) & WS_CHILD) != 0);
}

int TitleButtonWidth(const TsSkinManager* Manager, int ImageIndex) {
  const TsMaskData* md = ImageOf(Manager, ImageIndex);
  if (md == nullptr) return kTitleButtonFallback;
  if (md->Bmp != nullptr) return md->ImageCount > 0 ? md->Bmp->Width() / md->ImageCount : md->Bmp->Width();
  return WidthOfImage(*md);
}

bool IsSizeable(HWND Wnd) { return (StyleOf(Wnd) & WS_THICKFRAME) != 0; }

bool IsBorderUnchanged(int Index, TsSkinManager* Manager) {
  const TsMaskData* md = ImageOf(Manager, Index);
  return Index < 0 || (md != nullptr && md->ImageCount == 1);
}

bool IsGripVisible(const TsSkinProvider* Provider) {
  const HWND h = Provider->Form->Handle();
  return Provider->GripMode() == gmRightBottom && !IsZoomed(h) && IsSizeable(h);
}

bool InAnimation(const TsSkinProvider* Provider) { return Provider->FInAnimation; }

bool CtrlIsReadyForHook(classlib::TWinControl* Control) { return Control->HandleAllocated(); }

int GetWindowWidth(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return r.right - r.left;
}
int GetWindowHeight(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return r.bottom - r.top;
}
int GetClientWidth(HWND Wnd) {
  RECT r{};
  GetClientRect(Wnd, &r);
  return r.right - r.left;
}
int GetClientHeight(HWND Wnd) {
  RECT r{};
  GetClientRect(Wnd, &r);
  return r.bottom - r.top;
}

// ---- provider ----

int TsSkinProvider::BorderWidth(bool CheckSkin) const {
  return SysBorderWidth(Form->Handle(), BorderForm.get(), CheckSkin) + kFormOwnBorder;
}

int TsSkinProvider::BorderHeight(bool CheckSkin) const {
  return SysBorderHeight(Form->Handle(), BorderForm.get(), CheckSkin) + kFormOwnBorder;
}

TacCaptionInput TsSkinProvider::CaptionInput(bool CheckSkin) const {
  const HWND h = Form->Handle();
  TacCaptionInput in;
  in.HaveBorder = HaveBorder(this);
  in.CaptionStyle = (StyleOf(h) & WS_CAPTION) == WS_CAPTION;
  in.Iconic = IsIconic(h) != FALSE;
  in.ToolWindow = IsToolWindowStyle(Form->BorderStyle());
  in.SkinTitleHeight = CheckSkin ? SkinTitleHeight(BorderForm.get()) : 0;
  in.SysCaption = GetSystemMetrics(SM_CYCAPTION);
  in.SysSmCaption = GetSystemMetrics(SM_CYSMCAPTION);
  in.SysExHeight = FSysExHeight;
  return in;
}

int TsSkinProvider::CaptionHeight(bool CheckSkin) const { return CaptionHeightOf(CaptionInput(CheckSkin)); }

int TsSkinProvider::CaptionWidth() const {
  const TRect shadow = ShadowSize();
  int w;
  if (IsIconic(Form->Handle()) && !IsMainForm(Form))
    w = GetWindowWidth(Form->Handle());
  else
    w = Form->Width() + (BorderForm != nullptr ? 2 * DiffBorder(BorderForm.get()) : 0);
  return w + shadow.Left + shadow.Right;
}

TacFrameInput TsSkinProvider::FrameInput() const {
  const HWND h = Form->Handle();
  TacFrameInput in;
  in.WindowWidth = GetWindowWidth(h);
  in.WindowHeight = GetWindowHeight(h);
  in.ClientWidth = GetClientWidth(h);
  in.ClientHeight = GetClientHeight(h);
  in.BTrue = SysBorderWidth(h, BorderForm.get(), true);
  in.BFalse = SysBorderWidth(h, BorderForm.get(), false);
  in.HTrue = SysBorderHeight(h, BorderForm.get(), true);
  in.HFalse = SysBorderHeight(h, BorderForm.get(), false);
  in.FormBorderWidth = kFormOwnBorder;
  in.Caption = CaptionHeight(true);
  in.BorderForm = BorderForm != nullptr;
  in.WsBorder = (StyleOf(h) & WS_BORDER) != 0;
  in.Iconic = IsIconic(h) != FALSE;
  if (Skinned()) {
    in.HScrollHeight = ScrollThickness(ListSW.get(), true);
    in.VScrollWidth = ScrollThickness(ListSW.get(), false);
  }
  in.MenuHeight = MenuHeight();
  in.Shadow = ShadowSize();
  return in;
}

int TsSkinProvider::HeaderHeight() const { return HeaderHeightOf(FrameInput()); }

bool TsSkinProvider::MenuLineAllowed() const {
  const classlib::TMainMenu* menu = Form->Menu();
  return menu != nullptr && menu->Items()->Count() > 0 && Form->FormStyle() != classlib::fsMDIChild &&
         Form->BorderStyle() != classlib::bsDialog;
}

int TsSkinProvider::MenuHeight() const { return MenuLineAllowed() ? GetSystemMetrics(SM_CYMENU) - 1 : 0; }

bool TsSkinProvider::MenuPresent() const {
  if (Form->BorderStyle() == classlib::bsDialog || Form->FormStyle() == classlib::fsMDIChild) return false;
  const classlib::TMainMenu* menu = Form->Menu();
  if (menu == nullptr) return false;
  for (int i = 0; i < menu->Items()->Count(); ++i)
    if (menu->Items()->Items(i)->Visible()) return true;
  return false;
}

int TsSkinProvider::GetLinesCount() {
  if (FLinesCount != -1) return FLinesCount;
  const HWND h = Form->Handle();
  if (Form->Menu() == nullptr || IsIconic(h)) return 0;
  RECT item{};
  if (!GetMenuItemRect(h, GetMenu(h), 0, &item)) return 0;
  RECT window{};
  GetWindowRect(h, &window);
  const int hScroll =
      ListSW != nullptr && ListSW->sBarHorz && ListSW->sBarHorz->fScrollVisible ? GetSystemMetrics(SM_CYHSCROLL) : 0;
  const int clientTop = window.top + (window.bottom - window.top) - GetClientHeight(h) - BorderHeight(false) - hScroll -
                        2 * kFormOwnBorder;
  FLinesCount = MenuLinesOf(item.bottom, clientTop, GetSystemMetrics(SM_CYMENU));
  return FLinesCount;
}

int TsSkinProvider::OffsetX() const { return OffsetXOf(FrameInput()); }

int TsSkinProvider::OffsetY() {
  TacFrameInput in = FrameInput();
  if (in.BorderForm) in.LinesCount = GetLinesCount();
  return OffsetYOf(in);
}

TPoint TsSkinProvider::FormLeftTop() const {
  RECT r{};
  GetWindowRect(Form->Handle(), &r);
  return {r.left, r.top};
}

TPoint TsSkinProvider::CursorToPoint(int X, int Y) const {
  const TPoint p = FormLeftTop();
  return {X - p.X, Y - p.Y};
}

bool TsSkinProvider::FormChanged() const {
  const classlib::TBitmap* cache = FCommonData->CacheBmp();
  return cache == nullptr || cache->Width() != CaptionWidth() || cache->Height() != Form->Height();
}

bool TsSkinProvider::IconVisible() const {
  return BigButtons(this) && FShowAppIcon && Form->HandleAllocated() && GetSystemMenu(Form->Handle(), FALSE) != nullptr;
}

int TsSkinProvider::IconWidth() const {
  if (!IconVisible()) return 0;
  return FTitleIcon->Width() != 0 ? FTitleIcon->Width() : DefIconSize(CaptionHeight(true));
}

int TsSkinProvider::IconHeight() const {
  if (!IconVisible()) return 0;
  return FTitleIcon->Height() != 0 ? FTitleIcon->Height() : DefIconSize(CaptionHeight(true));
}

TRect TsSkinProvider::IconRect() const {
  const HWND h = Form->Handle();
  TacIconInput in;
  in.BTrue = SysBorderWidth(h, BorderForm.get(), true);
  in.BFalse = SysBorderWidth(h, BorderForm.get(), false);
  in.HFalse = SysBorderHeight(h, BorderForm.get(), false);
  in.Caption = CaptionHeight(true);
  in.IconWidth = IconWidth();
  in.IconHeight = IconHeight();
  in.Shadow = ShadowSize();
  in.BorderForm = BorderForm != nullptr;
  in.Maximized = IsZoomed(h) != FALSE;
  if (const TsSkinManager* m = SkinManager()) {
    const TsSkinData& sd = m->Records().SkinData;
    in.BILeftMargin = sd.BILeftMargin;
    in.ExCenterOffs = sd.ExCenterOffs;
    in.ExTitleHeight = sd.ExTitleHeight;
    in.ExMaxHeight = sd.ExMaxHeight;
  }
  return IconRectOf(in);
}

TPoint TsSkinProvider::RBGripPoint(int ImageIndex) const {
  const TsMaskData* md = ImageOf(SkinManager(), ImageIndex);
  const classlib::TBitmap* cache = FCommonData->CacheBmp();
  if (md == nullptr || cache == nullptr) return {};
  const TRect shadow = ShadowSize();
  const int b = BorderWidth(true);
  return {cache->Width() - WidthOfImage(*md) - b - shadow.Right - 1,
          cache->Height() - HeightOfImage(*md) - b - shadow.Bottom - 1};
}

int TsSkinProvider::ButtonHeight() const {
  const TsMaskData* md = ImageOf(SkinManager(), ButtonClose.ImageIndex);
  return md != nullptr ? HeightOfImage(*md) : kTitleButtonFallback;
}

int TsSkinProvider::SysButtonWidth(const TsCaptionButton& Button) const {
  return TitleButtonWidth(SkinManager(), Button.ImageIndex);
}

int TsSkinProvider::SysButtonsCount() const {
  if (SystemMenu == nullptr || !HaveSysMenu) return 0;
  const TacSysMenuRules r = SysMenuRules();
  return 3 - (r.VisibleMin ? 0 : 1) - (r.VisibleMax ? 0 : 1) + (Form->BorderIcons().Contains(classlib::biHelp) ? 1 : 0);
}

int TsSkinProvider::SmallButtonWidth() const {
  const TsMaskData* md = ImageOf(SkinManager(), MDIClose.ImageIndex);
  if (md == nullptr) return kSmallButtonFallback;
  if (md->Bmp != nullptr) return md->Bmp->Width() / 3;
  return md->ImageCount > 0 ? (md->R.Right - md->R.Left) / md->ImageCount : md->R.Right - md->R.Left;
}

int TsSkinProvider::SmallButtonHeight() const {
  const TsMaskData* md = ImageOf(SkinManager(), MDIClose.ImageIndex);
  if (md == nullptr) return kSmallButtonFallback;
  if (md->Bmp != nullptr) return md->Bmp->Height() / 2;
  return (md->R.Bottom - md->R.Top) / (std::max<int>(md->MaskType, 0) + 1);
}

int TsSkinProvider::UserButtonWidth(const TsTitleButton& Button) const {
  const TsMaskData* md = ImageOf(SkinManager(), UserBtnIndex);
  const int image =
      md == nullptr ? kTitleButtonFallback : (md->R.Right - md->R.Left) / std::max<int>(md->ImageCount, 1);
  const int glyph = Button.Glyph() != nullptr ? Button.Glyph()->Width() + 2 : 0;
  return std::max(image, glyph);
}

int TsSkinProvider::TitleBtnsWidth() const {
  std::vector<int> users;
  for (int i = 0; i < FTitleButtons->Count(); ++i) users.push_back(UserButtonWidth(*FTitleButtons->Items(i)));
  TacTitleButtonsInput in;
  if (const TsSkinManager* m = SkinManager()) {
    in.BIRightMargin = m->Records().SkinData.BIRightMargin;
    in.BISpacing = m->Records().SkinData.BISpacing;
  }
  in.BigButtons = BigButtons(this);
  in.SystemButtons = SystemMenu != nullptr && HaveSysMenu;
  if (in.SystemButtons) {
    const TacSysMenuRules r = SysMenuRules();
    in.CloseWidth = SysButtonWidth(ButtonClose);
    in.Max = r.VisibleMax;
    in.MaxWidth = SysButtonWidth(ButtonMax);
    in.Min = r.VisibleMin;
    in.MinWidth = SysButtonWidth(ButtonMin);
    in.Help = Form->BorderIcons().Contains(classlib::biHelp);
    in.HelpWidth = SysButtonWidth(ButtonHelp);
  }
  in.UserWidths = users;
  return TitleBtnsWidthOf(in);
}

int TsSkinProvider::BarWidth(int ImageIndex) const {
  const TsMaskData* md = ImageOf(SkinManager(), ImageIndex);
  return 2 * (md != nullptr ? WidthOfImage(*md) : 0) + TitleBtnsWidth();
}

int TsSkinProvider::MaximizedTitleShift() const {
  const TsSkinManager* m = SkinManager();
  if (m == nullptr) return 0;
  const TsSkinData& sd = m->Records().SkinData;
  return MaximizedTitleShiftOf(BorderForm != nullptr ? sd.ExDrawMode : 0, sd.ExTitleHeight,
                               sd.ExMaxHeight != 0 ? sd.ExMaxHeight : sd.ExTitleHeight, sd.BITopMargin,
                               CaptionHeight(true), SysCaptHeight(Form));
}

TacSysMenuRules TsSkinProvider::SysMenuRules() const {
  const HWND h = Form->HandleAllocated() ? Form->Handle() : nullptr;
  TacSysMenuInput in;
  in.HasSysMenu = HaveSysMenu;
  in.NativeClose = h != nullptr && GetMenuState(GetSystemMenu(h, FALSE), SC_CLOSE, MF_BYCOMMAND) != 0xFFFFFFFFu;
  in.BorderStyle = Form->BorderStyle();
  in.MdiChild = Form->FormStyle() == classlib::fsMDIChild;
  in.Iconic = h != nullptr && IsIconic(h);
  in.Zoomed = h != nullptr && IsZoomed(h);
  in.StateNormal = Form->WindowState() == classlib::wsNormal;
  in.Minimized = Form->WindowState() == classlib::wsMinimized;
  in.BiMinimize = Form->BorderIcons().Contains(classlib::biMinimize);
  in.BiMaximize = Form->BorderIcons().Contains(classlib::biMaximize);
  in.MainForm = IsMainForm(Form);
  return SysMenuRulesOf(in);
}

// ---- title-button images ----

void TsSkinProvider::UpdateIconsIndexes() {
  TsSkinManager* m = SkinManager();
  if (m == nullptr) return;
  const int gi = m->GetSkinIndex("GLOBALINFO");
  if (gi < 0) return;
  const auto image = [&](const char* name) { return m->GetMaskIndex(gi, "GLOBALINFO", name); };
  ButtonMin.HitCode = 8;
  ButtonMax.HitCode = 9;
  ButtonClose.HitCode = 20;
  if (BigButtons(this)) {
    ButtonMin.ImageIndex = image("BICONMIN");
    ButtonMax.ImageIndex = image("BICONMAX");
    ButtonHelp.ImageIndex = image("BICONHELP");
    const TacSysMenuRules r = SysMenuRules();
    const bool alone = !HaveSysMenu || (!r.VisibleMax && !r.VisibleMin);
    ButtonClose.ImageIndex = alone ? image("BICLOSEALONE") : -1;
    if (ButtonClose.ImageIndex < 0) ButtonClose.ImageIndex = image("BICONCLOSE");
    ButtonMin.HaveAlignment = ButtonMax.HaveAlignment = ButtonClose.HaveAlignment = true;
    ButtonHelp.HaveAlignment = false;
  } else {
    ButtonClose.ImageIndex = image("SICONCLOSE");
    ButtonMin.ImageIndex = image("SICONMIN");
    ButtonMax.ImageIndex = image("SICONMAX");
    ButtonHelp.ImageIndex = image("SICONHELP");
    if (ButtonHelp.ImageIndex < 0) ButtonHelp.ImageIndex = image("BICONHELP");
    ButtonMin.HaveAlignment = ButtonMax.HaveAlignment = ButtonClose.HaveAlignment = ButtonHelp.HaveAlignment = false;
  }
  if (ButtonClose.ImageIndex < 0) {
    // A skin without small images: the big ones, aligned like big buttons.
    ButtonClose.ImageIndex = image("BICONCLOSE");
    ButtonMin.ImageIndex = image("BICONMIN");
    ButtonMax.ImageIndex = image("BICONMAX");
    ButtonHelp.ImageIndex = image("BICONHELP");
    ButtonMin.HaveAlignment = ButtonMax.HaveAlignment = ButtonClose.HaveAlignment = ButtonHelp.HaveAlignment = true;
  }
  UserBtnIndex = image("TITLEBUTTON");
}

}  // namespace skin
