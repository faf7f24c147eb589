#include "skin/windows/acWndUnit.h"

#include <utility>
#include <vector>

#include "skin/windows/acPageWnd.h"

namespace skin {

TGetScrollBarInfo Ac_GetScrollBarInfo = nullptr;
TFlatSBSwitch Ac_InitializeFlatSB = nullptr;
TFlatSBSwitch Ac_UninitializeFlatSB = nullptr;

namespace {

int g_starts = 0;
HMODULE g_user32 = nullptr;
HMODULE g_comctl32 = nullptr;

std::vector<std::function<void()>>& ShutdownSteps() {
  static std::vector<std::function<void()>> steps;
  return steps;
}

template <class T>
T Resolve(HMODULE Module, const char* Name) {
  return Module ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Module, Name))) : nullptr;
}

// The process's own start and end of the unit.
struct TacUnitLife {
  TacUnitLife() {
    // The lists are made first so that they outlive the process's last shutdown.
    ShutdownSteps();
    acPageHandlerCount();
    acWndUnitStartup();
  }
  ~TacUnitLife() {
    while (g_starts > 0) acWndUnitShutdown();
  }
} g_unitLife;

}  // namespace

void acWndUnitStartup() {
  if (g_starts++ > 0) return;
  g_user32 = LoadLibraryW(L"user32.dll");
  Ac_GetScrollBarInfo = Resolve<TGetScrollBarInfo>(g_user32, "GetScrollBarInfo");
  g_comctl32 = LoadLibraryW(L"comctl32.dll");
  Ac_UninitializeFlatSB = Resolve<TFlatSBSwitch>(g_comctl32, "UninitializeFlatSB");
  Ac_InitializeFlatSB = Resolve<TFlatSBSwitch>(g_comctl32, "InitializeFlatSB");
}

bool acWndUnitStarted() { return g_starts > 0; }

void acAddUnitShutdownStep(std::function<void()> Step) { ShutdownSteps().push_back(std::move(Step)); }

void acWndUnitShutdown() {
  if (g_starts <= 0 || --g_starts > 0) return;
  acFreePageHandlers();
  auto& steps = ShutdownSteps();
  while (!steps.empty()) {
    const std::function<void()> step = std::move(steps.back());
    steps.pop_back();
    step();
  }
  Ac_GetScrollBarInfo = nullptr;
  Ac_InitializeFlatSB = nullptr;
  Ac_UninitializeFlatSB = nullptr;
  if (g_comctl32 != nullptr) FreeLibrary(std::exchange(g_comctl32, nullptr));
  if (g_user32 != nullptr) FreeLibrary(std::exchange(g_user32, nullptr));
}

}  // namespace skin
