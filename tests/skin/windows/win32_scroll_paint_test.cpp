// Skinned scroll bars rendered with our skin: every part in every state against the skin's own
// sections painted directly, the short bar, the faded inactive bar and hostile scroll ranges.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acSBPaint.h"
#include "skin/windows/acWndRoutines.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using test::NativeWindow;
using test::TargetClass;

struct ScrollPaint : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  NativeWindow parent{TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400};
  NativeWindow wnd{TargetClass(), WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 150, 250, parent};
  THandler<TacScrollWnd> sw;
  const TConstantSkinData& cd = manager->Records().ConstData;

  void SetUp() override {
    SetRange(SB_VERT, 0, 99, 10, 45);
    SetRange(SB_HORZ, 0, 99, 10, 0);
    sw = TacMainWnd::Create<TacScrollWnd>(wnd, nullptr, manager.get(), "EDIT", true);
    // A plain scroll handler leaves its background to the handlers built on it: rendered here.
    PrepareCache(sw->SkinData, wnd, false);
    ASSERT_TRUE(sw->sBarVert->fScrollVisible);
    ASSERT_EQ(sw->SkinData->CacheBmp()->Width(), 150);
  }
  void TearDown() override { ScrollState() = {}; }
  void SetRange(int bar, int mn, int mx, UINT page, int pos) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, mn, mx, page, pos, 0};
    SetScrollInfo(wnd, bar, &si, FALSE);
  }
  TRect VertRect() {
    TRect r;
    AC_GetVScrollRect(sw.get(), wnd, r);
    RECT w{};
    GetWindowRect(wnd, &w);
    return {r.Left - w.left, r.Top - w.top, r.Right - w.left, r.Bottom - w.top};
  }
  // The skinned arrow length by the skin's rule, worked out here from the records.
  int ArrowLength() {
    int unit = acScrollBtnLength;
    if (manager->IsValidSkinIndex(cd.IndexScrollTop) &&
        manager->Records().gd[std::size_t(cd.IndexScrollTop)].ReservedBoolean &&
        manager->IsValidImgIndex(cd.MaskScrollTop)) {
      const TsMaskData& md = manager->Records().ma[std::size_t(cd.MaskScrollTop)];
      unit = std::max(unit, (md.R.Bottom - md.R.Top) / (md.MaskType + 1));
    }
    return unit;
  }
  // The window's background under R, taken from its cache.
  std::unique_ptr<classlib::TBitmap> Ground(const TRect& r) {
    auto g = NewBitmap32(r.Right - r.Left, r.Bottom - r.Top);
    BitBlt(g->Canvas()->Handle(), 0, 0, r.Right - r.Left, r.Bottom - r.Top,
           sw->SkinData->CacheBmp()->Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
    return g;
  }
  // A section with its glyph cell centred in GlyphArea, painted straight onto Bmp at Part.
  void Paint(classlib::TBitmap* bmp, int section, int mask, int bg, int bgHot, int glyph, int state, TRect part,
             TRect glyphArea) {
    auto item = NewBitmap32(part.Right - part.Left, part.Bottom - part.Top);
    PaintItemFast(section, mask, bg, bgHot, MakeCacheInfo(bmp), true, state,
                  TRect{0, 0, part.Right - part.Left, part.Bottom - part.Top}, TPoint{part.Left, part.Top}, item.get(),
                  manager.get());
    if (manager->IsValidImgIndex(glyph)) {
      const TsMaskData& md = manager->Records().ma[std::size_t(glyph)];
      const int cw = (md.R.Right - md.R.Left) / std::max(1, int(md.ImageCount)),
                ch = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
      DrawSkinGlyph(item.get(),
                    TPoint{glyphArea.Left + (glyphArea.Right - glyphArea.Left - cw) / 2,
                           glyphArea.Top + (glyphArea.Bottom - glyphArea.Top - ch) / 2},
                    state, 1, md, MakeCacheInfo(item.get()));
    }
    BitBlt(bmp->Canvas()->Handle(), part.Left, part.Top, part.Right - part.Left, part.Bottom - part.Top,
           item->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  static int Differing(classlib::TBitmap* a, classlib::TBitmap* b, TRect r, int tolerance = 0) {
    const TImage32View va = View32(a), vb = View32(b);
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        const TsColor_ p = va.At(x, y), q = vb.At(x, y);
        if (std::abs(p.R - q.R) > tolerance || std::abs(p.G - q.G) > tolerance || std::abs(p.B - q.B) > tolerance) ++n;
      }
    return n;
  }
};

TEST_F(ScrollPaint, EveryPartInEveryStateIsTheSkinsSection) {
  ASSERT_TRUE(manager->IsValidSkinIndex(cd.IndexScrollBar1V));
  const TRect R = VertRect();
  const int w = R.Right - R.Left, len = R.Bottom - R.Top, B = ArrowLength(), L = acScrollBtnLength;
  // Thumb by hand: page 10 of 100 over the track, at least 10 pixels; position 45 of 90 steps.
  const int track = len - 2 * L;
  const int size = std::max(MulDiv(10, track, 100), 10);
  const int pos = L + MulDiv(45, track - size, 90);
  const int split = pos + size / 2;
  const TRect first{0, 0, w, B}, second{0, len - B, w, len}, thumb{0, pos, w, pos + size};
  const TRect pageBefore{0, B, w, pos}, pageAfter{0, pos + size, w, len - B};
  struct Case {
    const char* name;
    int pressed, hoverPortion;             // what the engine's state says
    int track1, track2, up, down, slider;  // the state each part must show
  };
  const Case cases[] = {
      {"normal", -1, -1, 0, 0, 0, 0, 0},
      {"first arrow hot", -1, 0, 0, 0, 1, 0, 0},
      {"second arrow hot", -1, 1, 0, 0, 0, 1, 0},
      {"thumb hot", -1, 5, 0, 0, 0, 0, 1},
      {"first arrow pressed", 0, -1, 0, 0, 2, 0, 0},
      {"second arrow pressed", 1, -1, 0, 0, 0, 2, 0},
      {"page before pressed", 2, -1, 2, 0, 0, 0, 0},
      {"page after pressed", 3, -1, 0, 2, 0, 0, 0},
      {"thumb pressed", 5, -1, 0, 0, 0, 0, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScrollState() = {};
    ScrollState().CurScrollWnd = wnd;
    ScrollState().HoverBar = c.hoverPortion >= 0 ? SB_VERT : -1;
    ScrollState().HoverPortion = c.hoverPortion;
    auto got = RenderScrollBar(sw->sBarVert.get(), wnd, R, -1, c.pressed);
    ASSERT_TRUE(got);
    auto want = Ground(R);
    Paint(want.get(), cd.IndexScrollBar1V, cd.MaskScrollBar1V, cd.BGScrollBar1V, cd.BGHotScrollBar1V, -1, c.track1,
          {0, 0, w, split}, {});
    Paint(want.get(), cd.IndexScrollBar2V, cd.MaskScrollBar2V, cd.BGScrollBar2V, cd.BGHotScrollBar2V, -1, c.track2,
          {0, split, w, len}, {});
    Paint(want.get(), cd.IndexScrollTop, cd.MaskScrollTop, cd.IndexBGScrollTop, cd.IndexBGHotScrollTop, cd.MaskArrowTop,
          c.up, first, {0, 0, w, std::min(L, B)});
    Paint(want.get(), cd.IndexScrollBottom, cd.MaskScrollBottom, cd.IndexBGScrollBottom, cd.IndexBGHotScrollBottom,
          cd.MaskArrowBottom, c.down, second, {0, B - std::min(L, B), w, B});
    Paint(want.get(), cd.IndexSliderVert, cd.MaskSliderVert, cd.ScrollSliderBGVert, cd.ScrollSliderBGHotVert,
          cd.MaskSliderGlyphVert, c.slider, thumb, {0, 0, w, size});
    for (const auto& [part, name] :
         {std::pair{first, "first arrow"}, std::pair{second, "second arrow"}, std::pair{thumb, "thumb"},
          std::pair{pageBefore, "page before"}, std::pair{pageAfter, "page after"}})
      EXPECT_EQ(Differing(got.get(), want.get(), part), 0) << name;
  }
}

TEST_F(ScrollPaint, ShortBarShowsTwoHalfButtons) {
  MoveWindow(wnd, 0, 0, 150, 2 * ArrowLength() - 4 + GetSystemMetrics(SM_CYHSCROLL) + 2, TRUE);
  sw->SkinData->BGChanged = true;
  PrepareCache(sw->SkinData, wnd, false);
  ScrollState().CurScrollWnd = wnd;
  const TRect R = VertRect();
  const int w = R.Right - R.Left, len = R.Bottom - R.Top, half = len / 2;
  ASSERT_LE(len, 2 * ArrowLength());
  auto got = RenderScrollBar(sw->sBarVert.get(), wnd, R, -1, 0);
  ASSERT_TRUE(got);
  auto want = Ground(R);
  Paint(want.get(), cd.IndexScrollBar1V, cd.MaskScrollBar1V, cd.BGScrollBar1V, cd.BGHotScrollBar1V, -1, 0,
        {0, 0, w, half}, {});
  Paint(want.get(), cd.IndexScrollBar2V, cd.MaskScrollBar2V, cd.BGScrollBar2V, cd.BGHotScrollBar2V, -1, 0,
        {0, half, w, len}, {});
  Paint(want.get(), cd.IndexScrollTop, cd.MaskScrollTop, cd.IndexBGScrollTop, cd.IndexBGHotScrollTop, cd.MaskArrowTop,
        2, {0, 0, w, half}, {0, 0, w, half});
  Paint(want.get(), cd.IndexScrollBottom, cd.MaskScrollBottom, cd.IndexBGScrollBottom, cd.IndexBGHotScrollBottom,
        cd.MaskArrowBottom, 0, {0, half, w, len}, {0, 0, w, len - half});
  EXPECT_EQ(Differing(got.get(), want.get(), {0, 0, w, len}), 0);
}

TEST_F(ScrollPaint, NonClientPaintLeavesTheSkinnedBarOnTheWindow) {
  // The window's own procedure draws the system's bars when it paints its frame: what stays on the window after
  // WM_NCPAINT must be the skinned bar.
  const TRect R = VertRect();
  const int w = R.Right - R.Left, len = R.Bottom - R.Top;
  auto want = RenderScrollBar(sw->sBarVert.get(), wnd, R, -1, -1);
  ASSERT_TRUE(want);
  SendMessageW(wnd, WM_NCPAINT, 1, 0);
  auto got = NewBitmap32(w, len);
  HDC dc = GetWindowDC(wnd);
  BitBlt(got->Canvas()->Handle(), 0, 0, w, len, dc, R.Left, R.Top, SRCCOPY);
  ReleaseDC(wnd, dc);
  EXPECT_EQ(Differing(got.get(), want.get(), {0, 0, w, len}), 0);
}

TEST_F(ScrollPaint, InactiveBarIsFadedIntoTheBackground) {
  // A window painted in a plain colour tells that colour as its background: an inactive bar keeps 60 % of itself
  // over it (mask grey 60 * 255 / 100 = 153 of 256). A window painted as a picture tells its picture: that is laid
  // over the bar at 60 %, 40 % of the bar kept. Every pixel of both arrows, edges included; the thumb is gone from
  // an inactive bar.
  struct Case {
    const char* section;
    bool picture;
  };
  for (const Case c : {Case{"EDIT", false}, Case{"TOOLBAR", true}}) {
    SCOPED_TRACE(c.section);
    const int index = manager->GetSkinIndex(c.section);
    ASSERT_GE(index, 0);
    const TsGeneralData& g = manager->Records().gd[std::size_t(index)];
    ASSERT_EQ(g.Transparency, 0);
    ASSERT_EQ(g.GradientPercent > 0, c.picture) << "the skin's section is not what the case is about";
    sw->SkinData->SetSkinSection(c.section);
    sw->SkinData->BGChanged = true;
    PrepareCache(sw->SkinData, wnd, false);
    EnableScrollBar(wnd, SB_VERT, ESB_ENABLE_BOTH);
    const TRect R = VertRect();
    auto active = RenderScrollBar(sw->sBarVert.get(), wnd, R, -1, -1);
    EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_BOTH);
    auto faded = RenderScrollBar(sw->sBarVert.get(), wnd, R, -1, -1);
    ASSERT_TRUE(active && faded);
    auto ground = Ground(R);
    const TColor fill = g.Props[0].Color;
    const int colour[3] = {int(fill & 0xFF), int((fill >> 8) & 0xFF), int((fill >> 16) & 0xFF)};
    const int B = ArrowLength(), len = R.Bottom - R.Top, w = R.Right - R.Left;
    const TImage32View a = View32(active.get()), f = View32(faded.get()), gr = View32(ground.get());
    int off = 0;
    for (int y = 0; y < len; ++y) {
      if (y == B) y = len - B;
      for (int x = 0; x < w; ++x) {
        const TsColor_ pa = a.At(x, y), pf = f.At(x, y), pg = gr.At(x, y);
        const int bar[3] = {pa.R, pa.G, pa.B}, got[3] = {pf.R, pf.G, pf.B}, under[3] = {pg.R, pg.G, pg.B};
        for (int ch = 0; ch < 3; ++ch) {
          const int want = c.picture ? (6 * under[ch] + 4 * bar[ch] + 5) / 10
                                     : (colour[ch] * 256 + (bar[ch] - colour[ch]) * 153) / 256;
          if (std::abs(got[ch] - want) > 1) ++off;
        }
      }
    }
    EXPECT_EQ(off, 0);
  }
}

TEST_F(ScrollPaint, HostileRangesKeepTheThumbOnTheTrack) {
  const TRect R = VertRect();
  ScrollState().CurScrollWnd = wnd;
  auto normal = RenderScrollBar(sw->sBarVert.get(), wnd, R, -1, -1);
  EnableScrollBar(wnd, SB_VERT, ESB_DISABLE_BOTH);
  auto normalFaded = RenderScrollBar(sw->sBarVert.get(), wnd, R, -1, -1);
  const int B = ArrowLength(), len = R.Bottom - R.Top, w = R.Right - R.Left;
  struct Case {
    const char* name;
    int mn, mx;
    UINT page;
    int pos;
  };
  const Case cases[] = {{"minimum above maximum", 50, 10, 5, 20},
                        {"page larger than the range", 0, 99, 500, 50},
                        {"maximum 2^31-1 at the end", 0, INT_MAX, 100, INT_MAX},
                        {"whole 32-bit span", INT_MIN, INT_MAX, 0, INT_MIN}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The bar's copy is what the renderer reads back from the window: set it there as given.
    SetRange(SB_VERT, c.mn, c.mx, c.page, c.pos);
    auto got = RenderScrollBar(sw->sBarVert.get(), wnd, R, -1, -1);
    ASSERT_TRUE(got);
    // The system may take an empty range for a disabled bar: compared with a bar as active as it.
    classlib::TBitmap* same = Ac_IsScrollbarActive(sw->sBarVert.get()) ? normal.get() : normalFaded.get();
    EXPECT_EQ(Differing(got.get(), same, {0, 0, w, B}), 0) << "the first arrow is untouched";
    EXPECT_EQ(Differing(got.get(), same, {0, len - B, w, len}), 0) << "the second arrow is untouched";
  }
}

}  // namespace
}  // namespace skin
