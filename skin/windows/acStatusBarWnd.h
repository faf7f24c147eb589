#pragma once
// The handler of status bars that have no skinned counterpart (class-library TStatusBar controls
// and native "msctls_statusbar32" windows): the whole bar rendered into its cache from the section
// ("STATUSBAR" unless the creator names another), each part framed by the section's
// "STATUSPANELMASK" or, without that image, "DIVIDER" strips between the parts (none after the
// last), then the parts' texts in the section's font colour. Win32 only; GUI thread only.
#include <windows.h>

#include <string>

#include "classlib/ComCtrls.h"
#include "skin/windows/acMainWnd.h"

namespace skin {

class TacStatusBarWnd : public TacMainWnd {
 public:
  TacStatusBarWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  void acWndProc(classlib::TMessage& Message) override;

  // The owner when it is a class-library status bar.
  classlib::TStatusBar* StatusBar = nullptr;

  int PartsCount() const;
  TRect PartRect(int Index) const;
  bool SimplePanel() const;
  // Simple mode: the window text; a class-library bar: its SimpleText without panels, else the
  // panel's Text; a native bar: the part's own text.
  std::wstring PartText(int Index) const;

  void PrepareCache();
  void PaintPanels();
  void DrawPanel(int Index, TRect R);
  void InternalDrawPanel(int Index, const std::wstring& Text, const TRect& R);
  void DoDrawText(const std::wstring& Text, TRect R, UINT Flags);
  // The cache onto DC (nullptr: a DC of the window).
  void WMPaint(HDC DC);
  void WMNCPaint(HDC DC);

 protected:
  void Hook(bool Repaint) override;
};

}  // namespace skin
