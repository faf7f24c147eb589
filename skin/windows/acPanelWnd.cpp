#include "skin/windows/acPanelWnd.h"

#include "classlib/GdiObject.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acPanelSection.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

std::unique_ptr<TsCommonData> OwnDataFor(TsCommonData* Given, classlib::TWinControl* OwnerControl) {
  if (Given != nullptr || OwnerControl == nullptr) return nullptr;
  return std::make_unique<TsCommonData>(OwnerControl, true);
}

TacPanelCut CutOf(classlib::TBevelCut Cut) { return static_cast<TacPanelCut>(static_cast<int>(Cut)); }

int BevelCount(const classlib::TCustomPanel* P) {
  return (P->BevelOuter() != classlib::bvNone ? 1 : 0) + (P->BevelInner() != classlib::bvNone ? 1 : 0);
}

bool Destroying(const classlib::TComponent* C) { return C->ComponentState().Contains(classlib::csDestroying); }

}  // namespace

TacPanelWnd::TacPanelWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                         classlib::TWinControl* OwnerControl)
    : detail::TacPanelOwnData{OwnDataFor(ASkinData, OwnerControl)},
      TacMainWnd(AHandle, ASkinData != nullptr ? ASkinData : Data.get(), ASkinManager) {}

void TacPanelWnd::Hook(bool Repaint) {
  Panel = dynamic_cast<classlib::TCustomPanel*>(Owner());
  if (Panel != nullptr && SkinData->SkinSection().empty()) {
    SkinData->BeginUpdate();
    SkinData->SetSkinSection(PanelSectionFromBevels(CutOf(Panel->BevelOuter()), CutOf(Panel->BevelInner()),
                                                    Panel->BorderStyle() != classlib::bsNone));
    SkinData->EndUpdate();
  }
  TacMainWnd::Hook(Repaint);
}

classlib::TWinControl* TacPanelWnd::Owner() const {
  return SkinData != nullptr ? dynamic_cast<classlib::TWinControl*>(SkinData->OwnerControl()) : nullptr;
}

bool TacPanelWnd::IsContainer() const {
  const classlib::TWinControl* owner = Owner();
  return owner != nullptr && owner->ControlStyle.Contains(classlib::csAcceptsControls);
}

int TacPanelWnd::FrameWidth() const {
  RECT w{}, c{};
  GetWindowRect(CtrlHandle, &w);
  GetClientRect(CtrlHandle, &c);
  return ((w.right - w.left) - (c.right - c.left)) / 2;
}

void TacPanelWnd::WriteText(const TRect& R, classlib::TCanvas* Canvas) {
  if (Caption.empty() || (Panel != nullptr && !Panel->ShowCaption())) return;
  classlib::TWinControl* owner = Owner();
  if (owner != nullptr) Canvas->SetFont(owner->Font());
  Canvas->Brush()->SetStyle(classlib::bsClear);
  const int h = Canvas->TextHeight(L"W");
  const int top = R.Top + (R.Bottom - R.Top - h) / 2;
  TRect r{R.Left, top, R.Right, top + h};
  const UINT flags =
      Panel != nullptr ? DT_VCENTER | DT_WORDBREAK | GetStringFlags(Panel, Panel->Alignment()) : DT_CENTER | DT_VCENTER;
  acWriteTextEx(Canvas, Caption, owner == nullptr || owner->Enabled(), r, flags, SkinData, false);
}

void TacPanelWnd::PrepareCache() {
  classlib::TWinControl* owner = Owner();
  if (owner == nullptr) return;
  InitCacheBmp(SkinData);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  PaintSkinControl(SkinData, owner->Parent(), false, 0, TRect{0, 0, owner->Width(), owner->Height()},
                   TPoint{owner->Left(), owner->Top()}, cache, true);
  int inset = 0;
  if (Panel != nullptr) inset = Panel->BorderWidth() + Panel->BevelWidth() * BevelCount(Panel);
  RECT c{};
  GetClientRect(CtrlHandle, &c);
  WriteText(TRect{inset, inset, c.right - inset, c.bottom - inset}, cache->Canvas());
  SkinData->BGChanged = false;
}

void TacPanelWnd::AC_WMPaint(HDC DC) {
  classlib::TWinControl* owner = Owner();
  if (owner == nullptr || Destroying(owner)) return;
  if (owner->Parent() != nullptr && owner->Parent()->ControlState.Contains(classlib::csCreating)) return;
  if (SkinData->Updating()) return;
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  const TacGivenOrOwnDC dc(CtrlHandle, DC);
  if (dc.get() == nullptr) return;
  const classlib::SavedDC saved(dc.get());
  const bool changed = SkinData->BGChanged;
  const bool wasHalfVisible = SkinData->HalfVisible;
  RECT clip{};
  GetClipBox(dc.get(), &clip);
  SkinData->HalfVisible = SkinData->RepaintIfMoved() &&
                          (clip.right - clip.left < owner->Width() || clip.bottom - clip.top < owner->Height());
  const bool render = wasHalfVisible || changed || SkinData->CacheBmp()->Width() != owner->Width() ||
                      SkinData->CacheBmp()->Height() != owner->Height();
  if (render) PrepareCache();
  const int b = FrameWidth();
  CopyWinControlCache(owner, SkinData, TRect{b, b, owner->Width() - b, owner->Height() - b},
                      TRect{0, 0, owner->Width() - 2 * b, owner->Height() - 2 * b}, dc.get(), true);
  PaintControls(dc.get(), owner, render && SkinData->RepaintIfMoved(), TPoint{0, 0});
  SetParentUpdated(owner);
}

void TacPanelWnd::AC_WMNCPaint(HDC DC) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  const int b = FrameWidth();
  if (b <= 0) return;
  const TacGivenOrOwnDC dc(CtrlHandle, DC, true);
  if (dc.get() == nullptr) return;
  classlib::TBitmap* cache = SkinData->CacheBmp();
  // The frame is cut from the same picture as the face: render it first when the face has not been.
  if (SkinData->BGChanged || cache->Width() != WndSize.cx || cache->Height() != WndSize.cy) PrepareCache();
  if (cache->Width() < WndSize.cx || cache->Height() < WndSize.cy) return;
  BitBltBorder(dc.get(), 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), 0, 0, b);
}

bool TacPanelWnd::SkinCommand(classlib::TMessage& Message) {
  classlib::TWinControl* owner = Owner();
  switch (CommandOf(Message.WParam)) {
    case ACMD_NEWSKIN:
    case ACMD_REFRESH:
      TacMainWnd::acWndProc(Message);
      AlphaBroadCast(owner, Message);
      return true;
    case ACMD_REMOVESKIN:
      SkinData->SkinIndex = -1;
      owner->ControlStyle.Exclude(classlib::csOpaque);
      TacMainWnd::acWndProc(Message);
      return true;
    case ACMD_PARENTUPDATED:
      SkinData->SetUpdating(false);
      RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
      return true;
    case ACMD_ISSKINNED: Message.Result = 1; return true;
    case ACMD_PREPARECACHE: return true;
    case ACMD_GETAPPLICATION:
      Message.Result =
          reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application.operator->()));
      return true;
    default: return false;
  }
}

void TacPanelWnd::ContainerMessage(classlib::TMessage& Message) {
  classlib::TWinControl* owner = Owner();
  switch (Message.Msg) {
    case WM_SETTEXT:
      if (!IsWindowVisible(CtrlHandle)) break;
      SendMessageW(CtrlHandle, WM_SETREDRAW, FALSE, 0);
      TacMainWnd::acWndProc(Message);
      SendMessageW(CtrlHandle, WM_SETREDRAW, TRUE, 0);
      SkinData->BGChanged = true;
      SendMessageW(CtrlHandle, WM_PAINT, 0, 0);
      return;
    case WM_PAINT: {
      // The face is painted by the erase that BeginPaint asks for.
      InvalidateRect(CtrlHandle, nullptr, TRUE);
      PAINTSTRUCT ps{};
      BeginPaint(CtrlHandle, &ps);
      EndPaint(CtrlHandle, &ps);
      Message.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      AC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_UPDATEUISTATE: Message.Result = 1; return;
    case WM_NCPAINT:
      AC_WMNCPaint(nullptr);
      Message.Result = 0;
      return;
    case WM_PARENTNOTIFY:
      if (LOWORD(Message.WParam) != WM_CREATE && LOWORD(Message.WParam) != WM_DESTROY) break;
      TacMainWnd::acWndProc(Message);
      if (LOWORD(Message.WParam) == WM_CREATE) AddToAdapter(owner);
      return;
    case WM_PRINT: {
      const HDC dc = reinterpret_cast<HDC>(Message.WParam);
      const int b = FrameWidth();
      {
        // The print DC holds the whole window: the face goes inside the frame.
        const classlib::SavedDC saved(dc);
        OffsetViewportOrgEx(dc, b, b, nullptr);
        AC_WMPaint(dc);
      }
      AC_WMNCPaint(dc);
      return;
    }
    case classlib::CM_TEXTCHANGED: SkinData->BGChanged = true; break;
    case classlib::CM_SHOWINGCHANGED:
      if (owner->Visible()) {
        AddToAdapter(owner);
        classlib::TMessage newSkin{SM_ALPHACMD, AlphaCmd(ACMD_NEWSKIN), reinterpret_cast<LPARAM>(SkinManager), 0};
        AlphaBroadCast(owner, newSkin);
        classlib::TMessage refresh{SM_ALPHACMD, AlphaCmd(ACMD_REFRESH), reinterpret_cast<LPARAM>(SkinManager), 0};
        AlphaBroadCast(owner, refresh);
      }
      break;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
}

void TacPanelWnd::acWndProc(classlib::TMessage& Message) {
  if (Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY || SkinData == nullptr) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  if (!IsContainer()) {
    TacMainWnd::acWndProc(Message);
    if (Message.Msg == WM_WINDOWPOSCHANGING) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
    return;
  }
  if (Message.Msg == SM_ALPHACMD) {
    if (!SkinCommand(Message)) TacMainWnd::acWndProc(Message);
    return;
  }
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr || !sm->Active()) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  ContainerMessage(Message);
}

// ---- dialog panels ----

namespace {

classlib::TWinControl* FindIn(const classlib::TComponent* Owner, HWND Wnd) {
  for (int i = 0; i < Owner->ComponentCount(); ++i) {
    classlib::TComponent* c = Owner->Components(i);
    if (auto* w = dynamic_cast<classlib::TWinControl*>(c); w != nullptr && w->HandleAllocated() && w->Handle() == Wnd)
      return w;
    if (classlib::TWinControl* found = FindIn(c, Wnd)) return found;
  }
  return nullptr;
}

// The band the dialog panel's frame takes beyond the window's own frame.
constexpr int kDlgPanelBand = 6;

}  // namespace

classlib::TWinControl* FindApplicationControl(HWND Wnd) {
  if (Wnd == nullptr) return nullptr;
  return FindIn(classlib::Application.operator->(), Wnd);
}

TacDlgPanelWnd::TacDlgPanelWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : TacMainWnd(AHandle, ASkinData, ASkinManager), Panel(FindApplicationControl(AHandle)) {}

void TacDlgPanelWnd::Hook(bool Repaint) {
  const bool plainPanel = Panel != nullptr && Panel->ClassName() == L"TPanel";
  if (plainPanel) TakeGlobalColour();
  SkinData->SetSkinSection(plainPanel ? "CHECKBOX" : "GROUPBOX");
  TacMainWnd::Hook(Repaint);
}

void TacDlgPanelWnd::TakeGlobalColour() {
  TsSkinManager* sm = SkinData != nullptr ? SkinData->GetSkinManager() : SkinManager;
  if (Panel != nullptr && sm != nullptr && Panel->Color() != sm->GetGlobalColor())
    Panel->SetColor(sm->GetGlobalColor());
}

void TacDlgPanelWnd::SetSkinParams() {
  TacMainWnd::SetSkinParams();
  TakeGlobalColour();
}

int TacDlgPanelWnd::FrameWidth() const {
  RECT w{}, c{};
  GetWindowRect(CtrlHandle, &w);
  GetClientRect(CtrlHandle, &c);
  return ((w.right - w.left) - (c.right - c.left)) / 2;
}

void TacDlgPanelWnd::PrepareCache() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  if (cache == nullptr) return;
  if (cache->Width() != WndSize.cx || cache->Height() != WndSize.cy) cache->SetSize(WndSize.cx, WndSize.cy);
  // A class-library parent is asked as a control: as a bare window it would not tell its colour.
  TacBGInfo bg;
  if (Panel != nullptr && Panel->Parent() != nullptr)
    GetBGInfo(bg, Panel->Parent(), false);
  else
    GetBGInfo(bg, GetParent(CtrlHandle), false);
  const TCacheInfo ci = BGInfoToCI(bg);
  PaintItem(SkinData, ci, false, 0, TRect{0, 0, WndSize.cx, WndSize.cy}, WndPos, cache, true);
  SkinData->BGChanged = false;
}

void TacDlgPanelWnd::AC_WMPaint(HDC DC) {
  const TacGivenOrOwnDC dc(CtrlHandle, DC);
  if (dc.get() == nullptr) return;
  const classlib::SavedDC saved(dc.get());
  if (SkinData->Updating()) return;
  PrepareCache();
  const int b = FrameWidth();
  BitBlt(dc.get(), b, b, WndSize.cx - 2 * b, WndSize.cy - 2 * b, SkinData->CacheBmp()->Canvas()->Handle(), b, b,
         SRCCOPY);
}

void TacDlgPanelWnd::AC_WMNCPaint(HDC DC) {
  const int b = FrameWidth() + kDlgPanelBand;
  if (b <= 0) return;
  const TacGivenOrOwnDC dc(CtrlHandle, DC, true);
  if (dc.get() == nullptr) return;
  SkinData->BGChanged = true;
  PrepareCache();
  BitBltBorder(dc.get(), 0, 0, WndSize.cx, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), 0, 0, b);
}

void TacDlgPanelWnd::acWndProc(classlib::TMessage& Message) {
  TsSkinManager* sm = SkinData != nullptr ? SkinData->GetSkinManager() : nullptr;
  if (Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY || sm == nullptr || !sm->Active()) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case SM_ALPHACMD:
      if (CommandOf(Message.WParam) == ACMD_NEWSKIN) AlphaBroadCast(CtrlHandle, Message);
      break;
    case WM_SETTEXT:
      if (!IsWindowVisible(CtrlHandle)) break;
      SkinData->BGChanged = true;
      TacMainWnd::acWndProc(Message);
      return;
    case WM_PAINT: {
      TakeGlobalColour();
      PAINTSTRUCT ps{};
      BeginPaint(CtrlHandle, &ps);
      EndPaint(CtrlHandle, &ps);
      Message.Result = 0;
      return;
    }
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(Message.WParam);
      const classlib::SavedDC saved(dc);
      AC_WMPaint(dc);
      // The panel's own children and text paint inside the skinned band.
      IntersectClipRect(dc, kDlgPanelBand, kDlgPanelBand, WndSize.cx - kDlgPanelBand, WndSize.cy - kDlgPanelBand);
      LPARAM lp = 0;
      CallPrevWndProc(CtrlHandle, WM_PAINT, Message.WParam, lp);
      Message.Result = 1;
      return;
    }
    case WM_NCPAINT:
      AC_WMNCPaint(nullptr);
      Message.Result = 1;
      return;
    case WM_UPDATEUISTATE: Message.Result = 1; return;
    case WM_PARENTNOTIFY:
      if (LOWORD(Message.WParam) != WM_CREATE && LOWORD(Message.WParam) != WM_DESTROY) break;
      TacMainWnd::acWndProc(Message);
      TakeGlobalColour();
      if (LOWORD(Message.WParam) == WM_CREATE) AddToAdapter(Panel);
      return;
    case WM_PRINT: {
      const HDC dc = reinterpret_cast<HDC>(Message.WParam);
      AC_WMPaint(dc);
      AC_WMNCPaint(dc);
      return;
    }
    case WM_THEMECHANGED:
      if (Panel != nullptr && Panel->Color() != classlib::clBtnFace) Panel->SetColor(classlib::clBtnFace);
      break;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
}

}  // namespace skin
