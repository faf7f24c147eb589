#include "app/ResultTexts.h"

namespace app {
namespace {

constexpr std::uint8_t kReadFunction = 0x03;
constexpr std::uint8_t kProbeQueryFunction = 0x43;

bool SuccessConfirmed(std::span<const std::uint8_t> request, std::span<const std::uint8_t> reply) {
  if (request.size() < 6) return false;
  if (request[1] == kReadFunction || request[1] == kProbeQueryFunction) return true;
  return reply.size() >= 6 && reply[4] == request[4] && reply[5] == request[5];
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

}  // namespace

std::optional<std::wstring> ResultText(int code, std::span<const std::uint8_t> request,
                                       std::span<const std::uint8_t> reply) {
  switch (code & 0xFF) {
    case 0x00:
      if (SuccessConfirmed(request, reply)) return L"Выполнено, OK";
      return std::nullopt;
    case 0x01: return L"Ошибка 0x01, ILLEGAL FUNCTION (MB)";
    case 0x02: return L"Ошибка 0x02, ILLEGAL DATA ADDRESS (MB)";
    case 0x03: return L"Ошибка 0x03, ILLEGAL DATA VALUE (MB)";
    case 0x04: return L"Ошибка 0x04, FAILURE IN ASSOCIATED DEVICE (MB)";
    case 0x05: return L"Ошибка 0x05, ACKNOWLEDGE (MB)";
    case 0x06: return L"Ошибка 0x06, BUSY, REJECTED MESSAGE (MB)";
    case 0x07: return L"Ошибка 0x07, NAK-NEGATIVE ACKNOWLEDGMENT (MB)";
    case 0x08: return L"Ошибка 0x08, MEMORY PARITY ERROR (MB)";
    case 0x80: return L"Ошибка 0x80, ошибка записи в память EEPROM";
    case 0x81: return L"Ошибка 0x81, ошибка CRC";
    case 0x82: return L"Ошибка 0x82, ошибка CRC ответа ведомого ML";
    case 0xA3: return L"Ошибка 0xA3, ошибка фрейма";
    case 0xA4: return L"Ошибка 0xA4, переполнение буфера FIFO UART";
    case 0xA5: return L"Ошибка 0xA5, ошибка паритета";
    case 0xA6: return L"Ошибка 0xA6, переполнение приемного буфера";
    case 0xE0: return L"Не введен серийный № ДП, введите до 6 цифр";
    case 0xE1: return L"Слишком длинный серийный № ДП, введите до 6 цифр";
    case 0xE2: return L"Серийный № ДП уже введен";
    case 0xEE: return std::nullopt;
    case 0xFF: return L"Нет ответа ведомого!";
    default: return L"Неизвестная ошибка!";
  }
}

bool HexTextToBytes(std::wstring_view text, std::uint8_t* out, int length) {
  if (length < 0 || text.size() != static_cast<std::size_t>(length)) return false;
  for (wchar_t c : text)
    if (HexDigit(c) < 0) return false;
  for (int i = 0; i + 1 < length; i += 2)
    out[i / 2] = static_cast<std::uint8_t>(HexDigit(text[i]) * 16 + HexDigit(text[i + 1]));
  return true;
}

std::wstring ByteToHex(std::uint8_t value) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::wstring BytesToHex(std::span<const std::uint8_t> bytes) {
  std::wstring text;
  text.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) text += ByteToHex(b);
  return text;
}

}  // namespace app
