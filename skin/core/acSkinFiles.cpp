#include "skin/core/acSkinFiles.h"

#include <fstream>
#include <system_error>

#include "classlib/Exception.h"
#include "skin/core/acSkinIni.h"

namespace skin {
namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> ReadWholeFile(const fs::path& path, std::uintmax_t maxSize) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) throw classlib::EStreamError(L"Cannot read the skin file " + path.wstring());
  if (size > maxSize) throw classlib::EStreamError(L"The skin file " + path.wstring() + L" is too large");
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!in || !in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
    throw classlib::EStreamError(L"Cannot read the skin file " + path.wstring());
  return bytes;
}

bool IsRegularFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

std::span<const std::uint8_t> Bytes(classlib::TMemoryStream& stream) {
  return {stream.Memory(), static_cast<std::size_t>(stream.Size())};
}

#ifndef _WIN32
// The entry of Dir whose name equals Name without regard to letter case.
fs::path FindIgnoringCase(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  const std::string wanted = SkinUpperCase(name);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (SkinUpperCase(entry) == wanted && IsRegularFile(it->path())) return it->path();
  }
  return {};
}
#endif

}  // namespace

fs::path TacFolderSkinFiles::Resolve(std::string_view name) const {
  if (name.empty()) return {};
  std::string relative(name);
#ifndef _WIN32
  for (char& c : relative)
    if (c == '\\') c = '/';
#endif
  const fs::path asPath = PackedNameToPath(relative);
  const fs::path given = name.find(':') != std::string_view::npos ? asPath : folder_ / asPath;
  if (IsRegularFile(given)) return given;
#ifndef _WIN32
  const fs::path found = FindIgnoringCase(given.parent_path(), given.filename().string());
  if (!found.empty()) return found;
#endif
  return {};
}

std::optional<std::string> TacFolderSkinFiles::Options() const {
  const fs::path path = Resolve(kOptionsFileName);
  if (path.empty()) return std::nullopt;
  const auto bytes = ReadWholeFile(path, maxFileSize_);
  return std::string(bytes.begin(), bytes.end());
}

std::optional<TacFileBytes> TacFolderSkinFiles::Find(std::string_view name) const {
  const fs::path path = Resolve(name);
  if (path.empty()) return std::nullopt;
  return TacFileBytes::Own(ReadWholeFile(path, maxFileSize_));
}

TacPackedSkinFiles::TacPackedSkinFiles(std::span<const std::uint8_t> packed) : sc_(UnpackSkin(packed)) {}

TacPackedSkinFiles::TacPackedSkinFiles(std::unique_ptr<TacSkinConvertor> unpacked) : sc_(std::move(unpacked)) {
  if (!sc_) sc_ = std::make_unique<TacSkinConvertor>();
}

std::optional<std::string> TacPackedSkinFiles::Options() const {
  if (!sc_->Options) return std::nullopt;
  const auto bytes = Bytes(*sc_->Options);
  return std::string(bytes.begin(), bytes.end());
}

std::optional<TacFileBytes> TacPackedSkinFiles::Find(std::string_view name) const {
  for (const TacImageItem& item : sc_->Files)
    if (item.FileStream && SkinUpperCase(item.FileName) == name) return TacFileBytes::Borrow(Bytes(*item.FileStream));
  return std::nullopt;
}

std::optional<TacFileBytes> TacMemorySkinFiles::Find(std::string_view name) const {
  for (const auto& [entry, bytes] : Files)
    if (SkinUpperCase(entry) == name) return TacFileBytes::Borrow(bytes);
  return std::nullopt;
}

}  // namespace skin
