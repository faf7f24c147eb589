#include "skin/windows/acSBUtils.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/windows/acComboWnd.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acSBPaint.h"
#include "skin/windows/acSBTrack.h"
#include "skin/windows/acWndRoutines.h"
#include "skin/windows/acWndUnit.h"

namespace skin {
namespace {

constexpr WORD kBarShown = 8;
constexpr WORD kBarKeepShown = 4;
constexpr UINT kRecreateRequest = 0xB033;
constexpr UINT kWheelNotification = 0xB043;
constexpr UINT kFocusNotification = 0xB007;

bool HasStyle(HWND wnd, LONG_PTR bits) { return (GetWindowLongPtrW(wnd, GWL_STYLE) & bits) != 0; }

bool Inside(const TRect& r, POINT p) { return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom; }

// comctl32's flat scroll bars, when the library has them (resolved by the unit's start-up).
using TFlatSB = TFlatSBSwitch;
TFlatSB FlatSB(const char* name) {
  if (!acWndUnitStarted()) acWndUnitStartup();
  return std::string_view(name) == "InitializeFlatSB" ? Ac_InitializeFlatSB : Ac_UninitializeFlatSB;
}

bool OwnerBusy(TsCommonData* data, bool loadingToo) {
  classlib::TControl* owner = data != nullptr ? data->OwnerControl() : nullptr;
  if (owner == nullptr) return false;
  const auto state = owner->ComponentState();
  return (loadingToo && state.Contains(classlib::csLoading)) || state.Contains(classlib::csDestroying) ||
         state.Contains(classlib::csDesigning);
}

template <class T>
void Refresh(TsCommonData* SkinData, THandler<TacScrollWnd>& SW, bool flatBars) {
  auto* owner = dynamic_cast<classlib::TWinControl*>(SkinData->OwnerControl());
  if (owner == nullptr || OwnerBusy(SkinData, flatBars)) return;
  if (SkinData->Skinned()) {
    if (flatBars)
      if (TFlatSB off = FlatSB("UninitializeFlatSB")) off(owner->Handle());
    if (SW && SW->Destroyed) SW.reset();
    if (!SW) SW = TacMainWnd::Create<T>(owner->Handle(), SkinData, SkinData->GetSkinManager(), SkinData->SkinSection());
  } else {
    SW.reset();
    if (flatBars)
      if (TFlatSB on = FlatSB("InitializeFlatSB")) on(owner->Handle());
  }
}

// A control's scrolling handler behind the interface the controls know.
class TacScrollBarsLink final : public IacScrollBars {
 public:
  explicit TacScrollBarsLink(THandler<TacScrollWnd> SW) : sw(std::move(SW)) {}
  void Update(bool Repaint) override { UpdateScrolls(sw.get(), Repaint); }
  void PaintNC(HDC DC) override {
    if (sw && !sw->Destroyed) Ac_NCPaint(sw.get(), sw->CtrlHandle, 1, DC, -1, 0);
  }
  bool HasVertBar() const override { return sw && sw->sBarVert != nullptr; }
  bool WindowDestroyed() const override { return !sw || sw->Destroyed; }
  THandler<TacScrollWnd> sw;
};

template <void (*RefreshOne)(TsCommonData*, THandler<TacScrollWnd>&)>
void RefreshLinked(TsCommonData* SkinData, std::unique_ptr<IacScrollBars>& Bars) {
  // Only this engine makes the handlers behind the interface.
  if (auto* link = static_cast<TacScrollBarsLink*>(Bars.get())) {
    RefreshOne(SkinData, link->sw);
    if (!link->sw) Bars.reset();
    return;
  }
  THandler<TacScrollWnd> sw;
  RefreshOne(SkinData, sw);
  if (sw) Bars = std::make_unique<TacScrollBarsLink>(std::move(sw));
}

// A combo box's list handler behind the interface; freeing it gives the list its plain border back.
class TacComboListLink final : public IacScrollBars {
 public:
  explicit TacComboListLink(THandler<TacComboListWnd> List) : list(std::move(List)) {}
  ~TacComboListLink() override {
    if (!list) return;
    const HWND h = list->CtrlHandle;
    if (!list->Destroyed && IsWindow(h))
      SetWindowLongPtrW(h, GWL_STYLE, (GetWindowLongPtrW(h, GWL_STYLE) & ~LONG_PTR(WS_THICKFRAME)) | WS_BORDER);
    if (list->Destroyed)
      list.reset();
    else
      UninitializeACScroll(h, true, list);
  }
  void Update(bool Repaint) override { UpdateScrolls(list.get(), Repaint); }
  void PaintNC(HDC DC) override {
    if (list && !list->Destroyed) Ac_NCPaint(list.get(), list->CtrlHandle, 1, DC, -1, 0);
  }
  bool HasVertBar() const override { return list && list->sBarVert != nullptr; }
  bool WindowDestroyed() const override { return !list || list->Destroyed; }
  THandler<TacComboListWnd> list;
};

std::unique_ptr<IacScrollBars> HookLinkedComboList(HWND List, TsSkinManager* Manager, bool Simply) {
  THandler<TacComboListWnd> list = TacComboListWnd::CreateEx(List, nullptr, Manager, "EDIT", true, Simply);
  if (!list) return nullptr;
  return std::make_unique<TacComboListLink>(std::move(list));
}

void InitializeFlatBars(HWND Wnd) {
  if (TFlatSB on = FlatSB("InitializeFlatSB")) on(Wnd);
}

}  // namespace

void Ac_InstallScrollBarsLink() {
  SetScrollBarsEngine({&RefreshLinked<&RefreshScrolls>, &RefreshLinked<&RefreshEditScrolls>, &InitializeFlatBars,
                       &HookLinkedComboList});
}

void TacScrollWnd::Hook(bool Repaint) { InitializeACScrolls(this, CtrlHandle, Repaint); }

bool TacScrollWnd::UnhookWindow() { return UninitializeACScroll(CtrlHandle, false, this); }

void TacScrollWnd::Release() {
  if (sBarHorz) sBarHorz->sw = nullptr;
  if (sBarVert) sBarVert->sw = nullptr;
  sBarHorz.reset();
  sBarVert.reset();
  Ac_ForgetScrollWnd(CtrlHandle);
}

void InitializeACScrolls(TacScrollWnd* Wnd, HWND Handle, bool Repaint) {
  Wnd->DontRepaint = false;
  Wnd->CtrlHandle = Handle;
  Wnd->sBarHorz = std::make_unique<TacScrollBar>();
  Wnd->sBarVert = std::make_unique<TacScrollBar>();
  Wnd->sBarHorz->sw = Wnd->sBarVert->sw = Wnd;
  Wnd->sBarHorz->nBarType = SB_HORZ;
  Wnd->sBarVert->nBarType = SB_VERT;
  ReadScrollInfos(Wnd);
  Wnd->fLeftScrollbar = (GetWindowLongPtrW(Handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  Wnd->sBarHorz->fScrollFlags = HasStyle(Handle, WS_HSCROLL) ? kBarShown : 0;
  Wnd->sBarVert->fScrollFlags = HasStyle(Handle, WS_VSCROLL) ? kBarShown : 0;
  Wnd->bPreventStyleChange = false;
  InitializeACWnd(Wnd, Handle);
  if (Repaint) Ac_RedrawNonClient(Handle, true);
}

bool UninitializeACScroll(HWND Handle, bool Repaint, TacScrollWnd* SW) {
  if (SW == nullptr) return false;
  if (SW->Destroyed) return true;
  // The bars go only with the window given back: a handler left under a later subclass keeps
  // serving it with its bars.
  if (!UninitializeACWnd(Handle, Repaint, SW)) return false;
  if (SW->sBarHorz) SW->sBarHorz->sw = nullptr;
  if (SW->sBarVert) SW->sBarVert->sw = nullptr;
  SW->sBarHorz.reset();
  SW->sBarVert.reset();
  Ac_ForgetScrollWnd(Handle);
  return true;
}

TacScrollWnd* Ac_GetScrollWndFromHwnd(HWND Wnd) { return dynamic_cast<TacScrollWnd*>(Ac_GetHandlerFromHwnd(Wnd)); }

TacScrollBar* Ac_GetScrollBarFromHwnd(HWND Wnd, int Bar) {
  TacScrollWnd* sw = Ac_GetScrollWndFromHwnd(Wnd);
  if (sw == nullptr) return nullptr;
  return Bar == SB_HORZ ? sw->sBarHorz.get() : Bar == SB_VERT ? sw->sBarVert.get() : nullptr;
}

void ReadScrollInfo(HWND Wnd, TacScrollBar* Bar) {
  Bar->ScrollInfo = {};
  Bar->ScrollInfo.cbSize = sizeof(SCROLLINFO);
  Bar->ScrollInfo.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  GetScrollInfo(Wnd, Bar->nBarType, &Bar->ScrollInfo);
}

void ReadScrollInfos(TacScrollWnd* SW) {
  if (SW->sBarHorz) ReadScrollInfo(SW->CtrlHandle, SW->sBarHorz.get());
  if (SW->sBarVert) ReadScrollInfo(SW->CtrlHandle, SW->sBarVert.get());
}

int GetScrollMetric(const TacScrollBar* Bar, int Metric, bool UseSkin) {
  if (Bar == nullptr || Bar->nBarType > SB_VERT) return 0;
  const bool horz = Bar->nBarType == SB_HORZ;
  if (Metric == 1) {
    if (Bar->nArrowWidth >= 0) return Bar->nArrowWidth;
    return -Bar->nArrowWidth * GetSystemMetrics(horz ? SM_CYHSCROLL : SM_CXVSCROLL);
  }
  if (Metric != 0) return 0;
  if (Bar->nArrowLength >= 0) return Bar->nArrowLength;
  int unit = acScrollBtnLength;
  TsSkinManager* sm = Bar->sw != nullptr ? Bar->sw->SkinManager : nullptr;
  if (UseSkin && sm != nullptr) {
    const TConstantSkinData& cd = sm->Records().ConstData;
    const int section = horz ? cd.IndexScrollLeft : cd.IndexScrollTop;
    const int image = horz ? cd.MaskScrollLeft : cd.MaskScrollTop;
    if (sm->IsValidSkinIndex(section) && sm->Records().gd[std::size_t(section)].ReservedBoolean &&
        sm->IsValidImgIndex(image)) {
      const TsMaskData& md = sm->Records().ma[std::size_t(image)];
      const int cell = horz ? (md.R.Right - md.R.Left) / std::max(1, int(md.ImageCount))
                            : (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
      unit = std::max(unit, cell);
    }
  }
  return -Bar->nArrowLength * unit;
}

void AC_GetHScrollRect(const TacScrollWnd* SW, HWND Wnd, TRect& R) {
  R = ACWindowRect(Wnd);
  const int vert = SW->sBarVert && SW->sBarVert->fScrollVisible ? GetScrollMetric(SW->sBarVert.get(), 1, false) : 0;
  const int horz = SW->sBarHorz && SW->sBarHorz->fScrollVisible ? GetScrollMetric(SW->sBarHorz.get(), 1, false) : 0;
  if (!SW->fLeftScrollbar) {
    R.Left += SW->cxLeftEdge;
    R.Right -= vert + SW->cxRightEdge;
  } else {
    R.Left += vert + SW->cxLeftEdge;
    R.Right -= SW->cxRightEdge;
  }
  R.Bottom -= SW->cyBottomEdge;
  R.Top = R.Bottom - horz;
}

void AC_GetVScrollRect(const TacScrollWnd* SW, HWND Wnd, TRect& R) {
  R = ACWindowRect(Wnd);
  const int vert = SW->sBarVert && SW->sBarVert->fScrollVisible ? GetScrollMetric(SW->sBarVert.get(), 1, false) : 0;
  const int horz = SW->sBarHorz && SW->sBarHorz->fScrollVisible ? GetScrollMetric(SW->sBarHorz.get(), 1, false) : 0;
  R.Top += SW->cyTopEdge;
  R.Bottom -= horz + SW->cyBottomEdge;
  if (!SW->fLeftScrollbar) {
    R.Right -= SW->cxRightEdge;
    R.Left = R.Right - vert;
  } else {
    R.Left += SW->cxLeftEdge;
    R.Right = R.Left + vert;
  }
}

bool GetBarRect(const TacScrollWnd* SW, int BarType, HWND Wnd, TRect& R) {
  if (BarType == SB_HORZ)
    AC_GetHScrollRect(SW, Wnd, R);
  else if (BarType == SB_VERT)
    AC_GetVScrollRect(SW, Wnd, R);
  else
    return false;
  return true;
}

bool SizeGripVisible(const TacScrollWnd* SW, HWND Wnd, const TRect& Corner) {
  HWND parent = GetParent(Wnd);
  if (parent == nullptr) return true;
  if (GetParent(parent) != nullptr) return false;
  RECT c{};
  GetClientRect(parent, &c);
  MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&c), 2);
  if (Corner.Bottom + SW->cyBottomEdge != c.bottom) return false;
  return SW->fLeftScrollbar ? Corner.Left - SW->cxLeftEdge == c.left : Corner.Right + SW->cxRightEdge == c.right;
}

bool Ac_IsScrollbarActive(const TacScrollBar* Bar) {
  if (Bar == nullptr || Bar->sw == nullptr) return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (!GetScrollBarInfo(Bar->sw->CtrlHandle, Bar->nBarType == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, &info))
    return false;
  // Some systems mark only the arrows of a bar disabled as a whole.
  const bool arrowsOff =
      (info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE) != 0 && (info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE) != 0;
  return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0 && !arrowsOff && IsWindowEnabled(Bar->sw->CtrlHandle);
}

LRESULT Ac_NCCalcSize(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam) {
  auto* rect = reinterpret_cast<RECT*>(LParam);
  const RECT old = *rect;
  LPARAM lp = LParam;
  LRESULT result;
  const LONG_PTR style = GetWindowLongPtrW(Wnd, GWL_STYLE);
  if ((style & (WS_HSCROLL | WS_VSCROLL)) != 0) {
    // The replaced procedure reserves its border but no native bars.
    SW->bPreventStyleChange = true;
    SetWindowLongPtrW(Wnd, GWL_STYLE, style & ~LONG_PTR(WS_HSCROLL | WS_VSCROLL));
    result = SW->CallPrevWndProc(Wnd, WM_NCCALCSIZE, WParam, lp);
    SetWindowLongPtrW(Wnd, GWL_STYLE, style);
    SW->bPreventStyleChange = false;
  } else {
    result = SW->CallPrevWndProc(Wnd, WM_NCCALCSIZE, WParam, lp);
  }
  RECT& now = *rect;
  SW->cxLeftEdge = now.left - old.left;
  SW->cxRightEdge = old.right - now.right;
  SW->cyTopEdge = now.top - old.top;
  SW->cyBottomEdge = old.bottom - now.bottom;
  if (!SW->sBarHorz || !SW->sBarVert) return result;
  TacScrollBar& h = *SW->sBarHorz;
  h.fScrollFlags = (style & WS_HSCROLL) ? kBarShown : 0;
  const int hThick = GetScrollMetric(&h, 1, false);
  h.fScrollVisible = h.fScrollFlags != 0 && now.bottom - now.top >= hThick;
  if (h.fScrollVisible) now.bottom -= hThick;
  TacScrollBar& v = *SW->sBarVert;
  v.fScrollFlags = (style & WS_VSCROLL) ? kBarShown : 0;
  const int vThick = GetScrollMetric(&v, 1, false);
  v.fScrollVisible = v.fScrollFlags != 0 && now.right - now.left >= vThick;
  if (v.fScrollVisible) {
    if (SW->fLeftScrollbar)
      now.left += vThick;
    else
      now.right -= vThick;
  }
  return result;
}

LRESULT Ac_NCHitTest(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam) {
  const POINT p{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
  TRect h, v;
  AC_GetHScrollRect(SW, Wnd, h);
  AC_GetVScrollRect(SW, Wnd, v);
  if (SW->sBarHorz && SW->sBarHorz->fScrollVisible && Inside(h, p))
    return Ac_IsScrollbarActive(SW->sBarHorz.get()) ? HTHSCROLL : HTNOWHERE;
  if (SW->sBarVert && SW->sBarVert->fScrollVisible && Inside(v, p))
    return Ac_IsScrollbarActive(SW->sBarVert.get()) ? HTVSCROLL : HTNOWHERE;
  if (SW->sBarHorz && SW->sBarVert && SW->sBarHorz->fScrollVisible && SW->sBarVert->fScrollVisible) {
    const TRect corner{std::min(h.Right, v.Left), h.Top, std::max(h.Right, v.Right), h.Bottom};
    const TRect square = SW->fLeftScrollbar ? TRect{v.Left, h.Top, v.Right, h.Bottom} : corner;
    if (Inside(square, p) && SizeGripVisible(SW, Wnd, square)) return HTBOTTOMRIGHT;
  }
  LPARAM lp = LParam;
  return SW->CallPrevWndProc(Wnd, WM_NCHITTEST, WParam, lp);
}

LRESULT Ac_StyleChange(TacScrollWnd* SW, HWND Wnd, WPARAM WParam, LPARAM LParam) {
  if (static_cast<int>(WParam) == GWL_EXSTYLE && LParam != 0)
    SW->fLeftScrollbar = (reinterpret_cast<const STYLESTRUCT*>(LParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
  LPARAM lp = LParam;
  return SW->CallPrevWndProc(Wnd, WM_STYLECHANGED, WParam, lp);
}

void TacScrollWnd::acWndProc(classlib::TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
      Ac_ForgetScrollWnd(CtrlHandle);
      DestroyMessage(Message);
      return;
    case WM_UPDATEUISTATE: return;
    default: break;
  }
  if (Destroyed) return;
  if (SkinData == nullptr || !SkinData->Skinned()) {
    if (SkinData != nullptr && Message.Msg == SM_ALPHACMD && CommandOf(Message.WParam) == ACMD_NEWSKIN &&
        Message.LParam == reinterpret_cast<LPARAM>(SkinData->GetSkinManager()))
      SkinData->UpdateIndexes();
    PassOn(Message);
    return;
  }
  if (Message.Msg == SM_ALPHACMD) {
    const bool ownManager = Message.LParam == reinterpret_cast<LPARAM>(SkinData->GetSkinManager());
    switch (CommandOf(Message.WParam)) {
      case ACMD_NEWSKIN:
        if (ownManager) {
          SkinData->UpdateIndexes();
          AlphaBroadCastCheck(SkinData->OwnerControl(), CtrlHandle, Message);
        }
        break;
      case ACMD_REFRESH:
        if (ownManager) {
          SkinData->UpdateIndexes();
          SkinData->BGChanged = true;
        }
        break;
      case ACMD_PARENTUPDATED:
        if (SkinData->Updating()) {
          SkinData->SetUpdating(false);
          if (!SkinData->Updating())
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        }
        break;
      case ACMD_SETUPDATING: SkinData->SetUpdating(ArgumentOf(Message.WParam) == 1); break;
      case ACMD_GETCOLOR:
        PassOn(Message);
        if (Message.Result == 0) Message.Result = static_cast<LRESULT>(GetBGColor(SkinData, 0, nullptr));
        return;
      case ACMD_GETBGINFO:
        PassOn(Message);
        if (auto* bg = reinterpret_cast<TacBGInfo*>(Message.LParam);
            bg != nullptr && bg->BgType == TacBGType::btUnknown)
          InitBGInfo(SkinData, *bg, 0, nullptr);
        return;
      case ACMD_ISSKINNED:
      case ACMD_REMOVESKIN:
      case ACMD_SETSECTION:
      case ACMD_GETAPPLICATION:
        if (AlphaCommand(Message)) return;
        break;
      default: break;
    }
    PassOn(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_STYLECHANGED:
      if (bPreventStyleChange) {
        Message.Result = 0;
        return;
      }
      Message.Result = Ac_StyleChange(this, CtrlHandle, Message.WParam, Message.LParam);
      return;
    case WM_NCCALCSIZE: Message.Result = Ac_NCCalcSize(this, CtrlHandle, Message.WParam, Message.LParam); return;
    case WM_NCHITTEST: Message.Result = Ac_NCHitTest(this, CtrlHandle, Message.WParam, Message.LParam); return;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      if (Message.WParam == HTHSCROLL || Message.WParam == HTVSCROLL) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_SYSCOMMAND:
      if (LOWORD(Message.WParam) == 0xF077) return;
      break;
    default:
      if (BarMessage(Message)) return;
      break;
  }
  PassOn(Message);
  switch (Message.Msg) {
    case WM_MOUSEWHEEL:
    case kWheelNotification:
      if (!DontRepaint) UpdateScrolls(this, true);
      break;
    case kFocusNotification: UpdateScrolls(this, true); break;
    default: break;
  }
}

void RefreshScrolls(TsCommonData* SkinData, THandler<TacScrollWnd>& SW) { Refresh<TacScrollWnd>(SkinData, SW, true); }

void RefreshEditScrolls(TsCommonData* SkinData, THandler<TacScrollWnd>& SW) {
  Refresh<TacEditWnd>(SkinData, SW, false);
}

void UpdateScrolls(TacScrollWnd* SW, bool Repaint) {
  if (SW == nullptr || !SW->sBarHorz || !SW->sBarVert || !IsWindowVisible(SW->CtrlHandle)) return;
  if (SW->SkinData != nullptr && SW->SkinData->Updating()) return;
  ReadScrollInfos(SW);
  if (Repaint && !InAnimationProcess) Ac_NCPaint(SW, SW->CtrlHandle, 1, nullptr, -1, 0);
}

int Ac_SetScrollInfo(HWND Handle, int Bar, const SCROLLINFO& ScrollInfo, bool Redraw) {
  TacScrollBar* bar = Ac_GetScrollBarFromHwnd(Handle, Bar);
  if (bar == nullptr || bar->sw == nullptr) {
    SCROLLINFO si = ScrollInfo;
    return SetScrollInfo(Handle, Bar, &si, Redraw);
  }
  SCROLLINFO& own = bar->ScrollInfo;
  if (ScrollInfo.fMask & SIF_RANGE) own.nMin = ScrollInfo.nMin, own.nMax = ScrollInfo.nMax;
  if (ScrollInfo.fMask & SIF_PAGE) own.nPage = ScrollInfo.nPage;
  if (ScrollInfo.fMask & SIF_POS) own.nPos = ScrollInfo.nPos;
  // 64-bit: a full 32-bit range does not overflow.
  const std::int64_t span = std::max<std::int64_t>(0, std::int64_t(own.nMax) - own.nMin + 1);
  own.nPage = UINT(std::min<std::int64_t>(own.nPage, span));
  const std::int64_t last = std::int64_t(own.nMax) - std::max<std::int64_t>(std::int64_t(own.nPage) - 1, 0);
  own.nPos = int(std::clamp<std::int64_t>(own.nPos, own.nMin, std::max<std::int64_t>(own.nMin, last)));
  // The window keeps the same information: it stays the source the engine reads.
  SCROLLINFO keep = own;
  keep.cbSize = sizeof keep;
  keep.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  TacScrollWnd* sw = bar->sw;
  sw->bPreventStyleChange = true;
  SetScrollInfo(Handle, Bar, &keep, FALSE);
  sw->bPreventStyleChange = false;
  const bool empty =
      std::int64_t(own.nMax) < std::int64_t(own.nPage) || (own.nPage == 0 && own.nMax == 0) || own.nMin >= own.nMax;
  const bool show = !empty || (ScrollInfo.fMask & SIF_DISABLENOSCROLL) || (bar->fScrollFlags & kBarKeepShown);
  const bool was = (bar->fScrollFlags & kBarShown) != 0;
  const LONG_PTR bit = Bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
  if (show)
    bar->fScrollFlags |= kBarShown;
  else
    bar->fScrollFlags &= WORD(~kBarShown);
  const LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
  const LONG_PTR wanted = show ? (style | bit) : (style & ~bit);
  if (wanted != style) SetWindowLongPtrW(Handle, GWL_STYLE, wanted);
  if (show != was || wanted != style)
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  else if (Redraw && !sw->fThumbTracking && IsWindowVisible(Handle))
    Ac_RedrawNonClient(Handle, false);
  return own.nPos;
}

}  // namespace skin

namespace skin {

bool TacScrollWnd::BarMessage(classlib::TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCPAINT:
      // The window's own procedure draws its frame and, as the window keeps its scroll styles, the
      // system's bars: it goes first, and the skinned bars are painted over what it drew.
      PassOn(Message);
      if (!DontRepaint) Ac_NCPaint(this, CtrlHandle, 1, nullptr, -1, Message.LParam);
      return true;
    case WM_NCMOUSEMOVE: Message.Result = Ac_NCMouseMove(this, CtrlHandle, Message.WParam, Message.LParam); return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (Message.WParam != HTHSCROLL && Message.WParam != HTVSCROLL) return false;
      Message.Result = Ac_NCLButtonDown(this, CtrlHandle, Message.WParam, Message.LParam);
      return true;
    case WM_TIMER:
      // The window's own timers may scroll it (a list's auto-scroll): the bars follow.
      if (Ac_Timer(this, CtrlHandle, Message.WParam, Message.LParam, Message.Result)) return true;
      PassOn(Message);
      if (!DontRepaint && !fThumbTracking) UpdateScrolls(this, true);
      return true;
    case WM_MOUSEMOVE: Message.Result = Ac_MouseMove(this, CtrlHandle, Message.WParam, Message.LParam); return true;
    case WM_LBUTTONUP: Message.Result = Ac_LButtonUp(this, CtrlHandle, Message.WParam, Message.LParam); return true;
    default: return false;
  }
}

}  // namespace skin
