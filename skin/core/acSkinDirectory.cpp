#include "skin/core/acSkinDirectory.h"

#include <algorithm>
#include <system_error>

#include "classlib/SysUtils.h"

namespace skin {

namespace {

// The folder above Folder (which ends in a separator), with its own trailing separator.
std::wstring_view ParentFolder(std::wstring_view Folder) {
  if (!Folder.empty() && (Folder.back() == L'\\' || Folder.back() == L'/')) Folder.remove_suffix(1);
  const auto cut = Folder.find_last_of(L"\\/");
  return cut == std::wstring_view::npos ? std::wstring_view() : Folder.substr(0, cut + 1);
}

bool StartsWith(std::wstring_view s, std::wstring_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

std::wstring GetFullSkinDirectory(std::wstring_view SkinDirectory, std::wstring_view ProgramFolder) {
  if (StartsWith(SkinDirectory, L"..")) {
    return std::wstring(ParentFolder(ProgramFolder))
        .append(SkinDirectory.substr(std::min<size_t>(3, SkinDirectory.size())));
  }
  if (StartsWith(SkinDirectory, L".\\") || StartsWith(SkinDirectory, L"./")) {
    return std::wstring(ProgramFolder).append(SkinDirectory.substr(2));
  }
  if (SkinDirectory.find(L':') == std::wstring_view::npos && SkinDirectory.find(L"\\\\") == std::wstring_view::npos) {
    return std::wstring(ProgramFolder).append(SkinDirectory);
  }
  return std::wstring(SkinDirectory);
}

std::wstring CutPackedSuffix(std::wstring_view SkinName) {
  constexpr std::wstring_view suffix = L".ASZ";
  if (SkinName.size() > suffix.size() &&
      classlib::UpperCase(SkinName.substr(SkinName.size() - suffix.size())) == suffix) {
    SkinName.remove_suffix(suffix.size());
  }
  return std::wstring(SkinName);
}

TacSkinNameList CollectSkinNames(const std::vector<std::wstring>& InternalNames, const std::filesystem::path& Folder,
                                 TacSkinTypes Types) {
  TacSkinNameList result;
  result.Names = InternalNames;
  const bool unpacked = Types != TacSkinTypes::stPacked;
  const bool packed = Types != TacSkinTypes::stUnpacked;
  std::error_code error;
  if (!Folder.empty() && std::filesystem::is_directory(Folder, error)) {
    for (const auto& entry : std::filesystem::directory_iterator(Folder, error)) {
      const std::wstring name = entry.path().filename().wstring();
      if (name.empty() || name.front() == L'.') continue;
      std::error_code entryError;
      if (entry.is_directory(entryError)) {
        if (unpacked && std::filesystem::is_regular_file(entry.path() / "Options.dat", entryError)) {
          result.Names.push_back(name);
        }
      } else if (packed && entry.path().extension().wstring() == L".asz") {
        result.Names.push_back(name.substr(0, name.find(L'.')));
      }
    }
  }
  if (!result.Names.empty()) result.First = result.Names.front();
  std::stable_sort(result.Names.begin(), result.Names.end(),
                   [](const std::wstring& a, const std::wstring& b) { return classlib::CompareText(a, b) < 0; });
  return result;
}

}  // namespace skin
