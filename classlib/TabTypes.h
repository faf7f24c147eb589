#pragma once
// The tab controls' style and position, shared by the page control and the portable tab geometry.
#include "classlib/EnumInfo.h"

namespace classlib {

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
template <>
inline const TEnumInfo& EnumInfo<TTabStyle>() {
  static const TEnumInfo i{L"TTabStyle", {L"tsTabs", L"tsButtons", L"tsFlatButtons"}};
  return i;
}
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
template <>
inline const TEnumInfo& EnumInfo<TTabPosition>() {
  static const TEnumInfo i{L"TTabPosition", {L"tpTop", L"tpBottom", L"tpLeft", L"tpRight"}};
  return i;
}

}  // namespace classlib
