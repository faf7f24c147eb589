// A small window with one control of each kind the driver reads, driven by uidriver_test from
// another process. Its button shows a message box; its combo box echoes choices into the edit.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

namespace {

int XOf(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int YOf(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

HWND edit, combo, status, list, tabs;

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == 10 && HIWORD(wp) == BN_CLICKED) {
        MessageBoxW(wnd, L"Нет ответа ведомого!", L"Fixture", MB_OK);
        SetWindowTextW(edit, L"box closed");
      }
      if (LOWORD(wp) == 11 && HIWORD(wp) == CBN_SELCHANGE) {
        wchar_t text[64];
        SendMessageW(combo, CB_GETLBTEXT, SendMessageW(combo, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(text));
        SetWindowTextW(edit, text);
      }
      return 0;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lp)->code == TCN_SELCHANGE) {
        wchar_t text[32];
        wsprintfW(text, L"tab %d", static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)));
        SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text));
      }
      return 0;
    case WM_RBUTTONUP: {
      HMENU menu = CreatePopupMenu();
      AppendMenuW(menu, MF_STRING, 101, L"COM1");
      AppendMenuW(menu, MF_STRING, 102, L"COM2");
      POINT at{XOf(lp), YOf(lp)};
      ClientToScreen(wnd, &at);
      const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, wnd, nullptr);
      DestroyMenu(menu);
      wchar_t text[32];
      wsprintfW(text, L"chose %d", chosen);
      SendMessageW(status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = inst;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"UiDriverFixture";
  RegisterClassW(&wc);
  HWND main = CreateWindowW(wc.lpszClassName, L"Fixture window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400,
                            nullptr, nullptr, inst, nullptr);
  CreateWindowW(L"Button", L"Версия и копирайт", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 220, 120, main,
                nullptr, inst, nullptr);
  edit = CreateWindowW(L"Edit", L"-", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 30, 200, 22, main, nullptr, inst,
                       nullptr);
  CreateWindowW(L"Button", L"Get Rev", WS_CHILD | WS_VISIBLE, 20, 60, 90, 24, main,
                reinterpret_cast<HMENU>(10), inst, nullptr);
  combo = CreateWindowW(L"ComboBox", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 250, 10, 120, 200, main,
                        reinterpret_cast<HMENU>(11), inst, nullptr);
  for (const wchar_t* item : {L"All BU", L"BU-№1", L"BU-№2"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  tabs = CreateWindowW(WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 10, 140, 300, 30, main, nullptr, inst, nullptr);
  for (const wchar_t* name : {L"Конфигурация", L"Тест ДП"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(name);
    SendMessageW(tabs, TCM_INSERTITEMW, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&item));
  }
  list = CreateWindowW(WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, 180, 300, 120, main, nullptr, inst,
                       nullptr);
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.cx = 80;
  for (const wchar_t* name : {L"№", L"ID"}) {
    col.pszText = const_cast<LPWSTR>(name);
    SendMessageW(list, LVM_INSERTCOLUMNW, col.iSubItem++, reinterpret_cast<LPARAM>(&col));
  }
  LVITEMW row{};
  row.mask = LVIF_TEXT;
  row.pszText = const_cast<LPWSTR>(L"1");
  SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
  row.iSubItem = 1;
  row.pszText = const_cast<LPWSTR>(L"3A5C7E91000123");
  SendMessageW(list, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&row));
  status = CreateWindowW(STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, main, nullptr, inst, nullptr);
  int parts[] = {100, 200, -1};
  SendMessageW(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
  SendMessageW(status, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L"Выполнено, OK"));
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
