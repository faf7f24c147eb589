#pragma once
// Files held in memory: the table writer's file system for tests and fuzzing. Open files keep
// their bytes alive after a remove or replace, as on the disk.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/DbfFiles.h"

namespace app {

class DbfMemoryFiles final : public DbfFileSystem {
 public:
  using Bytes = std::vector<std::uint8_t>;

  void Put(const std::wstring& path, Bytes bytes);
  std::optional<Bytes> Contents(const std::wstring& path) const;
  std::vector<std::wstring> Paths() const;

  std::unique_ptr<DbfFile> Open(const std::wstring& path, DbfOpenMode mode) override;
  bool Exists(const std::wstring& path) override;
  bool Remove(const std::wstring& path) override;
  bool Replace(const std::wstring& source, const std::wstring& target) override;
  bool MoveNew(const std::wstring& source, const std::wstring& target) override;

 private:
  std::map<std::wstring, std::shared_ptr<Bytes>> files_;
};

}  // namespace app
