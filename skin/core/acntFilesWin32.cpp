#include "skin/core/acntFilesWin32.h"

#include "skin/core/acntPaths.h"
#include "skin/core/acntWords.h"

namespace skin {
namespace {

std::wstring Str(std::wstring_view s) { return std::wstring(s); }

std::wstring ModuleFileName() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// Calls a Win32 routine that fills a buffer and answers the length it needs.
template <typename Fill>
std::wstring FilledString(Fill fill) {
  std::wstring buffer(MAX_PATH, L'\0');
  DWORD n = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n > buffer.size()) {
    buffer.resize(n);
    n = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (n == 0 || n > buffer.size()) return {};
  buffer.resize(n);
  return buffer;
}

bool IsDotName(const std::wstring& name) { return !name.empty() && name.front() == L'.'; }

void FillSearchRec(TacSearchRec& rec) {
  const WIN32_FIND_DATAW& d = rec.FindData;
  FILETIME local{};
  WORD date = 0, time = 0;
  if (FileTimeToLocalFileTime(&d.ftLastWriteTime, &local) && FileTimeToDosDateTime(&local, &date, &time))
    rec.Time = static_cast<int>(static_cast<unsigned>(date) << 16 | time);
  else
    rec.Time = -1;
  rec.Size = static_cast<std::int64_t>(static_cast<std::uint64_t>(d.nFileSizeHigh) << 32 | d.nFileSizeLow);
  rec.Attr = static_cast<int>(d.dwFileAttributes);
  rec.Name = d.cFileName;
}

// Moves on to the first entry whose attributes are not excluded; 0 or an error code.
int FindMatching(TacSearchRec& rec) {
  while ((rec.FindData.dwFileAttributes & static_cast<DWORD>(rec.ExcludeAttr)) != 0) {
    if (!FindNextFileW(rec.FindHandle, &rec.FindData)) return static_cast<int>(GetLastError());
  }
  FillSearchRec(rec);
  return 0;
}

}  // namespace

std::wstring GetAppPath() {
  const std::wstring name = ModuleFileName();
  return name.substr(0, name.find_last_of(L"\\/:") + 1);
}

std::wstring GetAppName() {
  std::wstring name = ModuleFileName();
  name.erase(0, name.find_last_of(L"\\/:") + 1);
  const std::size_t dot = name.find_last_of(L'.');
  if (dot != name.npos) name.erase(dot);
  return acLowerCase(name);
}

std::int64_t GetFileSize(std::wstring_view Name) {
  const std::wstring expanded = FilledString(
      [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(Str(Name).c_str(), size, buffer, nullptr); });
  if (expanded.empty()) return -1;
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW(expanded.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return -1;
  FindClose(find);
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
}

HANDLE acFindFirstFile(std::wstring_view Name, WIN32_FIND_DATAW& Data) {
  return FindFirstFileW(Str(Name).c_str(), &Data);
}

bool acFindNextFile(HANDLE Handle, WIN32_FIND_DATAW& Data) { return FindNextFileW(Handle, &Data) != FALSE; }

int acFindFirst(std::wstring_view Path, int Attr, TacSearchRec& Rec) {
  acFindClose(Rec);
  Rec.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  Rec.FindHandle = FindFirstFileW(Str(Path).c_str(), &Rec.FindData);
  if (Rec.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  const int result = FindMatching(Rec);
  if (result != 0) acFindClose(Rec);
  return result;
}

int acFindNext(TacSearchRec& Rec) {
  if (Rec.FindHandle == INVALID_HANDLE_VALUE) return ERROR_NO_MORE_FILES;
  if (!FindNextFileW(Rec.FindHandle, &Rec.FindData)) return static_cast<int>(GetLastError());
  return FindMatching(Rec);
}

void acFindClose(TacSearchRec& Rec) {
  if (Rec.FindHandle != INVALID_HANDLE_VALUE) FindClose(Rec.FindHandle);
  Rec.FindHandle = INVALID_HANDLE_VALUE;
}

bool acDirExists(std::wstring_view Dir) {
  const DWORD attr = GetFileAttributesW(Str(Dir).c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool acCreateDir(std::wstring_view Dir) { return CreateDirectoryW(Str(Dir).c_str(), nullptr) != FALSE; }
bool acRemoveDir(std::wstring_view Dir) { return RemoveDirectoryW(Str(Dir).c_str()) != FALSE; }
bool acSetCurrentDir(std::wstring_view Dir) { return SetCurrentDirectoryW(Str(Dir).c_str()) != FALSE; }

std::wstring acGetCurrentDir() {
  return FilledString([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

bool acCopyFile(std::wstring_view Src, std::wstring_view Dst, bool FailIfExists) {
  return CopyFileW(Str(Src).c_str(), Str(Dst).c_str(), FailIfExists) != FALSE;
}

bool acDeleteFile(std::wstring_view Name) {
  const std::wstring name(Name);
  if (DeleteFileW(name.c_str())) return true;
  const DWORD error = GetLastError();
  const DWORD attr = GetFileAttributesW(name.c_str());
  const DWORD junction = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  if (attr != INVALID_FILE_ATTRIBUTES && (attr & junction) == junction) return RemoveDirectoryW(name.c_str()) != FALSE;
  SetLastError(error);
  return false;
}

DWORD acFileGetAttr(std::wstring_view Name) { return GetFileAttributesW(Str(Name).c_str()); }

DWORD acFileSetAttr(std::wstring_view Name, DWORD Attr) {
  return SetFileAttributesW(Str(Name).c_str(), Attr) ? 0 : GetLastError();
}

bool ClearDir(std::wstring_view Dir, bool Delete) {
  if (!acDirExists(Dir)) return false;
  const std::wstring folder = NormalDir(Dir);
  TacSearchRec rec;
  bool ok = true;
  int found = acFindFirst(folder + L"*.*", faAnyFile, rec);
  while (found == 0) {
    if (!rec.Name.empty() && !IsDotName(rec.Name) && (rec.Attr & faVolumeID) == 0) {
      const std::wstring path = folder + rec.Name;
      if ((rec.Attr & faDirectory) != 0 && (rec.Attr & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        ok = ClearDir(path, Delete);
      } else {
        if ((rec.Attr & faReadOnly) != 0) acFileSetAttr(path, FILE_ATTRIBUTE_ARCHIVE);
        ok = acDeleteFile(path);
      }
      if (!ok) break;
    }
    found = acFindNext(rec);
  }
  acFindClose(rec);
  if (!ok) return false;
  const bool isDrive = Dir.size() == 2 && Dir[1] == L':';
  if (Delete && found == ERROR_NO_MORE_FILES && !isDrive) return acRemoveDir(Dir);
  return true;
}

bool CopyFiles(std::wstring_view Mask, std::wstring_view FromDir, std::wstring_view ToDir) {
  const std::wstring from = NormalDir(FromDir);
  const std::wstring to = NormalDir(ToDir);
  if (!acDirExists(ToDir) && !acCreateDir(ToDir)) return false;
  bool ok = true;
  TacSearchRec rec;
  for (int found = acFindFirst(from + std::wstring(Mask), faAnyFile, rec); found == 0; found = acFindNext(rec)) {
    if (IsDotName(rec.Name) || (rec.Attr & faVolumeID) != 0) continue;
    ok = acCopyFile(from + rec.Name, to + rec.Name, false) && ok;
  }
  acFindClose(rec);
  return ok;
}

std::vector<std::wstring> GetDirs(std::wstring_view Path) {
  std::vector<std::wstring> dirs;
  TacSearchRec rec;
  for (int found = acFindFirst(NormalDir(Path) + L"*.*", faDirectory, rec); found == 0; found = acFindNext(rec)) {
    if ((rec.Attr & faDirectory) != 0 && !IsDotName(rec.Name)) dirs.push_back(rec.Name);
  }
  acFindClose(rec);
  return dirs;
}

std::wstring ShortToLongFileName(std::wstring_view Name) {
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW(Str(Name).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return {};
  FindClose(find);
  return data.cFileName;
}

std::wstring LongToShortFileName(std::wstring_view Name) {
  WIN32_FIND_DATAW data{};
  const HANDLE find = FindFirstFileW(Str(Name).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return {};
  FindClose(find);
  // A name that already is 8.3 has no separate short form.
  return data.cAlternateFileName[0] != L'\0' ? data.cAlternateFileName : data.cFileName;
}

std::wstring ShortToLongPath(std::wstring_view Path) {
  const std::wstring path(Path);
  return FilledString([&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(path.c_str(), buffer, size); });
}

std::wstring LongToShortPath(std::wstring_view Path) {
  const std::wstring path(Path);
  return FilledString([&](wchar_t* buffer, DWORD size) { return GetShortPathNameW(path.c_str(), buffer, size); });
}

std::wstring GetSystemDir() {
  return FilledString([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
}

std::string OemToAnsiStr(std::string_view S) {
  std::string result(S);
  if (!result.empty()) OemToCharBuffA(result.data(), result.data(), static_cast<DWORD>(result.size()));
  return result;
}

}  // namespace skin
