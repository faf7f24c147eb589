// The application object end to end: the first form is the main one, Run shows it, an exception
// in a handler is shown and the loop goes on, closing the main form ends Run.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
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
  EXPECT_EQ(GetWindow(TSecondForm::g_second->Handle(), GW_OWNER), main->Handle()) << "other forms belong to the main one";
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

}  // namespace
