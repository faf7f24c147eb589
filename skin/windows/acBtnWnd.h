#pragma once
// The push-button handler: a native "Button" window (or a class-library button that is no skinned
// control of its own) rendered whole into its skin data's cache from the section "BUTTON" and
// copied to the window. The button keeps its own state (held down, focused, default), read back
// with BM_GETSTATE and its style. The painting steps are virtual so that the bitmap and image
// buttons add their glyphs. Win32 only; GUI thread only.
#include <windows.h>

#include "classlib/Buttons.h"
#include "classlib/StdCtrls.h"
#include "skin/windows/acButtonGeometry.h"
#include "skin/windows/acMainWnd.h"

namespace skin {

class TacBtnWnd : public TacMainWnd {
 public:
  TacBtnWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
      : TacMainWnd(AHandle, ASkinData, ASkinManager) {}
  void acWndProc(classlib::TMessage& Message) override;

  // 2 held down, 0 disabled, 1 focused, hot or default, else 0.
  int CurrentState();
  bool Down() const;
  LONG CtrlStyle() const;
  void Repaint();

  virtual void DrawCaption();
  virtual void DrawGlyph() {}
  virtual TSize GlyphSize() { return {}; }
  virtual void DoDrawText(TRect& R, UINT Flags);
  virtual TRect CaptionRect();
  virtual int MaxCaptionWidth();
  virtual TSize TextRectSize();
  virtual void PrepareCache();

 protected:
  void Hook(bool Repaint) override;
  void AC_WMPaint(classlib::TMessage& Message);
  // The font the caption is drawn and measured with: the owner's, else the window's.
  void SelectCaptionFont(classlib::TCanvas* Canvas);
  // After the base: a mouse move makes an enabled button the hot control, or stops it being one.
  void TrackHot(const classlib::TMessage& Message);
};

// A push button with a glyph: a class-library bitmap button's (placed by its Layout, Margin and
// Spacing, a cell per state), or a native button's BM_GETIMAGE bitmap left of the caption.
class TacBitBtnWnd : public TacBtnWnd {
 public:
  using TacBtnWnd::TacBtnWnd;
  void DrawGlyph() override;
  TSize GlyphSize() override;
  TRect CaptionRect() override;
  int MaxCaptionWidth() override;
  TRect GlyphRect();

  // Kept for callers that read them; the glyph is always read anew.
  HBITMAP hBmp = nullptr;
  HICON hIco = nullptr;

 private:
  classlib::TBitBtn* Owner() const;
  HBITMAP NativeBitmap() const;
};

// A class-library button with an image list: the image of its state (hot, pressed, focused,
// disabled, each falling back to ImageIndex) on the side ImageAlignment names.
class TacButtonWnd : public TacBtnWnd {
 public:
  TacButtonWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  void DrawGlyph() override;
  TSize GlyphSize() override;
  TRect CaptionRect() override;
  bool HaveImage() const;
  int GlyphIndex();
  TRect GlyphRect();

  classlib::TButton* Btn = nullptr;

 private:
  TImagePlace Place();
};

}  // namespace skin
