// skinpack: the packed skin container from the command line.
//   skinpack pack SKIN_FOLDER FILE.asz      Options.dat, then *.bmp, *.png, *.jpg of the folder
//   skinpack list FILE.asz                  every entry: unpacked size, packed size, name
//   skinpack extract FILE.asz FOLDER        every entry as a file of FOLDER
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Cp1251.h"
#include "classlib/Exception.h"
#include "classlib/Streams.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/acUtf8.h"

namespace {

namespace fs = std::filesystem;
using namespace skin;

int Usage() {
  std::fputs(
      "usage: skinpack pack SKIN_FOLDER FILE.asz\n"
      "       skinpack list FILE.asz\n"
      "       skinpack extract FILE.asz FOLDER\n",
      stderr);
  return 2;
}

std::string Utf8(const fs::path& path) { return acWideToUtf8(acPathText(path)); }

int Pack(const fs::path& folder, const fs::path& file) {
  if (!fs::is_directory(folder)) {
    std::fprintf(stderr, "skinpack: %s is not a folder\n", Utf8(folder).c_str());
    return 1;
  }
  const int count = PackDir(folder, file);
  if (count == 0) {
    std::fprintf(stderr, "skinpack: %s holds no *.dat, *.bmp, *.png or *.jpg file; nothing written\n",
                 Utf8(folder).c_str());
    return 1;
  }
  if (!fs::exists(folder / kOptionsFileName))
    std::fprintf(stderr, "skinpack: warning: %s has no Options.dat\n", Utf8(folder).c_str());
  std::printf("%d files packed into %s (%ju bytes)\n", count, Utf8(file).c_str(), fs::file_size(file));
  return 0;
}

int List(const fs::path& file) {
  classlib::TMemoryStream packed;
  packed.LoadFromFile(acPathText(file));
  std::vector<TacPackedEntry> entries;
  try {
    entries = ReadPackedEntries({packed.Memory(), static_cast<std::size_t>(packed.Size())});
  } catch (const EacSkinPackError& e) {
    throw EacSkinPackError(acPathText(file) + L": " + e.Message());
  }
  std::size_t unpacked = 0;
  for (const TacPackedEntry& entry : entries) {
    std::printf("%10zu %10zu  %s\n", entry.Data.size(), entry.PackedSize,
                acWideToUtf8(classlib::Cp1251ToWide(entry.Name)).c_str());
    unpacked += entry.Data.size();
  }
  std::printf("%10zu %10jd  %zu entries\n", unpacked, static_cast<std::intmax_t>(packed.Size()), entries.size());
  return 0;
}

int Extract(const fs::path& file, const fs::path& folder) {
  UnpackSkinFile(file, folder);
  std::printf("%s unpacked into %s\n", Utf8(file).c_str(), Utf8(folder).c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  try {
    if (command == "pack" && argc == 4) return Pack(argv[2], argv[3]);
    if (command == "list" && argc == 3) return List(argv[2]);
    if (command == "extract" && argc == 4) return Extract(argv[2], argv[3]);
  } catch (const classlib::Exception& e) {
    std::fprintf(stderr, "skinpack: %s\n", acWideToUtf8(e.Message()).c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinpack: %s\n", e.what());
    return 1;
  }
  return Usage();
}
