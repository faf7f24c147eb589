// The table on the real file system of each build: stdio on the host, the wide-character C
// runtime and MoveFileExW on Windows (under Wine in the Windows trees).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/app/dbf/DbfTestUtil.h"
#include "tests/app/dbf/DiskFolder.h"
#include "tests/app/dbf/FaultyFiles.h"

using namespace app;
using namespace dbf_test;
namespace fs = std::filesystem;

namespace {

TEST(DbfDisk, AddingAFieldReplacesTheTableOnDisk) {
  DiskFolder dir;
  const fs::path path = dir / "t.dbf";
  WriteFile(path, SmallTable({{"ONE", 1}, {"TWO", 22}}));
  CDBFTable table(path.wstring());
  ASSERT_TRUE(table.AddField("NOTE", 'C', 2, 0)) << static_cast<int>(table.LastError());
  EXPECT_EQ(Records(ReadFile(path)), (std::vector<std::string>{" ONE    1  ", " TWO   22  "}));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.dbf"});
  // Reopened read-only on the new file: the next change sees the new layout.
  EXPECT_EQ(table.AppendRecord(), 2);
  EXPECT_EQ(ReadFile(path).size(), 129u + 3 * 11 + 1);
}

TEST(DbfDisk, FailedReplaceLeavesTheOldTableAndNoLeftovers) {
  DiskFolder dir;
  const fs::path path = dir / "t.dbf";
  const Bytes original = SmallTable({{"ONE", 1}});
  WriteFile(path, original);
  FaultyFiles files(DiskFiles());
  CDBFTable table(path.wstring(), files);
  files.FailAt(0, FaultOp::Replace);
  EXPECT_FALSE(table.AddField("NOTE", 'C', 2, 0));
  EXPECT_EQ(table.LastError(), DbfError::ReplaceFailed);
  EXPECT_EQ(ReadFile(path), original);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"t.dbf"});
  files.FailAt(0, FaultOp::Write);
  EXPECT_EQ(table.AppendRecord(), -1);
  EXPECT_EQ(ReadFile(path), original);
}

TEST(DbfDisk, MissingFolderIsReportedAndNothingIsCreated) {
  DiskFolder dir;
  CDBFTable table((dir / "absent" / "t.dbf").wstring());
  EXPECT_FALSE(table.IsOpen());
  EXPECT_EQ(table.LastError(), DbfError::CreateFailed);
  EXPECT_EQ(table.AppendRecord(), -1);
  EXPECT_FALSE(fs::exists(dir / "absent"));
}

TEST(DbfDisk, AForeignFileIsNeverWritten) {
  DiskFolder dir;
  const fs::path path = dir / "notes.dbf";
  { std::ofstream(path, std::ios::binary) << "Not a table at all, just some notes the user keeps.\r\n"; }
  const Bytes before = ReadFile(path);
  CDBFTable table(path.wstring());
  EXPECT_FALSE(table.IsOpen());
  EXPECT_EQ(table.LastError(), DbfError::NotDbase3);
  EXPECT_FALSE(table.AddField("X", 'C', 1, 0));
  EXPECT_EQ(table.AppendRecord(), -1);
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"notes.dbf"});
}

}  // namespace
