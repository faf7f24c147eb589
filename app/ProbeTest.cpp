#include "app/ProbeTest.h"

#include <bit>
#include <cmath>
#include <limits>

#include "app/ResultTexts.h"
#include "app/link/Modbus.h"
#include "classlib/SysUtils.h"

namespace app {
namespace {

constexpr std::uint16_t kTunnel = 64;
constexpr std::uint16_t kTunnel2 = 65;
// Every query's last command byte: the probe answers four data bytes.
constexpr std::uint8_t kAnswerLength = 4;
// Commands of the probes' own protocol.
constexpr std::uint8_t kConvert = 'C', kDensity = 'I', kTemperature = 'Q', kWriteParameter = 'N';
constexpr std::uint8_t kReadParameter = 0xBE;
// Parameters behind kReadParameter / kWriteParameter.
constexpr std::uint8_t kParamDensityAdd = 5, kParamAdc1 = 9, kParamAdc1Dispersion = 10, kParamAdc2 = 11;

constexpr std::uint8_t kSerialEmpty = 0xE0, kSerialTooLong = 0xE1, kSerialIsIdentifier = 0xE2;
constexpr std::size_t kMaxSerialDigits = 6;
constexpr std::size_t kIdentifierDigits = 16;

ProbeRequest Request(bool command, std::uint16_t reg, std::uint8_t n, unsigned timeout,
                     std::array<std::uint8_t, 2> address, std::initializer_list<std::uint8_t> rest) {
  ProbeRequest r;
  r.command = command;
  r.reg = reg;
  r.n = n;
  r.timeoutSeconds = timeout;
  r.bytes[0] = address[0];
  r.bytes[1] = address[1];
  std::size_t i = 2;
  for (std::uint8_t b : rest) r.bytes[i++] = b;
  return r;
}

ProbeRequest ParameterQuery(std::array<std::uint8_t, 2> address, std::uint8_t parameter) {
  return Request(false, kTunnel2, 4, 5, address, {4, kReadParameter, 1, parameter, kAnswerLength, 0});
}

ProbeRequest MeasurementQuery(std::array<std::uint8_t, 2> address, std::uint8_t what) {
  return Request(false, kTunnel, 3, 5, address, {2, what, kAnswerLength, 0});
}

std::uint8_t At(std::span<const std::uint8_t> d, std::size_t i) { return i < d.size() ? d[i] : 0; }

double Tenths(std::span<const std::uint8_t> d) { return At(d, 0) * 256 + At(d, 1) + At(d, 2) * 0.1; }

bool IsDecimalDigits(std::wstring_view text) {
  for (wchar_t c : text)
    if (c < L'0' || c > L'9') return false;
  return true;
}

}  // namespace

std::array<std::uint8_t, 2> ProbeAddress(int channel, int position, bool all) {
  const auto d = static_cast<std::uint8_t>(position & 0x7F);
  return {static_cast<std::uint8_t>(channel), static_cast<std::uint8_t>(all ? d | 0x80 : d)};
}

ProbeRequest MakeProbeRequest(ProbeOp op, std::array<std::uint8_t, 2> address, float value) {
  switch (op) {
    case ProbeOp::Convert: return Request(true, kTunnel, 2, 3, address, {1, kConvert});
    case ProbeOp::Adc1: return ParameterQuery(address, kParamAdc1);
    case ProbeOp::Adc1Dispersion: return ParameterQuery(address, kParamAdc1Dispersion);
    case ProbeOp::Adc2: return ParameterQuery(address, kParamAdc2);
    case ProbeOp::Density: return MeasurementQuery(address, kDensity);
    case ProbeOp::Temperature: return MeasurementQuery(address, kTemperature);
    case ProbeOp::GetDensityAdd: return ParameterQuery(address, kParamDensityAdd);
    case ProbeOp::SetDensityAdd: {
      const auto f = FloatBytesLsbFirst(value);
      return Request(true, kTunnel2, 5, 3, address, {7, kWriteParameter, 5, kParamDensityAdd, f[0], f[1], f[2], f[3]});
    }
  }
  return {};
}

std::uint8_t RunProbeRequest(std::uint8_t unitAddress, const ProbeRequest& request, std::span<std::uint8_t> out) {
  if (request.command)
    return MbTunnelCommand(unitAddress, request.Data(), request.reg, request.n, request.timeoutSeconds);
  return MbTunnelQuery(unitAddress, request.Data(), request.reg, request.n, out, request.timeoutSeconds);
}

std::wstring AdcText(std::span<const std::uint8_t> d, const classlib::TFormatSettings& settings) {
  const int value = At(d, 0) * 256 + At(d, 1);
  if (value == 0) return L"0";
  return classlib::FormatFloat(L"#,##", value, settings);
}

std::wstring TenthsText(std::span<const std::uint8_t> d, const classlib::TFormatSettings& settings) {
  const double value = Tenths(d);
  if (value == 0) return L"0";
  return classlib::FloatToStrF(value, classlib::ffFixed, 7, 1, settings);
}

std::wstring DispersionText(std::span<const std::uint8_t> d, const classlib::TFormatSettings& settings) {
  if (At(d, 0) == 0xFF) return L"--";
  return TenthsText(d, settings);
}

std::wstring DensityAddText(std::span<const std::uint8_t> d, const classlib::TFormatSettings& settings) {
  const float value = FloatLsbFirst(d);
  if (value == 0) return L"0";
  return classlib::FormatFloat(L"#,#0.0", value, settings);
}

float FloatLsbFirst(std::span<const std::uint8_t> d) {
  const std::uint32_t bits = std::uint32_t{At(d, 0)} | std::uint32_t{At(d, 1)} << 8 | std::uint32_t{At(d, 2)} << 16 |
                             std::uint32_t{At(d, 3)} << 24;
  return std::bit_cast<float>(bits);
}

float FloatMsbFirst(std::span<const std::uint8_t> d) {
  const std::array<std::uint8_t, 4> reversed{At(d, 3), At(d, 2), At(d, 1), At(d, 0)};
  return FloatLsbFirst(reversed);
}

std::array<std::uint8_t, 4> FloatBytesLsbFirst(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
          static_cast<std::uint8_t>(bits >> 24)};
}

std::optional<float> ParseDensityAdd(std::wstring_view text, const classlib::TFormatSettings& settings) {
  double value = 0;
  if (!classlib::TryStrToFloat(text, value, settings)) return std::nullopt;
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(value);
}

ProbeSerialEntry EnterProbeSerial(std::wstring_view text) {
  ProbeSerialEntry entry;
  if (text.empty()) {
    entry.code = kSerialEmpty;
  } else if (text.size() == kIdentifierDigits) {
    entry.code = kSerialIsIdentifier;
  } else if (text.size() > kMaxSerialDigits) {
    entry.code = kSerialTooLong;
  } else if (!IsDecimalDigits(text)) {
    entry.inputError = kBadSerialInput;
  } else {
    link::ProbeId id{};
    link::ProbeIdFromSerialText(link::ProbeSerialText(text), id);
    entry.identifier = BytesToHex(id);
  }
  return entry;
}

std::optional<link::ProbeId> ProbeIdToWrite(std::wstring_view text) {
  link::ProbeId id{};
  if (text.size() != kIdentifierDigits || !link::IsHexText(text) || !link::ProbeIdFromHexText(text, id))
    return std::nullopt;
  return id;
}

ProbeIdRow MakeProbeIdRow(int index, int channel, int position, const link::ProbeId& id) {
  return {std::to_wstring(index + 1), ByteToHex(static_cast<std::uint8_t>(channel)),
          ByteToHex(static_cast<std::uint8_t>(position)), BytesToHex(std::span(id.data(), 7)), ByteToHex(id[7])};
}

}  // namespace app
