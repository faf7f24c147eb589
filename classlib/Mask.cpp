#include "classlib/Mask.h"

#include <algorithm>

#include "classlib/FormatSettings.h"

namespace classlib {

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::DeclareProperties(TClassDecl<TCustomMaskEdit>& d) {
  d.String(L"EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
}

void TCustomMaskEdit::SetEditMask(const std::wstring& Value) {
  if (FEditMask == Value) return;
  const std::wstring value = Text();
  FEditMask = Value;
  FMask = TEditMask(Value, FormatSettings.TimeSeparator, FormatSettings.DateSeparator);
  if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(IsMasked() ? FMask.Length() : MaxLength()), 0);
  StoreText(value);
}

void TCustomMaskEdit::SetMaxLength(int Value) {
  TCustomEdit::SetMaxLength(Value);
  // A mask fixes the length; MaxLength then only records what was asked.
  if (IsMasked() && FHandle) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMask.Length()), 0);
}

std::wstring TCustomMaskEdit::EditText() const { return TCustomEdit::GetText(); }

void TCustomMaskEdit::SetEditText(const std::wstring& Value) {
  if (!IsMasked()) {
    TCustomEdit::StoreText(Value);
    return;
  }
  std::wstring text = Value;
  if (static_cast<int>(text.size()) != FMask.Length()) text = FMask.FormatText(FMask.TextOf(text));
  TCustomEdit::StoreText(text);
}

bool TCustomMaskEdit::IsComplete() const { return !IsMasked() || FMask.IsComplete(EditText()); }

std::wstring TCustomMaskEdit::GetText() const {
  if (!IsMasked()) return TCustomEdit::GetText();
  return FMask.TextOf(TCustomEdit::GetText());
}

void TCustomMaskEdit::StoreText(const std::wstring& Value) {
  if (!IsMasked()) {
    TCustomEdit::StoreText(Value);
    return;
  }
  TCustomEdit::StoreText(FMask.FormatText(Value));
}

void TCustomMaskEdit::InitializeWindow() {
  TCustomEdit::InitializeWindow();
  if (IsMasked()) {
    SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMask.Length()), 0);
    std::wstring text = TCustomEdit::GetText();
    if (static_cast<int>(text.size()) != FMask.Length()) TCustomEdit::StoreText(FMask.FormatText(FMask.TextOf(text)));
  }
}

void TCustomMaskEdit::Selection(int& Start, int& End) const {
  DWORD s = 0, e = 0;
  if (FHandle) SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  Start = static_cast<int>(s);
  End = static_cast<int>(e);
}

void TCustomMaskEdit::Apply(const std::wstring& Text, int Caret) {
  if (Text != TCustomEdit::GetText()) TCustomEdit::StoreText(Text);
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(Caret), Caret);
}

void TCustomMaskEdit::ClearSelection() {
  int start, end;
  Selection(start, end);
  std::wstring text = EditText();
  FMask.Clear(text, start, end);
  Apply(text, start);
}

void TCustomMaskEdit::PasteText(const std::wstring& Text) {
  int start, end;
  Selection(start, end);
  std::wstring text = EditText();
  if (end > start) FMask.Clear(text, start, end);
  int caret = start;
  for (wchar_t c : Text) {
    int next = FMask.TypeChar(text, caret, c);
    if (next >= 0) caret = next;
    if (caret >= FMask.Length()) break;
  }
  Apply(text, caret);
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || Key == 0 || ReadOnly()) return;
  if (Key == VK_DELETE && !Shift.Contains(ssShift)) {
    int start, end;
    Selection(start, end);
    std::wstring text = EditText();
    FMask.Clear(text, start, end > start ? end : start + 1);
    Apply(text, start);
    Key = 0;
  }
}

void TCustomMaskEdit::KeyPress(wchar_t& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0 || ReadOnly()) return;
  if (Key == L'\b') {
    int start, end;
    Selection(start, end);
    std::wstring text = EditText();
    if (end > start) {
      FMask.Clear(text, start, end);
      Apply(text, start);
    } else {
      int pos = FMask.PrevEditable(start - 1);
      if (pos >= 0) {
        FMask.Clear(text, pos, pos + 1);
        Apply(text, pos);
      } else {
        MessageBeep(0);
      }
    }
    Key = 0;
    return;
  }
  if (Key < L' ') return;  // Ctrl+C and the like go to the window
  int start, end;
  Selection(start, end);
  std::wstring text = EditText();
  if (end > start) FMask.Clear(text, start, end);
  int caret = FMask.TypeChar(text, start, Key);
  if (caret < 0)
    MessageBeep(0);
  else
    Apply(text, caret);
  Key = 0;
}

void TCustomMaskEdit::Dispatch(TMessage& M) {
  if (IsMasked() && !ReadOnly()) {
    switch (M.Msg) {
      case WM_PASTE:
        if (OpenClipboard(FHandle)) {
          std::wstring text;
          if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
              text = p;
              GlobalUnlock(data);
            }
          }
          CloseClipboard();
          PasteText(text);
        }
        M.Result = 0;
        return;
      case WM_CUT:
        SendMessageW(FHandle, WM_COPY, 0, 0);
        ClearSelection();
        M.Result = 0;
        return;
      case WM_CLEAR:
        ClearSelection();
        M.Result = 0;
        return;
      default: break;
    }
  }
  TCustomEdit::Dispatch(M);
}

}  // namespace classlib
