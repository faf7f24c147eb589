#include "app/link/Hlink01.h"

#include <algorithm>

#include "app/link/ByteLine.h"

namespace {

std::array<std::uint8_t, HlBufferSize> outgoing{};
std::size_t outgoingLength = 0;
std::array<std::uint8_t, HlBufferSize> incoming{};
std::size_t incomingLength = 0;

// Header, length and up to 250 frame bytes.
std::array<std::uint8_t, HlMaxPayload> payloadStaging{};

// The longest silence tolerated between two characters of an answer.
constexpr app::link::Millis CharacterLimit{2000};

std::uint8_t HexDigitValue(std::uint8_t c) {
  if (c > '@') return static_cast<std::uint8_t>(c - 0x37);
  if (c >= '0') return static_cast<std::uint8_t>(c - 0x30);
  return c;
}

// One write per character, as the instrument has always been fed. Each write purges only what
// has come in, so the characters still on their way out are never cut off.
bool SendOutgoing(app::link::ByteLine& line) {
  line.Flush();
  bool sent = true;
  for (std::size_t i = 0; i < outgoingLength; ++i) {
    if (!line.Send(std::span(&outgoing[i], 1))) sent = false;
  }
  return sent;
}

std::span<const std::uint8_t> StagePayload(std::uint8_t header, std::span<const std::uint8_t> frame) {
  if (frame.size() + 2 > payloadStaging.size()) return {};
  payloadStaging[0] = header;
  payloadStaging[1] = static_cast<std::uint8_t>(frame.size());
  std::copy(frame.begin(), frame.end(), payloadStaging.begin() + 2);
  return std::span(payloadStaging.data(), frame.size() + 2);
}

}  // namespace

void HlPutHexByte(std::uint8_t* out, std::uint8_t byte) {
  static constexpr char digits[] = "0123456789ABCDEF";
  out[0] = static_cast<std::uint8_t>(digits[byte >> 4]);
  out[1] = static_cast<std::uint8_t>(digits[byte & 0x0F]);
}

std::uint8_t HlFcs(std::size_t count) {
  std::uint8_t fcs = 0;
  for (std::size_t i = 0; i < std::min(count, outgoing.size()); ++i) fcs ^= outgoing[i];
  return fcs;
}

std::size_t HlBuild(std::uint8_t unit, std::span<const std::uint8_t> payload) {
  outgoing.fill(0);
  outgoingLength = 0;
  if (payload.size() > HlMaxPayload) return 0;
  std::size_t n = 0;
  outgoing[n++] = HlStartChar;
  HlPutHexByte(&outgoing[n], unit);
  n += 2;
  for (std::uint8_t byte : payload) {
    HlPutHexByte(&outgoing[n], byte);
    n += 2;
  }
  HlPutHexByte(&outgoing[n], HlFcs(n));
  n += 2;
  outgoing[n++] = HlEndChar;
  outgoing[n++] = HlCarriageReturn;
  outgoingLength = n;
  return n;
}

std::uint8_t HlSend(std::uint8_t unit, std::span<const std::uint8_t> payload) {
  app::link::ByteLine* line = app::link::ActiveLine();
  if (HlBuild(unit, payload) == 0 || !line) return 0xFF;
  return SendOutgoing(*line) ? 0 : 0xFF;
}

std::uint8_t HlQuery(std::uint8_t unit, std::span<const std::uint8_t> payload, unsigned timeoutSeconds) {
  app::link::ByteLine* line = app::link::ActiveLine();
  incoming.fill(0);
  incomingLength = 0;
  if (!line) return 0xFF;
  const auto deadline = line->Now() + std::chrono::seconds(timeoutSeconds);
  if (HlBuild(unit, payload) == 0 || !SendOutgoing(*line)) return 0xFF;
  line->Flush();

  // End marks count only once the answer has begun: a stray CR or "*" on the line before the
  // "@" must not cut the answer off before it starts.
  bool started = false;
  while (incomingLength < incoming.size()) {
    const auto now = line->Now();
    if (now >= deadline) return 0xFF;
    const auto left = std::chrono::ceil<app::link::Millis>(deadline - now);
    std::uint8_t c = 0;
    const app::link::LineWait got = line->WaitByte(c, std::min(CharacterLimit, left));
    if (got == app::link::LineWait::Failed) return 0xFF;
    if (got == app::link::LineWait::TimedOut) continue;
    incoming[incomingLength++] = c;
    if (c == HlStartChar) started = true;
    if (started && (c == HlEndChar || c == HlCarriageReturn)) return 0;
  }
  return 0;
}

std::uint8_t HlWriteFrame(std::uint8_t unit, std::uint8_t header, std::span<const std::uint8_t> frame) {
  const auto payload = StagePayload(header, frame);
  if (payload.empty()) return 0xFF;
  return HlSend(unit, payload);
}

std::uint8_t HlQueryFrame(std::uint8_t unit, std::uint8_t header, std::span<const std::uint8_t> frame,
                          unsigned timeoutSeconds) {
  const auto payload = StagePayload(header, frame);
  if (payload.empty()) {
    incoming.fill(0);
    incomingLength = 0;
    return 0xFF;
  }
  return HlQuery(unit, payload, timeoutSeconds);
}

std::size_t HlDecodeReply(std::span<const std::uint8_t> answer, std::span<std::uint8_t> out) {
  answer = answer.first(std::min(answer.size(), HlBufferSize));
  std::size_t i = 0;
  while (i < answer.size() && answer[i] != HlStartChar) ++i;

  std::size_t count = 0;
  std::uint8_t high = 0;
  bool haveHigh = false;
  for (; i < answer.size() && count < out.size(); ++i) {
    const std::uint8_t c = answer[i];
    if (c == HlStartChar) continue;
    if (c == HlEndChar) break;
    if (!haveHigh) {
      high = HexDigitValue(c);
      haveHigh = true;
    } else {
      out[count++] = static_cast<std::uint8_t>(high * 16 + HexDigitValue(c));
      haveHigh = false;
    }
  }
  if (!out.empty()) out[0] = static_cast<std::uint8_t>(count - 1);
  return count;
}

std::span<const std::uint8_t> HlOutgoing() { return std::span(outgoing.data(), outgoingLength); }
std::span<const std::uint8_t> HlIncoming() { return std::span(incoming.data(), incomingLength); }
