// The configurator's windows over a long session, in one process: the main window read from the
// description the program carries (its skin manager with the internal skin and its provider; the
// event bindings are left out, the program's handlers talk to the unit), the password and
// confirmation dialogs as the program builds them, and message boxes skinned through the dialog
// hook. After 200 page switches, 100 openings of each dialog and of a message box and 50 skin
// changes, the live GDI objects, the windows and the private bytes are back within a small
// constant of where they started.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <functional>
#include <map>
#include <vector>
#include <string>
#include <string_view>

#include "app/Attention.h"
#include "app/PassLock.h"
#include "app/TestMain.h"
#include "classlib/Dialogs.h"
#include "classlib/FormLoader.h"
#include "classlib/FormReader.h"
#include "classlib/Forms.h"
#include "classlib/ResourceStream.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sPageControl.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acDialsHook.h"
#include "tests/skin/controls/GdiCount.h"
#include "tests/support/MoveCursor.h"

using namespace classlib;

namespace {

forms::ObjectNode MainWindowDescription() {
  TResourceStream stream(GetModuleHandleW(nullptr), L"TFORM1");
  const auto* bytes = reinterpret_cast<const char*>(stream.Memory());
  forms::ObjectNode node = forms::ReadForm(std::string_view(bytes, static_cast<std::size_t>(stream.Size())));
  struct {
    void operator()(forms::ObjectNode& n) const {
      std::erase_if(n.properties, [](const forms::Property& p) {
        return p.name.size() > 2 && p.name.starts_with(L"On") && std::iswupper(p.name[2]);
      });
      for (forms::ObjectNode& child : n.children) (*this)(child);
    }
  } dropBindings;
  dropBindings(node);
  return node;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// A top-level window and all its descendants.
BOOL CALLBACK CountWindow(HWND wnd, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(wnd, CountChild, count);
  return TRUE;
}

struct Resources {
  int gdi = 0, windows = 0;
  long long privateBytes = 0;
  std::map<DWORD, int> gdiByType;
};

// Counted once what the last step set going (timers, posted repaints) has run out.
Resources Measure() {
  for (int i = 0; i < 50; ++i) {
    Pump();
    Sleep(10);
  }
  Resources r;
  r.gdi = skin::test::LiveGdiObjects();
  for (DWORD type : {OBJ_BITMAP, OBJ_BRUSH, OBJ_DC, OBJ_MEMDC, OBJ_FONT, OBJ_REGION, OBJ_PEN, OBJ_PAL})
    r.gdiByType[type] = skin::test::LiveGdiObjects(type);
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&r.windows));
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
    // Wine leaves PrivateUsage empty; the commit charge it reports is the same figure.
    r.privateBytes = static_cast<long long>(counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage);
  return r;
}

// What grew between two measures, for the failure message.
std::string Growth(const Resources& a, const Resources& b) {
  static const std::map<DWORD, const char*> names{{OBJ_BITMAP, "bitmaps"}, {OBJ_BRUSH, "brushes"}, {OBJ_DC, "DCs"},
                                                  {OBJ_MEMDC, "memory DCs"}, {OBJ_FONT, "fonts"},
                                                  {OBJ_REGION, "regions"}, {OBJ_PEN, "pens"}, {OBJ_PAL, "palettes"}};
  std::string text = "GDI " + std::to_string(a.gdi) + " -> " + std::to_string(b.gdi) + " (";
  for (const auto& [type, name] : names)
    if (b.gdiByType.at(type) != a.gdiByType.at(type))
      text += std::string(name) + " " + std::to_string(b.gdiByType.at(type) - a.gdiByType.at(type)) + " ";
  return text + "), windows " + std::to_string(a.windows) + " -> " + std::to_string(b.windows) + ", private bytes " +
         std::to_string(a.privateBytes) + " -> " + std::to_string(b.privateBytes);
}

// Shows a dialog modally and closes it from a timer once it is up, as a user cancelling it would.
void OpenAndCancel(TCustomForm* form) {
  static TCustomForm* current = nullptr;
  current = form;
  struct Closer {
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      current->SetModalResult(mrCancel);
    }
  };
  SetTimer(nullptr, 0, 1, &Closer::Fire);
  form->ShowModal();
}

// A real message box of this thread, answered from a timer once it is shown.
void MessageBoxAnswered() {
  struct Answer {
    static BOOL CALLBACK Find(HWND wnd, LPARAM found) {
      wchar_t cls[16]{};
      GetClassNameW(wnd, cls, 16);
      if (std::wstring_view(cls) == L"#32770" && IsWindowVisible(wnd)) {
        *reinterpret_cast<HWND*>(found) = wnd;
        return FALSE;
      }
      return TRUE;
    }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
      HWND box = nullptr;
      EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(&box));
      if (box == nullptr) return;  // not up yet: the next tick
      KillTimer(nullptr, id);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  };
  SetTimer(nullptr, 0, 5, &Answer::Fire);
  MessageBoxW(nullptr, L"Нет ответа от блока", L"Tarvisel", MB_OK | MB_ICONWARNING);
}

class Endurance : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    skin::RegisterSkinManagerClasses();
    RegisterMainWindowClasses();
    skin::Ac_InstallDialogHook();
    Application->CreateForm(frmPassLock);
    Application->CreateForm(Form2);
  }
  void SetUp() override {
    main_ = Create<TForm>(Application);
    ApplyDescription(main_, MainWindowDescription(), TFormBindings(main_));
    main_->Show();
    Pump();
    pages_ = dynamic_cast<skin::TsPageControl*>(main_->FindComponent(L"PageControl1"));
    manager_ = dynamic_cast<skin::TsSkinManager*>(main_->FindComponent(L"sSkinManager1"));
    ASSERT_NE(pages_, nullptr);
    ASSERT_NE(manager_, nullptr);
    ASSERT_TRUE(manager_->Active() && manager_->Records().SkinData.Active) << "the internal skin did not load";
  }
  void TearDown() override {
    Free(main_);
    Pump();
  }

  void SwitchPages(int times) {
    for (int i = 0; i < times; ++i) {
      pages_->SetActivePageIndex((pages_->ActivePageIndex() + 1) % pages_->PageCount());
      UpdateWindow(main_->Handle());
      Pump();
    }
  }
  void OpenDialogs(int times) {
    for (int i = 0; i < times; ++i) {
      OpenAndCancel(frmPassLock);
      OpenAndCancel(Form2);
      MessageBoxAnswered();
    }
  }
  void ChangeSkin(int times) {
    for (int i = 0; i < times; ++i) {
      manager_->SetActive(!manager_->Active());
      Pump();
    }
  }

  TForm* main_ = nullptr;
  skin::TsPageControl* pages_ = nullptr;
  skin::TsSkinManager* manager_ = nullptr;
};

// Each phase is measured against its own start, so that a failure names what leaked.
void ExpectGivenBack(const Resources& before, const Resources& after, const char* phase) {
  const std::string growth = Growth(before, after);
  EXPECT_LE(after.gdi - before.gdi, 16) << phase << ": " << growth;
  EXPECT_LE(after.windows, before.windows) << phase << ": " << growth;
  EXPECT_GT(before.privateBytes, 0) << "the private bytes cannot be read";
  EXPECT_LE(after.privateBytes - before.privateBytes, 4ll << 20) << phase << ": " << growth;
}

TEST_F(Endurance, ALongSessionGivesBackWhatItTakes) {
  // One round of everything first: what the windows cache once per skin (section images, fonts,
  // the dialogs' frames, which a skin change drops and their next showing builds again) belongs to
  // the starting point.
  ChangeSkin(2);
  SwitchPages(pages_->PageCount());
  OpenDialogs(1);

  Resources before = Measure();
  SwitchPages(200);
  ExpectGivenBack(before, Measure(), "200 page switches");

  before = Measure();
  OpenDialogs(100);
  ExpectGivenBack(before, Measure(), "100 openings of each dialog and a message box");

  before = Measure();
  ChangeSkin(50);
  ASSERT_TRUE(manager_->Active()) << "an even number of switches ends skinned";
  SwitchPages(pages_->PageCount());
  ExpectGivenBack(before, Measure(), "50 skin changes");
}

// Paints each window receives, counted in a procedure put in front of its own.
class PaintCounter {
 public:
  void Watch(HWND wnd) {
    previous_[wnd] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintCounter::Proc)));
  }
  ~PaintCounter() {
    for (const auto& [wnd, proc] : previous_)
      if (IsWindow(wnd)) SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    previous_.clear();
  }
  static int Paints(HWND wnd) { return paints_[wnd]; }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) ++paints_[wnd];
    return CallWindowProcW(previous_[wnd], wnd, msg, wp, lp);
  }
  static inline std::map<HWND, WNDPROC> previous_;
  static inline std::map<HWND, int> paints_;
};

// Lets fades and posted repaints run out while the pointer stays where it is; with a condition,
// first waits up to three seconds for it (a busy machine delivers the pointer's news late). Each
// turn ends as the program's message loop does when its queue is empty: the control under the
// pointer is looked up again.
void Settle(const std::function<bool()>& until = {}) {
  auto turn = [] {
    Pump();
    Application->UpdateMouseControl();
    Sleep(10);
  };
  for (int i = 0; until && !until() && i < 300; ++i) turn();
  for (int i = 0; i < 30; ++i) turn();
}

TEST_F(Endurance, MovingOverAButtonRepaintsItOnStateChangesNotOnEveryMove) {
  std::vector<skin::TsButton*> buttons;
  for (int i = 0; i < main_->ComponentCount(); ++i)
    if (auto* b = dynamic_cast<skin::TsButton*>(main_->Components(i)); b && b->HandleAllocated() && IsWindowVisible(b->Handle()))
      buttons.push_back(b);
  ASSERT_GE(buttons.size(), 3u) << "the first page shows no buttons";
  buttons.resize(3);
  SetForegroundWindow(main_->Handle());
  PaintCounter counter;
  for (skin::TsButton* b : buttons) counter.Watch(b->Handle());
  RECT away{};
  GetWindowRect(main_->Handle(), &away);
  ASSERT_TRUE(testsupport::MoveCursor(away.left + 4, away.bottom - 4));
  Settle();
  for (skin::TsButton* b : buttons) {
    RECT r{};
    GetWindowRect(b->Handle(), &r);
    const int y = (r.top + r.bottom) / 2;
    ASSERT_TRUE(testsupport::MoveCursor(r.left + 3, y));
    ASSERT_EQ(WindowFromPoint(POINT{r.left + 3, y}), b->Handle()) << "another window covers the button";
    Settle([b] { return b->SkinData()->FMouseAbove; });
    EXPECT_TRUE(b->SkinData()->FMouseAbove) << "the pointer over the button did not make it hot";
    const int afterEnter = PaintCounter::Paints(b->Handle());
    for (int x = r.left + 4; x < r.left + 24 && x < r.right - 2; ++x) {
      ASSERT_TRUE(testsupport::MoveCursor(x, y));
      Pump();
    }
    Settle();
    EXPECT_EQ(PaintCounter::Paints(b->Handle()), afterEnter) << "moves inside the button repainted it";
    ASSERT_TRUE(testsupport::MoveCursor(away.left + 4, away.bottom - 4));
    Settle([b] { return !b->SkinData()->FMouseAbove; });
    EXPECT_FALSE(b->SkinData()->FMouseAbove);
    EXPECT_GT(PaintCounter::Paints(b->Handle()), afterEnter) << "leaving the button did not repaint it";
  }
}

}  // namespace
