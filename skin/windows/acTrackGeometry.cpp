#include "skin/windows/acTrackGeometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace skin {
namespace {

int Width(const TRect& R) { return R.Right - R.Left; }
int Height(const TRect& R) { return R.Bottom - R.Top; }

// Banker's rounding, as the tick positions have always been rounded.
int RoundHalfEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

}  // namespace

std::vector<TPoint> TicksArray(const TRect& Channel, const TRect& Thumb, bool Vertical, int TickCount) {
  std::vector<TPoint> out;
  if (TickCount < 1) return out;
  const int channelLength = Vertical ? Height(Channel) : Width(Channel);
  const int thumbLength = Vertical ? Height(Thumb) : Width(Thumb);
  const double start = (Vertical ? Channel.Top : Channel.Left) + thumbLength / 2.0;
  // One tick has no distance to spread over: it stays at the start.
  const double step = TickCount > 1 ? double(channelLength - thumbLength) / (TickCount - 1) : 0.0;
  out.reserve(std::size_t(TickCount));
  for (int i = 0; i < TickCount; ++i) {
    const int at = RoundHalfEven(i * step + start);
    out.push_back(Vertical ? TPoint{0, at} : TPoint{at, 0});
  }
  return out;
}

int TickGap(const TRect& Channel, const TRect& Thumb, bool Vertical) {
  const int overhang = Vertical ? Width(Thumb) - Width(Channel) : Height(Thumb) - Height(Channel);
  return overhang / 2 + 2;
}

std::vector<TPoint> TickPlaces(const TRect& Channel, const TRect& Thumb, bool Vertical, TTickMarks Marks, int TickCount,
                               int TickHeight) {
  const std::vector<TPoint> ticks = TicksArray(Channel, Thumb, Vertical, TickCount);
  const int d = TickGap(Channel, Thumb, Vertical);
  std::vector<TPoint> out;
  const auto side = [&](bool topLeft) {
    for (const TPoint& t : ticks) {
      if (Vertical)
        out.push_back({topLeft ? Channel.Left - d - TickHeight : Channel.Right + d, t.Y});
      else
        out.push_back({t.X, topLeft ? Channel.Top - d - TickHeight : Channel.Bottom + d});
    }
  };
  if (Marks != TTickMarks::tmBottomRight) side(true);
  if (Marks != TTickMarks::tmTopLeft) side(false);
  return out;
}

TRect ChannelBand(const TRect& Channel, TSize Image, bool Vertical) {
  TRect r = Channel;
  if (Vertical) {
    const int w = std::max(Image.cx - 1, 0);
    r.Left = Channel.Left + (Width(Channel) - w) / 2;
    r.Right = r.Left + w;
  } else {
    const int h = std::max(Image.cy - 1, 0);
    r.Top = Channel.Top + (Height(Channel) - h) / 2;
    r.Bottom = r.Top + h;
  }
  return r;
}

bool ThumbStretched(const TRect& Thumb, TSize Image, bool Vertical, TTickMarks Marks) {
  if (Marks == TTickMarks::tmTopLeft) return true;
  const int across = Vertical ? Width(Thumb) : Height(Thumb);
  return across != 23 && (Width(Thumb) != Image.cx || Height(Thumb) != Image.cy);
}

TPoint ThumbImagePlace(const TRect& Thumb, TSize Image) {
  return {Thumb.Left + (Width(Thumb) - Image.cx) / 2, Thumb.Top + (Height(Thumb) - Image.cy) / 2};
}

void MirrorImage(const classlib::TImage32View& Image, bool TopToBottom) {
  if (Image.Empty()) return;
  if (TopToBottom) {
    for (int y = 0, z = Image.Height - 1; y < z; ++y, --z)
      std::swap_ranges(Image.Row(y), Image.Row(y) + Image.Width, Image.Row(z));
    return;
  }
  for (int y = 0; y < Image.Height; ++y) std::reverse(Image.Row(y), Image.Row(y) + Image.Width);
}

}  // namespace skin
