#pragma once
// Where the files of a skin come from: a skin folder, an unpacked "ASzf" container, or a set of
// files in memory. The description names its files; the rules for finding one are the source's:
//   container and memory: the entry whose upper-cased name equals the name as written;
//   folder: the name inside the folder (a name holding ':' is a path of its own), matched
//           without regard to letter case where the file system is case-sensitive.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/core/acSkinPack.h"

namespace skin {

// The bytes of one file, borrowed from the source or owned.
class TacFileBytes {
 public:
  static TacFileBytes Borrow(std::span<const std::uint8_t> bytes) {
    TacFileBytes f;
    f.borrowed_ = bytes;
    return f;
  }
  static TacFileBytes Own(std::vector<std::uint8_t> bytes) {
    TacFileBytes f;
    f.owned_ = std::move(bytes);
    f.isOwned_ = true;
    return f;
  }
  std::span<const std::uint8_t> Bytes() const { return isOwned_ ? std::span<const std::uint8_t>(owned_) : borrowed_; }

 private:
  std::vector<std::uint8_t> owned_;
  std::span<const std::uint8_t> borrowed_;
  bool isOwned_ = false;
};

class TacSkinFiles {
 public:
  virtual ~TacSkinFiles() = default;
  // The text of "Options.dat" when the source has one.
  virtual std::optional<std::string> Options() const = 0;
  // The file a description value names; nullopt when there is none. Raises classlib::EStreamError
  // when the file exists but cannot be read.
  virtual std::optional<TacFileBytes> Find(std::string_view name) const = 0;
};

// A skin folder; files larger than MaxFileSize are refused when read.
class TacFolderSkinFiles final : public TacSkinFiles {
 public:
  explicit TacFolderSkinFiles(std::filesystem::path folder, std::uintmax_t maxFileSize = std::uintmax_t{64} << 20)
      : folder_(std::move(folder)), maxFileSize_(maxFileSize) {}
  std::optional<std::string> Options() const override;
  std::optional<TacFileBytes> Find(std::string_view name) const override;
  // The file a name stands for, empty when none exists.
  std::filesystem::path Resolve(std::string_view name) const;

 private:
  std::filesystem::path folder_;
  std::uintmax_t maxFileSize_;
};

// An unpacked container: "Options.dat" and the image entries.
class TacPackedSkinFiles final : public TacSkinFiles {
 public:
  // Unpacks the container; EacSkinPackError when it is not one or is damaged.
  explicit TacPackedSkinFiles(std::span<const std::uint8_t> packed);
  explicit TacPackedSkinFiles(std::unique_ptr<TacSkinConvertor> unpacked);
  std::optional<std::string> Options() const override;
  std::optional<TacFileBytes> Find(std::string_view name) const override;
  const TacSkinConvertor& Convertor() const { return *sc_; }

 private:
  std::unique_ptr<TacSkinConvertor> sc_;
};

// Files held in memory by name: tests, and skins put together by a program.
class TacMemorySkinFiles final : public TacSkinFiles {
 public:
  std::optional<std::string> OptionsText;
  std::map<std::string, std::vector<std::uint8_t>> Files;  // entry name -> bytes

  std::optional<std::string> Options() const override { return OptionsText; }
  std::optional<TacFileBytes> Find(std::string_view name) const override;
};

}  // namespace skin
