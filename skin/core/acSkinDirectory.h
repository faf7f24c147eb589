#pragma once
// Where the skin manager looks for skins: the skin directory made absolute against the program's
// folder, the ".asz" ending of a packed skin's name, and the names of the skins in a directory.
// Portable: paths are Windows texts (back slashes, drive letters) passed in, the directory is
// read through std::filesystem.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

enum class TacSkinTypes { stUnpacked, stPacked, stAllSkins };

// SkinDirectory made absolute. ProgramFolder is the program's folder with its trailing separator.
// "..\X" is X in the program folder's parent, ".\X" (or "./X") X in the program folder, a name
// holding neither ':' nor "\\" is taken inside the program folder; anything else is kept. No
// separator is appended.
std::wstring GetFullSkinDirectory(std::wstring_view SkinDirectory, std::wstring_view ProgramFolder);

// A skin name without a trailing ".asz" (any letter case), when something is left before it.
std::wstring CutPackedSuffix(std::wstring_view SkinName);

struct TacSkinNameList {
  std::vector<std::wstring> Names;  // sorted without regard to letter case
  std::wstring First;               // the first name found: an internal skin when there is one
};

// The internal skins' names, then from Folder (when it exists; entries whose name begins with '.'
// skipped) the folders holding "Options.dat" and the files ending exactly in ".asz", each by its
// name up to the first '.'.
TacSkinNameList CollectSkinNames(const std::vector<std::wstring>& InternalNames, const std::filesystem::path& Folder,
                                 TacSkinTypes Types);

}  // namespace skin
