// The configurator's status bar (panels 60, 60, 500 and 50 wide, the first three centred, the
// last right-aligned) taking a new panel text and painting it: skinned at the form's bottom edge
// (where it renders its cache on every paint), skinned wholly inside the form (where only the new
// text renders it), and the plain bar, in one run. Prints the mean time of an update and the ratios.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <cstdio>
#include <string>

#include "classlib/Forms.h"
#include "skin/controls/sStatusBar.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace classlib;
using namespace skin;

namespace {

template <class Bar>
Bar* NewBar(TForm* form, TAlign align, int top) {
  auto* bar = Create<Bar>(form);
  bar->SetAlign(align);
  const int widths[] = {60, 60, 500, 50};
  for (int i = 0; i < 4; ++i) {
    TStatusPanel* p = bar->Panels()->Add();
    p->SetWidth(widths[i]);
    p->SetAlignment(i < 3 ? taCenter : taRightJustify);
    p->SetText(L"--");
  }
  bar->SetParent(form);
  if (align == alNone) bar->SetBounds(0, top, 700, 19);
  bar->Handle();
  return bar;
}

}  // namespace

int main() {
  auto* manager = skin::testing::NewManagerWithSkin();
  if (!manager->Active()) {
    std::printf("our skin did not load\n");
    return 1;
  }
  TForm* form = Create<TForm>(Application);
  form->SetBounds(0, 0, 720, 400);
  form->Handle();
  auto* atEdge = NewBar<TsStatusBar>(form, alBottom, 0);
  auto* inside = NewBar<TsStatusBar>(form, alNone, 100);
  auto* plain = NewBar<TStatusBar>(form, alNone, 200);
  auto target = NewBitmap32(700, 19);
  const WPARAM dc = reinterpret_cast<WPARAM>(target->Canvas()->Handle());
  constexpr int kRounds = 500;
  int n = 0;
  auto update = [&](TStatusBar* bar, LPARAM flags) {
    bar->Panels()->Items(2)->SetText(L"Записано " + std::to_wstring(++n) + L" байт");
    SendMessageW(bar->Handle(), WM_PRINT, dc, flags);
  };
  const double edge = bench::MeanSeconds(kRounds, [&] { update(atEdge, PRF_CLIENT); });
  const double within = bench::MeanSeconds(kRounds, [&] { update(inside, PRF_CLIENT); });
  const double repaintEdge = bench::MeanSeconds(kRounds, [&] { SendMessageW(atEdge->Handle(), WM_PRINT, dc, PRF_CLIENT); });
  const double repaintInside = bench::MeanSeconds(kRounds, [&] { SendMessageW(inside->Handle(), WM_PRINT, dc, PRF_CLIENT); });
  const double native = bench::MeanSeconds(kRounds, [&] { update(plain, PRF_CLIENT | PRF_ERASEBKGND); });
  std::printf("status text updates, %d each\n", kRounds);
  std::printf("  skinned, at the form's edge:    %9.1f us\n", edge * 1e6);
  std::printf("  skinned, inside the form:       %9.1f us\n", within * 1e6);
  std::printf("  plain bar:                      %9.1f us\n", native * 1e6);
  std::printf("  ratio edge / plain:             %9.2f\n", edge / native);
  std::printf("  ratio inside / plain:           %9.2f\n", within / native);
  std::printf("repaint without a change: at the edge %.1f us, inside %.1f us (ratio %.2f)\n", repaintEdge * 1e6,
              repaintInside * 1e6, repaintEdge / repaintInside);
  Free(form);
  Free(manager);
  return 0;
}
