// Live-preview blocks from another process: any bytes are read without reading outside them; a
// block that is taken gives texts that fit their fields, hold no zero byte and come back the same
// from a block made of them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "skin/core/acSkinPreview.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<skin::TacSkinData> parsed = skin::ParseSkinData(std::span(data, size));
  if (!parsed) return 0;
  if (parsed->SkinName.size() > skin::kSkinDataNameSize || parsed->SkinDir.size() > skin::kSkinDataDirSize ||
      parsed->Data.size() > skin::kSkinDataTextSize)
    std::abort();
  for (const std::string* text : {&parsed->SkinName, &parsed->SkinDir, &parsed->Data})
    if (text->find('\0') != std::string::npos) std::abort();
  // A text that fills its whole field loses its last byte to the zero of a made block.
  if (parsed->SkinName.size() < skin::kSkinDataNameSize && parsed->SkinDir.size() < skin::kSkinDataDirSize &&
      parsed->Data.size() < skin::kSkinDataTextSize) {
    const std::string block = skin::MakeSkinDataBlock(parsed->SkinName, parsed->SkinDir, parsed->Data);
    const auto again =
        skin::ParseSkinData(std::span(reinterpret_cast<const std::uint8_t*>(block.data()), block.size()));
    if (!again || again->SkinName != parsed->SkinName || again->SkinDir != parsed->SkinDir ||
        again->Data != parsed->Data)
      std::abort();
  }
  return 0;
}
