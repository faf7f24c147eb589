#include "skin/controls/sCalcUnit.h"

#include <windows.h>

#include "classlib/Clipbrd.h"
#include "classlib/Messages.h"
#include "classlib/SysUtils.h"
#include "skin/controls/sCurrEdit.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinRegions.h"

namespace skin {

using classlib::TMessage;
using classlib::TObject;

namespace {

// The system's own words for closing and minimising, from user32's string table; empty where the
// library has none.
std::wstring User32Text(UINT Id) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return {};
  wchar_t buf[256]{};
  const int n = LoadStringW(user32, Id, buf, 255);
  return n > 0 ? std::wstring(buf, std::size_t(n)) : std::wstring();
}

// The user's currency symbol, dropped from pasted amounts.
std::wstring CurrencyString() {
  wchar_t buf[16]{};
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, buf, 16);
  return n > 1 ? std::wstring(buf, std::size_t(n - 1)) : std::wstring();
}

}  // namespace

TsCalcForm::TsCalcForm(classlib::TComponent* AOwner) : classlib::TForm(AOwner) {
  RegisterCalcFormClasses();
  engine_.OnTextChange = [this] { TextChanged(); };
  engine_.OnBeep = [] { MessageBeep(0); };
  InitDescription(L"TSCALCFORM");
}

void TsCalcForm::DeclareBindings(classlib::TFormBindings& b) {
  b.Field(L"FMainPanel", FMainPanel)
      .Field(L"sDragBar1", sDragBar1)
      .Field(L"sToolButton1", sToolButton1)
      .Field(L"sToolButton3", sToolButton3)
      .Field(L"FCalculatorPanel", FCalculatorPanel)
      .Field(L"FDisplayPanel", FDisplayPanel)
      .Field(L"FCalcPanel", FCalcPanel)
      .Field(L"PopupMenu1", PopupMenu1)
      .Field(L"N1", N1)
      .Field(L"N2", N2);
  b.Handler(L"FormCreate", &TsCalcForm::FormCreate)
      .Handler(L"FormDeactivate", &TsCalcForm::FormDeactivate)
      .Handler(L"FormKeyPress", &TsCalcForm::FormKeyPress)
      .Handler(L"FormShow", &TsCalcForm::FormShow)
      .Handler(L"DigitButtonClick", &TsCalcForm::DigitButtonClick)
      .Handler(L"KeyButtonClick", &TsCalcForm::KeyButtonClick)
      .Handler(L"MemoryButtonClick", &TsCalcForm::MemoryButtonClick)
      .Handler(L"CloseButtonClick", &TsCalcForm::CloseButtonClick)
      .Handler(L"MinimizeButtonClick", &TsCalcForm::MinimizeButtonClick)
      .Handler(L"PopupMenu1Popup", &TsCalcForm::PopupMenu1Popup)
      .Handler(L"N1Click", &TsCalcForm::N1Click)
      .Handler(L"N2Click", &TsCalcForm::N2Click)
      .Handler(L"OK1Click", &TsCalcForm::OK1Click)
      .Handler(L"Cancel1Click", &TsCalcForm::Cancel1Click);
}

void TsCalcForm::CreateParams(classlib::TCreateParams& Params) {
  classlib::TForm::CreateParams(Params);
  Params.WindowClass.style |= CS_DROPSHADOW;
}

void TsCalcForm::TextChanged() {
  if (FDisplayPanel == nullptr) return;
  FDisplayPanel->SetCaption(engine_.Text() + L" ");
  FDisplayPanel->SkinData()->BGChanged = true;
  FDisplayPanel->Invalidate();
}

void TsCalcForm::UpdateMemoryLabel() {
  if (FCalcPanel != nullptr) FCalcPanel->SetCaption(engine_.MemoryLabel());
}

void TsCalcForm::Copy() { classlib::SetClipboardText(engine_.Text()); }

void TsCalcForm::Paste() {
  if (classlib::ClipboardHasText()) engine_.Paste(classlib::ClipboardText(), CurrencyString());
}

void TsCalcForm::TransferToEditor() {
  if (FEditor == nullptr) return;
  double v = 0;
  // Whatever the display holds that is no number leaves the edit as it is.
  if (!classlib::TryStrToFloat(engine_.Text(), v)) return;
  FEditor->SetValue(v);
  if (FEditor->CanFocus()) FEditor->SetFocus();
  if (FEditor->AutoSelect()) FEditor->SelectAll();
  if (FEditor->OnChange) FEditor->OnChange(FEditor);
}

void TsCalcForm::CalcKey(wchar_t Key) {
  const TsCalcRequest r = engine_.CalcKey(Key, FEditor != nullptr);
  if (r.Copy) Copy();
  if (r.Paste) Paste();
  if (r.Transfer) TransferToEditor();
  if (r.FocusEditor && FEditor != nullptr && FEditor->CanFocus()) FEditor->SetFocus();
  if (r.Close) Close();
}

void TsCalcForm::FormCreate(TObject*) {
  static const std::wstring closeHint = User32Text(905), minimizeHint = User32Text(900);
  if (sToolButton1 != nullptr) sToolButton1->SetHint(closeHint);
  if (sToolButton3 != nullptr) sToolButton3->SetHint(minimizeHint);
  engine_.SetText(L"0");
  TextChanged();
}

void TsCalcForm::FormDeactivate(TObject*) { Close(); }

void TsCalcForm::FormKeyPress(TObject*, wchar_t& Key) {
  CalcKey(Key);
  Key = 0;
}

void TsCalcForm::FormShow(TObject*) {
  if (FEditor != nullptr) engine_.SetDisplay(FEditor->Value());
  TsSkinManager* sm = DefaultManager();
  SetColor(sm != nullptr && sm->Active() ? sm->GetGlobalColor() : classlib::clBtnFace);
}

void TsCalcForm::DigitButtonClick(TObject* Sender) {
  if (auto* c = dynamic_cast<classlib::TComponent*>(Sender)) CalcKey(static_cast<wchar_t>(L'0' + c->Tag()));
}

void TsCalcForm::KeyButtonClick(TObject* Sender) {
  if (auto* c = dynamic_cast<classlib::TComponent*>(Sender)) CalcKey(static_cast<wchar_t>(c->Tag()));
}

void TsCalcForm::MemoryButtonClick(TObject* Sender) {
  auto* c = dynamic_cast<classlib::TComponent*>(Sender);
  if (c == nullptr) return;
  switch (c->Tag()) {
    case 0: engine_.MemoryClear(); break;
    case 1: engine_.MemoryRecall(); break;
    case 2: engine_.MemoryStore(); break;
    case 3: engine_.MemoryAdd(); break;
    default: return;
  }
  UpdateMemoryLabel();
}

void TsCalcForm::CloseButtonClick(TObject*) { Close(); }

void TsCalcForm::MinimizeButtonClick(TObject*) {
  if (classlib::TCustomForm* main = classlib::Application->MainForm()) ShowWindow(main->Handle(), SW_MINIMIZE);
}

void TsCalcForm::PopupMenu1Popup(TObject*) {
  if (N2 != nullptr) N2->SetEnabled(classlib::ClipboardHasText());
}

void TsCalcForm::N1Click(TObject*) { Copy(); }
void TsCalcForm::N2Click(TObject*) { Paste(); }

void TsCalcForm::OK1Click(TObject*) {
  if (engine_.Status() == csError) {
    if (engine_.BeepOnError()) MessageBeep(0);
    return;
  }
  engine_.SetDisplay(engine_.GetDisplay());
  if (FOnOk) FOnOk(this);
}

void TsCalcForm::Cancel1Click(TObject*) {
  if (FOnCancel) FOnCancel(this);
}

void TsCalcForm::UpdateRegion() {
  if (!HandleAllocated()) return;
  TAOR runs;
  TsSkinManager* sm = FEditor != nullptr ? FEditor->SkinData()->GetSkinManager() : nullptr;
  if (sm != nullptr && FMainPanel != nullptr) {
    const int index = FMainPanel->SkinData()->BorderIndex;
    if (sm->Records().IsValidImgIndex(index)) {
      const TsMaskData& md = sm->Records().ma[std::size_t(index)];
      AddRgn(runs, Width(), md, false, 0);
      AddRgn(runs, Width(), md, true, Height() - md.WB);
    }
  }
  HRGN region = CreateRectRgn(0, 0, Width(), Height());
  for (const TRect& r : runs) {
    HRGN cut = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  // The window owns the region from here on.
  if (SetWindowRgn(Handle(), region, FALSE) == 0) DeleteObject(region);
}

void TsCalcForm::WndProc(TMessage& M) {
  TsSkinManager* sm = DefaultManager();
  if (M.Msg == WM_ERASEBKGND && sm != nullptr && sm->Active()) {
    M.Result = 1;
    return;
  }
  if (M.Msg == WM_NCPAINT && FEditor != nullptr) {
    TsSkinManager* own = FEditor->SkinData()->GetSkinManager();
    if (own != nullptr && own->Active()) UpdateRegion();
  }
  classlib::TForm::WndProc(M);
}

void RegisterCalcFormClasses() {
  RegisterSkinDataClasses();
  RegisterPanelClasses();
  RegisterSpeedButtonClasses();
}

}  // namespace skin
