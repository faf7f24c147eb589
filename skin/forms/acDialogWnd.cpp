// The dialog's frame handler: its parameters, frame metrics, hit-testing, title-button states and
// mouse handling in the frame. Its window procedure is in acDialogWndProc.cpp, its painting in
// acDialogPaint.cpp.
#include "skin/forms/acDialogWnd.h"

#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/acMoveAnim.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

bool DlgBtnPressed = false;
bool DlgRgnUpdating = false;

namespace {

TPoint MessagePoint(const classlib::TMessage& Message) {
  return {static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
}

bool Inside(const TRect& R, TPoint P) { return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom; }

}  // namespace

void TacFreeObject::operator()(classlib::TObject* Object) const { classlib::Free(Object); }

TacDialogWnd::TacDialogWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, IacDialogHost* AHost)
    : TacScrollWnd(AHandle, ASkinData, ASkinManager), Host(AHost) {
  // Since Vista the system paints a dialog's client area over ours unless its paint is held off.
  FWMPaintForbidden = OsMajorVersion() >= 6;
  TempBmp = NewBitmap32(0, 0);
  SystemMenu.reset(new TacSystemMenu(nullptr));
  SystemMenu->FOwner = this;
  SystemMenu->UpdateItems();
  UpdateIconsIndexes();
}

TacDialogWnd::~TacDialogWnd() {
  KillAnimations();
  if (brush_ != nullptr) DeleteObject(brush_);
}

void TacDialogWnd::KillAnimations() {
  for (TsCaptionButton* b : {&ButtonMin, &ButtonMax, &ButtonClose, &ButtonHelp})
    if (b->Timer != nullptr) {
      classlib::Free(b->Timer);
      b->Timer = nullptr;
    }
}

void TacDialogWnd::Release() {
  KillAnimations();
  // A dialog that outlives its skinning gets the system's frame back: its title buttons and no region.
  if (!Destroyed && IsWindow(CtrlHandle)) {
    if ((dwStyle & WS_SYSMENU) != 0)
      SetWindowLongPtrW(CtrlHandle, GWL_STYLE, GetWindowLongPtrW(CtrlHandle, GWL_STYLE) | WS_SYSMENU);
    if (regionSet_) SetWindowRgn(CtrlHandle, nullptr, IsWindowVisible(CtrlHandle));
  }
  regionSet_ = false;
  TacScrollWnd::Release();
}

void TacDialogWnd::Hook(bool Repaint) {
  TacScrollWnd::Hook(Repaint);
  SkinData->SetUpdating(true);
  InitDwm(CtrlHandle, true, false);
}

bool TacDialogWnd::Skinned() const {
  return SkinData != nullptr && SkinManager != nullptr && SkinManager->Active() &&
         SkinManager->IsValidSkinIndex(SkinData->SkinIndex);
}

// ---- parameters ----

void TacDialogWnd::InitParams() {
  // Read again, the window no longer shows the system menu style that an earlier reading took away.
  dwStyle = GetWindowLongPtrW(CtrlHandle, GWL_STYLE) | (dwStyle & WS_SYSMENU);
  dwExStyle = GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE);
  if ((dwStyle & WS_POPUP) != 0 && (dwStyle & WS_CAPTION) != WS_CAPTION)
    BorderStyle = acbsNone;
  else if ((dwStyle & WS_THICKFRAME) != 0)
    BorderStyle = acbsSizeable;
  else if ((dwStyle & DS_MODALFRAME) != 0)
    BorderStyle = acbsDialog;
  else
    BorderStyle = acbsSizeable;
  PrepareTitleGlyph();
  UpdateIconsIndexes();
  SystemMenu->UpdateItems();
  // The title buttons are ours: the system must not draw its own over them.
  SetWindowLongPtrW(CtrlHandle, GWL_STYLE, dwStyle & ~static_cast<LONG_PTR>(WS_SYSMENU));
}

void TacDialogWnd::PrepareTitleGlyph() {
  TitleIcon = reinterpret_cast<HICON>(SendMessageW(CtrlHandle, WM_GETICON, ICON_SMALL, 0));
  if (TitleIcon == nullptr) TitleIcon = reinterpret_cast<HICON>(SendMessageW(CtrlHandle, WM_GETICON, ICON_BIG, 0));
  TitleGlyph.reset();
  if (TitleIcon == nullptr) return;
  const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
  auto glyph = std::make_unique<classlib::TBitmap>();
  glyph->SetSize(w, h);
  const HDC dc = glyph->Canvas()->Handle();
  const RECT r{0, 0, w, h};
  HBRUSH fuchsia = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &r, fuchsia);
  DeleteObject(fuchsia);
  // The copy is ours and goes at once; the dialog's own icon stays the dialog's.
  if (HICON copy = CopyDialogIcon(TitleIcon, w, h)) {
    DrawIconEx(dc, 0, 0, copy, w, h, 0, nullptr, DI_NORMAL);
    DestroyIcon(copy);
  }
  TitleGlyph = std::move(glyph);
}

void TacDialogWnd::UpdateIconsIndexes() {
  TsSkinManager* m = SkinManager;
  if (m == nullptr) return;
  const int gi = m->GetSkinIndex("GLOBALINFO");
  if (!m->IsValidSkinIndex(gi)) return;
  const auto image = [m, gi](const char* name) { return m->GetMaskIndex(gi, "GLOBALINFO", name); };
  ButtonMin.HitCode = HTMINBUTTON;
  ButtonMax.HitCode = HTMAXBUTTON;
  ButtonClose.HitCode = HTCLOSE;
  ButtonHelp.HitCode = HTHELP;
  TitleIndex = -1;
  const auto bigSet = [&] {
    ButtonClose.ImageIndex = !VisibleMax() && !VisibleMin() ? image("BICLOSEALONE") : -1;
    if (ButtonClose.ImageIndex < 0) ButtonClose.ImageIndex = image("BICONCLOSE");
    ButtonMin.ImageIndex = image("BICONMIN");
    ButtonMax.ImageIndex = image("BICONMAX");
    ButtonHelp.ImageIndex = image("BICONHELP");
    ButtonMin.HaveAlignment = ButtonMax.HaveAlignment = ButtonClose.HaveAlignment = ButtonHelp.HaveAlignment = true;
  };
  if (BorderStyle == acbsSingle || BorderStyle == acbsSizeable) {
    bigSet();
  } else {
    ButtonClose.ImageIndex = image("SICONCLOSE");
    ButtonMin.ImageIndex = image("SICONMIN");
    ButtonMax.ImageIndex = image("SICONMAX");
    ButtonHelp.ImageIndex = image("SICONHELP");
    if (ButtonHelp.ImageIndex < 0) ButtonHelp.ImageIndex = image("BICONHELP");
    ButtonMin.HaveAlignment = ButtonMax.HaveAlignment = ButtonClose.HaveAlignment = ButtonHelp.HaveAlignment = false;
    // A skin without small images: the big ones, aligned like big buttons.
    if (ButtonClose.ImageIndex < 0) bigSet();
  }
  TitleSection = "DIALOGTITLE";
  TitleIndex = m->GetSkinIndex(TitleSection);
  if (TitleIndex < 0) {
    TitleSection = "FORMTITLE";
    TitleIndex = m->GetSkinIndex(TitleSection);
  }
  FCaptionSkinIndex = m->GetSkinIndex("CAPTION");
}

// ---- queries ----

bool TacDialogWnd::VisibleRestore() const {
  return (BorderStyle == acbsSingle || BorderStyle == acbsSizeable) && VisibleClose();
}

bool TacDialogWnd::EnabledClose() const {
  return VisibleClose() && (GetClassLongPtrW(CtrlHandle, GCL_STYLE) & CS_NOCLOSE) == 0;
}

bool TacDialogWnd::EnabledMax() const {
  return VisibleMax() && !IsZoomed(CtrlHandle) &&
         (BorderStyle == acbsSingle || BorderStyle == acbsSizeable || BorderStyle == acbsSizeToolWin);
}

bool TacDialogWnd::EnabledMin() const { return VisibleMin() && !IsIconic(CtrlHandle); }

bool TacDialogWnd::EnabledRestore() const { return VisibleMax() && (IsIconic(CtrlHandle) || IsZoomed(CtrlHandle)); }

int TacDialogWnd::CaptionHeight(bool) const {
  // Without extended borders the skin's own title height never applies.
  TacCaptionInput in;
  in.CaptionStyle = (GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  in.Iconic = IsIconic(CtrlHandle) != FALSE;
  in.ToolWindow = BorderStyle == acbsToolWindow || BorderStyle == acbsSizeToolWin;
  in.SysCaption = GetSystemMetrics(SM_CYCAPTION);
  in.SysSmCaption = GetSystemMetrics(SM_CYSMCAPTION);
  return CaptionHeightOf(in);
}

int TacDialogWnd::HeaderHeight() const { return CaptionHeight(true) + SysBorderHeight(CtrlHandle, nullptr, false); }

int TacDialogWnd::BorderHeight() const { return SysBorderHeight(CtrlHandle, nullptr, true); }

int TacDialogWnd::OffsetX() const { return (GetWindowWidth(CtrlHandle) - GetClientWidth(CtrlHandle)) / 2; }

int TacDialogWnd::OffsetY() const {
  return GetWindowHeight(CtrlHandle) - GetClientHeight(CtrlHandle) -
         (CaptionHeight(true) != 0 ? SysBorderWidth(CtrlHandle, nullptr, false) : 0);
}

int TacDialogWnd::SysButtonWidth(const TsCaptionButton& Button) const {
  return TitleButtonWidth(SkinManager, Button.ImageIndex);
}

int TacDialogWnd::ButtonHeight(int ImageIndex) const {
  if (SkinManager == nullptr || !SkinManager->IsValidImgIndex(ImageIndex)) return kTitleButtonFallback;
  const TsMaskData& md = SkinManager->Records().ma[ImageIndex];
  if (md.Bmp != nullptr) return md.Bmp->Height() / 2;
  return HeightOfImage(md);
}

int TacDialogWnd::TitleBtnsWidth() const {
  if (!VisibleClose()) return 0;
  int w = SysButtonWidth(ButtonClose);
  if (VisibleMax()) w += SysButtonWidth(ButtonMax);
  if (VisibleMin()) w += SysButtonWidth(ButtonMin);
  if (VisibleHelp()) w += SysButtonWidth(ButtonHelp);
  return w;
}

int TacDialogWnd::BarWidth(int ImageIndex) const {
  int cell = 0;
  if (SkinManager != nullptr && SkinManager->IsValidImgIndex(ImageIndex)) {
    const TsMaskData& md = SkinManager->Records().ma[ImageIndex];
    cell = md.Bmp != nullptr ? md.Bmp->Width() / 9 : WidthOfImage(md);
  }
  return TitleBtnsWidth() + 2 * cell;
}

TRect TacDialogWnd::IconRect() const {
  const int left = SysBorderWidth(CtrlHandle, nullptr, true) +
                   (SkinManager != nullptr ? SkinManager->Records().SkinData.BILeftMargin : 0);
  const int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
  const int top = (SysBorderHeight(CtrlHandle, nullptr, true) + CaptionHeight(true) - h) / 2;
  return {left, top, left + w, top + h};
}

TPoint TacDialogWnd::CursorToPoint(int X, int Y) {
  RECT r{};
  GetWindowRect(CtrlHandle, &r);
  WndRect = {r.left, r.top, r.right, r.bottom};
  return {X - r.left, Y - r.top};
}

bool TacDialogWnd::AboveBorder(const classlib::TMessage& Message) {
  const TPoint screen = MessagePoint(Message);
  const TPoint p = CursorToPoint(screen.X, screen.Y);
  const int w = WndRect.Right - WndRect.Left, h = WndRect.Bottom - WndRect.Top;
  const bool above = p.X < 2 || p.Y < 2 || p.X >= w - 4 || p.Y >= h - 4;
  if (above) SetHotHT(0);
  return above;
}

// ---- hit testing and button states ----

int TacDialogWnd::HTProcess(const classlib::TMessage& Message) {
  const TPoint screen = MessagePoint(Message);
  const TPoint p = CursorToPoint(screen.X, screen.Y);
  const int top =
      (CaptionHeight(true) + SysBorderHeight(CtrlHandle, nullptr, true) - ButtonHeight(ButtonClose.ImageIndex)) / 2;
  const int bottom = top + ButtonHeight(ButtonClose.ImageIndex);
  if (p.Y >= top && p.Y <= bottom) {
    const int b = SysBorderWidth(CtrlHandle, nullptr, true);
    if (p.X >= b && p.X <= b + GetSystemMetrics(SM_CXSMICON)) return HTSYSMENU;
    const bool iconic = IsIconic(CtrlHandle) != FALSE;
    // The visible buttons from the right.
    TsCaptionButton* visible[4];
    int count = 0;
    if (VisibleClose()) visible[count++] = &ButtonClose;
    if (VisibleMax()) visible[count++] = &ButtonMax;
    if (VisibleMin() || iconic) visible[count++] = &ButtonMin;
    if (VisibleHelp()) visible[count++] = &ButtonHelp;
    TsCaptionButton* over = nullptr;
    for (int i = 0; i < count && over == nullptr; ++i)
      if (p.X >= visible[i]->Rect.Left && p.X <= visible[i]->Rect.Right) over = visible[i];
    if (over == nullptr) return HTCAPTION;
    int code = HTCAPTION;
    if (over == &ButtonClose)
      code = HTCLOSE;
    else if (over == &ButtonMax)
      code = EnabledMax() || EnabledRestore() ? HTMAXBUTTON : HTCAPTION;
    else if (over == &ButtonMin)
      code = iconic || EnabledMin() ? HTMINBUTTON : HTCAPTION;
    else
      code = HTHELP;
    SetHotHT(code, true);
    return code;
  }
  if (IsZoomed(CtrlHandle) && AboveBorder(Message)) return HTTRANSPARENT;
  return static_cast<int>(Message.Result);
}

TsCaptionButton* TacDialogWnd::ButtonOfHT(int HT) {
  switch (HT) {
    case HTMINBUTTON: return &ButtonMin;
    case HTMAXBUTTON: return &ButtonMax;
    case HTCLOSE: return &ButtonClose;
    case HTHELP: return &ButtonHelp;
    default: return nullptr;
  }
}

void TacDialogWnd::SetHotHT(int Code, bool Repaint) {
  if (Code == CurrentHT) return;
  if (TsCaptionButton* old = ButtonOfHT(CurrentHT)) {
    old->State = 0;
    if (Repaint) RepaintButton(CurrentHT);
  }
  CurrentHT = Code;
  if (TsCaptionButton* hot = ButtonOfHT(Code)) {
    hot->State = 1;
    // Told when the mouse leaves the frame, so that no button stays hot behind it.
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, CtrlHandle, 0};
    TrackMouseEvent(&track);
  }
  DlgBtnPressed = false;
  if (Repaint) RepaintButton(Code);
}

void TacDialogWnd::SetPressedHT(int Code) {
  if (CurrentHT != Code && CurrentHT != 0)
    if (TsCaptionButton* old = ButtonOfHT(CurrentHT)) {
      old->State = 0;
      RepaintButton(CurrentHT);
    }
  CurrentHT = Code;
  if (TsCaptionButton* pressed = ButtonOfHT(Code)) {
    if (Code != HTMAXBUTTON || EnabledMax() || (IsZoomed(CtrlHandle) && EnabledRestore())) pressed->State = 2;
  }
  DlgBtnPressed = true;
  RepaintButton(Code);
}

void TacDialogWnd::DropSysMenu(int X, int Y) {
  SystemMenu->UpdateItems();
  SystemMenu->Popup(X, Y);
}

// ---- mouse in the frame ----

void TacDialogWnd::NCLButtonDown(classlib::TMessage& Message) {
  if (Message.WParam != HTBOTTOMRIGHT) Message.WParam = static_cast<WPARAM>(HTProcess(Message));
  const int code = static_cast<int>(Message.WParam);
  switch (code) {
    case HTSYSMENU:
      SetHotHT(0);
      RefreshGeometry();
      DropSysMenu(WndRect.Left + SysBorderWidth(CtrlHandle, nullptr, true),
                  WndRect.Top + BorderHeight() + GetSystemMetrics(SM_CYSMICON));
      return;
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
    case 101:
    case 102:
    case 103: SetPressedHT(code); return;
    default: break;
  }
  if (IsIconic(CtrlHandle)) {
    SendMessageW(CtrlHandle, WM_SYSCOMMAND, SC_MOVE + 2, 0);
    return;
  }
  SetHotHT(0);
  if (code == HTCAPTION && SkinManager != nullptr) {
    const TacBlendOnMoving& blend = SkinManager->AnimEffects().BlendOnMoving();
    if (blend.Active() && blend.BlendValue() != 255) {
      SkinData->BGChanged = true;
      FFormActive = true;
      PaintAll();
      StartBlendOnMovingDlg(this);
      return;
    }
  }
  if (IsZoomed(CtrlHandle)) {
    const TPoint screen = MessagePoint(Message);
    const TPoint p = CursorToPoint(screen.X, screen.Y);
    if (p.Y <= SysBorderHeight(CtrlHandle, nullptr, true) + CaptionHeight(true)) {
      if (GetActiveWindow() != CtrlHandle) SetFocus(CtrlHandle);
      return;
    }
  }
  PassOn(Message);
}

void TacDialogWnd::Ac_WMLButtonUp(classlib::TMessage& Message) {
  const int code = static_cast<int>(Message.WParam);
  // Only the button the left button went down on acts, and only while it was not left meanwhile.
  const bool pressed = DlgBtnPressed && CurrentHT == code;
  switch (code) {
    case HTMINBUTTON: {
      const TPoint screen = MessagePoint(Message);
      const TPoint p = CursorToPoint(screen.X, screen.Y);
      if (pressed && Inside(ButtonMin.Rect, p)) {
        SetHotHT(0);
        SendMessageW(CtrlHandle, WM_SYSCOMMAND, IsIconic(CtrlHandle) ? SC_RESTORE : SC_MINIMIZE, 0);
      } else if (DlgBtnPressed) {
        PassOn(Message);
      } else {
        SetHotHT(0);
      }
      break;
    }
    case HTMAXBUTTON:
      if (!IsIconic(CtrlHandle) || EnabledMax()) {
        if (pressed) {
          SetHotHT(0);
          SendMessageW(CtrlHandle, WM_SYSCOMMAND, IsZoomed(CtrlHandle) ? SC_RESTORE : SC_MAXIMIZE, 0);
          SystemMenu->UpdateItems();
        } else {
          SetHotHT(0);
        }
      }
      break;
    case HTCLOSE:
      if (pressed) {
        ButtonClose.State = 0;
        SetHotHT(0);
        SendMessageW(CtrlHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (IsWindow(CtrlHandle) && IsWindowVisible(CtrlHandle)) SetHotHT(0);
      }
      break;
    case HTHELP:
      if (pressed) {
        SendMessageW(CtrlHandle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        SetHotHT(0);
        SystemMenu->UpdateItems();
        SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
      } else {
        SetHotHT(0);
      }
      break;
    default: PassOn(Message); break;
  }
  Message.WParam = 0;
}

void TacDialogWnd::NCLButtonDblClk(classlib::TMessage& Message) {
  switch (Message.WParam) {
    case HTCAPTION:
      if (EnabledMax() || EnabledRestore()) {
        SendMessageW(CtrlHandle, WM_SYSCOMMAND, IsZoomed(CtrlHandle) || IsIconic(CtrlHandle) ? SC_RESTORE : SC_MAXIMIZE,
                     0);
        SystemMenu->UpdateItems();
      }
      // The system would act on the caption by its own rules.
      Message.WParam = 0;
      PassOn(Message);
      return;
    case HTSYSMENU: SendMessageW(CtrlHandle, WM_SYSCOMMAND, SC_CLOSE, 0); return;
    default: PassOn(Message); return;
  }
}

}  // namespace skin
