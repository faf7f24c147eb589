#include "classlib/TextEncoding.h"

#include <type_traits>

#include "classlib/Cp1251.h"
#include "classlib/SysUtils.h"

namespace classlib {
namespace {

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring out;
  out.reserve(bytes.size() / 2);
  const auto unit = [&](std::size_t i) {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
  };
  // A trailing odd byte is not a character and is dropped.
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    AppendCodePoint(out, c);
  }
  return out;
}

}  // namespace

std::wstring DecodeText(std::string_view bytes, TTextEncoding fallback, TTextEncoding& found) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    found = TTextEncoding::Utf8;
    return Utf8Decode(bytes.substr(3));
  }
  if (bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")) {
    found = TTextEncoding::Utf16;
    return DecodeUtf16(bytes.substr(2), bytes[0] == '\xFE');
  }
  found = fallback;
  switch (fallback) {
    case TTextEncoding::Utf8: return Utf8Decode(bytes);
    case TTextEncoding::Utf16: return DecodeUtf16(bytes, false);
    case TTextEncoding::Cp1251: break;
  }
  return Cp1251ToWide(bytes);
}

std::string EncodeText(std::wstring_view text, TTextEncoding encoding) {
  switch (encoding) {
    case TTextEncoding::Utf8: return "\xEF\xBB\xBF" + Utf8Encode(text);
    case TTextEncoding::Utf16: {
      std::string out = "\xFF\xFE";
      const auto put = [&](char32_t unit) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
      };
      for (wchar_t w : text) {
        const auto c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(w));
        if (c >= 0x10000 && c <= 0x10FFFF) {
          put(0xD800 + ((c - 0x10000) >> 10));
          put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
          put(c > 0xFFFF ? 0xFFFD : c);
        }
      }
      return out;
    }
    case TTextEncoding::Cp1251: break;
  }
  return WideToCp1251(text);
}

}  // namespace classlib
