// A page control of five sheets on a shown form (the configurator's main window has one of that
// size) switching to the next page and painting until the screen is up to date: skinned against
// the plain control, in one run. Also a hot tab's repaint against a whole repaint of the skinned
// control. Prints the mean times and the ratios.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <cstdio>
#include <string>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "skin/controls/sPageControl.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace classlib;
using namespace skin;

namespace {

template <class Control, class Sheet>
Control* NewPages(TForm* form, int left) {
  auto* pc = Create<Control>(form);
  pc->SetParent(form);
  pc->SetBounds(left, 10, 480, 360);
  pc->Handle();
  const wchar_t* captions[] = {L"Связь", L"Параметры", L"Датчики", L"Журнал", L"Сервис"};
  for (const wchar_t* caption : captions) {
    auto* sheet = Create<Sheet>(form);
    sheet->SetPageControl(pc);
    sheet->SetCaption(caption);
  }
  return pc;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int main() {
  auto* manager = skin::testing::NewManagerWithSkin();
  if (!manager->Active()) {
    std::printf("our skin did not load\n");
    return 1;
  }
  TForm* form = Create<TForm>(Application);
  form->SetBounds(0, 0, 1000, 420);
  auto* skinned = NewPages<TsPageControl, TsTabSheet>(form, 10);
  auto* plain = NewPages<TPageControl, TTabSheet>(form, 500);
  form->Show();
  Pump();
  constexpr int kRounds = 300;
  int next = 0;
  auto switchPage = [&](TPageControl* pc) {
    next = (next + 1) % 5;
    pc->SetActivePageIndex(next);
    RedrawWindow(pc->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  const double skinnedSwitch = bench::MeanSeconds(kRounds, [&] { switchPage(skinned); });
  const double plainSwitch = bench::MeanSeconds(kRounds, [&] { switchPage(plain); });
  auto target = NewBitmap32(skinned->Width(), skinned->Height());
  const WPARAM dc = reinterpret_cast<WPARAM>(target->Canvas()->Handle());
  const double whole = bench::MeanSeconds(kRounds, [&] {
    skinned->BGChanged();
    SendMessageW(skinned->Handle(), WM_PRINT, dc, PRF_CLIENT);
  });
  const int hot = (skinned->ActivePageIndex() + 1) % 5;
  const double hotTab = bench::MeanSeconds(kRounds, [&] { skinned->RepaintTab(hot, 1); });
  std::printf("page switches of a five-sheet page control, %d each\n", kRounds);
  std::printf("  skinned:                        %9.1f us\n", skinnedSwitch * 1e6);
  std::printf("  plain:                          %9.1f us\n", plainSwitch * 1e6);
  std::printf("  ratio skinned / plain:          %9.2f\n", skinnedSwitch / plainSwitch);
  std::printf("skinned repaints: one hot tab %.1f us, the whole control %.1f us (ratio %.3f)\n", hotTab * 1e6,
              whole * 1e6, hotTab / whole);
  Free(form);
  Free(manager);
  return 0;
}
