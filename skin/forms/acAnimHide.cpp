#include "skin/forms/acAnimHide.h"

#include <algorithm>
#include <cmath>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acGlow.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acAnimFrames.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin {

using classlib::TBitmap;
using namespace detail;

TacHideTimer* acHideTimer = nullptr;

namespace {

bool ApplicationEnding() { return classlib::TApplication::Existing() && classlib::Application->Terminated(); }

}  // namespace

TacHideTimer::TacHideTimer(classlib::TComponent* AOwner) : TacThreadedTimer(AOwner, false) {}

TacHideTimer::~TacHideTimer() {
  // No tick may reach the copy while it goes.
  KillTimer();
  FreeCopy();
  if (acHideTimer == this) acHideTimer = nullptr;
}

void TacHideTimer::FreeCopy() {
  SetEnabled(false);
  Form.reset();
  SrcBmp.reset();
  DstBmp.reset();
}

void TacHideTimer::Anim_Init() {
  Trans = StartBlendValue;
  p = double(StartBlendValue) / StepCount;
  if (AnimType == TacAnimType::atAero) {
    dx = -double(FBmpSize.cx) / (StepCount * 8);
    dy = -double(FBmpSize.cy) / (StepCount * 8);
    l = t = 0;
    r = FBmpSize.cx;
    b = FBmpSize.cy;
  } else {
    dx = dy = l = t = r = b = 0;
  }
}

void TacHideTimer::Anim_DoNext() {
  Trans = Trans - p > 0 ? Trans - p : 0;
  FBlend.SourceConstantAlpha = static_cast<BYTE>(std::clamp<long>(std::lround(Trans), 0, 255));
  const HDC dst = DstBmp->Canvas()->Handle();
  const HDC src = SrcBmp->Canvas()->Handle();
  if (AnimType == TacAnimType::atFading) {
    if (l == 0) {
      BitBlt(dst, 0, 0, FBmpSize.cx, FBmpSize.cy, src, 0, 0, SRCCOPY);
      l = 1;
    }
  } else if (l >= 0 && t >= 0) {
    // Whatever the shrunk picture leaves free is transparent.
    PatBlt(dst, 0, 0, FBmpSize.cx, FBmpSize.cy, BLACKNESS);
    GdiFlush();
    FillAlphaRect(DstBmp->Image32View(), TRect{0, 0, FBmpSize.cx, FBmpSize.cy}, 0, false);
    SetStretchBltMode(dst, COLORONCOLOR);
    StretchBlt(dst, int(std::lround(l)), int(std::lround(t)), int(std::lround(r - l)), int(std::lround(b - t)), src, 0,
               0, FBmpSize.cx, FBmpSize.cy, SRCCOPY);
  } else {
    BitBlt(dst, 0, 0, FBmpSize.cx, FBmpSize.cy, src, 0, 0, SRCCOPY);
  }
  GdiFlush();
}

void TacHideTimer::Anim_GoToNext() {
  if (AnimType != TacAnimType::atAero) return;
  l -= dx;
  t -= dy;
  r += dx;
  b += dy;
}

void TacHideTimer::OnTimerProc(classlib::TObject*) {
  if (Form == nullptr || SrcBmp == nullptr || DstBmp == nullptr) return;
  if (i > StepCount) {
    SetInterval(65535);
    SetOnTimer(nullptr);
    FreeCopy();
    return;
  }
  Anim_DoNext();
  PushLayered(Form->Handle(), *DstBmp, FBlend.SourceConstantAlpha, nullptr);
  Anim_GoToNext();
  ++i;
}

void StartHideAnimation(TacAnimForm Form, std::unique_ptr<TBitmap> Image, int Time, TacAnimType Mode, int StartBlend) {
  if (acHideTimer != nullptr && acHideTimer->Form != nullptr) acHideTimer->FreeCopy();
  const int steps = AnimFrames(Time);
  // Below one step the copy is never shown: Form and Image go with this call.
  if (steps == 0 || Form == nullptr || Image == nullptr || Image->Empty()) return;
  if (acHideTimer == nullptr) acHideTimer = classlib::Create<TacHideTimer>(classlib::Application.operator->());
  TacHideTimer& timer = *acHideTimer;
  timer.SetEnabled(false);
  timer.i = 0;
  timer.SrcBmp = std::move(Image);
  timer.StartBlendValue = StartBlend;
  timer.Form = std::move(Form);
  timer.AnimType = Mode;
  timer.SetInterval(acAnimInterval);
  timer.DelayValue = acAnimInterval;
  timer.StepCount = steps;
  timer.FBmpSize = SIZE{timer.SrcBmp->Width(), timer.SrcBmp->Height()};
  timer.FBmpTopLeft = POINT{0, 0};
  timer.FBlend.SourceConstantAlpha = static_cast<BYTE>(std::clamp(StartBlend, 0, 255));

  // A hide that fails to start leaves no copy behind.
  bool started = false;
  const classlib::TScopeExit cleanUp([&] {
    if (!started) timer.FreeCopy();
  });
  const HWND wnd = timer.Form->Handle();
  AddExStyle(wnd, WS_EX_NOACTIVATE | WS_EX_LAYERED);
  PushLayered(wnd, *timer.SrcBmp, StartBlend, nullptr);
  RECT r{};
  GetWindowRect(wnd, &r);
  SetWindowPos(wnd, HWND_TOPMOST, r.left, r.top, timer.FBmpSize.cx, timer.FBmpSize.cy,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  timer.DstBmp = NewBitmap32(timer.FBmpSize.cx, timer.FBmpSize.cy);
  timer.Anim_Init();
  if (ApplicationEnding() || !timer.HasWorker()) {
    // No timer ticks any more: the frames play here, and the copy goes with the last.
    while (timer.Form != nullptr) {
      timer.OnTimerProc(nullptr);
      if (timer.Form != nullptr) Sleep(acAnimInterval);
    }
    started = true;
    return;
  }
  timer.SetOnTimer([&timer](classlib::TObject* Sender) { timer.OnTimerProc(Sender); });
  timer.OnTimerProc(nullptr);
  timer.SetEnabled(true);
  started = true;
}

bool AnimHideForm(TsSkinProvider* SP) {
  ClearGlows(true);
  if (SP == nullptr || SP->Form == nullptr || SP->Form->FormStyle() == classlib::fsMDIChild) return true;
  InAnimationProcess = true;
  const classlib::TScopeExit done([] { InAnimationProcess = false; });
  // The image was taken as the form began to hide (its cache emptied then): the form is gone from
  // the screen by now and cannot be rendered again.
  std::unique_ptr<TBitmap> image = std::move(SP->HideImage);
  if (image == nullptr || image->Empty() || !SP->Form->HandleAllocated() || SP->SkinManager() == nullptr)
    return !ApplicationEnding();
  if (SP->BorderForm != nullptr) {
    // The border window showed the image while the form hid; it goes without frames.
    SP->BorderForm->ExBorderShowing = false;
    SP->BorderForm->FreeWindow();
    return !ApplicationEnding();
  }
  RECT r{};
  GetWindowRect(SP->Form->Handle(), &r);
  r.right = r.left + image->Width();
  r.bottom = r.top + image->Height();
  const TacFormAnimation& hide = SP->SkinManager()->AnimEffects().FormHide();
  StartHideAnimation(NewAnimForm(r), std::move(image), hide.Time(), hide.Mode());
  return !ApplicationEnding();
}

void AnimHideDlg(TacDialogWnd* Dlg) {
  InAnimationProcess = true;
  const classlib::TScopeExit done([] { InAnimationProcess = false; });
  ClearGlows(false);
  if (Dlg == nullptr || Dlg->SkinManager == nullptr || Dlg->SkinData == nullptr) return;
  TacAnimForm cover = std::move(Dlg->CoverForm);
  const TBitmap* cache = Dlg->SkinData->CacheBmp();
  if (cache == nullptr || cache->Empty()) return;
  auto image = CopyBitmap32(*cache);
  MakeOpaque(*image);
  if (cover == nullptr) {
    // The dialog is off the screen already: a picture of its window would show whatever is left
    // there, so the copy starts empty and shows the cache.
    RECT r{};
    GetWindowRect(Dlg->CtrlHandle, &r);
    r.right = r.left + image->Width();
    r.bottom = r.top + image->Height();
    cover = NewAnimForm(r);
  }
  const TacFormAnimation& hide = Dlg->SkinManager->AnimEffects().DialogHide();
  StartHideAnimation(std::move(cover), std::move(image), hide.Time(), hide.Mode());
}

}  // namespace skin
