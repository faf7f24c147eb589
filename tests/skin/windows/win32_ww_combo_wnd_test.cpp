// The combo-edit handler: the drop-down button shows only for the styles that drop a list.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "skin/core/sCommonData.h"
#include "skin/windows/acWWComboBoxWnd.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;

struct ComboEditHandlers : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  test::Owned<TForm> form{new TForm(nullptr)};
  void SetUp() override {
    ASSERT_TRUE(manager->Active());
    form->SetBounds(0, 0, 300, 200);
  }
};

TEST_F(ComboEditHandlers, ButtonOnlyForStylesThatDropAList) {
  const int arrow = GetSystemMetrics(SM_CXVSCROLL);
  const std::pair<TComboBoxStyle, int> cases[] = {
      {csDropDown, arrow}, {csDropDownList, arrow}, {csSimple, 0}, {csOwnerDrawFixed, 0}, {csOwnerDrawVariable, 0}};
  for (const auto& [style, width] : cases) {
    SCOPED_TRACE(int(style));
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    combo->SetStyle(style);
    combo->SetBounds(10, 10, 150, 24);
    TsCommonData data(combo, true);
    data.SetSkinManager(manager.get());
    EXPECT_EQ(TacWWComboBoxWnd::GetShowButton(combo), width > 0);
    {
      auto handler = TacWWComboBoxWnd::Create(combo, &data, manager.get(), "COMBOBOX");
      ASSERT_TRUE(handler);
      RECT wr{};
      GetWindowRect(combo->Handle(), &wr);
      const TRect r = handler->ButtonRect();
      EXPECT_EQ(r.Right - r.Left, width);
      EXPECT_EQ(r.Left, wr.right - wr.left - width - 2);
      EXPECT_EQ(r.Top, 2);
      EXPECT_EQ(r.Bottom, wr.bottom - wr.top - 2);
    }
    delete combo;
  }
  // Any other control shows it.
  auto* edit = new TEdit(form.get());
  EXPECT_TRUE(TacWWComboBoxWnd::GetShowButton(edit));
}

}  // namespace
}  // namespace skin
