#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "app/DbfDiskPlatform.h"

namespace app::dbf_disk {
namespace {

// Linux file names are bytes; the rest of the program speaks UTF-16/32, so paths travel as UTF-8.
std::string Utf8Path(const std::wstring& path) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    char32_t c = static_cast<char32_t>(path[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      if (c >= 0xD800 && c < 0xDC00 && i + 1 < path.size()) {
        const char32_t low = static_cast<char32_t>(path[i + 1]);
        if (low >= 0xDC00 && low < 0xE000) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
    }
    if (c >= 0x110000 || (c >= 0xD800 && c < 0xE000)) c = 0xFFFD;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::FILE* OpenStream(const std::wstring& path, DbfOpenMode mode) {
  const std::string name = Utf8Path(path);
  switch (mode) {
    case DbfOpenMode::Read: return std::fopen(name.c_str(), "rb");
    case DbfOpenMode::ReadWrite: return std::fopen(name.c_str(), "r+b");
    case DbfOpenMode::CreateAlways: return std::fopen(name.c_str(), "w+b");
  }
  return nullptr;
}

bool SeekStream(std::FILE* stream, std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
  return ::fseeko(stream, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::optional<std::uint64_t> StreamSize(std::FILE* stream) {
  struct stat st {};
  if (::fstat(::fileno(stream), &st) != 0 || st.st_size < 0) return std::nullopt;
  return static_cast<std::uint64_t>(st.st_size);
}

bool TruncateStream(std::FILE* stream, std::uint64_t size) {
  return ::ftruncate(::fileno(stream), static_cast<off_t>(size)) == 0;
}

bool SyncStream(std::FILE* stream) { return ::fsync(::fileno(stream)) == 0; }

bool PathExists(const std::wstring& path) {
  struct stat st {};
  return ::stat(Utf8Path(path).c_str(), &st) == 0;
}

bool RemovePath(const std::wstring& path) { return std::remove(Utf8Path(path).c_str()) == 0; }

// The new name is durable only once its directory is; a failure here changes nothing visible.
void SyncDirectoryOf(const std::string& path) {
  const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

bool ReplacePath(const std::wstring& source, const std::wstring& target) {
  const std::string to = Utf8Path(target);
  if (std::rename(Utf8Path(source).c_str(), to.c_str()) != 0) return false;
  SyncDirectoryOf(to);
  return true;
}

bool MoveToNewPath(const std::wstring& source, const std::wstring& target) {
  // A second name that cannot exist twice, then the first one gone: the target is never
  // overwritten, and at no moment is it missing or partial.
  const std::string from = Utf8Path(source), to = Utf8Path(target);
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  SyncDirectoryOf(to);
  return true;
}

}  // namespace app::dbf_disk
