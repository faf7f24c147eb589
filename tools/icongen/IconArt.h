#pragma once
// The configurator's small images as the files its windows' image lists keep: PNG or ICO, 16 × 16,
// 32 bits with straight alpha, byte for byte the same on every run.
#include <cstdint>
#include <string>
#include <vector>

namespace icongen {

struct ImageFile {
  std::string Name;  // "main04.ico"
  bool Ico = false;
  std::vector<std::uint8_t> Bytes;
};

// The main window's 14 images and the password dialog's 3, in list order.
std::vector<ImageFile> MainWindowImages();
std::vector<ImageFile> PasswordDialogImages();

// The combo edits' built-in button glyphs "SF", "SR", "SD", "SE", "SC" (sheet, folder, calendar,
// ellipsis, calculator): 48 x 16 PNGs of three cells, normal, hot and pressed.
std::vector<ImageFile> EditButtonGlyphs();

// The image list's "Items" property as a window description writes it, each line led by Indent.
std::string DescriptionItems(const std::vector<ImageFile>& files, const std::string& indent);

}  // namespace icongen
