// The list view of the common controls: columns, items and the report view.
#include "classlib/ComCtrls.h"

#include <algorithm>

#include "classlib/Forms.h"

namespace classlib {

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
  if (view && view->HandleAllocated() && index >= 0)
    SendMessageW(view->Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
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
  item.state =
      (FState & (LVIS_SELECTED | LVIS_FOCUSED)) | (FStateIndex >= 0 ? INDEXTOSTATEIMAGEMASK(FStateIndex + 1) : 0u);
  const bool wasUploading = view->FUploading;
  view->FUploading = true;
  if (SendMessageW(h, LVM_GETITEMCOUNT, 0, 0) <= index)
    SendMessageW(h, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  else
    SendMessageW(h, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
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
    : TWinControl(AOwner),
      FColumns(std::make_unique<TListColumns>(this)),
      FItems(std::make_unique<TListItems>(this)),
      FCanvas(std::make_unique<TCanvas>()) {
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
  d.Bool(L"ColumnClick", &TListView::ColumnClick, &TListView::SetColumnClick, true);
  d.Component<TCustomImageList>(L"LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
  d.Component<TCustomImageList>(L"SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
  d.Component<TCustomImageList>(L"StateImages", &TListView::StateImages, &TListView::SetStateImages);
  d.Bool(L"TabStop", &TListView::TabStop, &TListView::SetTabStop, true);
  d.Event(L"OnChange", &TListView::OnChange);
  d.Event(L"OnSelectItem", &TListView::OnSelectItem);
  d.Event(L"OnColumnClick", &TListView::OnColumnClick);
  d.Event(L"OnAdvancedCustomDraw", &TListView::OnAdvancedCustomDraw);
  d.Event(L"OnAdvancedCustomDrawItem", &TListView::OnAdvancedCustomDrawItem);
  d.Event(L"OnAdvancedCustomDrawSubItem", &TListView::OnAdvancedCustomDrawSubItem);
}

void TListView::SetColumnClick(bool Value) {
  if (FColumnClick == Value) return;
  FColumnClick = Value;
  RecreateWnd();
}

void TListView::ApplyImageList(TCustomImageList* List, int Which) {
  if (FHandle)
    SendMessageW(FHandle, LVM_SETIMAGELIST, static_cast<WPARAM>(Which),
                 reinterpret_cast<LPARAM>(List ? List->Handle() : nullptr));
}

void TListView::SetLargeImages(TCustomImageList* Value) {
  FLargeImages = Value;
  if (Value) Value->FreeNotification(this);
  ApplyImageList(Value, LVSIL_NORMAL);
}

void TListView::SetSmallImages(TCustomImageList* Value) {
  FSmallImages = Value;
  if (Value) Value->FreeNotification(this);
  ApplyImageList(Value, LVSIL_SMALL);
}

void TListView::SetStateImages(TCustomImageList* Value) {
  FStateImages = Value;
  if (Value) Value->FreeNotification(this);
  ApplyImageList(Value, LVSIL_STATE);
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == static_cast<TComponent*>(FLargeImages)) SetLargeImages(nullptr);
  if (AComponent == static_cast<TComponent*>(FSmallImages)) SetSmallImages(nullptr);
  if (AComponent == static_cast<TComponent*>(FStateImages)) SetStateImages(nullptr);
}

LRESULT TListView::CustomDraw(NMLVCUSTOMDRAW& Draw) {
  const DWORD stage = Draw.nmcd.dwDrawStage;
  const TCustomDrawStage when = (stage & CDDS_POSTPAINT) ? cdPostPaint : cdPrePaint;
  const bool itemEvents = OnAdvancedCustomDrawItem || OnAdvancedCustomDrawSubItem;
  bool defaultDraw = true;
  // The events paint on the notification's DC with the list's font.
  FCanvas->SetHandle(Draw.nmcd.hdc);
  FCanvas->SetFont(Font());
  struct Release {
    TCanvas* c;
    ~Release() { c->SetHandle(nullptr); }
  } release{FCanvas.get()};
  if (stage == CDDS_PREPAINT || stage == CDDS_POSTPAINT) {
    const RECT& r = Draw.nmcd.rc;
    if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, TRect{r.left, r.top, r.right, r.bottom}, when, defaultDraw);
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    return stage == CDDS_PREPAINT && itemEvents ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
  }
  const int index = static_cast<int>(Draw.nmcd.dwItemSpec);
  TListItem* item = index >= 0 && index < FItems->Count() ? FItems->Items(index) : nullptr;
  const TCustomDrawState state = CustomDrawStateOf(Draw.nmcd.uItemState);
  if (item == nullptr) return CDRF_DODEFAULT;
  if (stage & CDDS_SUBITEM) {
    if (OnAdvancedCustomDrawSubItem) OnAdvancedCustomDrawSubItem(this, item, Draw.iSubItem, state, when, defaultDraw);
    return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
  }
  if (OnAdvancedCustomDrawItem) OnAdvancedCustomDrawItem(this, item, state, when, defaultDraw);
  if (!defaultDraw) return CDRF_SKIPDEFAULT;
  return OnAdvancedCustomDrawSubItem ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
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
  if (!FColumnClick) Params.Style |= LVS_NOSORTHEADER;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::InitializeWindow() {
  ApplyExtendedStyle();
  ApplyImageList(FLargeImages, LVSIL_NORMAL);
  ApplyImageList(FSmallImages, LVSIL_SMALL);
  ApplyImageList(FStateImages, LVSIL_STATE);
  UploadColumns();
  UploadItems();
}

void TListView::SaveWindowState() {
  for (int i = 0; i < FItems->Count(); ++i) {
    TListItem* item = FItems->Items(i);
    UINT state = static_cast<UINT>(SendMessageW(FHandle, LVM_GETITEMSTATE, static_cast<WPARAM>(i),
                                                LVIS_STATEIMAGEMASK | LVIS_SELECTED | LVIS_FOCUSED));
    item->FStateIndex = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1;
    item->FState = state & (LVIS_SELECTED | LVIS_FOCUSED);
  }
}

void TListView::UploadColumns() {
  if (!FHandle) return;
  while (SendMessageW(FHandle, LVM_DELETECOLUMN, 0, 0)) {}
  for (int i = 0; i < FColumns->Count(); ++i) {
    TListColumn* column = FColumns->Items(i);
    std::wstring caption = column->Caption();
    LVCOLUMNW c{};
    c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    c.fmt = column->Alignment() == taCenter         ? LVCFMT_CENTER
            : column->Alignment() == taRightJustify ? LVCFMT_RIGHT
                                                    : LVCFMT_LEFT;
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
      case NM_CUSTOMDRAW:
        // The header's own drawing notices come this way too; they are not the list's.
        if (header->hwndFrom != FHandle) break;
        M.Result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(M.LParam));
        return;
      case LVN_COLUMNCLICK: {
        const int column = reinterpret_cast<NMLISTVIEW*>(M.LParam)->iSubItem;
        if (OnColumnClick && column >= 0 && column < FColumns->Count()) OnColumnClick(this, FColumns->Items(column));
        M.Result = 0;
        return;
      }
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
