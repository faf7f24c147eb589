#include "skin/core/sConstWin32.h"

#include <shellapi.h>

#include "skin/core/acntSystemWin32.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sConstStartup.h"
#include "skin/core/sConstTexts.h"

namespace skin {

std::unique_ptr<TacShellImageList> LargeShellImages;
std::unique_ptr<TacShellImageList> SmallShellImages;

namespace {

std::unique_ptr<TacShellImageList> MakeShellList(UINT flags, const wchar_t* name) {
  SHFILEINFOW info{};
  const auto list =
      reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | flags));
  return std::make_unique<TacShellImageList>(list, name);
}

}  // namespace

void InitShellImageLists(bool /*Large*/, bool /*Small*/) {
  if (!LargeShellImages) LargeShellImages = MakeShellList(SHGFI_SHELLICONSIZE, L"sShellLargeImages");
  if (!SmallShellImages) SmallShellImages = MakeShellList(SHGFI_SMALLICON, L"sShellSmallImages");
}

namespace detail {

void sConstPlatformStartup() {
  acntSystemStartup();
  acScrollBtnLength = GetSystemMetrics(SM_CXHSCROLL);
  // A text missing from the executable's string table keeps its built-in English form.
  const HINSTANCE module = GetModuleHandleW(nullptr);
  const auto load = [module](const TacStringTableText& text) {
    const wchar_t* resource = nullptr;
    const int length = LoadStringW(module, text.Id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length > 0 && resource) text.Variable->assign(resource, static_cast<std::size_t>(length));
  };
  for (const TacStringTableText& text : acStringTableTexts()) load(text);
  for (const TacStringTableText& text : acResourceStringTexts()) load(text);
}

// The image lists are freed by their owners' destructors (small first, see the header).
void sConstPlatformShutdown() {}

}  // namespace detail
}  // namespace skin
