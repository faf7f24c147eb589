#pragma once
// The frame handler of a skinned standard dialog (a "#32770" window the system builds, such as a
// message box): frame, caption, icon, title buttons and client background drawn from the skin's
// section "DIALOG" through a cache of the whole window, a window region without the transparent
// corners of the frame images, hot and pressed title buttons, the skinned system menu. The
// dialog keeps its visual style. The provider that caught the dialog owns the handler and serves
// what the handler asks of the dialog's children through IacDialogHost. Win32 only.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "skin/core/sConstTypes.h"
#include "skin/forms/acAnimForms.h"
#include "skin/forms/acDials.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sTextOutWin32.h"
#include "skin/windows/acSBUtils.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

// What a dialog's frame handler asks of the provider that owns it.
class IacDialogHost {
 public:
  virtual ~IacDialogHost() = default;
  // Attaches handlers to the dialog's child windows that have none yet.
  virtual void RescanControls() = 0;
  // Prints the dialog's visible child windows into DC, whose origin is the dialog's client origin
  // (for pictures of the whole dialog, as the show and hide animations take them).
  virtual void PrintControls(HDC DC) = 0;
};

// A title button was pressed with the left button; a release fires its action only while set.
extern bool DlgBtnPressed;
// A dialog's region is being set; its frame paint meanwhile does not build the region again.
extern bool DlgRgnUpdating;
// Copies a dialog's icon to the given size (CopyImage by default); tests put their own in place
// to watch the copies (nullptr restores the default).
using TacIconCopier = HICON (*)(HICON Icon, int Width, int Height);
void SetDialogIconCopier(TacIconCopier Copier);
// A copy of Icon at Width x Height through the copier; the caller destroys it. nullptr when it fails.
HICON CopyDialogIcon(HICON Icon, int Width, int Height);

struct TacFreeObject {
  void operator()(classlib::TObject* Object) const;
};

class TacDialogWnd : public TacScrollWnd, public IacDialogMenuOwner {
 public:
  TacDialogWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, IacDialogHost* AHost);
  ~TacDialogWnd() override;
  void acWndProc(classlib::TMessage& Message) override;

  // Styles, border style, title glyph and button images read once the children are attached;
  // the system menu style is taken from the window so that the system draws no title buttons.
  void InitParams();
  void PrepareTitleGlyph();
  void UpdateIconsIndexes();

  // IacDialogMenuOwner
  HWND DialogHandle() const override { return CtrlHandle; }
  TacBorderStyle DialogBorderStyle() const override { return BorderStyle; }
  bool VisibleClose() const override { return (dwStyle & WS_SYSMENU) != 0; }
  bool VisibleMax() const override { return (dwStyle & WS_MAXIMIZEBOX) != 0; }
  bool VisibleMin() const override { return (dwStyle & WS_MINIMIZEBOX) != 0; }
  bool VisibleRestore() const override;
  bool EnabledMax() const override;
  bool EnabledMin() const override;
  bool EnabledRestore() const override;
  bool VisibleHelp() const { return (dwExStyle & WS_EX_CONTEXTHELP) != 0; }
  bool EnabledClose() const;
  bool FormActive() const { return FFormActive; }

  // Frame metrics.
  int CaptionHeight(bool CheckSkin) const;
  int HeaderHeight() const;
  int BorderHeight() const;
  TRect ShadowSize() const { return {}; }
  int OffsetX() const;
  int OffsetY() const;
  int SysButtonWidth(const TsCaptionButton& Button) const;
  int ButtonHeight(int ImageIndex) const;
  int TitleBtnsWidth() const;
  int BarWidth(int ImageIndex) const;
  TRect IconRect() const;
  // The screen point relative to the window's top-left corner (WndRect refreshed).
  TPoint CursorToPoint(int X, int Y);
  // The point of a mouse message lies on the outer two pixels of the window; then the hot element
  // is cleared too.
  bool AboveBorder(const classlib::TMessage& Message);

  // Hit testing and title-button states.
  int HTProcess(const classlib::TMessage& Message);
  TsCaptionButton* ButtonOfHT(int HT);
  void SetHotHT(int Code, bool Repaint = true);
  void SetPressedHT(int Code);
  void DropSysMenu(int X, int Y);

  // Painting (acDialogPaint.cpp).
  void PaintAll();
  void PaintForm(HDC DC);
  void PaintCaption(HDC DC);
  void PaintBorderIcons();
  void DrawAppIcon();
  void MakeTitleBG();
  void RepaintButton(int Code);
  // Stops the glow of every title button and frees its timer.
  void KillAnimations();
  void Ac_WMPaint(HDC DC);
  void Ac_WMNCPaint();
  void FillArOR();
  HRGN GetRgnFromArOR(int X, int Y) const;
  void UpdateRgn(bool Redraw);

  TAOR ArOR;
  int CurrentHT = 0;
  bool FFormActive = true;
  bool FWMPaintForbidden = false;
  int FCaptionSkinIndex = -1;
  bool Initialized = false;
  TsCaptionButton ButtonMin, ButtonMax, ButtonClose, ButtonHelp;
  TRect LastClientRect;
  std::unique_ptr<classlib::TBitmap> TitleGlyph;
  HICON TitleIcon = nullptr;  // the dialog's own (WM_GETICON): never destroyed here
  unsigned FormState = 0;
  LONG_PTR dwStyle = 0, dwExStyle = 0;
  bool RgnChanged = true;
  TacBorderStyle BorderStyle = acbsSingle;
  std::unique_ptr<classlib::TBitmap> TitleBG;
  std::unique_ptr<classlib::TBitmap> TempBmp;
  std::unique_ptr<TacSystemMenu, TacFreeObject> SystemMenu;
  IacDialogHost* Host = nullptr;
  // The dialog's picture put over it as it closes, until the hide animation takes it over.
  TacAnimForm CoverForm;
  int TitleIndex = -1;
  std::string TitleSection;

 protected:
  void Hook(bool Repaint) override;
  bool KeepsVisualStyle() const override { return true; }
  void Release() override;

 private:
  bool Skinned() const;
  // The manager hides dialogs through an animation.
  bool HideAnimated() const;
  void Rescan() {
    if (Host != nullptr) Host->RescanControls();
  }
  void RefreshGeometry() { InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect); }
  bool AlphaCommand(classlib::TMessage& Message);
  bool WindowMessage(classlib::TMessage& Message);
  void CommonTail(const classlib::TMessage& Message);
  void NCLButtonDown(classlib::TMessage& Message);
  void Ac_WMLButtonUp(classlib::TMessage& Message);
  void NCLButtonDblClk(classlib::TMessage& Message);
  void NCActivate(classlib::TMessage& Message);
  void EraseBackground(classlib::TMessage& Message);
  void SizeMessage(classlib::TMessage& Message);
  // The brush the dialog's background is asked for: one per colour, the old one deleted when the
  // colour changes and the last one with the handler.
  HBRUSH DialogBrush();
  void PaintTitle(int TitleBottom, const TRect& R);
  void PaintCaptionText(int TitleBottom, const TRect& R);
  void PlaceButton(TsCaptionButton& Button, int Image, bool Enabled, int& X, int Spacing);
  int ImageOfButton(const TsCaptionButton& Button, bool& Disabled) const;
  void SaveBGForBtns();
  void RestoreBtnBG(const TRect& R);

  bool regionSet_ = false;
  HBRUSH brush_ = nullptr;
  TColor brushColor_ = 0;
  std::unique_ptr<TDib8> glowActive_, glowInactive_;
};

}  // namespace skin
