// The skin commands a skin state answers and the common message handling every skinned control
// runs before its own.
#include <windows.h>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skin/core/acGlow.h"
#include "skin/core/acntProps.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sCommonDataDetail.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sStyleSimply.h"

namespace skin {

using classlib::TControl;
using classlib::TMessage;
using classlib::TWinControl;
using namespace detail;

namespace {

TsSkinManager* ManagerOf(LPARAM lp) { return reinterpret_cast<TsSkinManager*>(lp); }

bool IsForOwnManager(const TsCommonData* Data, LPARAM lp) {
  return ManagerOf(lp) != nullptr && ManagerOf(lp) == Data->GetSkinManager();
}

void EmptyCache(TsCommonData* Data) {
  if (classlib::TBitmap* cache = Data->CacheBmp()) cache->SetSize(0, 0);
}

// The windowed children with a window.
template <class F>
void ForEachChildWindow(TWinControl* win, F&& f) {
  for (int i = 0; i < win->ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(win->Controls(i)); child != nullptr && child->HandleAllocated())
      f(child);
}

// A command with its small argument: to the window of a windowed control, else through Perform.
void SendCmd(TControl* c, unsigned cmd, unsigned argument) {
  if (auto* w = dynamic_cast<TWinControl*>(c); w != nullptr && w->HandleAllocated())
    SendMessageW(w->Handle(), SM_ALPHACMD, AlphaCmd(cmd, argument), 0);
  else
    PerformCmd(c, cmd, 0, argument);
}

// A glow shows where the control was: it goes when the control moves, grows or is disabled.
void HideOwnGlow(TsCommonData* Data) {
  HideGlow(Data->GlowID);
  Data->GlowID = -1;
}

bool BeingDestroyed(const TControl* c) { return HasState(c, classlib::csDestroying); }

void RemoveSkin(TsCommonData* Data, TsSkinManager* Manager) {
  if (HasState(Manager, classlib::csDestroying)) Data->ForgetSkinManager();
  Data->BorderIndex = Data->SkinIndex = Data->Texture = Data->HotTexture = -1;
  Data->SetUpdating(true);
  EmptyCache(Data);
  TControl* owner = Data->OwnerControl();
  if (auto* edit = dynamic_cast<classlib::TCustomEdit*>(owner)) {
    if (!Data->CustomColor()) edit->SetColor(classlib::clWindow);
    if (!Data->CustomFont()) edit->Font()->SetColor(classlib::clWindowText);
    if (edit->HandleAllocated()) RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
  } else if (auto* win = dynamic_cast<TWinControl*>(owner)) {
    for (int i = 0; i < win->ControlCount(); ++i)
      if (auto* label = dynamic_cast<classlib::TLabel*>(win->Controls(i)))
        label->Font()->SetColor(classlib::clWindowText);
  }
}

// Whether the look depends on the place (command 19); nothing to say without a section.
bool DependsOnParent(TsCommonData* Data, LRESULT& Result) {
  const TsGeneralData* g = SectionOf(Data);
  if (g == nullptr) return false;
  TControl* owner = Data->OwnerControl();
  if (g->Transparency == 100 && owner != nullptr && owner->Parent() != nullptr)
    Result = ParentTextured(Data) ? 1 : 0;
  else
    Result = (g->GradientPercent + g->ImagePercent > 0 || Data->RepaintIfMoved()) ? 1 : 0;
  return true;
}

void Moved(TsCommonData* Data, bool RedrawNow) {
  const bool repaintIfMoved = Data->RepaintIfMoved();
  Data->BGChanged = Data->BGChanged || repaintIfMoved;
  auto* win = dynamic_cast<TWinControl*>(Data->OwnerControl());
  if (win == nullptr) return;
  if (RedrawNow && win->HandleAllocated())
    RedrawWindow(win->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE | RDW_NOINTERNALPAINT);
  if (!repaintIfMoved) return;
  for (int i = 0; i < win->ControlCount(); ++i)
    if (TControl* child = win->Controls(i); child != nullptr && !BeingDestroyed(child)) SendAMessage(child, ACMD_MOVED);
}

void ClearCache(TsCommonData* Data) {
  if (Data->CacheBmp() == nullptr) return;
  if (auto* win = dynamic_cast<TWinControl*>(Data->OwnerControl()))
    ForEachChildWindow(win, [](TWinControl* child) { SendAMessage(child->Handle(), ACMD_CLEARCACHE); });
  EmptyCache(Data);
  Data->BGChanged = true;
}

// The frame of an edit-type control shows focus and hover.
void RedrawFrame(TsCommonData* Data) {
  if (auto* win = dynamic_cast<TWinControl*>(Data->OwnerControl()); win != nullptr && win->HandleAllocated())
    RedrawWindow(win->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

bool HasHotState(const TsCommonData* Data) {
  const TsGeneralData* g = SectionOf(Data);
  return g != nullptr && g->States > 1;
}

void NonClientPaint(TsCommonData* Data) {
  Data->BGChanged = true;
  if (auto* win = dynamic_cast<TWinControl*>(Data->OwnerControl()); win != nullptr && win->HandleAllocated())
    SendMessageW(win->Handle(), WM_NCPAINT, 0, 0);
}

bool MayGlow(const TsCommonData* Data) {
  return !sCanNotBeHot.Contains(Data->COC) && (Data->COC < 92 || Data->COC > 94);
}

// uxtheme, looked up once: a system without it has no visual styles to give back.
struct Uxtheme {
  using IsAppThemedFn = BOOL(WINAPI*)();
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  IsAppThemedFn IsAppThemed = nullptr;
  SetWindowThemeFn SetWindowTheme = nullptr;
  Uxtheme() {
    if (HMODULE m = LoadLibraryW(L"uxtheme.dll")) {
      IsAppThemed = reinterpret_cast<IsAppThemedFn>(reinterpret_cast<void*>(GetProcAddress(m, "IsAppThemed")));
      SetWindowTheme = reinterpret_cast<SetWindowThemeFn>(reinterpret_cast<void*>(GetProcAddress(m, "SetWindowTheme")));
    }
  }
};

const Uxtheme& Theme() {
  static const Uxtheme theme;
  return theme;
}

void MouseEnter(TsCommonData* Data, LPARAM Entered) {
  TControl* owner = Data->OwnerControl();
  auto* win = dynamic_cast<TWinControl*>(owner);
  if (win != nullptr && DefaultManager() != nullptr) {
    // A speed button keeps its hot look until told: the one the mouse came from is told here.
    for (int i = 0; i < win->ControlCount(); ++i) {
      TControl* child = win->Controls(i);
      if (child == nullptr || child == owner || reinterpret_cast<LPARAM>(child) == Entered ||
          child->ClassName() != L"TsSpeedButton")
        continue;
      if (auto* d = dynamic_cast<TsCommonData*>(GetObjProp(child, L"SkinData")); d != nullptr && d->FMouseAbove)
        child->Perform(classlib::CM_MOUSELEAVE, 0, 0);
    }
  }
  if (!sForbidMouse.Contains(Data->COC)) Data->FMouseAbove = true;
  if (win == nullptr || DefaultManager() == nullptr) return;
  DefaultManager()->SetActiveControl(win->Handle());
  if (MayGlow(Data)) ShowGlowingIfNeeded(Data, false, nullptr);
  if (sEditCtrls.Contains(Data->COC) && HasHotState(Data)) NonClientPaint(Data);
}

void MouseLeave(TsCommonData* Data) {
  if (!sForbidMouse.Contains(Data->COC)) Data->FMouseAbove = false;
  if (MayGlow(Data)) {
    ClearGlows();
    Data->GlowID = -1;
  }
  TControl* owner = Data->OwnerControl();
  if (owner != nullptr && owner->Visible() && sEditCtrls.Contains(Data->COC)) NonClientPaint(Data);
}

void VisibleChanged(TsCommonData* Data, bool Visible) {
  TControl* owner = Data->OwnerControl();
  if (!ac_OptimizeMemory || owner == nullptr || BeingDestroyed(owner) || Data->CacheBmp() == nullptr) return;
  if (Visible) {
    Data->SetUpdating(false);
  } else {
    // A hidden control keeps no pixels: its cache and its children's are rebuilt when it shows.
    EmptyCache(Data);
    if (auto* win = dynamic_cast<TWinControl*>(owner))
      for (int i = 0; i < win->ControlCount(); ++i) {
        TControl* child = win->Controls(i);
        if (child != nullptr) SendCmd(child, ACMD_CLEARCACHE, 0);
      }
  }
  Data->BGChanged = true;
}

void FocusChanged(TsCommonData* Data, bool Focused) {
  auto* win = dynamic_cast<TWinControl*>(Data->OwnerControl());
  if (win == nullptr || !win->CanFocus() || !win->TabStop()) return;
  Data->BGChanged = true;
  Data->FFocused = Focused;
  const bool frame = Focused ? Data->Skinned() && sEditCtrls.Contains(Data->COC) && HasHotState(Data)
                             : sEditCtrls.Contains(Data->COC) && win->Visible();
  if (frame) RedrawFrame(Data);
}

}  // namespace

bool CommonMessage(TMessage& m, TsCommonData* Data) {
  if (Data == nullptr) return false;
  const unsigned argument = ArgumentOf(m.WParam);
  switch (CommandOf(m.WParam)) {
    case ACMD_NEWSKIN:
      if (IsForOwnManager(Data, m.LParam)) {
        Data->UpdateIndexes();
        UpdateSkinState(Data, false);
        RestrictDrawing = false;
      }
      return false;
    case ACMD_REMOVESKIN:
      if (IsForOwnManager(Data, m.LParam)) RemoveSkin(Data, ManagerOf(m.LParam));
      return false;
    case ACMD_REFRESH:
      if (IsForOwnManager(Data, m.LParam)) {
        Data->BGChanged = true;
        Data->SetUpdating(false);
        UpdateCtrlColors(Data, true);
        UpdateSkinState(Data, false);
      }
      return false;
    case ACMD_ISSKINNED: m.Result = 1; return true;
    case ACMD_SETUPDATING: Data->SetUpdating(argument == 1); return false;
    case ACMD_SETURGENT: Data->UrgentPainting = argument == 1; return false;
    case ACMD_ISBUSY: m.Result = (Data->BGChanged || Data->Updating()) ? 1 : 0; return true;
    case ACMD_ISHALFVISIBLE: m.Result = Data->HalfVisible ? 1 : 0; return true;
    case ACMD_SECTIONCHANGED:
      if (UpperAscii(Data->SkinSection()) == GlobalSectionName) {
        RestrictDrawing = false;
        Data->Invalidate();
      }
      return false;
    case ACMD_SETSECTION:
      if (m.LParam != 0) Data->SetSkinSection(reinterpret_cast<const TacSectionInfo*>(m.LParam)->Name);
      return false;
    case ACMD_BGCHANGED: Data->BGChanged = true; return false;
    case ACMD_DEPENDSONPARENT: return DependsOnParent(Data, m.Result);
    case ACMD_MOVED: Moved(Data, argument == 1); return false;
    case ACMD_GETCOLOR:
      if (Data->OwnerControl() == nullptr) return false;
      m.Result = static_cast<LRESULT>(GetCommandColor(Data));
      return true;
    case ACMD_SETHALFVISIBLE: Data->HalfVisible = true; return false;
    case ACMD_GETSKININDEX:
      if (m.LParam != 0) reinterpret_cast<TacSectionInfo*>(m.LParam)->SkinIndex = Data->SkinIndex;
      return true;
    case ACMD_CLEARCACHE: ClearCache(Data); return false;
    case ACMD_GETBGINFO:
      if (m.LParam != 0) InitBGInfo(Data, *reinterpret_cast<TacBGInfo*>(m.LParam), 0, nullptr);
      return true;
    case ACMD_SKINSTATE:
      if (m.LParam == 1)
        UpdateSkinState(Data, true);
      else
        m.Result = Data->CtrlSkinState;
      return true;
    case ACMD_GETSKINDATA: m.Result = reinterpret_cast<LRESULT>(Data); return true;
    case ACMD_SETPRINTDC:
      if (m.LParam != 0)
        Data->CtrlSkinState |= kPrinting;
      else
        Data->CtrlSkinState &= static_cast<std::uint16_t>(~kPrinting);
      Data->PrintDC = reinterpret_cast<HDC>(m.LParam);
      return true;
    case ACMD_GETAPPLICATION:
      m.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return false;
    default: return false;
  }
}

bool CommonWndProc(TMessage& m, TsCommonData* Data) {
  if (Data == nullptr) return false;
  TControl* owner = Data->OwnerControl();
  auto* win = dynamic_cast<TWinControl*>(owner);
  const bool designing = HasState(owner, classlib::csDesigning);
  switch (m.Msg) {
    case SM_ALPHACMD: return CommonMessage(m, Data);
    case WM_MOVE:
      if (Data->RepaintIfMoved()) {
        Data->BGChanged = true;
        if (owner != nullptr) PerformCmd(owner, ACMD_MOVED, 0, 1);
        HideOwnGlow(Data);
      }
      return false;
    case WM_SIZE:
      if (!Data->Skinned()) return false;
      Data->BGChanged = true;
      if (const TsGeneralData* g = SectionOf(Data); win != nullptr && g != nullptr && g->GradientPercent > 0)
        for (int i = 0; i < win->ControlCount(); ++i) {
          TControl* child = win->Controls(i);
          // A child held at the right or bottom edge moves and gets its own move notice.
          if (child == nullptr || BeingDestroyed(child) || child->Anchors().Contains(classlib::akRight) ||
              child->Anchors().Contains(classlib::akBottom))
            continue;
          SendCmd(child, ACMD_MOVED, 1);
        }
      HideOwnGlow(Data);
      return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: FocusChanged(Data, m.Msg == WM_SETFOCUS); return false;
    case WM_FONTCHANGE:
    case classlib::CM_ENABLEDCHANGED:
      Data->FMouseAbove = false;
      Data->FFocused = false;
      if (owner != nullptr && !owner->Enabled()) HideOwnGlow(Data);
      return false;
    case WM_CONTEXTMENU:
      // The owner's popup menu is skinned by the menu painter once it is hooked here.
      return false;
    case WM_UPDATEUISTATE:
      if (Data->Skinned()) return true;  // the skin draws focus and accelerator marks itself
      if (win != nullptr && win->HandleAllocated() && Theme().IsAppThemed != nullptr && Theme().IsAppThemed() &&
          Theme().SetWindowTheme != nullptr)
        Theme().SetWindowTheme(win->Handle(), nullptr, nullptr);
      return false;
    case WM_PARENTNOTIFY:
      if (win != nullptr && LOWORD(m.WParam) == WM_CREATE) AddToAdapter(win);
      return false;
    case classlib::CM_VISIBLECHANGED: VisibleChanged(Data, m.WParam != 0); return false;
    case classlib::CM_MOUSEENTER:
      if (!designing && Data->Skinned()) MouseEnter(Data, m.LParam);
      return false;
    case classlib::CM_MOUSELEAVE:
      if (!designing && Data->Skinned()) MouseLeave(Data);
      return false;
    case classlib::CM_SHOWINGCHANGED:
      if (owner != nullptr && owner->Visible()) Data->Loaded();
      return false;
    default: return false;
  }
}

}  // namespace skin
