// Page 1 "Контроль уровней": level masks of the outputs and the broadcast test mode.
#include <windows.h>

#include <algorithm>

#include "app/LevelMasks.h"
#include "app/TestMain.h"
#include "app/link/Modbus.h"

namespace {

constexpr int kResultPanel = 2;
constexpr unsigned kLeaveTestTimeout = 2;

// Waits between the requests of a series. Only paint messages are handled meanwhile: the window
// stays drawn, while clicks and keys wait in the queue until the series is over, so that nothing
// (test mode, another unit, another page) changes under a series that is half done.
void PaintingPause(int milliseconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&msg);
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_PAINT);
  }
}

// The sensor whose bit a level box shows: its tag, when it is one.
int SensorOf(const TComponent* box) {
  const auto tag = box ? box->Tag() : -1;
  return tag >= 0 && tag < app::kLevelSensors ? static_cast<int>(tag) : -1;
}

skin::TsGroupBox* LevelGroup(const TForm1& form, int condition) {
  switch (condition) {
    case app::LevelMax: return form.GroupBox11;
    case app::Level95: return form.GroupBox12;
    case app::LevelMin: return form.GroupBox13;
    case app::LevelH2O: return form.GroupBox14;
    default: return nullptr;
  }
}

// Runs action(box, sensor) for each level box of a condition, in the group's child order.
template <class F>
void ForEachLevelBox(const TForm1& form, int condition, F&& action) {
  skin::TsGroupBox* group = LevelGroup(form, condition);
  if (!group) return;
  for (int i = 0; i < group->ControlCount(); ++i) {
    auto* box = dynamic_cast<skin::TsCheckBox*>(group->Controls(i));
    if (box && SensorOf(box) >= 0) action(box, SensorOf(box));
  }
}

void UncheckAllLevelBoxes(const TForm1& form) {
  for (int condition = 0; condition < app::kLevelConditions; ++condition)
    ForEachLevelBox(form, condition, [](skin::TsCheckBox* box, int) { box->SetChecked(false); });
}

// The output whose masks the boxes edit: the tag of the checked radio button, or -1.
int CheckedOutput(const TForm1& form) {
  for (int i = 0; i < form.GroupBox15->ControlCount(); ++i) {
    auto* radio = dynamic_cast<skin::TsRadioButton*>(form.GroupBox15->Controls(i));
    if (radio && radio->Checked() && radio->Tag() >= 0 && radio->Tag() < app::kLevelOutputs)
      return static_cast<int>(radio->Tag());
  }
  return -1;
}

void SetMaskButtonsEnabled(const TForm1& form, bool enabled) {
  for (skin::TsButton* button : {form.btnGet_ConfigOut, form.btnSet_ConfigOut, form.btnClear})
    button->SetEnabled(enabled);
}

// Selects output X1; checking it from code runs RadioButtonX1Click, which shows its masks.
void SelectFirstOutput(const TForm1& form) {
  form.RadioButtonX1->SetChecked(true);
  if (form.RadioButtonX1->CanFocus()) form.RadioButtonX1->SetFocus();
}

}  // namespace

void TForm1::DeclareLevelBindings(TFormBindings& b) {
  b.Field(L"GroupBox8", GroupBox8)
      .Field(L"GroupBox11", GroupBox11)
      .Field(L"GroupBox12", GroupBox12)
      .Field(L"GroupBox13", GroupBox13)
      .Field(L"GroupBox14", GroupBox14)
      .Field(L"GroupBox15", GroupBox15)
      .Field(L"GroupBox3", GroupBox3)
      .Field(L"RadioButtonX1", RadioButtonX1)
      .Field(L"btnGet_ConfigOut", btnGet_ConfigOut)
      .Field(L"btnSet_ConfigOut", btnSet_ConfigOut)
      .Field(L"btnClear", btnClear)
      .Field(L"CheckBoxTest", CheckBoxTest);
  b.Handler(L"CheckBoxMax_1Click", &TForm1::CheckBoxMax_1Click)
      .Handler(L"CheckBox95_1Click", &TForm1::CheckBox95_1Click)
      .Handler(L"CheckBoxMin_1Click", &TForm1::CheckBoxMin_1Click)
      .Handler(L"CheckBoxH2O_1Click", &TForm1::CheckBoxH2O_1Click)
      .Handler(L"RadioButtonX1Click", &TForm1::RadioButtonX1Click)
      .Handler(L"btnGet_ConfigOutClick", &TForm1::btnGet_ConfigOutClick)
      .Handler(L"btnSet_ConfigOutClick", &TForm1::btnSet_ConfigOutClick)
      .Handler(L"btnClearClick", &TForm1::btnClearClick)
      .Handler(L"CheckBoxTestClick", &TForm1::CheckBoxTestClick)
      .Handler(L"PageControl1Change", &TForm1::PageControl1Change);
}

void TForm1::ShowChannelMasks(int c) {
  if (CheckBoxTest->Checked() || c < 0 || c >= app::kLevelOutputs) return;
  for (int condition = 0; condition < app::kLevelConditions; ++condition) {
    const std::uint16_t mask = LevelMasks[app::LevelMaskIndex(c, condition)];
    // Each box runs its click handler, which stores the bit just shown back into the output.
    ForEachLevelBox(*this, condition,
                    [mask](skin::TsCheckBox* box, int sensor) { box->SetChecked(app::SensorBit(mask, sensor)); });
  }
}

namespace {

// What every level box does when clicked: in test mode its bit of the condition's test word goes
// to all units at once; otherwise it edits the selected output's mask (nothing is sent).
void LevelBoxClick(TForm1& form, TObject* Sender, int condition) {
  auto* box = dynamic_cast<skin::TsCheckBox*>(Sender);
  const int sensor = SensorOf(box);
  if (sensor < 0) return;
  if (form.CheckBoxTest->Checked()) {
    app::SetSensorBit(form.TestWords[condition], sensor, box->Checked());
    app::WriteLevelTestWords(MbSlaveAddress(), form.TestWords, app::LevelTestTimeout(condition));
    return;
  }
  const int output = CheckedOutput(form);
  if (output < 0) return;
  app::SetSensorBit(form.LevelMasks[app::LevelMaskIndex(output, condition)], sensor, box->Checked());
}

}  // namespace

void TForm1::CheckBoxMax_1Click(TObject* Sender) { LevelBoxClick(*this, Sender, app::LevelMax); }
void TForm1::CheckBox95_1Click(TObject* Sender) { LevelBoxClick(*this, Sender, app::Level95); }
void TForm1::CheckBoxMin_1Click(TObject* Sender) { LevelBoxClick(*this, Sender, app::LevelMin); }
void TForm1::CheckBoxH2O_1Click(TObject* Sender) { LevelBoxClick(*this, Sender, app::LevelH2O); }

void TForm1::RadioButtonX1Click(TObject* Sender) {
  if (auto* radio = dynamic_cast<TComponent*>(Sender)) ShowChannelMasks(static_cast<int>(radio->Tag()));
}

void TForm1::btnGet_ConfigOutClick(TObject*) {
  SelectFirstOutput(*this);
  SetMaskButtonsEnabled(*this, false);
  BeginOperation();
  const std::uint8_t result = app::ReadLevelMasks(MbSlaveAddress(), LevelMasks, PaintingPause);
  ShowChannelMasks(0);
  ViewMessage(result, kResultPanel);
  SetMaskButtonsEnabled(*this, true);
}

void TForm1::btnSet_ConfigOutClick(TObject*) {
  SetMaskButtonsEnabled(*this, false);
  BeginOperation();
  const std::uint8_t result = app::WriteLevelMasks(MbSlaveAddress(), LevelMasks, PaintingPause);
  ViewMessage(result, kResultPanel);
  SetMaskButtonsEnabled(*this, true);
}

void TForm1::btnClearClick(TObject*) {
  LevelMasks.fill(0);
  UncheckAllLevelBoxes(*this);
}

void TForm1::CheckBoxTestClick(TObject*) {
  if (CheckBoxTest->Checked()) {
    SetMaskButtonsEnabled(*this, false);
    SelectFirstOutput(*this);
    GroupBox15->SetEnabled(false);
    RadioButtonX1->SetEnabled(false);
    // Every unit is in test from now on. Choosing one unit in the list would make leaving the
    // mode clear only that unit's test words, so the list waits until the mode ends.
    SavedAddressIndex = ComboBox_AddrBU->ItemIndex();
    ComboBox_AddrBU->SetItemIndex(0);
    ComboBox_AddrBU->SetEnabled(false);
    MbSetSlaveAddress(0);
    // Each box that was checked writes the (cleared) test words once.
    UncheckAllLevelBoxes(*this);
    return;
  }
  SetMaskButtonsEnabled(*this, true);
  GroupBox15->SetEnabled(true);
  RadioButtonX1->SetEnabled(true);
  TestWords.fill(0);
  app::WriteLevelTestWords(MbSlaveAddress(), TestWords, kLeaveTestTimeout);
  ComboBox_AddrBU->SetEnabled(true);
  ComboBox_AddrBU->SetItemIndex(SavedAddressIndex);
  MbSetSlaveAddress(static_cast<std::uint8_t>(std::max(SavedAddressIndex, 0)));
  ShowChannelMasks(0);
}

void TForm1::PageControl1Change(TObject*) {
  if (PageControl1->ActivePage() == TabSheet1) return;
  CheckBoxTest->SetChecked(false);
  const int index = ComboBox_AddrBU->ItemIndex();
  if (index >= 0) MbSetSlaveAddress(static_cast<std::uint8_t>(index));
}
