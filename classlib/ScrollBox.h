#pragma once
// Scrolling containers: a window whose children may extend past its client area, with a scroll
// bar for each direction (TControlScrollBar) that moves them. With AutoScroll the bars' ranges
// follow the children: a bar shows only while the content does not fit. Scrolling moves the
// children's windows and bounds (ScrollBy); ScrollInView brings one child into the window.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Controls.h"

namespace classlib {

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };

// One scroll bar of a scrolling container; the container owns it.
class TControlScrollBar : public TPersistent {
 public:
  TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind) : FControl(Control), FKind(Kind) {}
  std::wstring ClassName() const override { return L"TControlScrollBar"; }
  static void DeclareProperties(TClassDecl<TControlScrollBar>& d);

  TScrollBarKind Kind() const { return FKind; }
  // One line of the arrows and of the mouse wheel.
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value);
  // Room kept beside a child brought into view, and after the furthest child with AutoScroll.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  // How far the content is scrolled: 0 up to Range minus the visible size.
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  // The content's extent; setting it turns the container's AutoScroll off.
  int Range() const { return FRange; }
  void SetRange(int Value);
  // The content follows the thumb while it is dragged (else only when it is let go).
  bool Tracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  // A bar that is not visible never shows and keeps the content at position 0.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // The bar shows now (the content does not fit along it).
  bool IsScrollBarVisible() const { return FShown; }

 private:
  friend class TScrollingWinControl;
  // A scroll request of the bar (WM_HSCROLL or WM_VSCROLL of the container's own bar).
  void ScrollMessage(const TMessage& Message);
  int ClientSize() const;

  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  int FIncrement = 8;
  int FMargin = 0;
  int FPosition = 0;
  int FRange = 0;
  bool FTracking = false;
  bool FVisible = true;
  bool FShown = false;
};

class TScrollingWinControl : public TWinControl {
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;
  std::wstring ClassName() const override { return L"TScrollingWinControl"; }
  static void DeclareProperties(TClassDecl<TScrollingWinControl>& d);

  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
  TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }

  // Moves every child by the deltas and the window's picture with them (the positions are the
  // bars' business: SetPosition calls this).
  virtual void ScrollBy(int DeltaX, int DeltaY);
  // Scrolls so that AControl (a control inside the container) shows, with the bars' margins.
  void ScrollInView(TControl* AControl);
  // The bars' ranges, visibility and scroll information brought up to date.
  void UpdateScrollBars();

 protected:
  void Dispatch(TMessage& Message) override;
  void AlignControls(TControl* AControl) override;
  TRect AdjustClientRect() const override;
  void InitializeWindow() override;
  void Loaded() override;
  // The wheel turned over the container (WheelDelta: 120 a notch, forward positive); true when it
  // was used. The container does not scroll by itself: its parent gets the wheel.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  // The scroll information was just given to the window.
  virtual void ScrollBarsChanged() {}

 private:
  friend class TControlScrollBar;
  // The furthest edge of the children that are not aligned, in content coordinates.
  int ContentExtent(TScrollBarKind Kind) const;

  bool FAutoScroll = true;
  std::unique_ptr<TControlScrollBar> FHorzScrollBar;
  std::unique_ptr<TControlScrollBar> FVertScrollBar;
  bool updatingBars_ = false;
  bool scrollingChildren_ = false;
};

// A scrolling container with a border, for forms.
class TScrollBox : public TScrollingWinControl {
 public:
  explicit TScrollBox(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TScrollBox"; }
  static void DeclareProperties(TClassDecl<TScrollBox>& d);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  TBorderStyle FBorderStyle = bsSingle;
};

}  // namespace classlib
