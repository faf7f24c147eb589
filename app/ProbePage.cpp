// Page 3 "Тест ДП": probe identifiers and measurements through the unit's probe tunnel.
#include <windows.h>

#include <algorithm>
#include <array>
#include <span>

#include "app/ProbeTest.h"
#include "app/ResultTexts.h"
#include "app/TestMain.h"
#include "app/link/Densimeter.h"
#include "app/link/Modbus.h"
#include "classlib/ExtCtrls.h"

namespace {

constexpr int kResultPanel = 2;
constexpr unsigned kIdTimeout = 3;
// How long the probes take to convert after "Conv"; their measurement buttons wait that long.
constexpr unsigned kConversionMilliseconds = 2500;

using ReplyData = std::array<std::uint8_t, 10>;
using ValueText = std::wstring (*)(std::span<const std::uint8_t>, const classlib::TFormatSettings&);

int Channel(const TForm1& form) { return std::max(form.ComboBox_NumChannel->ItemIndex(), 0); }
int Position(const TForm1& form) { return std::max(form.ComboBox_NumDS->ItemIndex(), 0); }

std::uint16_t IdRegister(const TForm1& form) {
  return static_cast<std::uint16_t>(app::link::ProbeIdRegister(Channel(form), Position(form)));
}

// Runs an operation on the selected probe (all probes of the channel with "All").
std::uint8_t RunOnProbe(const TForm1& form, app::ProbeOp op, std::span<std::uint8_t> out, float value = 0) {
  const auto address = app::ProbeAddress(Channel(form), Position(form), form.CheckBox_dsConvAll->Checked());
  return app::RunProbeRequest(MbSlaveAddress(), app::MakeProbeRequest(op, address, value), out);
}

void SetMeasurementsEnabled(const TForm1& form, bool enabled) {
  for (skin::TsButton* button : {form.btn_dsGetADC1, form.btn_dsGetADC2, form.btn_dsGetDens, form.btn_dsGetTemp,
                                 form.btn_dsGetAdd, form.btn_dsSetAdd})
    button->SetEnabled(enabled);
}

// A query whose one value goes into one field.
void ShowQuery(TForm1& form, app::ProbeOp op, TEdit* field, ValueText text) {
  Application->ProcessMessages();
  field->SetText(L"--");
  form.ClearMessage(kResultPanel);
  ReplyData d{};
  const std::uint8_t result = RunOnProbe(form, op, d);
  field->SetText(text(d, classlib::FormatSettings));
  form.ViewMessage(result, kResultPanel);
}

}  // namespace

void TForm1::DeclareProbeBindings(TFormBindings& b) {
  b.Field(L"GroupBox17", GroupBox17)
      .Field(L"GroupBox18", GroupBox18)
      .Field(L"GroupBox19", GroupBox19)
      .Field(L"GroupBox20", GroupBox20)
      .Field(L"GroupBox21", GroupBox21)
      .Field(L"ComboBox_NumDS", ComboBox_NumDS)
      .Field(L"ComboBox_NumChannel", ComboBox_NumChannel)
      .Field(L"Edit_IDDS", Edit_IDDS)
      .Field(L"btnGetID", btnGetID)
      .Field(L"btnSetID", btnSetID)
      .Field(L"btnGetAllID", btnGetAllID)
      .Field(L"ListView2", ListView2)
      .Field(L"btn_dsConv", btn_dsConv)
      .Field(L"btn_dsGetADC1", btn_dsGetADC1)
      .Field(L"btn_dsGetADC2", btn_dsGetADC2)
      .Field(L"btn_dsGetDens", btn_dsGetDens)
      .Field(L"btn_dsGetTemp", btn_dsGetTemp)
      .Field(L"edt_dsADC1", edt_dsADC1)
      .Field(L"edt_dsDispADC1", edt_dsDispADC1)
      .Field(L"edt_dsADC2", edt_dsADC2)
      .Field(L"edt_dsDens", edt_dsDens)
      .Field(L"edt_dsTemp", edt_dsTemp)
      .Field(L"CheckBox_dsConvAll", CheckBox_dsConvAll)
      .Field(L"Edit_dsAdd", Edit_dsAdd)
      .Field(L"btn_dsGetAdd", btn_dsGetAdd)
      .Field(L"btn_dsSetAdd", btn_dsSetAdd);
  b.Handler(L"Edit_IDDSKeyDown", &TForm1::Edit_IDDSKeyDown)
      .Handler(L"btnSetIDClick", &TForm1::btnSetIDClick)
      .Handler(L"btnGetIDClick", &TForm1::btnGetIDClick)
      .Handler(L"btnGetAllIDClick", &TForm1::btnGetAllIDClick)
      .Handler(L"btn_dsConvClick", &TForm1::btn_dsConvClick)
      .Handler(L"btn_dsGetADC1Click", &TForm1::btn_dsGetADC1Click)
      .Handler(L"btn_dsGetADC2Click", &TForm1::btn_dsGetADC2Click)
      .Handler(L"btn_dsGetDensClick", &TForm1::btn_dsGetDensClick)
      .Handler(L"btn_dsGetTempClick", &TForm1::btn_dsGetTempClick)
      .Handler(L"btn_dsGetAddClick", &TForm1::btn_dsGetAddClick)
      .Handler(L"btn_dsSetAddClick", &TForm1::btn_dsSetAddClick);
}

// ---- identifiers ----

void TForm1::Edit_IDDSKeyDown(TObject*, WORD& Key, TShiftState) {
  ClearMessage(kResultPanel);
  Application->ProcessMessages();
  if (Key != VK_RETURN) return;
  const app::ProbeSerialEntry entry = app::EnterProbeSerial(Edit_IDDS->Text());
  if (entry.identifier) Edit_IDDS->SetText(*entry.identifier);
  if (entry.code != 0) ViewMessage(entry.code, kResultPanel);
  if (!entry.inputError.empty()) ShowStatusText(std::wstring(entry.inputError), kResultPanel);
}

void TForm1::btnSetIDClick(TObject*) {
  BeginOperation();
  const auto id = app::ProbeIdToWrite(Edit_IDDS->Text());
  if (!id) {
    ShowStatusText(std::wstring(app::kBadProbeIdInput), kResultPanel);
    if (Edit_IDDS->CanFocus()) Edit_IDDS->SetFocus();
    return;
  }
  const auto reg = IdRegister(*this);
  ViewMessage(MbWriteRegisters(MbSlaveAddress(), *id, reg, 4, kIdTimeout), kResultPanel);
}

void TForm1::btnGetIDClick(TObject*) {
  BeginOperation();
  app::link::ProbeId id{};
  const auto reg = IdRegister(*this);
  const std::uint8_t result = MbReadRegisters(MbSlaveAddress(), id, reg, 4, kIdTimeout);
  Edit_IDDS->SetText(app::BytesToHex(id));
  ViewMessage(result, kResultPanel);
}

void TForm1::AddProbeIdRow(const std::array<std::uint8_t, 10>& row, int index) {
  if (index < 0) return;
  Application->ProcessMessages();
  app::link::ProbeId id{};
  std::copy(row.begin() + 2, row.end(), id.begin());
  const app::ProbeIdRow texts = app::MakeProbeIdRow(index, row[0], row[1], id);
  TListItem* item = ListView2->Items()->Add();
  item->SetCaption(texts.number);
  item->SubItems()->Add(texts.channel);
  item->SubItems()->Add(texts.position);
  item->SubItems()->Add(texts.id);
  item->SubItems()->Add(texts.crc);
  item->MakeVisible(false);
}

void TForm1::btnGetAllIDClick(TObject*) {
  BeginOperation();
  btnGetAllID->SetEnabled(false);
  ListView2->Clear();
  std::uint8_t result = 0;
  for (int channel = 0; channel < 8; ++channel) {
    for (int position = 0; position < 8; ++position) {
      Application->ProcessMessages();
      app::link::ProbeId id{};
      const auto reg = static_cast<std::uint16_t>(app::link::ProbeIdRegister(channel, position));
      result = MbReadRegisters(MbSlaveAddress(), id, reg, 4, kIdTimeout);
      std::array<std::uint8_t, 10> row{static_cast<std::uint8_t>(channel + 1), static_cast<std::uint8_t>(position + 1)};
      std::copy(id.begin(), id.end(), row.begin() + 2);
      AddProbeIdRow(row, 8 * channel + position);
    }
  }
  btnGetAllID->SetEnabled(true);
  ViewMessage(result, kResultPanel);
  ListView2->SetRowSelect(false);
}

// ---- measurements ----

void TForm1::btn_dsConvClick(TObject*) {
  SetMeasurementsEnabled(*this, false);
  ClearMessage(kResultPanel);
  const std::uint8_t result = RunOnProbe(*this, app::ProbeOp::Convert, {});
  ViewMessage(result, kResultPanel);
  // The window goes on working while the probes convert; a timer gives the buttons back.
  if (!ProbeConversionTimer) {
    ProbeConversionTimer = new TTimer(this);
    ProbeConversionTimer->SetEnabled(false);
    ProbeConversionTimer->SetInterval(kConversionMilliseconds);
    ProbeConversionTimer->OnTimer = [this](TObject*) {
      ProbeConversionTimer->SetEnabled(false);
      SetMeasurementsEnabled(*this, true);
    };
  }
  ProbeConversionTimer->SetEnabled(false);  // a second "Conv" starts the wait anew
  ProbeConversionTimer->SetEnabled(true);
}

void TForm1::btn_dsGetADC1Click(TObject*) {
  Application->ProcessMessages();
  edt_dsADC1->SetText(L"--");
  edt_dsDispADC1->SetText(L"--");
  ClearMessage(kResultPanel);
  ReplyData d{};
  RunOnProbe(*this, app::ProbeOp::Adc1, d);
  edt_dsADC1->SetText(app::AdcText(d));
  d.fill(0);
  const std::uint8_t result = RunOnProbe(*this, app::ProbeOp::Adc1Dispersion, d);
  edt_dsDispADC1->SetText(app::DispersionText(d));
  ViewMessage(result, kResultPanel);
}

void TForm1::btn_dsGetADC2Click(TObject*) { ShowQuery(*this, app::ProbeOp::Adc2, edt_dsADC2, app::AdcText); }
void TForm1::btn_dsGetDensClick(TObject*) { ShowQuery(*this, app::ProbeOp::Density, edt_dsDens, app::TenthsText); }
void TForm1::btn_dsGetTempClick(TObject*) { ShowQuery(*this, app::ProbeOp::Temperature, edt_dsTemp, app::TenthsText); }

void TForm1::btn_dsGetAddClick(TObject*) {
  Edit_dsAdd->SetText(L"--");
  ClearMessage(kResultPanel);
  ReplyData d{};
  const std::uint8_t result = RunOnProbe(*this, app::ProbeOp::GetDensityAdd, d);
  Edit_dsAdd->SetText(app::DensityAddText(d));
  ViewMessage(result, kResultPanel);
}

void TForm1::btn_dsSetAddClick(TObject*) {
  ClearMessage(kResultPanel);
  const auto value = app::ParseDensityAdd(Edit_dsAdd->Text());
  if (!value) {
    ShowStatusText(std::wstring(app::kBadNumberInput), kResultPanel);
    if (Edit_dsAdd->CanFocus()) Edit_dsAdd->SetFocus();
    return;
  }
  ViewMessage(RunOnProbe(*this, app::ProbeOp::SetDensityAdd, {}, *value), kResultPanel);
}
