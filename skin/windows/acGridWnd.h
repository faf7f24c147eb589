#pragma once
// The handlers of grids and virtual trees, the class library's and other libraries' alike. They
// know these controls only by the names of their published properties and leave alone every
// property a control lacks: the colours, fonts, options and events they change are saved when
// the handler is attached, take the skin's values while it is on and are written back when it
// goes. The virtual-tree handler also paints the tree's header columns from the skin through the
// tree's own header-painting events. Win32 only; GUI thread only.
#include <windows.h>

#include <functional>

#include "classlib/Classes.h"
#include "classlib/Grids.h"
#include "classlib/Set.h"
#include "skin/windows/acEditWnd.h"

namespace skin {

class TacGridWnd : public TacEditWnd {
 public:
  using TacEditWnd::TacEditWnd;
  void SaveStdParams() override;
  void RestoreStdParams() override;
  void SetSkinParams() override;
  void acWndProc(classlib::TMessage& Message) override;

  // The grid's own values, saved when the handler is attached.
  TColor FixedColor = 0, FooterColor = 0, FooterCellColor = 0, TitleFontColor = 0, TitleColor = 0, IndColor = 0;
  TColor SelectionColor = 0, SelectionTextColor = 0, GridLineColor = 0, GridFixedLineColor = 0;
  TColor FixedGradientFrom = 0, FixedGradientTo = 0, FixedGradientMirrorFrom = 0, FixedGradientMirrorTo = 0;
  classlib::TGridDrawingStyle DrawingStyle = classlib::gdsClassic;
  // Values that share one of the fields above on grids with both kinds of property, kept apart so
  // that each goes back as it was: the class-library gradient, the fixed font, the shadow lines.
  TColor GridGradientStart = 0, GridGradientEnd = 0, FixedFontColor = 0, GridShadowLineColor = 0;

 protected:
  // Grids keep their visual style.
  bool KeepsVisualStyle() const override { return true; }

 private:
  void ScrollDataAware(classlib::TMessage& Message);
  void PrintGrid(classlib::TMessage& Message);
};

// Grids with an "OptionsEh" set: on systems before version 6 with visual styles the flat fixed
// cells ("dghFixed3D" off) while skinned.
class TacGridEhWnd : public TacGridWnd {
 public:
  using TacGridWnd::TacGridWnd;
  void SaveStdParams() override;
  void RestoreStdParams() override;
  void SetSkinParams() override;

  bool Fixed3D = false;

 protected:
  // Windows before version 6 with visual styles on.
  virtual bool OldThemedSystem() const;
};

// What a virtual tree tells its header-painting events.
enum TDropMarkMode { dmmNone, dmmLeft, dmmRight };
enum THeaderPaintElement { hpeBackground, hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText };
using THeaderPaintElements = classlib::TSet<THeaderPaintElement>;

struct THeaderPaintInfo {
  classlib::TCanvas* TargetCanvas = nullptr;
  classlib::TCollectionItem* Column = nullptr;
  TRect PaintRectangle;
  TRect TextRectangle;
  bool IsHoverIndex = false;
  bool IsDownIndex = false;
  bool IsEnabled = true;
  bool ShowHeaderGlyph = false;
  bool ShowSortGlyph = false;
  bool ShowRightBorder = false;
  TDropMarkMode DropMark = dmmNone;
  TPoint GlyphPos;
  TPoint SortGlyphPos;
};

// The tree's "OnAdvancedHeaderDraw" and "OnHeaderDrawQueryElements" events.
using TAdvancedHeaderPaintEvent =
    std::function<void(classlib::TPersistent* Sender, THeaderPaintInfo& PaintInfo, THeaderPaintElements Elements)>;
using THeaderPaintQueryElementsEvent =
    std::function<void(classlib::TPersistent* Sender, THeaderPaintInfo& PaintInfo, THeaderPaintElements& Elements)>;

class TacVirtualTreeViewWnd : public TacEditWnd {
 public:
  using TacEditWnd::TacEditWnd;
  void SaveStdParams() override;
  void RestoreStdParams() override;
  void SetSkinParams() override;
  void acWndProc(classlib::TMessage& Message) override;

  // The window's border sizes, negative.
  SIZE GetBorderDimensions() const;
  // Installed as the tree's header-painting events while skinned.
  void AdvancedHeaderDraw(classlib::TPersistent* Sender, THeaderPaintInfo& PaintInfo, THeaderPaintElements Elements);
  void HeaderDrawQueryElements(classlib::TPersistent* Sender, THeaderPaintInfo& PaintInfo,
                               THeaderPaintElements& Elements);

  TColor CompressedTextColor = 0, FileTextColor = 0, FolderTextColor = 0;
  bool OwnerDraw = false;

 protected:
  // The header events this handler installed are taken out of the tree before the handler goes.
  void Release() override;

 private:
  void RemoveInstalledEvents();
  void NonClientPaint(classlib::TMessage& Message);
  void PrintTree(classlib::TMessage& Message);
  int HeaderHeight() const;

  // The header events this handler put into the tree (and must take out again).
  bool installedDraw_ = false, installedQuery_ = false;
};

}  // namespace skin
