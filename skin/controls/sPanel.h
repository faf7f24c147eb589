#pragma once
// The skinned panel: a container that paints its section (chosen by its outer bevel unless the
// user picked one), border image and caption, and answers its children's background questions.
// Win32 only.
//
// It follows the paint cycle of sButton.h, except:
//  - A panel that keeps its own cache renders it (PrepareCache) and copies it; one without
//    (CtrlSkinState bit kNoOwnCache, or a custom colour) paints straight onto the DC: the border
//    ring from the cache and the inside filled with its colour, which is its own, the parent's
//    or both mixed by the section's transparency.
//  - Its children's background answer moves by the inner frame width (border plus bevels).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/ExtCtrls.h"
#include "classlib/StringList.h"
#include "skin/controls/sColorsGrid.h"
#include "skin/core/sCommonData.h"

namespace skin {

// The panel's paint event: Canvas is the one being painted (the cache or the screen).
using TPaintEvent = std::function<void(classlib::TObject* Sender, classlib::TCanvas* Canvas)>;

// The section a panel shows by default for its outer bevel.
const char* PanelSectionForBevel(classlib::TBevelCut Bevel);

class TsPanel : public classlib::TPanel {
 public:
  explicit TsPanel(classlib::TComponent* AOwner);
  ~TsPanel() override;
  std::wstring ClassName() const override { return L"TsPanel"; }
  static void DeclareProperties(classlib::TClassDecl<TsPanel>& d);
  void AfterConstruction() override;
  // Follows a changed outer bevel with the default section before repainting.
  void Invalidate() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  TPaintEvent OnPaint;
  classlib::TNotifyEvent OnMouseEnter;
  classlib::TNotifyEvent OnMouseLeave;

  // The frame's inner width: the border plus each bevel that is not bvNone.
  int InnerWidth() const;
  virtual void PrepareCache();
  virtual void OurPaint(HDC DC, bool SendUpdated);
  virtual void WriteText(const TRect& R, classlib::TCanvas* aCanvas, HDC aDC = nullptr);

  // Extra painting after the panel and its caption, into the cache or onto the screen.
  virtual void PaintContent(HDC DC) {}

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void PaintWindow(HDC DC) override;
  void Paint() override;

 private:
  bool Skinned() const;
  bool KeepsOwnCache();
  bool SkinCommand(classlib::TMessage& Message);
  bool SkinnedMessage(classlib::TMessage& Message);
  void FollowBevel();
  void PaintDirect(HDC DC);
  void PaintHandler();

  std::unique_ptr<TsCtrlSkinData> FCommonData;
  classlib::TBevelCut FOldBevel = classlib::bvRaised;
};

// A grid of colour cells with one selected; a colour picker shows two of them.
class TsColorsPanel : public TsPanel {
 public:
  explicit TsColorsPanel(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsColorsPanel"; }
  static void DeclareProperties(classlib::TClassDecl<TsColorsPanel>& d);
  void AfterConstruction() override;

  classlib::TStrings* Colors() const { return FColors.get(); }
  void SetColors(const classlib::TStrings* Value);
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  void SetLayout(const TsColorsGridLayout& Value);
  const TsColorsGridLayout& Layout() const { return FLayout; }
  // White without a selection.
  classlib::TColor ColorValue() const;
  int Count() const { return FColors->Count(); }
  int GetItemByCoord(TPoint P) const { return ColorCellAt(ColorsArray, FLayout.ItemMargin, P.X, P.Y); }
  // Rebuilds the cells from the lines; call it after changing Colors directly.
  void GenerateColors();
  void PaintColors(HDC DC) const;
  void PaintContent(HDC DC) override;

  classlib::TNotifyEvent OnChange;
  int OldSelected = -1;
  std::vector<TsColInfo> ColorsArray;

 protected:
  void Loaded() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

 private:
  std::unique_ptr<classlib::TStringList> FColors;
  int FItemIndex = -1;
  TsColorsGridLayout FLayout;
};

// The colours panel of the standard colours.
class TsStdColorsPanel : public TsColorsPanel {
 public:
  explicit TsStdColorsPanel(classlib::TComponent* AOwner) : TsColorsPanel(AOwner) {}
  std::wstring ClassName() const override { return L"TsStdColorsPanel"; }
};

// A plain skinned container.
class TsContainer : public TsPanel {
 public:
  explicit TsContainer(classlib::TComponent* AOwner) : TsPanel(AOwner) {}
  std::wstring ClassName() const override { return L"TsContainer"; }
};

// A caption strip that moves its form (DraggedControl) while the left button drags it. It takes the
// caption colours of the system, active or inactive as the application is.
class TsDragBar : public TsPanel {
 public:
  explicit TsDragBar(classlib::TComponent* AOwner);
  ~TsDragBar() override;
  std::wstring ClassName() const override { return L"TsDragBar"; }
  static void DeclareProperties(classlib::TClassDecl<TsDragBar>& d);

  classlib::TControl* DraggedControl() const { return FDraggedControl; }
  void SetDraggedControl(classlib::TControl* Value);
  void SetParent(classlib::TWinControl* AParent) override;

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

 private:
  // The top-level form of the bar's parent, when no control was chosen.
  void DefaultDraggedControl();
  classlib::TControl* FDraggedControl = nullptr;
  // Cleared by the destructor: the move loop learns that a handler freed the bar.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A small square that shows the bottom-right corner of its linked control's background (Transparent)
// or its own colour.
class TsGrip : public TsPanel {
 public:
  explicit TsGrip(classlib::TComponent* AOwner);
  std::wstring ClassName() const override { return L"TsGrip"; }
  void OurPaint(HDC DC, bool SendUpdated) override;

  bool Transparent = false;
  classlib::TWinControl* LinkedControl = nullptr;

 protected:
  void Paint() override;

 private:
  void PaintGrip(HDC DC);
};

// The panels in the class registry, with their published properties.
void RegisterPanelClasses();

}  // namespace skin
