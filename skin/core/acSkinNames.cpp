#include "skin/core/acSkinNames.h"

#include <algorithm>
#include <iterator>

namespace skin {
namespace {

template <std::size_t N>
bool Contains(const std::string_view (&names)[N], std::string_view key) {
  return std::find(std::begin(names), std::end(names), key) != std::end(names);
}

}  // namespace

bool IsSkinImageKey(std::string_view key) {
  if (Contains(kSectionImageKeys, key) || Contains(kGlobalImageKeys, key) || Contains(kTitleButtonKeys, key))
    return true;
  constexpr std::string_view kGlow = "GLOW0";
  if (key.size() > kGlow.size() && key.substr(key.size() - kGlow.size()) == kGlow)
    return Contains(kTitleButtonKeys, key.substr(0, key.size() - kGlow.size()));
  return false;
}

bool IsSkinValueKey(std::string_view key) { return Contains(kValueKeys, key); }

}  // namespace skin
