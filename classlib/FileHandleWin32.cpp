// Files on Windows through the W file API, with the sharing modes the caller asks for.
#include <windows.h>

#include <algorithm>

#include "classlib/FileHandle.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"

namespace classlib {
namespace {

std::wstring SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length && text ? std::wstring(text, length) : L"System error " + IntToStr(code);
  if (text) LocalFree(text);
  return TrimRight(message);
}

HANDLE Native(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

std::unique_ptr<FileHandle> FileHandle::Open(const std::wstring& name, unsigned mode, std::wstring& error) {
  static constexpr DWORD kAccess[3] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
  static constexpr DWORD kShare[5] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
  const bool create = (mode & 0xFF00) == fmCreate;
  const DWORD access = create ? GENERIC_READ | GENERIC_WRITE : kAccess[std::min<unsigned>(mode & 3, 2)];
  const DWORD share = kShare[std::min<unsigned>((mode & 0xF0) >> 4, 4)];
  if (name.find(L'\0') != std::wstring::npos) {
    error = SystemMessage(ERROR_INVALID_NAME);
    return nullptr;
  }
  const HANDLE h = CreateFileW(name.c_str(), access, share, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error = SystemMessage(GetLastError());
    return nullptr;
  }
  return std::unique_ptr<FileHandle>(new FileHandle(reinterpret_cast<std::intptr_t>(h)));
}

bool FileExists(const std::wstring& fileName) {
  if (fileName.find(L'\0') != std::wstring::npos) return false;
  const DWORD attributes = GetFileAttributesW(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileHandle::~FileHandle() { CloseHandle(Native(handle_)); }

std::int64_t FileHandle::Read(void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  auto* p = static_cast<char*>(buffer);
  while (done < count) {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::int64_t>(count - done, 1 << 30));
    if (!ReadFile(Native(handle_), p + done, chunk, &n, nullptr)) return done > 0 ? done : -1;
    if (n == 0) break;
    done += n;
  }
  return done;
}

std::int64_t FileHandle::Write(const void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  const auto* p = static_cast<const char*>(buffer);
  while (done < count) {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::int64_t>(count - done, 1 << 30));
    if (!WriteFile(Native(handle_), p + done, chunk, &n, nullptr) || n == 0) return done > 0 ? done : -1;
    done += n;
  }
  return done;
}

std::int64_t FileHandle::Seek(std::int64_t offset, int whence) {
  LARGE_INTEGER distance, result;
  distance.QuadPart = offset;
  const DWORD method = whence == 0 ? FILE_BEGIN : whence == 1 ? FILE_CURRENT : FILE_END;
  if (!SetFilePointerEx(Native(handle_), distance, &result, method)) return -1;
  return result.QuadPart;
}

bool FileHandle::Truncate(std::int64_t size) {
  const std::int64_t position = Seek(0, 1);
  if (position < 0 || Seek(size, 0) < 0) return false;
  const bool ok = SetEndOfFile(Native(handle_)) != 0;
  Seek(position, 0);
  return ok;
}

}  // namespace classlib
