#include "skin/core/sSkinManagerStartup.h"

#include <shellapi.h>  // needs windows.h first

#include <cstdint>
#include <span>

#include "classlib/Exception.h"
#include "classlib/ResourceStream.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acSkinBitmaps.h"

namespace skin {

OSVERSIONINFOW OSVersionInfo{};
bool IsNT = false;

namespace {

// A shadow the program carries; empty when it carries none or the image does not decode, so that
// the skins' own shadows or none are used.
TBitmap32 ShadowResource(const wchar_t* name) {
  try {
    classlib::TResourceStream stream(GetModuleHandleW(nullptr), name);
    return DecodeSkinPng(std::span<const std::uint8_t>(stream.Memory(), static_cast<std::size_t>(stream.Size())), true,
                         1 << 16);
  } catch (const classlib::Exception&) {
    return {};
  }
}

// Runs once when the program starts. It calls only the system: the other units' globals may not
// be made yet. The shadows are decoded on first use, for the same reason.
class TsSkinManagerLifetime {
 public:
  TsSkinManagerLifetime() {
    OSVersionInfo.dwOSVersionInfoSize = sizeof OSVersionInfo;
    if (GetVersionExW(&OSVersionInfo)) IsNT = OSVersionInfo.dwPlatformId == VER_PLATFORM_WIN32_NT;
    if (CommandLineHas(L"/acver")) MessageBoxW(nullptr, L"DezuvEzizared v7.56", L"", MB_OK);
  }
};
const TsSkinManagerLifetime sSkinManagerLifetime;

}  // namespace

const TBitmap32& BuiltInShadowActive() {
  static const TBitmap32 shadow = ShadowResource(L"ACSHDA");
  return shadow;
}

const TBitmap32& BuiltInShadowInactive() {
  static const TBitmap32 shadow = ShadowResource(L"ACSHDI");
  return shadow;
}

bool CommandLineHas(std::wstring_view Switch) {
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr) return false;
  const classlib::TScopeExit freeArgs([args] { LocalFree(args); });
  for (int i = 1; i < count; ++i)
    if (CompareStringOrdinal(args[i], -1, Switch.data(), static_cast<int>(Switch.size()), TRUE) == CSTR_EQUAL)
      return true;
  return false;
}

}  // namespace skin
