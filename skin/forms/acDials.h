#pragma once
// The system menu of a skinned standard dialog (a window the dialog hook caught), and what it
// asks of the dialog's frame handler. Win32 only.
#include <windows.h>

#include "skin/forms/sSystemMenu.h"

namespace skin {

enum TacBorderStyle { acbsDialog, acbsSingle, acbsNone, acbsSizeable, acbsToolWindow, acbsSizeToolWin };

// The dialog's frame handler as its system menu sees it: the window and the handler's own rules.
class IacDialogMenuOwner {
 public:
  virtual ~IacDialogMenuOwner() = default;
  virtual HWND DialogHandle() const = 0;
  virtual TacBorderStyle DialogBorderStyle() const = 0;
  virtual bool VisibleClose() const = 0;
  virtual bool VisibleMax() const = 0;
  virtual bool VisibleMin() const = 0;
  virtual bool VisibleRestore() const = 0;
  virtual bool EnabledMax() const = 0;
  virtual bool EnabledMin() const = 0;
  virtual bool EnabledRestore() const = 0;
};

class TacSystemMenu : public TsCustomSysMenu {
 public:
  explicit TacSystemMenu(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TacSystemMenu"; }

  // The menu's own rules; the commands that the dialog handler decides come from it in UpdateItems.
  bool VisibleClose() const override;
  bool VisibleMax() const override { return false; }
  bool VisibleMin() const override { return false; }
  bool EnabledMax() const override { return false; }
  bool EnabledMin() const override { return false; }
  bool EnabledRestore() const override { return false; }
  bool VisibleSize() const;
  bool EnabledMove() const;
  bool EnabledSize() const;
  void UpdateItems();

  // Set by the dialog handler once it exists.
  IacDialogMenuOwner* FOwner = nullptr;
  classlib::TMenuItem* ItemRestore = nullptr;
  classlib::TMenuItem* ItemMove = nullptr;
  classlib::TMenuItem* ItemSize = nullptr;
  classlib::TMenuItem* ItemMinimize = nullptr;
  classlib::TMenuItem* ItemMaximize = nullptr;
  classlib::TMenuItem* ItemClose = nullptr;

 private:
  HWND Dialog() const { return FOwner != nullptr ? FOwner->DialogHandle() : nullptr; }
  void Command(WPARAM Command, bool Update);
};

}  // namespace skin
