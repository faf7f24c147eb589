#pragma once
// Frames: a scrolling container placed on forms (and on other frames) as one reusable part, with
// its own controls and components. The base for skinned frames; nothing is read from descriptions
// beyond what a scrolling container reads.
#include <windows.h>

#include "classlib/ScrollBox.h"

namespace classlib {

class TCustomFrame : public TScrollingWinControl {
 public:
  explicit TCustomFrame(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TCustomFrame"; }

 protected:
  void CreateParams(TCreateParams& Params) override;
};

class TFrame : public TCustomFrame {
 public:
  using TCustomFrame::TCustomFrame;
  std::wstring ClassName() const override { return L"TFrame"; }
};

}  // namespace classlib
