// Which system-menu commands a form shows and enables, by border style and window state; the
// expected rows are read off the form's buttons and state as a user sees them.
#include <gtest/gtest.h>

#include "skin/forms/acFrameMetrics.h"
#include "skin/forms/acSysMenuRules.h"

namespace skin {
namespace {

TEST(SysMenuRules, ByBorderStyleAndState) {
  struct Case {
    const char* name;
    TacSysMenuInput in;
    // visible close, max, min, restore, size; enabled max, min, move, restore, size
    TacSysMenuRules r;
  };
  auto form = [](int style, bool minBtn, bool maxBtn) {
    TacSysMenuInput in;
    in.HasSysMenu = in.NativeClose = true;
    in.BorderStyle = style;
    in.BiMinimize = minBtn;
    in.BiMaximize = maxBtn;
    in.MainForm = true;
    return in;
  };
  TacSysMenuInput zoomed = form(kBsSizeable, true, true);
  zoomed.Zoomed = true;
  zoomed.StateNormal = false;
  TacSysMenuInput iconicChild = form(kBsSizeable, true, true);
  iconicChild.Iconic = iconicChild.Minimized = true;
  iconicChild.StateNormal = false;
  iconicChild.MainForm = false;
  TacSysMenuInput noClose = form(kBsSingle, true, false);
  noClose.NativeClose = false;
  TacSysMenuInput noSysMenu = form(kBsSizeable, true, true);
  noSysMenu.HasSysMenu = false;
  const Case cases[] = {
      {"bsSingle with both buttons",
       form(kBsSingle, true, true),
       {true, true, true, true, true, true, true, true, false, false}},
      {"bsSingle, minimise only",
       form(kBsSingle, true, false),
       {true, false, true, true, true, false, true, true, false, false}},
      {"bsSizeable", form(kBsSizeable, true, true), {true, true, true, true, true, true, true, true, false, true}},
      {"bsDialog", form(kBsDialog, false, false), {true, false, false, false, false, false, false, true, false, true}},
      {"bsToolWindow has no Size",
       form(kBsToolWindow, false, false),
       {true, false, false, false, false, false, false, true, false, true}},
      {"bsSizeToolWin has Size",
       form(kBsSizeToolWin, false, false),
       {true, false, false, false, true, false, false, true, false, true}},
      {"bsNone", form(kBsNone, false, false), {true, false, false, false, false, false, false, true, false, true}},
      {"maximised", zoomed, {true, true, true, true, true, false, true, false, true, true}},
      {"iconic form that is not the main one",
       iconicChild,
       {true, true, true, true, true, true, false, true, true, false}},
      {"no Close in the native menu", noClose, {false, false, true, true, true, false, true, true, false, false}},
      {"no system menu", noSysMenu, {false, false, false, false, true, true, true, true, false, true}},
  };
  for (const Case& c : cases) {
    const TacSysMenuRules r = SysMenuRulesOf(c.in);
    EXPECT_EQ(r.VisibleClose, c.r.VisibleClose) << c.name;
    EXPECT_EQ(r.VisibleMax, c.r.VisibleMax) << c.name;
    EXPECT_EQ(r.VisibleMin, c.r.VisibleMin) << c.name;
    EXPECT_EQ(r.VisibleRestore, c.r.VisibleRestore) << c.name;
    EXPECT_EQ(r.VisibleSize, c.r.VisibleSize) << c.name;
    EXPECT_EQ(r.EnabledMax, c.r.EnabledMax) << c.name;
    EXPECT_EQ(r.EnabledMin, c.r.EnabledMin) << c.name;
    EXPECT_EQ(r.EnabledMove, c.r.EnabledMove) << c.name;
    EXPECT_EQ(r.EnabledRestore, c.r.EnabledRestore) << c.name;
    EXPECT_EQ(r.EnabledSize, c.r.EnabledSize) << c.name;
  }
}

TEST(SysMenuRules, SkinItems) {
  EXPECT_EQ(SkinNameOfItem(L"&Tarvisel (internal)", L"(internal)"), L"Tarvisel (internal)");
  EXPECT_EQ(SkinNameOfItem(L"Win&Style (internal) copy", L"(internal)"), L"WinStyle (internal)");
  EXPECT_EQ(SkinNameOfItem(L"A&&B", L"(internal)"), L"AB");
  // 45 skins: columns start at the 21st and the 41st item
  int columns = 1;
  for (int i = 0; i < 45; ++i) columns += SkinItemBreaksColumn(i) ? 1 : 0;
  EXPECT_EQ(columns, 3);
  EXPECT_TRUE(SkinItemBreaksColumn(20));
  EXPECT_TRUE(SkinItemBreaksColumn(40));
  EXPECT_FALSE(SkinItemBreaksColumn(0));
}

}  // namespace
}  // namespace skin
