// The serial port under Wine, with the simulated unit on a pseudo-terminal at the other end.
// Arguments: --com N (the simulator's port), --absent N (a port with nothing behind it).
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "app/link/Modbus.h"
#include "app/link/Serialport.h"

namespace {

int simPort = 5;
int absentPort = 7;

using Bytes = std::vector<std::uint8_t>;

struct Shown {
  std::wstring text, caption;
};
std::vector<Shown> shown;
void Capture(const wchar_t* text, const wchar_t* caption) { shown.push_back({text, caption}); }

Bytes WithUnitCrc(Bytes frame) {
  const std::uint16_t crc = MbCrc16(frame);
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  return frame;
}

class PortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shown.clear();
    previous_ = ComSetMessageBox(Capture);
  }
  void TearDown() override {
    app::link::SetActiveLine(nullptr);
    MbSetHostLinkMode(0);
    MbSetSlaveAddress(1);
    ComClose();
    ComSetMessageBox(previous_);
  }
  void Attach() {
    ASSERT_TRUE(ComOpen(static_cast<std::uint8_t>(simPort)));
    app::link::SetActiveLine(&ComLine());
  }

 private:
  ComMessageBoxFn previous_ = nullptr;
};

using SerialPort = PortTest;
using HostLinkPort = PortTest;

TEST_F(SerialPort, RefusesNumbersOutsideOneTo32Silently) {
  EXPECT_FALSE(ComOpen(0));
  EXPECT_FALSE(ComOpen(33));
  EXPECT_FALSE(ComIsOpen());
  EXPECT_TRUE(shown.empty());
}

TEST_F(SerialPort, MissingPortShowsTheMessageOnceAndAValidPortStillOpens) {
  EXPECT_FALSE(ComOpen(static_cast<std::uint8_t>(absentPort)));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"ПОРТ НЕДОСТУПЕН");
  EXPECT_EQ(shown[0].caption, L"ВНИМАНИЕ");
  EXPECT_FALSE(ComIsOpen());

  EXPECT_TRUE(ComOpen(static_cast<std::uint8_t>(simPort)));
  EXPECT_TRUE(ComOpen(static_cast<std::uint8_t>(simPort)));  // closes the first one itself
  EXPECT_TRUE(ComClose());
  EXPECT_FALSE(ComIsOpen());
  EXPECT_TRUE(ComClose());  // nothing open: nothing to do
  EXPECT_EQ(shown.size(), 1u);
}

TEST_F(SerialPort, WritesTheWholeLineSettingsRecord) {
  // Another program left software and hardware flow control, parity checking and null stripping on.
  const std::wstring name = L"\\\\.\\COM" + std::to_wstring(simPort);
  HANDLE other = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  DCB dirty{};
  dirty.DCBlength = sizeof dirty;
  ASSERT_TRUE(GetCommState(other, &dirty));
  dirty.fOutX = dirty.fInX = TRUE;
  dirty.fParity = TRUE;
  dirty.Parity = EVENPARITY;
  dirty.fNull = TRUE;
  dirty.fOutxCtsFlow = TRUE;
  dirty.fRtsControl = RTS_CONTROL_HANDSHAKE;
  dirty.XonChar = 0x11;
  dirty.XoffChar = 0x13;
  EXPECT_TRUE(SetCommState(other, &dirty));
  CloseHandle(other);

  Attach();
  ASSERT_TRUE(ComReadLineSettings());
  const DCB& dcb = ComLineSettings();
  EXPECT_EQ(dcb.BaudRate, 9600u);
  EXPECT_EQ(dcb.ByteSize, 8);
  EXPECT_EQ(dcb.Parity, NOPARITY);
  EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
  EXPECT_FALSE(dcb.fOutX);
  EXPECT_FALSE(dcb.fInX);
  EXPECT_FALSE(dcb.fParity);
  EXPECT_FALSE(dcb.fNull);
  EXPECT_FALSE(dcb.fOutxCtsFlow);

  // XON and XOFF bytes travel both ways inside binary frames.
  const std::uint8_t io[] = {0x13, 0x11};
  EXPECT_EQ(MbWriteRegisters(1, io, 7, 1, 2), MbDone);
  std::uint8_t back[2] = {};
  EXPECT_EQ(MbReadRegisters(1, back, 7, 1, 3), MbDone);
  EXPECT_EQ(Bytes(back, back + 2), Bytes(io, io + 2));
}

TEST_F(SerialPort, WriteAndRead) {
  ASSERT_TRUE(ComOpen(static_cast<std::uint8_t>(simPort)));
  EXPECT_TRUE(ComWrite(WithUnitCrc({0x01, 0x03, 0x00, 0x02, 0x00, 0x01})));
  Bytes reply(7);
  std::size_t got = 0;
  for (int i = 0; i < 10 && got < reply.size(); ++i) got += ComRead(std::span(reply).subspan(got));
  EXPECT_EQ(reply, WithUnitCrc({0x01, 0x03, 0x02, 0x02, 0x05}));
  EXPECT_FALSE(ComHasInput());
}

TEST_F(SerialPort, ReadByteGivesFFAfterItsLimitAndLosesNothingAfterwards) {
  ASSERT_TRUE(ComOpen(static_cast<std::uint8_t>(simPort)));
  const auto begun = std::chrono::steady_clock::now();
  EXPECT_EQ(ComReadByte(), 0xFF);
  EXPECT_GE(std::chrono::steady_clock::now() - begun, std::chrono::milliseconds(1990));
  std::uint8_t byte = 0;
  EXPECT_FALSE(ComWaitByte(byte, 0));
  EXPECT_EQ(byte, 0xFF);

  // The cancelled read must not have taken the first byte of what comes next.
  ASSERT_TRUE(ComWrite(WithUnitCrc({0x01, 0x03, 0x00, 0x02, 0x00, 0x01})));
  Bytes reply;
  for (int i = 0; i < 7; ++i) reply.push_back(ComReadByte());
  EXPECT_EQ(reply, WithUnitCrc({0x01, 0x03, 0x02, 0x02, 0x05}));
}

TEST_F(SerialPort, Transactions) {
  Attach();
  std::uint8_t version[2] = {};
  EXPECT_EQ(MbReadRegisters(1, version, 2, 1, 3), MbDone);
  EXPECT_EQ(Bytes(version, version + 2), (Bytes{2, 5}));
  const std::uint16_t delay[] = {300};
  EXPECT_EQ(MbWriteWords(1, delay, 113, 1, 2), MbDone);
  std::uint16_t back[1] = {};
  EXPECT_EQ(MbReadWords(1, back, 113, 1, 3), MbDone);
  EXPECT_EQ(back[0], 300);
  EXPECT_EQ(MbReadRegisters(1, version, 300, 1, 3), 0x02);
  const std::uint16_t test[] = {0, 0, 0, 0};
  EXPECT_EQ(MbWriteWords(0, test, 16, 4, 1), MbDone);           // broadcast: no answer awaited
  EXPECT_EQ(MbReadRegisters(9, version, 2, 1, 1), MbNoAnswer);  // nobody at address 9
}

TEST_F(HostLinkPort, Transactions) {
  Attach();
  ASSERT_TRUE(ComSetStopBits(ONESTOPBIT));
  ASSERT_TRUE(ComReadLineSettings());
  EXPECT_EQ(ComLineSettings().StopBits, ONESTOPBIT);
  MbSetHostLinkMode(1);
  std::uint8_t version[2] = {};
  EXPECT_EQ(MbReadRegisters(1, version, 2, 1, 3), MbDone);
  EXPECT_EQ(Bytes(version, version + 2), (Bytes{2, 5}));
  const std::uint8_t io[] = {0x11, 0x13};
  EXPECT_EQ(MbWriteRegisters(1, io, 7, 1, 2), MbDone);
  std::uint8_t back[2] = {};
  EXPECT_EQ(MbReadRegisters(1, back, 7, 1, 3), MbDone);
  EXPECT_EQ(Bytes(back, back + 2), Bytes(io, io + 2));
  EXPECT_EQ(MbReadRegisters(1, version, 300, 1, 3), 0x02);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--com") == 0) simPort = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--absent") == 0) absentPort = std::atoi(argv[i + 1]);
  }
  return RUN_ALL_TESTS();
}
