#include "skin/forms/acDials.h"

#include "skin/core/sConstTexts.h"

namespace skin {

using classlib::TMenuItem;

TacSystemMenu::TacSystemMenu(classlib::TComponent* AOwner) : TsCustomSysMenu(AOwner) {
  const auto add = [this](const wchar_t* name, const std::wstring& caption, WPARAM command, bool update) {
    auto* item = new TMenuItem(this);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = [this, command, update](classlib::TObject*) { Command(command, update); };
    Items()->Add(item);
    return item;
  };
  ItemRestore = add(L"miRestore", acs_RestoreStr, SC_RESTORE, true);
  ItemMove = add(L"miMove", acs_MoveStr, SC_MOVE, false);
  ItemSize = add(L"miSize", acs_SizeStr, SC_SIZE, false);
  ItemMinimize = add(L"miMinimize", acs_MinimizeStr, SC_MINIMIZE, false);
  ItemMaximize = add(L"miMaximize", acs_MaximizeStr, SC_MAXIMIZE, true);
  auto* line = new TMenuItem(this);
  line->SetCaption(L"-");
  Items()->Add(line);
  ItemClose = add(L"miClose", acs_CloseStr, SC_CLOSE, false);
}

void TacSystemMenu::Command(WPARAM Command, bool Update) {
  if (const HWND h = Dialog()) SendMessageW(h, WM_SYSCOMMAND, Command, 0);
  if (Update) UpdateItems();
}

bool TacSystemMenu::VisibleClose() const {
  const HWND h = Dialog();
  return h != nullptr && (GetWindowLongPtrW(h, GWL_STYLE) & WS_SYSMENU) != 0;
}

bool TacSystemMenu::VisibleSize() const {
  if (FOwner == nullptr) return false;
  const TacBorderStyle kind = FOwner->DialogBorderStyle();
  return kind != acbsDialog && kind != acbsNone && kind != acbsToolWindow;
}

bool TacSystemMenu::EnabledMove() const {
  const HWND h = Dialog();
  return h == nullptr || !IsZoomed(h);
}

bool TacSystemMenu::EnabledSize() const {
  const HWND h = Dialog();
  return FOwner != nullptr && FOwner->DialogBorderStyle() != acbsSingle && !(h != nullptr && IsIconic(h));
}

void TacSystemMenu::UpdateItems() {
  if (FOwner == nullptr) return;
  ItemRestore->SetVisible(FOwner->VisibleRestore());
  ItemRestore->SetEnabled(FOwner->EnabledRestore());
  ItemMove->SetVisible(true);
  ItemMove->SetEnabled(EnabledMove());
  ItemSize->SetVisible(VisibleSize());
  ItemSize->SetEnabled(EnabledSize());
  ItemMinimize->SetVisible(FOwner->VisibleMin());
  ItemMinimize->SetEnabled(FOwner->EnabledMin());
  ItemMaximize->SetVisible(FOwner->VisibleMax());
  ItemMaximize->SetEnabled(FOwner->EnabledMax());
  ItemClose->SetVisible(FOwner->VisibleClose());
  ItemClose->SetEnabled(true);
}

}  // namespace skin
