// The skinned scroll box on a form with our skin: scrolling bracketed by commands 51 and 52 with
// one redraw, the wheel handed to the focused control first, a child brought into view, the
// system's bars back when the skin goes, no guard or held redraw left by a handler that raises,
// and no bitmap left behind by repeated paints.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>
#include <vector>

#include "classlib/StdCtrls.h"
#include "classlib/TypInfo.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sScrollBox.h"
#include "skin/core/sMessages.h"
#include "skin/windows/acSBUtils.h"
#include "tests/skin/controls/ControlsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

// Records the scroll commands and the paints that reach the box.
class TProbeBox : public TsScrollBox {
 public:
  using TsScrollBox::TsScrollBox;
  std::vector<unsigned> commands;
  int paints = 0;

 protected:
  void WndProc(TMessage& M) override {
    if (M.Msg == SM_ALPHACMD && (CommandOf(M.WParam) == ACMD_SCROLLBEGIN || CommandOf(M.WParam) == ACMD_SCROLLEND))
      commands.push_back(CommandOf(M.WParam));
    if (M.Msg == WM_PAINT) ++paints;
    TsScrollBox::WndProc(M);
  }
};

// A child that runs a step when it is moved: the scroll that moves it raises, or changes the box.
class TStuckControl : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::function<void()> onMove;
  void SetBounds(int l, int t, int w, int h) override {
    if (onMove) onMove();
    TGraphicControl::SetBounds(l, t, w, h);
  }
};

// An edit whose wheel handler raises.
class TWheelFailingEdit : public TEdit {
 public:
  using TEdit::TEdit;

 protected:
  void WndProc(TMessage& M) override {
    if (M.Msg == WM_MOUSEWHEEL) throw std::runtime_error("wheel failed");
    TEdit::WndProc(M);
  }
};

struct ScrollBoxes : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    Ac_InstallScrollBarsLink();
    form->Show();
  }
  // A 150 x 100 box with a single border and a child far below: its content is 320 high.
  TProbeBox* NewBox() {
    TProbeBox* box = Make<TProbeBox>(10, 10, 150, 100);
    low = Create<TButton>(form.get());
    low->SetParent(box);
    low->SetBounds(10, 300, 50, 20);
    box->Perform(CM_SHOWINGCHANGED);
    Pump();
    return box;
  }
  void OwnCache(TsScrollBox* box, bool own) {
    if (own)
      box->SkinData()->CtrlSkinState &= std::uint16_t(~kNoOwnCache);
    else
      box->SkinData()->CtrlSkinState |= kNoOwnCache;
  }
  TButton* low = nullptr;
};

// Without children the printed box is its section over the form, frame and inside alike, whether it
// renders a cache or paints straight onto the DC.
TEST_F(ScrollBoxes, PrintsItsSectionWithOrWithoutOwnCache) {
  for (bool own : {true, false}) {
    SCOPED_TRACE(own ? "own cache" : "painted directly");
    TProbeBox* box = Make<TProbeBox>(20, 30, 120, 80);
    Pump();
    ASSERT_EQ(box->SkinData()->SkinIndex, Section("PANEL_LOW"));
    OwnCache(box, own);
    auto printed = Print(box);
    auto expected = Direct("PANEL_LOW", 0, box->Width(), box->Height(), {box->Left(), box->Top()});
    EXPECT_EQ(DifferentPixels(printed.get(), expected.get()), 0);
    delete box;
  }
}

// A see-through box painted straight onto the DC shows its parent's cache where the box stands,
// not two pixels (its frame) beside it.
TEST_F(ScrollBoxes, SeeThroughBoxShowsItsParentUnderIt) {
  const int index = Section("PANEL_LOW");
  ASSERT_GE(index, 0);
  TsGeneralData& g = manager->Records().gd[std::size_t(index)];
  g.Transparency = g.Props[0].Transparency = 100;
  // A half see-through panel keeps its cache and hands it to its children.
  TsGeneralData& p = manager->Records().gd[std::size_t(Section("PANEL"))];
  p.Transparency = p.Props[0].Transparency = 50;
  TsPanel* panel = Make<TsPanel>(10, 10, 200, 150, L"MMMMMMMM");
  Print(panel);
  TProbeBox* box = Create<TProbeBox>(form.get());
  box->SetParent(panel);
  box->SetBounds(20, 20, 150, 100);
  box->Handle();
  Pump();
  OwnCache(box, false);
  TacBGInfo behind;
  ASSERT_TRUE(GetBGInfo(behind, panel, false));
  ASSERT_EQ(behind.BgType, TacBGType::btCache);
  auto printed = Print(box);
  auto expected = NewBitmap32(box->Width(), box->Height());
  PaintItem(index, "PANEL_LOW", BGInfoToCI(behind), true, 0, TRect{0, 0, box->Width(), box->Height()},
            TPoint{box->Left(), box->Top()}, expected.get(), manager.get());
  // The inside, clear of the frame and border.
  int differ = 0, textPixels = 0;
  const std::uint32_t plain = Rgb(expected.get(), 6, 6);
  for (int y = 6; y < box->Height() - 6; ++y)
    for (int x = 6; x < box->Width() - 6; ++x) {
      differ += Rgb(printed.get(), x, y) != Rgb(expected.get(), x, y);
      textPixels += Rgb(expected.get(), x, y) != plain;
    }
  ASSERT_GT(textPixels, 20) << "the caption lies under the box";
  EXPECT_EQ(differ, 0);
}

TEST_F(ScrollBoxes, ScrollBySendsBeginThenEndWithOneRedraw) {
  struct Case {
    bool ownCache, tracking;
  } cases[] = {{true, false}, {true, true}, {false, false}, {false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "own cache " << c.ownCache << ", tracking " << c.tracking);
    TProbeBox* box = NewBox();
    ASSERT_TRUE(box->SkinData()->Skinned());
    OwnCache(box, c.ownCache);
    box->VertScrollBar()->SetTracking(c.tracking);
    box->commands.clear();
    box->paints = 0;
    box->ScrollBy(0, -40);
    EXPECT_EQ(box->commands, (std::vector<unsigned>{ACMD_SCROLLBEGIN, ACMD_SCROLLEND}));
    EXPECT_FALSE(box->RedrawHeld());
    EXPECT_TRUE(IsWindowVisible(box->Handle()));
    if (c.ownCache) {
      EXPECT_EQ(box->paints, 1) << "the box is redrawn before ScrollBy returns";
    }
    Pump();
    EXPECT_EQ(box->paints, 1);
    EXPECT_EQ(low->Top(), 260);
    delete box;
  }
}

TEST_F(ScrollBoxes, OneWheelNotchScrollsOneIncrement) {
  TProbeBox* box = NewBox();
  box->SetAutoMouseWheel(true);
  auto* edit = Create<TEdit>(form.get());
  edit->SetParent(box);
  edit->SetBounds(10, 10, 80, 21);
  form->SetActiveControl(edit);
  ASSERT_EQ(form->ActiveControl(), edit);
  TControlScrollBar* v = box->VertScrollBar();
  v->SetIncrement(20);
  v->SetPosition(100);
  ASSERT_EQ(v->Position(), 100);
  SendMessageW(box->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(50, 50));
  EXPECT_EQ(v->Position(), 80) << "a notch forward scrolls one increment up";
  SendMessageW(box->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-2 * WHEEL_DELTA)), MAKELPARAM(50, 50));
  EXPECT_EQ(v->Position(), 120);
  EXPECT_FALSE(TsScrollBox::WheelBusy());
}

TEST_F(ScrollBoxes, ScrollInViewBringsAChildIn) {
  TProbeBox* box = NewBox();
  // A single border is the system's client edge on each side.
  ASSERT_EQ(box->ClientHeight(), 100 - 2 * GetSystemMetrics(SM_CYEDGE));
  box->ScrollInView(low);
  EXPECT_EQ(low->Top() + low->Height(), box->ClientHeight());
  EXPECT_EQ(box->VertScrollBar()->Position(), 320 - box->ClientHeight());
  RECT r{};
  GetWindowRect(low->Handle(), &r);
  MapWindowPoints(nullptr, box->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.bottom, box->ClientHeight());
}

TEST_F(ScrollBoxes, SkinRemovalGivesTheSystemBarsBack) {
  TProbeBox* box = NewBox();
  const HWND h = box->Handle();
  ASSERT_TRUE(box->ListSW) << "the skinned bars replace the system's while skinned";
  ASSERT_NE(GetPropW(h, L"ACSBSC"), nullptr);
  SendMessageW(h, SM_ALPHACMD, AlphaCmd(ACMD_REMOVESKIN), reinterpret_cast<LPARAM>(manager.get()));
  Pump();
  EXPECT_FALSE(box->ListSW);
  EXPECT_EQ(GetPropW(h, L"ACSBSC"), nullptr);
  EXPECT_FALSE(box->SkinData()->Skinned());
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetScrollBarInfo(h, OBJID_VSCROLL, &info));
  EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
  ASSERT_GT(info.rcScrollBar.bottom, info.rcScrollBar.top);
  const POINT middle{(info.rcScrollBar.left + info.rcScrollBar.right) / 2,
                     (info.rcScrollBar.top + info.rcScrollBar.bottom) / 2};
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTVSCROLL);
  SendMessageW(h, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(box->VertScrollBar()->Position(), 8);
}

TEST_F(ScrollBoxes, RaisingHandlersLeaveNoGuardAndRedrawOn) {
  TProbeBox* box = NewBox();
  OwnCache(box, true);
  box->VertScrollBar()->SetTracking(true);
  auto* stuck = Create<TStuckControl>(form.get());
  stuck->SetParent(box);
  stuck->SetBounds(0, 0, 10, 10);
  stuck->onMove = [] { throw std::runtime_error("cannot move"); };
  EXPECT_THROW(box->ScrollBy(0, -10), std::runtime_error);
  EXPECT_FALSE(box->RedrawHeld());
  EXPECT_TRUE(IsWindowVisible(box->Handle())) << "redrawing was switched back on";

  // Tracking switched off while the scroll runs: what was held is still let go.
  stuck->onMove = [box] { box->VertScrollBar()->SetTracking(false); };
  box->ScrollBy(0, -10);
  EXPECT_FALSE(box->RedrawHeld());
  EXPECT_TRUE(IsWindowVisible(box->Handle()));
  stuck->onMove = nullptr;

  box->SetAutoMouseWheel(true);
  auto* edit = Create<TWheelFailingEdit>(form.get());
  edit->SetParent(box);
  edit->SetBounds(10, 40, 80, 21);
  form->SetActiveControl(edit);
  ASSERT_EQ(form->ActiveControl(), edit);
  EXPECT_THROW(box->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(50, 50)), std::runtime_error);
  EXPECT_FALSE(TsScrollBox::WheelBusy());
  form->SetActiveControl(nullptr);
  const int before = box->VertScrollBar()->Position();
  box->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(50, 50));
  EXPECT_EQ(box->VertScrollBar()->Position(), before + box->VertScrollBar()->Increment());
}

TEST_F(ScrollBoxes, TwoHundredPaintsLeaveOneCacheBitmapAtMost) {
  for (bool own : {true, false}) {
    SCOPED_TRACE(own ? "own cache" : "painted directly");
    TProbeBox* box = NewBox();
    OwnCache(box, own);
    std::set<HBITMAP> seen;
    for (int i = 0; i < 200; ++i) {
      box->SkinData()->BGChanged = true;
      RedrawWindow(box->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
      if (HBITMAP b = box->SkinData()->CacheBmp()->Handle()) seen.insert(b);
      Print(box);
      if (HBITMAP b = box->SkinData()->CacheBmp()->Handle()) seen.insert(b);
    }
    int alive = 0;
    for (HBITMAP b : seen) alive += GetObjectType(b) != 0;
    EXPECT_LE(alive, 1);
    delete box;
    for (HBITMAP b : seen) EXPECT_EQ(GetObjectType(b), 0u);
  }
}

TEST_F(ScrollBoxes, RegisteredWithItsPublishedDefaults) {
  RegisterScrollBoxClasses();
  auto* box = dynamic_cast<TsScrollBox*>(CreateComponent(L"TsScrollBox", form.get()));
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(box->AutoMouseWheel());
  EXPECT_TRUE(box->AutoScroll());
  EXPECT_EQ(box->BorderStyle(), bsSingle);
  EXPECT_EQ(box->Color(), clWindow);
  EXPECT_TRUE(box->ParentColor());
  EXPECT_FALSE(box->TabStop());
  EXPECT_EQ(box->Width(), 185);
  EXPECT_EQ(box->Height(), 41);
  EXPECT_EQ(box->SkinData()->COC, 58);
  SetPropText(box, L"SkinData.SkinSection", L"PANEL");
  SetPropText(box, L"AutoMouseWheel", L"True");
  EXPECT_EQ(box->SkinData()->SkinSection(), "PANEL");
  EXPECT_TRUE(box->AutoMouseWheel());
  EXPECT_TRUE(IsPublishedProp(box, L"OnBeforeScroll"));
  EXPECT_TRUE(IsPublishedProp(box, L"OnAfterScroll"));
}

}  // namespace
}  // namespace skin
