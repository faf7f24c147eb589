#include "skin/core/acSkinPack.h"

#include <gtest/gtest.h>

#include "PackBuilder.h"
#include "TempDir.h"
#include "skin/core/acUtf8.h"

namespace skin {
namespace {

namespace fs = std::filesystem;
using testing::NoiseOf;
using testing::PackBuilder;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;
using testing::ZlibOf;

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }
std::string Text(const classlib::TMemoryStream& stream) { return Text(testing::Contents(stream)); }

std::unique_ptr<TacSkinConvertor> Extract(const std::vector<std::uint8_t>& packed) {
  auto convertor = std::make_unique<TacSkinConvertor>();
  convertor->PackedData = std::make_unique<classlib::TMemoryStream>();
  testing::Fill(*convertor->PackedData, packed);
  ExtractPackedData(convertor);
  return convertor;
}

// The message of the refusal, and the convertor gone with it.
std::wstring Refusal(const std::vector<std::uint8_t>& packed) {
  auto convertor = std::make_unique<TacSkinConvertor>();
  convertor->PackedData = std::make_unique<classlib::TMemoryStream>();
  testing::Fill(*convertor->PackedData, packed);
  try {
    ExtractPackedData(convertor);
  } catch (const EacSkinPackError& e) {
    EXPECT_EQ(convertor, nullptr);
    return e.Message();
  }
  ADD_FAILURE() << "the container was accepted";
  return {};
}

TEST(SkinPack, PackDirThenLoadGivesBackEveryFileInOrder) {
  TempDir skin;
  const std::string options = "[GLOBALINFO]\r\nVersion=7.5\r\n";
  const std::string bitmap = NoiseOf(300000, 3);  // larger than every internal buffer
  WriteFile(skin / "Options.dat", options);
  WriteFile(skin / "z.BMP", "zz");
  WriteFile(skin / "a.bmp", bitmap);
  WriteFile(skin / "b.png", "png");
  WriteFile(skin / "c.jpg", "jpg");
  WriteFile(skin / "notes.txt", "not packed");
  WriteFile(skin / ".hidden.bmp", "not packed");
  fs::create_directory(skin / "folder.bmp");

  TempDir out;
  ASSERT_EQ(PackDir(skin.Path(), out / "skin.asz"), 5);

  const std::string packed = ReadFile(out / "skin.asz");
  const std::vector<TacPackedEntry> entries =
      ReadPackedEntries({reinterpret_cast<const std::uint8_t*>(packed.data()), packed.size()});
  std::vector<std::string> names;
  for (const TacPackedEntry& entry : entries) names.push_back(entry.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Options.dat", "a.bmp", "z.BMP", "b.png", "c.jpg"}));

  std::unique_ptr<TacSkinConvertor> convertor;
  LoadSkinFromFile(out / "skin.asz", convertor, true);
  ASSERT_NE(convertor, nullptr);
  EXPECT_EQ(convertor->PackedData, nullptr);
  EXPECT_EQ(convertor->ImageCount, 4);
  ASSERT_NE(convertor->Options, nullptr);
  EXPECT_EQ(Text(*convertor->Options), options);
  ASSERT_EQ(convertor->Files.size(), 4u);
  EXPECT_EQ(Text(*convertor->Files[0].FileStream), bitmap);
  EXPECT_TRUE(convertor->Files[0].IsBitmap);
  EXPECT_TRUE(convertor->Files[1].IsBitmap);
  EXPECT_FALSE(convertor->Files[2].IsBitmap);
  EXPECT_EQ(Text(*convertor->Files[3].FileStream), "jpg");

  // Loading into an existing convertor clears it first; FreePackedData false keeps the data.
  LoadSkinFromFile(out / "skin.asz", convertor, false);
  EXPECT_EQ(convertor->Files.size(), 4u);
  ASSERT_NE(convertor->PackedData, nullptr);
  EXPECT_EQ(convertor->PackedData->Size(), static_cast<std::int64_t>(packed.size()));
}

TEST(SkinPack, NothingToPackOrToLoadChangesNothing) {
  TempDir empty;
  WriteFile(empty / "readme.txt", "x");
  EXPECT_EQ(PackDir(empty.Path(), empty / "out.asz"), 0);
  EXPECT_FALSE(fs::exists(empty / "out.asz"));

  std::unique_ptr<TacSkinConvertor> convertor;
  LoadSkinFromFile(empty / "missing.asz", convertor, true);
  EXPECT_EQ(convertor, nullptr);
  convertor = Extract(PackBuilder(1).Entry("a.png", "A").Bytes());
  LoadSkinFromFile(empty / "missing.asz", convertor, true);
  ASSERT_NE(convertor, nullptr);
  EXPECT_EQ(convertor->Files.size(), 1u);
}

TEST(SkinPack, OptionsEntryIsFoundWithoutRegardToCase) {
  auto c = Extract(PackBuilder(4)
                       .Entry("img.Bmp", "B")
                       .Entry("OPTIONS.DAT", "first")
                       .Entry("Options.txt", "T")
                       .Entry("options.dat", "second")
                       .Bytes());
  ASSERT_NE(c->Options, nullptr);
  EXPECT_EQ(Text(*c->Options), "second");  // a second options entry replaces the first
  EXPECT_EQ(c->ImageCount, 3);
  ASSERT_EQ(c->Files.size(), 2u);
  EXPECT_EQ(c->Files[0].FileName, "img.Bmp");
  EXPECT_TRUE(c->Files[0].IsBitmap);
  EXPECT_EQ(c->Files[1].FileName, "Options.txt");
  EXPECT_FALSE(c->Files[1].IsBitmap);

  auto none = Extract(PackBuilder(0).Bytes());
  EXPECT_EQ(none->ImageCount, -1);
  EXPECT_EQ(none->Options, nullptr);
  EXPECT_TRUE(none->Files.empty());

  auto empty = Extract(PackBuilder(1).Entry("e.png", "").Bytes());
  ASSERT_EQ(empty->Files.size(), 1u);
  EXPECT_EQ(empty->Files[0].FileStream->Size(), 0);
}

TEST(SkinPack, MalformedContainersAreRefusedWithTheirFault) {
  const std::string noise = NoiseOf(100);
  const auto noiseZlib = ZlibOf(noise);
  auto badZlib = ZlibOf("some text to pack");
  badZlib.back() ^= 0xFF;                                // the Adler-32 check no longer matches
  const auto bomb = ZlibOf(std::string(4 << 20, '\0'));  // 4 MiB of zeros in a few kilobytes
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    const wchar_t* message;
  };
  const Case cases[] = {
      {"empty data", {}, kNotPackedSkinText},
      {"wrong magic", testing::Bytes("ASzg\0\0\0\0"), kNotPackedSkinText},
      {"no count", testing::Bytes("ASzf"), L"ends before the entry count"},
      {"negative count", PackBuilder(-1).Bytes(), L"negative entry count -1"},
      {"count beyond the data", PackBuilder(1000).Entry("a.bmp", "x").Bytes(), L"cannot fit"},
      {"count too large", PackBuilder(2).Entry("a.bmp", 100, noiseZlib).Bytes(),
       L"entry 2 of 2: the data ends before its name length"},
      {"count too small", PackBuilder(1).Entry("a.bmp", "x").Entry("b.bmp", "y").Bytes(),
       L"follow the last of the 1 entries"},
      {"empty name", PackBuilder(1).Entry("", "x").Bytes(), L"name length 0"},
      {"negative name length", PackBuilder(1).Int32(-5).Raw(std::string(20, 'n')).Bytes(), L"name length -5"},
      {"huge name length", PackBuilder(1).Int32(256).Raw(std::string(300, 'n')).Bytes(),
       L"name length 256 is over 255"},
      {"name past the end", PackBuilder(1).Int32(200).Raw(std::string(30, 'n')).Bytes(), L"ends inside its name"},
      {"no size", PackBuilder(1).Int32(13).Raw("nnnnnnnnnnnnn").Bytes(), L"ends before its size"},
      {"negative size", PackBuilder(1).Entry("a.bmp", -1, noiseZlib).Bytes(), L"negative size -1"},
      {"size over the limit", PackBuilder(1).Entry("a.bmp", (64 << 20) + 1, noiseZlib).Bytes(),
       L"over the limit of 64 MiB"},
      {"size no data can give", PackBuilder(1).Entry("a.bmp", 20 << 20, ZlibOf("x")).Bytes(), L"cannot come from"},
      {"bad zlib data", PackBuilder(1).Entry("a.bmp", 17, badZlib).Bytes(), L"bad compressed data"},
      {"more data than stated", PackBuilder(1).Entry("a.bmp", 99, noiseZlib).Bytes(),
       L"unpacks to more than its stated 99 bytes"},
      {"less data than stated", PackBuilder(1).Entry("a.bmp", 101, noiseZlib).Bytes(),
       L"unpacks to 100 bytes, not its stated 101"},
      {"zero stated, data given", PackBuilder(1).Entry("a.bmp", 0, noiseZlib).Bytes(), L"more than its stated 0 bytes"},
      {"decompression bomb", PackBuilder(1).Entry("a.bmp", 1000, bomb).Bytes(),
       L"unpacks to more than its stated 1000 bytes"},
      {"preset dictionary", PackBuilder(1).Entry("a.bmp", 4, testing::ZlibWithDictionary("data", "dict")).Bytes(),
       L"preset dictionary"},
      {"stream cut short", PackBuilder(1).Entry("a.bmp", 100, {noiseZlib.begin(), noiseZlib.end() - 3}).Bytes(),
       L"ends inside its zlib stream"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring message = Refusal(c.bytes);
    EXPECT_NE(message.find(c.message), std::wstring::npos) << acWideToUtf8(message);
  }
}

TEST(SkinPack, EveryTruncationOfAGoodContainerIsRefused) {
  const std::vector<std::uint8_t> good =
      PackBuilder(3).Entry("Options.dat", "[FORM]\nColor=1\n").Entry("a.bmp", NoiseOf(500)).Entry("b.png", "").Bytes();
  ASSERT_EQ(Extract(good)->Files.size(), 2u);
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    SCOPED_TRACE(cut);
    EXPECT_FALSE(Refusal({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)}).empty());
  }
}

TEST(SkinPack, UnpackWritesEveryEntryAndReplacesExistingFiles) {
  TempDir dir;
  const std::string name1251 = "\xCA\xED\xEE\xEF\xEA\xE0.bmp";  // "Кнопка.bmp" in code page 1251
  const auto packed = PackBuilder(2).Entry("Options.dat", "opts").Entry(name1251, NoiseOf(2000)).Bytes();
  WriteFile(dir / "skin.asz", Text(packed));
  fs::create_directories(dir / "out");
  WriteFile(dir / "out" / "Options.dat", "old contents, much longer than the new ones");

  UnpackSkinFile(dir / "skin.asz", dir / "out");
  EXPECT_EQ(ReadFile(dir / "out" / "Options.dat"), "opts");
  EXPECT_EQ(ReadFile(dir / "out" / fs::path(u8"Кнопка.bmp")), NoiseOf(2000));

  // Packing that folder again stores the Cyrillic name in code page 1251.
  fs::remove(dir / "skin.asz");
  ASSERT_EQ(PackDir(dir / "out", dir / "again.asz"), 2);
  const std::string again = ReadFile(dir / "again.asz");
  EXPECT_NE(again.find(name1251), std::string::npos);
}

TEST(SkinPack, UnpackRefusesNamesThatLeaveTheFolderAndWritesNothing) {
  for (const char* name :
       {"../evil.bmp", "sub/evil.bmp", "sub\\evil.bmp", "C:evil.bmp", "..", ".", "a..b.bmp", "tab\t.bmp"}) {
    SCOPED_TRACE(name);
    TempDir dir;
    WriteFile(dir / "skin.asz", Text(PackBuilder(2).Entry("good.bmp", "g").Entry(name, "evil").Bytes()));
    try {
      UnpackSkinFile(dir / "skin.asz", dir / "out");
      ADD_FAILURE() << "unpacked";
    } catch (const EacSkinPackError& e) {
      EXPECT_NE(e.Message().find(L"not a plain file name"), std::wstring::npos) << acWideToUtf8(e.Message());
    }
    EXPECT_FALSE(fs::exists(dir / "out"));
    EXPECT_FALSE(fs::exists(dir / "evil.bmp"));
  }
}

TEST(SkinPack, UnpackNamesAFileThatIsNoContainer) {
  TempDir dir;
  WriteFile(dir / "plain.asz", "PK\x03\x04 not a skin");
  try {
    UnpackSkinFile(dir / "plain.asz", dir / "out");
    FAIL() << "unpacked";
  } catch (const EacSkinPackError& e) {
    EXPECT_EQ(e.Message(), acPathText(dir / "plain.asz") + L" is not packed VovevErav file");
  }
}

TEST(SkinPack, UnpackReplacesALinkInsteadOfWritingThroughIt) {
  TempDir dir;
  WriteFile(dir / "outside.txt", "keep me");
  fs::create_directories(dir / "out");
  std::error_code error;
  fs::create_symlink(dir / "outside.txt", dir / "out" / "a.bmp", error);
  if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
  WriteFile(dir / "skin.asz", Text(PackBuilder(1).Entry("a.bmp", "new").Bytes()));
  UnpackSkinFile(dir / "skin.asz", dir / "out");
  EXPECT_EQ(ReadFile(dir / "outside.txt"), "keep me");
  EXPECT_FALSE(fs::is_symlink(dir / "out" / "a.bmp"));
  EXPECT_EQ(ReadFile(dir / "out" / "a.bmp"), "new");
}

TEST(SkinPack, PackDirRefusesNamesItCannotStore) {
  TempDir dir;
  WriteFile(dir / fs::path(u8"\u4E2D.bmp"), "x");
  EXPECT_THROW(PackDir(dir.Path(), dir / "out.asz"), EacSkinPackError);
  EXPECT_FALSE(fs::exists(dir / "out.asz"));
}

}  // namespace
}  // namespace skin
