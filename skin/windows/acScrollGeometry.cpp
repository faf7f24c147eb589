#include "skin/windows/acScrollGeometry.h"

#include <algorithm>

namespace skin {

std::int64_t MulDiv64(std::int64_t A, std::int64_t B, std::int64_t C) {
  if (C == 0) return 0;
  // Operands here stay within 32 bits, so the product fits.
  const std::int64_t p = A * B;
  const std::int64_t half = (C < 0 ? -C : C) / 2;
  return ((p < 0) != (C < 0)) ? (p - half) / C : (p + half) / C;
}

TacThumb CalcThumb(const TacScrollRange& Range, int Start, int Len, int ArrowLen, int MinThumb) {
  const std::int64_t span = std::int64_t(Range.Max) - Range.Min + 1;
  const int track = Len - 2 * ArrowLen;
  if (track <= 0 || span <= 0) return {};
  std::int64_t size = ArrowLen;
  if (Range.Page != 0) size = std::max<std::int64_t>(MulDiv64(Range.Page, track, span), MinThumb);
  if (size <= 0 || size > track) return {};
  const std::int64_t steps = span - std::max<std::int64_t>(Range.Page, 1);
  const std::int64_t room = track - size;
  const std::int64_t offset =
      std::clamp<std::int64_t>(MulDiv64(std::int64_t(Range.Pos) - Range.Min, room, steps), 0, room);
  return {int(size), int(Start + ArrowLen + offset)};
}

int ScrollPortionAt(int Coord, int Start, int Len, int ArrowLen, const TacThumb& Thumb) {
  const int track = Len - 2 * ArrowLen;
  const int arrow = 2 * ArrowLen >= Len ? ArrowLen / 2 : ArrowLen;
  const int end = Start + Len;
  if (Coord < Start || Coord >= end) return kPortionNone;
  if (Coord < Start + arrow) return kPortionFirstArrow;
  if (Coord >= end - arrow) return kPortionSecondArrow;
  if (Thumb.Size <= 0 || Thumb.Size >= track) return kPortionNone;
  if (Coord >= Thumb.Pos && Coord < Thumb.Pos + Thumb.Size) return kPortionThumb;
  if (Coord >= Start + arrow && Coord < Thumb.Pos) return kPortionPageBefore;
  if (Coord >= Thumb.Pos + Thumb.Size && Coord < end - arrow) return kPortionPageAfter;
  return kPortionNone;
}

std::int32_t ThumbTrackPosition(int P, int TrackStart, int TrackLen, int ThumbSize, const TacScrollRange& Range) {
  const std::int64_t last =
      std::max<std::int64_t>(0, std::int64_t(Range.Max) - Range.Min - std::int64_t(Range.Page) + 1);
  const std::int64_t room = TrackLen - ThumbSize;
  const std::int64_t offset = std::clamp<std::int64_t>(MulDiv64(std::int64_t(P) - TrackStart, last, room), 0, last);
  return std::int32_t(std::int64_t(Range.Min) + offset);
}

}  // namespace skin
