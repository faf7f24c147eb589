// The control adapter of a skinned form on real windows under Wine: which controls it hooks and
// with which handler, the two scans of AddAllItems, the provider's veto, labels, the item array's
// removals, and what it gives back when the skin goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Frames.h"
#include "classlib/Forms.h"
#include "classlib/ScrollBox.h"
#include "classlib/StdCtrls.h"
#include "classlib/ToolBar.h"
#include "classlib/UpDown.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sLabel.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerEffects.h"
#include "skin/forms/acCtrlAdapter.h"
#include "skin/forms/acDialsHook.h"
#include "skin/forms/sFrameAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/windows/acBtnWnd.h"
#include "skin/windows/acEditWnd.h"
#include "skin/windows/acPanelWnd.h"
#include "skin/windows/acSpinWnd.h"
#include "skin/windows/acStatusBarWnd.h"
#include "skin/windows/acToolBarVCLWnd.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::ManagerWithOurSkin;
using test::Owned;

template <class T>
T* Child(TComponent* Owner, TWinControl* Parent, int X = 10, int Y = 10, int W = 80, int H = 24) {
  T* c = classlib::Create<T>(Owner);
  c->SetParent(Parent);
  c->SetBounds(X, Y, W, H);
  return c;
}

TacMainWnd* HandlerOf(TWinControl* C) { return C->HandleAllocated() ? Ac_GetHandlerFromHwnd(C->Handle()) : nullptr; }

class CtrlAdapterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterLabelClasses();
    RegisterButtonClasses();
    ASSERT_TRUE(manager->Active());
    form.reset(classlib::Create<TForm>(nullptr));
    form->SetBounds(40, 40, 400, 300);
    form->HandleNeeded();
  }
  // The provider with its adapter made after the controls have their windows.
  TacCtrlAdapter* Adapt() {
    for (int i = 0; i < form->ControlCount(); ++i)
      if (auto* w = dynamic_cast<TWinControl*>(form->Controls(i))) w->HandleNeeded();
    provider = classlib::Create<TsSkinProvider>(form.get());
    provider->AdapterCreate();
    return provider->Adapter();
  }
  void SetThird(TacThirdPartyTypes Kind, const wchar_t* Names) {
    manager->ThirdParty().SetString(Kind, Names);
    UpdateThirdNames(*manager);
  }

  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;
};

// The program's own configuration: ThirdButtons "TButton", every other list one blank.
TEST_F(CtrlAdapterTest, HooksPlainButtonsOnlyAndNeverASkinnedControlOrAnUntouchable) {
  auto* button = Child<TButton>(form.get(), form.get());
  auto* untouchable = Child<TButton>(form.get(), form.get(), 10, 40);
  untouchable->SetTag(-98);
  auto* edit = Child<TEdit>(form.get(), form.get(), 10, 70);
  auto* skinned = Child<TsButton>(form.get(), form.get(), 10, 100);
  skinned->HandleNeeded();
  TacCtrlAdapter* adapter = Adapt();
  ASSERT_NE(adapter, nullptr);

  EXPECT_NE(dynamic_cast<TacButtonWnd*>(HandlerOf(button)), nullptr);
  EXPECT_EQ(HandlerOf(untouchable), nullptr);
  EXPECT_EQ(HandlerOf(edit), nullptr);
  EXPECT_EQ(HandlerOf(skinned), nullptr);  // a skinned control keeps its own painting only
  EXPECT_EQ(adapter->Count(), 1);
  EXPECT_EQ(adapter->IndexOf(button), 0);
  // A second scan finds the button hooked already.
  adapter->AddAllItems();
  EXPECT_EQ(adapter->Count(), 1);
  EXPECT_EQ(form->Perform(SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0), 1);
  EXPECT_EQ(SendMessageW(button->Handle(), SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0), 1);
}

TEST_F(CtrlAdapterTest, EachListGetsItsHandlerAndTheSpeedButtonListNone) {
  SetThird(tpEdit, L"TEdit");
  SetThird(tpPanel, L"TPanel");
  SetThird(tpScrollControl, L"TScrollBox");
  SetThird(tpSpeedButton, L"TMemo");  // a windowed class named in the windowless list
  auto* edit = Child<TEdit>(form.get(), form.get());
  auto* panel = Child<TPanel>(form.get(), form.get(), 100, 10, 120, 60);
  auto* box = Child<TScrollBox>(form.get(), form.get(), 10, 100, 120, 60);
  auto* memo = Child<TMemo>(form.get(), form.get(), 150, 100, 120, 60);
  TacCtrlAdapter* adapter = Adapt();

  EXPECT_NE(dynamic_cast<TacEditWnd*>(HandlerOf(edit)), nullptr);
  EXPECT_NE(dynamic_cast<TacPanelWnd*>(HandlerOf(panel)), nullptr);
  auto* boxHandler = dynamic_cast<TacEditWnd*>(HandlerOf(box));
  ASSERT_NE(boxHandler, nullptr);
  EXPECT_EQ(boxHandler->SkinData->SkinSection(), "PANEL_LOW");
  EXPECT_EQ(HandlerOf(memo), nullptr);
  EXPECT_EQ(adapter->IndexOf(memo), -1);
  EXPECT_EQ(adapter->Count(), 3);
}

TEST_F(CtrlAdapterTest, ToolBarsStatusBarsUpDownsAndFramesGetTheirOwnHandlers) {
  SetThird(tpToolBar, L"TToolBar");
  SetThird(tpStatusBar, L"TStatusBar");
  SetThird(tpUpDownBtn, L"TUpDown");
  auto* bar = Child<TToolBar>(form.get(), form.get(), 10, 10, 200, 30);
  auto* status = Child<TStatusBar>(form.get(), form.get(), 10, 50, 200, 20);
  auto* upDown = Child<TUpDown>(form.get(), form.get(), 220, 10, 16, 24);
  auto* frame = Child<TFrame>(form.get(), form.get(), 10, 100, 200, 100);
  TacCtrlAdapter* adapter = Adapt();

  EXPECT_NE(dynamic_cast<TacToolBarVCLWnd*>(HandlerOf(bar)), nullptr);
  EXPECT_NE(dynamic_cast<TacStatusBarWnd*>(HandlerOf(status)), nullptr);
  EXPECT_NE(dynamic_cast<TacSpinWnd*>(HandlerOf(upDown)), nullptr);
  // A frame is skinned by an adapter of its own, which it owns; the control adapter keeps no item.
  TsFrameAdapter* frameAdapter = nullptr;
  for (int i = 0; i < frame->ComponentCount(); ++i)
    if (auto* a = dynamic_cast<TsFrameAdapter*>(frame->Components(i))) frameAdapter = a;
  ASSERT_NE(frameAdapter, nullptr);
  EXPECT_EQ(frameAdapter->SkinData()->SkinSection(), "GROUPBOX");
  EXPECT_EQ(adapter->IndexOf(frame), -1);
  EXPECT_EQ(adapter->Count(), 3);
}

TEST_F(CtrlAdapterTest, ListedSpeedButtonsGetTheSpeedButtonHandlerBySection) {
  SetThird(tpSpeedButton, L"TSpeedButton");
  auto* raised = new TSpeedButton(form.get());
  raised->SetParent(form.get());
  raised->SetBounds(10, 10, 60, 24);
  auto* flat = new TSpeedButton(form.get());
  flat->SetParent(form.get());
  flat->SetBounds(80, 10, 60, 24);
  flat->SetFlat(true);
  auto* untouchable = new TSpeedButton(form.get());
  untouchable->SetParent(form.get());
  untouchable->SetTag(-98);
  TacCtrlAdapter* adapter = Adapt();

  ASSERT_EQ(adapter->GraphCount(), 2);
  for (int i = 0; i < adapter->GraphCount(); ++i) {
    TacGraphItem* item = adapter->GetGraphItem(i);
    ASSERT_NE(item->Handler, nullptr);
    EXPECT_EQ(item->SkinData->SkinSection(), item->Ctrl == flat ? "SPEEDBUTTON_SMALL" : "SPEEDBUTTON");
    EXPECT_NE(item->Ctrl, untouchable);
  }
  // A second scan hooks nothing twice.
  adapter->AddAllItems();
  EXPECT_EQ(adapter->GraphCount(), 2);
  EXPECT_EQ(adapter->GetGraphItem(2), nullptr);
}

TEST_F(CtrlAdapterTest, ScansOwnedComponentsAndParentedControlsAndDescends) {
  auto* panel = Child<TPanel>(form.get(), form.get(), 10, 10, 200, 150);
  // Owned by the form, placed on the panel: found among the form's components.
  auto* ownedOnPanel = Child<TButton>(form.get(), panel);
  // Owned elsewhere, placed on the form: found among the form's controls.
  Owned<TComponent> elsewhere(new TComponent(nullptr));
  auto* parentedOnly = Child<TButton>(elsewhere.get(), form.get(), 250, 10);
  // Owned elsewhere, on the panel: found by descending into the panel.
  auto* nested = Child<TButton>(elsewhere.get(), panel, 10, 60);
  panel->HandleNeeded();
  ownedOnPanel->HandleNeeded();
  parentedOnly->HandleNeeded();
  nested->HandleNeeded();
  TacCtrlAdapter* adapter = Adapt();

  for (TButton* b : {ownedOnPanel, parentedOnly, nested}) {
    EXPECT_NE(dynamic_cast<TacButtonWnd*>(HandlerOf(b)), nullptr);
    EXPECT_GE(adapter->IndexOf(b), 0);
  }
  EXPECT_EQ(adapter->Count(), 3);  // visited twice, hooked once
  EXPECT_EQ(HandlerOf(panel), nullptr);
}

TEST_F(CtrlAdapterTest, ProviderEventVetoesOrNamesTheSection) {
  auto* refused = Child<TButton>(form.get(), form.get());
  auto* renamed = Child<TButton>(form.get(), form.get(), 10, 40);
  std::vector<TComponent*> asked;
  provider = classlib::Create<TsSkinProvider>(form.get());
  provider->OnSkinItem = [&](TComponent* Item, bool& CanBeAdded, std::string& Section) {
    asked.push_back(Item);
    if (Item == refused) CanBeAdded = false;
    if (Item == renamed) Section = "SPEEDBUTTON";
  };
  refused->HandleNeeded();
  renamed->HandleNeeded();
  provider->AdapterCreate();
  TacCtrlAdapter* adapter = provider->Adapter();

  EXPECT_EQ(HandlerOf(refused), nullptr);
  EXPECT_EQ(adapter->IndexOf(refused), -1);
  ASSERT_GE(adapter->IndexOf(renamed), 0);
  EXPECT_EQ(adapter->GetItem(adapter->IndexOf(renamed))->SkinData->SkinSection(), "SPEEDBUTTON");
  EXPECT_NE(std::find(asked.begin(), asked.end(), refused), asked.end());
}

TEST_F(CtrlAdapterTest, ProviderEventMayKeepALabelAsItIs) {
  auto* kept = classlib::Create<TLabel>(form.get());
  kept->SetParent(form.get());
  kept->Font()->SetColor(clRed);
  auto* taken = classlib::Create<TLabel>(form.get());
  taken->SetParent(form.get());
  taken->Font()->SetColor(clRed);
  provider = classlib::Create<TsSkinProvider>(form.get());
  provider->OnSkinItem = [&](TComponent* Item, bool& CanBeAdded, std::string&) { CanBeAdded = Item != kept; };
  provider->AdapterCreate();
  EXPECT_EQ(kept->Font()->Color(), clRed);
  EXPECT_EQ(taken->Font()->Color(), manager->Records().GetGlobalFontColor());
  EXPECT_NE(manager->Records().GetGlobalFontColor(), clRed);
}

TEST_F(CtrlAdapterTest, PlainLabelsTakeTheSkinsFontColourAndLetTheBackgroundShow) {
  const TColor skinFont = manager->Records().GetGlobalFontColor();
  const TColor own = skinFont == clRed ? clBlue : clRed;
  auto* plain = classlib::Create<TLabel>(form.get());
  plain->SetParent(form.get());
  auto* skinnedLabel = classlib::Create<TsLabel>(form.get());
  skinnedLabel->SetParent(form.get());
  // Owned by the form but on no parent: only the scan of owned components sees them.
  auto* kept = classlib::Create<TLabel>(form.get());
  kept->SetTag(98);
  auto* unparented = classlib::Create<TLabel>(form.get());
  for (TControl* l : std::initializer_list<TControl*>{plain, skinnedLabel, kept, unparented}) {
    l->Font()->SetColor(own);
    l->ControlStyle.Include(csOpaque);
  }
  Adapt();

  EXPECT_EQ(plain->Font()->Color(), skinFont);
  EXPECT_FALSE(plain->ControlStyle.Contains(csOpaque));
  EXPECT_EQ(unparented->Font()->Color(), skinFont);
  EXPECT_EQ(kept->Font()->Color(), own);
  EXPECT_TRUE(kept->ControlStyle.Contains(csOpaque));
  EXPECT_EQ(skinnedLabel->Font()->Color(), own);
  EXPECT_TRUE(skinnedLabel->ControlStyle.Contains(csOpaque));

  // The skin goes: the form's plain labels get the system's text colour back.
  form->Perform(SM_ALPHACMD, AlphaCmd(ACMD_REMOVESKIN), reinterpret_cast<LPARAM>(manager.get()));
  EXPECT_EQ(plain->Font()->Color(), clWindowText);
  EXPECT_EQ(provider->Adapter(), nullptr);
}

TEST_F(CtrlAdapterTest, WithoutThirdPartyRuleNothingChanges) {
  manager->SetSkinningRules(TacSkinningRules{TacSkinningRule::srStdForms, TacSkinningRule::srStdDialogs});
  auto* button = Child<TButton>(form.get(), form.get());
  auto* label = classlib::Create<TLabel>(form.get());
  label->SetParent(form.get());
  label->Font()->SetColor(clRed);
  TacCtrlAdapter* adapter = Adapt();
  ASSERT_NE(adapter, nullptr);
  EXPECT_EQ(adapter->Count(), 0);
  EXPECT_EQ(HandlerOf(button), nullptr);
  EXPECT_EQ(label->Font()->Color(), clRed);
}

TEST_F(CtrlAdapterTest, RemoveItemRefusesIndexesOutOfRangeAndMovesTheLastIntoTheGap) {
  TButton* b[3];
  for (int i = 0; i < 3; ++i) b[i] = Child<TButton>(form.get(), form.get(), 10, 10 + 30 * i);
  TacCtrlAdapter* adapter = Adapt();
  ASSERT_EQ(adapter->Count(), 3);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(adapter->GetItem(i)->WinCtrl, b[i]);

  adapter->RemoveItem(3);
  adapter->RemoveItem(-1);
  EXPECT_EQ(adapter->Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_NE(HandlerOf(b[i]), nullptr);

  adapter->RemoveItem(0);
  ASSERT_EQ(adapter->Count(), 2);
  EXPECT_EQ(adapter->GetItem(0)->WinCtrl, b[2]);
  EXPECT_EQ(adapter->GetItem(1)->WinCtrl, b[1]);
  EXPECT_EQ(HandlerOf(b[0]), nullptr);  // its window is given back
  EXPECT_EQ(adapter->GetItem(2), nullptr);
  EXPECT_EQ(adapter->GetItem(-1), nullptr);
}

TEST_F(CtrlAdapterTest, RecreatedWindowIsHookedAgainAndDeadItemsArePruned) {
  auto* button = Child<TButton>(form.get(), form.get());
  TacCtrlAdapter* adapter = Adapt();
  ASSERT_EQ(adapter->Count(), 1);
  TacMainWnd* first = HandlerOf(button);
  ASSERT_NE(first, nullptr);
  button->RecreateWnd();
  button->HandleNeeded();
  EXPECT_TRUE(adapter->GetItem(0)->ScrollWnd->Destroyed);
  EXPECT_EQ(HandlerOf(button), nullptr);
  // A new control on the form is announced by the form's children: the next scan serves both.
  form->Perform(SM_ALPHACMD, AlphaCmd(ACMD_ADDTOADAPTER), 0);
  ASSERT_EQ(adapter->Count(), 1);
  EXPECT_NE(dynamic_cast<TacButtonWnd*>(HandlerOf(button)), nullptr);
  EXPECT_FALSE(adapter->GetItem(0)->ScrollWnd->Destroyed);
}

TEST_F(CtrlAdapterTest, FreeingTheProviderGivesEveryWindowBack) {
  auto* button = Child<TButton>(form.get(), form.get());
  Adapt();
  ASSERT_NE(HandlerOf(button), nullptr);
  const std::size_t live = TacMainWnd::LiveCount();
  classlib::Free(provider);
  EXPECT_EQ(HandlerOf(button), nullptr);
  EXPECT_LT(TacMainWnd::LiveCount(), live);
  EXPECT_EQ(SendMessageW(button->Handle(), SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0), 0);
}

// A form shown with its provider makes the adapter on its own (first frame paint).
TEST_F(CtrlAdapterTest, ShowingTheFormMakesTheAdapter) {
  auto* button = Child<TButton>(form.get(), form.get());
  provider = classlib::Create<TsSkinProvider>(form.get());
  form->Show();
  SendMessageW(form->Handle(), WM_NCPAINT, 1, 0);
  ASSERT_NE(provider->Adapter(), nullptr);
  EXPECT_NE(dynamic_cast<TacButtonWnd*>(HandlerOf(button)), nullptr);
  form->Hide();
}

// Class-library panels met inside a caught dialog, by their window class.
class TSilentPaintPanel : public TPanel {
 public:
  using TPanel::TPanel;
  std::wstring ClassName() const override { return L"TSilentPaintPanel"; }
};

TEST_F(CtrlAdapterTest, DialogHookSkinsLibraryPanelsByTheirWindowClass) {
  auto* plain = Child<TPanel>(form.get(), form.get(), 10, 10, 150, 80);
  auto* label = classlib::Create<TLabel>(form.get());
  label->SetParent(plain);
  label->Font()->SetColor(clRed);
  auto* silent = Child<TSilentPaintPanel>(form.get(), form.get(), 200, 10, 150, 80);
  silent->SetCaption(L"Shown twice otherwise");
  plain->HandleNeeded();
  silent->HandleNeeded();
  TacProvider dialog(nullptr);
  ASSERT_TRUE(dialog.AddControl(plain->Handle()));
  ASSERT_TRUE(dialog.AddControl(silent->Handle()));

  auto* plainHandler = dynamic_cast<TacPanelWnd*>(dialog.FindCtrlInList(plain->Handle()));
  ASSERT_NE(plainHandler, nullptr);
  EXPECT_EQ(plainHandler->SkinData->SkinSection(), "CHECKBOX");
  EXPECT_EQ(plainHandler->SkinData->OwnerControl(), plain);
  EXPECT_EQ(plainHandler->Panel, plain);
  EXPECT_EQ(plain->Color(), manager->GetGlobalColor());
  EXPECT_EQ(label->Font()->Color(), manager->Records().GetGlobalFontColor());
  EXPECT_TRUE(label->Transparent());

  auto* silentHandler = dynamic_cast<TacPanelWnd*>(dialog.FindCtrlInList(silent->Handle()));
  ASSERT_NE(silentHandler, nullptr);
  EXPECT_EQ(silentHandler->SkinData->SkinSection(), "GROUPBOX");
  EXPECT_EQ(silent->Caption(), L"");
  // Either panel answers as skinned once: a rescan attaches nothing more.
  const std::size_t count = dialog.acSkinnedCtrls.size();
  dialog.InitHwndControls(form->Handle());
  EXPECT_EQ(dialog.acSkinnedCtrls.size(), count);
}

}  // namespace
}  // namespace skin
