#include "classlib/ComCtrls.h"

#include <algorithm>

#include "classlib/Forms.h"

namespace classlib {

template <>
const TEnumInfo& EnumInfo<TTabStyle>() {
  static const TEnumInfo i{L"TTabStyle", {L"tsTabs", L"tsButtons", L"tsFlatButtons"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TTabPosition>() {
  static const TEnumInfo i{L"TTabPosition", {L"tpTop", L"tpBottom", L"tpLeft", L"tpRight"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TStatusPanelStyle>() {
  static const TEnumInfo i{L"TStatusPanelStyle", {L"psText", L"psOwnerDraw"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TStatusPanelBevel>() {
  static const TEnumInfo i{L"TStatusPanelBevel", {L"pbNone", L"pbLowered", L"pbRaised"}};
  return i;
}
template <>
const TEnumInfo& EnumInfo<TViewStyle>() {
  static const TEnumInfo i{L"TViewStyle", {L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"}};
  return i;
}

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
  if (auto* pc = dynamic_cast<TPageControl*>(Value)) SetPageControl(pc);
  else TWinControl::SetParentComponent(Value);
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

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner), FImageLink(std::make_unique<TChangeLink>()) {
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
  d.Event(L"OnChange", &TPageControl::OnChange);
  d.Event(L"OnChanging", &TPageControl::OnChanging);
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
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
  const bool hadFocus = form && FActivePage && form->ActiveControl() && FActivePage->ContainsControl(form->ActiveControl());
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
  switch (FTabPosition) {
    case tpTop: break;
    case tpBottom: Params.Style |= TCS_BOTTOM; break;
    case tpLeft: Params.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case tpRight: Params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
  }
}

void TPageControl::InitializeWindow() {
  if (FImages) SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages));
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

// ---- status bar ----

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

void TStatusPanel::DeclareProperties(TClassDecl<TStatusPanel>& d) {
  d.String(L"Text", &TStatusPanel::Text, &TStatusPanel::SetText);
  d.Integer(L"Width", &TStatusPanel::Width, &TStatusPanel::SetWidth, 50);
  d.Enum(L"Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, taLeftJustify);
  d.Enum(L"Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel, pbLowered);
  d.Enum(L"Style", &TStatusPanel::Style, &TStatusPanel::SetStyle, psText);
}

void TStatusPanel::SetText(const std::wstring& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed(false);
}
void TStatusPanel::SetWidth(int Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Changed(true);
}
void TStatusPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed(false);
}
void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (FBevel == Value) return;
  FBevel = Value;
  Changed(false);
}
void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed(false);
}

TStatusPanels::TStatusPanels(TStatusBar* Owner) : TCollectionOf<TStatusPanel>(Owner), FStatusBar(Owner) {}

void TStatusPanels::Update(TCollectionItem* Item) {
  FStatusBar->UpdatePanels(Item ? Item->Index() : -1);
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)) {
  ControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque, csAcceptsControls};
  FAlign = alBottom;
  FWidth = 150;
  FHeight = 19;
  FColor = clBtnFace;
  FBrush.SetColor(FColor);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::DeclareProperties(TClassDecl<TStatusBar>& d) {
  d.Collection(L"Panels", &TStatusBar::Panels);
  d.Bool(L"SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel, false);
  d.String(L"SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
  d.Bool(L"SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip, true);
  d.Enum(L"Align", &TStatusBar::Align, &TStatusBar::SetAlign, alBottom);
  d.Color(L"Color", &TStatusBar::Color, &TStatusBar::SetColor, clBtnFace);
  d.Event(L"OnDrawPanel", &TStatusBar::OnDrawPanel);
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (FSimplePanel == Value) return;
  FSimplePanel = Value;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::wstring& Value) {
  FSimpleText = Value;
  if (FSimplePanel) UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  RecreateWnd();
}

void TStatusBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, STATUSCLASSNAMEW);
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  // A grip only makes sense where the window can be sized.
  if (FSizeGrip)
    if (auto* form = dynamic_cast<TCustomForm*>(Parent()))
      if (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin) Params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::InitializeWindow() { UpdatePanels(); }

void TStatusBar::UpdatePanels(int Index) {
  if (!FHandle) return;
  SendMessageW(FHandle, SB_SIMPLE, FSimplePanel, 0);
  if (FSimplePanel) {
    SendMessageW(FHandle, SB_SETTEXTW, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
    return;
  }
  const int count = FPanels->Count();
  if (Index < 0 || Index >= count) {
    std::vector<int> edges;
    int edge = 0;
    for (int i = 0; i < count; ++i) {
      edge += FPanels->Items(i)->Width();
      edges.push_back(edge);
    }
    if (edges.empty()) edges.push_back(-1);
    else edges.back() = -1;
    SendMessageW(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  }
  for (int i = 0; i < count; ++i) {
    if (Index >= 0 && Index < count && i != Index) continue;
    TStatusPanel* panel = FPanels->Items(i);
    WPARAM flags = static_cast<WPARAM>(i);
    if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
    if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
    if (panel->Style() == psOwnerDraw) {
      SendMessageW(FHandle, SB_SETTEXTW, flags | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(panel));
      continue;
    }
    // A tab before the text centres it, two tabs put it on the right.
    std::wstring text = panel->Alignment() == taCenter         ? L"\t" + panel->Text()
                        : panel->Alignment() == taRightJustify ? L"\t\t" + panel->Text()
                                                               : panel->Text();
    SendMessageW(FHandle, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
  }
  if (count == 0) SendMessageW(FHandle, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
}

TRect TStatusBar::PanelRect(int Index) const {
  if (!FHandle) return {};
  RECT r{};
  SendMessageW(FHandle, SB_GETRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top, r.right, r.bottom};
}

void TStatusBar::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      int index = static_cast<int>(dis->itemID);
      if (OnDrawPanel && index >= 0 && index < FPanels->Count())
        OnDrawPanel(this, FPanels->Items(index),
                    TRect{dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom});
      M.Result = TRUE;
      return;
    }
    case WM_CONTEXTMENU: FContextMenuSeen = true; break;
    case WM_RBUTTONUP: {
      // Some status bars answer the release with NM_RCLICK only; the pop-up menu comes either way.
      FContextMenuSeen = false;
      TWinControl::Dispatch(M);
      if (!FContextMenuSeen && FHandle) {
        POINT p{M.XPos(), M.YPos()};
        ::ClientToScreen(FHandle, &p);
        Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FHandle), MAKELPARAM(p.x, p.y));
      }
      return;
    }
    default: break;
  }
  TWinControl::Dispatch(M);
}

// ---- list view ----

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}

void TListColumn::DeclareProperties(TClassDecl<TListColumn>& d) {
  d.String(L"Caption", &TListColumn::Caption, &TListColumn::SetCaption);
  d.Integer(L"Width", &TListColumn::Width, &TListColumn::SetWidth, 50);
  d.Enum(L"Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment, taLeftJustify);
}

void TListColumn::SetCaption(const std::wstring& Value) {
  FCaption = Value;
  Changed(false);
}

int TListColumn::Width() const {
  auto* columns = static_cast<TListColumns*>(Collection());
  TListView* view = columns ? static_cast<TListView*>(columns->Owner()) : nullptr;
  if (view && view->HandleAllocated() && Index() >= 0)
    return static_cast<int>(SendMessageW(view->Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(Index()), 0));
  return FWidth;
}

void TListColumn::SetWidth(int Value) {
  FWidth = Value;
  Changed(false);
}

void TListColumn::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Changed(false);
}

TListColumns::TListColumns(TListView* Owner) : TCollectionOf<TListColumn>(Owner), FListView(Owner) {}

void TListColumns::Update(TCollectionItem*) { FListView->UploadColumns(); }

TListItem::TListItem(TCollection* Collection)
    : TCollectionItem(Collection), FSubItems(std::make_unique<TStringList>()) {
  FSubItems->OnChange = [this](TObject*) { SubItemsChanged(); };
  // The row appears in the window once the item is whole.
  if (TListView* view = ListView(); view && view->HandleAllocated() && !view->FUploading) Upload();
}

TListItem::~TListItem() {
  FSubItems->OnChange = nullptr;
  TListView* view = ListView();
  int index = Index();
  if (view && view->HandleAllocated() && index >= 0) SendMessageW(view->Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void TListItem::DeclareProperties(TClassDecl<TListItem>& d) {
  d.String(L"Caption", &TListItem::Caption, &TListItem::SetCaption);
  d.StringList(
      L"SubItems",
      [](TListItem* i) {
        std::vector<std::wstring> v;
        for (int k = 0; k < i->SubItems()->Count(); ++k) v.push_back(i->SubItems()->Strings(k));
        return v;
      },
      [](TListItem* i, const std::vector<std::wstring>& v) {
        i->SubItems()->BeginUpdate();
        i->SubItems()->Clear();
        for (const std::wstring& s : v) i->SubItems()->Add(s);
        i->SubItems()->EndUpdate();
      });
  d.Bool(L"Checked", &TListItem::Checked, &TListItem::SetChecked, false);
  d.Integer(L"StateIndex", &TListItem::StateIndex, &TListItem::SetStateIndex, -1);
  d.Integer(L"ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex, -1);
}

TListView* TListItem::ListView() const {
  auto* items = static_cast<TListItems*>(Collection());
  return items ? items->Owner() : nullptr;
}

void TListItem::Upload() {
  TListView* view = ListView();
  const int index = Index();
  if (!view || !view->HandleAllocated() || index < 0) return;
  HWND h = view->Handle();
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
  item.iItem = index;
  item.pszText = FCaption.data();
  item.lParam = reinterpret_cast<LPARAM>(this);
  item.iImage = FImageIndex;
  item.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED;
  item.state = (FState & (LVIS_SELECTED | LVIS_FOCUSED)) | (FStateIndex >= 0 ? INDEXTOSTATEIMAGEMASK(FStateIndex + 1) : 0u);
  const bool wasUploading = view->FUploading;
  view->FUploading = true;
  if (SendMessageW(h, LVM_GETITEMCOUNT, 0, 0) <= index) SendMessageW(h, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  else SendMessageW(h, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  view->FUploading = wasUploading;
  SubItemsChanged();
}

void TListItem::SubItemsChanged() {
  TListView* view = ListView();
  const int index = Index();
  if (!view || !view->HandleAllocated() || index < 0) return;
  const int columns = std::max(view->Columns()->Count(), FSubItems->Count() + 1);
  for (int c = 1; c < columns; ++c) {
    std::wstring text = c - 1 < FSubItems->Count() ? FSubItems->Strings(c - 1) : std::wstring();
    LVITEMW item{};
    item.iSubItem = c;
    item.pszText = text.data();
    SendMessageW(view->Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
}

void TListItem::SetCaption(const std::wstring& Value) {
  FCaption = Value;
  TListView* view = ListView();
  if (view && view->HandleAllocated() && Index() >= 0) {
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = FCaption.data();
    SendMessageW(view->Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
  }
}

int TListItem::StateIndex() const {
  TListView* view = ListView();
  if (view && view->HandleAllocated() && Index() >= 0) {
    UINT state = static_cast<UINT>(
        SendMessageW(view->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_STATEIMAGEMASK));
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1;
  }
  return FStateIndex;
}

void TListItem::SetStateIndex(int Value) {
  FStateIndex = Value;
  TListView* view = ListView();
  if (view && view->HandleAllocated() && Index() >= 0) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = Value >= 0 ? INDEXTOSTATEIMAGEMASK(Value + 1) : 0;
    SendMessageW(view->Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
  }
}

bool TListItem::Checked() const { return StateIndex() == 1; }
void TListItem::SetChecked(bool Value) { SetStateIndex(Value ? 1 : 0); }

void TListItem::SetImageIndex(int Value) {
  FImageIndex = Value;
  TListView* view = ListView();
  if (view && view->HandleAllocated() && Index() >= 0) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = Index();
    item.iImage = Value;
    SendMessageW(view->Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}

bool TListItem::Selected() const {
  TListView* view = ListView();
  if (view && view->HandleAllocated() && Index() >= 0)
    return SendMessageW(view->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_SELECTED) != 0;
  return (FState & LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool Value) {
  FState = Value ? (FState | LVIS_SELECTED) : (FState & ~static_cast<UINT>(LVIS_SELECTED));
  TListView* view = ListView();
  if (view && view->HandleAllocated() && Index() >= 0) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = Value ? LVIS_SELECTED : 0;
    SendMessageW(view->Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
  }
}

bool TListItem::Focused() const {
  TListView* view = ListView();
  if (view && view->HandleAllocated() && Index() >= 0)
    return SendMessageW(view->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_FOCUSED) != 0;
  return (FState & LVIS_FOCUSED) != 0;
}

void TListItem::SetFocused(bool Value) {
  FState = Value ? (FState | LVIS_FOCUSED) : (FState & ~static_cast<UINT>(LVIS_FOCUSED));
  TListView* view = ListView();
  if (view && view->HandleAllocated() && Index() >= 0) {
    LVITEMW item{};
    item.stateMask = LVIS_FOCUSED;
    item.state = Value ? LVIS_FOCUSED : 0;
    SendMessageW(view->Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
  }
}

void TListItem::MakeVisible(bool PartialOK) {
  TListView* view = ListView();
  if (view && view->HandleAllocated() && Index() >= 0)
    SendMessageW(view->Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(Index()), PartialOK);
}

void TListItem::Delete() { Free(this); }

TListItems::TListItems(TListView* Owner) : TCollectionOf<TListItem>(Owner), FListView(Owner) {}

void TListItems::Notify(TCollectionItem*, TCollectionNotification) {}

void TListItems::Update(TCollectionItem* Item) {
  if (Item) static_cast<TListItem*>(Item)->Upload();
}

TListView::TListView(TComponent* AOwner)
    : TWinControl(AOwner), FColumns(std::make_unique<TListColumns>(this)), FItems(std::make_unique<TListItems>(this)) {
  ControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks};
  FWidth = 250;
  FHeight = 150;
  FTabStop = true;
}

TListView::~TListView() {
  // Rows leave with the window; the items need not take them out one by one.
  FItems->BeginUpdate();
  FUploading = true;
  DestroyHandle();
  FItems.reset();
  FColumns.reset();
}

void TListView::DeclareProperties(TClassDecl<TListView>& d) {
  d.Collection(L"Columns", &TListView::Columns);
  d.Collection(L"Items", &TListView::Items);
  d.Enum(L"ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle, vsIcon);
  d.Bool(L"Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes, false);
  d.Bool(L"GridLines", &TListView::GridLines, &TListView::SetGridLines, false);
  d.Bool(L"RowSelect", &TListView::RowSelect, &TListView::SetRowSelect, false);
  d.Bool(L"ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly, false);
  d.Bool(L"HideSelection", &TListView::HideSelection, &TListView::SetHideSelection, true);
  d.Bool(L"MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect, false);
  d.Bool(L"ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders, true);
  d.Bool(L"TabStop", &TListView::TabStop, &TListView::SetTabStop, true);
  d.Event(L"OnChange", &TListView::OnChange);
  d.Event(L"OnSelectItem", &TListView::OnSelectItem);
}

void TListView::SetViewStyle(TViewStyle Value) {
  if (FViewStyle == Value) return;
  FViewStyle = Value;
  if (FHandle) {
    static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | styles[Value]);
  }
}

void TListView::SetCheckboxes(bool Value) {
  FCheckboxes = Value;
  ApplyExtendedStyle();
}
void TListView::SetGridLines(bool Value) {
  FGridLines = Value;
  ApplyExtendedStyle();
}
void TListView::SetRowSelect(bool Value) {
  FRowSelect = Value;
  ApplyExtendedStyle();
}
void TListView::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  RecreateWnd();
}
void TListView::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  RecreateWnd();
}
void TListView::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  RecreateWnd();
}
void TListView::SetShowColumnHeaders(bool Value) {
  if (FShowColumnHeaders == Value) return;
  FShowColumnHeaders = Value;
  RecreateWnd();
}

void TListView::ApplyExtendedStyle() {
  if (!FHandle) return;
  const DWORD mask = LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
  const DWORD value = (FCheckboxes ? LVS_EX_CHECKBOXES : 0u) | (FGridLines ? LVS_EX_GRIDLINES : 0u) |
                      (FRowSelect ? LVS_EX_FULLROWSELECT : 0u);
  const bool wasUploading = FUploading;
  FUploading = true;
  SendMessageW(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, mask, value);
  FUploading = wasUploading;
}

void TListView::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_LISTVIEWW);
  static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  Params.Style |= styles[FViewStyle] | LVS_SHAREIMAGELISTS;
  if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
  if (!FMultiSelect) Params.Style |= LVS_SINGLESEL;
  if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
  if (!FReadOnly) Params.Style |= LVS_EDITLABELS;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::InitializeWindow() {
  ApplyExtendedStyle();
  UploadColumns();
  UploadItems();
}

void TListView::SaveWindowState() {
  for (int i = 0; i < FItems->Count(); ++i) {
    TListItem* item = FItems->Items(i);
    UINT state = static_cast<UINT>(
        SendMessageW(FHandle, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED));
    item->FStateIndex = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1;
    item->FState = state & (LVIS_SELECTED | LVIS_FOCUSED);
  }
}

void TListView::UploadColumns() {
  if (!FHandle) return;
  while (SendMessageW(FHandle, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (int i = 0; i < FColumns->Count(); ++i) {
    TListColumn* column = FColumns->Items(i);
    std::wstring caption = column->Caption();
    LVCOLUMNW c{};
    c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    c.fmt = column->Alignment() == taCenter ? LVCFMT_CENTER : column->Alignment() == taRightJustify ? LVCFMT_RIGHT : LVCFMT_LEFT;
    if (i == 0) c.fmt = LVCFMT_LEFT;  // the first column is always left-aligned
    c.cx = column->FWidth;
    c.pszText = caption.data();
    c.iSubItem = i;
    SendMessageW(FHandle, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
  }
  for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->SubItemsChanged();
}

void TListView::UploadItems() {
  if (!FHandle) return;
  const bool wasUploading = FUploading;
  FUploading = true;
  SendMessageW(FHandle, LVM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->Upload();
  FUploading = wasUploading;
}

TListItem* TListView::Selected() const {
  if (!FHandle) {
    for (int i = 0; i < FItems->Count(); ++i)
      if (FItems->Items(i)->FState & LVIS_SELECTED) return FItems->Items(i);
    return nullptr;
  }
  int index = static_cast<int>(SendMessageW(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return index >= 0 && index < FItems->Count() ? FItems->Items(index) : nullptr;
}

TListItem* TListView::ItemFocused() const {
  if (!FHandle) return nullptr;
  int index = static_cast<int>(SendMessageW(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
  return index >= 0 && index < FItems->Count() ? FItems->Items(index) : nullptr;
}

void TListView::BeginUpdate() {
  if (FUpdating++ == 0 && FHandle) SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0 && FHandle) {
    SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TListView::Change(TListItem* Item, TItemChange Change) {
  if (!ComponentState().Contains(csLoading) && OnChange) OnChange(this, Item, Change);
}

void TListView::Dispatch(TMessage& M) {
  if (M.Msg == CN_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(M.LParam);
    switch (header->code) {
      case LVN_ITEMCHANGED: {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(M.LParam);
        if (FUploading || nm->iItem < 0 || nm->iItem >= FItems->Count()) break;
        TListItem* item = FItems->Items(nm->iItem);
        if (nm->uChanged & LVIF_TEXT) Change(item, ctText);
        if (nm->uChanged & LVIF_IMAGE) Change(item, ctImage);
        if (nm->uChanged & LVIF_STATE) {
          Change(item, ctState);
          if (((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED) && OnSelectItem)
            OnSelectItem(this, item, (nm->uNewState & LVIS_SELECTED) != 0);
        }
        M.Result = 0;
        return;
      }
      case LVN_ENDLABELEDITW: {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(M.LParam);
        if (info->item.pszText && info->item.iItem >= 0 && info->item.iItem < FItems->Count()) {
          FItems->Items(info->item.iItem)->FCaption = info->item.pszText;
          M.Result = TRUE;
        }
        return;
      }
      default: break;
    }
  }
  TWinControl::Dispatch(M);
}

}  // namespace classlib
