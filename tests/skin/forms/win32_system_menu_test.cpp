// The skinned system menu of a provider on a real form: built from the native system menu, its
// items shown and enabled by the form's state, the skin submenu and choosing a skin from it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/acDials.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::ManagerWithOurSkin;
using test::Owned;

struct SkinnedForm {
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;
  explicit SkinnedForm(TFormBorderStyle style, TBorderIcons icons = {biSystemMenu, biMinimize, biMaximize}) {
    RegisterSkinProviderClasses();
    form.reset(classlib::Create<TForm>(nullptr));
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->SetBounds(30, 30, 300, 200);
    form->HandleNeeded();
    provider = classlib::Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
  }
  ~SkinnedForm() { classlib::Free(provider); }
};

std::vector<std::wstring> Captions(const TMenuItem* items) {
  std::vector<std::wstring> c;
  for (int i = 0; i < items->Count(); ++i) c.push_back(items->Items(i)->Caption());
  return c;
}

TEST(SystemMenu, BuiltFromTheNativeMenuWithAddedCommandsBeforeClose) {
  SkinnedForm f(bsSizeable);
  HMENU native = GetSystemMenu(f.form->Handle(), FALSE);
  ASSERT_NE(native, nullptr);
  AppendMenuW(native, MF_STRING, 0x120, L"About\tF1");
  f.provider->PrepareForm();
  TsSystemMenu* menu = f.provider->SystemMenu;
  ASSERT_NE(menu, nullptr);
  menu->UpdateItems(true);
  const std::vector<std::wstring> captions = Captions(menu->Items());
  ASSERT_EQ(captions.size(), 9u);
  EXPECT_EQ(captions[5], L"-");
  EXPECT_EQ(captions[6], L"About");
  EXPECT_EQ(captions[7], L"-");
  EXPECT_EQ(menu->ExtItemsCount, 1);
  EXPECT_EQ(menu->Items()->Items(6)->Tag(), 0x120);
  EXPECT_EQ(menu->Items()->Items(8), menu->ItemClose);
  EXPECT_EQ(menu->ItemClose->Tag(), SC_CLOSE);
  EXPECT_EQ(menu->ItemRestore->Name(), L"acIR");
  EXPECT_EQ(menu->ItemMaximize->Tag(), SC_MAXIMIZE);
  // The system menu's own buttons are switched off while the provider draws the frame.
  EXPECT_EQ(GetWindowLongPtrW(f.form->Handle(), GWL_STYLE) & WS_SYSMENU, 0);
  EXPECT_TRUE(f.provider->HaveSysMenu);
}

TEST(SystemMenu, ItemsFollowTheBorderStyle) {
  struct Case {
    TFormBorderStyle style;
    TBorderIcons icons;
    bool restoreVisible, restoreEnabled, sizeVisible, sizeEnabled, minVisible, maxVisible, maxEnabled;
  };
  const Case cases[] = {
      {bsSingle, {biSystemMenu, biMinimize}, true, false, true, false, true, false, false},
      {bsSizeable, {biSystemMenu, biMinimize, biMaximize}, true, false, true, true, true, true, true},
      {bsDialog, {biSystemMenu}, false, false, false, true, false, false, false},
      {bsToolWindow, {biSystemMenu}, false, false, false, true, false, false, false},
      {bsSizeToolWin, {biSystemMenu}, false, false, true, true, false, false, false},
  };
  for (const Case& c : cases) {
    SkinnedForm f(c.style, c.icons);
    f.provider->PrepareForm();
    TsSystemMenu* menu = f.provider->SystemMenu;
    ASSERT_NE(menu, nullptr);
    menu->UpdateItems(false);
    const int s = static_cast<int>(c.style);
    EXPECT_EQ(menu->ItemRestore->Visible(), c.restoreVisible) << s;
    EXPECT_EQ(menu->ItemRestore->Enabled(), c.restoreEnabled) << s;
    EXPECT_EQ(menu->ItemSize->Visible(), c.sizeVisible) << s;
    EXPECT_EQ(menu->ItemSize->Enabled(), c.sizeEnabled) << s;
    EXPECT_EQ(menu->ItemMinimize->Visible(), c.minVisible) << s;
    EXPECT_EQ(menu->ItemMaximize->Visible(), c.maxVisible) << s;
    EXPECT_EQ(menu->ItemMaximize->Enabled(), c.maxEnabled) << s;
    EXPECT_TRUE(menu->ItemClose->Visible()) << s;
    EXPECT_TRUE(menu->ItemMove->Enabled()) << s;
  }
}

TEST(SystemMenu, NoNativeCloseHidesClose) {
  SkinnedForm f(bsSingle);
  DeleteMenu(GetSystemMenu(f.form->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND);
  f.provider->PrepareForm();
  f.provider->SystemMenu->UpdateItems(true);
  EXPECT_FALSE(f.provider->SystemMenu->ItemClose->Visible());
}

TEST(SystemMenu, SkinSubmenuHasAColumnPerTwentySkinsAndChoosesTheSkin) {
  SkinnedForm f(bsSizeable);
  for (int i = 1; i < 45; ++i) {
    TsStoredSkin* s = f.manager->InternalSkins().Add();
    s->Name = L"Skin " + std::to_wstring(100 + i) + L" (internal)";
  }
  f.provider->PrepareForm();
  TsSystemMenu* menu = f.provider->SystemMenu;
  menu->MakeSkinItems();
  TMenuItem* root = menu->Items()->Items(0);
  EXPECT_EQ(root->Name(), L"SkinSelectItem");
  EXPECT_EQ(root->Caption(), L"Available skins");
  EXPECT_TRUE(menu->Items()->Items(1)->IsLine());
  ASSERT_EQ(root->Count(), 45);
  int columns = 1, checked = 0;
  for (int i = 0; i < root->Count(); ++i) {
    columns += root->Items(i)->Break() ? 1 : 0;
    checked += root->Items(i)->Checked() ? 1 : 0;
    EXPECT_EQ(root->Items(i)->Name(), L"SkinSelectItem" + std::to_wstring(i));
  }
  EXPECT_EQ(columns, 3);
  EXPECT_TRUE(root->Items(20)->Break());
  EXPECT_TRUE(root->Items(40)->Break());
  EXPECT_EQ(checked, 1);
  // An accelerator mark and the text after "(internal)" are not part of the name.
  TMenuItem* chosen = root->Items(0);
  chosen->SetCaption(L"&Tarvisel (internal) extra");
  menu->SkinSelect(chosen);
  EXPECT_EQ(f.manager->SkinName(), L"Tarvisel (internal)");
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(SystemMenu, ClicksSendTheirCommandsToTheForm) {
  SkinnedForm f(bsSizeable);
  AppendMenuW(GetSystemMenu(f.form->Handle(), FALSE), MF_STRING, 0x120, L"About");
  f.provider->PrepareForm();
  struct Recorder {
    TWndMethod saved;
    std::vector<WPARAM> commands;
    void Proc(TMessage& m) {
      if (m.Msg == WM_SYSCOMMAND) {
        commands.push_back(m.WParam & 0xFFF0);
        m.Result = 0;
        return;
      }
      saved(m);
    }
  } recorder{f.form->WindowProc, {}};
  f.form->WindowProc = TWndMethod(&recorder, &Recorder::Proc);
  TsSystemMenu* menu = f.provider->SystemMenu;
  menu->UpdateItems(true);
  ASSERT_EQ(menu->ExtItemsCount, 1);
  menu->ItemClose->Click();
  menu->ItemMove->Click();
  menu->Items()->Items(6)->Click();  // the added command is posted
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(recorder.commands, (std::vector<WPARAM>{SC_CLOSE, SC_MOVE, 0x120}));
  f.form->WindowProc = recorder.saved;
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

// A dialog handler's rules as a dialog with a sizing frame and only a close box has them.
struct FakeDialog : IacDialogMenuOwner {
  HWND wnd;
  TacBorderStyle kind = acbsSizeable;
  HWND DialogHandle() const override { return wnd; }
  TacBorderStyle DialogBorderStyle() const override { return kind; }
  bool VisibleClose() const override { return true; }
  bool VisibleMax() const override { return false; }
  bool VisibleMin() const override { return false; }
  bool VisibleRestore() const override { return true; }
  bool EnabledMax() const override { return false; }
  bool EnabledMin() const override { return false; }
  bool EnabledRestore() const override { return false; }
};

TEST(DialogSystemMenu, ItemsAndRules) {
  test::NativeWindow dialog(L"STATIC", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 200, 120);
  Owned<TacSystemMenu> menu(new TacSystemMenu(nullptr));
  FakeDialog owner;
  owner.wnd = dialog;
  menu->FOwner = &owner;
  const std::vector<std::wstring> captions = Captions(menu->Items());
  EXPECT_EQ(captions,
            (std::vector<std::wstring>{L"Restore", L"Move", L"Size", L"Minimize", L"Maximize", L"-", L"Close"}));
  EXPECT_EQ(menu->ItemClose->Name(), L"miClose");
  EXPECT_TRUE(menu->VisibleClose());
  EXPECT_FALSE(menu->VisibleMax());
  menu->UpdateItems();
  EXPECT_TRUE(menu->ItemRestore->Visible());
  EXPECT_FALSE(menu->ItemRestore->Enabled());
  EXPECT_TRUE(menu->ItemSize->Visible());
  EXPECT_TRUE(menu->ItemSize->Enabled());
  EXPECT_FALSE(menu->ItemMaximize->Visible());
  owner.kind = acbsSingle;
  menu->UpdateItems();
  EXPECT_TRUE(menu->ItemSize->Visible());
  EXPECT_FALSE(menu->ItemSize->Enabled());
  owner.kind = acbsDialog;
  menu->UpdateItems();
  EXPECT_FALSE(menu->ItemSize->Visible());
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

// Ends a menu that the keys did not close, so that a failing test does not hang.
void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

TEST(SystemMenu, DroppedMenuChosenByKeyboardClosesTheForm) {
  SkinnedForm f(bsSizeable);
  f.form->Show();
  f.provider->PrepareForm();
  struct Recorder {
    TWndMethod saved;
    std::vector<WPARAM> commands;
    void Proc(TMessage& m) {
      if (m.Msg == WM_SYSCOMMAND) commands.push_back(m.WParam & 0xFFF0);
      saved(m);
    }
  } recorder{f.form->WindowProc, {}};
  f.form->WindowProc = TWndMethod(&recorder, &Recorder::Proc);
  // Up from nothing selected wraps to the last item, Close; Enter chooses it.
  const HWND owner = Application->Handle();
  PostMessageW(owner, WM_KEYDOWN, VK_UP, 0);
  PostMessageW(owner, WM_KEYDOWN, VK_RETURN, 0);
  const UINT_PTR safety = SetTimer(nullptr, 0, 3000, &EndStuckMenu);
  DropSysMenu(f.provider, 60, 60);
  KillTimer(nullptr, safety);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(recorder.commands, std::vector<WPARAM>{SC_CLOSE});
  EXPECT_FALSE(IsWindowVisible(f.form->Handle()));
  f.form->WindowProc = recorder.saved;
}

}  // namespace
}  // namespace skin
