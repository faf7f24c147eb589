#pragma once
// The skinned system menu: a popup menu built from the form's native system menu (its standard
// commands, the commands the application added, Close last) that the skinned menus can draw,
// with an optional submenu for choosing the skin. Win32 only.
#include <string>

#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "skin/forms/acSysMenuRules.h"

namespace skin {

class TsSkinProvider;

// What a skinned system menu must answer about its window.
class TsCustomSysMenu : public classlib::TPopupMenu {
 public:
  using classlib::TPopupMenu::TPopupMenu;
  virtual bool VisibleClose() const = 0;
  virtual bool VisibleMax() const = 0;
  virtual bool VisibleMin() const = 0;
  virtual bool EnabledMax() const = 0;
  virtual bool EnabledMin() const = 0;
  virtual bool EnabledRestore() const = 0;
};

class TsSystemMenu : public TsCustomSysMenu {
 public:
  explicit TsSystemMenu(TsSkinProvider* AOwner);
  std::wstring ClassName() const override { return L"TsSystemMenu"; }

  void Generate();
  // Rebuilt when Full or when it has no Close item; then shown and enabled by the rules.
  void UpdateItems(bool Full);
  // The skin-selection submenu at the top (with a skin manager that offers skins).
  void MakeSkinItems();
  void SkinSelect(classlib::TObject* Sender);

  bool VisibleClose() const override { return Rules().VisibleClose; }
  bool VisibleMax() const override { return Rules().VisibleMax; }
  bool VisibleMin() const override { return Rules().VisibleMin; }
  bool EnabledMax() const override { return Rules().EnabledMax; }
  bool EnabledMin() const override { return Rules().EnabledMin; }
  bool EnabledRestore() const override { return Rules().EnabledRestore; }
  TacSysMenuRules Rules() const;

  int ExtItemsCount = 0;
  TsSkinProvider* FOwner;
  classlib::TCustomForm* FForm;
  classlib::TMenuItem* ItemRestore = nullptr;
  classlib::TMenuItem* ItemMove = nullptr;
  classlib::TMenuItem* ItemSize = nullptr;
  classlib::TMenuItem* ItemMinimize = nullptr;
  classlib::TMenuItem* ItemMaximize = nullptr;
  classlib::TMenuItem* ItemClose = nullptr;

 private:
  classlib::TMenuItem* AddItem(const std::wstring& Name, const std::wstring& Caption, int Tag,
                               classlib::TNotifyEvent OnClick);
  void SendCommand(WPARAM Command);
};

// Shows the provider's system menu at the screen point (X, Y): the skinned one while the manager
// skins popup menus, else the native one with its items enabled by the same rules.
void DropSysMenu(TsSkinProvider* Provider, int X, int Y);

}  // namespace skin
