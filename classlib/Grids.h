#pragma once
// The grid base as far as skinned grids read it: the fixed cells' colour and look (classic,
// themed, or a gradient between two colours) and the scroll bars the grid's window carries.
// The cells themselves are the descendants' business; the base paints its client area in Color.
#include <windows.h>

#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"

namespace classlib {

enum TGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };
template <>
inline const TEnumInfo& EnumInfo<TGridDrawingStyle>() {
  static const TEnumInfo i{L"TGridDrawingStyle", {L"gdsClassic", L"gdsThemed", L"gdsGradient"}};
  return i;
}

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TCustomGrid"; }
  // Published: FixedColor, DrawingStyle, GradientStartColor, GradientEndColor, ScrollBars.
  static void DeclareProperties(TClassDecl<TCustomGrid>& d);

  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  TGridDrawingStyle DrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TGridDrawingStyle Value);
  TColor GradientStartColor() const { return FGradientStartColor; }
  void SetGradientStartColor(TColor Value);
  TColor GradientEndColor() const { return FGradientEndColor; }
  void SetGradientEndColor(TColor Value);
  // Changing the bars gives the window the new scroll styles at once.
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

 private:
  TColor FFixedColor = clBtnFace;
  TGridDrawingStyle FDrawingStyle = gdsThemed;
  TColor FGradientStartColor = clWhite;
  TColor FGradientEndColor = TColor(0xDDDDDD);
  TScrollStyle FScrollBars = ssBoth;
};

}  // namespace classlib
