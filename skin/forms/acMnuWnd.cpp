#include "skin/forms/acMnuWnd.h"

#include <algorithm>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerStartup.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

constexpr int kMenuFrame = 3;
constexpr COLORREF kNoKeyColour = 0x1FFFFFFF;

std::vector<THandler<TacMnuWnd>>& Handlers() {
  static std::vector<THandler<TacMnuWnd>> handlers;
  return handlers;
}

// Set while a window is being made layered: the style change comes back as a position change.
bool g_makingLayered = false;

bool CompositionOn() {
  using TDwmIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
  static const auto proc = [] {
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    return dwm != nullptr ? reinterpret_cast<TDwmIsCompositionEnabled>(
                                reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")))
                          : nullptr;
  }();
  BOOL on = FALSE;
  return proc != nullptr && SUCCEEDED(proc(&on)) && on;
}

void SetLayeredStyle(HWND Wnd, bool On) {
  const LONG_PTR ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
  const LONG_PTR next = On ? (ex | WS_EX_LAYERED) : (ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  if (next != ex) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, next);
}

}  // namespace

TacMnuWnd::TacMnuWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : TacScrollWnd(AHandle, ASkinData, ASkinManager) {}

void TacMnuWnd::PrepareCache() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (SkinData == nullptr || !SkinData->BGChanged) return;
  InitCacheBmp(SkinData);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  PaintItem(SkinData, EmptyCI, true, 0, TRect{0, 0, WndSize.cx, WndSize.cy}, WndPos, cache, false);
  UpdateWndCorners(SkinData, 0, this);
  SkinData->BGChanged = false;
}

void TacMnuWnd::Destroy(classlib::TMessage& Message) {
  if (OldProc == nullptr && !OldWndProc) {
    // Sending it to the window again would come straight back here.
    Message.Result = DefWindowProcW(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  PassOn(Message);
  UnhookWindow();
  Destroyed = true;
  RgnChanged = 0;
  if (TsSkinableMenus* menus = SkinableMenusOf(SkinManager != nullptr ? SkinManager : DefaultManager()))
    menus->ClearCache();
  for (const auto& other : Handlers())
    if (other.get() != this && !other->Destroyed)
      RedrawWindow(other->CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  // This handler is still running: it and the other dead ones are freed by the next attach.
  acCanHookMenu = false;
}

void TacMnuWnd::NCPaint() {
  TsSkinableMenus* menus = SkinableMenusOf(SkinManager);
  const TacMenuInfo mi = menus != nullptr ? menus->GetMenuInfo(nullptr, 0, 0, CtrlHandle) : TacMenuInfo{};
  RECT wr{};
  GetWindowRect(CtrlHandle, &wr);
  const int width = wr.right - wr.left, height = wr.bottom - wr.top;
  HDC dc = GetWindowDC(CtrlHandle);
  if (dc != nullptr) {
    if (mi.Bmp != nullptr && mi.Bmp->Width() + 2 * kMenuFrame == width && mi.Bmp->Height() == height) {
      BitBltBorder(dc, 0, 0, width, height, mi.Bmp->Canvas()->Handle(), 0, 0, kMenuFrame);
    } else {
      PrepareCache();
      if (classlib::TBitmap* cache = SkinData->CacheBmp(); cache != nullptr)
        BitBltBorder(dc, 0, 0, width, height, cache->Canvas()->Handle(), 0, 0, kMenuFrame);
    }
    ReleaseDC(CtrlHandle, dc);
  }
  if (CompositionOn() && !Shown) RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const BYTE alpha = SkinManager != nullptr ? SkinManager->MenuSupport().AlphaBlend : 255;
  if (alpha == 255) {
    SetLayeredStyle(CtrlHandle, false);
  } else {
    SetLayeredStyle(CtrlHandle, true);
    if (auto set = SetLayeredWindowAttributesProc()) set(CtrlHandle, kNoKeyColour, alpha, LWA_ALPHA);
  }
}

void TacMnuWnd::acWndProc(classlib::TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: Destroy(Message); return;
    case WM_TIMER: PassOn(Message); return;
    default: break;
  }
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_ISSKINNED: Message.Result = 1; return;
      case ACMD_SETUPDATING: Message.Result = RgnChanged; return;
      case ACMD_MENURGNCHANGED:
        if (IsWindowVisible(CtrlHandle)) RgnChanged = 1;
        return;
      case ACMD_GETAPPLICATION:
        Message.Result =
            reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application.operator->()));
        return;
      default: Message.Result = 0; return;
    }
  }
  if (!acCanHookMenu || SkinData == nullptr) {
    TacScrollWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_ERASEBKGND: {
      PrepareCache();
      if (classlib::TBitmap* cache = SkinData->CacheBmp(); cache != nullptr) {
        TacGivenOrOwnDC dc(CtrlHandle, reinterpret_cast<HDC>(Message.WParam));
        BitBlt(dc.get(), 0, 0, WndSize.cx - 2 * kMenuFrame, WndSize.cy - 2 * kMenuFrame, cache->Canvas()->Handle(),
               kMenuFrame, kMenuFrame, SRCCOPY);
      }
      RgnChanged = 0;
      Message.Result = 1;
      return;
    }
    case WM_WINDOWPOSCHANGING: {
      TacScrollWnd::acWndProc(Message);
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      if (!g_makingLayered && pos != nullptr && (pos->flags & SWP_SHOWWINDOW) && !(pos->flags & SWP_NOREDRAW) &&
          !IsWindowVisible(CtrlHandle)) {
        g_makingLayered = true;
        const classlib::TScopeExit done([] { g_makingLayered = false; });
        SetLayeredStyle(CtrlHandle, true);
        if (auto set = SetLayeredWindowAttributesProc()) set(CtrlHandle, kNoKeyColour, 0, LWA_ALPHA);
      }
      return;
    }
    case WM_NCPAINT:
      if (IsNT)
        NCPaint();
      else
        TacScrollWnd::acWndProc(Message);
      Shown = true;
      Message.Result = 0;
      return;
    default: TacScrollWnd::acWndProc(Message); return;
  }
}

void FreeDeadMenuHandlers() {
  auto& handlers = Handlers();
  // Take the dead ones out first: freeing may send messages that walk the list.
  std::vector<THandler<TacMnuWnd>> dead;
  for (auto& h : handlers)
    if (h->Destroyed || !IsWindow(h->CtrlHandle)) dead.push_back(std::move(h));
  std::erase_if(handlers, [](const THandler<TacMnuWnd>& h) { return !h; });
  dead.clear();
}

void ClearMenuHandlers() {
  std::vector<THandler<TacMnuWnd>> all = std::move(Handlers());
  Handlers().clear();
  all.clear();
}

std::size_t MenuHandlerCount() { return Handlers().size(); }

TacMnuWnd* AttachMenuWindowHandler(HWND Wnd) {
  FreeDeadMenuHandlers();
  TsSkinManager* manager = DefaultManager();
  if (Wnd == nullptr || manager == nullptr || !manager->SkinnedPopups || !manager->Records().SkinData.Active)
    return nullptr;
  if (SendMessageW(Wnd, SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0) == 1) return nullptr;
  InstallSkinableMenus();
  Handlers().push_back(TacMainWnd::Create<TacMnuWnd>(Wnd, nullptr, manager, "MAINMENU", false));
  return Handlers().back().get();
}

}  // namespace skin
