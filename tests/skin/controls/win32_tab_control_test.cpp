// The skinned tab control with our skin: tabs printed as their sections painted directly (normal,
// hot, selected over its neighbours), a selection refused or taken by message sequence, a queued
// click behind a move, the strip's native arrows printed with it, no font left behind by side
// tabs, and its registration.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "skin/controls/sTabControl.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct TabControls : ControlsFixture {
  TsTabControl* tc = nullptr;
  std::vector<std::string> events;

  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
  }

  void MakeTabs(std::vector<const wchar_t*> captions, int width = 360, TTabPosition position = tpTop) {
    tc = Make<TsTabControl>(10, 10, width, 200);
    tc->SetTabPosition(position);
    for (const wchar_t* caption : captions) tc->Tabs()->Add(caption);
    tc->OnChange = [this](TObject*) { events.push_back("change " + std::to_string(tc->TabIndex())); };
    Pump();
  }

  LPARAM Centre(int tab) const {
    const TRect r = tc->TabRect(tab);
    return MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  // Tab Index of the common control's rectangle R at the size drawn for top tabs (active: 2
  // larger on every side; inactive: reaching 4 under the body, a pixel short on the right),
  // painted directly in State.
  std::unique_ptr<TBitmap> Look(const TRect& r, int state, bool active) {
    const TRect d = active ? TRect{r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2}
                           : TRect{r.Left, r.Top, r.Right - 1, r.Bottom + 4};
    return Direct("TABTOP", state, d.Right - d.Left, d.Bottom - d.Top, {tc->Left() + d.Left, tc->Top() + d.Top});
  }
};

// Differing pixels of n columns and h rows, A from (ax, ay), B from (bx, by).
int DifferentBlock(TBitmap* a, int ax, int ay, TBitmap* b, int bx, int by, int n, int h) {
  int differ = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < n; ++x) differ += Rgb(a, ax + x, ay + y) != Rgb(b, bx + x, by + y);
  return differ;
}

TEST_F(TabControls, TabsPrintAsTheirSectionsNormalHotAndSelected) {
  MakeTabs({L"One", L"Two", L"Three"});
  tc->SetHotTrack(true);
  tc->SetTabIndex(1);
  Pump();
  SendMessageW(tc->Handle(), WM_MOUSEMOVE, 0, Centre(2));
  ASSERT_EQ(tc->CurItem(), 2);
  auto printed = Print(tc);
  const TRect t0 = tc->TabRect(0), t1 = tc->TabRect(1), t2 = tc->TabRect(2);
  ASSERT_EQ(t0.Right, t1.Left) << "the common control puts the tabs side by side";
  // Rows down to the body, which covers the rest of an inactive tab.
  const int rows = tc->TabsRect().Bottom - t0.Top;
  ASSERT_GT(rows, 10);
  // The first tab's left edge in state 0.
  auto normal = Look(t0, 0, false);
  EXPECT_EQ(DifferentBlock(printed.get(), t0.Left, t0.Top, normal.get(), 0, 0, 4, rows), 0);
  // The selected tab reaches 2 pixels over its left neighbour: its left edge in state 2.
  auto selected = Look(t1, 2, true);
  const int h1 = t1.Bottom - t1.Top + 4;
  EXPECT_EQ(DifferentBlock(printed.get(), t1.Left - 2, t1.Top - 2, selected.get(), 0, 0, 4, h1), 0);
  // The hot tab's right edge (its left one lies under the selected tab) in state 1.
  auto hot = Look(t2, 1, false);
  const int w2 = t2.Right - t2.Left - 1;
  EXPECT_EQ(DifferentBlock(printed.get(), t2.Right - 1 - 4, t2.Top, hot.get(), w2 - 4, 0, 4, rows), 0);
  auto cold = Look(t2, 0, false);
  EXPECT_NE(DifferentBlock(hot.get(), w2 - 4, 0, cold.get(), w2 - 4, 0, 4, rows), 0)
      << "hot and normal tabs look different, or the test shows nothing";
  // Leaving the strip forgets the hot tab.
  SendMessageW(tc->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(150, 150));
  EXPECT_EQ(tc->CurItem(), -1);
  auto after = Print(tc);
  EXPECT_EQ(DifferentBlock(after.get(), t2.Right - 1 - 4, t2.Top, cold.get(), w2 - 4, 0, 4, rows), 0);
}

TEST_F(TabControls, RefusedChangeKeepsTheTabAllowedOneFiresOnChangeOnce) {
  MakeTabs({L"One", L"Two", L"Three"});
  bool allow = false;
  tc->OnChanging = [&](TObject*, bool& AllowChange) {
    events.push_back("changing " + std::to_string(tc->TabIndex()));
    AllowChange = allow;
  };
  tc->SetTabIndex(0);
  EXPECT_TRUE(events.empty()) << "setting the index fires nothing";
  SendMessageW(tc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Centre(2));
  SendMessageW(tc->Handle(), WM_LBUTTONUP, 0, Centre(2));
  EXPECT_EQ(tc->TabIndex(), 0);
  allow = true;
  SendMessageW(tc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Centre(2));
  SendMessageW(tc->Handle(), WM_LBUTTONUP, 0, Centre(2));
  EXPECT_EQ(tc->TabIndex(), 2);
  EXPECT_EQ(events, (std::vector<std::string>{"changing 0", "changing 0", "change 2"}));
}

TEST_F(TabControls, QueuedMovePressReleaseSelectsOnceAndLeavesNoHotTab) {
  MakeTabs({L"First", L"Second", L"Third"});
  tc->SetHotTrack(true);
  tc->SetTabIndex(0);
  Pump();
  PostMessageW(tc->Handle(), WM_MOUSEMOVE, 0, Centre(1));
  PostMessageW(tc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Centre(1));
  PostMessageW(tc->Handle(), WM_LBUTTONUP, 0, Centre(1));
  Pump();
  EXPECT_EQ(tc->TabIndex(), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"change 1"}));
  EXPECT_EQ(tc->CurItem(), -1) << "the selected tab is not hot";
  auto printed = Print(tc);
  const TRect t1 = tc->TabRect(1);
  auto selected = Look(t1, 2, true);
  EXPECT_EQ(DifferentBlock(printed.get(), t1.Left - 2, t1.Top - 2, selected.get(), 0, 0, 4, t1.Bottom - t1.Top + 4), 0);
}

TEST_F(TabControls, OverflowingTabsPrintTheStripsNativeArrows) {
  MakeTabs({L"Alpha", L"Beta", L"Gamma", L"Delta", L"Epsilon", L"Zeta", L"Eta", L"Theta"}, 160);
  const HWND arrows = tc->UpDownWnd();
  ASSERT_NE(arrows, nullptr) << "eight tabs do not fit 160 pixels on one line";
  EXPECT_EQ(arrows, FindWindowExW(tc->Handle(), nullptr, UPDOWN_CLASSW, nullptr));
  RECT r{};
  GetWindowRect(arrows, &r);
  MapWindowPoints(HWND_DESKTOP, tc->Handle(), reinterpret_cast<POINT*>(&r), 2);
  const int w = r.right - r.left, h = r.bottom - r.top;
  ASSERT_GT(w, 0);
  auto own = NewBitmap32(w, h);
  SendMessageW(arrows, WM_PAINT, reinterpret_cast<WPARAM>(own->Canvas()->Handle()), 0);
  auto printed = Print(tc);
  EXPECT_EQ(DifferentBlock(printed.get(), r.left, r.top, own.get(), 0, 0, w, h), 0);
  // Fewer tabs fit again: the arrows go, and so does the control's hold on them.
  tc->Tabs()->Clear();
  tc->Tabs()->Add(L"A");
  Pump();
  EXPECT_TRUE(tc->UpDownWnd() == nullptr || !IsWindowVisible(tc->UpDownWnd()));
}

TEST_F(TabControls, SideTabsLeaveNoFontBehindOver200Paints) {
  for (TTabPosition position : {tpLeft, tpRight}) {
    MakeTabs({L"One", L"Two", L"Three"}, 360, position);
    tc->SetTabIndex(1);
    Print(tc);
    const int before = LiveGdiObjects(OBJ_FONT);
    const int allBefore = LiveGdiObjects();
    for (int i = 0; i < 200; ++i) Print(tc);
    EXPECT_EQ(LiveGdiObjects(OBJ_FONT), before) << position;
    EXPECT_LE(LiveGdiObjects(), allBefore + 2) << position;
    Free(tc);
  }
}

TEST_F(TabControls, IsRegisteredByNameWithItsDefaults) {
  RegisterTabControlClasses();
  TComponent* c = CreateComponent(L"TsTabControl", form.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->ClassName(), L"TsTabControl");
  const TClassInfo& info = GetClass(L"TsTabControl");
  std::vector<std::wstring> names;
  for (const TPropInfo* p : info.AllProperties()) {
    names.push_back(p->Name);
    if (p->HasDefault) {
      EXPECT_TRUE(p->IsDefault(c)) << std::string(p->Name.begin(), p->Name.end());
    }
  }
  for (const wchar_t* name :
       {L"SkinData", L"Tabs", L"TabIndex", L"TabPosition", L"Style", L"MultiLine", L"OnChange", L"OnChanging"})
    EXPECT_NE(std::find(names.begin(), names.end(), std::wstring(name)), names.end())
        << std::string(name, name + wcslen(name));
  auto* control = static_cast<TsTabControl*>(c);
  control->SetParent(form.get());
  control->Handle();
  EXPECT_EQ(control->SkinData()->SkinSection(), "PAGECONTROL");
}

}  // namespace
}  // namespace skin
