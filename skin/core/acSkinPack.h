#pragma once
// The packed skin container "ASzf" (".asz" files and the internal skins' data).
//
// Layout, all integers 32-bit signed little-endian, no padding:
//   "ASzf", entry count N, then N entries back to back:
//   name length L, L bytes of name (code page 1251), unpacked size S, one zlib stream.
// The compressed length is not stored: the next entry starts where the zlib stream ends.
//
// Packed skins come from files and resources that may be damaged or hostile: the reader checks
// every length against the bytes left, caps sizes, requires each zlib stream to end exactly
// with its stated size and refuses anything else with an EacSkinPackError naming the fault.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Exception.h"
#include "classlib/Streams.h"

namespace skin {

inline constexpr char kPackedSkinMagic[4] = {'A', 'S', 'z', 'f'};
inline constexpr std::string_view kOptionsFileName = "Options.dat";
inline constexpr const wchar_t* kNotPackedSkinText = L"Loaded data is not a packed VovevErav file";

// Limits of what a packed skin may hold. A real skin is a few megabytes.
inline constexpr int kMaxPackedNameLength = 255;                              // bytes
inline constexpr std::int64_t kMaxPackedEntrySize = std::int64_t{64} << 20;   // unpacked bytes
inline constexpr std::int64_t kMaxPackedTotalSize = std::int64_t{256} << 20;  // unpacked bytes
inline constexpr std::int64_t kMaxPackedFileSize = kMaxPackedTotalSize + (std::int64_t{16} << 20);

class EacSkinPackError : public classlib::Exception {
 public:
  using classlib::Exception::Exception;
};

// One entry of a container as stored: its name, its unpacked bytes, its compressed length.
struct TacPackedEntry {
  std::string Name;  // code page 1251
  std::vector<std::uint8_t> Data;
  std::size_t PackedSize = 0;
};

// Every entry of a container, in container order; EacSkinPackError for anything malformed.
std::vector<TacPackedEntry> ReadPackedEntries(std::span<const std::uint8_t> Packed);

struct TacImageItem {
  std::string FileName;   // the entry name
  bool IsBitmap = false;  // the name's extension is ".BMP" (any case)
  std::unique_ptr<classlib::TMemoryStream> FileStream;
};
using TacImageItems = std::vector<TacImageItem>;

// An unpacked skin: its options text and its image files.
class TacSkinConvertor {
 public:
  TacSkinConvertor() = default;
  TacSkinConvertor(const TacSkinConvertor&) = delete;
  TacSkinConvertor& operator=(const TacSkinConvertor&) = delete;
  ~TacSkinConvertor() { Clear(); }

  // Frees the files from the last to the first, then Options and PackedData.
  void Clear();

  int ImageCount = 0;  // entries besides the options text: N - 1
  TacImageItems Files;
  std::unique_ptr<classlib::TMemoryStream> Options;     // nil until read
  std::unique_ptr<classlib::TMemoryStream> PackedData;  // the whole container; may be freed after extraction
};

// Unpacks Convertor->PackedData. On any fault the convertor is freed, the variable set to nil
// and EacSkinPackError raised: with kNotPackedSkinText for data that is not a container, with
// the fault named for a damaged one.
void ExtractPackedData(std::unique_ptr<TacSkinConvertor>& Convertor);

// A container held in memory unpacked into a new convertor without PackedData; EacSkinPackError
// as in ExtractPackedData.
std::unique_ptr<TacSkinConvertor> UnpackSkin(std::span<const std::uint8_t> Packed);

// Nothing when the file does not exist. Otherwise Convertor (cleared, or new) gets the whole
// file as PackedData and is unpacked; FreePackedData drops PackedData afterwards.
void LoadSkinFromFile(const std::filesystem::path& FileName, std::unique_ptr<TacSkinConvertor>& Convertor,
                      bool FreePackedData);

// The files of SrcDir matching *.dat, then *.bmp, *.png, *.jpg (any case; names beginning with
// "." and folders left out; each group in name order) packed into DestFile. Writes nothing and
// answers 0 when there is no such file; else the number of files packed.
int PackDir(const std::filesystem::path& SrcDir, const std::filesystem::path& DestFile);

// Writes every entry of FileName into DestDir (created when missing), replacing files of the
// same name. The whole container is checked first: a damaged one, or one with an entry name
// that is not a plain file name (path separators, ":", "..", control characters), writes
// nothing and raises EacSkinPackError.
void UnpackSkinFile(const std::filesystem::path& FileName, const std::filesystem::path& DestDir);

// An entry name that may be written as a file of a folder.
bool IsSafePackedName(std::string_view Name);
// An entry name as a path (code page 1251 to the platform's file names).
std::filesystem::path PackedNameToPath(std::string_view Name);

}  // namespace skin
