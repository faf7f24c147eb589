// The level masks' read and write series and the broadcast test words against the simulated unit:
// what goes on the line, the pauses between requests, and what a failed read may not do.
#include <gtest/gtest.h>

#include <vector>

#include "app/LevelMasks.h"
#include "tests/app/pages/SimUnit.h"

using namespace app;
namespace {

class LevelSeries : public ::testing::Test {
 protected:
  SeriesPause Recorder() {
    return [this](int ms) {
      pauses.push_back(ms);
      if (onPause) onPause(static_cast<int>(pauses.size()));
    };
  }
  SimUnit sim;
  std::vector<int> pauses;
  std::function<void(int)> onPause;  // called with the number of the pause, 1 before output 1
};

TEST_F(LevelSeries, GetConfigReadsAllEightOutputs) {
  LevelMaskTable masks{};
  EXPECT_EQ(ReadLevelMasks(1, masks, Recorder()), 0);
  EXPECT_EQ(pauses, std::vector<int>(7, 100));
  ASSERT_EQ(sim.received.size(), 8u);
  for (int c = 0; c < kLevelOutputs; ++c) {
    EXPECT_EQ(sim.received[c], SimUnit::Frame({0x01, 0x03, 0x00, static_cast<std::uint8_t>(48 + c), 0x00, 0x04}));
    // The simulated unit ties sensor c + 1 to Max and Min of output c.
    EXPECT_EQ(masks[LevelMaskIndex(c, LevelMax)], 1u << c);
    EXPECT_EQ(masks[LevelMaskIndex(c, Level95)], 0u);
    EXPECT_EQ(masks[LevelMaskIndex(c, LevelMin)], 1u << c);
    EXPECT_EQ(masks[LevelMaskIndex(c, LevelH2O)], 0u);
  }
}

TEST_F(LevelSeries, FailedReadsKeepTheirOutputsMasksAndTheLastFailureIsReported) {
  LevelMaskTable masks;
  masks.fill(0xA5A5);
  // Output 3 gets no answer, output 6 an exception; output 7, the last read, succeeds.
  onPause = [this](int n) {
    if (n == 3) sim.slave.SetFaults({.silent = true, .count = 1});
    if (n == 6) sim.slave.SetFaults({.exception = 0x04, .count = 1});
  };
  EXPECT_EQ(ReadLevelMasks(1, masks, Recorder()), 0x04);
  for (int condition = 0; condition < kLevelConditions; ++condition) {
    EXPECT_EQ(masks[LevelMaskIndex(3, condition)], 0xA5A5);
    EXPECT_EQ(masks[LevelMaskIndex(6, condition)], 0xA5A5);
  }
  EXPECT_EQ(masks[LevelMaskIndex(2, LevelMax)], 1u << 2);
  EXPECT_EQ(masks[LevelMaskIndex(7, LevelMin)], 1u << 7);

  // Only a silent output: its failure is still what the series reports.
  masks.fill(0);
  pauses.clear();
  onPause = [this](int n) {
    if (n == 1) sim.slave.SetFaults({.silent = true, .count = 1});
  };
  EXPECT_EQ(ReadLevelMasks(1, masks, Recorder()), 0xFF);
  EXPECT_EQ(masks[LevelMaskIndex(1, LevelMax)], 0u);
  EXPECT_EQ(masks[LevelMaskIndex(0, LevelMax)], 1u);
}

TEST_F(LevelSeries, SetConfigWritesRegisters48To55InOrderHighByteFirst) {
  LevelMaskTable masks{};
  for (int c = 0; c < kLevelOutputs; ++c)
    for (int g = 0; g < kLevelConditions; ++g)
      masks[LevelMaskIndex(c, g)] = static_cast<std::uint16_t>((c + 1) << 12 | (g + 1) << 8 | 0x3C);
  EXPECT_EQ(WriteLevelMasks(1, masks, Recorder()), 0);
  EXPECT_EQ(pauses, std::vector<int>(7, 250));
  ASSERT_EQ(sim.received.size(), 8u);
  for (int c = 0; c < kLevelOutputs; ++c) {
    std::vector<std::uint8_t> frame{0x01, 0x10, 0x00, static_cast<std::uint8_t>(48 + c), 0x00, 0x04, 0x08};
    for (int g = 0; g < kLevelConditions; ++g) {
      frame.push_back(static_cast<std::uint8_t>((c + 1) << 4 | (g + 1)));
      frame.push_back(0x3C);
    }
    EXPECT_EQ(sim.received[c], SimUnit::Frame(frame));
    EXPECT_EQ(*sim.unit.Object(static_cast<std::uint16_t>(48 + c)),
              std::vector<std::uint8_t>(frame.begin() + 7, frame.end()));
  }
}

TEST_F(LevelSeries, SetConfigReportsTheLastFailedWrite) {
  LevelMaskTable masks{};
  onPause = [this](int n) {
    if (n == 2) sim.slave.SetFaults({.exception = 0x80, .count = 1});
    if (n == 5) sim.slave.SetFaults({.silent = true, .count = 1});
  };
  EXPECT_EQ(WriteLevelMasks(1, masks, Recorder()), 0xFF);
  EXPECT_EQ(sim.received.size(), 8u);  // the series goes on after a failure
}

TEST_F(LevelSeries, TestWordsGoToEveryUnitAtOnce) {
  EXPECT_EQ(WriteLevelTestWords(0, {0x0001, 0, 0, 0x8000}, LevelTestTimeout(LevelH2O)), 0);
  ASSERT_EQ(sim.received.size(), 1u);
  EXPECT_EQ(sim.received[0],
            SimUnit::Frame({0x00, 0x10, 0x00, 0x10, 0x00, 0x04, 0x08, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00}));
  EXPECT_EQ(*sim.unit.Object(16), (std::vector<std::uint8_t>{0x00, 0x01, 0, 0, 0, 0, 0x80, 0x00}));
  EXPECT_EQ(LevelTestTimeout(LevelMax), 1u);
  EXPECT_EQ(LevelTestTimeout(Level95), 1u);
  EXPECT_EQ(LevelTestTimeout(LevelMin), 3u);
}

TEST(LevelBits, SensorKIsBitK) {
  std::uint16_t word = 0;
  SetSensorBit(word, 4, true);
  SetSensorBit(word, 15, true);
  EXPECT_EQ(word, 0x8010);
  EXPECT_TRUE(SensorBit(word, 4));
  SetSensorBit(word, 4, false);
  EXPECT_EQ(word, 0x8000);
  EXPECT_FALSE(SensorBit(word, 0));
}

}  // namespace
