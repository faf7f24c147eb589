#include "classlib/Cp1251.h"

#include <array>

namespace classlib {
namespace {

// Upper half of the code page, 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
// 0x98 is unassigned and maps to U+FFFD.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

}  // namespace

wchar_t Cp1251Char(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return static_cast<wchar_t>(0x0410 + (byte - 0xC0));
  return static_cast<wchar_t>(kHigh[byte - 0x80]);
}

std::wstring Cp1251ToWide(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (char c : bytes) out.push_back(Cp1251Char(static_cast<unsigned char>(c)));
  return out;
}

std::string WideToCp1251(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t w : text) {
    const auto code = static_cast<char32_t>(w);
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code >= 0x0410 && code <= 0x044F) {
      out.push_back(static_cast<char>(0xC0 + (code - 0x0410)));
    } else {
      char mapped = '?';
      for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == code && code != 0xFFFD) {
          mapped = static_cast<char>(0x80 + i);
          break;
        }
      }
      out.push_back(mapped);
    }
  }
  return out;
}

}  // namespace classlib
