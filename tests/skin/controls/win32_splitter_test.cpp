// The skinned splitter on a form with our skin: the grip image or the dotted grip centred on the
// section, the hot look, and a drag that resizes the control beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/ExtCtrls.h"
#include "skin/controls/sSplitter.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct Splitter : ControlsFixture {
  TPanel* panel = nullptr;
  TsSplitter* bar = nullptr;
  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
    panel = classlib::Create<TPanel>(form.get());
    panel->SetParent(form.get());
    panel->SetAlign(alLeft);
    panel->SetWidth(100);
    bar = classlib::Create<TsSplitter>(form.get());
    bar->SetParent(form.get());
    bar->SetLeft(150);
    bar->SetAlign(alLeft);
  }
  std::unique_ptr<TBitmap> Paint() {
    auto bmp = NewBitmap32(bar->Width(), bar->Height());
    bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bmp->Canvas()->Handle()), 0);
    return bmp;
  }
  // The section over the form's background, with the vertical grip's 4 x 20 cell centred.
  std::unique_ptr<TBitmap> Expected(int state) {
    auto bmp = NewBitmap32(bar->Width(), bar->Height());
    TacBGInfo bg;
    GetBGInfo(bg, form.get(), false);
    PaintItem(Section("SPLITTER"), "SPLITTER", BGInfoToCI(bg), true, state, TRect{0, 0, bar->Width(), bar->Height()},
              {bar->Left(), bar->Top()}, bmp.get(), manager.get());
    const int grip = manager->Records().ConstData.GripVertical;
    EXPECT_GE(grip, 0);
    DrawSkinGlyph(bmp.get(), {1, (bar->Height() - 20) / 2}, state, 1, manager->Records().ma[std::size_t(grip)],
                  MakeCacheInfo(bmp.get()));
    return bmp;
  }
};

TEST_F(Splitter, SitsBesideThePanelWithItsDefaultWidth) {
  EXPECT_EQ(bar->Width(), 6);
  EXPECT_EQ(bar->Left(), 100);
  EXPECT_EQ(bar->ResizedControl(), panel);
  ASSERT_TRUE(bar->SkinData()->Skinned());
}

TEST_F(Splitter, GripImageIsCentredAndFollowsTheHotLook) {
  bar->SetShowGrip(true);
  EXPECT_EQ(DifferentPixels(Paint().get(), Expected(0).get()), 0);
  bar->Perform(CM_MOUSEENTER);
  EXPECT_EQ(bar->CurrentState(), 1);
  EXPECT_EQ(DifferentPixels(Paint().get(), Expected(1).get()), 0);
  bar->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(bar->CurrentState(), 0);
}

TEST_F(Splitter, WithoutAGripImageTheDottedGripIsDrawn) {
  bar->SetShowGrip(true);
  const int saved = manager->Records().ConstData.GripVertical;
  manager->Records().ConstData.GripVertical = -1;
  auto painted = Paint();
  manager->Records().ConstData.GripVertical = saved;
  // 4 x 21 centred: from ((6 - 4) / 2, (H - 21) / 2), white at even steps, black one down-right.
  const int top = (bar->Height() - 21) / 2;
  for (int y = 0; y < 21; y += 2)
    for (int x = 0; x < 4; x += 2) {
      EXPECT_EQ(Rgb(painted.get(), 1 + x, top + y), 0xFFFFFFu) << x << "," << y;
      EXPECT_EQ(Rgb(painted.get(), 2 + x, top + y + 1), 0u) << x << "," << y;
    }
  // Without ShowGrip only the section shows.
  bar->SetShowGrip(false);
  EXPECT_GT(DifferentPixels(Paint().get(), Expected(0).get()), 0);
}

TEST_F(Splitter, DraggingResizesThePanelLiveAndNotBelowMinSize) {
  bar->SetResizeStyle(rsUpdate);
  bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 50));
  EXPECT_TRUE(bar->Sizing());
  EXPECT_EQ(bar->CurrentState(), 2);
  EXPECT_FALSE(Application->ShowHint());
  bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(23, 50));
  EXPECT_EQ(panel->Width(), 120);
  EXPECT_EQ(bar->Left(), 120);
  // The mouse 100 pixels left of where it went down: the panel stops at 30.
  bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(3 - 120), 50));
  bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(3 - 120), 50));
  EXPECT_EQ(panel->Width(), 30);
  EXPECT_FALSE(bar->Sizing());
  EXPECT_TRUE(Application->ShowHint());
}

}  // namespace
}  // namespace skin
