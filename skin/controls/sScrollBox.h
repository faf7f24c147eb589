#pragma once
// The skinned scroll box: a scrolling container that paints its section and border image, shows
// the skinned scroll bars of the scroll-bar engine in place of the system's, offers its background
// to its children and can hand the mouse wheel to the focused control first. Win32 only.
//
// It follows the paint cycle of sButton.h, except:
//  - A box that keeps its own cache (or has OnPaint) renders the cache and copies its inside to
//    the client area; the frame ring (F = 2 for a single border) goes out in WM_NCPAINT together
//    with the skinned bars. A box without one paints straight onto the DC (border ring, then its
//    colour or, for a see-through section, the parent's background) and frees its cache after.
//  - Scrolling is bracketed by commands 51 and 52 to itself: while a bar with Tracking drags the
//    content of a cached box, redrawing is held off and the box is redrawn once at the end; a box
//    without its own cache redraws only the strip that scrolled into view.
//  - The children's background answer moves by F: they sit in the client area.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/ScrollBox.h"
#include "skin/core/acScrollBarsLink.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsScrollBox : public classlib::TScrollBox {
 public:
  explicit TsScrollBox(classlib::TComponent* AOwner);
  ~TsScrollBox() override;
  std::wstring ClassName() const override { return L"TsScrollBox"; }
  static void DeclareProperties(classlib::TClassDecl<TsScrollBox>& d);
  void AfterConstruction() override;
  void SetParent(classlib::TWinControl* AParent) override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  classlib::TCanvas* Canvas() const { return FCanvas.get(); }
  bool AutoMouseWheel() const { return FAutoMouseWheel; }
  void SetAutoMouseWheel(bool Value) { FAutoMouseWheel = Value; }
  // The frame's width: 2 with a single border, else 0.
  int FrameWidth() const { return BorderStyle() == classlib::bsSingle ? 2 : 0; }

  // Command 51 to itself, the scroll, command 52 to itself.
  void ScrollBy(int DeltaX, int DeltaY) override;
  virtual void PrepareCache();
  // Client painting onto DC (nullptr: a client DC of its own); SendUpdated tells the children.
  virtual void Paint(HDC DC, bool SendUpdated);

  TBmpPaintEvent OnPaint;
  classlib::TNotifyEvent OnBeforeScroll;
  classlib::TNotifyEvent OnAfterScroll;

  // The skinned bars (nullptr while unskinned or without the scroll-bar engine).
  std::unique_ptr<IacScrollBars> ListSW;
  // The position the current scroll began at.
  int acTrackPos = 0;
  // Redrawing is held off by command 51 until command 52.
  bool RedrawHeld() const { return redrawHeld_; }
  // A wheel message is being handed to the focused control (for every box: one wheel at a time).
  static bool WheelBusy();

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void PaintWindow(HDC) override {}
  bool DoMouseWheel(classlib::TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void ScrollBarsChanged() override;

 private:
  bool Skinned() const;
  bool KeepsOwnCache();
  bool FirstCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void AfterDefault(const classlib::TMessage& Message);
  void ScrollBegin(const classlib::TMessage& Message);
  void ScrollEnd(const classlib::TMessage& Message);
  // Redrawing back on after command 51 held it, whatever happened in between.
  void ReleaseHeldRedraw() noexcept;
  void PaintDirect(HDC DC);
  void EraseBackground(classlib::TMessage& Message);
  void NonClientPaint(classlib::TMessage& Message);
  void Print(classlib::TMessage& Message);
  void UpdateBars();
  void Redraw(UINT Flags);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  std::unique_ptr<classlib::TControlCanvas> FCanvas;
  bool FAutoMouseWheel = false;
  bool redrawHeld_ = false;
};

void RegisterScrollBoxClasses();

}  // namespace skin
