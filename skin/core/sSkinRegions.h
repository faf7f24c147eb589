#pragma once
// Image routines beside the section painter: runs of key pixels for window regions (of a bitmap,
// or of the corners of a border image), the nine-slice copy of form-shadow templates, and copies
// of one byte channel. A run is a rectangle one pixel high over neighbouring key pixels of a row;
// runs are appended after what the list already holds.
#include <cstddef>
#include <cstdint>

#include "skin/core/acSkinRecords.h"
#include "skin/core/sConstTypes.h"

namespace skin {

// Runs of the pixels of Bmp that equal TransColor (red in the low byte), rows top to bottom.
void AddRgnBmp(TAOR& arr, const TImage32View& bmp, TColor transColor);
// Runs of the key pixels in the two top (or, with Bottom, the two bottom) corners of a border
// image's first cell, placed for a window Width wide with the corner's first row at row Y.
void AddRgn(TAOR& arr, int width, const TsMaskData& md, bool bottom, int y);
// The runs of all four corners of image MaskIndex for a window of Width x Height.
TAOR CornerRuns(const TacSkinRecords& sm, int maskIndex, int width, int height);

// A nine-slice copy of SrcRect of Src onto DstRect of Dst. BorderWidths (Left, Top, Right, Bottom)
// are painted whole along the outer edges and only EdgeWidths thick elsewhere; SideModes per side:
// 0 tiles, 1 stretches, others leave the side alone. The centre is stretched or tiled when
// DrawCenter is set.
void PaintControlByTemplate(const TImage32View& dst, const TImage32View& src, const TRect& dstRect,
                            const TRect& srcRect, const TRect& borderWidths, const TRect& edgeWidths,
                            const TRect& sideModes, bool stretchCenter, bool drawCenter);

// Byte Channel (0 B, 1 G, 2 R, 3 A) of every pixel of Dst from the pixel of Src at the same place.
void CopyChannel32(const TImage32View& dst, const TImage32View& src, int channel);
// Between byte Channel of a 32-bit image and a plane of one byte per pixel (Stride bytes a row):
// From32 copies into the plane, otherwise out of it.
void CopyChannel(const TImage32View& bmp32, std::uint8_t* plane, std::ptrdiff_t stride, int planeWidth, int planeHeight,
                 int channel, bool from32);

}  // namespace skin
