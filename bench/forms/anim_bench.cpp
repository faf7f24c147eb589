// The page-change path and one cross-fade frame, timed under Wine or Windows in one run: a tab click
// on a five-sheet page control (the configurator's main window has one of that size) with the
// manager's page-change animation (time 0: a snapshot of the old page and a cover until the new
// one is painted) and without it; and one frame of each cross-fade against the 12 ms that a frame
// may take: the control's cover (old and new looks mixed and drawn) and a skinned form's layered
// copy (a fade frame pushed). Prints the mean times and the ratios.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <cstdio>

#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "skin/controls/sPageControl.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sBlend32.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace classlib;
using namespace skin;

namespace {

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int main() {
  RegisterSkinProviderClasses();
  auto* manager = skin::testing::NewManagerWithSkin();
  if (!manager->Active()) {
    std::printf("our skin did not load\n");
    return 1;
  }
  TForm* form = Create<TForm>(Application);
  form->SetBounds(0, 0, 520, 420);
  auto* pc = Create<TsPageControl>(form);
  pc->SetParent(form);
  pc->SetBounds(10, 10, 480, 360);
  for (const wchar_t* caption : {L"Связь", L"Параметры", L"Датчики", L"Журнал", L"Сервис"}) {
    auto* sheet = Create<TsTabSheet>(form);
    sheet->SetPageControl(pc);
    sheet->SetCaption(caption);
  }
  auto* provider = Create<TsSkinProvider>(form);
  provider->SkinData()->SetSkinManager(manager);
  provider->PrepareForm();
  form->Show();
  Pump();

  constexpr int kRounds = 200;
  int next = 0;
  const auto click = [&] {
    next = (next + 1) % 5;
    RECT tab{};
    SendMessageW(pc->Handle(), TCM_GETITEMRECT, WPARAM(next), reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    SendMessageW(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(pc->Handle(), WM_LBUTTONUP, 0, at);
    RedrawWindow(pc->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  TacFormAnimation& pageChange = manager->AnimEffects().PageChange();
  pageChange.SetActive(true);
  pageChange.SetTime(0);
  const double animated = bench::MeanSeconds(kRounds, click);
  pageChange.SetActive(false);
  const double plain = bench::MeanSeconds(kRounds, click);

  // The path's parts: the snapshot with its cover, and the new look rendered.
  const double cover = bench::MeanSeconds(kRounds, [&] {
    PrepareForAnimation(pc);
    FreeAnimCoverWindow();
  });
  auto rendered = NewBitmap32(pc->Width(), pc->Height());
  const double render = bench::MeanSeconds(kRounds, [&] { SkinPaintTo(rendered.get(), pc, 0, 0, nullptr); });

  // One frame of the control's cross-fade: the two looks mixed and drawn onto the window.
  auto oldLook = NewBitmap32(pc->Width(), pc->Height());
  auto newLook = NewBitmap32(pc->Width(), pc->Height());
  auto mix = NewBitmap32(pc->Width(), pc->Height());
  SkinPaintTo(newLook.get(), pc, 0, 0, nullptr);
  const WindowDC dc(pc->Handle());
  int weight = 255;
  const double coverFrame = bench::MeanSeconds(kRounds, [&] {
    weight = weight > 8 ? weight - 8 : 255;
    GdiFlush();
    SumBitmapsByMask(mix->Image32View(), oldLook->Image32View(), newLook->Image32View(), TImage32View{}, weight);
    BitBlt(dc.get(), 0, 0, mix->Width(), mix->Height(), mix->Canvas()->Handle(), 0, 0, SRCCOPY);
    GdiFlush();
  });
  // One frame of a skinned form's layered copy: its picture pushed with a new constant alpha.
  std::unique_ptr<TBitmap> image = GetFormImage(provider, false);
  TForm* copy = Create<TForm>(nullptr);
  copy->SetBorderStyle(bsNone);
  copy->SetBounds(600, 0, image->Width(), image->Height());
  copy->HandleNeeded();
  SetWindowLongPtrW(copy->Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrW(copy->Handle(), GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_NOACTIVATE);
  ShowWindow(copy->Handle(), SW_SHOWNOACTIVATE);
  int alpha = 0;
  const double layeredFrame = bench::MeanSeconds(kRounds, [&] {
    alpha = (alpha + 31) % 256;
    SetFormBlendValue(copy->Handle(), image.get(), alpha);
  });

  std::printf("tab clicks on a five-sheet page control, %d each\n", kRounds);
  std::printf("  with the page-change path:      %9.1f us\n", animated * 1e6);
  std::printf("  without it:                     %9.1f us\n", plain * 1e6);
  std::printf("  ratio with / without:           %9.2f\n", animated / plain);
  std::printf("  of it: snapshot and cover %.1f us, new look rendered %.1f us\n", cover * 1e6, render * 1e6);
  std::printf("one cross-fade frame against its 12 ms budget, %d each\n", kRounds);
  std::printf("  control cover, %d x %d:        %9.1f us (%.1f %% of the budget)\n", pc->Width(), pc->Height(),
              coverFrame * 1e6, coverFrame / 0.012 * 100);
  std::printf("  form's layered copy, %d x %d:  %9.1f us (%.1f %% of the budget)\n", image->Width(), image->Height(),
              layeredFrame * 1e6, layeredFrame / 0.012 * 100);
  Free(copy);
  Free(form);
  Free(manager);
  return 0;
}
