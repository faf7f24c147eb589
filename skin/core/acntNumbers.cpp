#include "skin/core/acntNumbers.h"

#include <charconv>
#include <cmath>

#include "classlib/Cp1251.h"

namespace skin {
namespace {

// Nearest integer, halves to the even neighbour (the default rounding mode of the FPU).
double RoundHalfEven(double x) { return std::nearbyint(x); }

// [sign] digits [. digits] [(E|e) [sign] digits], at least one mantissa digit, nothing else.
// `text` is plain ASCII with '.' as the decimal point.
bool ParseFloat(std::string_view text, double& value) {
  if (text.empty()) return false;
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::size_t i = 0;
  std::size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  if (i != text.size()) return false;
  // The sign is already taken off; a bare leading point gets its zero.
  std::string normal;
  if (text.front() == '.') normal = "0";
  normal.append(text);
  double parsed = 0;
  const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), parsed);
  if (error != std::errc() || end != normal.data() + normal.size()) return false;
  value = negative ? -parsed : parsed;
  return true;
}

// An ASCII copy of a Unicode number text, `decimal` turned into '.'; false for any other
// non-ASCII character.
bool ToAsciiNumber(std::wstring_view S, wchar_t decimal, std::string& out) {
  out.clear();
  for (wchar_t c : S) {
    if (c == decimal) {
      out.push_back('.');
    } else if (c > 0 && c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      return false;
    }
  }
  return true;
}

char ToAnsiChar(wchar_t c) {
  const std::string bytes = classlib::WideToCp1251(std::wstring_view(&c, 1));
  return bytes.empty() ? '?' : bytes[0];
}

}  // namespace

int SumTrans(int A, int B) { return static_cast<int>(RoundHalfEven((100.0 - B) * A / 100.0 + B)); }

std::int16_t GetCents(double X) {
  double whole = 0;
  const double fraction = std::modf(X, &whole);
  return static_cast<std::int16_t>(RoundHalfEven(fraction * 100.0));
}

double CurRound(double X) { return RoundHalfEven((X + 0.000001) * 100.0) / 100.0; }

std::int64_t HexToInt(std::string_view S) {
  std::string text(S);
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (!text.empty() && text.back() == 'H') text.pop_back();
  const std::size_t count = text.size() & 0xFF;
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const char c = text[i];
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return 0;
    }
    value = (value << 4) + digit;
  }
  return static_cast<std::int64_t>(value);
}

double StringToFloat(std::wstring_view S) {
  while (!S.empty() && S.front() <= L' ') S.remove_prefix(1);
  while (!S.empty() && S.back() <= L' ') S.remove_suffix(1);
  std::string ascii;
  if (!ToAsciiNumber(S, L',', ascii)) return 0;
  double value = 0;
  return ParseFloat(ascii, value) ? value : 0;
}

bool IsValidFloat(std::wstring_view S, double& Value, const classlib::TFormatSettings& Settings) {
  for (wchar_t c : S) {
    const bool allowed =
        c == L'+' || c == L'-' || (c >= L'0' && c <= L'9') || c == L'E' || c == L'e' || c == Settings.DecimalSeparator;
    if (!allowed) return false;
  }
  std::string ascii;
  if (!ToAsciiNumber(S.substr(0, 127), Settings.DecimalSeparator, ascii)) return false;
  return ParseFloat(ascii, Value);
}

std::string FormatFloatStr(std::string_view S, bool UseThousands, const classlib::TFormatSettings& Settings) {
  std::string sign;
  if (!S.empty() && (S.front() == '+' || S.front() == '-')) {
    sign.assign(1, S.front());
    S.remove_prefix(1);
  }
  const char decimal = ToAnsiChar(Settings.DecimalSeparator);
  const char thousands = ToAnsiChar(Settings.ThousandSeparator);
  std::size_t integerEnd = 0;
  while (integerEnd < S.size() && S[integerEnd] != decimal && S[integerEnd] != 'E' && S[integerEnd] != 'e')
    ++integerEnd;

  std::string grouped;
  int written = 0;
  for (std::size_t i = integerEnd; i > 0; --i) {
    if (UseThousands && written > 0 && written % 3 == 0) grouped.push_back(thousands);
    grouped.push_back(S[i - 1]);
    ++written;
  }
  std::string result = sign;
  result.append(grouped.rbegin(), grouped.rend());
  result.append(S.substr(integerEnd));
  return result;
}

}  // namespace skin
