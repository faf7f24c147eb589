// What the probe and counter pages send and how they show what comes back, with the neutral
// separators and with those of a Russian system (decimal comma, no-break space between thousands).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CounterTest.h"
#include "app/ProbeTest.h"

using namespace app;
namespace {

using Bytes = std::vector<std::uint8_t>;

classlib::TFormatSettings Neutral() { return classlib::TFormatSettings::Invariant(); }
classlib::TFormatSettings Russian() {
  classlib::TFormatSettings s;
  s.DecimalSeparator = L',';
  s.ThousandSeparator = L'\u00A0';
  return s;
}

Bytes DataOf(const ProbeRequest& r) { return Bytes(r.Data().begin(), r.Data().end()); }

TEST(ProbeRequests, BytesRegistersAndTimeouts) {
  struct Case {
    ProbeOp op;
    std::array<std::uint8_t, 2> address;
    bool command;
    std::uint16_t reg;
    std::uint8_t n;
    unsigned timeout;
    Bytes data;
  };
  const Case cases[] = {
      {ProbeOp::Convert, ProbeAddress(0, 1, true), true, 64, 2, 3, {0x00, 0x81, 0x01, 0x43}},
      {ProbeOp::Convert, ProbeAddress(7, 7, false), true, 64, 2, 3, {0x07, 0x07, 0x01, 0x43}},
      {ProbeOp::Adc1, ProbeAddress(2, 4, false), false, 65, 4, 5, {0x02, 0x04, 4, 0xBE, 1, 9, 4, 0}},
      {ProbeOp::Adc1Dispersion, ProbeAddress(2, 4, false), false, 65, 4, 5, {0x02, 0x04, 4, 0xBE, 1, 10, 4, 0}},
      {ProbeOp::Adc2, ProbeAddress(1, 0, true), false, 65, 4, 5, {0x01, 0x80, 4, 0xBE, 1, 11, 4, 0}},
      {ProbeOp::Density, ProbeAddress(0, 0, false), false, 64, 3, 5, {0x00, 0x00, 2, 0x49, 4, 0}},
      {ProbeOp::Temperature, ProbeAddress(0, 0, false), false, 64, 3, 5, {0x00, 0x00, 2, 0x51, 4, 0}},
      {ProbeOp::GetDensityAdd, ProbeAddress(3, 2, false), false, 65, 4, 5, {0x03, 0x02, 4, 0xBE, 1, 5, 4, 0}},
  };
  for (const Case& c : cases) {
    const ProbeRequest r = MakeProbeRequest(c.op, c.address);
    SCOPED_TRACE(static_cast<int>(c.op));
    EXPECT_EQ(r.command, c.command);
    EXPECT_EQ(r.reg, c.reg);
    EXPECT_EQ(r.n, c.n);
    EXPECT_EQ(r.timeoutSeconds, c.timeout);
    EXPECT_EQ(DataOf(r), c.data);
    // A query's last command byte tells the master how many data bytes the probe answers.
    if (!r.command) {
      EXPECT_EQ(r.Data()[2u * r.n - 2], 4);
    }
  }
  const ProbeRequest set = MakeProbeRequest(ProbeOp::SetDensityAdd, ProbeAddress(0, 2, false), 0.5f);
  EXPECT_TRUE(set.command);
  EXPECT_EQ(set.reg, 65);
  EXPECT_EQ(set.n, 5);
  EXPECT_EQ(set.timeoutSeconds, 3u);
  EXPECT_EQ(DataOf(set), (Bytes{0x00, 0x02, 7, 0x4E, 5, 5, 0x00, 0x00, 0x00, 0x3F}));
}

TEST(ProbeTexts, MeasurementsWithTheSystemSeparators) {
  struct Case {
    std::wstring (*text)(std::span<const std::uint8_t>, const classlib::TFormatSettings&);
    Bytes data;
    std::wstring neutral, russian;
  };
  const Case cases[] = {
      {TenthsText, {0x01, 0xF4, 0x07}, L"500.7", L"500,7"},
      {TenthsText, {0x00, 0x00, 0x00}, L"0", L"0"},
      {TenthsText, {0x00, 0x00, 0x01}, L"0.1", L"0,1"},
      {TenthsText, {0xFF, 0xFF, 0xFF}, L"65560.5", L"65560,5"},  // 65535 + 25.5: no grouping
      {AdcText, {0x75, 0x30}, L"30,000", L"30\u00A0000"},
      {AdcText, {0x00, 0x05}, L"5", L"5"},
      {AdcText, {0x00, 0x00}, L"0", L"0"},
      {DispersionText, {0xFF, 0x00, 0x00}, L"--", L"--"},
      {DispersionText, {0x00, 0x0C, 0x03}, L"12.3", L"12,3"},
      {DispersionText, {0x00, 0x00, 0x00}, L"0", L"0"},
      {DensityAddText, {0x00, 0x00, 0x00, 0x3F}, L"0.5", L"0,5"},
      {DensityAddText, {0x00, 0x50, 0x9A, 0x44}, L"1,234.5", L"1\u00A0234,5"},
      {DensityAddText, {0x00, 0x00, 0x00, 0x00}, L"0", L"0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.text(c.data, Neutral()), c.neutral);
    EXPECT_EQ(c.text(c.data, Russian()), c.russian);
  }
}

TEST(CounterTexts, ByteOrdersAndFormats) {
  EXPECT_EQ(CounterText(Bytes{0x12, 0x34, 0x56, 0x78}), L"12345678");
  EXPECT_EQ(CounterText(Bytes{0x00, 0x00, 0x00, 0x0A}), L"0000000A");
  // Position: least significant byte first; resolution: most significant byte first.
  EXPECT_EQ(PositionText(Bytes{0x00, 0x00, 0x80, 0x3F}, Neutral()), L"1.00");
  EXPECT_EQ(PositionText(Bytes{0x00, 0x00, 0x80, 0x3F}, Russian()), L"1,00");
  EXPECT_NE(PositionText(Bytes{0x3F, 0x80, 0x00, 0x00}, Neutral()), L"1.00");
  EXPECT_EQ(ResolutionText(Bytes{0x3F, 0x80, 0x00, 0x00}, Neutral()), L"1.000");
  EXPECT_EQ(ResolutionText(Bytes{0x3E, 0x00, 0x00, 0x00}, Russian()), L"0,125");
  EXPECT_EQ(PositionText(Bytes{0x00, 0x50, 0x9A, 0x44}, Russian()), L"1\u00A0234,50");
  // A zeroed reply (nothing came) shows "-".
  EXPECT_EQ(PositionText(Bytes{0, 0, 0, 0}, Neutral()), L"-");
  EXPECT_EQ(ResolutionText(Bytes{0, 0, 0, 0}, Neutral()), L"-");
}

TEST(DensityAdd, OnlyANumberInTheFloatRangeIsSent) {
  EXPECT_EQ(ParseDensityAdd(L"0,5", Russian()), 0.5f);
  EXPECT_EQ(ParseDensityAdd(L" -2,25 ", Russian()), -2.25f);
  EXPECT_EQ(ParseDensityAdd(L"2.5", Neutral()), 2.5f);
  for (const wchar_t* bad : {L"", L"abc", L"0.5", L"1,5x", L"1e39", L"-1e39"})
    EXPECT_EQ(ParseDensityAdd(bad, Russian()), std::nullopt) << bad;
  EXPECT_EQ(FloatLsbFirst(FloatBytesLsbFirst(-7.75f)), -7.75f);
}

TEST(ProbeSerialEntry, SerialNumberBecomesTheIdentifier) {
  const ProbeSerialEntry entry = EnterProbeSerial(L"123");
  ASSERT_TRUE(entry.identifier);
  // "3A5C7E91" 000123 as bytes, then their one-wire CRC-8.
  EXPECT_EQ(*entry.identifier, L"3A5C7E9100012368");
  EXPECT_EQ(EnterProbeSerial(L"4711").identifier, L"3A5C7E910047115B");
  EXPECT_EQ(EnterProbeSerial(L"654321").identifier.value_or(L"").substr(0, 14), L"3A5C7E91654321");
  EXPECT_EQ(entry.code, 0);
}

TEST(ProbeSerialEntry, WrongInputGivesACodeOrATextAndNoIdentifier) {
  struct Case {
    const wchar_t* text;
    std::uint8_t code;
    bool inputError;
  };
  const Case cases[] = {
      {L"", 0xE0, false},
      {L"1234567", 0xE1, false},
      {L"123456789012345", 0xE1, false},
      {L"1234567890123456789", 0xE1, false},
      {L"3A5C7E9100012368", 0xE2, false},
      {L"12x", 0, true},
      {L"-1", 0, true},
      {L"12 3", 0, true},
  };
  for (const Case& c : cases) {
    const ProbeSerialEntry e = EnterProbeSerial(c.text);
    EXPECT_FALSE(e.identifier) << c.text;
    EXPECT_EQ(e.code, c.code) << c.text;
    EXPECT_EQ(!e.inputError.empty(), c.inputError) << c.text;
  }
}

TEST(ProbeIdentifier, OnlySixteenHexDigitsAreWritten) {
  const auto id = ProbeIdToWrite(L"3a5C7E9100012368");
  ASSERT_TRUE(id);
  EXPECT_EQ(*id, (link::ProbeId{0x3A, 0x5C, 0x7E, 0x91, 0x00, 0x01, 0x23, 0x68}));
  for (const wchar_t* bad :
       {L"", L"123", L"3A5C7E910001236", L"3A5C7E91000123688", L"3A5C7E91000123G8", L"3A5C7E91 0012368"})
    EXPECT_EQ(ProbeIdToWrite(bad), std::nullopt) << bad;
}

TEST(ProbeIdentifier, ListRow) {
  const link::ProbeId id{0x3A, 0x5C, 0x7E, 0x91, 0x00, 0x01, 0x23, 0x68};
  const ProbeIdRow row = MakeProbeIdRow(63, 8, 8, id);
  EXPECT_EQ(row.number, L"64");
  EXPECT_EQ(row.channel, L"08");
  EXPECT_EQ(row.position, L"08");
  EXPECT_EQ(row.id, L"3A5C7E91000123");
  EXPECT_EQ(row.crc, L"68");
}

}  // namespace
