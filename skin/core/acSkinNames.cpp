#include "skin/core/acSkinNames.h"

#include <algorithm>
#include <iterator>
#include <unordered_set>

namespace skin {
namespace {

template <std::size_t N>
bool Contains(const std::string_view (&names)[N], std::string_view key) {
  return std::find(std::begin(names), std::end(names), key) != std::end(names);
}

// Every key of a description is tested against these while loading: a set, not a list.
const std::unordered_set<std::string_view>& ImageKeys() {
  static const std::unordered_set<std::string_view> keys = [] {
    std::unordered_set<std::string_view> set(std::begin(kSectionImageKeys), std::end(kSectionImageKeys));
    set.insert(std::begin(kGlobalImageKeys), std::end(kGlobalImageKeys));
    set.insert(std::begin(kTitleButtonKeys), std::end(kTitleButtonKeys));
    return set;
  }();
  return keys;
}

const std::unordered_set<std::string_view>& ValueKeys() {
  static const std::unordered_set<std::string_view> keys(std::begin(kValueKeys), std::end(kValueKeys));
  return keys;
}

}  // namespace

bool IsSkinImageKey(std::string_view key) {
  if (ImageKeys().contains(key)) return true;
  constexpr std::string_view kGlow = "GLOW0";
  if (key.size() > kGlow.size() && key.substr(key.size() - kGlow.size()) == kGlow)
    return Contains(kTitleButtonKeys, key.substr(0, key.size() - kGlow.size()));
  return false;
}

bool IsSkinValueKey(std::string_view key) { return ValueKeys().contains(key); }

}  // namespace skin
