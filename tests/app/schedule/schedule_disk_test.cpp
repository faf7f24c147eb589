// The schedule export on the real file system of each build, and killed part way: a child process
// saving the table is killed before each of its file-system calls in turn, and the table left on
// the disk must be one a dBASE reader takes, with every record it had and nothing half-written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/ScheduleTable.h"
#include "tests/app/dbf/ChildProcess.h"
#include "tests/app/dbf/DbfTestUtil.h"
#include "tests/app/dbf/DiskFolder.h"
#include "tests/app/schedule/ThreePoints.h"

using namespace app;
using namespace dbf_test;
namespace fs = std::filesystem;

namespace {

const auto& kRows = schedule_test::kThreePoints;
const auto& kSaved = schedule_test::kThreeRecords;
const std::string kBlank(28, ' ');

std::vector<std::string> Then(std::vector<std::string> first, const std::vector<std::string>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// The records as a dBASE reader finds them from the header alone, or why the file is no table.
testing::AssertionResult ReadAsDbase(const Bytes& file, std::vector<std::string>& records) {
  if (file.size() < 33 || file[0] != 0x03) return testing::AssertionFailure() << "no dBASE III header";
  const unsigned header = Get16(file, 8), length = Get16(file, 10);
  const std::uint32_t count = Get32(file, 4);
  if (header < 33 || (header - 33) % 32 != 0 || file.size() < header || file[header - 1] != 0x0D)
    return testing::AssertionFailure() << "header length " << header << " does not end at 0x0D";
  unsigned lengths = 1;
  for (unsigned at = 32; at + 32 < header; at += 32) lengths += file[at + 16];
  if (lengths != length) return testing::AssertionFailure() << "record length " << length << ", fields " << lengths;
  if (file.size() < header + std::uint64_t{count} * length)
    return testing::AssertionFailure() << count << " records do not fit in " << file.size() << " bytes";
  records = Records(file);
  return testing::AssertionSuccess();
}

TEST(ScheduleDisk, SavesCreateTheTableAndAppendToIt) {
  DiskFolder dir;
  const fs::path path = dir / "schedule.dbf";
  for (int save = 0; save < 2; ++save) ASSERT_EQ(RunBesideUs("write_schedule_table", {path.string()}).code, 0);
  const Bytes bytes = ReadFile(path);
  ASSERT_EQ(bytes.size(), 289u + 6 * 28 + 1);
  EXPECT_EQ(bytes.back(), 0x1A);
  EXPECT_EQ(Records(bytes), Then(kSaved, kSaved));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"schedule.dbf"});
}

TEST(ScheduleDisk, PathsWithCyrillicLetters) {
  DiskFolder dir;
  const fs::path folder = dir / u8"Таблицы";
  fs::create_directories(folder);
  const fs::path path = folder / u8"БУ_график.dbf";
  ASSERT_TRUE(SaveSchedule(Wide(path), std::span(kRows, 1)).ok());
  ASSERT_TRUE(fs::exists(path));
  EXPECT_EQ(Records(ReadFile(path)), std::vector<std::string>{kSaved[0]});
}

TEST(ScheduleDisk, AKilledSaveLeavesAReadableTableAndTheNextSaveWorks) {
  for (const bool existing : {false, true}) {
    DiskFolder dir;
    const fs::path path = dir / "schedule.dbf";
    std::optional<Bytes> before;
    if (existing) {
      ASSERT_EQ(RunBesideUs("write_schedule_table", {path.string()}).code, 0);
      before = ReadFile(path);
    }
    const std::vector<std::string> had = existing ? kSaved : std::vector<std::string>{};
    int step = 0;
    for (;; ++step) {
      SCOPED_TRACE(testing::Message() << (existing ? "existing table" : "new table") << ", killed at call " << step);
      ASSERT_LT(step, 2000) << "the save never finished";
      fs::remove(path);
      fs::remove(dir / "schedule.dbf.tmp");
      if (before) WriteFile(path, *before);
      const ChildEnd end = RunBesideUs("write_schedule_table", {path.string(), std::to_string(step)});
      if (!end.killed) {
        ASSERT_EQ(end.code, 0) << "start error " << end.startError;
        EXPECT_EQ(Records(ReadFile(path)), Then(had, kSaved));
        break;
      }
      // The building copy may stay beside the table; it never takes the table's place.
      for (const auto& name : dir.Names()) EXPECT_TRUE(name == "schedule.dbf" || name == "schedule.dbf.tmp") << name;
      std::vector<std::string> records;
      if (fs::exists(path)) {
        ASSERT_TRUE(ReadAsDbase(ReadFile(path), records));
      } else {
        ASSERT_FALSE(existing);
      }
      // What the table had, then the saved points in order: all complete but for at most a
      // blank last one, appended just before the kill.
      ASSERT_GE(records.size(), had.size());
      ASSERT_LE(records.size(), had.size() + kSaved.size());
      EXPECT_EQ(std::vector<std::string>(records.begin(), records.begin() + had.size()), had);
      for (std::size_t i = had.size(); i < records.size(); ++i) {
        const bool blankLast = i + 1 == records.size() && records[i] == kBlank;
        EXPECT_TRUE(blankLast || records[i] == kSaved[i - had.size()]) << records[i];
      }
      // Saving again in the same place works and keeps all of it.
      ASSERT_TRUE(SaveSchedule(Wide(path), kRows).ok());
      std::vector<std::string> after;
      ASSERT_TRUE(ReadAsDbase(ReadFile(path), after));
      ASSERT_EQ(after.size(), records.size() + kSaved.size());
      EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + records.size()), records);
      EXPECT_EQ(std::vector<std::string>(after.begin() + records.size(), after.end()), kSaved);
    }
    EXPECT_GT(step, 20);
    std::printf("%s: killed at each of %d steps\n", existing ? "existing table" : "new table", step);
  }
}

}  // namespace
