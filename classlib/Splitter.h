#pragma once
// The splitter: a bar aligned beside another aligned control that the user drags to resize that
// control.
#include <windows.h>

#include <string>

#include "classlib/Controls.h"
#include "classlib/EnumInfo.h"

namespace classlib {

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
template <>
inline const TEnumInfo& EnumInfo<TResizeStyle>() {
  static const TEnumInfo i{L"TResizeStyle", {L"rsNone", L"rsLine", L"rsUpdate", L"rsPattern"}};
  return i;
}

class TSplitter : public TGraphicControl {
 public:
  explicit TSplitter(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TSplitter"; }
  static void DeclareProperties(TClassDecl<TSplitter>& d);

  bool AutoSnap() const { return FAutoSnap; }
  void SetAutoSnap(bool Value) { FAutoSnap = Value; }
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value > 0 ? Value : 1; }
  TResizeStyle ResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }

  // The sibling this splitter resizes: the visible one aligned the same way that touches it.
  TControl* ResizedControl() const;

  TNotifyEvent OnMoved;
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool Horizontal() const { return FAlign == alTop || FAlign == alBottom; }
  // The resized control's size for the mouse at (X, Y), kept at MinSize or more.
  int SizeFor(int X, int Y) const;
  void ApplySize(int Size);

  bool FAutoSnap = true;
  int FMinSize = 30;
  TResizeStyle FResizeStyle = rsPattern;
  TControl* FControl = nullptr;
  TPoint FDownPos;  // in the parent's coordinates
  int FOldSize = 0;
  int FNewSize = 0;
};

}  // namespace classlib
