// The program starts, shows its main window with the whole client area, and ends cleanly when
// the window is closed.
#include <gtest/gtest.h>

#include "tests/e2e/E2e.h"

namespace {

TEST(Startup, MainWindowOpensAndClosesCleanly) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  RECT client{};
  GetClientRect(app.Main(), &client);
  EXPECT_EQ(client.right, 695);
  EXPECT_EQ(client.bottom, 464);
  e2e::Screenshot(app.Main(), L"startup");
  ASSERT_TRUE(app.Close());
  EXPECT_EQ(app.Process().ExitCode(), 0u);
}

}  // namespace
