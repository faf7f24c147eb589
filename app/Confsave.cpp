#include "app/Confsave.h"

namespace app {
namespace {
constexpr wchar_t kConnect[] = L"CONNECT";
constexpr wchar_t kCom[] = L"COM";
constexpr wchar_t kCommon[] = L"COMMON";
constexpr wchar_t kPage[] = L"PageControl1";
}  // namespace

void ReadSettings(const classlib::TCustomIniFile& ini, SavedSettings& settings) {
  const std::int32_t com = ini.ReadInteger(kConnect, kCom, 1);
  if (com > 0) settings.comNumber = static_cast<std::uint8_t>(com);
  settings.pageIndex = ini.ReadInteger(kCommon, kPage, 0);
}

void WriteSettings(classlib::TCustomIniFile& ini, const SavedSettings& settings) {
  ini.WriteInteger(kConnect, kCom, settings.comNumber);
  ini.WriteInteger(kCommon, kPage, settings.pageIndex);
}

}  // namespace app
