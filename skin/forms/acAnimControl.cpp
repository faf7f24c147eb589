// The cross-fade of a control or a whole form from its old look to its new one (a page change, a
// skin change): through a layered copy of a skinned form's new look, or through a cover window
// over the control that blends the screen taken before the change into the new picture.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acAnimLink.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acAnimFrames.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TBitmap;
using classlib::TWinControl;
using namespace detail;

namespace {

// The cover of the control being animated, from PrepareForAnimation to the end of AnimShowControl.
TOutputWindow* g_ow = nullptr;
// The screen under the control as PrepareForAnimation found it.
std::unique_ptr<TBitmap> g_snapshot;

constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

TsSkinProvider* ProviderOf(TWinControl* Control) {
  if (dynamic_cast<classlib::TCustomForm*>(Control) == nullptr || !Control->HandleAllocated()) return nullptr;
  const LRESULT answer = SendMessageW(Control->Handle(), SM_ALPHACMD, AlphaCmd(ACMD_GETPROVIDER), 0);
  return dynamic_cast<TsSkinProvider*>(reinterpret_cast<IacSkinProvider*>(answer));
}

// The new look of a skinned form fading in over it in a layered copy; the form, with its redraw
// on, then paints itself under the copy, which goes.
void FadeInFormCopy(TsSkinProvider* SP, int Frames, int MaxTransparency, TacAnimType Mode) {
  const HWND h = SP->Form->Handle();
  TacAnimForm copy;
  // However the fade ends, the form paints its new look (under the copy, which goes after).
  const classlib::TScopeExit redraw([h] {
    InAnimationProcess = false;
    SendMessageW(h, WM_SETREDRAW, 1, 0);
    RedrawWindow(h, nullptr, nullptr, kRedrawAll);
  });
  SP->PaintAll();
  std::unique_ptr<TBitmap> image = GetFormImage(SP, false);
  if (image == nullptr) return;
  RECT r{};
  GetWindowRect(h, &r);
  copy = NewAnimForm(r);
  const HWND a = copy->Handle();
  AddExStyle(a, WS_EX_NOACTIVATE | WS_EX_LAYERED);
  SetFormBlendValue(a, image.get(), Frames > 0 ? 0 : MaxTransparency);
  SetWindowPos(a, InsertAfterFor(h), r.left, r.top, image->Width(), image->Height(), SWP_SHOWWINDOW | kQuietPos);
  // Without frames the first push already is the final picture.
  if (Frames > 0) {
    PlayShowFrames(a, *image, Frames, Frames, MaxTransparency, Mode);
    const POINT pos{r.left, r.top};
    SetFormBlendValue(a, image.get(), MaxTransparency, &pos);
  }
}

// The snapshot blended into New on the cover, one weight step a frame, New last.
void CrossFadeOnCover(TBitmap& fresh, int Frames) {
  const classlib::WindowDC dc(g_ow->Handle());
  const int w = fresh.Width(), h = fresh.Height();
  if (Frames > 0 && g_snapshot != nullptr && g_snapshot->Width() == w && g_snapshot->Height() == h) {
    auto mix = NewBitmap32(w, h);
    const int step = 255 / Frames;
    int weight = 255;
    for (int i = 0; i <= Frames; ++i) {
      GdiFlush();
      SumBitmapsByMask(mix->Image32View(), g_snapshot->Image32View(), fresh.Image32View(), TImage32View{},
                       std::max(weight, 0));
      BitBlt(dc.get(), 0, 0, w, h, mix->Canvas()->Handle(), 0, 0, SRCCOPY);
      if (acMagnForm != nullptr && acMagnForm->HandleAllocated()) SendAMessage(acMagnForm->Handle(), ACMD_REFRESH);
      weight -= step;
      if (i < Frames) Sleep(acAnimInterval);
    }
  }
  BitBlt(dc.get(), 0, 0, w, h, fresh.Canvas()->Handle(), 0, 0, SRCCOPY);
  GdiFlush();
}

}  // namespace

TWinControl* AnimCoverWindow() { return g_ow; }

void FreeAnimCoverWindow() {
  if (g_ow == nullptr) return;
  TOutputWindow* ow = g_ow;
  g_ow = nullptr;
  classlib::Free(ow);
}

void PrepareForAnimation(TWinControl* Control) {
  if (Control == nullptr || !Control->HandleAllocated()) return;
  const HWND h = Control->Handle();
  RECT r{};
  GetWindowRect(h, &r);
  const int w = r.right - r.left, ht = r.bottom - r.top;
  if (w <= 0 || ht <= 0) return;
  // Each control gets a snapshot of its own size: one kept from a smaller control would be
  // blended over the wrong part of the new look.
  if (g_snapshot == nullptr || g_snapshot->Width() != w || g_snapshot->Height() != ht) g_snapshot = NewBitmap32(w, ht);
  {
    const classlib::ScreenDC screen;
    BitBlt(g_snapshot->Canvas()->Handle(), 0, 0, w, ht, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  if (g_ow == nullptr) g_ow = classlib::Create<TOutputWindow>(Control);
  TWinControl* parent = Control->Parent();
  if (parent != nullptr) {
    g_ow->SetParent(parent);
    const classlib::TRect b = Control->BoundsRect();
    g_ow->SetBounds(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
    const HWND o = g_ow->Handle();
    // In front of the control, so that it covers the control and nothing more.
    const HWND before = GetWindow(h, GW_HWNDPREV);
    SetWindowPos(o, before != nullptr && before != o ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(o, SW_SHOWNA);
  } else {
    g_ow->SetBounds(r.left, r.top, w, ht);
    SetWindowPos(g_ow->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  // The cover shows the old look itself, whatever the screen under it does meanwhile.
  const classlib::WindowDC dc(g_ow->Handle());
  BitBlt(dc.get(), 0, 0, w, ht, g_snapshot->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void AnimShowControl(TWinControl* Control, std::uint16_t wTime, int MaxTransparency, TacAnimType Mode) {
  InAnimationProcess = true;
  // Whatever happens, nothing of the animation stays: the flag falls, the cover and the pictures go.
  const classlib::TScopeExit finish([] {
    InAnimationProcess = false;
    FreeAnimCoverWindow();
    g_snapshot.reset();
  });
  if (Control == nullptr || !Control->HandleAllocated()) return;
  const HWND h = Control->Handle();
  const int frames = AnimFrames(wTime);
  // A form without a provider (or with extended borders, whose window the copy would leave out)
  // takes the cover's way.
  TsSkinProvider* sp = ProviderOf(Control);
  if (UpdateLayeredWindowProc() != nullptr && sp != nullptr && sp->BorderForm == nullptr &&
      sp->SkinData()->CacheBmp() != nullptr) {
    FreeAnimCoverWindow();
    FadeInFormCopy(sp, frames, MaxTransparency, Mode);
    return;
  }
  if (g_ow == nullptr) PrepareForAnimation(Control);
  if (g_ow == nullptr) return;
  RECT r{};
  GetWindowRect(h, &r);
  auto fresh = NewBitmap32(r.right - r.left, r.bottom - r.top);
  SkinPaintTo(fresh.get(), Control, 0, 0, nullptr);
  CrossFadeOnCover(*fresh, frames);
  InAnimationProcess = false;
  if (Control->Visible()) {
    SendMessageW(h, WM_SETREDRAW, 1, 0);
    RedrawWindow(h, nullptr, nullptr, kRedrawAll);
  }
  const bool layeredForm = dynamic_cast<classlib::TCustomForm*>(Control) != nullptr &&
                           (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  if (!layeredForm)
    SetWindowPos(g_ow->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InstallControlAnimLink() {
  SetControlAnimLink({&PrepareForAnimation, &AnimShowControl, [] { return g_ow != nullptr; }, &FreeAnimCoverWindow});
}

}  // namespace skin
