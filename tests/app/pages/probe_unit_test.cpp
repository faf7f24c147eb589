// The probe and counter pages' requests against the simulated unit: the frames on the line and
// the texts of what comes back.
#include <gtest/gtest.h>

#include <array>

#include "app/CounterTest.h"
#include "app/ProbeTest.h"
#include "app/link/Modbus.h"
#include "tests/app/pages/SimUnit.h"

using namespace app;
namespace {

const classlib::TFormatSettings kNeutral = classlib::TFormatSettings::Invariant();

TEST(ProbeUnit, DensityOfTheFirstProbe) {
  SimUnit sim;
  std::array<std::uint8_t, 8> out{};
  const ProbeRequest r = MakeProbeRequest(ProbeOp::Density, ProbeAddress(0, 0, false));
  EXPECT_EQ(RunProbeRequest(1, r, out), 0);
  EXPECT_EQ(sim.received.at(0),
            SimUnit::Frame({0x01, 0x43, 0x00, 0x40, 0x00, 0x03, 0x06, 0x00, 0x00, 0x02, 0x49, 0x04, 0x00}));
  EXPECT_EQ(MbReplyLength(), 9u);  // the four data bytes the last command byte asked for
  EXPECT_EQ(out[0], 0x01);
  EXPECT_EQ(out[1], 0xF4);
  EXPECT_EQ(out[2], 0x07);
  EXPECT_EQ(TenthsText(out, kNeutral), L"500.7");
}

TEST(ProbeUnit, ConvertAllProbesOfAChannelSetsBit7OfThePosition) {
  SimUnit sim;
  const ProbeRequest r = MakeProbeRequest(ProbeOp::Convert, ProbeAddress(0, 1, true));
  EXPECT_EQ(RunProbeRequest(1, r, {}), 0);
  EXPECT_EQ(sim.received.at(0), SimUnit::Frame({0x01, 0x50, 0x00, 0x40, 0x00, 0x02, 0x04, 0x00, 0x81, 0x01, 0x43}));
  // Now the dispersion of the first ADC is known.
  std::array<std::uint8_t, 8> out{};
  EXPECT_EQ(RunProbeRequest(1, MakeProbeRequest(ProbeOp::Adc1Dispersion, ProbeAddress(0, 0, false)), out), 0);
  EXPECT_EQ(DispersionText(out, kNeutral), L"12.3");
}

TEST(ProbeUnit, DensityCorrectionRoundTrip) {
  SimUnit sim;
  const auto address = ProbeAddress(1, 0, false);  // X2, DS-1: probe 4711
  EXPECT_EQ(RunProbeRequest(1, MakeProbeRequest(ProbeOp::SetDensityAdd, address, -1.5f), {}), 0);
  std::array<std::uint8_t, 8> out{};
  EXPECT_EQ(RunProbeRequest(1, MakeProbeRequest(ProbeOp::GetDensityAdd, address), out), 0);
  EXPECT_EQ(DensityAddText(out, kNeutral), L"-1.5");
}

TEST(ProbeUnit, AProbeThatIsNotThereIsReported) {
  SimUnit sim;
  std::array<std::uint8_t, 8> out{};
  EXPECT_EQ(RunProbeRequest(1, MakeProbeRequest(ProbeOp::Temperature, ProbeAddress(5, 5, false)), out), 0x82);
}

TEST(CounterUnit, RegistersAndTheirByteOrders) {
  SimUnit sim;
  std::array<std::uint8_t, 4> d{};
  EXPECT_EQ(MbReadRegisters(1, d, kCounterRegister, 2, 3), 0);
  EXPECT_EQ(CounterText(d), L"00001234");
  EXPECT_EQ(MbReadRegisters(1, d, kPositionRegister, 2, 3), 0);
  EXPECT_EQ(PositionText(d, kNeutral), L"582.50");  // 0x1234 counts of 0.125
  EXPECT_EQ(MbReadRegisters(1, d, kResolutionRegister, 2, 5), 0);
  EXPECT_EQ(ResolutionText(d, kNeutral), L"0.125");
}

}  // namespace
