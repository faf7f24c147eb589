// The application object end to end: the first form is the main one, Run shows it, an exception
// in a handler is shown and the loop goes on, closing the main form ends Run.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/Thread.h"
#include "vcl_fixture.h"

using namespace classlib;
using namespace vcltest;

namespace {

class TMainForm : public TForm {
 public:
  explicit TMainForm(TComponent* owner) : TForm(owner) {
    SetCaption(L"Главная");
    Button = Create<TButton>(this);
    Button->SetParent(this);
    Button->SetCaption(L"Сбой");
    Button->OnClick = [this](TObject*) {
      ++clicks;
      if (clicks == 1) throw EConvertError(L"'zz' is not a valid integer value");
      // The loop went on after the first click: now close the main form.
      PostMessageW(Handle(), WM_CLOSE, 0, 0);
    };
  }
  std::wstring ClassName() const override { return L"TMainForm"; }
  TButton* Button = nullptr;
  int clicks = 0;
};

class TSecondForm : public TForm {
 public:
  explicit TSecondForm(TComponent* owner) : TForm(owner) { selfDuringConstruction = g_second; }
  static TSecondForm* g_second;
  TSecondForm* selfDuringConstruction = nullptr;
};
TSecondForm* TSecondForm::g_second = nullptr;

class TWorker : public TThread {
 public:
  explicit TWorker(bool fail) : TThread(true), fail_(fail) {}
  std::vector<DWORD> threads;
  int sum = 0;

 protected:
  void Execute() override {
    for (int i = 1; i <= 10 && !Terminated(); ++i) sum += i;
    Synchronize([this] { threads.push_back(GetCurrentThreadId()); });
    if (fail_) throw EInvalidOperation(L"worker failed");
  }

 private:
  bool fail_;
};

TEST(Thread, WorkRunsAsideSynchronizeRunsOnTheMainThreadAndFailuresAreShown) {
  BoxRecorder boxes;
  TWorker ok(false);
  int terminated = 0;
  ok.OnTerminate = [&](TObject*) { terminated = static_cast<int>(GetCurrentThreadId()); };
  ok.Start();
  ok.WaitFor();
  EXPECT_EQ(ok.sum, 55);
  ASSERT_EQ(ok.threads.size(), 1u);
  EXPECT_EQ(ok.threads[0], GetCurrentThreadId());
  EXPECT_EQ(terminated, static_cast<int>(GetCurrentThreadId()));
  EXPECT_TRUE(boxes.boxes.empty());
  TWorker bad(true);
  bad.Start();
  bad.WaitFor();
  EXPECT_TRUE(bad.FatalException());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"worker failed.");
}

TEST(Application, RunShowsTheMainFormShowsExceptionsAndEndsWhenItCloses) {
  BoxRecorder boxes;
  TMainForm* main = nullptr;
  Application->Initialize();
  Application->SetTitle(L"Tarvisel");
  Application->CreateForm(main);
  Application->CreateForm(TSecondForm::g_second);
  EXPECT_EQ(Application->MainForm(), main) << "the first form is the main form";
  EXPECT_EQ(TSecondForm::g_second->selfDuringConstruction, TSecondForm::g_second)
      << "the reference is set before the constructor runs";
  EXPECT_EQ(GetWindow(TSecondForm::g_second->Handle(), GW_OWNER), main->Handle())
      << "other forms belong to the main one";
  PostMessageW(main->Button->Handle(), BM_CLICK, 0, 0);
  PostMessageW(main->Button->Handle(), BM_CLICK, 0, 0);
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(main->clicks, 2);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"'zz' is not a valid integer value.");
  EXPECT_EQ(boxes.boxes[0].caption, L"Tarvisel");
  FinalizeApplication();
  EXPECT_EQ(TApplication::Existing(), nullptr);
}

TEST(Application, StandardExceptionsShowTheirUtf8Text) {
  BoxRecorder boxes;
  try {
    throw std::runtime_error("\xD1\x81\xD0\xB1\xD0\xBE\xD0\xB9 \xFF line");  // "сбой", a stray byte, "line"
  } catch (...) {
    Application->HandleException(nullptr);
  }
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"сбой \uFFFD line.");
  FinalizeApplication();
}

// Hooks on the application's window see its messages first, in the order they were put on; one
// that answers true keeps the message from the rest. Activating the application sends the window
// CM_ACTIVATE.
TEST(Application, MainWindowHooksSeeMessagesInOrderAndActivationSendsCmActivate) {
  std::vector<std::wstring> seen;
  int activations = 0;
  int owner1 = 0, owner2 = 0;
  Application->HookMainWindow(&owner1, [&](TMessage& m) {
    if (m.Msg == CM_ACTIVATE) ++activations;
    if (m.Msg != WM_USER + 7) return false;
    seen.push_back(L"first");
    m.Result = 42;
    return m.WParam == 1;
  });
  Application->HookMainWindow(&owner2, [&](TMessage& m) {
    if (m.Msg == WM_USER + 7) seen.push_back(L"second");
    return false;
  });
  EXPECT_EQ(SendMessageW(Application->Handle(), WM_USER + 7, 0, 0), 0) << "unhandled: the window's own answer";
  EXPECT_EQ(SendMessageW(Application->Handle(), WM_USER + 7, 1, 0), 42);
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"first", L"second", L"first"}));

  Application->UnhookMainWindow(&owner1);
  seen.clear();
  EXPECT_EQ(SendMessageW(Application->Handle(), WM_USER + 7, 1, 0), 0);
  EXPECT_EQ(seen, std::vector<std::wstring>{L"second"});

  SendMessageW(Application->Handle(), WM_ACTIVATEAPP, TRUE, 0);
  Application->HookMainWindow(&owner1, [&](TMessage& m) {
    if (m.Msg == CM_ACTIVATE) ++activations;
    return false;
  });
  EXPECT_TRUE(PumpUntil([&] { return activations == 1; }));
  SendMessageW(Application->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  Pump();
  EXPECT_EQ(activations, 1) << "deactivation sends no CM_ACTIVATE";
  Application->UnhookMainWindow(&owner1);
  Application->UnhookMainWindow(&owner2);
  EXPECT_TRUE(Application->MainFormOnTaskBar());
}

}  // namespace
