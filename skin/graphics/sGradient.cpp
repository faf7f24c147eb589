#include "skin/graphics/sGradient.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "classlib/SysUtils.h"
#include "skin/graphics/PixelKernels.h"
#include "skin/graphics/PixelMath.h"

namespace skin {
namespace {

std::vector<std::string> SplitWords(const std::string& text, char delimiter) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == delimiter) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != delimiter) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// Skin text is 8-bit; the digits and signs that make a number are ASCII.
int ParseInteger(const std::string& word) {
  std::wstring wide;
  wide.reserve(word.size());
  for (unsigned char c : word) wide.push_back(static_cast<wchar_t>(c));
  return classlib::StrToInt(wide);
}

std::uint32_t OpaquePixel(int r, int g, int b) {
  return 0xFF000000u | (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
         static_cast<std::uint32_t>(b);
}

// Walks the segments along one axis and hands every painted position its pixel (row order, A 255).
// Vertical: a segment ends ((Extent + Extra) * Percent) div 100 after its start; horizontal: at
// Round(Percent * Extent / 100 + start). The last segment always ends at End - 1, and the position
// where one segment ends is painted again by the next. Colours step in single precision.
template <typename Put>
void WalkSegments(const TsGradArray& arr, bool horizontal, int origin, int extent, int extra, int end, Put put) {
  const double scale = extent / 100.0;
  long long p = origin;
  const std::size_t last = arr.size() - 1;
  for (std::size_t k = 0; k < arr.size(); ++k) {
    const TsGradPie& seg = arr[k];
    const long long start = p;
    if (horizontal)
      p = RoundToInt(seg.Percent * scale + static_cast<double>(start));
    else
      p = (static_cast<long long>(extent) + extra) * seg.Percent / 100 + start;
    p = k == last ? end - 1 : std::min<long long>(p, end - 1);
    if (p <= start) continue;
    if (seg.Color1 == seg.Color2) {
      const std::uint32_t c = OpaquePixel(RedOf(seg.Color1), GreenOf(seg.Color1), BlueOf(seg.Color1));
      for (long long pos = start; pos <= p; ++pos) put(pos, c);
      continue;
    }
    const double n = static_cast<double>(p - start);
    float ar = static_cast<float>(RedOf(seg.Color1)), ag = static_cast<float>(GreenOf(seg.Color1)),
          ab = static_cast<float>(BlueOf(seg.Color1));
    const double sr = (RedOf(seg.Color2) - RedOf(seg.Color1)) / n;
    const double sg = (GreenOf(seg.Color2) - GreenOf(seg.Color1)) / n;
    const double sb = (BlueOf(seg.Color2) - BlueOf(seg.Color1)) / n;
    for (long long pos = start; pos <= p; ++pos) {
      put(pos, OpaquePixel(RoundByte(ar), RoundByte(ag), RoundByte(ab)));
      ar = static_cast<float>(ar + sr);
      ag = static_cast<float>(ag + sg);
      ab = static_cast<float>(ab + sb);
    }
  }
}

std::uint32_t* RowU(const TImage32View& v, int y) { return reinterpret_cast<std::uint32_t*>(v.Row(y)); }

// R limited to the image; false when nothing of it is left.
bool LimitToImage(const TImage32View& bmp, TRect& r) {
  if (bmp.Empty() || r.Left >= r.Right || r.Top >= r.Bottom) return false;
  r = bmp.Clip(r);
  return r.Left < r.Right && r.Top < r.Bottom;
}

}  // namespace

void PrepareGradArray(const std::string& text, TsGradArray& arr) {
  arr.assign(1, TsGradPie{});
  if (text.empty()) return;
  const std::vector<std::string> words = SplitWords(text, ';');
  const std::size_t n = words.size() / 5;
  arr.assign(n, TsGradPie{});
  for (std::size_t i = 0; i < n; ++i) {
    TsGradPie& seg = arr[i];
    seg.Color1 = std::max(ParseInteger(words[5 * i]), 0);
    seg.Color2 = std::max(ParseInteger(words[5 * i + 1]), 0);
    seg.Percent = std::clamp(ParseInteger(words[5 * i + 2]), 0, 100);
    seg.Mode1 = ParseInteger(words[5 * i + 3]);
  }
}

void PaintGrad(const TImage32View& bmp, const TRect& r, const std::string& text) {
  TsGradArray arr;
  PrepareGradArray(text, arr);
  PaintGrad(bmp, r, arr, 0, 0);
}

void PaintGrad(const TImage32View& bmp, TRect r, const TsGradArray& arr, int extra, int) {
  if (arr.empty() || !LimitToImage(bmp, r)) return;
  const int width = r.Right - r.Left;
  switch (arr[0].Mode1) {
    case 0: {
      const bool stream = static_cast<long long>(width) * (r.Bottom - r.Top) * 4 > kernels::kStreamFillBytes;
      WalkSegments(arr, false, r.Top + extra, r.Bottom - r.Top, extra, r.Bottom, [&](long long y, std::uint32_t c) {
        if (y >= r.Top && y < r.Bottom) kernels::Fill(RowU(bmp, static_cast<int>(y)) + r.Left, width, c, stream);
      });
      if (stream) kernels::FinishStreaming();
      break;
    }
    case 1: {
      std::uint32_t* first = RowU(bmp, r.Top);
      WalkSegments(arr, true, r.Left, width, 0, r.Right, [&](long long x, std::uint32_t c) {
        if (x >= r.Left && x < r.Right) first[x] = c;
      });
      for (int y = r.Top + 1; y < r.Bottom; ++y)
        std::memcpy(RowU(bmp, y) + r.Left, first + r.Left, static_cast<std::size_t>(width) * 4);
      break;
    }
    case 2: {
      TColor colors[5];
      for (std::size_t k = 0; k < 5; ++k) colors[k] = arr[std::min(k, arr.size() - 1)].Color1;
      PaintCornerGradient(bmp, r, colors);
      break;
    }
    default: break;
  }
}

void PaintGradTxt(const TImage32View& bmp, TRect r, const TsGradArray& arr, const TImage32View& texture,
                  TRect textureRect, int blend) {
  if (arr.empty() || texture.Empty() || !LimitToImage(bmp, r)) return;
  const int mode = arr[0].Mode1;
  if (mode != 0 && mode != 1) return;
  TRect t = textureRect;
  if (t.Left >= t.Right || t.Top >= t.Bottom) t = {0, 0, texture.Width, texture.Height};
  if (t.Left < 0 || t.Top < 0) return;
  const long long tw =
      std::min<long long>(std::max(t.Right - t.Left, 0), texture.Width - static_cast<long long>(t.Left));
  const long long th =
      std::min<long long>(std::max(t.Bottom - t.Top, 0), texture.Height - static_cast<long long>(t.Top));
  if (tw <= 0 || th <= 0) return;
  blend = std::clamp(blend, 0, 255);

  // The gradient colour of every row (vertical) or column (horizontal) of R; 0 where none is painted.
  const bool horizontal = mode == 1;
  const int origin = horizontal ? r.Left : r.Top;
  const int end = horizontal ? r.Right : r.Bottom;
  std::vector<std::uint32_t> line(static_cast<std::size_t>(end - origin), 0);
  WalkSegments(arr, horizontal, origin, end - origin, 0, end, [&](long long pos, std::uint32_t c) {
    if (pos >= origin && pos < end) line[static_cast<std::size_t>(pos - origin)] = c;
  });

  for (int y = r.Top; y < r.Bottom; ++y) {
    TsColor_* d = bmp.Row(y);
    const TsColor_* tr = texture.Row(static_cast<int>(t.Top + y % th));
    for (int x = r.Left; x < r.Right; ++x) {
      TsColor_ g;
      g.U = line[static_cast<std::size_t>((horizontal ? x : y) - origin)];
      if (g.U == 0) continue;
      const TsColor_& tp = tr[t.Left + x % tw];
      d[x].R = static_cast<std::uint8_t>(Mix(g.R, tp.R, blend));
      d[x].G = static_cast<std::uint8_t>(Mix(g.G, tp.G, blend));
      d[x].B = static_cast<std::uint8_t>(Mix(g.B, tp.B, blend));
      d[x].A = 255;
    }
  }
}

}  // namespace skin
