#pragma once
// The status-bar texts of device operations and the hex conversions the pages share.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace app {

// Text for a transaction's result code (taken modulo 256). No text means the panel keeps what it
// shows: code 0xEE, and a success that the reply does not confirm (a write whose echo does not
// repeat the request's quantity, such as a broadcast that reads no reply).
// request/reply are the master's last request frame and reply bytes.
std::optional<std::wstring> ResultText(int code, std::span<const std::uint8_t> request,
                                       std::span<const std::uint8_t> reply);

// Pairs of hexadecimal digits (either case) to bytes. The text must have exactly `length`
// characters, all hex digits; otherwise returns false and leaves `out` untouched, so a typo never
// reaches the unit as a wrong value.
bool HexTextToBytes(std::wstring_view text, std::uint8_t* out, int length);

// Two upper-case hexadecimal digits.
std::wstring ByteToHex(std::uint8_t value);
// Bytes as two hex digits each, without separators.
std::wstring BytesToHex(std::span<const std::uint8_t> bytes);

// Text sent when an input field does not hold a value; the handler sends nothing then.
inline constexpr std::wstring_view kBadHexInput = L"Ошибка ввода: нужны две шестнадцатеричные цифры (0-9, A-F)";
inline constexpr std::wstring_view kBadNumberInput = L"Ошибка ввода: поле должно содержать десятичное число";
inline constexpr std::wstring_view kBadDateInput = L"Ошибка ввода: дата в формате ДД.ММ.ГГ или ДД.ММ.ГГГГ";
inline constexpr std::wstring_view kBadTimeInput = L"Ошибка ввода: время в формате ЧЧ:ММ:СС";

}  // namespace app
