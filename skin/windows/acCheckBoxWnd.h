#pragma once
// The check-box and group-box handlers: native "Button" windows of those styles (or class-library
// controls that are no skinned controls of their own) painted from the skin. A check box or radio
// button gets its section, its caption and the skin's check glyph for its state; a group box the
// parent's background under its caption band and its section as a frame from the band's middle
// down. The controls keep their own state, read back with BM_GETSTATE and their styles.
// Win32 only; GUI thread only.
#include <windows.h>

#include "skin/windows/acMainWnd.h"

namespace skin {

class TacCheckBoxWnd : public TacMainWnd {
 public:
  TacCheckBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  void acWndProc(classlib::TMessage& Message) override;

  // 2 indeterminate, 1 checked, 0 clear.
  int State() const;
  // The glyph's cell: 2 pushed, 1 focused or hot, else 0.
  int CtlState() const;
  // The skin's glyph image for a state (radio buttons have their own, but share BOXGRAYED); -1 when
  // the skin has none.
  int GlyphMaskIndex(int AState) const;
  TSize SkinGlyphSize(int Image) const;
  TRect SkinCheckRect(int Image) const;
  TRect CheckRect() const;
  void PrepareCache();

  // The button style is BS_OWNERDRAW: only the background is the handler's.
  bool OwnerDraw = false;

 protected:
  void Hook(bool Repaint) override;

 private:
  void DrawSkinGlyph(int Image);
  void DrawCheckText();
  void AC_WMPaint(classlib::TMessage& Message);
  void EraseOwnerDrawn(classlib::TMessage& Message);
  void RepaintNow() { SendMessageW(CtrlHandle, WM_PAINT, 0, 0); }

  // The style recorded at the last paint; it chooses between box and radio glyphs.
  LONG paintedStyle_ = 0;
};

class TacGroupBoxWnd : public TacMainWnd {
 public:
  TacGroupBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager)
      : TacMainWnd(AHandle, ASkinData, ASkinManager) {}
  void acWndProc(classlib::TMessage& Message) override;

  // The caption band at the top (6 pixels high without caption).
  TRect CaptionRect();
  void PrepareCache();

 protected:
  void Hook(bool Repaint) override;

 private:
  // The parent's background under R of the cache.
  void ParentBackground(const TRect& R);
  void WriteText(TRect R);
  // Paints on the given DC (LParam 1) or on the window DC.
  void AC_WMPaint(classlib::TMessage& Message);
  void Redraw();
};

}  // namespace skin
