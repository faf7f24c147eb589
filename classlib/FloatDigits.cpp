#include "classlib/FloatDigits.h"

#include <charconv>
#include <cmath>

namespace classlib {

TFloatRec FloatToDecimal(double value) {
  TFloatRec rec;
  rec.Negative = std::signbit(value);
  if (std::isnan(value)) {
    rec.Nan = true;
    rec.Negative = false;
    return rec;
  }
  if (std::isinf(value)) {
    rec.Infinite = true;
    return rec;
  }
  if (value == 0) {
    rec.Negative = false;
    return rec;
  }
  // 767 significant digits hold any double exactly; to_chars prints them without rounding then.
  char buffer[800];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 770);
  std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  std::string_view mantissa = text.substr(0, e);
  int exponent10 = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent10);
  rec.Digits.reserve(mantissa.size());
  for (char c : mantissa) {
    if (c != '.') rec.Digits.push_back(c);
  }
  while (!rec.Digits.empty() && rec.Digits.back() == '0') rec.Digits.pop_back();
  rec.Exponent = exponent10 + 1;
  return rec;
}

void RoundDigits(TFloatRec& rec, int count) {
  if (rec.Nan || rec.Infinite || rec.Digits.empty()) return;
  if (count >= static_cast<int>(rec.Digits.size())) return;
  if (count < 0) {
    rec.Digits.clear();
  } else {
    const bool up = rec.Digits[static_cast<std::size_t>(count)] >= '5';
    rec.Digits.resize(static_cast<std::size_t>(count));
    if (up) {
      int i = count - 1;
      while (i >= 0 && rec.Digits[static_cast<std::size_t>(i)] == '9') {
        rec.Digits[static_cast<std::size_t>(i)] = '0';
        --i;
      }
      if (i >= 0) {
        ++rec.Digits[static_cast<std::size_t>(i)];
      } else {
        rec.Digits.insert(rec.Digits.begin(), '1');
        ++rec.Exponent;
      }
    }
    while (!rec.Digits.empty() && rec.Digits.back() == '0') rec.Digits.pop_back();
  }
  if (rec.Digits.empty()) {
    rec.Negative = false;
    rec.Exponent = 0;
  }
}

}  // namespace classlib
