#pragma once
// The names that descriptions give the skinned controls' own enumerations (the shared ones are
// named in skin/core/sConstTypes.h).
#include "classlib/EnumInfo.h"
#include "skin/controls/sButtonLayout.h"
#include "skin/controls/sGroupBoxLayout.h"
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
}  // namespace classlib
