#pragma once
// The names that descriptions give the skinned controls' own enumerations (the shared ones are
// named in skin/core/sConstTypes.h).
#include "classlib/EnumInfo.h"
#include "skin/controls/sButtonLayout.h"
#include "skin/controls/sGroupBoxLayout.h"
#include "skin/controls/sTabGeometry.h"
#include "skin/core/sConstTypes.h"

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TButtonStyle>() {
  static const TEnumInfo i{L"TButtonStyle", {L"bsPushButton", L"bsCommandLink", L"bsSplitButton"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::group::TsCaptionLayout>() {
  static const TEnumInfo i{L"TsCaptionLayout", {L"clTopLeft", L"clTopCenter", L"clTopRight"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TacTabType>() {
  static const TEnumInfo i{L"TacTabType", {L"ttButton", L"ttMenu", L"ttTab"}};
  return i;
}
}  // namespace classlib
