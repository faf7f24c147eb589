#include "app/DbfMemoryFiles.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace app {
namespace {

class MemoryFile final : public DbfFile {
 public:
  MemoryFile(std::shared_ptr<DbfMemoryFiles::Bytes> bytes, bool writable)
      : bytes_(std::move(bytes)), writable_(writable) {}

  bool Seek(std::uint64_t offset) override {
    if (!bytes_) return false;
    position_ = offset;
    return true;
  }

  std::size_t Read(void* data, std::size_t size) override {
    if (!bytes_ || position_ >= bytes_->size()) return 0;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, bytes_->size() - position_));
    std::memcpy(data, bytes_->data() + position_, n);
    position_ += n;
    return n;
  }

  bool Write(const void* data, std::size_t size) override {
    if (!bytes_ || !writable_) return false;
    // A far seek must not make a test allocate gigabytes.
    if (position_ > (std::numeric_limits<std::uint32_t>::max)() - size) return false;
    const std::size_t end = static_cast<std::size_t>(position_) + size;
    if (end > bytes_->size()) bytes_->resize(end, 0);
    if (size) std::memcpy(bytes_->data() + position_, data, size);
    position_ = end;
    return true;
  }

  std::optional<std::uint64_t> Size() override {
    if (!bytes_) return std::nullopt;
    return bytes_->size();
  }

  bool Truncate(std::uint64_t size) override {
    if (!bytes_ || !writable_ || size > bytes_->size()) return false;
    bytes_->resize(static_cast<std::size_t>(size));
    return true;
  }

  bool Flush() override { return bytes_ != nullptr; }
  bool Commit() override { return bytes_ != nullptr; }

  bool Close() override {
    const bool wasOpen = bytes_ != nullptr;
    bytes_.reset();
    return wasOpen;
  }

 private:
  std::shared_ptr<DbfMemoryFiles::Bytes> bytes_;
  bool writable_;
  std::uint64_t position_ = 0;
};

}  // namespace

void DbfMemoryFiles::Put(const std::wstring& path, Bytes bytes) {
  files_[path] = std::make_shared<Bytes>(std::move(bytes));
}

std::optional<DbfMemoryFiles::Bytes> DbfMemoryFiles::Contents(const std::wstring& path) const {
  const auto it = files_.find(path);
  if (it == files_.end()) return std::nullopt;
  return *it->second;
}

std::vector<std::wstring> DbfMemoryFiles::Paths() const {
  std::vector<std::wstring> paths;
  for (const auto& entry : files_) paths.push_back(entry.first);
  return paths;
}

std::unique_ptr<DbfFile> DbfMemoryFiles::Open(const std::wstring& path, DbfOpenMode mode) {
  if (path.empty()) return nullptr;
  auto it = files_.find(path);
  switch (mode) {
    case DbfOpenMode::Read:
    case DbfOpenMode::ReadWrite:
      if (it == files_.end()) return nullptr;
      return std::make_unique<MemoryFile>(it->second, mode == DbfOpenMode::ReadWrite);
    case DbfOpenMode::CreateAlways: {
      if (it != files_.end()) {
        it->second->clear();  // truncated in place: handles already open see it too
        return std::make_unique<MemoryFile>(it->second, true);
      }
      auto bytes = std::make_shared<Bytes>();
      files_[path] = bytes;
      return std::make_unique<MemoryFile>(std::move(bytes), true);
    }
  }
  return nullptr;
}

bool DbfMemoryFiles::Exists(const std::wstring& path) { return files_.count(path) != 0; }

bool DbfMemoryFiles::Remove(const std::wstring& path) { return files_.erase(path) != 0; }

bool DbfMemoryFiles::Replace(const std::wstring& source, const std::wstring& target) {
  const auto it = files_.find(source);
  if (it == files_.end()) return false;
  auto bytes = it->second;
  files_.erase(it);
  files_[target] = std::move(bytes);
  return true;
}

bool DbfMemoryFiles::MoveNew(const std::wstring& source, const std::wstring& target) {
  return !files_.contains(target) && Replace(source, target);
}

}  // namespace app
