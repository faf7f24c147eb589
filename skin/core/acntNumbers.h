#pragma once
// Small numeric routines and number texts.
#include <cstdint>
#include <string>
#include <string_view>

#include "classlib/FormatSettings.h"
#include "skin/core/sConstTypes.h"

namespace skin {

constexpr std::uint8_t IntToByte(int V) { return static_cast<std::uint8_t>(V < 0 ? 0 : V > 255 ? 255 : V); }

// Min when V < Min, else Max when V > Max, else V.
constexpr int LimitIt(int V, int Min, int Max) { return V < Min ? Min : V > Max ? Max : V; }
constexpr int CheckLimits(int V, int Min, int Max) { return LimitIt(V, Min, Max); }

constexpr int Maxi(int A, int B) { return A > B ? A : B; }
constexpr int Mini(int A, int B) { return A < B ? A : B; }

// V lies between A and B inclusive, whichever of them is larger.
constexpr bool Between(int V, int A, int B) { return A <= B ? V >= A && V <= B : V >= B && V <= A; }

inline std::wstring iff(bool Cond, std::wstring_view A, std::wstring_view B) { return std::wstring(Cond ? A : B); }
template <typename T>
constexpr T* iffo(bool Cond, T* A, T* B) {
  return Cond ? A : B;
}
constexpr int iffi(bool Cond, int A, int B) { return Cond ? A : B; }

constexpr void Changei(int& A, int& B) {
  const int t = A;
  A = B;
  B = t;
}

// Combined transparency of two layers in percent: (100 - B) * A / 100 + B, rounded.
int SumTrans(int A, int B);
// The fractional part of X in hundredths, rounded.
std::int16_t GetCents(double X);
// X rounded to hundredths (a millionth added first so that .xx5 rounds up).
double CurRound(double X);

inline std::wstring BoolToStr(bool B) { return std::wstring(sBoolArray[B ? 1 : 0]); }

// Value of an 8-bit hexadecimal text: upper-cased, one trailing "H" dropped, at most 255
// characters read; any character outside 0-9 and A-F makes the whole result 0.
std::int64_t HexToInt(std::string_view S);

// S trimmed, "," taken as ".", read with "." as the decimal point; 0 when not a number.
double StringToFloat(std::wstring_view S);

// S holds only "+", "-", digits, "E", "e" and the decimal separator, and reads as a number.
// The separators are the user's (classlib::FormatSettings) unless others are given.
bool IsValidFloat(std::wstring_view S, double& Value,
                  const classlib::TFormatSettings& Settings = classlib::FormatSettings);

// A number text (8-bit) with its integer digits grouped by the thousands separator when
// UseThousands is set; the decimal part and exponent stay as they are.
std::string FormatFloatStr(std::string_view S, bool UseThousands,
                           const classlib::TFormatSettings& Settings = classlib::FormatSettings);

}  // namespace skin
