// The tab control of the common controls: a row of tabs with captions from Tabs, over a body.
#include "classlib/ComCtrls.h"

#include <algorithm>

#include "classlib/ScopeExit.h"

namespace classlib {

TTabControl::TTabControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FTabs(std::make_unique<TStringList>()),
      FImageLink(std::make_unique<TChangeLink>()),
      FCanvas(std::make_unique<TCanvas>()) {
  FTabs->OnChange = [this](TObject*) { UploadTabs(TabIndex()); };
  FImageLink->OnChange = [this](TObject*) {
    if (FHandle)
      SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImageList ? FImageList->Handle() : nullptr));
  };
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
}

TTabControl::~TTabControl() {
  FTabs->OnChange = nullptr;
  if (FImageList) FImageList->UnRegisterChanges(FImageLink.get());
}

void TTabControl::DeclareProperties(TClassDecl<TTabControl>& d) {
  d.Component<TCustomImageList>(L"Images", &TTabControl::Images, &TTabControl::SetImages);
  d.Bool(L"MultiLine", &TTabControl::MultiLine, &TTabControl::SetMultiLine, false);
  d.Enum(L"Style", &TTabControl::Style, &TTabControl::SetStyle, tsTabs);
  d.Bool(L"HotTrack", &TTabControl::HotTrack, &TTabControl::SetHotTrack, false);
  d.Enum(L"TabPosition", &TTabControl::TabPosition, &TTabControl::SetTabPosition, tpTop);
  d.Bool(L"TabStop", &TTabControl::TabStop, &TTabControl::SetTabStop, true);
  d.Bool(L"OwnerDraw", &TTabControl::OwnerDraw, &TTabControl::SetOwnerDraw, false);
  d.Integer(L"TabHeight", &TTabControl::TabHeight, &TTabControl::SetTabHeight, 0);
  d.Integer(L"TabWidth", &TTabControl::TabWidth, &TTabControl::SetTabWidth, 0);
  // The captions before the index that names one of them.
  d.StringList(
      L"Tabs",
      [](TTabControl* c) {
        std::vector<std::wstring> tabs;
        for (int i = 0; i < c->Tabs()->Count(); ++i) tabs.push_back(c->Tabs()->Strings(i));
        return tabs;
      },
      [](TTabControl* c, const std::vector<std::wstring>& tabs) {
        TStringList list;
        for (const std::wstring& s : tabs) list.Add(s);
        c->SetTabs(&list);
      });
  d.Integer(L"TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex, -1);
  d.Event(L"OnChange", &TTabControl::OnChange);
  d.Event(L"OnChanging", &TTabControl::OnChanging);
  d.Event(L"OnDrawTab", &TTabControl::OnDrawTab);
}

int TTabControl::TabIndex() const {
  if (FHandle) FTabIndex = static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
  return FTabIndex;
}

void TTabControl::SetTabIndex(int Value) {
  FTabIndex = Value >= 0 && Value < FTabs->Count() ? Value : -1;
  if (FHandle) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex), 0);
}

void TTabControl::SetMultiLine(bool Value) {
  if (FMultiLine == Value) return;
  FMultiLine = Value;
  RecreateWnd();
}

void TTabControl::SetStyle(TTabStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

void TTabControl::SetHotTrack(bool Value) {
  if (FHotTrack == Value) return;
  FHotTrack = Value;
  RecreateWnd();
}

void TTabControl::SetTabPosition(TTabPosition Value) {
  if (FTabPosition == Value) return;
  FTabPosition = Value;
  RecreateWnd();
}

void TTabControl::SetOwnerDraw(bool Value) {
  if (FOwnerDraw == Value) return;
  FOwnerDraw = Value;
  RecreateWnd();
}

void TTabControl::SetTabHeight(int Value) {
  if (Value < 0 || FTabHeight == Value) return;
  FTabHeight = Value;
  ApplyTabSize();
}

void TTabControl::SetTabWidth(int Value) {
  if (Value < 0 || FTabWidth == Value) return;
  const bool styleChanges = (FTabWidth == 0) != (Value == 0);
  FTabWidth = Value;
  if (styleChanges)
    RecreateWnd();
  else
    ApplyTabSize();
}

void TTabControl::ApplyTabSize() {
  if (!FHandle) return;
  SendMessageW(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
  Realign();
}

void TTabControl::SetImages(TCustomImageList* Value) {
  if (FImageList == Value) return;
  if (FImageList) FImageList->UnRegisterChanges(FImageLink.get());
  FImageList = Value;
  if (Value) {
    Value->RegisterChanges(FImageLink.get());
    Value->FreeNotification(this);
  }
  if (FHandle) SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(Value ? Value->Handle() : nullptr));
}

void TTabControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FImageList) == AComponent) {
    FImageList = nullptr;
    if (FHandle) SendMessageW(FHandle, TCM_SETIMAGELIST, 0, 0);
  }
}

TRect TTabControl::DisplayRect() const {
  if (!FHandle) return ClientRect();
  RECT r{};
  GetClientRect(FHandle, &r);
  SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return {r.left, r.top, r.right, r.bottom};
}

TRect TTabControl::AdjustClientRect() const { return DisplayRect(); }

TRect TTabControl::TabRect(int Index) const {
  RECT r{};
  if (!FHandle || Index < 0 || Index >= FTabs->Count() ||
      !SendMessageW(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r)))
    return {};
  return {r.left, r.top, r.right, r.bottom};
}

int TTabControl::IndexOfTabAt(int X, int Y) const {
  if (!FHandle) return -1;
  TCHITTESTINFO hit{};
  hit.pt = POINT{X, Y};
  return static_cast<int>(SendMessageW(FHandle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

int TTabControl::RowCount() const {
  return FHandle ? std::max(1, static_cast<int>(SendMessageW(FHandle, TCM_GETROWCOUNT, 0, 0))) : 1;
}

void TTabControl::CreateParams(TCreateParams& Params) {
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

void TTabControl::InitializeWindow() {
  if (FImageList) SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImageList->Handle()));
  if (FTabWidth > 0 || FTabHeight > 0) SendMessageW(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
  // A new window selects nothing: the field holds the selection.
  UploadTabs(FTabIndex);
}

void TTabControl::SaveWindowState() { TabIndex(); }

void TTabControl::UploadTabs(int Selected) {
  // A selection past the last tab moves to the new last one.
  const int selected = std::min(Selected, FTabs->Count() - 1);
  FTabIndex = selected;
  if (!FHandle) return;
  SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < FTabs->Count(); ++i) {
    std::wstring caption = FTabs->Strings(i);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = caption.data();
    item.iImage = i;
    SendMessageW(FHandle, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(selected), 0);
  Realign();
}

bool TTabControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TTabControl::Change() {
  Changed();
  if (!ComponentState().Contains(csLoading) && OnChange) OnChange(this);
}

void TTabControl::Dispatch(TMessage& M) {
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
    case CN_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(M.LParam);
      switch (header->code) {
        case TCN_SELCHANGING: M.Result = CanChange() ? FALSE : TRUE; return;
        case TCN_SELCHANGE:
          TabIndex();
          Change();
          M.Result = 0;
          return;
        default: break;
      }
      break;
    }
    default: break;
  }
  TWinControl::Dispatch(M);
}

}  // namespace classlib
