#pragma once
// The hide animation of forms and dialogs: a topmost layered copy of the window fading out (and
// shrinking towards three quarters of its size with atAero) on a threaded timer, after the window
// itself is gone. One hide plays at a time; a new one frees the copy of the last first. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "skin/core/acThdTimer.h"
#include "skin/core/sConstTypes.h"
#include "skin/forms/acAnimForms.h"

namespace skin {

class TacHideTimer : public TacThreadedTimer {
 public:
  explicit TacHideTimer(classlib::TComponent* AOwner);
  ~TacHideTimer() override;
  std::wstring ClassName() const override { return L"TacHideTimer"; }

  void Anim_Init();
  void Anim_DoNext();
  void Anim_GoToNext();
  // One frame, or the end of the hide once every step is shown.
  void OnTimerProc(classlib::TObject* Sender);
  // The copy and its pictures let go: nothing of the hide stays on screen.
  void FreeCopy();

  TacAnimForm Form;  // the layered copy being faded out
  SIZE FBmpSize{};
  POINT FBmpTopLeft{};
  BLENDFUNCTION FBlend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  double dx = 0, dy = 0, l = 0, t = 0, r = 0, b = 0;
  int StartBlendValue = 255;
  int i = 0;
  int StepCount = 0;
  TacAnimType AnimType = TacAnimType::atFading;
  int DelayValue = acAnimInterval;
  double Trans = 0;
  double p = 0;
  std::unique_ptr<classlib::TBitmap> SrcBmp;
  std::unique_ptr<classlib::TBitmap> DstBmp;
};

// The program's single hide animation: made on first use, owned by the application object.
extern TacHideTimer* acHideTimer;

// Starts the hide of Form showing Image (32-bit, premultiplied) over Time milliseconds from
// constant alpha StartBlend. Below one step the copy and the image are freed at once. The hide
// takes both over.
void StartHideAnimation(TacAnimForm Form, std::unique_ptr<classlib::TBitmap> Image, int Time, TacAnimType Mode,
                        int StartBlend = 255);

}  // namespace skin
