#pragma once
// The extended-border window of a skinned form: a borderless layered window behind the form's own,
// larger by the shadow, showing the frame the provider renders (its cache) with per-pixel alpha.
// Its region has a hole where the form's client area is, so the form shows through; over the frame
// it answers the mouse itself (hit codes, cursors, the hot title button, double-clicks on the
// title and the borders) and hands non-client mouse messages to the form; over the shadow the
// mouse falls through to whatever lies below. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Forms.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acBorderGeometry.h"

namespace skin {

class TsSkinProvider;
class TsCommonData;

// The tag of the border window, which keeps the engine's hands off it.
inline constexpr int acBorderWindowTag = -98;
// The extended styles of the border window, exactly.
inline constexpr LONG_PTR acBorderWindowExStyle = WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW;

class TacBorderWnd final : public TacBorderForm {
 public:
  explicit TacBorderWnd(TsSkinProvider* Owner);
  ~TacBorderWnd() override;
  TacBorderWnd(const TacBorderWnd&) = delete;
  TacBorderWnd& operator=(const TacBorderWnd&) = delete;

  // TacBorderForm
  HWND OwnerHandle() const override;
  TsSkinManager* SkinManager() const override;
  int CaptionHeight(bool CheckSkin) const override;
  bool HasWindow() const override { return AForm != nullptr && AForm->HandleAllocated(); }
  void CreateWindowIfMissing() override;
  void FreeWindow() override;
  void UpdateExBordersPos(bool Redraw = true, int Blend = 255) override;
  // Sets the window's region (the region is the window's afterwards).
  void MakeRgn(int NewWidth, int NewHeight) override;
  void ShowInPlace(bool Topmost) override;

  // The window's region for a new outer size of the form (0, 0: as it is); nullptr for the whole
  // window or without a window. The caller owns it.
  HRGN BuildRgn(int NewWidth, int NewHeight) const;
  // Sets the region again when a click over the shadow cut a hole in it.
  void UpdateRgn();
  // The frame zone under the screen point of a WM_NCHITTEST-like message (LParam); -1 for none.
  int Ex_WMNCHitTest(LPARAM ScreenPos) const;
  // Sets the cursor for the frame zone under the mouse; false over the shadow or the client area.
  bool Ex_WMSetCursor() const;
  // The mouse message's point lies on the shadow (the hot title button is cleared then).
  bool MouseAboveTheShadow(const classlib::TMessage& Message);
  void BorderProc(classlib::TMessage& Message);

  HWND Handle() const override { return HasWindow() ? AForm->Handle() : nullptr; }
  unsigned FormState() const;
  TRect ShadowSize() const;
  // The form's window inside the border window.
  int OffsetX() const;
  int OffsetY() const;

  TsSkinProvider* sp;
  TsCommonData* SkinData;
  bool acInMouseMsg = false;
  bool ResetRgn = false;
  HWND ParentHandle = nullptr;
  classlib::TForm* AForm = nullptr;  // owned
  classlib::TWndMethod OldBorderProc;

 private:
  bool Layered() const;
  TSize WindowSize() const;
  TacBorderHitInput HitInput() const;
  void SetRegion(HRGN Region) const;
  void SetBlur(int Width, int Height, const classlib::TBitmap* Image) const;
  void StretchOnDoubleClick(int HitCode);
  void HideHandOver(classlib::TMessage& Message);
};

// The shadow drawn into the margins of the provider's rendered frame from the manager's shadow
// template (active or inactive), and the frame's transparent corner pixels filled from it; the
// border window's ShadowTemplate is set to the template used. Nothing without extended borders.
void PaintExBorderShadow(TsSkinProvider* Provider, classlib::TBitmap* Cache);

// The border window for a provider's form (what the provider makes when extended borders start).
std::unique_ptr<TacBorderForm> MakeProviderBorderForm(TsSkinProvider* Provider);

}  // namespace skin
