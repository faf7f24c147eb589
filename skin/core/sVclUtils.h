#pragma once
// Control routines of the skinning units: whether a control can paint, whose form or frame it
// belongs to, the colour it shows, text-drawing flags, the windowless children of a container
// painted onto a device context, and a whole control tree rendered into a bitmap. Win32 only.
#include <windows.h>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skin/graphics/Image32.h"

namespace skin {

class IacSkinProvider;

// A form animation or an animated skin change runs: several repaints are skipped.
extern bool InAnimationProcess;
// PaintControls is running (a nested call does nothing).
extern bool acGraphPainting;
// DrawText alignment by TAlignment: left, right, centre.
inline constexpr UINT AlignToInt[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};

// False for nil, a windowed control without window, one being created, read, loaded or destroyed,
// and one without parent.
bool ControlIsReady(const classlib::TControl* Control);
classlib::TCustomForm* GetOwnerForm(classlib::TComponent* Component);
classlib::TComponent* GetOwnerFrame(classlib::TComponent* Component);
// The top-most ancestor of Wnd (Wnd itself without parent).
HWND GetParentFormHandle(HWND Wnd);
// The colour a control or window shows behind its children (its answer to command 21 when it is
// skinned, else its own colour); clFuchsia for none.
TColor GetControlColor(classlib::TControl* Control);
TColor GetControlColor(HWND Wnd);
// DrawText flags for Alignment, tabs expanded, centred vertically, mirrored for right-to-left
// reading.
UINT GetStringFlags(const classlib::TControl* Control, classlib::TAlignment Alignment);
// The client rectangle in window coordinates.
TRect ACClientRect(HWND Wnd);
// The window rectangle in screen coordinates.
TRect ACWindowRect(HWND Wnd);
// Heights (top, bottom) or widths (left, right) of the visible children aligned that way.
int GetAlignShift(const classlib::TWinControl* Parent, classlib::TAlign Align, bool IncludeGraphic);
TPoint acMousePos();
bool AllEditSelected(classlib::TCustomEdit* Edit);

// The windowless children of Owner painted onto DC, each moved by Offset; command 22 to Owner when
// DC has nothing left to draw. A child whose painting throws is skipped, the others still paint.
void PaintControls(HDC DC, classlib::TWinControl* Owner, bool ChangeCache, TPoint Offset, HWND AHandle = nullptr,
                   bool CheckVisible = true);
// Control and its windowed children rendered into Bmp at (X, Y).
void SkinPaintTo(classlib::TBitmap* Bmp, classlib::TControl* Control, int X = 0, int Y = 0,
                 IacSkinProvider* Provider = nullptr);

// An invisible drawing surface for animations; the engine never skins it (tag -98).
class TOutputWindow : public classlib::TCustomControl {
 public:
  explicit TOutputWindow(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TOutputWindow"; }

 protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void WndProc(classlib::TMessage& Message) override;
};

}  // namespace skin
