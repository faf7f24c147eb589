// The glow of a hot control: shown while the mouse is over it, hidden when it leaves, is pressed
// or clicked.
#include <windows.h>

#include "classlib/Forms.h"
#include "skin/core/acGlow.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sCommonDataDetail.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TControl;
using classlib::TWinControl;
using namespace detail;

namespace {

// The manager's effects decide: they also refuse glows where layered windows are missing or drawn badly.
bool GlowingAllowed(const TsSkinManager* sm) { return sm != nullptr && sm->Effects().AllowGlowing(); }

// The visible part of a window, in its own coordinates.
TRect VisiblePart(HWND wnd) {
  RECT v{};
  HDC dc = GetWindowDC(wnd);
  GetClipBox(dc, &v);
  ReleaseDC(wnd, dc);
  return {v.left, v.top, v.right, v.bottom};
}

// The window a control's glow is stacked above: its form, or the form's host when it is embedded.
HWND GlowOwnerWindow(TControl* owner) {
  classlib::TCustomForm* form = classlib::GetParentForm(owner);
  if (form == nullptr) return nullptr;
  if (TWinControl* host = form->Parent(); host != nullptr) return host->HandleAllocated() ? host->Handle() : nullptr;
  return form->HandleAllocated() ? form->Handle() : nullptr;
}

}  // namespace

void ShowGlowingIfNeeded(TsCommonData* Data, bool Clicked, HWND Wnd) {
  TsSkinManager* sm = Data != nullptr ? Data->GetSkinManager() : nullptr;
  const TsGeneralData* g = Data != nullptr ? SectionOf(Data) : nullptr;
  if (!GlowingAllowed(sm) || g == nullptr || g->GlowCount <= 0) return;
  TRect r, visible;
  HWND above = nullptr;
  if (TControl* owner = Data->OwnerControl()) {
    auto* win = dynamic_cast<TWinControl*>(owner);
    const TPoint origin = owner->ClientToScreen({0, 0});
    r = win != nullptr && win->HandleAllocated()
            ? ACWindowRect(win->Handle())
            : TRect{origin.X, origin.Y, origin.X + owner->Width(), origin.Y + owner->Height()};
    const TPoint mouse = acMousePos();
    const bool mouseAbove = mouse.X >= r.Left && mouse.X < r.Right && mouse.Y >= r.Top && mouse.Y < r.Bottom;
    if (!mouseAbove || owner->ControlState.Contains(classlib::csLButtonDown) || (Clicked && Data->GlowID >= 0)) {
      HideGlow(Data->GlowID);
      Data->GlowID = -1;
      return;
    }
    above = GlowOwnerWindow(owner);
    if (above == nullptr) return;
    if (win != nullptr && win->HandleAllocated()) {
      visible = VisiblePart(win->Handle());
    } else {
      // The parent's visible part, seen from the control.
      TWinControl* parent = owner->Parent();
      if (parent == nullptr || !parent->HandleAllocated()) return;
      RECT v{};
      HDC dc = GetDC(parent->Handle());
      GetClipBox(dc, &v);
      ReleaseDC(parent->Handle(), dc);
      const int l = owner->Left(), t = owner->Top(), w = owner->Width(), h = owner->Height();
      visible = {l < 0 ? -l : 0, t < 0 ? -t : 0, v.right < l + w ? v.right - l : w,
                 v.bottom < t + h ? v.bottom - t : h};
    }
  } else {
    if (Wnd == nullptr) return;
    r = ACWindowRect(Wnd);
    visible = VisiblePart(Wnd);
    above = GetParentFormHandle(Wnd);
  }
  // One glow per control: a new one replaces the old.
  HideGlow(Data->GlowID);
  Data->GlowID = ShowGlow(r, visible, Data->SkinSection(), "GLOW", g->GlowMargin, 255, above, sm);
}

}  // namespace skin
