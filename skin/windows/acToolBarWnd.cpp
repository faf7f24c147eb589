#include "skin/windows/acToolBarWnd.h"

#include <commctrl.h>

#include <sstream>
#include <vector>

#include "classlib/ScopeExit.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

int W(const TRect& R) { return R.Right - R.Left; }
int H(const TRect& R) { return R.Bottom - R.Top; }

bool Active(TsCommonData* Data) {
  return Data != nullptr && Data->GetSkinManager() != nullptr && Data->GetSkinManager()->Active();
}

std::vector<std::wstring> Words(const std::wstring& Text) {
  std::wistringstream in(Text);
  std::vector<std::wstring> words;
  for (std::wstring w; in >> w;) words.push_back(w);
  return words;
}

}  // namespace

int TacToolBarWnd::Count() const { return int(SendMessageW(CtrlHandle, TB_BUTTONCOUNT, 0, 0)); }

TRect TacToolBarWnd::ButtonRect(int Index) const {
  RECT r{};
  if (!SendMessageW(CtrlHandle, TB_GETITEMRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&r))) return {};
  return {r.left, r.top, r.right, r.bottom};
}

std::wstring TacToolBarWnd::ButtonText(int Id) const {
  const LRESULT length = SendMessageW(CtrlHandle, TB_GETBUTTONTEXTW, WPARAM(Id), 0);
  if (length <= 0) return {};
  // The bar writes the text and its terminating zero: the buffer holds what the bar said it needs.
  std::wstring text(std::size_t(length) + 1, L'\0');
  const LRESULT got = SendMessageW(CtrlHandle, TB_GETBUTTONTEXTW, WPARAM(Id), reinterpret_cast<LPARAM>(text.data()));
  if (got <= 0) return {};
  text.resize(std::size_t(std::min(got, length)));
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

bool TacToolBarWnd::Updating() const {
  return (ParentWnd != nullptr && GetBoolMsg(ParentWnd, ACMD_ISBUSY)) || SkinData->Updating();
}

void TacToolBarWnd::PrepareCache() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (!SkinData->BGChanged) return;
  RECT client{};
  GetClientRect(CtrlHandle, &client);
  ClientRect = {client.left, client.top, client.right, client.bottom};
  skin::PrepareCache(SkinData, CtrlHandle, false);
  UpdateWndCorners(SkinData, 0, this);
  BorderWidth = (WndSize.cy - H(ClientRect)) / 2;
  SkinData->BGChanged = false;
}

void TacToolBarWnd::AC_WMNCPaint() {
  if ((GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0) return;
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (Updating()) return;
  PrepareCache();
  const TacGivenOrOwnDC dc(CtrlHandle, nullptr, true);
  if (dc.get() == nullptr) return;
  BitBltBorder(dc.get(), 0, 0, WndSize.cx, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), 0, 0,
               (WndSize.cx - W(ClientRect)) / 2);
}

void TacToolBarWnd::AC_WMPaint() {
  PAINTSTRUCT ps{};
  BeginPaint(CtrlHandle, &ps);
  const classlib::TScopeExit end([&] { EndPaint(CtrlHandle, &ps); });
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (!Updating()) AC_WMPrint(ps.hdc);
}

void TacToolBarWnd::AC_WMPrint(HDC DC) {
  PrepareCache();
  if (SkinData->Updating()) return;
  classlib::TBitmap* cache = SkinData->CacheBmp();
  auto bmp = NewBitmap32(cache->Width(), cache->Height());
  DrawButtons(bmp.get());
  const TacGivenOrOwnDC dc(CtrlHandle, DC);
  if (dc.get() == nullptr) return;
  BitBlt(dc.get(), 0, 0, cache->Width() - 2 * BorderWidth, cache->Height() - 2 * BorderWidth, bmp->Canvas()->Handle(),
         BorderWidth, BorderWidth, SRCCOPY);
}

void TacToolBarWnd::DrawButtons(classlib::TBitmap* Bmp) {
  classlib::TBitmap* cache = SkinData->CacheBmp();
  BitBlt(Bmp->Canvas()->Handle(), 0, 0, Bmp->Width(), Bmp->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    TRect r = ButtonRect(i);
    r = {r.Left + BorderWidth, r.Top + BorderWidth, r.Right + BorderWidth, r.Bottom + BorderWidth};
    DrawBtn(i, r, Bmp->Canvas()->Handle());
  }
}

void TacToolBarWnd::DrawBtn(int Index, const TRect& R, HDC DC) {
  TBBUTTON button{};
  if (!SendMessageW(CtrlHandle, TB_GETBUTTON, WPARAM(Index), reinterpret_cast<LPARAM>(&button))) return;
  if (W(R) <= 0 || H(R) <= 0) return;
  TsSkinManager* sm = DefaultManager();
  if (sm == nullptr) return;
  const TacSkinRecords& rec = sm->Records();
  classlib::TBitmap* cache = SkinData->CacheBmp();
  const TCacheInfo behind = MakeCacheInfo(cache);
  auto b = NewBitmap32(W(R), H(R));
  const HDC bdc = b->Canvas()->Handle();

  if ((button.fsStyle & BTNS_SEP) != 0) {
    const int divider = sm->GetSkinIndex("DIVIDER");
    const int border = divider >= 0 ? sm->GetMaskIndex(divider, "DIVIDER", "BORDERSMASK") : -1;
    if (!sm->IsValidImgIndex(border)) return;
    BitBlt(bdc, 0, 0, W(R), H(R), cache->Canvas()->Handle(), R.Left, R.Top, SRCCOPY);
    const TRect strip{W(R) / 2 - 1, 2, W(R) / 2 + 3, H(R) - 2};
    PaintItem(divider, "DIVIDER", behind, true, 0, strip, TPoint{R.Left + strip.Left, R.Top + strip.Top}, b.get(), sm);
    BitBlt(DC, R.Left, R.Top, W(R), H(R), bdc, 0, 0, SRCCOPY);
    return;
  }

  const int section = sm->GetSkinIndex("TOOLBUTTON");
  const bool enabled = (button.fsState & TBSTATE_ENABLED) != 0;
  int state = 0, shift = 0;
  if (!enabled) {
    state = 0;
  } else if ((button.fsState & TBSTATE_PRESSED) != 0) {
    state = 2;
    shift = 1;
  } else {
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT at{cursor.x - WndRect.Left, cursor.y - WndRect.Top};
    if (at.x >= R.Left && at.x < R.Right && at.y >= R.Top && at.y < R.Bottom) state = 1;
  }
  if (section >= 0)
    PaintItem(section, "TOOLBUTTON", behind, true, state, TRect{0, 0, W(R), H(R)}, TPoint{R.Left, R.Top}, b.get(), sm);

  int imageHeight = -1;
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(CtrlHandle, TB_GETIMAGELIST, 0, 0));
  // Index 0 stands for "no image" on these bars, like the callback and "none" indexes.
  if (button.iBitmap > 0 && images != nullptr) {
    int iw = 0, ih = 0;
    ImageList_GetIconSize(images, &iw, &ih);
    ImageList_SetBkColor(images, CLR_NONE);
    int x = (W(R) - iw) / 2 + shift;
    const int arrow = rec.ConstData.MaskArrowBottom;
    if ((button.fsStyle & BTNS_WHOLEDROPDOWN) != 0 && rec.IsValidImgIndex(arrow)) {
      const TsMaskData& md = rec.ma[std::size_t(arrow)];
      const int gw = WidthOfImage(md), gh = HeightOfImage(md);
      DrawSkinGlyph(b.get(), TPoint{W(R) + shift - gw - 2, (H(R) - gh) / 2 + shift}, state, 1, md,
                    MakeCacheInfo(b.get()));
      x = (W(R) - iw - gw) / 2 + shift;
    }
    ImageList_Draw(images, button.iBitmap, bdc, x, 4 + shift, ILD_NORMAL);
    imageHeight = ih;
  }

  const std::wstring text = ButtonText(button.idCommand);
  if (!text.empty()) DrawCaption(b.get(), text, state, shift, imageHeight);

  if (!enabled)
    BlendTransRectangle(View32(b.get()), 0, 0, View32(cache), TRect{R.Left, R.Top, R.Right - 1, R.Bottom - 1}, 0.4,
                        clFuchsia);
  BitBlt(DC, R.Left, R.Top, W(R), H(R), bdc, 0, 0, SRCCOPY);
}

void TacToolBarWnd::DrawCaption(classlib::TBitmap* B, const std::wstring& Text, int State, int Shift, int ImageHeight) {
  TsSkinManager* sm = DefaultManager();
  const int toolButton = sm->GetSkinIndex("TOOLBUTTON");
  int fontSection = toolButton;
  if (State == 0 && sm->IsValidSkinIndex(SkinData->SkinIndex) &&
      sm->Records().gd[std::size_t(SkinData->SkinIndex)].GiveOwnFont)
    fontSection = SkinData->SkinIndex;
  classlib::TCanvas* canvas = B->Canvas();
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0));
  if (font == nullptr) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  canvas->Font()->SetHandle(font);
  const int w = B->Width(), h = B->Height();
  TRect area{2 + Shift, (ImageHeight >= 0 ? ImageHeight + 2 : 0) + Shift + 2, w + Shift - 2, h + Shift - 2};
  const std::vector<std::wstring> words = Words(Text);
  if (words.size() >= 3) {
    std::wstring first, second = words[words.size() - 2] + L" " + words.back();
    for (std::size_t i = 0; i + 2 < words.size(); ++i) first += (i > 0 ? L" " : L"") + words[i];
    TEXTMETRICW tm{};
    GetTextMetricsW(canvas->Handle(), &tm);
    TRect top{area.Left, area.Top, area.Right, area.Top + tm.tmHeight};
    acWriteTextEx(canvas, first, true, top, DT_CENTER | DT_SINGLELINE, fontSection, State != 0, sm);
    TRect bottom{area.Left, area.Top + tm.tmHeight, area.Right, area.Bottom};
    acWriteTextEx(canvas, second, true, bottom, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS, fontSection, State != 0,
                  sm);
    return;
  }
  acWriteTextEx(canvas, Text, true, area, DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_END_ELLIPSIS, fontSection,
                State != 0, sm);
}

void TacToolBarWnd::acWndProc(classlib::TMessage& Message) {
  if (!Active(SkinData) || Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      SkinData->BGChanged = true;
      TacMainWnd::acWndProc(Message);
      SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
      return;
    case WM_PAINT:
      if (!IsWindowVisible(CtrlHandle)) break;
      AC_WMPaint();
      Message.Result = 0;
      return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT: AC_WMNCPaint(); return;
    case WM_PRINTCLIENT: AC_WMPrint(reinterpret_cast<HDC>(Message.WParam)); return;
    case SM_ALPHACMD:
      if (CommandOf(Message.WParam) == ACMD_PARENTUPDATED && SkinData->Updating()) {
        SkinData->SetUpdating(false);
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return;
      }
      break;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
  if (Message.Msg == WM_MOUSEMOVE)
    if (TsSkinManager* dm = DefaultManager();
        dm != nullptr && !dm->ComponentState().Contains(classlib::csDesigning) && IsWindowEnabled(CtrlHandle))
      dm->SetActiveControl(CtrlHandle);
}

}  // namespace skin
