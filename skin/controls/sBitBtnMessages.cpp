// The skinned bitmap button's window procedure, mouse and keyboard reactions and the unskinned
// owner-drawn look.
#include "skin/controls/sBitBtn.h"

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acGlow.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;

namespace {

// Set while a focus gain is handled: a nested gain leaves the redraw switch alone.
bool FocusChanging = false;

}  // namespace

void TsBitBtn::StopFade() { StopFading(FadeTimer, FCommonData.get()); }

void TsBitBtn::RepaintNow() {
  if (HandleAllocated()) Repaint();
}

void TsBitBtn::WndProc(TMessage& M) {
  if (M.Msg == WM_KILLFOCUS && Destroying()) return;
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (!ControlIsReady(this) || !Skinned()) {
    if ((M.Msg == classlib::CM_MOUSEENTER || M.Msg == classlib::CM_MOUSELEAVE) && M.LParam == 0 && !Destroying())
      FCommonData->FMouseAbove = M.Msg == classlib::CM_MOUSEENTER;
    classlib::TBitBtn::WndProc(M);
    return;
  }
  if (SkinnedMessage(M)) return;
  if (CommonWndProc(M, FCommonData.get())) return;
  const UINT msg = M.Msg;
  const WPARAM wp = M.WParam;
  const std::shared_ptr<bool> alive = alive_;
  classlib::TBitBtn::WndProc(M);
  if (*alive && !Destroying()) AfterInherited(TMessage{msg, wp, 0, 0});
}

bool TsBitBtn::SkinCommand(TMessage& M) {
  const bool own = M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager()) && M.LParam != 0;
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      StopFade();
      if (!own) return false;
      RegionChanged = true;
      CommonWndProc(M, FCommonData.get());
      return true;
    case ACMD_REMOVESKIN:
      if (!own) return false;
      if (!Destroying()) {
        StopFade();
        CommonWndProc(M, FCommonData.get());
        DeleteHeldRegion();
        RemoveWindowRegion();
        RepaintNow();
      }
      return true;
    case ACMD_REFRESH:
      if (!own) return false;
      StopFade();
      RemoveWindowRegion();
      CommonWndProc(M, FCommonData.get());
      RegionChanged = true;
      if (FCommonData->PrintDC == nullptr) RepaintNow();
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_STOPFADE: StopFade(); return true;
    case ACMD_PREPARECACHE:
      if (ControlIsReady(this) && Skinned()) PrepareCache();
      return false;
    case ACMD_FADEFRAME: DeleteHeldRegion(); return false;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsBitBtn::SkinnedMessage(TMessage& M) {
  const bool shown = Visible() || Designing();
  switch (M.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(M.WParam)) {
        case ACMD_PARENTUPDATED:
          if (!FCommonData->Updating()) return false;
          FCommonData->SetUpdating(false);
          RepaintNow();
          return true;
        case ACMD_SETURGENT:
          if (FCommonData->UrgentPainting) PrepareCache();
          CommonWndProc(M, FCommonData.get());
          return true;
        default: return false;
      }
    case WM_MOVE:
      if (const TsGeneralData* g = detail::Section(FCommonData.get());
          g != nullptr && (g->Transparency > 0 || (g->HotTransparency > 0 && ControlIsActive(FCommonData.get())))) {
        FCommonData->BGChanged = true;
        RepaintNow();
      }
      return false;
    case WM_SIZE: RegionChanged = true; return false;
    case WM_SETFOCUS:
    case classlib::CM_ENTER: FocusGained(M); return !Designing() && Visible();
    case WM_KILLFOCUS:
    case classlib::CM_EXIT: FocusLost(M); return !Designing() && Visible();
    case WM_ENABLE: return true;
    case WM_PAINT:
      if (!Visible() && !Designing()) return false;
      if (Parent() == nullptr) return true;
      OurPaintHandler(reinterpret_cast<HDC>(M.WParam));
      return !Designing();
    case WM_ERASEBKGND:
      if (!shown) return false;
      if (M.WParam != 0 && FCommonData->CacheBmp() != nullptr && !FCommonData->BGChanged &&
          (FadeTimer == nullptr || !FadeTimer->Enabled())) {
        const TRect whole{0, 0, Width(), Height()};
        CopyWinControlCache(this, FCommonData.get(), whole, whole, reinterpret_cast<HDC>(M.WParam), false);
      }
      M.Result = 0;
      return true;
    case WM_WINDOWPOSCHANGING: RegionChanged = true; return false;
    case WM_WINDOWPOSCHANGED:
      RegionChanged = true;
      FCommonData->BGChanged = true;
      return false;
    case WM_SETTEXT: {
      if (!shown) return false;
      // The native button would paint its own caption meanwhile; the new one shows afterwards.
      StopFade();
      {
        const detail::TRedrawOff off(this);
        classlib::TBitBtn::WndProc(M);
      }
      FCommonData->Invalidate();
      return true;
    }
    case WM_UPDATEUISTATE:
      if (!shown) return false;
      M.Result = 0;
      return true;
    case WM_PRINT:
      RegionChanged = true;
      FCommonData->SetUpdating(false);
      OurPaintHandler(reinterpret_cast<HDC>(M.WParam));
      return true;
    case classlib::CM_FOCUSCHANGED:
      if (Visible()) {
        if (FocusChanging) {
          classlib::TBitBtn::WndProc(M);
        } else {
          const detail::TRedrawOff off(this);
          classlib::TBitBtn::WndProc(M);
        }
      }
      return true;
    case classlib::CM_TEXTCHANGED:
      if (!shown) return false;
      if (!Destroying()) FCommonData->Invalidate();
      return true;
    case classlib::CM_MOUSEENTER:
    case classlib::CM_MOUSELEAVE:
      if (M.LParam == 0) MouseHover(M.Msg == classlib::CM_MOUSEENTER);
      return false;
    case classlib::CM_UIACTIVATE: FCommonData->SetUpdating(false); return false;
    case classlib::CN_DRAWITEM: M.Result = 1; return true;
    default: return false;
  }
}

void TsBitBtn::FocusGained(TMessage& M) {
  if (Designing() || !Visible()) return;
  if (Enabled() && !Destroying() && !FocusChanging) {
    {
      // Restored on every exit: a handler of the focus gain (OnEnter) may throw.
      const detail::TRedrawOff off(this, &FocusChanging);
      classlib::TBitBtn::WndProc(M);
    }
    if (FadeTimer != nullptr)
      FadeTimer->Change();
    else
      FCommonData->Invalidate();
    return;
  }
  classlib::TBitBtn::WndProc(M);
}

void TsBitBtn::FocusLost(TMessage& M) {
  if (Designing() || !Visible()) return;
  if (Enabled() && !Destroying()) {
    StopFade();
    {
      const detail::TRedrawOff off(this);
      classlib::TBitBtn::WndProc(M);
    }
    if (Skinned()) {
      FCommonData->FFocused = false;
      FCommonData->Invalidate();
      HideGlow(FCommonData->GlowID);
      FCommonData->GlowID = -1;
    }
    return;
  }
  classlib::TBitBtn::WndProc(M);
}

void TsBitBtn::AfterInherited(TMessage M) {
  const bool shown = Visible() || Designing();
  switch (M.Msg) {
    case WM_SETFONT:
      if (!shown) return;
      FCommonData->SetUpdating(false);
      FCommonData->Invalidate();
      return;
    case classlib::CM_CANCELMODE:
      HideGlow(FCommonData->GlowID);
      FCommonData->GlowID = -1;
      return;
    case classlib::CM_VISIBLECHANGED:
      if (!Visible()) return;
      FCommonData->BGChanged = true;
      FCommonData->SetUpdating(false);
      RepaintNow();
      return;
    case classlib::CM_ENABLEDCHANGED:
      if (!shown) return;
      if (!Enabled()) StopFade();
      FCommonData->SetUpdating(false);
      FCommonData->Invalidate();
      return;
    case WM_KEYDOWN:
    case WM_KEYUP:
      // The native button pushes and releases itself on the space bar; the look follows at once.
      if (M.WParam != VK_SPACE || !Enabled()) return;
      if (M.Msg == WM_KEYDOWN) {
        StopFade();
        HideGlow(FCommonData->GlowID);
        FCommonData->GlowID = -1;
      }
      RegionChanged = true;
      FCommonData->BGChanged = true;
      RepaintNow();
      return;
    default: return;
  }
}

void TsBitBtn::MouseHover(bool Entered) {
  if (!Enabled() || Designing()) return;
  if (Entered && (FCommonData->FMouseAbove || MouseForbidden)) return;
  FCommonData->FMouseAbove = Entered;
  FCommonData->BGChanged = false;
  const TacAnimatEvent event = Entered ? TacAnimatEvent::aeMouseEnter : TacAnimatEvent::aeMouseLeave;
  DoChangePaint(FadeTimer, FCommonData.get(), false, EventEnabled(event, FAnimatEvents, FCommonData->GetSkinManager()),
                TFadeDirection::fdUp);
}

void TsBitBtn::MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  if (Skinned() && Enabled() && !Designing()) {
    FCommonData->SetUpdating(false);
    if (Button == classlib::mbLeft && !ShowHintStored) {
      // Switching hints off hides one that is showing.
      AppShowHint = classlib::Application->ShowHint();
      classlib::Application->SetShowHint(false);
      ShowHintStored = true;
    }
    FMouseClicked = true;
    if (Button == classlib::mbLeft && !FDown) {
      RegionChanged = true;
      FCommonData->BGChanged = false;
      DoChangePaint(FadeTimer, FCommonData.get(), true,
                    EventEnabled(TacAnimatEvent::aeMouseDown, FAnimatEvents, FCommonData->GetSkinManager()),
                    TFadeDirection::fdUp);
    }
    if (ShowHintStored) {
      classlib::Application->SetShowHint(AppShowHint);
      ShowHintStored = false;
    }
  }
  classlib::TBitBtn::MouseDown(Button, Shift, X, Y);
}

void TsBitBtn::MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  if (Destroying()) return;
  if (Skinned() && Enabled() && !Designing()) {
    if (Button == classlib::mbLeft && ShowHintStored) {
      classlib::Application->SetShowHint(AppShowHint);
      ShowHintStored = false;
    }
    if (!FMouseClicked) {
      StopFade();
      classlib::TBitBtn::MouseUp(Button, Shift, X, Y);
      return;
    }
    FMouseClicked = false;
    if (Button == classlib::mbLeft) {
      if (FadeTimer != nullptr && FadeTimer->FadeLevel < FadeTimer->Iterations) {
        // A click quicker than the press fade still shows the pressed look for a moment.
        FadeTimer->SetEnabled(false);
        FCommonData->BGChanged = true;
        fGlobalFlag = true;
        {
          const classlib::TScopeExit cleared([]() noexcept { fGlobalFlag = false; });
          RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        Sleep(30);
      }
      FCommonData->SetUpdating(false);
      RegionChanged = true;
      FCommonData->BGChanged = false;
      DoChangePaint(FadeTimer, FCommonData.get(), true,
                    EventEnabled(TacAnimatEvent::aeMouseUp, FAnimatEvents, FCommonData->GetSkinManager()),
                    TFadeDirection::fdUp);
    }
  }
  classlib::TBitBtn::MouseUp(Button, Shift, X, Y);
}

void TsBitBtn::Dispatch(TMessage& M) {
  if (M.Msg == classlib::CN_DRAWITEM && !FCommonData->Skinned()) {
    if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam)) StdDrawItem(*item);
    M.Result = 1;
    return;
  }
  classlib::TBitBtn::Dispatch(M);
}

void TsBitBtn::StdDrawItem(const DRAWITEMSTRUCT& Item) {
  const bool pressed = (Item.itemState & ODS_SELECTED) != 0 || FDown;
  const bool focused = (Item.itemState & ODS_FOCUS) != 0;
  const bool disabled = (Item.itemState & ODS_DISABLED) != 0;
  const HDC dc = Item.hDC;
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&]() noexcept { RestoreDC(dc, saved); });
  CalcLayout();
  const TRect client{Item.rcItem.left, Item.rcItem.top, Item.rcItem.right, Item.rcItem.bottom};
  const int themed = disabled ? 4 : pressed ? 3 : FCommonData->FMouseAbove ? 2 : (IsFocused || focused) ? 5 : 1;
  TRect content;
  if (!detail::DrawThemedButton(FHandle, dc, client, themed, content)) {
    RECT face = Item.rcItem;
    if (IsFocused || focused) {
      FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
      InflateRect(&face, -1, -1);
    }
    UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (pressed) state |= DFCS_PUSHED | DFCS_FLAT;
    if (disabled) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &face, DFC_BUTTON, state);
    content = {client.Left + 4, client.Top + 4, client.Right - 4, client.Bottom - 4};
  }
  if (focused) {
    const RECT f{content.Left, content.Top, content.Right, content.Bottom};
    DrawFocusRect(dc, &f);
  }
  classlib::TCanvas canvas;
  canvas.SetHandle(dc);
  const classlib::TScopeExit release([&]() noexcept { canvas.SetHandle(nullptr); });
  DrawCaption(&canvas);
  DrawBtnGlyph(this, &canvas);
}

void RegisterBitBtnClasses() { classlib::RegisterClass<TsBitBtn, classlib::TBitBtn>(L"TsBitBtn"); }

}  // namespace skin
