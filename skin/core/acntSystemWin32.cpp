#include "skin/core/acntSystemWin32.h"

#include "skin/core/sConstOptions.h"

namespace skin {
namespace {

// kernel32's optional entry points, looked up once by name (absent on old systems).
class TacKernel32 {
 public:
  using IsDebuggerPresentFn = BOOL(WINAPI*)();
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

  TacKernel32() : module_(LoadLibraryW(L"kernel32.dll")) {
    if (!module_) return;
    isDebuggerPresent_ =
        reinterpret_cast<IsDebuggerPresentFn>(reinterpret_cast<void*>(GetProcAddress(module_, "IsDebuggerPresent")));
    isWow64Process_ =
        reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(module_, "IsWow64Process")));
  }
  ~TacKernel32() {
    if (module_) FreeLibrary(module_);
  }
  TacKernel32(const TacKernel32&) = delete;
  TacKernel32& operator=(const TacKernel32&) = delete;

  IsDebuggerPresentFn isDebuggerPresent_ = nullptr;
  IsWow64ProcessFn isWow64Process_ = nullptr;

 private:
  HMODULE module_;
};

const TacKernel32& Kernel32() {
  static const TacKernel32 kernel32;
  return kernel32;
}

bool NonClientMetrics(NONCLIENTMETRICSW& metrics) {
  metrics = {};
  metrics.cbSize = sizeof metrics;
  return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != FALSE;
}

// Desktop composition, asked of dwmapi when the system has it.
bool CompositionEnabled() {
  const HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
  if (!dwm) return false;
  using DwmIsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
  const auto isEnabled = reinterpret_cast<DwmIsCompositionEnabledFn>(
      reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  BOOL enabled = FALSE;
  const bool answer = isEnabled && SUCCEEDED(isEnabled(&enabled)) && enabled;
  FreeLibrary(dwm);
  return answer;
}

}  // namespace

int GetCaptionFontSize() {
  NONCLIENTMETRICSW metrics;
  return NonClientMetrics(metrics) ? metrics.lfCaptionFont.lfHeight : 0;
}

HFONT acGetTitleFont() {
  NONCLIENTMETRICSW metrics;
  return NonClientMetrics(metrics) ? CreateFontIndirectW(&metrics.lfCaptionFont) : nullptr;
}

bool acGetAnimation() {
  ANIMATIONINFO info{};
  info.cbSize = sizeof info;
  return SystemParametersInfoW(SPI_GETANIMATION, sizeof info, &info, 0) && info.iMinAnimate != 0;
}

void acSetAnimation(bool Value) {
  ANIMATIONINFO info{};
  info.cbSize = sizeof info;
  info.iMinAnimate = Value ? 1 : 0;
  SystemParametersInfoW(SPI_SETANIMATION, sizeof info, &info, 0);
}

bool IsNTFamily() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExW(&version)) return true;  // only NT-family systems lack nothing here
  return version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion > 0);
}

bool IsIDERunning() {
  const auto probe = Kernel32().isDebuggerPresent_;
  return probe ? probe() != FALSE : true;
}

bool IsWOW64Proc() {
  const auto probe = Kernel32().isWow64Process_;
  BOOL wow64 = FALSE;
  return probe && probe(GetCurrentProcess(), &wow64) && wow64;
}

bool IsWindows64() { return sizeof(void*) == 8 || IsWOW64Proc(); }

namespace detail {

void acntSystemStartup() {
  if (IsWindows64() && !CompositionEnabled()) x64woAero = true;
}

}  // namespace detail
}  // namespace skin
