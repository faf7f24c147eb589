#include "app/ScheduleTable.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace app {
namespace {

constexpr std::size_t kFields = std::size(kScheduleFields);
enum Field { Points, Date, Time, Outs, Used, Cycle, Day, OnOff };

std::wstring Ascii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

std::wstring FieldLayout(const DbfField& f) {
  return Ascii(f.name) + L" (" + wchar_t(f.type) + L" " + std::to_wstring(f.length) + L"." +
         std::to_wstring(f.decimals) + L")";
}

// Fills the table's record buffer with the row; the problem when a field cannot hold its value.
std::optional<std::wstring> Fill(CDBFTable& table, const std::array<int, kFields>& at, const NumberedRow& r) {
  const auto& row = r.row;
  const auto point = L"Точка " + std::to_wstring(r.point) + L": ";
  const auto refused = [&](Field f, std::wstring value) {
    return point + value + L" не помещается в поле " + FieldLayout(table.Field(at[f])) +
           L" этой таблицы, выберите другой файл";
  };
  const int numbers[] = {r.point, row.mask, row.mode, row.cycle, row.day, row.done ? 1 : 0};
  const Field numberFields[] = {Points, Outs, Used, Cycle, Day, OnOff};
  for (std::size_t i = 0; i < std::size(numbers); ++i)
    if (!table.SetNumber(at[numberFields[i]], static_cast<float>(numbers[i])))
      return refused(numberFields[i], L"значение " + std::to_wstring(numbers[i]));
  if (!table.SetDate(at[Date], row.date)) return refused(Date, L"дата");
  if (!table.SetTime(at[Time], row.time)) return refused(Time, L"время");
  return std::nullopt;
}

}  // namespace

ScheduleSaveResult SaveSchedule(const std::wstring& path, std::span<const NumberedRow> rows, DbfFileSystem& files) {
  ScheduleSaveResult result;
  if (rows.empty()) return result;
  const auto failed = [&result](std::wstring text) {
    result.error = std::move(text);
    return result;
  };

  CDBFTable table(path, files);
  if (!table.IsOpen()) return failed(table.LastErrorText());
  // Found by name: a table chosen by the user may hold the fields in another order, or others too.
  std::array<int, kFields> at{};
  for (std::size_t i = 0; i < kFields; ++i) {
    const ScheduleField& f = kScheduleFields[i];
    at[i] = table.FindField(f.name);
    if (at[i] >= 0) continue;
    if (!table.AddField(f.name, f.type, f.length, f.decimals)) return failed(table.LastErrorText());
    at[i] = table.FindField(f.name);
  }

  for (const NumberedRow& row : rows)
    if (auto problem = Fill(table, at, row)) return failed(*problem);

  for (const NumberedRow& row : rows) {
    const std::int64_t index = table.AppendRecord();
    if (index < 0) return failed(table.LastErrorText());
    if (auto problem = Fill(table, at, row)) return failed(*problem);
    const std::vector<std::uint8_t> filled(table.RecordBuffer().begin(), table.RecordBuffer().end());
    if (!table.WriteRecord(index)) {
      // The failure may have come after the record reached the file (closing, reopening): what
      // the table holds now decides whether the row counts as written.
      std::wstring error = table.LastErrorText();
      if (table.Open(true) && table.ReadRecord(index) && std::ranges::equal(table.RecordBuffer(), filled))
        ++result.written;
      return failed(std::move(error));
    }
    ++result.written;
  }
  return result;
}

std::wstring SaveResultText(const ScheduleSaveResult& result, int total) {
  if (!result.ok()) {
    std::wstring text = L"Ошибка записи БД: " + result.error;
    if (result.written > 0)
      text += L" (записано записей: " + std::to_wstring(result.written) + L" из " + std::to_wstring(total) + L")";
    return text;
  }
  if (result.written == 0) return L"Нет точек для записи в БД: сначала получите их кнопкой Get DB";
  return L"БД записана в файл, записей: " + std::to_wstring(result.written);
}

}  // namespace app
