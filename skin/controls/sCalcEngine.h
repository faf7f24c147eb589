#pragma once
// The calculator's key machine: the display text, the pending operation, one memory register and
// the three display states. The calculator form shows it and does what a key asks of the window
// (closing, handing the result to its edit, the clipboard). Arithmetic in long double; the display
// keeps Max(2, Precision) significant digits. Portable.
#include <functional>
#include <string>

#include "classlib/FormatSettings.h"

namespace skin {

enum TsCalcState { csFirst, csValid, csError };

// What a key asks of the window that shows the calculator.
struct TsCalcRequest {
  bool Transfer = false;     // the display's value goes to the edit
  bool Close = false;        // the calculator closes
  bool FocusEditor = false;  // the edit takes the focus
  bool Copy = false;         // the display text goes to the clipboard
  bool Paste = false;        // the clipboard's text is to be pasted (Paste)
};

class TsCalcEngine {
 public:
  explicit TsCalcEngine(const classlib::TFormatSettings& Fs = classlib::FormatSettings) : fs_(Fs) {}

  // Handles one key. HasEditor: an edit opened the calculator and takes its result.
  TsCalcRequest CalcKey(wchar_t Key, bool HasEditor);

  const std::wstring& Text() const { return FText; }
  void SetText(const std::wstring& S);
  TsCalcState Status() const { return FStatus; }
  // 0 in csError; a text that is no number reads as 0.
  long double GetDisplay() const;
  void SetDisplay(long double R);
  void Clear();
  void CheckFirst();
  void Error();
  // A clipboard text: CurrencyString and blanks around it dropped; no number shows "0".
  void Paste(std::wstring_view Clip, std::wstring_view CurrencyString);

  void MemoryClear();
  void MemoryRecall();
  void MemoryStore();
  void MemoryAdd();
  long double Memory() const { return FMemory; }
  // "M" while the memory holds a value.
  std::wstring MemoryLabel() const { return FMemory != 0 ? L"M" : L""; }

  int Precision() const { return FPrecision; }
  void SetPrecision(int Value) { FPrecision = Value; }
  bool BeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool Value) { FBeepOnError = Value; }
  wchar_t Operator() const { return FOperator; }

  std::function<void()> OnTextChange;
  std::function<void()> OnDisplayChange;
  std::function<void()> OnError;
  std::function<void()> OnResult;
  std::function<void(wchar_t& Key)> OnCalcKey;
  std::function<void()> OnBeep;

 private:
  void Beep();
  void Digit(wchar_t Key);
  void Separator();
  void Backspace();
  void Operation(wchar_t Key);
  int DisplayDigits() const { return FPrecision < 2 ? 2 : FPrecision; }

  classlib::TFormatSettings fs_;
  long double FOperand = 0;
  std::wstring FText = L"0";
  long double FMemory = 0;
  int FPrecision = 0;
  bool FBeepOnError = false;
  TsCalcState FStatus = csFirst;
  wchar_t FOperator = 0;
};

}  // namespace skin
