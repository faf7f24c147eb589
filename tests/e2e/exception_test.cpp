// A unit that answers with an exception: the status bar names it.
#include <gtest/gtest.h>

#include "tests/e2e/E2e.h"

namespace {

TEST(UnitException, ItsTextIsShown) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  EXPECT_EQ(app.PressAndRead(app.InGroup(L"Версия и копирайт", L"Button", L"Get Rev")),
            L"Ошибка 0x02, ILLEGAL DATA ADDRESS (MB)");
  EXPECT_EQ(app.PressAndRead(app.InGroup(L"Конфигурация КТ.8", L"Button", L"Get")),
            L"Ошибка 0x02, ILLEGAL DATA ADDRESS (MB)");
  e2e::Screenshot(app.Main(), L"exception");
  EXPECT_TRUE(app.Close());
}

}  // namespace
