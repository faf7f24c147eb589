#include "skin/windows/acStatusBarWnd.h"

#include <commctrl.h>

#include <vector>

#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/graphics/sTextOutWin32.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

bool Active(TsCommonData* Data) {
  return Data != nullptr && Data->GetSkinManager() != nullptr && Data->GetSkinManager()->Active();
}

}  // namespace

TacStatusBarWnd::TacStatusBarWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : TacMainWnd(AHandle, ASkinData, ASkinManager) {
  if (ASkinData != nullptr) StatusBar = dynamic_cast<classlib::TStatusBar*>(ASkinData->OwnerControl());
}

void TacStatusBarWnd::Hook(bool Repaint) {
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection("STATUSBAR");
  TacMainWnd::Hook(Repaint);
}

int TacStatusBarWnd::PartsCount() const { return int(SendMessageW(CtrlHandle, SB_GETPARTS, 0, 0)); }

TRect TacStatusBarWnd::PartRect(int Index) const {
  RECT r{};
  SendMessageW(CtrlHandle, SB_GETRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top, r.right, r.bottom};
}

bool TacStatusBarWnd::SimplePanel() const { return SendMessageW(CtrlHandle, SB_ISSIMPLE, 0, 0) == 1; }

std::wstring TacStatusBarWnd::PartText(int Index) const {
  if (PartsCount() <= 0) return {};
  if (SimplePanel()) return GetWndText(CtrlHandle);
  if (StatusBar != nullptr) {
    classlib::TStatusPanels* panels = StatusBar->Panels();
    if (panels->Count() == 0) return StatusBar->SimpleText();
    return Index >= 0 && Index < panels->Count() ? panels->Items(Index)->Text() : std::wstring();
  }
  // A bar of another kind keeps its texts in its parts.
  if (Index < 0) return {};
  const LRESULT info = SendMessageW(CtrlHandle, SB_GETTEXTLENGTHW, WPARAM(Index), 0);
  const std::size_t length = LOWORD(info);
  if (length == 0) return {};
  std::wstring text(length + 1, L'\0');
  SendMessageW(CtrlHandle, SB_GETTEXTW, WPARAM(Index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcsnlen(text.c_str(), length));
  return text;
}

void TacStatusBarWnd::PrepareCache() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  InitCacheBmp(SkinData);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  TCacheInfo ci = EmptyCI;
  if (SkinData->OwnerControl() != nullptr)
    GetParentCache(SkinData, ci);
  else
    GetParentCacheHwnd(CtrlHandle, ci);
  PaintItem(SkinData, ci, true, 0, TRect{0, 0, WndSize.cx, WndSize.cy}, WndPos, cache, false);
  PaintPanels();
  SkinData->BGChanged = false;
}

void TacStatusBarWnd::PaintPanels() {
  if (SimplePanel()) {
    InternalDrawPanel(-1, PartText(0), TRect{0, 1, WndSize.cx - 1, WndSize.cy - 1});
    return;
  }
  const int count = PartsCount();
  for (int i = 0; i < count; ++i) DrawPanel(i, PartRect(i));
}

void TacStatusBarWnd::DrawPanel(int Index, TRect R) {
  R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  InternalDrawPanel(Index, {}, R);
}

void TacStatusBarWnd::InternalDrawPanel(int Index, const std::wstring& Text, const TRect& R) {
  TsSkinManager* sm = SkinData->GetSkinManager();
  classlib::TBitmap* cache = SkinData->CacheBmp();
  const bool simple = Index < 0;
  if (sm != nullptr && sm->IsValidSkinIndex(SkinData->SkinIndex)) {
    const int panel = sm->GetMaskIndex(SkinData->SkinIndex, SkinData->SkinSection(), "STATUSPANELMASK");
    if (sm->IsValidImgIndex(panel)) {
      const TRect where = simple ? TRect{0, 0, WndSize.cx, WndSize.cy} : R;
      DrawSkinRect(cache, where, true, MakeCacheInfo(cache), sm->Records().ma[std::size_t(panel)], 0, false);
    } else if (!simple && Index < PartsCount() - 1) {
      const int divider = sm->GetSkinIndex("DIVIDER");
      const int border = divider >= 0 ? sm->GetMaskIndex(divider, "DIVIDER", "BORDERSMASK") : -1;
      if (sm->IsValidImgIndex(border)) {
        const int w = WidthOfImage(sm->Records().ma[std::size_t(border)]) - 1, h = WndSize.cy - 2;
        if (w > 0 && h > 0) {
          const int x = R.Right - w;
          auto strip = NewBitmap32(w, h);
          BitBlt(strip->Canvas()->Handle(), 0, 0, w, h, cache->Canvas()->Handle(), x, 1, SRCCOPY);
          PaintItem(divider, "DIVIDER", MakeCacheInfo(cache), true, 0, TRect{0, 0, w, h}, TPoint{x, 1}, strip.get(),
                    sm);
          BitBlt(cache->Canvas()->Handle(), x, 1, w, h, strip->Canvas()->Handle(), 0, 0, SRCCOPY);
        }
      }
    }
  }
  TRect t{R.Left + 1 + 2, R.Top + 1, R.Right - 1 - 4, R.Bottom - 1 - 1};
  if (t.Right <= t.Left || t.Bottom <= t.Top) return;
  const std::wstring text = simple ? Text : PartText(Index);
  if (text.empty()) return;
  classlib::TAlignment alignment = classlib::taLeftJustify;
  if (StatusBar != nullptr && !simple && Index < StatusBar->Panels()->Count())
    alignment = StatusBar->Panels()->Items(Index)->Alignment();
  classlib::TCanvas* canvas = cache->Canvas();
  if (StatusBar != nullptr) {
    canvas->Font()->Assign(StatusBar->Font());
  } else {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0));
    canvas->Font()->SetHandle(font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  }
  DoDrawText(CutText(canvas, text, t.Right - t.Left), t, GetStringFlags(StatusBar, alignment));
}

void TacStatusBarWnd::DoDrawText(const std::wstring& Text, TRect R, UINT Flags) {
  acWriteTextEx(SkinData->CacheBmp()->Canvas(), Text, true, R, Flags | DT_SINGLELINE | DT_VCENTER, SkinData, false);
}

void TacStatusBarWnd::WMPaint(HDC DC) {
  PrepareCache();
  const TacGivenOrOwnDC dc(CtrlHandle, DC);
  if (dc.get() == nullptr) return;
  // The client area starts inside the bar's frame, if it has one.
  POINT origin{0, 0};
  ClientToScreen(CtrlHandle, &origin);
  const int ox = origin.x - WndRect.Left, oy = origin.y - WndRect.Top;
  BitBlt(dc.get(), 0, 0, WndSize.cx - ox, WndSize.cy - oy, SkinData->CacheBmp()->Canvas()->Handle(), ox, oy, SRCCOPY);
}

void TacStatusBarWnd::WMNCPaint(HDC DC) {
  if (StatusBar == nullptr) return;
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (SkinData->BGChanged) PrepareCache();
  RECT client{};
  GetClientRect(CtrlHandle, &client);
  const int border = (WndSize.cx - client.right) / 2;
  if (border <= 0) return;
  const TacGivenOrOwnDC dc(CtrlHandle, DC, true);
  if (dc.get() == nullptr) return;
  BitBltBorder(dc.get(), 0, 0, WndSize.cx, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), 0, 0, border);
}

void TacStatusBarWnd::acWndProc(classlib::TMessage& Message) {
  if (!Active(SkinData) || Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT: {
      // The bar paints only from its cache: the whole window at once, its own painting never.
      if (HDC given = reinterpret_cast<HDC>(Message.WParam)) {
        WMPaint(given);
      } else {
        PAINTSTRUCT ps{};
        BeginPaint(CtrlHandle, &ps);
        const classlib::TScopeExit end([&] { EndPaint(CtrlHandle, &ps); });
        WMPaint(ps.hdc);
      }
      Message.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
    case WM_PRINT:
      WMPaint(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      if (!InAnimationProcess) WMNCPaint(nullptr);
      return;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
  if (Message.Msg == WM_SIZE) InvalidateRect(CtrlHandle, nullptr, TRUE);
}

}  // namespace skin
