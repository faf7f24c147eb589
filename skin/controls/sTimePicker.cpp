// The time picker: fixed-width "hh:mm:ss" text edited digit by digit, stepped portion by portion.
#include "skin/controls/sSpinEdit.h"

#include <algorithm>

#include "classlib/Messages.h"

namespace skin {

using classlib::TMessage;

namespace {

bool Loading(const classlib::TComponent* c) { return c->ComponentState().Contains(classlib::csLoading); }

short WheelDelta(WPARAM w) { return static_cast<short>(HIWORD(w)); }

}  // namespace

TsTimePicker::TsTimePicker(classlib::TComponent* AOwner) : TsBaseSpinEdit(AOwner) { SetText(EmptyText()); }

void TsTimePicker::DeclareProperties(classlib::TClassDecl<TsTimePicker>& d) {
  d.Bool(L"DoBeep", &TsTimePicker::DoBeep, &TsTimePicker::SetDoBeep, false);
  d.Bool(L"ShowSeconds", &TsTimePicker::ShowSeconds, &TsTimePicker::SetShowSeconds, true);
  d.Bool(L"Use12Hour", &TsTimePicker::Use12Hour, &TsTimePicker::SetUse12Hour, false);
  d.Float(L"Value", &TsTimePicker::Value, &TsTimePicker::SetValue, 0.0);
  d.Float(L"Time", &TsTimePicker::Value, &TsTimePicker::SetValue, 0.0);
  d.Float(L"Date", &TsTimePicker::Value, &TsTimePicker::SetValue, 0.0);
}

void TsTimePicker::Beep() const {
  if (FDoBeep) TsBaseSpinEdit::Beep();
}

classlib::TDateTime TsTimePicker::Value() const {
  const std::wstring text = Text();
  TTimeFields t;
  if (static_cast<int>(text.size()) != TextLength() || !DecodeTimeText(text, FShowSeconds, t)) return 0;
  classlib::TDateTime v = 0;
  return classlib::TryEncodeTime(t.Hour, t.Min, FShowSeconds ? t.Sec : 0, 0, v) ? v : 0;
}

void TsTimePicker::SetValue(classlib::TDateTime T) {
  int h = 0, m = 0, s = 0, ms = 0;
  classlib::DecodeTime(T, h, m, s, ms);
  fTime = {h, m, s};
  // Also while a description is read: its value is kept, not dropped.
  SetText(TimeText(fTime, FShowSeconds));
}

void TsTimePicker::SetShowSeconds(bool Value) {
  if (FShowSeconds == Value) return;
  const classlib::TDateTime v = this->Value();
  FShowSeconds = Value;
  SetValue(v);
  if (Visible() && !Loading(this)) Repaint();
}

void TsTimePicker::SetUse12Hour(bool Value) {
  FUse12Hour = Value;
  MaxHour = Value ? 12 : 24;
}

void TsTimePicker::Loaded() {
  TsBaseSpinEdit::Loaded();
  if (Text().empty()) SetText(EmptyText());
  if (WholeTextSelected())
    FPos = TextLength() + 1;
  else
    SetPos(1, true);
}

bool TsTimePicker::WholeTextSelected() {
  return HandleAllocated() && SelStart() == 0 && SelLength() >= static_cast<int>(Text().size());
}

TacTimePortion TsTimePicker::Portion() const { return PortionAt(SelStart()); }

void TsTimePicker::HighlightPos(int P) {
  if (Loading(this) || !Visible() || !HandleAllocated()) return;
  SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(P - 1), P);
}

void TsTimePicker::SetPos(int P, bool Highlight) {
  // The caret never rests on a separator.
  FPos = P == 3 || P == 6 ? P - 1 : P;
  if (Highlight) HighlightPos(FPos);
}

void TsTimePicker::IncPos() {
  const int next = std::min(FPos == 2 || FPos == 5 ? FPos + 2 : FPos + 1, TextLength());
  SetPos(next, true);
}

void TsTimePicker::ReplaceAtPos(int P, wchar_t Ch) {
  std::wstring text = Text();
  if (!EditorEnabled() || P < 1 || static_cast<int>(text.size()) < P) return;
  text[std::size_t(P) - 1] = Ch;
  SetText(text);
}

void TsTimePicker::Step(int Delta) {
  const TacTimePortion portion = Portion();
  if (ReadOnly()) {
    Beep();
    return;
  }
  const std::wstring text = Text();
  // A text out of its layout is not stepped.
  if (static_cast<int>(text.size()) != TextLength() || !DecodeTimeText(text, FShowSeconds, fTime)) return;
  StepTime(fTime, portion, Delta, MaxHour);
  SetText(TimeText(fTime, FShowSeconds));
  if (Loading(this) || !HandleAllocated()) return;
  const int start = portion == TacTimePortion::tvHours ? 0 : portion == TacTimePortion::tvMinutes ? 3 : 6;
  FPos = start + 2;
  SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + 2);
}

void TsTimePicker::UpClick(classlib::TObject*) { Step(1); }

void TsTimePicker::DownClick(classlib::TObject*) { Step(-1); }

bool TsTimePicker::IsValidChar(wchar_t& Key) {
  if (!EditorEnabled() || Key == 0 || Key == L'\r' || Key == 27) {
    Key = 0;
    return false;
  }
  std::wstring text = Text();
  const TTimeDigit digit = TimeDigitAt(text, FPos, Key);
  if (!digit.Accepted) {
    Key = 0;
    return false;
  }
  if (digit.Hour23 && text.size() >= 2) {
    // The hour cannot pass 23: the typed digit makes it 23.
    text[0] = L'2';
    text[1] = L'3';
    SetText(text);
    Key = FPos == 1 ? L'2' : L'3';
  }
  return true;
}

void TsTimePicker::KeyPress(wchar_t& Key) {
  if (EditorEnabled() && Key >= L'0' && Key <= L'9') {
    if (WholeTextSelected()) SetPos(1, true);
    TsBaseSpinEdit::KeyPress(Key);
    if (Key != 0) {
      ReplaceAtPos(FPos, Key);
      IncPos();
    }
    Key = 0;
    return;
  }
  Key = 0;
  Beep();
}

void TsTimePicker::KeyDown(WORD& Key, classlib::TShiftState Shift) {
  const bool plain = Shift.Empty();
  switch (Key) {
    case VK_BACK:
    case VK_DELETE:
      if (WholeTextSelected()) {
        SendMessageW(Handle(), EM_SETSEL, 0, 0);
        SetText(EmptyText());
        SetPos(1, true);
      } else {
        ReplaceAtPos(FPos, L'0');
        if (Key == VK_BACK) {
          WORD left = VK_LEFT;
          KeyDown(left, Shift);
        } else {
          HighlightPos(FPos);
          Key = 0;
        }
      }
      break;
    case VK_LEFT:
      if (!plain) {
        FPos = std::max(1, FPos - 1);
        TsBaseSpinEdit::KeyDown(Key, Shift);
        return;
      }
      SetPos(std::max(1, FPos - 1 - (FPos == 4 || FPos == 7 ? 1 : 0)), true);
      break;
    case VK_RIGHT:
      if (!plain) {
        FPos = std::min(TextLength(), FPos + 1);
        TsBaseSpinEdit::KeyDown(Key, Shift);
        return;
      }
      IncPos();
      break;
    case VK_UP: UpClick(this); break;
    case VK_DOWN: DownClick(this); break;
    default: break;
  }
  switch (Key) {
    case VK_BACK:
    case VK_SPACE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE: Key = 0; break;
    default: break;
  }
  TsBaseSpinEdit::KeyDown(Key, Shift);
  if (Key == VK_END) {
    FPos = TextLength();
    if (plain) {
      SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(TextLength() - 1), TextLength());
      Key = 0;
    }
  } else if (Key == VK_HOME) {
    if (plain) {
      SendMessageW(Handle(), EM_SETSEL, 0, 1);
      Key = 0;
    } else {
      SetSelStart(FPos);
    }
    FPos = 1;
  }
}

void TsTimePicker::MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  TsBaseSpinEdit::MouseUp(Button, Shift, X, Y);
  if (SelLength() == 0) SetPos(std::min(SelStart() + 1, TextLength()), true);
}

void TsTimePicker::WndProc(TMessage& M) {
  switch (M.Msg) {
    case classlib::CM_MOUSEWHEEL: {
      TsBaseSpinEdit::WndProc(M);
      const short delta = WheelDelta(M.WParam);
      if (!ReadOnly() && M.Result == 0 && delta != 0) {
        // One step a message, whatever the turn.
        Step(delta < 0 ? -1 : 1);
        M.Result = 1;
      }
      return;
    }
    case classlib::CM_EXIT:
      TsBaseSpinEdit::WndProc(M);
      if (CheckValue(Value()) != Value()) SetValue(CheckValue(Value()));
      return;
    default: TsBaseSpinEdit::WndProc(M);
  }
}

void RegisterSpinEditClasses() {
  RegisterEditClasses();
  classlib::RegisterClass<TsSpinButton, classlib::TWinControl>(L"TsSpinButton");
  classlib::RegisterClass<TsBaseSpinEdit, TsEdit>(L"TsBaseSpinEdit");
  classlib::RegisterClass<TsSpinEdit, TsBaseSpinEdit>(L"TsSpinEdit");
  classlib::RegisterClass<TsDecimalSpinEdit, TsBaseSpinEdit>(L"TsDecimalSpinEdit");
  classlib::RegisterClass<TsTimePicker, TsBaseSpinEdit>(L"TsTimePicker");
}

}  // namespace skin
