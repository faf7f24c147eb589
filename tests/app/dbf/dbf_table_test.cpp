#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/app/dbf/DbfTestUtil.h"

using namespace app;
using namespace dbf_test;

namespace {

TEST(DbfTable, NewTableIsTheEmpty34ByteTable) {
  DbfMemoryFiles files;
  CDBFTable table(L"new.dbf", files);
  ASSERT_TRUE(table.IsOpen());
  EXPECT_EQ(table.LastError(), DbfError::None);
  const Bytes expected = {0x03, 98, 2, 4, 0, 0, 0, 0, 33, 0, 1, 0, 0, 0, 0, 0, 0,
                          0,    0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0D, 0x1A};
  EXPECT_EQ(files.Contents(L"new.dbf"), expected);
  EXPECT_EQ(table.RecordCount(), 0u);
  EXPECT_EQ(table.FieldCount(), 0);
  EXPECT_EQ(table.FindField("POINTS"), -1);
}

TEST(DbfTable, LongNamesKeepElevenCharacters) {
  DbfMemoryFiles files;
  CDBFTable table(L"n.dbf", files);
  ASSERT_TRUE(table.AddField("ABCDEFGHIJKLMN", 'C', 2, 0));
  EXPECT_EQ(table.Field(0).name, "ABCDEFGHIJK");
  EXPECT_EQ(table.FindField("ABCDEFGHIJKXYZ"), 0);
  EXPECT_EQ(table.FindField("ABCDEFGHIJ"), -1);
  EXPECT_EQ(files.Contents(L"n.dbf")->at(32 + 10), 'K');  // no room left for a terminating zero
}

TEST(DbfTable, AppendedRecordIsBlankAndEndMarkFollowsIt) {
  DbfMemoryFiles files;
  files.Put(L"t.dbf", SmallTable({{"AB", 1}}));
  CDBFTable table(L"t.dbf", files);
  EXPECT_EQ(table.AppendRecord(), 1);
  EXPECT_EQ(Text(table.RecordBuffer()), "         ");
  const Bytes bytes = *files.Contents(L"t.dbf");
  EXPECT_EQ(bytes.size(), 97u + 2 * 9 + 1);
  EXPECT_EQ(Records(bytes), (std::vector<std::string>{" AB     1", std::string(9, ' ')}));
  EXPECT_EQ(bytes.back(), 0x1A);
}

TEST(DbfTable, AddingAFieldKeepsEveryRecord) {
  DbfMemoryFiles files;
  files.Put(L"t.dbf", SmallTable({{"ONE", 1}, {"TWO", 22}, {"THREE", 333}}));
  files.Put(L"t.dbf.bak", {'m', 'i', 'n', 'e'});  // a user's file of that name is not ours to delete
  CDBFTable table(L"t.dbf", files);
  ASSERT_TRUE(table.AddField("NOTE", 'C', 4, 0));
  EXPECT_EQ(table.RecordLength(), 13);
  EXPECT_EQ(table.RecordCount(), 3u);
  const Bytes bytes = *files.Contents(L"t.dbf");
  EXPECT_EQ(Records(bytes), (std::vector<std::string>{" ONE    1    ", " TWO   22    ", " THREE333    "}));
  EXPECT_EQ(bytes.size(), 129u + 3 * 13 + 1);
  EXPECT_EQ(bytes.back(), 0x1A);
  EXPECT_EQ(files.Paths(), (std::vector<std::wstring>{L"t.dbf", L"t.dbf.bak"}));
  EXPECT_EQ(files.Contents(L"t.dbf.bak"), (Bytes{'m', 'i', 'n', 'e'}));
  ASSERT_TRUE(table.ReadRecord(2));
  EXPECT_EQ(Text(table.FieldData(0)), "THREE");
}

TEST(DbfTable, SetNumberRightAlignsOrLeavesBlank) {
  const struct {
    char type;
    int length, decimals;
    float value;
    const char* text;
    bool fits;
  } cases[] = {
      {'N', 4, 0, 5, "   5", true},
      {'N', 4, 0, 1234, "1234", true},
      {'N', 4, 0, 12345, "    ", false},
      {'N', 4, 0, -12, " -12", true},
      {'N', 6, 2, 3.14159f, "  3.14", true},
      {'F', 5, 1, 2.25f, "  2.2", true},  // halves to even, as printf rounds
      {'N', 4, 0, std::numeric_limits<float>::quiet_NaN(), "    ", false},
      {'N', 4, 0, std::numeric_limits<float>::infinity(), "    ", false},
      {'C', 12, 0, 5, "5.000000e+00", true},
      {'C', 8, 0, 5, "        ", false},
  };
  for (const auto& c : cases) {
    DbfMemoryFiles files;
    CDBFTable table(L"n.dbf", files);
    ASSERT_TRUE(table.AddField("F", c.type, c.length, c.decimals));
    ASSERT_GE(table.AppendRecord(), 0);
    auto data = table.FieldData(0);
    std::fill(data.begin(), data.end(), 'x');  // whatever was there goes
    EXPECT_EQ(table.SetNumber(0, c.value), c.fits) << c.text;
    EXPECT_EQ(Text(table.FieldData(0)), c.text);
  }
}

TEST(DbfTable, DateAndTimeGoIntoCharacterFieldsOfEightOrMore) {
  DbfMemoryFiles files;
  CDBFTable table(L"d.dbf", files);
  ASSERT_TRUE(table.AddField("D8", 'C', 8, 0));
  ASSERT_TRUE(table.AddField("T10", 'C', 10, 0));
  ASSERT_TRUE(table.AddField("SHORT", 'C', 6, 0));
  ASSERT_TRUE(table.AddField("NUM", 'N', 8, 0));
  ASSERT_GE(table.AppendRecord(), 0);
  EXPECT_TRUE(table.SetDate(0, {11, 12, 28}));
  EXPECT_EQ(Text(table.FieldData(0)), "11.12.28");
  EXPECT_TRUE(table.SetTime(1, {8, 5, 0}));
  EXPECT_EQ(Text(table.FieldData(1)), "08:05:00  ");
  EXPECT_TRUE(table.SetDate(0, {255, 255, 255}));
  EXPECT_EQ(Text(table.FieldData(0)), "255.255.");

  EXPECT_FALSE(table.SetTime(2, {1, 2, 3}));
  EXPECT_EQ(Text(table.FieldData(2)), "      ");
  EXPECT_FALSE(table.SetDate(3, {1, 2, 3}));
  EXPECT_EQ(Text(table.FieldData(3)), "        ");
  EXPECT_FALSE(table.SetDate(4, {1, 2, 3}));
  EXPECT_EQ(table.LastError(), DbfError::NoSuchField);
  EXPECT_TRUE(table.FieldData(4).empty());
  EXPECT_TRUE(table.FieldData(-1).empty());
}

TEST(DbfTable, RefusesFieldsItCannotWriteSoundly) {
  const struct {
    const char* name;
    char type;
    int length, decimals;
    DbfError error;
  } cases[] = {
      {"", 'C', 5, 0, DbfError::BadFieldName},      {" X", 'C', 5, 0, DbfError::BadFieldName},
      {"\rX", 'C', 5, 0, DbfError::BadFieldName},   {"A B", 'C', 5, 0, DbfError::BadFieldName},
      {"X", 'D', 8, 0, DbfError::BadFieldType},     {"X", 'L', 1, 0, DbfError::BadFieldType},
      {"X", 'n', 4, 0, DbfError::BadFieldType},     {"X", 'C', 0, 0, DbfError::BadFieldSize},
      {"X", 'C', 256, 0, DbfError::BadFieldSize},   {"X", 'N', 4, -1, DbfError::BadFieldSize},
  };
  for (const auto& c : cases) {
    DbfMemoryFiles files;
    files.Put(L"t.dbf", SmallTable({{"A", 1}}));
    const Bytes before = *files.Contents(L"t.dbf");
    CDBFTable table(L"t.dbf", files);
    EXPECT_FALSE(table.AddField(c.name, c.type, c.length, c.decimals)) << c.name << c.type;
    EXPECT_EQ(table.LastError(), c.error) << c.name << c.type;
    EXPECT_EQ(files.Contents(L"t.dbf"), before);
    EXPECT_EQ(table.FieldCount(), 2);
  }
}

TEST(DbfTable, RecordLengthStaysWithinSixteenBits) {
  DbfMemoryFiles files;
  CDBFTable table(L"w.dbf", files);
  for (int i = 0; i < 256; ++i) ASSERT_TRUE(table.AddField("F" + std::to_string(i), 'C', 255, 0)) << i;
  EXPECT_EQ(table.RecordLength(), 1 + 256 * 255);
  const Bytes before = *files.Contents(L"w.dbf");
  EXPECT_FALSE(table.AddField("ONEMORE", 'C', 255, 0));
  EXPECT_EQ(table.LastError(), DbfError::TableTooLarge);
  EXPECT_EQ(files.Contents(L"w.dbf"), before);
}

// Damaged or foreign files: refused with the reason, and never written.
TEST(DbfTable, RefusesFilesThatAreNotDbase3Tables) {
  const Bytes good = SmallTable({{"ONE", 1}, {"TWO", 2}});  // header 97, records 9
  const auto with = [&](auto change) {
    Bytes b = good;
    change(b);
    return b;
  };
  const struct {
    const char* what;
    Bytes bytes;
    DbfError error;
  } cases[] = {
      {"dBASE III with memo", with([](Bytes& b) { b[0] = 0x83; }), DbfError::NotDbase3},
      {"dBASE IV", with([](Bytes& b) { b[0] = 0x04; }), DbfError::NotDbase3},
      {"text", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', ',', ' ', 't', 'h', 'i', 's', ' ', 'i', 's',
                     ' ', 'n', 'o', 't', ' ', 'a', ' ', 't', 'a', 'b', 'l', 'e', '\n'},
       DbfError::NotDbase3},
      {"empty file", Bytes{}, DbfError::Truncated},
      {"header cut", Bytes(good.begin(), good.begin() + 20), DbfError::Truncated},
      {"descriptors cut", Bytes(good.begin(), good.begin() + 60), DbfError::Truncated},
      {"record cut", Bytes(good.begin(), good.end() - 3), DbfError::Truncated},
      {"count too high", with([](Bytes& b) { b[4] = 3; }), DbfError::Truncated},
      {"header length odd", with([](Bytes& b) { b[8] = 98; }), DbfError::HeaderMismatch},
      {"header length one field short", with([](Bytes& b) { b[8] = 65; }), DbfError::HeaderMismatch},
      {"header length below 33", with([](Bytes& b) { b[8] = 32; }), DbfError::HeaderMismatch},
      {"no end of descriptors", with([](Bytes& b) { b[96] = 0; }), DbfError::HeaderMismatch},
      {"end mark inside descriptors", with([](Bytes& b) { b[64] = 0x0D; }), DbfError::HeaderMismatch},
      {"record length", with([](Bytes& b) { b[10] = 10; }), DbfError::RecordMismatch},
      {"field length", with([](Bytes& b) { b[32 + 16] = 6; }), DbfError::RecordMismatch},
  };
  for (const auto& c : cases) {
    DbfMemoryFiles files;
    files.Put(L"t.dbf", c.bytes);
    CDBFTable table(L"t.dbf", files);
    EXPECT_FALSE(table.IsOpen()) << c.what;
    EXPECT_EQ(table.LastError(), c.error) << c.what;
    EXPECT_FALSE(table.LastErrorText().empty());
    EXPECT_FALSE(table.AddField("NEW", 'C', 1, 0)) << c.what;
    EXPECT_EQ(table.LastError(), c.error) << c.what;
    EXPECT_EQ(table.AppendRecord(), -1) << c.what;
    EXPECT_EQ(table.LastError(), c.error) << c.what;
    EXPECT_FALSE(table.WriteRecord(0)) << c.what;
    EXPECT_FALSE(table.ReadRecord(0)) << c.what;
    EXPECT_EQ(files.Contents(L"t.dbf"), c.bytes) << c.what;
    EXPECT_EQ(files.Paths(), std::vector<std::wstring>{L"t.dbf"}) << c.what;
  }
}

TEST(DbfTable, AcceptsATableWithoutEndMark) {
  Bytes bytes = SmallTable({{"ONE", 1}});
  bytes.pop_back();
  DbfMemoryFiles files;
  files.Put(L"t.dbf", bytes);
  CDBFTable table(L"t.dbf", files);
  ASSERT_TRUE(table.IsOpen());
  EXPECT_EQ(table.AppendRecord(), 1);
  const Bytes after = *files.Contents(L"t.dbf");
  EXPECT_EQ(after.size(), bytes.size() + 9 + 1);
  EXPECT_EQ(after.back(), 0x1A);
  EXPECT_EQ(Records(after)[0], " ONE    1");
}

TEST(DbfTable, NoFileNameIsAnError) {
  DbfMemoryFiles files;
  CDBFTable table(L"", files);
  EXPECT_FALSE(table.IsOpen());
  EXPECT_EQ(table.LastError(), DbfError::NoFileName);
  table.SetFileName(L"later.dbf");
  EXPECT_TRUE(table.Open(true));
  EXPECT_TRUE(files.Exists(L"later.dbf"));
}

TEST(DbfTable, RecordIndexesOutsideTheTableAreRefused) {
  DbfMemoryFiles files;
  files.Put(L"t.dbf", SmallTable({{"ONE", 1}}));
  const Bytes before = *files.Contents(L"t.dbf");
  CDBFTable table(L"t.dbf", files);
  EXPECT_FALSE(table.ReadRecord(1));
  EXPECT_EQ(table.LastError(), DbfError::NoSuchRecord);
  EXPECT_FALSE(table.ReadRecord(-1));
  EXPECT_FALSE(table.WriteRecord(1));
  EXPECT_EQ(table.LastError(), DbfError::NoSuchRecord);
  EXPECT_EQ(files.Contents(L"t.dbf"), before);
  EXPECT_TRUE(table.IsOpen());
}

TEST(DbfTable, LayoutChangedByAnotherProgramIsNotOverwritten) {
  DbfMemoryFiles files;
  files.Put(L"t.dbf", SmallTable({{"ONE", 1}}));
  CDBFTable table(L"t.dbf", files);
  ASSERT_TRUE(table.ReadRecord(0));
  {
    CDBFTable other(L"t.dbf", files);
    ASSERT_TRUE(other.AddField("MORE", 'C', 3, 0));
  }
  const Bytes before = *files.Contents(L"t.dbf");
  EXPECT_FALSE(table.WriteRecord(0));
  EXPECT_EQ(table.LastError(), DbfError::TableChanged);
  EXPECT_EQ(files.Contents(L"t.dbf"), before);
}

}  // namespace
