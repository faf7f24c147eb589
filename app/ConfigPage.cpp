// Page 0 "Конфигурация": identification, hardware configuration (written only after the
// password), inputs and outputs, triggers, relay delays, clock and the binding of inputs to
// outputs; and "Сменить адрес" on page 1.
#include <windows.h>

#include <algorithm>
#include <array>

#include "app/ClockText.h"
#include "app/ConfigTexts.h"
#include "app/PassLock.h"
#include "app/ResultTexts.h"
#include "app/TestMain.h"
#include "app/link/Modbus.h"
#include "classlib/DateUtils.h"

namespace {

constexpr int kResultPanel = 2;
constexpr int kImageUnlocked = 11;

namespace reg {
constexpr std::uint16_t Copyright = 0, DeviceCode = 1, Version = 2, VersionDate = 3, HwConfig = 4, InputConfig = 5,
                        Triggers = 6, IoBits = 7, OwnAddress = 8, InputToOutput = 32, DelayOn = 112, DelayOff = 113,
                        ClockDate = 128, ClockTime = 129, VersionText = 170;
}

// Hardware configuration flags (register 4, byte 1).
constexpr std::uint8_t kFlagOutputs = 0x01, kFlagInputs = 0x02, kFlagClock = 0x04, kFlagZigBee = 0x08,
                       kFlagThermo = 0x10, kFlagProbes = 0x20, kFlagCounter = 0x40;

std::uint8_t Read(std::span<std::uint8_t> out, std::uint16_t reg, std::uint8_t n, unsigned timeout) {
  return MbReadRegisters(MbSlaveAddress(), out, reg, n, timeout);
}

std::uint8_t Write(std::span<const std::uint8_t> data, std::uint16_t reg, std::uint8_t n, unsigned timeout) {
  return MbWriteRegisters(MbSlaveAddress(), data, reg, n, timeout);
}

// The last non-zero result of a series, or 0.
void Keep(std::uint8_t& series, std::uint8_t result) {
  if (result != 0) series = result;
}

std::wstring Hex2(std::uint8_t b) { return app::ByteToHex(b); }

}  // namespace

void TForm1::DeclareConfigBindings(TFormBindings& b) {
  b.Field(L"GroupBox7", GroupBox7)
      .Field(L"edtViewTest", edtViewTest)
      .Field(L"GroupBox6", GroupBox6)
      .Field(L"btnGetRev", btnGetRev)
      .Field(L"btnGetCopyR", btnGetCopyR)
      .Field(L"btnRevDate", btnRevDate)
      .Field(L"btnDevCode", btnDevCode)
      .Field(L"btnGetRevASCII", btnGetRevASCII)
      .Field(L"edtRev", edtRev)
      .Field(L"edtCopyright", edtCopyright)
      .Field(L"edtRevDate", edtRevDate)
      .Field(L"edtDevCode", edtDevCode)
      .Field(L"edtRevASCII", edtRevASCII)
      .Field(L"GroupBoxMeasOut", GroupBoxMeasOut)
      .Field(L"MaskEdit_DevCfg", MaskEdit_DevCfg)
      .Field(L"MaskEdit_DevIn", MaskEdit_DevIn)
      .Field(L"MaskEdit_DevOut", MaskEdit_DevOut)
      .Field(L"CheckBox_DevOut", CheckBox_DevOut)
      .Field(L"CheckBox_DevIn", CheckBox_DevIn)
      .Field(L"CheckBox_DevRTC", CheckBox_DevRTC)
      .Field(L"CheckBox_DevZigBee", CheckBox_DevZigBee)
      .Field(L"CheckBox_DevDS", CheckBox_DevDS)
      .Field(L"CheckBox_DevML", CheckBox_DevML)
      .Field(L"CheckBox_DevCnt", CheckBox_DevCnt)
      .Field(L"btnGet_DevConfig", btnGet_DevConfig)
      .Field(L"sBitBtnSet_DevConfig", sBitBtnSet_DevConfig)
      .Field(L"GroupBox_InConfig", GroupBox_InConfig)
      .Field(L"MaskEdit_TriggerCnt", MaskEdit_TriggerCnt)
      .Field(L"MaskEdit_TriggerIn", MaskEdit_TriggerIn)
      .Field(L"MaskEdit_InvIn", MaskEdit_InvIn)
      .Field(L"MaskEdit_OnCtrlIn", MaskEdit_OnCtrlIn)
      .Field(L"btnGet_InConfig", btnGet_InConfig)
      .Field(L"btnSet_InConfig", btnSet_InConfig)
      .Field(L"GroupBox_TriggerControl", GroupBox_TriggerControl)
      .Field(L"MaskEdit_TriggerControl", MaskEdit_TriggerControl)
      .Field(L"btnGet_TriggerControl", btnGet_TriggerControl)
      .Field(L"btnSet_TriggerControl", btnSet_TriggerControl)
      .Field(L"GroupBox_IoControl", GroupBox_IoControl)
      .Field(L"MaskEdit_InControl", MaskEdit_InControl)
      .Field(L"MaskEdit_OutControl", MaskEdit_OutControl)
      .Field(L"btnGet_Control", btnGet_Control)
      .Field(L"btnSet_Control", btnSet_Control)
      .Field(L"GroupBox_DelayControl", GroupBox_DelayControl)
      .Field(L"MaskEdit_DelayOn", MaskEdit_DelayOn)
      .Field(L"MaskEdit_DelayOff", MaskEdit_DelayOff)
      .Field(L"btnGet_Delay", btnGet_Delay)
      .Field(L"btnSet_Delay", btnSet_Delay)
      .Field(L"GroupBox_RTC", GroupBox_RTC)
      .Field(L"edtDate", edtDate)
      .Field(L"edtTime", edtTime)
      .Field(L"ComboBox_SetDay", ComboBox_SetDay)
      .Field(L"btnLoad_Clock", btnLoad_Clock)
      .Field(L"btnGet_Clock", btnGet_Clock)
      .Field(L"btnSet_Clock", btnSet_Clock)
      .Field(L"GroupBox_InToOutControl", GroupBox_InToOutControl)
      .Field(L"btnGet_InToOutControl", btnGet_InToOutControl)
      .Field(L"btnSet_InToOutControl", btnSet_InToOutControl)
      .Field(L"GroupBox16", GroupBox16)
      .Field(L"ComboBox_SetAddrBU", ComboBox_SetAddrBU)
      .Field(L"btnSetAddr", btnSetAddr);
  for (std::size_t i = 0; i < MaskEdit_InToOut.size(); ++i)
    b.Field(L"MaskEdit_InToOut_" + std::to_wstring(i), MaskEdit_InToOut[i]);

  b.Handler(L"btnGetRevClick", &TForm1::btnGetRevClick)
      .Handler(L"btnGetCopyRClick", &TForm1::btnGetCopyRClick)
      .Handler(L"btnRevDateClick", &TForm1::btnRevDateClick)
      .Handler(L"btnDevCodeClick", &TForm1::btnDevCodeClick)
      .Handler(L"btnGetRevASCIIClick", &TForm1::btnGetRevASCIIClick)
      .Handler(L"btnGet_DevConfigClick", &TForm1::btnGet_DevConfigClick)
      .Handler(L"sBitBtnSet_DevConfigClick", &TForm1::sBitBtnSet_DevConfigClick)
      .Handler(L"btnGet_InConfigClick", &TForm1::btnGet_InConfigClick)
      .Handler(L"btnSet_InConfigClick", &TForm1::btnSet_InConfigClick)
      .Handler(L"btnGet_TriggerControlClick", &TForm1::btnGet_TriggerControlClick)
      .Handler(L"btnSet_TriggerControlClick", &TForm1::btnSet_TriggerControlClick)
      .Handler(L"btnGet_ControlClick", &TForm1::btnGet_ControlClick)
      .Handler(L"btnSet_ControlClick", &TForm1::btnSet_ControlClick)
      .Handler(L"btnGet_DelayClick", &TForm1::btnGet_DelayClick)
      .Handler(L"btnSet_DelayClick", &TForm1::btnSet_DelayClick)
      .Handler(L"btnGet_ClockClick", &TForm1::btnGet_ClockClick)
      .Handler(L"btnSet_ClockClick", &TForm1::btnSet_ClockClick)
      .Handler(L"btnLoad_ClockClick", &TForm1::btnLoad_ClockClick)
      .Handler(L"btnGet_InToOutControlClick", &TForm1::btnGet_InToOutControlClick)
      .Handler(L"btnSet_InToOutControlClick", &TForm1::btnSet_InToOutControlClick)
      .Handler(L"btnSetAddrClick", &TForm1::btnSetAddrClick)
      .Handler(L"ComboBox_SetAddrBUChange", &TForm1::ComboBox_SetAddrBUChange)
      .Handler(L"CheckBox_DevCntClick", &TForm1::CheckBox_DevCntClick)
      .Handler(L"CheckBox_DevMLClick", &TForm1::CheckBox_DevMLClick)
      .Handler(L"CheckBox_DevFlagClick", &TForm1::CheckBox_DevFlagClick);
}

// ---- identification ----

void TForm1::ReadFields(std::initializer_list<TControl*> fields, const wchar_t* pending, std::uint16_t reg,
                        std::span<std::uint8_t> data, const std::function<void(std::span<const std::uint8_t>)>& show) {
  BeginOperation();
  for (TControl* field : fields) field->SetText(pending);
  edtViewTest->SetText(L"-");
  const std::uint8_t result = Read(data, reg, static_cast<std::uint8_t>(data.size() / 2), 3);
  show(data);
  // The reply: address, function, byte count, the data, CRC.
  ShowReplyDump(static_cast<int>(data.size()) + 5);
  ViewMessage(result, kResultPanel);
}

void TForm1::btnGetRevClick(TObject*) {
  std::array<std::uint8_t, 2> d{};
  ReadFields({edtRev}, L"+", reg::Version, d, [this](auto v) { edtRev->SetText(app::RevText(v[0], v[1])); });
}

void TForm1::btnGetCopyRClick(TObject*) {
  std::array<std::uint8_t, 20> d{};
  ReadFields({edtCopyright}, L"", reg::Copyright, d, [this](auto v) { edtCopyright->SetText(app::UnitText(v)); });
}

void TForm1::btnRevDateClick(TObject*) {
  std::array<std::uint8_t, 4> d{};
  ReadFields({edtRevDate}, L"+", reg::VersionDate, d,
             [this](auto v) { edtRevDate->SetText(app::RevDateText(v[1], v[2], v[3])); });
}

void TForm1::btnDevCodeClick(TObject*) {
  std::array<std::uint8_t, 2> d{};
  ReadFields({edtDevCode}, L"+", reg::DeviceCode, d,
             [this](auto v) { edtDevCode->SetText(app::DevCodeText(v[0], v[1])); });
}

void TForm1::btnGetRevASCIIClick(TObject*) {
  std::array<std::uint8_t, 10> d{};
  ReadFields({edtRevASCII}, L"", reg::VersionText, d, [this](auto v) { edtRevASCII->SetText(app::UnitText(v)); });
}

// ---- hardware configuration ----

void TForm1::btnGet_DevConfigClick(TObject*) {
  for (TControl* c : std::initializer_list<TControl*>{
           GroupBox_RTC, GroupBox_InToOutControl, GroupBox_TriggerControl, GroupBox_InConfig, GroupBox_DelayControl,
           GroupBox_IoControl, btnGet_InConfig, btnSet_InConfig, btnGet_InToOutControl, btnSet_InToOutControl,
           btnGet_TriggerControl, btnSet_TriggerControl, btnGet_Control, btnSet_Control, btnGet_Delay, btnSet_Delay,
           btnLoad_Clock, btnGet_Clock, btnSet_Clock})
    c->SetEnabled(false);
  for (skin::TsCheckBox* box : {CheckBox_DevOut, CheckBox_DevIn, CheckBox_DevRTC, CheckBox_DevZigBee, CheckBox_DevDS,
                                CheckBox_DevML, CheckBox_DevCnt})
    box->SetChecked(false);
  TabSheet3->SetEnabled(false);
  TabSheet3->SetTabVisible(false);
  TabSheet4->SetTabVisible(false);
  TabSheet5->SetTabVisible(false);

  BeginOperation();
  MaskEdit_DevIn->SetText(L"+");
  MaskEdit_DevOut->SetText(L"+");
  edtViewTest->SetText(L"-");
  std::array<std::uint8_t, 4> d{};
  const std::uint8_t result = Read(d, reg::HwConfig, 2, 3);
  const std::uint8_t flags = d[1];
  MaskEdit_DevCfg->SetText(Hex2(flags));
  MaskEdit_DevIn->SetText(Hex2(d[2]));
  MaskEdit_DevOut->SetText(Hex2(d[3]));

  auto enable = [](std::initializer_list<TControl*> controls) {
    for (TControl* c : controls) c->SetEnabled(true);
  };
  // Checking a box runs its interlock: ML and Cnt uncheck the flags before them, and the
  // groups already enabled stay so.
  if (flags & kFlagOutputs) {
    CheckBox_DevOut->SetChecked(true);
    enable({GroupBox_IoControl, btnGet_Control, btnSet_Control});
  }
  if (flags & kFlagInputs) {
    CheckBox_DevIn->SetChecked(true);
    enable({GroupBox_InToOutControl, GroupBox_InConfig, GroupBox_TriggerControl, GroupBox_DelayControl,
            GroupBox_IoControl, btnGet_InConfig, btnSet_InConfig, btnGet_InToOutControl, btnSet_InToOutControl,
            btnGet_TriggerControl, btnSet_TriggerControl, btnGet_Control, btnSet_Control, btnGet_Delay, btnSet_Delay});
  }
  if (flags & kFlagClock) {
    CheckBox_DevRTC->SetChecked(true);
    enable({GroupBox_RTC, btnLoad_Clock, btnGet_Clock, btnSet_Clock, TabSheet3});
    TabSheet3->SetTabVisible(true);
  }
  if (flags & kFlagZigBee) CheckBox_DevZigBee->SetChecked(true);
  if (flags & kFlagThermo) CheckBox_DevDS->SetChecked(true);
  if (flags & kFlagProbes) {
    CheckBox_DevML->SetChecked(true);
    TabSheet4->SetEnabled(true);
    TabSheet4->SetTabVisible(true);
  }
  if (flags & kFlagCounter) {
    CheckBox_DevCnt->SetChecked(true);
    TabSheet5->SetEnabled(true);
    TabSheet5->SetTabVisible(true);
  }
  ShowReplyDump(9);
  ViewMessage(result, kResultPanel);
}

void TForm1::sBitBtnSet_DevConfigClick(TObject*) {
  if (!PasswordAccepted()) {
    frmPassLock->ShowModal();
    if (!PasswordAccepted()) return;
  }
  sBitBtnSet_DevConfig->SetImageIndex(kImageUnlocked);
  BeginOperation();
  std::uint8_t maskIn = 0, maskOut = 0;
  if (!ReadHexField(MaskEdit_DevIn, maskIn) || !ReadHexField(MaskEdit_DevOut, maskOut)) return;
  std::uint8_t flags = 0;
  const std::pair<skin::TsCheckBox*, std::uint8_t> bits[] = {
      {CheckBox_DevOut, kFlagOutputs},   {CheckBox_DevIn, kFlagInputs}, {CheckBox_DevRTC, kFlagClock},
      {CheckBox_DevZigBee, kFlagZigBee}, {CheckBox_DevDS, kFlagThermo}, {CheckBox_DevML, kFlagProbes},
      {CheckBox_DevCnt, kFlagCounter}};
  for (const auto& [box, bit] : bits)
    if (box->State() == cbChecked) flags |= bit;
  const std::array<std::uint8_t, 4> data{0x00, flags, maskIn, maskOut};
  ViewMessage(Write(data, reg::HwConfig, 2, 3), kResultPanel);
}

// ---- flag interlocks ----

bool TForm1::ExclusiveFlagSet() const {
  return CheckBox_DevML->State() == cbChecked || CheckBox_DevCnt->State() == cbChecked;
}

void TForm1::UncheckFlags(std::initializer_list<skin::TsCheckBox*> boxes) {
  for (skin::TsCheckBox* box : boxes) box->SetChecked(false);
}

void TForm1::CheckBox_DevCntClick(TObject*) {
  if (CheckBox_DevCnt->State() != cbChecked) return;
  UncheckFlags({CheckBox_DevOut, CheckBox_DevIn, CheckBox_DevRTC, CheckBox_DevZigBee, CheckBox_DevML, CheckBox_DevDS});
}

void TForm1::CheckBox_DevMLClick(TObject*) {
  if (CheckBox_DevML->State() != cbChecked) return;
  UncheckFlags({CheckBox_DevOut, CheckBox_DevIn, CheckBox_DevRTC, CheckBox_DevZigBee, CheckBox_DevDS, CheckBox_DevCnt});
}

void TForm1::CheckBox_DevFlagClick(TObject* Sender) {
  auto* box = dynamic_cast<skin::TsCheckBox*>(Sender);
  if (!box || box->State() != cbChecked || !ExclusiveFlagSet()) return;
  box->SetChecked(false);
  ShowMessage(L"Нельзя установить флаг, т.к. CNT или ML флаг установлен!");
}

// ---- inputs, triggers, outputs ----

void TForm1::btnGet_InConfigClick(TObject*) {
  std::array<std::uint8_t, 4> d{};
  ReadFields({MaskEdit_TriggerCnt, MaskEdit_TriggerIn, MaskEdit_InvIn, MaskEdit_OnCtrlIn}, L"+", reg::InputConfig, d,
             [this](auto v) {
               TMaskEdit* fields[] = {MaskEdit_TriggerCnt, MaskEdit_TriggerIn, MaskEdit_InvIn, MaskEdit_OnCtrlIn};
               for (std::size_t i = 0; i < 4; ++i) fields[i]->SetText(Hex2(v[i]));
             });
}

void TForm1::btnSet_InConfigClick(TObject*) {
  BeginOperation();
  std::array<std::uint8_t, 4> data{};
  if (!ReadHexField(MaskEdit_TriggerCnt, data[0]) || !ReadHexField(MaskEdit_TriggerIn, data[1]) ||
      !ReadHexField(MaskEdit_InvIn, data[2]) || !ReadHexField(MaskEdit_OnCtrlIn, data[3]))
    return;
  ViewMessage(Write(data, reg::InputConfig, 2, 3), kResultPanel);
}

void TForm1::btnGet_TriggerControlClick(TObject*) {
  std::array<std::uint8_t, 2> d{};
  ReadFields({MaskEdit_TriggerControl}, L"+", reg::Triggers, d,
             [this](auto v) { MaskEdit_TriggerControl->SetText(Hex2(v[1])); });
}

void TForm1::btnSet_TriggerControlClick(TObject*) {
  BeginOperation();
  std::array<std::uint8_t, 2> data{};
  if (!ReadHexField(MaskEdit_TriggerControl, data[1])) return;
  ViewMessage(Write(data, reg::Triggers, 1, 2), kResultPanel);
}

void TForm1::btnGet_ControlClick(TObject*) {
  std::array<std::uint8_t, 2> d{};
  ReadFields({MaskEdit_InControl, MaskEdit_OutControl}, L"+", reg::IoBits, d, [this](auto v) {
    MaskEdit_InControl->SetText(Hex2(v[0]));
    MaskEdit_OutControl->SetText(Hex2(v[1]));
  });
}

void TForm1::btnSet_ControlClick(TObject*) {
  BeginOperation();
  std::array<std::uint8_t, 2> data{};
  if (!ReadHexField(MaskEdit_InControl, data[0]) || !ReadHexField(MaskEdit_OutControl, data[1])) return;
  ViewMessage(Write(data, reg::IoBits, 1, 2), kResultPanel);
}

// ---- relay delays ----

void TForm1::btnGet_DelayClick(TObject*) {
  BeginOperation();
  MaskEdit_DelayOn->SetText(L"+");
  MaskEdit_DelayOff->SetText(L"+");
  edtViewTest->SetText(L"-");
  // A failed first read must not hide behind a good second one.
  std::uint8_t series = 0;
  std::array<std::uint8_t, 2> on{}, off{};
  Keep(series, Read(on, reg::DelayOn, 1, 3));
  Keep(series, Read(off, reg::DelayOff, 1, 3));
  MaskEdit_DelayOn->SetText(std::to_wstring(on[0] * 256 + on[1]));
  MaskEdit_DelayOff->SetText(std::to_wstring(off[0] * 256 + off[1]));
  ShowReplyDump(7);
  ViewMessage(series, kResultPanel);
}

void TForm1::btnSet_DelayClick(TObject*) {
  BeginOperation();
  const auto on = app::ParseDelayText(MaskEdit_DelayOn->Text());
  const auto off = app::ParseDelayText(MaskEdit_DelayOff->Text());
  if (!on || !off) {
    ShowStatusText(std::wstring(app::kBadNumberInput), kResultPanel);
    TMaskEdit* bad = on ? MaskEdit_DelayOff : MaskEdit_DelayOn;
    if (bad->CanFocus()) bad->SetFocus();
    return;
  }
  std::uint8_t series = 0;
  const std::array<std::uint8_t, 2> onData{static_cast<std::uint8_t>(*on >> 8), static_cast<std::uint8_t>(*on)};
  const std::array<std::uint8_t, 2> offData{static_cast<std::uint8_t>(*off >> 8), static_cast<std::uint8_t>(*off)};
  Keep(series, Write(onData, reg::DelayOn, 1, 2));
  Keep(series, Write(offData, reg::DelayOff, 1, 2));
  ViewMessage(series, kResultPanel);
}

// ---- clock ----

void TForm1::btnGet_ClockClick(TObject*) {
  BeginOperation();
  edtDate->SetText(L"-");
  edtTime->SetText(L"-");
  std::uint8_t series = 0;
  std::array<std::uint8_t, 4> date{};
  Keep(series, Read(date, reg::ClockDate, 2, 3));
  // weekday, year, month, day
  edtDate->SetText(app::BcdDateText(date[3], date[2], date[1]));
  ComboBox_SetDay->SetItemIndex(date[0] - 1);
  Sleep(100);
  std::array<std::uint8_t, 4> time{};
  Keep(series, Read(time, reg::ClockTime, 2, 3));
  edtTime->SetText(app::BcdTimeText(time[1], time[2], time[3]));
  ViewMessage(series, kResultPanel);
}

void TForm1::btnSet_ClockClick(TObject*) {
  BeginOperation();
  // A text the unit's clock cannot take sends nothing: zeros would set a wrong clock.
  const auto date = app::ParseDateText(edtDate->Text());
  if (!date) {
    ShowStatusText(std::wstring(app::kBadDateInput), kResultPanel);
    return;
  }
  const auto time = app::ParseTimeText(edtTime->Text());
  if (!time) {
    ShowStatusText(std::wstring(app::kBadTimeInput), kResultPanel);
    return;
  }
  const std::uint8_t weekday = static_cast<std::uint8_t>(std::max(ComboBox_SetDay->ItemIndex(), -1) + 1);
  std::uint8_t series = 0;
  const std::array<std::uint8_t, 4> dateData{weekday, date->year, date->month, date->day};
  Keep(series, Write(dateData, reg::ClockDate, 2, 1));
  Sleep(500);
  const std::array<std::uint8_t, 4> timeData{0x00, time->hours, time->minutes, time->seconds};
  Keep(series, Write(timeData, reg::ClockTime, 2, 1));
  ViewMessage(series, kResultPanel);
}

void TForm1::btnLoad_ClockClick(TObject*) { ShowNow(edtDate, edtTime); }

// ---- binding of inputs to outputs ----

void TForm1::btnGet_InToOutControlClick(TObject*) {
  BeginOperation();
  for (TMaskEdit* f : MaskEdit_InToOut) f->SetText(L"+");
  edtViewTest->SetText(L"-");
  std::uint8_t series = 0;
  std::wstring dump;
  for (std::size_t i = 0; i < MaskEdit_InToOut.size(); ++i) {
    std::array<std::uint8_t, 2> d{};
    Keep(series, Read(d, static_cast<std::uint16_t>(reg::InputToOutput + i), 1, 3));
    MaskEdit_InToOut[i]->SetText(Hex2(d[1]));
    dump += app::BytesToHex(std::span(MbReply.data(), std::min<std::size_t>(7, MbReplyLength()))) + L" ";
    edtViewTest->SetText(dump);
    edtViewTest->Update();
  }
  ViewMessage(series, kResultPanel);
}

void TForm1::btnSet_InToOutControlClick(TObject*) {
  BeginOperation();
  std::array<std::uint8_t, 8> masks{};
  for (std::size_t i = 0; i < masks.size(); ++i)
    if (!ReadHexField(MaskEdit_InToOut[i], masks[i])) return;
  btnGet_InToOutControl->SetEnabled(false);
  btnSet_InToOutControl->SetEnabled(false);
  std::uint8_t series = 0;
  for (std::size_t i = 0; i < masks.size(); ++i) {
    const std::array<std::uint8_t, 2> data{0x00, masks[i]};
    Keep(series, Write(data, static_cast<std::uint16_t>(reg::InputToOutput + i), 1, 3));
    Sleep(150);
  }
  btnGet_InToOutControl->SetEnabled(true);
  btnSet_InToOutControl->SetEnabled(true);
  ViewMessage(series, kResultPanel);
}

// ---- the unit's own address (page 1) ----

void TForm1::btnSetAddrClick(TObject*) {
  BeginOperation();
  // "All BU" is no address a unit can take: it becomes unit 1.
  const int index = ComboBox_SetAddrBU->ItemIndex();
  const std::array<std::uint8_t, 2> data{static_cast<std::uint8_t>(index < 1 ? 1 : index), 0x00};
  ViewMessage(Write(data, reg::OwnAddress, 1, 2), kResultPanel);
}

void TForm1::ComboBox_SetAddrBUChange(TObject*) {}
