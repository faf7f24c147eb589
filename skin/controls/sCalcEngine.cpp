#include "skin/controls/sCalcEngine.h"

#include <cmath>

#include "classlib/SysUtils.h"

namespace skin {

void TsCalcEngine::Beep() {
  if (FBeepOnError && OnBeep) OnBeep();
}

void TsCalcEngine::SetText(const std::wstring& S) {
  if (S == FText) return;
  FText = S;
  if (OnTextChange) OnTextChange();
}

long double TsCalcEngine::GetDisplay() const {
  if (FStatus == csError) return 0;
  double v = 0;
  return classlib::TryStrToFloat(classlib::Trim(FText), v, fs_) ? v : 0;
}

void TsCalcEngine::SetDisplay(long double R) {
  if (R == 0) R = 0;  // no "-0"
  const std::wstring s = classlib::FloatToStrF(static_cast<double>(R), classlib::ffGeneral, DisplayDigits(), 0, fs_);
  if (s == FText) return;
  SetText(s);
  if (OnDisplayChange) OnDisplayChange();
}

void TsCalcEngine::CheckFirst() {
  if (FStatus != csFirst) return;
  FStatus = csValid;
  SetText(L"0");
}

void TsCalcEngine::Clear() {
  FStatus = csFirst;
  SetDisplay(0);
  FOperator = L'=';
}

void TsCalcEngine::Error() {
  FStatus = csError;
  SetText(L"Error");
  Beep();
  if (OnError) OnError();
}

void TsCalcEngine::Paste(std::wstring_view Clip, std::wstring_view CurrencyString) {
  std::wstring s(Clip);
  if (!CurrencyString.empty())
    for (std::size_t at; (at = s.find(CurrencyString)) != std::wstring::npos;) s.erase(at, CurrencyString.size());
  double v = 0;
  if (classlib::TryStrToFloat(classlib::Trim(s), v, fs_))
    SetDisplay(v);
  else
    SetText(L"0");
}

void TsCalcEngine::MemoryClear() { FMemory = 0; }

void TsCalcEngine::MemoryRecall() {
  if (FStatus == csError) return;
  FStatus = csFirst;
  CheckFirst();
  SetDisplay(FMemory);
}

void TsCalcEngine::MemoryStore() {
  if (FStatus == csError) return;
  FStatus = csFirst;
  FMemory = GetDisplay();
}

void TsCalcEngine::MemoryAdd() {
  if (FStatus == csError) return;
  FStatus = csFirst;
  FMemory += GetDisplay();
}

void TsCalcEngine::Digit(wchar_t Key) {
  CheckFirst();
  if (FText == L"0") FText.clear();
  if (FText.find_first_of(L"Ee") != std::wstring::npos) return;
  const std::size_t limit = DisplayDigits() + (FText.find(L'-') != std::wstring::npos ? 1 : 0);
  if (FText.size() < limit) {
    SetText(FText + Key);
  } else {
    Beep();
  }
}

void TsCalcEngine::Separator() {
  CheckFirst();
  if (FText.find(fs_.DecimalSeparator) == std::wstring::npos) SetText(FText + fs_.DecimalSeparator);
}

void TsCalcEngine::Backspace() {
  CheckFirst();
  if (FText.size() == 1 || (FText.size() == 2 && FText.front() == L'-'))
    SetText(L"0");
  else
    SetText(FText.substr(0, FText.size() - 1));
}

void TsCalcEngine::Operation(wchar_t Key) {
  if (FStatus == csValid) {
    FStatus = csFirst;
    long double r = GetDisplay();
    if (Key == L'%') {
      if (FOperator == L'*' || FOperator == L'/')
        r = r / 100;
      else if (FOperator == L'+' || FOperator == L'-')
        r = FOperand * r / 100;
    }
    switch (FOperator) {
      case L'*': SetDisplay(FOperand * r); break;
      case L'+': SetDisplay(FOperand + r); break;
      case L'-': SetDisplay(FOperand - r); break;
      case L'/':
        if (r == 0)
          Error();
        else
          SetDisplay(FOperand / r);
        break;
      default: break;
    }
  }
  FOperator = Key;
  FOperand = GetDisplay();
}

TsCalcRequest TsCalcEngine::CalcKey(wchar_t Key, bool HasEditor) {
  TsCalcRequest req;
  if (Key >= L'a' && Key <= L'z') Key = static_cast<wchar_t>(Key - L'a' + L'A');
  if (FStatus == csError && Key != L'C') Key = 0;
  if (OnCalcKey) OnCalcKey(Key);
  if (Key >= L'0' && Key <= L'9') {
    Digit(Key);
    return req;
  }
  switch (Key) {
    case L',':
    case L'.': Separator(); break;
    case 8: Backspace(); break;
    case L'_': SetDisplay(-GetDisplay()); break;
    case L'Q':
      FStatus = csFirst;
      if (GetDisplay() < 0)
        Error();
      else
        SetDisplay(std::sqrt(GetDisplay()));
      break;
    case L'R':
      FStatus = csFirst;
      if (GetDisplay() == 0)
        Error();
      else
        SetDisplay(1 / GetDisplay());
      break;
    case L'C': Clear(); break;
    case 27:
      if (FText != L"0") {
        Clear();
      } else {
        req.FocusEditor = HasEditor;
        req.Close = true;
      }
      break;
    case 3: req.Copy = true; break;
    case 22: req.Paste = true; break;
    case 13:
      if (FStatus == csFirst) {
        req.Transfer = req.Close = HasEditor;
        break;
      }
      [[fallthrough]];
    case L'+':
    case L'-':
    case L'*':
    case L'/':
    case L'%':
    case L'=':
      Operation(Key);
      if (Key == 13 || Key == L'%' || Key == L'=')
        if (OnResult) OnResult();
      // "Error" is no value to hand over: the edit keeps its own.
      if (Key == L'=' && HasEditor && FStatus != csError) req.Transfer = req.Close = true;
      break;
    default: break;
  }
  return req;
}

}  // namespace skin
