#include "classlib/Graphics.h"

namespace classlib {

namespace {
// Larger pictures are refused before reading: no picture of this program comes near it.
constexpr std::int64_t kMaxGraphicFile = std::int64_t{256} << 20;
}  // namespace

void TGraphic::SetTransparent(bool Value) {
  if (Value == transparent_) return;
  transparent_ = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value) {
    Changed(this);
  } else {
    modified_ = false;
  }
}

void TGraphic::Changed(TObject*) {
  modified_ = true;
  if (OnChange) OnChange(this);
}

std::vector<std::uint8_t> ReadGraphicBytes(TStream& Stream, std::int64_t Count) {
  if (Count < 0) Count = 0;
  if (Count > kMaxGraphicFile) throw EInvalidGraphic(L"The picture in the stream is too large");
  std::vector<std::uint8_t> data(static_cast<std::size_t>(Count));
  if (Count > 0) Stream.ReadBuffer(data.data(), Count);
  return data;
}

void TGraphic::LoadFromStream(TStream& Stream) {
  const std::int64_t position = Stream.Position();
  LoadFromBytes(ReadGraphicBytes(Stream, Stream.Size() - position));
}

void TGraphic::SaveToStream(TStream& Stream) const {
  const std::vector<std::uint8_t> data = SaveToBytes();
  Stream.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
}

void TGraphic::LoadFromFile(const std::wstring& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TGraphic::SaveToFile(const std::wstring& FileName) const {
  // Encoded first: a picture that cannot be saved leaves an existing file as it was.
  const std::vector<std::uint8_t> data = SaveToBytes();
  TFileStream file(FileName, fmCreate);
  file.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
}

}  // namespace classlib
