// The skinned page control: its properties, page selection, hot tracking, clicks by tab type and
// close buttons, and its window procedure. Painting is in sPageControlPaint.cpp.
#include "skin/controls/sPageControl.h"

#include <algorithm>
#include <memory>
#include <span>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/acAnimLink.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;
using classlib::TTabSheet;

namespace {

constexpr int kPageControlCoc = 141;

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

TPoint MousePoint(const TMessage& M) { return TPoint{M.XPos(), M.YPos()}; }

bool Inside(const TRect& r, TPoint p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

}  // namespace

TsPageControl::TsPageControl(classlib::TComponent* AOwner) : classlib::TPageControl(AOwner) {
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kPageControlCoc;
}

TsPageControl::~TsPageControl() {
  *alive_ = false;
  FCommonData.reset();
}

void TsPageControl::DeclareProperties(classlib::TClassDecl<TsPageControl>& d) {
  d.Object(L"SkinData", &TsPageControl::SkinData);
  d.Set(L"AnimatEvents", &TsPageControl::AnimatEvents, &TsPageControl::SetAnimatEvents, kDefaultAnimatEvents);
  d.Bool(L"ShowCloseBtns", &TsPageControl::ShowCloseBtns, &TsPageControl::SetShowCloseBtns, false);
  detail::SectionProperty(d, L"CloseBtnSkin", &TsPageControl::CloseBtnSkin, &TsPageControl::SetCloseBtnSkin);
  d.Bool(L"ShowFocus", &TsPageControl::ShowFocus, &TsPageControl::SetShowFocus, true);
  d.Bool(L"RotateCaptions", &TsPageControl::RotateCaptions, &TsPageControl::SetRotateCaptions, false);
  d.Bool(L"ActiveIsBold", &TsPageControl::ActiveIsBold, &TsPageControl::SetActiveIsBold, false);
  d.Integer(L"TabPadding", &TsPageControl::TabPadding, &TsPageControl::SetTabPadding, 0);
  d.Bool(L"AccessibleDisabledPages", &TsPageControl::AccessibleDisabledPages,
         &TsPageControl::SetAccessibleDisabledPages, true);
  d.Event(L"OnCloseBtnClick", &TsPageControl::OnCloseBtnClick);
  d.Event(L"OnPageChanging", &TsPageControl::OnPageChanging);
  d.Event(L"OnTabMouseEnter", &TsPageControl::OnTabMouseEnter);
  d.Event(L"OnTabMouseLeave", &TsPageControl::OnTabMouseLeave);
}

void TsPageControl::AfterConstruction() {
  classlib::TPageControl::AfterConstruction();
  FCommonData->Loaded();
}

void TsPageControl::Loaded() {
  classlib::TPageControl::Loaded();
  FCommonData->Loaded();
  if (TTabSheet* page = ActivePage()) {
    AddToAdapter(page);
    CheckUpDown();
    SetActivePage(CheckActiveTab(page->PageIndex()));
  }
}

bool TsPageControl::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(true); }

void TsPageControl::BGChanged() {
  if (FCommonData) FCommonData->BGChanged = true;
}

// ---- properties ----

void TsPageControl::SetShowCloseBtns(bool Value) {
  FShowCloseBtns = Value;
  UpdateBtnData();
  if (HandleAllocated() && !HasState(this, classlib::csLoading)) {
    Perform(WM_SIZE, 0, 0);
    if (Skinned()) {
      BGChanged();
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
  }
}

void TsPageControl::SetCloseBtnSkin(const std::string& Value) {
  if (FCloseBtnSkin == Value) return;
  FCloseBtnSkin = Value;
  UpdateBtnData();
  FCommonData->Invalidate();
}

void TsPageControl::SetShowFocus(bool Value) {
  if (FShowFocus == Value) return;
  FShowFocus = Value;
  FCommonData->Invalidate();
}

void TsPageControl::SetActiveIsBold(bool Value) {
  if (FActiveIsBold == Value) return;
  FActiveIsBold = Value;
  if (!HasState(this, classlib::csLoading) && Visible() && HandleAllocated()) {
    BGChanged();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
}

void TsPageControl::SetTabPadding(int Value) {
  if (FTabPadding == Value) return;
  FTabPadding = Value;
  if (HasState(this, classlib::csLoading)) return;
  UpdateBtnData();
  if (HandleAllocated()) Perform(WM_SIZE, 0, 0);
  FCommonData->Invalidate();
}

void TsPageControl::SetRotateCaptions(bool Value) {
  if (FRotateCaptions == Value) return;
  FRotateCaptions = Value;
  if (HasState(this, classlib::csLoading) || !HandleAllocated()) return;
  {
    const detail::TRedrawOff off(this);
    if (Value) {
      TRect first = PageCount() > 0 ? TabRect(0) : TRect{};
      if (first == TRect{}) first = TRect{0, 0, 24, 24};
      const TSize size = RotatedTabSize(TabPosition(), first);
      SetTabWidth(size.cx);
      SetTabHeight(size.cy);
    } else {
      SetTabHeight(0);
      SetTabWidth(0);
    }
    BGChanged();
  }
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TsPageControl::SetShowUpDown(bool Value) {
  if (FShowUpDown == Value) return;
  FShowUpDown = Value;
  if (Value) {
    // The common control makes its arrows again with a new window.
    if (!HasState(this, classlib::csLoading)) RecreateWnd();
    return;
  }
  if (HandleAllocated())
    if (HWND arrows = FindWindowExW(Handle(), nullptr, UPDOWN_CLASSW, nullptr)) DestroyWindow(arrows);
  upDown_ = nullptr;
}

std::string TsPageControl::SpinSection() const {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  return sm != nullptr && sm->GetSkinIndex("UPDOWNBTN") >= 0 ? "UPDOWNBTN" : "BUTTON";
}

void TsPageControl::CheckUpDown() {
  if (HasState(this, classlib::csLoading) || !HandleAllocated()) return;
  // Until the skinned spin handler exists the arrows keep the common control's look; only where
  // they are is remembered.
  upDown_ = FindWindowExW(Handle(), nullptr, UPDOWN_CLASSW, nullptr);
  if (upDown_ != nullptr && !FShowUpDown) {
    DestroyWindow(upDown_);
    upDown_ = nullptr;
  }
}

void TsPageControl::PrintUpDown(HDC DC) {
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

void TsPageControl::UpdateBtnData() {
  BtnWidth = 15;
  BtnHeight = 15;
  BtnIndex = -1;
  TsSkinManager* sm = FCommonData ? FCommonData->GetSkinManager() : nullptr;
  if (Skinned() && sm != nullptr) {
    if (!FCloseBtnSkin.empty()) {
      BtnIndex = sm->GetSkinIndex(FCloseBtnSkin);
    } else {
      const TacSkinRecords& rec = sm->Records();
      const int global = rec.ConstData.IndexGLobalInfo;
      BtnIndex = sm->GetMaskIndex(global, "GLOBALINFO", "SICONCLOSE");
      if (BtnIndex < 0) BtnIndex = sm->GetMaskIndex(global, "GLOBALINFO", "BICONCLOSE");
      if (rec.IsValidImgIndex(BtnIndex)) {
        const TsMaskData& md = rec.ma[std::size_t(BtnIndex)];
        const TSize size = CloseButtonSize(true, WidthOfImage(md), HeightOfImage(md));
        BtnWidth = size.cx;
        BtnHeight = size.cy;
      }
    }
  }
  if (updatingBtnData_) return;
  updatingBtnData_ = true;
  const classlib::TScopeExit done([this] { updatingBtnData_ = false; });
  SetPadding(FShowCloseBtns);
}

void TsPageControl::SetPadding(bool WithButtons) {
  if (!HandleAllocated()) return;
  const int horizontal = HorizontalTabPadding(WithButtons, Images() != nullptr, BtnWidth, FTabPadding);
  SendMessageW(Handle(), TCM_SETPADDING, 0, MAKELPARAM(horizontal, kVerticalTabPadding));
}

// ---- pages ----

TTabSheet* TsPageControl::PageAt(int PageIndex) const {
  return PageIndex >= 0 && PageIndex < PageCount() ? Pages(PageIndex) : nullptr;
}

TsTabSheet* TsPageControl::ActiveSheet() const { return dynamic_cast<TsTabSheet*>(ActivePage()); }

TacTabType TsPageControl::TabTypeOf(int PageIndex) const {
  auto* sheet = dynamic_cast<TsTabSheet*>(PageAt(PageIndex));
  return sheet != nullptr ? sheet->TabType() : ttTab;
}

bool TsPageControl::IsSpecialTab(int PageIndex, bool MenuOnly) const {
  TTabSheet* page = PageAt(PageIndex);
  if (page == nullptr || !page->TabVisible()) return false;
  const TacTabType type = TabTypeOf(PageIndex);
  return MenuOnly ? type == ttMenu : type != ttTab;
}

int TsPageControl::VisibleTabsCount() const {
  int n = 0;
  for (int i = 0; i < PageCount(); ++i) n += Pages(i)->TabVisible() ? 1 : 0;
  return n;
}

TTabSheet* TsPageControl::CheckActiveTab(int PageIndex) const {
  const int count = PageCount();
  auto special = std::make_unique<bool[]>(std::size_t(count));
  for (int i = 0; i < count; ++i) special[std::size_t(i)] = IsSpecialTab(i, false);
  return PageAt(CheckActiveTabIndex(std::span<const bool>(special.get(), std::size_t(count)), PageIndex));
}

void TsPageControl::SetActivePage(TTabSheet* Page) {
  if (Page == nullptr || Page->PageControl() != this) {
    classlib::TPageControl::SetActivePage(Page);
    return;
  }
  TTabSheet* chosen = CheckActiveTab(Page->PageIndex());
  classlib::TPageControl::SetActivePage(chosen);
  if (chosen != nullptr && !chosen->TabVisible() && !FCommonData->Updating()) SetParentUpdated(chosen);
}

void TsPageControl::SetActivePageIndex(int Index) {
  if (Index < 0 || Index >= PageCount() || TabTypeOf(Index) != ttTab) return;
  classlib::TPageControl::SetActivePageIndex(Index);
  if (!Pages(Index)->TabVisible()) SetParentUpdated(Pages(Index));
}

int TsPageControl::GetTabUnderMouse(TPoint P) const {
  for (int i = 0; i < PageCount(); ++i) {
    const int tab = Pages(i)->TabIndex();
    if (tab >= 0 && Inside(SkinTabRect(tab, false), P)) return i;
  }
  return -1;
}

bool TsPageControl::CanSelectPage(TTabSheet* Page) {
  if (Page == nullptr || Page->PageControl() != this || TabTypeOf(Page->PageIndex()) != ttTab) return false;
  if (!Page->Enabled() && !FAccessibleDisabledPages) return false;
  bool allow = true;
  if (OnPageChanging) OnPageChanging(this, dynamic_cast<TsTabSheet*>(Page), allow);
  return allow;
}

int TsPageControl::RestState(int PageIndex) const {
  return ActivePage() != nullptr && ActivePage()->PageIndex() == PageIndex ? 2 : 0;
}

// ---- keys ----

bool TsPageControl::ArrowKey(TMessage& M) {
  TTabSheet* active = ActivePage();
  if (active == nullptr) return false;
  const bool forward = M.Msg == classlib::CM_DIALOGKEY || M.WParam == VK_RIGHT;
  TTabSheet* next = nullptr;
  const int from = active->PageIndex();
  for (int i = from + (forward ? 1 : -1); i >= 0 && i < PageCount() && next == nullptr; i += forward ? 1 : -1)
    if (Pages(i)->TabVisible()) next = Pages(i);
  if (M.Msg == classlib::CM_DIALOGKEY) {
    if (next == nullptr || !CanSelectPage(next)) {
      M.Result = 1;
      return true;
    }
    return false;
  }
  if (next != nullptr && CanSelectPage(next)) return false;
  M.Result = 0;
  return true;
}

// ---- mouse ----

void TsPageControl::MouseMoved(TMessage& M) {
  if (TsSkinManager* sm = DefaultManager(); sm != nullptr) sm->SetActiveControl(Handle());
  const int index = GetTabUnderMouse(MousePoint(M));
  TTabSheet* page = PageAt(index);
  if (page == nullptr || !page->Enabled()) {
    FHoveredBtnIndex = -1;
    FPressedBtnIndex = -1;
    if (FCurItem >= 0) {
      const int old = FCurItem;
      FCurItem = -1;
      CloseBtnPressed = false;
      RepaintTab(old, RestState(old));
    }
    return;
  }
  // The tabs concerned are repainted here and now; no queued message runs inside this one, so the
  // hot and active indexes cannot change under the repaint.
  classlib::TPageControl::WndProc(M);
  if (FShowCloseBtns && TabTypeOf(index) == ttTab) {
    const int state = RestState(index) == 2 ? 2 : 1;
    auto* sheet = dynamic_cast<TsTabSheet*>(page);
    const TRect tab = SkinTabRect(page->TabIndex(), state == 2);
    auto probe = NewBitmap32(1, 1);
    probe->Canvas()->SetFont(Font());
    const TacTabData d =
        InitTabContentData(probe->Canvas(), page, state, TRect{0, 0, tab.Right - tab.Left, tab.Bottom - tab.Top});
    const TPoint local{M.XPos() - tab.Left, M.YPos() - tab.Top};
    if ((sheet == nullptr || sheet->UseCloseBtn()) && Inside(d.BtnRect, local)) {
      if (FHoveredBtnIndex != index) {
        const int old = FHoveredBtnIndex;
        FHoveredBtnIndex = index;
        if (old >= 0 && old != index) RepaintTab(old, RestState(old));
        RepaintTab(index, state);
      }
      FCurItem = index;
      return;
    }
    if (FHoveredBtnIndex >= 0) {
      FHoveredBtnIndex = -1;
      FPressedBtnIndex = -1;
      RepaintTab(index, state);
    }
  }
  if (index == FCurItem) return;
  const int active = ActivePage() != nullptr ? ActivePage()->PageIndex() : -1;
  if (FCurItem >= 0 && FCurItem < PageCount()) {
    const int old = FCurItem;
    if (OnTabMouseLeave) OnTabMouseLeave(this, old);
    if (old == active) {
      RepaintTab(old, 2);
    } else if (TabTypeOf(old) == ttTab) {
      FCurItem = index;
      RepaintTab(old, 0);
    } else {
      FCurItem = index == active ? -1 : index;
      const TRect r = SkinTabRect(Pages(old)->TabIndex(), false);
      RECT rc{r.Left, r.Top, r.Right, r.Bottom};
      InvalidateRect(Handle(), &rc, FALSE);
      BGChanged();
      UpdateWindow(Handle());
    }
  }
  if (OnTabMouseEnter) OnTabMouseEnter(this, index);
  FCurItem = index;
  if (index != active) RepaintTab(index, 1);
}

void TsPageControl::MouseLeft(TMessage& M) {
  FPressedBtnIndex = -1;
  CloseBtnPressed = false;
  const int old = FCurItem;
  if (old >= 0 && old < PageCount()) {
    if (OnTabMouseLeave) OnTabMouseLeave(this, old);
    if (DroppedDownItem < 0) {
      FCurItem = -1;
      FHoveredBtnIndex = -1;
      if (TabTypeOf(old) == ttTab || RestState(old) == 2) {
        RepaintTab(old, RestState(old));
      } else {
        const TRect r = SkinTabRect(Pages(old)->TabIndex(), false);
        RECT rc{r.Left, r.Top, r.Right, r.Bottom};
        BGChanged();
        InvalidateRect(Handle(), &rc, FALSE);
        UpdateWindow(Handle());
      }
    } else {
      classlib::TPageControl::WndProc(M);
    }
  } else {
    classlib::TPageControl::WndProc(M);
  }
  FPressedBtnIndex = -1;
  FHoveredBtnIndex = -1;
  FCurItem = -1;
}

void TsPageControl::MouseButton(TMessage& M) {
  if (!Enabled()) return;
  const int index = GetTabUnderMouse(MousePoint(M));
  TTabSheet* page = PageAt(index);
  if (page == nullptr) {
    classlib::TPageControl::WndProc(M);
    return;
  }
  if (!page->Enabled() && !FAccessibleDisabledPages) return;
  const bool press = M.Msg == WM_LBUTTONDOWN;
  auto* sheet = dynamic_cast<TsTabSheet*>(page);
  switch (TabTypeOf(index)) {
    case ttButton:
      if (press) {
        RepaintTab(index, 2);
      } else {
        RepaintTab(index, 1);
        if (sheet->OnClickBtn) sheet->OnClickBtn(sheet);
      }
      return;
    case ttMenu: {
      const std::shared_ptr<bool> alive = alive_;
      if (press && sheet->TabMenu() != nullptr) DropTabMenu(index);
      // The menu's item handler may have freed the control.
      if (!*alive) return;
      DroppedDownItem = -1;
      FCurItem = -1;
      RepaintTab(index, 1);
      FCommonData->SetUpdating(false);
      BGChanged();
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
      return;
    }
    case ttTab: break;
  }
  if (FShowCloseBtns && (sheet == nullptr || sheet->UseCloseBtn())) {
    const int state = RestState(index) == 2 ? 2 : 1;
    const TRect tab = SkinTabRect(page->TabIndex(), state == 2);
    auto probe = NewBitmap32(1, 1);
    probe->Canvas()->SetFont(Font());
    const TacTabData d =
        InitTabContentData(probe->Canvas(), page, state, TRect{0, 0, tab.Right - tab.Left, tab.Bottom - tab.Top});
    if (!Inside(d.BtnRect, TPoint{M.XPos() - tab.Left, M.YPos() - tab.Top})) {
      if (press && page != ActivePage() && !CanSelectPage(page)) return;
      classlib::TPageControl::WndProc(M);
      if (!press) FPressedBtnIndex = -1;
      return;
    }
    if (press) {
      FPressedBtnIndex = index;
      CloseBtnPressed = true;
      RepaintTab(index, state);
      return;
    }
    const bool close = CloseBtnPressed && FPressedBtnIndex == index;
    CloseBtnPressed = false;
    FPressedBtnIndex = -1;
    if (close)
      CloseTab(index);
    else
      RepaintTab(index, state);
    return;
  }
  if (press && page != ActivePage() && !CanSelectPage(page)) return;
  classlib::TPageControl::WndProc(M);
}

void TsPageControl::CloseTab(int PageIndex) {
  bool canClose = true;
  TacCloseAction action = acaFree;
  if (OnCloseBtnClick) OnCloseBtnClick(this, PageIndex, canClose, action);
  if (!canClose || PageIndex >= PageCount()) return;
  const int noted = ActivePageIndex();
  {
    // Redrawing comes back on however the page change ends, a raising OnChange included.
    const detail::TRedrawOff off(this);
    TTabSheet* page = Pages(PageIndex);
    if (action == acaFree)
      DeletePage(page);
    else
      page->SetTabVisible(false);
    FCurItem = -1;
    FHoveredBtnIndex = -1;
    if (noted >= 0 && PageCount() > 0) {
      SetActivePage(Pages(std::min(noted, PageCount() - 1)));
      Change();
    }
  }
  BGChanged();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

void TsPageControl::DropTabMenu(int PageIndex) {
  auto* sheet = dynamic_cast<TsTabSheet*>(Pages(PageIndex));
  classlib::TPopupMenu* menu = sheet->TabMenu();
  DroppedDownItem = PageIndex;
  RepaintTab(PageIndex, 2);
  const TRect r = SkinTabRect(sheet->TabIndex(), false);
  const bool beside = VerticalCaptions(TabPosition(), FRotateCaptions);
  POINT p = beside ? POINT{r.Right, r.Top} : POINT{r.Left, r.Bottom};
  ::ClientToScreen(Handle(), &p);
  menu->SetPopupComponent(this);
  const classlib::TScopeExit clear([menu] { menu->SetPopupComponent(nullptr); });
  menu->Popup(p.x, p.y);
}

// ---- window procedure ----

bool TsPageControl::PageChangeNotify(classlib::TMessage& M, bool Designing) {
  const UINT code = reinterpret_cast<NMHDR*>(M.LParam)->code;
  if (code != TCN_SELCHANGING && code != TCN_SELCHANGE) return false;
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const TacControlAnimLink& anim = ControlAnimLink();
  const bool animated = !Designing && sm != nullptr && sm->AnimEffects().PageChange().Active() && anim.Show != nullptr;
  if (code == TCN_SELCHANGING) {
    // The old page is kept on a cover until the new one is in place.
    if (animated) anim.Prepare(this);
    classlib::TPageControl::WndProc(M);
    if (M.Result == 1 || anim.CoverUp == nullptr || !anim.CoverUp()) {
      if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, 1, 0);
      if (anim.FreeCover != nullptr) anim.FreeCover();
      // Hot tracking starts afresh with the page that stays or comes.
      if (!Designing) Perform(WM_MOUSEMOVE, 0, 0);
    }
    return true;
  }
  if (!animated || !anim.CoverUp()) return false;
  classlib::TPageControl::WndProc(M);
  const TacFormAnimation& change = sm->AnimEffects().PageChange();
  anim.Show(this, change.Time(), 255, TacAnimType::atFading);
  if (TTabSheet* page = ActivePage(); page != nullptr && page->HandleAllocated())
    RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return true;
}

void TsPageControl::WndProc(TMessage& M) {
  if (FCommonData == nullptr) {
    classlib::TPageControl::WndProc(M);
    return;
  }
  const bool designing = HasState(this, classlib::csDesigning);
  switch (M.Msg) {
    case WM_PAINT:
      if (Skinned() && Visible()) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(Handle(), &ps);
        const classlib::TScopeExit end([&] { EndPaint(Handle(), &ps); });
        if (dc != nullptr && !InAnimationProcess) AcPaint(dc);
        M.Result = 0;
        return;
      }
      if (!Skinned() && Visible() && PaintsPlain()) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(Handle(), &ps);
        const classlib::TScopeExit end([&] { EndPaint(Handle(), &ps); });
        if (dc != nullptr) StdPaint(dc);
        M.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (!Skinned() && PaintsPlain()) {
        M.Result = 1;
        return;
      }
      break;
    case WM_PRINT:
      if (!Skinned() && M.WParam != 0 && PaintsPlain()) {
        StdPaint(reinterpret_cast<HDC>(M.WParam));
        M.Result = 0;
        return;
      }
      break;
    case WM_KEYDOWN:
      if ((M.WParam == VK_LEFT || M.WParam == VK_RIGHT) && ArrowKey(M)) return;
      break;
    case classlib::CM_DIALOGKEY:
      if (M.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && ActivePage() != nullptr && ArrowKey(M)) return;
      break;
    case WM_MOUSEMOVE:
      if (!designing) {
        MouseMoved(M);
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      if (!designing) {
        MouseButton(M);
        return;
      }
      break;
    case WM_MOUSELEAVE:
    case classlib::CM_MOUSELEAVE:
      if (!designing) {
        MouseLeft(M);
        return;
      }
      break;
    case classlib::CM_HINTSHOW: {
      auto* info = reinterpret_cast<classlib::THintInfo*>(M.LParam);
      const int index = info != nullptr ? GetTabUnderMouse(info->CursorPos) : -1;
      if (index < 0) break;
      info->HintStr = Pages(index)->Hint();
      POINT p{};
      GetCursorPos(&p);
      info->HintPos = TPoint{p.x + GetSystemMetrics(SM_CXCURSOR) / 2, p.y + GetSystemMetrics(SM_CYCURSOR) / 2};
      M.Result = 0;
      return;
    }
    case classlib::CN_NOTIFY:
      if (Skinned() && M.LParam != 0 && PageChangeNotify(M, designing)) return;
      break;
    case TCM_SETIMAGELIST:
      classlib::TPageControl::WndProc(M);
      UpdateBtnData();
      if (HandleAllocated()) Perform(WM_SIZE, 0, 0);
      CheckUpDown();
      return;
    case TCM_SETCURSEL:
      classlib::TPageControl::WndProc(M);
      if (Skinned()) {
        BGChanged();
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        if (!FCommonData->Updating()) SetParentUpdated(this);
      }
      return;
    default: break;
  }
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (ControlIsReady(this) && Skinned() && SkinnedMessage(M)) return;
  const unsigned msg = M.Msg;
  classlib::TPageControl::WndProc(M);
  switch (msg) {
    case WM_CREATE:
    case WM_STYLECHANGED:
      if (HandleAllocated() && !HasState(this, classlib::csLoading)) UpdateBtnData();
      CheckUpDown();
      break;
    case WM_SIZE:
    case WM_PARENTNOTIFY:
    case TCM_INSERTITEMW:
    case TCM_DELETEALLITEMS: CheckUpDown(); break;
    case TCM_DELETEITEM:
      if (Skinned() && !FCommonData->Updating()) BGChanged();
      CheckUpDown();
      break;
    case classlib::CM_ENABLEDCHANGED:
      if (!HasState(this, classlib::csDestroying) && !HasState(this, classlib::csLoading)) FCommonData->Invalidate();
      break;
    default: break;
  }
}

bool TsPageControl::SkinCommand(TMessage& M) {
  TsSkinManager* sm = FCommonData->GetSkinManager();
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(sm);
  const bool showing =
      HandleAllocated() && Showing() && !HasState(this, classlib::csLoading) && !HasState(this, classlib::csDestroying);
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      if (!own) return false;
      AlphaBroadCast(this, M);
      CommonWndProc(M, FCommonData.get());
      UpdateBtnData();
      if (!HasState(this, classlib::csLoading) && HandleAllocated()) Perform(WM_SIZE, 0, 0);
      return true;
    case ACMD_REMOVESKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      CheckUpDown();
      UpdateBtnData();
      AlphaBroadCast(this, M);
      if (showing) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
      return true;
    case ACMD_REFRESH:
      if (own) {
        CommonWndProc(M, FCommonData.get());
        UpdateBtnData();
        if (showing) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        CheckUpDown();
        if (upDown_ != nullptr) SendMessageW(upDown_, M.Msg, M.WParam, M.LParam);
      }
      AlphaBroadCast(this, M);
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_MOUSELEAVE: {
      TMessage leave{WM_MOUSELEAVE, 0, 0, 0};
      MouseLeft(leave);
      return true;
    }
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsPageControl::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(M.WParam)) {
        case ACMD_PARENTUPDATED:
          if (FCommonData->Updating()) {
            FCommonData->SetUpdating(false);
            RedrawWindow(Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            if (ActivePage() != nullptr) SendAMessage(ActivePage(), ACMD_PARENTUPDATED);
          }
          return CommonWndProc(M, FCommonData.get());
        case ACMD_ISBUSY: M.Result = FCommonData->Updating() ? 1 : 0; return true;
        case ACMD_SKINSTATE:
          if (M.LParam == 1 && Parent() != nullptr && Parent()->HandleAllocated()) {
            UpdateSkinState(FCommonData.get(), false);
            if (TTabSheet* page = ActivePage())
              for (int i = 0; i < page->ControlCount(); ++i) SendAMessage(page->Controls(i), ACMD_SKINSTATE, 1);
          } else {
            M.Result = FCommonData->CtrlSkinState;
          }
          return true;
        default:
          if (CommonMessage(M, FCommonData.get())) return true;
          break;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      BGChanged();
      classlib::TPageControl::WndProc(M);
      if (ActivePage() != nullptr && HandleAllocated()) RepaintTab(ActivePage()->PageIndex(), 2);
      return true;
    }
    case WM_ERASEBKGND: M.Result = 1; return true;
    case WM_PRINT: {
      CheckUpDown();
      FCommonData->SetUpdating(false);
      const HDC dc = reinterpret_cast<HDC>(M.WParam);
      if (dc != nullptr) {
        AcPaint(dc);
        PrintUpDown(dc);
      }
      M.Result = 0;
      return true;
    }
    case WM_HSCROLL:
      if (HasState(this, classlib::csLoading)) break;
      BGChanged();
      classlib::TPageControl::WndProc(M);
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      return true;
    case classlib::CM_TEXTCHANGED:
    case TCM_INSERTITEMW:
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
      if (!HasState(this, classlib::csLoading)) BGChanged();
      break;
    default: break;
  }
  return CommonWndProc(M, FCommonData.get());
}

// ---- unit routines ----

void DeletePage(TTabSheet* Page) {
  // Every page given is freed, the first one as well.
  classlib::Free(Page);
}

void RegisterPageControlClasses() {
  classlib::RegisterClass<TsTabSkinData, classlib::TPersistent>(L"TsTabSkinData");
  classlib::RegisterClass<TsTabSheet, classlib::TTabSheet>(L"TsTabSheet");
  classlib::RegisterClass<TsPageControl, classlib::TPageControl>(L"TsPageControl");
}

}  // namespace skin
