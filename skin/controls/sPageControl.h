#pragma once
// The skinned page control and its tab sheets. Win32 only.
//
// The page control paints the page area and the tab strip from the skin into its cache (the page
// area's section by tab position, its corner and border images, the active sheet's own section,
// the strip over the parent's background) and each tab into a bitmap of its own, the active tab
// last and two pixels larger so that it lies over its neighbours. Button and menu tabs
// (TacTabType) are never selected. Hovering repaints only the tabs whose state changes, straight
// onto the window. Without a skin the common control draws itself.
//
// A tab sheet paints nothing of its own: its background and border ring are the part of the page
// control's cache under it, and it answers its children's background questions with that cache.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/ComCtrls.h"
#include "classlib/Menus.h"
#include "classlib/TypInfo.h"
#include "skin/controls/sControlTypes.h"
#include "skin/controls/sTabGeometry.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"

namespace skin {

// The skin section of a plain tab for a tab strip's style and position: BUTTON or TOOLBUTTON for
// button styles, else the skin's tab section of that side (page and tab controls alike).
int StandardTabSection(TsSkinManager* Manager, classlib::TTabStyle Style, classlib::TTabPosition Position);

class TsPageControl;

namespace detail {
// A section-name property: skin section names are plain ASCII, written as text in descriptions.
template <class T>
void SectionProperty(classlib::TClassDecl<T>& d, const wchar_t* Name, const std::string& (T::*Get)() const,
                     void (T::*Set)(const std::string&)) {
  d.String(
      Name,
      [Get](T* o) {
        const std::string& s = (o->*Get)();
        return std::wstring(s.begin(), s.end());
      },
      [Set](T* o, const std::wstring& v) {
        std::string s;
        for (wchar_t c : v) s += c < 128 ? static_cast<char>(c) : '?';
        (o->*Set)(s);
      });
}
}  // namespace detail

enum TacCloseAction { acaHide, acaFree };
using TacCloseBtnClick =
    std::function<void(classlib::TComponent* Sender, int TabIndex, bool& CanClose, TacCloseAction& Action)>;
using TacTabMouseEvent = std::function<void(classlib::TComponent* Sender, int TabIndex)>;
class TsTabSheet;
using TacTabChangingEvent = std::function<void(classlib::TObject* Sender, TsTabSheet* NewPage, bool& AllowChange)>;

// The sheet's published skin settings: the section its page area is painted with while active.
class TsTabSkinData : public classlib::TPersistent {
 public:
  std::wstring ClassName() const override { return L"TsTabSkinData"; }
  static void DeclareProperties(classlib::TClassDecl<TsTabSkinData>& d);
  bool CustomColor() const { return FCustomColor; }
  void SetCustomColor(bool Value) { FCustomColor = Value; }
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool Value) { FCustomFont = Value; }
  const std::string& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& Value) { FSkinSection = Value; }

 private:
  bool FCustomColor = false;
  bool FCustomFont = false;
  std::string FSkinSection;
};

class TsTabSheet : public classlib::TTabSheet {
 public:
  explicit TsTabSheet(classlib::TComponent* AOwner);
  ~TsTabSheet() override;
  std::wstring ClassName() const override { return L"TsTabSheet"; }
  static void DeclareProperties(classlib::TClassDecl<TsTabSheet>& d);

  classlib::TPopupMenu* TabMenu() const { return FTabMenu; }
  void SetTabMenu(classlib::TPopupMenu* Value) { FTabMenu = Value; }
  const std::string& TabSkin() const { return FTabSkin; }
  void SetTabSkin(const std::string& Value);
  TacTabType TabType() const { return FTabType; }
  // A button or menu tab gets the section "SPEEDBUTTON" unless it has one; a plain tab drops it.
  void SetTabType(TacTabType Value);
  const std::string& ButtonSkin() const { return FButtonSkin; }
  void SetButtonSkin(const std::string& Value);
  bool UseCloseBtn() const { return FUseCloseBtn; }
  void SetUseCloseBtn(bool Value);
  TsTabSkinData* SkinData() const { return FCommonData.get(); }
  classlib::TNotifyEvent OnClickBtn;

  // The skinned page control it sits on, nullptr for none.
  TsPageControl* SkinnedPageControl() const;

 protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  bool PageControlSkinned() const;
  bool SkinCommand(classlib::TMessage& Message);
  void EraseFromCache(classlib::TMessage& Message);
  void PaintBorderFromCache(classlib::TMessage& Message);

  classlib::TPopupMenu* FTabMenu = nullptr;
  std::string FTabSkin;
  TacTabType FTabType = ttTab;
  std::string FButtonSkin;
  bool FUseCloseBtn = true;
  std::unique_ptr<TsTabSkinData> FCommonData;
};

class TsPageControl : public classlib::TPageControl {
 public:
  explicit TsPageControl(classlib::TComponent* AOwner);
  ~TsPageControl() override;
  std::wstring ClassName() const override { return L"TsPageControl"; }
  static void DeclareProperties(classlib::TClassDecl<TsPageControl>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
  bool ShowCloseBtns() const { return FShowCloseBtns; }
  void SetShowCloseBtns(bool Value);
  const std::string& CloseBtnSkin() const { return FCloseBtnSkin; }
  void SetCloseBtnSkin(const std::string& Value);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool Value);
  bool RotateCaptions() const { return FRotateCaptions; }
  void SetRotateCaptions(bool Value);
  bool ActiveIsBold() const { return FActiveIsBold; }
  void SetActiveIsBold(bool Value);
  int TabPadding() const { return FTabPadding; }
  void SetTabPadding(int Value);
  // Whether the tab strip keeps its scroll arrows when the tabs overflow one line.
  bool ShowUpDown() const { return FShowUpDown; }
  void SetShowUpDown(bool Value);
  // Finds the strip's arrows after the window, its tabs or its images change; without
  // ShowUpDown it destroys them.
  void CheckUpDown();
  // The strip's up-down child, nullptr while the tabs fit.
  HWND UpDownWnd() const { return upDown_; }
  // The section the arrows are to be skinned with: UPDOWNBTN, else BUTTON.
  std::string SpinSection() const;
  bool AccessibleDisabledPages() const { return FAccessibleDisabledPages; }
  void SetAccessibleDisabledPages(bool Value) { FAccessibleDisabledPages = Value; }

  TacCloseBtnClick OnCloseBtnClick;
  TacTabChangingEvent OnPageChanging;
  TacTabMouseEvent OnTabMouseEnter;
  TacTabMouseEvent OnTabMouseLeave;

  // The active page typed as a skinned sheet (nullptr for none or a plain sheet).
  TsTabSheet* ActiveSheet() const;
  // A special page passes the choice on to CheckActiveTab's page.
  void SetActivePage(classlib::TTabSheet* Page) override;
  // Only an existing plain page; anything else is ignored.
  void SetActivePageIndex(int Index) override;
  // The page that becomes active in place of page PageIndex (button and menu tabs are skipped).
  classlib::TTabSheet* CheckActiveTab(int PageIndex) const;
  // A visible tab that is not ttTab (with MenuOnly, only ttMenu).
  bool IsSpecialTab(int PageIndex, bool MenuOnly) const;
  int VisibleTabsCount() const;
  // The page whose drawn tab holds the client point, -1 for none.
  int GetTabUnderMouse(TPoint P) const;
  // Whether the user may select the page: a plain page, enabled unless disabled pages are
  // accessible, and not refused by OnPageChanging.
  bool CanSelectPage(classlib::TTabSheet* Page);
  TacTabType TabTypeOf(int PageIndex) const;

  // Geometry in client coordinates.
  TRect TabsRect() const;
  TRect PageRect() const;
  TRect SkinTabRect(int TabIndex, bool Active) const;
  TacTabData InitTabContentData(classlib::TCanvas* Canvas, classlib::TTabSheet* Page, int State, const TRect& R);

  // Painting.
  void AcPaint(HDC DC);
  void DrawSkinTabs();
  void DrawSkinTab(int PageIndex, int State, HDC DC);
  void RepaintTab(int PageIndex, int State, HDC DC = nullptr);
  virtual void PaintButton(HDC DC, const TRect& R, int State);
  // Without a skin and without visual styles the control paints itself: the page area's raised
  // edge and classic tabs. With visual styles the common control's own painting is the look.
  void StdPaint(HDC DC);
  void DrawStdTabs(HDC DC);
  void DrawStdTab(int PageIndex, int State, HDC DC);
  bool PaintsPlain();
  void UpdateBtnData();
  void BGChanged();

  // The page hovered (its tab hot), -1 for none.
  int CurItem() const { return FCurItem; }
  int BtnWidth = 15;
  int BtnHeight = 15;
  int BtnIndex = -1;
  std::string ChangedSkinSection;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  bool Skinned() const;
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  // The page-change notifications, animated when the manager asks for it; false for other ones.
  bool PageChangeNotify(classlib::TMessage& M, bool Designing);
  void SetPadding(bool WithButtons);
  void MouseMoved(classlib::TMessage& Message);
  void PrintUpDown(HDC DC);
  void MouseLeft(classlib::TMessage& Message);
  void MouseButton(classlib::TMessage& Message);
  void CloseTab(int PageIndex);
  void DropTabMenu(int PageIndex);
  bool ArrowKey(classlib::TMessage& Message);
  // The state a tab shows when nothing happens to it: 2 for the active page, else 0.
  int RestState(int PageIndex) const;
  void FillStripFromParent(const TCacheInfo& CI);
  void PaintPageArea(const TCacheInfo& CI);
  int TabSection(int PageIndex, bool Special) const;
  // Glyph, caption, focus frame, close button and arrow into a tab's bitmap.
  void PaintTabContent(classlib::TBitmap* Bmp, classlib::TTabSheet* Page, int State, TColor FontColor, bool Skinned);
  void PaintPlainCloseButton(HDC DC, const TRect& R, int State);
  // A tab's bitmap with the control's font, bold for the active page when asked.
  std::unique_ptr<classlib::TBitmap> TabBitmap(classlib::TTabSheet* Page, const TRect& R);
  classlib::TTabSheet* PageAt(int PageIndex) const;

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TacAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  bool FShowCloseBtns = false;
  std::string FCloseBtnSkin;
  bool FShowFocus = true;
  bool FRotateCaptions = false;
  bool FActiveIsBold = false;
  int FTabPadding = 0;
  bool FAccessibleDisabledPages = true;
  bool FShowUpDown = true;
  HWND upDown_ = nullptr;
  int FCurItem = -1;
  int FHoveredBtnIndex = -1;
  int FPressedBtnIndex = -1;
  int DroppedDownItem = -1;
  bool CloseBtnPressed = false;
  bool updatingBtnData_ = false;
  // Cleared by the destructor: code after a tab menu learns that a handler freed the control.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// Frees Page (any page, the first included).
void DeletePage(classlib::TTabSheet* Page);

void RegisterPageControlClasses();

}  // namespace skin
