#pragma once
// Conversions between numbers and text, and the small text routines that go with them, named as
// the platform's run-time library names them. Texts are UTF-16 on Windows (wchar_t).
#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "classlib/FormatSettings.h"
#include "classlib/Utf8.h"

namespace classlib {

// ---- integers ----
std::wstring IntToStr(std::int64_t value);

std::wstring IntToHexBits(std::uint64_t bits, int digits);
// Upper-case hexadecimal, at least `digits` digits. Negative values of 32-bit and smaller types
// print as their 32-bit two's complement (-1 gives FFFFFFFF), 64-bit ones as 64 bits.
template <std::integral T>
std::wstring IntToHex(T value, int digits) {
  if constexpr (sizeof(T) <= 4) {
    return IntToHexBits(static_cast<std::uint32_t>(value), digits);
  } else {
    return IntToHexBits(static_cast<std::uint64_t>(value), digits);
  }
}

// Decimal with an optional sign, or hexadecimal after '$', 'x' or "0x" (hex may fill all 32 bits:
// $FFFFFFFF is -1). Leading blanks are skipped; anything else raises EConvertError
// "'S' is not a valid integer value".
std::int32_t StrToInt(std::wstring_view text);
std::int32_t StrToIntDef(std::wstring_view text, std::int32_t fallback);
bool TryStrToInt(std::wstring_view text, std::int32_t& value);
std::int64_t StrToInt64(std::wstring_view text);
std::int64_t StrToInt64Def(std::wstring_view text, std::int64_t fallback);
bool TryStrToInt64(std::wstring_view text, std::int64_t& value);

// ---- floating point ----
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// Blanks around the number are allowed; the decimal separator is the settings' one; an exponent
// ("1,5E3") is accepted; thousands separators are not. EConvertError
// "'S' is not a valid floating point value".
double StrToFloat(std::wstring_view text);
double StrToFloat(std::wstring_view text, const TFormatSettings& settings);
double StrToFloatDef(std::wstring_view text, double fallback);
bool TryStrToFloat(std::wstring_view text, double& value);
bool TryStrToFloat(std::wstring_view text, double& value, const TFormatSettings& settings);

// The shortest text of up to 15 significant digits (scientific when the number is very large
// or very small), as FloatToStrF(value, ffGeneral, 15, 0).
std::wstring FloatToStr(double value);
std::wstring FloatToStr(double value, const TFormatSettings& settings);
// ffGeneral: Precision significant digits, Digits = minimum exponent digits in scientific form;
// ffExponent: "d.dddE+xx" with Precision digits and at least Digits exponent digits;
// ffFixed/ffNumber: Digits decimals (ffNumber with thousands separators), scientific when
// the integer part has more than Precision digits. Rounding is half away from zero.
std::wstring FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::wstring FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings);

// The value laid out by a picture: up to three sections "positive;negative;zero"; in a section
// '0' is a digit always shown, '#' a digit shown when significant, '.' the decimal separator,
// ',' among the integer placeholders groups thousands with the settings' separator,
// "E+00"/"E-00" scientific notation, quoted text and other characters literal. Rounds half away
// from zero. "#,##" shows 1234567 as "1,234,567" and zero as "". An empty picture is FloatToStr.
std::wstring FormatFloat(std::wstring_view format, double value);
std::wstring FormatFloat(std::wstring_view format, double value, const TFormatSettings& settings);

// ---- text ----
// Trimming removes characters up to and including the blank (control characters too).
std::wstring Trim(std::wstring_view text);
std::wstring TrimLeft(std::wstring_view text);
std::wstring TrimRight(std::wstring_view text);
// ASCII letters only.
std::wstring UpperCase(std::wstring_view text);
std::wstring LowerCase(std::wstring_view text);
// Latin, Greek and Cyrillic letters as well (the scripts the program's texts use).
std::wstring AnsiUpperCase(std::wstring_view text);
std::wstring AnsiLowerCase(std::wstring_view text);
wchar_t UpCaseChar(wchar_t c);
wchar_t LowCaseChar(wchar_t c);
// Ordinal comparisons: <0, 0, >0. The *Text forms ignore case (AnsiUpperCase folding).
int CompareStr(std::wstring_view a, std::wstring_view b);
int CompareText(std::wstring_view a, std::wstring_view b);
bool SameText(std::wstring_view a, std::wstring_view b);
inline int AnsiCompareStr(std::wstring_view a, std::wstring_view b) { return CompareStr(a, b); }
inline int AnsiCompareText(std::wstring_view a, std::wstring_view b) { return CompareText(a, b); }
inline bool AnsiSameText(std::wstring_view a, std::wstring_view b) { return SameText(a, b); }
// 'text' with inner quotes doubled; AnsiQuotedStr with any quote character.
std::wstring QuotedStr(std::wstring_view text);
std::wstring AnsiQuotedStr(std::wstring_view text, wchar_t quote);
// Reads a quoted string at `pos` (which points at the opening quote), undoubling inner quotes;
// `pos` ends after the closing quote, or at the end when the quote is never closed.
std::wstring AnsiExtractQuotedStr(std::wstring_view text, std::size_t& pos, wchar_t quote);
// UTF-8 and back. Decoding turns malformed bytes into U+FFFD; encoding an unpaired surrogate
// writes U+FFFD.
std::wstring Utf8Decode(std::string_view bytes);
// Appends one Unicode code point (a surrogate pair on Windows where it is needed).
void AppendCodePoint(std::wstring& out, char32_t code);

// ---- files ----
// Whether a file (not a folder) of that name exists.
bool FileExists(const std::wstring& fileName);

// ---- Format ----
// One argument of Format: an integer, a floating-point value or a text.
class TFormatArg {
 public:
  enum class Kind { Signed, Unsigned, Float, Text };
  template <std::signed_integral T>
  TFormatArg(T v) : kind_(Kind::Signed), signed_(v) {}
  template <std::unsigned_integral T>
  TFormatArg(T v) : kind_(Kind::Unsigned), unsigned_(v) {}
  TFormatArg(wchar_t c) : kind_(Kind::Text), text_(&storage_, 1), storage_(c) {}
  TFormatArg(double v) : kind_(Kind::Float), float_(v) {}
  TFormatArg(float v) : kind_(Kind::Float), float_(v) {}
  TFormatArg(long double v) : kind_(Kind::Float), float_(static_cast<double>(v)) {}
  TFormatArg(std::wstring_view v) : kind_(Kind::Text), text_(v) {}
  TFormatArg(const std::wstring& v) : kind_(Kind::Text), text_(v) {}
  TFormatArg(const wchar_t* v) : kind_(Kind::Text), text_(v ? v : L"") {}
  TFormatArg(const TFormatArg& other)
      : kind_(other.kind_),
        signed_(other.signed_),
        unsigned_(other.unsigned_),
        float_(other.float_),
        text_(other.text_),
        storage_(other.storage_) {
    if (other.text_.data() == &other.storage_) text_ = std::wstring_view(&storage_, 1);
  }
  TFormatArg& operator=(const TFormatArg&) = delete;

  Kind kind() const { return kind_; }
  std::int64_t asSigned() const { return signed_; }
  std::uint64_t asUnsigned() const { return unsigned_; }
  double asFloat() const { return float_; }
  std::wstring_view asText() const { return text_; }

 private:
  Kind kind_;
  std::int64_t signed_ = 0;
  std::uint64_t unsigned_ = 0;
  double float_ = 0;
  std::wstring_view text_;
  wchar_t storage_ = 0;
};

// The platform's Format: "%" [index ":"] ["-"] [width] ["." precision] type, with the types
// d (decimal; precision = minimum digits: "%.2d" gives 05), u, x (upper-case hex), e, f, g, n
// (thousands separators), s (precision = maximum characters) and "%%". Width and precision may be
// '*' (taken from the arguments). Padding is with blanks ("%2d" gives " 5"); a leading '0' in the
// width pads with zeros instead. A missing or mismatched argument raises EConvertError.
std::wstring FormatArgs(std::wstring_view format, std::span<const TFormatArg> args, const TFormatSettings& settings);
template <class... A>
std::wstring Format(std::wstring_view format, const A&... args) {
  if constexpr (sizeof...(A) == 0) {
    return FormatArgs(format, {}, FormatSettings);
  } else {
    const TFormatArg list[] = {TFormatArg(args)...};
    return FormatArgs(format, list, FormatSettings);
  }
}
template <class... A>
std::wstring Format(const TFormatSettings& settings, std::wstring_view format, const A&... args) {
  if constexpr (sizeof...(A) == 0) {
    return FormatArgs(format, {}, settings);
  } else {
    const TFormatArg list[] = {TFormatArg(args)...};
    return FormatArgs(format, list, settings);
  }
}

}  // namespace classlib
