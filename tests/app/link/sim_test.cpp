// The simulated unit is test equipment that other tests trust: its framing, its checks and its
// register map must behave like the unit.
#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "tools/kt8unit/Slave.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using kt8::SimClock;

Bytes Frame(Bytes body) {
  kt8::AppendUnitCrc(body);
  return body;
}

Bytes Envelope(std::uint8_t header, const Bytes& frame) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string text = "@FF";
  auto put = [&](std::uint8_t b) {
    text.push_back(digits[b >> 4]);
    text.push_back(digits[b & 15]);
  };
  put(header);
  put(static_cast<std::uint8_t>(frame.size()));
  for (std::uint8_t b : frame) put(b);
  std::uint8_t check = 0;
  for (char c : text) check ^= static_cast<std::uint8_t>(c);
  put(check);
  text += "*\r";
  return Bytes(text.begin(), text.end());
}

kt8::UnitOptions BeforeMidnight() {
  kt8::UnitOptions o;
  o.clockStart = kt8::CivilTime{2011, 12, 28, 23, 59, 58};
  return o;
}

class Sim : public ::testing::Test {
 protected:
  Bytes Ask(const Bytes& request, SimClock::time_point at) {
    const auto answers = slave.Receive(request, at);
    return answers.empty() ? Bytes{} : answers.front().bytes;
  }
  Bytes Ask(const Bytes& request) { return Ask(request, start); }

  SimClock::time_point start{};
  kt8::UnitModel unit{BeforeMidnight(), start};
  kt8::Slave slave{unit};
};

TEST_F(Sim, UnitCrcIsHighByteFirst) {
  EXPECT_EQ(Frame({0x01, 0x03, 0x00, 0x00, 0x00, 0x01}), (Bytes{0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x0A, 0x84}));
}

TEST_F(Sim, AnswersOnlyCorrectFramesForItsAddress) {
  const Bytes read = Frame({0x01, 0x03, 0x00, 0x02, 0x00, 0x01});
  EXPECT_EQ(Ask(read), Frame({0x01, 0x03, 0x02, 0x02, 0x05}));
  Bytes standardOrder = read;
  std::swap(standardOrder[6], standardOrder[7]);
  EXPECT_TRUE(Ask(standardOrder).empty());
  EXPECT_TRUE(Ask(Frame({0x02, 0x03, 0x00, 0x02, 0x00, 0x01})).empty());
  EXPECT_TRUE(Ask(Frame({0x00, 0x03, 0x00, 0x02, 0x00, 0x01})).empty());
  // Split across reads, and two frames in one read.
  EXPECT_TRUE(Ask(Bytes(read.begin(), read.begin() + 3)).empty());
  EXPECT_FALSE(Ask(Bytes(read.begin() + 3, read.end())).empty());
  Bytes two = read;
  two.insert(two.end(), read.begin(), read.end());
  EXPECT_EQ(slave.Receive(two, start).size(), 2u);
}

TEST_F(Sim, ExceptionsForWhatTheUnitDoesNotHave) {
  EXPECT_EQ(Ask(Frame({0x01, 0x03, 0x01, 0x2C, 0x00, 0x01})), Frame({0x01, 0x83, 0x02}));  // register 300
  EXPECT_EQ(Ask(Frame({0x01, 0x03, 0x00, 0x02, 0x00, 0x02})), Frame({0x01, 0x83, 0x02}));  // past the object
  EXPECT_EQ(Ask(Frame({0x01, 0x10, 0x00, 0x02, 0x00, 0x01, 0x02, 0x00, 0x01})), Frame({0x01, 0x90, 0x02}));
  EXPECT_EQ(Ask(Frame({0x01, 0x10, 0x00, 0x07, 0x00, 0x01, 0x04, 0, 0, 0, 0})), Frame({0x01, 0x90, 0x03}));
  const Bytes unknown = Frame({0x01, 0x04, 0x00, 0x00, 0x00, 0x01});
  EXPECT_TRUE(Ask(unknown).empty());  // an unknown function ends at the silence
  const auto answers = slave.Silence(start);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].bytes, Frame({0x01, 0x84, 0x01}));
}

TEST_F(Sim, WritesAreStoredAndBroadcastsActSilently) {
  EXPECT_EQ(Ask(Frame({0x01, 0x10, 0x00, 0x50, 0x00, 0x04, 0x08, 2, 0xFF, 0x11, 0x12, 0x28, 0x08, 0x05, 0x00})),
            Frame({0x01, 0x10, 0x00, 0x50, 0x00, 0x04}));
  EXPECT_EQ(Ask(Frame({0x01, 0x03, 0x00, 0x50, 0x00, 0x04})),
            Frame({0x01, 0x03, 0x08, 2, 0xFF, 0x11, 0x12, 0x28, 0x08, 0x05, 0x00}));
  EXPECT_TRUE(Ask(Frame({0x00, 0x10, 0x00, 0x07, 0x00, 0x01, 0x02, 0x0F, 0xF0})).empty());
  EXPECT_EQ(*unit.Object(7), (Bytes{0x0F, 0xF0}));
}

TEST_F(Sim, ClockRunsAndCanBeSet) {
  // Two seconds before midnight on Wednesday 28.12.2011; three seconds later it is Thursday.
  EXPECT_EQ(Ask(Frame({0x01, 0x03, 0x00, 0x80, 0x00, 0x02}), start + std::chrono::seconds(3)),
            Frame({0x01, 0x03, 0x04, 0x04, 0x11, 0x12, 0x29}));
  EXPECT_EQ(Ask(Frame({0x01, 0x03, 0x00, 0x81, 0x00, 0x02}), start + std::chrono::seconds(3)),
            Frame({0x01, 0x03, 0x04, 0x00, 0x00, 0x00, 0x01}));
  const auto later = start + std::chrono::seconds(100);
  EXPECT_FALSE(Ask(Frame({0x01, 0x10, 0x00, 0x81, 0x00, 0x02, 0x04, 0x00, 0x09, 0x05, 0x07}), later).empty());
  EXPECT_EQ(Ask(Frame({0x01, 0x03, 0x00, 0x81, 0x00, 0x02}), later + std::chrono::seconds(2)),
            Frame({0x01, 0x03, 0x04, 0x00, 0x09, 0x05, 0x09}));
  // Not a BCD time: refused.
  EXPECT_EQ(Ask(Frame({0x01, 0x10, 0x00, 0x81, 0x00, 0x02, 0x04, 0x00, 0x24, 0x00, 0x00}), later),
            Frame({0x01, 0x90, 0x03}));
}

TEST_F(Sim, CounterPositionAndResolution) {
  auto data = [&](std::uint8_t reg) {
    const Bytes a = Ask(Frame({0x01, 0x03, 0x00, reg, 0x00, 0x02}));
    return Bytes(a.begin() + 3, a.begin() + 7);
  };
  EXPECT_EQ(data(66), (Bytes{0x00, 0x00, 0x12, 0x34}));
  const Bytes position = data(67);
  EXPECT_FLOAT_EQ(std::bit_cast<float>(std::uint32_t{position[0]} | std::uint32_t{position[1]} << 8 |
                                       std::uint32_t{position[2]} << 16 | std::uint32_t{position[3]} << 24),
                  0x1234 * 0.125f);
  EXPECT_EQ(data(68), (Bytes{0x3E, 0x00, 0x00, 0x00}));  // 0.125, most significant byte first
  Ask(Frame({0x01, 0x10, 0x00, 66, 0x00, 0x02, 0x04, 0, 0, 0, 0}));
  EXPECT_EQ(data(66), (Bytes{0, 0, 0, 0}));
}

TEST_F(Sim, ProbeTunnel) {
  const auto query = [&](std::uint8_t reg, std::uint8_t n, Bytes data) {
    Bytes body{0x01, 0x43, 0x00, reg, 0x00, n, static_cast<std::uint8_t>(data.size())};
    body.insert(body.end(), data.begin(), data.end());
    return Ask(Frame(body));
  };
  EXPECT_EQ(query(64, 3, {0, 0, 2, 'I', 4, 0}), Frame({0x01, 0x43, 0x04, 0x01, 0xF4, 0x07, 0x00}));
  EXPECT_EQ(query(64, 3, {5, 5, 2, 'I', 4, 0}), Frame({0x01, 0xC3, 0x82}));  // no probe there
  // Dispersion of ADC1 before any conversion: nothing measured yet.
  EXPECT_EQ(query(65, 4, {0, 0, 4, 0xBE, 1, 10, 4, 0})[3], 0xFF);
  EXPECT_EQ(Ask(Frame({0x01, 0x50, 0x00, 0x40, 0x00, 0x02, 0x04, 0, 0x80, 1, 'C'})),
            Frame({0x01, 0x50, 0x00, 0x40, 0x00, 0x02}));
  EXPECT_NE(query(65, 4, {0, 0, 4, 0xBE, 1, 10, 4, 0})[3], 0xFF);
  // Identifier of channel X1, position DS-1: serial 123.
  const Bytes id = Ask(Frame({0x01, 0x03, 0x00, 176, 0x00, 0x04}));
  EXPECT_EQ(Bytes(id.begin() + 3, id.begin() + 10), (Bytes{0x3A, 0x5C, 0x7E, 0x91, 0x00, 0x01, 0x23}));
  EXPECT_EQ(kt8::Crc8Maxim(Bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9'}), 0xA1);
}

TEST_F(Sim, FaultsShapeTheAnswerForAsManyAnswersAsAsked) {
  const Bytes read = Frame({0x01, 0x03, 0x00, 0x02, 0x00, 0x01});
  const Bytes good = Frame({0x01, 0x03, 0x02, 0x02, 0x05});
  slave.SetFaults({.truncateTo = 3, .count = 1});
  EXPECT_EQ(Ask(read), Bytes(good.begin(), good.begin() + 3));
  EXPECT_EQ(Ask(read), good);
  slave.SetFaults({.noise = 2, .count = 1});
  EXPECT_EQ(Ask(read).size(), good.size() + 2);
  slave.SetFaults({.silent = true});
  EXPECT_TRUE(Ask(read).empty());
  slave.SetFaults({.delay = std::chrono::milliseconds(700)});
  EXPECT_EQ(slave.Receive(read, start).front().delay, std::chrono::milliseconds(700));
}

TEST(SimHostLink, AnswersQueriesActsOnWritesAndChecksTheEnvelope) {
  kt8::UnitModel unit;
  kt8::Slave slave(unit, true);
  const SimClock::time_point t{};
  const Bytes read = Frame({0x01, 0x03, 0x00, 0x02, 0x00, 0x01});
  Bytes request = Envelope(0x2D, read);
  // The answer comes with the carriage return after "*", not before.
  EXPECT_TRUE(slave.Receive(Bytes(request.begin(), request.end() - 1), t).empty());
  const auto answers = slave.Receive(Bytes{'\r'}, t);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].bytes, Envelope(0x2D, Frame({0x01, 0x03, 0x02, 0x02, 0x05})));

  EXPECT_TRUE(slave.Receive(Envelope(0x2C, Frame({0x01, 0x10, 0x00, 0x07, 0x00, 0x01, 0x02, 0x11, 0x13})), t).empty());
  EXPECT_EQ(*unit.Object(7), (Bytes{0x11, 0x13}));

  Bytes badCheck = Envelope(0x2D, read);
  badCheck[badCheck.size() - 3] ^= 0x01;
  EXPECT_TRUE(slave.Receive(badCheck, t).empty());
  EXPECT_EQ(slave.Receive(Envelope(0x2D, read), t).size(), 1u);
}

}  // namespace
