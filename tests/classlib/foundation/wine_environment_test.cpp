// The Wine prefix must look like the users' Windows: Russian regional settings and a code page
// conversion that agrees with ours. Locale faults in the program are caught only if this holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "classlib/Cp1251.h"

namespace {
std::wstring LocaleText(LCTYPE type) {
  wchar_t buffer[80] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 80);
  return buffer;
}
}  // namespace

TEST(WineEnvironment, RussianRegionalFormats) {
  EXPECT_EQ(LocaleText(LOCALE_SSHORTDATE), L"dd.MM.yyyy");
  EXPECT_EQ(LocaleText(LOCALE_SDECIMAL), L",");
}

TEST(WineEnvironment, SystemCodePage1251AgreesWithOurTable) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  wchar_t wide[256] = {};
  const int n = MultiByteToWideChar(1251, 0, all.data(), static_cast<int>(all.size()), wide, 256);
  ASSERT_EQ(n, 255);
  const std::wstring ours = classlib::Cp1251ToWide(all);
  for (int i = 0; i < 255; ++i) {
    if (i + 1 == 0x98) continue;  // unassigned: systems differ
    EXPECT_EQ(static_cast<unsigned>(wide[i]), static_cast<unsigned>(ours[i])) << "byte " << i + 1;
  }
}
