// Where the button handlers put captions and check glyphs, worked out by hand.
#include <gtest/gtest.h>

#include "skin/windows/acButtonGeometry.h"

namespace skin {
namespace {

TEST(ButtonGeometry, PushCaptionIsCentredAndShiftedWhileDown) {
  // 75 x 23 with a 30 x 13 text: X = 22, Y = 5.
  EXPECT_EQ(PushCaptionRect({75, 23}, {30, 13}, false), (TRect{21, 5, 55, 18}));
  EXPECT_EQ(PushCaptionRect({75, 23}, {30, 13}, true), (TRect{22, 6, 56, 19}));
}

TEST(ButtonGeometry, CaptionWidthLeavesRoomForTheGlyph) {
  EXPECT_EQ(PushMaxCaptionWidth(80, false, 16), 0);
  EXPECT_EQ(PushMaxCaptionWidth(80, true, 16), 64);
  EXPECT_EQ(PushMaxCaptionWidth(80, true, 0), 78);
  EXPECT_EQ(PushMaxCaptionWidth(10, true, 16), 0) << "a glyph wider than the button leaves no room, not less";
  EXPECT_EQ(PushMaxCaptionWidth(1, true, 0), 0);
}

TEST(ButtonGeometry, CheckGlyphSitsLeftOrRightAndCentred) {
  EXPECT_EQ(CheckGlyphRect({100, 20}, {13, 13}, false), (TRect{0, 3, 13, 16}));
  EXPECT_EQ(CheckGlyphRect({100, 20}, {13, 13}, true), (TRect{87, 3, 100, 16}));
}

TEST(ButtonGeometry, CheckTextFollowsTheGlyphAndIsCentredWhenItFits) {
  TCheckTextPlace p{{100, 20}, 13, false, false, false};
  EXPECT_EQ(CheckTextWidth(p), 85);
  // Short text: (20 - 10) / 2 = 5 from the top, lifted by one; starts at 100 - 85 + 2 = 17.
  EXPECT_EQ(CheckTextRect(p, {40, 10}), (TRect{17, 4, 102, 14}));
  // A taller text starts at the top.
  EXPECT_EQ(CheckTextRect(p, {40, 30}), (TRect{17, -1, 102, 19}));
  p.LeftText = true;
  EXPECT_EQ(CheckTextRect(p, {40, 10}), (TRect{2, 5, 87, 15}));
  p.RightToLeft = true;
  EXPECT_EQ(CheckTextRect(p, {40, 10}), (TRect{-4, 5, 81, 15}));
}

TEST(ButtonGeometry, GroupCaptionBand) {
  EXPECT_EQ(GroupCaptionRect(200, {50, 13}, false), (TRect{6, 0, 64, 15}));
  EXPECT_EQ(GroupCaptionRect(200, {50, 13}, true), (TRect{136, 0, 194, 15}));
  EXPECT_EQ(GroupCaptionRect(40, {50, 13}, false), (TRect{6, 0, 39, 15})) << "never past the box";
  EXPECT_EQ(GroupCaptionRect(200, {0, 0}, false).Bottom, 6) << "an empty caption still makes a band 6 high";
}

TEST(ButtonGeometry, ImageAndCaptionShareTheButton) {
  // 100 x 40, a 16 x 16 image, margins 2 each, a 30 x 13 caption.
  TImagePlace p{{100, 40}, {16, 16}, 0, {2, 2, 2, 2}, false};
  EXPECT_EQ(ButtonImageRect(p), (TRect{5, 12, 21, 28}));
  // Room from 2 + 16 + 3 = 21 to 100: left = 21 + (79 - 30) / 2 = 45; top = (40 - 13) / 2 = 13.
  EXPECT_EQ(ButtonImageCaptionRect(p, {30, 13}), (TRect{44, 13, 77, 26}));
  p.Alignment = 1;
  EXPECT_EQ(ButtonImageRect(p), (TRect{79, 12, 95, 28}));
  p.Alignment = 3;
  EXPECT_EQ(ButtonImageRect(p), (TRect{42, 19, 58, 35}));
  p.Alignment = 4;
  p.Pressed = true;
  EXPECT_EQ(ButtonImageRect(p), (TRect{43, 13, 59, 29}));
  EXPECT_EQ(ButtonImageCaptionRect(p, {30, 13}), (TRect{35, 14, 68, 27})) << "a centred image leaves the caption centred";
  p.Image = {};
  EXPECT_EQ(ButtonImageRect(p), TRect{}) << "no image, no place";
}

}  // namespace
}  // namespace skin
