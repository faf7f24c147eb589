// Glow windows on a fixture skin whose section "BUTTON" has the glow image "GLOW0": identifiers,
// the window's styles, place and size, click-through, and the picture before it is pushed (the
// pushed one cannot be read back without a compositor).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "skin/core/acGlow.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sSkinManager.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "tests/skin/core/Win32Fixture.h"
#include "tests/support/MoveCursor.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

constexpr std::uint32_t kCorner = 0xFF0000FFu, kBody = 0x80102030u, kFarCorner = 0xFF00FF00u;

struct Glowing : ::testing::Test {
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  Owned<TForm> form{Create<TForm>(nullptr)};
  const TRect r{100, 50, 180, 80};

  void SetUp() override {
    auto records = std::make_unique<TacSkinRecords>();
    records->MasterBitmap.SetSize(20, 12, kBody);
    records->MasterBitmap.At(0, 0).U = kCorner;
    records->MasterBitmap.At(19, 11).U = kFarCorner;
    TsMaskData md;
    md.ClassName = "BUTTON";
    md.PropertyName = "GLOW0";
    md.R = {0, 0, 20, 12};
    md.ImageCount = 1;
    md.ImgType = TacImgType::itisaGlow;
    md.WL = 6, md.WT = 4, md.WR = 8, md.WB = 5;
    md.Manager = records.get();
    records->ma.push_back(std::move(md));
    TsGeneralData button, plain;
    button.ClassName = "BUTTON";
    button.GlowCount = 1;
    button.GlowMargin = 2;
    plain.ClassName = "PANEL";
    records->gd = {button, plain};
    records->SkinData.Active = true;
    manager->InstallRecords(std::move(records));
    form->SetBounds(20, 20, 400, 300);
    form->Show();
  }
  void TearDown() override { ClearGlows(true); }
  int Show(const TRect& real, const char* section = "BUTTON", int margin = 2) {
    return ShowGlow(r, real, section, "GLOW", margin, 255, form->Handle(), manager.get());
  }
  static HWND WindowOf(int id) { return Glows()[std::size_t(id)]->Wnd->Handle(); }
  static TRect Place(HWND h) {
    RECT w{};
    GetWindowRect(h, &w);
    return {w.left, w.top, w.right, w.bottom};
  }
};

TEST_F(Glowing, IdentifiersAreNeverReused) {
  EXPECT_EQ(Show({0, 0, 80, 30}), 0);
  EXPECT_EQ(Show({0, 0, 80, 30}), 1);
  HideGlow(0);
  ASSERT_EQ(Glows().size(), 2u);
  EXPECT_EQ(Glows()[0], nullptr);
  EXPECT_EQ(Show({0, 0, 80, 30}), 2);
  HideGlow(-1);
  HideGlow(3);
  HideGlow(0);
  EXPECT_EQ(Glows().size(), 3u);
  ClearGlows();
  EXPECT_TRUE(Glows().empty());
}

TEST_F(Glowing, WindowIsAClickThroughLayeredToolWindowAroundTheControl) {
  // Image margins 6, 4, 8, 5 and a margin of 2: (80 + 14 - 4) x (30 + 9 - 4) at (100 - 4, 50 - 2).
  const int whole = Show({0, 0, 80, 30});
  ASSERT_GE(whole, 0);
  const HWND h = WindowOf(whole);
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(Place(h), (TRect{96, 48, 186, 83}));
  EXPECT_EQ(GetWindowLongPtrW(h, GWL_EXSTYLE) & 0x080800A0, 0x080800A0);
  EXPECT_EQ(Glows()[std::size_t(whole)]->Wnd->Tag(), ac_NoSkinTag);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(140, 60)), HTTRANSPARENT);
  EXPECT_EQ(GetForegroundWindow() == h, false);
  // Above the form it glows over.
  HWND below = h;
  while (below != nullptr && below != form->Handle()) below = GetWindow(below, GW_HWNDNEXT);
  EXPECT_EQ(below, form->Handle());
  // A click there reaches the form.
  const HWND hit = WindowFromPoint({140, 65});
  EXPECT_NE(hit, h);
  EXPECT_EQ(GetAncestor(hit, GA_ROOT), form->Handle());
  // The left 20 pixels hidden: the glow starts at the visible edge.
  const int cut = Show({20, 0, 80, 30});
  ASSERT_GE(cut, 0);
  EXPECT_EQ(Place(WindowOf(cut)), (TRect{120, 48, 186, 83}));
}

TEST_F(Glowing, NoImageOrNothingToShowGivesNoGlow) {
  EXPECT_EQ(Show({0, 0, 80, 30}, "PANEL"), -1);
  EXPECT_EQ(Show({0, 0, 80, 30}, "NOSUCH"), -1);
  // Pulled in by 60 on every side: 80 + 14 - 120 < 0.
  EXPECT_EQ(Show({0, 0, 80, 30}, "BUTTON", 60), -1);
  EXPECT_TRUE(Glows().empty());
}

TEST_F(Glowing, PictureIsTheNineSliceImageOverClearPixels) {
  TacGlowEffect glow;
  glow.SkinManager = manager.get();
  glow.MaskIndex = 0;
  glow.CreateAlphaBmp(90, 35);
  const TImage32View v = View32(glow.AlphaBmp.get());
  ASSERT_EQ(v.Width, 90);
  ASSERT_EQ(v.Height, 35);
  EXPECT_EQ(v.At(0, 0).U, kCorner);
  EXPECT_EQ(v.At(89, 34).U, kFarCorner);
  EXPECT_EQ(v.At(2, 17).U, kBody);  // the left band, 6 wide
  EXPECT_EQ(v.At(45, 17).U, 0u);    // an image without a centre leaves the middle clear
  glow.MaskIndex = -1;
  glow.CreateAlphaBmp(4, 4);
  EXPECT_EQ(View32(glow.AlphaBmp.get()).At(1, 1).U, 0u);
}

// The common handling shows the glow of a hot control and clears the glows when the mouse leaves.
class TGlowingControl : public TCustomControl {
 public:
  explicit TGlowingControl(TComponent* AOwner) : TCustomControl(AOwner) {}
  TsCommonData data{this, true};

 protected:
  void WndProc(TMessage& m) override {
    if (CommonWndProc(m, &data)) return;
    TCustomControl::WndProc(m);
  }
};

TEST_F(Glowing, MouseEnterShowsTheSectionsGlowAndLeaveClearsIt) {
  auto* control = Create<TGlowingControl>(form.get());
  control->SetParent(form.get());
  control->SetBounds(30, 30, 80, 30);
  control->Handle();
  control->data.SetSkinSection("BUTTON");
  const TPoint origin = control->ClientToScreen({0, 0});
  ASSERT_TRUE(testsupport::MoveCursor(origin.X + 10, origin.Y + 10));
  control->Perform(CM_MOUSEENTER, 0, 0);
  ASSERT_GE(control->data.GlowID, 0);
  EXPECT_EQ(Place(WindowOf(control->data.GlowID)),
            (TRect{origin.X - 4, origin.Y - 2, origin.X - 4 + 90, origin.Y - 2 + 35}));
  control->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(Glows().empty());
  // Away from the control the glow is hidden instead.
  ASSERT_TRUE(testsupport::MoveCursor(0, 0));
  ShowGlowingIfNeeded(&control->data);
  EXPECT_EQ(control->data.GlowID, -1);
  EXPECT_TRUE(Glows().empty());
}

}  // namespace
}  // namespace skin
