#pragma once
// The skinned splitter: its bar is the SPLITTER section (hot while the mouse is above it, pressed
// while a live resize runs) with a user glyph or, when ShowGrip is set, the skin's grip image or a
// dotted grip, all centred. It keeps no cache between paints. Win32 only.
#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Splitter.h"
#include "skin/core/sCommonData.h"

namespace skin {

// The dotted grip's pixels, in the bar's coordinates: white at each (x, y) stepping by 2 over a
// 21 x 4 area (4 x 21 for a vertical bar) centred in the bar, black one pixel down and right.
void PaintDottedGrip(HDC DC, int Width, int Height, bool VerticalBar);

class TsSplitter : public classlib::TSplitter {
 public:
  explicit TsSplitter(classlib::TComponent* AOwner);
  ~TsSplitter() override;
  std::wstring ClassName() const override { return L"TsSplitter"; }
  static void DeclareProperties(classlib::TClassDecl<TsSplitter>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  classlib::TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const classlib::TBitmap* Value);
  bool ShowGrip() const { return FShowGrip; }
  void SetShowGrip(bool Value);
  bool Sizing() const { return FSizing; }
  // 0 normal, 1 hot (mouse above or focused), 2 while a live resize runs.
  int CurrentState();

  classlib::TNotifyEvent OnMouseEnter;
  classlib::TNotifyEvent OnMouseLeave;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void Paint() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

 private:
  bool Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(); }
  bool VerticalBar() const { return Align() == classlib::alLeft || Align() == classlib::alRight; }
  void PaintGlyph(classlib::TBitmap* Target);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  bool FSizing = false;
  std::unique_ptr<classlib::TBitmap> FGlyph;
  bool FShowGrip = false;
  bool FAppShowHint = true;
  bool FShowHintStored = false;
};

void RegisterSplitterClasses();

}  // namespace skin
