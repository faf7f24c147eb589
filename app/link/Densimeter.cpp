#include "app/link/Densimeter.h"

namespace app::link {
namespace {

std::uint8_t DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return static_cast<std::uint8_t>(c - L'0');
  // Lower-case digits mean what upper-case ones do; an engineer types either.
  if (c >= L'a' && c <= L'f') return static_cast<std::uint8_t>(c - L'a' + 10);
  return static_cast<std::uint8_t>(c - 55);
}

void PairsToBytes(std::wstring_view text, std::uint8_t* out, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    out[i] = static_cast<std::uint8_t>((DigitValue(text[2 * i]) << 4) | DigitValue(text[2 * i + 1]));
}

}  // namespace

std::uint8_t Crc8Maxim(const std::uint8_t* bytes, std::size_t length) {
  std::uint8_t crc = 0;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<std::uint8_t>((crc >> 1) ^ 0x8C) : crc >> 1;
  }
  return crc;
}

bool ProbeIdFromSerialText(std::wstring_view text, ProbeId& out) {
  if (text.size() != 14) return false;
  PairsToBytes(text, out.data(), 7);
  out[7] = Crc8Maxim(out.data(), 7);
  return true;
}

bool ProbeIdFromHexText(std::wstring_view text, ProbeId& out) {
  if (text.size() != 16) return false;
  PairsToBytes(text, out.data(), 8);
  return true;
}

std::wstring ProbeSerialText(std::wstring_view number) {
  std::wstring text(kProbeIdPrefix);
  if (number.size() < 6) text.append(6 - number.size(), L'0');
  text.append(number);
  return text;
}

bool IsHexText(std::wstring_view text) {
  if (text.empty()) return false;
  for (wchar_t c : text)
    if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f'))) return false;
  return true;
}

}  // namespace app::link
