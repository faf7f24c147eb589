#pragma once
// Code page 1251 (Cyrillic) <-> UTF-16. The unit's texts, dBASE fields and skin files hold
// 8-bit text in this code page whatever the system's own ANSI code page is.
#include <string>
#include <string_view>

namespace classlib {

std::wstring Cp1251ToWide(std::string_view bytes);
// Characters that code page 1251 cannot hold become '?'.
std::string WideToCp1251(std::wstring_view text);
wchar_t Cp1251Char(unsigned char byte);

}  // namespace classlib
