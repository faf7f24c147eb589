// What the skin manager carries besides the skin: foreign class names, effect and animation
// settings with their defaults, what may be skinned, and the common-dialog switch; run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "ManagerFixture.h"

#include <memory>
#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/FormLoader.h"
#include "classlib/FormReader.h"
#include "classlib/Forms.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"

namespace skin {
namespace {

using namespace classlib;
using skin::testing::Owned;

std::vector<std::wstring> LinesOf(const TStrings& list) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list[i]);
  return lines;
}

TEST(ManagerThirdParty, DefaultsAndLists) {
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  ThirdPartyList& third = manager->ThirdParty();
  EXPECT_EQ(third.GetString(tpButton), L"TButton");
  for (int kind : {0, 2, 5, 13, 19}) EXPECT_EQ(third.GetString(kind), L" ") << kind;
  EXPECT_EQ(third.GetString(20), L"");
  EXPECT_EQ(LinesOf(manager->ThirdLists[tpButton]), (std::vector<std::wstring>{L"TButton"}));
  EXPECT_EQ(LinesOf(manager->ThirdLists[tpEdit]), (std::vector<std::wstring>{L" "}));
  EXPECT_EQ(manager->ThirdLists[tpButton].IndexOf(L"TBUTTON"), -1) << "names match with their case";

  third.SetString(tpGrid, L"TStringGrid\r\nTDrawGrid");
  third.SetString(tpEdit, L"");
  EXPECT_EQ(manager->ThirdLists[tpGrid].Count(), 1) << "lists follow only when updated";
  UpdateThirdNames(*manager);
  EXPECT_EQ(LinesOf(manager->ThirdLists[tpGrid]), (std::vector<std::wstring>{L"TStringGrid", L"TDrawGrid"}));
  EXPECT_EQ(manager->ThirdLists[tpEdit].Count(), 0);

  // Without reset only the empty text takes its default; with it every text does.
  LoadThirdNames(*manager, false);
  EXPECT_EQ(third.GetString(tpEdit), L" ");
  EXPECT_EQ(third.GetString(tpGrid), L"TStringGrid\r\nTDrawGrid");
  LoadThirdNames(*manager, true);
  EXPECT_EQ(third.GetString(tpGrid), L" ");
  EXPECT_EQ(LinesOf(manager->ThirdLists[tpGrid]), (std::vector<std::wstring>{L" "}));
}

TEST(ManagerEffects, Defaults) {
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  const TacAnimEffects& anim = manager->AnimEffects();
  struct Case {
    const char* name;
    const TacFormAnimation& animation;
    bool active;
    int time;
    TacAnimType mode;
  };
  for (const Case& c : std::vector<Case>{{"BlendOnMoving", anim.BlendOnMoving(), false, 1000, TacAnimType::atAero},
                                         {"DialogShow", anim.DialogShow(), true, 0, TacAnimType::atAero},
                                         {"FormShow", anim.FormShow(), true, 0, TacAnimType::atAero},
                                         {"FormHide", anim.FormHide(), true, 0, TacAnimType::atAero},
                                         {"DialogHide", anim.DialogHide(), true, 0, TacAnimType::atAero},
                                         {"Minimizing", anim.Minimizing(), true, 200, TacAnimType::atAero},
                                         {"PageChange", anim.PageChange(), true, 0, TacAnimType::atAero},
                                         {"SkinChanging", anim.SkinChanging(), true, 100, TacAnimType::atFading}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.animation.Active(), c.active);
    EXPECT_EQ(c.animation.Time(), c.time);
    EXPECT_EQ(c.animation.Mode(), c.mode);
  }
  EXPECT_EQ(anim.BlendOnMoving().BlendValue(), 170);
  EXPECT_NE(&anim.FormHide(), &anim.DialogHide());
  EXPECT_EQ(anim.Buttons().Events(), (TacBtnEvents{TacBtnEvent::beMouseEnter, TacBtnEvent::beMouseLeave,
                                                   TacBtnEvent::beMouseDown, TacBtnEvent::beMouseUp}));
  EXPECT_TRUE(manager->Effects().StoredAllowGlowing());
  EXPECT_TRUE(manager->Effects().AllowAeroBluring());
  EXPECT_EQ(manager->SkinningRules(), kDefaultSkinningRules);

  // Glowing needs the permission as well as layered windows.
  manager->SetAllowGlowing(false);
  EXPECT_FALSE(manager->GetAllowGlowing());
  manager->SetAllowGlowing(true);
  EXPECT_EQ(manager->GetAllowGlowing(),
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "UpdateLayeredWindow") != nullptr && !x64woAero);
}

TEST(ManagerEffects, ADescriptionSetsThem) {
  RegisterSkinManagerClasses();
  const std::string text =
      "object Root: TForm\n"
      "  object sSkinManager1: TsSkinManager\n"
      "    Active = False\n"
      "    Effects.AllowGlowing = False\n"
      "    AnimEffects.FormHide.Time = 300\n"
      "    AnimEffects.SkinChanging.Mode = atAero\n"
      "    AnimEffects.BlendOnMoving.BlendValue = 99\n"
      "    AnimEffects.Buttons.Events = [beMouseEnter]\n"
      "    SkinningRules = [srStdForms]\n"
      "    ThirdParty.ThirdButtons = 'TButton'#13#10'TMyButton'\n"
      "    ThirdParty.ThirdEdits = ''\n"
      "  end\n"
      "end\n";
  Owned<TForm> form{Create<TForm>(Application)};
  TFormBindings bindings(form.get());
  ApplyDescription(form.get(), forms::ReadForm(text), bindings);
  auto* manager = dynamic_cast<TsSkinManager*>(form->FindComponent(L"sSkinManager1"));
  ASSERT_NE(manager, nullptr);
  EXPECT_FALSE(manager->Effects().StoredAllowGlowing());
  EXPECT_EQ(manager->AnimEffects().FormHide().Time(), 300);
  EXPECT_EQ(manager->AnimEffects().DialogHide().Time(), 0);
  EXPECT_EQ(manager->AnimEffects().SkinChanging().Mode(), TacAnimType::atAero);
  EXPECT_EQ(manager->AnimEffects().BlendOnMoving().BlendValue(), 99);
  EXPECT_EQ(manager->AnimEffects().Buttons().Events(), TacBtnEvents{TacBtnEvent::beMouseEnter});
  EXPECT_EQ(manager->SkinningRules(), TacSkinningRules{TacSkinningRule::srStdForms});
  // Once read, the lists hold the names; an emptied text is back at its default.
  EXPECT_EQ(LinesOf(manager->ThirdLists[tpButton]), (std::vector<std::wstring>{L"TButton", L"TMyButton"}));
  EXPECT_EQ(manager->ThirdParty().GetString(tpEdit), L" ");
}

TEST(ManagerEffects, SkinnedStandardDialogsAreTheClassicOnes) {
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  ASSERT_TRUE(manager->IsDefault());
  manager->SetSkinningRules(kDefaultSkinningRules);
  EXPECT_FALSE(UseLatestCommonDialogs);
  manager->SetSkinningRules(TacSkinningRules{TacSkinningRule::srStdForms});
  EXPECT_TRUE(UseLatestCommonDialogs);
  manager->SetSkinningRules(kDefaultSkinningRules);
  manager->SetActive(false);
  EXPECT_TRUE(UseLatestCommonDialogs);

  // Another manager's settings do not touch the switch.
  Owned<TsSkinManager> second{new TsSkinManager(nullptr)};
  ASSERT_FALSE(second->IsDefault());
  second->SetSkinningRules(kDefaultSkinningRules);
  EXPECT_TRUE(UseLatestCommonDialogs);
}

}  // namespace
}  // namespace skin
