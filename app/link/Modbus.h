#pragma once
// The Modbus RTU master of the configurator: request frames for functions 0x03, 0x10 and the
// unit's probe tunnel 0x43/0x50, the CRC-16 (sent high byte of MbCrc16 last, as the unit expects),
// the transaction over app::link::ActiveLine() directly or inside the host-link envelope, and the
// checking of every reply (address, function, CRC in either byte order, exception replies).
// The Windows program attaches its serial port once: app::link::SetActiveLine(&ComLine()).
//
// Result codes: 0 done; 0x01..0xFE the exception code the unit answered; 0xFF no valid answer
// (nothing, too little, too late, a corrupted or foreign reply, or a request that cannot be sent).
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t MbBufferSize = 250;
inline constexpr std::uint8_t MbDone = 0x00;
inline constexpr std::uint8_t MbNoAnswer = 0xFF;

inline constexpr std::uint8_t MbFnReadRegisters = 0x03;
inline constexpr std::uint8_t MbFnWriteRegisters = 0x10;
inline constexpr std::uint8_t MbFnProbeQuery = 0x43;
inline constexpr std::uint8_t MbFnProbeCommand = 0x50;

inline constexpr std::uint8_t MbHostLinkUnit = 0xFF;
inline constexpr std::uint8_t MbHostLinkWriteHeader = 0x2C;
inline constexpr std::uint8_t MbHostLinkReadHeader = 0x2D;

// The last request frame (address, PDU, CRC) and the bytes received for the last transaction,
// from offset 0. Both are cleared at the start of every transaction.
extern std::array<std::uint8_t, MbBufferSize> MbRequest;
extern std::array<std::uint8_t, MbBufferSize> MbReply;
// Where a host-link answer is decoded (unit, header, length, RTU reply, check).
extern std::array<std::uint8_t, MbBufferSize> MbHostLinkDecoded;

// Number of request and reply bytes of the last transaction.
std::size_t MbRequestLength();
std::size_t MbReplyLength();

void MbSetSlaveAddress(std::uint8_t address);
std::uint8_t MbSlaveAddress();
// 1: frames travel inside the host-link envelope.
void MbSetHostLinkMode(std::uint8_t mode);
std::uint8_t MbHostLinkMode();

// Modbus CRC-16 as A*256+B of the table algorithm; the frame carries B first, then A.
std::uint16_t MbCrc16(std::span<const std::uint8_t> bytes);
// True when the last two bytes of the frame are the CRC of the rest, in either byte order.
bool MbCrcMatches(std::span<const std::uint8_t> frame);

enum class MbVerdict { Valid, Exception, Invalid };
struct MbReplyCheck {
  MbVerdict verdict = MbVerdict::Invalid;
  std::uint8_t exceptionCode = 0;
};
// Judges the bytes received for a request to `address` with `function` that awaited `expect`
// bytes: the first `expect` of them as a normal reply, or the first 5 as an exception reply (the
// function with bit 7 set and a non-zero code). Bytes after those are not looked at.
MbReplyCheck MbCheckReply(std::span<const std::uint8_t> reply, std::uint8_t address, std::uint8_t function,
                          std::size_t expect);

std::uint8_t MbReadTransaction(std::uint8_t address, std::span<const std::uint8_t> pdu, std::size_t expect,
                               unsigned timeoutSeconds);
std::uint8_t MbWriteTransaction(std::uint8_t address, std::span<const std::uint8_t> pdu, unsigned timeoutSeconds);

// out receives reply bytes 3 .. 2N+2 (as many as it holds), also when the result is not 0.
std::uint8_t MbReadRegisters(std::uint8_t address, std::span<std::uint8_t> out, std::uint16_t reg, std::uint8_t n,
                             unsigned timeoutSeconds);
std::uint8_t MbReadWords(std::uint8_t address, std::span<std::uint16_t> out, std::uint16_t reg, std::uint8_t n,
                         unsigned timeoutSeconds);
// data holds 2N bytes (N words); they go on the line in the order given (words high byte first).
std::uint8_t MbWriteRegisters(std::uint8_t address, std::span<const std::uint8_t> data, std::uint16_t reg,
                              std::uint8_t n, unsigned timeoutSeconds);
std::uint8_t MbWriteWords(std::uint8_t address, std::span<const std::uint16_t> words, std::uint16_t reg, std::uint8_t n,
                          unsigned timeoutSeconds);
// Probe query: the second-to-last data byte states how many data bytes the probe answers.
std::uint8_t MbTunnelQuery(std::uint8_t address, std::span<const std::uint8_t> data, std::uint16_t reg, std::uint8_t n,
                           std::span<std::uint8_t> out, unsigned timeoutSeconds);
std::uint8_t MbTunnelCommand(std::uint8_t address, std::span<const std::uint8_t> data, std::uint16_t reg,
                             std::uint8_t n, unsigned timeoutSeconds);
