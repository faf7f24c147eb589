#include "skin/controls/sSpinRules.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "classlib/FormatSettings.h"
#include "classlib/SysUtils.h"

namespace skin {

namespace {

constexpr wchar_t kBackspace = 8, kEnter = 13, kEscape = 27;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsSign(wchar_t c) { return c == L'-' || c == L'+'; }

bool WholeTextSelected(const TSpinKeyInput& In) {
  return In.SelStart == 0 && In.SelLength >= static_cast<int>(In.Text.size());
}

// The text outside the selection: what stays when the typed character replaces it.
std::wstring Remaining(const TSpinKeyInput& In) {
  const int size = static_cast<int>(In.Text.size());
  const int start = std::clamp(In.SelStart, 0, size);
  const int end = std::clamp(In.SelStart + In.SelLength, start, size);
  std::wstring rest(In.Text.substr(0, std::size_t(start)));
  rest += In.Text.substr(std::size_t(end));
  return rest;
}

int Digit(std::wstring_view text, int pos) {
  if (pos < 1 || std::size_t(pos) > text.size() || !IsDigit(text[std::size_t(pos) - 1])) return 0;
  return text[std::size_t(pos) - 1] - L'0';
}

bool TwoDigits(std::wstring_view text, std::size_t at, int& value) {
  if (at + 2 > text.size() || !IsDigit(text[at]) || !IsDigit(text[at + 1])) return false;
  value = (text[at] - L'0') * 10 + (text[at + 1] - L'0');
  return true;
}

}  // namespace

int SpinCheckValue(int V, int MinValue, int MaxValue) {
  if (MinValue != 0 || MinValue != MaxValue) {
    if (V < MinValue) return MinValue;
  }
  if (MaxValue != 0 && V > MaxValue) return MaxValue;
  return V;
}

int SaturatedAdd(int V, std::int64_t Delta) {
  constexpr std::int64_t lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  // Delta itself may be any 64-bit value: clamp it first so the sum cannot overflow.
  const std::int64_t d = std::clamp<std::int64_t>(Delta, 2 * lo, 2 * hi);
  return static_cast<int>(std::clamp<std::int64_t>(std::int64_t(V) + d, lo, hi));
}

wchar_t SpinEditValidChar(wchar_t C, const TSpinKeyInput& In, int MinValue) {
  if (C == kEscape) return C;
  if (C == kEnter) return 0;
  // Typing, deleting included, only while the editor is enabled.
  if (!In.EditorEnabled) return C < 32 && C != kBackspace ? C : 0;
  if (C == kBackspace) return C;
  if (C == L'-') {
    const bool place = In.SelStart == 0 && (In.Text.find(L'-') == std::wstring_view::npos ||
                                            In.SelLength >= static_cast<int>(In.Text.size()) - 1);
    return place && MinValue <= 0 ? C : 0;
  }
  return IsDigit(C) || C < 32 ? C : 0;
}

double DecimalCheckValue(double V, double MinValue, double MaxValue) {
  if (MinValue != 0 && V < MinValue) return MinValue;
  if (MaxValue != 0 && V > MaxValue) return MaxValue;
  return V;
}

double DecimalBoundValue(double X, double MinValue, double MaxValue) {
  if (MaxValue <= MinValue) return X;
  return std::clamp(X, MinValue, MaxValue);
}

wchar_t DecimalSpinValidChar(wchar_t C, const TSpinKeyInput& In, int DecimalPlaces, wchar_t SystemSeparator,
                             bool UseSystemSeparator) {
  if (C == kEscape) return C;
  if (C == kEnter) return 0;
  if (!In.EditorEnabled) return C < 32 && C != kBackspace ? C : 0;
  if (C == kBackspace) return C;
  const auto isSeparator = [&](wchar_t c) {
    return UseSystemSeparator ? c == SystemSeparator : (c == L',' || c == L'.');
  };
  if (isSeparator(C)) {
    // One separator at most, whichever of the accepted ones the text already holds.
    const std::wstring rest = Remaining(In);
    if (DecimalPlaces <= 0 || std::any_of(rest.begin(), rest.end(), isSeparator)) return 0;
    for (std::size_t i = 0; i < In.Text.size(); ++i)
      if (IsSign(In.Text[i]) && static_cast<int>(i) >= In.SelStart) return 0;
    return C;
  }
  if (IsSign(C)) {
    const bool noSign = std::none_of(In.Text.begin(), In.Text.end(), IsSign);
    return (In.SelStart == 0 && noSign) || WholeTextSelected(In) ? C : 0;
  }
  return IsDigit(C) || C < 32 ? C : 0;
}

std::wstring DecimalText(double V, int Places, wchar_t Separator) {
  classlib::TFormatSettings fs;
  fs.DecimalSeparator = Separator;
  return classlib::FloatToStrF(V, classlib::ffFixed, 18, std::clamp(Places, 0, 18), fs);
}

std::wstring TimeText(const TTimeFields& T, bool ShowSeconds) {
  wchar_t buf[16];
  if (ShowSeconds)
    std::swprintf(buf, 16, L"%02d:%02d:%02d", T.Hour, T.Min, T.Sec);
  else
    std::swprintf(buf, 16, L"%02d:%02d", T.Hour, T.Min);
  return buf;
}

bool DecodeTimeText(std::wstring_view Text, bool ShowSeconds, TTimeFields& T) {
  TTimeFields read;
  if (!TwoDigits(Text, 0, read.Hour) || !TwoDigits(Text, 3, read.Min)) return false;
  if (ShowSeconds && Text.size() >= std::size_t(TimeTextLength(true)) && !TwoDigits(Text, 6, read.Sec)) return false;
  T = read;
  return true;
}

int WrapHour(int H, int MaxHour) {
  if (MaxHour <= 0) return H;
  return ((H % MaxHour) + MaxHour) % MaxHour;
}

void StepTime(TTimeFields& T, TacTimePortion Portion, int Delta, int MaxHour) {
  const auto carry = [](int& low, int& high) {
    high += low >= 0 ? low / 60 : -((59 - low) / 60);
    low = ((low % 60) + 60) % 60;
  };
  switch (Portion) {
    case TacTimePortion::tvHours: T.Hour += Delta; break;
    case TacTimePortion::tvMinutes:
      T.Min += Delta;
      carry(T.Min, T.Hour);
      break;
    case TacTimePortion::tvSeconds:
      T.Sec += Delta;
      carry(T.Sec, T.Min);
      carry(T.Min, T.Hour);
      break;
  }
  T.Hour = WrapHour(T.Hour, MaxHour);
}

TacTimePortion PortionAt(int SelStart) {
  if (SelStart < 3) return TacTimePortion::tvHours;
  if (SelStart <= 5) return TacTimePortion::tvMinutes;
  return TacTimePortion::tvSeconds;
}

TTimeDigit TimeDigitAt(std::wstring_view Text, int Pos, wchar_t Ch) {
  TTimeDigit r;
  if (!IsDigit(Ch)) return r;
  const int d = Ch - L'0';
  int v = d <= 1 ? 0 : 99;
  switch (Pos) {
    case 1:
    case 4:
    case 7: v = d * 10 + Digit(Text, Pos + 1); break;
    case 2:
    case 5:
    case 8: v = Digit(Text, Pos - 1) * 10 + d; break;
    default: break;
  }
  if (Pos >= 3 && v >= 60) return r;
  if (Pos == 1 && d > 2) return r;
  r.Accepted = true;
  r.Hour23 = (Pos == 1 || Pos == 2) && v > 23;
  return r;
}

}  // namespace skin
