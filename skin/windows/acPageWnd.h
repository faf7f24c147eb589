#pragma once
// Handlers for tab controls and page controls that the program does not draw itself, and for the
// pages inside them. The tab control paints its face through the skin data's cache: the tab strip
// over the parent's background, the inactive tabs row by row from the skin's tab sections (button
// sections for button styles), the page frame from a "PAGECONTROL" section, then the active tab
// last, straight onto the screen; side tabs get captions in a rotated font. Its scroll arrows (an
// up-down child) get a handler of their own. Each page gets a TacPageWnd that shows its parent's
// background; page handlers live in the unit's list, which frees each once its window is gone and
// the rest at the unit's shutdown. Win32 only; GUI thread only.
#include <windows.h>

#include <cstddef>

#include "classlib/ComCtrls.h"
#include "skin/windows/acMainWnd.h"
#include "skin/windows/acTabGeometry.h"

namespace skin {

// The handler a tab control's up-down child gets: by default the spin handler with the section
// "UPDOWNBTN".
using TacUpDownHandlerFactory = THandler<TacMainWnd> (*)(HWND UpDown, TsSkinManager* Manager);
extern TacUpDownHandlerFactory acUpDownHandlerFactory;

class TacTabControlWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(classlib::TMessage& Message) override;

  THandler<TacMainWnd> BtnSW;

  // The display area (TCM_ADJUSTRECT) less 2 pixels at its top, and the page frame around it.
  virtual TRect ClientRect();
  virtual TRect PageRect();

  // Paints onto Given, else onto a DC of the window.
  void AC_WMPaint(HDC Given);
  int TabCount() const;
  int ActiveTabIndex() const;
  TRect TabRect(int Index) const;
  TRect SkinTabRect(int Index, bool Active);
  TRect TabsRect();
  int TabRow(int Index);
  TTabPosition TabPosition() const;
  TTabStyle Style() const;
  // The up-down child's handler made anew when there is such a child, freed when there is none.
  void CheckUpDown();
  // The tab strip's background and the inactive tabs, row by row, into the cache.
  void DrawSkinTabs(const TCacheInfo& CI);
  // Tab Index in State (0 normal, 2 active) into Bmp, moved by OffsetPoint.
  void DrawSkinTab(int Index, int State, TPoint OffsetPoint, classlib::TBitmap* Bmp);
  // The same through a bitmap of the tab's size, copied to DC.
  void DrawSkinTab(int Index, int State, HDC DC);

  // The font a side tab's caption is written in: the tab control's font turned to read upward
  // (left tabs) or downward (right tabs), of normal weight, "MS Sans Serif" replaced by "Arial".
  static LOGFONTW VerticalTabFont(const LOGFONTW& Base, TTabPosition Position);

 protected:
  // Hooked with "PAGECONTROL" when the creator named no section.
  void Hook(bool Repaint) override;
  void Release() override;
  // The tab section's index and its border image for the control's style and position; -1 when the
  // skin has none.
  void TabSection(int& SkinIndex, int& MaskIndex, const char*& Name) const;
};

class TacPageControlWnd : public TacTabControlWnd {
 public:
  using TacTabControlWnd::TacTabControlWnd;
  void acWndProc(classlib::TMessage& Message) override;
  TRect ClientRect() override { return TacTabControlWnd::ClientRect(); }
  TRect PageRect() override { return TacTabControlWnd::PageRect(); }
  // Every page not yet skinned gets a page handler, kept in the unit's list.
  void InitPages(bool Unused = false);

 protected:
  // The pages get their handlers as soon as the control is hooked.
  void Hook(bool Repaint) override;
};

class TacPageWnd : public TacMainWnd {
 public:
  using TacMainWnd::TacMainWnd;
  void acWndProc(classlib::TMessage& Message) override;

  classlib::TTabSheet* Page = nullptr;

  // The page's background from its parent; 1.
  LRESULT AC_WMEraseBKGnd(HDC DC);
  TTabPosition TabPosition() const;
  void PrepareCache() {}
};

// The unit's list of page handlers: one added (it is freed with the list), those whose window is
// gone freed, all freed.
void acAddPageHandler(THandler<TacPageWnd> Page);
void acPurgePageHandlers();
void acFreePageHandlers();
std::size_t acPageHandlerCount();

}  // namespace skin
