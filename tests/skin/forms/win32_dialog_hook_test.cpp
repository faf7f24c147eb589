// Standard dialogs caught by the default manager's CBT hook under Wine: which windows are admitted,
// which handler each child control gets, where a box is put, forms excluded by their tag, a
// provider kept while one of its handlers runs, and nothing left alive after many boxes.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/acDialsHook.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acBtnWnd.h"
#include "skin/windows/acCheckBoxWnd.h"
#include "skin/windows/acComboWnd.h"
#include "skin/windows/acEdgeWnd.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acIconWnd.h"
#include "skin/windows/acListViewWnd.h"
#include "skin/windows/acPageWnd.h"
#include "skin/windows/acSizerWnd.h"
#include "skin/windows/acSpinWnd.h"
#include "skin/windows/acStaticWnd.h"
#include "skin/windows/acToolBarWnd.h"
#include "skin/windows/acTrackWnd.h"
#include "skin/windows/acTransPanelWnd.h"
#include "skin/windows/acWndThunkWin32.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using test::NativeWindow;

BOOL CALLBACK CollectDialog(HWND w, LPARAM l) {
  wchar_t cls[32]{};
  GetClassNameW(w, cls, 32);
  if (IsWindowVisible(w) && std::wstring(cls) == L"#32770") reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
  return TRUE;
}

// Visible standard dialogs of this thread.
std::vector<HWND> VisibleDialogs() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs Show, which blocks in a system dialog's modal loop, and calls Inspect from a timer with
// the first visible standard dialog that is not in Skip; Inspect must close it. Fails the test
// when no such dialog came within ten seconds.
class ModalProbe {
 public:
  static void Run(const std::function<void()>& Show, const std::function<void(HWND)>& Inspect,
                  std::set<HWND> Skip = {}) {
    probe_ = {Inspect, std::move(Skip), false, GetTickCount()};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &Tick);
    ASSERT_NE(timer, 0u);
    timer_ = timer;
    Show();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(probe_.seen) << "no dialog came up";
  }

 private:
  struct State {
    std::function<void(HWND)> inspect;
    std::set<HWND> skip;
    bool seen;
    DWORD start;
  };
  static inline State probe_;
  static inline UINT_PTR timer_ = 0;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (probe_.seen) return;
    for (HWND dlg : VisibleDialogs()) {
      if (probe_.skip.count(dlg) != 0) continue;
      probe_.seen = true;
      KillTimer(nullptr, timer_);
      probe_.inspect(dlg);
      return;
    }
    if (GetTickCount() - probe_.start > 10000) {
      // Closes whatever is modal so that the test can report instead of hanging.
      probe_.seen = true;
      for (HWND dlg : VisibleDialogs())
        if (probe_.skip.count(dlg) == 0) PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
    }
  }
};

bool Skinned(HWND w) { return GetBoolMsg(w, ACMD_ISSKINNED); }

HWND ChildOfClass(HWND parent, const wchar_t* cls) { return FindWindowExW(parent, nullptr, cls, nullptr); }

std::size_t LiveProviders() {
  return static_cast<std::size_t>(
      std::count_if(acSupportedList.begin(), acSupportedList.end(), [](TacProvider* p) { return p != nullptr; }));
}

// A window destroyed only so that the hook sees a destruction.
void DestroyScratchWindow() { NativeWindow scratch(L"STATIC", WS_POPUP, 10, 10); }

struct DialogHook : ::testing::Test {
  test::Owned<TsSkinManager> manager;
  std::size_t handlersBefore = 0;
  std::size_t thunksBefore = 0;

  void SetUp() override {
    Ac_InstallDialogHook();
    manager = test::ManagerWithOurSkin();
    ASSERT_TRUE(manager->Active());
    ASSERT_EQ(DefaultManager(), manager.get());
    ASSERT_NE(HookCallback, nullptr);
    handlersBefore = TacMainWnd::LiveCount();
    thunksBefore = TacWndThunk::LiveCount();
  }
  void TearDown() override {
    DlgLeft = DlgTop = -1;
    manager.reset();
    // The hook went with the manager, and so did every provider it made.
    EXPECT_EQ(HookCallback, nullptr);
    EXPECT_TRUE(acSupportedList.empty());
  }
};

// A hook installed before the manager's: it refuses the creation of windows named "refused".
LRESULT CALLBACK RefuseNamed(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW* create = reinterpret_cast<const CBT_CREATEWNDW*>(lp)->lpcs;
    if (create->lpszName != nullptr && std::wstring(create->lpszName) == L"refused") return 1;
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

TEST(DialogHookChain, TheNextHooksAnswerIsKept) {
  HHOOK refuse = SetWindowsHookExW(WH_CBT, &RefuseNamed, nullptr, GetCurrentThreadId());
  ASSERT_NE(refuse, nullptr);
  Ac_InstallDialogHook();
  {
    test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
    ASSERT_NE(HookCallback, nullptr);  // the manager's hook runs first and passes the call on
    HWND refused = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"refused", WS_POPUP | WS_CAPTION, 0, 0, 100, 100,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(refused, nullptr);
    EXPECT_EQ(LiveProviders(), 0u);  // a window that is not made is not skinned
    NativeWindow allowed(L"#32770", WS_POPUP | WS_CAPTION, 100, 100, nullptr, WS_EX_DLGMODALFRAME, L"allowed");
    EXPECT_NE(HWND(allowed), nullptr);
    EXPECT_NE(FindFormInList(allowed), nullptr);
  }
  UnhookWindowsHookEx(refuse);
  CleanArray();
}

TEST_F(DialogHook, MessageBoxControlsGetHandlersWithTheDialogLook) {
  bool checked = false;
  ModalProbe::Run([] { MessageBoxW(nullptr, L"Text of the box", L"Caption", MB_OK | MB_ICONINFORMATION); },
                  [&](HWND box) {
                    TacProvider* provider = FindFormInList(box);
                    ASSERT_NE(provider, nullptr);
                    EXPECT_TRUE(provider->Skinned());
                    EXPECT_EQ(provider->sp, nullptr);
                    HWND ok = GetDlgItem(box, IDOK);
                    ASSERT_NE(ok, nullptr);
                    TacMainWnd* button = Ac_GetHandlerFromHwnd(ok);
                    ASSERT_NE(button, nullptr);
                    EXPECT_EQ(typeid(*button), typeid(TacBtnWnd));
                    EXPECT_TRUE(button->DlgMode);
                    EXPECT_EQ(provider->FindCtrlInList(ok), button);
                    // The text and the icon are statics: a text handler and an image handler.
                    int texts = 0, icons = 0;
                    for (HWND c = GetTopWindow(box); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
                      TacMainWnd* h = Ac_GetHandlerFromHwnd(c);
                      if (h == nullptr) continue;
                      if (typeid(*h) == typeid(TacStaticWnd)) ++texts;
                      if (typeid(*h) == typeid(TacIconWnd)) ++icons;
                    }
                    EXPECT_EQ(texts, 1);
                    EXPECT_EQ(icons, 1);
                    checked = true;
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                  });
  EXPECT_TRUE(checked);
  EXPECT_FALSE(acDlgMode);
}

TEST_F(DialogHook, ChildHandlersFollowTheClassAndStyleTable) {
  // A dialog window made hidden: its controls exist by its first activation, when it is scanned.
  NativeWindow dlg(L"#32770", WS_POPUP | WS_CAPTION | WS_SYSMENU, 500, 400, nullptr, WS_EX_DLGMODALFRAME);
  ASSERT_NE(FindFormInList(dlg), nullptr);
  struct Row {
    const wchar_t* cls;
    DWORD style;
    DWORD exStyle;
    const std::type_info* handler;  // nullptr: the control keeps its own drawing
  };
  const Row rows[] = {
      {L"Button", BS_PUSHBUTTON, 0, &typeid(TacBtnWnd)},
      {L"Button", BS_DEFPUSHBUTTON, 0, &typeid(TacBtnWnd)},
      {L"Button", BS_AUTOCHECKBOX, 0, &typeid(TacCheckBoxWnd)},
      {L"Button", BS_AUTORADIOBUTTON, 0, &typeid(TacCheckBoxWnd)},
      {L"Button", BS_GROUPBOX, 0, &typeid(TacGroupBoxWnd)},
      {L"Button", BS_OWNERDRAW, 0, &typeid(TacCheckBoxWnd)},  // 0x0B meets "style and 3 = 3"
      {L"Static", SS_LEFT, 0, &typeid(TacStaticWnd)},
      {L"Static", SS_ICON, 0, &typeid(TacIconWnd)},
      {L"Static", SS_ICON, WS_EX_STATICEDGE, &typeid(TacEdgeWnd)},
      {L"Static", SS_BITMAP, WS_EX_STATICEDGE, &typeid(TacEdgeWnd)},
      {L"Static", SS_LEFT, WS_EX_STATICEDGE, &typeid(TacStaticWnd)},
      {L"Static", SS_SIMPLE, 0, &typeid(TacIconWnd)},      // 0x0B meets "style and 3 = 3" too
      {L"Static", SS_BLACKFRAME, 0, &typeid(TacIconWnd)},  // 7 meets "style and 3 = 3"
      {L"Static", SS_GRAYRECT, 0, nullptr},                // 5 meets "style and 0x0D = 0x0D"
      {L"Static", SS_WHITERECT, 0, nullptr},
      {L"Static", SS_ETCHEDFRAME, 0, &typeid(TacStaticWnd)},
      {L"ScrollBar", SBS_SIZEGRIP, 0, &typeid(TacSizerWnd)},
      {L"ScrollBar", SBS_VERT, 0, nullptr},
      {L"Edit", WS_BORDER, 0, &typeid(TacEditWnd)},
      {L"ListBox", WS_BORDER, 0, &typeid(TacEditWnd)},
      {L"ComboBox", CBS_DROPDOWNLIST, 0, &typeid(TacComboBoxWnd)},
      {L"SysListView32", LVS_REPORT, 0, &typeid(TacListViewWnd)},
      {L"msctls_progress32", 0, 0, nullptr},
      {L"SysTabControl32", 0, 0, &typeid(TacTabControlWnd)},
      {L"SysTabControl32", TCS_OWNERDRAWFIXED, 0, nullptr},
      {L"msctls_trackbar32", TBS_AUTOTICKS, 0, &typeid(TacTrackWnd)},
  };
  std::vector<HWND> controls;
  int y = 0;
  for (const Row& row : rows) {
    controls.push_back(CreateWindowExW(row.exStyle, row.cls, L"x", WS_CHILD | WS_VISIBLE | row.style, 5, y, 60, 18, dlg,
                                       nullptr, GetModuleHandleW(nullptr), nullptr));
    y += 19;
    ASSERT_NE(controls.back(), nullptr) << static_cast<const void*>(row.cls);
  }
  // A nested page with a button: the button is attached before the page.
  HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, L"#32770", L"", WS_CHILD | WS_VISIBLE | DS_CONTROL, 200, 0, 200, 100,
                              dlg, nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND inPage = CreateWindowExW(0, L"Button", L"in page", WS_CHILD | WS_VISIBLE, 5, 5, 80, 20, page, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  HWND hiddenEdit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_BORDER, 200, 150, 80, 20, dlg, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  ShowWindow(dlg, SW_SHOW);

  TacProvider* provider = FindFormInList(dlg);
  ASSERT_NE(provider, nullptr);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    TacMainWnd* h = Ac_GetHandlerFromHwnd(controls[i]);
    const Row& row = rows[i];
    SCOPED_TRACE(::testing::Message() << "row " << i << " style 0x" << std::hex << row.style);
    if (row.handler == nullptr) {
      EXPECT_EQ(h, nullptr);
      continue;
    }
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(typeid(*h), *row.handler);
    EXPECT_TRUE(h->DlgMode);
  }
  ASSERT_NE(Ac_GetHandlerFromHwnd(page), nullptr);
  EXPECT_EQ(typeid(*Ac_GetHandlerFromHwnd(page)), typeid(TacTransPanelWnd));
  const auto index = [&](HWND w) {
    const auto& list = provider->acSkinnedCtrls;
    return std::find_if(list.begin(), list.end(), [w](const auto& h) { return h->CtrlHandle == w; }) - list.begin();
  };
  EXPECT_LT(index(inPage), index(page));
  // An invisible edit waits for a rescan once it shows; the rescan attaches only it.
  EXPECT_EQ(Ac_GetHandlerFromHwnd(hiddenEdit), nullptr);
  const std::size_t attached = provider->acSkinnedCtrls.size();
  ShowWindow(hiddenEdit, SW_SHOWNA);
  EXPECT_TRUE(provider->InitHwndControls(dlg));
  EXPECT_EQ(provider->acSkinnedCtrls.size(), attached + 1);
  EXPECT_NE(Ac_GetHandlerFromHwnd(hiddenEdit), nullptr);
  EXPECT_FALSE(provider->InitHwndControls(nullptr));
  EXPECT_FALSE(provider->AddControl(nullptr));
}

TEST_F(DialogHook, PastTwoSkinnedDialogsOnlyOneWithAToolBarIsSkinned) {
  ASSERT_EQ(ac_DialogsLevel, 2);
  NativeWindow first(L"#32770", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 100, nullptr, WS_EX_DLGMODALFRAME);
  NativeWindow second(L"#32770", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 100, nullptr, WS_EX_DLGMODALFRAME);
  ASSERT_NE(FindFormInList(first), nullptr);
  ASSERT_NE(FindFormInList(second), nullptr);
  ASSERT_EQ(VisibleDlgCount(), 2);

  ModalProbe::Run([] { MessageBoxW(nullptr, L"Third", L"Third", MB_OK); },
                  [](HWND box) {
                    EXPECT_EQ(FindFormInList(box), nullptr);
                    EXPECT_FALSE(Skinned(GetDlgItem(box, IDOK)));
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                  },
                  {first, second});

  wchar_t file[MAX_PATH] = L"";
  ModalProbe::Run(
      [&] {
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.lpstrFilter = L"dBaseIV files (*.dbf)\0*.dbf\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.Flags = OFN_EXPLORER;
        GetOpenFileNameW(&ofn);
      },
      [](HWND dlg) {
        EXPECT_TRUE(ControlExists(dlg, L"toolbarwindow32"));
        TacProvider* provider = FindFormInList(dlg);
        EXPECT_NE(provider, nullptr);
        if (provider != nullptr) {
          EXPECT_TRUE(provider->Skinned());
          EXPECT_TRUE(Skinned(GetDlgItem(dlg, IDOK)));
          // The file name box, the file type box and the file list.
          EXPECT_NE(provider->FindCtrlInList(GetDlgItem(dlg, cmb1)), nullptr);
          // The file list is made once the dialog shows its folder: the next rescan attaches it.
          EXPECT_TRUE(provider->InitHwndControls(dlg));
          HWND view = ChildOfClass(dlg, L"SHELLDLL_DefView");
          ASSERT_NE(view, nullptr);
          EXPECT_TRUE(Skinned(ChildOfClass(view, L"SysListView32")));
        }
        PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
      },
      {first, second});
}

TEST_F(DialogHook, ABoxIsPutWhereTheDialogPositionSays) {
  DlgLeft = 37;
  DlgTop = 53;
  ModalProbe::Run([] { MessageBoxW(nullptr, L"Placed", L"Placed", MB_OK); },
                  [](HWND box) {
                    RECT r{};
                    GetWindowRect(box, &r);
                    EXPECT_EQ(r.left, 37);
                    EXPECT_EQ(r.top, 53);
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                  });
  DlgLeft = DlgTop = -1;
  // Without a position the system's place stays: the box is centred, not at the last place.
  ModalProbe::Run([] { MessageBoxW(nullptr, L"Centred", L"Centred", MB_OK); },
                  [](HWND box) {
                    RECT r{};
                    GetWindowRect(box, &r);
                    EXPECT_FALSE(r.left == 37 && r.top == 53);
                    EXPECT_NE(FindFormInList(box), nullptr);
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                  });
}

TEST_F(DialogHook, FormsWithTheNoSkinTagBitsStayUnskinned) {
  RegisterSkinProviderClasses();
  struct Case {
    int tag;
    bool skinned;
  };
  for (const Case c : {Case{0, true}, Case{-98, false}, Case{-1, false}, Case{-2, false}, Case{98, true}}) {
    SCOPED_TRACE(c.tag);
    test::Owned<classlib::TForm> form(classlib::Create<classlib::TForm>(nullptr));
    form->SetTag(c.tag);
    form->SetBounds(40, 40, 200, 120);
    form->Show();
    EXPECT_EQ(Skinned(form->Handle()), c.skinned);
    TacProvider* provider = nullptr;
    for (TacProvider* p : acSupportedList)
      if (p != nullptr && p->Owner() == form.get()) provider = p;
    EXPECT_EQ(provider != nullptr, c.skinned);
    if (provider != nullptr) {
      EXPECT_NE(provider->sp, nullptr);
    }
    form.reset();
    // A form provider goes with its form and clears its entry.
    EXPECT_EQ(LiveProviders(), 0u);
  }
}

// A control that destroys another window while it is being destroyed itself, as a combo box of
// the open-file dialog destroys its drop-down list after the dialog's own destruction.
HWND g_otherWindow = nullptr;
bool g_providerAliveInside = false;
TacProvider* g_watched = nullptr;

LRESULT CALLBACK DestroysAnotherProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY && g_otherWindow != nullptr) {
    DestroyWindow(std::exchange(g_otherWindow, nullptr));
    g_providerAliveInside =
        std::find(acSupportedList.begin(), acSupportedList.end(), g_watched) != acSupportedList.end();
  }
  return DefWindowProcW(w, msg, wp, lp);
}

TEST_F(DialogHook, AProviderWaitsWhileOneOfItsHandlersRuns) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &DestroysAnotherProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"DestroysAnother";
  RegisterClassW(&wc);
  HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  HWND child = CreateWindowExW(0, L"DestroysAnother", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, host, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  g_otherWindow = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  ASSERT_EQ(FindFormInList(host), nullptr);
  // A dialog provider with a frame handler on the host and a handler on the control.
  auto* provider = new TacProvider(nullptr);
  acSupportedList.push_back(provider);
  provider->CtrlHandle = host;
  provider->ListSW = TacMainWnd::Create<TacTransPanelWnd>(host, nullptr, manager.get(), "DIALOG", false);
  provider->acSkinnedCtrls.push_back(TacMainWnd::Create<TacStaticWnd>(child, nullptr, manager.get(), "CHECKBOX"));
  g_watched = provider;
  g_providerAliveInside = false;

  DestroyWindow(host);
  EXPECT_TRUE(g_providerAliveInside);
  EXPECT_EQ(LiveProviders(), 1u);
  DestroyScratchWindow();
  EXPECT_EQ(LiveProviders(), 0u);
  EXPECT_EQ(TacMainWnd::LiveCount(), handlersBefore);
  g_watched = nullptr;
  UnregisterClassW(L"DestroysAnother", GetModuleHandleW(nullptr));
}

TEST_F(DialogHook, AHundredBoxesLeaveNoProviderOrHandlerAlive) {
  for (int i = 0; i < 100; ++i) {
    ModalProbe::Run([] { MessageBoxW(nullptr, L"Again", L"Cycle", MB_OKCANCEL | MB_ICONQUESTION); },
                    [](HWND box) {
                      EXPECT_NE(FindFormInList(box), nullptr);
                      PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                    });
    if (HasFatalFailure() || HasFailure()) break;
  }
  // A closed box's provider goes at the next destruction of a window of the thread.
  DestroyScratchWindow();
  EXPECT_EQ(LiveProviders(), 0u);
  EXPECT_EQ(TacMainWnd::LiveCount(), handlersBefore);
  EXPECT_EQ(TacWndThunk::LiveCount(), thunksBefore);
}

// Records the window origin of the DC that each control is printed with.
std::vector<std::pair<HWND, POINT>> g_printed;

LRESULT CALLBACK PrintRecorderProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PRINT) {
    POINT org{};
    GetWindowOrgEx(reinterpret_cast<HDC>(wp), &org);
    g_printed.emplace_back(w, org);
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

TEST_F(DialogHook, ChildControlsArePrintedAtTheirPlaces) {
  std::vector<std::pair<HWND, POINT>>& printed = g_printed;
  printed.clear();
  WNDCLASSW wc{};
  wc.lpfnWndProc = &PrintRecorderProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PrintRecorder";
  RegisterClassW(&wc);
  {
    NativeWindow host(L"STATIC", WS_POPUP | WS_VISIBLE, 300, 200);
    NativeWindow outer(L"PrintRecorder", WS_CHILD | WS_VISIBLE, 100, 100, host);  // at (10, 10)
    NativeWindow inner(L"PrintRecorder", WS_CHILD | WS_VISIBLE, 20, 20, outer);   // at (10, 10) in outer
    NativeWindow hidden(L"PrintRecorder", WS_CHILD, 20, 20, host);
    HDC dc = CreateCompatibleDC(nullptr);
    test::Owned<TacProvider> provider(new TacProvider(nullptr));
    provider->PrintHwndControls(host, dc);
    POINT org{};
    GetWindowOrgEx(dc, &org);
    DeleteDC(dc);
    EXPECT_EQ(org.x, 0);  // every move undone
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].first, HWND(outer));
    EXPECT_EQ(printed[0].second.x, -10);
    EXPECT_EQ(printed[0].second.y, -10);
    EXPECT_EQ(printed[1].first, HWND(inner));
    EXPECT_EQ(printed[1].second.x, -20);
    EXPECT_EQ(printed[1].second.y, -20);
  }
  UnregisterClassW(L"PrintRecorder", GetModuleHandleW(nullptr));
}

TEST_F(DialogHook, ToolBarsAndUpDownsGetTheirHandlers) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&icc);
  NativeWindow dlg(L"#32770", WS_POPUP | WS_CAPTION | WS_SYSMENU, 400, 300, nullptr, WS_EX_DLGMODALFRAME);
  const auto child = [&](const wchar_t* cls, DWORD style, int y) {
    HWND w = CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | style, 5, y, 200,
                             24, dlg, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(w, nullptr);
    return w;
  };
  HWND wrapable = child(TOOLBARCLASSNAMEW, TBSTYLE_WRAPABLE, 0);
  HWND plain = child(TOOLBARCLASSNAMEW, 0, 30);
  HWND upDown = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 5, 60, 16, 24, dlg, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ShowWindow(dlg, SW_SHOW);
  ASSERT_NE(FindFormInList(dlg), nullptr);
  // Style 0x200 takes the section "BAR", any other tool bar "CHECKBOX".
  for (const auto& [w, section] : {std::pair{wrapable, "BAR"}, std::pair{plain, "CHECKBOX"}}) {
    TacMainWnd* h = Ac_GetHandlerFromHwnd(w);
    ASSERT_NE(h, nullptr) << section;
    EXPECT_EQ(typeid(*h), typeid(TacToolBarWnd));
    EXPECT_EQ(h->SkinData->SkinSection(), section);
  }
  // The buddy edit's frame covers the arrows' first two columns.
  auto* spin = dynamic_cast<TacSpinWnd*>(Ac_GetHandlerFromHwnd(upDown));
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->SkinData->SkinSection(), "SPEEDBUTTON_SMALL");
  EXPECT_EQ(spin->lOffset, 2);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

// Pumps the thread's messages for a while so that every paint has happened.
void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

// The window as it stands on the screen, in a 32-bit bitmap.
std::unique_ptr<classlib::TBitmap> ScreenOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  auto bmp = NewBitmap32(r.right - r.left, r.bottom - r.top);
  HDC screen = GetDC(nullptr);
  BitBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return bmp;
}

// A point of a child window's client area in its dialog's window coordinates.
POINT InWindow(HWND dlg, HWND child, int x, int y) {
  POINT p{x, y};
  ClientToScreen(child, &p);
  RECT r{};
  GetWindowRect(dlg, &r);
  return {p.x - r.left, p.y - r.top};
}

std::uint32_t PixelAt(classlib::TBitmap* b, POINT p) { return b->Image32View().At(p.x, p.y).U & 0x00FFFFFFu; }

TEST_F(DialogHook, TransparentToolBarsAndIconsShowTheDialogsSkinBehindThem) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  NativeWindow dlg(L"#32770", WS_POPUP | WS_CAPTION | WS_SYSMENU, 400, 200, nullptr, WS_EX_DLGMODALFRAME);
  TacProvider* provider = FindFormInList(dlg);
  ASSERT_NE(provider, nullptr);
  // As the file dialog's places bar and navigation bar are made: transparent, flat, text beside.
  HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                             WS_CHILD | WS_VISIBLE | TBSTYLE_TRANSPARENT | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER |
                                 CCS_NORESIZE | CCS_NOPARENTALIGN,
                             10, 10, 300, 30, dlg, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(bar, nullptr);
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[2] = {};
  const wchar_t* labels[2] = {L"Desktop", L"Documents"};
  for (int i = 0; i < 2; ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = 100 + i;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    buttons[i].iString = reinterpret_cast<INT_PTR>(labels[i]);
  }
  SendMessageW(bar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
  HWND icon = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_ICON, 20, 60, 32, 32, dlg, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_INFORMATION)), 0);
  // A message box without an icon keeps its icon static, empty.
  HWND noIcon = CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE | SS_ICON, 80, 60, 32, 32, dlg, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  SetCursorPos(0, 0);  // no tool button hot under the mouse
  ShowWindow(dlg, SW_SHOW);
  UpdateWindow(dlg);
  Pump(300);
  auto* frame = dynamic_cast<TacDialogWnd*>(provider->ListSW.get());
  ASSERT_NE(frame, nullptr);

  // The dialog's section painted directly over the whole window, in the dialog's state.
  RECT wr{};
  GetWindowRect(dlg, &wr);
  auto reference = NewBitmap32(wr.right - wr.left, wr.bottom - wr.top);
  PaintItem(manager->GetSkinIndex("DIALOG"), "DIALOG", EmptyCI, true, frame->FormActive() ? 1 : 0,
            TRect{0, 0, reference->Width(), reference->Height()}, TPoint{}, reference.get(), manager.get());

  RECT second{};
  SendMessageW(bar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  RECT barRect{};
  GetClientRect(bar, &barRect);
  ASSERT_LT(second.right + 10, barRect.right);
  const auto check = [&](classlib::TBitmap* picture, const char* how) {
    SCOPED_TRACE(how);
    // Beside the buttons, the corners of a button and the icon's transparent corners: the skin.
    for (POINT p : {POINT{barRect.right - 3, 3}, POINT{barRect.right - 3, barRect.bottom - 3},
                    POINT{second.left + 1, second.top + 1}, POINT{second.right - 2, second.bottom - 2}}) {
      const POINT w = InWindow(dlg, bar, p.x, p.y);
      EXPECT_EQ(PixelAt(picture, w), PixelAt(reference.get(), w)) << "tool bar at " << p.x << ", " << p.y;
    }
    for (POINT p : {POINT{0, 0}, POINT{31, 0}, POINT{0, 31}}) {
      const POINT w = InWindow(dlg, icon, p.x, p.y);
      EXPECT_EQ(PixelAt(picture, w), PixelAt(reference.get(), w)) << "icon at " << p.x << ", " << p.y;
    }
    const POINT centre = InWindow(dlg, noIcon, 16, 16);
    EXPECT_EQ(PixelAt(picture, centre), PixelAt(reference.get(), centre)) << "an icon static without an icon";
    // The label is written over that background: some pixels of the button differ from it.
    int text = 0;
    for (int y = second.top; y < second.bottom; ++y)
      for (int x = second.left; x < second.right; ++x) {
        const POINT w = InWindow(dlg, bar, x, y);
        text += PixelAt(picture, w) != PixelAt(reference.get(), w) ? 1 : 0;
      }
    EXPECT_GT(text, 10) << "no label";
  };
  auto shot = ScreenOf(dlg);
  check(shot.get(), "on the screen");
  auto printed = NewBitmap32(reference->Width(), reference->Height());
  // The dialog, then each control at its place, each erasing its own background.
  HDC dc = printed->Canvas()->Handle();
  SendMessageW(dlg, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND | PRF_NONCLIENT);
  for (HWND child : {bar, icon, noIcon}) {
    const POINT at = InWindow(dlg, child, 0, 0);
    SetWindowOrgEx(dc, -at.x, -at.y, nullptr);
    SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  }
  SetWindowOrgEx(dc, 0, 0, nullptr);
  check(printed.get(), "printed");
}

}  // namespace
}  // namespace skin
