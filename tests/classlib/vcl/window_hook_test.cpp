// Hooks on one window stacked three deep and taken off in every order, on a library window and
// on a window of a system class; exceptions inside a hook; hooks that outlive their window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/WindowHook.h"
#include "vcl_fixture.h"

using namespace classlib;

namespace {

constexpr UINT kProbe = WM_APP + 7;

// A library window that answers the probe itself, so the test sees the message reach it.
class TProbeControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::wstring ClassName() const override { return L"TProbeControl"; }
  std::vector<int>* log = nullptr;

 protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == kProbe) {
      log->push_back(0);
      Message.Result = 1000;
      return;
    }
    TCustomControl::WndProc(Message);
  }
};

// Hook I writes I into the log and adds I * 10 to what the procedures below it answer.
TWindowHook::TProc Marker(int id, std::vector<int>& log) {
  return [id, &log](HWND, UINT msg, WPARAM w, LPARAM l, const TWindowHook::TNext& next) -> LRESULT {
    if (msg != kProbe) return next(msg, w, l);
    log.push_back(id);
    return next(msg, w, l) + id * 10;
  };
}

struct Probe {
  std::vector<int> path;
  LRESULT result;
};

class WindowHookTest : public ::testing::TestWithParam<std::array<int, 3>> {
 protected:
  // Hooks 1, 2, 3 on Window, then off in the order of the parameter; after each step the probe
  // must pass the hooks still on, newest first, and end at the window's own answer.
  void StackAndRemove(HWND window, std::vector<int>& log, bool answersProbe) {
    const auto original = GetWindowLongPtrW(window, GWLP_WNDPROC);
    std::array<TWindowHook, 3> hooks;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(hooks[i].Hook(window, Marker(i + 1, log)));
    std::vector<int> on = {3, 2, 1};
    auto check = [&] {
      log.clear();
      const LRESULT result = SendMessageW(window, kProbe, 0, 0);
      std::vector<int> expected = on;
      LRESULT sum = answersProbe ? 1000 : 0;
      for (int id : on) sum += id * 10;
      if (answersProbe) expected.push_back(0);
      EXPECT_EQ(log, expected);
      EXPECT_EQ(result, sum);
    };
    check();
    for (int id : GetParam()) {
      SCOPED_TRACE(id);
      hooks[id - 1].Unhook();
      EXPECT_FALSE(hooks[id - 1].Hooked());
      on.erase(std::find(on.begin(), on.end(), id));
      check();
    }
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
  }
};

TEST_P(WindowHookTest, LibraryWindowKeepsTheOtherHooks) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* control = new TProbeControl(form.get());
  std::vector<int> log;
  control->log = &log;
  control->SetParent(form.get());
  StackAndRemove(control->Handle(), log, true);
  // The library's own procedure is back in place: its text still goes through it.
  control->SetText(L"after");
  EXPECT_EQ(vcltest::WindowText(control->Handle()), L"after");
}

TEST_P(WindowHookTest, ForeignWindowKeepsTheOtherHooks) {
  HWND button = CreateWindowExW(0, L"BUTTON", L"before", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(button, nullptr);
  std::vector<int> log;
  StackAndRemove(button, log, false);
  SetWindowTextW(button, L"after");
  EXPECT_EQ(vcltest::WindowText(button), L"after");
  DestroyWindow(button);
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, WindowHookTest,
                         ::testing::Values(std::array<int, 3>{1, 2, 3}, std::array<int, 3>{1, 3, 2},
                                           std::array<int, 3>{2, 1, 3}, std::array<int, 3>{2, 3, 1},
                                           std::array<int, 3>{3, 1, 2}, std::array<int, 3>{3, 2, 1}));

TEST(WindowHook, ExceptionGoesToTheApplicationAndTheWindowLives) {
  HWND edit =
      CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(edit, nullptr);
  std::vector<std::wstring> caught;
  Application->OnException = [&](TObject*, const std::exception_ptr& e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::runtime_error& error) {
      caught.emplace_back(error.what(), error.what() + std::string(error.what()).size());
    }
  };
  TWindowHook hook(edit, [](HWND, UINT msg, WPARAM w, LPARAM l, const TWindowHook::TNext& next) -> LRESULT {
    if (msg == kProbe) throw std::runtime_error("hook failed");
    return next(msg, w, l);
  });
  EXPECT_EQ(SendMessageW(edit, kProbe, 0, 0), 0);
  Application->OnException = nullptr;
  EXPECT_EQ(caught, std::vector<std::wstring>{L"hook failed"});
  SetWindowTextW(edit, L"still here");
  EXPECT_EQ(vcltest::WindowText(edit), L"still here");
  DestroyWindow(edit);
}

TEST(WindowHook, HookThatOutlivesItsWindowLetsGo) {
  HWND button =
      CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  std::vector<int> log;
  TWindowHook first(button, Marker(1, log));
  TWindowHook second(button, Marker(2, log));
  EXPECT_TRUE(first.Hooked() && second.Hooked());
  DestroyWindow(button);
  EXPECT_FALSE(first.Hooked());
  EXPECT_FALSE(second.Hooked());
  EXPECT_EQ(first.Handle(), nullptr);
  second.Unhook();  // nothing left to touch
}

TEST(WindowHook, HookMayTakeItselfOffWhileHandlingAMessage) {
  HWND button =
      CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  const auto original = GetWindowLongPtrW(button, GWLP_WNDPROC);
  std::vector<int> log;
  TWindowHook below(button, Marker(1, log));
  TWindowHook once;
  once.Hook(button, [&](HWND, UINT msg, WPARAM w, LPARAM l, const TWindowHook::TNext& next) -> LRESULT {
    if (msg != kProbe) return next(msg, w, l);
    log.push_back(2);
    once.Unhook();
    return next(msg, w, l);
  });
  SendMessageW(button, kProbe, 0, 0);
  SendMessageW(button, kProbe, 0, 0);
  EXPECT_EQ(log, (std::vector<int>{2, 1, 1}));
  below.Unhook();
  EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), original);
  DestroyWindow(button);
}

// Another library's subclass, put on after the chain.
WNDPROC chained = nullptr;
int foreignCalls = 0;
LRESULT CALLBACK ForeignProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == kProbe) ++foreignCalls;
  return CallWindowProcW(chained, h, msg, w, l);
}

TEST(WindowHook, LaterForeignSubclassSurvivesTheLastUnhook) {
  HWND button =
      CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  std::vector<int> log;
  TWindowHook hook(button, Marker(1, log));
  foreignCalls = 0;
  chained = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(button, GWLP_WNDPROC));
  const WNDPROC foreign = &ForeignProc;
  SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(foreign));
  hook.Unhook();
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(button, GWLP_WNDPROC)), foreign);
  log.clear();
  SendMessageW(button, kProbe, 0, 0);
  EXPECT_EQ(foreignCalls, 1);
  EXPECT_TRUE(log.empty());
  DestroyWindow(button);
}

}  // namespace
