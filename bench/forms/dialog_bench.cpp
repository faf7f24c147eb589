// A message box from the call to its first complete paint, skinned through the skin manager's
// hook and plain (no manager, no hook), side by side: each round shows the box, paints it and its
// controls at once when it is activated and closes it. Prints the mean time of each and the ratio.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <cstdio>

#include "skin/core/sSkinManager.h"
#include "skin/forms/acDialsHook.h"
#include "tests/skin/core/OurSkinManager.h"

namespace {

constexpr UINT kPaintAndClose = WM_APP + 1;
HWND g_helper = nullptr;

LRESULT CALLBACK HelperProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kPaintAndClose) {
    const HWND box = reinterpret_cast<HWND>(wp);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

// Hands every activated message box to the helper: posted messages run before the box's first
// paint, so the helper paints it on the spot and then closes it.
LRESULT CALLBACK WatchBoxes(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE) PostMessageW(g_helper, kPaintAndClose, wp, 0);
  return CallNextHookEx(nullptr, code, wp, lp);
}

double MeanBoxMicroseconds(int rounds) {
  return bench::MeanSeconds(rounds,
                            [] {
                              MessageBoxW(nullptr, L"Не найден файл справки Tarvisel.chm", L"Tarvisel",
                                          MB_OK | MB_ICONINFORMATION);
                            }) *
         1e6;
}

}  // namespace

int main() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &HelperProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"DialogBenchHelper";
  RegisterClassW(&wc);
  g_helper = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  HHOOK watch = SetWindowsHookExW(WH_CBT, &WatchBoxes, nullptr, GetCurrentThreadId());

  constexpr int kRounds = 40;
  MeanBoxMicroseconds(3);  // the system's first box loads what every later one uses
  const double plain = MeanBoxMicroseconds(kRounds);

  skin::Ac_InstallDialogHook();
  auto* manager = skin::testing::NewManagerWithSkin();
  if (!manager->Active()) return 1;
  MeanBoxMicroseconds(3);
  const double skinned = MeanBoxMicroseconds(kRounds);
  const std::size_t caught = skin::acSupportedList.size();
  classlib::Free(manager);

  UnhookWindowsHookEx(watch);
  DestroyWindow(g_helper);
  std::printf(
      "message box, call to painted and closed: plain %.0f us, skinned %.0f us (%zu boxes caught), ratio %.2f\n", plain,
      skinned, caught, skinned / plain);
  return 0;
}
