#pragma once
// UTF-16 (or UTF-32 where wchar_t is 32 bits) to UTF-8, header-only so that the exception
// classes can use it without pulling in the run-time library.
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace classlib {

inline void AppendUtf8(std::string& out, char32_t c) {
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// The code point at I: a surrogate pair joined (I moves to its second half), anything else as
// it stands, lone surrogates included.
inline char32_t CodePointAt(std::wstring_view text, std::size_t& i) {
  auto c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
    const auto low = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i + 1]));
    if (low >= 0xDC00 && low <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      ++i;
    }
  }
  return c;
}

// Surrogate pairs are joined; a lone surrogate becomes U+FFFD.
inline std::string Utf8Encode(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    AppendUtf8(out, CodePointAt(text, i));
  }
  return out;
}

}  // namespace classlib
