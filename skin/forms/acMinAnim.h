#pragma once
// The minimise and restore animation of a skinned form: a layered cover shows the form's image
// shrinking and fading towards its taskbar button (or the taskbar's edge, or the screen origin)
// and growing back on restore, one step each 15 ms, while the form itself is layered and fully
// transparent. A request for the other direction turns a running animation around where it is.
// Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "skin/core/acThdTimer.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acMinMotion.h"

namespace skin {

class TsSkinProvider;
class TacBorderForm;

class TacMinTimer : public TacThreadedTimer {
 public:
  // Disabled, for SP's form (SP may be nullptr: no form, nothing to animate).
  explicit TacMinTimer(TsSkinProvider* SP);
  ~TacMinTimer() override;
  std::wstring ClassName() const override { return L"TacMinTimer"; }

  // Timing from the manager, the form's place at rest and its target, the frame buffer and a
  // cover showing the form; a half-played animation keeps its positions.
  void InitData();
  // The target: the taskbar button, else a point on the taskbar's edge, else the empty rectangle.
  TRect GetRectTo();
  void UpdateDstRect();
  // One step in the direction the provider's state asks for.
  void TimeHandler() override;

  TacMinMotion Motion;
  int AlphaOrigin = 255;
  unsigned TBPosition = 0;  // the taskbar's side: 1 left, 2 top, 4 right, 8 bottom
  TsSkinProvider* sp = nullptr;
  TacBorderForm* BorderForm = nullptr;
  HWND FormHandle = nullptr;
  std::unique_ptr<classlib::TBitmap> SavedImage;
  std::unique_ptr<classlib::TBitmap> AlphaBmp;
  // The cover that shows the frames; owned here, hidden between a minimise and its restore.
  TacAnimForm AnimForm;
  // The form sits at the taskbar: the next steps run in the restore direction.
  bool Minimized = false;

 private:
  void DrawFrame();
  void EndMinimise();
  void EndRestore();
  // Without a cover no frame can be shown: the form is given back as it is.
  void Abandon();
  bool first_ = true;
};

// Starts the minimise animation of SP's form when the manager's Minimizing animation is active,
// and always refreshes the taskbar preview.
void StartMinimizing(TsSkinProvider* SP);
// Starts the restore animation with the provider's minimise timer; false when nothing started
// (the caller restores without animation).
bool StartRestoring(TsSkinProvider* SP);

}  // namespace skin
