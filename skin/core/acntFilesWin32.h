#pragma once
// File and folder routines of the toolbox over the Win32 API (win32 build only). Names are
// UTF-16; folder arguments may or may not end in a back slash unless said otherwise.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// Attribute bits of a directory search.
inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;
inline constexpr int faSysFile = 0x04;
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faAnyFile = 0x3F;

// The executable's folder, ending in a back slash.
std::wstring GetAppPath();
// The executable's file name without extension, in lower case.
std::wstring GetAppName();
// Size of the file found for the expanded Name (any attributes); -1 when none.
std::int64_t GetFileSize(std::wstring_view Name);

HANDLE acFindFirstFile(std::wstring_view Name, WIN32_FIND_DATAW& Data);
bool acFindNextFile(HANDLE Handle, WIN32_FIND_DATAW& Data);

// A directory search: entries whose hidden, system, volume or folder bits are not asked for in
// Attr are passed over.
struct TacSearchRec {
  int Time = 0;  // packed DOS date and time, local
  std::int64_t Size = 0;
  int Attr = 0;
  std::wstring Name;
  int ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW FindData{};
};
// 0 when an entry was found, else the system's error code (ERROR_NO_MORE_FILES at the end).
int acFindFirst(std::wstring_view Path, int Attr, TacSearchRec& Rec);
int acFindNext(TacSearchRec& Rec);
void acFindClose(TacSearchRec& Rec);

bool acDirExists(std::wstring_view Dir);
bool acCreateDir(std::wstring_view Dir);
bool acRemoveDir(std::wstring_view Dir);
bool acSetCurrentDir(std::wstring_view Dir);
std::wstring acGetCurrentDir();
bool acCopyFile(std::wstring_view Src, std::wstring_view Dst, bool FailIfExists);
// Deletes a file; a folder that is a junction (reparse point) is removed as a folder instead.
// On failure the system's last error stays as the deletion set it.
bool acDeleteFile(std::wstring_view Name);
// INVALID_FILE_ATTRIBUTES when the name is not found.
DWORD acFileGetAttr(std::wstring_view Name);
// 0 or the system's error code.
DWORD acFileSetAttr(std::wstring_view Name, DWORD Attr);

// Empties a folder tree: files are deleted (read-only ones made writable first), sub-folders
// cleared; a junction inside the tree is removed as a link and never followed. With Delete the
// emptied folder itself goes too (never a bare drive such as "C:"). True when every step
// succeeded; it stops at the first failure.
bool ClearDir(std::wstring_view Dir, bool Delete);
// Copies every entry of FromDir matching Mask (not beginning with "."), overwriting, into ToDir,
// which is created when missing. True when every copy succeeded.
bool CopyFiles(std::wstring_view Mask, std::wstring_view FromDir, std::wstring_view ToDir);
// Names of the sub-folders of Path that do not begin with ".".
std::vector<std::wstring> GetDirs(std::wstring_view Path);

// The long or short (8.3) form of a name or of a whole path; empty when it is not found.
std::wstring ShortToLongFileName(std::wstring_view Name);
std::wstring LongToShortFileName(std::wstring_view Name);
std::wstring ShortToLongPath(std::wstring_view Path);
std::wstring LongToShortPath(std::wstring_view Path);

std::wstring GetSystemDir();

// 8-bit text of the OEM code page in the ANSI code page.
std::string OemToAnsiStr(std::string_view S);

}  // namespace skin
