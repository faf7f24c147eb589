#pragma once
// Folder and file-name texts (Windows conventions: back slashes, drive letters).
#include <string>
#include <string_view>

namespace skin {

// S ending in a back slash: empty stays empty, a trailing "/" becomes "\", a lone drive letter
// gets ":\", anything else gets "\" unless it already ends in one.
std::wstring NormalDir(std::wstring_view S);

// False for an empty name or one holding any of < > " | * ? /.
bool ValidFileName(std::wstring_view Name);

}  // namespace skin
