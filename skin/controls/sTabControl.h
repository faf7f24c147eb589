#pragma once
// The skinned tab control: a strip of tabs without pages over a body, both painted from the skin.
// Win32 only.
//
// Every paint renders the whole look into the cache: the strip over the parent's background, the
// tabs other than the selected one row by row from row 1 (they reach under the body), the body
// (PAGECONTROL, or its BOTTOM/LEFT/RIGHT section by tab position) and the selected tab last, over
// the body and its neighbours. Side tabs write their captions turned by 90 degrees. Hot tracking
// repaints only the tabs whose state changes, straight onto the window, without letting queued
// messages run in between. The strip's scroll arrows (the common control's up-down child) stay
// native and are printed with the control.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/ComCtrls.h"
#include "classlib/TypInfo.h"
#include "skin/core/sCommonData.h"

namespace skin {

class TsTabControl : public classlib::TTabControl {
 public:
  explicit TsTabControl(classlib::TComponent* AOwner);
  ~TsTabControl() override;
  std::wstring ClassName() const override { return L"TsTabControl"; }
  static void DeclareProperties(classlib::TClassDecl<TsTabControl>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  bool Skinned() const;
  // The hot tab, -1 for none (the selected tab is never hot).
  int CurItem() const { return CurItem_; }

  // Geometry in client coordinates.
  TRect GetClRect() const;
  TRect TabsRect() const;
  TRect PageRect() const;
  TRect SkinTabRect(int Index, bool Active) const;
  int TabRow(int Index) const;
  int GetTabUnderMouse(TPoint P) const;

  // Painting: the whole look into the cache and onto DC; one tab in State (0 normal, 1 hot, 2
  // selected) onto DC at its place; one tab on the window (or TabDC), clipped to its own place.
  void AcPaint(HDC DC);
  void DrawSkinTab(int Index, int State, HDC DC);
  void RepaintTab(int Index, int State, HDC TabDC = nullptr);

  // Finds the strip's scroll arrows after the window or its tabs change.
  void CheckUpDown();
  // The strip's up-down child, nullptr while the tabs fit.
  HWND UpDownWnd() const { return upDown_; }

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void MouseMoved(const classlib::TMessage& Message);
  void ForgetHotTab();
  // The state a tab shows when the mouse leaves it.
  int RestState(int Index) const;
  int TabSection() const;
  void DrawSkinTabs(const TCacheInfo& CI);
  void PaintTabContent(classlib::TBitmap* Bmp, int Index, int State, const TRect& TR, int Section);
  void PrintUpDown(HDC DC);
  void Redraw(UINT Flags);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  int CurItem_ = -1;
  HWND upDown_ = nullptr;
};

void RegisterTabControlClasses();

}  // namespace skin
