#include "classlib/Frames.h"

namespace classlib {

TCustomFrame::TCustomFrame(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  ControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 320, 240);
}

void TCustomFrame::CreateParams(TCreateParams& Params) {
  TScrollingWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

}  // namespace classlib
