// The skin state, the background questions, regions, broadcasts and the painting of windowless
// children, on real windows under Wine. Parents are stand-ins that answer the skin commands the
// way skinned containers will.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/skin/core/OwnedObject.h"

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/WindowHook.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sProviderLink.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"

namespace skin {
namespace {

using namespace classlib;
using skin::testing::Owned;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

std::uint32_t Pixel(TBitmap* b, int x, int y) { return View32(b).At(x, y).U; }

// A container that answers the skin commands from a cache of its own, each pixel coded by place.
class TStandIn : public TCustomControl {
 public:
  explicit TStandIn(TComponent* AOwner) : TCustomControl(AOwner), cache(NewBitmap32(300, 200)) {
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) View32(cache.get()).At(x, y).U = 0xFF000000u | std::uint32_t(x << 12 | y);
  }
  std::unique_ptr<TBitmap> cache;
  bool skinned = true;
  bool answersBackground = true;
  LRESULT colour = 0;
  std::uint16_t skinState = 0;
  std::map<unsigned, int> received;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      const unsigned cmd = CommandOf(m.WParam);
      ++received[cmd];
      if (cmd == ACMD_ISSKINNED) m.Result = skinned ? 1 : 0;
      if (cmd == ACMD_GETCOLOR) m.Result = colour;
      if (cmd == ACMD_SKINSTATE) m.Result = skinState;
      if (cmd == ACMD_GETBGINFO && answersBackground) {
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

// A skin in memory: "BUTTON" fully transparent with a border image whose top-left corner pixel is
// the key, "EDIT" opaque.
struct Skin {
  Owned<TsSkinManager> manager{new TsSkinManager(nullptr)};
  Skin() {
    auto r = std::make_unique<TacSkinRecords>();
    r->MasterBitmap.SetSize(16, 16, 0xFF203040u);
    r->MasterBitmap.At(0, 0).U = kKeyPixel;
    TsMaskData md;
    md.ClassName = "BUTTON";
    md.PropertyName = "BORDERSMASK";
    md.R = {0, 0, 5, 5};
    md.ImageCount = 1;
    md.WL = md.WT = md.WR = md.WB = 2;
    md.CornerType = 1;
    md.Manager = r.get();
    r->ma.push_back(std::move(md));
    TsGeneralData button;
    button.ClassName = "BUTTON";
    button.Transparency = button.Props[0].Transparency = 100;
    button.BorderIndex = 0;
    button.States = 3;
    TsGeneralData edit;
    edit.ClassName = "EDIT";
    edit.Color = edit.Props[0].Color = 0x00FF00;
    r->gd = {button, edit};
    r->SkinData.Active = true;
    manager->InstallRecords(std::move(r));
  }
};

struct Windows : ::testing::Test {
  Owned<TForm> form{Create<TForm>(nullptr)};
  void SetUp() override {
    form->SetBounds(40, 40, 400, 300);
    form->Handle();
  }
  // A push button's skin state (section "BUTTON"), resolved against the skin.
  static void SkinAsButton(TsCommonData& data) {
    static_cast<TWinControl*>(data.OwnerControl())->Handle();
    data.COC = 93;
    UpdateData(&data);
  }
  template <class T>
  T* Make(TWinControl* parent, int l, int t, int w, int h) {
    T* c = Create<T>(form.get());
    c->SetParent(parent);
    c->SetBounds(l, t, w, h);
    return c;
  }
};

TEST_F(Windows, TransparentButtonShowsItsParentUnderItsBorder) {
  Skin skin;
  auto* parent = Make<TStandIn>(form.get(), 10, 10, 300, 200);
  auto* button = Make<TButton>(parent, 7, 5, 40, 20);
  TsCommonData data(button, true);
  SkinAsButton(data);
  ASSERT_EQ(data.SkinSection(), "BUTTON");
  ASSERT_EQ(data.SkinIndex, 0);
  ASSERT_EQ(data.BorderIndex, 0);
  // The paint contract's steps.
  InitCacheBmp(&data);
  TacBGInfo bg;
  GetBGInfo(bg, parent, false);
  const TCacheInfo ci = BGInfoToCI(bg);
  PaintItem(&data, ci, true, 0, {0, 0, 40, 20}, {button->Left(), button->Top()}, data.CacheBmp(), true);
  TBitmap* cache = data.CacheBmp();
  ASSERT_EQ(cache->Width(), 40);
  ASSERT_EQ(cache->PixelFormat(), pf32bit);
  EXPECT_EQ(Pixel(cache, 0, 0), Pixel(parent->cache.get(), 7, 5));  // key corner pixel
  EXPECT_EQ(Pixel(cache, 20, 10), Pixel(parent->cache.get(), 27, 15));
  EXPECT_EQ(Pixel(cache, 1, 0) & 0xFFFFFF, 0x203040u);
  EXPECT_EQ(Pixel(cache, 39, 19) & 0xFFFFFF, 0x203040u);
}

TEST_F(Windows, BackgroundQuestionsFallBackToColours) {
  auto* panel = Make<TPanel>(form.get(), 0, 0, 50, 50);
  panel->SetColor(clRed);
  panel->Handle();
  TacBGInfo bg;
  EXPECT_FALSE(GetBGInfo(bg, panel, false));
  EXPECT_EQ(bg.BgType, TacBGType::btFill);
  EXPECT_EQ(bg.Color, 0x0000FF);
  auto* standIn = Make<TStandIn>(form.get(), 0, 60, 50, 50);
  standIn->answersBackground = false;
  standIn->colour = 0x123456;
  EXPECT_FALSE(GetBGInfo(bg, standIn, false));
  EXPECT_EQ(bg.Color, 0x123456);
  EXPECT_EQ(BGInfoToCI(bg), (TCacheInfo{nullptr, 0, 0, 0x123456, false}));
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form->Handle(), nullptr, nullptr, nullptr);
  EXPECT_FALSE(GetBGInfo(bg, plain, false));
  EXPECT_EQ(bg.Color, clBtnFace);  // no default manager
  {
    Skin skin;
    TsGeneralData& g = skin.manager->Records().gd[1];
    (void)g;
    GetBGInfo(bg, plain, false);
    EXPECT_EQ(bg.Color, skin.manager->GetGlobalColor());
  }
  standIn->answersBackground = true;
  EXPECT_TRUE(GetBGInfo(bg, standIn, false));
  EXPECT_EQ(BGInfoToCI(bg), (TCacheInfo{standIn->cache.get(), 0, 0, clFuchsia, true}));
  DestroyWindow(plain);
}

TEST_F(Windows, BorderRegionLacksExactlyTheCornerKeyPixels) {
  Skin skin;
  TsMaskData& md = skin.manager->Records().ma[0];
  auto bmp = NewBitmap32(12, 9);
  HRGN rgn = CreateRectRgn(0, 0, 12, 9);
  for (int pass = 0; pass < 2; ++pass) PaintRgnBorder(bmp.get(), rgn, true, md, 0);
  // The key pixel sits at the image's (0, 0): the top-left corner's first pixel only.
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(PtInRegion(rgn, x, y) != 0, !(x == 0 && y == 0)) << x << "," << y;
  DeleteObject(rgn);
  HRGN mask = GetRgnForMask(0, 12, 9, skin.manager.get());
  ASSERT_NE(mask, nullptr);
  EXPECT_FALSE(PtInRegion(mask, 0, 0));
  EXPECT_TRUE(PtInRegion(mask, 1, 0));
  DeleteObject(mask);
}

// Counts the skin commands it receives; answers 7 when it is skinned.
class TCounter : public TCustomControl {
 public:
  explicit TCounter(TComponent* AOwner) : TCustomControl(AOwner) {}
  bool skinned = false;
  int received = 0;
  std::function<void()> onReceive;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      if (CommandOf(m.WParam) == ACMD_ISSKINNED) {
        m.Result = skinned ? 1 : 0;
        return;
      }
      ++received;
      if (onReceive) onReceive();
      return;
    }
    TCustomControl::WndProc(m);
  }
};
class TGraphicCounter : public TGraphicControl {
 public:
  explicit TGraphicCounter(TComponent* AOwner) : TGraphicControl(AOwner) {}
  int received = 0;
  TColor paint = clFuchsia;
  bool throws = false;
  HDC lastDC = nullptr;
  HGDIOBJ lastBitmap = nullptr;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_ALPHACMD) {
      ++received;
      return;
    }
    if (m.Msg == WM_PAINT && m.WParam != 0) {
      lastDC = reinterpret_cast<HDC>(m.WParam);
      lastBitmap = GetCurrentObject(lastDC, OBJ_BITMAP);
      if (throws) throw std::runtime_error("paint failed");
      HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(paint));
      RECT r{0, 0, Width(), Height()};
      FillRect(lastDC, &r, brush);
      DeleteObject(brush);
      return;
    }
    TGraphicControl::WndProc(m);
  }
};

TEST_F(Windows, BroadcastReachesEveryControlOfANestedTreeOnce) {
  auto* a = Make<TCounter>(form.get(), 0, 0, 100, 100);
  auto* a1 = Make<TGraphicCounter>(a, 0, 0, 10, 10);
  auto* a2 = Make<TCounter>(a, 20, 0, 50, 50);
  auto* a21 = Make<TCounter>(a2, 0, 0, 10, 10);
  a21->skinned = true;
  auto* b = Make<TCounter>(form.get(), 100, 0, 50, 50);
  b->skinned = true;
  auto* c = Make<TGraphicCounter>(form.get(), 200, 0, 10, 10);
  auto* d = Make<TCounter>(form.get(), 220, 0, 10, 10);  // no window yet: by Perform
  form->Handle();
  a->Handle(), a2->Handle(), a21->Handle(), b->Handle();
  TMessage msg{SM_ALPHACMD, AlphaCmd(ACMD_REFRESH), 0, 0};
  AlphaBroadCast(form.get(), msg);
  EXPECT_EQ(a->received, 0);  // not skinned: its children get it instead
  EXPECT_EQ(a2->received, 0);
  EXPECT_EQ(a1->received, 1);
  EXPECT_EQ(a21->received, 1);
  EXPECT_EQ(b->received, 1);
  EXPECT_EQ(c->received, 1);
  EXPECT_EQ(d->received, 1);
  // A child that frees a later sibling while it handles the message: the rest still get it once.
  b->onReceive = [&] {
    Free(c);
    c = nullptr;
  };
  AlphaBroadCast(form.get(), msg);
  EXPECT_EQ(b->received, 2);
  EXPECT_EQ(d->received, 2);
}

TEST_F(Windows, PaintControlsSparesTheOthersAndLeavesNoGdiObject) {
  auto* owner = Make<TStandIn>(form.get(), 0, 0, 60, 30);
  owner->Handle();
  auto* red = Make<TGraphicCounter>(owner, 0, 0, 10, 10);
  auto* bad = Make<TGraphicCounter>(owner, 20, 0, 10, 10);
  auto* green = Make<TGraphicCounter>(owner, 40, 0, 10, 10);
  red->paint = clRed, green->paint = clLime, bad->throws = true;
  auto target = NewBitmap32(60, 30);
  HDC dc = target->Canvas()->Handle();
  for (int i = 0; i < 10000; ++i) {
    PaintControls(dc, owner, false, {0, 0});
    ASSERT_NE(red->lastDC, nullptr);
    // The memory context and its bitmap are gone once the call returns, the failing path included.
    ASSERT_EQ(GetObjectType(red->lastDC), 0u) << i;
    ASSERT_EQ(GetObjectType(bad->lastBitmap), 0u) << i;
  }
  EXPECT_EQ(Pixel(target.get(), 5, 5) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(Pixel(target.get(), 45, 5) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(Pixel(target.get(), 25, 5), Pixel(owner->cache.get(), 25, 5));  // the failed child's background
  // Nothing left to draw on: command 22 to the container, no painting.
  HRGN empty = CreateRectRgn(0, 0, 0, 0);
  SelectClipRgn(dc, empty);
  DeleteObject(empty);
  red->lastDC = nullptr;
  PaintControls(dc, owner, false, {0, 0});
  EXPECT_EQ(owner->received[ACMD_SETHALFVISIBLE], 1);
  EXPECT_EQ(red->lastDC, nullptr);
}

TEST_F(Windows, SkinStateSectionIndexesAndUpdates) {
  Skin skin;
  auto* parent = Make<TStandIn>(form.get(), 0, 0, 100, 100);
  auto* edit = Make<TEdit>(parent, 5, 5, 50, 20);
  edit->Handle();
  TsCommonData data(edit, true);
  data.SetSkinSection("EDIT");
  data.SetSkinSection("");
  EXPECT_EQ(data.SkinSection(), "UNKNOWN");
  RegisterSkinDataClasses();
  SetPropText(&data, L"SkinSection", L"button");  // as a form description sets it
  EXPECT_EQ(data.SkinSection(), "BUTTON");
  EXPECT_EQ(data.BorderIndex, 0);
  // A section the skin lacks leaves no border index of another section behind.
  data.SetSkinSection("NOSUCH");
  EXPECT_EQ(data.SkinIndex, -1);
  EXPECT_EQ(data.BorderIndex, -1);
  // Updates nest; the last end clears the flag, extra ends change nothing.
  data.BeginUpdate();
  data.BeginUpdate();
  data.EndUpdate();
  EXPECT_EQ(data.CtrlSkinState & kInUpdate, kInUpdate);
  data.EndUpdate();
  EXPECT_EQ(data.CtrlSkinState & kInUpdate, 0);
  data.EndUpdate();
  EXPECT_EQ(data.UpdateCount(), 0);
  data.BeginUpdate();
  EXPECT_EQ(data.UpdateCount(), 1);
  data.EndUpdate();
  // A transparent section needs a cache only when the parent keeps one.
  data.SetSkinSection("BUTTON");
  skin.manager->Records().ma[0].WL = 1;  // small margins: the border alone does not ask for a cache
  parent->skinState = 0;
  EXPECT_TRUE(IsCacheRequired(&data));
  parent->skinState = kNoOwnCache;
  EXPECT_FALSE(IsCacheRequired(&data));
  data.SetSkinSection("EDIT");
  EXPECT_FALSE(IsCacheRequired(&data));  // opaque, no texture or gradient
  // Updating asks the parent (command 10) while the control paints through its own cache.
  parent->received.clear();
  data.Updating();
  EXPECT_EQ(parent->received[ACMD_ISBUSY], 1);
}

// A provider stand-in whose form answers command 4 with it.
struct FakeProvider : IacSkinProvider {
  TCustomForm* form = nullptr;
  unsigned state = 0;
  bool inAnimation = false;
  TCustomForm* ProviderForm() const override { return form; }
  TsSkinManager* ProviderManager() const override { return nullptr; }
  unsigned FormState() const override { return state; }
  void SetFormState(unsigned bits, bool on) override { state = on ? state | bits : state & ~bits; }
  void SetInAnimation(bool v) override { inAnimation = v; }
  void ShowAfterSkinChange() override {}
};

TEST_F(Windows, RegistryAndLockingAroundAFailingSkinChange) {
  Skin skin;
  FakeProvider provider;
  provider.form = form.get();
  TWindowHook hook(form->Handle(),
                   [&](HWND h, UINT msg, WPARAM w, LPARAM l, const TWindowHook::TNext& next) -> LRESULT {
                     if (msg == SM_ALPHACMD && CommandOf(w) == ACMD_GETPROVIDER)
                       return reinterpret_cast<LRESULT>(static_cast<IacSkinProvider*>(&provider));
                     return next(msg, w, l);
                   });
  IntSkinForm(form.get());
  IntSkinForm(form.get());
  IntSkinForm(nullptr);
  form->Show();
  Pump();
  ASSERT_TRUE(IsWindowVisible(form->Handle()));
  auto failingChange = [&] {
    EXPECT_EQ(provider.state & 0x10000u, 0x10000u);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));  // redrawing off clears the visible style
    throw std::runtime_error("skin failed to load");
  };
  EXPECT_THROW(WithFormsLocked(skin.manager.get(), true, failingChange), std::runtime_error);
  EXPECT_EQ(provider.state & 0x10000u, 0u);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  // Removal takes every slot of the form.
  IntUnSkinForm(form.get());
  EXPECT_EQ(HookedComponents(), (std::vector<TComponent*>{nullptr}));
  IntUnSkinForm(nullptr);
  EXPECT_TRUE(HookedComponents().empty());
  form->Hide();
}

TEST(DrawGlyphEx, CellByStateAndEnabled) {
  // Cells of 3 x 2 side by side, cell n filled with colour n + 1; the bottom-left pixel of each
  // cell is the transparent colour (white). Alpha 0, as in a glyph widened from 24 bits.
  auto cells = [](int n) {
    auto g = NewBitmap32(3 * n, 2);
    for (int c = 0; c < n; ++c)
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) View32(g.get()).At(c * 3 + x, y).U = std::uint32_t(c + 1);
    for (int c = 0; c < n; ++c) View32(g.get()).At(c * 3, 1).U = 0x00FFFFFFu;
    return g;
  };
  struct Case {
    int numGlyphs, state, down;
    bool enabled;
    std::uint32_t cell;
  };
  for (const Case& c : {Case{4, 2, 1, true, 4}, Case{2, 2, 0, true, 2}, Case{4, 1, 0, true, 2}, Case{4, 2, 1, false, 1},
                        Case{3, 0, 0, true, 1}}) {
    auto glyph = cells(c.numGlyphs);
    auto dst = NewBitmap32(6, 4);
    FillRect32(View32(dst.get()), {0, 0, 6, 4}, 0);
    DrawGlyphEx(glyph.get(), dst.get(), {1, 1, 4, 3}, c.numGlyphs, c.enabled, kDefaultDisabledGlyphKind, c.state, 0,
                c.down);
    EXPECT_EQ(Pixel(dst.get(), 2, 1) & 0xFFFFFF, c.cell) << c.numGlyphs << " " << c.state << " " << c.down;
    EXPECT_EQ(Pixel(dst.get(), 1, 2), 0xFF000000u) << "the transparent pixel leaves the destination";
  }
}

TEST_F(Windows, CornerRepairNeedsCornerKeyPixels) {
  Skin skin;
  auto* parent = Make<TStandIn>(form.get(), 10, 10, 300, 200);
  auto* button = Make<TButton>(parent, 7, 5, 40, 20);
  TsCommonData data(button, true);
  SkinAsButton(data);
  InitCacheBmp(&data);
  FillRect32(View32(data.CacheBmp()), {0, 0, 40, 20}, 0x00112233);
  const std::uint32_t before = Pixel(data.CacheBmp(), 0, 0);
  skin.manager->Records().ma[0].CornerType = 0;
  UpdateCorners(&data, 0);
  EXPECT_EQ(Pixel(data.CacheBmp(), 0, 0), before);
  skin.manager->Records().ma[0].CornerType = 1;
  UpdateCorners(&data, 0, TsCorners{TsCorner::scRightTop});
  EXPECT_EQ(Pixel(data.CacheBmp(), 0, 0), before);
  UpdateCorners(&data, 0);
  EXPECT_EQ(Pixel(data.CacheBmp(), 0, 0) & 0xFFFFFF, Pixel(parent->cache.get(), 7, 5) & 0xFFFFFF);
  EXPECT_EQ(Pixel(data.CacheBmp(), 1, 0), before);
}

TEST_F(Windows, BorderBandAndTheAreaInsideIt) {
  Skin skin;
  auto* parent = Make<TStandIn>(form.get(), 0, 0, 200, 100);
  auto* panel = Make<TPanel>(parent, 4, 4, 60, 40);
  panel->Handle();
  TsCommonData data(panel, true);
  auto target = NewBitmap32(60, 40);
  HDC dc = target->Canvas()->Handle();
  // No border image: the band is filled on the DC and the area inside it comes back.
  data.SetSkinSection("EDIT");
  EXPECT_EQ(PaintBorderFast(dc, {0, 0, 60, 40}, 3, &data, 0), (TRect{3, 3, 57, 37}));
  EXPECT_EQ(Pixel(target.get(), 1, 1) & 0xFFFFFF, 0x00FF00u);
  // A border image and no band: the area inside the image's margins, nothing copied.
  data.SetSkinSection("BUTTON");
  FillRect32(View32(target.get()), {0, 0, 60, 40}, 0);
  EXPECT_EQ(PaintBorderFast(dc, {0, 0, 60, 40}, 0, &data, 0), (TRect{2, 2, 58, 38}));
  EXPECT_EQ(Pixel(target.get(), 1, 0), 0xFF000000u);
  // A band wider than the margins: the area inside the band.
  EXPECT_EQ(PaintBorderFast(dc, {0, 0, 60, 40}, 5, &data, 0), (TRect{5, 5, 55, 35}));
  EXPECT_EQ(Pixel(target.get(), 1, 0) & 0xFFFFFF, 0x203040u);
}

}  // namespace
}  // namespace skin
