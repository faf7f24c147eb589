#pragma once
// The tool bar's button styles and edges and the custom-draw states (tool bars, list views),
// shared by the controls and the portable tool-button geometry.
#include "classlib/EnumInfo.h"
#include "classlib/Set.h"

namespace classlib {

// The kinds of tool button; speed buttons copy them.
enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton };
template <>
inline const TEnumInfo& EnumInfo<TToolButtonStyle>() {
  static const TEnumInfo i{
      L"TToolButtonStyle",
      {L"tbsButton", L"tbsCheck", L"tbsDropDown", L"tbsSeparator", L"tbsDivider", L"tbsTextButton"}};
  return i;
}
enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
template <>
inline const TEnumInfo& EnumInfo<TEdgeBorder>() {
  static const TEnumInfo i{L"TEdgeBorder", {L"ebLeft", L"ebTop", L"ebRight", L"ebBottom"}};
  return i;
}
using TEdgeBorders = TSet<TEdgeBorder>;
enum TEdgeStyle { esNone, esRaised, esLowered };
template <>
inline const TEnumInfo& EnumInfo<TEdgeStyle>() {
  static const TEnumInfo i{L"TEdgeStyle", {L"esNone", L"esRaised", L"esLowered"}};
  return i;
}
// Where a custom-draw notification stands in the painting of a control or of one item (tool bars,
// list views).
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
// The state of an item being drawn; each value's place is the bit of the system's CDIS_ flag.
enum TCustomDrawStateItem {
  cdsSelected,
  cdsGrayed,
  cdsDisabled,
  cdsChecked,
  cdsFocused,
  cdsDefault,
  cdsHot,
  cdsMarked,
  cdsIndeterminate
};
using TCustomDrawState = TSet<TCustomDrawStateItem>;
enum TTBCustomDrawFlag { tbNoEdges, tbHiliteHotTrack, tbNoOffset, tbNoMark, tbNoEtchedEffect };
using TTBCustomDrawFlags = TSet<TTBCustomDrawFlag>;

}  // namespace classlib
