#include "skin/forms/acMinAnim.h"

#include "classlib/Forms.h"
#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acntSystemWin32.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPreviewWin32.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/acTaskbarButton.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin {

using classlib::TBitmap;

namespace {

void SetExStyle(HWND Wnd, LONG_PTR Bits, bool On) {
  const LONG_PTR ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
  const LONG_PTR updated = On ? ex | Bits : ex & ~Bits;
  if (updated != ex) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, updated);
}

// Layered and fully transparent: the cover shows the form meanwhile.
void HideBehindCover(HWND Wnd) {
  SetExStyle(Wnd, WS_EX_LAYERED, true);
  SetLayeredWindowAttributes(Wnd, 0, 0, LWA_ALPHA);
}

TRect WindowBounds(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

std::unique_ptr<TBitmap> Bitmap32(int Width, int Height) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(classlib::pf32bit);
  bmp->SetSize(Width, Height);
  return bmp;
}

void Clear(TBitmap& Bmp) {
  PatBlt(Bmp.Canvas()->Handle(), 0, 0, Bmp.Width(), Bmp.Height(), BLACKNESS);
  GdiFlush();
  FillAlphaRect(Bmp.Image32View(), TRect{0, 0, Bmp.Width(), Bmp.Height()}, 0, false);
}

// The form as it stands on the screen, opaque: for a form not rendered through its cache yet.
std::unique_ptr<TBitmap> WindowSnapshot(HWND Wnd) {
  const TRect r = WindowBounds(Wnd);
  auto image = Bitmap32(r.Right - r.Left, r.Bottom - r.Top);
  {
    const classlib::WindowDC dc(Wnd);
    BitBlt(image->Canvas()->Handle(), 0, 0, image->Width(), image->Height(), dc.get(), 0, 0, SRCCOPY);
  }
  GdiFlush();
  FillAlphaRect(image->Image32View(), TRect{0, 0, image->Width(), image->Height()}, 255, false);
  return image;
}

// The window that holds the program's taskbar entry for Form.
HWND TaskbarWindowOf(classlib::TCustomForm* Form) {
  classlib::TApplication* app = classlib::Application;
  if (app == nullptr || app->MainFormOnTaskBar() || app->MainForm() != Form) return Form->Handle();
  return app->Handle();
}

int MinimizingTime(const TsSkinProvider* SP) { return SP->SkinManager()->AnimEffects().Minimizing().Time(); }

}  // namespace

TacMinTimer::TacMinTimer(TsSkinProvider* SP) : TacThreadedTimer(nullptr, true), sp(SP) {
  SavedImage = std::make_unique<TBitmap>();
  InitData();
}

TacMinTimer::~TacMinTimer() {
  // The worker stops before the pictures it would draw go.
  KillTimer();
  // Stopped half-way, the form must not stay transparent.
  if (sp != nullptr && (sp->FormState() & (kFormMinimizing | kFormRestoring)) != 0 && IsWindow(FormHandle)) {
    SetExStyle(FormHandle, WS_EX_LAYERED, false);
    sp->SetFormState(kFormMinimizing | kFormRestoring, false);
    sp->fAnimating = false;
  }
}

void TacMinTimer::InitData() {
  SetInterval(acMinStepInterval);
  if (sp == nullptr || sp->Form == nullptr || !sp->Form->HandleAllocated()) return;
  BorderForm = sp->BorderForm.get();
  Motion.SetTiming(MinimizingTime(sp), 255);
  AlphaOrigin = Motion.AlphaFrom;
  if (first_) {
    FormHandle = sp->Form->Handle();
    Motion.CurrentAlpha = Motion.AlphaFrom;
    first_ = false;
  }
  if (Minimized && !IsIconic(FormHandle) && (sp->FormState() & kFormRestoring) == 0) {
    // Restored without this animation (by the program or the system): it starts afresh.
    Minimized = false;
    Motion.CurrentAlpha = Motion.AlphaFrom;
  }
  if (Motion.CurrentAlpha == 0 && Minimized) {
    Motion.SetCurrent(Motion.RectTo);
  } else if (Motion.CurrentAlpha >= Motion.AlphaFrom) {
    Motion.SetFrom(WindowBounds(FormHandle));
    UpdateDstRect();
    Motion.SetCurrent(Motion.RectFrom);
  }
  const int w = Motion.RectFrom.Right - Motion.RectFrom.Left, h = Motion.RectFrom.Bottom - Motion.RectFrom.Top;
  if (!AlphaBmp)
    AlphaBmp = Bitmap32(w, h);
  else
    AlphaBmp->SetSize(w, h);
  AnimForm.reset();
  AnimForm = MakeCoverForm(FormHandle);
  SetWindowRgn(AnimForm->Handle(), nullptr, FALSE);
}

TRect TacMinTimer::GetRectTo() {
  const HWND tray = ShellTrayWnd();
  if (tray == nullptr) return {};
  if (!AeroIsEnabled() && sp != nullptr) {
    const TRect button = TaskbarButtonRect(tray, TaskbarWindowOf(sp->Form));
    if (button.Left != button.Right) return button;
  }
  const TRect bar = WindowBounds(tray);
  TBPosition = TaskbarSide(bar);
  return TaskbarEdgeTarget(bar, Motion.XFrom, Motion.YFrom);
}

void TacMinTimer::UpdateDstRect() { Motion.SetTo(GetRectTo()); }

void TacMinTimer::TimeHandler() {
  if (InHandler) return;
  InHandler = true;
  const classlib::TScopeExit done([this] { InHandler = false; });
  if (sp != nullptr) {
    if ((sp->FormState() & kFormMinimizing) != 0)
      Minimized = false;
    else if ((sp->FormState() & kFormRestoring) != 0)
      Minimized = true;
  }
  if (!AnimForm || !AnimForm->HandleAllocated() || sp == nullptr) {
    Abandon();
    return;
  }
  if (BorderForm != nullptr) BorderForm->ExBorderShowing = true;
  if (Minimized) {
    if (Motion.StepRestore()) {
      EndRestore();
      return;
    }
  } else if (Motion.StepMinimise()) {
    EndMinimise();
    return;
  }
  DrawFrame();
}

void TacMinTimer::DrawFrame() {
  if (!AlphaBmp || AlphaBmp->Empty() || SavedImage->Empty()) return;
  Clear(*AlphaBmp);
  const int w = Motion.FrameWidth(), h = Motion.FrameHeight();
  const int bw = AlphaBmp->Width(), bh = AlphaBmp->Height();
  const HDC dst = AlphaBmp->Canvas()->Handle();
  SetStretchBltMode(dst, COLORONCOLOR);
  StretchBlt(dst, (bw - w) / 2, (bh - h) / 2, w, h, SavedImage->Canvas()->Handle(), 0, 0, SavedImage->Width(),
             SavedImage->Height(), SRCCOPY);
  GdiFlush();
  const POINT pos{Motion.FrameCentreX() - bw / 2, Motion.FrameCentreY() - bh / 2};
  const HWND anim = AnimForm->Handle();
  SetFormBlendValue(anim, AlphaBmp.get(), Motion.CurrentAlpha, &pos);
  const HWND tray = ShellTrayWnd();
  // A topmost cover would stay above the taskbar: it goes just behind it.
  if (tray != nullptr) SetWindowPos(anim, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(anim, tray != nullptr ? tray : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

void TacMinTimer::EndMinimise() {
  SetEnabled(false);
  sp->SetHotHT(0, true);
  sp->SetFormState(kFormMinimizing, false);
  SetExStyle(FormHandle, WS_EX_LAYERED, false);
  if (BorderForm != nullptr) {
    BorderForm->FreeWindow();
    BorderForm->ExBorderShowing = false;
  }
  ShowWindow(AnimForm->Handle(), SW_HIDE);
  Minimized = true;
}

void TacMinTimer::EndRestore() {
  SetEnabled(false);
  const HWND anim = AnimForm->Handle();
  if (!SavedImage->Empty()) {
    const POINT pos{Motion.RectFrom.Left, Motion.RectFrom.Top};
    SetFormBlendValue(anim, SavedImage.get(), AlphaOrigin, &pos);
  }
  {
    const bool saved = acGetAnimation();
    if (saved) acSetAnimation(false);
    const classlib::TScopeExit back([saved] {
      if (saved) acSetAnimation(true);
    });
    ShowWindow(FormHandle, IsZoomed(FormHandle) ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
  }
  SetWindowPos(anim, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
  SetExStyle(FormHandle, WS_EX_LAYERED, false);
  sp->fAnimating = false;
  sp->SetFormState(kFormRestoring, false);
  if (BorderForm != nullptr) BorderForm->ExBorderShowing = false;
  RedrawWindow(FormHandle, nullptr, nullptr,
               RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  Minimized = false;
  if (BorderForm != nullptr) BorderForm->UpdateExBordersPos(true, 255);
  // The form stands in front now; its cover goes.
  SetWindowPos(anim, FormHandle, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
  AnimForm.reset();
  if (IsWindowVisible(FormHandle) && IsWindowEnabled(FormHandle)) SetFocus(FormHandle);
}

void TacMinTimer::Abandon() {
  SetEnabled(false);
  if (sp == nullptr || FormHandle == nullptr) return;
  SetExStyle(FormHandle, WS_EX_LAYERED, false);
  sp->SetFormState(kFormMinimizing | kFormRestoring, false);
  sp->fAnimating = false;
  if (BorderForm != nullptr) BorderForm->ExBorderShowing = false;
  Minimized = IsIconic(FormHandle) != 0;
  if (IsWindowVisible(FormHandle))
    RedrawWindow(FormHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void StartMinimizing(TsSkinProvider* SP) {
  if (SP == nullptr || SP->Form == nullptr || !SP->Form->HandleAllocated()) return;
  const HWND h = SP->Form->Handle();
  if (SP->SkinManager() != nullptr && SP->SkinManager()->AnimEffects().Minimizing().Active()) {
    SP->KillAnimations();
    if ((SP->FormState() & kFormMinimizing) == 0) {
      SP->SetFormState(kFormMinimizing, true);
      SP->fAnimating = true;
      auto* timer = dynamic_cast<TacMinTimer*>(SP->FormTimer.get());
      if (timer == nullptr) {
        SP->FormTimer.reset();
        timer = new TacMinTimer(SP);
        SP->FormTimer.reset(timer);
      } else if ((SP->FormState() & kFormRestoring) == 0) {
        timer->InitData();
      }
      SP->SetFormState(kFormRestoring, false);
      if (timer->Motion.CurrentAlpha >= timer->Motion.AlphaFrom) {
        if (SP->BorderForm != nullptr) {
          // The cover shows the whole picture, borders included; the border window waits.
          SP->BorderForm->ExBorderShowing = true;
          SP->BorderForm->FreeWindow();
        }
        std::unique_ptr<TBitmap> image = GetFormImage(SP, false);
        timer->SavedImage =
            image != nullptr && image->Width() == timer->Motion.RectFrom.Right - timer->Motion.RectFrom.Left
                ? std::move(image)
                : WindowSnapshot(h);
      }
      HideBehindCover(h);
      timer->SetEnabled(true);
    }
  }
  const HWND taskbarWnd = TaskbarWindowOf(SP->Form);
  UpdatePreview(taskbarWnd, true);
  DwmInvalidateIconicBitmaps(taskbarWnd);
}

bool StartRestoring(TsSkinProvider* SP) {
  if (SP == nullptr || SP->SkinManager() == nullptr) return false;
  auto* timer = dynamic_cast<TacMinTimer*>(SP->FormTimer.get());
  if (timer == nullptr || !SP->SkinManager()->AnimEffects().Minimizing().Active() ||
      (SP->FormState() & kFormRestoring) != 0)
    return false;
  // Without its cover the animation could show nothing: the form restores plainly.
  if (!timer->AnimForm || !timer->AnimForm->HandleAllocated() || timer->SavedImage->Empty()) return false;
  SP->SetFormState(kFormMinimizing, false);
  SP->SetFormState(kFormRestoring, true);
  SP->fAnimating = true;
  if (SP->BorderForm != nullptr) SP->BorderForm->ExBorderShowing = true;
  HideBehindCover(SP->Form->Handle());
  timer->SetEnabled(true);
  UpdatePreview(TaskbarWindowOf(SP->Form), false);
  return true;
}

}  // namespace skin
