#pragma once
// The tool bar of the common controls (ToolbarWindow32) and its buttons. The buttons are windowless
// components on the bar that the bar mirrors into the native control; their bounds follow the
// native layout. Custom-draw events let a descendant paint the bar and each button itself.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/EnumInfo.h"
#include "classlib/ImgList.h"
#include "classlib/Menus.h"
#include "classlib/ToolBarTypes.h"

namespace classlib {

class TToolBar;

// Sent to the bar once a button's drop-down menu has closed.
inline constexpr UINT CN_DROPDOWNCLOSED = WM_USER + 0x1000;

class TToolButton : public TGraphicControl {
 public:
  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;
  std::wstring ClassName() const override { return L"TToolButton"; }
  static void DeclareProperties(TClassDecl<TToolButton>& d);

  TToolBar* ToolBar() const { return FToolBar; }
  // The button's place on its bar, -1 off a bar.
  int Index() const;
  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // A check button's state; the user's clicks change it.
  bool Down() const;
  void SetDown(bool Value);
  bool Marked() const { return FMarked; }
  void SetMarked(bool Value);
  bool Indeterminate() const { return FIndeterminate; }
  void SetIndeterminate(bool Value);
  bool Grouped() const { return FGrouped; }
  void SetGrouped(bool Value);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value);
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* Value);
  // The command identifier the native control knows the button by.
  int CommandId() const { return FCommandId; }

  void SetParent(TWinControl* AParent) override;
  // A separator's width is its own; a button's follows the bar's layout.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Click();

 protected:
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TToolBar;
  void Changed();
  TToolBar* FToolBar = nullptr;
  TToolButtonStyle FStyle = tbsButton;
  int FImageIndex = -1;
  mutable bool FDown = false;
  bool FMarked = false;
  bool FIndeterminate = false;
  bool FGrouped = false;
  bool FWrap = false;
  TPopupMenu* FDropdownMenu = nullptr;
  int FCommandId;
};

using TTBAdvancedCustomDrawEvent =
    std::function<void(TToolBar* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent =
    std::function<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, TCustomDrawStage Stage,
                       TTBCustomDrawFlags& Flags, bool& DefaultDraw)>;

class TToolBar : public TWinControl {
 public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;
  std::wstring ClassName() const override { return L"TToolBar"; }
  static void DeclareProperties(TClassDecl<TToolBar>& d);

  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TToolButton* Buttons(int Index) const;
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TCustomImageList* HotImages() const { return FHotImages; }
  void SetHotImages(TCustomImageList* Value);
  TCustomImageList* DisabledImages() const { return FDisabledImages; }
  void SetDisabledImages(TCustomImageList* Value);
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);
  bool List() const { return FList; }
  void SetList(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool AllowTextButtons() const { return FAllowTextButtons; }
  void SetAllowTextButtons(bool Value);
  TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
  void SetEdgeBorders(TEdgeBorders Value);
  TEdgeStyle EdgeInner() const { return FEdgeInner; }
  void SetEdgeInner(TEdgeStyle Value);
  TEdgeStyle EdgeOuter() const { return FEdgeOuter; }
  void SetEdgeOuter(TEdgeStyle Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  // The canvas the custom-draw events paint on (bound to the paint's DC while they run).
  TCanvas* Canvas() { return FCanvas.get(); }

  // The native layout again: every button's bounds from the common control.
  void UpdateButtonBounds();

  TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
  TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void SaveWindowState() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The drop-down menu of Button runs below it; the bar may be freed by the chosen item.
  virtual void DropDown(TToolButton* Button);

 private:
  friend class TToolButton;
  void InsertButton(TToolButton* Button);
  void RemoveButton(TToolButton* Button);
  // The buttons into the native control, anew.
  void UploadButtons();
  void UploadImages();
  TToolButton* ButtonByCommand(int Id) const;
  LRESULT CustomDraw(NMTBCUSTOMDRAW& Draw);
  void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);
  int EdgeWidth() const;

  std::vector<TToolButton*> FButtons;
  TCustomImageList* FImages = nullptr;
  TCustomImageList* FHotImages = nullptr;
  TCustomImageList* FDisabledImages = nullptr;
  std::unique_ptr<TChangeLink> FImageLink;
  int FButtonWidth = 23;
  int FButtonHeight = 22;
  bool FShowCaptions = false;
  bool FList = false;
  bool FFlat = true;
  bool FAllowTextButtons = false;
  TEdgeBorders FEdgeBorders{ebTop};
  TEdgeStyle FEdgeInner = esRaised;
  TEdgeStyle FEdgeOuter = esLowered;
  int FBorderWidth = 0;
  bool updatingBounds_ = false;
  std::unique_ptr<TCanvas> FCanvas;
  // Cleared by the destructor: code after a drop-down menu learns that a handler freed the bar.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace classlib
