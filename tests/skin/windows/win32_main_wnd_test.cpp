// The handler base on real windows under Wine: hooking native windows and class-library controls,
// giving them back, living under a later subclass, the visual-style switch, skin commands, and
// no handler or thunk left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "classlib/StdCtrls.h"
#include "skin/core/sMessages.h"
#include "skin/windows/acMainWnd.h"
#include "skin/windows/acWndRoutines.h"
#include "skin/windows/acWndThunkWin32.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::NativeWindow;
using test::ThemeRecorder;

using test::g_seen;
using test::kProbe;
using test::TargetClass;

// A later subclass of a native window: counts and passes on.
WNDPROC g_beforeLater = nullptr;
int g_laterSeen = 0;
LRESULT CALLBACK LaterProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETTEXT) ++g_laterSeen;
  return CallWindowProcW(g_beforeLater, w, msg, wp, lp);
}

class TCountingEdit : public TEdit {
 public:
  using TEdit::TEdit;
  int setText = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_SETTEXT) ++setText;
    TEdit::WndProc(m);
  }
};

// One hooking road: the window, the skin data the creator gives, what reached the window's own
// procedure, whether that procedure is back in place, and a later subclass.
struct Road {
  virtual ~Road() = default;
  virtual HWND Handle() = 0;
  virtual TsCommonData* Data() = 0;
  virtual int SetTextSeen() = 0;
  virtual bool OriginalInPlace() = 0;
  virtual void AddLater() = 0;
  virtual void RemoveLater() = 0;
};

struct NativeRoad : Road {
  NativeWindow wnd{TargetClass(), WS_OVERLAPPEDWINDOW, 120, 80};
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC));
  HWND Handle() override { return wnd; }
  TsCommonData* Data() override { return nullptr; }
  int SetTextSeen() override { return g_seen[wnd].setText; }
  bool OriginalInPlace() override {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)) == original;
  }
  void AddLater() override {
    g_laterSeen = 0;
    g_beforeLater =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
  }
  void RemoveLater() override { SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_beforeLater)); }
};

struct LaterMethod {
  TWndMethod before;
  void Call(TMessage& m) {
    if (m.Msg == WM_SETTEXT) ++g_laterSeen;
    before(m);
  }
};

struct ClassLibRoad : Road {
  test::Owned<TForm> form{new TForm(nullptr)};
  TCountingEdit* edit = new TCountingEdit(form.get());
  std::unique_ptr<TsCommonData> data;
  TWndMethod original;
  LaterMethod later;
  ClassLibRoad() {
    edit->SetParent(form.get());
    edit->Handle();
    data = std::make_unique<TsCommonData>(edit, true);
    original = edit->WindowProc;
  }
  HWND Handle() override { return edit->Handle(); }
  TsCommonData* Data() override { return data.get(); }
  int SetTextSeen() override { return edit->setText; }
  bool OriginalInPlace() override { return edit->WindowProc == original; }
  void AddLater() override {
    g_laterSeen = 0;
    later.before = edit->WindowProc;
    edit->WindowProc = TWndMethod(&later, &LaterMethod::Call);
  }
  void RemoveLater() override { edit->WindowProc = later.before; }
};

class Hooking : public ::testing::TestWithParam<bool> {
 protected:
  std::unique_ptr<Road> road =
      GetParam() ? std::unique_ptr<Road>(new ClassLibRoad) : std::unique_ptr<Road>(new NativeRoad);
  HWND wnd = road->Handle();
  THandler<TacMainWnd> Hook(const std::string& section = "EDIT") {
    return TacMainWnd::Create<TacMainWnd>(wnd, road->Data(), nullptr, section, false);
  }
};

TEST_P(Hooking, HookedWindowNamesItsHandlerAndGetsItsProcedureBack) {
  ThemeRecorder theme;
  auto h = Hook();
  EXPECT_EQ(GetPropW(wnd, L"ACSBSC"), h.get());
  EXPECT_FALSE(road->OriginalInPlace());
  EXPECT_TRUE(h->OnTop());
  EXPECT_EQ(GetParam(), h->NewWndProcInstance == nullptr) << "native windows go through a thunk";

  SetWindowTextW(wnd, L"Новый текст");
  EXPECT_EQ(road->SetTextSeen(), 1) << "WM_SETTEXT reaches the window's own procedure once";
  EXPECT_EQ(h->Caption, L"Новый текст");

  h.reset();
  EXPECT_EQ(GetPropW(wnd, L"ACSBSC"), nullptr);
  EXPECT_TRUE(road->OriginalInPlace());
  SetWindowTextW(wnd, L"after");
  EXPECT_EQ(road->SetTextSeen(), 2);
  const std::vector<ThemeRecorder::Call> expected{{wnd, L" ", L" "}, {wnd, L"<null>", L"<null>"}};
  EXPECT_EQ(ThemeRecorder::calls, expected) << "visual styles off while hooked, back on afterwards";
}

TEST_P(Hooking, LaterSubclassIsLeftInPlaceAndStillServed) {
  const std::size_t thunksBefore = TacWndThunk::LiveCount();
  auto h = Hook();
  road->AddLater();
  EXPECT_FALSE(UninitializeACWnd(wnd, false, h.get()));
  EXPECT_FALSE(h->Destroyed);
  EXPECT_EQ(GetPropW(wnd, L"ACSBSC"), h.get());
  SetWindowTextW(wnd, L"one");
  EXPECT_EQ(g_laterSeen, 1);
  EXPECT_EQ(road->SetTextSeen(), 1);
  EXPECT_EQ(h->Caption, L"one") << "the handler still serves the window";

  h.reset();
  EXPECT_EQ(GetPropW(wnd, L"ACSBSC"), nullptr) << "nothing names a freed handler";
  SetWindowTextW(wnd, L"two");
  EXPECT_EQ(g_laterSeen, 2);
  EXPECT_EQ(road->SetTextSeen(), 2) << "the later subclass still reaches the window's own procedure";
  road->RemoveLater();
  SetWindowTextW(wnd, L"three");
  EXPECT_EQ(road->SetTextSeen(), 3);
  if (!GetParam()) {
    DestroyWindow(wnd);
    EXPECT_EQ(TacWndThunk::LiveCount(), thunksBefore) << "the forwarding thunk goes with its window";
  }
}

TEST_P(Hooking, DialogSectionKeepsTheVisualStyle) {
  ThemeRecorder theme;
  auto h = Hook("DIALOG");
  h.reset();
  EXPECT_TRUE(ThemeRecorder::calls.empty());
}

INSTANTIATE_TEST_SUITE_P(BothRoads, Hooking, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ClassLibrary" : "Native"; });

TEST(HandlerBase, SectionAlreadySetInTheSkinDataWins) {
  ClassLibRoad road;
  road.Data()->SetSkinSection("PANEL");
  auto h = TacMainWnd::Create<TacMainWnd>(road.Handle(), road.Data(), nullptr, "EDIT", false);
  EXPECT_EQ(h->SkinData->SkinSection(), "PANEL");
}

// A handler that counts the messages it sees and throws on the probe.
class TProbeHandler : public TacMainWnd {
 public:
  TProbeHandler(HWND h, TsCommonData* d, TsSkinManager* m) : TacMainWnd(h, d, m) {}
  int destroys = 0;
  void acWndProc(TMessage& m) override {
    if (m.Msg == kProbe) throw std::runtime_error("probe failed");
    if (m.Msg == WM_DESTROY) ++destroys;
    TacMainWnd::acWndProc(m);
  }
};

TEST(HandlerBase, WithoutAReplacedProcedureDestroyGoesToTheDefaultProcedureOnce) {
  NativeWindow wnd(TargetClass(), WS_OVERLAPPEDWINDOW, 100, 60);
  auto h = TacMainWnd::Create<TProbeHandler>(wnd, nullptr, nullptr, "EDIT", false);
  const WNDPROC saved = h->OldProc;
  h->OldProc = nullptr;
  SendMessageW(wnd, WM_DESTROY, 0, 0);
  EXPECT_EQ(h->destroys, 1) << "not sent to the window again";
  EXPECT_EQ(g_seen[wnd].destroys, 0);
  h->OldProc = saved;
}

TEST(HandlerBase, ExceptionInTheHandlerGoesToTheApplicationAndTheWindowLives) {
  NativeWindow wnd(TargetClass(), WS_OVERLAPPEDWINDOW, 100, 60);
  auto h = TacMainWnd::Create<TProbeHandler>(wnd, nullptr, nullptr, "EDIT", false);
  std::vector<std::string> caught;
  Application->OnException = [&](TObject*, const std::exception_ptr& e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::runtime_error& error) {
      caught.emplace_back(error.what());
    }
  };
  EXPECT_EQ(SendMessageW(wnd, kProbe, 0, 0), 0);
  Application->OnException = nullptr;
  EXPECT_EQ(caught, std::vector<std::string>{"probe failed"});
  SetWindowTextW(wnd, L"alive");
  EXPECT_EQ(h->Caption, L"alive");
}

TEST(HandlerBase, DestroyedWindowGivesTheHandlerUpAndNothingIsLeft) {
  const std::size_t thunks = TacWndThunk::LiveCount();
  auto wnd = std::make_unique<NativeWindow>(TargetClass(), WS_OVERLAPPEDWINDOW, 100, 60);
  auto h = TacMainWnd::Create<TacMainWnd>(*wnd, nullptr, nullptr, "EDIT", false);
  HWND handle = *wnd;
  wnd.reset();
  EXPECT_TRUE(h->Destroyed);
  EXPECT_EQ(g_seen[handle].destroys, 1);
  h.reset();
  EXPECT_EQ(TacWndThunk::LiveCount(), thunks);
}

struct Skinned : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  NativeWindow parent{TargetClass(), WS_OVERLAPPEDWINDOW, 300, 300};
};

TEST_F(Skinned, CommandsAnsweredByTheHandler) {
  ASSERT_TRUE(manager->Active());
  ASSERT_TRUE(manager->HasSections());
  NativeWindow child(TargetClass(), WS_CHILD | WS_VISIBLE | WS_BORDER, 100, 60, parent);
  auto h = TacMainWnd::Create<TacMainWnd>(child, nullptr, manager.get(), "EDIT", false);
  EXPECT_EQ(SendMessageW(child, SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0), 1);

  const int edit = manager->GetSkinIndex("EDIT");
  ASSERT_GE(edit, 0);
  const TColor sectionColour = manager->Records().gd[std::size_t(edit)].Props[0].Color;
  EXPECT_EQ(SendMessageW(child, SM_ALPHACMD, AlphaCmd(ACMD_GETCOLOR), 0), LRESULT(sectionColour))
      << "a zero answer of the window is replaced by the section's colour";
  g_seen[child].colourAnswer = 0x123456;
  EXPECT_EQ(SendMessageW(child, SM_ALPHACMD, AlphaCmd(ACMD_GETCOLOR), 0), 0x123456);

  SendMessageW(child, SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
  ASSERT_NE(h->SkinData->CacheBmp(), nullptr);
  EXPECT_EQ(h->SkinData->CacheBmp()->Width(), 100);
  EXPECT_EQ(h->SkinData->CacheBmp()->Height(), 60);
  EXPECT_FALSE(h->SkinData->BGChanged);
}

TEST_F(Skinned, BackgroundIsToldAsTheSectionPaintsIt) {
  // Our skin paints "EDIT" in one colour and "TOOLBAR" as a gradient, both opaque: the first is told as its
  // colour, the second as the rendered picture.
  struct Case {
    const char* section;
    TacBGType want;
  };
  for (const Case c : {Case{"EDIT", TacBGType::btFill}, Case{"TOOLBAR", TacBGType::btCache}}) {
    SCOPED_TRACE(c.section);
    const int index = manager->GetSkinIndex(c.section);
    ASSERT_GE(index, 0);
    const TsGeneralData& g = manager->Records().gd[std::size_t(index)];
    ASSERT_EQ(g.Transparency, 0);
    NativeWindow child(TargetClass(), WS_CHILD | WS_VISIBLE | WS_BORDER, 100, 60, parent);
    auto h = TacMainWnd::Create<TacMainWnd>(child, nullptr, manager.get(), c.section, false);
    SendMessageW(child, SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
    TacBGInfo bg;
    SendMessageW(child, SM_ALPHACMD, AlphaCmd(ACMD_GETBGINFO), reinterpret_cast<LPARAM>(&bg));
    EXPECT_EQ(bg.BgType, c.want);
    EXPECT_EQ(bg.Bmp, h->SkinData->CacheBmp());
    if (c.want == TacBGType::btFill) EXPECT_EQ(bg.Color, g.Props[0].Color);
  }
}

TEST_F(Skinned, DependenceOnTheParentIsToldForControlsAndLeftToPlainWindows) {
  NativeWindow child(TargetClass(), WS_CHILD | WS_VISIBLE | WS_BORDER, 100, 60, parent);
  g_seen[child].dependsAnswer = 7;
  auto h = TacMainWnd::Create<TacMainWnd>(child, nullptr, manager.get(), "TOOLBAR", false);
  EXPECT_EQ(SendMessageW(child, SM_ALPHACMD, AlphaCmd(ACMD_DEPENDSONPARENT), 0), 7) << "the window's own answer";

  // A control's look depends on its place when its section has a gradient or an image ("TOOLBAR"), not when it is
  // one opaque colour ("EDIT").
  test::Owned<TForm> form(new TForm(nullptr));
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  for (const auto& [section, want] : {std::pair{"TOOLBAR", 1}, std::pair{"EDIT", 0}}) {
    SCOPED_TRACE(section);
    TsCommonData data(edit, true);
    data.SetSkinManager(manager.get());
    data.SetSkinSection(section);
    auto control = TacMainWnd::Create<TacMainWnd>(edit->Handle(), &data, manager.get(), section, false);
    EXPECT_EQ(SendMessageW(edit->Handle(), SM_ALPHACMD, AlphaCmd(ACMD_DEPENDSONPARENT), 0), want);
  }
}

TEST_F(Skinned, TwoHundredHookPaintUnhookCyclesLeaveNoHandlerOrThunk) {
  const std::size_t handlers = TacMainWnd::LiveCount(), thunks = TacWndThunk::LiveCount();
  ShowWindow(parent, SW_SHOWNOACTIVATE);
  for (int i = 0; i < 200; ++i) {
    NativeWindow list(L"LISTBOX", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL, 120, 90, parent);
    auto h = TacMainWnd::Create<TacMainWnd>(list, nullptr, manager.get(), "EDIT", true);
    SendMessageW(list, SM_ALPHACMD, AlphaCmd(ACMD_PREPARECACHE), 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    if (i % 2) UninitializeACWnd(list, true, h);  // given back explicitly, else by freeing
  }
  EXPECT_EQ(TacMainWnd::LiveCount(), handlers);
  EXPECT_EQ(TacWndThunk::LiveCount(), thunks);
}

}  // namespace
}  // namespace skin
