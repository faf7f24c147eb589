#pragma once
// Common controls: the page control and its sheets and the tab control (SysTabControl32), the status bar
// (msctls_statusbar32) and the list view (SysListView32).
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/EnumInfo.h"
#include "classlib/ImgList.h"
#include "classlib/StringList.h"
#include "classlib/TabTypes.h"
#include "classlib/ToolBarTypes.h"

namespace classlib {

class TPageControl;

// ---- page control ----

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  std::wstring ClassName() const override { return L"TTabSheet"; }
  static void DeclareProperties(TClassDecl<TTabSheet>& d);

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  int PageIndex() const;
  void SetPageIndex(int Value);
  // Whether the sheet has a tab; a sheet without one stays in Pages but cannot be picked.
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  // The sheet's place among the visible tabs (-1 without a tab).
  int TabIndex() const;
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

  void SetParentComponent(TComponent* Value) override;
  TComponent* GetParentComponent() const override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
// An owner-drawn tab: Rect in the control's client coordinates, the control's Canvas on its DC.
using TDrawTabEvent = std::function<void(TPageControl* Control, int TabIndex, const TRect& Rect, bool Active)>;

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  std::wstring ClassName() const override { return L"TPageControl"; }
  static void DeclareProperties(TClassDecl<TPageControl>& d);

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Any page of this control, a page without a tab included; nullptr shows none.
  virtual void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const;
  // Takes only an existing page whose tab is visible; any other index changes nothing.
  virtual void SetActivePageIndex(int Index);
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  void SelectNextPage(bool GoForward);

  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  TTabStyle Style() const { return FStyle; }
  void SetStyle(TTabStyle Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition Value);
  // The images the tabs show by their sheets' ImageIndex.
  TCustomImageList* Images() const { return FImageList; }
  void SetImages(TCustomImageList* Value);
  // The system image list the tabs draw from (set by Images, or directly).
  HIMAGELIST ImagesHandle() const { return FImages; }
  void SetImagesHandle(HIMAGELIST Value);
  // The area the sheets fill.
  TRect DisplayRect() const;
  // The common control's rectangle of a tab (by its place among the visible tabs); empty without
  // a window or for an index that names no tab.
  TRect TabRect(int TabIndex) const;
  // The tab under a client point, -1 for none.
  int IndexOfTabAt(int X, int Y) const;
  // The page whose tab has this place among the visible tabs; nullptr for none.
  TTabSheet* PageOfTab(int TabIndex) const;
  // The tabs are drawn by OnDrawTab.
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  // Fixed tab sizes; 0 lets the tabs fit their captions.
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  // The canvas OnDrawTab draws on.
  TCanvas* Canvas() { return FCanvas.get(); }

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  TDrawTabEvent OnDrawTab;

 protected:
  virtual void Change();
  virtual bool CanChange();
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void Dispatch(TMessage& Message) override;
  TRect AdjustClientRect() const override;
  void AlignControls(TControl* AControl) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  // Rebuilds the tab row from the pages with visible tabs and selects the active one.
  void UpdateTabs();
  void ShowOnly(TTabSheet* Page);
  void ApplyTabSize();

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TCustomImageList* FImageList = nullptr;
  std::unique_ptr<TChangeLink> FImageLink;
  bool FMultiLine = false;
  TTabStyle FStyle = tsTabs;
  bool FHotTrack = false;
  TTabPosition FTabPosition = tpTop;
  HIMAGELIST FImages = nullptr;
  bool FOwnerDraw = false;
  int FTabHeight = 0;
  int FTabWidth = 0;
  std::unique_ptr<TCanvas> FCanvas;
};

// ---- tab control ----

class TTabControl;
using TTabControlDrawTabEvent =
    std::function<void(TTabControl* Control, int TabIndex, const TRect& Rect, bool Active)>;

// A strip of tabs over a body, without pages: Tabs holds the captions, TabIndex the selected one.
class TTabControl : public TWinControl {
 public:
  explicit TTabControl(TComponent* AOwner);
  ~TTabControl() override;
  std::wstring ClassName() const override { return L"TTabControl"; }
  static void DeclareProperties(TClassDecl<TTabControl>& d);

  TStrings* Tabs() const { return FTabs.get(); }
  void SetTabs(const TStrings* Value) { FTabs->Assign(Value); }
  // -1 for none. Setting it fires no event; an index that names no tab selects none.
  int TabIndex() const;
  void SetTabIndex(int Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  TTabStyle Style() const { return FStyle; }
  void SetStyle(TTabStyle Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition Value);
  TCustomImageList* Images() const { return FImageList; }
  void SetImages(TCustomImageList* Value);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  TCanvas* Canvas() { return FCanvas.get(); }

  // The body under the tabs, in client coordinates.
  TRect DisplayRect() const;
  // The common control's rectangle of a tab; empty without a window or for an index that names none.
  TRect TabRect(int Index) const;
  int IndexOfTabAt(int X, int Y) const;
  // Rows of tabs the common control shows (1 without a window).
  int RowCount() const;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  TTabControlDrawTabEvent OnDrawTab;

 protected:
  virtual void Change();
  virtual bool CanChange();
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void SaveWindowState() override;
  void Dispatch(TMessage& Message) override;
  TRect AdjustClientRect() const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // Puts the captions, the images and the selection into the window.
  void UploadTabs(int Selected);
  void ApplyTabSize();

  std::unique_ptr<TStringList> FTabs;
  mutable int FTabIndex = -1;
  TCustomImageList* FImageList = nullptr;
  std::unique_ptr<TChangeLink> FImageLink;
  bool FMultiLine = false;
  TTabStyle FStyle = tsTabs;
  bool FHotTrack = false;
  TTabPosition FTabPosition = tpTop;
  bool FOwnerDraw = false;
  int FTabHeight = 0;
  int FTabWidth = 0;
  std::unique_ptr<TCanvas> FCanvas;
};

// ---- status bar ----

enum TStatusPanelStyle { psText, psOwnerDraw };
template <>
inline const TEnumInfo& EnumInfo<TStatusPanelStyle>() {
  static const TEnumInfo i{L"TStatusPanelStyle", {L"psText", L"psOwnerDraw"}};
  return i;
}
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
template <>
inline const TEnumInfo& EnumInfo<TStatusPanelBevel>() {
  static const TEnumInfo i{L"TStatusPanelBevel", {L"pbNone", L"pbLowered", L"pbRaised"}};
  return i;
}

class TStatusPanel : public TCollectionItem {
 public:
  explicit TStatusPanel(TCollection* Collection);
  std::wstring ClassName() const override { return L"TStatusPanel"; }
  static void DeclareProperties(TClassDecl<TStatusPanel>& d);

  const std::wstring& Text() const { return FText; }
  void SetText(const std::wstring& Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel Value);
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle Value);

 private:
  std::wstring FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TStatusPanelStyle FStyle = psText;
};

class TStatusBar;

class TStatusPanels : public TCollectionOf<TStatusPanel> {
 public:
  explicit TStatusPanels(TStatusBar* Owner);
  std::wstring ClassName() const override { return L"TStatusPanels"; }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TStatusBar* FStatusBar;
};

using TDrawPanelEvent = std::function<void(TStatusBar* Sender, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;
  std::wstring ClassName() const override { return L"TStatusBar"; }
  static void DeclareProperties(TClassDecl<TStatusBar>& d);

  TStatusPanels* Panels() const { return FPanels.get(); }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const std::wstring& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::wstring& Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  // The panel's rectangle in the bar's client area (empty without a window).
  TRect PanelRect(int Index) const;

  TDrawPanelEvent OnDrawPanel;

  // Puts panel Index (or, with -1, every panel and the part layout) into the window.
  void UpdatePanels(int Index = -1);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void Dispatch(TMessage& Message) override;

 private:
  std::unique_ptr<TStatusPanels> FPanels;
  bool FSimplePanel = false;
  std::wstring FSimpleText;
  bool FSizeGrip = true;
  bool FContextMenuSeen = false;
};

// ---- list view ----

class TListView;
class TListItems;

class TListColumn : public TCollectionItem {
 public:
  explicit TListColumn(TCollection* Collection);
  std::wstring ClassName() const override { return L"TListColumn"; }
  static void DeclareProperties(TClassDecl<TListColumn>& d);

  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(const std::wstring& Value);
  int Width() const;
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 private:
  friend class TListView;
  std::wstring FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

class TListColumns : public TCollectionOf<TListColumn> {
 public:
  explicit TListColumns(TListView* Owner);
  std::wstring ClassName() const override { return L"TListColumns"; }

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TListView* FListView;
};

class TListItem : public TCollectionItem {
 public:
  explicit TListItem(TCollection* Collection);
  ~TListItem() override;
  std::wstring ClassName() const override { return L"TListItem"; }
  static void DeclareProperties(TClassDecl<TListItem>& d);

  TListView* ListView() const;
  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(const std::wstring& Value);
  // Texts of the columns after the first.
  TStrings* SubItems() const { return FSubItems.get(); }
  // The check box (state image 1: unchecked, 2: checked).
  bool Checked() const;
  void SetChecked(bool Value);
  // Index of the state image; with check boxes 0 is unchecked and 1 checked.
  int StateIndex() const;
  void SetStateIndex(int Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Selected() const;
  void SetSelected(bool Value);
  bool Focused() const;
  void SetFocused(bool Value);
  void* Data = nullptr;
  // Scrolls the list so that the item shows (wholly unless PartialOK).
  void MakeVisible(bool PartialOK);
  void Delete();

 private:
  friend class TListView;
  friend class TListItems;
  void Upload();
  void SubItemsChanged();
  std::wstring FCaption;
  std::unique_ptr<TStringList> FSubItems;
  int FStateIndex = -1;
  int FImageIndex = -1;
  UINT FState = 0;  // LVIS_SELECTED | LVIS_FOCUSED while there is no window
};

class TListItems : public TCollectionOf<TListItem> {
 public:
  explicit TListItems(TListView* Owner);
  std::wstring ClassName() const override { return L"TListItems"; }
  TListView* Owner() const { return FListView; }

 protected:
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
  void Update(TCollectionItem* Item) override;

 private:
  TListView* FListView;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
template <>
inline const TEnumInfo& EnumInfo<TViewStyle>() {
  static const TEnumInfo i{L"TViewStyle", {L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"}};
  return i;
}
enum TItemChange { ctText, ctImage, ctState };
using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;

constexpr TCustomDrawState CustomDrawStateOf(UINT ItemState) { return TCustomDrawState::FromBits(ItemState & 0x1FFu); }
using TLVAdvancedCustomDrawEvent =
    std::function<void(TListView* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawItemEvent = std::function<void(TListView* Sender, TListItem* Item, TCustomDrawState State,
                                                          TCustomDrawStage Stage, bool& DefaultDraw)>;
using TLVAdvancedCustomDrawSubItemEvent =
    std::function<void(TListView* Sender, TListItem* Item, int SubItem, TCustomDrawState State, TCustomDrawStage Stage,
                       bool& DefaultDraw)>;

class TListView : public TWinControl {
 public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;
  std::wstring ClassName() const override { return L"TListView"; }
  static void DeclareProperties(TClassDecl<TListView>& d);

  TListColumns* Columns() const { return FColumns.get(); }
  TListItems* Items() const { return FItems.get(); }
  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  bool Checkboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool Value);
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool Value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);
  // Clicking a column header reports the column (and shows the header pressed).
  bool ColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool Value);
  // The image lists of the icon views, the small-icon, list and report views, and the state images.
  TCustomImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* Value);
  TCustomImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* Value);
  TCustomImageList* StateImages() const { return FStateImages; }
  void SetStateImages(TCustomImageList* Value);
  // The canvas the custom-draw events paint on (the notification's DC while they run).
  TCanvas* Canvas() { return FCanvas.get(); }
  TListItem* Selected() const;
  TListItem* ItemFocused() const;
  void Clear() { FItems->Clear(); }
  void BeginUpdate();
  void EndUpdate();

  TLVChangeEvent OnChange;
  TLVSelectItemEvent OnSelectItem;
  TLVColumnClickEvent OnColumnClick;
  TLVAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  TLVAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;
  TLVAdvancedCustomDrawSubItemEvent OnAdvancedCustomDrawSubItem;

 protected:
  virtual void Change(TListItem* Item, TItemChange Change);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // NM_CUSTOMDRAW turned into the custom-draw events; the answer the list view expects.
  LRESULT CustomDraw(NMLVCUSTOMDRAW& Draw);
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void SaveWindowState() override;
  void Dispatch(TMessage& Message) override;

 private:
  friend class TListItem;
  friend class TListItems;
  friend class TListColumn;
  friend class TListColumns;
  void ApplyExtendedStyle();
  void ApplyImageList(TCustomImageList* List, int Which);
  void UploadColumns();
  void UploadItems();
  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TListItems> FItems;
  TViewStyle FViewStyle = vsIcon;
  bool FCheckboxes = false;
  bool FGridLines = false;
  bool FRowSelect = false;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FMultiSelect = false;
  bool FShowColumnHeaders = true;
  bool FColumnClick = true;
  TCustomImageList* FLargeImages = nullptr;
  TCustomImageList* FSmallImages = nullptr;
  TCustomImageList* FStateImages = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
  int FUpdating = 0;
  bool FUploading = false;
};

}  // namespace classlib
