#pragma once
// Byte streams of the skin core: the interface the zlib streams read from and write to, and an
// in-memory stream that holds a packed skin and its unpacked files.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "classlib/Exception.h"

namespace skin {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TacStream {
 public:
  virtual ~TacStream() = default;

  // Up to Count bytes; the number delivered (fewer only at the end of the data).
  virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;
  // The number of bytes taken.
  virtual std::size_t Write(const void* Buffer, std::size_t Count) = 0;
  // The new position.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t Pos) { Seek(Pos, TSeekOrigin::soBeginning); }
  virtual std::int64_t Size();

  // Exactly Count bytes, else classlib::EStreamError.
  void ReadBuffer(void* Buffer, std::size_t Count);
  void WriteBuffer(const void* Buffer, std::size_t Count);
  // Copies exactly Count bytes from Source's position; the number copied.
  std::int64_t CopyFrom(TacStream& Source, std::int64_t Count);
};

class TacMemoryStream final : public TacStream {
 public:
  TacMemoryStream() = default;
  explicit TacMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

  std::size_t Read(void* Buffer, std::size_t Count) override;
  std::size_t Write(const void* Buffer, std::size_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }

  void SetSize(std::size_t NewSize);
  void Clear();
  std::span<const std::uint8_t> Bytes() const { return data_; }
  std::vector<std::uint8_t>& Data() { return data_; }

  // The whole file; classlib::EStreamError when it cannot be read or is larger than MaxSize bytes.
  void LoadFromFile(const std::filesystem::path& FileName, std::uintmax_t MaxSize = SIZE_MAX);
  void SaveToFile(const std::filesystem::path& FileName) const;

 private:
  std::vector<std::uint8_t> data_;
  std::size_t pos_ = 0;
};

// A path as message text.
std::wstring acPathText(const std::filesystem::path& Path);

}  // namespace skin
