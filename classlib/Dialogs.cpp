#include "classlib/Dialogs.h"

#include <commdlg.h>

#include <vector>

#include "classlib/Forms.h"

namespace classlib {

namespace {

TMessageBoxFunction& BoxFunction() {
  static TMessageBoxFunction function;
  return function;
}

TColorDialog::TRunner& ColorRunner() {
  static TColorDialog::TRunner runner;
  return runner;
}

// The colour a custom-colour line names, white when it names none.
COLORREF CustomColorOfLine(const std::wstring& Line) {
  if (Line.size() < 6) return RGB(255, 255, 255);
  unsigned value = 0;
  for (int i = 0; i < 6; ++i) {
    const wchar_t c = Line[i];
    unsigned digit;
    if (c >= L'0' && c <= L'9')
      digit = c - L'0';
    else if (c >= L'A' && c <= L'F')
      digit = c - L'A' + 10;
    else if (c >= L'a' && c <= L'f')
      digit = c - L'a' + 10;
    else
      return RGB(255, 255, 255);
    value = value * 16 + digit;
  }
  return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

TOpenDialog::TRunner& DialogRunner() {
  static TOpenDialog::TRunner runner;
  return runner;
}

}  // namespace

TMessageBoxFunction SetMessageBoxFunction(TMessageBoxFunction Function) {
  TMessageBoxFunction previous = std::move(BoxFunction());
  BoxFunction() = std::move(Function);
  return previous;
}

int ShowMessageBox(HWND Owner, const std::wstring& Text, const std::wstring& Caption, UINT Flags) {
  if (const TMessageBoxFunction& f = BoxFunction()) return f(Owner, Text, Caption, Flags);
  return MessageBoxW(Owner, Text.c_str(), Caption.c_str(), Flags);
}

TModalState& ApplicationModalState() {
  static TModalState state;
  return state;
}

void ModalStarted() {
  TModalState& s = ApplicationModalState();
  ++s.Level;
  if (s.OnBegin) s.OnBegin(TApplication::Existing());
}

void ModalFinished() {
  TModalState& s = ApplicationModalState();
  if (s.Level > 0) --s.Level;
  if (s.OnEnd) s.OnEnd(TApplication::Existing());
}

THelpEvent& ApplicationHelpHandler() {
  static THelpEvent handler;
  return handler;
}

bool HelpContext(int Context) {
  const THelpEvent& handler = ApplicationHelpHandler();
  return handler && handler(HELP_CONTEXT, Context);
}

int ShowMessageBoxIndirect(const MSGBOXPARAMSW& Params) {
  if (const TMessageBoxFunction& f = BoxFunction())
    return f(Params.hwndOwner, Params.lpszText ? Params.lpszText : L"", Params.lpszCaption ? Params.lpszCaption : L"",
             Params.dwStyle);
  return MessageBoxIndirectW(&Params);
}

void ShowMessage(const std::wstring& Text) { Application->MessageBox(Text, Application->Title(), MB_OK); }

void TOpenDialog::DeclareProperties(TClassDecl<TOpenDialog>& d) {
  auto str = [&d](const wchar_t* name, std::wstring TOpenDialog::*field) {
    d.String(name, field, [field](TOpenDialog* o, const std::wstring& v) { o->*field = v; });
  };
  str(L"Filter", &TOpenDialog::Filter);
  str(L"FileName", &TOpenDialog::FileName);
  str(L"DefaultExt", &TOpenDialog::DefaultExt);
  str(L"InitialDir", &TOpenDialog::InitialDir);
  str(L"Title", &TOpenDialog::Title);
  d.Integer(
      L"FilterIndex", &TOpenDialog::FilterIndex, [](TOpenDialog* o, int v) { o->FilterIndex = v; }, 1);
  d.Set(
      L"Options", &TOpenDialog::Options, [](TOpenDialog* o, TOpenOptions v) { o->Options = v; },
      TOpenOptions{ofHideReadOnly, ofEnableSizing});
}

TOpenDialog::TRunner TOpenDialog::SetRunner(TRunner Runner) {
  TRunner previous = std::move(DialogRunner());
  DialogRunner() = std::move(Runner);
  return previous;
}

bool TOpenDialog::Execute() { return Run(false); }

bool TOpenDialog::Run(bool Save) {
  if (const TRunner& runner = DialogRunner()) return runner(*this, Save);
  // "Text|*.txt|All|*.*" becomes "Text\0*.txt\0All\0*.*\0\0".
  std::wstring filter = Filter;
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  std::vector<wchar_t> file(32768, L'\0');
  FileName.copy(file.data(), std::min<std::size_t>(FileName.size(), file.size() - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  HWND owner = GetActiveWindow();
  if (!owner && Application->MainForm()) owner = Application->MainForm()->Handle();
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  ofn.Flags = OFN_EXPLORER;
  struct Map {
    TOpenOption option;
    DWORD flag;
  };
  static const Map map[] = {{ofReadOnly, OFN_READONLY},
                            {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
                            {ofHideReadOnly, OFN_HIDEREADONLY},
                            {ofNoChangeDir, OFN_NOCHANGEDIR},
                            {ofShowHelp, OFN_SHOWHELP},
                            {ofNoValidate, OFN_NOVALIDATE},
                            {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
                            {ofPathMustExist, OFN_PATHMUSTEXIST},
                            {ofFileMustExist, OFN_FILEMUSTEXIST},
                            {ofCreatePrompt, OFN_CREATEPROMPT},
                            {ofShareAware, OFN_SHAREAWARE},
                            {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
                            {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
                            {ofNoNetworkButton, OFN_NONETWORKBUTTON},
                            {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
                            {ofEnableSizing, OFN_ENABLESIZING},
                            {ofDontAddToRecent, OFN_DONTADDTORECENT},
                            {ofForceShowHidden, OFN_FORCESHOWHIDDEN}};
  for (const Map& m : map)
    if (Options.Contains(m.option)) ofn.Flags |= m.flag;
  BOOL ok = Save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  FileName = file.data();
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  Options.Exclude(ofExtensionDifferent);
  if (ofn.Flags & OFN_EXTENSIONDIFFERENT) Options.Include(ofExtensionDifferent);
  return true;
}

// ---- TColorDialog ----

std::wstring ColorToRgbHex(TColor Color) {
  const COLORREF c = static_cast<COLORREF>(ColorToRGB(Color));
  wchar_t text[8];
  swprintf(text, 8, L"%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

TColorDialog::TColorDialog(TComponent* AOwner) : TComponent(AOwner) {}

void TColorDialog::DeclareProperties(TClassDecl<TColorDialog>& d) {
  d.Color(L"Color", &TColorDialog::Color, &TColorDialog::SetColor, clBlack);
  d.Set(L"Options", &TColorDialog::Options, &TColorDialog::SetOptions, TColorDialogOptions{});
  d.Integer(L"HelpContext", &TColorDialog::HelpContext, &TColorDialog::SetHelpContext, 0);
  d.Event(L"OnShow", &TColorDialog::OnShow);
  d.Event(L"OnClose", &TColorDialog::OnClose);
}

TColorDialog::TRunner TColorDialog::SetRunner(TRunner Runner) {
  TRunner previous = std::move(ColorRunner());
  ColorRunner() = std::move(Runner);
  return previous;
}

void TColorDialog::DoShow() {
  if (OnShow) OnShow(this);
}

void TColorDialog::DoClose() {
  if (OnClose) OnClose(this);
}

bool TColorDialog::Execute() {
  if (const TRunner& runner = ColorRunner()) return runner(*this);
  COLORREF custom[16];
  for (int i = 0; i < 16; ++i)
    custom[i] = i < FCustomColors->Count() ? CustomColorOfLine(FCustomColors->Strings(i)) : RGB(255, 255, 255);
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof(cc);
  HWND owner = GetActiveWindow();
  if (!owner && Application->MainForm()) owner = Application->MainForm()->Handle();
  cc.hwndOwner = owner;
  cc.rgbResult = static_cast<COLORREF>(ColorToRGB(FColor));
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT;
  if (FOptions.Contains(cdFullOpen)) cc.Flags |= CC_FULLOPEN;
  if (FOptions.Contains(cdPreventFullOpen)) cc.Flags |= CC_PREVENTFULLOPEN;
  if (FOptions.Contains(cdShowHelp)) cc.Flags |= CC_SHOWHELP;
  if (FOptions.Contains(cdSolidColor)) cc.Flags |= CC_SOLIDCOLOR;
  if (FOptions.Contains(cdAnyColor)) cc.Flags |= CC_ANYCOLOR;
  DoShow();
  const bool chosen = ChooseColorW(&cc) != FALSE;
  FCustomColors->Clear();
  for (COLORREF c : custom) FCustomColors->Add(ColorToRgbHex(static_cast<TColor>(c)));
  DoClose();
  if (chosen) FColor = static_cast<TColor>(cc.rgbResult);
  return chosen;
}

}  // namespace classlib
