#pragma once
// The control adapter of a skinned form: it finds the form's controls that are not skinned
// controls of their own and whose class name the skin manager lists among its foreign controls
// (ThirdParty), and attaches to each the window handler its list calls for; plain labels are only
// made see-through and given the skin's font colour. One adapter a provider, owned by it.
// Win32 only; GUI thread only.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Buttons.h"
#include "classlib/Controls.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sDefaults.h"
#include "skin/windows/acMainWnd.h"
#include "skin/windows/acSpeedButtonHandler.h"

namespace skin {

class TsSkinProvider;
class TacCtrlAdapter;

// The handler the foreign-control list Kind calls for, attached to Wnd with SkinData; every kind
// has its case here.
// tpSpeedButton names windowless buttons, which get no window handler. tpScrollControl is served
// by the edit handler, with the section "PANEL_LOW" when the item has none.
THandler<TacMainWnd> CreateThirdPartyHandler(TacThirdPartyTypes Kind, HWND Wnd, TsCommonData* SkinData,
                                             TsSkinManager* Manager, const std::string& Section);

// One hooked windowed control.
class TacAdapterItem {
 public:
  TacAdapterItem(TacCtrlAdapter* AAdapter, classlib::TWinControl* Control);
  ~TacAdapterItem();
  TacAdapterItem(const TacAdapterItem&) = delete;
  TacAdapterItem& operator=(const TacAdapterItem&) = delete;

  // Attaches the handler of the first list (in kind order) that names the control's class.
  void DoHook(classlib::TWinControl* Control);

  classlib::TWinControl* WinCtrl = nullptr;
  TacCtrlAdapter* Adapter = nullptr;
  // Declared before the handler: the handler is given back before its skin state goes.
  std::unique_ptr<TsCommonData> SkinData;
  THandler<TacMainWnd> ScrollWnd;
};

// One hooked speed button (windowless: its handler takes the control's WindowProc).
class TacGraphItem {
 public:
  TacGraphItem(TacCtrlAdapter* AAdapter, classlib::TControl* Control);
  ~TacGraphItem();
  TacGraphItem(const TacGraphItem&) = delete;
  TacGraphItem& operator=(const TacGraphItem&) = delete;

  void DoHook(classlib::TControl* Control);

  classlib::TControl* Ctrl = nullptr;
  TacCtrlAdapter* Adapter = nullptr;
  // Declared before the handler: the handler gives the button back before its skin state goes.
  std::unique_ptr<TsCommonData> SkinData;
  std::unique_ptr<TacSpeedButtonHandler> Handler;
};

class TacCtrlAdapter {
 public:
  explicit TacCtrlAdapter(TsSkinProvider* AProvider);
  ~TacCtrlAdapter();
  TacCtrlAdapter(const TacCtrlAdapter&) = delete;
  TacCtrlAdapter& operator=(const TacCtrlAdapter&) = delete;

  // Whether the adapter takes Control: never one tagged -98, a windowed control without a window
  // or one that is skinned already; labels and listed speed buttons as the provider's OnSkinItem
  // decides; any other control when a foreign-control list names its class.
  bool IsControlSupported(classlib::TComponent* Control);
  // Hooks everything supported among the components OwnerCtrl owns and the controls it parents
  // (nullptr: the provider's form), descending into windowed children. Nothing while the
  // manager's SkinningRules lack srThirdParty or another scan runs.
  void AddAllItems(classlib::TWinControl* OwnerCtrl = nullptr);
  void AddNewItem(classlib::TWinControl* Ctrl) { AddNewItem(Ctrl, DefaultSection); }
  void AddNewItem(classlib::TWinControl* Ctrl, const std::string& SkinSection);
  // Hooks a speed button a foreign-control list names: "SPEEDBUTTON_SMALL" when flat, else
  // "SPEEDBUTTON".
  void AddNewItem(classlib::TSpeedButton* Btn);
  // Frees the item at Index and moves the last one into its place; an index out of range does
  // nothing.
  void RemoveItem(int Index);
  // The message sent to every hooked control whose handler is alive and which has a parent.
  void WndProc(classlib::TMessage& Message);
  int Count() const { return static_cast<int>(Items.size()); }
  int GraphCount() const { return static_cast<int>(GraphItems.size()); }
  TacGraphItem* GetGraphItem(int Index) const;
  int IndexOf(const classlib::TWinControl* Ctrl) const;
  // nullptr out of range.
  TacAdapterItem* GetItem(int Index) const;
  // Drops the items whose handler is gone, keeping the order of the others.
  void CleanItems();
  void RemoveAllItems();

  // The section given to controls added without one; empty lets each handler choose.
  std::string DefaultSection;
  TsSkinProvider* Provider = nullptr;

 private:
  // The provider's OnSkinItem, when set, may refuse Item or change Section.
  bool Admitted(classlib::TComponent* Item, std::string& Section);
  std::vector<std::unique_ptr<TacAdapterItem>> Items;
  std::vector<std::unique_ptr<TacGraphItem>> GraphItems;
};

// The foreign-control list (kind) that names ClassName first, searched in kind order; -1 for none.
int ThirdPartyKindOf(const TsSkinManager* Manager, const std::wstring& ClassName);

}  // namespace skin
