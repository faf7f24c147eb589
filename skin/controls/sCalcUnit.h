#pragma once
// The calculator popup of the numeric edits: a borderless form read from its description
// (TSCALCFORM) showing the key machine of sCalcEngine: a display, a memory indicator, the keys,
// a copy and paste menu. Opened by a numeric edit it starts with the edit's value and hands its
// result back; it closes when it loses the activation. Win32 only.
#include <string>

#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "skin/controls/sCalcEngine.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sSpeedButton.h"

namespace skin {

class TsCustomNumEdit;

class TsCalcForm : public classlib::TForm {
 public:
  explicit TsCalcForm(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsCalcForm"; }

  TsPanel* FMainPanel = nullptr;
  TsDragBar* sDragBar1 = nullptr;
  TsSpeedButton* sToolButton1 = nullptr;
  TsSpeedButton* sToolButton3 = nullptr;
  TsPanel* FCalculatorPanel = nullptr;
  TsPanel* FDisplayPanel = nullptr;
  TsPanel* FCalcPanel = nullptr;
  classlib::TPopupMenu* PopupMenu1 = nullptr;
  classlib::TMenuItem* N1 = nullptr;
  classlib::TMenuItem* N2 = nullptr;

  TsCalcEngine& Engine() { return engine_; }
  // Handles one key as if typed.
  void CalcKey(wchar_t Key);
  const std::wstring& Text() const { return engine_.Text(); }
  void SetText(const std::wstring& S) { engine_.SetText(S); }
  TsCalcState Status() const { return engine_.Status(); }
  void Copy();
  void Paste();
  void UpdateMemoryLabel();
  TsCustomNumEdit* Editor() const { return FEditor; }
  void SetEditor(TsCustomNumEdit* Value) { FEditor = Value; }

  classlib::TNotifyEvent FOnOk;
  classlib::TNotifyEvent FOnCancel;

  void FormCreate(classlib::TObject* Sender);
  void FormDeactivate(classlib::TObject* Sender);
  void FormKeyPress(classlib::TObject* Sender, wchar_t& Key);
  void FormShow(classlib::TObject* Sender);
  void DigitButtonClick(classlib::TObject* Sender);
  void KeyButtonClick(classlib::TObject* Sender);
  void MemoryButtonClick(classlib::TObject* Sender);
  void CloseButtonClick(classlib::TObject* Sender);
  void MinimizeButtonClick(classlib::TObject* Sender);
  void PopupMenu1Popup(classlib::TObject* Sender);
  void N1Click(classlib::TObject* Sender);
  void N2Click(classlib::TObject* Sender);
  void OK1Click(classlib::TObject* Sender);
  void Cancel1Click(classlib::TObject* Sender);

 protected:
  void DeclareBindings(classlib::TFormBindings& b) override;
  void CreateParams(classlib::TCreateParams& Params) override;
  void WndProc(classlib::TMessage& Message) override;
  virtual void TextChanged();

 private:
  // The value goes to the edit, which takes the focus and reports the change.
  void TransferToEditor();
  void UpdateRegion();

  TsCalcEngine engine_;
  TsCustomNumEdit* FEditor = nullptr;
};

// Registers the classes the calculator's description names.
void RegisterCalcFormClasses();

}  // namespace skin
