#pragma once
// The handler of combo edits of other vendors: a combo box handler whose drop-down button shows only
// for the styles that drop a list, whose list-colour questions go to the control itself, and whose
// drop-down list control, once created, gets skinned scroll bars of its own. Win32 only; GUI thread
// only.
#include <windows.h>

#include <memory>

#include "skin/windows/acComboWnd.h"
#include "skin/windows/acSBUtils.h"

namespace skin {

class TacWWComboBoxWnd : public TacComboBoxWnd {
 public:
  TacWWComboBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, classlib::TWinControl* AControl);
  ~TacWWComboBoxWnd() override;
  // The handler hooked to AControl's window.
  static THandler<TacWWComboBoxWnd> Create(classlib::TWinControl* AControl, TsCommonData* ASkinData,
                                           TsSkinManager* ASkinManager, const std::string& SkinSection,
                                           bool Repaint = true);
  void acWndProc(classlib::TMessage& Message) override;
  TRect ButtonRect() override;

  // False only for a class-library combo box whose style drops no list.
  static bool GetShowButton(classlib::TWinControl* Control);

  classlib::TWinControl* ListBox = nullptr;
  // Declared before the scroll handler that uses it, so that it outlives it.
  std::unique_ptr<TsCommonData> ListBoxSkinData;
  THandler<TacScrollWnd> ListBoxSW;
  bool FShowButton = true;

 protected:
  void Release() override;

 private:
  // The owner's list-box child gets its skin state and scroll handler.
  void AttachListBox();
};

}  // namespace skin
