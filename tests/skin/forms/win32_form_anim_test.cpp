// A skinned form shown through its layered copy: the pictures pushed to the copy (recorded in place
// of UpdateLayeredWindow, since alpha never reaches an Xvfb screen), the form's state afterwards,
// and nothing left behind by repeated shows and hides.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/controls/GdiCount.h"
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
using test::ThreadWindows;

// Composition reported on, through the DWM entry the services resolve.
struct CompositionOn {
  static HRESULT WINAPI IsEnabled(BOOL* on) {
    *on = TRUE;
    return S_OK;
  }
  static void* Resolve(const char* name) {
    return std::string(name) == "DwmIsCompositionEnabled" ? reinterpret_cast<void*>(&IsEnabled) : nullptr;
  }
  static int Vista() { return 6; }
  CompositionOn() {
    SetOsMajorVersion(&Vista);
    SetDwmResolver(&Resolve);
  }
  ~CompositionOn() {
    SetDwmResolver(nullptr);
    SetOsMajorVersion(nullptr);
  }
};

class FormAnimTest : public ::testing::Test {
 protected:
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;

  void SetUp() override {
    RegisterSkinProviderClasses();
    form.reset(classlib::Create<TForm>(nullptr));
    form->SetBounds(60, 50, 320, 220);
    form->SetCaption(L"Animated");
    form->HandleNeeded();
    provider = classlib::Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
    provider->PrepareForm();
  }
  void TearDown() override {
    classlib::Free(provider);
    InAnimationProcess = false;
  }
  void SetShow(int time, TacAnimType mode) {
    manager->AnimEffects().FormShow().SetActive(true);
    manager->AnimEffects().FormShow().SetTime(std::uint16_t(time));
    manager->AnimEffects().FormShow().SetMode(mode);
  }
  HWND H() const { return form->Handle(); }
  void ExpectShownAndSettled() {
    EXPECT_TRUE(IsWindowVisible(H()));
    EXPECT_EQ(GetWindowLongPtrW(H(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(AnimWindowsAlive(), 0);
    EXPECT_FALSE(InAnimationProcess);
    EXPECT_FALSE(provider->FInAnimation);
    EXPECT_FALSE(provider->fAnimating);
    EXPECT_EQ(provider->LockCount, 0);
  }
};

TEST_F(FormAnimTest, ShowWithoutFramesPushesTheWholeFormOpaqueOnce) {
  for (const bool composition : {false, true}) {
    SCOPED_TRACE(composition ? "composition on" : "composition off");
    std::unique_ptr<CompositionOn> dwm;
    if (composition) dwm = std::make_unique<CompositionOn>();
    SetShow(0, TacAnimType::atAero);
    PushRecorder recorder;
    form->Show();
    Pump();
    ExpectShownAndSettled();
    RECT r;
    GetWindowRect(H(), &r);
    ASSERT_EQ(recorder.pushes.size(), 1u);
    for (const Push& p : recorder.pushes) {
      EXPECT_NE(p.wnd, H());
      EXPECT_EQ(p.constantAlpha, 255);
      EXPECT_EQ(p.width, r.right - r.left);
      EXPECT_EQ(p.height, r.bottom - r.top);
    }
    form->Hide();
    Pump();
  }
}

TEST_F(FormAnimTest, HundredMillisecondFadeReachesFullAlphaAtTheEighthFrame) {
  SetShow(100, TacAnimType::atFading);
  PushRecorder recorder;
  form->Show();
  Pump();
  ExpectShownAndSettled();
  // 8 frames of 255 / 8 = 31.875 each, rounded; the first push is the hidden start, the last the
  // final picture.
  const std::vector<int> expected{0, 32, 64, 96, 128, 159, 191, 223, 255, 255, 255};
  std::vector<int> seen;
  for (const Push& p : recorder.pushes) seen.push_back(p.constantAlpha);
  EXPECT_EQ(seen, expected);
  // A fade shows the whole picture from its first frame.
  ASSERT_GE(recorder.pushes.size(), 2u);
  const Push& first = recorder.pushes[1];
  ASSERT_FALSE(first.alpha.empty());
  EXPECT_EQ(first.AlphaAt(2, 2), 255);
  EXPECT_EQ(first.AlphaAt(first.width - 3, first.height - 3), 255);
}

TEST_F(FormAnimTest, AeroShowGrowsFromThreeQuartersToFullSize) {
  CompositionOn dwm;
  SetShow(100, TacAnimType::atAero);
  PushRecorder recorder;
  form->Show();
  Pump();
  ExpectShownAndSettled();
  ASSERT_EQ(recorder.pushes.size(), 11u);
  const Push& first = recorder.pushes[1];
  ASSERT_FALSE(first.alpha.empty());
  const int w = first.width, h = first.height;
  // The first frame: the picture inset by an eighth on each side, nothing outside it.
  EXPECT_EQ(first.AlphaAt(w / 8 - 2, h / 2), 0);
  EXPECT_EQ(first.AlphaAt(w / 8 + 2, h / 2), 255);
  EXPECT_EQ(first.AlphaAt(w - w / 8 + 2, h / 2), 0);
  EXPECT_EQ(first.AlphaAt(w / 2, h / 8 - 2), 0);
  EXPECT_EQ(first.AlphaAt(w / 2, h - h / 8 - 3), 255);
  EXPECT_EQ(first.AlphaAt(w / 2, h - h / 8 + 2), 0);
  // The last frame covers the whole window.
  const Push& last = recorder.pushes[9];
  EXPECT_EQ(last.AlphaAt(1, h / 2), 255);
  EXPECT_EQ(last.AlphaAt(w - 2, h / 2), 255);
  EXPECT_EQ(last.AlphaAt(w / 2, h - 2), 255);
}

TEST_F(FormAnimTest, ShowWithoutAnImageStillGivesTheFormBackAndClearsTheFlags) {
  SetShow(100, TacAnimType::atFading);
  form->Show();
  Pump();
  // As the form's own show leaves it: redraw (and WS_VISIBLE) taken, the animation under way; and
  // no picture to animate, the cache empty and no rendering allowed.
  SendMessageW(H(), WM_SETREDRAW, 0, 0);
  ASSERT_FALSE(IsWindowVisible(H()));
  provider->SetInAnimation(true);
  provider->SkinData()->CacheBmp()->SetSize(0, 0);
  provider->SetFormState(kFormBlending, true);
  PushRecorder recorder;
  AnimShowForm(provider, 100, 255, TacAnimType::atFading);
  provider->SetFormState(kFormBlending, false);
  EXPECT_TRUE(recorder.pushes.empty());
  ExpectShownAndSettled();
}

TEST_F(FormAnimTest, ShowsAndHidesLeaveNoWindowOrGdiObjectBehind) {
  SetShow(24, TacAnimType::atAero);
  // A hide that wants frames has the form's image taken as it starts.
  manager->AnimEffects().FormHide().SetActive(true);
  manager->AnimEffects().FormHide().SetTime(24);
  const auto cycle = [&] {
    form->Show();
    Pump();
    form->Hide();
    Pump();
    ASSERT_TRUE(test::WaitForHideEnd());
  };
  cycle();  // caches and lazily made objects settle
  const std::size_t windows = ThreadWindows().size();
  const int gdi = test::LiveGdiObjects();
  for (int i = 0; i < 30; ++i) cycle();
  EXPECT_EQ(ThreadWindows().size(), windows);
  EXPECT_EQ(test::LiveGdiObjects(), gdi);
  EXPECT_EQ(AnimWindowsAlive(), 0);
}

TEST_F(FormAnimTest, CoverShowsTheWindowOnTopAndGoesWithItsOwner) {
  form->Show();
  Pump();
  const std::size_t windows = ThreadWindows().size();
  PushRecorder recorder;
  {
    TacAnimForm cover = MakeCoverForm(H());
    ASSERT_NE(cover, nullptr);
    const HWND c = cover->Handle();
    EXPECT_EQ(cover->Tag(), acAnimWindowTag);
    EXPECT_TRUE(IsWindowVisible(c));
    const LONG_PTR ex = GetWindowLongPtrW(c, GWL_EXSTYLE);
    EXPECT_NE(ex & WS_EX_TOPMOST, 0);
    EXPECT_NE(ex & WS_EX_NOACTIVATE, 0);
    EXPECT_NE(ex & WS_EX_TOOLWINDOW, 0);
    RECT a, b;
    GetWindowRect(H(), &a);
    GetWindowRect(c, &b);
    EXPECT_TRUE(EqualRect(&a, &b));
    ASSERT_EQ(recorder.pushes.size(), 1u);
    EXPECT_EQ(recorder.pushes[0].constantAlpha, 255);
    EXPECT_EQ(recorder.pushes[0].AlphaAt(0, 0), 255);
  }
  EXPECT_EQ(ThreadWindows().size(), windows);
}

}  // namespace
}  // namespace skin
