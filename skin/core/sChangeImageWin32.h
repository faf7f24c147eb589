#pragma once
// Replacing one image of the skin a manager has loaded by a file (win32 only).
#include <string>

namespace skin {

class TsSkinManager;

// Only with an active skin, both names given and the file present: the image record (a ".BMP"
// file) or the "PATTERN"/"HOTPATTERN" texture (a JPEG or BMP file) of that section and key takes
// the file. True when an existing image or pattern took it or a bitmap texture was added. When a
// texture changed kind and a record left its place, the cached indexes are rebuilt and the new
// skin is announced (command 1) without a repaint, so that controls resolve their indexes anew.
// A nil manager means the default one. A file that cannot be decoded raises and nothing changes.
bool ChangeImageInSkin(const std::wstring& SkinSection, const std::wstring& PropName, const std::wstring& FileName,
                       TsSkinManager* Manager);

}  // namespace skin
