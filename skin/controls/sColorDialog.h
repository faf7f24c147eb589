#pragma once
// The skinned colour dialog. With a skin manager (and StandardDlg off) Execute shows the picker
// form read from the description TSCOLORDIALOGFORM: a main palette of 48 colours, 16 custom slots,
// a hue and saturation field with a brightness gradient beside it, a screen colour picker, and
// edits for red, green, blue, hue, saturation, brightness, the hexadecimal text and the decimal
// colour value, all kept in step. Otherwise it shows the system's dialog. Win32 only.
//
// One dialog is open at a time: the unit state below belongs to the open form and is reset when
// the form goes, so the next dialog starts fresh. While the mouse is held in the field or on the
// gradient the cursor is confined there; losing the capture, the form's deactivation and its close
// all free it.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StringList.h"
#include "skin/graphics/sColorUtils.h"

namespace skin {

class TsBitBtn;
class TsColorsPanel;
class TsEdit;
class TsLabel;
class TsMaskEdit;
class TsPanel;
class TsSpeedButton;
class TsColorDialogForm;

class TsColorDialog : public classlib::TColorDialog {
 public:
  explicit TsColorDialog(classlib::TComponent* AOwner);
  ~TsColorDialog() override;
  std::wstring ClassName() const override { return L"TsColorDialog"; }
  static void DeclareProperties(classlib::TClassDecl<TsColorDialog>& d);

  bool Execute() override;
  // Replaces the main palette when not empty (lines as the custom colours).
  classlib::TStrings* MainColors() const { return FMainColors.get(); }
  void SetMainColors(const classlib::TStrings* Value) { FMainColors->Assign(Value); }
  bool StandardDlg() const { return FStandardDlg; }
  void SetStandardDlg(bool Value) { FStandardDlg = Value; }

  // The form calls these as it shows and closes.
  void DoShow() override { classlib::TColorDialog::DoShow(); }
  void DoClose() override { classlib::TColorDialog::DoClose(); }

 private:
  std::unique_ptr<classlib::TStringList> FMainColors = std::make_unique<classlib::TStringList>();
  bool FStandardDlg = false;
};

class TsColorDialogForm : public classlib::TForm {
 public:
  explicit TsColorDialogForm(classlib::TComponent* AOwner);
  ~TsColorDialogForm() override;
  std::wstring ClassName() const override { return L"TsColorDialogForm"; }

  TsColorsPanel* MainPal = nullptr;
  TsColorsPanel* AddPal = nullptr;
  TsLabel* sLabel1 = nullptr;
  TsLabel* sLabel2 = nullptr;
  TsLabel* sLabelRed = nullptr;
  TsLabel* sLabelGreen = nullptr;
  TsLabel* sLabelBlue = nullptr;
  TsLabel* sLabelHex = nullptr;
  TsLabel* sLabelDecimal = nullptr;
  TsBitBtn* sBitBtn1 = nullptr;  // OK
  TsBitBtn* sBitBtn2 = nullptr;  // Cancel
  TsBitBtn* sBitBtn3 = nullptr;  // Add to custom colors set
  TsBitBtn* sBitBtn4 = nullptr;  // Define colors
  TsBitBtn* sBitBtn5 = nullptr;  // Help
  TsSpeedButton* sSpeedButton1 = nullptr;
  TsMaskEdit* sEditHex = nullptr;
  TsEdit* sEditDecimal = nullptr;
  TsEdit* sHEdit = nullptr;
  TsEdit* sSEdit = nullptr;
  TsEdit* sVEdit = nullptr;
  TsEdit* sREdit = nullptr;
  TsEdit* sGEdit = nullptr;
  TsEdit* sBEdit = nullptr;
  TsPanel* ColorPanel = nullptr;
  TsPanel* GradPanel = nullptr;
  classlib::TShape* SelectedPanel = nullptr;

  // The dialog that opened the form (nullptr for a form made on its own).
  TsColorDialog* OwnerDialog = nullptr;
  // The hue and saturation picture of the field.
  std::unique_ptr<classlib::TBitmap> ExtBmp;
  // The preview panel while the screen picker runs.
  classlib::TPanel* PickPanel = nullptr;

  void InitLngCaptions();
  void SetCurrentColor(classlib::TColor C);
  void SetInternalColor(double H, double S);
  void SetColorFromEdit(classlib::TColor C, bool& Flag);
  classlib::TColor GradToColor(int Y) const;
  int GetColorCoord(classlib::TColor C) const;
  void CreateExtBmp();
  // The marker strip right of the gradient: (gradient right, 0, form width, gradient bottom + 4).
  TRect MarkerRect() const;
  void SetMarker();
  // The selected colour (the result on OK).
  classlib::TColor SelectedColor() const;
  // Frees the cursor and forgets any press in the field or on the gradient.
  void ReleasePress();

  // Handlers named by the description.
  void FormShow(classlib::TObject* Sender);
  void FormPaint(classlib::TObject* Sender);
  void FormDeactivate(classlib::TObject* Sender);
  void FormClose(classlib::TObject* Sender, classlib::TCloseAction& Action);
  void FormMouseDown(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift, int X,
                     int Y);
  void FormMouseMove(classlib::TObject* Sender, classlib::TShiftState Shift, int X, int Y);
  void FormMouseUp(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y);
  void MainPalChange(classlib::TObject* Sender);
  void AddPalChange(classlib::TObject* Sender);
  void PalDblClick(classlib::TObject* Sender);
  void sBitBtn1Click(classlib::TObject* Sender);
  void sBitBtn2Click(classlib::TObject* Sender);
  void sBitBtn3Click(classlib::TObject* Sender);
  void sBitBtn4Click(classlib::TObject* Sender);
  void sBitBtn5Click(classlib::TObject* Sender);
  void sSpeedButton1Click(classlib::TObject* Sender);
  void sEditHexChange(classlib::TObject* Sender);
  void sEditHexKeyPress(classlib::TObject* Sender, wchar_t& Key);
  void sEditDecimalChange(classlib::TObject* Sender);
  void HsvEditChange(classlib::TObject* Sender);
  void RgbEditChange(classlib::TObject* Sender);
  void ColorPanelMouseDown(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift, int X,
                           int Y);
  void ColorPanelMouseMove(classlib::TObject* Sender, classlib::TShiftState Shift, int X, int Y);
  void ColorPanelMouseUp(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift, int X,
                         int Y);
  void GradPanelMouseDown(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift, int X,
                          int Y);
  void GradPanelMouseMove(classlib::TObject* Sender, classlib::TShiftState Shift, int X, int Y);
  void GradPanelMouseUp(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift, int X,
                        int Y);

 protected:
  void DeclareBindings(classlib::TFormBindings& b) override;
  void WndProc(classlib::TMessage& Message) override;

 private:
  void ColorPanelPaint(classlib::TObject* Sender, classlib::TCanvas* Canvas);
  void GradPanelPaint(classlib::TObject* Sender, classlib::TCanvas* Canvas);
  void PaintMarker(HDC DC);
  // Clears a palette selection whose colour is no longer the selected one.
  void ExitPanels();
  void RepaintField();
  void RepaintGradient();
  void ConfineCursorTo(classlib::TControl* Control, const TRect& Local);
  void SelectInField(int X, int Y);
  void SelectOnGradient(int Y);
  void SetEditNumber(TsEdit* Edit, int Value);
  // The screen picker: true with the picked colour in PickColor.
  bool RunScreenPicker();
  // The field's and the gradient's messages first: a lost capture ends the press.
  void FieldWndProc(classlib::TMessage& Message);
  void GradWndProc(classlib::TMessage& Message);
  void WatchCaptureLoss(classlib::TMessage& Message);

  classlib::TWndMethod fieldOldProc_;
  classlib::TWndMethod gradOldProc_;
};

// Unit state of the open dialog (one at a time).
extern TsColorDialogForm* sColorDialogForm;
extern classlib::TColor InternalColor;
extern classlib::TColor PickColor;
extern TsHSV SelectedHsv;
extern TPoint ColorCoord;
extern bool ExPressed;
extern bool GradPressed;
extern int GradY;
extern int CurrCustomIndex;
extern bool UseCoords;
extern bool ColorChanging;
extern bool HexChanging;
extern bool DecChanging;
extern bool HsvChanging;
extern bool RgbChanging;

// The screen picker's glyph: a pipette over a small colour square, on the transparent colour
// (the bottom-left pixel).
std::unique_ptr<classlib::TBitmap> ScreenPickerGlyph();

// TsColorDialog and TsColorDialogForm in the class registry.
void RegisterColorDialogClasses();

}  // namespace skin
