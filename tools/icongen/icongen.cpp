// Writes the configurator's images (tools/icongen/IconArt.h) as PNG and ICO files into OUTPUT_DIR
// and prints the image lists' "Items" for the window descriptions, which hold the files' bytes:
//   icongen resources/images
// or the combo edits' button glyphs:
//   icongen --glyphs resources/glyphs
// then put the printed main-window and password-dialog items into sAlphaImageList1 of
// resources/forms/TForm1.txt and TfrmPassLock.txt. A test keeps both equal to this output.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/icongen/IconArt.h"

namespace {

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--glyphs") {
    for (const icongen::ImageFile& f : icongen::EditButtonGlyphs())
      if (!Write(std::string(argv[2]) + "/" + f.Name, f.Bytes)) {
        std::perror(("icongen: " + f.Name).c_str());
        return 1;
      }
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: icongen OUTPUT_DIR | icongen --glyphs OUTPUT_DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  const auto main = icongen::MainWindowImages(), password = icongen::PasswordDialogImages();
  for (const auto* list : {&main, &password})
    for (const icongen::ImageFile& f : *list)
      if (!Write(dir + "/" + f.Name, f.Bytes)) {
        std::perror(("icongen: " + f.Name).c_str());
        return 1;
      }
  std::printf("// main window\n%s// password dialog\n%s", icongen::DescriptionItems(main, "    ").c_str(),
              icongen::DescriptionItems(password, "    ").c_str());
  return 0;
}
