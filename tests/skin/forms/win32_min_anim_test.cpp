// The minimise and restore animation, the title-button glow and blending while moving on a skinned
// form. Timers are ticked by hand (their workers tick only through the message queue, which these
// tests do not pump while an animation runs); the pictures pushed to layered windows are recorded
// in place of UpdateLayeredWindow, since alpha never reaches an Xvfb screen. The taskbar is a fake
// one made in this process: Wine's own is zero-sized and has no button chain.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acMinAnim.h"
#include "skin/forms/acMoveAnim.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/acTaskbarButton.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/windows/WindowsFixture.h"
#include "tests/support/MoveCursor.h"

namespace skin {
namespace {

using namespace classlib;
using test::ManagerWithOurSkin;
using test::Owned;

struct Push {
  HWND wnd;
  int alpha;
  POINT pos;
  SIZE size;
};

struct PushRecorder {
  static inline std::vector<Push> pushes;
  static BOOL WINAPI Record(HWND wnd, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                            BLENDFUNCTION* blend, DWORD flags) {
    RECT r{};
    GetWindowRect(wnd, &r);
    pushes.push_back({wnd, blend->SourceConstantAlpha, pos != nullptr ? *pos : POINT{r.left, r.top}, *size});
    return UpdateLayeredWindow(wnd, dst, pos, size, src, srcPos, key, blend, flags);
  }
  PushRecorder() {
    pushes.clear();
    SetUpdateLayeredWindow(&Record);
  }
  ~PushRecorder() { SetUpdateLayeredWindow(nullptr); }
  static std::vector<int> AlphasTo(HWND wnd) {
    std::vector<int> a;
    for (const Push& p : pushes)
      if (p.wnd == wnd) a.push_back(p.alpha);
    return a;
  }
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM l) {
  reinterpret_cast<std::set<HWND>*>(l)->insert(w);
  return TRUE;
}

int AnimWindowsAlive() {
  std::set<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&found));
  int alive = 0;
  for (HWND w : found) {
    TWinControl* control = FindControl(w);
    if (control != nullptr && control->Tag() == acAnimWindowTag) ++alive;
  }
  return alive;
}

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

void RegisterPlainClass(const wchar_t* name) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &PlainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

// What a task button's data starts with: the window it stands for.
struct TaskData {
  HWND wnd;
};

// The shell's taskbar as the search expects it, in this process: a tray window of the given
// rectangle and, with Buttons, the chain down to a tool bar whose buttons are (in order) a
// separator, a hidden button and a button of another window, all three naming Target, then
// Target's own button.
struct FakeTaskbar {
  static inline HWND tray = nullptr;
  static HWND Find() { return tray; }
  HWND toolBar = nullptr;
  TaskData targetData{}, otherData{};

  FakeTaskbar(RECT bar, bool buttons, HWND target) {
    RegisterPlainClass(L"Shell_TrayWnd");
    RegisterPlainClass(L"MSTaskSwWClass");
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
    tray = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"", WS_POPUP, bar.left, bar.top, bar.right - bar.left,
                           bar.bottom - bar.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetShellTrayFinder(&Find);
    if (!buttons) return;
    const HWND rebar = CreateWindowExW(0, REBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, bar.right - bar.left,
                                       bar.bottom - bar.top, tray, nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND tasks = CreateWindowExW(0, L"MSTaskSwWClass", L"", WS_CHILD | WS_VISIBLE, 0, 0, bar.right - bar.left,
                                       bar.bottom - bar.top, rebar, nullptr, GetModuleHandleW(nullptr), nullptr);
    toolBar =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NODIVIDER, 0, 0,
                        bar.right - bar.left, bar.bottom - bar.top, tasks, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    targetData.wnd = target;
    otherData.wnd = tray;
    const auto data = [](TaskData& d) { return reinterpret_cast<DWORD_PTR>(&d); };
    TBBUTTON b[4] = {};
    b[0] = {I_IMAGENONE, 1, TBSTATE_ENABLED, BTNS_SEP, {}, data(targetData), 0};
    b[1] = {I_IMAGENONE, 2, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_BUTTON, {}, data(targetData), 0};
    b[2] = {I_IMAGENONE, 3, TBSTATE_ENABLED, BTNS_BUTTON, {}, data(otherData), 0};
    b[3] = {I_IMAGENONE, 4, TBSTATE_ENABLED, BTNS_BUTTON, {}, data(targetData), 0};
    SendMessageW(toolBar, TB_SETBUTTONSIZE, 0, MAKELPARAM(60, 24));
    SendMessageW(toolBar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(b));
  }
  ~FakeTaskbar() {
    SetShellTrayFinder(nullptr);
    DestroyWindow(tray);
    tray = nullptr;
  }
  // The target's button on the screen, by the tool bar's own answer.
  TRect ButtonOnScreen() const {
    RECT r{};
    SendMessageW(toolBar, TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(toolBar, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
  }
};

bool Layered(HWND h) { return (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

int LayeredAlpha(HWND h) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(h, nullptr, &alpha, &flags) || (flags & LWA_ALPHA) == 0) return -1;
  return alpha;
}

class AnimFixture : public ::testing::Test {
 protected:
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;
  PushRecorder recorder;

  virtual TForm* MakeForm() { return classlib::Create<TForm>(nullptr); }
  void SetUp() override {
    RegisterSkinProviderClasses();
    form.reset(MakeForm());
    form->SetBounds(100, 100, 320, 240);
    form->SetCaption(L"Animated");
    form->HandleNeeded();
    provider = classlib::Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
    provider->PrepareForm();
    manager->AnimEffects().FormShow().SetActive(false);
    manager->AnimEffects().FormHide().SetActive(false);
    form->Show();
    provider->PaintAll();
  }
  void TearDown() override {
    classlib::Free(provider);
    provider = nullptr;
    form.reset();
    EXPECT_EQ(AnimWindowsAlive(), 0);
    EXPECT_FALSE(InAnimationProcess);
  }
  HWND H() const { return form->Handle(); }
  TacMinTimer* MinTimer() const { return dynamic_cast<TacMinTimer*>(provider->FormTimer.get()); }
  // Ticks the running minimise or restore until its state bit falls; the number of ticks.
  int TickUntil(unsigned bit) {
    MinTimer()->SetEnabled(false);
    int ticks = 0;
    while ((provider->FormState() & bit) != 0 && ticks < 40) {
      MinTimer()->TimeHandler();
      ++ticks;
    }
    return ticks;
  }
  HWND Cover() const { return MinTimer()->AnimForm ? MinTimer()->AnimForm->Handle() : nullptr; }
};

// The main form: its window has the taskbar button, and its minimise and restore animate.
class MinimiseTest : public AnimFixture {
 protected:
  TForm* MakeForm() override {
    TForm* f = nullptr;
    Application->CreateForm(f);
    EXPECT_EQ(Application->MainForm(), f);
    return f;
  }
};

TEST_F(MinimiseTest, MinimiseShrinksTowardsTheTaskbarButtonInThirteenStepsOf255Over12) {
  FakeTaskbar bar({0, 728, 1024, 768}, true, H());
  const TRect button = bar.ButtonOnScreen();
  ASSERT_NE(button.Left, button.Right);
  SendMessageW(H(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_NE(MinTimer(), nullptr);
  EXPECT_TRUE(IsIconic(H()));
  EXPECT_TRUE(Layered(H()));
  EXPECT_EQ(LayeredAlpha(H()), 0);
  EXPECT_NE(provider->FormState() & kFormMinimizing, 0u);
  EXPECT_EQ(MinTimer()->Motion.RectTo, button);
  const HWND cover = Cover();
  ASSERT_NE(cover, nullptr);
  PushRecorder::pushes.clear();

  EXPECT_EQ(TickUntil(kFormMinimizing), 13);
  const std::vector<int> expected{234, 213, 192, 171, 150, 129, 108, 87, 66, 45, 24, 3};
  EXPECT_EQ(PushRecorder::AlphasTo(cover), expected);
  // Every frame is the window's size, its image centred; the first centre has moved a
  // thirteenth of the way from the window's centre (260, 220) to the button's.
  const double bx = (button.Left + button.Right) / 2, by = (button.Top + button.Bottom) / 2;
  ASSERT_FALSE(PushRecorder::pushes.empty());
  const Push& first = PushRecorder::pushes.front();
  EXPECT_EQ(first.size.cx, 320);
  EXPECT_EQ(first.size.cy, 240);
  EXPECT_NEAR(first.pos.x + 160, 260 + (bx - 260) / 13, 1.0);
  EXPECT_NEAR(first.pos.y + 120, 220 + (by - 220) / 13, 1.0);
  const Push& last = PushRecorder::pushes.back();
  EXPECT_NEAR(last.pos.x + 160, 260 + 12 * (bx - 260) / 13, 1.0);
  EXPECT_NEAR(last.pos.y + 120, 220 + 12 * (by - 220) / 13, 1.0);

  EXPECT_TRUE(MinTimer()->Minimized);
  EXPECT_FALSE(Layered(H()));
  EXPECT_FALSE(provider->fAnimating);
  EXPECT_FALSE(IsWindowVisible(cover));
  EXPECT_FALSE(InAnimationProcess);
}

TEST_F(MinimiseTest, RestoreGrowsBackAndTheCoverGoesEveryCycle) {
  FakeTaskbar bar({0, 728, 1024, 768}, true, H());
  for (int cycle = 0; cycle < 2; ++cycle) {
    SendMessageW(H(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_NE(MinTimer(), nullptr);
    TickUntil(kFormMinimizing);
    ASSERT_TRUE(IsIconic(H()));
    EXPECT_EQ(AnimWindowsAlive(), 1) << "the hidden cover waits for the restore";

    const HWND cover = Cover();
    PushRecorder::pushes.clear();
    SendMessageW(H(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(H()));
    EXPECT_NE(provider->FormState() & kFormRestoring, 0u);
    EXPECT_EQ(LayeredAlpha(H()), 0);
    EXPECT_EQ(TickUntil(kFormRestoring), 13);
    const std::vector<int> expected{21, 42, 63, 84, 105, 126, 147, 168, 189, 210, 231, 252, 255};
    EXPECT_EQ(PushRecorder::AlphasTo(cover), expected);
    // The last picture is the window's own at its place at rest.
    EXPECT_EQ(PushRecorder::pushes.back().pos.x, 100);
    EXPECT_EQ(PushRecorder::pushes.back().pos.y, 100);

    EXPECT_TRUE(IsWindowVisible(H()));
    EXPECT_FALSE(Layered(H()));
    EXPECT_EQ(provider->FormState(), 0u);
    EXPECT_FALSE(provider->fAnimating);
    EXPECT_FALSE(MinTimer()->Minimized);
    EXPECT_EQ(Cover(), nullptr);
    EXPECT_EQ(AnimWindowsAlive(), 0) << "cycle " << cycle;
  }
}

TEST_F(MinimiseTest, RestoreRequestedMidWayTurnsAroundFromTheCurrentAlpha) {
  FakeTaskbar bar({0, 728, 1024, 768}, true, H());
  SendMessageW(H(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  MinTimer()->SetEnabled(false);
  for (int i = 0; i < 5; ++i) MinTimer()->TimeHandler();
  EXPECT_EQ(MinTimer()->Motion.CurrentAlpha, 150);
  const HWND cover = Cover();
  PushRecorder::pushes.clear();
  SendMessageW(H(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(TickUntil(kFormRestoring), 5);
  const std::vector<int> expected{171, 192, 213, 234, 255};
  EXPECT_EQ(PushRecorder::AlphasTo(cover), expected);
  EXPECT_TRUE(IsWindowVisible(H()));
  EXPECT_FALSE(Layered(H()));
  EXPECT_EQ(provider->FormState(), 0u);
}

// With its timer running on its own: the whole cycle ends within its time, as the message loop
// hands it the ticks.
TEST_F(MinimiseTest, RunningTimerPlaysAWholeCycle) {
  FakeTaskbar bar({0, 728, 1024, 768}, true, H());
  const auto pumpWhile = [&](unsigned bit) {
    const DWORD start = GetTickCount();
    while ((provider->FormState() & bit) != 0 && GetTickCount() - start < 2000) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      Sleep(5);
    }
    return (provider->FormState() & bit) == 0;
  };
  SendMessageW(H(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(pumpWhile(kFormMinimizing));
  EXPECT_TRUE(IsIconic(H()));
  EXPECT_FALSE(Layered(H()));
  SendMessageW(H(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(pumpWhile(kFormRestoring));
  EXPECT_TRUE(IsWindowVisible(H()));
  EXPECT_FALSE(IsIconic(H()));
  EXPECT_FALSE(Layered(H()));
  EXPECT_EQ(AnimWindowsAlive(), 0);
  EXPECT_FALSE(MinTimer()->Enabled());
}

TEST_F(AnimFixture, WithoutAButtonTheImageHeadsForTheTaskbarEdgeOrTheOrigin) {
  manager->AnimEffects().Minimizing().SetTime(200);
  {
    FakeTaskbar bar({0, 0, 40, 768}, false, H());
    StartMinimizing(provider);
    ASSERT_NE(MinTimer(), nullptr);
    EXPECT_EQ(MinTimer()->TBPosition, 1u);
    EXPECT_EQ(MinTimer()->Motion.RectTo, (TRect{40, 220, 40, 220}));
    TickUntil(kFormMinimizing);
  }
  provider->FormTimer.reset();
  SetShellTrayFinder([]() -> HWND { return nullptr; });
  StartMinimizing(provider);
  SetShellTrayFinder(nullptr);
  EXPECT_EQ(MinTimer()->Motion.RectTo, TRect{}) << "no taskbar at all";
  TickUntil(kFormMinimizing);
}

// Shown again by the program rather than through the animation: the next minimise starts afresh
// from where the window stands.
TEST_F(MinimiseTest, RestoredBehindTheAnimationsBackTheNextMinimiseStartsAfresh) {
  FakeTaskbar bar({0, 728, 1024, 768}, true, H());
  SendMessageW(H(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  TickUntil(kFormMinimizing);
  ASSERT_TRUE(MinTimer()->Minimized);
  ShowWindow(H(), SW_RESTORE);
  SetWindowPos(H(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(H(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(MinTimer()->Motion.RectFrom, (TRect{200, 150, 520, 390}));
  PushRecorder::pushes.clear();
  EXPECT_EQ(TickUntil(kFormMinimizing), 13);
  EXPECT_EQ(PushRecorder::AlphasTo(Cover()).size(), 12u);
  EXPECT_FALSE(Layered(H()));
}

TEST_F(AnimFixture, MinimisingSwitchedOffAnimatesNothing) {
  manager->AnimEffects().Minimizing().SetActive(false);
  StartMinimizing(provider);
  EXPECT_EQ(provider->FormTimer.get(), nullptr);
  EXPECT_FALSE(Layered(H()));
  EXPECT_EQ(provider->FormState(), 0u);
  EXPECT_FALSE(StartRestoring(provider));
}

// The search in the shell's tool bar: the right button among decoys, nothing on every way it can
// fail, and no handle left behind on any of them.
TEST(TaskbarButton, FoundAmongDecoysAndEveryWayOutReleasesWhatItTook) {
  RegisterPlainClass(L"acTaskTarget");
  const HWND target = CreateWindowExW(0, L"acTaskTarget", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  const HWND stranger = CreateWindowExW(0, L"acTaskTarget", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
  DWORD before = 0, after = 0;
  {
    FakeTaskbar bar({0, 728, 1024, 768}, true, target);
    const TRect expected = bar.ButtonOnScreen();
    ASSERT_NE(expected.Left, expected.Right);
    GetProcessHandleCount(GetCurrentProcess(), &before);
    for (int i = 0; i < 20; ++i) {
      EXPECT_EQ(TaskbarButtonRect(bar.tray, target), expected);
      EXPECT_EQ(TaskbarButtonRect(bar.tray, stranger), TRect{});
    }
    GetProcessHandleCount(GetCurrentProcess(), &after);
    EXPECT_EQ(after, before);
    SendMessageW(bar.toolBar, TB_DELETEBUTTON, 3, 0);
    EXPECT_EQ(TaskbarButtonRect(bar.tray, target), TRect{}) << "only decoys left";
    while (SendMessageW(bar.toolBar, TB_DELETEBUTTON, 0, 0)) {}
    EXPECT_EQ(TaskbarButtonRect(bar.tray, target), TRect{}) << "no buttons";
    DestroyWindow(bar.toolBar);
    EXPECT_EQ(TaskbarButtonRect(bar.tray, target), TRect{}) << "no tool bar";
  }
  EXPECT_EQ(TaskbarButtonRect(nullptr, target), TRect{});
  DestroyWindow(target);
  DestroyWindow(stranger);
}

// ---- title-button glow ----

class GlowTest : public AnimFixture {
 protected:
  int glowIndex = -1;
  void SetUp() override {
    AnimFixture::SetUp();
    TacSkinRecords& rec = manager->Records();
    ASSERT_TRUE(manager->GetAllowGlowing());
    // A glow picture for the close button, 40 x 36, out of the master bitmap.
    TsMaskData md;
    md.ClassName = "GLOBALINFO";
    md.PropertyName = "BICONCLOSEGLOW0";
    md.R = {0, 0, 40, 36};
    md.ImageCount = 1;
    md.MaskType = 0;
    md.ImgType = TacImgType::itisaGlow;
    md.Manager = &rec;
    rec.ma.push_back(std::move(md));
    glowIndex = int(rec.ma.size()) - 1;
    rec.SkinData.BICloseGlowMargin = 6;
  }
  TacSBAnimation* Glow(TsCaptionButton& b) const { return b.Timer; }
  TRect ScreenOf(const TRect& r) const {
    RECT w{};
    GetWindowRect(H(), &w);
    return {w.left + r.Left, w.top + r.Top, w.left + r.Right, w.top + r.Bottom};
  }
};

TEST_F(GlowTest, HotCloseButtonGlowsLargerByTheMarginAndFadesInOverTenSteps) {
  const TRect btn = ScreenOf(provider->ButtonClose.Rect);
  ASSERT_GT(btn.Right - btn.Left, 0);
  ASSERT_TRUE(testsupport::MoveCursor((btn.Left + btn.Right) / 2, (btn.Top + btn.Bottom) / 2));
  provider->SetHotHT(HTCLOSE, true);
  TacSBAnimation* t = Glow(provider->ButtonClose);
  ASSERT_NE(t, nullptr);
  ASSERT_TRUE(t->AForm);
  t->SetEnabled(false);
  RECT g{};
  GetWindowRect(t->AForm->Handle(), &g);
  EXPECT_EQ(g.left, btn.Left - 6);
  EXPECT_EQ(g.top, btn.Top - 6);
  EXPECT_EQ(g.right - g.left, 40);
  EXPECT_EQ(g.bottom - g.top, 36);
  const LONG_PTR ex = GetWindowLongPtrW(t->AForm->Handle(), GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW),
            WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  for (int i = 0; i < 10; ++i) t->OnAnimTimer(t);
  const std::vector<int> fadeIn{25, 50, 75, 100, 125, 150, 175, 200, 225, 255};
  EXPECT_EQ(PushRecorder::AlphasTo(t->AForm->Handle()), fadeIn);
  EXPECT_EQ(provider->ButtonClose.State, 1);

  // Leaving: the button fades out over its levels and the window goes.
  const HWND glowWnd = t->AForm->Handle();
  PushRecorder::pushes.clear();
  provider->SetHotHT(0, true);
  EXPECT_EQ(provider->ButtonClose.Timer, t);
  t->SetEnabled(false);
  for (int i = 0; i < 12 && t->CurrentState != -1; ++i) t->OnAnimTimer(t);
  EXPECT_EQ(t->CurrentState, -1);
  EXPECT_FALSE(t->AForm);
  const std::vector<int> fadeOut{250, 225, 200, 175, 150, 125, 100, 75, 50, 25};
  EXPECT_EQ(PushRecorder::AlphasTo(glowWnd), fadeOut);
  EXPECT_EQ(AnimWindowsAlive(), 0);
}

TEST_F(GlowTest, WithoutAGlowPictureTheWindowIsTheButtonsSizeAndPressedShowsAtOnce) {
  manager->Records().ma[std::size_t(glowIndex)].PropertyName = "SOMETHINGELSE";
  const TRect btn = ScreenOf(provider->ButtonMin.Rect);
  provider->SetHotHT(HTMINBUTTON, true);
  TacSBAnimation* t = Glow(provider->ButtonMin);
  ASSERT_NE(t, nullptr);
  t->SetEnabled(false);
  RECT g{};
  GetWindowRect(t->AForm->Handle(), &g);
  EXPECT_EQ((TRect{g.left, g.top, g.right, g.bottom}), btn);
  PushRecorder::pushes.clear();
  provider->ButtonMin.State = 2;
  provider->RepaintButton(HTMINBUTTON);
  ASSERT_TRUE(t->AForm);
  EXPECT_EQ(PushRecorder::AlphasTo(t->AForm->Handle()), std::vector<int>{255});
}

// A user's click through the system's input queue at a screen point.
void RealInput(POINT at, DWORD flags) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (at.x * 65535 + w / 2) / (w - 1);
  input.mi.dy = (at.y * 65535 + h / 2) / (h - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
}

void PumpFor(DWORD ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

// The glow window lies over the button the mouse is on: clicks go through it to the form.
TEST_F(GlowTest, ClicksGoThroughTheGlowToTheButton) {
  SetForegroundWindow(H());
  const TRect btn = ScreenOf(provider->ButtonMin.Rect);
  const POINT at{(btn.Left + btn.Right) / 2, (btn.Top + btn.Bottom) / 2};
  RealInput(at, 0);
  PumpFor(300);
  ASSERT_NE(provider->ButtonMin.Timer, nullptr) << "hovering starts the glow";
  ASSERT_TRUE(provider->ButtonMin.Timer->AForm);
  EXPECT_EQ(WindowFromPoint(at), H());
  RealInput(at, MOUSEEVENTF_LEFTDOWN);
  PumpFor(100);
  RealInput(at, MOUSEEVENTF_LEFTUP);
  PumpFor(300);
  EXPECT_TRUE(IsIconic(H()));
  RealInput(POINT{5, 5}, 0);
  PumpFor(100);
}

// Under Wine the pointer the system reports may lag behind a fast click: a held button's glow
// never declares the mouse gone, the release decides.
TEST_F(GlowTest, HeldButtonKeepsItsPressWhereverThePointerIsReported) {
  ASSERT_TRUE(testsupport::MoveCursor(2, 2));
  provider->SetPressedHT(HTCLOSE);
  ASSERT_TRUE(bPressed);
  TacSBAnimation* t = provider->ButtonClose.Timer;
  ASSERT_NE(t, nullptr);
  for (int i = 0; i < 3; ++i) t->OnAnimTimer(t);
  EXPECT_TRUE(bPressed);
  EXPECT_EQ(provider->ButtonClose.State, 2);
  bPressed = false;
}

TEST_F(GlowTest, KillAnimationsStopsEveryGlow) {
  provider->SetHotHT(HTCLOSE, true);
  provider->SetHotHT(HTMINBUTTON, true);
  ASSERT_NE(provider->ButtonClose.Timer, nullptr);
  ASSERT_NE(provider->ButtonMin.Timer, nullptr);
  EXPECT_GE(AnimWindowsAlive(), 1);
  provider->KillAnimations();
  EXPECT_EQ(provider->ButtonClose.Timer, nullptr);
  EXPECT_EQ(provider->ButtonMin.Timer, nullptr);
  EXPECT_EQ(AnimWindowsAlive(), 0);
  EXPECT_FALSE(InAnimationProcess);
}

// ---- blending while moving ----

struct MoveSpy {
  static inline TsSkinProvider* provider = nullptr;
  static inline std::vector<int> alphas;
  static inline bool blendingFlag = false;
  static inline int ticks = 2;
  static void Loop(HWND h) {
    blendingFlag = (provider->FormState() & kFormBlending) != 0;
    auto* timer = dynamic_cast<TacMoveTimer*>(provider->FormTimer.get());
    if (timer == nullptr) return;
    timer->SetEnabled(false);
    for (int i = 0; i < ticks; ++i) {
      timer->TimeHandler();
      alphas.push_back(LayeredAlpha(h));
    }
  }
  MoveSpy(TsSkinProvider* p, int n) {
    provider = p;
    alphas.clear();
    blendingFlag = false;
    ticks = n;
    SetMoveLoop(&Loop);
  }
  ~MoveSpy() { SetMoveLoop(nullptr); }
};

TEST(MoveBlendStep, StepTable) {
  EXPECT_EQ(MoveBlendStep(170, 0), 85);
  EXPECT_EQ(MoveBlendStep(170, 12), 85);
  EXPECT_EQ(MoveBlendStep(170, 13), 78);   // 85 / (13 / 12)
  EXPECT_EQ(MoveBlendStep(170, 1000), 1);  // 85 / 83.3
  EXPECT_EQ(MoveBlendStep(0, 24), 128);    // 127.5 to the even neighbour
}

TEST_F(AnimFixture, BlendOnMovingBelow13MillisecondsDragsAtTheBlendValueAtOnce) {
  TacBlendOnMoving& blend = manager->AnimEffects().BlendOnMoving();
  blend.SetActive(true);
  blend.SetBlendValue(170);
  blend.SetTime(10);
  MoveSpy spy(provider, 3);
  StartBlendOnMoving(provider);
  EXPECT_TRUE(MoveSpy::blendingFlag);
  EXPECT_EQ(MoveSpy::alphas, (std::vector<int>{255, 170, 170}));
  EXPECT_FALSE(Layered(H()));
  EXPECT_EQ(provider->FormState() & kFormBlending, 0u);
  EXPECT_EQ(provider->FormTimer.get(), nullptr);
  EXPECT_EQ(AnimWindowsAlive(), 0);
}

// The caption pressed with full-window dragging on: the drag runs blended.
TEST_F(AnimFixture, CaptionPressStartsTheBlendedDrag) {
  BOOL fullDrag = FALSE;
  SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
  SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  TacBlendOnMoving& blend = manager->AnimEffects().BlendOnMoving();
  blend.SetActive(true);
  blend.SetTime(0);
  RECT w{};
  GetWindowRect(H(), &w);
  const LPARAM caption = MAKELPARAM(w.left + 40, w.top + 10);
  ASSERT_EQ(SendMessageW(H(), WM_NCHITTEST, 0, caption), HTCAPTION);
  {
    MoveSpy spy(provider, 2);
    // Should the system's own move loop run instead, Escape waiting in the queue ends it.
    PostMessageW(H(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(H(), WM_NCLBUTTONDOWN, HTCAPTION, caption);
    MSG msg;
    while (PeekMessageW(&msg, H(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {}
    EXPECT_TRUE(MoveSpy::blendingFlag);
    EXPECT_EQ(MoveSpy::alphas, (std::vector<int>{255, 170}));
  }
  SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, fullDrag, nullptr, 0);
  EXPECT_FALSE(Layered(H()));
  EXPECT_EQ(provider->FormState(), 0u);
}

TEST_F(AnimFixture, BlendOnMovingFadesOneStepPerTickAndIsOffByDefault) {
  {
    MoveSpy spy(provider, 2);
    StartBlendOnMoving(provider);
    EXPECT_TRUE(MoveSpy::alphas.empty()) << "inactive by default: no drag of its own";
  }
  TacBlendOnMoving& blend = manager->AnimEffects().BlendOnMoving();
  blend.SetActive(true);
  blend.SetTime(1000);
  MoveSpy spy(provider, 3);
  StartBlendOnMoving(provider);
  EXPECT_EQ(MoveSpy::alphas, (std::vector<int>{255, 254, 253}));
  EXPECT_FALSE(Layered(H()));
}

TEST_F(MinimiseTest, MinimiseButtonClickedThroughItsGlowAnimatesTheMainForm) {
  SetForegroundWindow(H());
  const TRect w = [&] {
    RECT r{};
    GetWindowRect(H(), &r);
    return TRect{r.left, r.top, r.right, r.bottom};
  }();
  const TRect& b = provider->ButtonMin.Rect;
  const POINT at{w.Left + (b.Left + b.Right) / 2, w.Top + (b.Top + b.Bottom) / 2};
  RealInput(at, 0);
  PumpFor(300);
  RealInput(at, MOUSEEVENTF_LEFTDOWN);
  PumpFor(100);
  RealInput(at, MOUSEEVENTF_LEFTUP);
  PumpFor(100);
  for (int i = 0; i < 60 && provider->FormState() != 0; ++i) PumpFor(50);
  EXPECT_TRUE(IsIconic(H()));
  EXPECT_FALSE(Layered(H()));
  EXPECT_EQ(provider->FormState(), 0u);
  RealInput(POINT{5, 5}, 0);
  PumpFor(100);
}

}  // namespace
}  // namespace skin
