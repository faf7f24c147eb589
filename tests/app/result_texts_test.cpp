#include "app/ResultTexts.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace app;
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kRead = {0x01, 0x03, 0x00, 0x02, 0x00, 0x01, 0xCA, 0x25};
const Bytes kWrite = {0x01, 0x10, 0x00, 0x04, 0x00, 0x02, 0x04, 0, 0, 0, 0, 0, 0};
const Bytes kWriteEcho = {0x01, 0x10, 0x00, 0x04, 0x00, 0x02, 0x00, 0x00};
const Bytes kNoReply = {0, 0, 0, 0, 0, 0, 0, 0};

TEST(ResultText, SuccessShownOnlyWhenTheReplyConfirmsIt) {
  EXPECT_EQ(ResultText(0, kRead, kNoReply), L"Выполнено, OK");
  EXPECT_EQ(ResultText(0, kWrite, kWriteEcho), L"Выполнено, OK");
  // A broadcast write reads nothing: the panel keeps its "--".
  EXPECT_EQ(ResultText(0, kWrite, kNoReply), std::nullopt);
  Bytes probe = kWrite;
  probe[1] = 0x43;
  EXPECT_EQ(ResultText(0, probe, kNoReply), L"Выполнено, OK");
  probe[1] = 0x50;
  EXPECT_EQ(ResultText(0, probe, kNoReply), std::nullopt);
}

TEST(ResultText, CodesMapToTheirTexts) {
  const struct {
    int code;
    const wchar_t* text;
  } cases[] = {
      {0x02, L"Ошибка 0x02, ILLEGAL DATA ADDRESS (MB)"},
      {0x81, L"Ошибка 0x81, ошибка CRC"},
      {0xA6, L"Ошибка 0xA6, переполнение приемного буфера"},
      {0xE1, L"Слишком длинный серийный № ДП, введите до 6 цифр"},
      {0xFF, L"Нет ответа ведомого!"},
      {0x1FF, L"Нет ответа ведомого!"},  // taken modulo 256
      {0x09, L"Неизвестная ошибка!"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResultText(c.code, kRead, kNoReply), c.text) << c.code;
  EXPECT_EQ(ResultText(0xEE, kRead, kNoReply), std::nullopt);
}

TEST(HexTextToBytes, AcceptsHexDigitsOfEitherCaseOnly) {
  std::uint8_t b = 0x55;
  EXPECT_TRUE(HexTextToBytes(L"3F", &b, 2));
  EXPECT_EQ(b, 0x3F);
  EXPECT_TRUE(HexTextToBytes(L"0a", &b, 2));
  EXPECT_EQ(b, 0x0A);
  EXPECT_TRUE(HexTextToBytes(L"a0", &b, 2));
  EXPECT_EQ(b, 0xA0);
  for (const wchar_t* bad : {L"3", L"3FF", L"G1", L"1 ", L"-1", L"+"}) {
    b = 0x55;
    EXPECT_FALSE(HexTextToBytes(bad, &b, 2)) << bad;
    EXPECT_EQ(b, 0x55) << bad;
  }
  std::array<std::uint8_t, 2> two{};
  EXPECT_TRUE(HexTextToBytes(L"12aB", two.data(), 4));
  EXPECT_EQ(two, (std::array<std::uint8_t, 2>{0x12, 0xAB}));
}

TEST(HexText, BytesAreTwoUpperCaseDigits) {
  const Bytes reply = {0x01, 0x03, 0x02, 0x0A, 0xFF};
  EXPECT_EQ(BytesToHex(reply), L"0103020AFF");
  EXPECT_EQ(ByteToHex(0x0B), L"0B");
}

}  // namespace
