// CRC, request frames, awaited reply lengths, reply checking and the host-link envelope: the
// bytes on the line must be exactly what the unit and the ВЕМ-Д.5 instrument expect.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/link/Hlink01.h"
#include "app/link/Modbus.h"
#include "tests/app/link/ScriptedLine.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes WithUnitCrc(Bytes frame) {
  const std::uint16_t crc = MbCrc16(frame);
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  return frame;
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(MbCrc16, KnownVectors) {
  const Bytes request{0x01, 0x03, 0x00, 0x00, 0x00, 0x01};
  EXPECT_EQ(MbCrc16(request), 0x840A);
  EXPECT_EQ(MbCrc16(Bytes{0x01, 0x03, 0x00, 0x02, 0x00, 0x01}), 0x25CA);
  // "123456789": the standard check value 0x4B37, held with its bytes the other way round.
  EXPECT_EQ(MbCrc16(Text("123456789")), 0x374B);
  EXPECT_EQ(MbCrc16(Bytes{}), 0xFFFF);
}

TEST(MbCrc16, MatchesInEitherByteOrderOnly) {
  const Bytes unitOrder{0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x0A, 0x84};
  const Bytes standardOrder{0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x84, 0x0A};
  Bytes corrupted = unitOrder;
  corrupted[3] ^= 0x01;
  EXPECT_TRUE(MbCrcMatches(unitOrder));
  EXPECT_TRUE(MbCrcMatches(standardOrder));
  EXPECT_FALSE(MbCrcMatches(corrupted));
  EXPECT_FALSE(MbCrcMatches(Bytes{0x01, 0x03}));
}

class RequestFrames : public ::testing::Test {
 protected:
  ScriptedLine line;
  ActiveLineScope scope{line};
};

TEST_F(RequestFrames, EachFunctionFramesAndAwaitsItsLength) {
  struct Case {
    const char* name;
    std::function<std::uint8_t()> run;
    Bytes body;           // the frame without its CRC
    std::size_t awaited;  // reply bytes read before the master stops
  };
  std::uint8_t out[16] = {};
  std::uint16_t words[4] = {};
  const std::uint8_t pair[] = {0x12, 0x34};
  const std::uint16_t word[] = {0x1234};
  const std::uint8_t density[] = {0x02, 0x04, 0x02, 'I', 0x04, 0x00};
  const std::uint8_t convert[] = {0x00, 0x81, 0x01, 'C'};
  const Case cases[] = {
      {"read 1 at 2", [&] { return MbReadRegisters(1, out, 2, 1, 3); }, {0x01, 0x03, 0x00, 0x02, 0x00, 0x01}, 7},
      {"read 5 at 170", [&] { return MbReadRegisters(1, out, 170, 5, 3); }, {0x01, 0x03, 0x00, 0xAA, 0x00, 0x05}, 15},
      {"read words", [&] { return MbReadWords(7, words, 48, 4, 3); }, {0x07, 0x03, 0x00, 0x30, 0x00, 0x04}, 13},
      {"write bytes",
       [&] { return MbWriteRegisters(5, pair, 7, 1, 2); },
       {0x05, 0x10, 0x00, 0x07, 0x00, 0x01, 0x02, 0x12, 0x34},
       8},
      {"write word high byte first",
       [&] { return MbWriteWords(1, word, 112, 1, 2); },
       {0x01, 0x10, 0x00, 0x70, 0x00, 0x01, 0x02, 0x12, 0x34},
       8},
      {"probe query",
       [&] { return MbTunnelQuery(1, density, 64, 3, out, 5); },
       {0x01, 0x43, 0x00, 0x40, 0x00, 0x03, 0x06, 0x02, 0x04, 0x02, 'I', 0x04, 0x00},
       9},
      {"probe command",
       [&] { return MbTunnelCommand(1, convert, 64, 2, 3); },
       {0x01, 0x50, 0x00, 0x40, 0x00, 0x02, 0x04, 0x00, 0x81, 0x01, 'C'},
       8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    line.sent.clear();
    line.incoming.assign(300, 0x5A);  // far more than any reply
    c.run();
    EXPECT_EQ(line.sent, WithUnitCrc(c.body));
    EXPECT_EQ(Bytes(MbRequest.begin(), MbRequest.begin() + MbRequestLength()), WithUnitCrc(c.body));
    EXPECT_EQ(MbReplyLength(), c.awaited);
    EXPECT_EQ(line.incoming.size(), 300 - c.awaited);
  }
}

TEST_F(RequestFrames, ReadOfOneRegisterAtZeroIsTheDocumentedFrame) {
  std::uint8_t out[2];
  MbReadRegisters(1, out, 0, 1, 3);
  EXPECT_EQ(line.sent, (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x0A, 0x84}));
}

TEST_F(RequestFrames, ReaderCopiesDataFromTheFourthByte) {
  line.Queue(WithUnitCrc({0x01, 0x03, 0x04, 0x12, 0x34, 0xAB, 0xCD}));
  std::uint8_t out[4] = {};
  ASSERT_EQ(MbReadRegisters(1, out, 5, 2, 3), MbDone);
  EXPECT_EQ(Bytes(out, out + 4), (Bytes{0x12, 0x34, 0xAB, 0xCD}));

  line.Queue(WithUnitCrc({0x01, 0x03, 0x02, 0x12, 0x34}));
  std::uint16_t words[1] = {};
  ASSERT_EQ(MbReadWords(1, words, 112, 1, 3), MbDone);
  EXPECT_EQ(words[0], 0x1234);
}

TEST_F(RequestFrames, LengthsBeyondTheBuffersAreRefusedWithoutSending) {
  std::uint8_t out[256] = {};
  std::uint8_t data[256] = {};
  EXPECT_EQ(MbReadRegisters(1, out, 0, 123, 3), MbNoAnswer);    // 2N+5 = 251
  EXPECT_EQ(MbWriteRegisters(1, data, 0, 121, 3), MbNoAnswer);  // frame of 251 bytes
  data[4] = 250;                                                // the probe would answer 250 bytes
  EXPECT_EQ(MbTunnelQuery(1, std::span(data, 6), 64, 3, out, 3), MbNoAnswer);
  EXPECT_EQ(MbTunnelQuery(1, std::span(data, 0), 64, 0, out, 3), MbNoAnswer);
  EXPECT_EQ(MbWriteRegisters(1, std::span(data, 1), 0, 1, 3), MbNoAnswer);  // fewer data than 2N
  EXPECT_TRUE(line.sent.empty());
  EXPECT_TRUE(line.waits.empty());

  // The largest read that fits still goes out.
  EXPECT_EQ(MbReadRegisters(1, out, 0, 122, 1), MbNoAnswer);
  EXPECT_EQ(line.sent.size(), 8u);
}

TEST(MbCheckReply, JudgesAddressFunctionCrcAndExceptions) {
  struct Case {
    const char* name;
    Bytes reply;
    MbVerdict verdict;
    std::uint8_t code;
  };
  const Bytes good = WithUnitCrc({0x01, 0x03, 0x02, 0x02, 0x05});
  Bytes standard = good;
  std::swap(standard[5], standard[6]);
  Bytes badCrc = good;
  badCrc[6] ^= 0x01;
  Bytes changedData = good;
  changedData[4] = 0x06;
  const Case cases[] = {
      {"good", good, MbVerdict::Valid, 0},
      {"CRC in the standard order", standard, MbVerdict::Valid, 0},
      {"bad CRC", badCrc, MbVerdict::Invalid, 0},
      {"data changed on the way", changedData, MbVerdict::Invalid, 0},
      {"another unit", WithUnitCrc({0x02, 0x03, 0x02, 0x02, 0x05}), MbVerdict::Invalid, 0},
      {"another function", WithUnitCrc({0x01, 0x04, 0x02, 0x02, 0x05}), MbVerdict::Invalid, 0},
      {"short", Bytes(good.begin(), good.begin() + 6), MbVerdict::Invalid, 0},
      {"exception", WithUnitCrc({0x01, 0x83, 0x02}), MbVerdict::Exception, 0x02},
      {"exception of another function", WithUnitCrc({0x01, 0x90, 0x02}), MbVerdict::Invalid, 0},
      {"exception with code 0", WithUnitCrc({0x01, 0x83, 0x00}), MbVerdict::Invalid, 0},
      {"exception with a bad CRC", Bytes{0x01, 0x83, 0x02, 0x00, 0x00}, MbVerdict::Invalid, 0},
      {"nothing", Bytes{}, MbVerdict::Invalid, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MbReplyCheck check = MbCheckReply(c.reply, 0x01, 0x03, 7);
    EXPECT_EQ(check.verdict, c.verdict);
    EXPECT_EQ(check.exceptionCode, c.code);
  }
}

TEST(HostLinkEnvelope, DocumentedExampleCharacterForCharacter) {
  const Bytes frame{0x01, 0x03, 0x00, 0x02, 0x00, 0x01, 0xCA, 0x25};
  const Bytes payload = [&] {
    Bytes p{0x2D, 0x08};
    p.insert(p.end(), frame.begin(), frame.end());
    return p;
  }();
  ASSERT_EQ(HlBuild(0xFF, payload), 27u);  // 26 characters and the carriage return
  const auto built = HlOutgoing();
  EXPECT_EQ(std::string(built.begin(), built.end()), "@FF2D08010300020001CA253A*\r");
  EXPECT_EQ(HlFcs(23), 0x3A);
}

// An envelope's check can never fall below 0x10: it is the XOR of an odd number of characters
// from 0x30..0x46, so its high digit is 3 or 4. The leading zero is HlPutHexByte's to keep.
TEST(HostLinkEnvelope, HexBytesKeepTheirLeadingZero) {
  const std::pair<std::uint8_t, const char*> cases[] = {{0x00, "00"}, {0x08, "08"}, {0x0F, "0F"},
                                                        {0x3A, "3A"}, {0xA0, "A0"}, {0xFF, "FF"}};
  for (const auto& [byte, text] : cases) {
    std::uint8_t hex[2];
    HlPutHexByte(hex, byte);
    EXPECT_EQ(std::string(hex, hex + 2), text);
  }
}

TEST(HostLinkEnvelope, ReadSendsTheEnvelopeOneCharacterPerWrite) {
  ScriptedLine line;
  ActiveLineScope scope(line);
  MbSetHostLinkMode(1);
  std::uint8_t out[2];
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 1), MbNoAnswer);
  EXPECT_EQ(std::string(line.sent.begin(), line.sent.end()), "@FF2D08010300020001CA253A*\r");
  EXPECT_EQ(line.writes.size(), 27u);
}

TEST(HostLinkDecoder, DocumentedAnswerAfterStrayCharacters) {
  const Bytes answer = Text("\x13zz@FF2D0701030200052D8B41*");
  std::array<std::uint8_t, 250> out{};
  EXPECT_EQ(HlDecodeReply(answer, out), 11u);
  EXPECT_EQ(out[0], 10);
  EXPECT_EQ(Bytes(out.begin() + 1, out.begin() + 11),
            (Bytes{0x2D, 0x07, 0x01, 0x03, 0x02, 0x00, 0x05, 0x2D, 0x8B, 0x41}));
}

TEST(HostLinkDecoder, StopsAtTheEndMarkOrTheEndOfItsArea) {
  struct Case {
    const char* name;
    std::string answer;
    std::size_t count;
  };
  const Case cases[] = {
      {"end mark as the second character of a pair", "@FF2*D07", 1},
      {"every later @ is skipped", "@F@F2@D*", 2},
      {"no @", "FF2D07*", 0},
      {"ends at carriage return without *", "@FF2D07\r", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::array<std::uint8_t, 250> out{};
    EXPECT_EQ(HlDecodeReply(Text(c.answer), out), c.count);
  }

  // 400 digit pairs into an area of 250: the guard bytes around it stay untouched.
  std::array<std::uint8_t, 260> guarded;
  guarded.fill(0xEE);
  const Bytes longAnswer = Text("@" + std::string(511, 'A'));
  EXPECT_EQ(HlDecodeReply(longAnswer, std::span(guarded.data() + 5, 250)), 250u);
  EXPECT_EQ(guarded[5], 249);
  EXPECT_EQ(guarded[6], 0xAA);
  for (int i : {0, 4, 255, 259}) EXPECT_EQ(guarded[i], 0xEE) << i;
}

TEST(HostLinkQuery, EndMarksCountOnlyAfterTheStart) {
  ScriptedLine line;
  ActiveLineScope scope(line);
  const Bytes payload{0x2D, 0x00};
  line.Queue(Text("\r*#@FF2D0001*\r"));
  EXPECT_EQ(HlQuery(0xFF, payload, 3), 0);
  const auto got = HlIncoming();
  EXPECT_EQ(std::string(got.begin(), got.end()), "\r*#@FF2D0001*");

  line.incoming.clear();
  line.Queue(Text("@FF2D"));  // never ends
  EXPECT_EQ(HlQuery(0xFF, payload, 3), MbNoAnswer);
}

}  // namespace
