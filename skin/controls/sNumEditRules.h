#pragma once
// The text rules of the numeric edits: how typed text becomes a number, the range a value is held
// in, which keystrokes keep the text a number, and the editing and display forms of a value.
// Values are kept in long double; conversions go through the class library's double routines.
// Portable.
#include <string>
#include <string_view>

#include "classlib/FormatSettings.h"

namespace skin {

// Trimmed; thousands separators dropped (when they differ from the decimal one); a '.' or ','
// that is neither separator taken as the decimal separator; "" becomes "0" and "-" becomes "-0".
std::wstring TextToValText(std::wstring_view S, const classlib::TFormatSettings& Fs = classlib::FormatSettings);

// Min = Max: no limit. Min < Max: clamped to the range. Min > Max: only the lower limit when
// Max is 0, only the upper limit when Min is 0, else no limit.
long double CheckValue(long double X, long double Min, long double Max);

// The value a text stands for, sign included, held in the range. Raises EConvertError when the
// text is no number.
long double TextToValue(std::wstring_view Text, long double Min, long double Max,
                        const classlib::TFormatSettings& Fs = classlib::FormatSettings);

// A typed '.' or ',' is the decimal separator, unless it is the thousand separator.
wchar_t TypedSeparator(wchar_t Key, const classlib::TFormatSettings& Fs = classlib::FormatSettings);

// Whether Key, replacing the selection [SelStart, SelStart + SelLength) of EditText, leaves a
// number with at most DecimalPlaces characters after the separator (an exponent's 'E' counted),
// and a sign that the range allows.
bool IsValidNumChar(std::wstring_view EditText, int SelStart, int SelLength, wchar_t Key, unsigned DecimalPlaces,
                    long double Min, long double Max, const classlib::TFormatSettings& Fs = classlib::FormatSettings);

// The text an edit shows while it is being edited: at most DecimalPlaces decimals, no trailing zeros.
std::wstring EditingText(long double Value, unsigned DecimalPlaces,
                         const classlib::TFormatSettings& Fs = classlib::FormatSettings);

// The text shown while the edit is not focused: the display format's picture without leading
// blanks, or the plain float text without a format.
std::wstring DisplayText(std::wstring_view DisplayFormat, long double Value,
                         const classlib::TFormatSettings& Fs = classlib::FormatSettings);

inline constexpr std::wstring_view kDefaultDisplayFormat = L"### ### ##0.00;-### ### ##0.00;0";

}  // namespace skin
