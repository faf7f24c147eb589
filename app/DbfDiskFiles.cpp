#include <cstdio>

#include "app/DbfDiskPlatform.h"
#include "app/DbfFiles.h"

namespace app {
namespace {

class StdioFile final : public DbfFile {
 public:
  explicit StdioFile(std::FILE* stream) : stream_(stream) {}
  ~StdioFile() override { Close(); }
  StdioFile(const StdioFile&) = delete;
  StdioFile& operator=(const StdioFile&) = delete;

  bool Seek(std::uint64_t offset) override {
    if (!stream_) return false;
    direction_ = Direction::None;
    return dbf_disk::SeekStream(stream_, offset);
  }

  std::size_t Read(void* data, std::size_t size) override {
    if (!stream_ || !Turn(Direction::Reading)) return 0;
    return std::fread(data, 1, size, stream_);
  }

  bool Write(const void* data, std::size_t size) override {
    if (!stream_ || !Turn(Direction::Writing)) return false;
    return std::fwrite(data, 1, size, stream_) == size;
  }

  std::optional<std::uint64_t> Size() override {
    if (!stream_ || std::fflush(stream_) != 0) return std::nullopt;
    return dbf_disk::StreamSize(stream_);
  }

  bool Truncate(std::uint64_t size) override {
    return stream_ && std::fflush(stream_) == 0 && dbf_disk::TruncateStream(stream_, size);
  }

  bool Flush() override { return stream_ && std::fflush(stream_) == 0; }

  bool Commit() override { return Flush() && dbf_disk::SyncStream(stream_); }

  bool Close() override {
    if (!stream_) return false;
    const bool ok = std::fclose(stream_) == 0;
    stream_ = nullptr;
    return ok;
  }

 private:
  enum class Direction { None, Reading, Writing };

  // C streams need a positioning call between reading and writing in the same stream.
  bool Turn(Direction next) {
    if (direction_ != Direction::None && direction_ != next && std::fseek(stream_, 0, SEEK_CUR) != 0) return false;
    direction_ = next;
    return true;
  }

  std::FILE* stream_;
  Direction direction_ = Direction::None;
};

class StdioFileSystem final : public DbfFileSystem {
 public:
  std::unique_ptr<DbfFile> Open(const std::wstring& path, DbfOpenMode mode) override {
    std::FILE* stream = dbf_disk::OpenStream(path, mode);
    if (!stream) return nullptr;
    return std::make_unique<StdioFile>(stream);
  }
  bool Exists(const std::wstring& path) override { return dbf_disk::PathExists(path); }
  bool Remove(const std::wstring& path) override { return dbf_disk::RemovePath(path); }
  bool Replace(const std::wstring& source, const std::wstring& target) override {
    return dbf_disk::ReplacePath(source, target);
  }
  bool MoveNew(const std::wstring& source, const std::wstring& target) override {
    return dbf_disk::MoveToNewPath(source, target);
  }
};

}  // namespace

DbfFileSystem& DiskFiles() {
  static StdioFileSystem files;
  return files;
}

}  // namespace app
