// The Win32 share of the toolbox and of the shared constants, run under Wine.
#include <gtest/gtest.h>

#include <algorithm>

#include "TempDir.h"
#include "skin/core/acntFilesWin32.h"
#include "skin/core/acntSystemWin32.h"
#include "skin/core/acntWords.h"
#include "skin/core/sConst.h"
#include "skin/core/sConstWin32.h"

namespace skin {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteFile;

TEST(SConstWin32, StartUpTakesTheSystemsValues) {
  EXPECT_EQ(acScrollBtnLength, GetSystemMetrics(SM_CXHSCROLL));
  // This executable carries no string table: the built-in texts stand.
  EXPECT_EQ(acs_MsgDlgCancel, L"Cancel");
}

TEST(SConstWin32, ShellImageListsAreMadeOnceAndBothAlways) {
  InitShellImageLists(false, false);
  ASSERT_NE(LargeShellImages, nullptr);
  ASSERT_NE(SmallShellImages, nullptr);
  EXPECT_EQ(LargeShellImages->Name(), L"sShellLargeImages");
  EXPECT_EQ(SmallShellImages->Name(), L"sShellSmallImages");
  EXPECT_TRUE(LargeShellImages->ShareImages());
  const TacShellImageList* large = LargeShellImages.get();
  InitShellImageLists(true, true);
  EXPECT_EQ(LargeShellImages.get(), large);
}

TEST(AcntWin32, ApplicationAndSystemFolders) {
  const std::wstring path = GetAppPath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.back(), L'\\');
  EXPECT_EQ(GetAppName(), L"skincore_test");
  EXPECT_TRUE(acDirExists(GetSystemDir()));
}

TEST(AcntWin32, FileSizeAndDeletion) {
  TempDir dir;
  WriteFile(dir / "data.bin", std::string(1234, 'x'));
  EXPECT_EQ(GetFileSize((dir / "data.bin").wstring()), 1234);
  EXPECT_EQ(GetFileSize((dir / "none.bin").wstring()), -1);
  const std::wstring old = acGetCurrentDir();
  ASSERT_TRUE(acSetCurrentDir(dir.Path().wstring()));
  EXPECT_EQ(GetFileSize(L"data.bin"), 1234);  // expanded against the current folder
  ASSERT_TRUE(acSetCurrentDir(old));

  SetLastError(0);
  EXPECT_FALSE(acDeleteFile((dir / "none.bin").wstring()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(acDeleteFile((dir / "data.bin").wstring()));
  EXPECT_FALSE(fs::exists(dir / "data.bin"));
}

TEST(AcntWin32, SearchSkipsFoldersUnlessAsked) {
  TempDir dir;
  WriteFile(dir / "a.txt", "a");
  fs::create_directory(dir / "sub");
  fs::create_directory(dir / ".dot");
  auto names = [&](int attr) {
    std::vector<std::wstring> found;
    TacSearchRec rec;
    for (int r = acFindFirst((dir / "*").wstring(), attr, rec); r == 0; r = acFindNext(rec)) found.push_back(rec.Name);
    acFindClose(rec);
    std::sort(found.begin(), found.end());
    return found;
  };
  EXPECT_EQ(names(0), (std::vector<std::wstring>{L"a.txt"}));
  EXPECT_EQ(names(faAnyFile), (std::vector<std::wstring>{L".", L"..", L".dot", L"a.txt", L"sub"}));
  EXPECT_EQ(GetDirs(dir.Path().wstring()), (std::vector<std::wstring>{L"sub"}));
  TacSearchRec rec;
  EXPECT_EQ(acFindFirst((dir / "*.none").wstring(), faAnyFile, rec), ERROR_FILE_NOT_FOUND);
}

TEST(AcntWin32, ClearDirEmptiesATreeWithReadOnlyFilesAndThenRemovesIt) {
  TempDir dir;
  const fs::path root = dir / "tree";
  fs::create_directories(root / "sub" / "deeper");
  WriteFile(root / "one.txt", "1");
  WriteFile(root / "sub" / "ro.txt", "2");
  WriteFile(root / "sub" / "deeper" / "three.txt", "3");
  ASSERT_EQ(acFileSetAttr((root / "sub" / "ro.txt").wstring(), FILE_ATTRIBUTE_READONLY), 0u);

  EXPECT_TRUE(ClearDir(root.wstring(), false));
  EXPECT_TRUE(fs::exists(root));
  EXPECT_TRUE(fs::exists(root / "sub"));  // folders are emptied, not removed
  EXPECT_FALSE(fs::exists(root / "one.txt"));
  EXPECT_FALSE(fs::exists(root / "sub" / "ro.txt"));

  WriteFile(root / "sub" / "again.txt", "4");
  EXPECT_TRUE(ClearDir(root.wstring() + L"\\", true));
  EXPECT_FALSE(fs::exists(root));
  EXPECT_FALSE(ClearDir(root.wstring(), true));
}

TEST(AcntWin32, CopyFilesCreatesTheTargetAndSkipsDotNames) {
  TempDir dir;
  fs::create_directory(dir / "from");
  WriteFile(dir / "from" / "a.bmp", "a");
  WriteFile(dir / "from" / "b.bmp", "b");
  WriteFile(dir / "from" / "c.txt", "c");
  EXPECT_TRUE(CopyFiles(L"*.bmp", (dir / "from").wstring(), (dir / "to").wstring()));
  EXPECT_TRUE(fs::exists(dir / "to" / "a.bmp"));
  EXPECT_TRUE(fs::exists(dir / "to" / "b.bmp"));
  EXPECT_FALSE(fs::exists(dir / "to" / "c.txt"));
  EXPECT_TRUE(acCopyFile((dir / "from" / "c.txt").wstring(), (dir / "to" / "c.txt").wstring(), true));
  EXPECT_FALSE(acCopyFile((dir / "from" / "c.txt").wstring(), (dir / "to" / "c.txt").wstring(), true));
}

TEST(AcntWin32, LongAndShortNames) {
  TempDir dir;
  const fs::path longName = dir / "A rather long folder name";
  fs::create_directory(longName);
  const std::wstring shortPath = LongToShortPath(longName.wstring());
  ASSERT_FALSE(shortPath.empty());
  EXPECT_TRUE(acDirExists(shortPath));
  EXPECT_EQ(acUpperCase(ShortToLongPath(shortPath)), acUpperCase(longName.wstring()));
  EXPECT_EQ(ShortToLongFileName(shortPath), L"A rather long folder name");
  EXPECT_TRUE(LongToShortPath((dir / "missing").wstring()).empty());
  EXPECT_TRUE(ShortToLongFileName((dir / "missing").wstring()).empty());
}

TEST(AcntWin32, SystemProbes) {
  EXPECT_TRUE(IsNTFamily());
  EXPECT_FALSE(IsIDERunning());
  EXPECT_NE(GetCaptionFontSize(), 0);
  const HFONT font = acGetTitleFont();
  EXPECT_NE(font, nullptr);
  DeleteObject(font);
  EXPECT_EQ(OemToAnsiStr("plain ASCII"), "plain ASCII");
}

// A 64-bit process is never under WOW64, yet its Windows is 64-bit all the same; Wine has no
// desktop composition, so the start-up must then have chosen the no-Aero path.
TEST(AcntWin32, SixtyFourBitWindowsIsSeenFromEitherKindOfProcess) {
  SYSTEM_INFO native{};
  GetNativeSystemInfo(&native);
  const bool windows64 = native.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
  EXPECT_EQ(IsWindows64(), windows64);
  if (sizeof(void*) == 8) {
    EXPECT_FALSE(IsWOW64Proc());
    EXPECT_TRUE(x64woAero);
  }
}

}  // namespace
}  // namespace skin
