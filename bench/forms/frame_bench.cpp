// The frame of a main-window-like form (bsSingle, close and minimise, icon) with our skin: PaintAll
// rendering the whole frame, PaintCaption copying it from the cache, a title button turning hot or
// normal under the mouse, and a plain window's native WM_NCPAINT, side by side; then UpdateRgn of a
// 1024 x 768 form whose border image has key-colour corners; and one resize step of a sizeable
// form, skinned and plain. Prints the mean time of each and the ratios.
#include <windows.h>

#include "bench/Win32Clock.h"

#include <cstdio>
#include <utility>

#include "classlib/Forms.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/core/OurSkinManager.h"

using namespace classlib;
using namespace skin;

namespace {

// Mean microseconds of one call.
template <class F>
double Mean(int rounds, F&& work) {
  return bench::MeanSeconds(rounds, work) * 1e6;
}

}  // namespace

int main() {
  RegisterSkinProviderClasses();
  auto* manager = skin::testing::NewManagerWithSkin();
  if (!manager->HasSections()) return 1;

  TForm* form = Create<TForm>(nullptr);
  form->SetBorderStyle(bsSingle);
  form->SetBorderIcons({biSystemMenu, biMinimize});
  form->SetBounds(20, 20, 640, 480);
  form->SetCaption(L"Tarvisel");
  form->Show();
  auto* provider = Create<TsSkinProvider>(form);
  provider->SkinData()->SetSkinManager(manager);
  provider->PrepareForm();

  constexpr int kRounds = 500;
  const double paintAll = Mean(kRounds, [&] {
    provider->SkinData()->BGChanged = true;
    provider->PaintAll();
  });
  HDC dc = GetWindowDC(form->Handle());
  const double fromCache = Mean(kRounds, [&] { provider->PaintCaption(dc); });
  ReleaseDC(form->Handle(), dc);

  // The mouse moving onto the close button and back onto the caption, one title-button repaint
  // each; the button is found where the form's hit test answers HTCLOSE on the title band.
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const int titleY = window.top + provider->CaptionHeight(true) / 2 + 2;
  const auto hitAt = [&](int x) { return SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(x, titleY)); };
  int closeX = window.right - 1;
  while (closeX > window.left && hitAt(closeX) != HTCLOSE) --closeX;
  int captionX = window.left + (window.right - window.left) / 2;
  if (closeX == window.left || hitAt(captionX) != HTCAPTION) {
    std::printf("no close button or caption found on the title band\n");
    return 1;
  }
  closeX -= 3;
  bool onButton = false;
  const double hover = Mean(kRounds, [&] {
    onButton = !onButton;
    const int x = onButton ? closeX : captionX;
    SendMessageW(form->Handle(), WM_NCMOUSEMOVE, onButton ? HTCLOSE : HTCAPTION, MAKELPARAM(x, titleY));
  });
  if (provider->ButtonClose.State != 0)
    SendMessageW(form->Handle(), WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(captionX, titleY));

  HWND plain =
      CreateWindowExW(0, L"STATIC", L"Tarvisel", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE,
                      40, 40, 640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  const double native = Mean(kRounds, [&] { SendMessageW(plain, WM_NCPAINT, 1, 0); });
  DestroyWindow(plain);

  // One resize step of a sizeable form, skinned and plain, each repainted before the next.
  const auto resizeStep = [](HWND h) {
    return [h, step = 0]() mutable {
      SetWindowPos(h, nullptr, 0, 0, 600 + (step % 2) * 40, 440 + (step % 2) * 30,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
      ++step;
    };
  };
  TForm* sizeable = Create<TForm>(nullptr);
  sizeable->SetBounds(60, 60, 600, 440);
  sizeable->SetCaption(L"Tarvisel");
  sizeable->Show();
  const double plainResize = Mean(kRounds, resizeStep(sizeable->Handle()));
  auto* sizing = Create<TsSkinProvider>(sizeable);
  sizing->SkinData()->SetSkinManager(manager);
  sizing->PrepareForm();
  const double skinnedResize = Mean(kRounds, resizeStep(sizeable->Handle()));
  Free(sizing);
  Free(sizeable);

  // The region fixture: three key pixels in each corner of the border image's first cell.
  form->SetBounds(0, 0, 1024, 768);
  const TsMaskData& md = manager->Records().ma[provider->SkinData()->BorderIndex];
  const TImage32View src = md.Source();
  const int cw = (md.R.Right - md.R.Left) / md.ImageCount;
  const int ch = HeightOfImage(md);
  for (const auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}})
    for (const auto [px, py] : {std::pair{x, y}, {cw - 1 - x, y}, {x, ch - 1 - y}, {cw - 1 - x, ch - 1 - y}})
      src.At(md.R.Left + px, md.R.Top + py).U = kKeyPixel;
  const double region = Mean(kRounds, [&] { UpdateRgn(provider, false); });

  std::printf("frame of a 640 x 480 bsSingle form with our skin, %d rounds each\n", kRounds);
  std::printf("  PaintAll (whole frame rendered):  %9.2f us\n", paintAll);
  std::printf("  PaintCaption (copied from cache): %9.2f us\n", fromCache);
  std::printf("  title-button hover repaint:       %9.2f us\n", hover);
  std::printf("  native WM_NCPAINT, plain window:  %9.2f us\n", native);
  std::printf("  ratio hover / PaintAll:           %9.2f\n", hover / paintAll);
  std::printf("  ratio PaintAll / native:          %9.2f\n", paintAll / native);
  std::printf("UpdateRgn, 1024 x 768, key corners: %9.2f us\n", region);
  std::printf("one resize step of a 600 x 440 sizeable form, repainted\n");
  std::printf("  skinned:                          %9.2f us\n", skinnedResize);
  std::printf("  plain:                            %9.2f us\n", plainResize);
  std::printf("  ratio skinned / plain:            %9.2f\n", skinnedResize / plainResize);
  Free(provider);
  Free(form);
  Free(manager);
  return 0;
}
