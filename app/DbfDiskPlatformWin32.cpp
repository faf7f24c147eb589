#include <io.h>
#include <windows.h>

#include <cstdio>

#include "app/DbfDiskPlatform.h"

namespace app::dbf_disk {

std::FILE* OpenStream(const std::wstring& path, DbfOpenMode mode) {
  switch (mode) {
    case DbfOpenMode::Read: return _wfopen(path.c_str(), L"rb");
    case DbfOpenMode::ReadWrite: return _wfopen(path.c_str(), L"r+b");
    case DbfOpenMode::CreateAlways: return _wfopen(path.c_str(), L"w+b");
  }
  return nullptr;
}

bool SeekStream(std::FILE* stream, std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
  return _fseeki64(stream, static_cast<__int64>(offset), SEEK_SET) == 0;
}

std::optional<std::uint64_t> StreamSize(std::FILE* stream) {
  const __int64 size = _filelengthi64(_fileno(stream));
  if (size < 0) return std::nullopt;
  return static_cast<std::uint64_t>(size);
}

bool TruncateStream(std::FILE* stream, std::uint64_t size) {
  return _chsize_s(_fileno(stream), static_cast<__int64>(size)) == 0;
}

bool SyncStream(std::FILE* stream) { return _commit(_fileno(stream)) == 0; }

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool RemovePath(const std::wstring& path) { return DeleteFileW(path.c_str()) != 0; }

bool ReplacePath(const std::wstring& source, const std::wstring& target) {
  // One directory entry change: the target is either the old table or the complete new one.
  return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool MoveToNewPath(const std::wstring& source, const std::wstring& target) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
  return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace app::dbf_disk
