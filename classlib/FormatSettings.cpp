#include "classlib/FormatSettings.h"

namespace classlib {

// Filled before main from the user's settings; code that runs during static initialisation of
// other units must not rely on it.
TFormatSettings FormatSettings = TFormatSettings::Create();

std::wstring LocalePictureToFormat(std::wstring_view picture) {
  std::wstring out;
  for (std::size_t i = 0; i < picture.size();) {
    const wchar_t c = picture[i];
    if (c == L'\'') {
      // Quoted text passes unchanged, quotes included; the formatter reads it the same way.
      const std::size_t end = picture.find(L'\'', i + 1);
      const std::size_t stop = end == std::wstring_view::npos ? picture.size() : end + 1;
      out += picture.substr(i, stop - i);
      i = stop;
    } else if (c == L't' || c == L'g') {
      std::size_t run = 1;
      while (i + run < picture.size() && picture[i + run] == c) ++run;
      if (c == L't') {
        out += L"AMPM";
      } else if (i + run < picture.size() && picture[i + run] == L' ') {
        ++run;  // the blank that separated the era from the rest
      }
      i += run;
    } else {
      out.push_back(c);
      ++i;
    }
  }
  // A trailing blank left by a dropped era.
  while (!out.empty() && out.back() == L' ' && !picture.empty() && picture.back() != L' ') out.pop_back();
  return out;
}

}  // namespace classlib
