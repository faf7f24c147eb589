// The combo box of the standard controls and the item list it shows.
#include "classlib/StdCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Menus.h"

namespace classlib {

// ---- TComboBoxStrings ----

HWND TComboBoxStrings::Window() const { return owner_->FHandle; }

void TComboBoxStrings::Check(int index) const {
  if (index < 0 || index >= GetCount()) ListIndexError(index);
}

std::wstring TComboBoxStrings::Get(int index) const {
  Check(index);
  return items_[static_cast<std::size_t>(index)].text;
}

TObject* TComboBoxStrings::GetObject(int index) const {
  Check(index);
  return items_[static_cast<std::size_t>(index)].object;
}

void TComboBoxStrings::PutObject(int index, TObject* object) {
  Check(index);
  items_[static_cast<std::size_t>(index)].object = object;
}

int TComboBoxStrings::Add(const std::wstring& text) {
  int index = GetCount();
  if (owner_->Sorted()) {
    index = 0;
    while (index < GetCount() && CompareStrings(items_[static_cast<std::size_t>(index)].text, text) <= 0) ++index;
  }
  Insert(index, text);
  return index;
}

void TComboBoxStrings::Insert(int index, const std::wstring& text) {
  if (index < 0 || index > GetCount()) ListIndexError(index);
  items_.insert(items_.begin() + index, Item{text, nullptr});
  if (owner_->FItemIndex >= index) ++owner_->FItemIndex;
  if (HWND w = Window())
    SendMessageW(w, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboBoxStrings::Delete(int index) {
  Check(index);
  items_.erase(items_.begin() + index);
  if (owner_->FItemIndex == index)
    owner_->FItemIndex = -1;
  else if (owner_->FItemIndex > index)
    --owner_->FItemIndex;
  if (HWND w = Window()) SendMessageW(w, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TComboBoxStrings::Clear() {
  items_.clear();
  owner_->FItemIndex = -1;
  if (HWND w = Window()) SendMessageW(w, CB_RESETCONTENT, 0, 0);
}

int TComboBoxStrings::IndexOf(const std::wstring& text) const { return TStrings::IndexOf(text); }

void TComboBoxStrings::Put(int index, const std::wstring& text) {
  Check(index);
  const int selected = owner_->ItemIndex();
  TObject* object = items_[static_cast<std::size_t>(index)].object;
  items_[static_cast<std::size_t>(index)].text = text;
  if (HWND w = Window()) {
    SendMessageW(w, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageW(w, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    if (selected == index) SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  items_[static_cast<std::size_t>(index)].object = object;
}

void TComboBoxStrings::Upload() {
  HWND w = Window();
  if (!w) return;
  SendMessageW(w, CB_RESETCONTENT, 0, 0);
  for (const Item& item : items_) SendMessageW(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
  SendMessageW(w, CB_SETCURSEL, static_cast<WPARAM>(owner_->FItemIndex), 0);
}

// ---- TCustomComboBox ----

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TComboBoxStrings>(this)), FCanvas(std::make_unique<TCanvas>()) {
  ControlStyle = {csCaptureMouse, csDoubleClicks, csFixedHeight};
  FWidth = 145;
  FHeight = 21;
  FTabStop = true;
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::DeclareProperties(TClassDecl<TCustomComboBox>& d) {
  d.Enum(L"Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle, csDropDown);
  d.Integer(L"DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount, 8);
  d.Bool(L"Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted, false);
  d.Integer(L"MaxLength", &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength, 0);
  d.Integer(L"ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight, 16);
  d.StringList(
      L"Items",
      [](TCustomComboBox* c) {
        std::vector<std::wstring> items;
        for (int i = 0; i < c->Items()->Count(); ++i) items.push_back(c->Items()->Strings(i));
        return items;
      },
      [](TCustomComboBox* c, const std::vector<std::wstring>& items) {
        c->Items()->BeginUpdate();
        c->Items()->Clear();
        for (const std::wstring& s : items) c->Items()->Add(s);
        c->Items()->EndUpdate();
      });
  d.Integer(L"ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex, -1);
  d.Bool(L"TabStop", &TCustomComboBox::TabStop, &TCustomComboBox::SetTabStop, true);
  d.Event(L"OnChange", &TCustomComboBox::OnChange);
  d.Event(L"OnSelect", &TCustomComboBox::OnSelect);
  d.Event(L"OnDropDown", &TCustomComboBox::OnDropDown);
  d.Event(L"OnCloseUp", &TCustomComboBox::OnCloseUp);
  d.Event(L"OnDrawItem", &TCustomComboBox::OnDrawItem);
  d.Event(L"OnMeasureItem", &TCustomComboBox::OnMeasureItem);
}

int TCustomComboBox::ItemIndex() const {
  if (FHandle) return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    // Items may come after ItemIndex in a description: keep the wish until Loaded.
    FItemIndex = Value;
    return;
  }
  FItemIndex = (Value >= 0 && Value < FItems->Count()) ? Value : -1;
  if (FHandle) SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int Value) {
  FDropDownCount = std::max(1, Value);
  if (FHandle) SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
}

void TCustomComboBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (!Value || FItems->Count() < 2) return;
  std::vector<std::wstring> items;
  for (int i = 0; i < FItems->Count(); ++i) items.push_back(FItems->Strings(i));
  FItems->Clear();
  for (const std::wstring& s : items) FItems->Add(s);
}

void TCustomComboBox::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  if (FHandle) SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

bool TCustomComboBox::DroppedDown() const { return FHandle && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (FHandle) SendMessageW(FHandle, CB_SHOWDROPDOWN, Value, 0);
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  if (FStyle != csDropDownList) SetText(L"");
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"COMBOBOX");
  Params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (FStyle) {
    case csDropDown: Params.Style |= CBS_DROPDOWN; break;
    case csSimple: Params.Style |= CBS_SIMPLE; break;
    case csDropDownList: Params.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
    case csOwnerDrawVariable: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS; break;
  }
}

void TCustomComboBox::CreateWindowHandle(const TCreateParams& Params) {
  // The height a drop-down combo box is created with is the height of its open list.
  TCreateParams p = Params;
  if (FStyle != csSimple) p.Height = FHeight + FItemHeight * FDropDownCount + 2;
  TWinControl::CreateWindowHandle(p);
}

void TCustomComboBox::InitializeWindow() {
  SendMessageW(FHandle, CB_SETMINVISIBLE, static_cast<WPARAM>(FDropDownCount), 0);
  SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  FItems->Upload();
  if (FStyle == csDropDown || FStyle == csSimple)
    if (FItemIndex < 0) SetWindowTextW(FHandle, FText.c_str());
  HookEditField();
}

void TCustomComboBox::HookEditField() {
  editHook_.Unhook();
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(FHandle, &info) || info.hwndItem == nullptr || info.hwndItem == FHandle) return;
  editHook_.Hook(info.hwndItem, [this](HWND h, UINT msg, WPARAM w, LPARAM l, const TWindowHook::TNext& next) {
    // Nested messages of the field keep their own way down.
    const TWindowHook::TNext* outer = editNext_;
    editNext_ = &next;
    TMessage m{msg, w, l, 0};
    try {
      ComboWndProc(m, h);
    } catch (...) {
      editNext_ = outer;
      throw;
    }
    editNext_ = outer;
    return m.Result;
  });
}

void TCustomComboBox::ComboWndProc(TMessage& M, HWND) {
  if (editNext_ != nullptr) M.Result = (*editNext_)(M.Msg, M.WParam, M.LParam);
}

void TCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  const bool selected = State.Contains(odSelected);
  FCanvas->SetFont(Font());
  FCanvas->Brush()->SetColor(selected ? clHighlight : Color());
  FCanvas->Font()->SetColor(selected ? clHighlightText : Font()->Color());
  FCanvas->FillRect(Rect);
  if (Index >= 0 && Index < FItems->Count()) {
    RECT r{Rect.Left + 2, Rect.Top, Rect.Right, Rect.Bottom};
    const std::wstring text = FItems->Strings(Index);
    HDC dc = FCanvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, COLORREF(ColorToRGB(FCanvas->Font()->Color())));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  if (State.Contains(odFocused)) {
    RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
    DrawFocusRect(FCanvas->Handle(), &r);
  }
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::SaveWindowState() { FItemIndex = static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0)); }

std::wstring TCustomComboBox::GetText() const {
  if (FStyle == csDropDown || FStyle == csSimple) return TWinControl::GetText();
  int index = ItemIndex();
  return index >= 0 && index < FItems->Count() ? FItems->Strings(index) : std::wstring();
}

void TCustomComboBox::StoreText(const std::wstring& Value) {
  if (FStyle == csDropDown || FStyle == csSimple) {
    TWinControl::StoreText(Value);
    return;
  }
  SetItemIndex(FItems->IndexOf(Value));
}

void TCustomComboBox::Change() {
  Changed();
  if (!ComponentState().Contains(csLoading) && OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::Dispatch(TMessage& M) {
  if (M.Msg == CN_DRAWITEM) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(M.LParam);
    FCanvas->SetHandle(dis->hDC);
    try {
      DrawItem(static_cast<int>(dis->itemID),
               TRect{dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom},
               OwnerDrawStateOf(dis->itemState));
    } catch (...) {
      FCanvas->SetHandle(nullptr);
      throw;
    }
    FCanvas->SetHandle(nullptr);
    M.Result = TRUE;
    return;
  }
  if (M.Msg == CN_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
    int height = FItemHeight;
    if (FStyle == csOwnerDrawVariable) MeasureItem(static_cast<int>(mis->itemID), height);
    mis->itemHeight = static_cast<UINT>(std::max(1, height));
    M.Result = TRUE;
    return;
  }
  if (M.Msg == CN_COMMAND) {
    switch (HIWORD(M.WParam)) {
      case CBN_SELCHANGE:
        FItemIndex = static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
        Click();
        Select();
        break;
      case CBN_EDITCHANGE: Change(); break;
      case CBN_DROPDOWN:
        if (OnDropDown) OnDropDown(this);
        break;
      case CBN_CLOSEUP:
        if (OnCloseUp) OnCloseUp(this);
        break;
      default: break;
    }
    M.Result = 0;
    return;
  }
  TWinControl::Dispatch(M);
}

}  // namespace classlib
