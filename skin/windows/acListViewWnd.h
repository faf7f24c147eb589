#pragma once
// The handler of list views: the edit handler's frame, bars and colours, the list's own
// background and text colours, thumb drags of the skinned bars turned into pixel scrolling, and
// the report view's column header drawn from the skin (hot and pressed columns, sort arrows).
// Win32 only; GUI thread only.
#include <windows.h>

#include <commctrl.h>

#include "classlib/ComCtrls.h"
#include "skin/windows/acEditWnd.h"

namespace skin {

class TacListViewWnd : public TacEditWnd {
 public:
  TacListViewWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager);
  void SaveStdParams() override;
  void RestoreStdParams() override;
  void SetSkinParams() override;
  void acWndProc(classlib::TMessage& Message) override;

  classlib::TViewStyle ViewStyle();
  bool HotTrack() const { return true; }
  // The widths of the owner's columns added up; 0 for a native list.
  int AllColWidth();
  // The header item at position Index (by the order array when columns are dragged live).
  TRect GetHeaderColumnRect(int Index);
  // Column cIndex (-2: the header right of the last column) from the skin into ControlRect of DC
  // (of a header window DC when DC is nullptr).
  void ColumnSkinPaint(const TRect& ControlRect, int cIndex, HDC DC);
  void PaintHeader(HDC DC);
  // The header's window procedure while it is hooked.
  LRESULT HeaderWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);

  HWND FhWndHeader = nullptr;
  WNDPROC FhDefHeaderProc = nullptr;
  int FPressedColumn = -1;
  int HoverColIndex = -1;
  int ListLineHeight = 0;
  bool FFlag = false;

 protected:
  void Hook(bool Repaint) override;
  void Release() override;
  // Under desktop composition a list view keeps its visual style.
  bool KeepsVisualStyle() const override;
  bool OpaqueOwner() const override { return false; }

 private:
  void HookHeader(HWND Header);
  // The header's procedure back while the header still runs through the handler.
  void UnhookHeader();
  LRESULT DefHeader(UINT Msg, WPARAM WParam, LPARAM LParam);
  void HeaderHitTest(LPARAM LParam);
  void ThumbTrack(classlib::TMessage& Message, bool Horizontal);
  void PrintHeader(HDC DC);

  TacWndThunk* headerThunk_ = nullptr;
  COLORREF stdTextBkColor_ = CLR_NONE;
};

}  // namespace skin
