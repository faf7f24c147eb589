#pragma once
// Text files as bytes: the encodings the program reads and writes.
#include <string>
#include <string_view>

namespace classlib {

// Cp1251: the 8-bit code page of the program's texts and skin files, written without a mark.
// Utf8 and Utf16 (little endian) are written with their byte-order mark.
enum class TTextEncoding { Cp1251, Utf8, Utf16 };

// A byte-order mark (UTF-8, UTF-16 little or big endian) decides; without one the bytes are
// taken in `fallback`. `found` receives the encoding used (big-endian UTF-16 reports Utf16).
std::wstring DecodeText(std::string_view bytes, TTextEncoding fallback, TTextEncoding& found);
std::string EncodeText(std::wstring_view text, TTextEncoding encoding);

}  // namespace classlib
