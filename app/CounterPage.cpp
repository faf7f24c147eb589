// Page 4 "Тест CNT": the unit's position counter.
#include <windows.h>

#include <array>

#include "app/CounterTest.h"
#include "app/TestMain.h"
#include "app/link/Modbus.h"

namespace {

constexpr int kResultPanel = 2;
constexpr std::uint8_t kCounterRegisters = 2;
constexpr int kZeroSettleMilliseconds = 100;

// "--" into the result panel, "-" into the operation's field and into the test field.
void BeginCounterOperation(TForm1& form, TEdit* field) {
  form.ClearMessage(kResultPanel);
  field->SetText(L"-");
  Application->ProcessMessages();
  form.edtViewTest->SetText(L"-");
}

std::uint8_t ReadCounterRegister(std::uint16_t reg, std::array<std::uint8_t, 4>& d, unsigned timeout) {
  return MbReadRegisters(MbSlaveAddress(), d, reg, kCounterRegisters, timeout);
}

}  // namespace

void TForm1::DeclareCounterBindings(TFormBindings& b) {
  b.Field(L"GroupBox4", GroupBox4)
      .Field(L"btnGetPositionCnt", btnGetPositionCnt)
      .Field(L"Edit_PositionCnt", Edit_PositionCnt)
      .Field(L"btnSetZero", btnSetZero)
      .Field(L"btnGetPosition", btnGetPosition)
      .Field(L"Edit_Position", Edit_Position)
      .Field(L"btnGetResolution", btnGetResolution)
      .Field(L"Edit_Resolution", Edit_Resolution)
      .Field(L"CheckBox_Cycle", CheckBox_Cycle);
  b.Handler(L"btnGetPositionCntClick", &TForm1::btnGetPositionCntClick)
      .Handler(L"btnSetZeroClick", &TForm1::btnSetZeroClick)
      .Handler(L"btnGetPositionClick", &TForm1::btnGetPositionClick)
      .Handler(L"btnGetResolutionClick", &TForm1::btnGetResolutionClick);
}

void TForm1::btnGetPositionCntClick(TObject*) {
  BeginCounterOperation(*this, Edit_PositionCnt);
  std::array<std::uint8_t, 4> d{};
  const std::uint8_t result = ReadCounterRegister(app::kCounterRegister, d, 3);
  Edit_PositionCnt->SetText(app::CounterText(d));
  ViewMessage(result, kResultPanel);
}

void TForm1::btnSetZeroClick(TObject*) {
  BeginCounterOperation(*this, Edit_Position);
  const std::array<std::uint8_t, 4> zero{};
  const std::uint8_t written = MbWriteRegisters(MbSlaveAddress(), zero, app::kCounterRegister, kCounterRegisters, 3);
  Sleep(kZeroSettleMilliseconds);
  std::array<std::uint8_t, 4> d{};
  const std::uint8_t read = ReadCounterRegister(app::kCounterRegister, d, 3);
  Edit_PositionCnt->SetText(app::CounterText(d));
  // A refused zeroing must not end as "Выполнено, OK" only because the read back worked.
  ViewMessage(read != 0 ? read : written, kResultPanel);
}

void TForm1::btnGetPositionClick(TObject*) {
  BeginCounterOperation(*this, Edit_Position);
  std::array<std::uint8_t, 4> d{};
  const std::uint8_t result = ReadCounterRegister(app::kPositionRegister, d, 3);
  Edit_Position->SetText(app::PositionText(d));
  ViewMessage(result, kResultPanel);
}

void TForm1::btnGetResolutionClick(TObject*) {
  BeginCounterOperation(*this, Edit_Resolution);
  std::array<std::uint8_t, 4> d{};
  const std::uint8_t result = ReadCounterRegister(app::kResolutionRegister, d, 5);
  Edit_Resolution->SetText(app::ResolutionText(d));
  ViewMessage(result, kResultPanel);
}
