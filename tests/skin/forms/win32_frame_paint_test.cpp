// The frame a provider renders into its cache, pixel by pixel against our skin's sections and
// images painted directly: title band, border, each title button in its state, the caption text
// and where it goes; and that rendering leaves no bitmap behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/forms/acDwmWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;
using test::ManagerWithOurSkin;
using test::Owned;

struct Frame {
  Owned<TsSkinManager> manager = ManagerWithOurSkin();
  Owned<TForm> form;
  TsSkinProvider* provider = nullptr;
  Frame(TFormBorderStyle style, TBorderIcons icons, const std::wstring& caption, int width = 320, int height = 200,
        DWORD exStyle = 0) {
    RegisterSkinProviderClasses();
    form.reset(classlib::Create<TForm>(nullptr));
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->SetBounds(20, 20, width, height);
    form->SetCaption(caption);
    form->HandleNeeded();
    if (exStyle != 0)
      SetWindowLongPtrW(form->Handle(), GWL_EXSTYLE, GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) | exStyle);
    provider = classlib::Create<TsSkinProvider>(form.get());
    provider->SkinData()->SetSkinManager(manager.get());
    provider->PrepareForm();
  }
  ~Frame() { classlib::Free(provider); }
  TBitmap* Render(bool active) {
    provider->FormActive = active;
    provider->SkinData()->BGChanged = true;
    provider->PaintAll();
    return provider->SkinData()->CacheBmp();
  }
  // FORM over the whole frame, then the title section over the title band, as our skin has them.
  std::unique_ptr<TBitmap> Reference(bool active) {
    TBitmap* cache = provider->SkinData()->CacheBmp();
    auto ref = NewBitmap32(cache->Width(), cache->Height());
    TsSkinManager* m = manager.get();
    const int form = provider->SkinData()->SkinIndex;
    const int state = active ? 1 : 0;
    PaintItem(form, "FORM", EmptyCI, true, state, TRect{0, 0, ref->Width(), ref->Height()}, TPoint{}, ref.get(), m);
    const int title = m->GetSkinIndex("FORMTITLE");
    const int bottom = SysBorderHeight(this->form->Handle(), nullptr, false) + provider->CaptionHeight(true);
    PaintItem(title, "FORMTITLE", MakeCacheInfo(ref.get()), true, state, TRect{0, 0, ref->Width(), bottom}, TPoint{},
              ref.get(), m);
    return ref;
  }
  int TitleBottom() const { return SysBorderHeight(form->Handle(), nullptr, false) + provider->CaptionHeight(true); }
};

std::uint32_t Px(TBitmap* b, int x, int y) { return b->Image32View().At(x, y).U & 0x00FFFFFFu; }

// Pixels of R that differ between two bitmaps.
int Differences(TBitmap* a, TBitmap* b, const TRect& r) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += Px(a, x, y) != Px(b, x, y) ? 1 : 0;
  return n;
}

// The leftmost and rightmost column of R where A differs from B; -1 when none.
std::pair<int, int> DifferingColumns(TBitmap* a, TBitmap* b, const TRect& r) {
  int first = -1, last = -1;
  for (int x = r.Left; x < r.Right; ++x)
    for (int y = r.Top; y < r.Bottom; ++y)
      if (Px(a, x, y) != Px(b, x, y)) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

// The cell of a title-button image for State, drawn alone at the button's place.
std::unique_ptr<TBitmap> ButtonReference(Frame& f, TBitmap* background, const TsCaptionButton& b, int state, int mode) {
  auto ref = NewBitmap32(background->Width(), background->Height());
  BitBlt(ref->Canvas()->Handle(), 0, 0, ref->Width(), ref->Height(), background->Canvas()->Handle(), 0, 0, SRCCOPY);
  DrawSkinGlyph(ref.get(), TPoint{b.Rect.Left, b.Rect.Top}, state, mode, f.manager->Records().ma[b.ImageIndex],
                MakeCacheInfo(ref.get()));
  return ref;
}

TEST(FramePaint, TitleBandBorderAndButtonsOfTheConfiguratorsForms) {
  struct Case {
    const char* name;
    TFormBorderStyle style;
    TBorderIcons icons;
    int buttons;  // close, then minimise
  };
  const Case cases[] = {
      {"main window: close and minimise, icon", bsSingle, {biSystemMenu, biMinimize}, 2},
      {"password lock: close alone", bsSingle, {biSystemMenu}, 1},
      {"confirmation: dialog, small close", bsDialog, {biSystemMenu}, 1},
  };
  for (const Case& c : cases)
    for (bool active : {true, false}) {
      const std::string name = std::string(c.name) + (active ? ", active" : ", inactive");
      Frame f(c.style, c.icons, L"Tarvisel");
      TBitmap* cache = f.Render(active);
      ASSERT_EQ(cache->Width(), 320) << name;
      ASSERT_EQ(cache->Height(), 200) << name;
      auto ref = f.Reference(active);
      // Title band between the caption text and the buttons, and the left and bottom border.
      const int band = f.provider->CaptionWidth() - f.provider->TitleBtnsWidth() - 10;
      EXPECT_EQ(Differences(cache, ref.get(), TRect{band, 0, band + 4, f.TitleBottom()}), 0) << name;
      EXPECT_EQ(Differences(cache, ref.get(), TRect{0, f.TitleBottom(), 3, 200}), 0) << name;
      EXPECT_EQ(Differences(cache, ref.get(), TRect{0, 197, 320, 200}), 0) << name;
      // Each button is its image's cell, faded on an inactive form.
      std::vector<TsCaptionButton*> buttons{&f.provider->ButtonClose};
      if (c.buttons == 2) buttons.push_back(&f.provider->ButtonMin);
      for (TsCaptionButton* b : buttons) {
        ASSERT_GE(b->ImageIndex, 0) << name;
        ASSERT_GT(b->Rect.Right, b->Rect.Left) << name;
        EXPECT_LE(b->Rect.Right, 320 - 3) << name;
        auto cell = ButtonReference(f, ref.get(), *b, 0, active ? 1 : 2);
        EXPECT_EQ(Differences(cache, cell.get(), b->Rect), 0) << name << ", button " << b->HitCode;
      }
      if (c.buttons == 2)
        EXPECT_EQ(f.provider->ButtonClose.Rect.Left - f.provider->ButtonMin.Rect.Right,
                  f.manager->Records().SkinData.BISpacing);
      // The caption text is drawn in its rectangle; the dialog has no icon.
      const TRect text = f.provider->CaptionTextRect(f.TitleBottom());
      EXPECT_GT(Differences(cache, ref.get(), text), 0) << name;
      EXPECT_EQ(f.provider->IconVisible(), c.style == bsSingle) << name;
    }
}

TEST(FramePaint, HotAndPressedButtonsShowTheirCells) {
  Frame f(bsSingle, {biSystemMenu, biMinimize, biMaximize}, L"Tarvisel");
  f.Render(true);
  auto ref = f.Reference(true);
  f.provider->SetHotHT(HTCLOSE, false);
  TBitmap* cache = f.Render(true);
  auto hot = ButtonReference(f, ref.get(), f.provider->ButtonClose, 1, 1);
  EXPECT_EQ(Differences(cache, hot.get(), f.provider->ButtonClose.Rect), 0);
  f.provider->SetPressedHT(HTMINBUTTON);
  EXPECT_EQ(f.provider->ButtonClose.State, 0);
  cache = f.Render(true);
  auto pressed = ButtonReference(f, ref.get(), f.provider->ButtonMin, 2, 1);
  EXPECT_EQ(Differences(cache, pressed.get(), f.provider->ButtonMin.Rect), 0);
  // While a button is held, another one does not become hot.
  f.provider->SetHotHT(HTMAXBUTTON, false);
  EXPECT_EQ(f.provider->ButtonMax.State, 0);
  bPressed = false;
}

// A hover repaints the button alone over the saved caption background: the cache ends up as a
// whole rendering in that state would be, and nothing outside the button is drawn again.
TEST(FramePaint, HoverRedrawsOnlyTheButtonAsAWholeRenderingWould) {
  for (bool active : {true, false}) {
    Frame f(bsSingle, {biSystemMenu, biMinimize, biMaximize}, L"Tarvisel");
    TBitmap* cache = f.Render(active);
    auto before = NewBitmap32(cache->Width(), cache->Height());
    BitBlt(before->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    // A mark in the title band that only a whole rendering would paint over.
    const TRect& close = f.provider->ButtonClose.Rect;
    cache->Image32View().At(4, 2).U = 0xFF123456u;
    f.provider->SetHotHT(HTCLOSE, true);
    EXPECT_EQ(cache->Image32View().At(4, 2).U, 0xFF123456u) << active;
    cache->Image32View().At(4, 2).U = before->Image32View().At(4, 2).U;
    auto hovered = NewBitmap32(cache->Width(), cache->Height());
    BitBlt(hovered->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    const TRect all{0, 0, cache->Width(), cache->Height()};
    EXPECT_GT(Differences(hovered.get(), before.get(), close), 0) << active;
    f.Render(active);
    EXPECT_EQ(Differences(hovered.get(), cache, all), 0) << active;
    // Moving on to another button puts the first one back as it was.
    f.provider->SetHotHT(HTMINBUTTON, true);
    f.provider->SetHotHT(0, true);
    EXPECT_EQ(Differences(cache, before.get(), all), 0) << active;
  }
}

TEST(FramePaint, DisabledMaximiseIsNeverPressed) {
  Frame f(bsSingle, {biSystemMenu, biMinimize}, L"x");
  f.Render(true);
  f.provider->SetPressedHT(HTMAXBUTTON);
  EXPECT_EQ(f.provider->CurrentHT, 0);
  EXPECT_FALSE(bPressed);
}

TEST(FramePaint, CloseAloneAndSmallImages) {
  Frame lone(bsSingle, {biSystemMenu}, L"Password");
  EXPECT_EQ(lone.manager->Records().ma[lone.provider->ButtonClose.ImageIndex].PropertyName, "BICLOSEALONE");
  Frame dialog(bsDialog, {biSystemMenu}, L"Confirm");
  EXPECT_EQ(dialog.manager->Records().ma[dialog.provider->ButtonClose.ImageIndex].PropertyName, "SICONCLOSE");
  EXPECT_FALSE(dialog.provider->IconVisible());
  // A skin without small images: the big ones.
  for (TsMaskData& md : dialog.manager->Records().ma)
    if (md.PropertyName.rfind("SICON", 0) == 0) md.PropertyName = "GONE";
  dialog.provider->UpdateIconsIndexes();
  EXPECT_EQ(dialog.manager->Records().ma[dialog.provider->ButtonClose.ImageIndex].PropertyName, "BICONCLOSE");
  EXPECT_TRUE(dialog.provider->ButtonClose.HaveAlignment);
  // And a skin without the close-alone image: the ordinary close image.
  for (TsMaskData& md : lone.manager->Records().ma)
    if (md.PropertyName == "BICLOSEALONE") md.PropertyName = "GONE";
  lone.provider->UpdateIconsIndexes();
  EXPECT_EQ(lone.manager->Records().ma[lone.provider->ButtonClose.ImageIndex].PropertyName, "BICONCLOSE");
}

TEST(FramePaint, CaptionPlacement) {
  const std::wstring longCaption(200, L'W');
  {
    // Cut with an ellipsis: nothing drawn right of the text rectangle.
    Frame f(bsSingle, {biSystemMenu, biMinimize}, longCaption);
    TBitmap* cache = f.Render(true);
    auto ref = f.Reference(true);
    const TRect text = f.provider->CaptionTextRect(f.TitleBottom());
    const auto [first, last] = DifferingColumns(cache, ref.get(), TRect{text.Left, 0, text.Right + 8, f.TitleBottom()});
    EXPECT_GE(first, text.Left);
    EXPECT_LT(last, text.Right);
  }
  {
    Frame f(bsSingle, {biSystemMenu, biMinimize}, longCaption);
    f.provider->SetCaptionAlignment(taCenter);
    TBitmap* cache = f.Render(true);
    auto ref = f.Reference(true);
    const TRect text = f.provider->CaptionTextRect(f.TitleBottom());
    const auto [first, last] = DifferingColumns(cache, ref.get(), TRect{0, 0, text.Right, f.TitleBottom()});
    const TRect icon = f.provider->IconRect();
    // Left of the text rectangle only the icon differs from the band.
    EXPECT_TRUE(first >= text.Left || first < icon.Right) << first;
    EXPECT_EQ(DifferingColumns(cache, ref.get(), TRect{icon.Right, 0, text.Left, f.TitleBottom()}).first, -1);
  }
  {
    // Right-to-left reading: left alignment goes right.
    Frame f(bsSingle, {biSystemMenu, biMinimize}, L"Abc", 320, 200, WS_EX_RTLREADING);
    TBitmap* cache = f.Render(true);
    auto ref = f.Reference(true);
    const TRect text = f.provider->CaptionTextRect(f.TitleBottom());
    const int middle = (text.Left + text.Right) / 2;
    EXPECT_EQ(DifferingColumns(cache, ref.get(), TRect{f.provider->IconRect().Right, 0, middle, f.TitleBottom()}).first,
              -1);
    EXPECT_GT(Differences(cache, ref.get(), TRect{middle, 0, text.Right, f.TitleBottom()}), 0);
  }
}

TEST(FramePaint, NarrowFormStaysInsideItsBitmaps) {
  // The area saved under the buttons is measured from the right edge: with many buttons it is
  // wider than the form, and every copy is cut to both bitmaps.
  Frame f(bsSingle, {biSystemMenu, biMinimize}, L"Tarvisel", 120, 80);
  for (int i = 0; i < 6; ++i) f.provider->TitleButtons()->Add();
  TBitmap* cache = f.Render(true);
  EXPECT_GT(f.provider->TempBmp->Width(), cache->Width());
  auto ref = f.Reference(true);
  // The frame's left border is untouched by the cut copies.
  EXPECT_EQ(Differences(cache, ref.get(), TRect{0, f.TitleBottom(), 3, cache->Height()}), 0);
  f.provider->RestoreBtnsBG();
}

TEST(FramePaint, PaintHandlerGetsTheCacheAndTheCanvasComesBack) {
  Frame f(bsSingle, {biSystemMenu, biMinimize}, L"Tarvisel");
  f.provider->SkinData()->CtrlSkinState &= ~kNoOwnCache;
  ASSERT_TRUE(f.provider->PaintsThroughCache());
  TCanvas* canvas = f.form->Canvas();
  const HDC before = canvas->HandleAllocated() ? canvas->Handle() : nullptr;
  HDC seen = nullptr;
  f.form->OnPaint = [&](TObject*) {
    seen = canvas->Handle();
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(TRect{0, 0, 5, 5});
    throw std::runtime_error("painting failed");
  };
  EXPECT_THROW(f.Render(true), std::runtime_error);
  TBitmap* cache = f.provider->SkinData()->CacheBmp();
  EXPECT_EQ(seen, cache->Canvas()->Handle());
  EXPECT_EQ(canvas->HandleAllocated() ? canvas->Handle() : nullptr, before);
  // The handler painted at the client origin inside the cache.
  EXPECT_EQ(Px(cache, f.provider->OffsetX(), f.provider->OffsetY()), 0xFF0000u);  // red, as a pixel
  f.form->OnPaint = nullptr;
}

TEST(FramePaint, RenderResizeFreeLeavesNoBitmapOrRegion) {
  std::vector<HGDIOBJ> made;
  for (int i = 0; i < 50; ++i) {
    Frame f(bsSizeable, {biSystemMenu, biMinimize, biMaximize}, L"Cycle");
    for (int size : {200, 260}) {
      f.form->SetBounds(20, 20, size, size - 40);
      f.Render(i % 2 == 0);
      UpdateRgn(f.provider, false);
      made.push_back(f.provider->SkinData()->CacheBmp()->Handle());
      made.push_back(f.provider->TempBmp->Handle());
    }
  }
  int alive = 0;
  for (HGDIOBJ h : made) alive += GetObjectType(h) != 0 ? 1 : 0;
  EXPECT_EQ(alive, 0);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(FramePaint, UserButtonsWithGlyphsAndInvisibleOnes) {
  Frame f(bsSingle, {biSystemMenu, biMinimize}, L"Tarvisel");
  auto* shown = static_cast<TsTitleButton*>(f.provider->TitleButtons()->Add());
  auto* hidden = static_cast<TsTitleButton*>(f.provider->TitleButtons()->Add());
  hidden->SetVisible(false);
  auto glyph = NewBitmap32(6, 6);
  const TImage32View g = glyph->Image32View();
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) g.At(x, y).U = 0xFFFF0000u;  // opaque red
  shown->SetGlyph(glyph.get());
  f.provider->LoadInit();
  TBitmap* cache = f.Render(true);
  const TRect& r = shown->BtnData.Rect;
  EXPECT_EQ(shown->BtnData.HitCode, 1000);
  EXPECT_EQ(r.Right, f.provider->ButtonMin.Rect.Left - f.manager->Records().SkinData.BISpacing - 8);
  const int cx = r.Left + f.provider->UserButtonWidth(*shown) / 2;
  const int cy = r.Top + f.provider->ButtonHeight() / 2;
  EXPECT_EQ(Px(cache, cx, cy), 0xFF0000u);
  // The hidden button takes no place on the title but is counted in the width kept for buttons.
  EXPECT_EQ(hidden->BtnData.Rect, TRect{});
  const int withHidden = f.provider->TitleBtnsWidth();
  hidden->SetVisible(true);
  EXPECT_EQ(f.provider->TitleBtnsWidth(), withHidden);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(FramePaint, MinimisedFormRendersOnlyItsTitle) {
  Frame f(bsSizeable, {biSystemMenu, biMinimize, biMaximize}, L"Minimised");
  ShowWindow(f.form->Handle(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(f.form->Handle()));
  TBitmap* cache = f.Render(false);
  RECT window{};
  GetWindowRect(f.form->Handle(), &window);
  EXPECT_EQ(cache->Width(), window.right - window.left);
  EXPECT_EQ(cache->Height(), GetSystemMetrics(SM_CXFRAME) + f.provider->CaptionHeight(true) + 2);
  ShowWindow(f.form->Handle(), SW_HIDE);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(FramePaint, CaptionGlowOfTheCaptionSection) {
  Frame plain(bsSingle, {biSystemMenu, biMinimize}, L"Tarvisel");
  TBitmap* without = plain.Render(true);
  Frame glowing(bsSingle, {biSystemMenu, biMinimize}, L"Tarvisel");
  const int caption = glowing.manager->GetSkinIndex("CAPTION");
  ASSERT_GE(caption, 0);
  glowing.manager->Records().gd[caption].HotGlowSize = 4;
  glowing.manager->Records().gd[caption].HotGlowColor = clRed;
  TBitmap* with = glowing.Render(true);
  ASSERT_NE(glowing.provider->FGlow1, nullptr);  // the mask is kept for the next rendering
  const TRect text = glowing.provider->CaptionTextRect(glowing.TitleBottom());
  // The glow reddens pixels around the text that are the band's colour without it.
  int redder = 0;
  for (int y = 0; y < glowing.TitleBottom(); ++y)
    for (int x = text.Left - 4; x < text.Right; ++x) {
      const std::uint32_t a = Px(with, x, y), b = Px(without, x, y);
      redder += ((a >> 16) & 0xFF) > ((b >> 16) & 0xFF) && (a & 0xFF) < (b & 0xFF) ? 1 : 0;
    }
  EXPECT_GT(redder, 10);
  // The inactive form has no glow in our skin's section.
  glowing.Render(false);
  EXPECT_EQ(glowing.provider->FGlow2, nullptr);
}

}  // namespace
}  // namespace skin
