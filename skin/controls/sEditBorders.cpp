#include "skin/controls/sEditBorders.h"

namespace skin {

namespace {
int Ctl3DWidth(const TEditFrame& F) { return F.Ctl3D ? 2 : 1; }
int Bevels(const TEditFrame& F) { return (F.BevelInnerNone ? 0 : 1) + (F.BevelOuterNone ? 0 : 1); }
}  // namespace

int EditTextBorderWidth(const TEditFrame& F) {
  if (!F.BorderSingle) return 0;
  return Ctl3DWidth(F) + (F.BevelKindNone ? 0 : Bevels(F));
}

int EditPaintBorderWidth(const TEditFrame& F) { return F.BorderSingle ? Ctl3DWidth(F) : Bevels(F); }

int EditPrintBorderWidth(const TEditFrame& F) { return F.BorderSingle ? Ctl3DWidth(F) : 0; }

int MaskEditBorderWidth(const TEditFrame& F) { return F.BorderSingle ? 2 + (F.Ctl3D ? 1 : 0) : 0; }

}  // namespace skin
