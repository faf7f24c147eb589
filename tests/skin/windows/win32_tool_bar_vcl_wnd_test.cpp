// The handler of class-library tool bars: it owns the bar's custom-draw events while the skin is
// on, paints buttons from "TOOLBUTTON" in their states, and tracks the hot button on bars that are
// not flat.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "classlib/Forms.h"
#include "classlib/ToolBar.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/windows/acToolBarVCLWnd.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::Differing;

struct ToolBarVCLHandlers : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  test::Owned<TForm> form{new TForm(nullptr)};
  TToolBar* bar = nullptr;
  std::vector<TToolButton*> buttons;
  std::unique_ptr<TsCommonData> data;

  void SetUp() override {
    ASSERT_TRUE(manager->Active());
    form->SetBounds(0, 0, 400, 200);
    form->Show();
    bar = new TToolBar(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(0, 0, 300, 30);
    bar->SetFlat(false);
    for (int i = 0; i < 3; ++i) {
      auto* b = new TToolButton(form.get());
      b->SetParent(bar);
      buttons.push_back(b);
    }
    bar->Handle();
    data = std::make_unique<TsCommonData>(bar, true);
    data->SetSkinManager(manager.get());
  }
  THandler<TacToolBarVCLWnd> Hook() {
    return TacMainWnd::Create<TacToolBarVCLWnd>(bar->Handle(), data.get(), manager.get(), "");
  }
  LPARAM Centre(int i) {
    RECT r{};
    SendMessageW(bar->Handle(), TB_GETITEMRECT, i, LPARAM(&r));
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
};

TEST_F(ToolBarVCLHandlers, OwnsTheCustomDrawEventsWhileTheSkinIsOn) {
  auto handler = Hook();
  EXPECT_EQ(data->SkinSection(), "TOOLBAR");
  EXPECT_TRUE(bool(bar->OnAdvancedCustomDraw));
  EXPECT_TRUE(bool(bar->OnAdvancedCustomDrawButton));
  bar->Perform(SM_ALPHACMD, AlphaCmd(ACMD_REMOVESKIN), LPARAM(manager.get()));
  EXPECT_FALSE(bool(bar->OnAdvancedCustomDraw));
  EXPECT_FALSE(bool(bar->OnAdvancedCustomDrawButton));
  bar->Perform(SM_ALPHACMD, AlphaCmd(ACMD_NEWSKIN), LPARAM(manager.get()));
  EXPECT_TRUE(bool(bar->OnAdvancedCustomDraw));
  handler.reset();
  EXPECT_FALSE(bool(bar->OnAdvancedCustomDraw)) << "given back with the handler";
}

TEST_F(ToolBarVCLHandlers, HotButtonFollowsTheMouseOnBarsThatAreNotFlat) {
  auto handler = Hook();
  bar->Perform(WM_MOUSEMOVE, 0, Centre(1));
  EXPECT_EQ(handler->HotButtonIndex, 1);
  bar->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(handler->HotButtonIndex, -1);
  buttons[2]->SetEnabled(false);
  bar->Perform(WM_MOUSEMOVE, 0, Centre(2));
  EXPECT_EQ(handler->HotButtonIndex, -1) << "a disabled button is never hot";

  bar->SetFlat(true);
  bar->Perform(WM_MOUSEMOVE, 0, Centre(0));
  EXPECT_EQ(handler->HotButtonIndex, -1) << "flat bars track it themselves";
}

TEST_F(ToolBarVCLHandlers, DeletingTheHotLastButtonForgetsIt) {
  auto handler = Hook();
  bar->Perform(WM_MOUSEMOVE, 0, Centre(2));
  ASSERT_EQ(handler->HotButtonIndex, 2);
  delete buttons[2];
  buttons.pop_back();
  EXPECT_EQ(handler->HotButtonIndex, -1);
}

TEST_F(ToolBarVCLHandlers, ButtonsArePaintedFromTheSectionInTheirState) {
  auto handler = Hook();
  TacBGInfo bg;
  GetBGInfo(bg, form.get(), false);
  auto back = NewBitmap32(bar->Width(), bar->Height());
  ASSERT_GE(PaintSection(back.get(), "TOOLBAR", "", 0, manager.get(), TPoint{0, 0}, bg.Color, nullptr), 0);
  // The bar's edges: raised and lowered along its top, two pixels.
  const TPoint o{0, 2};
  const int section = manager->GetSkinIndex("TOOLBUTTON");
  const TsMaskData& border =
      manager->Records().ma[std::size_t(manager->GetMaskIndex(section, "TOOLBUTTON", "BORDERSMASK"))];
  for (const auto& [state, drawState] : {std::pair{0, TCustomDrawState{}}, std::pair{2, TCustomDrawState{cdsChecked}},
                                         std::pair{1, TCustomDrawState{cdsHot}}}) {
    SCOPED_TRACE(state);
    RECT ir{};
    SendMessageW(bar->Handle(), TB_GETITEMRECT, 0, LPARAM(&ir));
    const int w = ir.right - ir.left, h = ir.bottom - ir.top;
    auto want = NewBitmap32(w, h);
    PaintItemBG(section, "TOOLBUTTON", MakeCacheInfo(back.get(), o.X, o.Y), state, TRect{0, 0, w, h},
                TPoint{ir.left, ir.top}, want.get(), manager.get(), -1, -1, clFuchsia);
    DrawSkinRect(want.get(), TRect{0, 0, w, h}, true, MakeCacheInfo(back.get(), o.X + ir.left, o.Y + ir.top), border,
                 state, true);
    auto got = NewBitmap32(bar->ClientWidth(), bar->ClientHeight());
    bar->Canvas()->SetHandle(got->Canvas()->Handle());
    TTBCustomDrawFlags flags;
    bool defaultDraw = true;
    handler->OurAdvancedCustomDrawButton(bar, buttons[0], drawState, cdPrePaint, flags, defaultDraw);
    bar->Canvas()->SetHandle(nullptr);
    EXPECT_FALSE(defaultDraw);
    EXPECT_TRUE(flags.Contains(tbNoEdges));
    auto cut = NewBitmap32(w, h);
    BitBlt(cut->Canvas()->Handle(), 0, 0, w, h, got->Canvas()->Handle(), ir.left, ir.top, SRCCOPY);
    EXPECT_EQ(Differing(cut.get(), want.get()), 0);
  }
}

}  // namespace
}  // namespace skin
