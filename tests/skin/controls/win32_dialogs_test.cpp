// The message-box wrappers (style, caption, wished place, modal state, help), the input query,
// the message form and the dialog components read from a description; run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/FormLoader.h"
#include "classlib/FormReader.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/TypInfo.h"
#include "skin/controls/sDialogs.h"
#include "skin/core/sConstOptions.h"
#include "skin/graphics/acPNG.h"
#include "tests/skin/core/OwnedObject.h"

namespace skin {
namespace {

using namespace classlib;
using skin::testing::Owned;

struct Box {
  std::wstring Text, Caption;
  UINT Flags;
  int Left, Top;  // the wished place while the box was up
  int ModalLevel;
};

// Answers every box with Answer (or throws when Throw) and remembers what it was asked.
struct BoxAnswerer {
  explicit BoxAnswerer(int Answer, bool Throw = false) {
    previous = SetMessageBoxFunction([this, Answer, Throw](HWND, const std::wstring& t, const std::wstring& c, UINT f) {
      boxes.push_back({t, c, f, DlgLeft, DlgTop, ApplicationModalState().Level});
      if (Throw) throw std::runtime_error("box failed");
      return Answer;
    });
  }
  ~BoxAnswerer() { SetMessageBoxFunction(previous); }
  std::vector<Box> boxes;
  TMessageBoxFunction previous;
};

TEST(MessageWrappers, TypeAndButtonsGiveStyleAndCaption) {
  struct Case {
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    UINT flags;
    const wchar_t* caption;
  };
  const Case cases[] = {
      {mtConfirmation, {mbYes, mbNo, mbCancel}, MB_ICONQUESTION | MB_YESNOCANCEL, L"Confirm"},
      {mtWarning, {mbOK, mbCancel, mbHelp}, MB_ICONEXCLAMATION | MB_OKCANCEL | MB_HELP, L"Warning"},
      {mtError, {mbAbort, mbRetry, mbIgnore}, MB_ICONHAND | MB_ABORTRETRYIGNORE, L"Error"},
      {mtInformation, {mbYes, mbNo}, MB_ICONASTERISK | MB_YESNO, L"Information"},
      {mtCustom, {mbAll}, MB_OK, L""},
      {mtCustom, {mbRetry, mbCancel}, MB_RETRYCANCEL, L""},
      {mtError, {mbYesToAll, mbNoToAll, mbClose}, MB_ICONHAND | MB_OK, L"Error"},
  };
  BoxAnswerer answerer(IDNO);
  for (const Case& c : cases) EXPECT_EQ(sMessageDlg(L"text", c.type, c.buttons, 0), IDNO);
  ASSERT_EQ(answerer.boxes.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(answerer.boxes[i].Flags, cases[i].flags) << i;
    EXPECT_EQ(answerer.boxes[i].Caption, cases[i].caption) << i;
    EXPECT_EQ(answerer.boxes[i].Text, L"text");
  }
  // A title replaces the type's caption.
  sMessageDlg(L"Title", L"m", mtError, {mbOK}, 0);
  EXPECT_EQ(answerer.boxes.back().Caption, L"Title");
}

TEST(MessageWrappers, ShowMessageIsAPlainOkBox) {
  BoxAnswerer answerer(IDOK);
  sShowMessage(L"hello");
  sShowMessage(L"Head", L"body");
  sShowMessageFmt(L"%d of %s", {3, std::wstring(L"five")});
  sShowMessageFmt(L"T", L"%.2d", {7});
  ASSERT_EQ(answerer.boxes.size(), 4u);
  EXPECT_EQ(answerer.boxes[0].Flags, static_cast<UINT>(MB_OK));
  EXPECT_EQ(answerer.boxes[0].Caption, L"");
  EXPECT_EQ(answerer.boxes[0].Text, L"hello");
  EXPECT_EQ(answerer.boxes[1].Caption, L"Head");
  EXPECT_EQ(answerer.boxes[2].Text, L"3 of five");
  EXPECT_EQ(answerer.boxes[3].Text, L"07");
  EXPECT_EQ(answerer.boxes[3].Caption, L"T");
  // A format that does not fit its arguments shows nothing.
  EXPECT_THROW(sShowMessageFmt(L"%d", {std::wstring(L"x")}), EConvertError);
  EXPECT_EQ(answerer.boxes.size(), 4u);
}

TEST(MessageWrappers, WishedPlaceHoldsDuringTheBoxAndIsResetOnEveryPath) {
  int begun = 0, ended = 0;
  ApplicationModalState().OnBegin = [&](TObject*) { ++begun; };
  ApplicationModalState().OnEnd = [&](TObject*) { ++ended; };
  {
    BoxAnswerer answerer(IDOK);
    sMessageDlgPos(L"m", mtInformation, {mbOK}, 0, 120, 80);
    sShowMessagePos(L"T", L"m", 5, 6);
    sMessageDlg(L"m", mtInformation, {mbOK}, 0);
    ASSERT_EQ(answerer.boxes.size(), 3u);
    EXPECT_EQ(answerer.boxes[0].Left, 120);
    EXPECT_EQ(answerer.boxes[0].Top, 80);
    EXPECT_EQ(answerer.boxes[0].ModalLevel, 1);
    EXPECT_EQ(answerer.boxes[1].Left, 5);
    EXPECT_EQ(answerer.boxes[1].Top, 6);
    EXPECT_EQ(answerer.boxes[2].Left, -1);
    EXPECT_EQ(DlgLeft, -1);
    EXPECT_EQ(DlgTop, -1);
  }
  {
    BoxAnswerer failing(IDOK, true);
    EXPECT_THROW(sMessageDlgPosHelp(L"", L"m", mtError, {mbOK}, 0, 300, 200, L""), std::runtime_error);
    ASSERT_EQ(failing.boxes.size(), 1u);
    EXPECT_EQ(failing.boxes[0].Left, 300);
  }
  EXPECT_EQ(DlgLeft, -1);
  EXPECT_EQ(DlgTop, -1);
  EXPECT_EQ(begun, 4);
  EXPECT_EQ(ended, 4);
  EXPECT_EQ(ApplicationModalState().Level, 0);
  ApplicationModalState().OnBegin = nullptr;
  ApplicationModalState().OnEnd = nullptr;
}

TEST(MessageWrappers, HelpCallbackOpensTheApplicationsHelpAtTheContext) {
  std::vector<std::pair<UINT, std::intptr_t>> asked;
  ApplicationHelpHandler() = [&](UINT command, std::intptr_t data) {
    asked.emplace_back(command, data);
    return true;
  };
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.dwContextId = 42;
  MsgDlgHelpCallback(&info);
  info.dwContextId = 0;  // a box without context: no help
  MsgDlgHelpCallback(&info);
  MsgDlgHelpCallback(nullptr);
  ApplicationHelpHandler() = nullptr;
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].first, static_cast<UINT>(HELP_CONTEXT));
  EXPECT_EQ(asked[0].second, 42);
  EXPECT_FALSE(HelpContext(42)) << "no handler: no help shown";
}

// Runs Action on the next timer tick of the modal loop that is about to start.
struct OnceModal {
  static inline std::function<void()> action;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (action) action();
  }
  explicit OnceModal(std::function<void()> a) {
    action = std::move(a);
    SetTimer(nullptr, 0, 20, Tick);
  }
  ~OnceModal() { action = nullptr; }
};

TForm* ActiveCodeForm() { return dynamic_cast<TForm*>(Screen->ActiveForm()); }

TEST(InputWrappers, QueryGivesTheTextOnlyWhenConfirmed) {
  std::wstring value = L"old";
  std::wstring caption, prompt;
  {
    OnceModal typing([&] {
      TForm* f = ActiveCodeForm();
      ASSERT_NE(f, nullptr);
      caption = f->Caption();
      prompt = dynamic_cast<TLabel*>(f->FindComponent(L"Prompt"))->Caption();
      auto* edit = dynamic_cast<TEdit*>(f->FindComponent(L"Value"));
      EXPECT_EQ(edit->Text(), L"old");
      edit->SetText(L"new text");
      dynamic_cast<TButton*>(f->FindComponent(L"OK"))->Click();
    });
    EXPECT_TRUE(sInputQuery(L"Query", L"Name:", value));
  }
  EXPECT_EQ(value, L"new text");
  EXPECT_EQ(caption, L"Query");
  EXPECT_EQ(prompt, L"Name:");
  {
    OnceModal cancelling([&] {
      TForm* f = ActiveCodeForm();
      ASSERT_NE(f, nullptr);
      dynamic_cast<TEdit*>(f->FindComponent(L"Value"))->SetText(L"dropped");
      dynamic_cast<TButton*>(f->FindComponent(L"Cancel"))->Click();
    });
    EXPECT_EQ(sInputBox(L"Box", L"?", L"default"), L"default");
  }
  {
    OnceModal confirming([&] {
      TForm* f = ActiveCodeForm();
      ASSERT_NE(f, nullptr);
      dynamic_cast<TEdit*>(f->FindComponent(L"Value"))->SetText(L"typed");
      dynamic_cast<TButton*>(f->FindComponent(L"OK"))->Click();
    });
    EXPECT_EQ(sInputBox(L"Box", L"?", L"default"), L"typed");
  }
}

TEST(InputWrappers, MessageFormHasTheButtonsInOrderWithTheirResults) {
  auto form = sCreateMessageDialog(L"ignored title", L"Save changes?", mtConfirmation, {mbCancel, mbNo, mbYes, mbHelp});
  EXPECT_EQ(form->Caption(), L"Confirm");
  auto* label = dynamic_cast<TLabel*>(form->FindComponent(L"Message"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), L"Save changes?");
  struct Expected {
    const wchar_t* name;
    TModalResult result;
    bool isDefault, isCancel;
  };
  const Expected expected[] = {
      {L"Yes", mrYes, true, false},
      {L"No", mrNo, false, false},
      {L"Cancel", mrCancel, false, true},
      {L"Help", mrNone, false, false},
  };
  int lastLeft = -1;
  for (const Expected& e : expected) {
    auto* b = dynamic_cast<TButton*>(form->FindComponent(e.name));
    ASSERT_NE(b, nullptr) << e.name;
    EXPECT_EQ(b->ModalResult(), e.result) << e.name;
    EXPECT_EQ(b->Default(), e.isDefault) << e.name;
    EXPECT_EQ(b->Cancel(), e.isCancel) << e.name;
    EXPECT_GT(b->Left(), lastLeft) << e.name << " follows the one before";
    lastLeft = b->Left();
  }
  EXPECT_EQ(form->FindComponent(L"OK"), nullptr);
  // Without Cancel, No is the cancel button; a lone OK is both.
  auto yesNo = sCreateMessageDialog(L"", L"?", mtWarning, {mbYes, mbNo});
  EXPECT_TRUE(dynamic_cast<TButton*>(yesNo->FindComponent(L"No"))->Cancel());
  auto ok = sCreateMessageDialog(L"", L"!", mtError, {mbOK});
  auto* okButton = dynamic_cast<TButton*>(ok->FindComponent(L"OK"));
  EXPECT_TRUE(okButton->Default());
  EXPECT_TRUE(okButton->Cancel());
  EXPECT_EQ(ok->Caption(), L"Error");
}

TEST(DialogComponents, ReadFromADescription) {
  RegisterDialogClasses();
  RegisterPngFormat();
  const std::string text =
      "object Root: TForm\n"
      "  object OpenDialog1: TsOpenDialog\n"
      "    DefaultExt = 'dbf'\n"
      "    ZipShowing = zsAsFile\n"
      "  end\n"
      "  object OpenDialog2: TsOpenDialog\n"
      "  end\n"
      "  object Pictures: TsOpenPictureDialog\n"
      "  end\n"
      "  object SavePictures: TsSavePictureDialog\n"
      "    Filter = 'Bitmaps|*.bmp'\n"
      "  end\n"
      "end\n";
  Owned<TForm> root{Create<TForm>(Application)};
  TFormBindings bindings(root.get());
  ApplyDescription(root.get(), forms::ReadForm(text), bindings);
  auto* open1 = dynamic_cast<TsOpenDialog*>(root->FindComponent(L"OpenDialog1"));
  ASSERT_NE(open1, nullptr);
  EXPECT_EQ(open1->DefaultExt, L"dbf");
  EXPECT_EQ(open1->ZipShowing(), zsAsFile);
  auto* open2 = dynamic_cast<TsOpenDialog*>(root->FindComponent(L"OpenDialog2"));
  ASSERT_NE(open2, nullptr);
  EXPECT_EQ(open2->ZipShowing(), zsAsFolder);

  auto* pictures = dynamic_cast<TsOpenPictureDialog*>(root->FindComponent(L"Pictures"));
  ASSERT_NE(pictures, nullptr);
  // The default lists every registered format, the portable network graphics among them.
  EXPECT_NE(pictures->Filter.find(L"*.png"), std::wstring::npos) << pictures->Filter;
  EXPECT_NE(pictures->Filter.find(L"*.bmp"), std::wstring::npos) << pictures->Filter;
  EXPECT_EQ(pictures->Filter.rfind(L"All (", 0), 0u) << pictures->Filter;
  EXPECT_FALSE(pictures->IsFilterStored());
  ASSERT_NE(pictures->Picture(), nullptr);
  auto* save = dynamic_cast<TsSavePictureDialog*>(root->FindComponent(L"SavePictures"));
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->Filter, L"Bitmaps|*.bmp");
  EXPECT_TRUE(save->IsFilterStored());

  // Execute goes through the library's dialog: open for the one, save for the other.
  std::vector<bool> saves;
  auto previous = TOpenDialog::SetRunner([&](TOpenDialog&, bool Save) {
    saves.push_back(Save);
    return false;
  });
  EXPECT_FALSE(pictures->Execute());
  EXPECT_FALSE(save->Execute());
  TOpenDialog::SetRunner(previous);
  EXPECT_EQ(saves, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace skin
