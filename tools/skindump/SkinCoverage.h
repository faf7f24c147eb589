#pragma once
// Which names of the engine's vocabulary a loaded skin covers: every section that controls,
// window handlers, forms and menus look up, and the images they draw.
#include <string>
#include <vector>

#include "skin/core/acSkinRecords.h"

namespace skindump {

struct RequiredImage {
  std::string Section;
  std::string Key;
};

// The sections the engine asks for, and the images it draws from them.
const std::vector<std::string>& RequiredSections();
const std::vector<RequiredImage>& RequiredImages();

// "SECTION" or "SECTION/KEY" for everything required that the skin lacks. Images are looked up
// as painters do, through the parent sections.
std::vector<std::string> MissingNames(const skin::TacSkinRecords& skin);

}  // namespace skindump
