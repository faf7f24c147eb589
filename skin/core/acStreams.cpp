#include "skin/core/acStreams.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace skin {

std::int64_t TacStream::Size() {
  const std::int64_t pos = Position();
  const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
  SetPosition(pos);
  return size;
}

void TacStream::ReadBuffer(void* Buffer, std::size_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw classlib::EStreamError(L"Stream read error");
}

void TacStream::WriteBuffer(const void* Buffer, std::size_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw classlib::EStreamError(L"Stream write error");
}

std::int64_t TacStream::CopyFrom(TacStream& Source, std::int64_t Count) {
  std::vector<std::uint8_t> buffer(64 * 1024);
  std::int64_t left = Count;
  while (left > 0) {
    const auto piece = static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(buffer.size())));
    Source.ReadBuffer(buffer.data(), piece);
    WriteBuffer(buffer.data(), piece);
    left -= static_cast<std::int64_t>(piece);
  }
  return Count;
}

std::size_t TacMemoryStream::Read(void* Buffer, std::size_t Count) {
  if (pos_ >= data_.size()) return 0;
  const std::size_t n = std::min(Count, data_.size() - pos_);
  std::memcpy(Buffer, data_.data() + pos_, n);
  pos_ += n;
  return n;
}

std::size_t TacMemoryStream::Write(const void* Buffer, std::size_t Count) {
  if (Count == 0) return 0;
  if (pos_ + Count > data_.size()) data_.resize(pos_ + Count);
  std::memcpy(data_.data() + pos_, Buffer, Count);
  pos_ += Count;
  return Count;
}

std::int64_t TacMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t base = 0;
  if (Origin == TSeekOrigin::soCurrent) base = static_cast<std::int64_t>(pos_);
  if (Origin == TSeekOrigin::soEnd) base = static_cast<std::int64_t>(data_.size());
  const std::int64_t target = base + Offset;
  // A memory stream may stand past its end (a later write fills the gap), never before it.
  pos_ = target < 0 ? 0 : static_cast<std::size_t>(target);
  return static_cast<std::int64_t>(pos_);
}

void TacMemoryStream::SetSize(std::size_t NewSize) {
  data_.resize(NewSize);
  pos_ = std::min(pos_, NewSize);
}

void TacMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  pos_ = 0;
}

void TacMemoryStream::LoadFromFile(const std::filesystem::path& FileName, std::uintmax_t MaxSize) {
  std::ifstream in(FileName, std::ios::binary);
  if (!in) throw classlib::EStreamError(L"Cannot open file \"" + acPathText(FileName) + L"\"");
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) throw classlib::EStreamError(L"Cannot read file \"" + acPathText(FileName) + L"\"");
  if (static_cast<std::uintmax_t>(size) > MaxSize)
    throw classlib::EStreamError(L"File \"" + acPathText(FileName) + L"\" is too large (" + std::to_wstring(size) +
                                 L" bytes)");
  in.seekg(0, std::ios::beg);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!bytes.empty() && !in.read(reinterpret_cast<char*>(bytes.data()), size))
    throw classlib::EStreamError(L"Cannot read file \"" + acPathText(FileName) + L"\"");
  data_ = std::move(bytes);
  pos_ = 0;
}

void TacMemoryStream::SaveToFile(const std::filesystem::path& FileName) const {
  std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
  if (!out) throw classlib::EStreamError(L"Cannot create file \"" + acPathText(FileName) + L"\"");
  if (!data_.empty()) out.write(reinterpret_cast<const char*>(data_.data()), static_cast<std::streamsize>(data_.size()));
  out.close();
  if (!out) throw classlib::EStreamError(L"Cannot write file \"" + acPathText(FileName) + L"\"");
}

std::wstring acPathText(const std::filesystem::path& Path) {
  const std::u16string text = Path.u16string();
  return std::wstring(text.begin(), text.end());
}

}  // namespace skin
