// What other units ask of a form's provider: the provider of a component, drawing held off and
// let go, the announcement of the main window to the skin editor, and the MDI parent's frame
// refreshed for its children.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/Dib32.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::ManagerWithOurSkin;
using test::Owned;

struct ProviderForm {
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;
  ProviderForm() {
    RegisterSkinProviderClasses();
    form.reset(classlib::Create<TForm>(nullptr));
    form->SetBounds(60, 60, 300, 200);
    form->HandleNeeded();
    provider = classlib::Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
    provider->PrepareForm();
  }
};

class ProviderServicesTest : public ::testing::Test {};

TEST_F(ProviderServicesTest, TheProviderOfAComponentIsItsFormsOrNone) {
  ProviderForm f;
  auto* owned = classlib::Create<TComponent>(f.form.get());
  auto* deeper = classlib::Create<TComponent>(owned);
  EXPECT_EQ(GetSkinProvider(owned), f.provider);
  EXPECT_EQ(GetSkinProvider(deeper), f.provider);
  EXPECT_EQ(GetSkinProvider(f.form.get()), f.provider);
  Owned<TComponent> module(classlib::Create<TComponent>(nullptr));
  EXPECT_EQ(GetSkinProvider(classlib::Create<TComponent>(module.get())), nullptr);
  Owned<TForm> plain(classlib::Create<TForm>(nullptr));
  EXPECT_EQ(GetSkinProvider(plain.get()), nullptr);
  EXPECT_EQ(GetSkinProvider(nullptr), nullptr);
}

TEST_F(ProviderServicesTest, DrawingForbiddenAndPermittedAgain) {
  ProviderForm f;
  f.form->Show();
  ForbidDrawing(f.provider);
  EXPECT_EQ(f.provider->SkinData()->UpdateCount(), 1);
  EXPECT_EQ(f.provider->LockCount, 1);
  EXPECT_FALSE(IsWindowVisible(f.form->Handle()));  // redraw off takes the visible bit
  PermitDrawing(f.provider);
  EXPECT_EQ(f.provider->SkinData()->UpdateCount(), 0);
  EXPECT_EQ(f.provider->LockCount, 0);
  EXPECT_TRUE(IsWindowVisible(f.form->Handle()));
}

TEST_F(ProviderServicesTest, TheFormTakesTheSkinsGlobalColourWhileAsked) {
  ProviderForm f;
  const TColor global = f.manager->GetGlobalColor();
  ASSERT_NE(global, clBtnFace);
  EXPECT_EQ(f.form->Color(), global);
  f.provider->SetUseGlobalColor(false);
  EXPECT_EQ(f.form->Color(), clBtnFace);
  f.provider->SetUseGlobalColor(true);
  EXPECT_EQ(f.form->Color(), global);
}

// A stand-in for the skin editor's main window: counts the announcements and answers 1 from the
// AnswerAt-th on (0: never).
struct FakeEditor {
  static inline int calls = 0;
  static inline int answerAt = 0;
  static inline LPARAM announced = 0;
  HWND wnd = nullptr;
  explicit FakeEditor(int AnswerAt) {
    calls = 0;
    announced = 0;
    answerAt = AnswerAt;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FakeSkinEditor";
    RegisterClassW(&wc);
    wnd = CreateWindowExW(0, wc.lpszClassName, acEditorTitle, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                          nullptr);
  }
  ~FakeEditor() { DestroyWindow(wnd); }
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == 0xA400 && w == 3) {
      announced = l;
      return ++calls == answerAt ? 1 : 0;
    }
    return DefWindowProcW(h, msg, w, l);
  }
};

// The editor link state of the run, put back after each case.
struct EditorLinkState {
  TacWndHandle handle = acPreviewHandle;
  bool needed = acPreviewNeeded;
  ~EditorLinkState() {
    acPreviewHandle = handle;
    acPreviewNeeded = needed;
  }
};

TEST_F(ProviderServicesTest, TheEditorIsToldOnceUntilItAnswers) {
  const EditorLinkState saved;
  ProviderForm f;
  const HWND h = f.form->Handle();
  FakeEditor editor(3);
  ASSERT_NE(editor.wnd, nullptr);
  acPreviewHandle = nullptr;
  acPreviewNeeded = false;
  SendHandleToEditor(h);
  EXPECT_EQ(FakeEditor::calls, 0);  // not started for the editor

  acPreviewNeeded = true;
  SendHandleToEditor(h);
  EXPECT_EQ(FakeEditor::calls, 3);
  EXPECT_EQ(FakeEditor::announced, reinterpret_cast<LPARAM>(h));
  EXPECT_EQ(acPreviewHandle, h);
  EXPECT_FALSE(acPreviewNeeded);
  acPreviewNeeded = true;
  SendHandleToEditor(h);
  EXPECT_EQ(FakeEditor::calls, 3);  // a window was announced already
}

TEST_F(ProviderServicesTest, AnEditorThatNeverAgreesIsAskedAHundredAndOneTimes) {
  const EditorLinkState saved;
  ProviderForm f;
  FakeEditor editor(0);
  acPreviewHandle = nullptr;
  acPreviewNeeded = true;
  SendHandleToEditor(f.form->Handle());
  EXPECT_EQ(FakeEditor::calls, 101);
}

TEST_F(ProviderServicesTest, AFormShowingForTheFirstTimeIsAnnouncedToTheEditor) {
  const EditorLinkState saved;
  FakeEditor editor(1);
  acPreviewHandle = nullptr;
  acPreviewNeeded = true;
  ProviderForm f;
  acPreviewNeeded = true;  // the provider read the command line when it was made
  EXPECT_EQ(FakeEditor::calls, 0);
  f.form->Show();
  EXPECT_EQ(FakeEditor::calls, 1);
  EXPECT_EQ(FakeEditor::announced, reinterpret_cast<LPARAM>(f.form->Handle()));
}

// ---- the MDI parent's frame ----

// An extended-border window that only counts how often it is asked to follow its form.
struct CountingBorders : TacBorderForm {
  explicit CountingBorders(HWND Owner, int* Moves) : owner(Owner), moves(Moves) {}
  HWND OwnerHandle() const override { return owner; }
  TsSkinManager* SkinManager() const override { return nullptr; }
  int CaptionHeight(bool) const override { return 0; }
  void UpdateExBordersPos(bool Redraw, int Blend) override { *moves += Redraw && Blend == 255; }
  HWND owner;
  int* moves;
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The paints the MDI client window receives, counted while it is subclassed.
int g_clientPaints = 0;
WNDPROC g_clientProc = nullptr;
LRESULT CALLBACK CountClientPaint(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) ++g_clientPaints;
  return CallWindowProcW(g_clientProc, h, m, w, l);
}

struct MdiParent : ProviderForm {
  HWND client = nullptr;
  int borderMoves = 0;
  TsSkinProvider* previous = MDISkinProvider;
  MdiParent() {
    form->Show();
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 200, 100,
                             form->Handle(), nullptr, GetModuleHandleW(nullptr), &ccs);
    g_clientProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountClientPaint)));
    UpdateWindow(form->Handle());
    Pump();
    MDISkinProvider = provider;
  }
  ~MdiParent() {
    MDISkinProvider = previous;
    provider->BorderForm.reset();
    DestroyWindow(client);
  }
  // Every cached part of the frame taken as valid, the glow masks made, the client painted.
  void Settle() {
    Pump();
    provider->SkinData()->BGChanged = false;
    provider->MenuChanged = false;
    provider->FLinesCount = 2;
    provider->FGlow1 = std::make_unique<TDib8>(4, 4);
    provider->FGlow2 = std::make_unique<TDib8>(4, 4);
    g_clientPaints = 0;
  }
  bool ClientHasUpdate() const { return GetUpdateRect(client, nullptr, FALSE) != FALSE; }
};

TEST_F(ProviderServicesTest, WithoutAnMdiParentProviderTheMainFormIsLeftAlone) {
  ProviderForm f;
  TsSkinProvider* previous = MDISkinProvider;
  MDISkinProvider = nullptr;
  const classlib::TScopeExit restore([&] { MDISkinProvider = previous; });
  f.provider->SkinData()->BGChanged = false;
  f.provider->MenuChanged = false;
  UpdateMainForm(true);
  EXPECT_FALSE(f.provider->SkinData()->BGChanged);
  EXPECT_FALSE(f.provider->MenuChanged);
}

TEST_F(ProviderServicesTest, AnMdiParentDrawingItsFrameRendersItAnewAndRepaintsItsClient) {
  struct Case {
    bool repaint;
    bool paintedAtOnce;  // the client painted before UpdateMainForm returns
    int borderMoves;
  };
  for (const Case c : {Case{true, true, 1}, Case{false, false, 0}}) {
    MdiParent f;
    f.provider->BorderForm = std::make_unique<CountingBorders>(f.form->Handle(), &f.borderMoves);
    f.Settle();
    ASSERT_FALSE(f.ClientHasUpdate());
    UpdateMainForm(c.repaint);
    EXPECT_TRUE(f.provider->SkinData()->BGChanged) << c.repaint;
    EXPECT_TRUE(f.provider->MenuChanged) << c.repaint;
    EXPECT_EQ(f.provider->FLinesCount, -1) << c.repaint;
    EXPECT_EQ(f.provider->FGlow1, nullptr) << c.repaint;
    EXPECT_EQ(f.provider->FGlow2, nullptr) << c.repaint;
    EXPECT_EQ(f.provider->SkinData()->UpdateCount(), 0) << c.repaint;
    EXPECT_EQ(g_clientPaints > 0, c.paintedAtOnce) << c.repaint;
    EXPECT_EQ(f.ClientHasUpdate(), !c.paintedAtOnce) << c.repaint;
    EXPECT_EQ(f.borderMoves, c.borderMoves) << c.repaint;
  }
}

TEST_F(ProviderServicesTest, AnMdiParentWithTheSystemFrameOnlyHasItsFrameRedrawn) {
  MdiParent f;
  f.provider->SetDrawNonClientArea(false);
  f.provider->BorderForm = std::make_unique<CountingBorders>(f.form->Handle(), &f.borderMoves);
  f.Settle();
  UpdateMainForm(true);
  EXPECT_FALSE(f.provider->SkinData()->BGChanged);
  EXPECT_FALSE(f.provider->MenuChanged);
  EXPECT_EQ(f.provider->FLinesCount, 2);
  EXPECT_NE(f.provider->FGlow1, nullptr);
  EXPECT_EQ(g_clientPaints, 0);
  EXPECT_FALSE(f.ClientHasUpdate());
  EXPECT_EQ(f.borderMoves, 0);
}

}  // namespace
}  // namespace skin
