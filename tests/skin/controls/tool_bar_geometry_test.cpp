// Where a skinned tool button puts its image and caption, and which look it takes; every expected
// value is worked out by hand beside it.
#include <gtest/gtest.h>

#include "skin/controls/sToolBarGeometry.h"

namespace skin {
namespace {

using namespace classlib;

TEST(ToolButtonLook, ModeAndStateFromTheCustomDrawState) {
  struct Case {
    TCustomDrawState state;
    int mode;
  };
  const Case cases[] = {
      {{}, 0},           {{cdsDisabled}, 0}, {{cdsDisabled, cdsHot}, 1}, {{cdsHot}, 1},
      {{cdsFocused}, 1}, {{cdsSelected}, 2}, {{cdsChecked, cdsHot}, 2},  {{cdsChecked, cdsDisabled}, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToolBtnGlyphMode(c.state), c.mode) << c.state.Bits();
    EXPECT_EQ(ToolButtonPaintState(c.state, false, false), c.mode) << c.state.Bits();
    EXPECT_EQ(ToolButtonPaintState(c.state, true, false), 2) << c.state.Bits();
    EXPECT_EQ(ToolButtonPaintState(c.state, false, true), 2) << c.state.Bits();
  }
}

TEST(ToolButtonLook, ImageRectangle) {
  TToolBtnLayoutInput in;
  in.Button = {23, 22};
  in.Image = {16, 16};
  in.TextHeight = 13;
  // (23 - 16) / 2 + 1 = 4; (22 - 16) / 2 = 3.
  EXPECT_EQ(ToolBtnGlyphRect(in, 0), (TRect{4, 3, 20, 19}));
  EXPECT_EQ(ToolBtnGlyphRect(in, 1), (TRect{4, 3, 20, 19}));
  EXPECT_EQ(ToolBtnGlyphRect(in, 2), (TRect{5, 4, 21, 20}));
  // A drop-down button's image moves 8 left: 4 - 8 = -4.
  in.DropDown = true;
  EXPECT_EQ(ToolBtnGlyphRect(in, 0), (TRect{-4, 3, 12, 19}));
  // Captions below: (40 - 16 - 16) / 2 = 4 for a 40-high button.
  in.DropDown = false;
  in.ShowCaptions = true;
  in.Button = {40, 40};
  EXPECT_EQ(ToolBtnGlyphRect(in, 0), (TRect{13, 4, 29, 20}));
  // List: 5 from the left, centred vertically: (40 - 16) / 2 = 12.
  in.List = true;
  EXPECT_EQ(ToolBtnGlyphRect(in, 2), (TRect{6, 13, 22, 29}));
  // An odd difference rounds towards zero, also when negative: (23 - 30) / 2 + 1 = -2.
  TToolBtnLayoutInput wide;
  wide.Button = {23, 22};
  wide.Image = {30, 16};
  EXPECT_EQ(ToolBtnGlyphRect(wide, 0).Left, -2);
}

TEST(ToolButtonLook, CaptionRectangle) {
  TToolBtnLayoutInput in;
  in.Button = {60, 40};
  in.Image = {16, 16};
  in.TextHeight = 13;
  // Below the image: d = (40 - 16 - 13 - 3) / 2 = 4, top = 16 + 4 + 3 = 23, bottom 40 - 4 = 36;
  // a 30-wide caption: (60 - 30) / 2 = 15, so 14 .. 47.
  EXPECT_EQ(ToolBtnCaptionRect(in, true, true, 30, 0, 0), (TRect{14, 23, 47, 36}));
  EXPECT_EQ(ToolBtnCaptionRect(in, true, true, 30, 0, 2), (TRect{15, 24, 48, 37}));
  // A bar without images: d = (40 - 13) / 2 = 13.
  EXPECT_EQ(ToolBtnCaptionRect(in, false, false, 30, 0, 0), (TRect{14, 13, 47, 27}));
  // The drop-down part is left out: (60 - 14 - 30) / 2 = 8.
  EXPECT_EQ(ToolBtnCaptionRect(in, true, true, 30, 14, 0), (TRect{7, 23, 40, 36}));
  // List: right of the image, or from 1 without one, to the drop-down part less 2.
  in.List = true;
  EXPECT_EQ(ToolBtnCaptionRect(in, true, true, 30, 14, 0), (TRect{22, 2, 44, 38}));
  EXPECT_EQ(ToolBtnCaptionRect(in, true, false, 30, 0, 0), (TRect{1, 2, 58, 38}));
}

}  // namespace
}  // namespace skin
