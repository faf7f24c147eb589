// The table on the real file system of each build: stdio on the host, the wide-character C
// runtime and MoveFileExW on Windows (under Wine in the win32 tree).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/app/dbf/DbfTestUtil.h"
#include "tests/app/dbf/FaultyFiles.h"
#include "tests/app/dbf/ScheduleExport.h"

using namespace app;
using namespace dbf_test;
namespace fs = std::filesystem;

namespace {

// The path as the program holds it. Linux paths are UTF-8 bytes, and the library converts wide
// ones through the C locale, which knows no Cyrillic in a test run: decode them here.
template <typename Path = fs::path>
std::wstring Wide(const Path& path) {
  if constexpr (std::is_same_v<typename Path::value_type, wchar_t>) {
    return path.native();
  } else {
    const std::string& s = path.native();
    std::wstring out;
    for (std::size_t i = 0; i < s.size();) {
      const unsigned char c = static_cast<unsigned char>(s[i]);
      const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
      char32_t code = extra == 0 ? c : c & (0x3F >> extra);
      for (int k = 1; k <= extra && i + k < s.size(); ++k) code = code << 6 | (s[i + k] & 0x3F);
      out += static_cast<wchar_t>(code);
      i += 1 + extra;
    }
    return out;
  }
}

class DbfDisk : public testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = fs::temp_directory_path() / ("tarvisel-dbf-" + std::to_string(stamp) + "-" + std::to_string(serial++));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  static Bytes Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

TEST_F(DbfDisk, ExportCreatesExtendsAndAppends) {
  const fs::path path = dir_ / "schedule.dbf";
  {
    CDBFTable table(path.wstring());
    ASSERT_TRUE(table.IsOpen());
  }
  EXPECT_EQ(fs::file_size(path), 34u);
  const SchedulePoint row{32, {11, 12, 28}, {23, 59, 59}, 12, 1, 2, 0, 1};
  for (int i = 0; i < 3; ++i) {
    DbfError error = DbfError::None;
    ASSERT_TRUE(WriteSchedulePoint(path.wstring(), row, DiskFiles(), &error)) << static_cast<int>(error);
  }
  const Bytes bytes = Read(path);
  ASSERT_EQ(bytes.size(), 289u + 3 * 27 + 1);
  EXPECT_EQ(Records(bytes), std::vector<std::string>(3, "   3211.12.2823:59:59121201"));
  EXPECT_EQ(Names(), std::vector<std::string>{"schedule.dbf"});
}

TEST_F(DbfDisk, AddingAFieldReplacesTheTableOnDisk) {
  const fs::path path = dir_ / "t.dbf";
  {
    std::ofstream out(path, std::ios::binary);
    const Bytes table = SmallTable({{"ONE", 1}, {"TWO", 22}});
    out.write(reinterpret_cast<const char*>(table.data()), static_cast<std::streamsize>(table.size()));
  }
  CDBFTable table(path.wstring());
  ASSERT_TRUE(table.AddField("NOTE", 'C', 2, 0)) << static_cast<int>(table.LastError());
  EXPECT_EQ(Records(Read(path)), (std::vector<std::string>{" ONE    1  ", " TWO   22  "}));
  EXPECT_EQ(Names(), std::vector<std::string>{"t.dbf"});
  // Reopened read-only on the new file: the next change sees the new layout.
  EXPECT_EQ(table.AppendRecord(), 2);
  EXPECT_EQ(Read(path).size(), 129u + 3 * 11 + 1);
}

TEST_F(DbfDisk, FailedReplaceLeavesTheOldTableAndNoLeftovers) {
  const fs::path path = dir_ / "t.dbf";
  const Bytes original = SmallTable({{"ONE", 1}});
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(original.data()), static_cast<std::streamsize>(original.size()));
  }
  FaultyFiles files(DiskFiles());
  CDBFTable table(path.wstring(), files);
  files.FailAt(0, FaultOp::Replace);
  EXPECT_FALSE(table.AddField("NOTE", 'C', 2, 0));
  EXPECT_EQ(table.LastError(), DbfError::ReplaceFailed);
  EXPECT_EQ(Read(path), original);
  EXPECT_EQ(Names(), std::vector<std::string>{"t.dbf"});
  files.FailAt(0, FaultOp::Write);
  EXPECT_EQ(table.AppendRecord(), -1);
  EXPECT_EQ(Read(path), original);
}

TEST_F(DbfDisk, PathsWithCyrillicLetters) {
  const fs::path folder = dir_ / u8"Таблицы";
  fs::create_directories(folder);
  const fs::path path = folder / u8"БУ_график.dbf";
  const SchedulePoint row{1, {11, 12, 28}, {8, 5, 0}, 5, 2, 0, 0, 0};
  ASSERT_TRUE(WriteSchedulePoint(Wide(path), row, DiskFiles()));
  ASSERT_TRUE(fs::exists(path));
  EXPECT_EQ(fs::file_size(path), 289u + 27 + 1);
}

TEST_F(DbfDisk, MissingFolderIsReportedAndNothingIsCreated) {
  CDBFTable table((dir_ / "absent" / "t.dbf").wstring());
  EXPECT_FALSE(table.IsOpen());
  EXPECT_EQ(table.LastError(), DbfError::CreateFailed);
  EXPECT_EQ(table.AppendRecord(), -1);
  EXPECT_FALSE(fs::exists(dir_ / "absent"));
}

TEST_F(DbfDisk, AForeignFileIsNeverWritten) {
  const fs::path path = dir_ / "notes.dbf";
  { std::ofstream(path, std::ios::binary) << "Not a table at all, just some notes the user keeps.\r\n"; }
  const Bytes before = Read(path);
  CDBFTable table(path.wstring());
  EXPECT_FALSE(table.IsOpen());
  EXPECT_EQ(table.LastError(), DbfError::NotDbase3);
  EXPECT_FALSE(table.AddField("X", 'C', 1, 0));
  EXPECT_EQ(table.AppendRecord(), -1);
  EXPECT_EQ(Read(path), before);
  EXPECT_EQ(Names(), std::vector<std::string>{"notes.dbf"});
}

}  // namespace
