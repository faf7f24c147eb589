// The Modbus master against the simulated unit over an in-memory line on simulated time: every
// way a reply can go wrong must end as "no valid answer" or the unit's exception code, never as
// "done" with wrong values, and a quiet line must cost a few waits, not a spinning loop.
#include <gtest/gtest.h>

#include <vector>

#include "app/link/Hlink01.h"
#include "app/link/Modbus.h"
#include "tests/app/link/ScriptedLine.h"
#include "tools/kt8unit/SimLine.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

kt8::UnitOptions Options() {
  kt8::UnitOptions o;
  o.address = 1;
  o.clockStart = kt8::CivilTime{2011, 12, 28, 8, 30, 0};
  return o;
}

class Master : public ::testing::Test {
 protected:
  explicit Master(bool hostLink = false) : slave(unit, hostLink) {}
  void SetUp() override {
    if (slave.HostLink()) MbSetHostLinkMode(1);
  }
  Bytes Reply() const { return Bytes(MbReply.begin(), MbReply.begin() + MbReplyLength()); }
  app::link::LineClock::duration Elapsed() { return line.Now() - kt8::SimLine::Epoch(); }
  void Fault(kt8::Faults f) { slave.SetFaults(f); }

  kt8::UnitModel unit{Options(), kt8::SimLine::Epoch()};
  kt8::Slave slave;
  kt8::SimLine line{slave};
  ActiveLineScope scope{line};
};

TEST_F(Master, ReadsAndWritesTheUnit) {
  std::uint8_t version[2] = {};
  EXPECT_EQ(MbReadRegisters(1, version, 2, 1, 3), MbDone);
  EXPECT_EQ(Bytes(version, version + 2), (Bytes{2, 5}));
  EXPECT_EQ(MbReplyLength(), 7u);

  const std::uint16_t delay[] = {300};
  EXPECT_EQ(MbWriteWords(1, delay, 113, 1, 2), MbDone);
  // The echo repeats the quantity: what the result texts compare.
  EXPECT_EQ(MbReply[4], MbRequest[4]);
  EXPECT_EQ(MbReply[5], MbRequest[5]);
  std::uint16_t back[1] = {};
  EXPECT_EQ(MbReadWords(1, back, 113, 1, 3), MbDone);
  EXPECT_EQ(back[0], 300);
}

TEST_F(Master, ProbeQueryAwaitsTheLengthItAskedFor) {
  const std::uint8_t density[] = {0x00, 0x00, 0x02, 'I', 0x04, 0x00};
  std::uint8_t out[6] = {};
  EXPECT_EQ(MbTunnelQuery(1, density, 64, 3, out, 5), MbDone);
  EXPECT_EQ(MbReplyLength(), 9u);
  EXPECT_EQ(Bytes(out, out + 3), (Bytes{0x01, 0xF4, 0x07}));  // 500.7

  const std::uint8_t convert[] = {0x00, 0x80, 0x01, 'C'};
  EXPECT_EQ(MbTunnelCommand(1, convert, 64, 2, 3), MbDone);
}

TEST_F(Master, SilenceEndsAtTheDeadlineInAFewWaits) {
  Fault({.silent = true});
  std::uint8_t out[2] = {};
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbNoAnswer);
  // Each wait keeps the two-second byte limit and the last one ends exactly at the deadline.
  EXPECT_EQ(line.Waits(), (std::vector<app::link::Millis>{2000ms, 1000ms}));
  EXPECT_EQ(Elapsed(), 3s);
  EXPECT_EQ(MbReplyLength(), 0u);
  EXPECT_EQ(Bytes(out, out + 2), (Bytes{0, 0}));
}

TEST_F(Master, LateReplies) {
  std::uint8_t out[2] = {};
  Fault({.delay = 1500ms});
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbDone);
  Fault({.delay = 2500ms});  // a gap longer than one byte wait, still inside the time-out
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbDone);
  Fault({.delay = 3500ms});
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbNoAnswer);
}

TEST_F(Master, ShortReplyIsNoAnswerAndKeepsWhatCame) {
  Fault({.truncateTo = 5});
  std::uint8_t out[2] = {};
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbNoAnswer);
  // What came stays for the raw dump; byte time-outs are not stored as data.
  EXPECT_EQ(Reply(), (Bytes{0x01, 0x03, 0x02, 0x02, 0x05}));
  EXPECT_EQ(MbReply[5], 0);
  EXPECT_GE(Elapsed(), 3s);
  EXPECT_LT(Elapsed(), 3001ms);
}

TEST_F(Master, CorruptedOrForeignRepliesAreNoAnswer) {
  struct Case {
    const char* name;
    kt8::Faults faults;
  };
  const Case cases[] = {
      {"bad CRC", {.badCrc = true}},
      {"another unit", {.wrongAddress = true}},
      {"noise before the reply", {.noise = 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fault(c.faults);
    std::uint8_t out[2] = {};
    EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbNoAnswer);
    EXPECT_GE(MbReplyLength(), 5u);  // the dump shows what came
    const std::uint16_t word[] = {1};
    EXPECT_EQ(MbWriteWords(1, word, 112, 1, 2), MbNoAnswer);
  }
}

TEST_F(Master, AcceptsTheCrcInTheStandardOrderToo) {
  Fault({.standardCrcOrder = true});
  std::uint8_t out[2] = {};
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbDone);
  EXPECT_EQ(out[0], 2);
}

TEST_F(Master, ExceptionRepliesEndReadsAndWritesAfterFiveBytes) {
  std::uint8_t out[20] = {};
  EXPECT_EQ(MbReadRegisters(1, out, 300, 1, 3), 0x02);  // a register the unit does not have
  EXPECT_EQ(Reply().size(), 5u);
  EXPECT_LT(Elapsed(), 1s);

  const std::uint8_t data[] = {0x00, 0x09};
  EXPECT_EQ(MbWriteRegisters(1, data, 2, 1, 2), 0x02);  // version is read-only
  EXPECT_EQ(MbReply[1], 0x90);

  Fault({.exception = 0x80});
  EXPECT_EQ(MbWriteRegisters(1, data, 7, 1, 2), 0x80);
  Fault({.exception = 0xA5});
  EXPECT_EQ(MbReadRegisters(1, out, 0, 10, 3), 0xA5);
  EXPECT_LT(Elapsed(), 1s);
}

TEST_F(Master, BroadcastWriteActsAndReadsNothing) {
  const std::uint16_t test[] = {0x0001, 0, 0, 0x8000};
  EXPECT_EQ(MbWriteWords(0, test, 16, 4, 1), MbDone);
  EXPECT_TRUE(line.Waits().empty());
  EXPECT_EQ(*unit.Object(16), (Bytes{0x00, 0x01, 0, 0, 0, 0, 0x80, 0x00}));
}

TEST_F(Master, ADeadLineFailsAtOnce) {
  line.SetBroken(true);
  std::uint8_t out[2] = {};
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbNoAnswer);
  const std::uint16_t word[] = {1};
  EXPECT_EQ(MbWriteWords(0, word, 16, 1, 3), MbNoAnswer);  // a broadcast that never left is no success
  EXPECT_EQ(Elapsed(), 0s);

  app::link::SetActiveLine(nullptr);
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbNoAnswer);
}

TEST_F(Master, NewAddressTakesEffectAfterTheEcho) {
  const std::uint8_t data[] = {7, 0};
  EXPECT_EQ(MbWriteRegisters(1, data, 8, 1, 2), MbDone);
  std::uint8_t out[2] = {};
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 1), MbNoAnswer);
  MbSetSlaveAddress(7);
  EXPECT_EQ(MbReadRegisters(MbSlaveAddress(), out, 2, 1, 1), MbDone);
}

class HostLinkMaster : public Master {
 protected:
  HostLinkMaster() : Master(true) {}
};

TEST_F(HostLinkMaster, ReadReturnsTheRtuReplyFromTheFourthDecodedByte) {
  std::uint8_t version[2] = {};
  EXPECT_EQ(MbReadRegisters(1, version, 2, 1, 3), MbDone);
  EXPECT_EQ(Bytes(version, version + 2), (Bytes{2, 5}));
  EXPECT_EQ(Reply(), (Bytes{0x01, 0x03, 0x02, 0x02, 0x05, 0x27, 0x79}));
  EXPECT_EQ(MbHostLinkDecoded[0], 10);  // unit, header, length, 7 RTU bytes, check
}

TEST_F(HostLinkMaster, WriteReadsNoAnswer) {
  const std::uint16_t delay[] = {42};
  EXPECT_EQ(MbWriteWords(1, delay, 112, 1, 2), MbDone);
  EXPECT_TRUE(line.Waits().empty());
  EXPECT_EQ(*unit.Object(112), (Bytes{0x00, 42}));
  const auto sent = HlOutgoing();
  EXPECT_EQ(std::string(sent.begin(), sent.begin() + 5), "@FF2C");
}

TEST_F(HostLinkMaster, RepliesAreCheckedInsideTheEnvelope) {
  std::uint8_t out[2] = {};
  Fault({.badCrc = true});
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbNoAnswer);
  Fault({.truncateTo = 12});
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbNoAnswer);
  Fault({.noise = 6});  // carriage return and "*" ahead of the "@"
  EXPECT_EQ(MbReadRegisters(1, out, 2, 1, 3), MbDone);
  EXPECT_EQ(MbReadRegisters(1, out, 300, 1, 3), 0x02);
}

}  // namespace
