#include "classlib/Cp1251.h"

#include <gtest/gtest.h>

using classlib::Cp1251ToWide;
using classlib::WideToCp1251;

TEST(Cp1251, RussianStatusTextsRoundTrip) {
  const std::wstring text = L"Выполнено, OK; Нет ответа ведомого! ПОРТ НЕДОСТУПЕН №5 Ёё";
  const std::string bytes = WideToCp1251(text);
  ASSERT_EQ(bytes.size(), text.size());
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC2);  // 'В'
  EXPECT_EQ(Cp1251ToWide(bytes), text);
}

TEST(Cp1251, EveryByteMapsAndBackExceptTheHole) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::wstring wide = Cp1251ToWide(one);
    ASSERT_EQ(wide.size(), 1u);
    if (b == 0x98) {
      EXPECT_EQ(wide[0], L'\xFFFD');
      continue;
    }
    EXPECT_EQ(WideToCp1251(wide), one) << "byte " << b;
  }
}

TEST(Cp1251, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(WideToCp1251(L"a\x4E2D"
                         L"b\xFFFD"),
            "a?b?");
}
