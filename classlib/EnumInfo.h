#pragma once
// The names of an enumeration as descriptions write them. Each enumeration that a published
// property uses specialises EnumInfo right below its own definition, so that names and values
// are read together and cannot drift apart.
#include <string>
#include <string_view>
#include <vector>

namespace classlib {

struct TEnumInfo {
  std::wstring TypeName;
  std::vector<std::wstring> Names;  // index = ordinal value
  // Ordinal of Name (ignoring case), or -1.
  int ValueOf(std::wstring_view Name) const;
};

template <class E>
const TEnumInfo& EnumInfo();

}  // namespace classlib
