#pragma once
// Density-probe identifiers on the unit's one-wire channels: 7 bytes and their one-wire CRC-8.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace app::link {

using ProbeId = std::array<std::uint8_t, 8>;

// The first eight digits of every probe's 14-digit serial text.
inline constexpr std::wstring_view kProbeIdPrefix = L"3A5C7E91";

// One-wire bus CRC (x^8 + x^5 + x^4 + 1, least significant bit first, initial 0).
std::uint8_t Crc8Maxim(const std::uint8_t* bytes, std::size_t length);

// 14 characters -> 7 bytes (high digit first) plus their CRC-8. False, and `out` untouched,
// for any other length. Characters are taken as hex digits without validation, as the unit's
// own tools do (lower-case a-f count as hex digits too); callers that need a strict check use IsHexText first.
bool ProbeIdFromSerialText(std::wstring_view text, ProbeId& out);
// 16 characters -> 8 bytes; false, and `out` untouched, for any other length.
bool ProbeIdFromHexText(std::wstring_view text, ProbeId& out);

// The 14-character serial text of a typed serial number of 1 to 6 characters:
// the prefix, zeros, then the number.
std::wstring ProbeSerialText(std::wstring_view number);

// True when every character is 0-9, A-F or a-f and the text is not empty.
bool IsHexText(std::wstring_view text);

// Identifier register of channel c (0..7) and probe position d (0..7).
constexpr int ProbeIdRegister(int channel, int position) { return 176 + 8 * channel + position; }

}  // namespace app::link
