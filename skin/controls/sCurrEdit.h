#pragma once
// The skinned numeric edit: a combo edit holding one value (long double) in a range. Focused it
// shows the value plainly for editing and refuses keys that would leave no number; unfocused it
// shows the value in its display format, right-aligned. Its button opens the calculator, whose
// result comes back as the value. TsCalcEdit is the published form with the calculator glyph.
// Win32 only.
#include <string>

#include "classlib/FormatSettings.h"
#include "skin/controls/sCustomComboEdit.h"

namespace skin {

class TsCalcForm;

class TsCustomNumEdit : public TsCustomComboEdit {
 public:
  explicit TsCustomNumEdit(classlib::TComponent* AOwner);
  ~TsCustomNumEdit() override;
  std::wstring ClassName() const override { return L"TsCustomNumEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsCustomNumEdit>& d);

  // Reading takes in what was typed; text that is no number reads as MinValue.
  long double Value();
  void SetValue(long double Value);
  double ValueAsDouble() { return static_cast<double>(Value()); }
  void SetValueAsDouble(double V) { SetValue(V); }
  long double MinValue() const { return FMinValue; }
  void SetMinValue(long double Value);
  long double MaxValue() const { return FMaxValue; }
  void SetMaxValue(long double Value);
  unsigned DecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(unsigned Value);
  bool BeepOnError() const { return FBeepOnError; }
  void SetBeepOnError(bool Value) { FBeepOnError = Value; }
  bool CheckOnExit() const { return FCheckOnExit; }
  void SetCheckOnExit(bool Value) { FCheckOnExit = Value; }
  const std::wstring& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::wstring& Value);
  classlib::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(classlib::TAlignment Value);
  // The value truncated toward zero.
  long long AsInteger() { return static_cast<long long>(Value()); }
  // The text becomes the range's value nearest to 0.
  void Clear();
  // Shows the value again and selects it.
  void Reset();
  TsCalcForm* CalcForm() const;

  virtual void DataChanged();
  virtual std::wstring DefFormat() const;
  virtual bool IsValidChar(wchar_t Key);
  virtual std::wstring GetDisplayText();
  void PopupWindowShow() override;
  void PaintText() override;
  // The value read from the text now; raises EConvertError when the text is no number.
  void UpdateData();

 protected:
  std::wstring GetText() const override;
  void StoreText(const std::wstring& Value) override;
  void WndProc(classlib::TMessage& Message) override;
  void KeyPress(wchar_t& Key) override;
  void Change() override;
  virtual void ReformatEditText();

 private:
  // Writes the edit's own text without reading it as a value.
  void WriteEditText(const std::wstring& S);
  void SetFocused(bool Value);
  void CMExit(classlib::TMessage& Message);
  void WMPaste(classlib::TMessage& Message);

  classlib::TAlignment FAlignment = classlib::taRightJustify;
  bool FFocused = false;
  long double FValue = 0;
  long double FMinValue = 0;
  long double FMaxValue = 0;
  unsigned FDecimalPlaces = 2;
  bool FBeepOnError = true;
  bool FCheckOnExit = false;
  bool FFormatOnEditing = false;
  bool FFormatting = false;
  std::wstring FDisplayFormat;
};

class TsCalcEdit : public TsCustomNumEdit {
 public:
  explicit TsCalcEdit(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsCalcEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsCalcEdit>& d);
};

// Registers the numeric edits (and what their calculator's description names).
void RegisterNumEditClasses();

}  // namespace skin
