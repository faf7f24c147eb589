// The table under failing file systems: every failure reaches the caller, and no failure (or
// crash) at any step costs a record or leaves a table that readers reject.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "tests/app/dbf/DbfTestUtil.h"
#include "tests/app/dbf/FaultyFiles.h"

using namespace app;
using namespace dbf_test;

namespace {

const std::wstring kTable = L"t.dbf";

const Bytes& ThreeRecords() {
  static const Bytes table = SmallTable({{"ONE", 1}, {"TWO", 22}, {"THREE", 333}});
  return table;
}

struct Change {
  const char* name;
  bool tableExists;
  std::function<bool(CDBFTable&)> run;
};

const Change kChanges[] = {
    {"create", false, [](CDBFTable& t) { return t.IsOpen(); }},
    {"add field", true, [](CDBFTable& t) { return t.AddField("NOTE", 'C', 4, 0); }},
    {"append", true, [](CDBFTable& t) { return t.AppendRecord() == 3; }},
    {"write record",
     true,
     [](CDBFTable& t) {
       if (!t.ReadRecord(1)) return false;
       t.SetNumber(1, 7);
       return t.WriteRecord(1);
     }},
};

struct Outcome {
  bool ok = false;
  bool crashed = false;
  DbfError error = DbfError::None;
  std::optional<Bytes> table;
  std::vector<std::wstring> paths;
};

Outcome RunChange(const Change& change, long failAt, bool crash = false, long* calls = nullptr) {
  DbfMemoryFiles memory;
  if (change.tableExists) memory.Put(kTable, ThreeRecords());
  FaultyFiles files(memory);
  files.FailAt(failAt, std::nullopt, crash);
  Outcome out;
  try {
    CDBFTable table(kTable, files);
    out.ok = change.run(table);
    out.error = table.LastError();
    if (calls) *calls = files.Calls();
    files.Disarm();  // closing the table at the end is no step of the change
  } catch (const Crash&) {
    out.crashed = true;
  }
  out.table = memory.Contents(kTable);
  out.paths = memory.Paths();
  return out;
}

// A table a reader accepts, holding the three records it started with (and at most one more).
void ExpectIntact(const Bytes& bytes, const char* what, long step) {
  DbfMemoryFiles copy;
  copy.Put(kTable, bytes);
  CDBFTable table(kTable, copy);
  ASSERT_TRUE(table.IsOpen()) << what << " step " << step;
  const auto records = Records(bytes);
  const auto original = Records(ThreeRecords());
  ASSERT_GE(records.size(), 3u) << what << " step " << step;
  ASSERT_LE(records.size(), 4u) << what << " step " << step;
  // Record 1 is the one the record write changes; a field added gives every record four spaces.
  const std::string added(static_cast<std::size_t>(table.RecordLength() - 9), ' ');
  for (int i : {0, 2}) EXPECT_EQ(records[i], original[i] + added) << what << " step " << step;
  EXPECT_EQ(records[1].substr(0, 6), original[1].substr(0, 6)) << what << " step " << step;
}

TEST(DbfFaults, EveryFailingStepIsReportedAndLeavesTheOldOrTheNewTable) {
  for (const auto& change : kChanges) {
    long calls = 0;
    const Outcome clean = RunChange(change, LONG_MAX, false, &calls);
    ASSERT_TRUE(clean.ok) << change.name;
    ASSERT_GT(calls, 0);
    for (long step = 0; step < calls; ++step) {
      const Outcome o = RunChange(change, step);
      if (o.ok) {
        EXPECT_EQ(o.table, clean.table) << change.name << " step " << step;
      } else {
        EXPECT_NE(o.error, DbfError::None) << change.name << " step " << step;
        const bool unchanged = change.tableExists ? o.table == ThreeRecords() : !o.table;
        EXPECT_TRUE(unchanged || o.table == clean.table) << change.name << " step " << step;
      }
      EXPECT_EQ(o.paths, o.table ? std::vector<std::wstring>{kTable} : std::vector<std::wstring>{})
          << change.name << " step " << step;
    }
  }
}

TEST(DbfFaults, StoppingDeadAtAnyStepLosesNoRecord) {
  for (const auto& change : kChanges) {
    if (!change.tableExists) continue;
    long calls = 0;
    RunChange(change, LONG_MAX, false, &calls);
    for (long step = 0; step < calls; ++step) {
      const Outcome o = RunChange(change, step, true);
      ASSERT_TRUE(o.crashed) << change.name << " step " << step;
      ASSERT_TRUE(o.table) << change.name << " step " << step;
      ExpectIntact(*o.table, change.name, step);
    }
  }
}

// The failures the export meets in practice, one by one, with the reason the page shows.
TEST(DbfFaults, NamedFailuresKeepTheTableByteForByte) {
  const struct {
    const char* what;
    FaultOp op;
    long nth;
    std::function<bool(CDBFTable&)> run;
    DbfError error;
  } cases[] = {
      {"add field: rename fails", FaultOp::Replace, 0, kChanges[1].run, DbfError::ReplaceFailed},
      {"add field: new file cannot be created", FaultOp::Open, 0, kChanges[1].run, DbfError::CreateFailed},
      {"add field: write fails half way", FaultOp::Write, 3, kChanges[1].run, DbfError::WriteFailed},
      {"add field: last write fails", FaultOp::Write, 7, kChanges[1].run, DbfError::WriteFailed},
      {"add field: old table cannot be read", FaultOp::Read, 2, kChanges[1].run, DbfError::ReadFailed},
      {"add field: sync fails", FaultOp::Commit, 0, kChanges[1].run, DbfError::WriteFailed},
      {"append: cannot open for writing", FaultOp::Open, 0, kChanges[2].run, DbfError::OpenFailed},
      {"append: record write is short", FaultOp::Write, 0, kChanges[2].run, DbfError::WriteFailed},
      {"append: count write is short", FaultOp::Write, 1, kChanges[2].run, DbfError::WriteFailed},
      {"append: flush fails", FaultOp::Flush, 0, kChanges[2].run, DbfError::WriteFailed},
      {"write record: short write", FaultOp::Write, 0, kChanges[3].run, DbfError::WriteFailed},
      {"write record: cannot open for writing", FaultOp::Open, 0, kChanges[3].run, DbfError::OpenFailed},
  };
  for (const auto& c : cases) {
    DbfMemoryFiles memory;
    memory.Put(kTable, ThreeRecords());
    FaultyFiles files(memory);
    CDBFTable table(kTable, files);
    ASSERT_TRUE(table.IsOpen());
    files.FailAt(c.nth, c.op);
    EXPECT_FALSE(c.run(table)) << c.what;
    EXPECT_TRUE(files.Fired()) << c.what;
    EXPECT_EQ(table.LastError(), c.error) << c.what;
    EXPECT_FALSE(table.LastErrorText().empty());
    EXPECT_EQ(memory.Contents(kTable), ThreeRecords()) << c.what;
    EXPECT_EQ(memory.Paths(), std::vector<std::wstring>{kTable}) << c.what;
    // The table is still usable once the file system behaves again.
    EXPECT_TRUE(table.IsOpen()) << c.what;
    EXPECT_EQ(table.AppendRecord(), 3) << c.what;
  }
}

TEST(DbfFaults, ANewTableThatCannotBeWrittenIsNotLeftBehind) {
  for (const FaultOp op : {FaultOp::Write, FaultOp::Close, FaultOp::Open}) {
    DbfMemoryFiles memory;
    FaultyFiles files(memory);
    files.FailAt(0, op);
    CDBFTable table(kTable, files);
    EXPECT_FALSE(table.IsOpen());
    EXPECT_NE(table.LastError(), DbfError::None);
    EXPECT_TRUE(memory.Paths().empty());
  }
}

}  // namespace
