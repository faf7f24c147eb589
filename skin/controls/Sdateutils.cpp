#include "skin/controls/Sdateutils.h"

#include <array>
#include <cstdint>

#include "classlib/SysUtils.h"

namespace skin {

namespace {

constexpr std::array<int, 12> kDaysPerMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// A run of characters longer than this is not a field of a date.
constexpr std::size_t kMaxField = 20;

// Position of a 1-based Pos inside S.
bool Inside(std::wstring_view S, int Pos) { return Pos >= 1 && std::size_t(Pos) <= S.size(); }

wchar_t At(std::wstring_view S, int Pos) { return S[std::size_t(Pos) - 1]; }

void Decode(TDateTime D, int& Y, int& M, int& Day) { classlib::DecodeDate(D, Y, M, Day); }

}  // namespace

TDateEnv SystemDateEnv() { return TDateEnv{classlib::FormatSettings, CurrentYear()}; }

int CurrentYear() {
  int y = 0, m = 0, d = 0;
  Decode(classlib::Date(), y, m, d);
  return y;
}

bool NormalYears() {
  static const bool four =
      classlib::AnsiUpperCase(classlib::FormatSettings.ShortDateFormat).find(L"YYYY") != std::wstring::npos;
  return four;
}

int GetKvartal(TDateTime D) { return (ExtractMonth(D) - 1) / 3 + 1; }

TDateTime FirstDayOfCurrMonth(TDateTime D) {
  int y = 0, m = 0, d = 0;
  Decode(D, y, m, d);
  TDateTime first = NullDate;
  return classlib::TryEncodeDate(y, m, 1, first) ? first : NullDate;
}

TDateTime LastDayOfPrMonth(TDateTime D) { return FirstDayOfCurrMonth(D) - 1; }

int DaysPerMonth(int Year, int Month) {
  if (Month < 1 || Month > 12) return 0;
  int days = kDaysPerMonth[std::size_t(Month - 1)];
  if (Month == 2 && classlib::IsLeapYear(Year)) ++days;
  return days;
}

int ExtractDay(TDateTime D) {
  int y = 0, m = 0, d = 0;
  Decode(D, y, m, d);
  return d;
}

int ExtractMonth(TDateTime D) {
  int y = 0, m = 0, d = 0;
  Decode(D, y, m, d);
  return m;
}

int ExtractYear(TDateTime D) {
  int y = 0, m = 0, d = 0;
  Decode(D, y, m, d);
  return y;
}

TDateOrder GetDateOrder(std::wstring_view Format) {
  for (wchar_t c : Format) switch (classlib::UpCaseChar(c)) {
      case L'M': return TDateOrder::doMDY;
      case L'D': return TDateOrder::doDMY;
      case L'Y': return TDateOrder::doYMD;
      default: break;
    }
  return TDateOrder::doDMY;
}

std::wstring DefDateFormat(bool FourDigitYear, const classlib::TFormatSettings& Settings) {
  const std::wstring year = FourDigitYear ? L"YYYY" : L"YY";
  switch (GetDateOrder(Settings.ShortDateFormat)) {
    case TDateOrder::doMDY: return L"MM/DD/" + year;
    case TDateOrder::doDMY: return L"DD/MM/" + year;
    case TDateOrder::doYMD: return year + L"/MM/DD";
  }
  return L"DD/MM/" + year;
}

std::wstring DefDateFormat(bool FourDigitYear) { return DefDateFormat(FourDigitYear, classlib::FormatSettings); }

std::wstring DefDateMask(wchar_t BlanksChar, bool FourDigitYear, const classlib::TFormatSettings& Settings) {
  std::wstring mask = L"!99/99/99;1;";
  if (FourDigitYear)
    mask = GetDateOrder(Settings.ShortDateFormat) == TDateOrder::doYMD ? L"!9999/99/99;1;" : L"!99/99/9999;1;";
  return mask + BlanksChar;
}

std::wstring DefDateMask(wchar_t BlanksChar, bool FourDigitYear) {
  return DefDateMask(BlanksChar, FourDigitYear, classlib::FormatSettings);
}

bool IsValidDate(int Y, int M, int D) {
  return Y >= 1 && Y <= 9999 && M >= 1 && M <= 12 && D >= 1 && D <= DaysPerMonth(Y, M);
}

bool ValidDate(TDateTime D) {
  int y = 0, m = 0, d = 0;
  Decode(D, y, m, d);  // all zeros outside the calendar
  return IsValidDate(y, m, d);
}

int ExpandYear(int Y, int ThisYear) {
  if (Y < 0 || Y >= 100) return Y;
  const int base = ThisYear - 60;
  Y += base / 100 * 100;
  if (Y < base) Y += 100;
  return Y;
}

int ExpandYear(int Y) { return ExpandYear(Y, CurrentYear()); }

int MonthFromName(std::wstring_view S, int MaxLen, const classlib::TFormatSettings& Settings) {
  if (S.empty() || MaxLen <= 0) return 0;
  const std::size_t n = std::size_t(MaxLen);
  for (int m = 1; m <= 12; ++m) {
    const std::wstring& name = Settings.LongMonthNames[std::size_t(m - 1)];
    if (!name.empty() && classlib::AnsiCompareText(std::wstring_view(name).substr(0, n), S.substr(0, n)) == 0) return m;
  }
  return 0;
}

int MonthFromName(std::wstring_view S, int MaxLen) { return MonthFromName(S, MaxLen, classlib::FormatSettings); }

void ExtractMask(std::wstring_view Format, std::wstring_view S, wchar_t Ch, int Cnt, int& I, int Blank, int Default,
                 const classlib::TFormatSettings& Settings) {
  I = Default;
  Ch = classlib::UpCaseChar(Ch);
  if (S.size() > Format.size() || Cnt < 1) return;
  const int f = int(S.size());
  const std::wstring upper = classlib::AnsiUpperCase(Format);
  const std::size_t found = upper.find(std::wstring(std::size_t(Cnt), Ch));
  if (found == std::wstring::npos) return;
  if (Format.size() < std::size_t(Cnt) || Format.size() >= kMaxField) return;
  std::wstring collected;
  for (int p = int(found) + 1; p <= f && upper[std::size_t(p) - 1] == Ch && collected.size() < kMaxField; ++p)
    if (At(S, p) != L' ') collected += At(S, p);
  if (collected.empty()) {
    I = Blank;
  } else if (Cnt < 2) {
    std::int32_t v = 0;
    I = classlib::TryStrToInt(collected, v) && v >= 0 ? v : -1;
  } else {
    I = MonthFromName(collected, int(collected.size()), Settings);
    if (I == 0) I = -1;
  }
}

bool ScanDateStr(std::wstring_view Format, std::wstring_view S, int& D, int& M, int& Y, const TDateEnv& Env) {
  ExtractMask(Format, S, L'm', 3, M, -1, 0, Env.Settings);
  if (M == 0) ExtractMask(Format, S, L'm', 1, M, -1, 0, Env.Settings);
  ExtractMask(Format, S, L'd', 1, D, -1, 1, Env.Settings);
  ExtractMask(Format, S, L'y', 1, Y, -1, Env.ThisYear, Env.Settings);
  Y = ExpandYear(Y, Env.ThisYear);
  if (M > 0 && D > 0 && IsValidDate(Y, M, D)) return true;
  int pos = 1;
  return ScanDate(S, Format, pos, Y, M, D, Env);
}

bool InternalStrToDate(std::wstring_view DateFormat, std::wstring_view S, TDateTime& Date, const TDateEnv& Env) {
  if (S.empty()) {
    Date = NullDate;
    return true;
  }
  int d = 0, m = 0, y = 0;
  if (!ScanDateStr(DateFormat, S, d, m, y, Env)) return false;
  return classlib::TryEncodeDate(y, m, d, Date);
}

bool InternalStrToDate(std::wstring_view DateFormat, std::wstring_view S, TDateTime& Date) {
  return InternalStrToDate(DateFormat, S, Date, SystemDateEnv());
}

bool ScanDate(std::wstring_view S, std::wstring_view Format, int& Pos, int& Y, int& M, int& D, const TDateEnv& Env) {
  // A field of a date has at most four digits.
  constexpr int kDigits = 4;
  D = M = Y = 0;
  const TDateOrder order = GetDateOrder(Format);
  const wchar_t sep = Env.Settings.DateSeparator;
  int p = Pos, n1 = 0, n2 = 0, n3 = 0;
  if (!ScanNumber(S, kDigits, p, n1) || !ScanChar(S, p, sep) || !ScanNumber(S, kDigits, p, n2)) return false;
  if (ScanChar(S, p, sep)) {
    if (!ScanNumber(S, kDigits, p, n3)) return false;
    switch (order) {
      case TDateOrder::doMDY: M = n1, D = n2, Y = n3; break;
      case TDateOrder::doDMY: D = n1, M = n2, Y = n3; break;
      case TDateOrder::doYMD: Y = n1, M = n2, D = n3; break;
    }
    Y = ExpandYear(Y, Env.ThisYear);
  } else {
    Y = Env.ThisYear;
    if (order == TDateOrder::doDMY)
      D = n1, M = n2;
    else
      M = n1, D = n2;
  }
  ScanChar(S, p, sep);
  ScanBlanks(S, p);
  const bool ok = IsValidDate(Y, M, D) && p > int(S.size());
  if (ok) Pos = p;
  return ok;
}

bool ScanNumber(std::wstring_view S, int MaxLength, int& Pos, int& Number) {
  ScanBlanks(S, Pos);
  int p = Pos, value = 0, taken = 0;
  while (Inside(S, p) && taken < MaxLength && value <= 999 && At(S, p) >= L'0' && At(S, p) <= L'9') {
    value = value * 10 + (At(S, p) - L'0');
    ++taken;
    ++p;
  }
  if (taken == 0) return false;
  Pos = p;
  Number = value;
  return true;
}

bool ScanChar(std::wstring_view S, int& Pos, wchar_t Ch) {
  ScanBlanks(S, Pos);
  if (!Inside(S, Pos) || At(S, Pos) != Ch) return false;
  ++Pos;
  return true;
}

void ScanBlanks(std::wstring_view S, int& Pos) {
  while (Inside(S, Pos) && At(S, Pos) == L' ') ++Pos;
}

}  // namespace skin
