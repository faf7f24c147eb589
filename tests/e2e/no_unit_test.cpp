// A line on which nothing answers: a read ends with "Нет ответа ведомого!" once its 3-second
// time-out has passed, and the window answers again.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/e2e/E2e.h"

namespace {

TEST(NoUnit, ReadEndsWithNoAnswerWithinItsTimeOut) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  HWND button = app.InGroup(L"Версия и копирайт", L"Button", L"Get Rev");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(app.PressAndRead(button), L"Нет ответа ведомого!");
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(2500));
  EXPECT_LE(took, std::chrono::milliseconds(5000));
  // Nothing arrived, so there is nothing to show as raw reply.
  EXPECT_EQ(uidriver::TextOf(app.InGroup(L"Тест", L"Edit")), L"");
  e2e::Screenshot(app.Main(), L"no-unit");
  EXPECT_TRUE(app.Close());
}

}  // namespace
