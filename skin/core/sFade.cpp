#include "skin/core/sFade.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sCommonDataDetail.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"

namespace skin {

using classlib::TControl;
using namespace detail;

namespace {

bool BeingDestroyed(const classlib::TObject* o) { return HasState(o, classlib::csDestroying); }

bool AppTerminated() { return classlib::Application != nullptr && classlib::Application->Terminated(); }

// A pf32bit copy of Source (an empty one without Source).
std::unique_ptr<classlib::TBitmap> Copy32(classlib::TBitmap* Source) {
  auto copy = NewBitmap32(0, 0);
  if (Source != nullptr) {
    copy->Assign(Source);
    if (copy->PixelFormat() != classlib::pf32bit) copy->SetPixelFormat(classlib::pf32bit);
  }
  return copy;
}

// Frame := the old look with weight Alpha over the new one.
void BlendInto(classlib::TBitmap* Frame, classlib::TBitmap* Cache, int FadeLevel, int Iterations) {
  const auto a = static_cast<std::uint8_t>(std::clamp(255 - (FadeLevel * 256) / Iterations, 0, 255));
  TsColor alpha{};
  alpha.R = alpha.G = alpha.B = a;
  SumBitmaps(View32(Frame), View32(Cache), alpha);
}

void RefreshMagnifier() {
  if (acMagnForm != nullptr && acMagnForm->HandleAllocated())
    SendMessageW(acMagnForm->Handle(), SM_ALPHACMD, AlphaCmd(ACMD_REFRESH), 0);
}

// The fading section's step count and switch; nullptr for an index outside the sections.
const TsGeneralData* FadingSection(const TsCommonData* Data) { return Data != nullptr ? SectionOf(Data) : nullptr; }

}  // namespace

TacBtnEvents ButtonAnimEvents(TsSkinManager* Manager) { return Manager->AnimEffects().Buttons().Events(); }

bool EventEnabled(TacAnimatEvent Event, TacAnimatEvents CtrlEvents, TsSkinManager* Manager) {
  if (Manager == nullptr) Manager = DefaultManager();
  if (Manager == nullptr) return false;
  if (CtrlEvents.Contains(Event)) return true;
  return CtrlEvents.Contains(TacAnimatEvent::aeGlobalDef) && ButtonAnimEvents(Manager).Contains(BtnEventOf(Event));
}

TsFadeTimer::TsFadeTimer(classlib::TComponent* AOwner) : classlib::TTimer(AOwner), BmpFrom(NewBitmap32(0, 0)) {
  ++acAnimCount;
}

TsFadeTimer::~TsFadeTimer() {
  *alive_ = false;
  --acAnimCount;
}

void TsFadeTimer::SetDirection(TFadeDirection Value) {
  FDirection = Value;
  if (FadeLevel < 0) FadeLevel = 1;
  SetEnabled(Value != TFadeDirection::fdNone);
}

void TsFadeTimer::SetOwnerData(TsCommonData* Value) {
  FOwnerData = Value;
  const TsGeneralData* g = FadingSection(Value);
  if (g == nullptr) {
    Iterations = 0;  // no section to fade with: the first tick ends it
    return;
  }
  TControl* owner = Value->OwnerControl();
  classlib::TBitmap* cache = Value->CacheBmp();
  if (Value->BGChanged && owner != nullptr && (cache == nullptr || cache->Empty()))
    SendAMessage(owner, ACMD_PREPARECACHE);
  BmpFrom = Copy32(Value->CacheBmp());
  SetInterval(10);
  Iterations = g->FadingIterations;
  if (FDirection == TFadeDirection::fdUp)
    Iterations = FadeLevel;
  else if (FDirection == TFadeDirection::fdDown)
    Iterations = g->FadingIterations - FadeLevel;
}

void TsFadeTimer::Timer() {
  if (FOwnerData == nullptr || BeingDestroyed(this) || ToEnd() || FadingForbidden) return;
  if (FDirection == TFadeDirection::fdUp || FDirection == TFadeDirection::fdDown) Change();
}

bool TsFadeTimer::ToEnd() {
  TControl* owner = FOwnerData != nullptr ? FOwnerData->OwnerControl() : nullptr;
  if (owner == nullptr || BeingDestroyed(owner) || AppTerminated()) {
    FDirection = TFadeDirection::fdNone;
    return false;
  }
  if (FadeLevel >= 0 && FadeLevel <= Iterations) return false;
  // The control frees this timer while it handles the command: nothing of it is touched after.
  PerformCmd(owner, ACMD_STOPFADE);
  return true;
}

void TsFadeTimer::Change() {
  TControl* owner = FOwnerData != nullptr ? FOwnerData->OwnerControl() : nullptr;
  if (owner == nullptr || BeingDestroyed(owner) || Iterations == 0 || FadingForbidden) return;
  if (!owner->Enabled()) {
    SetEnabled(false);
    Iterations = 0;
    FOwnerData->Invalidate();
    return;
  }
  const std::shared_ptr<bool> alive = alive_;
  const classlib::TScopeExit advance([&] {
    if (*alive) ++FadeLevel;
  });
  const std::unique_ptr<classlib::TBitmap> frame = Copy32(BmpFrom.get());
  BlendInto(frame.get(), FOwnerData->CacheBmp(), FadeLevel, Iterations);
  auto* win = dynamic_cast<classlib::TWinControl*>(owner);
  const HWND wnd = win != nullptr && win->HandleAllocated() ? win->Handle() : nullptr;
  const HDC dc = wnd != nullptr ? GetDC(wnd) : nullptr;
  {
    // Released whatever the control does while it answers, even when it is destroyed meanwhile.
    const int saved = dc != nullptr ? SaveDC(dc) : 0;
    const classlib::TScopeExit release([&] {
      if (dc == nullptr) return;
      RestoreDC(dc, saved);
      ReleaseDC(wnd, dc);
    });
    const LRESULT drewItself = PerformCmd(owner, ACMD_FADEFRAME, reinterpret_cast<LPARAM>(frame.get()));
    if (drewItself == 0 && *alive && dc != nullptr)
      BitBlt(dc, 0, 0, frame->Width(), frame->Height(), frame->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  RefreshMagnifier();
}

void DoChangePaint(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Clicked, bool AllowAnimation,
                   TFadeDirection Direction) {
  if (SkinData == nullptr || !SkinData->Skinned()) return;
  const TsGeneralData* g = FadingSection(SkinData);
  if (AllowAnimation && !aSkinChanging && g != nullptr && g->FadingEnabled && !FadingForbidden &&
      SkinData->CacheBmp() != nullptr && !SkinData->BGChanged) {
    SkinData->BGChanged = true;
    AnimChange(Timer, SkinData, Clicked, Direction);
  } else {
    SkinData->BGChanged = true;
    if (Timer != nullptr) StopFading(Timer, SkinData);
    if (TControl* owner = SkinData->OwnerControl()) owner->Repaint();
  }
  ShowGlowingIfNeeded(SkinData, Clicked, nullptr);
}

void AnimChange(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Clicked, TFadeDirection Direction) {
  const TsGeneralData* g = FadingSection(SkinData);
  if (g == nullptr || !g->FadingEnabled) return;
  if (Timer != nullptr) {
    Timer->FadeLevel = g->FadingIterations;
  } else {
    Timer = new TsFadeTimer(SkinData->OwnerControl());
    Timer->SetEnabled(false);
    Timer->FadeLevel = 1;
  }
  Timer->SetOwnerData(SkinData);
  if (Clicked) Timer->Iterations /= 2;
  if (Timer->FadeLevel >= Timer->Iterations || Timer->FadeLevel < 1) Timer->FadeLevel = 1;
  if (TControl* owner = SkinData->OwnerControl()) PerformCmd(owner, ACMD_PREPARECACHE);
  Timer->SetDirection(Direction);
}

void StopFading(TsFadeTimer*& Timer, TsCommonData*) {
  if (Timer == nullptr || BeingDestroyed(Timer)) return;
  TsFadeTimer* doomed = Timer;
  Timer = nullptr;
  doomed->SetEnabled(false);
  doomed->SetDirection(TFadeDirection::fdNone);
  classlib::Free(doomed);
}

TsAnimTimer::TsAnimTimer(classlib::TComponent* AOwner)
    : classlib::TTimer(AOwner), BmpFrom(NewBitmap32(0, 0)), TmpBmp(NewBitmap32(0, 0)) {
  ++acAnimCount;
}

TsAnimTimer::~TsAnimTimer() { --acAnimCount; }

void TsAnimTimer::SetOwnerData(TsCommonData* Value) {
  FOwnerData = Value;
  SetInterval(10);
  const TsGeneralData* g = FadingSection(Value);
  Iterations = g != nullptr ? g->FadingIterations : 0;
}

void TsAnimTimer::Timer() {
  if (BeingDestroyed(this) || ToEnd()) return;
  DoFade();
}

bool TsAnimTimer::ToEnd() {
  TControl* owner = FOwnerData != nullptr ? FOwnerData->OwnerControl() : nullptr;
  if (BeingDestroyed(this) || owner == nullptr || BeingDestroyed(owner) || AppTerminated()) return true;
  if (FadeLevel >= 0 && FadeLevel <= Iterations) return false;
  PerformCmd(owner, ACMD_STOPFADE);
  return true;
}

void TsAnimTimer::DoFade() {
  TControl* owner = FOwnerData != nullptr ? FOwnerData->OwnerControl() : nullptr;
  if (FadeInProcess || owner == nullptr || BeingDestroyed(owner) || Iterations == 0 || FadeLevel < 0) {
    ++FadeLevel;
    return;
  }
  FadeInProcess = true;
  const classlib::TScopeExit advance([&] {
    ++FadeLevel;
    FadeInProcess = false;
  });
  TmpBmp = Copy32(BmpFrom.get());
  BlendInto(TmpBmp.get(), FOwnerData->CacheBmp(), FadeLevel, Iterations);
  Repaint();
  RefreshMagnifier();
}

void TsAnimTimer::Repaint() {
  if (TControl* owner = FOwnerData != nullptr ? FOwnerData->OwnerControl() : nullptr) {
    PerformCmd(owner, ACMD_SETUPDATING, 0, 0);
    PerformCmd(owner, ACMD_REDRAW);
  }
}

}  // namespace skin
