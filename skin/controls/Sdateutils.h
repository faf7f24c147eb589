#pragma once
// Plain date routines for the date edits: default formats and edit masks that follow the user's
// short date format, reading a date typed into a masked field or typed freely, two-digit year
// expansion, month names and small calendar routines. Portable.
//
// The routines that read the format settings or the current year come in two forms: one with the
// settings and the year given (what the tests and any caller with fixed conventions use) and one
// that takes the global FormatSettings and the system's local year.
#include <string>
#include <string_view>

#include "classlib/DateUtils.h"
#include "classlib/FormatSettings.h"

namespace skin {

using classlib::TDateTime;

// The empty date.
inline constexpr TDateTime NullDate = 0;

enum class TDateOrder { doMDY, doDMY, doYMD };

// What the routines read of the world: the format conventions and this year.
struct TDateEnv {
  const classlib::TFormatSettings& Settings;
  int ThisYear;
};
// The global FormatSettings and the year of the system's local time.
TDateEnv SystemDateEnv();

// The year of the system's local time.
int CurrentYear();
// The short date format has a four-digit year (read once, when first asked).
bool NormalYears();

int GetKvartal(TDateTime D);
TDateTime FirstDayOfCurrMonth(TDateTime D);
TDateTime LastDayOfPrMonth(TDateTime D);
// 0 for a month outside 1..12.
int DaysPerMonth(int Year, int Month);
int ExtractDay(TDateTime D);
int ExtractMonth(TDateTime D);
int ExtractYear(TDateTime D);

TDateOrder GetDateOrder(std::wstring_view Format);
std::wstring DefDateFormat(bool FourDigitYear, const classlib::TFormatSettings& Settings);
std::wstring DefDateFormat(bool FourDigitYear);
std::wstring DefDateMask(wchar_t BlanksChar, bool FourDigitYear, const classlib::TFormatSettings& Settings);
std::wstring DefDateMask(wchar_t BlanksChar, bool FourDigitYear);

bool IsValidDate(int Y, int M, int D);
// The decoded date is a valid one (false for values outside the calendar).
bool ValidDate(TDateTime D);

// Years 0..99 move into the window from 60 years before to 39 years after ThisYear; any other
// year (a blank or unreadable one is -1) stays as it is.
int ExpandYear(int Y, int ThisYear);
int ExpandYear(int Y);

// The first month (1..12) whose long name starts like S over MaxLen characters, case ignored;
// 0 for none or an empty S.
int MonthFromName(std::wstring_view S, int MaxLen, const classlib::TFormatSettings& Settings);
int MonthFromName(std::wstring_view S, int MaxLen);

// S under DateFormat to a date; an empty S is NullDate. False for text that is no date.
bool InternalStrToDate(std::wstring_view DateFormat, std::wstring_view S, TDateTime& Date, const TDateEnv& Env);
bool InternalStrToDate(std::wstring_view DateFormat, std::wstring_view S, TDateTime& Date);

// A date typed into a fixed mask laid out as Format, else typed freely.
bool ScanDateStr(std::wstring_view Format, std::wstring_view S, int& D, int& M, int& Y, const TDateEnv& Env);
// The characters of S under the run of Cnt times Ch in Format (case ignored): a number, or with
// Cnt of 2 and more a month name. Blank when nothing stands there, -1 when it cannot be read,
// Default when S is longer than Format or Format has no such run.
void ExtractMask(std::wstring_view Format, std::wstring_view S, wchar_t Ch, int Cnt, int& I, int Blank, int Default,
                 const classlib::TFormatSettings& Settings);
// Numbers separated by the date separator from the 1-based Pos on: two (this year's day and
// month) or three, in Format's order; nothing else may follow.
bool ScanDate(std::wstring_view S, std::wstring_view Format, int& Pos, int& Y, int& M, int& D, const TDateEnv& Env);
bool ScanNumber(std::wstring_view S, int MaxLength, int& Pos, int& Number);
bool ScanChar(std::wstring_view S, int& Pos, wchar_t Ch);
void ScanBlanks(std::wstring_view S, int& Pos);

}  // namespace skin
