// The colour picker's gradient and text arithmetic, against values worked out by hand for the
// 260-row gradient (half 130, turn at row 129).
#include "skin/controls/sColorDialogMath.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

constexpr classlib::TColor kRed = 0x0000FF;  // red in the low byte
constexpr classlib::TColor kWhite = 0xFFFFFF;

TEST(ColorDialogGradient, RowsRunFromNearWhiteThroughTheColourToBlack) {
  const std::vector<classlib::TColor> rows = GradientRows(kRed, 260);
  ASSERT_EQ(rows.size(), 260u);
  // Row 0: 255 - 255/130 = 253.04 for green and blue.
  EXPECT_EQ(rows[0], 0xFDFDFF);
  // Row 128: 255 - 129 * 255/130 = 1.96 -> 2.
  EXPECT_EQ(rows[128], 0x0202FF);
  // Row 129 turns towards black: red 255 - 255/130 = 253.04; green and blue stay at 1.96.
  EXPECT_EQ(rows[129], 0x0202FD);
  // Row 258: red 255 * (258 - 258)/130 = 0.
  EXPECT_EQ(rows[258] & 0xFF, 0u);
}

TEST(ColorDialogGradient, TheUpperPartSnapsNearlyFullAndNearlyEmptyChannels) {
  // Channel 128: 255 - 127/130 = 254.02 -> 254 painted, read as 255.
  EXPECT_EQ(GradientRows(0x808080, 260)[0], 0xFEFEFE);
  EXPECT_EQ(GradToColor(0x808080, 0, 260), kWhite);
  // Row 128 of red: 2 in green and blue, read as 0; row 129 is in the lower part and keeps 2.
  EXPECT_EQ(GradToColor(kRed, 128, 260), kRed);
  EXPECT_EQ(GradToColor(kRed, 129, 260), 0x0202FD);
}

TEST(ColorDialogGradient, TheLastRowAndRowsOutsideGiveWhite) {
  for (int y : {-1, 259, 260, 1000}) EXPECT_EQ(GradToColor(kRed, y, 260), kWhite) << y;
}

TEST(ColorDialogGradient, ColourCoordIsTheFirstRowWithinTwoInEveryChannel) {
  EXPECT_EQ(GetColorCoord(kRed, kRed, 260), 128);
  // Black has no row within 2: where red reaches 0 (row 258) green and blue still read 1.96 -> 2.
  // Row 258 (0, 2, 2) is the nearest; row 257 (2, 2, 2) is one unit farther in red.
  EXPECT_EQ(GetColorCoord(kRed, 0, 260), 258);
  // E08030 under its full-brightness colour (255, 145, 55): row 144 reads (224, 128, 50), two off
  // in blue; rows 143 (226, 129, 50) and 145 (222, 127, 49) are farther.
  EXPECT_EQ(GetColorCoord(0x3791FF, 0x3080E0, 260), 144);
  // White is met only by the last row.
  EXPECT_EQ(GetColorCoord(kRed, kWhite, 260), 259);
  // A negative colour counts as black, whose upper rows reach 1.96 at row 128, read as 0.
  EXPECT_EQ(GetColorCoord(-5, 0, 260), 128);
}

TEST(ColorDialogText, TheFirstWordReadsAsRedGreenBlue) {
  const struct {
    const wchar_t* text;
    classlib::TColor color;
  } cases[] = {
      {L"FF0000", kRed},     {L"00ff00 green", 0x00FF00},
      {L"0000FF", 0xFF0000}, {L"  FF", 0xFF0000},
      {L"GG0000", 0},        {L"", 0},
      {L"      ", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorOfHexText(c.text), c.color) << c.text;
}

TEST(ColorDialogField, HueAndSaturationPlaceThePoint) {
  EXPECT_EQ(FieldPointOf(0, 1, 260, 260), (classlib::TPoint{0, 0}));
  EXPECT_EQ(FieldPointOf(180, 0.5, 260, 260), (classlib::TPoint{130, 130}));
  EXPECT_EQ(FieldPointOf(359, 0, 260, 260), (classlib::TPoint{259, 260}));
}

TEST(ColorDialogField, BrightnessIsFullAboveTheMiddleAndFallsBelow) {
  EXPECT_EQ(BrightnessOfRow(0, 260), 100.0);
  EXPECT_EQ(BrightnessOfRow(129, 260), 100.0);
  EXPECT_EQ(BrightnessOfRow(130, 260), 100.0);
  EXPECT_EQ(BrightnessOfRow(195, 260), 50.0);
}

}  // namespace
}  // namespace skin
