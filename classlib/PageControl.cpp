// The page control of the common controls and its tab sheets.
#include "classlib/ComCtrls.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"

namespace classlib {

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FVisible = false;
  FColor = clBtnFace;
  FBrush.SetColor(FColor);
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::DeclareProperties(TClassDecl<TTabSheet>& d) {
  d.Bool(L"Visible", &TTabSheet::Visible, &TTabSheet::SetVisible, false);
  d.Bool(L"TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible, true);
  d.Integer(L"ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex, -1);
  d.Integer(L"PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).NoDefault();
  d.Color(L"Color", &TTabSheet::Color, &TTabSheet::SetColor, clBtnFace);
  d.Event(L"OnShow", &TTabSheet::OnShow);
  d.Event(L"OnHide", &TTabSheet::OnHide);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (FPageControl == Value) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(Value);
  if (Value) Value->InsertPage(this);
}

void TTabSheet::SetParentComponent(TComponent* Value) {
  if (auto* pc = dynamic_cast<TPageControl*>(Value))
    SetPageControl(pc);
  else
    TWinControl::SetParentComponent(Value);
}

TComponent* TTabSheet::GetParentComponent() const {
  return FPageControl ? static_cast<TComponent*>(FPageControl) : TWinControl::GetParentComponent();
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  auto it = std::find(pages.begin(), pages.end(), this);
  return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (!FPageControl) return;
  auto& pages = FPageControl->FPages;
  int current = PageIndex();
  if (current < 0) return;
  Value = std::clamp(Value, 0, static_cast<int>(pages.size()) - 1);
  if (Value == current) return;
  pages.erase(pages.begin() + current);
  pages.insert(pages.begin() + Value, this);
  FPageControl->UpdateTabs();
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  if (!FPageControl) return;
  if (!Value && FPageControl->FActivePage == this) {
    // The page whose tab goes away gives way to its next (else previous) neighbour with a tab.
    TTabSheet* next = nullptr;
    auto& pages = FPageControl->FPages;
    int index = PageIndex();
    for (int i = index + 1; i < static_cast<int>(pages.size()) && !next; ++i)
      if (pages[static_cast<std::size_t>(i)]->FTabVisible) next = pages[static_cast<std::size_t>(i)];
    for (int i = index - 1; i >= 0 && !next; --i)
      if (pages[static_cast<std::size_t>(i)]->FTabVisible) next = pages[static_cast<std::size_t>(i)];
    FPageControl->SetActivePage(next);
  }
  FPageControl->UpdateTabs();
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (TTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  if (FPageControl) {
    TRect r = FPageControl->DisplayRect();
    Params.X = r.Left;
    Params.Y = r.Top;
    Params.Width = r.Right - r.Left;
    Params.Height = r.Bottom - r.Top;
  }
}

void TTabSheet::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
      if (FPageControl) FPageControl->UpdateTabs();
      break;
    case CM_SHOWINGCHANGED:
      TWinControl::Dispatch(M);
      if (FShowing) {
        if (OnShow) OnShow(this);
      } else if (OnHide) {
        OnHide(this);
      }
      return;
    default: break;
  }
  TWinControl::Dispatch(M);
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* AOwner)
    : TWinControl(AOwner), FImageLink(std::make_unique<TChangeLink>()), FCanvas(std::make_unique<TCanvas>()) {
  FImageLink->OnChange = [this](TObject*) { SetImagesHandle(FImageList ? FImageList->Handle() : nullptr); };
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
  FColor = clBtnFace;
  FBrush.SetColor(FColor);
}

TPageControl::~TPageControl() {
  if (FImageList) FImageList->UnRegisterChanges(FImageLink.get());
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

void TPageControl::DeclareProperties(TClassDecl<TPageControl>& d) {
  d.Component<TTabSheet>(L"ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  d.Component<TCustomImageList>(L"Images", &TPageControl::Images, &TPageControl::SetImages);
  d.Bool(L"MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine, false);
  d.Enum(L"Style", &TPageControl::Style, &TPageControl::SetStyle, tsTabs);
  d.Bool(L"HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack, false);
  d.Enum(L"TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition, tpTop);
  d.Bool(L"TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop, true);
  d.Color(L"Color", &TPageControl::Color, &TPageControl::SetColor, clBtnFace);
  d.Bool(L"OwnerDraw", &TPageControl::OwnerDraw, &TPageControl::SetOwnerDraw, false);
  d.Integer(L"TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight, 0);
  d.Integer(L"TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth, 0);
  d.Event(L"OnChange", &TPageControl::OnChange);
  d.Event(L"OnChanging", &TPageControl::OnChanging);
  d.Event(L"OnDrawTab", &TPageControl::OnDrawTab);
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount())
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
  return FPages[static_cast<std::size_t>(Index)];
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  if (!FActivePage && Page->FTabVisible && !ComponentState().Contains(csLoading)) SetActivePage(Page);
  UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  if (FActivePage == Page) {
    TTabSheet* next = FindNextPage(Page, true, true);
    FActivePage = nullptr;
    if (next != Page && !ComponentState().Contains(csDestroying)) SetActivePage(next);
  }
  FPages.erase(std::find(FPages.begin(), FPages.end(), Page));
  Page->FPageControl = nullptr;
  if (!ComponentState().Contains(csDestroying)) UpdateTabs();
}

TTabSheet* TPageControl::PageOfTab(int TabIndex) const {
  if (TabIndex < 0) return nullptr;
  for (TTabSheet* page : FPages)
    if (page->FTabVisible && TabIndex-- == 0) return page;
  return nullptr;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
  if (FPages.empty()) return nullptr;
  const int count = PageCount();
  int start = -1;
  for (int i = 0; i < count; ++i)
    if (FPages[static_cast<std::size_t>(i)] == CurPage) start = i;
  if (start < 0) start = GoForward ? count - 1 : 0;
  int i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TTabSheet* page = FPages[static_cast<std::size_t>(i)];
    if (!CheckTabVisible || page->FTabVisible) return page;
  } while (i != start);
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
  TTabSheet* page = FindNextPage(FActivePage, GoForward, true);
  if (page && page != FActivePage && CanChange()) {
    SetActivePage(page);
    Change();
  }
}

void TPageControl::ShowOnly(TTabSheet* Page) {
  if (Page) {
    Page->SetBoundsRect(DisplayRect());
    Page->SetVisible(true);
    Page->BringToFront();
  }
  for (TTabSheet* other : FPages)
    if (other != Page) other->SetVisible(false);
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->FPageControl != this) return;
  if (FActivePage == Page) {
    if (FHandle) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(Page ? Page->TabIndex() : -1), 0);
    return;
  }
  // Focus on the page that goes away would be left on a hidden control.
  TCustomForm* form = GetParentForm(this);
  const bool hadFocus =
      form && FActivePage && form->ActiveControl() && FActivePage->ContainsControl(form->ActiveControl());
  FActivePage = Page;
  ShowOnly(Page);
  if (FHandle) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(Page ? Page->TabIndex() : -1), 0);
  if (hadFocus && form) {
    if (Page) Page->SelectNext(nullptr, true, true);
    if (!Page || !form->ActiveControl() || !Page->ContainsControl(form->ActiveControl())) form->FocusControl(this);
  }
}

int TPageControl::ActivePageIndex() const {
  if (!FActivePage) return -1;
  return FActivePage->PageIndex();
}

void TPageControl::SetActivePageIndex(int Index) {
  if (Index < 0 || Index >= PageCount()) return;
  TTabSheet* page = FPages[static_cast<std::size_t>(Index)];
  if (!page->FTabVisible) return;
  SetActivePage(page);
}

void TPageControl::SetMultiLine(bool Value) {
  if (FMultiLine == Value) return;
  FMultiLine = Value;
  RecreateWnd();
}

void TPageControl::SetStyle(TTabStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

void TPageControl::SetHotTrack(bool Value) {
  if (FHotTrack == Value) return;
  FHotTrack = Value;
  RecreateWnd();
}

void TPageControl::SetTabPosition(TTabPosition Value) {
  if (FTabPosition == Value) return;
  FTabPosition = Value;
  RecreateWnd();
}

void TPageControl::SetOwnerDraw(bool Value) {
  if (FOwnerDraw == Value) return;
  FOwnerDraw = Value;
  RecreateWnd();
}

void TPageControl::SetTabHeight(int Value) {
  if (Value < 0 || FTabHeight == Value) return;
  FTabHeight = Value;
  ApplyTabSize();
}

void TPageControl::SetTabWidth(int Value) {
  if (Value < 0 || FTabWidth == Value) return;
  const bool styleChanges = (FTabWidth == 0) != (Value == 0);
  FTabWidth = Value;
  if (styleChanges)
    RecreateWnd();
  else
    ApplyTabSize();
}

void TPageControl::ApplyTabSize() {
  if (!FHandle) return;
  SendMessageW(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
  Realign();
}

TRect TPageControl::TabRect(int TabIndex) const {
  RECT r{};
  if (!FHandle || TabIndex < 0 ||
      !SendMessageW(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(TabIndex), reinterpret_cast<LPARAM>(&r)))
    return {};
  return {r.left, r.top, r.right, r.bottom};
}

int TPageControl::IndexOfTabAt(int X, int Y) const {
  if (!FHandle) return -1;
  TCHITTESTINFO hit{};
  hit.pt = POINT{X, Y};
  return static_cast<int>(SendMessageW(FHandle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TPageControl::SetImagesHandle(HIMAGELIST Value) {
  FImages = Value;
  if (FHandle) {
    SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Value));
    Realign();
  }
}

TRect TPageControl::DisplayRect() const {
  if (!FHandle) {
    TRect r = ClientRect();
    return {r.Left + 4, r.Top + 24, std::max(r.Left + 4, r.Right - 4), std::max(r.Top + 24, r.Bottom - 4)};
  }
  RECT r{};
  GetClientRect(FHandle, &r);
  SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return {r.left, r.top, r.right, r.bottom};
}

TRect TPageControl::AdjustClientRect() const { return DisplayRect(); }

void TPageControl::AlignControls(TControl* AControl) {
  TWinControl::AlignControls(AControl);
  if (ComponentState().Contains(csLoading)) return;
  TRect r = DisplayRect();
  for (TTabSheet* page : FPages) page->SetBoundsRect(r);
}

void TPageControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TABCONTROLW);
  Params.Style |= WS_CLIPCHILDREN | TCS_FOCUSONBUTTONDOWN;
  if (FMultiLine) Params.Style |= TCS_MULTILINE;
  if (FStyle == tsButtons) Params.Style |= TCS_BUTTONS;
  if (FStyle == tsFlatButtons) Params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
  if (FHotTrack) Params.Style |= TCS_HOTTRACK;
  if (FOwnerDraw) Params.Style |= TCS_OWNERDRAWFIXED;
  if (FTabWidth > 0) Params.Style |= TCS_FIXEDWIDTH;
  switch (FTabPosition) {
    case tpTop: break;
    case tpBottom: Params.Style |= TCS_BOTTOM; break;
    case tpLeft: Params.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case tpRight: Params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
  }
}

void TPageControl::InitializeWindow() {
  if (FImages) SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages));
  if (FTabWidth > 0 || FTabHeight > 0) SendMessageW(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!FHandle) return;
  SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (TTabSheet* page : FPages) {
    if (!page->FTabVisible) continue;
    std::wstring caption = page->Caption();
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = caption.data();
    item.iImage = page->FImageIndex;
    item.lParam = reinterpret_cast<LPARAM>(page);
    SendMessageW(FHandle, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FActivePage ? FActivePage->TabIndex() : -1), 0);
  // The rows of a multi-line control change with the tabs: the sheets follow.
  Realign();
}

void TPageControl::Loaded() {
  TWinControl::Loaded();
  if (!FActivePage)
    for (TTabSheet* page : FPages)
      if (page->FTabVisible) {
        FActivePage = page;
        break;
      }
  ShowOnly(FActivePage);
  UpdateTabs();
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FImageList) == AComponent) {
    FImageList = nullptr;
    SetImagesHandle(nullptr);
  }
}

void TPageControl::SetImages(TCustomImageList* Value) {
  if (FImageList == Value) return;
  if (FImageList) FImageList->UnRegisterChanges(FImageLink.get());
  FImageList = Value;
  if (Value) {
    Value->RegisterChanges(FImageLink.get());
    Value->FreeNotification(this);
  }
  SetImagesHandle(Value ? Value->Handle() : nullptr);
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  Changed();
  if (!ComponentState().Contains(csLoading) && OnChange) OnChange(this);
}

void TPageControl::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_DRAWITEM: {
      const auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      const int tab = static_cast<int>(dis->itemID);
      if (OnDrawTab && tab >= 0) {
        const int saved = SaveDC(dis->hDC);
        FCanvas->SetHandle(dis->hDC);
        FCanvas->SetFont(Font());
        FCanvas->SetBrush(Brush());
        TScopeExit restore([&] {
          FCanvas->SetHandle(nullptr);
          RestoreDC(dis->hDC, saved);
        });
        OnDrawTab(this, tab, TRect{dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom},
                  (dis->itemState & ODS_SELECTED) != 0);
      }
      M.Result = TRUE;
      return;
    }
    case CM_HINTSHOW: {
      // A tab shows its page's hint; elsewhere the control's own.
      auto* info = reinterpret_cast<THintInfo*>(M.LParam);
      if (info) {
        TTabSheet* page = PageOfTab(IndexOfTabAt(info->CursorPos.X, info->CursorPos.Y));
        if (page && !page->Hint().empty()) info->HintStr = page->Hint();
      }
      M.Result = 0;
      return;
    }
    case CN_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(M.LParam);
      switch (header->code) {
        case TCN_SELCHANGING: M.Result = CanChange() ? FALSE : TRUE; return;
        case TCN_SELCHANGE: {
          int tab = static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
          SetActivePage(PageOfTab(tab));
          Change();
          M.Result = 0;
          return;
        }
        default: break;
      }
      break;
    }
    case CM_DIALOGKEY:
      if (M.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && Focused()) {
        SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
        M.Result = 1;
        return;
      }
      break;
    default: break;
  }
  TWinControl::Dispatch(M);
}

}  // namespace classlib
