#include "skin/core/sChangeImageWin32.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "classlib/Cp1251.h"
#include "skin/core/acChangeImage.h"
#include "skin/core/sSkinManager.h"

namespace skin {

bool ChangeImageInSkin(const std::wstring& SkinSection, const std::wstring& PropName, const std::wstring& FileName,
                       TsSkinManager* Manager) {
  if (!Manager) Manager = DefaultManager();
  if (!Manager || !Manager->Records().SkinData.Active || SkinSection.empty() || PropName.empty()) return false;
  const std::filesystem::path path(FileName);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const TacImageChange change =
      ChangeImageInRecords(Manager->Records(), classlib::WideToCp1251(SkinSection), classlib::WideToCp1251(PropName),
                           classlib::WideToCp1251(FileName), file);
  if (change.IndexesMoved) Manager->SendNewSkin(false);
  return change.Changed;
}

}  // namespace skin
