// Where the track-bar handler puts its ticks, channel band and thumb image, worked out by hand.
#include <gtest/gtest.h>

#include <vector>

#include "skin/windows/acTrackGeometry.h"

namespace skin {
namespace {

// Channel 84 long from x 8, thumb 11 wide: the ticks run from 13.5 to 86.5 in steps of 18.25,
// rounded half to even.
constexpr TRect kChannelH{8, 20, 92, 24}, kThumbH{40, 14, 51, 32};
constexpr TRect kChannelV{20, 8, 24, 92}, kThumbV{14, 40, 32, 51};

TEST(TrackGeometry, TicksAreSpreadEvenlyBetweenTheThumbCentres) {
  struct Case {
    int count;
    std::vector<int> at;
  };
  const Case cases[] = {
      {5, {14, 32, 50, 68, 86}}, {2, {14, 86}}, {1, {14}}, {0, {}}, {-3, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    std::vector<TPoint> h, v;
    for (int a : c.at) {
      h.push_back({a, 0});
      v.push_back({0, a});
    }
    EXPECT_EQ(TicksArray(kChannelH, kThumbH, false, c.count), h);
    EXPECT_EQ(TicksArray(kChannelV, kThumbV, true, c.count), v);
  }
}

TEST(TrackGeometry, TickMarksStandOffTheChannelOnTheirSides) {
  // Thumb 18 across, channel 4: gap 7 + 2 = 9; marks 4 long.
  EXPECT_EQ(TickGap(kChannelH, kThumbH, false), 9);
  using P = std::vector<TPoint>;
  EXPECT_EQ(TickPlaces(kChannelH, kThumbH, false, TTickMarks::tmBottomRight, 2, 4), (P{{14, 33}, {86, 33}}));
  EXPECT_EQ(TickPlaces(kChannelH, kThumbH, false, TTickMarks::tmTopLeft, 2, 4), (P{{14, 7}, {86, 7}}));
  EXPECT_EQ(TickPlaces(kChannelH, kThumbH, false, TTickMarks::tmBoth, 2, 4), (P{{14, 7}, {86, 7}, {14, 33}, {86, 33}}));
  EXPECT_EQ(TickPlaces(kChannelV, kThumbV, true, TTickMarks::tmBoth, 2, 4), (P{{7, 14}, {7, 86}, {33, 14}, {33, 86}}));
  EXPECT_TRUE(TickPlaces(kChannelH, kThumbH, false, TTickMarks::tmBoth, 1, 4).size() == 2u);
}

TEST(TrackGeometry, ChannelBandIsTheImageThicknessLessOneCentred) {
  EXPECT_EQ(ChannelBand({8, 16, 92, 26}, {5, 5}, false), (TRect{8, 19, 92, 23}));
  EXPECT_EQ(ChannelBand({16, 8, 26, 92}, {5, 5}, true), (TRect{19, 8, 23, 92}));
}

TEST(TrackGeometry, ThumbIsStretchedUnlessTwentyThreeAcrossOrOfTheImageSize) {
  struct Case {
    TRect thumb;
    TSize image;
    bool vertical;
    TTickMarks marks;
    bool stretched;
  };
  const Case cases[] = {
      {{0, 0, 11, 23}, {11, 21}, false, TTickMarks::tmBottomRight, false},
      {{0, 0, 11, 23}, {11, 21}, false, TTickMarks::tmTopLeft, true},
      {{0, 0, 12, 23}, {11, 21}, false, TTickMarks::tmBoth, false},
      {{0, 0, 11, 21}, {11, 21}, false, TTickMarks::tmBottomRight, false},
      {{0, 0, 11, 21}, {11, 21}, false, TTickMarks::tmTopLeft, true},
      {{0, 0, 12, 18}, {11, 21}, false, TTickMarks::tmBottomRight, true},
      {{0, 0, 23, 11}, {21, 11}, true, TTickMarks::tmBottomRight, false},
      {{0, 0, 11, 23}, {21, 11}, true, TTickMarks::tmBottomRight, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ThumbStretched(c.thumb, c.image, c.vertical, c.marks), c.stretched)
        << c.thumb.Right << "x" << c.thumb.Bottom << (c.vertical ? " vertical" : " horizontal");
  EXPECT_EQ(ThumbImagePlace({40, 14, 51, 37}, {11, 21}), (TPoint{40, 15}));
}

TEST(TrackGeometry, MirrorTurnsRowsOrColumnsOver) {
  classlib::TsColor_ px[6]{};
  for (int i = 0; i < 6; ++i) px[i].R = std::uint8_t(i);
  const classlib::TImage32View v{reinterpret_cast<std::uint8_t*>(px), 2, 3, 8};
  MirrorImage(v, true);
  EXPECT_EQ(v.At(0, 0).R, 4);
  EXPECT_EQ(v.At(1, 2).R, 1);
  EXPECT_EQ(v.At(0, 1).R, 2);
  MirrorImage(v, false);
  EXPECT_EQ(v.At(0, 0).R, 5);
  EXPECT_EQ(v.At(1, 0).R, 4);
}

}  // namespace
}  // namespace skin
