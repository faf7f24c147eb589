#pragma once
// Scroll-bar arithmetic along one bar, free of any window: the thumb's length and place for a
// scroll range, the part of the bar under a point, and the scroll position a dragged thumb stands
// for. Ranges are taken as hostile: a full 32-bit range, a minimum above the maximum or a page
// larger than the range never overflow or place the thumb outside the track.
#include <cstdint>

namespace skin {

// The scroll information a bar shows.
struct TacScrollRange {
  std::int32_t Min = 0;
  std::int32_t Max = 0;
  std::uint32_t Page = 0;
  std::int32_t Pos = 0;
};

// Parts of a bar; 0 to 3 are also the scroll codes sent for them.
inline constexpr int kPortionNone = -1;
inline constexpr int kPortionFirstArrow = 0;
inline constexpr int kPortionSecondArrow = 1;
inline constexpr int kPortionPageBefore = 2;
inline constexpr int kPortionPageAfter = 3;
inline constexpr int kPortionThumb = 5;

struct TacThumb {
  int Size = 0;  // 0: no thumb
  int Pos = 0;   // first pixel, on the same axis as the bar's start
};

// A * B / C rounded to nearest in 64 bits; 0 for a zero divisor.
std::int64_t MulDiv64(std::int64_t A, std::int64_t B, std::int64_t C);

// The thumb of a bar from Start, Len long, with two arrows of ArrowLen: its length is the page's
// share of the track (at least MinThumb, the arrow length without a page), its place the
// position's share of the rest. No thumb when the range is empty or the thumb does not fit.
TacThumb CalcThumb(const TacScrollRange& Range, int Start, int Len, int ArrowLen, int MinThumb);

// The part of the bar under Coord; the arrows are halved when two do not fit.
int ScrollPortionAt(int Coord, int Start, int Len, int ArrowLen, const TacThumb& Thumb);

// The scroll position for a thumb of ThumbSize whose first pixel is at P, in a track from
// TrackStart, TrackLen long: Min at the start, Max - Page + 1 at the end.
std::int32_t ThumbTrackPosition(int P, int TrackStart, int TrackLen, int ThumbSize, const TacScrollRange& Range);

}  // namespace skin
