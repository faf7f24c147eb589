// The unit behind the ВЕМ-Д.5 instrument: with "HostLink" checked every request travels inside
// the host-link envelope, reads and writes alike.
#include <gtest/gtest.h>

#include "tests/e2e/E2e.h"

namespace {

TEST(HostLink, ReadsAndWritesTravelInTheEnvelope) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  ASSERT_TRUE(app.ShowPage(L"Контроль уровней"));
  HWND hostLink = app.InGroup(L"Транзит ВЕМ-Д.5", L"Button", L"HostLink");
  ASSERT_TRUE(uidriver::Press(hostLink));
  EXPECT_TRUE(uidriver::IsChecked(hostLink));
  e2e::Screenshot(app.Main(), L"hostlink");
  ASSERT_TRUE(app.ShowPage(L"Конфигурация"));

  EXPECT_EQ(app.PressAndRead(app.InGroup(L"Версия и копирайт", L"Button", L"Get Rev")), L"Выполнено, OK");
  EXPECT_EQ(uidriver::TextOf(app.InGroup(L"Версия и копирайт", L"Edit")), L"Rev 2.05");
  // The envelope of the worked example: read one register at address 2 of unit 1.
  EXPECT_NE(e2e::SimulatorLog().find("@FF2D08010300020001CA253A*"), std::string::npos);

  // A write through the instrument is not answered: it reports nothing but reaches the unit.
  HWND trigger = app.InGroup(L"Триггеры", L"Edit");
  EXPECT_EQ(app.PressAndRead(app.InGroup(L"Конфигурация КТ.8", L"Button", L"Get")), L"Выполнено, OK");
  uidriver::SetText(trigger, L"3C");
  EXPECT_EQ(app.PressAndRead(app.InGroup(L"Триггеры", L"Button", L"Set Trigger")), L"--");
  EXPECT_EQ(app.PressAndRead(app.InGroup(L"Триггеры", L"Button", L"Get Trigger")), L"Выполнено, OK");
  EXPECT_EQ(uidriver::TextOf(trigger), L"3C");
  EXPECT_TRUE(app.Close());
}

}  // namespace
