#pragma once
// The operating system's file handle under TFileStream: one implementation per build.
#include <cstdint>
#include <memory>
#include <string>

namespace classlib {

class FileHandle {
 public:
  // nullptr and the system's reason in `error` when the file cannot be opened or created.
  static std::unique_ptr<FileHandle> Open(const std::wstring& name, unsigned mode, std::wstring& error);
  ~FileHandle();
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  // Byte counts moved, or -1 on an error.
  std::int64_t Read(void* buffer, std::int64_t count);
  std::int64_t Write(const void* buffer, std::int64_t count);
  // whence: 0 start, 1 current, 2 end. The new position, or -1.
  std::int64_t Seek(std::int64_t offset, int whence);
  bool Truncate(std::int64_t size);

 private:
  explicit FileHandle(std::intptr_t handle) : handle_(handle) {}
  std::intptr_t handle_;
};

}  // namespace classlib
