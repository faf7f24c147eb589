#include "classlib/Streams.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#include "classlib/Exception.h"
#include "classlib/FileHandle.h"

namespace classlib {

// ---------------------------------------------------------------- TStream

std::int64_t TStream::Size() {
  const std::int64_t position = Seek(0, soCurrent);
  const std::int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) { throw EStreamError(L"The stream's size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count < 0 || (count > 0 && Read(buffer, count) != count)) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count < 0 || (count > 0 && Write(buffer, count) != count)) throw EWriteError(L"Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count < 0) throw EReadError(L"Stream read error");
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 1 << 16)));
  std::int64_t left = count;
  while (left > 0) {
    const std::int64_t chunk = std::min<std::int64_t>(left, static_cast<std::int64_t>(buffer.size()));
    source.ReadBuffer(buffer.data(), chunk);
    WriteBuffer(buffer.data(), chunk);
    left -= chunk;
  }
  return count;
}

// ---------------------------------------------------------------- TCustomMemoryStream

void TCustomMemoryStream::SetPointer(const std::uint8_t* data, std::int64_t size) {
  data_ = data;
  size_ = size;
}

std::int64_t TCustomMemoryStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0 || position_ >= size_) return 0;
  const std::int64_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, data_ + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : size_;
  if ((offset < 0 && base + offset < 0) || (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset))
    throw EStreamError(L"Invalid stream position");
  position_ = base + offset;
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) { stream.WriteBuffer(data_, size_); }

void TCustomMemoryStream::SaveToFile(const std::wstring& fileName) {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

// ---------------------------------------------------------------- TMemoryStream

// A 32-bit process cannot hold more; a larger size is a corrupt length, refused before allocating.
constexpr std::int64_t kMaxMemoryStreamSize = 0x7FFFFFFF;

void TMemoryStream::Resize(std::int64_t size) {
  if (size < 0) throw EStreamError(L"Invalid stream size");
  try {
    if (size > kMaxMemoryStreamSize || static_cast<std::uint64_t>(size) > buffer_.max_size())
      throw std::length_error("size");
    buffer_.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    throw EStreamError(L"Out of memory while expanding memory stream");
  } catch (const std::length_error&) {
    throw EStreamError(L"Out of memory while expanding memory stream");
  }
  SetPointer(buffer_.data(), size);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  if (position_ > std::numeric_limits<std::int64_t>::max() - count) throw EWriteError(L"Stream write error");
  const std::int64_t end = position_ + count;
  if (end > Size()) {
    // Grows geometrically so that many small writes stay linear.
    if (static_cast<std::uint64_t>(end) > buffer_.capacity() && end <= kMaxMemoryStreamSize) {
      try {
        buffer_.reserve(static_cast<std::size_t>(std::min<std::int64_t>(
            std::max<std::int64_t>(end, static_cast<std::int64_t>(buffer_.capacity()) * 2), kMaxMemoryStreamSize)));
      } catch (const std::exception&) {
        // The exact size below still gets its chance.
      }
    }
    Resize(end);
  }
  std::memcpy(buffer_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ = end;
  return count;
}

void TMemoryStream::SetSize(std::int64_t size) { Resize(size); }

void TMemoryStream::Clear() {
  std::vector<std::uint8_t>().swap(buffer_);
  SetPointer(nullptr, 0);
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  if (&stream == this) {
    position_ = 0;
    return;
  }
  stream.SetPosition(0);
  const std::int64_t size = stream.Size();
  Resize(size);
  position_ = 0;
  stream.ReadBuffer(buffer_.data(), size);
}

void TMemoryStream::LoadFromFile(const std::wstring& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

// ---------------------------------------------------------------- TFileStream

TFileStream::TFileStream(const std::wstring& fileName, unsigned mode) : fileName_(fileName) {
  std::wstring reason;
  file_ = FileHandle::Open(fileName, mode, reason);
  if (!file_) {
    if ((mode & 0xFF00) == fmCreate) throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + reason);
    throw EFOpenError(L"Cannot open file \"" + fileName + L"\". " + reason);
  }
}

TFileStream::~TFileStream() = default;

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::int64_t n = file_->Read(buffer, count);
  return n < 0 ? 0 : n;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::int64_t n = file_->Write(buffer, count);
  return n < 0 ? 0 : n;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t result = file_->Seek(offset, origin == soBeginning ? 0 : origin == soCurrent ? 1 : 2);
  if (result < 0) throw EStreamError(L"Invalid stream position");
  return result;
}

void TFileStream::SetSize(std::int64_t size) {
  if (size < 0 || !file_->Truncate(size)) throw EStreamError(L"Cannot change the size of \"" + fileName_ + L"\"");
}

}  // namespace classlib
