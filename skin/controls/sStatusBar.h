#pragma once
// The skinned status bar: the native bar keeps its panels and texts (SB_GETTEXT answers them), the
// look comes from the skin. It follows the paint cycle of sButton.h, except:
//  - The cache holds the section, each panel's frame (the section's STATUSPANELMASK image) or, in
//    a skin without it, a DIVIDER strip after every panel but the last, the panel texts and the
//    grip; windowless children are painted over the copy on the screen.
//  - The cache is rebuilt when BGChanged, when the bar is not wholly inside its parent's client
//    area (its right and bottom edges count as outside) or when the parent reports itself half
//    visible. A new panel text or simple-mode switch reaching the window sets BGChanged.
// Win32 only.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/ComCtrls.h"
#include "classlib/Graphics.h"
#include "skin/core/sCommonData.h"

namespace skin {

class TsStatusBar : public classlib::TStatusBar {
 public:
  explicit TsStatusBar(classlib::TComponent* AOwner);
  ~TsStatusBar() override;
  std::wstring ClassName() const override { return L"TsStatusBar"; }
  static void DeclareProperties(classlib::TClassDecl<TsStatusBar>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  // What an owner-drawn panel's OnDrawPanel draws on: the cache while skinned.
  classlib::TCanvas* Canvas() { return &FCanvas; }
  bool Skinned() const;

  // The sum of the widths of the panels before Index.
  int PanelOffset(int Index) const;
  // Panel drawn into the cache at Rect (skinned), else handed to OnDrawPanel.
  void DrawPanel(classlib::TStatusPanel* Panel, const classlib::TRect& Rect);
  void PrepareCache();
  void OurPaintHandler(HDC DC);

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  // Panel is null in simple mode.
  void InternalDrawPanel(classlib::TStatusPanel* Panel, const std::wstring& Text, const classlib::TRect& R);
  void DrawDivider(const classlib::TRect& R);
  void DoDrawText(const std::wstring& Text, classlib::TRect R, UINT Flags);
  void PaintPanels();
  void PaintGrip();
  void CopyCache(HDC DC);

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  classlib::TCanvas FCanvas;
};

void RegisterStatusBarClasses();

}  // namespace skin
