#pragma once
// Which window commands a skinned form's system menu shows and enables, shared by the menu, the
// title buttons and hit-testing; and the small rules of the menu's skin-selection items. Free of
// any window: the provider reads the form's state into the input.
#include <string>

namespace skin {

struct TacSysMenuInput {
  bool HasSysMenu = false;   // the form had the system-menu style when its provider took it
  bool NativeClose = false;  // the form's native system menu has SC_CLOSE
  int BorderStyle = 0;       // kBsNone ... kBsSizeToolWin
  bool MdiChild = false;
  bool Iconic = false;
  bool Zoomed = false;      // maximised
  bool StateNormal = true;  // the form's WindowState is wsNormal
  bool Minimized = false;   // the form's WindowState is wsMinimized
  bool BiMinimize = false, BiMaximize = false;
  bool MainForm = false;  // the application's main form
};

struct TacSysMenuRules {
  bool VisibleClose = false, VisibleMax = false, VisibleMin = false, VisibleRestore = false, VisibleSize = false;
  bool EnabledMax = false, EnabledMin = false, EnabledMove = false, EnabledRestore = false, EnabledSize = false;
};

TacSysMenuRules SysMenuRulesOf(const TacSysMenuInput& In);

// Skins per column of the skin-selection submenu.
inline constexpr int kSkinItemsPerColumn = 20;
// The skin item I (from 0) starts a new column.
inline constexpr bool SkinItemBreaksColumn(int I) { return I > 0 && I % kSkinItemsPerColumn == 0; }
// The skin name a skin item's caption stands for: accelerator marks removed and, for an internal
// skin, everything after the first InternalMark cut off.
std::wstring SkinNameOfItem(const std::wstring& Caption, const std::wstring& InternalMark);

}  // namespace skin
