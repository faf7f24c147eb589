#pragma once
// The program's own skin: a light, flat look with one accent colour, drawn from a SkinStyle.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/skingen/SkinStyle.h"

namespace skingen {

// The skin's files by name: "Options.dat", the master bitmap and its images of their own.
using SkinFiles = std::map<std::string, std::vector<std::uint8_t>>;

SkinFiles BuildOurSkin(const SkinStyle& style);
// The program's own form shadows, for skins without one: "acSHDA.png" (active form, 32 x 32) and
// "acSHDI.png" (inactive, 31 x 31), black with the shadow in the alpha channel.
SkinFiles BuiltInShadows();
// The light that sweeps along a gauge's bar: "acGL.png", 300 x 40, white with the light in the
// alpha channel, strongest in the middle.
SkinFiles GaugeLight();

}  // namespace skingen
