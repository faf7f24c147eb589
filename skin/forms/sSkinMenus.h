#pragma once
// The skinned menus: the skin manager's SkinableMenus object turns the program's menus into
// owner-drawn ones and draws them from the skin. Pop-up items are drawn over one background
// bitmap per open pop-up (section MAINMENU with its border image, the icon column and an optional
// extra line at the left edge), cached by the pop-up's first item; a main menu's top items are
// drawn into the form provider's menu line. The pop-up window gets the background's region and
// border. Item painting is in sSkinMenusPaint.cpp. Win32 only; GUI thread only.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/Menus.h"
#include "skin/core/acMenuSupport.h"
#include "skin/core/sConstTypes.h"

namespace skin {

class TsSkinManager;
class TsSkinProvider;

enum TsMenuItemType { smCaption, smDivider, smNormal, smTopLine };

// Called after an item is drawn into its bitmap; State holds the ODS_* bits.
using TsMenuManagerDrawItemEvent = std::function<void(classlib::TObject* Sender, classlib::TCanvas* ACanvas,
                                                      TRect ARect, UINT State, TsMenuItemType ItemType)>;

// The cached background of one open pop-up.
struct TacMenuInfo {
  classlib::TMenuItem* FirstItem = nullptr;  // the key
  classlib::TBitmap* Bmp = nullptr;          // owned by the cache
  HWND Wnd = nullptr;
  bool HaveExtraLine = false;
};

class TsSkinableMenus : public IacSkinableMenus {
 public:
  explicit TsSkinableMenus(TsSkinManager* AOwner);
  ~TsSkinableMenus() override;

  // IacSkinableMenus
  void UpdateMenus() override;
  void ClearCache() override;
  void SkinChanged() override;

  TsSkinManager* Owner() const { return FOwner; }
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // Every menu of the application's components (at any depth of ownership) hooked or unhooked.
  void InitItems(bool A);

  void HookPopupMenu(classlib::TPopupMenu* Menu, bool Active);
  void HookItem(classlib::TMenuItem* MenuItem, bool Active);
  void InitItem(classlib::TMenuItem* Item, bool A);
  void InitMenuLine(classlib::TMainMenu* Menu, bool A);

  bool IsTopLine(const classlib::TMenuItem* Item) const;
  bool IsPopupItem(const classlib::TMenuItem* Item) const;
  static bool IsDivText(const classlib::TMenuItem* Item);
  int ExtraWidth(const TacMenuInfo& mi) const;
  int GetSkinBorderWidth();
  int CursorMarginH() const { return BorderWidth; }
  int CursorMarginV() const { return 0; }
  int GetItemHeight(classlib::TCanvas* Canvas, classlib::TMenuItem* Item);
  int ParentHeight(classlib::TCanvas* Canvas, classlib::TMenuItem* Item);
  int ParentWidth(classlib::TCanvas* Canvas, classlib::TMenuItem* Item);

  // The background of Item's pop-up, made (with a non-zero width) when missing; Item nullptr
  // looks up by window. Not found: FirstItem and Bmp nullptr.
  TacMenuInfo GetMenuInfo(classlib::TMenuItem* Item, int aWidth, int aHeight, HWND aWnd);
  void PrepareMenuBG(classlib::TMenuItem* Item, int Width, int Height, HWND Wnd);
  // The cached background of the pop-up starting with FirstItem dropped.
  void ForgetMenuInfo(classlib::TMenuItem* FirstItem);
  // Region and frame of a pop-up window from its background.
  void DrawWndBorder(HWND Wnd, classlib::TBitmap* MenuBmp);
  void DrawMenuWindowBorder(classlib::TMenuItem* Item, HWND Wnd) override;

  // Handlers bound to the items.
  void sMeasureItem(classlib::TObject* Sender, classlib::TCanvas* ACanvas, int& Width, int& Height);
  void sMeasureLineItem(classlib::TObject* Sender, classlib::TCanvas* ACanvas, int& Width, int& Height);
  void sAdvancedDrawItem(classlib::TObject* Sender, classlib::TCanvas* ACanvas, TRect ARect, UINT State);
  void sAdvancedDrawLineItem(classlib::TObject* Sender, classlib::TCanvas* ACanvas, TRect ARect, UINT State);

  int Margin = 2;
  classlib::TAlignment Alignment = classlib::taLeftJustify;
  int BevelWidth = 0;  // kept for descriptions; drawing does not use it
  int BorderWidth = 3;
  std::unique_ptr<classlib::TFont> CaptionFont;
  int SkinBorderWidth = -1;  // -1: computed from the skin's MAINMENU border image
  int Spacing = 8;
  TsMenuManagerDrawItemEvent OnDrawItem;
  TAOR ArOR;  // cut out of the pop-up region: the border image's transparent corners
  bool BorderDrawing = false;

 private:
  // Extra-line data of the pop-up starting with FirstItem; Guarded skips the re-entrant call.
  bool DecideExtraLine(classlib::TMenuItem* FirstItem, bool Guarded);
  bool HookedPopupItem(const classlib::TMenuItem* Item) const;
  void SetPopupHandlers(classlib::TMenuItem* Item, bool On);
  void SetLineHandlers(classlib::TMenuItem* Item, bool On);
  void VisitComponent(classlib::TComponent* Component, bool A);
  void PaintDivider(classlib::TCanvas* Canvas, TRect R, const TacMenuInfo& mi, classlib::TMenuItem* Item);
  void PaintCaption(classlib::TCanvas* Canvas, TRect R, const TacMenuInfo& mi, classlib::TMenuItem* Item);
  void RepairFrame(HWND Wnd, const TacMenuInfo& mi, classlib::TMenuItem* Item, const TRect& R, int X);

  // Bitmaps that items and strips are rendered in, kept from one item to the next: making and
  // freeing a DIB section per item cost far more than painting the item. A slot is made anew only
  // when the size asked for changes; its pixels are those the last user left.
  enum TScratch { scItem, scDivider, scCaption, scIconColumn, scExtraLine, scCount };
  classlib::TBitmap* Scratch(TScratch Slot, int Width, int Height);
  std::unique_ptr<classlib::TBitmap> scratch_[scCount];

  TsSkinManager* FOwner;
  bool FActive = false;
};

// Unit state shared with the pop-up handler and the form provider.
extern bool acCanHookMenu;                               // set when a pop-up item is measured
extern std::unique_ptr<classlib::TFont> CustomMenuFont;  // replaces the system's menu font when set
// MDISkinProvider: the MDI parent's provider (sSkinProvider.h).
extern TsMenuItemType CurItemType;
extern int IcoLineWidth;  // icon column of the last prepared pop-up
// Right-to-left menus follow the system locale; read once at start.
extern bool SysLocaleMiddleEast;

// The menu engine of the skin manager (acMenuSupport.h): its factory installed, so that every
// manager's SkinableMenus is a TsSkinableMenus. Idempotent.
void InstallSkinableMenus();
// The manager's menus object (nullptr without a manager).
TsSkinableMenus* SkinableMenusOf(TsSkinManager* Manager);

// The first item of Item's parent.
classlib::TMenuItem* GetFirstItem(classlib::TMenuItem* Item);
// Some item of the same parent, up to and including Item, starts a new column.
bool Breaked(const classlib::TMenuItem* Item);
// The item's bitmap size; without one (0, 0) when only the own bitmap counts, else the parent's
// SubMenuImages, the menu's Images, else 16 x 16.
TSize GlyphSize(classlib::TMenuItem* Item, bool OwnBitmapOnly);
// 1.25 x the text height, rounded to the nearest, halves to the even neighbour.
int MenuTextCellHeight(int TextHeight);
// The font menus draw with: CustomMenuFont, else the system's menu font (read once and again after
// ClearCache).
void AssignMenuFont(classlib::TFont* Font);
// The right-to-left layout of a menu: the system locale reads right to left and the menu does not
// say left to right.
bool MenuRightToLeft(const classlib::TMenu* Menu);

}  // namespace skin
