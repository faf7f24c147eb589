// The schedule export: rows to records, tables written earlier, and what the user is told when
// the file system fails.
#include <gtest/gtest.h>

#include "app/ScheduleTable.h"
#include "tests/app/dbf/DbfTestUtil.h"
#include "tests/app/dbf/FaultyFiles.h"

using namespace app;
using namespace dbf_test;

namespace {

const std::wstring kPath = L"BU_cfgDB_28.12.2011.dbf";

const NumberedRow kRows[] = {
    {1, {{11, 12, 28}, {8, 5, 0}, 0xFF, kModeOff, kCycleOnce, 0, false}},
    {2, {{11, 12, 3}, {8, 30, 0}, 0x05, kModeOn, kCycleWeekly, 3, true}},
};
const std::string kRecord1 = "    111.12.2808:05:002552000";
const std::string kRecord2 = "    211.12.0308:30:00  51331";

// A table with the schedule fields as given.
Bytes TableWith(std::initializer_list<ScheduleField> fields) {
  DbfMemoryFiles files;
  {
    CDBFTable table(kPath, files);
    for (const auto& f : fields) table.AddField(f.name, f.type, f.length, f.decimals);
  }
  return *files.Contents(kPath);
}

TEST(ScheduleTable, NewTableHoldsOneRecordPerRow) {
  DbfMemoryFiles files;
  const auto result = SaveSchedule(kPath, kRows, files);
  ASSERT_TRUE(result.ok()) << testing::PrintToString(result.error);
  EXPECT_EQ(result.written, 2);
  const Bytes table = *files.Contents(kPath);
  EXPECT_EQ(table[0], 0x03);
  EXPECT_EQ(Get16(table, 8), 289u);
  EXPECT_EQ(Get16(table, 10), 28u);  // OUTS is three digits wide
  EXPECT_EQ(Records(table), (std::vector<std::string>{kRecord1, kRecord2}));
  EXPECT_EQ(table.size(), 289u + 2 * 28 + 1);
  EXPECT_EQ(table.back(), 0x1A);
  EXPECT_EQ(table[288], 0x0D);
  // The field descriptors as dBASE readers take them: name padded with zeros, type, length at 16.
  const struct {
    std::string name;
    char type;
    int length;
  } fields[] = {{"POINTS", 'N', 4}, {"DATE", 'C', 8},  {"TIME", 'C', 8}, {"OUTS", 'N', 3},
                {"USED", 'N', 1},   {"CYCLE", 'N', 1}, {"DAY", 'N', 1},  {"ONOFF", 'N', 1}};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    Bytes expected(32, 0);
    std::copy(fields[i].name.begin(), fields[i].name.end(), expected.begin());
    expected[11] = static_cast<std::uint8_t>(fields[i].type);
    expected[16] = static_cast<std::uint8_t>(fields[i].length);
    EXPECT_EQ(Bytes(table.begin() + 32 * (i + 1), table.begin() + 32 * (i + 2)), expected) << fields[i].name;
  }
  EXPECT_EQ(files.Paths(), std::vector<std::wstring>{kPath});
}

TEST(ScheduleTable, SavingTheSameListTwiceDoublesTheRecords) {
  DbfMemoryFiles files;
  ASSERT_TRUE(SaveSchedule(kPath, kRows, files).ok());
  ASSERT_TRUE(SaveSchedule(kPath, kRows, files).ok());
  EXPECT_EQ(Records(*files.Contents(kPath)), (std::vector<std::string>{kRecord1, kRecord2, kRecord1, kRecord2}));
}

TEST(ScheduleTable, NothingToSaveLeavesTheDiskAlone) {
  DbfMemoryFiles files;
  const auto result = SaveSchedule(kPath, {}, files);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(result.written, 0);
  EXPECT_TRUE(files.Paths().empty());
  EXPECT_EQ(SaveResultText(result, 0), L"Нет точек для записи в БД: сначала получите их кнопкой Get DB");
}

TEST(ScheduleTable, FieldsAreFoundByNameInATableOfAnotherLayout) {
  DbfMemoryFiles files;
  files.Put(kPath, TableWith({{"NOTE", 'C', 3, 0}, {"ONOFF", 'N', 1, 0}, {"POINTS", 'N', 5, 1}, {"DATE", 'C', 10, 0}}));
  ASSERT_TRUE(SaveSchedule(kPath, std::span(kRows, 1), files).ok());
  const Bytes table = *files.Contents(kPath);
  // NOTE, ONOFF, POINTS, DATE, then the missing fields in their usual order.
  EXPECT_EQ(Records(table), std::vector<std::string>{"    0  1.011.12.28  08:05:00255200"});
}

TEST(ScheduleTable, ANarrowFieldOfAnOlderTableAppendsNothing) {
  // Tables written before OUTS was widened give it two digits: masks from 100 up do not fit.
  const Bytes older = TableWith({{"POINTS", 'N', 4, 0},
                                 {"DATE", 'C', 8, 0},
                                 {"TIME", 'C', 8, 0},
                                 {"OUTS", 'N', 2, 0},
                                 {"USED", 'N', 1, 0},
                                 {"CYCLE", 'N', 1, 0},
                                 {"DAY", 'N', 1, 0},
                                 {"ONOFF", 'N', 1, 0}});
  DbfMemoryFiles files;
  files.Put(kPath, older);
  const auto refused = SaveSchedule(kPath, kRows, files);  // the first row has mask FF
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(refused.written, 0);
  EXPECT_NE(refused.error.find(L"Точка 1: значение 255"), std::wstring::npos) << testing::PrintToString(refused.error);
  EXPECT_NE(refused.error.find(L"OUTS (N 2.0)"), std::wstring::npos);
  EXPECT_EQ(*files.Contents(kPath), older);
  // Masks below 100 still go into it.
  const auto saved = SaveSchedule(kPath, std::span(kRows + 1, 1), files);
  EXPECT_TRUE(saved.ok());
  EXPECT_EQ(Records(*files.Contents(kPath)), std::vector<std::string>{"    211.12.0308:30:00 51331"});
}

TEST(ScheduleTable, AFileThatIsNotATableIsNeverWritten) {
  DbfMemoryFiles files;
  const std::string csv = "POINTS;DATE;TIME;OUTS;USED;CYCLE;DAY;ONOFF\n1;11.12.28;08:05:00;255;2;0;0;0\n";
  const Bytes text(csv.begin(), csv.end());
  files.Put(kPath, text);
  const auto result = SaveSchedule(kPath, kRows, files);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.error, DbfErrorText(DbfError::NotDbase3));
  EXPECT_EQ(*files.Contents(kPath), text);
  EXPECT_EQ(SaveResultText(result, 2), L"Ошибка записи БД: " + DbfErrorText(DbfError::NotDbase3));
}

// Every failing file-system call on the way: the user is told, the table stays readable, and the
// records that were counted as written are there.
TEST(ScheduleTable, FileSystemFailuresAreReported) {
  for (const bool existing : {false, true}) {
    for (long n = 0;; ++n) {
      DbfMemoryFiles memory;
      if (existing) {
        ASSERT_TRUE(SaveSchedule(kPath, std::span(kRows + 1, 1), memory).ok());
      }
      FaultyFiles files(memory);
      files.FailAt(n);
      const auto result = SaveSchedule(kPath, kRows, files);
      if (!files.Fired()) {
        EXPECT_TRUE(result.ok());
        EXPECT_GT(n, 20);
        break;
      }
      SCOPED_TRACE(testing::Message() << "existing " << existing << ", failing call " << n);
      const auto contents = memory.Contents(kPath);
      if (result.ok()) {
        // Failures that cost nothing (a refused remove of a leftover) may go unreported.
        EXPECT_EQ(Records(*contents).size(), existing ? 3u : 2u);
        continue;
      }
      EXPECT_FALSE(result.error.empty());
      EXPECT_EQ(SaveResultText(result, 2).rfind(L"Ошибка записи БД: ", 0), 0u);
      if (!contents) {
        EXPECT_FALSE(existing);
        continue;
      }
      DbfMemoryFiles copy;
      copy.Put(kPath, *contents);
      CDBFTable table(kPath, copy);
      if (!existing && !table.IsOpen()) continue;  // the new table was never completed
      ASSERT_TRUE(table.IsOpen());
      std::vector<std::string> filled;
      for (const auto& r : Records(*contents))
        if (r.substr(1, 4) != "    ") filled.push_back(r);
      EXPECT_EQ(filled.size(), (existing ? 1u : 0u) + result.written);
      // At most the record being filled when the failure came stays blank.
      EXPECT_LE(Records(*contents).size() - filled.size(), 1u);
    }
  }
}

TEST(ScheduleTable, AFailedWriteIsToldAndLeavesTheTable) {
  DbfMemoryFiles memory;
  ASSERT_TRUE(SaveSchedule(kPath, std::span(kRows, 1), memory).ok());
  const Bytes saved = *memory.Contents(kPath);
  FaultyFiles files(memory);
  files.FailAt(0, FaultOp::Write);
  const auto result = SaveSchedule(kPath, kRows, files);
  EXPECT_EQ(result.written, 0);
  EXPECT_EQ(SaveResultText(result, 2), L"Ошибка записи БД: Ошибка записи файла таблицы");
  EXPECT_EQ(memory.Contents(kPath), saved);
}

TEST(ScheduleTable, StatusTexts) {
  EXPECT_EQ(SaveResultText({32, L""}, 32), L"БД записана в файл, записей: 32");
  EXPECT_EQ(SaveResultText({5, L"Ошибка записи файла таблицы"}, 32),
            L"Ошибка записи БД: Ошибка записи файла таблицы (записано записей: 5 из 32)");
}

}  // namespace
