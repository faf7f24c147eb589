#pragma once
// What the spin edits and the time picker decide without a window: the bounds of an integer and
// a decimal spin edit, steps that saturate instead of wrapping, which typed characters each field
// takes, and the time picker's fixed-layout text with its stepping and digit rules. Portable.
#include <cstdint>
#include <string>
#include <string_view>

namespace skin {

// ---- integer spin edit ----

// MinValue holds when it is not 0 or differs from MaxValue; MaxValue holds when it is not 0.
// With both 0 there is no bound.
int SpinCheckValue(int V, int MinValue, int MaxValue);
// V + Delta kept within the 32-bit range.
int SaturatedAdd(int V, std::int64_t Delta);
// The steps of a wheel turn: whole notches of 120 only.
inline std::int64_t WheelSteps(int WheelDelta) { return WheelDelta / 120; }

// What a typed character becomes: itself (taken), or 0 (refused; a beep unless it was Enter).
struct TSpinKeyInput {
  std::wstring_view Text;
  int SelStart = 0;
  int SelLength = 0;
  bool EditorEnabled = true;
};
wchar_t SpinEditValidChar(wchar_t C, const TSpinKeyInput& In, int MinValue);

// ---- decimal spin edit ----

// A bound holds only when it is not 0.
double DecimalCheckValue(double V, double MinValue, double MaxValue);
// The value SetValue keeps: X as it is when MaxValue <= MinValue, else X within the bounds.
double DecimalBoundValue(double X, double MinValue, double MaxValue);
wchar_t DecimalSpinValidChar(wchar_t C, const TSpinKeyInput& In, int DecimalPlaces, wchar_t SystemSeparator,
                             bool UseSystemSeparator);
// V as fixed-point text with Places decimals and the separator given.
std::wstring DecimalText(double V, int Places, wchar_t Separator);

// ---- time picker ----

enum class TacTimePortion { tvHours, tvMinutes, tvSeconds };

struct TTimeFields {
  int Hour = 0, Min = 0, Sec = 0;
};

// "hh:mm:ss", or "hh:mm" without seconds.
std::wstring TimeText(const TTimeFields& T, bool ShowSeconds);
inline int TimeTextLength(bool ShowSeconds) { return ShowSeconds ? 8 : 5; }
// The fields of a text of the picker's layout; false (and nothing read) when a field holds
// anything but digits or the text is too short.
bool DecodeTimeText(std::wstring_view Text, bool ShowSeconds, TTimeFields& T);
// The hour brought into 0..MaxHour - 1.
int WrapHour(int H, int MaxHour);
// One portion stepped by Delta, minutes and seconds carrying into the next portion up.
void StepTime(TTimeFields& T, TacTimePortion Portion, int Delta, int MaxHour);
// The portion at a 0-based caret position.
TacTimePortion PortionAt(int SelStart);

// A digit typed at the 1-based position Pos of Text: refused (Accepted false), or accepted and
// written at Pos; when the hour would pass 23 the hour becomes "23" first (Hour23).
struct TTimeDigit {
  bool Accepted = false;
  bool Hour23 = false;
};
TTimeDigit TimeDigitAt(std::wstring_view Text, int Pos, wchar_t Digit);

}  // namespace skin
