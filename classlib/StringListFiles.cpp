// TStrings to and from streams and files.
#include "classlib/Exception.h"
#include "classlib/Streams.h"
#include "classlib/StringList.h"

namespace classlib {

void TStrings::LoadFromStream(TStream& stream, TTextEncoding fallback) {
  const std::int64_t left = stream.Size() - stream.Position();
  std::string bytes;
  if (left > 0) {
    try {
      bytes.resize(static_cast<std::size_t>(left));
    } catch (const std::exception&) {
      throw EStreamError(L"Out of memory while reading a text");
    }
    stream.ReadBuffer(bytes.data(), left);
  }
  TTextEncoding found = fallback;
  const std::wstring text = DecodeText(bytes, fallback, found);
  SetText(text);
  Encoding = found;
}

void TStrings::SaveToStream(TStream& stream) const {
  const std::string bytes = EncodeText(Text(), Encoding);
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TStrings::LoadFromFile(const std::wstring& fileName, TTextEncoding fallback) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file, fallback);
}

void TStrings::SaveToFile(const std::wstring& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

}  // namespace classlib
