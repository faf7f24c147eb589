#include "app/link/Modbus.h"

#include <algorithm>

#include "app/link/ByteLine.h"
#include "app/link/Hlink01.h"

std::array<std::uint8_t, MbBufferSize> MbRequest{};
std::array<std::uint8_t, MbBufferSize> MbReply{};
std::array<std::uint8_t, MbBufferSize> MbHostLinkDecoded{};

namespace {

std::uint8_t targetAddress = 1;
std::uint8_t hostLinkMode = 0;
std::size_t requestLength = 0;
std::size_t replyLength = 0;
std::array<std::uint8_t, 256> pduStaging{};

// The longest silence tolerated between two bytes of a reply.
constexpr app::link::Millis ByteLimit{2000};
constexpr std::size_t ExceptionReplyLength = 5;
constexpr std::size_t WriteEchoLength = 8;
constexpr std::size_t MinReplyLength = 4;  // address, function, CRC
constexpr std::size_t MaxPdu = MbBufferSize - 3;

struct CrcTables {
  std::array<std::uint8_t, 256> high{};
  std::array<std::uint8_t, 256> low{};
};

// The two tables of the Modbus over serial line standard, derived from the reflected
// polynomial 0xA001: high[i] is the low byte of the CRC of i, low[i] its high byte.
constexpr CrcTables MakeCrcTables() {
  CrcTables t;
  for (unsigned i = 0; i < 256; ++i) {
    unsigned crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    t.high[i] = static_cast<std::uint8_t>(crc & 0xFF);
    t.low[i] = static_cast<std::uint8_t>(crc >> 8);
  }
  return t;
}
constexpr CrcTables crcTables = MakeCrcTables();
static_assert(crcTables.high[1] == 0xC1 && crcTables.high[2] == 0x81 && crcTables.low[1] == 0xC0 &&
              crcTables.low[4] == 0xC3);

void BeginTransaction() {
  MbRequest.fill(0);
  MbReply.fill(0);
  requestLength = 0;
  replyLength = 0;
}

// Address, PDU and CRC into MbRequest; false when the frame would not fit.
bool BuildRequest(std::uint8_t address, std::span<const std::uint8_t> pdu) {
  if (pdu.empty() || pdu.size() > MaxPdu) return false;
  MbRequest[0] = address;
  std::copy(pdu.begin(), pdu.end(), MbRequest.begin() + 1);
  const std::size_t n = 1 + pdu.size();
  const std::uint16_t crc = MbCrc16(std::span(MbRequest.data(), n));
  MbRequest[n] = static_cast<std::uint8_t>(crc & 0xFF);
  MbRequest[n + 1] = static_cast<std::uint8_t>(crc >> 8);
  requestLength = n + 2;
  return true;
}

std::span<const std::uint8_t> Request() { return std::span(MbRequest.data(), requestLength); }

// Collects reply bytes into MbReply until `expect` are there, a complete exception reply is
// there, the deadline passes or the line fails. Each wait keeps the byte limit and ends no later
// than the deadline, so a quiet line costs a handful of waits, not a spinning processor.
void CollectReply(app::link::ByteLine& line, std::size_t expect, app::link::LineClock::time_point deadline) {
  while (replyLength < expect) {
    const auto now = line.Now();
    if (now >= deadline) return;
    const auto left = std::chrono::ceil<app::link::Millis>(deadline - now);
    std::uint8_t byte = 0;
    const app::link::LineWait got = line.WaitByte(byte, std::min(ByteLimit, left));
    if (got == app::link::LineWait::Failed) return;
    if (got == app::link::LineWait::TimedOut) continue;
    MbReply[replyLength++] = byte;
    if (replyLength == ExceptionReplyLength && (MbReply[1] & 0x80)) return;
  }
}

std::uint8_t Judge(std::span<const std::uint8_t> reply, std::uint8_t address, std::uint8_t function,
                   std::size_t expect) {
  const MbReplyCheck check = MbCheckReply(reply, address, function, expect);
  switch (check.verdict) {
    case MbVerdict::Valid: return MbDone;
    case MbVerdict::Exception: return check.exceptionCode;
    case MbVerdict::Invalid: break;
  }
  return MbNoAnswer;
}

std::uint8_t HostLinkRead(std::size_t expect, unsigned timeoutSeconds) {
  const std::uint8_t sent = HlQueryFrame(MbHostLinkUnit, MbHostLinkReadHeader, Request(), timeoutSeconds);
  MbHostLinkDecoded.fill(0);
  const std::size_t decoded = HlDecodeReply(HlIncoming(), MbHostLinkDecoded);
  // Decoded bytes 3 on are the RTU reply, then the envelope's check byte.
  const std::size_t available = decoded > 3 ? std::min(decoded - 3, MbHostLinkDecoded.size() - 3) : 0;
  const std::size_t copied = std::min(expect, MbHostLinkDecoded.size() - 3);
  std::copy_n(MbHostLinkDecoded.begin() + 3, copied, MbReply.begin());
  replyLength = std::min(available, copied);
  if (sent != 0) return MbNoAnswer;
  return Judge(std::span(MbHostLinkDecoded.data() + 3, available), MbRequest[0], MbRequest[1], expect);
}

std::uint8_t StagePdu(std::uint8_t function, std::uint16_t reg, std::uint8_t n, std::span<const std::uint8_t> data,
                      bool withData, std::span<const std::uint8_t>& pdu) {
  pduStaging.fill(0);
  pduStaging[0] = function;
  pduStaging[1] = static_cast<std::uint8_t>(reg >> 8);
  pduStaging[2] = static_cast<std::uint8_t>(reg & 0xFF);
  pduStaging[3] = 0;
  pduStaging[4] = n;
  std::size_t length = 5;
  if (withData) {
    const std::size_t bytes = 2u * n;
    if (data.size() < bytes || 6 + bytes > MaxPdu) return MbNoAnswer;
    pduStaging[5] = static_cast<std::uint8_t>(bytes);
    std::copy_n(data.begin(), bytes, pduStaging.begin() + 6);
    length = 6 + bytes;
  }
  pdu = std::span(pduStaging.data(), length);
  return MbDone;
}

void CopyReplyData(std::span<std::uint8_t> out, std::size_t bytes) {
  const std::size_t n = std::min({out.size(), bytes, MbReply.size() - 3});
  std::copy_n(MbReply.begin() + 3, n, out.begin());
}

}  // namespace

std::size_t MbRequestLength() { return requestLength; }
std::size_t MbReplyLength() { return replyLength; }

void MbSetSlaveAddress(std::uint8_t address) { targetAddress = address; }
std::uint8_t MbSlaveAddress() { return targetAddress; }
void MbSetHostLinkMode(std::uint8_t mode) { hostLinkMode = mode; }
std::uint8_t MbHostLinkMode() { return hostLinkMode; }

std::uint16_t MbCrc16(std::span<const std::uint8_t> bytes) {
  std::uint8_t a = 0xFF;
  std::uint8_t b = 0xFF;
  for (std::uint8_t x : bytes) {
    const std::uint8_t i = x ^ a;
    a = crcTables.high[i] ^ b;
    b = crcTables.low[i];
  }
  return static_cast<std::uint16_t>(a * 256 + b);
}

bool MbCrcMatches(std::span<const std::uint8_t> frame) {
  if (frame.size() < 3) return false;
  const std::uint16_t crc = MbCrc16(frame.first(frame.size() - 2));
  const std::uint8_t a = static_cast<std::uint8_t>(crc >> 8);
  const std::uint8_t b = static_cast<std::uint8_t>(crc & 0xFF);
  const std::uint8_t first = frame[frame.size() - 2];
  const std::uint8_t second = frame[frame.size() - 1];
  return (first == b && second == a) || (first == a && second == b);
}

MbReplyCheck MbCheckReply(std::span<const std::uint8_t> reply, std::uint8_t address, std::uint8_t function,
                          std::size_t expect) {
  if (reply.size() < 2 || reply[0] != address) return {};
  if (reply[1] & 0x80) {
    if (reply.size() < ExceptionReplyLength || reply[1] != (function | 0x80)) return {};
    const auto frame = reply.first(ExceptionReplyLength);
    if (frame[2] == 0 || !MbCrcMatches(frame)) return {};
    return {MbVerdict::Exception, frame[2]};
  }
  if (expect < MinReplyLength || reply.size() < expect || reply[1] != function) return {};
  if (!MbCrcMatches(reply.first(expect))) return {};
  return {MbVerdict::Valid, 0};
}

std::uint8_t MbReadTransaction(std::uint8_t address, std::span<const std::uint8_t> pdu, std::size_t expect,
                               unsigned timeoutSeconds) {
  BeginTransaction();
  app::link::ByteLine* line = app::link::ActiveLine();
  if (!line) return MbNoAnswer;
  const auto deadline = line->Now() + std::chrono::seconds(timeoutSeconds);
  if (expect < MinReplyLength || expect > MbBufferSize || !BuildRequest(address, pdu)) return MbNoAnswer;

  if (hostLinkMode == 1) return HostLinkRead(expect, timeoutSeconds);

  if (!line->Send(Request())) return MbNoAnswer;
  CollectReply(*line, expect, deadline);
  return Judge(std::span(MbReply.data(), replyLength), address, pdu[0], expect);
}

std::uint8_t MbWriteTransaction(std::uint8_t address, std::span<const std::uint8_t> pdu, unsigned timeoutSeconds) {
  BeginTransaction();
  app::link::ByteLine* line = app::link::ActiveLine();
  if (!line) return MbNoAnswer;
  const auto deadline = line->Now() + std::chrono::seconds(timeoutSeconds);
  if (!BuildRequest(address, pdu)) return MbNoAnswer;

  // The instrument passes writes on without an answer of its own.
  if (hostLinkMode == 1) return HlWriteFrame(MbHostLinkUnit, MbHostLinkWriteHeader, Request());

  line->Flush();
  if (!line->Send(Request())) return MbNoAnswer;
  if (address == 0) return MbDone;  // a broadcast is never answered
  CollectReply(*line, WriteEchoLength, deadline);
  return Judge(std::span(MbReply.data(), replyLength), address, pdu[0], WriteEchoLength);
}

std::uint8_t MbReadRegisters(std::uint8_t address, std::span<std::uint8_t> out, std::uint16_t reg, std::uint8_t n,
                             unsigned timeoutSeconds) {
  std::span<const std::uint8_t> pdu;
  StagePdu(MbFnReadRegisters, reg, n, {}, false, pdu);
  const std::uint8_t result = MbReadTransaction(address, pdu, 2u * n + 5, timeoutSeconds);
  CopyReplyData(out, 2u * n);
  return result;
}

std::uint8_t MbReadWords(std::uint8_t address, std::span<std::uint16_t> out, std::uint16_t reg, std::uint8_t n,
                         unsigned timeoutSeconds) {
  std::span<const std::uint8_t> pdu;
  StagePdu(MbFnReadRegisters, reg, n, {}, false, pdu);
  const std::uint8_t result = MbReadTransaction(address, pdu, 2u * n + 5, timeoutSeconds);
  const std::size_t words = std::min<std::size_t>({out.size(), n, (MbReply.size() - 3) / 2});
  for (std::size_t i = 0; i < words; ++i) {
    out[i] = static_cast<std::uint16_t>(MbReply[3 + 2 * i] * 256 + MbReply[4 + 2 * i]);
  }
  return result;
}

namespace {

// A request that carries N registers of data and is answered by an echo of its header; no
// answer when the data cannot be staged.
std::uint8_t DataWriteTransaction(std::uint8_t function, std::uint8_t address, std::span<const std::uint8_t> data,
                                  std::uint16_t reg, std::uint8_t n, unsigned timeoutSeconds) {
  std::span<const std::uint8_t> pdu;
  if (StagePdu(function, reg, n, data, true, pdu) != MbDone) {
    BeginTransaction();
    return MbNoAnswer;
  }
  return MbWriteTransaction(address, pdu, timeoutSeconds);
}

}  // namespace

std::uint8_t MbWriteRegisters(std::uint8_t address, std::span<const std::uint8_t> data, std::uint16_t reg,
                              std::uint8_t n, unsigned timeoutSeconds) {
  return DataWriteTransaction(MbFnWriteRegisters, address, data, reg, n, timeoutSeconds);
}

std::uint8_t MbWriteWords(std::uint8_t address, std::span<const std::uint16_t> words, std::uint16_t reg, std::uint8_t n,
                          unsigned timeoutSeconds) {
  std::array<std::uint8_t, 256> bytes{};
  const std::size_t count = std::min<std::size_t>(words.size(), bytes.size() / 2);
  for (std::size_t i = 0; i < count; ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(words[i] >> 8);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(words[i] & 0xFF);
  }
  return MbWriteRegisters(address, std::span(bytes.data(), 2 * count), reg, n, timeoutSeconds);
}

std::uint8_t MbTunnelQuery(std::uint8_t address, std::span<const std::uint8_t> data, std::uint16_t reg, std::uint8_t n,
                           std::span<std::uint8_t> out, unsigned timeoutSeconds) {
  std::span<const std::uint8_t> pdu;
  if (n == 0 || StagePdu(MbFnProbeQuery, reg, n, data, true, pdu) != MbDone) {
    BeginTransaction();
    return MbNoAnswer;
  }
  const std::size_t expect = std::size_t{data[2u * n - 2]} + 5;
  const std::uint8_t result = MbReadTransaction(address, pdu, expect, timeoutSeconds);
  CopyReplyData(out, 2u * n);
  return result;
}

std::uint8_t MbTunnelCommand(std::uint8_t address, std::span<const std::uint8_t> data, std::uint16_t reg,
                             std::uint8_t n, unsigned timeoutSeconds) {
  return DataWriteTransaction(MbFnProbeCommand, address, data, reg, n, timeoutSeconds);
}
