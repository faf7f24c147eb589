#include "app/link/Densimeter.h"

#include <gtest/gtest.h>

#include <string>

using namespace app::link;

namespace {

std::uint8_t Crc(const std::string& s) { return Crc8Maxim(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }

TEST(Densimeter, OneWireCrcVectors) {
  EXPECT_EQ(Crc("123456789"), 0xA1);
  EXPECT_EQ(Crc(""), 0x00);
  // The ROM code worked through in Maxim's one-wire CRC application note.
  const std::uint8_t rom[8] = {0x02, 0x1C, 0xB8, 0x01, 0x00, 0x00, 0x00, 0xA2};
  EXPECT_EQ(Crc8Maxim(rom, 7), 0xA2);
  EXPECT_EQ(Crc8Maxim(rom, 8), 0x00);  // a whole identifier checks to zero
}

TEST(Densimeter, SerialNumberBecomesIdentifier) {
  EXPECT_EQ(ProbeSerialText(L"123"), L"3A5C7E91000123");
  EXPECT_EQ(ProbeSerialText(L"654321"), L"3A5C7E91654321");
  ProbeId id{};
  ASSERT_TRUE(ProbeIdFromSerialText(ProbeSerialText(L"123"), id));
  const std::uint8_t body[7] = {0x3A, 0x5C, 0x7E, 0x91, 0x00, 0x01, 0x23};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(id[i], body[i]);
  EXPECT_EQ(id[7], Crc8Maxim(body, 7));
  EXPECT_EQ(Crc8Maxim(id.data(), 8), 0);
}

TEST(Densimeter, WrongLengthsLeaveTheIdentifierUntouched) {
  ProbeId id{1, 2, 3, 4, 5, 6, 7, 8};
  const ProbeId before = id;
  EXPECT_FALSE(ProbeIdFromSerialText(L"3A5C7E910001", id));
  EXPECT_FALSE(ProbeIdFromHexText(L"3A5C7E91000123A", id));
  EXPECT_EQ(id, before);
  ASSERT_TRUE(ProbeIdFromHexText(L"3a5c7e91000123ff", id));
  EXPECT_EQ(id[1], 0x5C);
  EXPECT_EQ(id[7], 0xFF);
}

TEST(Densimeter, HexTextAndRegisters) {
  EXPECT_TRUE(IsHexText(L"3A5C7e91000123F0"));
  EXPECT_FALSE(IsHexText(L"3A5C7G91"));
  EXPECT_FALSE(IsHexText(L""));
  EXPECT_EQ(ProbeIdRegister(2, 4), 196);  // X3, DS-5
  EXPECT_EQ(ProbeIdRegister(7, 7), 239);
}

}  // namespace
