// The skinned group box and radio group on a form with our skin: the caption band, the frame and a
// whole caption printed against the section painted directly; the radio group's buttons, its
// selection after the items change, and changes refused by OnChanging; GDI objects after many
// paints.
#include <windows.h>

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <vector>

#include "classlib/StdCtrls.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sPanel.h"
#include "skin/core/sMessages.h"
#include "tests/skin/controls/ControlsFixture.h"
#include "tests/skin/controls/GdiCount.h"

namespace skin {
namespace {

using namespace classlib;
using namespace skin::test;

TSize TextSize(TFont* font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font->Handle());
  SIZE s{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &s);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {s.cx, s.cy};
}

// The columns in which Bmp differs from Background inside R: [first, last], or {-1, -1}.
std::pair<int, int> InkColumns(TBitmap* bmp, const TRect& r, std::uint32_t background) {
  int first = -1, last = -1;
  for (int x = std::max(r.Left, 0); x < std::min(r.Right, bmp->Width()); ++x)
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, bmp->Height()); ++y)
      if (Rgb(bmp, x, y) != background) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

struct GroupBoxes : ControlsFixture {
  void SetUp() override {
    ControlsFixture::SetUp();
    form->SetColor(0x405060);
    form->Show();
  }
  // The form's colour as a printed pixel.
  std::uint32_t FormPixel() const { return 0x605040; }

  // The caption band for a caption on the left, worked out from the font: 6 from the edge, text
  // plus twice the default margins (2 + 2) wide, the height of "W" plus 2 high.
  TRect ExpectedCaption(TsGroupBox* box, int offset = 0) {
    const int w = TextSize(box->Font(), box->Caption()).cx;
    const int h = std::max(4, TextSize(box->Font(), L"W").cy) + 2;
    return offset < 0 ? TRect{6, offset, 6 + w + 8, h + offset} : TRect{6, 0, 6 + w + 8, h + offset};
  }

  // The pixels outside Caption that differ from the form's colour above FrameTop and from the
  // section painted directly from FrameTop down.
  int FrameDifferences(TsGroupBox* box, TBitmap* printed, const TRect& caption, int frameTop) {
    auto frame = Direct("GROUPBOX", 0, box->Width(), box->Height() - frameTop, {box->Left(), box->Top() + frameTop});
    int n = 0;
    for (int y = 0; y < box->Height(); ++y)
      for (int x = 0; x < box->Width(); ++x) {
        if (x >= caption.Left && x < caption.Right && y >= caption.Top && y < caption.Bottom) continue;
        const std::uint32_t expected = y < frameTop ? FormPixel() : Rgb(frame.get(), x, y - frameTop);
        n += Rgb(printed, x, y) != expected;
      }
    return n;
  }
};

TEST_F(GroupBoxes, CaptionBandFrameAndAWholeCaption) {
  const std::wstring caption = L"Режим работы выходов WWW";
  TsGroupBox* box = Make<TsGroupBox>(20, 30, 260, 100, caption);
  box->Font()->SetName(L"Tahoma");
  box->Font()->SetSize(11);
  ASSERT_TRUE(box->SkinData()->Skinned());
  auto printed = Print(box);
  const TRect c = ExpectedCaption(box);
  EXPECT_EQ(box->CaptionRect(), c);
  EXPECT_EQ(FrameDifferences(box, printed.get(), c, (c.Bottom - c.Top) / 2), 0);

  // The caption's ink spans what the same text spans drawn alone with the font: nothing is cut.
  auto alone = NewBitmap32(c.Right - c.Left, c.Bottom - c.Top);
  {
    HDC dc = alone->Canvas()->Handle();
    RECT all{0, 0, alone->Width(), alone->Height()};
    HBRUSH white = CreateSolidBrush(0xFFFFFF);
    FillRect(dc, &all, white);
    DeleteObject(white);
    const HGDIOBJ old = SelectObject(dc, box->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption.c_str(), -1, &all, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SelectObject(dc, old);
    GdiFlush();
  }
  const auto ref = InkColumns(alone.get(), TRect{0, 0, alone->Width(), alone->Height()}, 0xFFFFFF);
  const auto ink = InkColumns(printed.get(), c, FormPixel());
  ASSERT_GE(ref.first, 0);
  ASSERT_GE(ink.first, 0);
  EXPECT_NEAR(ink.second - ink.first, ref.second - ref.first, 2);
  EXPECT_GE(ink.first, c.Left + 2);
  EXPECT_LT(ink.second, c.Right - 2);
}

TEST_F(GroupBoxes, LiftedCaptionStartsTheFrameAtTheTopEdge) {
  TsGroupBox* box = Make<TsGroupBox>(20, 30, 200, 90, L"Lifted");
  box->SetCaptionYOffset(-4);
  auto printed = Print(box);
  const TRect c = ExpectedCaption(box, -4);
  EXPECT_EQ(box->CaptionRect(), c);
  EXPECT_EQ(FrameDifferences(box, printed.get(), c, 0), 0);
}

TEST_F(GroupBoxes, EmptyCaptionLeavesTheBandToTheParentAndIgnoresItsLayout) {
  TsGroupBox* box = Make<TsGroupBox>(20, 30, 200, 90);
  auto printed = Print(box);
  const int frameTop = (std::max(4, TextSize(box->Font(), L"W").cy) + 2) / 2;
  EXPECT_EQ(FrameDifferences(box, printed.get(), TRect{}, frameTop), 0);
  box->SetCaptionLayout(group::clTopRight);
  EXPECT_FALSE(box->SkinData()->BGChanged);
  box->SetCaption(L"Now");
  Print(box);
  box->SetCaptionLayout(group::clTopCenter);
  EXPECT_TRUE(box->SkinData()->BGChanged);
}

TEST_F(GroupBoxes, WindowlessChildrenArePaintedOverTheBox) {
  TsGroupBox* box = Make<TsGroupBox>(20, 30, 200, 90, L"Box");
  auto bare = Print(box);
  TLabel* label = Create<TLabel>(form.get());
  label->SetParent(box);
  label->SetBounds(20, 40, 80, 20);
  label->SetCaption(L"MMMM");
  auto labelled = Print(box);
  int inside = 0, outside = 0;
  for (int y = 0; y < box->Height(); ++y)
    for (int x = 0; x < box->Width(); ++x) {
      if (Rgb(bare.get(), x, y) == Rgb(labelled.get(), x, y)) continue;
      (x >= 20 && x < 100 && y >= 40 && y < 60 ? inside : outside)++;
    }
  EXPECT_GT(inside, 10);
  EXPECT_EQ(outside, 0);
}

TEST_F(GroupBoxes, CaptionSkinMakesTheBoxsCacheTheChildrensBackground) {
  TsGroupBox* box = Make<TsGroupBox>(20, 30, 200, 90, L"Skinned caption");
  TacBGInfo plain;
  SendMessageW(box->Handle(), SM_ALPHACMD, WPARAM(ACMD_GETBGINFO) << 16, reinterpret_cast<LPARAM>(&plain));
  box->SetCaptionSkin(L"panel");
  Print(box);
  TacBGInfo info;
  info.Offset = TPoint{7, 7};
  SendMessageW(box->Handle(), SM_ALPHACMD, WPARAM(ACMD_GETBGINFO) << 16, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.BgType, TacBGType::btCache);
  EXPECT_EQ(info.Bmp, box->SkinData()->CacheBmp());
  EXPECT_EQ(info.Offset, (TPoint{0, 0}));
  // The caption sits on the PANEL section now: its band differs from the plain caption's.
  const TRect c = box->CaptionRect();
  const TColor panel = manager->Records().gd[std::size_t(Section("PANEL"))].Props[0].Color;
  auto printed = Print(box);
  const std::uint32_t p = Rgb(printed.get(), c.Left + 1, c.Top + 1);
  const std::uint32_t asColor = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  EXPECT_EQ(asColor, static_cast<std::uint32_t>(ColorToRGB(panel)));
}

// A panel that notes the skin commands it receives.
struct ProbePanel : TsPanel {
  using TsPanel::TsPanel;
  std::vector<unsigned> commands;
  void WndProc(TMessage& M) override {
    if (M.Msg == SM_ALPHACMD) commands.push_back(CommandOf(M.WParam));
    TsPanel::WndProc(M);
  }
};

TEST_F(GroupBoxes, SkinCommandsReachTheChildren) {
  TsGroupBox* box = Make<TsGroupBox>(20, 30, 200, 90, L"Box");
  ProbePanel* child = Create<ProbePanel>(form.get());
  child->SetParent(box);
  child->SetBounds(10, 20, 50, 30);
  child->Handle();
  Print(box);
  child->commands.clear();
  for (unsigned command : {ACMD_REFRESH, ACMD_REMOVESKIN, ACMD_NEWSKIN})
    SendMessageW(box->Handle(), SM_ALPHACMD, WPARAM(command) << 16, reinterpret_cast<LPARAM>(manager.get()));
  std::erase_if(child->commands, [](unsigned c) { return c > ACMD_REFRESH; });
  EXPECT_EQ(child->commands, (std::vector<unsigned>{ACMD_REFRESH, ACMD_REMOVESKIN, ACMD_NEWSKIN}));
}

TEST_F(GroupBoxes, TwoHundredPaintsLeaveNoGdiObjects) {
  // The counter sees objects come and go.
  const int before = LiveGdiObjects();
  HBRUSH brushes[5];
  for (HBRUSH& b : brushes) b = CreateSolidBrush(0x123456);
  EXPECT_EQ(LiveGdiObjects(), before + 5);
  for (HBRUSH b : brushes) DeleteObject(b);
  ASSERT_EQ(LiveGdiObjects(), before);

  TsGroupBox* box = Make<TsGroupBox>(20, 30, 200, 90, L"Leaks");
  TsGroupBox* captioned = Make<TsGroupBox>(20, 130, 200, 90, L"Skinned caption");
  captioned->SetCaptionSkin(L"PANEL");
  TsRadioGroup* radio = Make<TsRadioGroup>(230, 30, 150, 120, L"Radio");
  radio->Items()->Add(L"One");
  radio->Items()->Add(L"Two");
  radio->SetItemIndex(1);
  auto target = NewBitmap32(200, 120);
  const HDC dc = target->Canvas()->Handle();
  auto paintAll = [&] {
    for (TWinControl* c :
         {static_cast<TWinControl*>(box), static_cast<TWinControl*>(captioned), static_cast<TWinControl*>(radio)}) {
      SendMessageW(c->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
      RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
  };
  paintAll();
  Pump();
  const int settled = LiveGdiObjects();
  for (int i = 0; i < 200; ++i) paintAll();
  Pump();
  EXPECT_EQ(LiveGdiObjects(), settled);
}

// ---- the radio group ----

void Click(TWinControl* c) {
  SendMessageW(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(c->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void Space(TWinControl* c) {
  SendMessageW(c->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  SendMessageW(c->Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
}

void Command(TWinControl* c) { c->Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED), 0); }

struct RadioGroups : GroupBoxes {
  TsRadioGroup* Group(std::initializer_list<const wchar_t*> items, int width = 210, int height = 100) {
    TsRadioGroup* g = Make<TsRadioGroup>(20, 30, width, height, L"Group");
    for (const wchar_t* i : items) g->Items()->Add(i);
    g->OnClick = [this](TObject*) { ++clicks; };
    return g;
  }
  int clicks = 0;
};

TEST_F(RadioGroups, ButtonsFillColumnByColumnWithColumnsClamped) {
  struct Case {
    int items, columns, expectedColumns;
  };
  const Case cases[] = {{5, 2, 2}, {4, 0, 1}, {3, 20, 16}, {6, 3, 3}};
  for (const Case& c : cases) {
    TsRadioGroup* g = Group({});
    for (int i = 0; i < c.items; ++i) g->Items()->Add(L"Item " + std::to_wstring(i));
    g->SetColumns(c.columns);
    EXPECT_EQ(g->Columns(), c.expectedColumns);
    ASSERT_EQ(g->ButtonCount(), c.items);
    TEXTMETRICW tm{};
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, g->Font()->Handle());
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const auto cells = RadioButtonCells(c.items, c.expectedColumns, g->Width(), g->Height(), tm.tmHeight);
    for (int i = 0; i < c.items; ++i) {
      TsGroupButton* b = g->Buttons(i);
      EXPECT_TRUE(b->Visible());
      EXPECT_EQ((TRect{b->Left(), b->Top(), b->Left() + b->Width(), b->Top() + b->Height()}), cells[std::size_t(i)])
          << c.items << " in " << c.columns << ", button " << i;
    }
    delete g;
  }
  // 5 buttons in 2 columns of a 210-wide group: 3 in the first column of width (210 - 10) / 2.
  TsRadioGroup* g = Group({L"a", L"b", L"c", L"d", L"e"});
  g->SetColumns(2);
  EXPECT_EQ(g->Buttons(2)->Left(), 8);
  EXPECT_EQ(g->Buttons(3)->Left(), 108);
  EXPECT_EQ(g->Buttons(3)->Top(), g->Buttons(0)->Top());
  EXPECT_EQ(g->Buttons(0)->Width(), 100);
}

TEST_F(RadioGroups, ItemIndexIsClampedAndFollowsTheLastItemWhenItGoes) {
  TsRadioGroup* g = Group({L"a", L"b", L"c"});
  g->SetItemIndex(2);
  EXPECT_TRUE(g->Buttons(2)->Checked());
  g->Items()->Delete(2);
  ASSERT_EQ(g->ButtonCount(), 2);
  EXPECT_EQ(g->ItemIndex(), 1);
  EXPECT_TRUE(g->Buttons(1)->Checked());
  EXPECT_FALSE(g->Buttons(0)->Checked());
  g->SetItemIndex(10);
  EXPECT_EQ(g->ItemIndex(), 1);
  g->SetItemIndex(-5);
  EXPECT_EQ(g->ItemIndex(), -1);
  EXPECT_FALSE(g->Buttons(1)->Checked());
  g->Items()->Clear();
  EXPECT_EQ(g->ButtonCount(), 0);
  EXPECT_EQ(g->ItemIndex(), -1);
}

TEST_F(RadioGroups, OnChangingDecidesClicksSpaceAndCommands) {
  // Click and Space go through the skinned button's own mouse and key handling; the command is
  // what the native button sends when it is not skinned.
  struct Case {
    const char* what;
    void (*act)(TWinControl*);
  };
  const Case cases[] = {{"click", Click}, {"space", Space}, {"command", Command}};
  for (const Case& c : cases)
    for (bool allow : {false, true}) {
      TsRadioGroup* g = Group({L"a", L"b", L"c"});
      g->SetItemIndex(0);
      clicks = 0;
      int asked = -2;
      g->OnChanging = [&](TObject*, int index, bool& ok) {
        asked = index;
        ok = allow;
      };
      c.act(g->Buttons(1));
      EXPECT_EQ(asked, 1) << c.what;
      EXPECT_EQ(g->ItemIndex(), allow ? 1 : 0) << c.what << " allowed " << allow;
      EXPECT_EQ(g->Buttons(0)->Checked(), !allow) << c.what << " allowed " << allow;
      EXPECT_EQ(g->Buttons(1)->Checked(), allow) << c.what << " allowed " << allow;
      EXPECT_EQ(clicks, allow ? 1 : 0) << c.what << " allowed " << allow;
      delete g;
    }
}

TEST_F(RadioGroups, BackspaceAndSpaceKeysAreDroppedWhenTheChangeIsRefused) {
  TsRadioGroup* g = Group({L"a", L"b"});
  bool allow = false;
  std::wstring seenByGroup;
  g->OnKeyPress = [&](TObject*, wchar_t& key) { seenByGroup += key; };
  g->OnChanging = [&](TObject*, int, bool& ok) { ok = allow; };
  for (wchar_t key : {L'\b', L' ', L'x'}) {
    wchar_t k = key;
    g->Buttons(1)->KeyPress(k);
    EXPECT_EQ(k, key == L'x' ? L'x' : L'\0') << int(key);
  }
  allow = true;
  wchar_t k = L' ';
  g->Buttons(1)->KeyPress(k);
  EXPECT_EQ(k, L' ');
  EXPECT_EQ(seenByGroup, std::wstring(L"\b x "));
}

TEST_F(RadioGroups, AHandlerThatThrowsLeavesTheButtonsWorking) {
  TsRadioGroup* g = Group({L"a", L"b"});
  g->SetItemIndex(0);
  int reported = 0;
  Application->OnException = [&](TObject*, std::exception_ptr) { ++reported; };
  bool fail = true;
  g->OnChanging = [&](TObject*, int, bool&) {
    if (fail) throw EInvalidOperation(L"refused loudly");
  };
  Space(g->Buttons(1));
  Command(g->Buttons(1));
  EXPECT_EQ(reported, 2);
  EXPECT_EQ(g->ItemIndex(), 0);
  fail = false;
  Command(g->Buttons(1));
  EXPECT_EQ(g->ItemIndex(), 1);
  Application->OnException = nullptr;
}

TEST_F(RadioGroups, RegisteredByNameWithTheirConstructionValuesAsDefaults) {
  RegisterGroupBoxClasses();
  for (const wchar_t* name : {L"TsGroupBox", L"TsRadioGroup"}) {
    TComponent* c = CreateComponent(name, form.get());
    ASSERT_NE(c, nullptr) << name;
    EXPECT_EQ(c->ClassName(), name);
    for (const TPropInfo* p : GetClass(name).AllProperties()) {
      if (!p->HasDefault || p->Kind == TPropKind::Event) continue;
      EXPECT_TRUE(p->IsDefault(c)) << std::string(p->Name.begin(), p->Name.end());
    }
  }
  TComponent* r = CreateComponent(L"TsRadioGroup", form.get());
  EXPECT_EQ(GetOrdProp(r, L"Columns"), 1);
  EXPECT_EQ(GetOrdProp(r, L"ItemIndex"), -1);
  const TPropInfo* margin = GetClass(L"TsMargin").FindProperty(L"Left");
  ASSERT_NE(margin, nullptr);
  EXPECT_EQ(margin->OrdDefault, 2);
}

}  // namespace
}  // namespace skin
