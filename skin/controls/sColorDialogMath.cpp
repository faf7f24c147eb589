#include "skin/controls/sColorDialogMath.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace skin {

namespace {

int Red(classlib::TColor C) { return static_cast<int>(C & 0xFF); }
int Green(classlib::TColor C) { return static_cast<int>((C >> 8) & 0xFF); }
int Blue(classlib::TColor C) { return static_cast<int>((C >> 16) & 0xFF); }
classlib::TColor MakeColor(int R, int G, int B) { return static_cast<classlib::TColor>(R | (G << 8) | (B << 16)); }

int ToByte(double V) {
  const double r = std::nearbyint(V);
  return r < 0 ? 0 : r > 255 ? 255 : static_cast<int>(r);
}

constexpr classlib::TColor kWhite = 0xFFFFFF;

}  // namespace

std::vector<classlib::TColor> GradientRows(classlib::TColor Internal, int Height) {
  std::vector<classlib::TColor> rows;
  if (Height <= 0) return rows;
  if (Internal < 0) Internal = 0;
  const int half = Height / 2 > 0 ? Height / 2 : 1;
  const int turn = (Height - 1) / 2;
  const int channel[3] = {Red(Internal), Green(Internal), Blue(Internal)};
  double value[3] = {255, 255, 255};
  rows.reserve(Height);
  for (int y = 0; y < Height; ++y) {
    int out[3];
    for (int i = 0; i < 3; ++i) {
      value[i] -= y < turn ? (255.0 - channel[i]) / half : static_cast<double>(channel[i]) / half;
      out[i] = ToByte(value[i]);
    }
    rows.push_back(MakeColor(out[0], out[1], out[2]));
  }
  return rows;
}

namespace {

// Row Y of Rows as the picker reads it (see GradToColor).
classlib::TColor ReadRow(const std::vector<classlib::TColor>& Rows, int Y) {
  const int height = static_cast<int>(Rows.size());
  if (Y < 0 || Y >= height - 1) return kWhite;
  const classlib::TColor row = Rows[Y];
  if (Y >= (height - 1) / 2) return row;
  int c[3] = {Red(row), Green(row), Blue(row)};
  for (int& v : c) v = v <= 2 ? 0 : v >= 254 ? 255 : v;
  return MakeColor(c[0], c[1], c[2]);
}

}  // namespace

classlib::TColor GradToColor(classlib::TColor Internal, int Y, int Height) {
  return ReadRow(GradientRows(Internal, Height), Y);
}

int GetColorCoord(classlib::TColor Internal, classlib::TColor Color, int Height) {
  const std::vector<classlib::TColor> rows = GradientRows(Internal, Height);
  int nearest = 0;
  int nearestDistance = 3 * 256;
  for (int y = 0; y < Height; ++y) {
    const classlib::TColor row = ReadRow(rows, y);
    const int dr = std::abs(Red(row) - Red(Color)), dg = std::abs(Green(row) - Green(Color)),
              db = std::abs(Blue(row) - Blue(Color));
    if (dr < 2 && dg < 2 && db < 2) return y;
    if (dr + dg + db < nearestDistance) {
      nearestDistance = dr + dg + db;
      nearest = y;
    }
  }
  return nearest;
}

double BrightnessOfRow(int Y, int Height) {
  const int half = Height / 2 > 0 ? Height / 2 : 1;
  if (Y < half) return 100.0;
  return (1.0 - std::abs(half - Y) / static_cast<double>(half)) * 100.0;
}

classlib::TPoint FieldPointOf(double H, double S, int Width, int Height) {
  return {static_cast<int>(Width * H / 360.0), static_cast<int>(std::nearbyint((1.0 - S) * Height))};
}

classlib::TColor ColorOfHexText(const std::wstring& Text) {
  size_t start = Text.find_first_not_of(L' ');
  if (start == std::wstring::npos) return 0;
  size_t end = Text.find(L' ', start);
  if (end == std::wstring::npos) end = Text.size();
  std::uint32_t value = 0;
  for (size_t i = start; i < end; ++i) {
    const wchar_t c = Text[i];
    int digit;
    if (c >= L'0' && c <= L'9')
      digit = c - L'0';
    else if (c >= L'A' && c <= L'F')
      digit = c - L'A' + 10;
    else if (c >= L'a' && c <= L'f')
      digit = c - L'a' + 10;
    else
      return 0;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  value &= 0xFFFFFF;
  return MakeColor(static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                   static_cast<int>(value & 0xFF));
}

}  // namespace skin
