#pragma once
// The tool bar's button styles, edges and custom-draw states, shared by the tool bar and the
// portable tool-button geometry.
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
enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
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
