#pragma once
// Where the track-bar handler puts the channel image, the tick marks and the thumb image, free of
// any window: the control reports its channel and thumb rectangles, the skin its image sizes.
#include <vector>

#include "classlib/Image32.h"
#include "classlib/Types.h"

namespace skin {

using classlib::TPoint;
using classlib::TRect;
using classlib::TSize;

// Which sides of the channel carry tick marks.
enum class TTickMarks { tmBottomRight, tmTopLeft, tmBoth };

// One point per tick, spread evenly from the thumb's centre at the channel's start to its centre at
// the channel's end, along X for a horizontal bar (Y 0) or along Y for a vertical one (X 0). A single
// tick stands at the start; none for a count below 1.
std::vector<TPoint> TicksArray(const TRect& Channel, const TRect& Thumb, bool Vertical, int TickCount);

// The gap between the channel and the tick marks: half the thumb's overhang over the channel, plus 2.
int TickGap(const TRect& Channel, const TRect& Thumb, bool Vertical);

// The places of every tick mark (TicksArray moved beside the channel on the sides Marks names, ticks
// TickHeight long): top-left marks first, then bottom-right ones.
std::vector<TPoint> TickPlaces(const TRect& Channel, const TRect& Thumb, bool Vertical, TTickMarks Marks, int TickCount,
                               int TickHeight);

// The channel image's band: the channel narrowed to the image's thickness less one pixel, centred.
TRect ChannelBand(const TRect& Channel, TSize Image, bool Vertical);

// Whether the thumb image must be resampled to the thumb: always when it points toward top or left
// ticks; otherwise when the thumb is not 23 pixels across (height of a horizontal bar's, width of a
// vertical bar's) and differs from the image in size.
bool ThumbStretched(const TRect& Thumb, TSize Image, bool Vertical, TTickMarks Marks);

// The image's top-left corner when it is drawn unscaled, centred in the thumb.
TPoint ThumbImagePlace(const TRect& Thumb, TSize Image);

// The image mirrored in place: top to bottom, else left to right.
void MirrorImage(const classlib::TImage32View& Image, bool TopToBottom);

}  // namespace skin
