#pragma once
// Skinned edits with an up/down button pair at their right edge: the integer spin edit, the
// decimal spin edit and the time picker. The pair is a small window of two auto-repeating skinned
// speed buttons (section "SPEEDBUTTON_SMALL") with drawn triangles, whose background is the edit's
// own cache; the edit takes its look from its section ("EDIT"). Up/Down keys, the buttons and the
// mouse wheel step the value. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/DateUtils.h"
#include "classlib/ExtCtrls.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sSpinRules.h"

namespace skin {

class TsSpinButton;
class TsBaseSpinEdit;

namespace sSpinEdit {

enum class TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = classlib::TSet<TTimeBtnStateItem>;

// Repeats its click while held: after 400 ms, then every 100 ms while it keeps the mouse capture.
// Not the tool-bar speed button of the same name: this one belongs to a spin button and is never
// read from a description.
class TsTimerSpeedButton : public TsSpeedButton {
 public:
  TsTimerSpeedButton(classlib::TComponent* AOwner, TsSpinButton* SpinButton);
  ~TsTimerSpeedButton() override;

  TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
  void SetTimeBtnState(TTimeBtnState Value) { FTimeBtnState = Value; }
  // The repeat timer; none before the first press.
  classlib::TTimer* RepeatTimer() const { return FRepeatTimer; }
  // The cache (rendered now) onto DC at P.
  void PaintTo(HDC DC, TPoint P);

  bool Up = false;

 protected:
  void Paint() override;
  void DrawGlyph() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

 private:
  void TimerExpired(classlib::TObject* Sender);
  TColor ArrowColor();

  TsSpinButton* FOwner;
  classlib::TTimer* FRepeatTimer = nullptr;
  TTimeBtnState FTimeBtnState;
};

}  // namespace sSpinEdit

// The pair of arrow buttons, a child window of its spin edit.
class TsSpinButton : public classlib::TWinControl {
 public:
  explicit TsSpinButton(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsSpinButton"; }
  static void DeclareProperties(classlib::TClassDecl<TsSpinButton>& d);

  sSpinEdit::TsTimerSpeedButton* UpButton() const { return FUpButton; }
  sSpinEdit::TsTimerSpeedButton* DownButton() const { return FDownButton; }
  classlib::TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(classlib::TWinControl* Value) { FFocusControl = Value; }
  classlib::TBitmap* UpGlyph() const;
  void SetUpGlyph(const classlib::TBitmap* Value);
  classlib::TBitmap* DownGlyph() const;
  void SetDownGlyph(const classlib::TBitmap* Value);
  void ClearGlyphs();
  // The spin edit the pair belongs to (nullptr when it has another owner).
  TsBaseSpinEdit* Edit() const { return FOwner; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Both buttons onto DC, the up button at P and the down button below it.
  void PaintTo(HDC DC, TPoint P);

  classlib::TNotifyEvent OnUpClick;
  classlib::TNotifyEvent OnDownClick;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

 private:
  friend class sSpinEdit::TsTimerSpeedButton;
  sSpinEdit::TsTimerSpeedButton* CreateButton(bool Up);
  void AdjustSize(int& W, int& H);
  void BtnClick(classlib::TObject* Sender);
  void BtnMouseDown(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift, int X,
                    int Y);
  void SetFocusBtn(sSpinEdit::TsTimerSpeedButton* Btn);
  // The inset of the edit's client area in its window (its cache).
  int EditBorder() const;

  TsBaseSpinEdit* FOwner = nullptr;
  sSpinEdit::TsTimerSpeedButton* FUpButton = nullptr;
  sSpinEdit::TsTimerSpeedButton* FDownButton = nullptr;
  sSpinEdit::TsTimerSpeedButton* FFocusedButton = nullptr;
  classlib::TWinControl* FFocusControl = nullptr;
};

// The edit with the button pair; descendants say which characters they take and how they step.
class TsBaseSpinEdit : public TsEdit {
 public:
  explicit TsBaseSpinEdit(classlib::TComponent* AOwner);
  ~TsBaseSpinEdit() override;
  std::wstring ClassName() const override { return L"TsBaseSpinEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsBaseSpinEdit>& d);

  TsSpinButton* Button() const { return FButton; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }

  void PrepareCache() override;
  void PaintText() override;

  // The character as this edit takes it, 0 when it is refused.
  virtual bool IsValidChar(wchar_t& Key);
  virtual void UpClick(classlib::TObject* Sender) = 0;
  virtual void DownClick(classlib::TObject* Sender) = 0;

  classlib::TNotifyEvent OnUpClick;
  classlib::TNotifyEvent OnDownClick;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void CreateParams(classlib::TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(wchar_t& Key) override;
  void SetEditRect();
  // The text with the typed character at the selection: what the key must keep valid.
  TSpinKeyInput KeyInput(std::wstring& Storage) const;
  // A skin command for the edit's own manager.
  bool OwnCommand(const classlib::TMessage& Message) const;
  // A refused key or a step of a read-only edit.
  virtual void Beep() const;

 private:
  void PlaceButton();
  void AfterMessage(const classlib::TMessage& Before, classlib::TMessage& Message);
  int BorderInset() const;

  TsSpinButton* FButton = nullptr;
  bool FEditorEnabled = true;
};

class TsSpinEdit : public TsBaseSpinEdit {
 public:
  explicit TsSpinEdit(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsSpinEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsSpinEdit>& d);

  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value) { FMinValue = Value; }
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value) { FMaxValue = Value; }
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  // 0 for an empty text, MinValue for a text that is no integer.
  int Value() const;
  void SetValue(int Value);
  int CheckValue(int V) const { return SpinCheckValue(V, FMinValue, FMaxValue); }

  bool IsValidChar(wchar_t& Key) override;
  void UpClick(classlib::TObject* Sender) override;
  void DownClick(classlib::TObject* Sender) override;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  void Step(std::int64_t Delta);
  int FMinValue = 0;
  int FMaxValue = 0;
  int FIncrement = 1;
};

class TsDecimalSpinEdit : public TsBaseSpinEdit {
 public:
  explicit TsDecimalSpinEdit(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsDecimalSpinEdit"; }
  static void DeclareProperties(classlib::TClassDecl<TsDecimalSpinEdit>& d);

  double MinValue() const { return FMinValue; }
  void SetMinValue(double Value) { FMinValue = Value; }
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value) { FMaxValue = Value; }
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value) { FIncrement = Value; }
  int DecimalPlaces() const { return fDecimalPlaces; }
  void SetDecimalPlaces(int Value);
  bool UseSystemDecSeparator() const { return FUseSystemDecSeparator; }
  void SetUseSystemDecSeparator(bool Value) { FUseSystemDecSeparator = Value; }
  double Value() const;
  void SetValue(double X);
  double CheckValue(double V) const { return DecimalCheckValue(V, FMinValue, FMaxValue); }
  // The text rewritten from the value.
  void FormatText();

  bool IsValidChar(wchar_t& Key) override;
  void UpClick(classlib::TObject* Sender) override;
  void DownClick(classlib::TObject* Sender) override;

 protected:
  void WndProc(classlib::TMessage& Message) override;
  bool ValueChanging = false;
  bool TextChanging = false;

 private:
  void WriteText();
  wchar_t Separator() const;
  // The text as a number, either separator taken; false when it is none.
  bool ParseText(const std::wstring& Text, double& V) const;
  double FValue = 0;
  double FMinValue = 0;
  double FMaxValue = 0;
  double FIncrement = 1.0;
  int fDecimalPlaces = 2;
  bool FUseSystemDecSeparator = true;
};

class TsTimePicker : public TsBaseSpinEdit {
 public:
  explicit TsTimePicker(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsTimePicker"; }
  static void DeclareProperties(classlib::TClassDecl<TsTimePicker>& d);

  bool DoBeep() const { return FDoBeep; }
  void SetDoBeep(bool Value) { FDoBeep = Value; }
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool Value);
  bool Use12Hour() const { return FUse12Hour; }
  void SetUse12Hour(bool Value);
  // The time of the text; 0 for a text of another length or no valid time.
  classlib::TDateTime Value() const;
  void SetValue(classlib::TDateTime T);
  classlib::TDateTime CheckValue(classlib::TDateTime T) const { return T >= 0 ? T : 0; }
  int TextLength() const { return TimeTextLength(FShowSeconds); }
  std::wstring EmptyText() const { return TimeText({}, FShowSeconds); }
  TacTimePortion Portion() const;
  // The 1-based caret position (1, 2 hours; 4, 5 minutes; 7, 8 seconds).
  int Pos() const { return FPos; }
  void SetPos(int P, bool Highlight);

  bool IsValidChar(wchar_t& Key) override;
  void UpClick(classlib::TObject* Sender) override;
  void DownClick(classlib::TObject* Sender) override;

  int MaxHour = 24;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(wchar_t& Key) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  // Only with DoBeep.
  void Beep() const override;

 private:
  void Step(int Delta);
  void HighlightPos(int P);
  void IncPos();
  void ReplaceAtPos(int P, wchar_t Ch);
  bool WholeTextSelected();

  TTimeFields fTime;
  bool FDoBeep = false;
  bool FShowSeconds = true;
  bool FUse12Hour = false;
  int FPos = 1;
};

// Registers the spin edits, the time picker and the button pair with the class registry.
void RegisterSpinEditClasses();

}  // namespace skin
