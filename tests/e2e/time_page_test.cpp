// The time-control page against the simulated unit: one point read into the point group and one
// written, all 32 read into the list, the list saved as a dBASE table twice, and the page's
// guards (the placeholder row, saving before "Get DB", a file that is not a table, a cancelled
// file choice).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "skin/core/sMessages.h"
#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;
using namespace uidriver;

constexpr wchar_t kPage[] = L"Контроль по времени";
constexpr wchar_t kPointGroup[] = L"Точки контроля";
constexpr wchar_t kOk[] = L"Выполнено, OK";
constexpr wchar_t kSaved[] = L"БД записана в файл, записей: 32";

std::vector<std::uint8_t> FileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned Get16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

std::string Record(const std::vector<std::uint8_t>& table, int index) {
  const unsigned header = Get16(table, 8), length = Get16(table, 10);
  return std::string(table.begin() + header + index * length, table.begin() + header + (index + 1) * length);
}

bool ListChecked(HWND list, int item) {
  const auto state = static_cast<UINT>(SendTimeout(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK));
  return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

// Toggles a row's check box from the keyboard, as a user would: go to the row, press space.
void ToggleCheck(HWND list, int item) {
  PressKey(list, VK_HOME);
  for (int i = 0; i < item; ++i) PressKey(list, VK_DOWN);
  PressKey(list, VK_SPACE);
}

class TimePage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(app.Main(), nullptr);
    // The page's tab shows once the unit has said that it carries a clock.
    ASSERT_EQ(app.PressAndRead(app.InGroup(L"Конфигурация КТ.8", L"Button", L"Get")), kOk);
    ASSERT_TRUE(app.ShowPage(kPage));
    page = Find(app.Main(), {L"", kPage});
    list = Find(page, {L"SysListView32"});
  }

  HWND Button(const std::wstring& caption) { return Find(page, {L"Button", caption}); }
  // Controls of the point group, searched on this page only: the pages lie on top of each other.
  HWND InPoints(const std::wstring& cls, int n = 0, const std::wstring& text = L"") {
    return FindInGroup(page, kPointGroup, {cls, text, n});
  }

  e2e::Tarvisel app;
  HWND page = nullptr, list = nullptr;
};

TEST_F(TimePage, PointsListAndExport) {
  HWND date = InPoints(L"Edit", 0), time = InPoints(L"Edit", 1), mask = InPoints(L"Edit", 2);
  HWND pointNumber = InPoints(L"ComboBox", 0), weekday = InPoints(L"ComboBox", 1);
  HWND pathEdit = Find(page, {L"Edit", L"", 3});
  const std::wstring folder = app.Folder();
  const std::wstring table = folder + L"\\schedule.dbf";

  // Before "Get DB" the list holds only the placeholder row: its check box stays empty, and
  // saving writes nothing and says so.
  ASSERT_EQ(ListViewCount(list), 1);
  EXPECT_EQ(ListViewText(list, 0, 0), L"-----");
  ToggleCheck(list, 0);
  EXPECT_FALSE(WaitUntil([&] { return ListChecked(list, 0); }, 1s));
  EXPECT_NE(TextOf(pathEdit).find(L"BU_cfgDB_"), std::wstring::npos);
  SetText(pathEdit, table);
  EXPECT_EQ(app.PressAndRead(Button(L"Save DB")), L"Нет точек для записи в БД: сначала получите их кнопкой Get DB");
  EXPECT_TRUE(IsEnabled(Button(L"Save DB")));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(table)));

  // Point 1 of the unit: 0x31 0x05 0x11 0x12 0x03 0x08 0x30 0x00.
  SelectComboItem(pointNumber, 0);
  EXPECT_EQ(app.PressAndRead(InPoints(L"Button", 0, L"Get")), kOk);
  EXPECT_EQ(TextOf(date), L"03.12.11");
  EXPECT_EQ(TextOf(time), L"08:30:00");
  EXPECT_EQ(TextOf(mask), L"05");
  EXPECT_TRUE(IsChecked(InPoints(L"Button", 0, L"Вкл")));
  EXPECT_TRUE(IsChecked(InPoints(L"Button", 0, L"Циклический")));
  EXPECT_TRUE(IsChecked(InPoints(L"Button", 0, L"Неделя")));
  EXPECT_FALSE(IsChecked(InPoints(L"Button", 0, L"Отработано")));
  EXPECT_EQ(ComboIndex(weekday), 2);
  EXPECT_TRUE(IsEnabled(weekday));

  // Point 3 set as a one-time switch-off of X1 and X3 at 28.12.2011 8:05:00.
  SelectComboItem(pointNumber, 2);
  SetText(date, L"28.12.2011");
  SetText(time, L"8:05:00");
  SetText(mask, L"05");
  ASSERT_TRUE(Press(InPoints(L"Button", 0, L"Выкл")));
  ASSERT_TRUE(Press(InPoints(L"Button", 0, L"Однократный")));
  EXPECT_FALSE(IsEnabled(weekday));
  EXPECT_EQ(app.PressAndRead(InPoints(L"Button", 0, L"Set")), kOk);
  // Register 82 (0x52), 4 registers, 8 bytes: flags, mask, year, month, day, hours, minutes, seconds.
  EXPECT_TRUE(e2e::SimulatorReceived("01 10 00 52 00 04 08 02 05 11 12 28 08 05 00")) << e2e::SimulatorLog();
  // A date the unit cannot take sends nothing.
  SetText(date, L"28-12-2011");
  EXPECT_EQ(app.PressAndRead(InPoints(L"Button", 0, L"Set")), L"Ошибка ввода: дата в формате ДД.ММ.ГГ или ДД.ММ.ГГГГ");

  // All 32 points into the list.
  EXPECT_EQ(app.PressAndRead(Button(L"Get DB")), kOk);
  ASSERT_EQ(ListViewCount(list), 32);
  EXPECT_TRUE(IsEnabled(Button(L"Get DB")));
  for (int i = 0; i < 32; ++i) EXPECT_EQ(ListViewText(list, i, 0), std::to_wstring(i + 1));
  const std::vector<std::wstring> first = {L"11.12.3", L"8:30:0", L"05", L"вкл", L"неделя", L"3"};
  const std::vector<std::wstring> third = {L"11.12.28", L"8:5:0", L"05", L"выкл", L"нет", L"0"};
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(ListViewText(list, 0, c + 1), first[c]);
    EXPECT_EQ(ListViewText(list, 2, c + 1), third[c]);
  }
  // A point's check box takes a check, which the table carries as done.
  ToggleCheck(list, 1);
  EXPECT_TRUE(WaitUntil([&] { return ListChecked(list, 1); }, 5s));
  e2e::Screenshot(app.Main(), L"time_page");

  // Saved twice: twice the records, the first ones untouched.
  EXPECT_EQ(app.PressAndRead(Button(L"Save DB")), kSaved);
  const auto once = FileBytes(table);
  ASSERT_GT(once.size(), 289u);
  EXPECT_EQ(once[0], 0x03);
  EXPECT_EQ(Get16(once, 8), 289u);
  const unsigned recordLength = Get16(once, 10);
  EXPECT_EQ(recordLength, 28u);
  EXPECT_EQ(once[4], 32);
  ASSERT_EQ(once.size(), 289u + 32 * recordLength + 1);
  // Number, date, time, mask, mode, cycle, day, done.
  EXPECT_EQ(Record(once, 0), "    111.12.0308:30:00  51330");
  EXPECT_EQ(Record(once, 1), "    211.12.2808:05:00  12001");
  EXPECT_EQ(Record(once, 2), "    311.12.2808:05:00  52000");
  EXPECT_EQ(app.PressAndRead(Button(L"Save DB")), kSaved);
  const auto twice = FileBytes(table);
  ASSERT_EQ(twice.size(), 289u + 64 * recordLength + 1);
  EXPECT_EQ(twice[4], 64);
  EXPECT_TRUE(std::equal(once.begin() + 289, once.end() - 1, twice.begin() + 289));
  EXPECT_TRUE(std::equal(once.begin() + 289, once.end() - 1, twice.begin() + 289 + 32 * recordLength));
  // For the dBASE reader's check (e2e_time_page_dbfread).
  const std::wstring shots = e2e::Env(L"TARVISEL_SHOTS");
  if (!shots.empty()) {
    const auto copy = std::filesystem::path(shots) / L"time_page.dbf";
    std::filesystem::remove(copy);
    std::filesystem::copy_file(std::filesystem::path(table), copy);
  }

  // A file that is not a table is refused and left as it was.
  const std::wstring notTable = folder + L"\\notes.dbf";
  {
    std::ofstream(std::filesystem::path(notTable)) << "POINTS;DATE;TIME;OUTS;USED;CYCLE;DAY;ONOFF\n1;11.12.28;08:05\n";
  }
  const auto before = FileBytes(notTable);
  SetText(pathEdit, notTable);
  EXPECT_EQ(app.PressAndRead(Button(L"Save DB")),
            L"Ошибка записи БД: Файл не является таблицей dBASE III (байт версии не 0x03)");
  EXPECT_EQ(FileBytes(notTable), before);
  EXPECT_TRUE(IsEnabled(Button(L"Save DB")));

  // Cancelling the file choice keeps the path.
  Click(Button(L"..."));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dialog = FindMessageBox(app.Pid())) != nullptr; }, 10s));
  // The dialog is caught by the skin manager's hook: its Open button answers the engine's question
  // (with skinning off the dialog is the system's own).
  const auto skinned = [](HWND w) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(w, skin::SM_ALPHACMD, skin::AlphaCmd(skin::ACMD_ISSKINNED), 0, SMTO_ABORTIFHUNG, 2000, &answer);
    return answer == 1;
  };
  if (e2e::Plain())
    EXPECT_FALSE(skinned(GetDlgItem(dialog, IDOK)));
  else
    EXPECT_TRUE(WaitUntil([&] { return skinned(GetDlgItem(dialog, IDOK)); }, 5s));
  Sleep(1500);  // the dialog paints its folder and controls before the picture is taken
  e2e::Screenshot(dialog, L"open-file-dialog");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10s));
  EXPECT_EQ(TextOf(pathEdit), notTable);

  ASSERT_TRUE(app.Close());
}

}  // namespace
