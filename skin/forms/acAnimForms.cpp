#include "skin/forms/acAnimForms.h"

#include <algorithm>
#include <cmath>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acGlow.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimFrames.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin {

using classlib::TBitmap;
using classlib::TForm;

namespace {

TacUpdateLayeredWindow updateLayered = &UpdateLayeredWindow;

}  // namespace

namespace detail {

std::unique_ptr<TBitmap> NewBitmap32(int Width, int Height) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(classlib::pf32bit);
  bmp->SetSize(Width, Height);
  return bmp;
}

std::unique_ptr<TBitmap> CopyBitmap32(const TBitmap& Bmp) {
  auto copy = NewBitmap32(Bmp.Width(), Bmp.Height());
  BitBlt(copy->Canvas()->Handle(), 0, 0, Bmp.Width(), Bmp.Height(), const_cast<TBitmap&>(Bmp).Canvas()->Handle(), 0, 0,
         SRCCOPY);
  GdiFlush();
  return copy;
}

void MakeOpaque(TBitmap& Bmp) { MakeOpaque(Bmp, RECT{0, 0, Bmp.Width(), Bmp.Height()}); }

void MakeOpaque(TBitmap& Bmp, const RECT& R) {
  GdiFlush();
  FillAlphaRect(Bmp.Image32View(), TRect{R.left, R.top, R.right, R.bottom}, 255, false);
}

void PushLayered(HWND Wnd, TBitmap& Bmp, int Alpha, const POINT* Pos) {
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

TacAnimForm NewAnimForm(const RECT& Bounds) {
  TacAnimForm form(classlib::Create<TForm>(nullptr));
  form->SetTag(acAnimWindowTag);
  form->SetBorderStyle(classlib::bsNone);
  form->SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
  form->HandleNeeded();
  AddExStyle(form->Handle(), WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
  return form;
}

HWND InsertAfterFor(HWND Wnd) {
  if ((GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) return HWND_TOPMOST;
  const HWND before = GetWindow(Wnd, GW_HWNDPREV);
  return before != nullptr ? before : HWND_TOP;
}

void PlayShowFrames(HWND Wnd, TBitmap& Image, int Frames, int StepDivisor, int MaxTransparency, TacAnimType Mode) {
  const int w = Image.Width(), h = Image.Height();
  auto frame = NewBitmap32(w, h);
  FillAlphaRect(frame->Image32View(), TRect{0, 0, w, h}, 0, false);
  const double step = double(MaxTransparency) / StepDivisor;
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
    PushLayered(Wnd, *frame, int(std::lround(current)), nullptr);
    if (aero) {
      l -= dx;
      t -= dy;
      r += dx;
      b += dy;
    }
    Sleep(acAnimInterval);
  }
}

}  // namespace detail

using namespace detail;

void SetUpdateLayeredWindow(TacUpdateLayeredWindow Fn) { updateLayered = Fn != nullptr ? Fn : &UpdateLayeredWindow; }

void SetFormBlendValue(HWND Wnd, TBitmap* Bmp, int Value, const POINT* Pos) {
  if ((GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) AddExStyle(Wnd, WS_EX_LAYERED);
  if (Bmp != nullptr) {
    PushLayered(Wnd, *Bmp, Value, Pos);
    return;
  }
  RECT r{};
  GetWindowRect(Wnd, &r);
  auto empty = NewBitmap32(r.right - r.left, r.bottom - r.top);
  FillAlphaRect(empty->Image32View(), TRect{0, 0, empty->Width(), empty->Height()}, 0, false);
  // A transparent picture has no colour either: premultiplied pixels are all zero.
  PatBlt(empty->Canvas()->Handle(), 0, 0, empty->Width(), empty->Height(), BLACKNESS);
  GdiFlush();
  PushLayered(Wnd, *empty, Value, Pos);
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
  const HWND after = InsertAfterFor(h);
  AddExStyle(a, WS_EX_NOACTIVATE | WS_EX_LAYERED);
  SetFormBlendValue(a, image.get(), frames > 0 ? 0 : MaxTransparency);
  SetWindowPos(a, after, r.left, r.top, image->Width(), image->Height(), SWP_SHOWWINDOW | kQuietPos);

  // Without frames the first push already is the final picture.
  if (frames > 0) {
    PlayShowFrames(a, *image, frames, frames, MaxTransparency, Mode);
    const POINT pos{r.left, r.top};
    SetFormBlendValue(a, image.get(), MaxTransparency, &pos);
  }
  closeUp();
  if (SP->OnAfterAnimation) SP->OnAfterAnimation(SP);
}

}  // namespace skin
