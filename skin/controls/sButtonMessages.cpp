// The skinned push button's window procedure, mouse and keyboard reactions, the split button's
// menu and the unskinned owner-drawn look.
#include "skin/controls/sButton.h"

#include <commctrl.h>

#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/acGlow.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TMessage;

namespace {

// Set while a focus gain is handled: a nested gain leaves the redraw switch alone.
bool FocusChanging = false;

}  // namespace

void TsButton::StopFade() { StopFading(FadeTimer, FCommonData.get()); }

void TsButton::RepaintNow() {
  if (HandleAllocated()) Repaint();
}

bool TsButton::InSplitStrip(int X, int Y) const {
  return X >= Width() - kSplitStripWidth && X < Width() && Y >= 0 && Y < Height();
}

void TsButton::PressSplitStrip() {
  DroppedDown = true;
  FCommonData->BGChanged = true;
  RepaintNow();
  const TPoint below = ClientToScreen({0, Height()});
  const std::shared_ptr<bool> alive = alive_;
  DropDownMenu()->Popup(below.X, below.Y);
  // The chosen item's handler has run: it may have freed the button.
  if (!*alive) return;
  DroppedDown = false;
  FCommonData->Invalidate();
}

void TsButton::WndProc(TMessage& M) {
  if (M.Msg == WM_KILLFOCUS && Destroying()) return;
  if ((M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK) && FStyle == bsSplitButton && DropDownMenu() != nullptr &&
      Enabled() && !Designing() && InSplitStrip(M.XPos(), M.YPos())) {
    PressSplitStrip();
    M.Result = 0;
    return;
  }
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (!ControlIsReady(this) || !Skinned()) {
    if ((M.Msg == classlib::CM_MOUSEENTER || M.Msg == classlib::CM_MOUSELEAVE) && M.LParam == 0 && !Destroying()) {
      FCommonData->FMouseAbove = M.Msg == classlib::CM_MOUSEENTER;
      if (HandleAllocated()) InvalidateRect(FHandle, nullptr, FALSE);
    }
    classlib::TButton::WndProc(M);
    return;
  }
  if (SkinnedMessage(M)) return;
  if (CommonWndProc(M, FCommonData.get())) return;
  const UINT msg = M.Msg;
  const WPARAM wp = M.WParam;
  const std::shared_ptr<bool> alive = alive_;
  classlib::TButton::WndProc(M);
  if (*alive && !Destroying()) AfterInherited(TMessage{msg, wp, 0, 0});
}

bool TsButton::SkinCommand(TMessage& M) {
  const bool own = M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager()) && M.LParam != 0;
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      if (!own) return false;
      RegionChanged = true;
      StopFade();
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

bool TsButton::SkinnedMessage(TMessage& M) {
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
    case WM_SIZE:
      RegionChanged = true;
      ClearGlows(false);
      return false;
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
    case WM_UPDATEUISTATE:
      if (!shown) return false;
      M.Result = 1;
      return true;
    case WM_PRINT:
      RegionChanged = true;
      FCommonData->SetUpdating(false);
      OurPaintHandler(reinterpret_cast<HDC>(M.WParam));
      return true;
    case classlib::CM_FOCUSCHANGED:
      if (Visible()) {
        if (FocusChanging) {
          classlib::TButton::WndProc(M);
        } else {
          const detail::TRedrawOff off(this);
          classlib::TButton::WndProc(M);
        }
      }
      return true;
    case classlib::CM_TEXTCHANGED:
      if (!Destroying()) FCommonData->Invalidate();
      return true;
    case classlib::CM_MOUSEENTER:
    case classlib::CM_MOUSELEAVE:
      if (M.LParam == 0) MouseHover(M.Msg == classlib::CM_MOUSEENTER);
      return false;
    case classlib::CM_UIACTIVATE: FCommonData->SetUpdating(false); return false;
    case BCM_SETNOTE:
      // A new command-link note changes the look.
      FCommonData->Invalidate();
      return false;
    case classlib::CN_DRAWITEM:
      M.WParam = 0;
      M.LParam = 0;
      M.Result = 1;
      return true;
    default: return false;
  }
}

void TsButton::FocusGained(TMessage& M) {
  if (Designing() || !Visible()) return;
  if (Enabled() && !Destroying() && !FocusChanging) {
    {
      // Restored on every exit: a handler of the focus gain (OnEnter) may throw.
      const detail::TRedrawOff off(this, &FocusChanging);
      classlib::TButton::WndProc(M);
    }
    if (FadeTimer != nullptr)
      FadeTimer->Change();
    else
      FCommonData->Invalidate();
    return;
  }
  classlib::TButton::WndProc(M);
}

void TsButton::FocusLost(TMessage& M) {
  if (Designing() || !Visible()) return;
  if (Enabled() && !Destroying()) {
    StopFade();
    {
      const detail::TRedrawOff off(this);
      classlib::TButton::WndProc(M);
    }
    if (Skinned()) {
      FCommonData->FFocused = false;
      RegionChanged = true;
      FCommonData->Invalidate();
      HideGlow(FCommonData->GlowID);
      FCommonData->GlowID = -1;
    }
    return;
  }
  classlib::TButton::WndProc(M);
}

void TsButton::AfterInherited(TMessage M) {
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
      FCommonData->BGChanged = true;
      FCommonData->SetUpdating(false);
      if (shown) RepaintNow();
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

void TsButton::MouseHover(bool Entered) {
  if (!Enabled() || Designing()) return;
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (Entered) {
    if (FCommonData->FMouseAbove || MouseForbidden) return;
    FCommonData->FMouseAbove = true;
    FCommonData->BGChanged = false;
    DoChangePaint(FadeTimer, FCommonData.get(), false, EventEnabled(TacAnimatEvent::aeMouseEnter, FAnimatEvents, sm),
                  TFadeDirection::fdUp);
  } else {
    FCommonData->FMouseAbove = false;
    FCommonData->BGChanged = false;
    DoChangePaint(FadeTimer, FCommonData.get(), false, EventEnabled(TacAnimatEvent::aeMouseLeave, FAnimatEvents, sm),
                  TFadeDirection::fdUp);
  }
}

void TsButton::MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
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
      FCommonData->SetUpdating(FCommonData->Updating());
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
  classlib::TButton::MouseDown(Button, Shift, X, Y);
}

void TsButton::MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  if (Destroying()) return;
  if (Skinned() && Enabled() && !Designing()) {
    if (Button == classlib::mbLeft && ShowHintStored) {
      classlib::Application->SetShowHint(AppShowHint);
      ShowHintStored = false;
    }
    if (!FMouseClicked) return;
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
  classlib::TButton::MouseUp(Button, Shift, X, Y);
}

void TsButton::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case classlib::CN_MEASUREITEM:
      if (auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam)) {
        item->itemWidth = static_cast<UINT>(Width());
        item->itemHeight = static_cast<UINT>(Height());
      }
      return;
    case classlib::CN_DRAWITEM:
      if (FCommonData->Skinned()) {
        DefaultHandler(M);
      } else if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam)) {
        StdDrawItem(*item);
        M.Result = 1;
      }
      return;
    default: classlib::TButton::Dispatch(M); return;
  }
}

void RegisterButtonClasses() { classlib::RegisterClass<TsButton, classlib::TButton>(L"TsButton"); }

void TsButton::DrawClassicFace(HDC dc, const TRect& client, bool pressed, bool focused, bool disabled) {
  TRect r = client;
  auto* rc = reinterpret_cast<RECT*>(&r);
  if (IsFocused || focused) {
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN frame = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME));
    const HGDIOBJ old = SelectObject(dc, frame);
    Rectangle(dc, r.Left, r.Top, r.Right, r.Bottom);
    SelectObject(dc, old);
    DeleteObject(frame);
    InflateRect(rc, -1, -1);
  }
  if (pressed) {
    HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    const HGDIOBJ oldPen = SelectObject(dc, shadow);
    const HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNFACE));
    Rectangle(dc, r.Left, r.Top, r.Right, r.Bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(shadow);
  } else {
    UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (disabled) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, rc, DFC_BUTTON, state);
  }
  if (IsFocused && focused) {
    RECT f{client.Left + 4, client.Top + 4, client.Right - 4, client.Bottom - 4};
    if (FStyle == bsSplitButton) f.right -= 14;
    DrawFocusRect(dc, &f);
  }
}

void TsButton::StdDrawItem(const DRAWITEMSTRUCT& Item) {
  const bool pressed = (Item.itemState & ODS_SELECTED) != 0 || DroppedDown || FDown;
  const bool focused = (Item.itemState & ODS_FOCUS) != 0;
  const HDC dc = Item.hDC;
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restore([&]() noexcept { RestoreDC(dc, saved); });
  const TRect client{Item.rcItem.left, Item.rcItem.top, Item.rcItem.right, Item.rcItem.bottom};
  const bool disabled = (Item.itemState & ODS_DISABLED) != 0;
  const int themed = disabled ? 4 : pressed ? 3 : FCommonData->FMouseAbove ? 2 : (IsFocused || focused) ? 5 : 1;
  TRect content;
  if (detail::DrawThemedButton(FHandle, dc, client, themed, content)) {
    if (IsFocused && focused) {
      RECT f{content.Left, content.Top, content.Right, content.Bottom};
      if (FStyle == bsSplitButton) f.right -= 14;
      DrawFocusRect(dc, &f);
    }
  } else {
    DrawClassicFace(dc, client, pressed, focused, disabled);
  }
  classlib::TCanvas canvas;
  canvas.SetHandle(dc);
  const classlib::TScopeExit release([&]() noexcept { canvas.SetHandle(nullptr); });
  DrawCaption(&canvas);
  if (GlyphExist()) {
    const TRect g = GlyphRect();
    Images()->Draw(&canvas, g.Left, g.Top, GlyphIndex(), Enabled());
  }
  if (FStyle == bsSplitButton) {
    HPEN line = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME));
    const HGDIOBJ old = SelectObject(dc, line);
    MoveToEx(dc, Width() - 15, 4, nullptr);
    LineTo(dc, Width() - 15, Height() - 4);
    SelectObject(dc, old);
    DeleteObject(line);
    DrawColorArrow(dc, classlib::ColorToRGB(Font()->Color()), TRect{Width() - 16, 0, Width(), Height()}, 8);
  }
}

}  // namespace skin
