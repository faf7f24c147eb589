#pragma once
// The ВЕМ-Д.5 host-link envelope: a complete RTU frame written as hexadecimal ASCII between "@"
// and "*"+CR, with the instrument's unit number, a header byte, a length and an XOR check.
// Building, sending, reading an answer and decoding it; the bytes go through app::link::ActiveLine().
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t HlBufferSize = 512;
// The longest payload (header, length, RTU frame) whose envelope still fits the character buffer.
inline constexpr std::size_t HlMaxPayload = (HlBufferSize - 7) / 2;
inline constexpr std::uint8_t HlStartChar = '@';
inline constexpr std::uint8_t HlEndChar = '*';
inline constexpr std::uint8_t HlCarriageReturn = '\r';

// Envelope around an RTU frame: the payload is header, frame length, frame. 0 once sent,
// 0xFF when the frame is too long or the line refused it.
std::uint8_t HlWriteFrame(std::uint8_t unit, std::uint8_t header, std::span<const std::uint8_t> frame);
// As HlWriteFrame, then reads the answer up to its end mark. 0 when the end mark arrived,
// 0xFF when timeoutSeconds passed first (the characters that came are kept; see HlIncoming).
std::uint8_t HlQueryFrame(std::uint8_t unit, std::uint8_t header, std::span<const std::uint8_t> frame,
                          unsigned timeoutSeconds);
std::uint8_t HlSend(std::uint8_t unit, std::span<const std::uint8_t> payload);
std::uint8_t HlQuery(std::uint8_t unit, std::span<const std::uint8_t> payload, unsigned timeoutSeconds);

// Decodes an answer: characters before the first "@" and every "@" are skipped, hex-digit pairs
// become bytes up to a "*" or the end of the answer or of `out`. Byte 0 is then overwritten with
// the number of decoded bytes minus one. Returns the number of decoded bytes.
std::size_t HlDecodeReply(std::span<const std::uint8_t> answer, std::span<std::uint8_t> out);

// Two upper-case hexadecimal digits, high nibble first.
void HlPutHexByte(std::uint8_t* out, std::uint8_t byte);
// XOR of the first `count` characters of the outgoing buffer.
std::uint8_t HlFcs(std::size_t count);
// Builds the envelope for a payload into the outgoing buffer; returns its length in characters,
// 0 when the payload is longer than HlMaxPayload.
std::size_t HlBuild(std::uint8_t unit, std::span<const std::uint8_t> payload);

// The characters of the last envelope built and of the last answer read.
std::span<const std::uint8_t> HlOutgoing();
std::span<const std::uint8_t> HlIncoming();
