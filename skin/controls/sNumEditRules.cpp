#include "skin/controls/sNumEditRules.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "skin/core/acntNumbers.h"

namespace skin {

std::wstring TextToValText(std::wstring_view S, const classlib::TFormatSettings& Fs) {
  std::wstring r = classlib::Trim(S);
  const wchar_t dec = Fs.DecimalSeparator, th = Fs.ThousandSeparator;
  if (dec != th) std::erase(r, th);
  if (dec != L'.' && th != L'.') std::replace(r.begin(), r.end(), L'.', dec);
  if (dec != L',' && th != L',') std::replace(r.begin(), r.end(), L',', dec);
  if (r.empty()) return L"0";
  if (r == L"-") return L"-0";
  return r;
}

long double CheckValue(long double X, long double Min, long double Max) {
  if (Min == Max) return X;
  if (Min < Max) return std::clamp(X, Min, Max);
  if (Max == 0) return std::max(X, Min);
  if (Min == 0) return std::min(X, Max);
  return X;
}

long double TextToValue(std::wstring_view Text, long double Min, long double Max, const classlib::TFormatSettings& Fs) {
  std::wstring s = TextToValText(Text, Fs);
  const bool negative = !s.empty() && s.front() == L'-';
  if (negative) s.erase(0, 1);
  // A leading "0" lets a bare fraction (".5") read as a number.
  long double x = classlib::StrToFloat(TextToValText(L"0" + s, Fs), Fs);
  if (negative) x = -x;
  // The range holds the signed value: "-50" is no value of 0..100.
  return CheckValue(x, Min, Max);
}

wchar_t TypedSeparator(wchar_t Key, const classlib::TFormatSettings& Fs) {
  if ((Key == L'.' || Key == L',') && Key != Fs.ThousandSeparator) return Fs.DecimalSeparator;
  return Key;
}

bool IsValidNumChar(std::wstring_view EditText, int SelStart, int SelLength, wchar_t Key, unsigned DecimalPlaces,
                    long double Min, long double Max, const classlib::TFormatSettings& Fs) {
  if (Key == L'-' && Min >= 0 && Min != Max) return false;
  const int size = static_cast<int>(EditText.size());
  const int start = std::clamp(SelStart, 0, size);
  const int length = std::clamp(SelLength, 0, size - start);
  std::wstring s(EditText);
  s.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), 1, Key);
  s = TextToValText(s, Fs);
  if (const std::size_t d = s.find(Fs.DecimalSeparator); d != std::wstring::npos) {
    std::size_t end = s.size();
    if (const std::size_t e = s.find_first_of(L"Ee", d + 1); e != std::wstring::npos) end = e + 1;
    if (end - d - 1 > DecimalPlaces) return false;
  }
  double value = 0;
  if (!IsValidFloat(s, value, Fs)) return false;
  return !(Min >= 0 && Max > 0 && value < 0);
}

std::wstring EditingText(long double Value, unsigned DecimalPlaces, const classlib::TFormatSettings& Fs) {
  const std::wstring picture = DecimalPlaces == 0 ? L"0" : L"0." + std::wstring(DecimalPlaces, L'#');
  return classlib::FormatFloat(picture, static_cast<double>(Value), Fs);
}

std::wstring DisplayText(std::wstring_view DisplayFormat, long double Value, const classlib::TFormatSettings& Fs) {
  if (DisplayFormat.empty()) return classlib::FloatToStr(static_cast<double>(Value), Fs);
  std::wstring s = classlib::FormatFloat(DisplayFormat, static_cast<double>(Value), Fs);
  s.erase(0, s.find_first_not_of(L' ') == std::wstring::npos ? s.size() : s.find_first_not_of(L' '));
  return s;
}

}  // namespace skin
