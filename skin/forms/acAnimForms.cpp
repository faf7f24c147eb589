#include "skin/forms/acAnimForms.h"

#include <algorithm>
#include <cmath>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acGlow.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin {

using classlib::TBitmap;
using classlib::TForm;

namespace {

TacUpdateLayeredWindow updateLayered = &UpdateLayeredWindow;

constexpr UINT kQuietPos = SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

std::unique_ptr<TBitmap> NewBitmap32(int Width, int Height) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(classlib::pf32bit);
  bmp->SetSize(Width, Height);
  return bmp;
}

void MakeOpaque(TBitmap& Bmp) {
  FillAlphaRect(Bmp.Image32View(), TRect{0, 0, Bmp.Width(), Bmp.Height()}, 255, false);
}

// Pushes Bmp to the layered Wnd with constant alpha Alpha; Pos nullptr keeps the window's place.
void Push(HWND Wnd, TBitmap& Bmp, int Alpha, const POINT* Pos) {
  const classlib::ScreenDC screen;
  POINT pos = Pos != nullptr ? *Pos : POINT{};
  SIZE size{Bmp.Width(), Bmp.Height()};
  POINT src{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(Alpha, 0, 255)), AC_SRC_ALPHA};
  updateLayered(Wnd, screen.get(), Pos != nullptr ? &pos : nullptr, &size, Bmp.Canvas()->Handle(), &src, 0, &blend,
                ULW_ALPHA);
}

void AddExStyle(HWND Wnd, LONG_PTR Bits) {
  SetWindowLongPtrW(Wnd, GWL_EXSTYLE, GetWindowLongPtrW(Wnd, GWL_EXSTYLE) | Bits);
}

// A borderless window the engine leaves alone, never activated and kept off the taskbar.
TacAnimForm NewAnimForm(const RECT& Bounds) {
  TacAnimForm form(classlib::Create<TForm>(nullptr));
  form->SetTag(acAnimWindowTag);
  form->SetBorderStyle(classlib::bsNone);
  form->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
  form->HandleNeeded();
  AddExStyle(form->Handle(), WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  return form;
}

// Plays the show frames onto Wnd: Frames + 1 pushes with the alpha rising by MaxTransparency /
// Frames up to MaxTransparency; atAero grows the picture from three quarters of its size.
void PlayShowFrames(HWND Wnd, TBitmap& Image, int Frames, int MaxTransparency, TacAnimType Mode) {
  const int w = Image.Width(), h = Image.Height();
  auto frame = NewBitmap32(w, h);
  FillAlphaRect(frame->Image32View(), TRect{0, 0, w, h}, 0, false);
  const double step = double(MaxTransparency) / Frames;
  const bool aero = Mode == TacAnimType::atAero;
  double dx = 0, dy = 0, l = 0, t = 0, r = 0, b = 0;
  if (aero) {
    dx = double(w) / (Frames * 8);
    dy = double(h) / (Frames * 8);
    l = double(w) / 8;
    t = double(h) / 8;
    r = w - l;
    b = h - t;
  }
  const HDC dst = frame->Canvas()->Handle();
  const HDC src = Image.Canvas()->Handle();
  bool copied = false;
  double current = 0;
  for (int i = 0; i <= Frames; ++i) {
    current = std::min<double>(MaxTransparency, current + step);
    if (aero && l >= 0 && t >= 0) {
      SetStretchBltMode(dst, COLORONCOLOR);
      const int x = int(std::lround(l)), y = int(std::lround(t));
      StretchBlt(dst, x, y, int(std::lround(r - l)), int(std::lround(b - t)), src, 0, 0, w, h, SRCCOPY);
    } else if (aero || !copied) {
      BitBlt(dst, 0, 0, w, h, src, 0, 0, SRCCOPY);
      copied = true;
    }
    GdiFlush();
    Push(Wnd, *frame, int(std::lround(current)), nullptr);
    if (aero) {
      l -= dx;
      t -= dy;
      r += dx;
      b += dy;
    }
    Sleep(acAnimInterval);
  }
}

}  // namespace

void SetUpdateLayeredWindow(TacUpdateLayeredWindow Fn) { updateLayered = Fn != nullptr ? Fn : &UpdateLayeredWindow; }

void SetFormBlendValue(HWND Wnd, TBitmap* Bmp, int Value, const POINT* Pos) {
  if ((GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) AddExStyle(Wnd, WS_EX_LAYERED);
  if (Bmp != nullptr) {
    Push(Wnd, *Bmp, Value, Pos);
    return;
  }
  RECT r{};
  GetWindowRect(Wnd, &r);
  auto empty = NewBitmap32(r.right - r.left, r.bottom - r.top);
  FillAlphaRect(empty->Image32View(), TRect{0, 0, empty->Width(), empty->Height()}, 0, false);
  // A transparent picture has no colour either: premultiplied pixels are all zero.
  PatBlt(empty->Canvas()->Handle(), 0, 0, empty->Width(), empty->Height(), BLACKNESS);
  GdiFlush();
  Push(Wnd, *empty, Value, Pos);
}

TacAnimForm MakeCoverForm(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  TacAnimForm cover = NewAnimForm(r);
  auto image = NewBitmap32(r.right - r.left, r.bottom - r.top);
  {
    const classlib::WindowDC dc(Wnd);
    BitBlt(image->Canvas()->Handle(), 0, 0, image->Width(), image->Height(), dc.get(), 0, 0, SRCCOPY);
  }
  GdiFlush();
  MakeOpaque(*image);
  SetFormBlendValue(cover->Handle(), image.get(), 255);
  SetWindowPos(cover->Handle(), HWND_TOPMOST, r.left, r.top, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  return cover;
}

std::unique_ptr<TBitmap> GetFormImage(TsSkinProvider* SP, bool FreeCache) {
  TBitmap* cache = SP != nullptr ? SP->SkinData()->CacheBmp() : nullptr;
  if (cache == nullptr || cache->Empty()) return nullptr;
  auto image = NewBitmap32(cache->Width(), cache->Height());
  SkinPaintTo(image.get(), SP->Form, 0, 0, SP);
  if (SP->BorderForm == nullptr) MakeOpaque(*image);
  if (FreeCache) cache->SetSize(0, 0);
  return image;
}

void AnimShowForm(TsSkinProvider* SP, std::uint16_t wTime, int MaxTransparency, TacAnimType Mode) {
  if (SP == nullptr || SP->Form == nullptr || !SP->Form->HandleAllocated()) return;
  const HWND h = SP->Form->Handle();
  TacAnimForm animForm;
  bool closed = false;
  // However the show ends, the form gets its redraw (and with it WS_VISIBLE) back and paints, the
  // program paints again, and the copy goes behind the form and away.
  const auto closeUp = [&] {
    if (closed) return;
    closed = true;
    SP->SetInAnimation(false);
    if (animForm != nullptr) SetWindowPos(h, animForm->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(h, WM_SETREDRAW, 1, 0);
    InAnimationProcess = false;
    RedrawWindow(h, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    if (animForm == nullptr) return;
    if (AeroIsEnabled()) Sleep(acAnimInterval);
    SetWindowPos(animForm->Handle(), h, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | kQuietPos);
    animForm.reset();
  };
  const classlib::TScopeExit finish([&] { closeUp(); });
  if (SP->SkinManager() == nullptr) return;
  InAnimationProcess = true;
  SP->PaintAll();
  std::unique_ptr<TBitmap> image = GetFormImage(SP, false);
  if (image == nullptr) return;

  RECT r{};
  GetWindowRect(h, &r);
  const int frames = AnimFrames(wTime);
  animForm = NewAnimForm(r);
  const HWND a = animForm->Handle();
  const bool topmost = (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  HWND after = topmost ? HWND_TOPMOST : GetWindow(h, GW_HWNDPREV);
  if (after == nullptr) after = HWND_TOP;
  AddExStyle(a, WS_EX_NOACTIVATE | WS_EX_LAYERED);
  SetFormBlendValue(a, image.get(), frames > 0 ? 0 : MaxTransparency);
  SetWindowPos(a, after, r.left, r.top, image->Width(), image->Height(), SWP_SHOWWINDOW | kQuietPos);

  if (frames > 0) PlayShowFrames(a, *image, frames, MaxTransparency, Mode);
  const POINT pos{r.left, r.top};
  SetFormBlendValue(a, image.get(), MaxTransparency, &pos);
  closeUp();
  if (SP->OnAfterAnimation) SP->OnAfterAnimation(SP);
}

bool AnimHideForm(TsSkinProvider* SP) {
  ClearGlows(true);
  if (SP == nullptr || SP->Form == nullptr || SP->Form->FormStyle() == classlib::fsMDIChild) return true;
  InAnimationProcess = true;
  const classlib::TScopeExit done([] { InAnimationProcess = false; });
  // No hide frames are played: the image taken as the form began to hide goes at once, and no
  // copy is put on screen only to vanish again.
  SP->HideImage.reset();
  return !(classlib::TApplication::Existing() && classlib::Application->Terminated());
}

}  // namespace skin
