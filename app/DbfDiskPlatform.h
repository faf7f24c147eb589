#pragma once
// What differs between the host and Windows under the stdio files of DbfDiskFiles.cpp: wide
// paths, 64-bit positions, exclusive creation, syncing and the one-step replace.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "app/DbfFiles.h"

namespace app::dbf_disk {

std::FILE* OpenStream(const std::wstring& path, DbfOpenMode mode);
bool SeekStream(std::FILE* stream, std::uint64_t offset);
std::optional<std::uint64_t> StreamSize(std::FILE* stream);
// The stream has been flushed; the file descriptor below it is set to `size`.
bool TruncateStream(std::FILE* stream, std::uint64_t size);
// The stream has been flushed; asks the system to write its bytes to the disk.
bool SyncStream(std::FILE* stream);
bool PathExists(const std::wstring& path);
bool RemovePath(const std::wstring& path);
bool ReplacePath(const std::wstring& source, const std::wstring& target);
bool MoveToNewPath(const std::wstring& source, const std::wstring& target);

}  // namespace app::dbf_disk
