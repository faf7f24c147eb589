// Writing the hardware configuration is guarded by the password: cancelling sends nothing and
// leaves the status text alone, wrong passwords are refused with a message, and once accepted the
// password is not asked again in this run. What is written is exactly what the fields hold.
#include <gtest/gtest.h>

#include "tests/e2e/E2e.h"

namespace {

using namespace std::chrono_literals;

const std::wstring kConfig = e2e::kConfigGroup;
constexpr char kWrite[] = "01 10 00 04 00 02 04";

HWND OpenPasswordDialog(e2e::Tarvisel& app) {
  uidriver::Click(app.InGroup(kConfig, L"Button", L"Set"));
  return uidriver::WaitForTopWindow(app.Pid(), L"Ввод пароля", 5s);
}

TEST(Password, AskedUntilAcceptedThenNeverAgain) {
  e2e::Tarvisel app;
  ASSERT_NE(app.Main(), nullptr);
  EXPECT_EQ(app.PressAndRead(app.InGroup(L"Версия и копирайт", L"Button", L"Get Rev")), L"Выполнено, OK");

  // Cancelled: nothing sent, the status keeps its text. Once the window answers again the click's
  // handler is over; a request made after it shows that nothing went out before it.
  HWND dialog = OpenPasswordDialog(app);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(uidriver::TextOf(uidriver::Find(dialog, {L"Edit"})), L"");
  uidriver::SendTimeout(dialog, WM_NULL, 0, 0);  // painted before it is shot
  e2e::Screenshot(dialog, L"password-dialog");
  uidriver::Click(uidriver::Find(dialog, {L"Button", L"Cansel"}));
  ASSERT_TRUE(uidriver::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  ASSERT_TRUE(uidriver::Answers(app.Main(), 5s));
  EXPECT_EQ(app.Status(), L"Выполнено, OK");
  const std::size_t mark = e2e::LogMark();
  EXPECT_EQ(app.PressAndRead(app.InGroup(L"Версия и копирайт", L"Button", L"Get Rev")), L"Выполнено, OK");
  ASSERT_TRUE(e2e::Arrives("01 03 00 02 00 01", mark));
  EXPECT_EQ(e2e::Received(kWrite), 0);

  // The right letters in the wrong case are refused with a message; the field starts empty on
  // each showing; then the password goes through and the fields are written as they stand.
  uidriver::SetText(app.InGroup(kConfig, L"Edit", L"", 1), L"12");
  uidriver::SetText(app.InGroup(kConfig, L"Edit", L"", 2), L"34");
  ASSERT_TRUE(uidriver::Press(app.InGroup(kConfig, L"Button", L"ZigBee")));
  const std::string frame = app.ConfigurationFrameFromFields();
  EXPECT_EQ(frame.substr(0, 32), "01 10 00 04 00 02 04 00 08 12 34");
  dialog = OpenPasswordDialog(app);
  ASSERT_NE(dialog, nullptr);
  HWND field = uidriver::Find(dialog, {L"Edit"});
  EXPECT_EQ(uidriver::TextOf(field), L"");
  uidriver::Type(field, L"WEXO\r");
  HWND box = e2e::WaitForBox(app.Pid(), L"Неправильный пароль! Попробуйте еще раз.", 5s);
  ASSERT_NE(box, nullptr);
  uidriver::AnswerMessageBox(box);
  ASSERT_TRUE(uidriver::WaitUntil([&] { return e2e::WaitForBox(app.Pid(), L"Неправильный", 0ms) == nullptr; }, 3s));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(e2e::Received(kWrite), 0);
  uidriver::SetText(field, L"");
  // The user types once the field has the keyboard again.
  ASSERT_TRUE(uidriver::WaitUntil([&] { return uidriver::FocusedWindow(dialog) == field; }, 3s));
  uidriver::Type(field, L"wexo\r");
  ASSERT_TRUE(uidriver::WaitUntil([&] { return !IsWindowVisible(dialog); }, 5s));
  ASSERT_TRUE(uidriver::WaitUntil([&] { return e2e::Received(kWrite) == 1; }, 5s));
  EXPECT_TRUE(e2e::SimulatorReceived(frame)) << frame << "\n" << e2e::SimulatorLog();
  ASSERT_TRUE(uidriver::WaitUntil([&] { return app.Status() == L"Выполнено, OK"; }, 5s));

  // Accepted for the rest of the run.
  EXPECT_EQ(app.PressAndRead(app.InGroup(kConfig, L"Button", L"Set")), L"Выполнено, OK");
  EXPECT_EQ(e2e::Received(kWrite), 2);
  EXPECT_EQ(uidriver::FindMessageBox(app.Pid()), nullptr);
  e2e::Screenshot(app.Main(), L"password-accepted");
  EXPECT_TRUE(app.Close());
}

}  // namespace
