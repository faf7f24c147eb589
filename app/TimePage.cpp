// Page 2 "Контроль по времени": the 32 schedule points one at a time in the point group, all of
// them in the list, and the list's export as a dBASE table.
#include <windows.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "app/ClockText.h"
#include "app/ConfigTexts.h"
#include "app/ResultTexts.h"
#include "app/SchedulePoint.h"
#include "app/ScheduleTable.h"
#include "app/TestMain.h"
#include "app/link/Modbus.h"
#include "classlib/DateUtils.h"

namespace {

constexpr int kResultPanel = 2;
constexpr unsigned kTimeout = 3;
// The row that the list holds until the first "Get DB".
constexpr wchar_t kPlaceholderCaption[] = L"-----";
// Tag of the weekly cycle button.
constexpr int kWeekTag = 2;

std::uint16_t PointRegister(int point) { return static_cast<std::uint16_t>(app::kScheduleRegister + point); }

std::wstring ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// Disables a button for the time of a long operation and enables it again however it ends.
class DisabledWhileRunning {
 public:
  explicit DisabledWhileRunning(skin::TsButton* button) : button_(button) { button_->SetEnabled(false); }
  ~DisabledWhileRunning() { button_->SetEnabled(true); }
  DisabledWhileRunning(const DisabledWhileRunning&) = delete;
  DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

 private:
  skin::TsButton* button_;
};

}  // namespace

void TForm1::DeclareTimeBindings(TFormBindings& b) {
  b.Field(L"GroupBox5", GroupBox5)
      .Field(L"GroupBox_PointsUsed", GroupBox_PointsUsed)
      .Field(L"GroupBox_PointsTipe", GroupBox_PointsTipe)
      .Field(L"GroupBox_PointsCycle", GroupBox_PointsCycle)
      .Field(L"ComboBox_NumPoint", ComboBox_NumPoint)
      .Field(L"ComboBox_NumDay", ComboBox_NumDay)
      .Field(L"edtPointDate", edtPointDate)
      .Field(L"edtPointTime", edtPointTime)
      .Field(L"MaskEdit_BytePointOut", MaskEdit_BytePointOut)
      .Field(L"CheckBox1", CheckBox1)
      .Field(L"RadioButton_PointNoUsed", RadioButton_PointNoUsed)
      .Field(L"RadioButton_PointOn", RadioButton_PointOn)
      .Field(L"RadioButton_PointOff", RadioButton_PointOff)
      .Field(L"RadioButton_Cycle", RadioButton_Cycle)
      .Field(L"RadioButton_NoCycle", RadioButton_NoCycle)
      .Field(L"RadioButton_EveryHour", RadioButton_EveryHour)
      .Field(L"RadioButton_EveryDay", RadioButton_EveryDay)
      .Field(L"RadioButton_EveryWeek", RadioButton_EveryWeek)
      .Field(L"RadioButton_EveryMonth", RadioButton_EveryMonth)
      .Field(L"btnGet_PointControl", btnGet_PointControl)
      .Field(L"btnSet_PointControl", btnSet_PointControl)
      .Field(L"btnLoad_DateTime", btnLoad_DateTime)
      .Field(L"ListView1", ListView1)
      .Field(L"btnGetDB", btnGetDB)
      .Field(L"btnSaveDB", btnSaveDB)
      .Field(L"btnClearDB", btnClearDB)
      .Field(L"btnGetDirFile", btnGetDirFile)
      .Field(L"edtDirFileDB", edtDirFileDB);
  b.Handler(L"btnGet_PointControlClick", &TForm1::btnGet_PointControlClick)
      .Handler(L"btnSet_PointControlClick", &TForm1::btnSet_PointControlClick)
      .Handler(L"btnLoad_DateTimeClick", &TForm1::btnLoad_DateTimeClick)
      .Handler(L"btnGetDBClick", &TForm1::btnGetDBClick)
      .Handler(L"btnSaveDBClick", &TForm1::btnSaveDBClick)
      .Handler(L"btnClearDBClick", &TForm1::btnClearDBClick)
      .Handler(L"btnGetDirFileClick", &TForm1::btnGetDirFileClick)
      .Handler(L"RadioButton_PointsTipeClick", &TForm1::RadioButton_PointsTipeClick)
      .Handler(L"RadioButton_PointsCycleClick", &TForm1::RadioButton_PointsCycleClick)
      .Handler(L"ListView1Change", &TForm1::ListView1Change);
}

// ---- one point in the point group ----

void TForm1::btnGet_PointControlClick(TObject*) {
  edtPointDate->SetText(L"-");
  edtPointTime->SetText(L"-");
  BeginOperation();
  const int point = ComboBox_NumPoint->ItemIndex();
  if (point < 0 || point >= app::kSchedulePoints) return;
  std::array<std::uint8_t, 8> bytes{};
  const std::uint8_t result =
      MbReadRegisters(MbSlaveAddress(), bytes, PointRegister(point), app::kPointRegisters, kTimeout);
  const app::PointView view = app::ViewOfPoint(app::PointRecord::FromBytes(bytes));
  edtPointDate->SetText(view.date);
  edtPointTime->SetText(view.time);
  if (view.mode) {
    skin::TsRadioButton* const modes[] = {RadioButton_PointNoUsed, RadioButton_PointOn, RadioButton_PointOff};
    modes[*view.mode]->SetChecked(true);
  }
  if (view.cycle == app::kCycleOnce) {
    RadioButton_NoCycle->SetChecked(true);
  } else if (view.cycle) {
    RadioButton_Cycle->SetChecked(true);
    skin::TsRadioButton* const cycles[] = {RadioButton_EveryHour, RadioButton_EveryDay, RadioButton_EveryWeek,
                                           RadioButton_EveryMonth};
    cycles[*view.cycle - 1]->SetChecked(true);
    if (view.cycle == app::kCycleWeekly) ComboBox_NumDay->SetItemIndex(view.weekdayIndex);
  }
  CheckBox1->SetChecked(view.done);
  MaskEdit_BytePointOut->SetText(view.mask);
  ViewMessage(result, kResultPanel);
}

void TForm1::btnSet_PointControlClick(TObject*) {
  CheckBox1->SetChecked(false);  // the done bit is the unit's to set
  BeginOperation();
  const int point = ComboBox_NumPoint->ItemIndex();
  if (point < 0 || point >= app::kSchedulePoints) return;
  // A text the unit cannot take sends nothing: zeros would move the point to another time.
  const auto date = app::ParseDateText(edtPointDate->Text());
  if (!date) {
    ShowStatusText(std::wstring(app::kBadDateInput), kResultPanel);
    return;
  }
  const auto time = app::ParseTimeText(edtPointTime->Text());
  if (!time) {
    ShowStatusText(std::wstring(app::kBadTimeInput), kResultPanel);
    return;
  }
  std::uint8_t mask = 0;
  if (!ReadHexField(MaskEdit_BytePointOut, mask)) return;
  const std::pair<skin::TsRadioButton*, int> modes[] = {{RadioButton_PointOn, app::kModeOn},
                                                        {RadioButton_PointOff, app::kModeOff}};
  int mode = app::kModeNotUsed;
  for (const auto& [button, value] : modes)
    if (button->Checked()) mode = value;
  const std::pair<skin::TsRadioButton*, int> cycles[] = {{RadioButton_EveryHour, app::kCycleHourly},
                                                         {RadioButton_EveryDay, app::kCycleDaily},
                                                         {RadioButton_EveryWeek, app::kCycleWeekly},
                                                         {RadioButton_EveryMonth, app::kCycleMonthly}};
  int cycle = app::kCycleOnce;
  if (!RadioButton_NoCycle->Checked())
    for (const auto& [button, value] : cycles)
      if (button->Checked()) cycle = value;
  const auto weekday = static_cast<std::uint8_t>(std::max(ComboBox_NumDay->ItemIndex(), 0) + 1);
  const auto bytes = app::MakePointRecord(mode, cycle, mask, *date, *time, weekday).Bytes();
  const std::uint8_t result =
      MbWriteRegisters(MbSlaveAddress(), bytes, PointRegister(point), app::kPointRegisters, kTimeout);
  ViewMessage(result, kResultPanel);
}

void TForm1::btnLoad_DateTimeClick(TObject*) { ShowNow(edtPointDate, edtPointTime); }

void TForm1::RadioButton_PointsTipeClick(TObject*) {
  const bool cyclic = RadioButton_Cycle->Checked();
  GroupBox_PointsCycle->SetEnabled(cyclic);
  // The day of the week belongs to a weekly point only.
  ComboBox_NumDay->SetEnabled(cyclic && RadioButton_EveryWeek->Checked());
}

void TForm1::RadioButton_PointsCycleClick(TObject* Sender) {
  auto* button = dynamic_cast<skin::TsRadioButton*>(Sender);
  if (!button || !button->Checked()) return;
  const bool weekly = button->Tag() == kWeekTag;
  ComboBox_NumDay->SetEnabled(weekly);
  if (weekly) ComboBox_NumDay->SetItemIndex(0);
}

// ---- the list of all points ----

void TForm1::btnGetDBClick(TObject*) {
  const DisabledWhileRunning running(btnGetDB);
  ClearMessage(kResultPanel);
  ListView1->Clear();
  std::uint8_t series = 0;
  for (int i = 0; i < app::kSchedulePoints; ++i) {
    Application->ProcessMessages();
    if (Application->Terminated()) break;  // the window is closing: no point in reading on
    std::array<std::uint8_t, 8> bytes{};
    const std::uint8_t result =
        MbReadRegisters(MbSlaveAddress(), bytes, PointRegister(i), app::kPointRegisters, kTimeout);
    if (result != 0) series = result;
    AddPointRow(app::RowOfPoint(app::PointRecord::FromBytes(bytes)), i);
  }
  ViewMessage(series, kResultPanel);
  Application->ProcessMessages();
  ListView1->SetRowSelect(false);
}

void TForm1::AddPointRow(const app::ScheduleRow& row, int index) {
  if (index < 0) return;
  Application->ProcessMessages();
  TListItem* item = ListView1->Items()->Add();
  item->SetCaption(std::to_wstring(index + 1));
  for (const std::wstring& text : app::RowSubItems(row)) item->SubItems()->Add(text);
  item->SetStateIndex(row.done ? 1 : 0);
  item->MakeVisible(false);
}

void TForm1::ListView1Change(TObject*, TListItem* Item, TItemChange) {
  if (Item && Item->Caption() == kPlaceholderCaption && Item->Checked()) Item->SetChecked(false);
}

void TForm1::btnSaveDBClick(TObject*) {
  const std::wstring path = edtDirFileDB->Text();
  SchedulePath = path;
  const DisabledWhileRunning running(btnSaveDB);
  ListView1->SetRowSelect(false);
  ClearMessage(kResultPanel);
  // Only rows that are points: the placeholder, or a list that "Get DB" has not filled, has none.
  std::vector<app::NumberedRow> rows;
  TListItems* items = ListView1->Items();
  for (int j = 0; j < items->Count() && j < app::kSchedulePoints; ++j) {
    TListItem* item = items->Items(j);
    std::vector<std::wstring> texts;
    for (int k = 0; k < item->SubItems()->Count(); ++k) texts.push_back(item->SubItems()->Strings(k));
    if (auto row = app::RowFromSubItems(texts, item->StateIndex() > 0)) rows.push_back({j + 1, *row});
  }
  const app::ScheduleSaveResult result = app::SaveSchedule(path, rows);
  ShowStatusText(app::SaveResultText(result, static_cast<int>(rows.size())), kResultPanel);
}

void TForm1::btnClearDBClick(TObject*) {}

void TForm1::btnGetDirFileClick(TObject*) {
  int year = 0, month = 0, day = 0;
  DecodeDate(Date(), year, month, day);
  OpenDialog1->Filter = L"dBaseIV files (*.dbf)|*.dbf";
  OpenDialog1->FileName = app::ScheduleFileName(ExecutableFolder(), year, month, day);
  // A cancelled choice keeps the path that was there.
  if (OpenDialog1->Execute()) edtDirFileDB->SetText(OpenDialog1->FileName);
}
