// The input query and the message-dialog form: small forms built in code, laid out by the size
// their texts take in the form's font.
#include <windows.h>

#include <algorithm>
#include <array>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

namespace classlib {

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;

// The size Text takes in Font, wrapped at MaxWidth.
SIZE TextSizeIn(TFont* Font, const std::wstring& Text, int MaxWidth) {
  RECT r{0, 0, MaxWidth, 0};
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font->Handle());
  DrawTextW(dc, Text.empty() ? L" " : Text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

template <class T>
T* Add(TForm& Form, const wchar_t* Name) {
  T* control = Create<T>(&Form);
  control->SetName(Name);
  control->SetParent(&Form);
  return control;
}

TButton* AddButton(TForm& Form, const wchar_t* Name, const std::wstring& Caption, TModalResult Result) {
  TButton* button = Add<TButton>(Form, Name);
  button->SetCaption(Caption);
  button->SetModalResult(Result);
  return button;
}

struct ButtonKind {
  TMsgDlgBtn Btn;
  const wchar_t* Name;
  const wchar_t* Caption;
  TModalResult Result;
};
// Help does not close the form: it has no modal result.
constexpr std::array<ButtonKind, 12> kButtonKinds{{
    {mbYes, L"Yes", L"&Yes", mrYes},
    {mbNo, L"No", L"&No", mrNo},
    {mbOK, L"OK", L"OK", mrOk},
    {mbCancel, L"Cancel", L"Cancel", mrCancel},
    {mbAbort, L"Abort", L"&Abort", mrAbort},
    {mbRetry, L"Retry", L"&Retry", mrRetry},
    {mbIgnore, L"Ignore", L"&Ignore", mrIgnore},
    {mbAll, L"All", L"&All", mrAll},
    {mbNoToAll, L"NoToAll", L"N&o to All", mrNoToAll},
    {mbYesToAll, L"YesToAll", L"Yes to &All", mrYesToAll},
    {mbHelp, L"Help", L"&Help", mrNone},
    {mbClose, L"Close", L"&Close", mrClose},
}};

std::wstring TypeCaption(TMsgDlgType DlgType) {
  switch (DlgType) {
    case mtWarning: return L"Warning";
    case mtError: return L"Error";
    case mtInformation: return L"Information";
    case mtConfirmation: return L"Confirm";
    case mtCustom: break;
  }
  TApplication* app = TApplication::Existing();
  return app ? app->Title() : std::wstring();
}

}  // namespace

bool InputQuery(const std::wstring& ACaption, const std::wstring& APrompt, std::wstring& Value) {
  TOwnerless<TForm> holder(Create<TForm>(nullptr));
  TForm& form = *holder;
  form.SetBorderStyle(bsDialog);
  form.SetPosition(poScreenCenter);
  form.SetCaption(ACaption);
  const int width = std::max<int>(240, TextSizeIn(form.Font(), ACaption, 600).cx + 60);
  const SIZE prompt = TextSizeIn(form.Font(), APrompt, width - 2 * kMargin);
  TLabel* label = Add<TLabel>(form, L"Prompt");
  label->SetCaption(APrompt);
  label->SetBounds(kMargin, kMargin, prompt.cx, prompt.cy);
  TEdit* edit = Add<TEdit>(form, L"Value");
  const int editTop = kMargin + prompt.cy + 4;
  edit->SetBounds(kMargin, editTop, width - 2 * kMargin, 21);
  edit->SetText(Value);
  const int buttonTop = editTop + 21 + 12;
  TButton* ok = AddButton(form, L"OK", L"OK", mrOk);
  ok->SetDefault(true);
  ok->SetBounds(width - kMargin - 2 * kButtonWidth - kButtonGap, buttonTop, kButtonWidth, kButtonHeight);
  TButton* cancel = AddButton(form, L"Cancel", L"Cancel", mrCancel);
  cancel->SetCancel(true);
  cancel->SetBounds(width - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
  form.SetClientWidth(width);
  form.SetClientHeight(buttonTop + kButtonHeight + kMargin);
  form.SetActiveControl(edit);
  edit->SelectAll();
  if (form.ShowModal() != mrOk) return false;
  Value = edit->Text();
  return true;
}

std::wstring InputBox(const std::wstring& ACaption, const std::wstring& APrompt, const std::wstring& ADefault) {
  std::wstring value = ADefault;
  InputQuery(ACaption, APrompt, value);
  return value;
}

TOwnerless<TForm> CreateMessageDialog(const std::wstring& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  TOwnerless<TForm> form(Create<TForm>(nullptr));
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  form->SetCaption(TypeCaption(DlgType));

  std::vector<TButton*> buttons;
  TButton* defaultButton = nullptr;
  for (const ButtonKind& kind : kButtonKinds) {
    if (!Buttons.Contains(kind.Btn)) continue;
    buttons.push_back(AddButton(*form, kind.Name, kind.Caption, kind.Result));
    if (!defaultButton && (kind.Btn == mbOK || kind.Btn == mbYes)) defaultButton = buttons.back();
  }
  if (defaultButton) defaultButton->SetDefault(true);
  for (const TMsgDlgBtn cancelKind : {mbCancel, mbNo, mbOK}) {
    if (!Buttons.Contains(cancelKind)) continue;
    for (TButton* b : buttons)
      if (b->Name() == kButtonKinds[static_cast<std::size_t>(cancelKind)].Name) b->SetCancel(true);
    break;
  }

  const int buttonsWidth =
      static_cast<int>(buttons.size()) * kButtonWidth + std::max(0, static_cast<int>(buttons.size()) - 1) * kButtonGap;
  const SIZE text = TextSizeIn(form->Font(), Msg, std::max(buttonsWidth, 360));
  TLabel* label = Add<TLabel>(*form, L"Message");
  label->SetWordWrap(true);
  label->SetCaption(Msg);
  label->SetBounds(kMargin * 2, kMargin * 2, text.cx, text.cy);
  const int width = std::max<int>(buttonsWidth, text.cx) + kMargin * 4;
  const int buttonTop = kMargin * 2 + text.cy + kMargin * 2;
  int left = (width - buttonsWidth) / 2;
  for (TButton* b : buttons) {
    b->SetBounds(left, buttonTop, kButtonWidth, kButtonHeight);
    left += kButtonWidth + kButtonGap;
  }
  form->SetClientWidth(width);
  form->SetClientHeight(buttonTop + kButtonHeight + kMargin * 2);
  if (defaultButton) form->SetActiveControl(defaultButton);
  return form;
}

}  // namespace classlib
