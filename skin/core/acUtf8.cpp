#include "skin/core/acUtf8.h"

#include "classlib/SysUtils.h"

namespace skin {

std::wstring acUtf8ToWide(std::string_view Text) {
  std::wstring out;
  out.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size();) {
    const auto lead = static_cast<unsigned char>(Text[i]);
    int extra = lead < 0x80             ? 0
                : (lead & 0xE0) == 0xC0 ? 1
                : (lead & 0xF0) == 0xE0 ? 2
                : (lead & 0xF8) == 0xF0 ? 3
                                        : -1;
    char32_t code = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
    bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < Text.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(Text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) ok = false;
      code = code << 6 | (next & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (!ok || code < kLeast[extra < 0 ? 0 : extra] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
      classlib::AppendCodePoint(out, 0xFFFD);
      ++i;
      continue;
    }
    classlib::AppendCodePoint(out, code);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string acWideToUtf8(std::wstring_view Text) { return classlib::Utf8Encode(Text); }

std::wstring acPathText(const std::filesystem::path& Path) {
  const std::u16string text = Path.u16string();
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
    classlib::AppendCodePoint(out, code);
  }
  return out;
}

}  // namespace skin
