#pragma once
// Menus: items, pop-up menus (a control's right-click menu) and a form's main menu. The native
// menu is built from the items each time it is needed, so items can change freely in between.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Classes.h"
#include "classlib/EnumInfo.h"
#include "classlib/Graphics.h"
#include "classlib/Messages.h"
#include "classlib/ShortCut.h"
#include "classlib/TypInfo.h"

namespace classlib {

class TMenu;
class TCustomImageList;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
template <>
inline const TEnumInfo& EnumInfo<TBiDiMode>() {
  static const TEnumInfo i{L"TBiDiMode",
                           {L"bdLeftToRight", L"bdRightToLeft", L"bdRightToLeftNoAlign", L"bdRightToLeftReadingOnly"}};
  return i;
}

enum TMenuAnimations { maLeftToRight, maRightToLeft, maTopToBottom, maBottomToTop, maNone };
using TMenuAnimation = TSet<TMenuAnimations>;

using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
// State: the ODS_* bits of the system's owner-draw request.
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, UINT State)>;
// The plain drawing event: runs after whoever drew the item, with whether it is selected.
using TMenuSimpleDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  std::wstring ClassName() const override { return L"TMenuItem"; }
  static void DeclareProperties(TClassDecl<TMenuItem>& d);

  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(const std::wstring& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value) { FRadioItem = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  // The item starts a new column of its menu.
  bool Break() const { return FBreak; }
  void SetBreak(bool Value) { FBreak = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  // The item's own picture, made empty on first use.
  TBitmap* Bitmap();
  bool HasBitmap() const;
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  // The images of this item's sub-items; nullptr: the menu's Images.
  TCustomImageList* SubMenuImages() const { return FSubMenuImages; }
  void SetSubMenuImages(TCustomImageList* Value);
  const std::wstring& Hint() const { return FHint; }
  void SetHint(const std::wstring& Value) { FHint = Value; }
  bool IsLine() const { return FCaption == L"-"; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* operator[](int Index) const { return Items(Index); }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out without freeing it.
  void Remove(TMenuItem* Item);
  // Frees the item at Index.
  void Delete(int Index);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  TMenu* GetParentMenu() const;
  // The command identifier the native menu reports for this item.
  UINT Command() const { return FCommand; }
  TMenuItem* Find(UINT ACommand);

  virtual void Click();
  virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
  virtual void DrawItem(TCanvas* ACanvas, const TRect& ARect, UINT State);

  bool HasParent() const override { return true; }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnAdvancedDrawItem;
  TMenuSimpleDrawItemEvent OnDrawItem;

  // Appends this item's native form to Menu (sub-items become a native sub-menu).
  void AppendTo(HMENU Menu, bool OwnerDraw);

 private:
  std::wstring FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FRadioItem = false;
  bool FDefault = false;
  bool FBreak = false;
  int FImageIndex = -1;
  std::unique_ptr<TBitmap> FBitmap;
  TShortCut FShortCut = 0;
  TCustomImageList* FSubMenuImages = nullptr;
  std::wstring FHint;
  UINT FCommand = 0;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
  std::vector<TMenuItem*> FItems;
  friend class TMenu;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  std::wstring ClassName() const override { return L"TMenu"; }
  static void DeclareProperties(TClassDecl<TMenu>& d);

  TMenuItem* Items() const { return FItems; }
  // A fresh native menu of the current items; the menu keeps it until the next call.
  virtual HMENU Handle();
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value) { FOwnerDraw = Value; }
  TMenuItem* FindItem(UINT Command) const;
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual HMENU CreateNativeMenu() { return CreateMenu(); }
  void DestroyNative();
  HMENU FHandle = nullptr;

 private:
  TMenuItem* FItems;
  bool FOwnerDraw = false;
  TCustomImageList* FImages = nullptr;
  TBiDiMode FBiDiMode = bdLeftToRight;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
template <>
inline const TEnumInfo& EnumInfo<TPopupAlignment>() {
  static const TEnumInfo i{L"TPopupAlignment", {L"paLeft", L"paRight", L"paCenter"}};
  return i;
}

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TPopupMenu"; }
  static void DeclareProperties(TClassDecl<TPopupMenu>& d);

  // Shows the menu at a screen point and runs the chosen item's OnClick; returns when it closes.
  virtual void Popup(int X, int Y);
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
  // With maNone the menu opens without the system's animation.
  TMenuAnimation MenuAnimation() const { return FMenuAnimation; }
  void SetMenuAnimation(TMenuAnimation Value) { FMenuAnimation = Value; }
  // The flags Popup gives the system for the alignment and the animation.
  UINT TrackFlags() const;

  TNotifyEvent OnPopup;

 protected:
  HMENU CreateNativeMenu() override { return CreatePopupMenu(); }
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool FAutoPopup = true;
  TPopupAlignment FAlignment = paLeft;
  TComponent* FPopupComponent = nullptr;
  TMenuAnimation FMenuAnimation;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  std::wstring ClassName() const override { return L"TMainMenu"; }
};

// Item is a menu item that exists: not freed (for pointers that travelled in posted messages).
bool IsMenuItemAlive(const TMenuItem* Item);

// WM_COMMAND from a menu, WM_MEASUREITEM and WM_DRAWITEM for menu items: runs the item's
// handler. True when Message was a menu item's.
bool DispatchMenuMessage(TMessage& Message);

}  // namespace classlib
