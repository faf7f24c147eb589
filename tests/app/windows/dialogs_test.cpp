// The password and confirmation dialogs as the program builds them from its own descriptions:
// the counter rules of the password dialog over a run, and the confirmation dialog's answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Attention.h"
#include "app/PassLock.h"
#include "classlib/Dialogs.h"

using namespace classlib;

namespace {

class Dialogs : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application->Initialize();
    Application->CreateForm(frmPassLock);
    Application->CreateForm(Form2);
  }
  void SetUp() override {
    previous_ = SetMessageBoxFunction([this](HWND, const std::wstring& text, const std::wstring&, UINT) {
      messages.push_back(text);
      return IDOK;
    });
  }
  void TearDown() override { SetMessageBoxFunction(previous_); }

  static void Chars(TWinControl* c, const std::wstring& text) {
    for (wchar_t ch : text) PostMessageW(c->Handle(), WM_CHAR, ch, 1);
  }
  static void Key(TWinControl* c, WORD vk) {
    PostMessageW(c->Handle(), WM_KEYDOWN, vk, 1);
    PostMessageW(c->Handle(), WM_KEYUP, vk, 0xC0000001);
  }

  // Shows the dialog modally; a dialog that does not close within 10 s fails the test instead of
  // hanging it. What the dialog left queued is handled before the next step.
  static int Modal(TCustomForm* form) {
    struct Watchdog {
      static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        ADD_FAILURE() << "the dialog did not close";
        Screen->ActiveForm()->SetModalResult(mrAbort);
      }
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 10000, &Watchdog::Fire);
    const int result = form->ShowModal();
    KillTimer(nullptr, timer);
    Application->ProcessMessages();
    return result;
  }

  std::vector<std::wstring> messages;

 private:
  TMessageBoxFunction previous_;
};

TEST_F(Dialogs, PasswordCounterRulesOverARun) {
  TMaskEdit* field = frmPassLock->sMaskEdit_Pass;
  const std::wstring wrong = L"Неправильный пароль! Попробуйте еще раз.";

  // Two wrong attempts are told, the third closes the dialog without a word.
  Chars(field, L"Wexo");
  Key(field, VK_RETURN);
  Key(field, VK_RETURN);
  Key(field, VK_RETURN);
  Modal(frmPassLock);
  EXPECT_EQ(messages, (std::vector<std::wstring>{wrong, wrong}));
  EXPECT_EQ(PassGate().Failures(), 3);
  EXPECT_FALSE(PasswordAccepted());

  // Shown again, it closes at the first key press, whatever the key; the field starts empty.
  Key(field, VK_F2);
  Modal(frmPassLock);
  EXPECT_EQ(field->Text(), L"");
  EXPECT_EQ(messages.size(), 2u);

  // The OK button moves the count past three: from then on wrong attempts neither tell nor close.
  PostMessageW(frmPassLock->sBitBtn_OK->Handle(), BM_CLICK, 0, 0);
  Key(field, VK_F2);
  Key(field, VK_RETURN);
  PostMessageW(frmPassLock->sBitBtn_Cansel->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Modal(frmPassLock), mrCancel);
  EXPECT_EQ(PassGate().Failures(), 5);
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_FALSE(PasswordAccepted());

  // The password itself still gets through.
  Chars(field, L"wexo");
  Key(field, VK_RETURN);
  Modal(frmPassLock);
  EXPECT_TRUE(PasswordAccepted());
  EXPECT_EQ(messages.size(), 2u);
}

TEST_F(Dialogs, ConfirmationAnswers) {
  EXPECT_EQ(Form2->Caption(), L"Последнее предупреждение");
  PostMessageW(Form2->btnOK->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Modal(Form2), TForm2::kYes);
  PostMessageW(Form2->btnAbort->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Modal(Form2), TForm2::kNo);
}

}  // namespace
