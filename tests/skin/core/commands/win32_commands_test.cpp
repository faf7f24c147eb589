// The skin commands and the common message handling, on a stub control whose window procedure
// goes through CommonWndProc, over parents that answer the skin commands as skinned containers do.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/WindowHook.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "tests/skin/core/Win32Fixture.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

std::uint32_t Rgb(TBitmap* b, int x, int y) { return View32(b).At(x, y).U & 0xFFFFFFu; }

// The control kind every skinned control is: its skin state sees each message first.
class TStub : public TCustomControl {
 public:
  explicit TStub(TComponent* AOwner) : TCustomControl(AOwner) {}
  TsCommonData data{this, true};
  std::vector<WPARAM> commands;  // the WParam of every skin command received
  int ncPaints = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) commands.push_back(m.WParam);
    if (m.Msg == WM_NCPAINT) ++ncPaints;
    if (CommonWndProc(m, &data)) return;
    TCustomControl::WndProc(m);
  }
};

// A skinned container: a cache of its own, a colour for command 21, skinned by command 7.
class TStandIn : public TCustomControl {
 public:
  explicit TStandIn(TComponent* AOwner) : TCustomControl(AOwner), cache(NewBitmap32(300, 200)) {
    Fill(cache.get(), 0x102030);
  }
  std::unique_ptr<TBitmap> cache;
  LRESULT colour = 0xFFFFFF;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      const unsigned cmd = CommandOf(m.WParam);
      if (cmd == ACMD_ISSKINNED) m.Result = 1;
      if (cmd == ACMD_GETCOLOR) m.Result = colour;
      if (cmd == ACMD_GETBGINFO) {
        auto* bg = reinterpret_cast<TacBGInfo*>(m.LParam);
        bg->BgType = TacBGType::btCache;
        bg->Bmp = cache.get();
        bg->Offset = {0, 0};
      }
      return;
    }
    TCustomControl::WndProc(m);
  }
};

enum Section { kPanel, kGrey, kClear, kEdit, kGrad, kGroupBox, kGlobal };

// Sections: PANEL opaque green; GREY black at transparency 50; CLEAR fully transparent; EDIT with
// a hot state; GRAD with a gradient share; GROUPBOX with a border image of margins 3/2/4/5.
struct Skin {
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  Skin() {
    auto r = std::make_unique<TacSkinRecords>();
    r->MasterBitmap.SetSize(30, 10, 0xFF808080u);
    TsMaskData md;
    md.ClassName = "GROUPBOX";
    md.PropertyName = "BORDERSMASK";
    md.R = {0, 0, 30, 10};
    md.ImageCount = 1;
    md.WL = 3, md.WT = 2, md.WR = 4, md.WB = 5;
    md.Manager = r.get();
    r->ma.push_back(std::move(md));
    auto section = [](const char* name, int transparency, TColor colour, int states) {
      TsGeneralData g;
      g.ClassName = name;
      g.Transparency = g.Props[0].Transparency = g.HotTransparency = g.Props[1].Transparency = transparency;
      g.Color = g.Props[0].Color = g.Props[1].Color = colour;
      g.States = states;
      return g;
    };
    r->gd = {section("PANEL", 0, 0x00FF00, 1),     section("GREY", 50, 0x000000, 1), section("CLEAR", 100, 0, 1),
             section("EDIT", 0, 0xFFFFFF, 2),      section("GRAD", 0, 0x0000FF, 1),  section("GROUPBOX", 0, 0, 1),
             section("GLOBALINFO", 0, 0x445566, 1)};
    r->gd[kGrad].GradientPercent = r->gd[kGrad].HotGradientPercent = 50;
    r->gd[kGroupBox].BorderIndex = 0;
    r->gd[kPanel].GiveOwnFont = true;
    r->SkinData.Active = true;
    manager->InstallRecords(std::move(r));
  }
};

struct Commands : ::testing::Test {
  Skin skin;
  Owned<TForm> form{Create<TForm>(nullptr)};
  TStandIn* parent = nullptr;
  TStub* stub = nullptr;
  void SetUp() override {
    form->SetBounds(40, 40, 400, 300);
    form->Handle();
    parent = Make<TStandIn>(form.get(), 10, 10, 300, 200);
    stub = Make<TStub>(parent, 7, 5, 40, 20);
    stub->Handle();
    Section(stub, "PANEL");
  }
  template <class T>
  T* Make(TWinControl* p, int l, int t, int w, int h) {
    T* c = Create<T>(form.get());
    c->SetParent(p);
    c->SetBounds(l, t, w, h);
    return c;
  }
  static void Section(TStub* s, const char* name) {
    s->data.SetSkinSection(name);
    InitCacheBmp(&s->data);
    s->data.BGChanged = false;
  }
  LRESULT Send(TControl* c, unsigned cmd, LPARAM lp = 0, unsigned argument = 0) {
    return c->Perform(SM_ALPHACMD, AlphaCmd(cmd, argument), lp);
  }
  // Whether the stub's handling stopped at the common handling.
  bool Handled(unsigned cmd, LPARAM lp, LRESULT& result) {
    TMessage m{SM_ALPHACMD, AlphaCmd(cmd), lp, 0};
    const bool handled = CommonWndProc(m, &stub->data);
    result = m.Result;
    return handled;
  }
};

TEST_F(Commands, SkinChangesOfAnotherManagerChangeNothing) {
  Owned<TsSkinManager> other{new TsSkinManager(nullptr)};
  TsCommonData& d = stub->data;
  ASSERT_EQ(d.SkinIndex, kPanel);
  const LPARAM mine = reinterpret_cast<LPARAM>(skin.manager.get()), theirs = reinterpret_cast<LPARAM>(other.get());
  for (unsigned cmd : {ACMD_REMOVESKIN, ACMD_REFRESH, ACMD_NEWSKIN}) {
    Send(stub, cmd, theirs);
    EXPECT_EQ(d.SkinIndex, kPanel) << cmd;
    EXPECT_FALSE(d.BGChanged) << cmd;
    EXPECT_FALSE(d.Updating()) << cmd;
    EXPECT_EQ(d.CacheBmp()->Width(), 40) << cmd;
  }
  Send(stub, ACMD_REMOVESKIN, mine);
  EXPECT_EQ(d.SkinIndex, -1);
  EXPECT_EQ(d.Texture, -1);
  EXPECT_TRUE(d.Updating());
  EXPECT_EQ(d.CacheBmp()->Width(), 0);
  Send(stub, ACMD_NEWSKIN, theirs);
  EXPECT_EQ(d.SkinIndex, -1);
  RestrictDrawing = true;
  Send(stub, ACMD_NEWSKIN, mine);
  EXPECT_EQ(d.SkinIndex, kPanel);
  EXPECT_FALSE(RestrictDrawing);
  Send(stub, ACMD_REFRESH, mine);
  EXPECT_TRUE(d.BGChanged);
  EXPECT_FALSE(d.Updating());
}

TEST_F(Commands, RemovingTheSkinGivesAnEditItsWindowColours) {
  auto* edit = Make<TEdit>(form.get(), 0, 250, 50, 20);
  edit->Handle();
  TsCommonData d(edit, true);
  d.COC = 3;
  d.SetSkinSection("EDIT");
  ASSERT_EQ(d.SkinIndex, kEdit);
  edit->SetColor(clRed);
  TMessage m{SM_ALPHACMD, AlphaCmd(ACMD_REMOVESKIN), reinterpret_cast<LPARAM>(skin.manager.get()), 0};
  EXPECT_FALSE(CommonMessage(m, &d));
  EXPECT_EQ(edit->Color(), clWindow);
  EXPECT_EQ(edit->Font()->Color(), clWindowText);
}

TEST_F(Commands, AnswersAsTheTableSays) {
  TsCommonData& d = stub->data;
  LRESULT r = 0;
  struct Case {
    const char* what;
    std::function<void()> before;
    unsigned cmd;
    LPARAM lp;
    bool handled;
    LRESULT result;
  };
  TacSectionInfo info;
  const std::vector<Case> cases = {
      {"skinned", [] {}, ACMD_ISSKINNED, 0, true, 1},
      {"busy while the cache is stale", [&] { d.BGChanged = true; }, ACMD_ISBUSY, 0, true, 1},
      {"idle", [&] { d.BGChanged = false; }, ACMD_ISBUSY, 0, true, 0},
      {"busy while updating", [&] { d.SetUpdating(true); }, ACMD_ISBUSY, 0, true, 1},
      {"opaque plain section does not depend on the parent", [&] { d.SetUpdating(false); }, ACMD_DEPENDSONPARENT, 0,
       true, 0},
      {"a gradient depends on the place", [&] { Section(stub, "GRAD"); }, ACMD_DEPENDSONPARENT, 0, true, 1},
      {"transparent: as the parent (which does not)", [&] { Section(stub, "CLEAR"); }, ACMD_DEPENDSONPARENT, 0, true,
       0},
      {"no section: not answered", [&] { d.SkinIndex = -1; }, ACMD_DEPENDSONPARENT, 0, false, 0},
      {"skin index written", [&] { Section(stub, "GREY"); }, ACMD_GETSKININDEX, reinterpret_cast<LPARAM>(&info), true,
       0},
      {"skin state", [&] { d.CtrlSkinState = 0x0800; }, ACMD_SKINSTATE, 0, true, 0x0800},
      {"skin data", [] {}, ACMD_GETSKINDATA, 0, true, reinterpret_cast<LRESULT>(&d)},
      {"print DC", [] {}, ACMD_SETPRINTDC, 0x1234, true, 0},
  };
  for (const Case& c : cases) {
    c.before();
    EXPECT_EQ(Handled(c.cmd, c.lp, r), c.handled) << c.what;
    EXPECT_EQ(r, c.result) << c.what;
  }
  EXPECT_EQ(info.SkinIndex, kGrey);
  EXPECT_EQ(d.CtrlSkinState, 0x0800 | kPrinting);
  EXPECT_EQ(d.PrintDC, reinterpret_cast<HDC>(0x1234));
  Handled(ACMD_SETPRINTDC, 0, r);
  EXPECT_EQ(d.CtrlSkinState, 0x0800);
  EXPECT_EQ(d.PrintDC, nullptr);
}

TEST_F(Commands, ClearingTheCacheReachesTheChildWindows) {
  auto* child = Make<TStub>(stub, 2, 2, 10, 10);
  child->Handle();
  Section(child, "PANEL");
  ASSERT_EQ(child->data.CacheBmp()->Width(), 10);
  LRESULT r = 0;
  EXPECT_FALSE(Handled(ACMD_CLEARCACHE, 0, r));
  EXPECT_EQ(stub->data.CacheBmp()->Width(), 0);
  EXPECT_TRUE(stub->data.BGChanged);
  EXPECT_EQ(child->data.CacheBmp()->Width(), 0);
  EXPECT_TRUE(child->data.BGChanged);
}

TEST_F(Commands, HalfTransparentBlackOverWhiteIsMidGrey) {
  Section(stub, "GREY");
  const TColor mixed = GetBGColor(&stub->data, 0);
  for (int shift : {0, 8, 16}) {
    const int channel = (mixed >> shift) & 0xFF;
    EXPECT_TRUE(channel == 127 || channel == 128) << shift << ": " << channel;
  }
  EXPECT_EQ(Send(stub, ACMD_GETCOLOR), 0x7F7F7F);  // (50 x 255 + 50 x 0) div 100 per channel
  Section(stub, "PANEL");
  EXPECT_EQ(Send(stub, ACMD_GETCOLOR), 0x00FF00);
  Section(stub, "CLEAR");
  parent->colour = 0x123456;
  EXPECT_EQ(Send(stub, ACMD_GETCOLOR), 0x123456);
  parent->colour = clFuchsia;  // the parent has no colour to give: its own
  parent->SetColor(clBlue);
  EXPECT_EQ(Send(stub, ACMD_GETCOLOR), 0xFF0000);
  // Without an owner control command 21 is not answered and leaves the result alone.
  TsCommonData ownerless(nullptr, true);
  ownerless.SetSkinSection("GREY");
  TMessage m{SM_ALPHACMD, AlphaCmd(ACMD_GETCOLOR), 0, 0x5555};
  EXPECT_FALSE(CommonMessage(m, &ownerless));
  EXPECT_EQ(m.Result, 0x5555);
}

TEST_F(Commands, BackgroundAnswersFollowTheSectionsTransparency) {
  TsCommonData& d = stub->data;
  TBitmap* cache = d.CacheBmp();
  TacBGInfo bg;
  auto ask = [&](TsCommonData& data) {
    bg = TacBGInfo{};
    bg.Offset = {3, 4};
    TMessage m{SM_ALPHACMD, AlphaCmd(ACMD_GETBGINFO), reinterpret_cast<LPARAM>(&bg), 0};
    return CommonMessage(m, &data);
  };
  // Opaque without gradient or image: a colour.
  EXPECT_TRUE(ask(d));
  EXPECT_EQ(bg.BgType, TacBGType::btFill);
  EXPECT_EQ(bg.Color, 0x00FF00);
  // Half transparent, or a gradient: the own cache from its corner.
  for (const char* name : {"GREY", "GRAD"}) {
    Section(stub, name);
    ask(d);
    EXPECT_EQ(bg.BgType, TacBGType::btCache) << name;
    EXPECT_EQ(bg.Bmp, cache) << name;
    EXPECT_EQ(bg.Offset, (TPoint{0, 0})) << name;
  }
  // Fully transparent with a current cache: the cache; with a stale one: the parent's, moved.
  Section(stub, "CLEAR");
  ask(d);
  EXPECT_EQ(bg.Bmp, cache);
  d.BGChanged = true;
  ask(d);
  EXPECT_EQ(bg.BgType, TacBGType::btCache);
  EXPECT_EQ(bg.Bmp, parent->cache.get());
  EXPECT_EQ(bg.Offset, (TPoint{7, 5}));
  // No cache to give: no colour either.
  TsCommonData cacheless(stub, false);
  cacheless.SetSkinSection("GREY");
  ask(cacheless);
  EXPECT_EQ(bg.BgType, TacBGType::btFill);
  EXPECT_EQ(bg.Color, clFuchsia);
  // Not skinned: the owner's colour.
  stub->SetColor(clRed);
  Section(stub, "NOSUCH");
  ask(d);
  EXPECT_EQ(bg.BgType, TacBGType::btFill);
  EXPECT_EQ(bg.Color, clRed);
  // Fully transparent with neither parent control nor window: the skin's global colour.
  TsCommonData alone(nullptr, true);
  alone.SetSkinSection("CLEAR");
  ask(alone);
  EXPECT_EQ(bg.BgType, TacBGType::btFill);
  EXPECT_EQ(bg.Color, 0x445566);
}

TEST_F(Commands, FocusMouseAndFontRows) {
  TsCommonData& d = stub->data;
  form->Show();
  stub->SetTabStop(true);
  SetFocus(stub->Handle());
  Pump();
  EXPECT_TRUE(d.FFocused);
  EXPECT_TRUE(d.BGChanged);
  SetFocus(form->Handle());
  Pump();
  EXPECT_FALSE(d.FFocused);

  struct Case {
    int coc;
    const char* section;
    bool hot;
    int ncPaints;
  };
  // An ordinary control becomes hot; a splitter-like kind never does; an edit with a hot state also
  // redraws its frame on enter and leave.
  for (const Case& c : {Case{0, "PANEL", true, 0}, Case{19, "PANEL", false, 0}, Case{3, "EDIT", true, 1}}) {
    d.COC = c.coc;
    Section(stub, c.section);
    stub->ncPaints = 0;
    ASSERT_NE(DefaultManager(), nullptr);
    DefaultManager()->SetActiveControl(nullptr);
    stub->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(d.FMouseAbove, c.hot) << c.coc;
    EXPECT_EQ(DefaultManager()->ActiveControl(), stub->Handle()) << "the manager knows the hot window";
    EXPECT_EQ(stub->ncPaints, c.ncPaints) << c.coc;
    EXPECT_EQ(d.BGChanged, c.ncPaints > 0) << c.coc;
    stub->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(d.FMouseAbove) << c.coc;
    EXPECT_EQ(stub->ncPaints, 2 * c.ncPaints) << c.coc;
  }
  d.COC = 0;
  for (UINT msg : {UINT(WM_FONTCHANGE), CM_ENABLEDCHANGED}) {
    d.FMouseAbove = d.FFocused = true;
    stub->Perform(msg, 0, 0);
    EXPECT_FALSE(d.FMouseAbove) << msg;
    EXPECT_FALSE(d.FFocused) << msg;
  }
  TMessage ui{WM_UPDATEUISTATE, 0, 0, 0};
  EXPECT_TRUE(CommonWndProc(ui, &d));
  Section(stub, "NOSUCH");
  EXPECT_FALSE(CommonWndProc(ui, &d));
}

TEST_F(Commands, HidingEmptiesTheCachesWhenMemoryIsKeptLow) {
  TsCommonData& d = stub->data;
  auto* child = Make<TStub>(stub, 2, 2, 10, 10);
  child->Handle();
  Section(child, "PANEL");
  d.SetUpdating(true);
  stub->Perform(CM_VISIBLECHANGED, 1, 0);
  EXPECT_FALSE(d.Updating());
  EXPECT_TRUE(d.BGChanged);
  d.BGChanged = false;
  ac_OptimizeMemory = false;
  stub->Perform(CM_VISIBLECHANGED, 0, 0);
  EXPECT_EQ(d.CacheBmp()->Width(), 40);
  EXPECT_FALSE(d.BGChanged);
  ac_OptimizeMemory = true;
  stub->Perform(CM_VISIBLECHANGED, 0, 0);
  EXPECT_EQ(d.CacheBmp()->Width(), 0);
  EXPECT_EQ(child->data.CacheBmp()->Width(), 0);
  EXPECT_TRUE(d.BGChanged);
}

TEST_F(Commands, MovesAndSizesTellTheChildrenThatDependOnThePlace) {
  TsCommonData& d = stub->data;
  stub->SetBounds(7, 5, 100, 100);
  auto* held = Make<TStub>(stub, 2, 2, 10, 10);
  auto* rightAnchored = Make<TStub>(stub, 20, 2, 10, 10);
  rightAnchored->SetAnchors(TAnchors{akLeft, akTop, akRight});
  held->Handle();
  rightAnchored->Handle();
  auto movesWith = [](TStub* s, unsigned argument) {
    int n = 0;
    for (WPARAM w : s->commands) n += CommandOf(w) == ACMD_MOVED && ArgumentOf(w) == argument;
    return n;
  };
  // A size change of a gradient section: each child not held at the right or bottom edge is moved.
  Section(stub, "GRAD");
  held->commands.clear();  // their own moves while they were made
  rightAnchored->commands.clear();
  stub->Perform(WM_SIZE, 0, 0);
  EXPECT_TRUE(d.BGChanged);
  EXPECT_EQ(movesWith(held, 1), 1);
  EXPECT_EQ(movesWith(rightAnchored, 1), 0);
  // A move of a control that repaints when moved: command 20 with redraw to itself, passed on
  // without redraw to every child.
  Send(stub, ACMD_SETURGENT, 0, 1);
  ASSERT_TRUE(d.UrgentPainting);
  d.BGChanged = false;
  stub->commands.clear();
  stub->Perform(WM_MOVE, 0, 0);
  EXPECT_TRUE(d.BGChanged);
  EXPECT_EQ(movesWith(stub, 1), 1);
  EXPECT_EQ(movesWith(held, 0), 1);
  EXPECT_EQ(movesWith(rightAnchored, 0), 1);
  // Nothing of it without the need.
  Send(stub, ACMD_SETURGENT, 0, 0);
  Section(stub, "PANEL");
  stub->commands.clear();
  stub->Perform(WM_MOVE, 0, 0);
  EXPECT_FALSE(d.BGChanged);
  EXPECT_EQ(movesWith(stub, 1), 0);
}

TEST_F(Commands, ControlCacheCopySparesOpaqueAndWindowlessChildren) {
  auto* host = Make<TStub>(form.get(), 0, 0, 100, 80);
  host->Handle();
  Section(host, "PANEL");
  Fill(host->data.CacheBmp(), 0xFF0000);
  Make<TPanel>(host, 10, 10, 20, 20)->Handle();  // opaque window
  Make<TStub>(host, 40, 10, 20, 20)->Handle();   // a window that lets the cache show through
  Make<TLabel>(host, 70, 10, 20, 20);            // windowless
  auto target = NewBitmap32(100, 80);
  Fill(target.get(), 0x0000FF);
  // Moved by (0, 5), into the target's rows 5 to 74.
  CopyWinControlCache(host, &host->data, {0, 0, 100, 70}, {0, 5, 100, 75}, target->Canvas()->Handle(), false, 0, 5);
  const auto at = [&](int x, int y) { return View32(target.get()).At(x, y).U & 0xFFFFFFu; };
  EXPECT_EQ(at(5, 20), 0xFF0000u);
  EXPECT_EQ(at(15, 20), 0x0000FFu);  // the panel at (10, 15)
  EXPECT_EQ(at(15, 12), 0xFF0000u);
  EXPECT_EQ(at(45, 20), 0xFF0000u);
  EXPECT_EQ(at(75, 20), 0x0000FFu);
  EXPECT_EQ(at(5, 2), 0x0000FFu);  // outside the destination
  EXPECT_EQ(at(5, 78), 0x0000FFu);
}

TEST_F(Commands, FontSectionComesFromTheNearestOpaqueParentThatLendsIt) {
  // form > parent (stand-in) > stub > inner > child
  auto* inner = Make<TStub>(stub, 1, 1, 20, 10);
  auto* child = Make<TStub>(inner, 1, 1, 5, 5);
  inner->Handle();
  child->Handle();
  struct Case {
    const char* outer;
    const char* inner;
    int expected;
  };
  const Case cases[] = {
      {"PANEL", "PANEL", kPanel},  // lends its font
      {"PANEL", "GREY", 99},       // half transparent, lends none: the default
      {"PANEL", "CLEAR", kPanel},  // see-through: its own parent is asked
      {"GREY", "CLEAR", 99},
  };
  for (const Case& c : cases) {
    Section(stub, c.outer);
    Section(inner, c.inner);
    EXPECT_EQ(GetFontIndex(child, 99, nullptr, 0), c.expected) << c.outer << "/" << c.inner;
  }
  EXPECT_EQ(GetFontIndex(form.get(), 99, nullptr, 0), 99);  // no parent
}

TEST_F(Commands, CacheCopySparesChildWindowsAndTheInsideOfGroupBoxes) {
  auto* host = Make<TStub>(form.get(), 0, 0, 100, 80);
  host->Handle();
  Section(host, "PANEL");
  Fill(host->data.CacheBmp(), 0xFF0000);
  auto* panel = Make<TPanel>(host, 10, 10, 20, 20);
  auto* group = Make<TGroupBox>(host, 40, 10, 50, 50);
  panel->Handle();
  group->Handle();
  TWindowHook captionBand(group->Handle(), [](HWND, UINT msg, WPARAM w, LPARAM l, const TWindowHook::TNext& next) {
    if (msg == SM_ALPHACMD && CommandOf(w) == ACMD_GETEXTRA) return LRESULT(8);
    return next(msg, w, l);
  });
  form->Show();
  auto target = NewBitmap32(100, 80);
  auto copy = [&](TsCommonData* data) {
    Fill(target.get(), 0x0000FF);
    CopyHwndCache(host->Handle(), data, {0, 0, 100, 80}, {0, 0, 100, 80}, target->Canvas()->Handle(), false);
  };
  copy(&host->data);
  struct Probe {
    int x, y;
    bool fromCache;
  };
  const Probe probes[] = {
      {5, 5, true},     // no child there
      {15, 15, false},  // the panel
      {41, 30, false},  // group box: left strip of 3
      {44, 30, true},   // inside its frame
      {86, 30, false},  // right strip of 4
      {85, 30, true},   //
      {60, 17, false},  // caption band of 8
      {60, 18, true},   //
      {60, 55, false},  // bottom strip of 5
      {60, 54, true},   //
  };
  for (const Probe& p : probes)
    EXPECT_EQ(Rgb(target.get(), p.x, p.y), p.fromCache ? 0xFF0000u : 0x0000FFu) << p.x << "," << p.y;
  // Without a cache nothing is drawn.
  TsCommonData cacheless(host, false);
  copy(&cacheless);
  EXPECT_EQ(Rgb(target.get(), 5, 5), 0x0000FFu);
  EXPECT_EQ(Rgb(target.get(), 44, 30), 0x0000FFu);
}

}  // namespace
}  // namespace skin
