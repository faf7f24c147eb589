// 46 skinned push buttons (our skin, section BUTTON) printed into a bitmap and repainted on screen:
// the first paint with clean caches and the repaint from the caches, against 46 plain owner-drawn-free
// buttons, in one run. Prints the mean time of a round of 46 paints and the ratios to the plain buttons.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <cstdio>
#include <vector>

#include "classlib/Forms.h"
#include "skin/controls/sButton.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace classlib;
using namespace skin;

namespace {

using bench::MeanSeconds;

}  // namespace

int main() {
  auto* manager = skin::testing::NewManagerWithSkin();
  if (!manager->Active()) {
    std::printf("our skin did not load\n");
    return 1;
  }
  TForm* form = Create<TForm>(Application);
  form->SetBounds(0, 0, 800, 600);
  form->Handle();
  constexpr int kButtons = 46;
  std::vector<TsButton*> skinned;
  std::vector<TButton*> plain;
  for (int i = 0; i < kButtons; ++i) {
    auto* s = Create<TsButton>(form);
    s->SetParent(form);
    s->SetBounds(10 + (i % 8) * 95, 10 + (i / 8) * 40, 90, 28);
    s->SetCaption(L"Запись " + std::to_wstring(i));
    s->Handle();
    skinned.push_back(s);
    auto* p = Create<TButton>(form);
    p->SetParent(form);
    p->SetBounds(10 + (i % 8) * 95, 300 + (i / 8) * 40, 90, 28);
    p->SetCaption(L"Запись " + std::to_wstring(i));
    p->Handle();
    plain.push_back(p);
  }
  auto target = NewBitmap32(90, 28);
  const WPARAM dc = reinterpret_cast<WPARAM>(target->Canvas()->Handle());
  constexpr int kRounds = 200;
  const double first = MeanSeconds(kRounds, [&] {
    for (TsButton* b : skinned) {
      b->SkinData()->BGChanged = true;
      SendMessageW(b->Handle(), WM_PRINT, dc, PRF_CLIENT);
    }
  });
  const double cached = MeanSeconds(kRounds, [&] {
    for (TsButton* b : skinned) SendMessageW(b->Handle(), WM_PRINT, dc, PRF_CLIENT);
  });
  const double native = MeanSeconds(kRounds, [&] {
    for (TButton* b : plain) SendMessageW(b->Handle(), WM_PRINT, dc, PRF_CLIENT | PRF_ERASEBKGND);
  });
  // The same on screen: each button invalidated and repainted at once through its own WM_PAINT,
  // as when the window is uncovered.
  form->Show();
  const auto repaint = [](HWND wnd) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  };
  const double screenFirst = MeanSeconds(kRounds, [&] {
    for (TsButton* b : skinned) {
      b->SkinData()->BGChanged = true;
      repaint(b->Handle());
    }
  });
  const double screenCached = MeanSeconds(kRounds, [&] {
    for (TsButton* b : skinned) repaint(b->Handle());
  });
  const double screenNative = MeanSeconds(kRounds, [&] {
    for (TButton* b : plain) repaint(b->Handle());
  });
  std::printf("%d buttons printed, %d rounds each\n", kButtons, kRounds);
  std::printf("  skinned, clean caches:  %9.1f us a round\n", first * 1e6);
  std::printf("  skinned, from caches:   %9.1f us a round\n", cached * 1e6);
  std::printf("  plain buttons:          %9.1f us a round\n", native * 1e6);
  std::printf("  ratio clean / plain:    %9.2f\n", first / native);
  std::printf("  ratio cached / plain:   %9.2f\n", cached / native);
  std::printf("%d buttons repainted on screen, %d rounds each\n", kButtons, kRounds);
  std::printf("  skinned, clean caches:  %9.1f us a round\n", screenFirst * 1e6);
  std::printf("  skinned, from caches:   %9.1f us a round\n", screenCached * 1e6);
  std::printf("  plain buttons:          %9.1f us a round\n", screenNative * 1e6);
  std::printf("  ratio clean / plain:    %9.2f\n", screenFirst / screenNative);
  std::printf("  ratio cached / plain:   %9.2f\n", screenCached / screenNative);
  Free(form);
  Free(manager);
  return 0;
}
