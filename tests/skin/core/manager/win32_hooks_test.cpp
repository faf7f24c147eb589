// The default manager's hooks under Wine: the CBT hook comes with the first skin once and goes
// with the skin, and the hook on the application's window lives as long as the default manager;
// the control under the mouse as the manager keeps it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "tests/skin/core/manager/ManagerFixture.h"

namespace skin {
namespace {

using namespace classlib;

using skin::testing::OurSkin;
using skin::testing::Owned;
using skin::testing::TCountingForm;

// A manager with our skin as its only internal skin, in a skin directory that holds nothing.
Owned<TsSkinManager> ManagerWithOurSkin() {
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  manager->SetSkinDirectory(L".\\hooks-test-no-skins");
  TsStoredSkin* internal = manager->InternalSkins().Add();
  internal->Name = L"Tarvisel (internal)";
  internal->Data = OurSkin();
  return manager;
}

TEST(ManagerHooks, TheCbtHookIsInstalledOnceWithTheSkinAndRemovedWithIt) {
  ASSERT_EQ(DefaultManager(), nullptr);
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TsSkinManager> second = ManagerWithOurSkin();
  EXPECT_FALSE(manager->GlobalHookInstalled);
  manager->SetSkinName(L"Tarvisel");
  ASSERT_EQ(manager->SkinInfo(), L"7.56");
  ASSERT_TRUE(manager->GlobalHookInstalled);
  const HHOOK hook = manager->CbtHook();
  ASSERT_NE(hook, nullptr);
  manager->SendNewSkin(false);
  EXPECT_EQ(manager->CbtHook(), hook) << "a second announcement installs no second hook";

  second->SetSkinName(L"Tarvisel");
  EXPECT_FALSE(second->GlobalHookInstalled) << "only the default manager hooks";
  EXPECT_EQ(second->CbtHook(), nullptr);

  manager->SetActive(false);
  EXPECT_FALSE(manager->GlobalHookInstalled);
  EXPECT_EQ(manager->CbtHook(), nullptr);
  EXPECT_FALSE(UnhookWindowsHookEx(hook)) << "the hook was removed already";
}

TEST(ManagerHooks, TheApplicationWindowHookLivesAsLongAsTheDefaultManager) {
  Owned<TCountingForm> form{Create<TCountingForm>(Application)};
  form->SetBounds(40, 40, 200, 100);
  form->Handle();
  {
    Owned<TsSkinManager> manager = ManagerWithOurSkin();
    ASSERT_TRUE(manager->IsDefault());
    // The application's activation notice has every form redraw.
    SendMessageW(Application->Handle(), CM_ACTIVATE, 0, 0);
    EXPECT_EQ(form->Count(ACMD_REDRAW), 1);
    EXPECT_EQ(SendMessageW(Application->Handle(), WM_THEMECHANGED, 0, 0), 0);

    // Minimise and restore requests are remembered while a skin is active.
    manager->SetSkinName(L"Tarvisel");
    TMessage minimize{WM_SYSCOMMAND, SC_MINIMIZE, 0, 0};
    EXPECT_FALSE(manager->MainWindowHook(minimize));
    EXPECT_EQ(manager->ShowState, saMinimize);
    TMessage restore{WM_SYSCOMMAND, SC_RESTORE, 0, 0};
    EXPECT_FALSE(manager->MainWindowHook(restore));
    EXPECT_EQ(manager->ShowState, saRestore);
    TMessage move{WM_SYSCOMMAND, SC_MOVE, 0, 0};
    manager->MainWindowHook(move);
    EXPECT_EQ(manager->ShowState, saIgnore);

    TMessage theme{WM_THEMECHANGED, 0, 0, 0};
    EXPECT_TRUE(manager->MainWindowHook(theme)) << "the application leaves theme changes alone";
    TMessage menuBorder{0xBCB3, 0, 0, 0};
    EXPECT_TRUE(manager->MainWindowHook(menuBorder));
    manager->SkinnedPopups = false;
    EXPECT_FALSE(manager->MainWindowHook(menuBorder));
  }
  SendMessageW(Application->Handle(), CM_ACTIVATE, 0, 0);
  EXPECT_EQ(form->Count(ACMD_REDRAW), 1) << "the hook went with the manager";
}

// A windowless control that counts its skin commands and answers command 37 with its skin state.
class TCountingGraphic : public TGraphicControl {
 public:
  explicit TCountingGraphic(TComponent* owner) : TGraphicControl(owner), skin(this, false) {}
  std::vector<unsigned> commands;
  TsCommonData skin;
  int Count(unsigned command) const { return static_cast<int>(std::count(commands.begin(), commands.end(), command)); }

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      commands.push_back(CommandOf(m.WParam));
      if (CommandOf(m.WParam) == ACMD_GETSKINDATA) m.Result = reinterpret_cast<LRESULT>(&skin);
      return;
    }
    TGraphicControl::WndProc(m);
  }
};

TEST(ManagerMouse, TheControlTheMouseLeavesAndTheWindowItEntersAreTold) {
  Owned<TCountingForm> first{Create<TCountingForm>(Application)};
  Owned<TCountingForm> second{Create<TCountingForm>(Application)};
  first->Handle();
  second->Handle();
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};

  manager->SetActiveControl(first->Handle());
  EXPECT_EQ(first->Count(ACMD_MOUSEENTER), 1);
  manager->SetActiveControl(first->Handle());
  EXPECT_EQ(first->Count(ACMD_MOUSEENTER), 1) << "the same window again changes nothing";
  manager->SetActiveControl(second->Handle());
  EXPECT_EQ(first->Count(ACMD_MOUSELEAVE), 1);
  EXPECT_EQ(second->Count(ACMD_MOUSEENTER), 1);

  // A windowless control takes the place of the window, which the mouse left.
  TCountingGraphic* graphic = Create<TCountingGraphic>(first.get());
  graphic->SetParent(first.get());
  manager->SetActiveGraphControl(graphic);
  EXPECT_EQ(second->Count(ACMD_MOUSELEAVE), 1);
  EXPECT_EQ(manager->ActiveControl(), nullptr);
  EXPECT_EQ(manager->ActiveGraphControl(), graphic);

  // While it says the mouse is above it, it keeps its place, and no window takes it.
  graphic->skin.FMouseAbove = true;
  manager->SetActiveControl(second->Handle());
  EXPECT_EQ(manager->ActiveGraphControl(), graphic);
  EXPECT_EQ(manager->ActiveControl(), nullptr);
  EXPECT_EQ(second->Count(ACMD_MOUSEENTER), 1);
  EXPECT_EQ(graphic->Count(ACMD_MOUSELEAVE), 0);

  graphic->skin.FMouseAbove = false;
  manager->SetActiveControl(second->Handle());
  EXPECT_EQ(manager->ActiveGraphControl(), nullptr);
  EXPECT_EQ(graphic->Count(ACMD_MOUSELEAVE), 1);
  EXPECT_EQ(second->Count(ACMD_MOUSEENTER), 2);

  // A control that goes is forgotten.
  manager->SetActiveGraphControl(graphic);
  Free(graphic);
  EXPECT_EQ(manager->ActiveGraphControl(), nullptr);
}

}  // namespace
}  // namespace skin
