#pragma once
// The decimal digits of a double, exact, and rounding them half away from zero: the common ground
// of every routine that turns a floating-point value into text.
#include <string>

namespace classlib {

// value = 0.Digits × 10^Exponent; Digits holds no leading or trailing zeros and is empty for zero.
struct TFloatRec {
  bool Negative = false;
  bool Nan = false;
  bool Infinite = false;
  int Exponent = 0;
  std::string Digits;

  bool IsZero() const { return Digits.empty() && !Nan && !Infinite; }
};

// The exact decimal expansion of the binary value (at most 767 significant digits).
TFloatRec FloatToDecimal(double value);

// Keeps `count` significant digits, rounding half away from zero; count <= 0 leaves zero or a
// single carried digit. A result of zero loses its sign.
void RoundDigits(TFloatRec& rec, int count);

// Rounds to `decimals` digits after the decimal point (may be negative).
inline void RoundDecimals(TFloatRec& rec, int decimals) { RoundDigits(rec, rec.Exponent + decimals); }

}  // namespace classlib
