// The speed-button handler on class-library speed buttons: painted from the section "SPEEDBUTTON"
// in each state, the glyph moved when down, the procedure given back with the skin, and a button
// freed under the handler left alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <new>

#include "classlib/Buttons.h"
#include "classlib/Forms.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/windows/acSpeedButtonHandler.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::Differing;
using test::Pixel;

constexpr COLORREF kGlyph = RGB(200, 0, 0);

struct SpeedButtonHandlers : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  test::Owned<TForm> form{new TForm(nullptr)};

  void SetUp() override {
    ASSERT_TRUE(manager->Active());
    form->SetBounds(0, 0, 240, 120);
    form->Handle();
  }
  TSpeedButton* Add() {
    auto* b = new TSpeedButton(form.get());
    b->SetBounds(20, 30, 60, 24);
    b->SetParent(form.get());
    return b;
  }
  // An 8 x 8 glyph in kGlyph; its bottom-left pixel, the transparent colour, is fuchsia.
  static void GiveGlyph(TSpeedButton* b) {
    TBitmap glyph;
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(8, 8);
    glyph.Canvas()->Brush()->SetColor(TColor(kGlyph));
    glyph.Canvas()->FillRect(TRect{0, 0, 8, 8});
    SetPixel(glyph.Canvas()->Handle(), 0, 7, RGB(255, 0, 255));
    b->SetGlyph(&glyph);
  }
  static std::unique_ptr<TBitmap> Paint(TControl* b) {
    auto bmp = NewBitmap32(b->Width(), b->Height());
    b->Perform(WM_PAINT, WPARAM(bmp->Canvas()->Handle()), 0);
    return bmp;
  }
  // The section over the form's background at the button's place.
  std::unique_ptr<TBitmap> Section(TControl* b, int state) {
    TacBGInfo bg;
    GetBGInfo(bg, form.get(), false);
    auto bmp = NewBitmap32(b->Width(), b->Height());
    PaintItem(manager->GetSkinIndex("SPEEDBUTTON"), "SPEEDBUTTON", BGInfoToCI(bg), true, state,
              TRect{0, 0, b->Width(), b->Height()}, TPoint{b->Left(), b->Top()}, bmp.get(), manager.get());
    return bmp;
  }
};

TEST_F(SpeedButtonHandlers, NormalHotAndDownLooksComeFromTheSection) {
  TSpeedButton* b = Add();
  b->SetGroupIndex(1);
  TsCommonData data(b, true);
  data.SetSkinManager(manager.get());
  TacSpeedButtonHandler handler(b, &data, manager.get(), "SPEEDBUTTON");
  EXPECT_EQ(data.SkinSection(), "SPEEDBUTTON");
  EXPECT_EQ(b->Perform(SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0), 1);

  auto normal = Paint(b);
  EXPECT_EQ(Differing(normal.get(), Section(b, 0).get()), 0);
  b->Perform(CM_MOUSEENTER);
  auto hot = Paint(b);
  EXPECT_EQ(Differing(hot.get(), Section(b, 1).get()), 0);
  EXPECT_GT(Differing(hot.get(), normal.get()), 0);
  b->Perform(CM_MOUSELEAVE);
  b->SetDown(true);
  EXPECT_EQ(Differing(Paint(b).get(), Section(b, 2).get()), 0);
}

TEST_F(SpeedButtonHandlers, DownButtonMovesItsGlyphOnePixelRightAndDown) {
  TSpeedButton* b = Add();
  b->SetGroupIndex(1);
  GiveGlyph(b);
  TsCommonData data(b, true);
  data.SetSkinManager(manager.get());
  TacSpeedButtonHandler handler(b, &data, manager.get(), "SPEEDBUTTON");
  // Centred without a caption: (60 - 8) / 2 = 26, (24 - 8) / 2 = 8.
  auto up = Paint(b);
  EXPECT_EQ(Pixel(up.get(), 26, 8), kGlyph);
  EXPECT_EQ(Pixel(up.get(), 33, 15), kGlyph);
  EXPECT_NE(Pixel(up.get(), 34, 15), kGlyph);
  EXPECT_NE(Pixel(up.get(), 26, 15), kGlyph) << "the transparent corner";
  b->SetDown(true);
  auto down = Paint(b);
  EXPECT_NE(Pixel(down.get(), 26, 8), kGlyph);
  EXPECT_EQ(Pixel(down.get(), 27, 9), kGlyph);
  EXPECT_EQ(Pixel(down.get(), 34, 16), kGlyph);
}

TEST_F(SpeedButtonHandlers, RemovedSkinGivesTheProcedureBack) {
  TSpeedButton* b = Add();
  TsCommonData data(b, true);
  data.SetSkinManager(manager.get());
  TacSpeedButtonHandler handler(b, &data, manager.get(), "SPEEDBUTTON");
  EXPECT_EQ(b->WindowProc.Object(), &handler);
  // Another manager's removal is not this handler's.
  b->Perform(SM_ALPHACMD, AlphaCmd(ACMD_REMOVESKIN), 12345);
  EXPECT_EQ(b->WindowProc.Object(), &handler);
  b->Perform(SM_ALPHACMD, AlphaCmd(ACMD_REMOVESKIN), LPARAM(manager.get()));
  EXPECT_EQ(b->WindowProc.Object(), b);
  EXPECT_TRUE(handler.Destroyed);
}

TEST_F(SpeedButtonHandlers, FreedButtonIsNeverWrittenAgain) {
  // The button lives in storage the test owns, so that what happens to its bytes after its end
  // can be seen.
  alignas(TSpeedButton) static std::array<unsigned char, sizeof(TSpeedButton)> storage;
  auto* b = new (storage.data()) TSpeedButton(nullptr);
  b->SetBounds(20, 30, 60, 24);
  b->SetParent(form.get());
  auto data = std::make_unique<TsCommonData>(nullptr, true);
  data->SetSkinManager(manager.get());
  auto handler = std::make_unique<TacSpeedButtonHandler>(b, data.get(), manager.get(), "SPEEDBUTTON");
  b->~TSpeedButton();
  // What the dead button's bytes say now (its procedure field still names the handler).
  const auto after = storage;
  EXPECT_EQ(handler->Ctrl, nullptr);
  EXPECT_TRUE(handler->Destroyed);
  handler.reset();
  EXPECT_TRUE(storage == after) << "the freed button was written";
}

}  // namespace
}  // namespace skin
