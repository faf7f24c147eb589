#pragma once
// The names that descriptions give the skinned controls' enumerations and sets.
#include "classlib/EnumInfo.h"
#include "skin/controls/sButtonLayout.h"
#include "skin/core/sConstTypes.h"

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TacAnimatEvent>() {
  static const TEnumInfo i{L"TacAnimatEvent",
                           {L"aeMouseEnter", L"aeMouseLeave", L"aeMouseDown", L"aeMouseUp", L"aeGlobalDef"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TsDisabledKindValue>() {
  static const TEnumInfo i{L"TsDisabledKind", {L"dkBlended", L"dkGrayed"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TButtonStyle>() {
  static const TEnumInfo i{L"TButtonStyle", {L"bsPushButton", L"bsCommandLink", L"bsSplitButton"}};
  return i;
}
}  // namespace classlib
