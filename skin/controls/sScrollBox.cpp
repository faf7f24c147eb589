#include "skin/controls/sScrollBox.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TMessage;
using classlib::TScopeExit;

namespace {

constexpr int kScrollBoxCoc = 58;

// One wheel message at a time is handed to a focused control, whichever box hands it.
bool g_wheelBusy = false;

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

WPARAM ShiftToKeys(classlib::TShiftState Shift) {
  WPARAM keys = 0;
  if (Shift.Contains(classlib::ssShift)) keys |= MK_SHIFT;
  if (Shift.Contains(classlib::ssCtrl)) keys |= MK_CONTROL;
  if (Shift.Contains(classlib::ssLeft)) keys |= MK_LBUTTON;
  if (Shift.Contains(classlib::ssRight)) keys |= MK_RBUTTON;
  if (Shift.Contains(classlib::ssMiddle)) keys |= MK_MBUTTON;
  return keys;
}

// The bar a scroll command names: WM_HSCROLL in LParam's high word is the horizontal one.
classlib::TControlScrollBar* CommandBar(classlib::TScrollingWinControl* box, LPARAM lp) {
  return ((static_cast<std::uintptr_t>(lp) >> 16) & 0xFFFF) == WM_HSCROLL ? box->HorzScrollBar() : box->VertScrollBar();
}

}  // namespace

TsScrollBox::TsScrollBox(classlib::TComponent* AOwner) : classlib::TScrollBox(AOwner) {
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kScrollBoxCoc;
  ControlStyle += classlib::csAcceptsControls;
  FCanvas = std::make_unique<classlib::TControlCanvas>(this);
  FColor = classlib::clWindow;
  FParentColor = true;
  FBrush.SetColor(FColor);
}

TsScrollBox::~TsScrollBox() {
  ListSW.reset();
  FCommonData.reset();
  FCanvas.reset();
}

void TsScrollBox::DeclareProperties(classlib::TClassDecl<TsScrollBox>& d) {
  d.Object(L"SkinData", &TsScrollBox::SkinData);
  d.Bool(L"AutoMouseWheel", &TsScrollBox::AutoMouseWheel, &TsScrollBox::SetAutoMouseWheel, false);
  d.Color(L"Color", &TsScrollBox::Color, &TsScrollBox::SetColor, classlib::clWindow);
  d.Bool(L"ParentColor", &TsScrollBox::ParentColor, &TsScrollBox::SetParentColor, true);
  d.Event(L"OnPaint", &TsScrollBox::OnPaint);
  d.Event(L"OnBeforeScroll", &TsScrollBox::OnBeforeScroll);
  d.Event(L"OnAfterScroll", &TsScrollBox::OnAfterScroll);
}

void TsScrollBox::AfterConstruction() {
  classlib::TScrollBox::AfterConstruction();
  FCommonData->Loaded();
}

void TsScrollBox::Loaded() {
  classlib::TScrollBox::Loaded();
  FCommonData->Loaded();
}

void TsScrollBox::SetParent(classlib::TWinControl* AParent) {
  classlib::TScrollBox::SetParent(AParent);
  if (AParent != nullptr && FCommonData != nullptr) FCommonData->Loaded();
}

bool TsScrollBox::WheelBusy() { return g_wheelBusy; }

bool TsScrollBox::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(); }

bool TsScrollBox::KeepsOwnCache() { return IsCached(FCommonData.get()) && !FCommonData->CustomColor(); }

void TsScrollBox::Redraw(UINT Flags) {
  if (FHandle != nullptr) RedrawWindow(FHandle, nullptr, nullptr, Flags);
}

void TsScrollBox::UpdateBars() {
  if (ListSW) ListSW->Update(true);
}

void TsScrollBox::ScrollBarsChanged() {
  if (Skinned()) UpdateBars();
}

// ---- scrolling ----

void TsScrollBox::ScrollBy(int DeltaX, int DeltaY) {
  Perform(SM_ALPHACMD, AlphaCmd(ACMD_SCROLLBEGIN), 0);
  // A scroll that raises must not leave the box without redrawing.
  const TScopeExit release([this]() noexcept { ReleaseHeldRedraw(); });
  classlib::TScrollBox::ScrollBy(DeltaX, DeltaY);
  Perform(SM_ALPHACMD, AlphaCmd(ACMD_SCROLLEND), 0);
}

void TsScrollBox::ReleaseHeldRedraw() noexcept {
  if (!redrawHeld_) return;
  redrawHeld_ = false;
  if (FHandle == nullptr) return;
  SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void TsScrollBox::ScrollBegin(const TMessage& M) {
  if (OnBeforeScroll) OnBeforeScroll(this);
  const classlib::TControlScrollBar* bar = CommandBar(this, M.LParam);
  acTrackPos = bar->Position();
  if (KeepsOwnCache() && bar->Tracking() && FHandle != nullptr && !redrawHeld_) {
    SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
    redrawHeld_ = true;
  }
}

void TsScrollBox::ScrollEnd(const TMessage& M) {
  const classlib::TControlScrollBar* bar = CommandBar(this, M.LParam);
  if (KeepsOwnCache()) {
    // What command 51 held is let go, even when Tracking changed in between.
    if (redrawHeld_) {
      redrawHeld_ = false;
      if (FHandle != nullptr) SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
      Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      acTrackPos -= bar->Position();
    } else {
      Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
  } else {
    ReleaseHeldRedraw();
    if (bar->Tracking() && FHandle != nullptr) {
      const int d = acTrackPos - bar->Position();
      acTrackPos = d;
      const int w = Width(), h = Height();
      RECT strip{};
      if (bar->Kind() == classlib::sbHorizontal)
        strip = d < 0 ? RECT{w + d, 0, w, h} : RECT{0, 0, d, h};
      else
        strip = d < 0 ? RECT{0, h + d, w, h} : RECT{0, 0, w, d};
      RedrawWindow(FHandle, &strip, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
  }
  if (OnAfterScroll) OnAfterScroll(this);
}

bool TsScrollBox::DoMouseWheel(classlib::TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (!FAutoMouseWheel) return classlib::TScrollBox::DoMouseWheel(Shift, WheelDelta, MousePos);
  if (g_wheelBusy) return false;
  classlib::TCustomForm* form = classlib::GetParentForm(this);
  if (form == nullptr) return true;
  LRESULT used = 0;
  if (classlib::TWinControl* active = form->ActiveControl()) {
    {
      g_wheelBusy = true;
      const TScopeExit free([]() noexcept { g_wheelBusy = false; });
      used = active->Perform(WM_MOUSEWHEEL, MAKEWPARAM(ShiftToKeys(Shift), WheelDelta),
                             MAKELPARAM(MousePos.X, MousePos.Y));
    }
    UpdateBars();
  }
  if (used == 0) {
    if (OnBeforeScroll) OnBeforeScroll(this);
    classlib::TControlScrollBar* v = VertScrollBar();
    v->SetPosition(v->Position() - (WheelDelta / 120) * v->Increment());
    if (OnAfterScroll) OnAfterScroll(this);
  }
  return true;
}

// ---- painting ----

void TsScrollBox::PrepareCache() {
  InitCacheBmp(FCommonData.get());
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  PaintSkinControl(FCommonData.get(), Parent(), false, 0, TRect{0, 0, Width(), Height()}, TPoint{Left(), Top()}, cache,
                   true);
  FCommonData->BGChanged = false;
  if (OnPaint) {
    classlib::TCanvas* canvas = cache->Canvas();
    canvas->Lock();
    const TScopeExit unlock([canvas]() noexcept { canvas->Unlock(); });
    OnPaint(this, cache);
  }
}

void TsScrollBox::Paint(HDC DC, bool SendUpdated) {
  if (FHandle == nullptr || FCommonData == nullptr) return;
  HDC dc = DC;
  if (dc == nullptr) dc = GetDC(FHandle);
  const TScopeExit release([&]() noexcept {
    if (DC == nullptr) ReleaseDC(FHandle, dc);
  });
  if (KeepsOwnCache() || OnPaint) {
    FCommonData->SetUpdating(FCommonData->Updating());
    if (!FCommonData->Updating()) {
      const bool needRender = FCommonData->HalfVisible || FCommonData->BGChanged;
      RECT clip{};
      GetClipBox(dc, &clip);
      FCommonData->HalfVisible =
          FCommonData->RepaintIfMoved() && (clip.right - clip.left != Width() || clip.bottom - clip.top != Height());
      const classlib::TBitmap* cache = FCommonData->CacheBmp();
      if (needRender || cache->Width() == 0 || cache->Height() == 0) PrepareCache();
      const int f = FrameWidth();
      CopyWinControlCache(this, FCommonData.get(), TRect{f, f, Width() - f, Height() - f},
                          TRect{0, 0, Width() - 2 * f, Height() - 2 * f}, dc, false);
      skin::PaintControls(dc, this, needRender && FCommonData->RepaintIfMoved(), TPoint{0, 0});
    }
  } else {
    FCommonData->SetUpdating(false);
    PaintDirect(dc);
  }
  if (SendUpdated) SetParentUpdated(this);
}

void TsScrollBox::PaintDirect(HDC DC) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidSkinIndex(FCommonData->SkinIndex)) return;
  const TsGeneralData& g = sm->Records().gd[std::size_t(FCommonData->SkinIndex)];
  const int b = SkinBorderMaxWidth(FCommonData.get());
  const int f = FrameWidth();
  const TRect r{0, 0, Width(), Height()};
  {
    const int saved = SaveDC(DC);
    const TScopeExit restore([&]() noexcept { RestoreDC(DC, saved); });
    ExcludeControls(DC, this, TacCtrlType::actGraphic, 0, 0);
    // Window coordinates: the frame lies outside the client area and is clipped.
    OffsetViewportOrgEx(DC, -f, -f, nullptr);
    TacBGInfo bg;
    if (FCommonData->CustomColor()) {
      bg.BgType = TacBGType::btFill;
      bg.Color = Color();
    } else {
      // The box's own background in window coordinates (its children's answer moves by the frame).
      InitBGInfo(FCommonData.get(), bg, 0);
    }
    if (g.Props[0].Transparency == 100 && bg.BgType == TacBGType::btCache && bg.Bmp != nullptr) {
      if (b > 0) {
        InitCacheBmp(FCommonData.get());
        PaintBorderFast(DC, r, b, FCommonData.get(), 0);
      }
      BitBlt(DC, b, b, Width() - 2 * b, Height() - 2 * b, bg.Bmp->Canvas()->Handle(), bg.Offset.X + b, bg.Offset.Y + b,
             SRCCOPY);
    } else if (b > 0) {
      InitCacheBmp(FCommonData.get());
      const TRect inside = PaintBorderFast(DC, r, b, FCommonData.get(), 0);
      FillDC(DC, inside, GetBGColor(FCommonData.get(), 0));
    } else {
      FillDC(DC, r, bg.Color);
    }
  }
  skin::PaintControls(DC, this, true, TPoint{0, 0});
  // A box painted this way keeps no cache between paints.
  FCommonData->CacheBmp()->SetSize(0, 0);
}

void TsScrollBox::EraseBackground(TMessage& M) {
  M.Result = 1;
  const HDC dc = reinterpret_cast<HDC>(M.WParam);
  if (InAnimationProcess && dc != FCommonData->PrintDC) return;
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const bool opaque = sm != nullptr && sm->IsValidSkinIndex(FCommonData->SkinIndex) &&
                      sm->Records().gd[std::size_t(FCommonData->SkinIndex)].Props[0].Transparency == 0;
  if (opaque || (Parent() != nullptr && (SendAMessage(Parent(), ACMD_SKINSTATE, 0) & kNoOwnCache) != 0))
    Paint(dc, true);
}

void TsScrollBox::NonClientPaint(TMessage& M) {
  if (BorderStyle() == classlib::bsNone || !Visible()) {
    classlib::TScrollBox::WndProc(M);
    return;
  }
  M.Result = 0;
  if (InAnimationProcess) return;
  const int f = FrameWidth();
  HDC dc = GetWindowDC(FHandle);
  if (dc == nullptr) return;
  const TScopeExit release([&]() noexcept { ReleaseDC(FHandle, dc); });
  if (KeepsOwnCache()) {
    FCommonData->SetUpdating(FCommonData->Updating());
    if (FCommonData->Updating()) return;
    const classlib::TBitmap* cache = FCommonData->CacheBmp();
    if (FCommonData->BGChanged || cache->Width() == 0 || cache->Height() == 0) PrepareCache();
    UpdateCorners(FCommonData.get(), 0);
    const int saved = SaveDC(dc);
    const TScopeExit restore([&]() noexcept { RestoreDC(dc, saved); });
    BitBltBorder(dc, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, f);
    if (ListSW && ListSW->HasVertBar()) ListSW->PaintNC(dc);
  } else {
    InitCacheBmp(FCommonData.get());
    PaintBorderFast(dc, TRect{0, 0, Width(), Height()}, f, FCommonData.get(), 0);
    FCommonData->CacheBmp()->SetSize(0, 0);
  }
}

void TsScrollBox::Print(TMessage& M) {
  FCommonData->SetUpdating(false);
  const HDC dc = reinterpret_cast<HDC>(M.WParam);
  const int f = FrameWidth();
  PrepareCache();
  BitBltBorder(dc, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, f);
  if (ListSW) ListSW->PaintNC(dc);
  POINT origin{};
  OffsetViewportOrgEx(dc, f, f, &origin);
  {
    const int saved = SaveDC(dc);
    const TScopeExit restore([&]() noexcept { RestoreDC(dc, saved); });
    IntersectClipRect(dc, 0, 0, ClientWidth(), ClientHeight());
    FCommonData->HalfVisible = false;
    Paint(dc, true);
  }
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

// ---- messages ----

void TsScrollBox::WndProc(TMessage& M) {
  if (M.Msg == SM_ALPHACMD && FirstCommand(M)) return;
  if (!ControlIsReady(this)) {
    classlib::TScrollBox::WndProc(M);
    return;
  }
  const bool skinned = Skinned();
  if (skinned) {
    if (SkinnedMessage(M)) return;
    if (CommonWndProc(M, FCommonData.get())) return;
    switch (M.Msg) {
      case WM_ERASEBKGND: EraseBackground(M); return;
      case WM_NCPAINT: NonClientPaint(M); return;
      case WM_PRINT: Print(M); return;
      case WM_NCHITTEST: M.Result = DefWindowProcW(FHandle, M.Msg, M.WParam, M.LParam); return;
      default: break;
    }
  }
  classlib::TScrollBox::WndProc(M);
  if (skinned && Skinned()) AfterDefault(M);
}

bool TsScrollBox::FirstCommand(TMessage& M) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(sm);
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      AlphaBroadCast(this, M);
      if (own) CommonWndProc(M, FCommonData.get());
      return true;
    case ACMD_REMOVESKIN:
      if (own) {
        DropScrollBars(ListSW, FHandle);
        CommonWndProc(M, FCommonData.get());
        if (!HasState(this, classlib::csDestroying)) {
          FCommonData->BorderIndex = -1;
          FCommonData->SkinIndex = -1;
          ControlStyle -= classlib::csOpaque;
          Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        }
      }
      AlphaBroadCast(this, M);
      return true;
    case ACMD_REFRESH:
      if (own) {
        CommonWndProc(M, FCommonData.get());
        FCommonData->SetUpdating(FCommonData->Updating());
        const bool now = !FCommonData->Updating() && !InAnimationProcess;
        Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | (now ? RDW_UPDATENOW : 0));
        RefreshScrollBars(FCommonData.get(), ListSW);
      }
      AlphaBroadCast(this, M);
      return true;
    case ACMD_PARENTUPDATED:
      if (FCommonData->Updating()) {
        Redraw(RDW_INVALIDATE | RDW_FRAME);
        FCommonData->SetUpdating(false);
      } else {
        CommonMessage(M, FCommonData.get());
      }
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_REDRAW: Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME); return false;
    case ACMD_SCROLLBEGIN: ScrollBegin(M); return false;
    case ACMD_SCROLLEND: ScrollEnd(M); return false;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsScrollBox::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(M.WParam)) {
        case ACMD_ISBUSY: M.Result = KeepsOwnCache() && FCommonData->Updating(); return true;
        case ACMD_GETBGINFO: {
          if (M.LParam == 0) return true;
          auto& info = *reinterpret_cast<TacBGInfo*>(M.LParam);
          const bool pleaseDraw = info.PleaseDraw;
          InitBGInfo(FCommonData.get(), info, 0);
          // The children sit in the client area, inside the frame.
          if (info.BgType == TacBGType::btCache && !pleaseDraw) {
            info.Offset.X += FrameWidth();
            info.Offset.Y += FrameWidth();
          }
          return true;
        }
        default: CommonMessage(M, FCommonData.get()); return true;
      }
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      if (!KeepsOwnCache()) {
        // The background comes through WM_ERASEBKGND.
        InvalidateRect(FHandle, nullptr, TRUE);
        HDC dc = BeginPaint(FHandle, &ps);
        const TScopeExit end([&]() noexcept { EndPaint(FHandle, &ps); });
        skin::PaintControls(M.WParam != 0 ? reinterpret_cast<HDC>(M.WParam) : dc, this, false, TPoint{0, 0});
      } else {
        BeginPaint(FHandle, &ps);
        const TScopeExit end([&]() noexcept { EndPaint(FHandle, &ps); });
        Paint(reinterpret_cast<HDC>(M.WParam), true);
      }
      M.Result = 0;
      return true;
    }
    case classlib::CM_VISIBLECHANGED: FCommonData->BGChanged = true; return false;
    case classlib::CM_ENTER:
    case classlib::CM_EXIT: {
      FCommonData->BeginUpdate();
      try {
        classlib::TScrollBox::WndProc(M);
      } catch (...) {
        FCommonData->EndUpdate(false);
        throw;
      }
      FCommonData->EndUpdate(false);
      return true;
    }
    default: return false;
  }
}

void TsScrollBox::AfterDefault(const TMessage& M) {
  switch (M.Msg) {
    case WM_SIZE: Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_FRAME); break;
    case WM_WINDOWPOSCHANGING:
    case WM_MOUSEWHEEL:
    case classlib::CM_CONTROLLISTCHANGE:
    case classlib::CM_CONTROLCHANGE:
      if (!FCommonData->Updating() && AutoScroll()) UpdateBars();
      break;
    case WM_PARENTNOTIFY:
      if ((LOWORD(M.WParam) == WM_CREATE || LOWORD(M.WParam) == WM_DESTROY) && AutoScroll()) UpdateBars();
      break;
    case classlib::CM_FOCUSCHANGED: UpdateBars(); break;
    case classlib::CM_SHOWINGCHANGED: RefreshScrollBars(FCommonData.get(), ListSW); break;
    default: break;
  }
}

void RegisterScrollBoxClasses() {
  RegisterSkinDataClasses();
  classlib::RegisterClass<TsScrollBox, classlib::TScrollBox>(L"TsScrollBox");
}

}  // namespace skin
