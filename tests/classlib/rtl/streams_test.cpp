#include "classlib/Streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "classlib/Exception.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

using namespace classlib;

namespace {

// A fresh folder per test, removed afterwards.
class StreamFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("tarvisel-rtl-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::wstring Path(const std::wstring& name) const { return dir_.wstring() + L"/" + name; }
  // Through UTF-8, which std::filesystem converts the same way on both systems.
  std::filesystem::path Native(const std::wstring& name) const {
    const std::string utf8 = Utf8Encode(name);
    return dir_ / std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
  }
  std::string Bytes(const std::wstring& name) const {
    std::ifstream in(Native(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Put(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(Native(name), std::ios::binary);
    out << bytes;
  }
  std::filesystem::path dir_;
};

std::string ReadAll(TStream& s) {
  std::string out(static_cast<std::size_t>(s.Size() - s.Position()), '\0');
  s.ReadBuffer(out.data(), static_cast<std::int64_t>(out.size()));
  return out;
}

}  // namespace

TEST(MemoryStream, ReadsWritesSeeksAndGrows) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Position(), 5);
  EXPECT_EQ(m.Size(), 5);
  m.SetPosition(8);  // beyond the end: the gap fills with zeros on the next write
  m.WriteBuffer("!", 1);
  EXPECT_EQ(m.Size(), 9);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(m.Memory()), 9), std::string("hello\0\0\0!", 9));
  EXPECT_EQ(m.Seek(-4, soEnd), 5);
  char two[8];
  EXPECT_EQ(m.Read(two, 2), 2);
  EXPECT_EQ(m.Seek(-1, soCurrent), 6);
  EXPECT_EQ(m.Read(two, 100), 3);  // short at the end
  EXPECT_EQ(m.Read(two, 1), 0);
  m.SetSize(3);
  EXPECT_EQ(m.Position(), 9);  // kept beyond the new end
  EXPECT_EQ(m.Read(two, 1), 0);
  m.SetPosition(0);
  EXPECT_EQ(ReadAll(m), "hel");
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.Position(), 0);
}

TEST(MemoryStream, FaultsRaiseStreamErrors) {
  TMemoryStream m;
  m.WriteBuffer("abc", 3);
  m.SetPosition(1);
  char buffer[8];
  try {
    m.ReadBuffer(buffer, 3);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), L"Stream read error");
  }
  EXPECT_THROW(m.Seek(-1, soBeginning), EStreamError);
  EXPECT_THROW(m.Seek(-10, soEnd), EStreamError);
  EXPECT_THROW(m.SetSize(-1), EStreamError);
  EXPECT_THROW(m.SetSize(std::int64_t{1} << 62), EStreamError);  // refused, not a crash
  EXPECT_THROW(m.ReadBuffer(buffer, -1), EReadError);
  EXPECT_EQ(m.Size(), 3);
}

TEST(MemoryStream, CopyFromAndLoadFromStream) {
  TMemoryStream a, b, c;
  std::string big(200000, 'x');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  a.WriteBuffer(big.data(), static_cast<std::int64_t>(big.size()));
  EXPECT_EQ(b.CopyFrom(a, 0), static_cast<std::int64_t>(big.size()));  // whole source
  b.SetPosition(0);
  EXPECT_EQ(ReadAll(b), big);
  a.SetPosition(10);
  c.CopyFrom(a, 5);
  c.SetPosition(0);
  EXPECT_EQ(ReadAll(c), big.substr(10, 5));
  a.SetPosition(big.size() - 2);
  EXPECT_THROW(c.CopyFrom(a, 5), EReadError);
  c.LoadFromStream(b);
  EXPECT_EQ(c.Position(), 0);
  EXPECT_EQ(c.Size(), static_cast<std::int64_t>(big.size()));
  c.LoadFromStream(c);
  EXPECT_EQ(c.Size(), static_cast<std::int64_t>(big.size()));
}

TEST_F(StreamFiles, FileStreamCreatesReadsAndTruncates) {
  const std::wstring name = Path(L"Настройки ✓.bin");
  {
    TFileStream f(name, fmCreate);
    EXPECT_EQ(f.FileName(), name);
    f.WriteBuffer("0123456789", 10);
    EXPECT_EQ(f.Size(), 10);
    f.SetSize(4);
    EXPECT_EQ(f.Size(), 4);
  }
  EXPECT_EQ(Bytes(L"Настройки ✓.bin"), "0123");
  {
    TFileStream f(name, fmOpenReadWrite);
    f.Seek(0, soEnd);
    f.WriteBuffer("ab", 2);
    f.SetPosition(2);
    EXPECT_EQ(ReadAll(f), "23ab");
  }
  TMemoryStream m;
  m.LoadFromFile(name);
  EXPECT_EQ(ReadAll(m), "0123ab");
  m.SaveToFile(Path(L"copy.bin"));
  EXPECT_EQ(Bytes(L"copy.bin"), "0123ab");
  TFileStream readOnly(name, fmOpenRead | fmShareDenyNone);
  EXPECT_EQ(readOnly.Write("x", 1), 0);
  EXPECT_THROW(readOnly.WriteBuffer("x", 1), EWriteError);
}

TEST_F(StreamFiles, MissingFilesRaiseWithTheirNames) {
  const std::wstring missing = Path(L"missing.txt");
  try {
    TFileStream f(missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind(L"Cannot open file \"" + missing + L"\". ", 0), 0u) << e.Message().size();
    EXPECT_GT(e.Message().size(), missing.size() + 22);  // the system's reason follows
  }
  EXPECT_THROW(TFileStream(Path(L"no/such/folder.txt"), fmCreate), EFCreateError);
  EXPECT_THROW(TFileStream(Path(L""), fmOpenRead), EFOpenError);  // the folder itself
}

TEST_F(StreamFiles, StringListsKeepTheirTextEncoding) {
  // Code page 1251 without a mark, as the skin files hold it.
  Put(L"ru.txt", "[FORM]\r\n\xCA\xEE\xED\xF4\xE8\xE3=1\r\n");
  TStringList list;
  list.LoadFromFile(Path(L"ru.txt"));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list[1], L"Конфиг=1");
  EXPECT_EQ(list.Encoding, TTextEncoding::Cp1251);
  list.SaveToFile(Path(L"ru-out.txt"));
  EXPECT_EQ(Bytes(L"ru-out.txt"), Bytes(L"ru.txt"));

  Put(L"utf8.txt", "\xEF\xBB\xBF\xD0\x96\xD1\x83\xD0\xBA\nline");
  list.LoadFromFile(Path(L"utf8.txt"));
  EXPECT_EQ(list[0], L"Жук");
  EXPECT_EQ(list.Encoding, TTextEncoding::Utf8);
  list.SaveToFile(Path(L"utf8-out.txt"));
  EXPECT_EQ(Bytes(L"utf8-out.txt"), "\xEF\xBB\xBF\xD0\x96\xD1\x83\xD0\xBA\r\nline\r\n");

  Put(L"le.txt", std::string("\xFF\xFE\x16\x04\x0D\x00\x0A\x00"
                             "a\x00"
                             "\x3D\xD8\x00\xDE",
                             14));
  list.LoadFromFile(Path(L"le.txt"));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], L"Ж");
  EXPECT_EQ(list[1].substr(0, 1), L"a");
  EXPECT_EQ(list.Encoding, TTextEncoding::Utf16);
  Put(L"be.txt", std::string("\xFE\xFF\x04\x16\x00"
                             "b",
                             6));
  list.LoadFromFile(Path(L"be.txt"));
  EXPECT_EQ(list[0], L"Жb");
  list.Encoding = TTextEncoding::Utf16;
  list.SaveToFile(Path(L"be-out.txt"));
  EXPECT_EQ(Bytes(L"be-out.txt"), std::string("\xFF\xFE\x16\x04"
                                              "b\x00\x0D\x00\x0A\x00",
                                              10));

  // From the stream's position on.
  TMemoryStream m;
  m.WriteBuffer("skip|x\ny", 8);
  m.SetPosition(5);
  list.LoadFromStream(m);
  EXPECT_EQ(list.CommaText(), L"x,y");
}
