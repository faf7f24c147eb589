#include "skin/core/sSkinPreviewWin32.h"

#include <span>
#include <string>

#include "classlib/Cp1251.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acSkinPreview.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"

namespace skin {
namespace {

constexpr WPARAM kPreviewCommand = 7;
constexpr DWORD kDwmHasIconicBitmap = 10;
constexpr DWORD kDwmForceIconicRepresentation = 7;

std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

}  // namespace

void ReceiveData(classlib::TMessage& Message, TsSkinManager* Manager) {
  if (Message.WParam != kPreviewCommand) return;
  if (!Manager) Manager = DefaultManager();
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
  if (!Manager || !copy || !copy->lpData) return;
  const std::optional<TacSkinData> block =
      ParseSkinData(std::span(static_cast<const std::uint8_t*>(copy->lpData), copy->cbData));
  if (!block) return;
  UnPackedFirst = true;
  // The skin parser reads code page 1251, whatever the sender's ANSI code page was.
  const std::string options = classlib::WideToCp1251(FromAnsi(block->Data));
  Manager->BeginUpdate();
  acMemSkinFile = &options;
  const classlib::TScopeExit restore([Manager] {
    acMemSkinFile = nullptr;
    Manager->NonAutoUpdate = false;
  });
  Manager->SetSkinDirectory(FromAnsi(block->SkinDir));
  Manager->SetSkinName(FromAnsi(block->SkinName));
  Manager->EndUpdate(true);
  Message.Result = 1;
}

const TacDwmThumbnailApi& SystemDwmApi() {
  static const TacDwmThumbnailApi api = [] {
    TacDwmThumbnailApi found;
    if (HMODULE dwm = LoadLibraryW(L"dwmapi.dll")) {
      found.SetWindowAttribute = reinterpret_cast<decltype(found.SetWindowAttribute)>(
          reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
      found.InvalidateIconicBitmaps = reinterpret_cast<decltype(found.InvalidateIconicBitmaps)>(
          reinterpret_cast<void*>(GetProcAddress(dwm, "DwmInvalidateIconicBitmaps")));
    }
    return found;
  }();
  return api;
}

void UpdatePreview(HWND Handle, bool Flag, const TacDwmThumbnailApi& Api) {
  if (!ac_ChangeThumbPreviews || !Api.SetWindowAttribute) return;
  const BOOL value = Flag ? TRUE : FALSE;
  if (SUCCEEDED(Api.SetWindowAttribute(Handle, kDwmHasIconicBitmap, &value, sizeof value)))
    Api.SetWindowAttribute(Handle, kDwmForceIconicRepresentation, &value, sizeof value);
  if (Api.InvalidateIconicBitmaps) Api.InvalidateIconicBitmaps(Handle);
}

}  // namespace skin
