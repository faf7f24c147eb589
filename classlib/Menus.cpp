#include "classlib/Menus.h"

#include <algorithm>
#include <map>

#include "classlib/Forms.h"
#include "classlib/ImgList.h"

namespace classlib {

namespace {

std::map<UINT, TMenuItem*>& Commands() {
  static std::map<UINT, TMenuItem*> commands;
  return commands;
}

UINT NewCommand(TMenuItem* item) {
  static UINT next = 0x1000;
  auto& commands = Commands();
  do {
    if (++next > 0xEFFF) next = 0x1000;
  } while (commands.count(next));
  commands[next] = item;
  return next;
}

TMenuItem* ItemOfCommand(UINT command) {
  auto& commands = Commands();
  auto it = commands.find(command);
  return it == commands.end() ? nullptr : it->second;
}

bool IsKnownItem(const TMenuItem* item) {
  for (auto& [command, known] : Commands())
    if (known == item) return true;
  return false;
}

// A canvas over a DC the system lends for one owner-draw request.
class BorrowedCanvas : public TCanvas {
 public:
  explicit BorrowedCanvas(HDC dc) { SetHandle(dc); }
  ~BorrowedCanvas() override { SetHandle(nullptr); }
};

}  // namespace

bool IsMenuItemAlive(const TMenuItem* Item) { return Item != nullptr && IsKnownItem(Item); }

std::wstring ShortCutToText(TShortCut Value) {
  const UINT key = Value & 0xFF;
  if (key == 0) return {};
  std::wstring name;
  if (key >= VK_F1 && key <= VK_F24) {
    name = L"F" + std::to_wstring(key - VK_F1 + 1);
  } else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    name = std::wstring(1, static_cast<wchar_t>(key));
  } else {
    static const struct {
      UINT key;
      const wchar_t* name;
    } named[] = {{VK_BACK, L"BkSp"},   {VK_TAB, L"Tab"},    {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},
                 {VK_SPACE, L"Space"}, {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"},    {VK_END, L"End"},
                 {VK_HOME, L"Home"},   {VK_LEFT, L"Left"},  {VK_UP, L"Up"},        {VK_RIGHT, L"Right"},
                 {VK_DOWN, L"Down"},   {VK_INSERT, L"Ins"}, {VK_DELETE, L"Del"}};
    for (const auto& n : named)
      if (n.key == key) name = n.name;
  }
  if (name.empty()) return {};
  std::wstring text;
  if (Value & scShift) text += L"Shift+";
  if (Value & scCtrl) text += L"Ctrl+";
  if (Value & scAlt) text += L"Alt+";
  return text + name;
}

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) { FCommand = NewCommand(this); }

TMenuItem::~TMenuItem() {
  while (!FItems.empty()) {
    TMenuItem* last = FItems.back();
    FItems.pop_back();
    last->FParent = nullptr;
    Free(last);
  }
  if (FParent) FParent->Remove(this);
  Commands().erase(FCommand);
}

void TMenuItem::DeclareProperties(TClassDecl<TMenuItem>& d) {
  d.String(L"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  d.Bool(L"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false);
  d.Bool(L"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true);
  d.Bool(L"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true);
  d.Bool(L"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false);
  d.Bool(L"Default", &TMenuItem::Default, &TMenuItem::SetDefault, false);
  d.Integer(L"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1);
  d.String(L"Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  d.Event(L"OnClick", &TMenuItem::OnClick);
  d.Event(L"OnMeasureItem", &TMenuItem::OnMeasureItem);
  d.Event(L"OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem);
}

void TMenuItem::SetCaption(const std::wstring& Value) { FCaption = Value; }

TBitmap* TMenuItem::Bitmap() {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

bool TMenuItem::HasBitmap() const { return FBitmap && !FBitmap->Empty(); }

void TMenuItem::SetSubMenuImages(TCustomImageList* Value) {
  if (FSubMenuImages == Value) return;
  if (FSubMenuImages) FSubMenuImages->RemoveFreeNotification(this);
  FSubMenuImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSubMenuImages) FSubMenuImages = nullptr;
}
void TMenuItem::SetChecked(bool Value) {
  FChecked = Value;
  if (Value && FRadioItem && FParent)
    for (TMenuItem* sibling : FParent->FItems)
      if (sibling != this && sibling->FRadioItem) sibling->FChecked = false;
}
void TMenuItem::SetEnabled(bool Value) { FEnabled = Value; }
void TMenuItem::SetVisible(bool Value) { FVisible = Value; }

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(L"Menu index out of range (" + std::to_wstring(Index) + L")");
  return FItems[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EInvalidOperation(L"Menu item is already inserted");
  if (Index < 0 || Index > Count()) throw EListError(L"Menu index out of range (" + std::to_wstring(Index) + L")");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
}

void TMenuItem::Delete(int Index) { Free(Items(Index)); }

void TMenuItem::Clear() {
  while (!FItems.empty()) Free(FItems.back());
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

TMenuItem* TMenuItem::Find(UINT ACommand) {
  if (FCommand == ACommand) return this;
  for (TMenuItem* item : FItems)
    if (TMenuItem* found = item->Find(ACommand)) return found;
  return nullptr;
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(Value))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value))
    item->Add(this);
}

void TMenuItem::Click() {
  if (FEnabled && OnClick) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DrawItem(TCanvas* ACanvas, const TRect& ARect, UINT State) {
  if (OnAdvancedDrawItem) OnAdvancedDrawItem(this, ACanvas, ARect, State);
}

void TMenuItem::AppendTo(HMENU Menu, bool OwnerDraw) {
  if (!FVisible) return;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_FTYPE;
  info.wID = FCommand;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  info.fState = (FChecked ? MFS_CHECKED : 0u) | (FEnabled ? 0u : MFS_DISABLED) | (FDefault ? MFS_DEFAULT : 0u);
  const bool ownerDrawn = OwnerDraw || OnAdvancedDrawItem;
  std::wstring text;
  if (IsLine()) {
    info.fType = MFT_SEPARATOR | (ownerDrawn ? MFT_OWNERDRAW : 0u);
  } else {
    info.fType =
        (ownerDrawn ? MFT_OWNERDRAW : MFT_STRING) | (FRadioItem ? MFT_RADIOCHECK : 0u) | (FBreak ? MFT_MENUBREAK : 0u);
    if (!ownerDrawn) {
      info.fMask |= MIIM_STRING;
      text = FShortCut != 0 ? FCaption + L"\t" + ShortCutToText(FShortCut) : FCaption;
      info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    }
  }
  if (!FItems.empty()) {
    HMENU sub = CreatePopupMenu();
    for (TMenuItem* child : FItems) child->AppendTo(sub, OwnerDraw);
    info.fMask |= MIIM_SUBMENU;
    info.hSubMenu = sub;
  }
  InsertMenuItemW(Menu, GetMenuItemCount(Menu), TRUE, &info);
}

// ---- TMenu ----

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() {
  DestroyNative();
  Free(FItems);
}

void TMenu::DeclareProperties(TClassDecl<TMenu>& d) {
  d.Bool(L"OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw, false);
  d.Component<TCustomImageList>(L"Images", &TMenu::Images, &TMenu::SetImages);
  d.Enum(L"BiDiMode", &TMenu::BiDiMode, &TMenu::SetBiDiMode, bdLeftToRight);
}

void TMenu::DestroyNative() {
  if (FHandle) DestroyMenu(FHandle);
  FHandle = nullptr;
}

HMENU TMenu::Handle() {
  DestroyNative();
  FHandle = CreateNativeMenu();
  for (int i = 0; i < FItems->Count(); ++i) FItems->Items(i)->AppendTo(FHandle, FOwnerDraw);
  return FHandle;
}

TMenuItem* TMenu::FindItem(UINT Command) const { return FItems->Find(Command); }

void TMenu::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

// ---- TPopupMenu ----

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

void TPopupMenu::DeclareProperties(TClassDecl<TPopupMenu>& d) {
  d.Bool(L"AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true);
  d.Enum(L"Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment, paLeft);
  d.Event(L"OnPopup", &TPopupMenu::OnPopup);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

UINT TPopupMenu::TrackFlags() const {
  UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD;
  switch (FAlignment) {
    case paLeft: flags |= TPM_LEFTALIGN; break;
    case paRight: flags |= TPM_RIGHTALIGN; break;
    case paCenter: flags |= TPM_CENTERALIGN; break;
  }
  if (FMenuAnimation.Contains(maNone)) flags |= TPM_NOANIMATION;
  return flags;
}

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  HMENU menu = Handle();
  const UINT flags = TrackFlags();
  HWND owner = Application->Handle();
  // The menu's owner must be the foreground window, or the menu does not close on a click outside.
  SetForegroundWindow(owner);
  UINT command = static_cast<UINT>(TrackPopupMenuEx(menu, flags, X, Y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (command != 0)
    if (TMenuItem* item = FindItem(command)) item->Click();
}

bool DispatchMenuMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_COMMAND:
      if (M.LParam == 0 && HIWORD(M.WParam) == 0)
        if (TMenuItem* item = ItemOfCommand(LOWORD(M.WParam))) {
          item->Click();
          M.Result = 0;
          return true;
        }
      return false;
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
      if (!mis || mis->CtlType != ODT_MENU) return false;
      auto* item = reinterpret_cast<TMenuItem*>(mis->itemData);
      if (!item || !IsKnownItem(item)) return false;
      HDC dc = GetDC(nullptr);
      {
        BorrowedCanvas canvas(dc);
        int w = static_cast<int>(mis->itemWidth), h = static_cast<int>(mis->itemHeight);
        if (w == 0) w = canvas.TextWidth(item->Caption()) + 32;
        if (h == 0) h = item->IsLine() ? 8 : GetSystemMetrics(SM_CYMENU);
        item->MeasureItem(&canvas, w, h);
        mis->itemWidth = static_cast<UINT>(std::max(0, w));
        mis->itemHeight = static_cast<UINT>(std::max(0, h));
      }
      ReleaseDC(nullptr, dc);
      M.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      if (!dis || dis->CtlType != ODT_MENU) return false;
      auto* item = reinterpret_cast<TMenuItem*>(dis->itemData);
      if (!item || !IsKnownItem(item)) return false;
      BorrowedCanvas canvas(dis->hDC);
      TRect r{dis->rcItem.left, dis->rcItem.top, dis->rcItem.right, dis->rcItem.bottom};
      if (item->OnAdvancedDrawItem) {
        item->DrawItem(&canvas, r, dis->itemState);
      } else {
        const bool selected = (dis->itemState & ODS_SELECTED) != 0;
        canvas.Brush()->SetColor(selected ? clHighlight : (clSystemColor | COLOR_MENU));
        canvas.FillRect(r);
        canvas.Font()->SetColor(selected ? clHighlightText : (clSystemColor | COLOR_MENUTEXT));
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextOut(r.Left + 20, r.Top + 2, item->Caption());
      }
      M.Result = TRUE;
      return true;
    }
    default: return false;
  }
}

}  // namespace classlib
