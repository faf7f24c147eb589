#pragma once
// The masked edit: an EDIT window whose text follows an edit mask (EditMask.h). Typing overwrites
// the character at the caret, skips literals and refuses what the position does not take; the
// text keeps the mask's length. Leaving the field never raises, whatever it holds.
#include <string>

#include "classlib/EditMask.h"
#include "classlib/StdCtrls.h"

namespace classlib {

class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TCustomMaskEdit"; }
  static void DeclareProperties(TClassDecl<TCustomMaskEdit>& d);

  const std::wstring& EditMask() const { return FEditMask; }
  void SetEditMask(const std::wstring& Value);
  bool IsMasked() const { return !FMask.Empty(); }
  const TEditMask& Mask() const { return FMask; }
  // The text as shown, blanks and literals included.
  std::wstring EditText() const;
  void SetEditText(const std::wstring& Value);
  // Every required position is filled.
  bool IsComplete() const;
  void SetMaxLength(int Value) override;

 protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(wchar_t& Key) override;
  std::wstring GetText() const override;
  void StoreText(const std::wstring& Value) override;
  void InitializeWindow() override;
  void Dispatch(TMessage& Message) override;

 private:
  // Writes the edit text into the window and puts the caret at Caret.
  void Apply(const std::wstring& Text, int Caret);
  void Selection(int& Start, int& End) const;
  void ClearSelection();
  void PasteText(const std::wstring& Text);
  std::wstring FEditMask;
  TEditMask FMask;
};

class TMaskEdit : public TCustomMaskEdit {
 public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
  std::wstring ClassName() const override { return L"TMaskEdit"; }
};

}  // namespace classlib
