#pragma once
// The probe test page's requests through the unit's probe tunnel (functions 0x50 command and
// 0x43 query on registers 64 and 65), the texts of what the probes answer, and the entry of a
// probe's serial number or identifier.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/link/Densimeter.h"
#include "classlib/FormatSettings.h"

namespace app {

// The tunnel operations of the page's buttons.
enum class ProbeOp {
  Convert,         // "Conv": start a conversion (command)
  Adc1,            // "ADC1": first ADC value
  Adc1Dispersion,  // "ADC1", second query: the dispersion of the first ADC
  Adc2,            // "ADC2"
  Density,         // "Dens"
  Temperature,     // "Temp"
  GetDensityAdd,   // "Get" of Dens Add
  SetDensityAdd,   // "Set" of Dens Add (command)
};

// One tunnel request: register, register count N, time-out and the 2N data bytes (two address
// bytes, the count of command bytes, the command bytes, filler).
struct ProbeRequest {
  bool command = false;  // 0x50 when true, else the 0x43 query
  std::uint16_t reg = 0;
  std::uint8_t n = 0;
  unsigned timeoutSeconds = 0;
  std::array<std::uint8_t, 10> bytes{};
  std::span<const std::uint8_t> Data() const { return std::span(bytes.data(), 2u * n); }
};

// The two address bytes: channel c (0..7), then position d (0..7) with bit 7 set when the request
// is for all probes of the channel.
std::array<std::uint8_t, 2> ProbeAddress(int channel, int position, bool all);

// The request of an operation; `value` is the density correction that SetDensityAdd sends.
ProbeRequest MakeProbeRequest(ProbeOp op, std::array<std::uint8_t, 2> address, float value = 0);
// Sends it to the unit; `out` gets the reply data of a query (2N bytes, as far as it holds).
std::uint8_t RunProbeRequest(std::uint8_t unitAddress, const ProbeRequest& request, std::span<std::uint8_t> out);

// Texts of the replies, with the given (by default the system's) separators; d holds the reply data.
// An ADC value d0 × 256 + d1: "0" or grouped thousands.
std::wstring AdcText(std::span<const std::uint8_t> d,
                     const classlib::TFormatSettings& settings = classlib::FormatSettings);
// A measurement d0 × 256 + d1 + d2 / 10: "0" or one decimal.
std::wstring TenthsText(std::span<const std::uint8_t> d,
                        const classlib::TFormatSettings& settings = classlib::FormatSettings);
// The ADC dispersion: "--" while the probe has none (d0 = 0xFF), else as TenthsText.
std::wstring DispersionText(std::span<const std::uint8_t> d,
                            const classlib::TFormatSettings& settings = classlib::FormatSettings);
// The density correction, a single-precision float least significant byte first: "0" or "#,#0.0".
std::wstring DensityAddText(std::span<const std::uint8_t> d,
                            const classlib::TFormatSettings& settings = classlib::FormatSettings);

// IEEE single-precision values of four reply bytes.
float FloatLsbFirst(std::span<const std::uint8_t> d);
float FloatMsbFirst(std::span<const std::uint8_t> d);
std::array<std::uint8_t, 4> FloatBytesLsbFirst(float value);

// The density correction typed into its field: a finite number within the float range, with the
// system's decimal separator; nothing otherwise (the handler then sends nothing).
std::optional<float> ParseDensityAdd(std::wstring_view text,
                                     const classlib::TFormatSettings& settings = classlib::FormatSettings);

// Enter in the identifier field. A serial number of 1 to 6 digits becomes the 16-digit identifier;
// other texts give a result code (0xE0 empty, 0xE1 too long, 0xE2 an identifier already) or, for
// a number with characters other than 0-9 (which would not convert to the digits typed), an input
// error text. The field keeps its text unless `identifier`
// is set.
struct ProbeSerialEntry {
  std::optional<std::wstring> identifier;
  std::uint8_t code = 0;         // a result code to show, or 0
  std::wstring_view inputError;  // a text of our own to show, or empty
};
ProbeSerialEntry EnterProbeSerial(std::wstring_view text);

// The identifier to write by "Set ID": exactly 16 hexadecimal digits, nothing otherwise.
std::optional<link::ProbeId> ProbeIdToWrite(std::wstring_view text);

inline constexpr std::wstring_view kBadSerialInput = L"Ошибка ввода: серийный № ДП - от 1 до 6 цифр (0-9)";
inline constexpr std::wstring_view kBadProbeIdInput =
    L"Ошибка ввода: ID плотномера - 16 шестнадцатеричных цифр (0-9, A-F)";

// One row of the identifier list: "№" (index + 1), "Xn", "Ds", "ID" (7 bytes), "ID_CRC".
struct ProbeIdRow {
  std::wstring number, channel, position, id, crc;
};
ProbeIdRow MakeProbeIdRow(int index, int channel, int position, const link::ProbeId& id);

}  // namespace app
