#pragma once
// The two values kept between runs in "QRX.cfg" beside the executable: the serial port number
// and the tab page that was active.
#include <cstdint>

#include "classlib/IniFiles.h"

namespace app {

inline constexpr wchar_t kSettingsFileName[] = L"QRX.cfg";

struct SavedSettings {
  std::uint8_t comNumber = 1;
  int pageIndex = 0;
};

// Reads both keys into `settings`. A missing key leaves page 0; a COM value of 0 or below (or a
// missing one) keeps the number `settings` already holds; larger values are kept in 8 bits.
void ReadSettings(const classlib::TCustomIniFile& ini, SavedSettings& settings);
// Writes "COM" of "CONNECT", then "PageControl1" of "COMMON".
void WriteSettings(classlib::TCustomIniFile& ini, const SavedSettings& settings);

}  // namespace app
