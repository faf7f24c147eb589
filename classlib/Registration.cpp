// The library's own classes, registered on the first use of the class registry.
#include "classlib/Buttons.h"
#include "classlib/ComCtrls.h"
#include "classlib/Controls.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/ExtDlgs.h"
#include "classlib/Forms.h"
#include "classlib/Frames.h"
#include "classlib/Graphics.h"
#include "classlib/Grids.h"
#include "classlib/ImgList.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/ScrollBox.h"
#include "classlib/StdCtrls.h"
#include "classlib/Splitter.h"
#include "classlib/TypInfo.h"
#include "classlib/ToolBar.h"
#include "classlib/UpDown.h"

namespace classlib {

namespace {

const TIdentMap& CharsetIdents() {
  static const TIdentMap map{{{L"ANSI_CHARSET", ANSI_CHARSET},
                              {L"DEFAULT_CHARSET", DEFAULT_CHARSET},
                              {L"SYMBOL_CHARSET", SYMBOL_CHARSET},
                              {L"MAC_CHARSET", MAC_CHARSET},
                              {L"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
                              {L"HANGEUL_CHARSET", HANGEUL_CHARSET},
                              {L"GB2312_CHARSET", GB2312_CHARSET},
                              {L"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
                              {L"GREEK_CHARSET", GREEK_CHARSET},
                              {L"TURKISH_CHARSET", TURKISH_CHARSET},
                              {L"HEBREW_CHARSET", HEBREW_CHARSET},
                              {L"ARABIC_CHARSET", ARABIC_CHARSET},
                              {L"BALTIC_CHARSET", BALTIC_CHARSET},
                              {L"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
                              {L"THAI_CHARSET", THAI_CHARSET},
                              {L"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
                              {L"OEM_CHARSET", OEM_CHARSET}}};
  return map;
}

void DeclareFont(TClassDecl<TFont>& d) {
  d.String(L"Name", &TFont::Name, &TFont::SetName, L"MS Sans Serif");
  d.Integer(L"Height", &TFont::Height, &TFont::SetHeight).NoDefault();
  d.Integer(L"Size", &TFont::Size, &TFont::SetSize, 8);
  d.Color(L"Color", &TFont::Color, &TFont::SetColor, clWindowText);
  d.Set(L"Style", &TFont::Style, &TFont::SetStyle, TFontStyles{});
  d.Integer(
      L"Charset", [](TFont* f) { return static_cast<int>(f->Charset()); },
      [](TFont* f, int v) { f->SetCharset(static_cast<TFontCharset>(v)); }, DEFAULT_CHARSET, &CharsetIdents());
  d.Enum(L"Pitch", &TFont::Pitch, &TFont::SetPitch, fpDefault);
  d.Integer(L"Orientation", &TFont::Orientation, &TFont::SetOrientation, 0);
}

void DeclareBrush(TClassDecl<TBrush>& d) {
  d.Color(L"Color", &TBrush::Color, &TBrush::SetColor, clWhite);
  d.Enum(L"Style", &TBrush::Style, &TBrush::SetStyle, bsSolid);
}

void DeclarePicture(TClassDecl<TPicture>& d) {
  // The picture's file image (BMP, JPEG, PNG, icon), as a description stores it.
  d.Binary(
      L"Data",
      [](TPicture* p) {
        TGraphic* g = p->Graphic();
        return g && !g->Empty() ? g->SaveToBytes() : std::vector<std::uint8_t>{};
      },
      [](TPicture* p, const std::vector<std::uint8_t>& data) { p->LoadFromBytes(data); });
}

void DeclarePen(TClassDecl<TPen>& d) {
  d.Color(L"Color", &TPen::Color, &TPen::SetColor, clBlack);
  d.Integer(L"Width", &TPen::Width, &TPen::SetWidth, 1);
  d.Enum(L"Style", &TPen::Style, &TPen::SetStyle, psSolid);
}

}  // namespace

void RegisterLibraryClasses() {
  RegisterClass<TGraphicsObject, TPersistent>(L"TGraphicsObject");
  RegisterClass<TFont, TGraphicsObject>(L"TFont", &DeclareFont);
  RegisterClass<TBrush, TGraphicsObject>(L"TBrush", &DeclareBrush);
  RegisterClass<TPen, TGraphicsObject>(L"TPen", &DeclarePen);

  RegisterClass<TPicture, TPersistent>(L"TPicture", &DeclarePicture);
  RegisterClass<TCustomImageList, TComponent>(L"TCustomImageList");
  RegisterClass<TImageList, TCustomImageList>(L"TImageList");

  RegisterClass<TControl, TComponent>(L"TControl");
  RegisterClass<TWinControl, TControl>(L"TWinControl");
  RegisterClass<TGraphicControl, TControl>(L"TGraphicControl");
  RegisterClass<TCustomControl, TWinControl>(L"TCustomControl");
  RegisterClass<TSizeConstraints, TPersistent>(L"TSizeConstraints");
  RegisterClass<TCustomForm, TCustomControl>(L"TCustomForm");
  RegisterClass<TForm, TCustomForm>(L"TForm");

  RegisterClass<TMenuItem, TComponent>(L"TMenuItem");
  RegisterClass<TMenu, TComponent>(L"TMenu");
  RegisterClass<TPopupMenu, TMenu>(L"TPopupMenu");
  RegisterClass<TMainMenu, TMenu>(L"TMainMenu");

  RegisterClass<TImageMargins, TPersistent>(L"TImageMargins");
  RegisterClass<TButtonControl, TWinControl>(L"TButtonControl");
  RegisterClass<TButton, TButtonControl>(L"TButton");
  RegisterClass<TBitBtn, TButton>(L"TBitBtn");
  RegisterClass<TCustomCheckBox, TButtonControl>(L"TCustomCheckBox");
  RegisterClass<TCheckBox, TCustomCheckBox>(L"TCheckBox");
  RegisterClass<TRadioButton, TButtonControl>(L"TRadioButton");
  RegisterClass<TCustomGroupBox, TWinControl>(L"TCustomGroupBox");
  RegisterClass<TGroupBox, TCustomGroupBox>(L"TGroupBox");
  RegisterClass<TCustomEdit, TWinControl>(L"TCustomEdit");
  RegisterClass<TEdit, TCustomEdit>(L"TEdit");
  RegisterClass<TCustomMemo, TCustomEdit>(L"TCustomMemo");
  RegisterClass<TMemo, TCustomMemo>(L"TMemo");
  RegisterClass<TCustomComboBox, TWinControl>(L"TCustomComboBox");
  RegisterClass<TComboBox, TCustomComboBox>(L"TComboBox");
  RegisterClass<TCustomMaskEdit, TCustomEdit>(L"TCustomMaskEdit");
  RegisterClass<TMaskEdit, TCustomMaskEdit>(L"TMaskEdit");
  RegisterClass<TCustomLabel, TGraphicControl>(L"TCustomLabel");
  RegisterClass<TLabel, TCustomLabel>(L"TLabel");

  RegisterClass<TCustomPanel, TCustomControl>(L"TCustomPanel");
  RegisterClass<TPanel, TCustomPanel>(L"TPanel");
  RegisterClass<TCustomRadioGroup, TCustomGroupBox>(L"TCustomRadioGroup");
  RegisterClass<TRadioGroup, TCustomRadioGroup>(L"TRadioGroup");
  RegisterClass<TImage, TGraphicControl>(L"TImage");
  RegisterClass<TShape, TGraphicControl>(L"TShape");
  RegisterClass<TSpeedButton, TGraphicControl>(L"TSpeedButton");
  RegisterClass<TTimer, TComponent>(L"TTimer");
  RegisterClass<TControlScrollBar, TPersistent>(L"TControlScrollBar");
  RegisterClass<TScrollingWinControl, TWinControl>(L"TScrollingWinControl");
  RegisterClass<TScrollBox, TScrollingWinControl>(L"TScrollBox");
  RegisterClass<TCustomGrid, TCustomControl>(L"TCustomGrid");
  RegisterClass<TCustomFrame, TScrollingWinControl>(L"TCustomFrame");
  RegisterClass<TFrame, TCustomFrame>(L"TFrame");
  RegisterClass<TSplitter, TGraphicControl>(L"TSplitter");
  RegisterClass<TCustomUpDown, TWinControl>(L"TCustomUpDown");
  RegisterClass<TUpDown, TCustomUpDown>(L"TUpDown");

  RegisterClass<TTabSheet, TWinControl>(L"TTabSheet");
  RegisterClass<TPageControl, TWinControl>(L"TPageControl");
  RegisterClass<TTabControl, TWinControl>(L"TTabControl");
  RegisterClass<TToolButton, TGraphicControl>(L"TToolButton");
  RegisterClass<TToolBar, TWinControl>(L"TToolBar");
  RegisterClass<TStatusPanel, TCollectionItem>(L"TStatusPanel");
  RegisterClass<TStatusBar, TWinControl>(L"TStatusBar");
  RegisterClass<TListColumn, TCollectionItem>(L"TListColumn");
  RegisterClass<TListItem, TCollectionItem>(L"TListItem");
  RegisterClass<TListView, TWinControl>(L"TListView");

  RegisterClass<TOpenDialog, TComponent>(L"TOpenDialog");
  RegisterClass<TSaveDialog, TOpenDialog>(L"TSaveDialog");
  RegisterClass<TOpenPictureDialog, TOpenDialog>(L"TOpenPictureDialog");
  RegisterClass<TSavePictureDialog, TOpenPictureDialog>(L"TSavePictureDialog");
  RegisterClass<TColorDialog, TComponent>(L"TColorDialog");
}

}  // namespace classlib
