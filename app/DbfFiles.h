#pragma once
// The few file operations the dBASE table writer needs, behind an interface so that the same
// writer runs on the disk (stdio in both builds) and on an in-memory or fault-injecting file
// system in tests and fuzzing.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace app {

enum class DbfOpenMode {
  Read,          // existing file, reading only; other programs may read it meanwhile
  ReadWrite,     // existing file, reading and writing
  CreateAlways,  // a new or truncated file, read-write
};

// An open file. Every operation reports failure by its result; nothing throws.
class DbfFile {
 public:
  virtual ~DbfFile() = default;
  virtual bool Seek(std::uint64_t offset) = 0;
  // Reads up to `size` bytes at the current position; fewer means end of file or a read error.
  virtual std::size_t Read(void* data, std::size_t size) = 0;
  // All `size` bytes or false (a short write is a failure).
  virtual bool Write(const void* data, std::size_t size) = 0;
  virtual std::optional<std::uint64_t> Size() = 0;
  virtual bool Truncate(std::uint64_t size) = 0;
  // Hands buffered bytes to the operating system; a full disk shows here at the latest.
  virtual bool Flush() = 0;
  // Flushes and asks the system to put the bytes on the disk, before a rename relies on them.
  virtual bool Commit() = 0;
  // Flushes and closes; false when the last bytes could not be written. The object is closed
  // either way; further calls fail.
  virtual bool Close() = 0;
};

class DbfFileSystem {
 public:
  virtual ~DbfFileSystem() = default;
  virtual std::unique_ptr<DbfFile> Open(const std::wstring& path, DbfOpenMode mode) = 0;
  virtual bool Exists(const std::wstring& path) = 0;
  virtual bool Remove(const std::wstring& path) = 0;
  // Puts `source` in the place of `target` in one step: a reader sees either the old target or
  // the complete source, never a missing or partial file.
  virtual bool Replace(const std::wstring& source, const std::wstring& target) = 0;
  // Puts `source` at `target` in one step when nothing is there; fails, changing nothing, when a
  // file is.
  virtual bool MoveNew(const std::wstring& source, const std::wstring& target) = 0;
};

// The process's real file system (UTF-16 paths; UTF-8 on the host).
DbfFileSystem& DiskFiles();

}  // namespace app
