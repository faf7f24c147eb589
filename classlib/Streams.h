#pragma once
// Byte streams: the abstract TStream, memory streams and file streams. (TResourceStream, win32
// only, is in classlib/ResourceStream.h.)
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Object.h"

namespace classlib {

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
 public:
  std::wstring ClassName() const override { return L"TStream"; }

  // Transfer up to `count` bytes and return how many moved (0 at the end; never negative).
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Returns the new position. Positions beyond the end are allowed; writing there extends the
  // stream. A position before the start raises EStreamError.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t size);

  // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error" when fewer
  // bytes moved.
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  // Copies `count` bytes from the source's position; count 0 copies the whole source from its
  // start. Returns the number of bytes copied; a short source raises EReadError.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// A stream over a block of memory that it reads but does not own (see TMemoryStream).
class TCustomMemoryStream : public TStream {
 public:
  std::wstring ClassName() const override { return L"TCustomMemoryStream"; }
  const std::uint8_t* Memory() const { return data_; }
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return size_; }
  void SaveToStream(TStream& stream);
  void SaveToFile(const std::wstring& fileName);

 protected:
  void SetPointer(const std::uint8_t* data, std::int64_t size);
  std::int64_t position_ = 0;

 private:
  const std::uint8_t* data_ = nullptr;
  std::int64_t size_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
 public:
  std::wstring ClassName() const override { return L"TMemoryStream"; }
  std::uint8_t* Memory() { return buffer_.data(); }
  using TCustomMemoryStream::Memory;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  // Growing fills with zeros; the position is kept, even beyond a smaller size.
  void SetSize(std::int64_t size) override;
  void Clear();
  // Replaces the contents with the whole of the other stream (from its start), position 0.
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::wstring& fileName);

 private:
  void Resize(std::int64_t size);
  std::vector<std::uint8_t> buffer_;
};

// File modes: one access mode, optionally or-ed with one sharing mode (honoured on Windows).
inline constexpr unsigned fmCreate = 0xFF00;  // create or truncate, read and write
inline constexpr unsigned fmOpenRead = 0x0000;
inline constexpr unsigned fmOpenWrite = 0x0001;
inline constexpr unsigned fmOpenReadWrite = 0x0002;
inline constexpr unsigned fmShareCompat = 0x0000;
inline constexpr unsigned fmShareExclusive = 0x0010;
inline constexpr unsigned fmShareDenyWrite = 0x0020;
inline constexpr unsigned fmShareDenyRead = 0x0030;
inline constexpr unsigned fmShareDenyNone = 0x0040;

class FileHandle;

class TFileStream : public TStream {
 public:
  // EFCreateError 'Cannot create file "name". reason' or EFOpenError 'Cannot open file ...'.
  TFileStream(const std::wstring& fileName, unsigned mode);
  ~TFileStream() override;
  std::wstring ClassName() const override { return L"TFileStream"; }
  const std::wstring& FileName() const { return fileName_; }
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t size) override;

 private:
  std::wstring fileName_;
  std::unique_ptr<FileHandle> file_;
};

}  // namespace classlib
