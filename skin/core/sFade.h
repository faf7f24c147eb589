#pragma once
// Cross-fades of a skinned control from its old look to its new one: the decision between a fade
// and an immediate repaint, the fade timer of windowed controls and the animation timer of
// windowless speed buttons. Both timers tick every 10 ms on the GUI thread; the control renders
// its new look into its cache once (command 23) and the timers blend the old look into it step by
// step, handing each frame to the control (command 24) or copying it to its window. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsSkinManager;

// The button events the manager lets fade (its animation settings; all four by default).
TacBtnEvents ButtonAnimEvents(TsSkinManager* Manager);
// May Event fade: when the control lists it, or defers to the manager (aeGlobalDef) and the
// manager's button events hold it. No manager: false.
bool EventEnabled(TacAnimatEvent Event, TacAnimatEvents CtrlEvents, TsSkinManager* Manager = nullptr);

class TsFadeTimer : public classlib::TTimer {
 public:
  explicit TsFadeTimer(classlib::TComponent* AOwner);
  ~TsFadeTimer() override;
  std::wstring ClassName() const override { return L"TsFadeTimer"; }

  TFadeDirection Direction() const { return FDirection; }
  // Ticks run exactly while the direction is up or down.
  void SetDirection(TFadeDirection Value);
  TsCommonData* OwnerData() const { return FOwnerData; }
  // Keeps the present look as the start of the fade and takes the step count from the section.
  void SetOwnerData(TsCommonData* Value);
  // One tick (the window timer's; called directly by tests).
  void Timer() override;
  // True once the last step is past (the control then got command 16).
  bool ToEnd();
  // One step: the blended frame to the control or its window.
  void Change();

  int Iterations = 0;
  int FadeLevel = 0;
  std::unique_ptr<classlib::TBitmap> BmpFrom;

 private:
  TFadeDirection FDirection = TFadeDirection::fdNone;
  TsCommonData* FOwnerData = nullptr;
  // Cleared by the destructor: a step learns that answering command 24 freed the timer.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// After a change of state: a fade when animation is allowed and possible, else an immediate
// repaint (a running fade stops). Timer is the control's own fade timer variable (nullptr: none).
void DoChangePaint(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Clicked, bool AllowAnimation,
                   TFadeDirection Direction);
// Starts a fade, or restarts the running one; a click fades twice as fast.
void AnimChange(TsFadeTimer*& Timer, TsCommonData* SkinData, bool Clicked, TFadeDirection Direction);
// Stops and frees the fade; Timer becomes nullptr.
void StopFading(TsFadeTimer*& Timer, TsCommonData* SkinData);

// The speed button's timer: it blends into TmpBmp, which the button paints while the timer runs.
class TsAnimTimer : public classlib::TTimer {
 public:
  explicit TsAnimTimer(classlib::TComponent* AOwner);
  ~TsAnimTimer() override;
  std::wstring ClassName() const override { return L"TsAnimTimer"; }

  void SetOwnerData(TsCommonData* Value);
  TsCommonData* OwnerData() const { return FOwnerData; }
  void Timer() override;
  bool ToEnd();
  void DoFade();
  // The button shows TmpBmp now: updating off, then redraw.
  void Repaint();

  bool FadeInProcess = false;
  std::unique_ptr<classlib::TBitmap> BmpFrom;
  std::unique_ptr<classlib::TBitmap> TmpBmp;
  int Iterations = 0;
  int FadeLevel = 0;

 private:
  TsCommonData* FOwnerData = nullptr;
};

}  // namespace skin
