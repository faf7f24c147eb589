// The driver against a fixture program in another process: every reading and every action
// the end-to-end tests rely on must work across processes under Wine.
#include "tools/uidriver/UiDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace uidriver;

namespace {

std::wstring FixturePath() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"uidriver_fixture.exe";
}

class UiDriverTest : public testing::Test {
 protected:
  void SetUp() override {
    app = Process::Start(FixturePath());
    ASSERT_TRUE(app.Running());
    main = WaitForTopWindow(app.Id(), L"Fixture window", 10s);
    ASSERT_NE(main, nullptr);
  }
  Process app;
  HWND main = nullptr;
};

TEST_F(UiDriverTest, ReadsTextsThatLiveInTheOtherProcess) {
  HWND status = Find(main, {STATUSCLASSNAMEW});
  EXPECT_EQ(StatusText(status, 2), L"Выполнено, OK");
  HWND list = Find(main, {WC_LISTVIEWW});
  ASSERT_EQ(ListViewCount(list), 1);
  EXPECT_EQ(ListViewText(list, 0, 0), L"1");
  EXPECT_EQ(ListViewText(list, 0, 1), L"3A5C7E91000123");
  HWND tabs = Find(main, {WC_TABCONTROLW});
  ASSERT_EQ(TabCount(tabs), 2);
  EXPECT_EQ(TabText(tabs, 1), L"Тест ДП");
}

TEST_F(UiDriverTest, FindsControlsInsideAGroupByClassAndOrder) {
  HWND edit = FindInGroup(main, L"Версия и копирайт", {L"Edit"});
  EXPECT_EQ(TextOf(edit), L"-");
  EXPECT_EQ(TryFindInGroup(main, L"Версия и копирайт", {L"Edit", L"", 1}), nullptr);
  EXPECT_EQ(TryFindInGroup(main, L"Нет такой группы", {L"Edit"}), nullptr);
}

// A control that is not there fails the test and names what was looked for: "disabled",
// "unchecked" or "empty" can never be read from a caption that changed.
TEST_F(UiDriverTest, AMissingControlFailsWithTheNameLookedFor) {
  const auto failure = [](const auto& query) -> std::string {
    try {
      query();
    } catch (const NotFound& e) {
      return e.what();
    }
    return "no failure";
  };
  const std::string missing = failure([&] { return IsEnabled(Find(main, {L"Button", L"Get Config"})); });
  EXPECT_NE(missing.find("Button \"Get Config\""), std::string::npos) << missing;
  EXPECT_NE(missing.find("Fixture window"), std::string::npos) << missing;
  const std::string second = failure([&] { return IsChecked(Find(main, {L"Button", L"Get Rev", 1})); });
  EXPECT_NE(second.find("Button \"Get Rev\" (match 2)"), std::string::npos) << second;
  const std::string group = failure([&] { return TextOf(FindInGroup(main, L"Нет такой группы", {L"Edit"})); });
  EXPECT_NE(group.find("the group box \"Нет такой группы\""), std::string::npos) << group;
  const std::string inGroup = failure([&] {
    return TextOf(FindInGroup(main, L"Версия и копирайт", {L"Edit", L"", 1}));
  });
  EXPECT_NE(inGroup.find("Edit (match 2) in the group box \"Версия и копирайт\""), std::string::npos) << inGroup;
  // A handle that names no window is no answer either.
  for (const auto& read : std::initializer_list<std::function<void()>>{
           [] { IsEnabled(nullptr); }, [] { IsChecked(nullptr); }, [] { TextOf(nullptr); },
           [] { StatusText(nullptr, 0); }, [] { ListViewCount(nullptr); }, [] { TabCount(nullptr); }})
    EXPECT_THROW(read(), NotFound);
}

TEST_F(UiDriverTest, ClicksSelectsAndAnswersMessageBoxes) {
  HWND edit = FindInGroup(main, L"Версия и копирайт", {L"Edit"});
  HWND combo = Find(main, {L"ComboBox"});
  SelectComboItem(combo, 1);
  EXPECT_TRUE(WaitUntil([&] { return TextOf(edit) == L"BU-№1"; }, 5s)) << TextOf(edit).size();
  EXPECT_EQ(ComboIndex(combo), 1);

  Click(Find(main, {L"Button", L"Get Rev"}));
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindMessageBox(app.Id(), L"Нет ответа")) != nullptr; }, 5s));
  EXPECT_EQ(MessageBoxText(box), L"Нет ответа ведомого!");
  EXPECT_TRUE(AnswerMessageBox(box, L"OK"));
  EXPECT_TRUE(WaitUntil([&] { return TextOf(edit) == L"box closed"; }, 5s));

  HWND tabs = Find(main, {WC_TABCONTROLW});
  ASSERT_TRUE(SelectTab(tabs, L"Тест ДП"));
  EXPECT_TRUE(WaitUntil([&] { return TabIndex(tabs) == 1; }, 5s));
  EXPECT_TRUE(WaitUntil([&] { return StatusText(Find(main, {STATUSCLASSNAMEW}), 1) == L"tab 1"; }, 5s));
}

TEST_F(UiDriverTest, ChoosesFromAPopupMenu) {
  RightClickAt(main, POINT{400, 50});
  ASSERT_TRUE(ChoosePopupItem(app.Id(), 1));
  HWND status = Find(main, {STATUSCLASSNAMEW});
  EXPECT_TRUE(WaitUntil([&] { return StatusText(status, 0) == L"chose 102"; }, 5s)) << StatusText(status, 0).size();
}

}  // namespace

namespace {

// The program translates key presses into characters itself: typed text arrives once, in order,
// and Enter comes after the characters before it.
TEST_F(UiDriverTest, TypesTextOnceAndInOrder) {
  HWND edit = FindInGroup(main, L"Версия и копирайт", {L"Edit"});
  SetText(edit, L"");
  Type(edit, L"wexo AB-12");
  EXPECT_EQ(TextOf(edit), L"wexo AB-12");
}

}  // namespace
