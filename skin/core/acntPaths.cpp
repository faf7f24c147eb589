#include "skin/core/acntPaths.h"

namespace skin {

std::wstring NormalDir(std::wstring_view S) {
  std::wstring result(S);
  if (result.empty()) return result;
  if (result.back() == L'/') {
    result.back() = L'\\';
  } else if (result.size() == 1) {
    result += L":\\";
  } else if (result.back() != L'\\') {
    result += L'\\';
  }
  return result;
}

bool ValidFileName(std::wstring_view Name) {
  return !Name.empty() && Name.find_first_of(L"<>\"|*?/") == std::wstring_view::npos;
}

}  // namespace skin
