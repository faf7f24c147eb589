// The skinned tab control: geometry, painting from the skin, hot tracking and its window procedure.
#include "skin/controls/sTabControl.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sPageControl.h"
#include "skin/controls/sTabGeometry.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

using classlib::TMessage;

namespace {

constexpr int kTabControlCoc = 143;

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

int W(const TRect& r) { return r.Right - r.Left; }
int H(const TRect& r) { return r.Bottom - r.Top; }
bool Empty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
bool Inside(const TRect& r, TPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

// The caption font turned by Escapement (900 reads upwards, 2700 downwards), of normal weight;
// owned here, so that it is deleted once the tab is drawn.
classlib::GdiObject<HFONT> TurnedFont(HFONT font, int Escapement) {
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  lf.lfEscapement = Escapement;
  lf.lfOrientation = Escapement;
  lf.lfWidth = 0;
  lf.lfWeight = FW_NORMAL;
  if (std::wstring(lf.lfFaceName) == L"MS Sans Serif") wcscpy_s(lf.lfFaceName, L"Arial");
  return classlib::GdiObject<HFONT>(CreateFontIndirectW(&lf));
}

// One tab's caption and image index as the common control holds them.
struct TabItem {
  std::wstring Text;
  int Image = -1;
};

TabItem ReadTab(HWND wnd, int index) {
  wchar_t buffer[256] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = buffer;
  item.cchTextMax = 255;
  if (!SendMessageW(wnd, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return {};
  return TabItem{buffer, item.iImage};
}

}  // namespace

TsTabControl::TsTabControl(classlib::TComponent* AOwner) : classlib::TTabControl(AOwner) {
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kTabControlCoc;
}

TsTabControl::~TsTabControl() { FCommonData.reset(); }

void TsTabControl::DeclareProperties(classlib::TClassDecl<TsTabControl>& d) {
  d.Object(L"SkinData", &TsTabControl::SkinData);
}

void TsTabControl::AfterConstruction() {
  classlib::TTabControl::AfterConstruction();
  FCommonData->Loaded();
  CheckUpDown();
}

void TsTabControl::Loaded() {
  classlib::TTabControl::Loaded();
  FCommonData->Loaded();
  CheckUpDown();
}

bool TsTabControl::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(true); }

// ---- geometry ----

TRect TsTabControl::GetClRect() const {
  TRect r = DisplayRect();
  r.Top += 2;
  return r;
}

TRect TsTabControl::TabsRect() const {
  return TabControlTabsRect(Tabs()->Count() > 0, TabPosition(), Width(), Height(), GetClRect());
}

TRect TsTabControl::PageRect() const {
  return TabControlPageRect(Tabs()->Count() > 0, TabPosition(), Width(), Height(), GetClRect());
}

TRect TsTabControl::SkinTabRect(int Index, bool Active) const {
  if (Index < 0 || Index >= Tabs()->Count()) return TRect{};
  return TabControlSkinTabRect(TabRect(Index), Active, Style(), TabPosition());
}

int TsTabControl::TabRow(int Index) const {
  return TabControlTabRow(RowCount(), TabPosition(), TabRect(Index), TabsRect());
}

int TsTabControl::GetTabUnderMouse(TPoint P) const {
  for (int i = 0; i < Tabs()->Count(); ++i)
    if (Inside(SkinTabRect(i, false), P)) return i;
  return -1;
}

int TsTabControl::RestState(int Index) const { return Index == TabIndex() ? 2 : 0; }

// ---- painting ----

int TsTabControl::TabSection() const {
  return StandardTabSection(FCommonData->GetSkinManager(), Style(), TabPosition());
}

void TsTabControl::DrawSkinTab(int Index, int State, HDC DC) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (Index < 0 || Index >= Tabs()->Count() || sm == nullptr || !HandleAllocated()) return;
  const bool active = State == 2 && Index == TabIndex();
  const TRect tr = SkinTabRect(Index, active);
  if (Empty(tr) || (State == 1 && SkinTabRect(Index, Index == TabIndex()).Left < 0)) return;
  const int section = TabSection();
  auto bmp = NewBitmap32(W(tr), H(tr));
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  // A skin without tab sections shows the captions alone, over what lies under the tab.
  BitBlt(bmp->Canvas()->Handle(), 0, 0, W(tr), H(tr), cache->Canvas()->Handle(), tr.Left, tr.Top, SRCCOPY);
  int drawState = 0;
  if (sm->Records().ConstData.IndexTabTop >= 0 && sm->IsValidSkinIndex(section)) {
    const TsGeneralData& g = sm->Records().gd[std::size_t(section)];
    drawState = std::max(0, std::min(State, g.States - 1));
    PaintItem(section, g.ClassName, MakeCacheInfo(cache), true, drawState, TRect{0, 0, W(tr), H(tr)},
              TPoint{tr.Left, tr.Top}, bmp.get(), sm);
  }
  PaintTabContent(bmp.get(), Index, State, TRect{0, 0, W(tr), H(tr)}, section);
  const int saved = SaveDC(DC);
  const classlib::TScopeExit restore([&] { RestoreDC(DC, saved); });
  if (!active) {
    // Only the selected tab lies over the body.
    const TRect page = PageRect();
    if (Tabs()->Count() > 0) ExcludeClipRect(DC, page.Left, page.Top, page.Right, page.Bottom);
  }
  BitBlt(DC, tr.Left, tr.Top, W(tr), H(tr), bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsTabControl::PaintTabContent(classlib::TBitmap* Bmp, int Index, int State, const TRect& TR, int Section) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  classlib::TCanvas* canvas = Bmp->Canvas();
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(classlib::bsClear);
  if (OwnerDraw() && OnDrawTab) {
    canvas->Lock();
    const classlib::TScopeExit unlock([&] {
      Canvas()->SetHandle(nullptr);
      canvas->Unlock();
    });
    Canvas()->SetHandle(canvas->Handle());
    Canvas()->SetFont(Font());
    OnDrawTab(this, Index, TRect{TR.Left + 3, TR.Top + 3, TR.Right - 3, TR.Bottom - 3}, Index == TabIndex());
    return;
  }
  TColor color = Font()->Color();
  if (sm->IsValidSkinIndex(Section)) {
    const TsGeneralData& g = sm->Records().gd[std::size_t(Section)];
    color = State > 0 ? g.HotFontColor.Color : g.FontColor.Color;
  }
  const TabItem item = ReadTab(Handle(), Index);
  classlib::TCustomImageList* images = Images();
  const bool image = images != nullptr && item.Image >= 0 && item.Image < images->Count();
  const int iw = image ? images->Width() : 0;
  const int ih = image ? images->Height() : 0;
  const HDC dc = canvas->TextHandle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, classlib::ColorToRGB(color));
  TRect tr = TR;
  const classlib::TTabPosition position = TabPosition();
  if (position == classlib::tpTop || position == classlib::tpBottom) {
    if (image) {
      const TSize text = acTextExtent(canvas, item.Text);
      images->Draw(canvas, (W(tr) - (text.cx + iw + 8)) / 2 + tr.Left, tr.Top + (H(tr) - ih) / 2, item.Image, true);
      tr.Left += iw;
    }
    acDrawText(dc, item.Text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return;
  }
  const bool left = position == classlib::tpLeft;
  const classlib::GdiObject<HFONT> font = TurnedFont(canvas->Font()->Handle(), left ? 900 : 2700);
  const HGDIOBJ previous = SelectObject(dc, font.get());
  // The font made for this tab goes out of the DC before it is deleted.
  const classlib::TScopeExit deselect([&] { SelectObject(dc, previous); });
  SIZE extent{};
  GetTextExtentPoint32W(dc, item.Text.c_str(), int(item.Text.size()), &extent);
  const int run = extent.cx, thickness = extent.cy;
  const bool selected = State == 2 && Index == TabIndex();
  int x = 0, y = 0;
  if (left) {
    if (image) {
      if (selected) tr.Left += 2;
      const int top = tr.Bottom - ih - (H(tr) - (ih + run + 4)) / 2;
      images->Draw(canvas, tr.Left + (W(tr) - iw) / 2, top, item.Image, true);
      x = (W(tr) - thickness) / 2 + tr.Left;
      y = top - 4;
    } else {
      x = (W(tr) - thickness) / 2 + tr.Left;
      y = tr.Bottom - (H(tr) - run) / 2;
    }
  } else {
    tr = TRect{tr.Left - 2, tr.Top - 1, tr.Right - 2, tr.Bottom - 1};
    x = (W(tr) - thickness) / 2 + tr.Left + thickness;
    if (image) {
      if (selected) tr.Left += 2;
      const int top = (H(tr) - (ih + run + 4)) / 2 + tr.Top;
      images->Draw(canvas, tr.Left + (W(tr) - iw) / 2, top, item.Image, true);
      y = top + ih + 4;
    } else {
      y = tr.Top + (H(tr) - run) / 2;
    }
  }
  ExtTextOutW(dc, x, y, 0, nullptr, item.Text.c_str(), UINT(item.Text.size()), nullptr);
}

void TsTabControl::DrawSkinTabs(const TCacheInfo& CI) {
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  const TRect t = TabsRect();
  if (CI.Ready && CI.Bmp != nullptr) {
    const int x = CI.X + Left() + t.Left;
    const int y = CI.Y + Top() + t.Top;
    const int w = std::min(W(t), CI.Bmp->Width() - x);
    const int h = std::min(H(t), CI.Bmp->Height() - y);
    if (w > 0 && h > 0)
      BitBlt(cache->Canvas()->Handle(), t.Left, t.Top, w, h, CI.Bmp->Canvas()->Handle(), x, y, SRCCOPY);
  } else {
    FillRect32(View32(cache), t, classlib::ColorToRGB(CI.FillColor));
  }
  const HDC dc = cache->Canvas()->Handle();
  const int selected = TabIndex();
  const bool hotShown = HotTrack();
  const int rows = RowCount();
  for (int row = 1; row <= rows; ++row)
    for (int i = 0; i < Tabs()->Count(); ++i)
      if (i != selected && TabRow(i) == row) DrawSkinTab(i, hotShown && i == CurItem_ ? 1 : 0, dc);
}

void TsTabControl::AcPaint(HDC DC) {
  if (Parent() == nullptr || HasState(this, classlib::csLoading) || HasState(this, classlib::csDestroying)) return;
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (sm == nullptr || FCommonData->Updating()) return;
  // The look depends on the selection, the hot tab and the arrows' scroll place: rendered anew
  // on every paint.
  FCommonData->BGChanged = true;
  std::string section = FCommonData->SkinSection();
  if (section == "PAGECONTROL") {
    static const char* const kBySide[] = {"PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT"};
    section = kBySide[TabPosition()];
  }
  const int index = sm->GetSkinIndex(section);
  if (index >= 0) FCommonData->SkinIndex = index;
  InitCacheBmp(FCommonData.get());
  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  if (Tabs()->Count() > 0) DrawSkinTabs(ci);
  const TRect page = PageRect();
  PaintItem(FCommonData.get(), ci, false, 0, page, TPoint{Left() + page.Left, Top() + page.Top}, cache, false);
  if (Tabs()->Count() > 0 && TabIndex() >= 0) DrawSkinTab(TabIndex(), 2, cache->Canvas()->Handle());
  FCommonData->BGChanged = false;
  const TRect whole{0, 0, Width(), Height()};
  CopyWinControlCache(this, FCommonData.get(), whole, whole, DC, false);
  SetParentUpdated(this);
  skin::PaintControls(DC, this, true, TPoint{0, 0});
}

void TsTabControl::RepaintTab(int Index, int State, HDC TabDC) {
  if (Index < 0 || Index >= Tabs()->Count() || !HandleAllocated() || !Skinned()) return;
  const HDC dc = TabDC != nullptr ? TabDC : GetDC(Handle());
  const int saved = SaveDC(dc);
  const classlib::TScopeExit release([&] {
    RestoreDC(dc, saved);
    if (TabDC == nullptr) ReleaseDC(Handle(), dc);
  });
  if (TabDC == nullptr) {
    const TRect own = TabRect(Index);
    IntersectClipRect(dc, own.Left, own.Top, own.Right, own.Bottom);
    if (Index != TabIndex()) {
      const TRect top = SkinTabRect(TabIndex(), true);
      ExcludeClipRect(dc, top.Left, top.Top, top.Right, top.Bottom);
    }
  }
  DrawSkinTab(Index, State, dc);
}

void TsTabControl::PrintUpDown(HDC DC) {
  if (upDown_ == nullptr || !IsWindowVisible(upDown_)) return;
  RECT r{};
  GetWindowRect(upDown_, &r);
  MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&r), 2);
  const int saved = SaveDC(DC);
  const classlib::TScopeExit restore([&] { RestoreDC(DC, saved); });
  POINT origin{};
  GetViewportOrgEx(DC, &origin);
  SetViewportOrgEx(DC, origin.x + r.left, origin.y + r.top, nullptr);
  SendMessageW(upDown_, WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}

// ---- the arrows ----

void TsTabControl::CheckUpDown() {
  if (HasState(this, classlib::csLoading) || !HandleAllocated()) {
    upDown_ = nullptr;
    return;
  }
  // Until the skinned spin handler exists the arrows keep the common control's look; only where
  // they are is remembered.
  upDown_ = FindWindowExW(Handle(), nullptr, UPDOWN_CLASSW, nullptr);
}

// ---- mouse ----

void TsTabControl::ForgetHotTab() {
  const int old = CurItem_;
  CurItem_ = -1;
  if (old >= 0 && HotTrack()) RepaintTab(old, RestState(old));
}

void TsTabControl::MouseMoved(const TMessage& M) {
  if (TsSkinManager* sm = DefaultManager(); sm != nullptr) sm->SetActiveControl(nullptr);
  if (!HotTrack() && Style() == classlib::tsTabs) return;
  const TPoint p{M.XPos(), M.YPos()};
  if (!Inside(TabsRect(), p)) {
    ForgetHotTab();
    return;
  }
  // Hover is settled here and now: no queued message runs inside this one, so a click waiting
  // behind the move sees the hot tab this move leaves.
  const int index = GetTabUnderMouse(p);
  const int hot = index == TabIndex() ? -1 : index;
  if (hot == CurItem_) return;
  ForgetHotTab();
  CurItem_ = hot;
  if (hot >= 0 && HotTrack()) RepaintTab(hot, 1);
}

// ---- window procedure ----

void TsTabControl::Redraw(UINT Flags) {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, Flags);
}

void TsTabControl::WndProc(TMessage& M) {
  if (FCommonData == nullptr) {
    classlib::TTabControl::WndProc(M);
    return;
  }
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (ControlIsReady(this) && Skinned() && SkinnedMessage(M)) return;
  const unsigned msg = M.Msg;
  const bool tabSelected = msg == classlib::CN_NOTIFY && M.LParam != 0 &&
                           reinterpret_cast<NMHDR*>(M.LParam)->code == static_cast<UINT>(TCN_SELCHANGE);
  classlib::TTabControl::WndProc(M);
  switch (msg) {
    case WM_SIZE:
    case WM_CREATE:
    case TCM_INSERTITEMW:
    case TCM_DELETEITEM:
    case TCM_DELETEALLITEMS: CheckUpDown(); break;
    default: break;
  }
  // A tab that became the selected one is no longer hot.
  if ((msg == TCM_SETCURSEL || tabSelected) && CurItem_ == TabIndex()) CurItem_ = -1;
  if (!Skinned()) return;
  if (msg == TCM_SETCURSEL || tabSelected) Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

bool TsTabControl::SkinCommand(TMessage& M) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(sm);
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      if (!own) return false;
      AlphaBroadCast(this, M);
      CommonWndProc(M, FCommonData.get());
      return true;
    case ACMD_REMOVESKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      CheckUpDown();
      Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      AlphaBroadCast(this, M);
      return true;
    case ACMD_REFRESH:
      if (own) {
        CommonWndProc(M, FCommonData.get());
        Redraw(RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        CheckUpDown();
      }
      AlphaBroadCast(this, M);
      return true;
    case ACMD_PARENTUPDATED:
      if (!Skinned() || !FCommonData->Updating()) return false;
      FCommonData->SetUpdating(false);
      Redraw(RDW_INVALIDATE | RDW_ERASE);
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_ISBUSY: M.Result = FCommonData->Updating() ? 1 : 0; return true;
    case ACMD_MOUSELEAVE: ForgetHotTab(); return true;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsTabControl::SkinnedMessage(TMessage& M) {
  const bool designing = HasState(this, classlib::csDesigning);
  switch (M.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case classlib::CM_ENTER:
    case classlib::CM_EXIT:
      if (!TabStop()) break;
      FCommonData->FFocused = M.Msg == WM_SETFOCUS || M.Msg == classlib::CM_ENTER;
      FCommonData->FMouseAbove = false;
      classlib::TTabControl::WndProc(M);
      Redraw(RDW_INVALIDATE | RDW_ERASE);
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps{};
      const HDC dc = BeginPaint(Handle(), &ps);
      const classlib::TScopeExit end([&] { EndPaint(Handle(), &ps); });
      if (dc != nullptr && !InAnimationProcess && Visible()) AcPaint(dc);
      M.Result = 0;
      return true;
    }
    case WM_ERASEBKGND: M.Result = 1; return true;
    case WM_NCPAINT: return true;
    case WM_PRINT: {
      const HDC dc = reinterpret_cast<HDC>(M.WParam);
      FCommonData->SetUpdating(false);
      CheckUpDown();
      if (dc != nullptr) {
        AcPaint(dc);
        PrintUpDown(dc);
      }
      M.Result = 0;
      return true;
    }
    case WM_MOUSEMOVE:
      if (designing) break;
      MouseMoved(M);
      classlib::TTabControl::WndProc(M);
      return true;
    case WM_MOUSELEAVE:
    case classlib::CM_MOUSELEAVE:
      if (designing) break;
      classlib::TTabControl::WndProc(M);
      ForgetHotTab();
      return true;
    case classlib::CM_MOUSEENTER:
      if (!FCommonData->FFocused && !designing) FCommonData->FMouseAbove = true;
      break;
    default: break;
  }
  return CommonWndProc(M, FCommonData.get());
}

void RegisterTabControlClasses() { classlib::RegisterClass<TsTabControl, classlib::TTabControl>(L"TsTabControl"); }

}  // namespace skin
