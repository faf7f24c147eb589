#pragma once
// UTF-8 <-> UTF-16/32 (wchar_t) for messages and file names; malformed input becomes U+FFFD.
#include <filesystem>
#include <string>
#include <string_view>

namespace skin {

std::wstring acUtf8ToWide(std::string_view Text);
std::string acWideToUtf8(std::wstring_view Text);

// A path as message text.
std::wstring acPathText(const std::filesystem::path& Path);

}  // namespace skin
