// The skinned tool bar with our skin: buttons normal, hot, pressed and disabled printed as the
// TOOLBUTTON section painted directly over the TOOLBAR section; hot tracking of non-flat bars by
// message sequence; a tool button's image drawn from a hand-made image list; no GDI object left
// behind by its paints.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "classlib/ToolBar.h"
#include "skin/controls/Sthirdparty.h"
#include "skin/controls/sToolBar.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

struct ToolBars : ControlsFixture {
  TsToolBar* bar = nullptr;
  std::vector<TToolButton*> buttons;

  void SetUp() override {
    ControlsFixture::SetUp();
    form->Show();
  }

  void MakeBar(int count, bool flat) {
    bar = Make<TsToolBar>(0, 0, 300, 30);
    bar->SetFlat(flat);
    for (int i = 0; i < count; ++i) {
      auto* b = Create<TToolButton>(form.get());
      b->SetParent(bar);
      buttons.push_back(b);
    }
    Pump();
  }

  // Where the client area starts inside the bar's window.
  TPoint ClientOffset() const {
    RECT w{};
    GetWindowRect(bar->Handle(), &w);
    POINT p{0, 0};
    ClientToScreen(bar->Handle(), &p);
    return TPoint{p.x - w.left, p.y - w.top};
  }

  // Button i as TOOLBUTTON in State over TOOLBAR, both painted directly.
  std::unique_ptr<TBitmap> ButtonLook(int i, int state) {
    auto back = Direct("TOOLBAR", 0, bar->Width(), bar->Height(), {bar->Left(), bar->Top()});
    const TRect r = bar->GetButtonRect(i);
    const TPoint o = ClientOffset();
    auto look = NewBitmap32(r.Right - r.Left, r.Bottom - r.Top);
    PaintItem(Section("TOOLBUTTON"), "TOOLBUTTON", MakeCacheInfo(back.get(), o.X, o.Y), true, state,
              TRect{0, 0, look->Width(), look->Height()}, TPoint{r.Left, r.Top}, look.get(), manager.get());
    return look;
  }

  // Pixels of button i in the printed bar that differ from Look.
  int DifferFromLook(TBitmap* printed, int i, TBitmap* look) {
    const TRect r = bar->GetButtonRect(i);
    const TPoint o = ClientOffset();
    int differ = 0;
    for (int y = 0; y < look->Height(); ++y)
      for (int x = 0; x < look->Width(); ++x)
        differ += Rgb(printed, o.X + r.Left + x, o.Y + r.Top + y) != Rgb(look, x, y);
    return differ;
  }
};

TEST_F(ToolBars, ButtonsPrintAsToolButtonSectionsNormalHotPressedDisabled) {
  MakeBar(4, false);
  buttons[2]->SetStyle(tbsCheck);
  buttons[2]->SetDown(true);
  buttons[3]->SetStyle(tbsCheck);
  buttons[3]->SetDown(true);
  buttons[3]->SetEnabled(false);
  Pump();
  const TRect hot = bar->GetButtonRect(1);
  SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM((hot.Left + hot.Right) / 2, (hot.Top + hot.Bottom) / 2));
  ASSERT_EQ(bar->HotButtonIndex, 1);
  auto printed = Print(bar);
  auto normal = ButtonLook(0, 0);
  auto hotLook = ButtonLook(1, 1);
  auto pressed = ButtonLook(2, 2);
  EXPECT_EQ(DifferFromLook(printed.get(), 0, normal.get()), 0);
  EXPECT_EQ(DifferFromLook(printed.get(), 1, hotLook.get()), 0);
  EXPECT_EQ(DifferFromLook(printed.get(), 2, pressed.get()), 0);
  EXPECT_NE(DifferentPixels(hotLook.get(), pressed.get()), 0)
      << "hot and pressed looks differ, or the test shows nothing";
  // The disabled pressed button: 40 % of its look over 60 % of the bar behind it.
  auto back = Direct("TOOLBAR", 0, bar->Width(), bar->Height(), {bar->Left(), bar->Top()});
  auto down = ButtonLook(3, 2);
  const TRect r = bar->GetButtonRect(3);
  const TPoint o = ClientOffset();
  int off = 0, kept = 0;
  for (int y = 0; y < down->Height(); ++y)
    for (int x = 0; x < down->Width(); ++x) {
      const std::uint32_t d = Rgb(down.get(), x, y), s = Rgb(back.get(), o.X + r.Left + x, o.Y + r.Top + y);
      const std::uint32_t got = Rgb(printed.get(), o.X + r.Left + x, o.Y + r.Top + y);
      kept += got == d && d != s;
      for (int shift : {0, 8, 16}) {
        const double bs = (s >> shift) & 0xFF, bd = (d >> shift) & 0xFF;
        off += std::labs(long((got >> shift) & 0xFF) - std::lround(bs - (bs - bd) * 0.4)) > 1;
      }
    }
  EXPECT_EQ(off, 0);
  EXPECT_EQ(kept, 0) << "no pixel of the disabled button keeps its enabled colour";
}

TEST_F(ToolBars, NonFlatBarTracksTheHotButtonFlatBarDoesNot) {
  MakeBar(3, false);
  buttons[2]->SetEnabled(false);
  auto centre = [&](int i) {
    const TRect r = bar->GetButtonRect(i);
    return MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  };
  SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, centre(0));
  EXPECT_EQ(bar->HotButtonIndex, 0);
  SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, centre(1));
  EXPECT_EQ(bar->HotButtonIndex, 1);
  SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, centre(2));
  EXPECT_EQ(bar->HotButtonIndex, -1) << "a disabled button is never hot";
  SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, centre(0));
  SendMessageW(bar->Handle(), CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(bar->HotButtonIndex, -1);
  // The hot look goes with it.
  auto printed = Print(bar);
  auto normal = ButtonLook(0, 0);
  EXPECT_EQ(DifferFromLook(printed.get(), 0, normal.get()), 0);

  Free(bar);
  buttons.clear();
  MakeBar(2, true);
  SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, centre(0));
  EXPECT_EQ(bar->HotButtonIndex, -1);
}

// A 16 by 16 image: red with a see-through 4 by 4 corner at the top left (fuchsia is the mask).
std::unique_ptr<TImageList> HandMadeList(TComponent* owner, std::uint32_t colorref) {
  auto list = std::make_unique<TImageList>(owner, 16, 16);
  auto image = std::make_unique<TBitmap>();
  image->SetPixelFormat(pf24bit);
  image->SetSize(16, 16);
  HDC dc = image->Canvas()->Handle();
  RECT all{0, 0, 16, 16}, corner{0, 0, 4, 4};
  const HBRUSH fill = CreateSolidBrush(colorref), key = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, fill);
  FillRect(dc, &corner, key);
  DeleteObject(fill);
  DeleteObject(key);
  list->AddMasked(image.get(), clFuchsia);
  return list;
}

TEST_F(ToolBars, CopyToolBtnGlyphPlacesTheImageByState) {
  MakeBar(1, true);
  auto red = HandMadeList(form.get(), RGB(255, 0, 0));
  auto blue = HandMadeList(form.get(), RGB(0, 0, 255));
  bar->SetImages(red.get());
  bar->SetHotImages(blue.get());
  buttons[0]->SetImageIndex(0);
  Pump();
  const int w = buttons[0]->Width(), h = buttons[0]->Height();
  ASSERT_GT(w, 16);
  // Centred: (w - 16) / 2 + 1 from the left, (h - 16) / 2 from the top; pressed 1 further.
  const int left = (w - 16) / 2 + 1, top = (h - 16) / 2;
  struct Case {
    TCustomDrawState state;
    int shift;
    std::uint32_t colour;  // as a DIB pixel
  };
  const Case cases[] = {
      {{}, 0, 0xFF0000},
      {{cdsDisabled}, 0, 0xFF0000},
      {{cdsHot}, 0, 0x0000FF},
      {{cdsChecked}, 1, 0x0000FF},
  };
  for (auto draw : {+[](TsToolBar*b, TToolButton*t, TCustomDrawState s, TBitmap*bmp) {
                      CopyToolBtnGlyph(b, t, s, cdPrePaint, {}, bmp);
                    },
                    +[](TsToolBar*b, TToolButton*t, TCustomDrawState s, TBitmap*bmp) {
                      CopyToolBtnGlyph(static_cast<TToolBar*>(b), t, s, cdPrePaint, {}, bmp);
                    }}) {
    for (const Case& c : cases) {
      auto bmp = NewBitmap32(w, h);
      RECT all{0, 0, w, h};
      FillRect(bmp->Canvas()->Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      draw(bar, buttons[0], c.state, bmp.get());
      int wrong = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const int ix = x - left - c.shift, iy = y - top - c.shift;
          const bool image = ix >= 0 && ix < 16 && iy >= 0 && iy < 16 && !(ix < 4 && iy < 4);
          wrong += Rgb(bmp.get(), x, y) != (image ? c.colour : 0xFFFFFFu);
        }
      EXPECT_EQ(wrong, 0) << c.state.Bits();
    }
  }
}

TEST_F(ToolBars, NoGdiObjectLeftBehindOver200Paints) {
  MakeBar(4, false);
  buttons[1]->SetStyle(tbsSeparator);
  buttons[3]->SetEnabled(false);
  Print(bar);
  const int before = LiveGdiObjects();
  for (int i = 0; i < 200; ++i) Print(bar);
  EXPECT_LE(LiveGdiObjects(), before + 2);
}

// The separator of button i as DIVIDER painted directly in its middle strip over TOOLBAR, or the
// bar alone.
std::unique_ptr<TBitmap> SeparatorLook(ToolBars& t, int i, bool divider) {
  auto back = t.Direct("TOOLBAR", 0, t.bar->Width(), t.bar->Height(), {t.bar->Left(), t.bar->Top()});
  const TRect r = t.bar->GetButtonRect(i);
  const TPoint o = t.ClientOffset();
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  auto look = NewBitmap32(w, h);
  BitBlt(look->Canvas()->Handle(), 0, 0, w, h, back->Canvas()->Handle(), o.X + r.Left, o.Y + r.Top, SRCCOPY);
  if (divider) {
    const TRect line{w / 2 - 2, 2, w / 2 + 2, h - 2};
    PaintItem(t.Section("DIVIDER"), "DIVIDER", MakeCacheInfo(look.get()), true, 0, line, TPoint{line.Left, line.Top},
              look.get(), t.manager.get());
  }
  return look;
}

TEST_F(ToolBars, SeparatorsShowTheDividerOnFlatBarsDividersAlways) {
  for (bool flat : {true, false}) {
    MakeBar(3, flat);
    buttons[1]->SetStyle(tbsSeparator);
    buttons[1]->SetWidth(12);
    buttons[2]->SetStyle(tbsDivider);
    buttons[2]->SetWidth(12);
    Pump();
    auto printed = Print(bar);
    auto separator = SeparatorLook(*this, 1, flat);
    auto divider = SeparatorLook(*this, 2, true);
    EXPECT_EQ(DifferFromLook(printed.get(), 1, separator.get()), 0) << flat;
    EXPECT_EQ(DifferFromLook(printed.get(), 2, divider.get()), 0) << flat;
    EXPECT_NE(DifferentPixels(divider.get(), SeparatorLook(*this, 2, false).get()), 0)
        << "the divider shows on the bar, or the test shows nothing";
    Free(bar);
    buttons.clear();
  }
}

// A drop-down menu whose chosen item frees the button it belongs to.
class TFreeingMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  TsToolBar* bar = nullptr;
  TToolButton* droppedWhileOpen = nullptr;
  void Popup(int, int) override {
    droppedWhileOpen = bar->DroppedButton();
    Free(bar->Buttons(0));
  }
};

TEST_F(ToolBars, DropDownMenuMayFreeItsButton) {
  MakeBar(2, true);
  auto* menu = Create<TFreeingMenu>(form.get());
  menu->bar = bar;
  TToolButton* dropDown = buttons[0];
  dropDown->SetStyle(tbsDropDown);
  dropDown->SetDropdownMenu(menu);
  Pump();
  // A press on the arrow part, at the button's right end, drops the menu down.
  const TRect r = bar->GetButtonRect(0);
  const LPARAM arrow = MAKELPARAM(r.Right - 3, (r.Top + r.Bottom) / 2);
  SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, arrow);
  SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, arrow);
  Pump();
  EXPECT_EQ(menu->droppedWhileOpen, dropDown) << "the button counts as dropped down while its menu is open";
  EXPECT_EQ(bar->DroppedButton(), nullptr);
  ASSERT_EQ(bar->ButtonCount(), 1);
  EXPECT_EQ(bar->Buttons(0), buttons[1]);
  Print(bar);
}

TEST_F(ToolBars, IsRegisteredByNameWithItsDefaults) {
  RegisterToolBarClasses();
  TComponent* c = CreateComponent(L"TsToolBar", form.get());
  ASSERT_NE(c, nullptr);
  for (const TPropInfo* p : GetClass(L"TsToolBar").AllProperties())
    // The skinned bar paints through its own custom-draw handlers.
    if (p->HasDefault && p->Name.rfind(L"OnAdvancedCustomDraw", 0) != 0) {
      EXPECT_TRUE(p->IsDefault(c)) << std::string(p->Name.begin(), p->Name.end());
    }
  auto* created = static_cast<TsToolBar*>(c);
  created->SetParent(form.get());
  created->Handle();
  EXPECT_EQ(created->SkinData()->SkinSection(), "TOOLBAR");
  EXPECT_TRUE(created->Flat());
}

}  // namespace
}  // namespace skin
