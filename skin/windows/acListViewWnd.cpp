#include "skin/windows/acListViewWnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "classlib/ImgList.h"
#include "classlib/ScopeExit.h"
#include "classlib/TypInfo.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/windows/acSBPaint.h"
#include "skin/windows/acWndRoutines.h"
#include "skin/windows/acWndThunkWin32.h"

namespace skin {
namespace {

constexpr int kListViewCOC = 10;
constexpr UINT kInsertItemA = 0x1007;
constexpr int kRestOfHeader = -2;

bool CompositionEnabled() {
  const HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  if (dwm == nullptr) return false;
  using TIsEnabled = HRESULT(WINAPI*)(BOOL*);
  const auto isEnabled =
      reinterpret_cast<TIsEnabled>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  BOOL enabled = FALSE;
  const bool answer = isEnabled != nullptr && SUCCEEDED(isEnabled(&enabled)) && enabled;
  FreeLibrary(dwm);
  return answer;
}

int Clamped(std::int64_t v) {
  return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void SetListColour(HWND wnd, UINT get, UINT set, COLORREF colour) {
  if (COLORREF(SendMessageW(wnd, get, 0, 0)) != colour) SendMessageW(wnd, set, 0, LPARAM(colour));
}

}  // namespace

TacListViewWnd::TacListViewWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
    : TacEditWnd(AHandle, ASkinData, ASkinManager) {
  if (ASkinData != nullptr) ASkinData->COC = kListViewCOC;
}

bool TacListViewWnd::KeepsVisualStyle() const {
  return SkinData != nullptr && SkinData->COC == kListViewCOC && !OwnSkinData && CompositionEnabled();
}

void TacListViewWnd::Hook(bool Repaint) {
  TacEditWnd::Hook(Repaint);
  if (HWND header = FindWindowExW(CtrlHandle, nullptr, L"SysHeader32", nullptr)) HookHeader(header);
}

void TacListViewWnd::Release() {
  UnhookHeader();
  TacEditWnd::Release();
}

void TacListViewWnd::HookHeader(HWND Header) {
  if (FhWndHeader != nullptr || Header == nullptr) return;
  TacWndThunk* thunk = TacWndThunk::Create(
      Header, [this](UINT Msg, WPARAM WParam, LPARAM LParam) { return HeaderWndProc(Msg, WParam, LParam); });
  if (thunk == nullptr) return;
  headerThunk_ = thunk;
  FhWndHeader = Header;
  FhDefHeaderProc = thunk->Install();
}

void TacListViewWnd::UnhookHeader() {
  // Under a later subclass the thunk stays with the header and forwards to its old procedure.
  if (headerThunk_ != nullptr) headerThunk_->Release(FhDefHeaderProc);
  headerThunk_ = nullptr;
  FhWndHeader = nullptr;
  FhDefHeaderProc = nullptr;
  HoverColIndex = FPressedColumn = -1;
}

classlib::TViewStyle TacListViewWnd::ViewStyle() {
  if (auto* list = dynamic_cast<classlib::TListView*>(SkinData != nullptr ? SkinData->OwnerControl() : nullptr))
    return list->ViewStyle();
  switch (SendMessageW(CtrlHandle, LVM_GETVIEW, 0, 0)) {
    case LV_VIEW_ICON: return classlib::vsIcon;
    case LV_VIEW_DETAILS: return classlib::vsReport;
    case LV_VIEW_SMALLICON: return classlib::vsSmallIcon;
    default: return classlib::vsList;
  }
}

int TacListViewWnd::AllColWidth() {
  auto* list = dynamic_cast<classlib::TListView*>(SkinData != nullptr ? SkinData->OwnerControl() : nullptr);
  if (list == nullptr) return 0;
  std::int64_t sum = 0;
  for (int i = 0; i < list->Columns()->Count(); ++i) {
    const int width = int(SendMessageW(CtrlHandle, LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
    if (std::abs(std::int64_t(width)) > 999999) break;
    sum += width;
  }
  return Clamped(sum);
}

TRect TacListViewWnd::GetHeaderColumnRect(int Index) {
  int item = Index;
  if ((GetWindowLongPtrW(FhWndHeader, GWL_STYLE) & HDS_FULLDRAG) != 0) {
    const int count = int(SendMessageW(FhWndHeader, HDM_GETITEMCOUNT, 0, 0));
    if (count > 0 && Index >= 0 && Index < count) {
      std::vector<int> order(std::size_t(count), -1);
      if (SendMessageW(FhWndHeader, HDM_GETORDERARRAY, WPARAM(count), reinterpret_cast<LPARAM>(order.data())) &&
          order[std::size_t(Index)] >= 0)
        item = order[std::size_t(Index)];
    }
  }
  RECT r{};
  SendMessageW(FhWndHeader, HDM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top, r.right, r.bottom};
}

void TacListViewWnd::ColumnSkinPaint(const TRect& ControlRect, int cIndex, HDC DC) {
  const int width = ControlRect.Right - ControlRect.Left, height = ControlRect.Bottom - ControlRect.Top;
  TsSkinManager* sm = SkinData != nullptr ? SkinData->GetSkinManager() : nullptr;
  if (width <= 0 || height <= 0 || sm == nullptr || FhWndHeader == nullptr) return;
  auto bmp = NewBitmap32(width, height);
  int state = 0;
  if (FPressedColumn >= 0)
    state = cIndex == FPressedColumn ? 2 : 0;
  else
    state = cIndex == HoverColIndex ? 1 : 0;
  classlib::TControl* owner = SkinData->OwnerControl();
  const TColor background = owner != nullptr ? owner->Color() : classlib::clWindow;
  const int section = PaintSection(bmp.get(), "COLHEADER", "BUTTON", state, sm, TPoint{0, 0}, background, nullptr);
  classlib::TCanvas* canvas = bmp->Canvas();
  if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0))) canvas->Font()->SetHandle(font);
  canvas->Brush()->SetStyle(classlib::bsClear);
  TRect text{4, 1, width - 4, height - 1};
  if (cIndex >= 0) {
    wchar_t buffer[258] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE | HDI_ORDER;
    item.pszText = buffer;
    item.cchTextMax = 258;
    SendMessageW(FhWndHeader, HDM_GETITEMW, WPARAM(cIndex), reinterpret_cast<LPARAM>(&item));
    buffer[257] = L'\0';
    const std::wstring caption = buffer;
    UINT flags = DT_END_ELLIPSIS | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;

    classlib::TCustomImageList* images = nullptr;
    if (owner != nullptr && classlib::IsPublishedProp(owner, L"SmallImages"))
      images = dynamic_cast<classlib::TCustomImageList*>(classlib::GetObjectProp(owner, L"SmallImages"));
    int imageIndex = -1, imageWidth = 0;
    if (images != nullptr && (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) != 0) {
      imageWidth = images->Width() + 4;
      imageIndex = item.iImage;
    }

    const TConstantSkinData& cd = sm->Records().ConstData;
    int arrowMask = -1;
    if ((item.fmt & HDF_SORTDOWN) != 0)
      arrowMask = sm->GetMaskIndex(cd.IndexScrollBottom, "SCROLLBTNBOTTOM", "GLYPHMASK");
    else if ((item.fmt & HDF_SORTUP) != 0)
      arrowMask = sm->GetMaskIndex(cd.IndexScrollTop, "SCROLLBTNTOP", "GLYPHMASK");
    const TsMaskData* arrow = sm->IsValidImgIndex(arrowMask) ? &sm->Records().ma[std::size_t(arrowMask)] : nullptr;
    const int arrowCellWidth =
        arrow != nullptr ? (arrow->R.Right - arrow->R.Left) / std::max(1, int(arrow->ImageCount)) : 0;
    const int arrowCellHeight = arrow != nullptr ? (arrow->R.Bottom - arrow->R.Top) / (arrow->MaskType + 1) : 0;
    const int arrowWidth = arrow != nullptr ? arrowCellWidth + 6 : 0;

    SIZE extent{};
    GetTextExtentPoint32W(canvas->TextHandle(), caption.c_str(), int(caption.size()), &extent);
    const int textWidth = extent.cx + 5;
    switch (item.fmt & HDF_JUSTIFYMASK) {
      case HDF_RIGHT:
        text.Right -= arrowWidth;
        text.Left = std::max(text.Left, text.Right - textWidth);
        flags |= DT_RIGHT;
        break;
      case HDF_CENTER:
        text.Left += (text.Right - text.Left - textWidth - arrowWidth - imageWidth) / 2 + imageWidth;
        break;
      default: text.Left += imageWidth; break;
    }
    text.Right = std::min(text.Right, text.Left + textWidth);
    if (arrow != nullptr)
      DrawSkinGlyph(bmp.get(), TPoint{text.Right + 6, (text.Bottom - text.Top - arrowCellHeight) / 2}, state, 1, *arrow,
                    MakeCacheInfo(bmp.get()));
    if (state == 2) text = {text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1};
    acWriteTextEx(canvas, caption, true, text, flags, section, state != 0, sm);
    if (images != nullptr && imageIndex >= 0)
      images->Draw(canvas, text.Left - imageWidth,
                   (text.Bottom - text.Top - images->Height()) / 2 + (state == 2 ? 1 : 0), imageIndex,
                   owner->Enabled());
  }
  HDC target = DC != nullptr ? DC : GetDC(FhWndHeader);
  if (target == nullptr) return;
  BitBlt(target, ControlRect.Left, ControlRect.Top, width, height, canvas->Handle(), 0, 0, SRCCOPY);
  if (DC == nullptr) ReleaseDC(FhWndHeader, target);
}

void TacListViewWnd::PaintHeader(HDC DC) {
  if (FhWndHeader == nullptr || ViewStyle() != classlib::vsReport) return;
  PAINTSTRUCT ps{};
  BeginPaint(FhWndHeader, &ps);
  const classlib::TScopeExit end([&] { EndPaint(FhWndHeader, &ps); });
  const int count = int(SendMessageW(FhWndHeader, HDM_GETITEMCOUNT, 0, 0));
  int right = 0;
  for (int position = 0; position < count; ++position) {
    const TRect r = GetHeaderColumnRect(position);
    if (r.Right <= r.Left || r.Bottom <= r.Top) continue;
    ListLineHeight = r.Bottom - r.Top;
    ColumnSkinPaint(r, int(SendMessageW(FhWndHeader, HDM_ORDERTOINDEX, WPARAM(position), 0)), DC);
    right = std::max(right, r.Right);
  }
  if (count <= 0) {
    const TRect first = GetHeaderColumnRect(0);
    ListLineHeight = first.Bottom - first.Top;
  }
  RECT client{};
  GetClientRect(FhWndHeader, &client);
  if (right < client.right && client.bottom > 0)
    ColumnSkinPaint(TRect{right, 0, client.right, client.bottom}, kRestOfHeader, DC);
}

LRESULT TacListViewWnd::DefHeader(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (FhWndHeader != nullptr && FhDefHeaderProc != nullptr)
    return CallWindowProcW(FhDefHeaderProc, FhWndHeader, Msg, WParam, LParam);
  return 0;
}

void TacListViewWnd::HeaderHitTest(LPARAM LParam) {
  POINT p{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
  ScreenToClient(FhWndHeader, &p);
  const int count = int(SendMessageW(FhWndHeader, HDM_GETITEMCOUNT, 0, 0));
  int position = kRestOfHeader;
  for (int i = 0; i < count; ++i) {
    const TRect r = GetHeaderColumnRect(i);
    if (p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom) {
      position = i;
      break;
    }
  }
  if (position == HoverColIndex) return;
  HoverColIndex = int(SendMessageW(FhWndHeader, HDM_ORDERTOINDEX, WPARAM(position), 0));
  PaintHeader(nullptr);
}

LRESULT TacListViewWnd::HeaderWndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_NCDESTROY) {
    const LRESULT result = DefHeader(Msg, WParam, LParam);
    UnhookHeader();
    return result;
  }
  if (Destroyed || ViewStyle() != classlib::vsReport) return DefHeader(Msg, WParam, LParam);
  try {
    switch (Msg) {
      case WM_PAINT: PaintHeader(nullptr); return 0;
      case WM_ERASEBKGND: return 0;
      case WM_WINDOWPOSCHANGING:
        if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 1, 0);
        return DefHeader(Msg, WParam, LParam);
      case WM_NCHITTEST: {
        const LRESULT result = DefHeader(Msg, WParam, LParam);
        HeaderHitTest(LParam);
        return result;
      }
      case WM_LBUTTONUP: FPressedColumn = -1; return DefHeader(Msg, WParam, LParam);
      case WM_LBUTTONDOWN: {
        const LRESULT result = DefHeader(Msg, WParam, LParam);
        FFlag = true;
        HDHITTESTINFO hit{};
        hit.pt = {GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)};
        SendMessageW(FhWndHeader, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        // A press on a divider resizes; no column is pressed.
        FPressedColumn = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) != 0 ? -1 : hit.iItem;
        InvalidateRect(FhWndHeader, nullptr, FALSE);
        return result;
      }
      default: return DefHeader(Msg, WParam, LParam);
    }
  } catch (...) {
    classlib::HandleCallbackException(nullptr);
    return 0;
  }
}

void TacListViewWnd::SaveStdParams() {
  TacEditWnd::SaveStdParams();
  if (CtrlHandle == nullptr) return;
  StdColor = TColor(SendMessageW(CtrlHandle, LVM_GETBKCOLOR, 0, 0));
  StdFontColor = TColor(SendMessageW(CtrlHandle, LVM_GETTEXTCOLOR, 0, 0));
  stdTextBkColor_ = COLORREF(SendMessageW(CtrlHandle, LVM_GETTEXTBKCOLOR, 0, 0));
}

void TacListViewWnd::RestoreStdParams() {
  if (IsWindow(CtrlHandle)) {
    // The list's own colours back, not just the text colour: a native list has no owner that
    // would put its background back.
    SendMessageW(CtrlHandle, LVM_SETBKCOLOR, 0, LPARAM(COLORREF(StdColor)));
    SendMessageW(CtrlHandle, LVM_SETTEXTBKCOLOR, 0, LPARAM(stdTextBkColor_));
    SendMessageW(CtrlHandle, LVM_SETTEXTCOLOR, 0, LPARAM(COLORREF(StdFontColor)));
  }
  UnhookHeader();
  TacEditWnd::RestoreStdParams();
}

void TacListViewWnd::SetSkinParams() {
  TacEditWnd::SetSkinParams();
  if (Destroyed || CtrlHandle == nullptr) return;
  TsSkinManager* sm = SkinData != nullptr ? SkinData->GetSkinManager() : nullptr;
  if (DlgMode) {
    SetListColour(CtrlHandle, LVM_GETBKCOLOR, LVM_SETBKCOLOR, classlib::ColorToRGB(classlib::clWindow));
    SetListColour(CtrlHandle, LVM_GETTEXTBKCOLOR, LVM_SETTEXTBKCOLOR, classlib::ColorToRGB(classlib::clWindow));
    SetListColour(CtrlHandle, LVM_GETTEXTCOLOR, LVM_SETTEXTCOLOR, classlib::ColorToRGB(classlib::clWindowText));
  } else if (sm != nullptr && sm->IsValidSkinIndex(SkinData->SkinIndex)) {
    const TsGeneralData& g = sm->Records().gd[std::size_t(SkinData->SkinIndex)];
    SetListColour(CtrlHandle, LVM_GETBKCOLOR, LVM_SETBKCOLOR, classlib::ColorToRGB(g.Color));
    SetListColour(CtrlHandle, LVM_GETTEXTBKCOLOR, LVM_SETTEXTBKCOLOR, classlib::ColorToRGB(g.Color));
    SetListColour(CtrlHandle, LVM_GETTEXTCOLOR, LVM_SETTEXTCOLOR, classlib::ColorToRGB(g.FontColor.Color));
  }
}

void TacListViewWnd::ThumbTrack(classlib::TMessage& Message, bool Horizontal) {
  const std::int64_t pos = Message.LParam != 0 ? std::int64_t(std::int32_t(Message.LParam)) : HIWORD(Message.WParam);
  const std::int64_t last = ScrollState().nLastSBPos;
  Message.Result = 0;
  if (!Horizontal && pos == last) return;
  std::int64_t delta = pos - last;
  const classlib::TViewStyle view = ViewStyle();
  if ((Horizontal && view == classlib::vsList) || (!Horizontal && view == classlib::vsReport)) {
    RECT item{};
    item.left = LVIR_BOUNDS;
    SendMessageW(CtrlHandle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    delta *= Horizontal ? item.right - item.left : item.bottom - item.top;
  }
  if (Horizontal)
    SendMessageW(CtrlHandle, LVM_SCROLL, WPARAM(Clamped(delta)), 0);
  else
    SendMessageW(CtrlHandle, LVM_SCROLL, 0, LPARAM(Clamped(delta)));
}

void TacListViewWnd::PrintHeader(HDC DC) {
  if (DC == nullptr || FhWndHeader == nullptr) return;
  const int saved = SaveDC(DC);
  ClipToClient(DC);
  PaintHeader(DC);
  RestoreDC(DC, saved);
}

void TacListViewWnd::acWndProc(classlib::TMessage& Message) {
  if (Destroyed || SkinData == nullptr || !SkinData->Skinned(false)) {
    TacEditWnd::acWndProc(Message);
    return;
  }
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_REFRESH:
        if (Message.LParam != reinterpret_cast<LPARAM>(SkinData->GetSkinManager())) break;
        TacEditWnd::acWndProc(Message);
        if (!Destroyed && FhWndHeader != nullptr) HeaderWndProc(WM_PAINT, 0, 0);
        return;
      case ACMD_GETSKININDEX:
        if (Message.LParam != 0) reinterpret_cast<TacSectionInfo*>(Message.LParam)->SkinIndex = SkinData->SkinIndex;
        return;
      case ACMD_SCROLLBEGIN: Message.Result = 1; return;
      default: break;
    }
    TacEditWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT: SetSkinParams(); break;
    case WM_NCHITTEST:
      if (HoverColIndex != -1 || FPressedColumn != -1) {
        HoverColIndex = FPressedColumn = -1;
        if (FhWndHeader != nullptr) InvalidateRect(FhWndHeader, nullptr, FALSE);
      }
      break;
    case WM_HSCROLL:
      if (LOWORD(Message.WParam) == SB_THUMBTRACK) {
        ThumbTrack(Message, true);
        return;
      }
      PassOn(Message);
      return;
    case WM_VSCROLL:
      if (LOWORD(Message.WParam) == SB_THUMBTRACK) {
        ThumbTrack(Message, false);
        return;
      }
      Message.LParam = 0;
      PassOn(Message);
      return;
    default: break;
  }
  TacEditWnd::acWndProc(Message);
  if (Destroyed) return;
  switch (Message.Msg) {
    case WM_STYLECHANGED:
    case LVM_ARRANGE:
    case kInsertItemA:
      if (!SkinData->Updating()) UpdateScrolls(this, true);
      break;
    case WM_LBUTTONUP: ReleaseCapture(); break;
    case WM_PARENTNOTIFY:
      if (LOWORD(Message.WParam) == WM_CREATE) {
        HWND child = reinterpret_cast<HWND>(Message.LParam);
        wchar_t name[96] = {};
        GetClassNameW(child, name, 96);
        // A list that makes a new header keeps a skinned one: the old is let go, the new hooked.
        if (CompareStringOrdinal(name, -1, L"SysHeader32", -1, TRUE) == CSTR_EQUAL) {
          UnhookHeader();
          HookHeader(child);
        }
      }
      break;
    case WM_PRINT:
      if (ViewStyle() == classlib::vsReport) PrintHeader(reinterpret_cast<HDC>(Message.WParam));
      break;
    default: break;
  }
}

}  // namespace skin
