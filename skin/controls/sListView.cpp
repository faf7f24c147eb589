#include "skin/controls/sListView.h"

#include <algorithm>
#include <array>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

using classlib::TCustomDrawStage;
using classlib::TCustomDrawState;
using classlib::TListItem;
using classlib::TMessage;

namespace {

constexpr UINT kRowTextFlags = DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
constexpr UINT kHeaderTextFlags = DT_END_ELLIPSIS | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
constexpr UINT kSubItemFlags = DT_END_ELLIPSIS | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;

COLORREF Ref(TColor c) { return COLORREF(classlib::ColorToRGB(c)); }

void FillSolid(HDC dc, const TRect& r, TColor c) {
  const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  const HBRUSH b = CreateSolidBrush(Ref(c));
  FillRect(dc, &rc, b);
  DeleteObject(b);
}

void TextIn(HDC dc, const std::wstring& text, TRect r, UINT flags, TColor c) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Ref(c));
  acDrawText(dc, text, r, flags);
}

}  // namespace

TsCustomListView::TsCustomListView(classlib::TComponent* AOwner) : classlib::TListView(AOwner) {
  FCommonData = std::make_unique<TsCommonData>(this, true);
  FCommonData->COC = kListViewCoc;
  FCommonData->BGChanged = true;
  ListLineHeight = Font()->Size();
}

TsCustomListView::~TsCustomListView() {
  ListSW.reset();
  UnhookHeader();
  InitControl(false);
  FCommonData.reset();
}

void TsCustomListView::AfterConstruction() {
  classlib::TListView::AfterConstruction();
  Loading = false;
  FCommonData->Loaded();
}

void TsCustomListView::Loaded() {
  Loading = true;
  const classlib::TScopeExit done([this] { Loading = false; });
  classlib::TListView::Loaded();
  FCommonData->Loaded();
}

bool TsCustomListView::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(); }
bool TsCustomListView::Designing() const { return ComponentState().Contains(classlib::csDesigning); }

void TsCustomListView::CreateWnd() {
  classlib::TListView::CreateWnd();
  FCommonData->Loaded();
  if (HWND header = ListView_GetHeader(Handle())) HookHeader(header);
  if (Skinned()) {
    ApplySkinColours();
    InitControl(true);
    RefreshScrolls();
  }
}

void TsCustomListView::ApplySkinColours() {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr || !sm->IsValidSkinIndex(FCommonData->SkinIndex)) return;
  const TsGenState& g = sm->Records().gd[std::size_t(FCommonData->SkinIndex)].Props[0];
  if (!FCommonData->CustomColor()) SetColor(g.Color);
  if (!FCommonData->CustomFont()) Font()->SetColor(g.FontColor.Color);
  iSelectIndex = sm->GetSkinIndex("SELECTION");
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), LVM_SETBKCOLOR, 0, LPARAM(Ref(Color())));
  SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, LPARAM(Ref(Color())));
  SendMessageW(Handle(), LVM_SETTEXTCOLOR, 0, LPARAM(Ref(Font()->Color())));
}

void TsCustomListView::RefreshScrolls() {
  if (!HandleAllocated() || Loading) return;
  RefreshEditScrollBars(FCommonData.get(), ListSW);
}

void TsCustomListView::InitControl(bool Skinned) {
  if (Designing()) return;
  if (Skinned) {
    if (ownHandlers_) return;
    FOldAdvancedCustomDraw = OnAdvancedCustomDraw;
    FOldAdvancedCustomDrawItem = OnAdvancedCustomDrawItem;
    OnAdvancedCustomDraw = [this](classlib::TListView* s, const TRect& r, TCustomDrawStage st, bool& d) {
      NewAdvancedCustomDraw(s, r, st, d);
    };
    OnAdvancedCustomDrawItem = [this](classlib::TListView* s, TListItem* i, TCustomDrawState cs, TCustomDrawStage st,
                                      bool& d) { NewAdvancedCustomDrawItem(s, i, cs, st, d); };
    ownHandlers_ = true;
  } else {
    if (!ownHandlers_) return;
    OnAdvancedCustomDraw = std::move(FOldAdvancedCustomDraw);
    OnAdvancedCustomDrawItem = std::move(FOldAdvancedCustomDrawItem);
    FOldAdvancedCustomDraw = nullptr;
    FOldAdvancedCustomDrawItem = nullptr;
    ownHandlers_ = false;
  }
}

void TsCustomListView::PrepareCache() {
  InitCacheBmp(FCommonData.get());
  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  PaintItem(FCommonData.get(), ci, false, 0, TRect{0, 0, Width(), Height()}, TPoint{Left(), Top()},
            FCommonData->CacheBmp(), true);
  FCommonData->BGChanged = false;
}

int TsCustomListView::ColumnLeft(int N) {
  int x = 0;
  for (int i = 0; i < N; ++i) x += int(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, WPARAM(i), 0));
  return x;
}

// ---- items ----

void TsCustomListView::NewAdvancedCustomDraw(classlib::TListView* Sender, const TRect& ARect, TCustomDrawStage Stage,
                                             bool& DefaultDraw) {
  if (!Designing() && FOldAdvancedCustomDraw) {
    FOldAdvancedCustomDraw(Sender, ARect, Stage, DefaultDraw);
    return;
  }
  DefaultDraw = Stage == classlib::cdPrePaint;
  if (Stage == classlib::cdPrePaint && Skinned()) {
    FCommonData->SetUpdating(FCommonData->Updating());
    if (!FCommonData->Updating() && FCommonData->BGChanged) PrepareCache();
  }
}

void TsCustomListView::NewAdvancedCustomDrawItem(classlib::TListView* Sender, TListItem* Item, TCustomDrawState State,
                                                 TCustomDrawStage Stage, bool& DefaultDraw) {
  if (Designing() || Canvas()->Handle() == nullptr) return;
  if (FOldAdvancedCustomDrawItem) {
    FOldAdvancedCustomDrawItem(Sender, Item, State, Stage, DefaultDraw);
    return;
  }
  // The other view styles keep the system's drawing in the skin's colours.
  if (ViewStyle() != classlib::vsReport) return;
  if (Stage != classlib::cdPrePaint && Stage != classlib::cdPostPaint) return;
  DrawReportRow(Item, State);
  DefaultDraw = false;
}

void TsCustomListView::DrawReportRow(TListItem* Item, TCustomDrawState State) {
  const HWND h = Handle();
  const int index = Item->Index();
  RECT br{};
  br.left = LVIR_BOUNDS;
  if (!SendMessageW(h, LVM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&br))) return;
  const TRect B{br.left, br.top, br.right, br.bottom};
  if (B.Right <= B.Left || B.Bottom <= B.Top) return;
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const bool listFocused = GetFocus() == h;
  const bool selected = Item->Selected() && (!HideSelection() || listFocused);
  const bool focusedItem = State.Contains(classlib::cdsFocused);

  // The row under the mouse is drawn as a half-strength selection.
  bool hot = false;
  if (!selected) {
    POINT p{};
    RECT client{}, clip{};
    GetCursorPos(&p);
    ::ScreenToClient(h, &p);
    GetClientRect(h, &client);
    GetClipBox(Canvas()->Handle(), &clip);
    if (PtInRect(&client, p) && PtInRect(&br, p) && PtInRect(&clip, p)) {
      if (HotItem != index && HotItem >= 0) {
        RECT old{};
        old.left = LVIR_BOUNDS;
        if (SendMessageW(h, LVM_GETITEMRECT, WPARAM(HotItem), reinterpret_cast<LPARAM>(&old)))
          InvalidateRect(h, &old, FALSE);
      }
      HotItem = index;
      hot = true;
    }
  }
  const bool drawnSelected = selected || hot;
  const int w = B.Right - B.Left, rowH = B.Bottom - B.Top;
  auto row = NewBitmap32(w, rowH);
  HDC dc = row->Canvas()->Handle();
  const TRect local{0, 0, w, rowH};
  TCacheInfo plain;
  plain.FillColor = Color();
  if (drawnSelected) {
    if (iSelectIndex < 0)
      FillSolid(dc, local, sm->Records().GetHighLightColor(focusedItem));
    else
      PaintItem(iSelectIndex, "SELECTION", plain, true, listFocused ? 1 : 0, local, TPoint{B.Left, B.Top}, row.get(),
                sm);
    classlib::TBitmap* cache = FCommonData->CacheBmp();
    if (hot && cache != nullptr && cache->Width() > 0) {
      // The cache covers the whole window: the client area starts inside the frame.
      POINT origin{0, 0};
      RECT wr{};
      ::ClientToScreen(h, &origin);
      GetWindowRect(h, &wr);
      const int dx = origin.x - wr.left, dy = origin.y - wr.top;
      BlendTransRectangle(View32(row.get()), 0, 0, View32(cache),
                          TRect{B.Left + dx, B.Top + dy, B.Right + dx, B.Bottom + dy}, 0.5, classlib::clFuchsia);
    }
  } else {
    FillSolid(dc, local, Color());
  }
  const int column0 = int(SendMessageW(h, LVM_GETCOLUMNWIDTH, 0, 0));
  // Without row selection only the first column shows the selection.
  if (drawnSelected && !RowSelect() && column0 < w) FillSolid(dc, TRect{column0, 0, w, rowH}, Color());
  const HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());

  int markRight = 0;
  if (Checkboxes()) {
    const int cw = CheckWidth(sm) + 2;
    const TRect mark{3, 0, 3 + cw, rowH};
    if (!drawnSelected) FillSolid(dc, mark, Color());
    acDrawCheck(mark, Item->Checked() ? 1 : 0, Enabled(), row.get(), MakeCacheInfo(row.get()), sm);
    markRight = mark.Right;
  }

  TRect caption{markRight + 2, 0, std::min(w, column0), rowH};
  if (caption.Right > caption.Left) {
    UINT flags = kRowTextFlags | DT_END_ELLIPSIS;
    TsGenState normal{};
    if (sm->IsValidSkinIndex(FCommonData->SkinIndex))
      normal = sm->Records().gd[std::size_t(FCommonData->SkinIndex)].Props[0];
    if (drawnSelected && iSelectIndex >= 0) {
      acWriteTextEx(row->Canvas(), Item->Caption(), true, caption, flags, iSelectIndex, listFocused && !hot, sm);
    } else {
      const TColor colour = selected ? sm->Records().GetHighLightFontColor(focusedItem)
                                     : (FCommonData->CustomFont() ? Font()->Color() : normal.FontColor.Color);
      TextIn(dc, Item->Caption(), caption, flags, colour);
    }
  }
  DrawSubItems(Item, dc, local, selected && RowSelect(), listFocused && focusedItem);
  if (GridLines() && GetCapture() == nullptr) DrawGridLines(dc, TRect{-B.Left, 0, ClientWidth() - B.Left, rowH}, w);
  SelectObject(dc, oldFont);
  BitBlt(Canvas()->Handle(), B.Left, B.Top, w, rowH, dc, 0, 0, SRCCOPY);
}

void TsCustomListView::DrawSubItems(TListItem* Item, HDC DC, const TRect& Row, bool Selected, bool Focused) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const int columns = Columns()->Count();
  for (int c = 1; c < columns && c - 1 < Item->SubItems()->Count(); ++c) {
    const int width = int(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, WPARAM(c), 0));
    if (width <= 0) continue;
    const int left = Row.Left + ColumnLeft(c);
    TRect cell{left + 3, Row.Top, left + width - 4, Row.Bottom};
    if (cell.Right <= cell.Left) continue;
    TColor colour = Font()->Color();
    if (!FCommonData->CustomFont()) {
      if (Selected)
        colour = sm->Records().GetHighLightFontColor(Focused);
      else if (sm->IsValidSkinIndex(FCommonData->SkinIndex))
        colour = sm->Records().gd[std::size_t(FCommonData->SkinIndex)].Props[0].FontColor.Color;
    }
    if (!Enabled()) colour = AverageColor(colour, Color());
    const UINT align = GetStringFlags(this, Columns()->Items(c)->Alignment());
    TextIn(DC, Item->SubItems()->Strings(c - 1), cell, kSubItemFlags | (align & (DT_CENTER | DT_RIGHT)), colour);
  }
}

void TsCustomListView::DrawGridLines(HDC DC, const TRect& Row, int Width) {
  const HPEN pen = CreatePen(PS_SOLID, 1, Ref(classlib::clBtnFace));
  const HGDIOBJ old = SelectObject(DC, pen);
  MoveToEx(DC, Row.Left, Row.Bottom - 1, nullptr);
  LineTo(DC, Row.Right, Row.Bottom - 1);
  int x = 0;
  for (int c = 0; c + 1 < Columns()->Count(); ++c) {
    x += int(SendMessageW(Handle(), LVM_GETCOLUMNWIDTH, WPARAM(c), 0));
    MoveToEx(DC, x - 1, Row.Top, nullptr);
    LineTo(DC, x - 1, Row.Bottom);
  }
  (void)Width;
  SelectObject(DC, old);
  DeleteObject(pen);
}

// ---- header ----

namespace {

// The list view that owns a hooked header, and the header's own procedure.
const wchar_t kHeaderOwnerProp[] = L"TarviselListHeaderOwner";
const wchar_t kHeaderProcProp[] = L"TarviselListHeaderProc";

}  // namespace

LRESULT CALLBACK TsCustomListView::HeaderProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* self = static_cast<TsCustomListView*>(GetPropW(Wnd, kHeaderOwnerProp));
  const auto original = reinterpret_cast<WNDPROC>(GetPropW(Wnd, kHeaderProcProp));
  if (original == nullptr) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  if (self == nullptr || self->FhWndHeader != Wnd) return CallWindowProcW(original, Wnd, Msg, WParam, LParam);
  if (Msg == WM_NCDESTROY) {
    self->UnhookHeader();
    return CallWindowProcW(original, Wnd, Msg, WParam, LParam);
  }
  try {
    return self->HeaderWndProc(Wnd, Msg, WParam, LParam);
  } catch (...) {
    classlib::HandleCallbackException(self);
    return 0;
  }
}

LRESULT TsCustomListView::DefHeader(UINT Msg, WPARAM WParam, LPARAM LParam) {
  return CallWindowProcW(FhDefHeaderProc, FhWndHeader, Msg, WParam, LParam);
}

void TsCustomListView::HookHeader(HWND Header) {
  if (Header == nullptr || FhWndHeader == Header) return;
  UnhookHeader();
  if (GetPropW(Header, kHeaderProcProp) != nullptr) {
    // Still carries our relay from before (somebody subclassed it after us): own it again.
    FhDefHeaderProc = reinterpret_cast<WNDPROC>(GetPropW(Header, kHeaderProcProp));
  } else {
    FhDefHeaderProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Header, GWLP_WNDPROC));
    if (FhDefHeaderProc == nullptr || !SetPropW(Header, kHeaderProcProp, reinterpret_cast<HANDLE>(FhDefHeaderProc)))
      return;
    SetWindowLongPtrW(Header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeaderProc));
  }
  SetPropW(Header, kHeaderOwnerProp, this);
  FhWndHeader = Header;
}

void TsCustomListView::UnhookHeader() {
  const HWND header = FhWndHeader;
  FhWndHeader = nullptr;
  FPressedColumn = -1;
  HoverColIndex = -2;
  if (header == nullptr || !IsWindow(header)) return;
  RemovePropW(header, kHeaderOwnerProp);
  // A procedure put over ours later keeps calling the relay, which then only passes messages on.
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC)) != &HeaderProc) return;
  SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FhDefHeaderProc));
  RemovePropW(header, kHeaderProcProp);
  FhDefHeaderProc = nullptr;
}

TRect TsCustomListView::GetHeaderColumnRect(int I) {
  const HWND header = HeaderHandle();
  if (header == nullptr) return {};
  int item = I;
  const int count = int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  if (count > 0 && I >= 0 && I < count) {
    std::vector<int> order(std::size_t(count), 0);
    if (SendMessageW(header, HDM_GETORDERARRAY, WPARAM(count), reinterpret_cast<LPARAM>(order.data())))
      item = order[std::size_t(I)];
  }
  RECT r{};
  if (!SendMessageW(header, HDM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&r))) return {};
  return {r.left, r.top, r.right, r.bottom};
}

int TsCustomListView::ColumnAt(POINT Screen) {
  const HWND header = HeaderHandle();
  if (header == nullptr) return -2;
  ::ScreenToClient(header, &Screen);
  const int count = int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const TRect r = GetHeaderColumnRect(i);
    if (Screen.x >= r.Left && Screen.x < r.Right && Screen.y >= r.Top && Screen.y < r.Bottom)
      return int(SendMessageW(header, HDM_ORDERTOINDEX, WPARAM(i), 0));
  }
  return -2;
}

void TsCustomListView::PaintHeader(HDC DC) {
  const HWND header = HeaderHandle();
  if (header == nullptr || !Skinned()) return;
  HDC dc = DC;
  if (dc == nullptr) dc = GetDC(header);
  if (dc == nullptr) return;
  const classlib::TScopeExit release([&] {
    if (DC == nullptr) ReleaseDC(header, dc);
  });
  RECT client{};
  GetClientRect(header, &client);
  const int count = int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  int right = 0;
  for (int i = 0; i < count; ++i) {
    const TRect r = GetHeaderColumnRect(i);
    if (r.Right <= r.Left || r.Bottom <= r.Top) continue;
    ListLineHeight = r.Bottom - r.Top;
    ColumnSkinPaint(dc, r, int(SendMessageW(header, HDM_ORDERTOINDEX, WPARAM(i), 0)));
    right = std::max(right, int(r.Right));
  }
  const TRect rest{right, 0, client.right, client.bottom};
  if (rest.Right > rest.Left && rest.Bottom > rest.Top) ColumnSkinPaint(dc, rest, -1);
}

void TsCustomListView::ColumnSkinPaint(HDC DC, const TRect& R, int Index) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const int w = R.Right - R.Left, h = R.Bottom - R.Top;
  if (sm == nullptr || w <= 0 || h <= 0) return;
  int state = 0;
  if (Index >= 0) {
    if (FPressedColumn >= 0)
      state = FPressedColumn == Index ? 2 : 0;
    else if (HoverColIndex == Index)
      state = 1;
  }
  auto bmp = NewBitmap32(w, h);
  const int section =
      PaintSection(bmp.get(), "COLHEADER", "BUTTON", state, sm, TPoint{R.Left, R.Top}, Color(), nullptr);
  if (Index >= 0) {
    wchar_t text[258]{};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE | HDI_BITMAP;
    item.pszText = text;
    item.cchTextMax = 258;
    if (SendMessageW(HeaderHandle(), HDM_GETITEMW, WPARAM(Index), reinterpret_cast<LPARAM>(&item))) {
      TRect t{4, 1, w - 4, h - 1};
      const int imageWidth =
          SmallImages() != nullptr && (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) ? SmallImages()->Width() + 4 : 0;
      // The sort mark: the skin's arrow glyph of the scroll buttons.
      const TsMaskData* mark = nullptr;
      if (item.fmt & (HDF_SORTDOWN | HDF_SORTUP)) {
        const char* name = (item.fmt & HDF_SORTDOWN) ? "SCROLLBTNBOTTOM" : "SCROLLBTNTOP";
        const int mi = sm->GetMaskIndex(sm->GetSkinIndex(name), name, "GLYPHMASK");
        if (sm->IsValidImgIndex(mi)) mark = &sm->Records().ma[std::size_t(mi)];
      }
      const int aw = mark ? (mark->R.Right - mark->R.Left) / std::max(1, int(mark->ImageCount)) + 6 : 0;
      const int ah = mark ? (mark->R.Bottom - mark->R.Top) / (mark->MaskType + 1) : 0;
      const HGDIOBJ oldFont = SelectObject(bmp->Canvas()->Handle(), Font()->Handle());
      SIZE extent{};
      GetTextExtentPoint32W(bmp->Canvas()->Handle(), text, int(wcslen(text)), &extent);
      SelectObject(bmp->Canvas()->Handle(), oldFont);
      const int tw = extent.cx + 6, available = w - 6;
      switch (item.fmt & HDF_JUSTIFYMASK) {
        case HDF_RIGHT:
          t.Right -= aw;
          t.Left = tw + imageWidth + aw + 6 < available ? t.Right - tw : imageWidth + 6;
          break;
        case HDF_CENTER:
          if (tw + imageWidth + aw + 6 < available) {
            t.Left = t.Left + imageWidth + (t.Right - t.Left - tw - aw - imageWidth) / 2;
            t.Right = t.Left + tw;
          } else {
            t.Left = imageWidth + 6;
            t.Right -= aw;
          }
          break;
        default: {
          const int left = t.Left;
          t.Left += imageWidth;
          t.Right = std::min(available, left + imageWidth + tw);
          break;
        }
      }
      if (mark) DrawSkinGlyph(bmp.get(), TPoint{t.Right + 6, (h - ah) / 2}, state, 1, *mark, MakeCacheInfo(bmp.get()));
      if (state == 2) t = TRect{t.Left + 1, t.Top + 1, t.Right + 1, t.Bottom + 1};
      bmp->Canvas()->SetFont(Font());
      bmp->Canvas()->Brush()->SetStyle(classlib::bsClear);
      if (section >= 0) acWriteTextEx(bmp->Canvas(), text, true, t, kHeaderTextFlags, section, state != 0, sm);
      if (imageWidth > 0 && item.iImage >= 0)
        SmallImages()->Draw(bmp->Canvas(), t.Left - imageWidth, (h - SmallImages()->Height()) / 2 + (state == 2),
                            item.iImage, Enabled());
    }
  }
  BitBlt(FCommonData->PrintDC != nullptr ? FCommonData->PrintDC : DC, R.Left, R.Top, w, h, bmp->Canvas()->Handle(), 0,
         0, SRCCOPY);
}

LRESULT TsCustomListView::HeaderWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  const auto Next = [this](UINT m, WPARAM w, LPARAM l) { return DefHeader(m, w, l); };
  if (ViewStyle() != classlib::vsReport || !Skinned()) return Next(Msg, WParam, LParam);
  switch (Msg) {
    case SM_ALPHACMD:
      if (CommandOf(WParam) == ACMD_MOUSELEAVE) {
        HoverColIndex = -2;
        PaintHeader();
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      const HDC dc = WParam != 0 ? reinterpret_cast<HDC>(WParam) : BeginPaint(Wnd, &ps);
      PaintHeader(dc);
      if (WParam == 0) EndPaint(Wnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: {
      const LRESULT result = Next(Msg, WParam, LParam);
      if (FHighlightHeaders) {
        const int column = ColumnAt(POINT{short(LOWORD(LParam)), short(HIWORD(LParam))});
        if (column != HoverColIndex) {
          HoverColIndex = column;
          if (TsSkinManager* sm = FCommonData->GetSkinManager()) sm->SetActiveControl(Wnd);
          PaintHeader();
        }
      }
      return result;
    }
    case WM_LBUTTONUP:
      if (ColumnClick()) {
        FPressedColumn = -1;
        FFlag = false;
        InvalidateRect(Wnd, nullptr, FALSE);
      }
      return Next(Msg, WParam, LParam);
    case WM_PRINT: PaintHeader(reinterpret_cast<HDC>(WParam)); return 0;
    default: break;
  }
  const LRESULT result = Next(Msg, WParam, LParam);
  if (Msg == WM_MOUSEMOVE && FFlag && ListSW) ListSW->Update(true);
  if (Msg == WM_LBUTTONDOWN && ColumnClick()) {
    FFlag = true;
    HDHITTESTINFO hit{};
    hit.pt = POINT{short(LOWORD(LParam)), short(HIWORD(LParam))};
    const int item = int(SendMessageW(Wnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    FPressedColumn = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? -1 : item;
    InvalidateRect(Wnd, nullptr, FALSE);
  }
  return result;
}

// ---- window procedure ----

bool TsCustomListView::SkinCommand(TMessage& M) {
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager());
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      InitControl(Skinned());
      return true;
    case ACMD_REMOVESKIN: {
      if (!own) return false;
      BeginUpdate();
      const classlib::TScopeExit end([this] { EndUpdate(); });
      CommonWndProc(M, FCommonData.get());
      DropScrollBars(ListSW, HandleAllocated() ? Handle() : nullptr);
      if (!FCommonData->CustomColor()) {
        SetColor(classlib::clWindow);
        if (HandleAllocated()) {
          SendMessageW(Handle(), LVM_SETBKCOLOR, 0, LPARAM(Ref(classlib::clWindow)));
          SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, LPARAM(Ref(classlib::clWindow)));
        }
      }
      if (!FCommonData->CustomFont()) {
        Font()->SetColor(classlib::clWindowText);
        if (HandleAllocated()) SendMessageW(Handle(), LVM_SETTEXTCOLOR, 0, LPARAM(Ref(classlib::clWindowText)));
      }
      InitControl(false);
      // The header gets its own procedure back: it paints itself again.
      UnhookHeader();
      if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return true;
    }
    case ACMD_REFRESH: {
      if (!own) return false;
      InitControl(true);
      CommonWndProc(M, FCommonData.get());
      if (Skinned() && !Loading && HandleAllocated()) {
        ApplySkinColours();
        if (HWND header = ListView_GetHeader(Handle())) HookHeader(header);
        RefreshScrolls();
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
      return true;
    }
    case ACMD_PARENTUPDATED:
      if (FCommonData->Updating()) return false;
      FCommonData->PrintDC = nullptr;
      FCommonData->SetUpdating(false);
      PaintHeader();
      return true;
    case ACMD_ISSKINNED:
    case ACMD_SCROLLBEGIN: M.Result = 1; return true;
    case ACMD_ISBUSY: M.Result = FCommonData->Updating() ? 1 : 0; return true;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

void TsCustomListView::WndProc(TMessage& M) {
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (M.Msg == WM_PARENTNOTIFY && (LOWORD(M.WParam) == WM_CREATE || LOWORD(M.WParam) == WM_DESTROY)) {
    const HWND child = reinterpret_cast<HWND>(M.LParam);
    wchar_t name[96]{};
    if (GetClassNameW(child, name, 96) > 0 && lstrcmpiW(name, WC_HEADERW) == 0) {
      UnhookHeader();
      if (LOWORD(M.WParam) == WM_CREATE) HookHeader(child);
    }
  }
  if (M.Msg == classlib::CM_MOUSELEAVE && M.LParam == 0 && ViewStyle() == classlib::vsReport && HoverColIndex != -2) {
    HoverColIndex = -2;
    PaintHeader();
  }
  if ((M.Msg == LVM_SETCOLUMNW || M.Msg == LVM_INSERTCOLUMNW) && M.LParam != 0) {
    // A column without an image keeps no image space in the header.
    LVCOLUMNW column = *reinterpret_cast<const LVCOLUMNW*>(M.LParam);
    if ((column.mask & LVCF_IMAGE) && column.iImage == -1) {
      column.mask &= ~UINT(LVCF_IMAGE);
      TMessage copy = M;
      copy.LParam = reinterpret_cast<LPARAM>(&column);
      classlib::TListView::WndProc(copy);
      M.Result = copy.Result;
      return;
    }
  }
  if (!ControlIsReady(this) || !Skinned() || !HandleAllocated()) {
    classlib::TListView::WndProc(M);
    return;
  }
  switch (M.Msg) {
    case WM_NCPAINT:
      if (FCommonData->BGChanged) PrepareCache();
      break;
    case WM_PRINT:
      classlib::TListView::WndProc(M);
      if (HWND header = HeaderHandle(); header != nullptr && ViewStyle() == classlib::vsReport) {
        // The header's place inside the printed window.
        RECT hr{}, wr{};
        GetWindowRect(header, &hr);
        GetWindowRect(Handle(), &wr);
        const HDC dc = reinterpret_cast<HDC>(M.WParam);
        POINT old{};
        OffsetWindowOrgEx(dc, wr.left - hr.left, wr.top - hr.top, &old);
        PaintHeader(dc);
        SetWindowOrgEx(dc, old.x, old.y, nullptr);
      }
      return;
    case classlib::CM_UIACTIVATE: M.Result = 1; return;
    default: break;
  }
  CommonWndProc(M, FCommonData.get());
  const UINT msg = M.Msg;
  classlib::TListView::WndProc(M);
  switch (msg) {
    case WM_MOUSEMOVE: {
      LVHITTESTINFO hit{};
      hit.pt = POINT{short(LOWORD(M.LParam)), short(HIWORD(M.LParam))};
      const int over = int(SendMessageW(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      if (HotItem >= 0 && over != HotItem) {
        RECT old{};
        old.left = LVIR_BOUNDS;
        if (SendMessageW(Handle(), LVM_GETITEMRECT, WPARAM(HotItem), reinterpret_cast<LPARAM>(&old)))
          InvalidateRect(Handle(), &old, FALSE);
        HotItem = -1;
      }
      break;
    }
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: FCommonData->BGChanged = true; break;
    case classlib::CM_SHOWINGCHANGED: RefreshScrolls(); break;
    default: break;
  }
}

void TsCustomListView::DeclareProperties(classlib::TClassDecl<TsCustomListView>& d) {
  d.Object(L"SkinData", &TsCustomListView::SkinData);
  d.Bool(L"HighlightHeaders", &TsCustomListView::HighlightHeaders, &TsCustomListView::SetHighlightHeaders, true);
}

void RegisterListViewClasses() {
  classlib::RegisterClass<TsCustomListView, classlib::TListView>(L"TsCustomListView");
  classlib::RegisterClass<TsListView, TsCustomListView>(L"TsListView");
}

}  // namespace skin
