#pragma once
// Glow windows: a borderless, click-through layered window around a control (or a title button)
// while the mouse is over it, showing the nine-slice image "<name>0" of a skin section with its
// per-pixel alpha. The glows live in one list; a glow's index is its identifier. A hidden glow
// leaves its slot empty and slots are never reused; only ClearGlows empties the list. The window is
// never repainted or moved after it is shown: a control that moves shows a new glow. GUI thread
// only. Win32 only.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/WndMethod.h"
#include "skin/graphics/Image32.h"

namespace skin {

class TsSkinManager;

class TacGlowEffect {
 public:
  TacGlowEffect() = default;
  virtual ~TacGlowEffect();
  TacGlowEffect(const TacGlowEffect&) = delete;
  TacGlowEffect& operator=(const TacGlowEffect&) = delete;

  // AlphaBmp := a Width x Height picture of colour 0 with the glow image over the whole of it.
  virtual void CreateAlphaBmp(int Width, int Height);
  // Makes, sizes, places and shows the window (nothing when it has one). False when the glow comes
  // out empty: no window then.
  bool Show(const TRect& R, const TRect& RealRect, int Alpha, HWND WndHandle);
  // Gives the window its procedure back and frees it at once.
  void FreeWindowNow();
  // The window's procedure: clicks and hovering go through to the windows below.
  void NewWndProc(classlib::TMessage& Message);
  static constexpr int IntBorderWidth() { return 2; }

  TsSkinManager* SkinManager = nullptr;  // not owned
  int MaskIndex = -1;
  int Margin = 0;
  classlib::TForm* Wnd = nullptr;  // owned
  std::unique_ptr<classlib::TBitmap> AlphaBmp;
  classlib::TWndMethod OldWndProc;
};

// A new glow of image Name + "0" of SkinSection around R (RealRect: its visible part in its own
// coordinates), stacked above WndHandle; its index, or -1 without layered windows, without such an
// image or with nothing to show. Alpha has no influence: the image's own alpha counts.
int ShowGlow(const TRect& R, const TRect& RealRect, const std::string& SkinSection, const std::string& Name, int Margin,
             int Alpha, HWND WndHandle, TsSkinManager* SkinManager);
// Frees the glow of that index and empties its slot; an index outside the list or an empty slot
// does nothing.
void HideGlow(int ID);
// Frees every glow and empties the list (RestoreProcs: windows freed at once).
void ClearGlows(bool RestoreProcs = false);
// The list: a slot is nullptr once its glow is hidden.
const std::vector<std::unique_ptr<TacGlowEffect>>& Glows();

}  // namespace skin
