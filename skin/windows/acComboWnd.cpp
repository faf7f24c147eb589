#include "skin/windows/acComboWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acSBPaint.h"
#include "skin/windows/acSBTrack.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {
namespace {

constexpr UINT kStartTrack = 0x01AE;
constexpr UINT kEndTrack = 0x01AF;
constexpr int kComboBorder = 3;
constexpr int kListBorder = 2;

// One list of the program is dropped down at a time.
bool g_droppedDown = false;

LONG_PTR StyleOf(HWND wnd) { return GetWindowLongPtrW(wnd, GWL_STYLE); }

void FillFramed(HDC dc, const RECT& r, TColor fill, TColor frame) {
  HBRUSH inside = CreateSolidBrush(classlib::ColorToRGB(fill));
  FillRect(dc, &r, inside);
  DeleteObject(inside);
  HBRUSH outline = CreateSolidBrush(classlib::ColorToRGB(frame));
  FrameRect(dc, &r, outline);
  DeleteObject(outline);
}

// System colours are kept as the list draws them.
bool IsSystemColour(TColor c) { return (std::uint32_t(c) & 0xFF000000u) != 0; }

}  // namespace

TacComboListWnd::TacComboListWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, bool Simply,
                                 bool Repaint)
    : TacEditWnd(AHandle, ASkinData, ASkinManager), SimplyBox(Simply), repaint_(Repaint) {
  InitCtrlData(AHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
}

THandler<TacComboListWnd> TacComboListWnd::CreateEx(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                                                    const std::string& SkinSection, bool Repaint, bool Simply) {
  if (AHandle == nullptr) return nullptr;
  auto list =
      TacMainWnd::Create<TacComboListWnd>(AHandle, ASkinData, ASkinManager, SkinSection, Repaint, Simply, Repaint);
  if (!Simply)
    SetWindowPos(
        AHandle, nullptr, 0, 0, list->WndSize.cx + 1, list->WndSize.cy,
        SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  return list;
}

void TacComboListWnd::PrepareFrame() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (SimplyBox) {
    SendMessageW(CtrlHandle, SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
    return;
  }
  SkinData->UpdateIndexes();
  SetSkinParams();
  classlib::TBitmap* cache = SkinData->CacheBmp();
  if (cache == nullptr) return;
  cache->SetSize(WndSize.cx, WndSize.cy);
  FillFramed(cache->Canvas()->Handle(), RECT{0, 0, WndSize.cx, WndSize.cy}, Color, FrameColor);
  SkinData->BGChanged = false;
}

void TacComboListWnd::PaintStripUnderList() {
  HWND combo = GetParent(CtrlHandle);
  if (combo == nullptr) return;
  HWND comboParent = GetParent(combo);
  RECT list{}, box{};
  GetWindowRect(CtrlHandle, &list);
  GetWindowRect(combo, &box);
  if (box.bottom <= list.bottom) return;
  const RECT strip{0, list.bottom - box.top, box.right - box.left, box.bottom - box.top};
  TacBGInfo bg;
  if (comboParent != nullptr) GetBGInfo(bg, comboParent, false);
  const classlib::WindowDC windowDC(combo);
  HDC dc = windowDC.get();
  if (dc == nullptr) return;
  if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr) {
    POINT at{box.left, box.top};
    if (comboParent != nullptr) ScreenToClient(comboParent, &at);
    BitBlt(dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top, bg.Bmp->Canvas()->Handle(),
           bg.Offset.X + at.x, bg.Offset.Y + at.y + strip.top, SRCCOPY);
  } else {
    HBRUSH fill = CreateSolidBrush(classlib::ColorToRGB(bg.Color));
    FillRect(dc, &strip, fill);
    DeleteObject(fill);
  }
}

void TacComboListWnd::NonClientPaint(classlib::TMessage& Message) {
  Message.Result = 0;
  if (DontRepaint) return;
  PrepareFrame();
  if (!DlgMode) UpdateWndCorners(SkinData, 0, this);
  if (const classlib::WindowDC dc(CtrlHandle, true); dc.get() != nullptr) {
    if (classlib::TBitmap* cache = SkinData->CacheBmp(); cache != nullptr && cache->Width() > 0)
      BitBltBorder(dc.get(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, kListBorder);
    Ac_NCPaint(this, CtrlHandle, 1, dc.get(), -1, 0);
  }
  if (SimplyBox) PaintStripUnderList();
}

void TacComboListWnd::Print(classlib::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (dc == nullptr || !IsWindowVisible(CtrlHandle)) return;
  PrepareFrame();
  PassOn(Message);
  if (Message.Msg != WM_PRINT || SendMessageW(CtrlHandle, LB_GETCOUNT, 0, 0) <= 0) return;
  if (ScrollState().CurPortion == -1 && !Showed)
    if (classlib::TBitmap* cache = SkinData->CacheBmp(); cache != nullptr && cache->Width() > 0)
      BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, kComboBorder);
  Ac_NCPaint(this, CtrlHandle, 1, dc, -1, 0);
}

void TacComboListWnd::ButtonUp(classlib::TMessage& Message) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  ClientToScreen(CtrlHandle, &p);
  const LRESULT hit = Ac_NCHitTest(this, CtrlHandle, 0, MAKELPARAM(p.x, p.y));
  // The release ends a press on a bar and still reaches the list (it closes a dropped list).
  Message.Result = Ac_LButtonUp(this, CtrlHandle, Message.WParam, Message.LParam);
  if (hit != HTNOWHERE && hit != HTCLIENT && SimplyBox) ReleaseCapture();
}

void TacComboListWnd::acWndProc(classlib::TMessage& Message) {
  if (Destroyed || SkinData == nullptr || !SkinData->Skinned(false)) {
    TacEditWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_ERASEBKGND:
    case WM_HSCROLL:
    case WM_VSCROLL: PassOn(Message); return;
    case WM_NCCALCSIZE: Message.Result = Ac_NCCalcSize(this, CtrlHandle, Message.WParam, Message.LParam); return;
    case WM_NCPAINT: NonClientPaint(Message); return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      const LRESULT hit = Ac_NCHitTest(this, CtrlHandle, 0, Message.LParam);
      Message.Result = 0;
      if (hit == HTHSCROLL || hit == HTVSCROLL)
        Message.Result = Ac_NCLButtonDown(this, CtrlHandle, WPARAM(hit), Message.LParam);
      return;
    }
    case kStartTrack: Showed = true; break;
    case kEndTrack:
      Showed = false;
      SkinData->BGChanged = true;
      break;
    case WM_LBUTTONUP: ButtonUp(Message); return;
    case WM_PRINT:
    case WM_PRINTCLIENT: Print(Message); return;
    default: break;
  }
  TacEditWnd::acWndProc(Message);
  if (Message.Msg == WM_WINDOWPOSCHANGED && !Destroyed) UpdateScrolls(this, true);
}

TacComboBoxWnd::TacComboBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : TacEditWnd(AHandle, ASkinData, ASkinManager), LBSkinData(std::make_unique<TsCommonData>(nullptr, true)) {}

TacComboBoxWnd::~TacComboBoxWnd() {
  if (listBrush_ != nullptr) DeleteObject(listBrush_);
}

void TacComboBoxWnd::Release() {
  if (ListSW) UninitializeACScroll(ListSW->CtrlHandle, true, ListSW);
  FListHandle = nullptr;
  LBSkinData.reset();
  TacEditWnd::Release();
}

bool TacComboBoxWnd::Simple() const { return (StyleOf(CtrlHandle) & 3) == CBS_SIMPLE; }

bool TacComboBoxWnd::HasDropDownBit() const { return (StyleOf(CtrlHandle) & CBS_DROPDOWN) != 0; }

bool TacComboBoxWnd::DroppedDown() { return g_droppedDown; }

TRect TacComboBoxWnd::ButtonRect() {
  RECT wr{};
  GetWindowRect(CtrlHandle, &wr);
  const int width = HasDropDownBit() ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  TRect r;
  r.Left = (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0 ? 2 : wr.right - wr.left - width - 2;
  r.Top = 2;
  r.Right = r.Left + width;
  r.Bottom = wr.bottom - wr.top - 2;
  return r;
}

int TacComboBoxWnd::ButtonHeight() {
  TsSkinManager* sm = SkinData != nullptr ? SkinData->GetSkinManager() : nullptr;
  if (sm == nullptr) return 16;
  const int glyph = sm->Records().ConstData.ComboGlyph;
  if (glyph < 0 || !sm->IsValidImgIndex(glyph)) return 16;
  const TsMaskData& md = sm->Records().ma[std::size_t(glyph)];
  return (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
}

void TacComboBoxWnd::Invalidate() {
  if (SkinData == nullptr || SkinData->OwnerControl() == nullptr) return;
  InvalidateRect(CtrlHandle, nullptr, TRUE);
  UpdateWindow(CtrlHandle);
}

void TacComboBoxWnd::RepaintButton() {
  const classlib::WindowDC dc(CtrlHandle);
  if (dc.get() != nullptr) PaintButton(dc.get());
}

void TacComboBoxWnd::PaintButton(HDC DC) {
  TsSkinManager* sm = SkinData != nullptr ? SkinData->GetSkinManager() : nullptr;
  classlib::TBitmap* cache = SkinData != nullptr ? SkinData->CacheBmp() : nullptr;
  const TRect br = ButtonRect();
  const int bw = br.Right - br.Left, bh = br.Bottom - br.Top;
  if (sm == nullptr || cache == nullptr || cache->Width() <= 0 || bw <= 0 || bh <= 0) return;
  int state = 0;
  // The list may show before it first asks for its colours.
  HWND list = FListHandle;
  if (list == nullptr) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(CtrlHandle, &info)) list = info.hwndList;
  }
  if (list != nullptr && IsWindowVisible(list))
    state = 2;
  else if (TsSkinManager* dm = DefaultManager();
           ControlIsActive(SkinData) || (dm != nullptr && dm->ActiveControl() == CtrlHandle))
    state = 1;
  const TConstantSkinData& cd = sm->Records().ConstData;
  // The button over its own part of the frame: the cache stays as it is for the next paint.
  auto ground = NewBitmap32(cache->Width(), cache->Height());
  BitBlt(ground->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  auto button = NewBitmap32(bw, bh);
  BitBlt(button->Canvas()->Handle(), 0, 0, bw, bh, ground->Canvas()->Handle(), br.Left, br.Top, SRCCOPY);
  if (cd.ComboBtnIndex >= 0)
    PaintItem(cd.ComboBtnIndex, "COMBOBTN", MakeCacheInfo(ground.get()), true, state, TRect{0, 0, bw, bh},
              TPoint{br.Left, br.Top}, button.get(), sm, cd.ComboBtnBG, cd.ComboBtnBGHot);
  if (cd.ComboGlyph >= 0 && sm->IsValidImgIndex(cd.ComboGlyph)) {
    const TsMaskData& md = sm->Records().ma[std::size_t(cd.ComboGlyph)];
    const int glyphWidth = (md.R.Right - md.R.Left) / std::max(1, int(md.ImageCount));
    RECT wr{};
    GetWindowRect(CtrlHandle, &wr);
    const TPoint at{(bw - glyphWidth) / 2, (wr.bottom - wr.top - ButtonHeight()) / 2 - br.Top};
    DrawSkinGlyph(button.get(), at, state, 1, md, MakeCacheInfo(button.get()));
  }
  BitBlt(DC, br.Left, br.Top, bw, bh, button->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacComboBoxWnd::PaintText() {
  classlib::TBitmap* cache = SkinData->CacheBmp();
  if (cache == nullptr || cache->Width() <= 0) return;
  HDC dc = cache->Canvas()->Handle();
  const TRect br = ButtonRect();
  const int height = cache->Height();
  const bool rtl = (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  RECT r = rtl ? RECT{br.Right, 3, WndSize.cx - 3, height - 3} : RECT{3, 3, br.Left, height - 3};
  if (r.right <= r.left || r.bottom <= r.top) return;
  std::wstring text;
  const LRESULT index = SendMessageW(CtrlHandle, CB_GETCURSEL, 0, 0);
  if (index != CB_ERR) {
    const LRESULT length = SendMessageW(CtrlHandle, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length != CB_ERR && length > 0) {
      text.resize(std::size_t(length) + 1);
      const LRESULT got = SendMessageW(CtrlHandle, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
      text.resize(got == CB_ERR ? 0 : std::min<std::size_t>(std::size_t(got), std::size_t(length)));
    }
  } else {
    text = GetWndText(CtrlHandle);
  }
  const int saved = SaveDC(dc);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0));
  classlib::TControl* owner = SkinData->OwnerControl();
  if (owner != nullptr) font = owner->Font()->Handle();
  if (font != nullptr) SelectObject(dc, font);
  TColor colour = owner != nullptr ? owner->Font()->Color() : classlib::clWindowText;
  if (owner == nullptr)
    if (TsSkinManager* sm = SkinData->GetSkinManager(); sm != nullptr && sm->IsValidSkinIndex(SkinData->SkinIndex))
      colour = sm->Records().gd[std::size_t(SkinData->SkinIndex)].FontColor.Color;
  const bool list = (StyleOf(CtrlHandle) & 3) == CBS_DROPDOWNLIST;
  const bool focused = list && GetFocus() == CtrlHandle;
  if (focused) {
    HBRUSH highlight = GetSysColorBrush(COLOR_HIGHLIGHT);
    FillRect(dc, &r, highlight);
    colour = classlib::clHighlightText;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, classlib::ColorToRGB(colour));
  const int d = list ? 1 : 0;
  ExtTextOutW(dc, r.left + d, r.top + d, ETO_CLIPPED, &r, text.c_str(), UINT(text.size()), nullptr);
  if (focused) DrawFocusRect(dc, &r);
  RestoreDC(dc, saved);
}

void TacComboBoxWnd::PrepareSimple() {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  if (cache == nullptr) return;
  const int height = int(SendMessageW(CtrlHandle, CB_GETITEMHEIGHT, 0, 0)) + 8;
  cache->SetSize(WndSize.cx, std::max(height, 1));
  TsSkinManager* dm = DefaultManager();
  if (DlgMode && dm != nullptr && dm->Records().SkinData.BorderColor != clFuchsia) {
    FillFramed(cache->Canvas()->Handle(), RECT{0, 0, cache->Width(), cache->Height()}, classlib::clWindow,
               dm->Records().SkinData.BorderColor);
  } else {
    TCacheInfo ci = EmptyCI;
    if (SkinData->OwnerControl() != nullptr)
      GetParentCache(SkinData, ci);
    else
      GetParentCacheHwnd(CtrlHandle, ci);
    PaintItem(SkinData, ci, true, ControlIsActive(SkinData) ? 1 : 0, TRect{0, 0, cache->Width(), cache->Height()},
              TPoint{WndPos.X, WndPos.Y}, cache, true);
  }
  SkinData->BGChanged = false;
}

void TacComboBoxWnd::RenderFrame() {
  if (Simple()) {
    PrepareSimple();
    return;
  }
  SkinData->BGChanged = true;
  SendMessageW(CtrlHandle, SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
}

void TacComboBoxWnd::Paint(classlib::TMessage& Message) {
  if (!ParamsChanged) SetSkinParams();
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  PassOn(Message);
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  const bool own = dc == nullptr;
  if (own) dc = GetWindowDC(CtrlHandle);
  if (dc == nullptr) return;
  RenderFrame();
  if (classlib::TBitmap* cache = SkinData->CacheBmp(); cache != nullptr && cache->Width() > 0)
    BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, kComboBorder);
  if (!Simple()) PaintButton(dc);
  if (own) ReleaseDC(CtrlHandle, dc);
}

void TacComboBoxWnd::Print(classlib::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  SkinData->SetUpdating(true);
  if (!ParamsChanged) SetSkinParams();
  if (Destroyed) return;
  SkinData->SetUpdating(false);
  RenderFrame();
  PaintText();
  UpdateWndCorners(SkinData, 0, this);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  if (dc == nullptr || cache == nullptr) return;
  BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  if (!Simple()) PaintButton(dc);
}

void TacComboBoxWnd::DropNotice(WPARAM WParam, bool Reflected) {
  if (!Reflected && (StyleOf(CtrlHandle) & 3) != CBS_DROPDOWN) return;
  switch (HIWORD(WParam)) {
    case CBN_CLOSEUP:
      SkinData->BGChanged = true;
      g_droppedDown = false;
      RepaintButton();
      break;
    case CBN_DROPDOWN: g_droppedDown = true; break;
    default: break;
  }
}

void TacComboBoxWnd::ListColours(classlib::TMessage& Message) {
  // The list's own creation asks again: nobody answers that one.
  if (LBoxOpening) {
    Message.Result = 0;
    return;
  }
  LBoxOpening = true;
  const classlib::TScopeExit opened([this] { LBoxOpening = false; });
  TacEditWnd::acWndProc(Message);
  if (Destroyed) return;
  if (FListHandle == nullptr) {
    FListHandle = reinterpret_cast<HWND>(Message.LParam);
    if (!ListSW && FListHandle != nullptr) {
      const bool native = SkinData->OwnerControl() == nullptr;
      const bool savedMode = acDlgMode;
      if (native) acDlgMode = DlgMode;
      const classlib::TScopeExit restore([&] { acDlgMode = savedMode; });
      ListSW = TacComboListWnd::CreateEx(FListHandle, nullptr, SkinManager, "EDIT",
                                         SendMessageW(CtrlHandle, CB_GETCOUNT, 0, 0) > 0, Simple());
    }
  }
  if (FListHandle == nullptr || DlgMode) return;
  TacSectionInfo info;
  SendMessageW(FListHandle, SM_ALPHACMD, AlphaCmd(ACMD_GETSKININDEX), reinterpret_cast<LPARAM>(&info));
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidSkinIndex(info.SkinIndex)) return;
  const TsGeneralData& g = sm->Records().gd[std::size_t(info.SkinIndex)];
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (dc != nullptr) {
    if (!IsSystemColour(g.FontColor.Color)) SetTextColor(dc, classlib::ColorToRGB(g.FontColor.Color));
    SetBkColor(dc, classlib::ColorToRGB(g.Color));
  }
  // The list asks on every paint: one brush, made again only when the colour changes.
  if (listBrush_ == nullptr || listBrushColour_ != g.Color) {
    HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(g.Color));
    if (brush == nullptr) return;
    if (listBrush_ != nullptr) DeleteObject(listBrush_);
    listBrush_ = brush;
    listBrushColour_ = g.Color;
  }
  Message.Result = reinterpret_cast<LRESULT>(listBrush_);
}

void TacComboBoxWnd::ReleaseList() {
  if (FListHandle == nullptr) return;
  if (IsWindow(FListHandle))
    SetWindowLongPtrW(FListHandle, GWL_STYLE, (StyleOf(FListHandle) & ~LONG_PTR(WS_THICKFRAME)) | WS_BORDER);
  UninitializeACScroll(FListHandle, true, ListSW);
  FListHandle = nullptr;
}

void TacComboBoxWnd::acWndProc(classlib::TMessage& Message) {
  if (Destroyed || SkinData == nullptr || !SkinData->Skinned(false)) {
    TacEditWnd::acWndProc(Message);
    return;
  }
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_REMOVESKIN:
        if (Message.LParam != reinterpret_cast<LPARAM>(SkinData->GetSkinManager())) break;
        TacEditWnd::acWndProc(Message);
        ReleaseList();
        return;
      case ACMD_MOUSEENTER:
      case ACMD_MOUSELEAVE:
        TacEditWnd::acWndProc(Message);
        if (!Destroyed) RepaintButton();
        return;
      default: break;
    }
    TacEditWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONUP:
      TacEditWnd::acWndProc(Message);
      if (!Destroyed) RepaintButton();
      return;
    case WM_PAINT: Paint(Message); return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_DRAWITEM:
      PassOn(Message);
      Invalidate();
      return;
    case WM_NCCALCSIZE:
      TacEditWnd::acWndProc(Message);
      cxLeftEdge = kComboBorder;
      return;
    case WM_COMMAND: DropNotice(Message.WParam, false); break;
    case classlib::CN_COMMAND: DropNotice(Message.WParam, true); break;
    case WM_CTLCOLORLISTBOX: ListColours(Message); return;
    case WM_PRINT: Print(Message); return;
    case classlib::CM_MOUSEENTER:
      if (SkinData->FMouseAbove) break;
      SkinData->FMouseAbove = true;
      SkinData->BGChanged = true;
      TacEditWnd::acWndProc(Message);
      Invalidate();
      return;
    case classlib::CM_MOUSELEAVE: {
      const TPoint p = acMousePos();
      const POINT at{p.X, p.Y};
      RECT wr{};
      GetWindowRect(CtrlHandle, &wr);
      if (!SkinData->FMouseAbove || PtInRect(&wr, at)) break;
      SkinData->FMouseAbove = false;
      SkinData->BGChanged = true;
      TacEditWnd::acWndProc(Message);
      Invalidate();
      return;
    }
    default: break;
  }
  TacEditWnd::acWndProc(Message);
}

}  // namespace skin
