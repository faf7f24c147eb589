#include "skin/controls/sColorDialog.h"

#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>

#include "classlib/ScopeExit.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sColorDialogMath.h"
#include "skin/controls/sEdit.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/sConstTexts.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sBitmapOverloads.h"

namespace skin {

namespace {

using classlib::TColor;

int EditNumber(const classlib::TEdit* Edit) {
  const std::wstring text = Edit->Text();
  wchar_t* end = nullptr;
  const long long value = std::wcstoll(text.c_str(), &end, 10);
  if (end == text.c_str()) return 0;
  return static_cast<int>(std::clamp<long long>(value, -0x7FFFFFFFLL, 0x7FFFFFFFLL));
}

TColor RgbColor(int R, int G, int B) {
  const auto byte = [](int v) { return std::clamp(v, 0, 255); };
  return static_cast<TColor>(byte(R) | (byte(G) << 8) | (byte(B) << 16));
}

TColor NonNegative(TColor C) { return C < 0 ? 0 : C; }

}  // namespace

TsColorDialogForm::TsColorDialogForm(classlib::TComponent* AOwner) : classlib::TForm(AOwner) {
  InitDescription(L"TSCOLORDIALOGFORM");
  sColorDialogForm = this;
  CurrCustomIndex = 0;
  CreateExtBmp();
  ColorPanel->OnPaint = [this](classlib::TObject* s, classlib::TCanvas* c) { ColorPanelPaint(s, c); };
  GradPanel->OnPaint = [this](classlib::TObject* s, classlib::TCanvas* c) { GradPanelPaint(s, c); };
  fieldOldProc_ = ColorPanel->WindowProc;
  ColorPanel->WindowProc = classlib::TWndMethod(this, &TsColorDialogForm::FieldWndProc);
  gradOldProc_ = GradPanel->WindowProc;
  GradPanel->WindowProc = classlib::TWndMethod(this, &TsColorDialogForm::GradWndProc);
  sSpeedButton1->Glyph()->Assign(ScreenPickerGlyph().get());
}

TsColorDialogForm::~TsColorDialogForm() {
  ReleasePress();
  // The panels outlive this body (the owner frees them later): give them their own procedures back.
  if (ColorPanel && ColorPanel->WindowProc == classlib::TWndMethod(this, &TsColorDialogForm::FieldWndProc))
    ColorPanel->WindowProc = fieldOldProc_;
  if (GradPanel && GradPanel->WindowProc == classlib::TWndMethod(this, &TsColorDialogForm::GradWndProc))
    GradPanel->WindowProc = gradOldProc_;
  if (ColorPanel) ColorPanel->OnPaint = nullptr;
  if (GradPanel) GradPanel->OnPaint = nullptr;
  if (sColorDialogForm == this) sColorDialogForm = nullptr;
  // Nothing of this dialog may steer the next one.
  UseCoords = false;
  ColorChanging = HexChanging = DecChanging = HsvChanging = RgbChanging = false;
  GradY = 0;
  CurrCustomIndex = 0;
}

void TsColorDialogForm::DeclareBindings(classlib::TFormBindings& b) {
  using F = TsColorDialogForm;
  b.Field(L"MainPal", MainPal).Field(L"AddPal", AddPal).Field(L"sLabel1", sLabel1).Field(L"sLabel2", sLabel2);
  b.Field(L"sLabelRed", sLabelRed).Field(L"sLabelGreen", sLabelGreen).Field(L"sLabelBlue", sLabelBlue);
  b.Field(L"sLabelHex", sLabelHex).Field(L"sLabelDecimal", sLabelDecimal);
  b.Field(L"sBitBtn1", sBitBtn1).Field(L"sBitBtn2", sBitBtn2).Field(L"sBitBtn3", sBitBtn3);
  b.Field(L"sBitBtn4", sBitBtn4).Field(L"sBitBtn5", sBitBtn5).Field(L"sSpeedButton1", sSpeedButton1);
  b.Field(L"sEditHex", sEditHex).Field(L"sEditDecimal", sEditDecimal);
  b.Field(L"sHEdit", sHEdit).Field(L"sSEdit", sSEdit).Field(L"sVEdit", sVEdit);
  b.Field(L"sREdit", sREdit).Field(L"sGEdit", sGEdit).Field(L"sBEdit", sBEdit);
  b.Field(L"ColorPanel", ColorPanel).Field(L"GradPanel", GradPanel).Field(L"SelectedPanel", SelectedPanel);
  b.Handler(L"FormShow", &F::FormShow).Handler(L"FormPaint", &F::FormPaint);
  b.Handler(L"FormDeactivate", &F::FormDeactivate).Handler(L"FormClose", &F::FormClose);
  b.Handler(L"FormMouseDown", &F::FormMouseDown).Handler(L"FormMouseMove", &F::FormMouseMove);
  b.Handler(L"FormMouseUp", &F::FormMouseUp);
  b.Handler(L"MainPalChange", &F::MainPalChange).Handler(L"AddPalChange", &F::AddPalChange);
  b.Handler(L"PalDblClick", &F::PalDblClick);
  b.Handler(L"sBitBtn1Click", &F::sBitBtn1Click).Handler(L"sBitBtn2Click", &F::sBitBtn2Click);
  b.Handler(L"sBitBtn3Click", &F::sBitBtn3Click).Handler(L"sBitBtn4Click", &F::sBitBtn4Click);
  b.Handler(L"sBitBtn5Click", &F::sBitBtn5Click).Handler(L"sSpeedButton1Click", &F::sSpeedButton1Click);
  b.Handler(L"sEditHexChange", &F::sEditHexChange).Handler(L"sEditHexKeyPress", &F::sEditHexKeyPress);
  b.Handler(L"sEditDecimalChange", &F::sEditDecimalChange);
  b.Handler(L"HsvEditChange", &F::HsvEditChange).Handler(L"RgbEditChange", &F::RgbEditChange);
  b.Handler(L"ColorPanelMouseDown", &F::ColorPanelMouseDown).Handler(L"ColorPanelMouseMove", &F::ColorPanelMouseMove);
  b.Handler(L"ColorPanelMouseUp", &F::ColorPanelMouseUp);
  b.Handler(L"GradPanelMouseDown", &F::GradPanelMouseDown).Handler(L"GradPanelMouseMove", &F::GradPanelMouseMove);
  b.Handler(L"GradPanelMouseUp", &F::GradPanelMouseUp);
}

void TsColorDialogForm::InitLngCaptions() {
  sBitBtn1->SetCaption(acs_MsgDlgOK);
  sBitBtn2->SetCaption(acs_MsgDlgCancel);
  sBitBtn3->SetCaption(acs_ColorDlgAdd);
  sBitBtn4->SetCaption(acs_ColorDlgDefine);
  sBitBtn5->SetCaption(acs_MsgDlgHelp);
  sLabel1->SetCaption(acs_ColorDlgMainPal);
  sLabel2->SetCaption(acs_ColorDlgAddPal);
  SetCaption(acs_ColorDlgTitle);
  sLabelRed->SetCaption(acs_ColorDlgRed);
  sLabelGreen->SetCaption(acs_ColorDlgGreen);
  sLabelBlue->SetCaption(acs_ColorDlgBlue);
  sLabelHex->SetCaption(acs_ColorDlgHex);
  sLabelDecimal->SetCaption(acs_ColorDlgDecimal);
}

TColor TsColorDialogForm::SelectedColor() const { return SelectedPanel->Brush()->Color(); }

TColor TsColorDialogForm::GradToColor(int Y) const { return skin::GradToColor(InternalColor, Y, GradPanel->Height()); }

int TsColorDialogForm::GetColorCoord(TColor C) const {
  return skin::GetColorCoord(NonNegative(InternalColor), C, GradPanel->Height());
}

void TsColorDialogForm::CreateExtBmp() {
  const int w = ColorPanel->Width(), h = ColorPanel->Height();
  ExtBmp = NewBitmap32(w, h);
  TImage32View view = View32(ExtBmp.get());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TColor c = Hsv2Rgb(x * 360.0 / w, 1.0 - static_cast<double>(y) / h, 1.0 - y / (3.0 * h));
      TsColor_& px = view.At(x, y);
      px.R = static_cast<std::uint8_t>(c & 0xFF);
      px.G = static_cast<std::uint8_t>((c >> 8) & 0xFF);
      px.B = static_cast<std::uint8_t>((c >> 16) & 0xFF);
      px.A = 0xFF;
    }
}

void TsColorDialogForm::ColorPanelPaint(classlib::TObject*, classlib::TCanvas* Canvas) {
  if (!ExtBmp) return;
  BitBlt(Canvas->Handle(), 0, 0, ExtBmp->Width(), ExtBmp->Height(), ExtBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  if (ExPressed) return;
  const TPoint p =
      UseCoords ? ColorCoord : FieldPointOf(SelectedHsv.h, SelectedHsv.s, ColorPanel->Width(), ColorPanel->Height());
  Canvas->Brush()->SetStyle(classlib::bsClear);
  Canvas->Ellipse(p.X - 5, p.Y - 5, p.X + 5, p.Y + 5);
}

void TsColorDialogForm::GradPanelPaint(classlib::TObject*, classlib::TCanvas* Canvas) {
  const int w = GradPanel->Width(), h = GradPanel->Height();
  const std::vector<TColor> rows = GradientRows(NonNegative(InternalColor), h);
  auto bmp = NewBitmap32(w, h);
  TImage32View view = View32(bmp.get());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      TsColor_& px = view.At(x, y);
      px.R = static_cast<std::uint8_t>(rows[y] & 0xFF);
      px.G = static_cast<std::uint8_t>((rows[y] >> 8) & 0xFF);
      px.B = static_cast<std::uint8_t>((rows[y] >> 16) & 0xFF);
      px.A = 0xFF;
    }
  BitBlt(Canvas->Handle(), 0, 0, w, h, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

TRect TsColorDialogForm::MarkerRect() const {
  return {GradPanel->Left() + GradPanel->Width(), 0, ClientWidth(), GradPanel->Top() + GradPanel->Height() + 4};
}

void TsColorDialogForm::PaintMarker(HDC DC) {
  TsSkinManager* manager = DefaultManager();
  const bool skinned = manager && manager->Active();
  const COLORREF color =
      skinned ? static_cast<COLORREF>(classlib::ColorToRGB(manager->Records().GetGlobalFontColor())) : RGB(0, 0, 0);
  const int x = GradPanel->Left() + GradPanel->Width();
  const int y = GradPanel->Top() + GradY;
  for (int k = 0; k <= 4; ++k)
    for (int col = x + k + 1; col <= x + 5; ++col) {
      SetPixelV(DC, col, y - k, color);
      if (k) SetPixelV(DC, col, y + k, color);
    }
}

void TsColorDialogForm::SetMarker() {
  RepaintGradient();
  GradY = GetColorCoord(SelectedColor());
  if (!HandleAllocated() || InAnimationProcess) return;
  // The old arrow goes with the strip's background; the new one is drawn over it.
  const TRect r = MarkerRect();
  RECT wipe{r.Left, r.Top, r.Right, r.Bottom};
  RedrawWindow(Handle(), &wipe, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
  HDC dc = GetDC(Handle());
  if (!dc) return;
  const auto release = classlib::TScopeExit([&] { ReleaseDC(Handle(), dc); });
  PaintMarker(dc);
}

void TsColorDialogForm::FormPaint(classlib::TObject*) { PaintMarker(Canvas()->Handle()); }

void TsColorDialogForm::RepaintField() {
  ColorPanel->SkinData()->BGChanged = true;
  ColorPanel->Invalidate();
}

void TsColorDialogForm::RepaintGradient() {
  GradPanel->SkinData()->BGChanged = true;
  GradPanel->Invalidate();
}

void TsColorDialogForm::SetEditNumber(TsEdit* Edit, int Value) { Edit->SetText(std::to_wstring(Value)); }

void TsColorDialogForm::SetCurrentColor(TColor C) {
  ColorChanging = true;
  const auto done = classlib::TScopeExit([] { ColorChanging = false; });
  C = classlib::ColorToRGB(C) & 0xFFFFFF;
  SelectedPanel->Brush()->SetColor(C);
  if (!UseCoords) {
    TsColor c;
    c.C = C;
    SelectedHsv = Rgb2Hsv(c);
    InternalColor = NonNegative(Hsv2Rgb(SelectedHsv.h, SelectedHsv.s, 1));
  }
  const int height = GradPanel->Height();
  const int half = std::max(1, height / 2);
  if (!HsvChanging) {
    SetEditNumber(sHEdit, SelectedHsv.h);
    if (UseCoords) {
      if (GradY < half)
        SetEditNumber(sSEdit, static_cast<int>(std::lround(SelectedHsv.s * 100 * 2 * (GradY + 1) / height)));
      else
        SetEditNumber(sVEdit, static_cast<int>(std::lround(BrightnessOfRow(GradY, height))));
    } else {
      SetEditNumber(sSEdit, static_cast<int>(std::lround(SelectedHsv.s * 100)));
      SetEditNumber(sVEdit, static_cast<int>(std::lround(SelectedHsv.v * 100)));
    }
  }
  if (!RgbChanging) {
    SetEditNumber(sREdit, C & 0xFF);
    SetEditNumber(sGEdit, (C >> 8) & 0xFF);
    SetEditNumber(sBEdit, (C >> 16) & 0xFF);
  }
  if (!DecChanging) SetEditNumber(sEditDecimal, C);
  if (!HexChanging) sEditHex->SetText(classlib::ColorToRgbHex(C));
  if (!UseCoords) ColorCoord = FieldPointOf(SelectedHsv.h, SelectedHsv.s, ColorPanel->Width(), ColorPanel->Height());
  SetMarker();
  ExitPanels();
  // The cursor circle follows the new hue and saturation whoever made the change.
  RepaintField();
}

void TsColorDialogForm::SetInternalColor(double H, double S) {
  ColorChanging = true;
  const auto done = classlib::TScopeExit([] { ColorChanging = false; });
  SelectedHsv.h = static_cast<int>(std::lround(H));
  SelectedHsv.s = S;
  InternalColor = NonNegative(Hsv2Rgb(H, S, 1));
  const int height = GradPanel->Height();
  SetEditNumber(sHEdit, SelectedHsv.h);
  SetEditNumber(sSEdit, static_cast<int>(std::lround(S * 100)));
  SetEditNumber(sVEdit, static_cast<int>(std::lround(BrightnessOfRow(GradY, height))));
  RepaintGradient();
  const TColor c = GradToColor(GradY);
  SetEditNumber(sREdit, c & 0xFF);
  SetEditNumber(sGEdit, (c >> 8) & 0xFF);
  SetEditNumber(sBEdit, (c >> 16) & 0xFF);
  SetEditNumber(sEditDecimal, c);
  sEditHex->SetText(classlib::ColorToRgbHex(c));
  SelectedPanel->Brush()->SetColor(c);
  ColorCoord = FieldPointOf(H, S, ColorPanel->Width(), ColorPanel->Height());
  ExitPanels();
}

void TsColorDialogForm::SetColorFromEdit(TColor C, bool& Flag) {
  if (ColorChanging) return;
  Flag = true;
  const auto done = classlib::TScopeExit([&Flag] { Flag = false; });
  UseCoords = false;
  SetCurrentColor(C);
  MainPal->SetItemIndex(-1);
  RepaintField();
}

void TsColorDialogForm::ExitPanels() {
  const TColor selected = SelectedColor();
  if (MainPal->ItemIndex() >= 0 && MainPal->ColorValue() != selected) MainPal->SetItemIndex(-1);
  if (AddPal->ItemIndex() >= 0 && AddPal->ColorValue() != selected) {
    CurrCustomIndex = AddPal->ItemIndex();
    AddPal->SetItemIndex(-1);
  }
}

// ---- events ----

void TsColorDialogForm::FormShow(classlib::TObject*) {
  UseCoords = false;
  SetCurrentColor(SelectedColor());
  if (OwnerDialog) OwnerDialog->DoShow();
}

void TsColorDialogForm::FormDeactivate(classlib::TObject*) { ReleasePress(); }

void TsColorDialogForm::FormClose(classlib::TObject*, classlib::TCloseAction&) { ReleasePress(); }

void TsColorDialogForm::MainPalChange(classlib::TObject*) {
  if (MainPal->ItemIndex() < 0) return;
  UseCoords = false;
  SetCurrentColor(MainPal->ColorValue());
  RepaintField();
}

void TsColorDialogForm::AddPalChange(classlib::TObject*) {
  const int i = AddPal->ItemIndex();
  if (i < 0 || i >= AddPal->Colors()->Count()) return;
  // A white slot is an empty one: selecting it only marks where "Add" goes.
  if (ColorOfHexText(AddPal->Colors()->Strings(i)) == 0xFFFFFF) return;
  UseCoords = false;
  SetCurrentColor(AddPal->ColorValue());
  RepaintField();
}

void TsColorDialogForm::PalDblClick(classlib::TObject*) { sBitBtn1Click(sBitBtn1); }

void TsColorDialogForm::sBitBtn1Click(classlib::TObject*) { SetModalResult(classlib::mrOk); }

void TsColorDialogForm::sBitBtn2Click(classlib::TObject*) { SetModalResult(classlib::mrCancel); }

void TsColorDialogForm::sBitBtn3Click(classlib::TObject*) {
  classlib::TStrings* colors = AddPal->Colors();
  if (colors->Count() == 0) return;
  const std::wstring text = classlib::ColorToRgbHex(SelectedColor());
  const int selected = AddPal->ItemIndex();
  if (selected < 0) {
    const int slot = std::clamp(CurrCustomIndex, 0, colors->Count() - 1);
    colors->SetStrings(slot, text);
    if (slot < colors->Count() - 1) CurrCustomIndex = slot + 1;
  } else if (selected < colors->Count()) {
    colors->SetStrings(selected, text);
  }
  AddPal->GenerateColors();
  AddPal->SkinData()->BGChanged = true;
  AddPal->Invalidate();
}

void TsColorDialogForm::sBitBtn4Click(classlib::TObject*) {
  SetWidth(Constraints()->MaxWidth());
  sBitBtn4->SetEnabled(false);
}

void TsColorDialogForm::sBitBtn5Click(classlib::TObject*) {
  const std::wstring file = classlib::Application->HelpFile();
  if (file.empty()) return;
  ShellExecuteW(Handle(), L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TsColorDialogForm::sEditHexChange(classlib::TObject*) {
  SetColorFromEdit(ColorOfHexText(sEditHex->Text()), HexChanging);
}

void TsColorDialogForm::sEditHexKeyPress(classlib::TObject*, wchar_t& Key) {
  const bool hex = (Key >= L'0' && Key <= L'9') || (Key >= L'A' && Key <= L'F') || (Key >= L'a' && Key <= L'f');
  if (!hex && Key != VK_RETURN && Key != VK_ESCAPE) Key = 0;
}

void TsColorDialogForm::sEditDecimalChange(classlib::TObject*) {
  SetColorFromEdit(std::clamp(EditNumber(sEditDecimal), 0, 0xFFFFFF), DecChanging);
}

void TsColorDialogForm::HsvEditChange(classlib::TObject*) {
  const double h = std::clamp(EditNumber(sHEdit), 0, 360);
  const double s = std::clamp(EditNumber(sSEdit), 0, 100) / 100.0;
  const double v = std::clamp(EditNumber(sVEdit), 0, 100) / 100.0;
  SetColorFromEdit(NonNegative(Hsv2Rgb(h, s, v)), HsvChanging);
}

void TsColorDialogForm::RgbEditChange(classlib::TObject*) {
  SetColorFromEdit(RgbColor(EditNumber(sREdit), EditNumber(sGEdit), EditNumber(sBEdit)), RgbChanging);
}

// ---- the field and the gradient under the mouse ----

void TsColorDialogForm::ConfineCursorTo(classlib::TControl* Control, const TRect& Local) {
  const TPoint tl = Control->ClientToScreen({Local.Left, Local.Top});
  const RECT clip{tl.X, tl.Y, tl.X + (Local.Right - Local.Left), tl.Y + (Local.Bottom - Local.Top)};
  ClipCursor(&clip);
}

void TsColorDialogForm::ReleasePress() {
  if (ExPressed || GradPressed) ClipCursor(nullptr);
  const bool wasField = ExPressed;
  ExPressed = false;
  GradPressed = false;
  if (wasField && ColorPanel) RepaintField();
}

void TsColorDialogForm::SelectInField(int X, int Y) {
  const int w = ColorPanel->Width(), h = ColorPanel->Height();
  X = std::clamp(X, 0, w - 1);
  Y = std::clamp(Y, 0, h - 1);
  SetInternalColor(std::lround(X * 360.0 / w), 1.0 - static_cast<double>(Y) / h);
}

void TsColorDialogForm::ColorPanelMouseDown(classlib::TObject*, classlib::TMouseButton Button, classlib::TShiftState,
                                            int X, int Y) {
  if (Button != classlib::mbLeft) return;
  if (ColorPanel->CanFocus()) ColorPanel->SetFocus();
  ExPressed = true;
  UseCoords = false;
  SelectInField(X, Y);
  RepaintField();
  ColorPanel->SetMouseCapture(true);
  ConfineCursorTo(ColorPanel, ColorPanel->ClientRect());
}

void TsColorDialogForm::ColorPanelMouseMove(classlib::TObject*, classlib::TShiftState, int X, int Y) {
  if (!ExPressed) return;
  SelectInField(X, Y);
  RepaintField();
}

void TsColorDialogForm::ColorPanelMouseUp(classlib::TObject*, classlib::TMouseButton, classlib::TShiftState, int, int) {
  if (!ExPressed) return;
  ReleasePress();
  if (ColorPanel->MouseCapture()) ColorPanel->SetMouseCapture(false);
}

void TsColorDialogForm::SelectOnGradient(int Y) {
  GradY = std::clamp(Y, 0, GradPanel->Height() - 1);
  UseCoords = true;
  SetCurrentColor(GradToColor(GradY));
}

void TsColorDialogForm::GradPanelMouseDown(classlib::TObject*, classlib::TMouseButton Button, classlib::TShiftState,
                                           int, int Y) {
  if (Button != classlib::mbLeft) return;
  if (GradPanel->CanFocus()) GradPanel->SetFocus();
  GradPressed = true;
  SelectOnGradient(Y);
  GradPanel->SetMouseCapture(true);
  // The strip right of the gradient, where the marker runs.
  ConfineCursorTo(this, TRect{GradPanel->Left() + GradPanel->Width(), GradPanel->Top(),
                              GradPanel->Left() + GradPanel->Width() + 8, GradPanel->Top() + GradPanel->Height() - 1});
}

void TsColorDialogForm::GradPanelMouseMove(classlib::TObject*, classlib::TShiftState, int, int Y) {
  if (!GradPressed) return;
  SelectOnGradient(Y);
}

void TsColorDialogForm::GradPanelMouseUp(classlib::TObject*, classlib::TMouseButton, classlib::TShiftState, int, int) {
  if (!GradPressed) return;
  ReleasePress();
  if (GradPanel->MouseCapture()) GradPanel->SetMouseCapture(false);
}

namespace {

bool InMarkerStrip(const classlib::TControl* Grad, int FormWidth, int X, int Y) {
  const int right = Grad->Left() + Grad->Width();
  return X >= right && X < FormWidth && Y >= Grad->Top() && Y < Grad->Top() + Grad->Height();
}

}  // namespace

void TsColorDialogForm::FormMouseDown(classlib::TObject*, classlib::TMouseButton Button, classlib::TShiftState Shift,
                                      int X, int Y) {
  if (InMarkerStrip(GradPanel, ClientWidth(), X, Y))
    GradPanelMouseDown(GradPanel, Button, Shift, X - GradPanel->Left(), Y - GradPanel->Top());
}

void TsColorDialogForm::FormMouseMove(classlib::TObject*, classlib::TShiftState Shift, int X, int Y) {
  if (GradPressed || InMarkerStrip(GradPanel, ClientWidth(), X, Y))
    GradPanelMouseMove(GradPanel, Shift, X - GradPanel->Left(), Y - GradPanel->Top());
}

void TsColorDialogForm::FormMouseUp(classlib::TObject*, classlib::TMouseButton Button, classlib::TShiftState Shift,
                                    int X, int Y) {
  if (GradPressed) GradPanelMouseUp(GradPanel, Button, Shift, X - GradPanel->Left(), Y - GradPanel->Top());
}

void TsColorDialogForm::WatchCaptureLoss(classlib::TMessage& Message) {
  if (Message.Msg == WM_CANCELMODE) {
    ReleasePress();
  } else if (Message.Msg == WM_CAPTURECHANGED) {
    // A press in the marker strip hands the capture from the form to the gradient: that is no loss.
    const HWND next = reinterpret_cast<HWND>(Message.LParam);
    const bool toPanel = next && ((ColorPanel->HandleAllocated() && next == ColorPanel->Handle()) ||
                                  (GradPanel->HandleAllocated() && next == GradPanel->Handle()));
    if (!toPanel) ReleasePress();
  }
}

void TsColorDialogForm::FieldWndProc(classlib::TMessage& Message) {
  WatchCaptureLoss(Message);
  fieldOldProc_(Message);
}

void TsColorDialogForm::GradWndProc(classlib::TMessage& Message) {
  WatchCaptureLoss(Message);
  gradOldProc_(Message);
}

void TsColorDialogForm::WndProc(classlib::TMessage& Message) {
  WatchCaptureLoss(Message);
  if ((Message.Msg == WM_ACTIVATE && LOWORD(Message.WParam) == WA_INACTIVE) ||
      (Message.Msg == WM_ACTIVATEAPP && !Message.WParam) || Message.Msg == WM_CLOSE)
    ReleasePress();
  classlib::TForm::WndProc(Message);
}

void TsColorDialogForm::sSpeedButton1Click(classlib::TObject*) {
  if (!RunScreenPicker()) return;
  UseCoords = false;
  SetCurrentColor(PickColor);
  MainPal->SetItemIndex(-1);
  RepaintField();
}

}  // namespace skin
