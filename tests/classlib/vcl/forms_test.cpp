// Forms built from descriptions into real windows: nesting, defaults, handlers, ownership,
// buttons, check and radio boxes, the exception display, modal showing, keyboard, reflection and
// the replaceable window procedure.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "vcl_fixture.h"

using namespace classlib;
using namespace vcltest;

namespace {

f::ObjectNode g_description;
std::map<std::wstring, int> g_freed;

// Counts its own destruction, to prove that every component is freed exactly once.
class TCountedButton : public TButton {
 public:
  using TButton::TButton;
  ~TCountedButton() override { ++g_freed[Name()]; }
  std::wstring ClassName() const override { return L"TCountedButton"; }
  std::vector<UINT> reflected;

 protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == CN_COMMAND) reflected.push_back(HIWORD(m.WParam));
    TButton::Dispatch(m);
  }
};

// A windowless child: counts its paints and clicks.
class TDot : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::wstring ClassName() const override { return L"TDot"; }
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(ClientRect());
  }
};

class TTestForm : public TForm {
 public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {
    InitDescription(g_description, L"TTESTFORM");
    constructedWithButton = Button1 != nullptr;
  }
  ~TTestForm() override { ++g_freed[Name()]; }
  std::wstring ClassName() const override { return L"TTestForm"; }

  TGroupBox* GroupBox1 = nullptr;
  TCountedButton* Button1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TCheckBox* CheckBox2 = nullptr;
  TEdit* Edit1 = nullptr;
  bool constructedWithButton = false;
  std::vector<std::wstring> clicks;
  std::vector<WORD> keys;
  int createCount = 0;
  std::function<void(TObject*)> onButton;

  void AnyClick(TObject* sender) {
    clicks.push_back(static_cast<TComponent*>(sender)->Name());
    if (onButton && sender == Button1) onButton(sender);
  }
  void FormCreate(TObject*) { ++createCount; }
  void Edit1KeyDown(TObject*, WORD& key, TShiftState) { keys.push_back(key); }

 protected:
  void DeclareBindings(TFormBindings& b) override {
    b.Field(L"GroupBox1", GroupBox1)
        .Field(L"Button1", Button1)
        .Field(L"CheckBox1", CheckBox1)
        .Field(L"CheckBox2", CheckBox2)
        .Field(L"Edit1", Edit1)
        .Handler(L"AnyClick", &TTestForm::AnyClick)
        .Handler(L"FormCreate", &TTestForm::FormCreate)
        .Handler(L"Edit1KeyDown", &TTestForm::Edit1KeyDown);
  }
};

f::ObjectNode StandardDescription() {
  return Obj(L"TestForm1", L"TTestForm",
             {Prop(L"Caption", Str(L"Проверка форм")), Prop(L"ClientWidth", Int(400)), Prop(L"ClientHeight", Int(300)),
              Prop(L"BorderStyle", Ident(L"bsSingle")), Prop(L"OnCreate", Ident(L"FormCreate"))},
             {Obj(L"GroupBox1", L"TGroupBox",
                  {Prop(L"Left", Int(8)), Prop(L"Top", Int(8)), Prop(L"Width", Int(250)), Prop(L"Height", Int(150)),
                   Prop(L"Caption", Str(L"Группа"))},
                  {Obj(L"Button1", L"TCountedButton",
                       {Prop(L"Left", Int(10)), Prop(L"Top", Int(20)), Prop(L"Caption", Str(L"Нажать")),
                        Prop(L"ModalResult", Int(6)), Prop(L"OnClick", Ident(L"AnyClick"))}),
                   Obj(L"CheckBox1", L"TCheckBox",
                       {Prop(L"Left", Int(10)), Prop(L"Top", Int(60)), Prop(L"Caption", Str(L"Первый")),
                        Prop(L"OnClick", Ident(L"AnyClick"))}),
                   Obj(L"CheckBox2", L"TCheckBox",
                       {Prop(L"Left", Int(10)), Prop(L"Top", Int(85)), Prop(L"Caption", Str(L"Второй")),
                        Prop(L"Checked", Ident(L"True")), Prop(L"OnClick", Ident(L"AnyClick"))})}),
              Obj(L"Edit1", L"TEdit",
                  {Prop(L"Left", Int(270)), Prop(L"Top", Int(8)), Prop(L"Text", Str(L"1234")),
                   Prop(L"OnKeyDown", Ident(L"Edit1KeyDown"))}),
              Obj(L"Button2", L"TCountedButton",
                  {Prop(L"Left", Int(270)), Prop(L"Top", Int(40)), Prop(L"Caption", Str(L"Второй обработчик")),
                   Prop(L"OnClick", Ident(L"AnyClick"))})});
}

class Forms : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      RegisterClass<TCountedButton, TButton>(L"TCountedButton");
      RegisterClass<TTestForm, TForm>(L"TTestForm");
      registered = true;
    }
    g_description = StandardDescription();
    g_freed.clear();
  }
  void TearDown() override {
    if (form) Free(form);
    Pump();
  }
  TTestForm* MakeForm() {
    form = Create<TTestForm>(Application);
    return form;
  }
  TTestForm* form = nullptr;
};

TEST_F(Forms, DescriptionBecomesNestedRealWindows) {
  TTestForm* f = MakeForm();
  EXPECT_TRUE(f->constructedWithButton) << "the constructor body sees the components";
  EXPECT_EQ(f->createCount, 1) << "OnCreate runs once, after the constructor";
  ShowActive(f);
  HWND form = f->Handle();
  EXPECT_EQ(WindowClass(form), L"TTestForm");
  EXPECT_EQ(WindowText(form), L"Проверка форм");
  RECT client{};
  GetClientRect(form, &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 300);

  HWND group = FindChild(form, L"Button", L"Группа");
  ASSERT_NE(group, nullptr) << "the group box is a BUTTON window inside the form";
  EXPECT_EQ(group, f->GroupBox1->Handle());
  HWND button = FindChild(group, L"Button", L"Нажать");
  ASSERT_NE(button, nullptr) << "the button is a window inside the group box";
  EXPECT_TRUE(IsWindowVisible(button));
  HWND edit = FindChild(form, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit, f->Edit1->Handle());
  EXPECT_EQ(WindowText(edit), L"1234");
  // Declared defaults where the description is silent.
  EXPECT_EQ(f->Button1->Width(), 75);
  EXPECT_EQ(f->Button1->Height(), 25);
  EXPECT_TRUE(f->Button1->TabStop());
  EXPECT_EQ(f->Edit1->MaxLength(), 0);
  EXPECT_FALSE(f->CheckBox1->Checked());
  EXPECT_TRUE(f->CheckBox2->Checked());
  EXPECT_EQ(SendMessageW(f->CheckBox2->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(f->clicks.empty()) << "checking from the description runs no handler";
  EXPECT_EQ(f->Button1->Parent(), f->GroupBox1);
  EXPECT_EQ(f->Button1->Owner(), f);
}

TEST_F(Forms, FreeingTheFormFreesEverythingOnceAndDestroysTheWindows) {
  TTestForm* f = MakeForm();
  ShowActive(f);
  HWND button = f->Button1->Handle(), edit = f->Edit1->Handle();
  const int before = Application->ComponentCount();
  Free(f);
  form = nullptr;
  EXPECT_EQ(g_freed[L"TestForm1"], 1);
  EXPECT_EQ(g_freed[L"Button1"], 1);
  EXPECT_EQ(g_freed[L"Button2"], 1);
  EXPECT_FALSE(IsWindow(button));
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(Application->ComponentCount(), before - 1);
}

TEST_F(Forms, OneHandlerServesSeveralControlsAndTheUserClickIsReflected) {
  TTestForm* f = MakeForm();
  ShowActive(f);
  SendMessageW(f->Button1->Handle(), BM_CLICK, 0, 0);
  auto* second = static_cast<TCountedButton*>(f->FindComponent(L"Button2"));
  SendMessageW(second->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(f->clicks, (std::vector<std::wstring>{L"Button1", L"Button2"}));
  ASSERT_FALSE(f->Button1->reflected.empty()) << "WM_COMMAND came back to the button as CN_COMMAND";
  EXPECT_EQ(f->Button1->reflected.back(), BN_CLICKED);
}

TEST_F(Forms, CheckingFromCodeRunsOnClickAlsoInsideAnotherClickHandler) {
  TTestForm* f = MakeForm();
  f->CheckBox1->OnClick = [f](TObject* s) {
    f->clicks.push_back(L"CheckBox1");
    f->CheckBox2->SetChecked(false);  // re-entrant: CheckBox2's handler runs inside this one
  };
  f->CheckBox1->SetChecked(true);
  EXPECT_EQ(f->clicks, (std::vector<std::wstring>{L"CheckBox1", L"CheckBox2"}));
  EXPECT_FALSE(f->CheckBox2->Checked());
  f->clicks.clear();
  f->CheckBox1->SetChecked(true);
  EXPECT_TRUE(f->clicks.empty()) << "no change, no click";
  // A user click toggles the box and runs the handler once.
  ShowActive(f);
  SendMessageW(f->CheckBox2->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_TRUE(f->CheckBox2->Checked());
  EXPECT_EQ(f->clicks, (std::vector<std::wstring>{L"CheckBox2"}));
}

TEST_F(Forms, RadioButtonUnchecksItsSiblingsOnlyAndSetFocusChecksIt) {
  TTestForm* f = MakeForm();
  auto* panelA = Create<TGroupBox>(f);
  panelA->SetParent(f);
  panelA->SetBounds(8, 170, 180, 100);
  auto* panelB = Create<TGroupBox>(f);
  panelB->SetParent(f);
  panelB->SetBounds(200, 170, 180, 100);
  std::vector<TRadioButton*> a, b;
  std::vector<std::wstring> clicked;
  for (int i = 0; i < 3; ++i) {
    auto* r = Create<TRadioButton>(f);
    r->SetName(L"A" + std::to_wstring(i));
    r->SetParent(panelA);
    r->SetBounds(8, 16 + 22 * i, 150, 18);
    r->OnClick = [&clicked](TObject* s) { clicked.push_back(static_cast<TComponent*>(s)->Name()); };
    a.push_back(r);
    auto* q = Create<TRadioButton>(f);
    q->SetParent(panelB);
    q->SetBounds(8, 16 + 22 * i, 150, 18);
    b.push_back(q);
  }
  b[0]->SetChecked(true);
  a[0]->SetChecked(true);
  a[2]->SetChecked(true);
  EXPECT_FALSE(a[0]->Checked());
  EXPECT_TRUE(a[2]->Checked());
  EXPECT_TRUE(b[0]->Checked()) << "a radio button in another parent is left alone";
  EXPECT_EQ(clicked, (std::vector<std::wstring>{L"A0", L"A2"}));
  ShowActive(f);
  EXPECT_EQ(SendMessageW(a[2]->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(a[0]->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  FocusAndWait(a[1]);
  EXPECT_TRUE(a[1]->Focused());
  EXPECT_TRUE(a[1]->Checked()) << "focusing a radio button selects it";
  EXPECT_FALSE(a[2]->Checked());
  EXPECT_EQ(clicked.back(), L"A1");
}

TEST_F(Forms, ExceptionInAHandlerIsShownAndTheLoopGoesOn) {
  BoxRecorder boxes;
  TTestForm* f = MakeForm();
  f->onButton = [](TObject*) { throw EConvertError(L"'abc' is not a valid integer value"); };
  ShowActive(f);
  PostMessageW(f->Button1->Handle(), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"'abc' is not a valid integer value.");
  EXPECT_TRUE(boxes.boxes[0].flags & MB_ICONSTOP);
  // The loop goes on: the next message is handled normally.
  f->onButton = nullptr;
  PostMessageW(f->Button1->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(f->clicks.size(), 2u);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  // Standard exceptions and aborts.
  f->onButton = [](TObject*) { throw std::runtime_error("plain failure"); };
  SendMessageW(f->Button1->Handle(), BM_CLICK, 0, 0);
  f->onButton = [](TObject*) { throw EAbort(); };
  SendMessageW(f->Button1->Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.boxes.size(), 2u) << "EAbort is silent";
  EXPECT_EQ(boxes.boxes[1].text, L"plain failure.");
}

TEST_F(Forms, ModalResultOfAButtonIsSetBeforeItsHandlerAndEndsShowModal) {
  TTestForm* f = MakeForm();
  TModalResult seen = -1;
  f->onButton = [&](TObject*) {
    seen = f->ModalResult();
    f->SetModalResult(101);
  };
  PostMessageW(f->Button1->Handle(), BM_CLICK, 0, 0);
  int result = f->ShowModal();
  EXPECT_EQ(seen, mrYes) << "the button's ModalResult (6) is applied before OnClick";
  EXPECT_EQ(result, 101);
  EXPECT_FALSE(f->Visible());
  EXPECT_FALSE(IsWindowVisible(f->Handle()));
}

TEST_F(Forms, EnterReachesOnKeyDownWhenNoButtonTakesIt) {
  TTestForm* f = MakeForm();
  ShowActive(f);
  FocusAndWait(f->Edit1);
  ASSERT_TRUE(f->Edit1->Focused());
  PostMessageW(f->Edit1->Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  Pump();
  EXPECT_EQ(f->keys, (std::vector<WORD>{VK_RETURN}));
  // With a default button, Enter presses it instead.
  f->Button1->SetDefault(true);
  f->keys.clear();
  f->clicks.clear();
  PostMessageW(f->Edit1->Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  Pump();
  EXPECT_TRUE(f->keys.empty());
  EXPECT_EQ(f->clicks, (std::vector<std::wstring>{L"Button1"}));
}

TEST_F(Forms, TabMovesTheFocusInTabOrder) {
  TTestForm* f = MakeForm();
  ShowActive(f);
  FocusAndWait(f->Button1);
  ASSERT_TRUE(f->Button1->Focused());
  PostMessageW(f->Button1->Handle(), WM_KEYDOWN, VK_TAB, 0x000F0001);
  // The X server hands the focus over later than Windows would, more so on a busy machine.
  EXPECT_TRUE(PumpUntil([&] { return f->CheckBox1->Focused(); }));
  EXPECT_EQ(f->ActiveControl(), f->CheckBox1);
}

// A window handler in the manner of the skin engine: saves WindowProc, puts its own in front,
// and gives the saved one back.
class Spy {
 public:
  explicit Spy(TControl* c) : control(c), saved(c->WindowProc) { c->WindowProc = TWndMethod(this, &Spy::Proc); }
  ~Spy() { control->WindowProc = saved; }
  void Proc(TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == WM_USER + 77) {
      m.Result = 42;
      return;
    }
    saved(m);
  }
  TControl* control;
  TWndMethod saved;
  std::vector<UINT> seen;
};

TEST_F(Forms, WindowProcCanBeReplacedAndRestored) {
  TTestForm* f = MakeForm();
  ShowActive(f);
  const TWndMethod original = f->Edit1->WindowProc;
  {
    Spy spy(f->Edit1);
    EXPECT_FALSE(f->Edit1->WindowProc == original);
    EXPECT_EQ(SendMessageW(f->Edit1->Handle(), WM_USER + 77, 0, 0), 42) << "window messages pass the handler first";
    f->Edit1->SetText(L"новый");
    EXPECT_NE(std::find(spy.seen.begin(), spy.seen.end(), WM_SETTEXT), spy.seen.end());
    EXPECT_NE(std::find(spy.seen.begin(), spy.seen.end(), CM_TEXTCHANGED), spy.seen.end());
    EXPECT_EQ(WindowText(f->Edit1->Handle()), L"новый") << "the saved procedure still reaches the window";
  }
  EXPECT_TRUE(f->Edit1->WindowProc == original);
  EXPECT_EQ(f->Edit1->Perform(WM_USER + 77), 0);
}

// A handler of WM_SIZE or WM_MOVE in front of the form's procedure reads the new bounds.
TEST_F(Forms, SizeAndMoveHandlersReadTheNewBounds) {
  TTestForm* f = MakeForm();
  ShowActive(f);
  struct BoundsSpy {
    TControl* control;
    TWndMethod saved;
    int widthAtSize = -1, heightAtSize = -1, leftAtMove = -1;
    void Proc(TMessage& m) {
      if (m.Msg == WM_SIZE) {
        widthAtSize = control->Width();
        heightAtSize = control->Height();
      }
      if (m.Msg == WM_MOVE) leftAtMove = control->Left();
      saved(m);
    }
  } spy{f, f->WindowProc};
  f->WindowProc = TWndMethod(&spy, &BoundsSpy::Proc);
  SetWindowPos(f->Handle(), nullptr, 37, 41, 433, 307, SWP_NOZORDER | SWP_NOACTIVATE);
  f->WindowProc = spy.saved;
  EXPECT_EQ(spy.widthAtSize, 433);
  EXPECT_EQ(spy.heightAtSize, 307);
  EXPECT_EQ(spy.leftAtMove, 37);
}

TEST_F(Forms, WindowlessChildIsPaintedAndHitTestedByItsParent) {
  TTestForm* f = MakeForm();
  auto* dot = Create<TDot>(f);
  dot->SetParent(f->GroupBox1);
  dot->SetBounds(150, 60, 30, 30);
  int clicks = 0;
  dot->OnClick = [&](TObject*) { ++clicks; };
  ShowActive(f);
  RedrawWindow(f->GroupBox1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(dot->paints, 0);
  HDC dc = GetDC(f->GroupBox1->Handle());
  COLORREF pixel = GetPixel(dc, 165, 75);
  ReleaseDC(f->GroupBox1->Handle(), dc);
  EXPECT_EQ(pixel, RGB(255, 0, 0));
  HWND group = f->GroupBox1->Handle();
  SendMessageW(group, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(160, 70));
  SendMessageW(group, WM_LBUTTONUP, 0, MAKELPARAM(160, 70));
  EXPECT_EQ(clicks, 1);
  SendMessageW(group, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 120));
  SendMessageW(group, WM_LBUTTONUP, 0, MAKELPARAM(100, 120));
  EXPECT_EQ(clicks, 1) << "a click beside the windowless child is the parent's";
}

// A form provider in the manner of the skin engine replaces the form's procedure as soon as the
// form is read, before its window exists, and so sees the window being created.
TEST_F(Forms, ProcedureReplacedBeforeTheWindowExistsSeesItsCreation) {
  TTestForm* f = MakeForm();
  ASSERT_FALSE(f->HandleAllocated());
  Spy spy(f);
  ShowActive(f);
  auto saw = [&](UINT msg) { return std::find(spy.seen.begin(), spy.seen.end(), msg) != spy.seen.end(); };
  EXPECT_TRUE(saw(WM_NCCREATE));
  EXPECT_TRUE(saw(WM_CREATE));
  EXPECT_TRUE(saw(CM_SHOWINGCHANGED));
  f->SetCaption(L"другой");
  EXPECT_TRUE(saw(WM_SETTEXT));
  EXPECT_EQ(WindowText(f->Handle()), L"другой");
  // Notifications of the children reach the form's procedure before they are reflected.
  spy.seen.clear();
  SendMessageW(
      f->FindComponent(L"Button2") ? static_cast<TWinControl*>(f->FindComponent(L"Button2"))->Handle() : nullptr,
      BM_CLICK, 0, 0);
  EXPECT_TRUE(saw(WM_COMMAND));
}

TEST_F(Forms, MouseEnterAndLeaveFollowTheCursor) {
  TTestForm* f = MakeForm();
  std::vector<std::wstring> events;
  f->Button1->OnMouseEnter = [&](TObject*) { events.push_back(L"enter"); };
  f->Button1->OnMouseLeave = [&](TObject*) { events.push_back(L"leave"); };
  ShowActive(f);
  TPoint inside = f->Button1->ClientToScreen({10, 10});
  SetCursorPos(inside.X, inside.Y);
  Application->UpdateMouseControl();
  EXPECT_EQ(Application->MouseControl(), f->Button1);
  TPoint outside = f->Edit1->ClientToScreen({5, 5});
  SetCursorPos(outside.X, outside.Y);
  Application->UpdateMouseControl();
  EXPECT_EQ(events, (std::vector<std::wstring>{L"enter", L"leave"}));
}

TEST_F(Forms, FormsAreFoundByNameForReferencesAndOnScreen) {
  TTestForm* f = MakeForm();
  EXPECT_EQ(Screen->FindForm(L"TestForm1"), f);
  EXPECT_GE(Screen->FormCount(), 1);
  ShowActive(f);
  EXPECT_EQ(Screen->ActiveForm(), f);
}

}  // namespace
