#pragma once
// The skinned list view. Unlike the other skinned controls it keeps no picture of itself on the
// screen: the system list view paints, and the skinned one takes over three things. Its own
// custom-draw handlers draw the items (the application's handlers, saved when the skin comes, are
// called instead); in report view a selected row (its first column only without row selection)
// is the skin's "SELECTION", the row under the mouse that selection at half strength, check boxes
// the skin's check glyphs, then caption, sub-items and grid lines; the other view styles keep the
// system's drawing in the skin's colours. The column header is hooked and painted column by column
// from "COLHEADER" (else "BUTTON"), hot, pressed and with sort marks, the rest of the strip one
// empty piece. Frame and scroll bars come from the scroll-bar engine when it is installed
// (skin/core/acScrollBarsLink.h). The cache holds the list's section: hot rows blend with it.
// Win32 only.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "classlib/ComCtrls.h"
#include "skin/core/acScrollBarsLink.h"
#include "skin/core/sCommonData.h"

namespace skin {

class TsCustomListView : public classlib::TListView {
 public:
  explicit TsCustomListView(classlib::TComponent* AOwner);
  ~TsCustomListView() override;
  std::wstring ClassName() const override { return L"TsCustomListView"; }
  static void DeclareProperties(classlib::TClassDecl<TsCustomListView>& d);
  void AfterConstruction() override;

  TsCommonData* SkinData() const { return FCommonData.get(); }
  bool HighlightHeaders() const { return FHighlightHeaders; }
  void SetHighlightHeaders(bool Value) { FHighlightHeaders = Value; }

  // The hooked column header, nullptr when none.
  HWND HeaderHandle() const { return FhWndHeader; }
  int PressedColumn() const { return FPressedColumn; }
  int HoverColumn() const { return HoverColIndex; }
  int HotRow() const { return HotItem; }
  // Sum of the widths of columns 0 to N - 1.
  int ColumnLeft(int N);
  // The header item at display position I (by the order array); empty without a header.
  TRect GetHeaderColumnRect(int I);
  // Every column and the empty piece right of the last onto DC (nullptr: the header's own DC).
  void PaintHeader(HDC DC = nullptr);
  // Column Index (-1: the empty piece) into R of DC.
  void ColumnSkinPaint(HDC DC, const TRect& R, int Index);
  // The list's section over the whole cache, the background hot rows blend with.
  void PrepareCache();
  // Installs (Skinned) or removes the own custom-draw handlers.
  void InitControl(bool Skinned);

 protected:
  void WndProc(classlib::TMessage& Message) override;
  void CreateWnd() override;
  void Loaded() override;

 private:
  bool Skinned() const;
  bool Designing() const;
  void HookHeader(HWND Header);
  void UnhookHeader();
  static LRESULT CALLBACK HeaderProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT HeaderWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  // The header's previous procedure.
  LRESULT DefHeader(UINT Msg, WPARAM WParam, LPARAM LParam);
  // The header column under a screen point; -2 for none.
  int ColumnAt(POINT Screen);
  void ApplySkinColours();
  void RefreshScrolls();
  bool SkinCommand(classlib::TMessage& Message);
  void NewAdvancedCustomDraw(classlib::TListView* Sender, const TRect& ARect, classlib::TCustomDrawStage Stage,
                             bool& DefaultDraw);
  void NewAdvancedCustomDrawItem(classlib::TListView* Sender, classlib::TListItem* Item,
                                 classlib::TCustomDrawState State, classlib::TCustomDrawStage Stage, bool& DefaultDraw);
  void DrawReportRow(classlib::TListItem* Item, classlib::TCustomDrawState State);
  void DrawSubItems(classlib::TListItem* Item, HDC DC, const TRect& Row, bool Selected, bool Focused);
  void DrawGridLines(HDC DC, const TRect& Row, int Width);

  std::unique_ptr<TsCommonData> FCommonData;
  bool Loading = true;
  HWND FhWndHeader = nullptr;
  WNDPROC FhDefHeaderProc = nullptr;
  int FPressedColumn = -1;
  int HoverColIndex = -2;
  bool FHighlightHeaders = true;
  classlib::TLVAdvancedCustomDrawEvent FOldAdvancedCustomDraw;
  classlib::TLVAdvancedCustomDrawItemEvent FOldAdvancedCustomDrawItem;
  bool ownHandlers_ = false;
  bool FFlag = false;
  int HotItem = -1;
  std::unique_ptr<IacScrollBars> ListSW;
  int iSelectIndex = -1;
  int ListLineHeight = 0;
};

class TsListView : public TsCustomListView {
 public:
  explicit TsListView(classlib::TComponent* AOwner) : TsCustomListView(AOwner) {}
  std::wstring ClassName() const override { return L"TsListView"; }
};

// The control-kind code of the list views.
inline constexpr int kListViewCoc = 10;

void RegisterListViewClasses();

}  // namespace skin
