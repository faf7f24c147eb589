#pragma once
// Walking a format picture (dates, numbers): text between '...' or "..." quotes is literal.
#include <cstddef>
#include <string_view>

namespace classlib {

// Calls Visit(i) for each character of Format outside quotes, in order, until Visit returns false.
template <class Visit>
void ForEachUnquoted(std::wstring_view format, Visit visit) {
  wchar_t quote = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const wchar_t c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == L'\'' || c == L'"') {
      quote = c;
    } else if (!visit(i)) {
      return;
    }
  }
}

}  // namespace classlib
