#include "skin/forms/sSystemMenu.h"

#include <array>

#include "skin/core/sConstTexts.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace skin {

using classlib::TMenuItem;
using classlib::TObject;

namespace {

// The native item's text for Command, without its shortcut; the fallback when it has none.
std::wstring NativeCaption(HMENU Menu, UINT Command, const std::wstring& Fallback) {
  std::array<wchar_t, 256> text{};
  const int n = GetMenuStringW(Menu, Command, text.data(), 255, MF_BYCOMMAND);
  if (n <= 0) return Fallback;
  std::wstring caption(text.data(), static_cast<std::size_t>(n));
  if (const auto tab = caption.find(L'\t'); tab != std::wstring::npos) caption.erase(tab);
  return caption;
}

constexpr wchar_t kSkinSelectName[] = L"SkinSelectItem";

}  // namespace

TsSystemMenu::TsSystemMenu(TsSkinProvider* AOwner) : TsCustomSysMenu(AOwner), FOwner(AOwner), FForm(AOwner->Form) {
  SetName(L"SysMenu");
  Generate();
}

TacSysMenuRules TsSystemMenu::Rules() const { return FOwner->SysMenuRules(); }

TMenuItem* TsSystemMenu::AddItem(const std::wstring& Name, const std::wstring& Caption, int Tag,
                                 classlib::TNotifyEvent OnClick) {
  auto* item = new TMenuItem(this);
  if (!Name.empty()) item->SetName(Name);
  item->SetCaption(Caption);
  item->SetTag(Tag);
  item->OnClick = std::move(OnClick);
  Items()->Add(item);
  return item;
}

void TsSystemMenu::SendCommand(WPARAM Command) {
  if (FForm != nullptr && FForm->HandleAllocated()) SendMessageW(FForm->Handle(), WM_SYSCOMMAND, Command, 0);
}

void TsSystemMenu::Generate() {
  Items()->Clear();
  ItemRestore = ItemMove = ItemSize = ItemMinimize = ItemMaximize = ItemClose = nullptr;
  ExtItemsCount = 0;
  if (FForm == nullptr || !FForm->HandleAllocated()) return;
  const HMENU native = GetSystemMenu(FForm->Handle(), FALSE);
  if (native == nullptr) return;
  const auto after = [this](WPARAM command) {
    return [this, command](TObject*) {
      SendCommand(command);
      UpdateItems(false);
    };
  };
  const auto plain = [this](WPARAM command) { return [this, command](TObject*) { SendCommand(command); }; };
  ItemRestore = AddItem(L"acIR", NativeCaption(native, SC_RESTORE, acs_RestoreStr), SC_RESTORE, after(SC_RESTORE));
  ItemMove = AddItem(L"acIM", NativeCaption(native, SC_MOVE, acs_MoveStr), SC_MOVE, plain(SC_MOVE));
  ItemSize = AddItem(L"acIS", NativeCaption(native, SC_SIZE, acs_SizeStr), SC_SIZE, plain(SC_SIZE));
  ItemMinimize = AddItem(L"acIN", NativeCaption(native, SC_MINIMIZE, acs_MinimizeStr), SC_MINIMIZE, [this](TObject*) {
    FOwner->SkipAnimation = true;
    SendCommand(SC_MINIMIZE);
    FOwner->SkipAnimation = false;
    UpdateItems(false);
  });
  ItemMaximize = AddItem(L"acIX", NativeCaption(native, SC_MAXIMIZE, acs_MaximizeStr), SC_MAXIMIZE, after(SC_MAXIMIZE));
  AddItem(L"", L"-", 0, nullptr);
  const int count = GetMenuItemCount(native);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(native, i);
    if (id >= 0xF000u) continue;  // system commands and submenus (0xFFFFFFFF)
    std::array<wchar_t, 256> text{};
    const int n = GetMenuStringW(native, static_cast<UINT>(i), text.data(), 255, MF_BYPOSITION);
    if (n <= 0) continue;
    std::wstring caption(text.data(), static_cast<std::size_t>(n));
    if (const auto tab = caption.find(L'\t'); tab != std::wstring::npos) caption.erase(tab);
    AddItem(L"", caption, static_cast<int>(id), [this](TObject* Sender) {
      if (FForm != nullptr && FForm->HandleAllocated())
        PostMessageW(FForm->Handle(), WM_SYSCOMMAND, static_cast<WPARAM>(static_cast<TMenuItem*>(Sender)->Tag()), 0);
    });
    ++ExtItemsCount;
  }
  if (ExtItemsCount > 0) AddItem(L"", L"-", 0, nullptr);
  ItemClose = AddItem(L"acIC", NativeCaption(native, SC_CLOSE, acs_CloseStr), SC_CLOSE, plain(SC_CLOSE));
}

void TsSystemMenu::UpdateItems(bool Full) {
  if (Full || ItemClose == nullptr) Generate();
  if (FForm == nullptr || ItemClose == nullptr) return;
  const TacSysMenuRules r = Rules();
  ItemRestore->SetVisible(r.VisibleRestore);
  ItemRestore->SetEnabled(r.EnabledRestore);
  ItemMove->SetVisible(true);
  ItemMove->SetEnabled(r.EnabledMove);
  ItemSize->SetVisible(r.VisibleSize);
  ItemSize->SetEnabled(r.EnabledSize);
  ItemMinimize->SetVisible(r.VisibleMin);
  ItemMinimize->SetEnabled(r.EnabledMin);
  ItemMaximize->SetVisible(r.VisibleMax);
  ItemMaximize->SetEnabled(r.EnabledMax);
  ItemClose->SetVisible(r.VisibleClose);
  ItemClose->SetEnabled(true);
}

void TsSystemMenu::MakeSkinItems() {
  TsSkinManager* manager = FOwner->SkinManager();
  if (manager == nullptr) return;
  const std::vector<std::wstring> names = manager->GetSkinNames(TacSkinTypes::stAllSkins).Names;
  if (names.empty()) return;
  auto* root = new TMenuItem(this);
  root->SetName(kSkinSelectName);
  root->SetCaption(acs_AvailSkins);
  Items()->Insert(0, root);
  auto* line = new TMenuItem(this);
  line->SetCaption(L"-");
  Items()->Insert(1, line);
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    auto* item = new TMenuItem(this);
    item->SetName(kSkinSelectName + std::to_wstring(i));
    item->SetCaption(names[i]);
    item->SetRadioItem(true);
    item->SetChecked(names[i] == manager->SkinName());
    item->SetBreak(SkinItemBreaksColumn(i));
    item->OnClick = [this](TObject* Sender) { SkinSelect(Sender); };
    root->Add(item);
  }
}

void TsSystemMenu::SkinSelect(TObject* Sender) {
  TsSkinManager* manager = FOwner->SkinManager();
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (manager == nullptr || item == nullptr) return;
  manager->SetSkinName(SkinNameOfItem(item->Caption(), acs_InternalSkin));
}

void DropSysMenu(TsSkinProvider* Provider, int X, int Y) {
  if (Provider->SystemMenu == nullptr) Provider->PrepareForm();
  TsSystemMenu* menu = Provider->SystemMenu;
  if (menu == nullptr || Provider->Form == nullptr || !Provider->Form->HandleAllocated()) return;
  const HWND h = Provider->Form->Handle();
  TsSkinManager* manager = Provider->SkinManager();
  if (manager != nullptr && manager->SkinnedPopups) {
    menu->UpdateItems(menu->ExtItemsCount > 0);
    if (Provider->MakeSkinMenu() && menu->Items()->Count() > 0) {
      if (TMenuItem* first = menu->Items()->Items(0); first->Name() == kSkinSelectName) {
        menu->Items()->Delete(0);
        // The separator that came with the submenu goes with it.
        if (menu->Items()->Count() > 0 && menu->Items()->Items(0)->IsLine()) menu->Items()->Delete(0);
      }
      menu->MakeSkinItems();
    }
    menu->Popup(X, Y);
    return;
  }
  const TacSysMenuRules r = Provider->SysMenuRules();
  const HMENU native = GetSystemMenu(h, FALSE);
  const bool iconic = IsIconic(h) != FALSE;
  const bool normal = Provider->Form->WindowState() == classlib::wsNormal;
  const auto enable = [native](UINT command, bool on) {
    EnableMenuItem(native, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
  };
  // Without WS_VISIBLE the system does not redraw the frame while the items change.
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  SetWindowLongPtrW(h, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
  enable(SC_RESTORE, r.VisibleRestore && r.EnabledRestore);
  enable(SC_MOVE, r.EnabledMove && !iconic);
  enable(SC_SIZE, r.VisibleSize && r.EnabledSize && normal);
  enable(SC_MINIMIZE, r.VisibleMin && r.EnabledMin);
  enable(SC_MAXIMIZE, r.VisibleMax && r.EnabledMax);
  enable(SC_CLOSE, r.VisibleClose);
  SetWindowLongPtrW(h, GWL_STYLE, style);
  const UINT command = static_cast<UINT>(TrackPopupMenu(native, TPM_RETURNCMD | TPM_RIGHTBUTTON, X, Y, 0, h, nullptr));
  if (command != 0) PostMessageW(h, WM_SYSCOMMAND, command, 0);
}

}  // namespace skin
