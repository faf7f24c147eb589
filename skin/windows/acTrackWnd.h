#pragma once
// The track-bar handler: a native "msctls_trackbar32" painted whole from the skin: its section over
// the parent's background, the channel, evenly spread tick marks and the thumb from the section
// "TRACKBAR" (plain engraved ticks without tick images), faded over the background while disabled.
// The control never paints itself while hooked. Win32 only; GUI thread only.
#include <windows.h>

#include <vector>

#include "skin/windows/acMainWnd.h"
#include "skin/windows/acTrackGeometry.h"

namespace skin {

using TAPoint = std::vector<TPoint>;

class TacTrackWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(classlib::TMessage& Message) override;
  virtual bool IsVertical() const;

  bool bMousePressed = false;
  int TrackBarNdx = -1;
  int TickHeight = 4;
  double iStep = 0;

  void AC_WMPaint(classlib::TMessage& Message);
  // The whole control into the skin data's cache.
  void PrepareCache();
  void PaintBody();
  void PaintBar();
  void PaintThumb();
  void PaintTicksHor();
  void PaintTicksVer();
  void PaintTick(TPoint P, bool Horz);

  // In client coordinates; the channel of a vertical bar as it lies, however the control reports it.
  TRect ChannelRect() const;
  TRect ThumbRect() const;
  TTickMarks TickMarks() const;
  // False with TBS_NOTICKS.
  bool TickStyle() const;
  int TickCount() const;
  int TickPos(int Index) const;
  // One point per tick, evenly spread (iStep keeps the distance).
  TAPoint TicksArray();
  // The skin state of the thumb and the ticks: 1 while the left button is down on the control.
  int Mode() const { return bMousePressed ? 1 : 0; }

 private:
  // Image Name of "TRACKBAR"; -1 without it.
  int TrackImage(const char* Name) const;
  void PaintTicks();
};

}  // namespace skin
