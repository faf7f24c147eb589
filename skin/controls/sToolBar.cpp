// The skinned tool bar: its cache, the custom-draw painting of the bar and its buttons, dividers,
// border strips, hot tracking of non-flat bars and its window procedure.
#include "skin/controls/sToolBar.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/Sthirdparty.h"
#include "skin/controls/sToolBarGeometry.h"
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
using classlib::TToolButton;

namespace {

constexpr int kToolBarCoc = 54;

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

int W(const TRect& r) { return r.Right - r.Left; }
int H(const TRect& r) { return r.Bottom - r.Top; }
bool Inside(const TRect& r, TPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

bool IsSeparator(const TToolButton* b) {
  return b->Style() == classlib::tbsSeparator || b->Style() == classlib::tbsDivider;
}

}  // namespace

TsToolBar::TsToolBar(classlib::TComponent* AOwner) : classlib::TToolBar(AOwner) {
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kToolBarCoc;
}

TsToolBar::~TsToolBar() {
  OnAdvancedCustomDraw = nullptr;
  OnAdvancedCustomDrawButton = nullptr;
  FCommonData.reset();
}

void TsToolBar::DeclareProperties(classlib::TClassDecl<TsToolBar>& d) {
  d.Object(L"SkinData", &TsToolBar::SkinData);
  d.Set(L"BtnDisabledKind", &TsToolBar::BtnDisabledKind, &TsToolBar::SetBtnDisabledKind, kDefaultDisabledKind);
}

void TsToolBar::AfterConstruction() {
  classlib::TToolBar::AfterConstruction();
  FCommonData->Loaded();
  UpdateEvents();
}

void TsToolBar::Loaded() {
  classlib::TToolBar::Loaded();
  FCommonData->Loaded();
  UpdateEvents();
}

bool TsToolBar::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(true); }

void TsToolBar::SetBtnDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TsToolBar::UpdateEvents() {
  if (Skinned()) {
    OnAdvancedCustomDraw = [this](classlib::TToolBar*, const TRect& r, classlib::TCustomDrawStage s, bool& d) {
      OurAdvancedCustomDraw(r, s, d);
    };
    if (!HasState(this, classlib::csDesigning))
      OnAdvancedCustomDrawButton = [this](classlib::TToolBar*, TToolButton* b, classlib::TCustomDrawState st,
                                          classlib::TCustomDrawStage s, classlib::TTBCustomDrawFlags& f,
                                          bool& d) { OurAdvancedCustomDrawButton(b, st, s, f, d); };
  } else {
    OnAdvancedCustomDraw = nullptr;
    if (!HasState(this, classlib::csDesigning)) OnAdvancedCustomDrawButton = nullptr;
  }
}

// ---- geometry ----

int TsToolBar::OffsetX() const {
  // Handle() makes a window on demand; these only read an existing one.
  const HWND wnd = HandleAllocated() ? const_cast<TsToolBar*>(this)->Handle() : nullptr;
  if (!HandleAllocated()) return 0;
  RECT w{};
  GetWindowRect(wnd, &w);
  POINT p{0, 0};
  ::ClientToScreen(wnd, &p);
  return p.x - w.left;
}

int TsToolBar::OffsetY() const {
  // Handle() makes a window on demand; these only read an existing one.
  const HWND wnd = HandleAllocated() ? const_cast<TsToolBar*>(this)->Handle() : nullptr;
  if (!HandleAllocated()) return 0;
  RECT w{};
  GetWindowRect(wnd, &w);
  POINT p{0, 0};
  ::ClientToScreen(wnd, &p);
  return p.y - w.top;
}

TRect TsToolBar::GetButtonRect(int Index) const {
  // Handle() makes a window on demand; these only read an existing one.
  const HWND wnd = HandleAllocated() ? const_cast<TsToolBar*>(this)->Handle() : nullptr;
  RECT r{};
  if (!HandleAllocated() ||
      !SendMessageW(wnd, TB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)))
    return TRect{};
  return TRect{r.left, r.top, r.right, r.bottom};
}

int TsToolBar::IndexByMouse(TPoint P) const {
  for (int i = 0; i < ButtonCount(); ++i) {
    if (!Inside(GetButtonRect(i), P)) continue;
    const classlib::TToolButtonStyle s = Buttons(i)->Style();
    return s == classlib::tbsButton || s == classlib::tbsCheck || s == classlib::tbsDropDown ? i : -1;
  }
  return -1;
}

// ---- painting ----

void TsToolBar::PrepareCache() {
  InitCacheBmp(FCommonData.get());
  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  PaintItem(FCommonData.get(), ci, true, 0, TRect{0, 0, Width(), Height()}, TPoint{Left(), Top()},
            FCommonData->CacheBmp(), true);
  FCommonData->BGChanged = false;
}

void TsToolBar::OurAdvancedCustomDraw(const TRect&, classlib::TCustomDrawStage Stage, bool& DefaultDraw) {
  if (!Skinned()) {
    DefaultDraw = true;
    return;
  }
  FCommonData->SetUpdating(FCommonData->Updating());
  if (Stage != classlib::cdPrePaint) {
    DefaultDraw = false;
    return;
  }
  relaidThisPaint_ = false;
  if (FCommonData->BGChanged) PrepareCache();
  const HDC dc = Canvas()->Handle();
  RECT client{};
  GetClientRect(Handle(), &client);
  BitBlt(dc, 0, 0, client.right, client.bottom, FCommonData->CacheBmp()->Canvas()->Handle(), OffsetX(), OffsetY(),
         SRCCOPY);
  SetParentUpdated(this);
}

void TsToolBar::OurAdvancedCustomDrawButton(TToolButton* Button, classlib::TCustomDrawState State,
                                            classlib::TCustomDrawStage Stage, classlib::TTBCustomDrawFlags& Flags,
                                            bool& DefaultDraw) {
  if (!Skinned()) {
    DefaultDraw = true;
    return;
  }
  DefaultDraw = false;
  if (Stage != classlib::cdPrePaint) return;
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const int index = Button->Index();
  if (!Flat() && !HasState(this, classlib::csDesigning)) {
    // A non-flat bar's hot button is the bar's own choice, whatever the common control tracks.
    State -= classlib::cdsHot;
    if (index == HotButtonIndex && index >= 0) State += classlib::cdsHot;
  }
  Flags += classlib::tbNoEdges;
  Flags += classlib::tbNoEtchedEffect;
  TRect r = GetButtonRect(index);
  if (W(r) != Button->Width() && !relaidThisPaint_) {
    relaidThisPaint_ = true;
    UpdateButtonBounds();
    r = GetButtonRect(index);
  }
  if (W(r) <= 0 || H(r) <= 0) return;
  auto bmp = NewBitmap32(W(r), H(r));
  classlib::TCanvas* canvas = bmp->Canvas();
  canvas->SetFont(Font());
  const int state = ToolButtonPaintState(State, Button->Marked(), Button->Indeterminate());
  const int section = sm->GetSkinIndex("TOOLBUTTON");
  const TCacheInfo behind = MakeCacheInfo(FCommonData->CacheBmp(), OffsetX(), OffsetY());
  if (section >= 0)
    PaintItem(section, "TOOLBUTTON", behind, true, state, TRect{0, 0, W(r), H(r)}, TPoint{r.Left, r.Top}, bmp.get(),
              sm);
  const int dropDown = Button->Style() == classlib::tbsDropDown ? GetSystemMetrics(SM_CXVSCROLL) - 2 : 0;
  if (ShowCaptions() || (AllowTextButtons() && Button->Style() == classlib::tbsTextButton)) {
    TToolBtnLayoutInput in;
    in.List = List();
    in.ShowCaptions = ShowCaptions();
    in.Button = TSize{W(r), H(r)};
    if (Images() != nullptr) in.Image = TSize{Images()->Width(), Images()->Height()};
    in.TextHeight = canvas->TextHeight(L"A");
    const std::wstring caption = Button->Caption();
    TRect text = ToolBtnCaptionRect(in, Images() != nullptr, Images() != nullptr && Button->ImageIndex() >= 0,
                                    canvas->TextWidth(caption), dropDown, state);
    const int fontIndex = GetFontIndex(this, section, sm, state);
    TColor colour = Font()->Color();
    if (sm->IsValidSkinIndex(fontIndex)) {
      const TsGeneralData& g = sm->Records().gd[std::size_t(fontIndex)];
      colour = state > 0 ? g.HotFontColor.Color : g.FontColor.Color;
    }
    const HDC dc = canvas->TextHandle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, classlib::ColorToRGB(colour));
    acDrawText(dc, caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (Images() != nullptr && Button->ImageIndex() >= 0 && Button->ImageIndex() < Images()->Count())
    CopyToolBtnGlyph(this, Button, State, Stage, Flags, bmp.get());
  if (dropDown > 0) PaintDropDownArrow(bmp.get(), Button, State, dropDown);
  if ((!Button->Enabled() || Button->Indeterminate()) && DisabledImages() == nullptr) {
    const TColor parentColour = classlib::ColorToRGB(Color());
    BmpDisabledKind(View32(bmp.get()), FDisabledKind.Contains(TsDisabledKindValue::dkGrayed),
                    FDisabledKind.Contains(TsDisabledKindValue::dkBlended), CacheInfo32(behind), TPoint{r.Left, r.Top},
                    parentColour);
  }
  BitBlt(Canvas()->Handle(), r.Left, r.Top, W(r), H(r), canvas->Handle(), 0, 0, SRCCOPY);
}

void TsToolBar::PaintDropDownArrow(classlib::TBitmap* Bmp, TToolButton* Button, classlib::TCustomDrawState State,
                                   int DropDownWidth) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const TacSkinRecords& rec = sm->Records();
  const int arrow = rec.ConstData.MaskArrowBottom;
  if (!rec.IsValidImgIndex(arrow)) return;
  const bool open = Button == FDroppedButton && Button->DropdownMenu() != nullptr;
  const int state = open || Button->Down() ? 2 : State.Contains(classlib::cdsHot) ? 1 : 0;
  const int section = sm->GetSkinIndex("TOOLBUTTON");
  const int border = section >= 0 ? sm->GetMaskIndex(section, "TOOLBUTTON", "BORDERSMASK") : -1;
  const TRect part{Bmp->Width() - DropDownWidth, 0, Bmp->Width(), Bmp->Height()};
  if (rec.IsValidImgIndex(border))
    DrawSkinRect(Bmp, part, true, MakeCacheInfo(Bmp), rec.ma[std::size_t(border)], state, true);
  const TsMaskData& md = rec.ma[std::size_t(arrow)];
  const int cellWidth = WidthOfImage(md);
  const int cellHeight = HeightOfImage(md);
  const TPoint at{(DropDownWidth - (cellWidth + 3)) / 2 + (Bmp->Width() - DropDownWidth) + 2,
                  (Bmp->Height() - cellHeight) / 2};
  DrawSkinGlyph(Bmp, at, state, 1, md, MakeCacheInfo(Bmp));
}

void TsToolBar::PaintDividers(HDC DC, bool Printing) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const int section = sm != nullptr ? sm->GetSkinIndex("DIVIDER") : -1;
  if (section < 0) return;
  const int border = sm->GetMaskIndex(section, "DIVIDER", "BORDERSMASK");
  if (!sm->IsValidImgIndex(border)) return;
  if (FCommonData->BGChanged) PrepareCache();
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  for (int i = 0; i < ButtonCount(); ++i) {
    TToolButton* b = Buttons(i);
    if (!IsSeparator(b) || !b->Visible() || b->Wrap()) continue;
    const TRect r = GetButtonRect(i);
    if (W(r) <= 0 || H(r) <= 0) continue;
    auto bmp = NewBitmap32(W(r), H(r));
    BitBlt(bmp->Canvas()->Handle(), 0, 0, W(r), H(r), cache->Canvas()->Handle(), r.Left + OffsetX(), r.Top + OffsetY(),
           SRCCOPY);
    if (Flat() || b->Style() == classlib::tbsDivider) {
      const TRect line{W(r) / 2 - 2, 2, W(r) / 2 + 2, H(r) - 2};
      PaintItem(section, "DIVIDER", MakeCacheInfo(bmp.get()), true, 0, line, TPoint{line.Left, line.Top}, bmp.get(),
                sm);
    }
    BitBlt(DC, r.Left, r.Top, W(r), H(r), bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  (void)Printing;
}

void TsToolBar::PaintBorderStrips(HDC DC) {
  const int ox = OffsetX(), oy = OffsetY();
  RECT client{};
  GetClientRect(Handle(), &client);
  const int cw = client.right, ch = client.bottom;
  const HDC cache = FCommonData->CacheBmp()->Canvas()->Handle();
  auto strip = [&](int x, int y, int w, int h) {
    if (w > 0 && h > 0) BitBlt(DC, x, y, w, h, cache, x, y, SRCCOPY);
  };
  strip(0, 0, Width(), oy);
  strip(0, oy, ox, ch);
  strip(0, oy + ch, Width(), Height() - ch - oy);
  strip(ox + cw, oy, Width() - ox - cw, ch);
}

void TsToolBar::RepaintButton(int Index) {
  if (Index < 0 || Index >= ButtonCount() || !HandleAllocated() || !Buttons(Index)->Visible()) return;
  TToolButton* button = Buttons(Index);
  const HDC dc = GetDC(Handle());
  const int saved = SaveDC(dc);
  Canvas()->SetHandle(dc);
  const classlib::TScopeExit release([&] {
    Canvas()->SetHandle(nullptr);
    RestoreDC(dc, saved);
    ReleaseDC(Handle(), dc);
  });
  relaidThisPaint_ = false;
  if (FCommonData->BGChanged) PrepareCache();
  classlib::TCustomDrawState state;
  if (button->Down()) state += classlib::cdsChecked;
  if (!button->Enabled()) state += classlib::cdsDisabled;
  classlib::TTBCustomDrawFlags flags{classlib::tbNoEdges, classlib::tbNoEtchedEffect};
  bool defaultDraw = false;
  OurAdvancedCustomDrawButton(button, state, classlib::cdPrePaint, flags, defaultDraw);
}

// ---- hot tracking ----

void TsToolBar::SetHotButton(int Index) {
  if (Index == HotButtonIndex) return;
  const int old = HotButtonIndex;
  HotButtonIndex = Index;
  if (old >= 0 && old < ButtonCount() && !Buttons(old)->Down()) RepaintButton(old);
  if (Index >= 0 && !Buttons(Index)->Down()) RepaintButton(Index);
}

void TsToolBar::MouseMoved(const TMessage& M) {
  int index = IndexByMouse(TPoint{M.XPos(), M.YPos()});
  if (index >= 0 && !Buttons(index)->Enabled()) index = -1;
  SetHotButton(index);
}

// ---- window procedure ----

void TsToolBar::WndProc(TMessage& M) {
  if (FCommonData == nullptr) {
    classlib::TToolBar::WndProc(M);
    return;
  }
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (!ControlIsReady(this) || !Skinned()) {
    classlib::TToolBar::WndProc(M);
    return;
  }
  if (SkinnedMessage(M)) return;
  if (CommonWndProc(M, FCommonData.get())) return;
  const unsigned msg = M.Msg;
  classlib::TToolBar::WndProc(M);
  const bool nonFlat = !Flat() && !HasState(this, classlib::csDesigning);
  switch (msg) {
    case WM_SIZE:
    case classlib::CM_VISIBLECHANGED:
    case classlib::CM_ENABLEDCHANGED:
      FCommonData->BGChanged = true;
      if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case WM_PAINT:
      if (!InAnimationProcess && HandleAllocated()) {
        const HDC dc = GetDC(Handle());
        PaintDividers(dc, false);
        ReleaseDC(Handle(), dc);
      }
      break;
    case WM_MOUSEMOVE:
      if (nonFlat) MouseMoved(M);
      break;
    case classlib::CN_DROPDOWNCLOSED:
      if (TToolButton* dropped = FDroppedButton) {
        HotButtonIndex = -1;
        FDroppedButton = nullptr;
        // The menu's item handler may have freed the button: only one still on the bar repaints.
        for (int i = 0; i < ButtonCount(); ++i)
          if (Buttons(i) == dropped) RepaintButton(i);
      }
      break;
    default: break;
  }
}

bool TsToolBar::SkinCommand(TMessage& M) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (M.LParam == 0 || M.LParam != reinterpret_cast<LPARAM>(sm)) {
    switch (CommandOf(M.WParam)) {
      case ACMD_ISSKINNED: M.Result = 1; return true;
      case ACMD_GETAPPLICATION:
        M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
        return true;
      default: return false;
    }
  }
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      AlphaBroadCast(this, M);
      CommonWndProc(M, FCommonData.get());
      UpdateEvents();
      return true;
    case ACMD_REMOVESKIN:
    case ACMD_REFRESH:
      FDroppedButton = nullptr;
      CommonWndProc(M, FCommonData.get());
      AlphaBroadCast(this, M);
      UpdateEvents();
      if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      return true;
    case ACMD_PARENTUPDATED:
      if (!FCommonData->Updating()) return true;
      FCommonData->SetUpdating(false);
      FCommonData->BGChanged = true;
      if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsToolBar::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_MOUSELEAVE:
    case classlib::CM_MOUSELEAVE:
      if (!Flat() && !HasState(this, classlib::csDesigning)) SetHotButton(-1);
      return false;
    case WM_PAINT:
      if (InAnimationProcess && M.WParam == 0) {
        ValidateRect(Handle(), nullptr);
        return true;
      }
      return false;
    case WM_ERASEBKGND:
      if (HasState(this, classlib::csDesigning)) return false;
      FCommonData->SetUpdating(FCommonData->Updating());
      M.Result = 1;
      return true;
    case WM_NCPAINT: {
      FCommonData->SetUpdating(FCommonData->Updating());
      if (HasState(this, classlib::csDestroying) || FCommonData->Updating()) return true;
      if (FCommonData->BGChanged) PrepareCache();
      const HDC dc = GetWindowDC(Handle());
      PaintBorderStrips(dc);
      ReleaseDC(Handle(), dc);
      M.Result = 0;
      return true;
    }
    case WM_PRINT: {
      const HDC dc = reinterpret_cast<HDC>(M.WParam);
      if (dc == nullptr) return true;
      FCommonData->SetUpdating(false);
      if (FCommonData->BGChanged) PrepareCache();
      const classlib::SavedDC saved(dc);
      PaintBorderStrips(dc);
      POINT origin{};
      GetViewportOrgEx(dc, &origin);
      SetViewportOrgEx(dc, origin.x + OffsetX(), origin.y + OffsetY(), nullptr);
      RECT client{};
      GetClientRect(Handle(), &client);
      IntersectClipRect(dc, 0, 0, client.right, client.bottom);
      FCommonData->PrintDC = dc;
      const classlib::TScopeExit printed([this] { FCommonData->PrintDC = nullptr; });
      Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
      PaintDividers(dc, true);
      M.Result = 0;
      return true;
    }
    case classlib::CM_COLORCHANGED: return true;
    case classlib::CM_TEXTCHANGED:
      if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
      return true;
    case classlib::CN_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(M.LParam);
      if (header->code == static_cast<UINT>(TBN_DELETINGBUTTON) && HotButtonIndex >= ButtonCount()) HotButtonIndex = -1;
      if (header->code == static_cast<UINT>(TBN_DROPDOWN)) {
        const int id = reinterpret_cast<const NMTOOLBARW*>(M.LParam)->iItem;
        for (int i = 0; i < ButtonCount(); ++i)
          if (Buttons(i)->CommandId() == id) {
            FDroppedButton = Buttons(i);
            RepaintButton(i);
          }
      }
      return false;
    }
    default: return false;
  }
}

void RegisterToolBarClasses() { classlib::RegisterClass<TsToolBar, classlib::TToolBar>(L"TsToolBar"); }

}  // namespace skin
