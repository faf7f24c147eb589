// The show, hide and cross-fade animations of forms, dialogs and controls: the constant alphas
// pushed frame by frame (recorded in place of UpdateLayeredWindow), the hide copy's life on its
// timer, the animation flag and windows left after every routine (exceptions too), the dialog
// handler's and the page control's wiring, and the cover of a control cross-fade.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sPageControl.h"
#include "skin/core/acAnimLink.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acAnimHide.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/forms/LayeredPushes.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::AnimWindowsAlive;
using test::ManagerWithOurSkin;
using test::Owned;
using test::Pump;
using test::Push;
using test::PushRecorder;
using test::WaitForHideEnd;

std::vector<int> Alphas(const std::vector<Push>& pushes) {
  std::vector<int> seen;
  for (const Push& p : pushes) seen.push_back(p.constantAlpha);
  return seen;
}

// Prints a "child" as a 10 x 10 red square at the client origin.
struct FakeHost : IacDialogHost {
  void RescanControls() override {}
  void PrintControls(HDC DC) override {
    const RECT r{0, 0, 10, 10};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(DC, &r, red);
    DeleteObject(red);
  }
};

INT_PTR CALLBACK KeepingDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

INT_PTR CALLBACK ClosingDlgProc(HWND h, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_COMMAND && (wp == IDCANCEL || wp == IDYES)) {
    EndDialog(h, INT_PTR(wp));
    return TRUE;
  }
  return FALSE;
}

// A dialog from a template in memory: no controls, hidden, modeless.
HWND MakeDialog(DLGPROC Proc = &KeepingDlgProc) {
  alignas(4) WORD buffer[128] = {};
  auto* t = reinterpret_cast<DLGTEMPLATE*>(buffer);
  t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  t->x = 20;
  t->y = 20;
  t->cx = 180;
  t->cy = 90;
  WORD* p = reinterpret_cast<WORD*>(t + 1);
  *p++ = 0;  // no menu
  *p++ = 0;  // the dialog class
  for (const wchar_t* c = L"Animated"; *c != 0; ++c) *p++ = static_cast<WORD>(*c);
  *p++ = 0;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t, nullptr, Proc, 0);
}

class WindowAnimTest : public ::testing::Test {
 protected:
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;
  FakeHost host;
  HWND dialog = nullptr;
  THandler<TacDialogWnd> dialogWnd;

  void SetUp() override {
    RegisterSkinProviderClasses();
    for (TacFormAnimation* a : {static_cast<TacFormAnimation*>(&manager->AnimEffects().FormShow()),
                                static_cast<TacFormAnimation*>(&manager->AnimEffects().FormHide()),
                                static_cast<TacFormAnimation*>(&manager->AnimEffects().DialogShow()),
                                static_cast<TacFormAnimation*>(&manager->AnimEffects().DialogHide())})
      a->SetActive(false);
    form.reset(MakeSkinnedForm(60, 50, provider));
  }
  void TearDown() override {
    ASSERT_TRUE(WaitForHideEnd());
    dialogWnd.reset();
    if (dialog != nullptr) DestroyWindow(dialog);
    classlib::Free(provider);
    InAnimationProcess = false;
  }
  TForm* MakeSkinnedForm(int x, int y, TsSkinProvider*& sp) {
    TForm* f = classlib::Create<TForm>(nullptr);
    f->SetBounds(x, y, 320, 220);
    f->SetCaption(L"Animated");
    f->HandleNeeded();
    sp = classlib::Create<TsSkinProvider>(f);
    sp->SkinData()->SetSkinManager(manager.get());
    sp->PrepareForm();
    return f;
  }
  void MakeSkinnedDialog(DLGPROC Proc = &KeepingDlgProc) {
    dialog = MakeDialog(Proc);
    ASSERT_NE(dialog, nullptr);
    dialogWnd = TacMainWnd::Create<TacDialogWnd>(dialog, nullptr, manager.get(), "DIALOG", false, &host);
    dialogWnd->InitParams();
    SendMessageW(dialog, SM_ALPHACMD, AlphaCmd(ACMD_NEWSKIN), reinterpret_cast<LPARAM>(manager.get()));
  }
  static void SetAnim(TacFormAnimation& a, int time, TacAnimType mode = TacAnimType::atFading) {
    a.SetActive(true);
    a.SetTime(std::uint16_t(time));
    a.SetMode(mode);
  }
  static SIZE WindowSize(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return {r.right - r.left, r.bottom - r.top};
  }
};

// Frames = Time div 12; the alpha rises by Max / Frames for a form, Max / (Frames + 1) for a
// dialog, each to the nearest integer. Pushes: the hidden start, Frames + 1 frames, the final
// picture; without frames only the final picture, once.
TEST_F(WindowAnimTest, ShowFramesFollowTheTimeTable) {
  struct Case {
    bool dialog;
    int time, max;
    std::vector<int> alphas;
  };
  const std::vector<Case> cases{
      {false, 0, 255, {255}},
      {false, 11, 255, {255}},
      {false, 12, 255, {0, 255, 255, 255}},
      // 255 / 8 = 31.875: full at the 8th of 9 frames.
      {false, 100, 255, {0, 32, 64, 96, 128, 159, 191, 223, 255, 255, 255}},
      // A form blended at 200 ends at 200.
      {false, 100, 200, {0, 25, 50, 75, 100, 125, 150, 175, 200, 200, 200}},
      {true, 0, 255, {255}},
      {true, 11, 255, {255}},
      // 255 / 2 = 127.5.
      {true, 12, 255, {0, 128, 255, 255}},
      // 255 / 9 = 28.33: full exactly at the 9th frame.
      {true, 100, 255, {0, 28, 57, 85, 113, 142, 170, 198, 227, 255, 255}},
  };
  form->Show();
  Pump();
  MakeSkinnedDialog();
  ShowWindow(dialog, SW_SHOWNOACTIVATE);
  // Showing the dialog runs its own show animation: on a busy machine it may still be running.
  for (int i = 0; i < 500 && AnimWindowsAlive() != 0; ++i) {
    Pump();
    Sleep(10);
  }
  ASSERT_EQ(AnimWindowsAlive(), 0) << "the dialog's own show did not end";
  for (const Case& c : cases) {
    SCOPED_TRACE((c.dialog ? "dialog, " : "form, ") + std::to_string(c.time) + " ms, max " + std::to_string(c.max));
    PushRecorder recorder;
    const HWND h = c.dialog ? dialog : form->Handle();
    if (c.dialog)
      AnimShowDlg(dialogWnd.get(), std::uint16_t(c.time), c.max, TacAnimType::atFading);
    else
      AnimShowControl(form.get(), std::uint16_t(c.time), c.max, TacAnimType::atFading);
    EXPECT_EQ(Alphas(recorder.pushes), c.alphas);
    const SIZE size = WindowSize(h);
    for (const Push& p : recorder.pushes) {
      EXPECT_NE(p.wnd, h);
      EXPECT_EQ(p.width, size.cx);
      EXPECT_EQ(p.height, size.cy);
    }
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_EQ(AnimWindowsAlive(), 0);
    EXPECT_EQ(AnimCoverWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(h));
  }
}

TEST_F(WindowAnimTest, DialogClientIsPrintedAtItsPlaceAndMadeOpaque) {
  MakeSkinnedDialog();
  RECT window{}, client{};
  GetWindowRect(dialog, &window);
  GetClientRect(dialog, &client);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  const int x = origin.x - window.left, y = origin.y - window.top;
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf32bit);
  bmp->SetSize(window.right - window.left, window.bottom - window.top);
  PatBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), BLACKNESS);
  GdiFlush();
  PrindDlgClient(dialogWnd.get(), bmp.get(), false);
  GdiFlush();
  const auto at = [&](int px, int py) { return bmp->Image32View().At(px, py).U; };
  // Red (blue low in a DIB) and opaque where the child was printed, opaque over the client, the
  // frame untouched.
  EXPECT_EQ(at(x + 5, y + 5), 0xFFFF0000u);
  EXPECT_EQ(at(x + 10, y + 10) >> 24, 0xFFu);
  EXPECT_EQ(at(x + client.right - 1, y + client.bottom - 1) >> 24, 0xFFu);
  EXPECT_EQ(at(x - 1, y + 5), 0u);
  EXPECT_EQ(at(1, 1), 0u);
}

TEST_F(WindowAnimTest, AeroDialogShowStartsAtThreeQuarters) {
  MakeSkinnedDialog();
  PushRecorder recorder;
  AnimShowDlg(dialogWnd.get(), 100, 255, TacAnimType::atAero);
  ASSERT_EQ(recorder.pushes.size(), 11u);
  const Push& first = recorder.pushes[1];
  ASSERT_FALSE(first.alpha.empty());
  const int w = first.width, h = first.height;
  EXPECT_EQ(first.AlphaAt(w / 8 - 2, h / 2), 0);
  EXPECT_EQ(first.AlphaAt(w / 8 + 2, h / 2), 255);
  EXPECT_EQ(first.AlphaAt(w / 2, h / 8 - 2), 0);
  EXPECT_EQ(first.AlphaAt(w / 2, h - h / 8 + 2), 0);
  const Push& last = recorder.pushes[9];
  EXPECT_EQ(last.AlphaAt(1, 1), 255);
  EXPECT_EQ(last.AlphaAt(w - 2, h - 2), 255);
}

TEST_F(WindowAnimTest, HideFadesOutOnItsTimerAndLetsTheCopyGo) {
  form->Show();
  Pump();
  const SIZE size = WindowSize(form->Handle());
  SetAnim(manager->AnimEffects().FormHide(), 100);
  PushRecorder recorder;
  form->Hide();
  EXPECT_FALSE(InAnimationProcess);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(provider->HideImage, nullptr);
  ASSERT_TRUE(WaitForHideEnd());
  // 8 steps of 255 / 8 = 31.875 down from the picture shown at 255, the last step held at 0.
  EXPECT_EQ(Alphas(recorder.pushes), (std::vector<int>{255, 223, 191, 159, 128, 96, 64, 32, 0, 0}));
  for (const Push& p : recorder.pushes) {
    EXPECT_EQ(p.wnd, recorder.pushes[0].wnd);
    EXPECT_EQ(p.width, size.cx);
    EXPECT_EQ(p.height, size.cy);
  }
  EXPECT_FALSE(IsWindow(recorder.pushes[0].wnd));
  EXPECT_EQ(AnimWindowsAlive(), 0);
}

TEST_F(WindowAnimTest, HideBelowOneStepShowsNothing) {
  form->Show();
  Pump();
  SetAnim(manager->AnimEffects().FormHide(), 11);
  PushRecorder recorder;
  form->Hide();
  Pump();
  EXPECT_TRUE(recorder.pushes.empty());
  EXPECT_EQ(AnimWindowsAlive(), 0);
  EXPECT_EQ(provider->HideImage, nullptr);
  EXPECT_FALSE(InAnimationProcess);
}

TEST_F(WindowAnimTest, SecondHideFreesTheFirstCopyBeforeShowingItsOwn) {
  TsSkinProvider* secondProvider = nullptr;
  Owned<TForm> second(MakeSkinnedForm(420, 80, secondProvider));
  form->Show();
  second->Show();
  Pump();
  SetAnim(manager->AnimEffects().FormHide(), 240);
  PushRecorder recorder;
  form->Hide();
  second->Hide();
  ASSERT_TRUE(WaitForHideEnd());
  ASSERT_GE(recorder.pushes.size(), 2u);
  const HWND firstCopy = recorder.pushes[0].wnd;
  std::size_t firstOfSecond = 0;
  while (firstOfSecond < recorder.pushes.size() && recorder.pushes[firstOfSecond].wnd == firstCopy) ++firstOfSecond;
  ASSERT_LT(firstOfSecond, recorder.pushes.size()) << "the second hide showed nothing";
  EXPECT_EQ(recorder.pushes[firstOfSecond].earlierAlive, 0);
  // The first hide was cut short: its 20 steps never all played.
  EXPECT_LT(firstOfSecond, 21u);
  EXPECT_EQ(AnimWindowsAlive(), 0);
  classlib::Free(secondProvider);
}

TEST_F(WindowAnimTest, DialogHandlerShowsAndHidesThroughTheAnimations) {
  SetAnim(manager->AnimEffects().DialogShow(), 24);
  SetAnim(manager->AnimEffects().DialogHide(), 24);
  MakeSkinnedDialog();
  {
    PushRecorder recorder;
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    Pump();
    // Frames 2, steps of 255 / 3.
    EXPECT_EQ(Alphas(recorder.pushes), (std::vector<int>{0, 85, 170, 255, 255}));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_EQ(AnimWindowsAlive(), 0);
  }
  // Cancel refused: the dialog stays, and so must nothing over it.
  SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(AnimWindowsAlive(), 0);
  EXPECT_EQ(dialogWnd->CoverForm, nullptr);
  {
    PushRecorder recorder;
    ShowWindow(dialog, SW_HIDE);
    EXPECT_FALSE(InAnimationProcess);
    ASSERT_TRUE(WaitForHideEnd());
    // 2 steps of 127.5 down from 255.
    EXPECT_EQ(Alphas(recorder.pushes), (std::vector<int>{255, 128, 0, 0}));
    ASSERT_FALSE(recorder.pushes.empty());
    EXPECT_EQ(recorder.pushes[0].width, WindowSize(dialog).cx);
    EXPECT_EQ(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(AnimWindowsAlive(), 0);
  }
}

TEST_F(WindowAnimTest, CancelThatClosesTheDialogFadesOutItsPicture) {
  SetAnim(manager->AnimEffects().DialogHide(), 24);
  MakeSkinnedDialog(&ClosingDlgProc);
  ShowWindow(dialog, SW_SHOWNOACTIVATE);
  Pump();
  UpdateWindow(dialog);
  PushRecorder recorder;
  SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(dialogWnd->CoverForm, nullptr);
  EXPECT_FALSE(InAnimationProcess);
  ASSERT_TRUE(WaitForHideEnd());
  // The picture put over the dialog as the command came, then the hide's start and 2 steps, all on
  // that one window.
  EXPECT_EQ(Alphas(recorder.pushes), (std::vector<int>{255, 255, 128, 0, 0}));
  for (const Push& p : recorder.pushes) {
    EXPECT_EQ(p.wnd, recorder.pushes[0].wnd);
    EXPECT_EQ(p.width, WindowSize(dialog).cx);
  }
  EXPECT_EQ(AnimWindowsAlive(), 0);
}

TEST_F(WindowAnimTest, AFailingPushLeavesNoAnimationBehind) {
  form->Show();
  MakeSkinnedDialog();
  ShowWindow(dialog, SW_SHOWNOACTIVATE);
  Pump();
  SetAnim(manager->AnimEffects().FormHide(), 100);
  const auto expectSettled = [&](HWND h) {
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_EQ(AnimWindowsAlive(), 0);
    EXPECT_EQ(AnimCoverWindow(), nullptr);
    if (h != nullptr) {
      EXPECT_TRUE(IsWindowVisible(h));
    }
  };
  {
    SCOPED_TRACE("form cross-fade");
    PushRecorder recorder;
    recorder.throwAt = 2;
    EXPECT_THROW(AnimShowControl(form.get(), 100, 255, TacAnimType::atFading), std::runtime_error);
    expectSettled(form->Handle());
  }
  {
    SCOPED_TRACE("dialog show");
    PushRecorder recorder;
    recorder.throwAt = 2;
    EXPECT_THROW(AnimShowDlg(dialogWnd.get(), 100, 255, TacAnimType::atFading), std::runtime_error);
    expectSettled(dialog);
  }
  {
    SCOPED_TRACE("form hide");
    provider->HideImage = GetFormImage(provider, false);
    ASSERT_NE(provider->HideImage, nullptr);
    PushRecorder recorder;
    recorder.throwAt = 1;
    EXPECT_THROW(AnimHideForm(provider), std::runtime_error);
    expectSettled(nullptr);
  }
}

TEST_F(WindowAnimTest, FormWithoutProviderCrossFadesThroughACover) {
  Owned<TForm> plain(classlib::Create<TForm>(nullptr));
  plain->SetBounds(100, 100, 200, 150);
  plain->Show();
  Pump();
  PushRecorder recorder;
  PrepareForAnimation(plain.get());
  ASSERT_NE(AnimCoverWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(AnimCoverWindow()->Handle()));
  AnimShowControl(plain.get(), 24, 255, TacAnimType::atFading);
  EXPECT_TRUE(recorder.pushes.empty());
  EXPECT_EQ(AnimCoverWindow(), nullptr);
  EXPECT_FALSE(InAnimationProcess);
  EXPECT_TRUE(IsWindowVisible(plain->Handle()));
}

// Stands in for the magnifier, which every cross-fade frame tells to refresh: it reads the cover's
// pixel at (X, Y) at each frame.
class FrameWatcher : public TForm {
 public:
  explicit FrameWatcher(TComponent* AOwner) : TForm(AOwner) {}
  static inline int x = 0, y = 0;
  static inline std::vector<COLORREF> seen;

 protected:
  void WndProc(TMessage& M) override {
    if (M.Msg == SM_ALPHACMD && CommandOf(M.WParam) == ACMD_REFRESH && AnimCoverWindow() != nullptr) {
      const HWND cover = AnimCoverWindow()->Handle();
      const HDC dc = GetWindowDC(cover);
      seen.push_back(GetPixel(dc, x, y) & 0xFFFFFF);
      ReleaseDC(cover, dc);
      return;
    }
    TForm::WndProc(M);
  }
};

TEST_F(WindowAnimTest, CrossFadeOfEachControlStartsFromThatControlsOldLook) {
  Owned<TForm> host(classlib::Create<TForm>(nullptr));
  host->SetBounds(40, 40, 360, 260);
  auto* small = classlib::Create<TPanel>(host.get());
  small->SetParent(host.get());
  small->SetBounds(10, 10, 40, 30);
  small->SetColor(clRed);
  auto* big = classlib::Create<TPanel>(host.get());
  big->SetParent(host.get());
  big->SetBounds(70, 60, 240, 150);
  big->SetColor(clBlue);
  for (TPanel* p : {small, big}) {
    p->SetBevelOuter(bvNone);
    p->SetParentBackground(false);
  }
  host->Show();
  Pump();
  UpdateWindow(host->Handle());
  Owned<FrameWatcher> watcher(classlib::Create<FrameWatcher>(nullptr));
  watcher->HandleNeeded();
  acMagnForm = watcher.get();
  const classlib::TScopeExit noWatcher([] { acMagnForm = nullptr; });
  PrepareForAnimation(small);
  AnimShowControl(small, 0, 255, TacAnimType::atFading);
  // The big panel turns green under its cover; the far corner of the first of 3 frames is the old
  // blue weighted 255 / 256, of the last the new green weighted 255 / 256 (a weight of 1 left).
  PrepareForAnimation(big);
  big->SetColor(clLime);
  FrameWatcher::x = 230;
  FrameWatcher::y = 140;
  FrameWatcher::seen.clear();
  AnimShowControl(big, 24, 255, TacAnimType::atFading);
  ASSERT_EQ(FrameWatcher::seen.size(), 3u);
  EXPECT_EQ(FrameWatcher::seen.front(), COLORREF(RGB(0, 0, 254)));
  EXPECT_EQ(FrameWatcher::seen.back(), COLORREF(RGB(0, 254, 0)));
  EXPECT_FALSE(InAnimationProcess);
  EXPECT_EQ(AnimCoverWindow(), nullptr);
}

// Counts of the control animation's entries, passing each on to the real one.
struct CountingLink {
  static inline TacControlAnimLink real;
  static inline int prepares = 0, shows = 0;
  static inline int lastTime = -1;
  CountingLink() {
    real = ControlAnimLink();
    prepares = shows = 0;
    lastTime = -1;
    SetControlAnimLink({[](TWinControl* c) {
                          ++prepares;
                          real.Prepare(c);
                        },
                        [](TWinControl* c, std::uint16_t t, int m, TacAnimType mode) {
                          ++shows;
                          lastTime = t;
                          EXPECT_NE(AnimCoverWindow(), nullptr);
                          real.Show(c, t, m, mode);
                        },
                        real.CoverUp, real.FreeCover});
  }
  ~CountingLink() { SetControlAnimLink(real); }
};

TEST_F(WindowAnimTest, TabClickChangesThePageUnderACover) {
  form->Show();
  auto* pc = classlib::Create<TsPageControl>(form.get());
  pc->SetParent(form.get());
  pc->SetBounds(10, 10, 280, 150);
  for (const wchar_t* caption : {L"One", L"Two"}) {
    auto* s = classlib::Create<TsTabSheet>(form.get());
    s->SetPageControl(pc);
    s->SetCaption(caption);
  }
  Pump();
  bool allow = true;
  pc->OnChanging = [&](TObject*, bool& AllowChange) { AllowChange = allow; };
  CountingLink link;
  const auto click = [&](int index) {
    RECT tab{};
    SendMessageW(pc->Handle(), TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    SendMessageW(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(pc->Handle(), WM_LBUTTONUP, 0, at);
    Pump();
  };
  click(1);
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  EXPECT_EQ(link.prepares, 1);
  EXPECT_EQ(link.shows, 1);
  EXPECT_EQ(link.lastTime, 0);
  EXPECT_EQ(AnimCoverWindow(), nullptr);
  EXPECT_FALSE(InAnimationProcess);
  // A refused change takes the cover away again without animating.
  allow = false;
  click(0);
  EXPECT_EQ(pc->ActivePageIndex(), 1);
  EXPECT_EQ(link.prepares, 2);
  EXPECT_EQ(link.shows, 1);
  EXPECT_EQ(AnimCoverWindow(), nullptr);
  EXPECT_FALSE(InAnimationProcess);
}

TEST_F(WindowAnimTest, SkinChangeCrossFadesTheForm) {
  form->Show();
  Pump();
  // The manager's default: 100 ms of fading.
  ASSERT_TRUE(manager->AnimEffects().SkinChanging().Active());
  PushRecorder recorder;
  provider->ShowAfterSkinChange();
  EXPECT_EQ(Alphas(recorder.pushes), (std::vector<int>{0, 32, 64, 96, 128, 159, 191, 223, 255, 255, 255}));
  EXPECT_FALSE(InAnimationProcess);
  EXPECT_EQ(AnimWindowsAlive(), 0);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

}  // namespace
}  // namespace skin
