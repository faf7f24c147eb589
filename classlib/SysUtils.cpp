#include "classlib/SysUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

#include "classlib/Exception.h"
#include "classlib/FloatDigits.h"

namespace classlib {

// ---------------------------------------------------------------- integers

std::wstring IntToStr(std::int64_t value) {
  // Built by hand: the magnitude of INT64_MIN does not fit a signed negation.
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  wchar_t buffer[24];
  wchar_t* p = buffer + 24;
  do {
    *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = L'-';
  return std::wstring(p, buffer + 24);
}

std::wstring IntToHexBits(std::uint64_t bits, int digits) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring out;
  do {
    out.push_back(kHex[bits & 0xF]);
    bits >>= 4;
  } while (bits != 0);
  const int width = std::clamp(digits, 0, 32);
  while (static_cast<int>(out.size()) < width) out.push_back(L'0');
  std::reverse(out.begin(), out.end());
  return out;
}

namespace {

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

// Parses like the platform's Val: blanks, sign, then decimal digits or a hex prefix and hex
// digits, then the end. `hexBits` bounds hex values (they may set the sign bit); decimal values
// must lie within [min, max].
bool ParseInteger(std::wstring_view s, std::int64_t min, std::int64_t max, int hexBits, std::int64_t& out) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == L' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) {
    negative = s[i] == L'-';
    ++i;
  }
  bool hex = false;
  if (i < s.size() && (s[i] == L'$' || s[i] == L'x' || s[i] == L'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
    hex = true;
    i += 2;
  }
  if (i >= s.size()) return false;
  std::uint64_t value = 0;
  if (hex) {
    const std::uint64_t limit =
        hexBits >= 64 ? std::numeric_limits<std::uint64_t>::max() : (std::uint64_t{1} << hexBits) - 1;
    for (; i < s.size(); ++i) {
      const int d = HexValue(s[i]);
      if (d < 0) return false;
      if (value > (limit >> 4)) return false;
      value = value * 16 + static_cast<std::uint64_t>(d);
      if (value > limit) return false;
    }
    // A full-width hex value wraps into the negative range of its type.
    std::int64_t wrapped;
    if (hexBits >= 64) {
      wrapped = static_cast<std::int64_t>(value);
    } else if (value >= (std::uint64_t{1} << (hexBits - 1))) {
      wrapped = static_cast<std::int64_t>(value) - (std::int64_t{1} << hexBits);
    } else {
      wrapped = static_cast<std::int64_t>(value);
    }
    out = negative ? static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(wrapped)) : wrapped;
    return true;
  }
  const std::uint64_t limit = negative ? 0 - static_cast<std::uint64_t>(min) : static_cast<std::uint64_t>(max);
  for (; i < s.size(); ++i) {
    if (s[i] < L'0' || s[i] > L'9') return false;
    const auto d = static_cast<std::uint64_t>(s[i] - L'0');
    if (value > (limit - d) / 10) return false;
    value = value * 10 + d;
  }
  out = negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
  return true;
}

[[noreturn]] void ThrowNotInteger(std::wstring_view text) {
  throw EConvertError(L"'" + std::wstring(text) + L"' is not a valid integer value");
}

}  // namespace

bool TryStrToInt(std::wstring_view text, std::int32_t& value) {
  std::int64_t v;
  if (!ParseInteger(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), 32, v))
    return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

std::int32_t StrToInt(std::wstring_view text) {
  std::int32_t v;
  if (!TryStrToInt(text, v)) ThrowNotInteger(text);
  return v;
}

std::int32_t StrToIntDef(std::wstring_view text, std::int32_t fallback) {
  std::int32_t v;
  return TryStrToInt(text, v) ? v : fallback;
}

bool TryStrToInt64(std::wstring_view text, std::int64_t& value) {
  return ParseInteger(text, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(), 64,
                      value);
}

std::int64_t StrToInt64(std::wstring_view text) {
  std::int64_t v;
  if (!TryStrToInt64(text, v)) ThrowNotInteger(text);
  return v;
}

std::int64_t StrToInt64Def(std::wstring_view text, std::int64_t fallback) {
  std::int64_t v;
  return TryStrToInt64(text, v) ? v : fallback;
}

// ---------------------------------------------------------------- floating point

bool TryStrToFloat(std::wstring_view text, double& value, const TFormatSettings& settings) {
  std::size_t i = 0, end = text.size();
  while (i < end && text[i] <= L' ') ++i;
  while (end > i && text[end - 1] <= L' ') --end;
  // Re-spelled in ASCII with '.' so that the conversion does not depend on the C locale.
  std::string ascii;
  ascii.reserve(end - i);
  bool negative = false;
  if (i < end && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  int mantissaDigits = 0;
  bool point = false;
  for (; i < end; ++i) {
    const wchar_t c = text[i];
    if (c >= L'0' && c <= L'9') {
      ascii.push_back(static_cast<char>(c));
      ++mantissaDigits;
    } else if (c == settings.DecimalSeparator && !point) {
      ascii.push_back('.');
      point = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < end && (text[i] == L'e' || text[i] == L'E')) {
    ascii.push_back('e');
    ++i;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) ascii.push_back(static_cast<char>(text[i++]));
    int exponentDigits = 0;
    for (; i < end && text[i] >= L'0' && text[i] <= L'9'; ++i, ++exponentDigits)
      ascii.push_back(static_cast<char>(text[i]));
    if (exponentDigits == 0) return false;
  }
  if (i != end) return false;
  double parsed = 0;
  const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), parsed);
  if (result.ptr != ascii.data() + ascii.size()) return false;
  // Out of range: from_chars reports it and leaves the value alone; underflow is zero, overflow an error.
  if (result.ec == std::errc::result_out_of_range) {
    const std::size_t e = ascii.find('e');
    if (e == std::string::npos || ascii[e + 1] != '-') return false;
    parsed = 0;
  } else if (result.ec != std::errc()) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

bool TryStrToFloat(std::wstring_view text, double& value) { return TryStrToFloat(text, value, FormatSettings); }

double StrToFloat(std::wstring_view text, const TFormatSettings& settings) {
  double v;
  if (!TryStrToFloat(text, v, settings))
    throw EConvertError(L"'" + std::wstring(text) + L"' is not a valid floating point value");
  return v;
}

double StrToFloat(std::wstring_view text) { return StrToFloat(text, FormatSettings); }

double StrToFloatDef(std::wstring_view text, double fallback) {
  double v;
  return TryStrToFloat(text, v) ? v : fallback;
}

namespace {

std::wstring SpecialText(const TFloatRec& rec) {
  if (rec.Nan) return L"NAN";
  return rec.Negative ? L"-INF" : L"INF";
}

// "d.ddd" + "E" + sign + exponent; `fixedMantissa` pads the mantissa to `precision` digits.
std::wstring Scientific(const TFloatRec& rec, int precision, int exponentDigits, bool plusSign, bool fixedMantissa,
                        const TFormatSettings& settings) {
  std::wstring out;
  if (rec.Negative) out.push_back(L'-');
  const std::string digits = rec.Digits.empty() ? std::string("0") : rec.Digits;
  out.push_back(static_cast<wchar_t>(digits[0]));
  const int decimals = fixedMantissa ? precision - 1 : static_cast<int>(digits.size()) - 1;
  if (decimals > 0) {
    out.push_back(settings.DecimalSeparator);
    for (int k = 1; k <= decimals; ++k)
      out.push_back(k < static_cast<int>(digits.size()) ? static_cast<wchar_t>(digits[static_cast<std::size_t>(k)])
                                                        : L'0');
  }
  const int exponent = rec.Digits.empty() ? 0 : rec.Exponent - 1;
  out.push_back(L'E');
  if (exponent < 0) {
    out.push_back(L'-');
  } else if (plusSign) {
    out.push_back(L'+');
  }
  std::wstring e = IntToStr(exponent < 0 ? -exponent : exponent);
  while (static_cast<int>(e.size()) < exponentDigits) e.insert(e.begin(), L'0');
  return out + e;
}

// Integer part (with grouping when asked) and `decimals` digits after the separator; with
// decimals < 0 as many as the digits hold.
std::wstring Fixed(const TFloatRec& rec, int decimals, bool group, const TFormatSettings& settings) {
  std::wstring integer;
  const int count = static_cast<int>(rec.Digits.size());
  for (int k = 0; k < rec.Exponent; ++k)
    integer.push_back(k < count ? static_cast<wchar_t>(rec.Digits[static_cast<std::size_t>(k)]) : L'0');
  if (integer.empty()) integer = L"0";
  if (group && settings.ThousandSeparator != 0) {
    for (int pos = static_cast<int>(integer.size()) - 3; pos > 0; pos -= 3)
      integer.insert(integer.begin() + pos, settings.ThousandSeparator);
  }
  std::wstring out = rec.Negative ? L"-" + integer : integer;
  std::wstring fraction;
  const int available = count - rec.Exponent;  // digits after the point
  const int wanted = decimals < 0 ? std::max(available, 0) : decimals;
  for (int k = 0; k < wanted; ++k) {
    const int index = rec.Exponent + k;
    fraction.push_back(index >= 0 && index < count ? static_cast<wchar_t>(rec.Digits[static_cast<std::size_t>(index)])
                                                   : L'0');
  }
  if (!fraction.empty()) out += settings.DecimalSeparator + fraction;
  return out;
}

}  // namespace

std::wstring FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                         const TFormatSettings& settings) {
  precision = std::clamp(precision, 1, 18);
  TFloatRec rec = FloatToDecimal(value);
  if (rec.Nan || rec.Infinite) return SpecialText(rec);
  switch (format) {
    case ffGeneral:
      RoundDigits(rec, precision);
      if (rec.IsZero()) return L"0";
      if (rec.Exponent > precision || rec.Exponent < -3)
        return Scientific(rec, precision, std::clamp(digits, 0, 4), false, false, settings);
      return Fixed(rec, -1, false, settings);
    case ffExponent:
      RoundDigits(rec, precision);
      return Scientific(rec, precision, std::clamp(digits, 0, 4), true, true, settings);
    case ffFixed:
    case ffNumber: {
      digits = std::clamp(digits, 0, 18);
      TFloatRec bySignificance = rec;
      RoundDigits(bySignificance, precision);
      if (bySignificance.Exponent > precision) return Scientific(bySignificance, precision, 0, false, false, settings);
      RoundDigits(rec, std::min(precision, rec.Exponent + digits));
      return Fixed(rec, digits, format == ffNumber, settings);
    }
  }
  return {};
}

std::wstring FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings);
}

std::wstring FloatToStr(double value, const TFormatSettings& settings) {
  return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

std::wstring FloatToStr(double value) { return FloatToStr(value, FormatSettings); }

// ---------------------------------------------------------------- text

std::wstring TrimLeft(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] <= L' ') ++i;
  return std::wstring(text.substr(i));
}

std::wstring TrimRight(std::wstring_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] <= L' ') --end;
  return std::wstring(text.substr(0, end));
}

std::wstring Trim(std::wstring_view text) {
  std::size_t i = 0, end = text.size();
  while (i < end && text[i] <= L' ') ++i;
  while (end > i && text[end - 1] <= L' ') --end;
  return std::wstring(text.substr(i, end - i));
}

std::wstring UpperCase(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  return out;
}

std::wstring LowerCase(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
  return out;
}

wchar_t UpCaseChar(wchar_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  if (u < 0x80) return (u >= 'a' && u <= 'z') ? static_cast<wchar_t>(u - 32) : c;
  if ((u >= 0xE0 && u <= 0xFE && u != 0xF7)) return static_cast<wchar_t>(u - 32);
  if (u == 0xFF) return static_cast<wchar_t>(0x178);
  if (u >= 0x100 && u <= 0x17F) {
    // Latin Extended-A pairs: mostly upper even, lower odd; 0x139..0x148 and 0x179..0x17E the other way.
    if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return (u % 2 == 0) ? static_cast<wchar_t>(u - 1) : c;
    if (u == 0x131 || u == 0x138 || u == 0x149 || u == 0x17F) return c;
    return (u % 2 == 1) ? static_cast<wchar_t>(u - 1) : c;
  }
  if (u >= 0x3B1 && u <= 0x3C9 && u != 0x3C2) return static_cast<wchar_t>(u - 32);
  if (u >= 0x430 && u <= 0x44F) return static_cast<wchar_t>(u - 32);
  if (u >= 0x450 && u <= 0x45F) return static_cast<wchar_t>(u - 80);
  if ((u >= 0x460 && u <= 0x481) || (u >= 0x48A && u <= 0x4BF) || (u >= 0x4D0 && u <= 0x52F))
    return (u % 2 == 1) ? static_cast<wchar_t>(u - 1) : c;
  return c;
}

wchar_t LowCaseChar(wchar_t c) {
  const auto u = static_cast<std::uint32_t>(c);
  if (u < 0x80) return (u >= 'A' && u <= 'Z') ? static_cast<wchar_t>(u + 32) : c;
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<wchar_t>(u + 32);
  if (u == 0x178) return static_cast<wchar_t>(0xFF);
  if (u >= 0x100 && u <= 0x17F) {
    if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return (u % 2 == 1) ? static_cast<wchar_t>(u + 1) : c;
    if (u == 0x130 || u == 0x138 || u == 0x149 || u == 0x17F) return c;
    return (u % 2 == 0) ? static_cast<wchar_t>(u + 1) : c;
  }
  if (u >= 0x391 && u <= 0x3A9 && u != 0x3A2) return static_cast<wchar_t>(u + 32);
  if (u >= 0x410 && u <= 0x42F) return static_cast<wchar_t>(u + 32);
  if (u >= 0x400 && u <= 0x40F) return static_cast<wchar_t>(u + 80);
  if ((u >= 0x460 && u <= 0x481) || (u >= 0x48A && u <= 0x4BF) || (u >= 0x4D0 && u <= 0x52F))
    return (u % 2 == 0) ? static_cast<wchar_t>(u + 1) : c;
  return c;
}

std::wstring AnsiUpperCase(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out) c = UpCaseChar(c);
  return out;
}

std::wstring AnsiLowerCase(std::wstring_view text) {
  std::wstring out(text);
  for (auto& c : out) c = LowCaseChar(c);
  return out;
}

int CompareStr(std::wstring_view a, std::wstring_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<std::uint32_t>(a[i]), y = static_cast<std::uint32_t>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareText(std::wstring_view a, std::wstring_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<std::uint32_t>(UpCaseChar(a[i])), y = static_cast<std::uint32_t>(UpCaseChar(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::wstring_view a, std::wstring_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

std::wstring AnsiQuotedStr(std::wstring_view text, wchar_t quote) {
  std::wstring out(1, quote);
  for (wchar_t c : text) {
    out.push_back(c);
    if (c == quote) out.push_back(c);
  }
  out.push_back(quote);
  return out;
}

std::wstring QuotedStr(std::wstring_view text) { return AnsiQuotedStr(text, L'\''); }

std::wstring AnsiExtractQuotedStr(std::wstring_view text, std::size_t& pos, wchar_t quote) {
  std::wstring out;
  if (pos >= text.size() || text[pos] != quote) return out;
  ++pos;
  while (pos < text.size()) {
    if (text[pos] == quote) {
      if (pos + 1 < text.size() && text[pos + 1] == quote) {
        out.push_back(quote);
        pos += 2;
        continue;
      }
      ++pos;
      return out;
    }
    out.push_back(text[pos++]);
  }
  return out;
}

void AppendCodePoint(std::wstring& out, char32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF && sizeof(wchar_t) > 2)) code = 0xFFFD;
  if constexpr (sizeof(wchar_t) == 2) {
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(code));
}

std::wstring Utf8Decode(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    int length = 0;
    char32_t code = 0, minimum = 0;
    if (b0 < 0x80) {
      out.push_back(static_cast<wchar_t>(b0));
      ++i;
      continue;
    } else if ((b0 & 0xE0) == 0xC0) {
      length = 2, code = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
      length = 3, code = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
      length = 4, code = b0 & 0x07, minimum = 0x10000;
    }
    int k = 1;
    for (; length > 0 && k < length && i + static_cast<std::size_t>(k) < bytes.size(); ++k) {
      const auto b = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
      if ((b & 0xC0) != 0x80) break;
      code = (code << 6) | (b & 0x3F);
    }
    if (length == 0 || k < length || code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      // One replacement for the lead byte and the continuation bytes that followed it.
      out.push_back(static_cast<wchar_t>(0xFFFD));
      i += static_cast<std::size_t>(std::max(k, 1));
      continue;
    }
    AppendCodePoint(out, code);
    i += static_cast<std::size_t>(length);
  }
  return out;
}

}  // namespace classlib
