// Fades with ticks driven directly: the control renders once, every step hands it a frame blended
// from the old look into the new one, and the end of the fade is announced with command 16.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sFade.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "tests/skin/core/Win32Fixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

// A fading control: black before the change, white after it; it records every frame it is handed.
class TFading : public TCustomControl {
 public:
  explicit TFading(TComponent* AOwner) : TCustomControl(AOwner) {}
  TsCommonData data{this, true};
  TsFadeTimer* fade = nullptr;
  int prepared = 0, stopped = 0;
  std::vector<int> frames;  // red of each frame's first pixel
  LRESULT frameAnswer = 1;
  bool destroyOnFrame = false;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      switch (CommandOf(m.WParam)) {
        case ACMD_PREPARECACHE:
          ++prepared;
          InitCacheBmp(&data);
          Fill(data.CacheBmp(), 0xFFFFFF);
          data.BGChanged = false;
          return;
        case ACMD_FADEFRAME:
          frames.push_back(View32(reinterpret_cast<TBitmap*>(m.LParam)).At(0, 0).R);
          m.Result = frameAnswer;
          if (destroyOnFrame) Free(this);
          return;
        case ACMD_STOPFADE:
          ++stopped;
          StopFading(fade, &data);
          return;
      }
    }
    if (CommonWndProc(m, &data)) return;
    TCustomControl::WndProc(m);
  }
};

struct Fades : ::testing::Test {
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  Owned<TForm> form{Create<TForm>(nullptr)};
  TFading* control = nullptr;

  void SetUp() override {
    auto r = std::make_unique<TacSkinRecords>();
    TsGeneralData g;
    g.ClassName = "BUTTON";
    g.FadingEnabled = true;
    g.FadingIterations = 5;
    r->gd = {g};
    r->SkinData.Active = true;
    manager->InstallRecords(std::move(r));
    form->SetBounds(40, 40, 200, 100);
    form->Handle();
    control = Create<TFading>(form.get());
    control->SetParent(form.get());
    control->SetBounds(5, 5, 30, 20);
    control->Handle();
    control->data.SetSkinSection("BUTTON");
    InitCacheBmp(&control->data);
    Fill(control->data.CacheBmp(), 0x000000);
    control->data.BGChanged = false;
  }
  void SetIterations(int n) { manager->Records().gd[0].FadingIterations = n; }
  void Start(bool clicked) { DoChangePaint(control->fade, &control->data, clicked, true, TFadeDirection::fdUp); }
  // Ticks until the control stopped the fade (at most Limit).
  void TickToEnd(int limit = 20) {
    for (int i = 0; i < limit && control->fade != nullptr; ++i) control->fade->Timer();
  }
};

TEST_F(Fades, StepsBlendTheOldLookIntoTheNewOne) {
  Start(false);
  ASSERT_NE(control->fade, nullptr);
  EXPECT_EQ(acAnimCount, 1);
  EXPECT_TRUE(control->fade->Enabled());
  EXPECT_EQ(control->prepared, 1);
  // Old black with weight 255 - level x 256 div 5 (204, 153, 102, 51, 0) over new white:
  // (255 x (255 - a) + 127) div 256.
  for (int i = 0; i < 5; ++i) control->fade->Timer();
  EXPECT_EQ(control->frames, (std::vector<int>{51, 102, 152, 203, 254}));
  EXPECT_EQ(control->stopped, 0);
  control->fade->Timer();
  EXPECT_EQ(control->stopped, 1);
  EXPECT_EQ(control->fade, nullptr);
  EXPECT_EQ(control->prepared, 1);
  EXPECT_EQ(acAnimCount, 0);
}

TEST_F(Fades, AClickFadesTwiceAsFast) {
  Start(true);
  TickToEnd();
  // Two steps: weights 255 - 256 div 2 = 127, then 0.
  EXPECT_EQ(control->frames, (std::vector<int>{127, 254}));
  EXPECT_EQ(control->stopped, 1);
}

TEST_F(Fades, NothingToFadeEndsAtTheFirstTick) {
  for (int iterations : {1, 0}) {
    SetIterations(iterations);
    Fill(control->data.CacheBmp(), 0x000000);
    control->data.BGChanged = false;
    control->stopped = 0;
    Start(true);
    ASSERT_NE(control->fade, nullptr) << iterations;
    control->fade->Timer();
    EXPECT_EQ(control->stopped, 1) << iterations;
    EXPECT_TRUE(control->frames.empty()) << iterations;
  }
  EXPECT_EQ(acAnimCount, 0);
}

TEST_F(Fades, NoFadeWhenTheCacheIsStaleOrFadingIsForbidden) {
  control->data.BGChanged = true;
  Start(false);
  EXPECT_EQ(control->fade, nullptr);
  control->data.BGChanged = false;
  FadingForbidden = true;
  Start(false);
  FadingForbidden = false;
  EXPECT_EQ(control->fade, nullptr);
  EXPECT_TRUE(control->data.BGChanged);  // repaints at once instead
  // A running fade stops when a change cannot fade.
  control->data.BGChanged = false;
  Start(false);
  ASSERT_NE(control->fade, nullptr);
  DoChangePaint(control->fade, &control->data, false, false, TFadeDirection::fdUp);
  EXPECT_EQ(control->fade, nullptr);
  EXPECT_EQ(acAnimCount, 0);
}

TEST_F(Fades, ASectionIndexOutsideTheSkinMeansNoFade) {
  control->data.SkinIndex = 7;
  TsFadeTimer* fade = nullptr;
  AnimChange(fade, &control->data, false, TFadeDirection::fdUp);
  EXPECT_EQ(fade, nullptr);
  EXPECT_EQ(control->prepared, 0);
}

TEST_F(Fades, DisabledMidFadeStopsDrawingAndRedraws) {
  Start(false);
  control->fade->Timer();
  ASSERT_EQ(control->frames.size(), 1u);
  control->SetEnabled(false);
  control->data.BGChanged = false;
  control->fade->Timer();
  EXPECT_EQ(control->frames.size(), 1u);
  ASSERT_NE(control->fade, nullptr);
  EXPECT_FALSE(control->fade->Enabled());
  EXPECT_EQ(control->fade->Iterations, 0);
  EXPECT_TRUE(control->data.BGChanged);
  StopFading(control->fade, &control->data);
}

TEST_F(Fades, AControlDestroyedWhileTakingAFrameEndsTheFade) {
  control->frameAnswer = 0;  // the frame goes to the window
  control->destroyOnFrame = true;
  Start(false);
  control->fade->Timer();  // the control and its timer are gone when this returns
  EXPECT_EQ(acAnimCount, 0);
  control = nullptr;
}

TEST_F(Fades, ARestartedUpwardFadeRunsItsWholeCountAgain) {
  Start(false);
  control->fade->Timer();
  control->fade->Timer();
  TsFadeTimer* running = control->fade;
  Fill(control->data.CacheBmp(), 0x000000);
  control->data.BGChanged = false;
  Start(false);
  EXPECT_EQ(control->fade, running);
  EXPECT_EQ(control->fade->FadeLevel, 1);
  EXPECT_EQ(control->fade->Iterations, 5);
  EXPECT_EQ(control->prepared, 2);
  StopFading(control->fade, &control->data);
}

TEST(FadeEvents, OwnEventsOrTheManagersAndNoneWithoutManager) {
  EXPECT_FALSE(EventEnabled(TacAnimatEvent::aeMouseEnter, {TacAnimatEvent::aeMouseEnter}, nullptr));
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  EXPECT_TRUE(EventEnabled(TacAnimatEvent::aeMouseEnter, {TacAnimatEvent::aeMouseEnter}));
  EXPECT_FALSE(EventEnabled(TacAnimatEvent::aeMouseDown, {TacAnimatEvent::aeMouseEnter}));
  EXPECT_TRUE(EventEnabled(TacAnimatEvent::aeMouseDown, kDefaultAnimatEvents));
  EXPECT_FALSE(EventEnabled(TacAnimatEvent::aeMouseDown, {}));
}

}  // namespace
}  // namespace skin
