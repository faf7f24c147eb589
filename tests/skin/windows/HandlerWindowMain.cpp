// A window with the controls the window handlers serve, skinned with our skin, for people to look
// at and for the handler-window test to drive from another process: a native list box of 100
// items, a multi-line edit, a combo box of 32 items (16 shown when dropped), a report list view of
// 50 rows and a class-library list view. It runs until it is closed, then gives every window back
// and ends with 0 (1 when the skin or a window could not be made).
//   skin_handler_window.exe [--native] [packed skin]
// With --native no handler is made: the same window with the system's own look, to compare.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "skin/core/sSkinManager.h"
#include "skin/windows/acComboWnd.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acListViewWnd.h"
#include "skin/windows/acSBUtils.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace classlib;
using namespace skin;

namespace {

constexpr wchar_t kCaption[] = L"Tarvisel handlers";
constexpr char kSection[] = "EDIT";

using skin::testing::Owned;

HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y, int w, int h,
           HWND parent) {
  return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

struct TControls {
  HWND listBox = nullptr, edit = nullptr, combo = nullptr, comboList = nullptr, listView = nullptr;
  TListView* classListView = nullptr;
};

TControls CreateControls(TForm* form) {
  TControls c;
  HWND parent = form->Handle();
  c.listBox = Child(L"LISTBOX", L"", WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, WS_EX_CLIENTEDGE, 10,
                    10, 200, 300, parent);
  for (int i = 1; i <= 100; ++i) {
    const std::wstring text = L"Item " + std::to_wstring(i) + L" of the native list box, wider than it";
    SendMessageW(c.listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(c.listBox, LB_SETHORIZONTALEXTENT, 400, 0);

  std::wstring lines;
  for (int i = 1; i <= 40; ++i) lines += L"Line " + std::to_wstring(i) + L" of the multi-line edit\r\n";
  c.edit = Child(L"EDIT", lines.c_str(), WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, WS_EX_CLIENTEDGE,
                 220, 10, 220, 140, parent);

  // The drop-down list shows 16 of the 32 items: the combo box's height holds the edit part and 16 rows.
  c.combo = Child(L"COMBOBOX", L"", WS_VSCROLL | CBS_DROPDOWNLIST, 0, 220, 160, 220, 300, parent);
  for (int i = 1; i <= 32; ++i) {
    const std::wstring text = L"Choice " + std::to_wstring(i);
    SendMessageW(c.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  const int row = int(SendMessageW(c.combo, CB_GETITEMHEIGHT, 0, 0));
  const int field = int(SendMessageW(c.combo, CB_GETITEMHEIGHT, WPARAM(-1), 0));
  SetWindowPos(c.combo, nullptr, 0, 0, 220, field + 8 + 16 * std::max(row, 1), SWP_NOMOVE | SWP_NOZORDER);
  SendMessageW(c.combo, CB_SETCURSEL, 0, 0);
  COMBOBOXINFO info{sizeof info};
  if (GetComboBoxInfo(c.combo, &info)) c.comboList = info.hwndList;

  c.listView = Child(WC_LISTVIEWW, L"", LVS_REPORT, WS_EX_CLIENTEDGE, 450, 10, 360, 240, parent);
  const wchar_t* columns[] = {L"Row", L"Name", L"Value"};
  for (int i = 0; i < 3; ++i) {
    LVCOLUMNW col{LVCF_TEXT | LVCF_WIDTH, 0, i == 1 ? 150 : 90, const_cast<wchar_t*>(columns[i])};
    SendMessageW(c.listView, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
  }
  for (int r = 0; r < 50; ++r) {
    std::wstring cells[] = {std::to_wstring(r + 1), L"Setting " + std::to_wstring(r + 1), std::to_wstring(r * 7 % 50)};
    LVITEMW item{LVIF_TEXT, r, 0};
    item.pszText = cells[0].data();
    SendMessageW(c.listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int s = 1; s < 3; ++s) {
      LVITEMW sub{};
      sub.iSubItem = s;
      sub.pszText = cells[s].data();
      SendMessageW(c.listView, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&sub));
    }
  }

  c.classListView = new TListView(form);
  c.classListView->SetParent(form);
  c.classListView->SetBounds(450, 260, 360, 240);
  c.classListView->SetViewStyle(vsReport);
  for (const wchar_t* caption : {L"Time", L"Event"}) {
    TListColumn* col = c.classListView->Columns()->Add();
    col->SetCaption(caption);
    col->SetWidth(150);
  }
  for (int r = 0; r < 40; ++r) {
    TListItem* item = c.classListView->Items()->Add();
    item->SetCaption(std::to_wstring(r / 4) + L":" + std::to_wstring(r % 4 * 15));
    item->SubItems()->Add(L"Event " + std::to_wstring(r + 1));
  }
  c.classListView->Handle();
  return c;
}

// The handlers of the window, freed (which gives each window back) before the windows go.
struct THandlers {
  std::vector<THandler<TacMainWnd>> native;
  std::unique_ptr<TsCommonData> classListData;
  THandler<TacListViewWnd> classList;
};

// Each control gets the handler the engine makes for its kind; the combo box hooks its drop-down
// list itself, on the list's first colour question.
void CreateControlHandlers(const TControls& c, TsSkinManager* manager, THandlers& h) {
  h.native.push_back(TacMainWnd::Create<TacEditWnd>(c.listBox, nullptr, manager, kSection, true));
  h.native.push_back(TacMainWnd::Create<TacEditWnd>(c.edit, nullptr, manager, kSection, true));
  h.native.push_back(TacMainWnd::Create<TacComboBoxWnd>(c.combo, nullptr, manager, "COMBOBOX", true));
  h.native.push_back(TacMainWnd::Create<TacListViewWnd>(c.listView, nullptr, manager, kSection, true));
  h.classListData = std::make_unique<TsCommonData>(c.classListView, true);
  h.classListData->SetSkinManager(manager);
  h.classListData->SetSkinSection(kSection);
  h.classListData->UpdateIndexes();
  h.classList = TacMainWnd::Create<TacListViewWnd>(c.classListView->Handle(), h.classListData.get(), manager, kSection, true);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  const bool native = argc > 1 && std::wstring(argv[1]) == L"--native";
  const int skinArg = native ? 2 : 1;
  const std::vector<std::uint8_t> skinBytes =
      skin::testing::ReadBytes(argc > skinArg ? std::filesystem::path(argv[skinArg]) : skin::testing::CommittedSkinFile(L"Tarvisel.asz"));
  Owned<TsSkinManager> manager(skin::testing::NewManagerWithSkin(skinBytes));
  if (skinBytes.empty() || !manager->Active()) {
    std::fprintf(stderr, "skin_handler_window: the skin could not be loaded\n");
    return 1;
  }

  Owned<TForm> form(new TForm(nullptr));
  form->SetCaption(kCaption);
  form->SetBounds(40, 40, 830, 540);
  const TControls controls = CreateControls(form.get());
  if (!controls.listBox || !controls.edit || !controls.combo || !controls.comboList || !controls.listView) {
    std::fprintf(stderr, "skin_handler_window: a control could not be created\n");
    return 1;
  }
  THandlers handlers;
  if (!native) CreateControlHandlers(controls, manager.get(), handlers);

  bool closed = false;
  form->OnClose = [&closed](TObject*, TCloseAction& Action) {
    Action = caHide;
    closed = true;
  };
  form->Show();
  MSG m;
  while (!closed && GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  handlers.native.clear();
  handlers.classList.reset();
  handlers.classListData.reset();
  form.reset();
  return TacMainWnd::LiveCount() == 0 ? 0 : 1;
}
