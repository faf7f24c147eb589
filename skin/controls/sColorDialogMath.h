#pragma once
// The arithmetic of the colour picker form: its brightness gradient (white through the chosen
// colour to black, one colour per row), the row that shows a colour, the field point of a hue and
// saturation, and the hexadecimal text read back as a colour. Pure arithmetic; no window needed.
#include <string>
#include <vector>

#include "classlib/Types.h"

namespace skin {

// One colour per row of a gradient Height rows high for the full-brightness colour Internal (red
// in the low byte): from white down towards Internal until row (Height - 1) div 2, then towards
// black. Channels run as real values and are rounded to the nearest integer, halves to even.
std::vector<classlib::TColor> GradientRows(classlib::TColor Internal, int Height);

// The colour of row Y as the picker reads it: the painted row, except that in the upper part
// channels of 2 or less become 0 and channels of 254 or more 255. The last row and rows outside
// the gradient give white.
classlib::TColor GradToColor(classlib::TColor Internal, int Y, int Height);

// The first row whose red, green and blue all lie within less than 2 of Color's. The rows step by
// up to two units a channel, so a colour often has no such row: then the nearest one (least sum of
// channel differences, the first of equals), never the white top for a dark colour. A negative
// Internal counts as black.
int GetColorCoord(classlib::TColor Internal, classlib::TColor Color, int Height);

// The brightness shown for a gradient row: 100 in the upper half, falling to 0 at both ends of the
// lower half's distance from the middle.
double BrightnessOfRow(int Y, int Height);

// The field point of hue H (degrees) and saturation S (0..1) in a field Width x Height.
classlib::TPoint FieldPointOf(double H, double S, int Width, int Height);

// The colour named by the first space-separated word of Text as hexadecimal red, green, blue (red
// ends in the low byte); black when the word holds anything but hexadecimal digits or is empty.
classlib::TColor ColorOfHexText(const std::wstring& Text);

}  // namespace skin
