// Files on the host through POSIX calls; names are UTF-8 on disk. Sharing modes have no
// counterpart here and are ignored.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "classlib/FileHandle.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"

namespace classlib {

std::unique_ptr<FileHandle> FileHandle::Open(const std::wstring& name, unsigned mode, std::wstring& error) {
  int flags = O_CLOEXEC;
  if ((mode & 0xFF00) == fmCreate) {
    flags |= O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (mode & 3) {
      case fmOpenWrite: flags |= O_WRONLY; break;
      case fmOpenReadWrite: flags |= O_RDWR; break;
      default: flags |= O_RDONLY; break;
    }
  }
  const std::string path = Utf8Encode(name);
  const int fd = path.find('\0') == std::string::npos ? ::open(path.c_str(), flags, 0666) : -1;
  if (fd < 0) {
    error = Utf8Decode(std::strerror(path.find('\0') == std::string::npos ? errno : EINVAL));
    return nullptr;
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    error = Utf8Decode(std::strerror(EISDIR));
    return nullptr;
  }
  return std::unique_ptr<FileHandle>(new FileHandle(fd));
}

bool FileExists(const std::wstring& fileName) {
  const std::string path = Utf8Encode(fileName);
  struct stat info {};
  return path.find('\0') == std::string::npos && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

FileHandle::~FileHandle() { ::close(static_cast<int>(handle_)); }

std::int64_t FileHandle::Read(void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  auto* p = static_cast<char*>(buffer);
  while (done < count) {
    const ssize_t n = ::read(static_cast<int>(handle_), p + done,
                             static_cast<std::size_t>(std::min<std::int64_t>(count - done, 1 << 30)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return done > 0 ? done : -1;
    if (n == 0) break;
    done += n;
  }
  return done;
}

std::int64_t FileHandle::Write(const void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  const auto* p = static_cast<const char*>(buffer);
  while (done < count) {
    const ssize_t n = ::write(static_cast<int>(handle_), p + done,
                              static_cast<std::size_t>(std::min<std::int64_t>(count - done, 1 << 30)));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return done > 0 ? done : -1;
    done += n;
  }
  return done;
}

std::int64_t FileHandle::Seek(std::int64_t offset, int whence) {
  const off_t result = ::lseek(static_cast<int>(handle_), static_cast<off_t>(offset),
                               whence == 0   ? SEEK_SET
                               : whence == 1 ? SEEK_CUR
                                             : SEEK_END);
  return result < 0 ? -1 : static_cast<std::int64_t>(result);
}

bool FileHandle::Truncate(std::int64_t size) {
  return ::ftruncate(static_cast<int>(handle_), static_cast<off_t>(size)) == 0;
}

}  // namespace classlib
