#include "skin/core/acSkinPack.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "classlib/Cp1251.h"
#include "skin/core/acUtf8.h"
#include "skin/core/acZLibEx.h"
#include "skin/core/acntWords.h"

namespace skin {
namespace fs = std::filesystem;

namespace {

// Smallest possible entry: a 1-byte name and an empty zlib stream (2 header bytes, an empty
// final block of 2 bytes, the 4-byte Adler-32 check).
constexpr std::int64_t kMinEntryBytes = 4 + 1 + 4 + 8;
// deflate cannot expand data by more than about 1032:1; a stated size beyond that is a lie.
constexpr std::int64_t kMaxInflateRatio = 1032;

// An entry name fit for a message: control characters as '?', long names cut.
std::wstring NameText(std::string_view name) {
  constexpr std::size_t kShown = 64;
  std::wstring out = L"\"";
  for (std::size_t i = 0; i < name.size() && i < kShown; ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    out.push_back(byte < 0x20 || byte == 0x7F ? L'?' : classlib::Cp1251Char(byte));
  }
  if (name.size() > kShown) out += L"...";
  return out + L"\"";
}

std::wstring Widen(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

[[noreturn]] void Damaged(const std::wstring& what) { throw EacSkinPackError(L"Packed skin is damaged: " + what); }

// Bounds-checked little-endian reading of the container.
class TacPackReader {
 public:
  explicit TacPackReader(std::span<const std::uint8_t> data) : data_(data) {}

  std::size_t Left() const { return data_.size() - pos_; }
  std::size_t Pos() const { return pos_; }
  const std::uint8_t* Here() const { return data_.data() + pos_; }
  void Advance(std::size_t n) { pos_ += n; }

  // False when fewer than 4 bytes are left.
  bool ReadInt32(std::int32_t& value) {
    if (Left() < 4) return false;
    const std::uint8_t* p = Here();
    const std::uint32_t bits = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                               static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    value = static_cast<std::int32_t>(bits);
    pos_ += 4;
    return true;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

// One inflater for all entries of a container, reset between them.
class TacEntryInflater {
 public:
  TacEntryInflater() {
    if (const int code = InflateInit(zs_); code != Z_OK) throw EZDecompressionError(code);
  }
  ~TacEntryInflater() { inflateEnd(&zs_); }
  TacEntryInflater(const TacEntryInflater&) = delete;
  TacEntryInflater& operator=(const TacEntryInflater&) = delete;

  // Inflates the zlib stream at the start of `in` into exactly `size` bytes and answers the
  // number of input bytes the stream took. The stream must end exactly there: neither sooner,
  // nor with more data behind the stated size.
  std::size_t Inflate(std::span<const std::uint8_t> in, std::size_t size, std::uint8_t* out, const std::wstring& who) {
    inflateReset(&zs_);
    std::uint8_t probe = 0;
    bool probing = size == 0;  // past the stated size: any further byte is one too many
    zs_.next_in = const_cast<Bytef*>(in.data());
    zs_.avail_in = static_cast<uInt>(in.size());
    zs_.next_out = probing ? &probe : out;
    zs_.avail_out = probing ? 1 : static_cast<uInt>(size);
    for (;;) {
      const int code = inflate(&zs_, Z_NO_FLUSH);
      if (code == Z_STREAM_END) break;
      if (code == Z_NEED_DICT) Damaged(who + L": its zlib stream asks for a preset dictionary");
      if (code == Z_MEM_ERROR) throw EZDecompressionError(code);
      if (code != Z_OK && code != Z_BUF_ERROR)
        Damaged(who + L": bad compressed data (zlib: " + Widen(ZErrorText(code)) + L")");
      if (zs_.avail_out == 0) {
        if (probing) Damaged(who + L": unpacks to more than its stated " + std::to_wstring(size) + L" bytes");
        probing = true;
        zs_.next_out = &probe;
        zs_.avail_out = 1;
      } else if (zs_.avail_in == 0) {
        Damaged(who + L": the data ends inside its zlib stream");
      } else if (code == Z_BUF_ERROR) {
        Damaged(who + L": bad compressed data (zlib: buffer error)");
      }
    }
    if (probing && zs_.avail_out == 0)
      Damaged(who + L": unpacks to more than its stated " + std::to_wstring(size) + L" bytes");
    if (!probing && zs_.avail_out != 0)
      Damaged(who + L": unpacks to " + std::to_wstring(zs_.total_out) + L" bytes, not its stated " +
              std::to_wstring(size));
    return in.size() - zs_.avail_in;
  }

 private:
  z_stream zs_{};
};

bool HasBmpExtension(std::string_view name) {
  const std::size_t at = name.find_last_of(".\\:");
  return at != name.npos && name[at] == '.' && acAnsiUpperCase(name.substr(at)) == ".BMP";
}

// Any failure of an extraction frees the convertor: a half-read skin is never handed on.
template <typename Step>
void ExtractOrFree(std::unique_ptr<TacSkinConvertor>& convertor, Step step) {
  try {
    step();
  } catch (...) {
    convertor.reset();
    throw;
  }
}

// Where the parser puts one entry: its unpacked bytes (the stated size) and its packed length.
struct TacEntryTarget {
  std::uint8_t* Data;
  std::size_t* PackedSize;
};

// Checks and unpacks a whole container; `target(name, size)` answers where each entry goes.
template <typename Target>
void ParsePacked(std::span<const std::uint8_t> Packed, Target target) {
  if (Packed.size() < 4 || std::memcmp(Packed.data(), kPackedSkinMagic, 4) != 0)
    throw EacSkinPackError(kNotPackedSkinText);
  if (static_cast<std::uint64_t>(Packed.size()) > static_cast<std::uint64_t>(kMaxPackedFileSize))
    Damaged(L"the data is larger than " + std::to_wstring(kMaxPackedFileSize >> 20) + L" MiB");
  TacPackReader reader(Packed);
  reader.Advance(4);
  std::int32_t count = 0;
  if (!reader.ReadInt32(count)) Damaged(L"the data ends before the entry count");
  if (count < 0) Damaged(L"negative entry count " + std::to_wstring(count));
  if (count > static_cast<std::int64_t>(reader.Left()) / kMinEntryBytes)
    Damaged(std::to_wstring(count) + L" entries cannot fit in the " + std::to_wstring(reader.Left()) +
            L" bytes that follow");

  TacEntryInflater inflater;
  std::int64_t total = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    std::wstring who = L"entry " + std::to_wstring(i + 1) + L" of " + std::to_wstring(count);
    std::int32_t nameLength = 0;
    if (!reader.ReadInt32(nameLength)) Damaged(who + L": the data ends before its name length");
    if (nameLength <= 0) Damaged(who + L": name length " + std::to_wstring(nameLength));
    if (nameLength > kMaxPackedNameLength)
      Damaged(who + L": name length " + std::to_wstring(nameLength) + L" is over " +
              std::to_wstring(kMaxPackedNameLength));
    if (static_cast<std::size_t>(nameLength) > reader.Left()) Damaged(who + L": the data ends inside its name");
    std::string name(reinterpret_cast<const char*>(reader.Here()), static_cast<std::size_t>(nameLength));
    reader.Advance(static_cast<std::size_t>(nameLength));
    who += L" (" + NameText(name) + L")";

    std::int32_t size = 0;
    if (!reader.ReadInt32(size)) Damaged(who + L": the data ends before its size");
    if (size < 0) Damaged(who + L": negative size " + std::to_wstring(size));
    if (size > kMaxPackedEntrySize)
      Damaged(who + L": size " + std::to_wstring(size) + L" is over the limit of " +
              std::to_wstring(kMaxPackedEntrySize >> 20) + L" MiB");
    total += size;
    if (total > kMaxPackedTotalSize)
      Damaged(who + L": the entries unpack to more than " + std::to_wstring(kMaxPackedTotalSize >> 20) + L" MiB");
    if (size > static_cast<std::int64_t>(reader.Left()) * kMaxInflateRatio)
      Damaged(who + L": size " + std::to_wstring(size) + L" cannot come from the " + std::to_wstring(reader.Left()) +
              L" bytes left");

    const TacEntryTarget place = target(std::move(name), static_cast<std::size_t>(size));
    *place.PackedSize =
        inflater.Inflate({reader.Here(), reader.Left()}, static_cast<std::size_t>(size), place.Data, who);
    reader.Advance(*place.PackedSize);
  }
  if (reader.Left() != 0)
    Damaged(std::to_wstring(reader.Left()) + L" bytes follow the last of the " + std::to_wstring(count) + L" entries");
}

}  // namespace

std::vector<TacPackedEntry> ReadPackedEntries(std::span<const std::uint8_t> Packed) {
  std::vector<TacPackedEntry> entries;
  ParsePacked(Packed, [&](std::string name, std::size_t size) {
    TacPackedEntry& entry = entries.emplace_back();
    entry.Name = std::move(name);
    entry.Data.resize(size);
    return TacEntryTarget{entry.Data.data(), &entry.PackedSize};
  });
  return entries;
}

void TacSkinConvertor::Clear() {
  while (!Files.empty()) Files.pop_back();
  Options.reset();
  PackedData.reset();
}

namespace {

// Unpacks a whole container into an empty convertor. Everything is unpacked before the
// convertor changes: a refused container leaves no half.
void Unpack(std::span<const std::uint8_t> Packed, TacSkinConvertor& convertor) {
  struct Unpacked {
    std::string Name;
    std::unique_ptr<classlib::TMemoryStream> Stream;
    std::size_t PackedSize = 0;
  };
  std::vector<Unpacked> entries;
  ParsePacked(Packed, [&](std::string name, std::size_t size) {
    Unpacked& entry = entries.emplace_back();
    entry.Name = std::move(name);
    entry.Stream = std::make_unique<classlib::TMemoryStream>();
    entry.Stream->SetSize(static_cast<std::int64_t>(size));
    return TacEntryTarget{entry.Stream->Memory(), &entry.PackedSize};
  });
  convertor.ImageCount = static_cast<int>(entries.size()) - 1;
  for (Unpacked& entry : entries) {
    if (acSameText(std::string_view(entry.Name), kOptionsFileName)) {
      convertor.Options = std::move(entry.Stream);  // a second options entry replaces the first
    } else {
      const bool isBitmap = HasBmpExtension(entry.Name);
      convertor.Files.push_back({std::move(entry.Name), isBitmap, std::move(entry.Stream)});
    }
  }
}

}  // namespace

void ExtractPackedData(std::unique_ptr<TacSkinConvertor>& Convertor) {
  ExtractOrFree(Convertor, [&] {
    if (!Convertor || !Convertor->PackedData) throw EacSkinPackError(kNotPackedSkinText);
    classlib::TMemoryStream& packed = *Convertor->PackedData;
    Unpack({packed.Memory(), static_cast<std::size_t>(packed.Size())}, *Convertor);
    packed.SetPosition(packed.Size());
  });
}

std::unique_ptr<TacSkinConvertor> UnpackSkin(std::span<const std::uint8_t> Packed) {
  auto convertor = std::make_unique<TacSkinConvertor>();
  Unpack(Packed, *convertor);
  return convertor;
}

namespace {

// The whole of a file that may be no larger than `limit` bytes.
std::unique_ptr<classlib::TMemoryStream> LoadLimited(const fs::path& fileName, std::int64_t limit) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(fileName, error);
  if (!error && size > static_cast<std::uintmax_t>(limit))
    throw EacSkinPackError(L"\"" + acPathText(fileName) + L"\" is larger than " + std::to_wstring(limit >> 20) +
                           L" MiB, more than a packed skin may hold");
  auto stream = std::make_unique<classlib::TMemoryStream>();
  stream->LoadFromFile(acPathText(fileName));
  return stream;
}

}  // namespace

void LoadSkinFromFile(const fs::path& FileName, std::unique_ptr<TacSkinConvertor>& Convertor, bool FreePackedData) {
  std::error_code error;
  if (!fs::is_regular_file(FileName, error)) return;
  if (Convertor) {
    Convertor->Clear();
  } else {
    Convertor = std::make_unique<TacSkinConvertor>();
  }
  ExtractOrFree(Convertor, [&] { Convertor->PackedData = LoadLimited(FileName, kMaxPackedFileSize); });
  ExtractPackedData(Convertor);
  if (FreePackedData && Convertor) Convertor->PackedData.reset();
}

// ---- names on disk

bool IsSafePackedName(std::string_view Name) {
  if (Name.empty() || Name == "." || Name.find("..") != Name.npos) return false;
  return std::none_of(Name.begin(), Name.end(),
                      [](char c) { return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20; });
}

fs::path PackedNameToPath(std::string_view Name) {
  const std::wstring wide = classlib::Cp1251ToWide(Name);
  return fs::path(std::u16string(wide.begin(), wide.end()));
}

namespace {

// A file name as stored in a container; EacSkinPackError when it cannot be stored faithfully.
std::string StoredName(const fs::path& fileName) {
  const std::u16string utf16 = fileName.u16string();
  const std::wstring wide(utf16.begin(), utf16.end());
  std::string name = classlib::WideToCp1251(wide);
  if (classlib::Cp1251ToWide(name) != wide)
    throw EacSkinPackError(L"\"" + acPathText(fileName) + L"\": the name has characters outside code page 1251");
  if (name.size() > static_cast<std::size_t>(kMaxPackedNameLength))
    throw EacSkinPackError(L"\"" + acPathText(fileName) + L"\": the name is longer than " +
                           std::to_wstring(kMaxPackedNameLength) + L" characters");
  if (!IsSafePackedName(name)) throw EacSkinPackError(L"\"" + acPathText(fileName) + L"\" is not a plain file name");
  return name;
}

bool HasExtension(const std::u16string& name, std::string_view extension) {
  if (name.size() < extension.size()) return false;
  for (std::size_t i = 0; i < extension.size(); ++i) {
    char16_t c = name[name.size() - extension.size() + i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != static_cast<char16_t>(extension[i])) return false;
  }
  return true;
}

std::u16string SortKey(const fs::path& name) {
  std::u16string key = name.u16string();
  for (char16_t& c : key) c = static_cast<char16_t>(acUpCase(static_cast<wchar_t>(c)));
  return key;
}

void WriteInt32(classlib::TStream& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                 static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
  out.WriteBuffer(bytes, 4);
}

}  // namespace

int PackDir(const fs::path& SrcDir, const fs::path& DestFile) {
  static constexpr std::string_view kExtensions[] = {".dat", ".bmp", ".png", ".jpg"};
  std::vector<fs::path> groups[std::size(kExtensions)];
  for (const fs::directory_entry& item : fs::directory_iterator(SrcDir)) {
    const fs::path name = item.path().filename();
    const std::u16string text = name.u16string();
    if (text.empty() || text.front() == u'.' || !item.is_regular_file()) continue;
    for (std::size_t g = 0; g < std::size(kExtensions); ++g) {
      if (HasExtension(text, kExtensions[g])) {
        groups[g].push_back(name);
        break;
      }
    }
  }
  std::vector<fs::path> files;
  for (auto& group : groups) {
    std::sort(group.begin(), group.end(), [](const fs::path& a, const fs::path& b) { return SortKey(a) < SortKey(b); });
    files.insert(files.end(), group.begin(), group.end());
  }
  if (files.empty()) return 0;

  classlib::TMemoryStream packed;
  packed.WriteBuffer(kPackedSkinMagic, 4);
  WriteInt32(packed, static_cast<std::int32_t>(files.size()));
  std::int64_t total = 0;
  for (const fs::path& name : files) {
    const std::string stored = StoredName(name);
    const std::unique_ptr<classlib::TMemoryStream> file = LoadLimited(SrcDir / name, kMaxPackedEntrySize);
    total += file->Size();
    if (total > kMaxPackedTotalSize)
      throw EacSkinPackError(L"The files of \"" + acPathText(SrcDir) + L"\" are larger than " +
                             std::to_wstring(kMaxPackedTotalSize >> 20) + L" MiB together");
    WriteInt32(packed, static_cast<std::int32_t>(stored.size()));
    packed.WriteBuffer(stored.data(), static_cast<std::int64_t>(stored.size()));
    WriteInt32(packed, static_cast<std::int32_t>(file->Size()));
    const std::vector<std::uint8_t> compressed =
        ZCompress({file->Memory(), static_cast<std::size_t>(file->Size())}, TZCompressionLevel::zcDefault);
    packed.WriteBuffer(compressed.data(), static_cast<std::int64_t>(compressed.size()));
  }
  packed.SaveToFile(acPathText(DestFile));
  return static_cast<int>(files.size());
}

void UnpackSkinFile(const fs::path& FileName, const fs::path& DestDir) {
  const std::unique_ptr<classlib::TMemoryStream> packed = LoadLimited(FileName, kMaxPackedFileSize);
  const std::span<const std::uint8_t> bytes{packed->Memory(), static_cast<std::size_t>(packed->Size())};
  if (bytes.size() < 4 || std::memcmp(bytes.data(), kPackedSkinMagic, 4) != 0)
    throw EacSkinPackError(acPathText(FileName) + L" is not packed VovevErav file");
  const std::vector<TacPackedEntry> entries = ReadPackedEntries(bytes);
  for (const TacPackedEntry& entry : entries) {
    if (!IsSafePackedName(entry.Name))
      throw EacSkinPackError(L"Packed skin entry " + NameText(entry.Name) +
                             L" is not a plain file name (path separators, ':' or '..'); nothing was unpacked");
  }
  fs::create_directories(DestDir);
  for (const TacPackedEntry& entry : entries) {
    const fs::path target = DestDir / PackedNameToPath(entry.Name);
    // A link (or junction) of that name is removed, never written through.
    if (fs::exists(fs::symlink_status(target))) fs::remove(target);
    classlib::TFileStream file(acPathText(target), classlib::fmCreate);
    file.WriteBuffer(entry.Data.data(), static_cast<std::int64_t>(entry.Data.size()));
  }
}

}  // namespace skin
