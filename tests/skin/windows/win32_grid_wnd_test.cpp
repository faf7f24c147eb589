// The grid and virtual-tree handlers on real windows under Wine, with grids and trees of test
// classes that publish the property names other libraries' controls carry: the skin's values go in,
// the saved ones come back, missing names are skipped; data-aware scrolling; the tree's header
// columns painted from our skin, and only the header events the handler put in taken out again.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/TypInfo.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acGridWnd.h"
#include "tests/skin/windows/PrintedPixels.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using namespace classlib;

// Our skin's values (resources/skin/Tarvisel/Options.dat).
constexpr TColor kGlobal = 16184563;         // GLOBALINFO COLOR
constexpr TColor kActiveEdit = 16777215;     // GLOBALINFO HOTCOLOR
constexpr TColor kGlobalFont = 2695966;      // GLOBALINFO FONTCOLOR
constexpr TColor kBorder = 15131358;         // GLOBALINFO BORDERCOLOR
constexpr TColor kEditFont = 2695966;        // EDIT FONTCOLOR
constexpr TColor kSelection = 13070359;      // SELECTION HOTCOLOR
constexpr TColor kSelectionFont = 16777215;  // SELECTION HOTFONTCOLOR

// Per channel p·x + (1 − p)·y, rounded to even.
TColor Mix(TColor x, TColor y, double p) {
  TColor r = 0;
  for (int s = 0; s < 24; s += 8) {
    const double v = p * ((x >> s) & 0xFF) + (1 - p) * ((y >> s) & 0xFF);
    r |= TColor(std::nearbyint(v)) << s;
  }
  return r;
}

#define COLOUR_PROP(Name)                   \
  TColor Name() const { return F##Name; }   \
  void Set##Name(TColor v) { F##Name = v; } \
  TColor F##Name = 0

class TTestControlLook : public TPersistent {
 public:
  std::wstring ClassName() const override { return L"TTestControlLook"; }
  COLOUR_PROP(FixedGradientFrom);
  COLOUR_PROP(FixedGradientTo);
  COLOUR_PROP(FixedGradientMirrorFrom);
  COLOUR_PROP(FixedGradientMirrorTo);
  static void DeclareProperties(TClassDecl<TTestControlLook>& d) {
    using T = TTestControlLook;
    d.Color(L"FixedGradientFrom", &T::FixedGradientFrom, &T::SetFixedGradientFrom, 0);
    d.Color(L"FixedGradientTo", &T::FixedGradientTo, &T::SetFixedGradientTo, 0);
    d.Color(L"FixedGradientMirrorFrom", &T::FixedGradientMirrorFrom, &T::SetFixedGradientMirrorFrom, 0);
    d.Color(L"FixedGradientMirrorTo", &T::FixedGradientMirrorTo, &T::SetFixedGradientMirrorTo, 0);
  }
};

// A class-library grid with the names of a richer grid: title and fixed fonts, "ControlLook",
// line, selection and footer colours.
class TLookGrid : public TCustomGrid {
 public:
  using TCustomGrid::TCustomGrid;
  std::wstring ClassName() const override { return L"TLookGrid"; }
  TFont* TitleFont() { return &title_; }
  TFont* FixedFont() { return &fixed_; }
  TTestControlLook* ControlLook() { return &look_; }
  COLOUR_PROP(GridFixedLineColor);
  COLOUR_PROP(GridLineColor);
  COLOUR_PROP(SelectionColor);
  COLOUR_PROP(SelectionTextColor);
  COLOUR_PROP(FooterColor);
  COLOUR_PROP(FooterCellColor);
  COLOUR_PROP(TitleColor);
  COLOUR_PROP(IndicatorIconColor);
  static void DeclareProperties(TClassDecl<TLookGrid>& d) {
    using T = TLookGrid;
    d.Object(L"TitleFont", &T::TitleFont);
    d.Object(L"FixedFont", &T::FixedFont);
    d.Object(L"ControlLook", &T::ControlLook);
    d.Color(L"GridFixedLineColor", &T::GridFixedLineColor, &T::SetGridFixedLineColor, 0);
    d.Color(L"GridLineColor", &T::GridLineColor, &T::SetGridLineColor, 0);
    d.Color(L"SelectionColor", &T::SelectionColor, &T::SetSelectionColor, 0);
    d.Color(L"SelectionTextColor", &T::SelectionTextColor, &T::SetSelectionTextColor, 0);
    d.Color(L"FooterColor", &T::FooterColor, &T::SetFooterColor, 0);
    d.Color(L"FooterCellColor", &T::FooterCellColor, &T::SetFooterCellColor, 0);
    d.Color(L"TitleColor", &T::TitleColor, &T::SetTitleColor, 0);
    d.Color(L"IndicatorIconColor", &T::IndicatorIconColor, &T::SetIndicatorIconColor, 0);
  }

 private:
  TFont title_, fixed_;
  TTestControlLook look_;
};

class TTestLineColors : public TPersistent {
 public:
  std::wstring ClassName() const override { return L"TTestLineColors"; }
  COLOUR_PROP(FixedColor);
  COLOUR_PROP(DataColor);
  COLOUR_PROP(ShadowColor);
  static void DeclareProperties(TClassDecl<TTestLineColors>& d) {
    using T = TTestLineColors;
    d.Color(L"FixedColor", &T::FixedColor, &T::SetFixedColor, 0);
    d.Color(L"DataColor", &T::DataColor, &T::SetDataColor, 0);
    d.Color(L"ShadowColor", &T::ShadowColor, &T::SetShadowColor, 0);
  }
};

// A data-aware grid of another library: not a class-library grid, "FixedColor", "LineColors" and
// a "DataSource"; it records the vertical scroll messages that reach it.
class TForeignDBGrid : public TCustomControl {
 public:
  TForeignDBGrid(TComponent* AOwner, std::wstring Name = L"TForeignDBGrid")
      : TCustomControl(AOwner), name_(std::move(Name)) {}
  std::wstring ClassName() const override { return name_; }
  COLOUR_PROP(FixedColor);
  TTestLineColors* LineColors() { return &lines_; }
  int DataSource() const { return 0; }
  static void DeclareProperties(TClassDecl<TForeignDBGrid>& d) {
    using T = TForeignDBGrid;
    d.Color(L"FixedColor", &T::FixedColor, &T::SetFixedColor, 0);
    d.Object(L"LineColors", &T::LineColors);
    d.Integer(L"DataSource", &T::DataSource, nullptr, 0);
  }
  std::vector<std::pair<int, int>> vscrolls;  // code, position

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL;
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_VSCROLL) vscrolls.emplace_back(LOWORD(Message.WParam), short(HIWORD(Message.WParam)));
    TCustomControl::WndProc(Message);
  }

 private:
  std::wstring name_;
  TTestLineColors lines_;
};

void RegisterTestGrids() {
  RegisterClass<TTestControlLook, TPersistent>(L"TTestControlLook");
  RegisterClass<TLookGrid, TCustomGrid>(L"TLookGrid");
  RegisterClass<TTestLineColors, TPersistent>(L"TTestLineColors");
  RegisterClass<TForeignDBGrid, TCustomControl>(L"TForeignDBGrid");
}

struct GridHandler : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  test::Owned<TForm> form{new TForm(nullptr)};
  void SetUp() override {
    RegisterTestGrids();
    ASSERT_TRUE(manager->IsValidSkinIndex(manager->GetSkinIndex("EDIT")));
    form->SetBounds(0, 0, 400, 300);
  }
  template <class G, class... Args>
  G* NewGrid(Args&&... args) {
    auto* g = new G(form.get(), std::forward<Args>(args)...);
    g->SetParent(form.get());
    g->SetBounds(10, 10, 200, 120);
    return g;
  }
};

TEST_F(GridHandler, PropertyTableTakesSkinValuesAndGivesTheSavedOnesBack) {
  auto* grid = NewGrid<TLookGrid>();
  grid->SetFixedColor(0x010101);
  grid->SetDrawingStyle(gdsThemed);
  grid->SetGradientStartColor(0x020202);
  grid->SetGradientEndColor(0x030303);
  grid->FixedFont()->SetColor(0x040404);
  grid->TitleFont()->SetColor(0x050505);
  grid->ControlLook()->SetFixedGradientFrom(clNone);
  grid->ControlLook()->SetFixedGradientTo(0x060606);
  grid->ControlLook()->SetFixedGradientMirrorFrom(0x070707);
  grid->ControlLook()->SetFixedGradientMirrorTo(clNone);
  grid->SetGridFixedLineColor(0x080808);
  grid->SetGridLineColor(0x090909);
  grid->SetSelectionColor(0x0A0A0A);
  grid->SetSelectionTextColor(0x0B0B0B);
  grid->SetFooterColor(0x0C0C0C);
  grid->SetFooterCellColor(0x0D0D0D);
  grid->SetTitleColor(0x0E0E0E);
  grid->SetIndicatorIconColor(0x0F0F0F);
  TsCommonData data(grid, true);
  data.SetSkinManager(manager.get());
  {
    auto h = TacMainWnd::Create<TacGridWnd>(grid->Handle(), &data, manager.get(), "", false);
    h->SetSkinParams();
    const TColor gradientFrom = Mix(kGlobal, kActiveEdit, 0.5);
    EXPECT_EQ(grid->FixedColor(), kGlobal);
    EXPECT_EQ(grid->DrawingStyle(), gdsGradient);
    EXPECT_EQ(grid->GradientStartColor(), gradientFrom);
    EXPECT_EQ(grid->GradientEndColor(), kGlobal);
    EXPECT_EQ(grid->TitleFont()->Color(), kGlobalFont);
    EXPECT_EQ(grid->FixedFont()->Color(), kGlobalFont);
    EXPECT_EQ(grid->GridFixedLineColor(), kBorder);
    EXPECT_EQ(grid->GridLineColor(), Mix(kActiveEdit, kEditFont, 0.7));
    EXPECT_EQ(grid->ControlLook()->FixedGradientFrom(), gradientFrom);
    EXPECT_EQ(grid->ControlLook()->FixedGradientTo(), kGlobal);
    EXPECT_EQ(grid->ControlLook()->FixedGradientMirrorFrom(), Mix(kGlobal, 0x000000, 0.95));
    EXPECT_EQ(grid->ControlLook()->FixedGradientMirrorTo(), Mix(kGlobal, 0xFFFFFF, 0.9));
    EXPECT_EQ(grid->SelectionColor(), kSelection);
    EXPECT_EQ(grid->SelectionTextColor(), kSelectionFont);
    EXPECT_EQ(grid->FooterColor(), kGlobal);
    EXPECT_EQ(grid->FooterCellColor(), kGlobal);
    EXPECT_EQ(grid->TitleColor(), kGlobal);
    EXPECT_EQ(grid->IndicatorIconColor(), kEditFont);  // the handler's section, "EDIT"
  }
  // Given back as saved, each value from its own copy; "none" comes back as the button face.
  EXPECT_EQ(grid->FixedColor(), TColor(0x010101));
  EXPECT_EQ(grid->DrawingStyle(), gdsThemed);
  EXPECT_EQ(grid->ControlLook()->FixedGradientFrom(), clBtnFace);
  EXPECT_EQ(grid->ControlLook()->FixedGradientTo(), TColor(0x060606));
  EXPECT_EQ(grid->ControlLook()->FixedGradientMirrorFrom(), TColor(0x070707));
  EXPECT_EQ(grid->ControlLook()->FixedGradientMirrorTo(), clBtnFace);
  EXPECT_EQ(grid->GradientStartColor(), TColor(0x020202));
  EXPECT_EQ(grid->GradientEndColor(), TColor(0x030303));
  EXPECT_EQ(grid->FixedFont()->Color(), TColor(0x040404));
  EXPECT_EQ(grid->TitleFont()->Color(), TColor(0x050505));
  EXPECT_EQ(grid->GridFixedLineColor(), TColor(0x080808));
  EXPECT_EQ(grid->GridLineColor(), TColor(0x090909));
  EXPECT_EQ(grid->SelectionColor(), TColor(0x0A0A0A));
  EXPECT_EQ(grid->SelectionTextColor(), TColor(0x0B0B0B));
  EXPECT_EQ(grid->FooterColor(), TColor(0x0C0C0C));
  EXPECT_EQ(grid->FooterCellColor(), TColor(0x0D0D0D));
  EXPECT_EQ(grid->TitleColor(), TColor(0x0E0E0E));
  EXPECT_EQ(grid->IndicatorIconColor(), TColor(0x0F0F0F));
}

TEST_F(GridHandler, MissingNamesAreSkippedAndClassicGridsStayClassic) {
  // A plain class-library grid: only its fixed colour and its gradient change.
  auto* plain = NewGrid<TCustomGrid>();
  plain->SetDrawingStyle(gdsClassic);
  plain->SetFixedColor(0x111111);
  // A foreign grid: its line colours, no gradient, no fonts.
  auto* foreign = NewGrid<TForeignDBGrid>();
  foreign->SetFixedColor(0x222222);
  foreign->LineColors()->SetFixedColor(0x333333);
  foreign->LineColors()->SetDataColor(0x444444);
  foreign->LineColors()->SetShadowColor(0x555555);
  TsCommonData plainData(plain, true), foreignData(foreign, true);
  plainData.SetSkinManager(manager.get());
  foreignData.SetSkinManager(manager.get());
  {
    auto a = TacMainWnd::Create<TacGridWnd>(plain->Handle(), &plainData, manager.get(), "", false);
    auto b = TacMainWnd::Create<TacGridWnd>(foreign->Handle(), &foreignData, manager.get(), "", false);
    a->SetSkinParams();
    b->SetSkinParams();
    EXPECT_EQ(plain->DrawingStyle(), gdsClassic);
    EXPECT_EQ(plain->FixedColor(), kGlobal);
    EXPECT_EQ(plain->GradientStartColor(), Mix(kGlobal, kActiveEdit, 0.5));
    EXPECT_EQ(foreign->FixedColor(), kGlobal);
    EXPECT_EQ(foreign->LineColors()->FixedColor(), kBorder);
    EXPECT_EQ(foreign->LineColors()->DataColor(), Mix(kActiveEdit, kEditFont, 0.8));
    EXPECT_EQ(foreign->LineColors()->ShadowColor(), Mix(kActiveEdit, kEditFont, 0.8));
  }
  EXPECT_EQ(plain->FixedColor(), TColor(0x111111));
  EXPECT_EQ(plain->GradientStartColor(), clWhite);
  EXPECT_EQ(foreign->FixedColor(), TColor(0x222222));
  EXPECT_EQ(foreign->LineColors()->FixedColor(), TColor(0x333333));
  EXPECT_EQ(foreign->LineColors()->DataColor(), TColor(0x444444));
  EXPECT_EQ(foreign->LineColors()->ShadowColor(), TColor(0x555555));
}

TEST_F(GridHandler, DataAwareGridGetsTheThumbPositionAtTheEndOfAScroll) {
  for (const wchar_t* name : {L"TForeignDBGrid", L"TwwDBGrid"}) {
    SCOPED_TRACE(std::wstring(name) == L"TwwDBGrid" ? "TwwDBGrid" : "other grid");
    auto* grid = NewGrid<TForeignDBGrid>(name);
    TsCommonData data(grid, true);
    data.SetSkinManager(manager.get());
    auto h = TacMainWnd::Create<TacGridWnd>(grid->Handle(), &data, manager.get(), "", false);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 37, 0};
    SetScrollInfo(grid->Handle(), SB_VERT, &si, FALSE);
    grid->vscrolls.clear();
    SendMessageW(grid->Handle(), WM_VSCROLL, SB_ENDSCROLL, 0);
    const bool ww = std::wstring(name) == L"TwwDBGrid";
    std::vector<std::pair<int, int>> expected;
    if (!ww) expected.emplace_back(SB_THUMBPOSITION, 37);
    expected.emplace_back(SB_ENDSCROLL, 0);
    EXPECT_EQ(grid->vscrolls, expected);
    h.reset();
    delete grid;
  }
}

// ---- virtual trees ----

enum TTestHeaderOption { hoVisible, hoOwnerDraw, hoHotTrack };
enum TTestColumnOption { coEnabled, coWrapCaption };
}  // namespace
}  // namespace skin

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TTestHeaderOption>() {
  static const TEnumInfo i{L"TTestHeaderOption", {L"hoVisible", L"hoOwnerDraw", L"hoHotTrack"}};
  return i;
}
template <>
inline const TEnumInfo& EnumInfo<skin::TTestColumnOption>() {
  static const TEnumInfo i{L"TTestColumnOption", {L"coEnabled", L"coWrapCaption"}};
  return i;
}
}  // namespace classlib

namespace skin {
namespace {

using THeaderOptions = TSet<TTestHeaderOption>;
using TColumnOptions = TSet<TTestColumnOption>;

class TTestHeader : public TPersistent {
 public:
  std::wstring ClassName() const override { return L"TTestHeader"; }
  THeaderOptions Options() const { return options_; }
  void SetOptions(THeaderOptions v) { options_ = v; }
  int Height() const { return 20; }
  TFont* Font() { return &font_; }
  COLOUR_PROP(Color);
  int SortDirection() const { return sort_; }
  void SetSortDirection(int v) { sort_ = v; }
  static void DeclareProperties(TClassDecl<TTestHeader>& d) {
    using T = TTestHeader;
    d.Set(L"Options", &T::Options, &T::SetOptions, THeaderOptions{});
    d.Integer(L"Height", &T::Height, nullptr, 20);
    d.Object(L"Font", &T::Font);
    d.Color(L"Color", &T::Color, &T::SetColor, 0);
    d.Integer(L"SortDirection", &T::SortDirection, &T::SetSortDirection, 0);
  }

 private:
  THeaderOptions options_{hoVisible};
  TFont font_;
  int sort_ = 0;
};

class TTestColumn : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  std::wstring ClassName() const override { return L"TTestColumn"; }
  std::wstring Text() const { return text_; }
  void SetText(const std::wstring& v) { text_ = v; }
  TColumnOptions Options() const { return options_; }
  void SetOptions(TColumnOptions v) { options_ = v; }
  static void DeclareProperties(TClassDecl<TTestColumn>& d) {
    d.String(L"Text", &TTestColumn::Text, &TTestColumn::SetText);
    d.Set(L"Options", &TTestColumn::Options, &TTestColumn::SetOptions, TColumnOptions{});
  }

 private:
  std::wstring text_;
  TColumnOptions options_;
};

// A virtual tree of another library: its header, the header-painting events.
class TTestVirtualTree : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::wstring ClassName() const override { return L"TTestVirtualTree"; }
  TTestHeader* Header() { return &header_; }
  TAdvancedHeaderPaintEvent OnAdvancedHeaderDraw;
  THeaderPaintQueryElementsEvent OnHeaderDrawQueryElements;
  static void DeclareProperties(TClassDecl<TTestVirtualTree>& d) {
    d.Object(L"Header", &TTestVirtualTree::Header);
    d.Event(L"OnAdvancedHeaderDraw", &TTestVirtualTree::OnAdvancedHeaderDraw);
    d.Event(L"OnHeaderDrawQueryElements", &TTestVirtualTree::OnHeaderDrawQueryElements);
  }

 private:
  TTestHeader header_;
};

struct TreeHandler : GridHandler {
  void SetUp() override {
    GridHandler::SetUp();
    RegisterClass<TTestHeader, TPersistent>(L"TTestHeader");
    RegisterClass<TTestColumn, TCollectionItem>(L"TTestColumn");
    RegisterClass<TTestVirtualTree, TCustomControl>(L"TTestVirtualTree");
  }
};

TEST_F(TreeHandler, HeaderEventsGoInWhileSkinnedAndOnlyTheInstalledOnesComeOut) {
  auto* bare = NewGrid<TTestVirtualTree>();
  // This tree paints its header columns itself but lets the query event free.
  auto* own = NewGrid<TTestVirtualTree>();
  int ownCalls = 0;
  own->OnAdvancedHeaderDraw = [&](TPersistent*, THeaderPaintInfo&, THeaderPaintElements) { ++ownCalls; };
  // This one answers the query itself.
  auto* query = NewGrid<TTestVirtualTree>();
  int queryCalls = 0;
  query->OnHeaderDrawQueryElements = [&](TPersistent*, THeaderPaintInfo&, THeaderPaintElements&) { ++queryCalls; };
  TsCommonData d1(bare, true), d2(own, true), d3(query, true);
  for (TsCommonData* d : {&d1, &d2, &d3}) d->SetSkinManager(manager.get());
  {
    auto h1 = TacMainWnd::Create<TacVirtualTreeViewWnd>(bare->Handle(), &d1, manager.get(), "", false);
    auto h2 = TacMainWnd::Create<TacVirtualTreeViewWnd>(own->Handle(), &d2, manager.get(), "", false);
    auto h3 = TacMainWnd::Create<TacVirtualTreeViewWnd>(query->Handle(), &d3, manager.get(), "", false);
    for (auto* h : {h1.get(), h2.get(), h3.get()}) h->SetSkinParams();
    EXPECT_TRUE(bare->OnAdvancedHeaderDraw && bare->OnHeaderDrawQueryElements);
    EXPECT_TRUE(bare->Header()->Options().Contains(hoOwnerDraw));
    THeaderPaintInfo info;
    THeaderPaintElements elements;
    bare->OnHeaderDrawQueryElements(bare->Header(), info, elements);
    EXPECT_EQ(elements.Bits(), 27U);
    // Left alone in all three respects.
    EXPECT_FALSE(own->OnHeaderDrawQueryElements);
    EXPECT_FALSE(own->Header()->Options().Contains(hoOwnerDraw));
    // Its own query stays; the drawing event is the handler's.
    EXPECT_TRUE(query->OnAdvancedHeaderDraw);
    query->OnHeaderDrawQueryElements(query->Header(), info, elements);
    EXPECT_EQ(queryCalls, 1);
  }
  EXPECT_FALSE(bare->OnAdvancedHeaderDraw);
  EXPECT_FALSE(bare->OnHeaderDrawQueryElements);
  EXPECT_FALSE(bare->Header()->Options().Contains(hoOwnerDraw));
  ASSERT_TRUE(own->OnAdvancedHeaderDraw);
  THeaderPaintInfo info;
  own->OnAdvancedHeaderDraw(own->Header(), info, {});
  EXPECT_EQ(ownCalls, 1);
  EXPECT_FALSE(query->OnAdvancedHeaderDraw);
  ASSERT_TRUE(query->OnHeaderDrawQueryElements);
}

struct HeaderCase {
  bool down, hover;
  int state;
};

TEST_F(TreeHandler, HeaderColumnBackgroundIsTheColumnHeaderSectionInItsState) {
  auto* tree = NewGrid<TTestVirtualTree>();
  TsCommonData data(tree, true);
  data.SetSkinManager(manager.get());
  auto h = TacMainWnd::Create<TacVirtualTreeViewWnd>(tree->Handle(), &data, manager.get(), "", false);
  h->SetSkinParams();
  ASSERT_TRUE(tree->OnAdvancedHeaderDraw);
  const int colHeader = manager->GetSkinIndex("COLHEADER");
  ASSERT_GE(colHeader, 0);
  TCollectionOf<TTestColumn> columns(nullptr);  // stands for the tree's columns
  TTestColumn& column = *columns.Add();
  column.SetText(L"Name");
  std::vector<std::unique_ptr<TBitmap>> pictures;
  for (const HeaderCase c : {HeaderCase{false, false, 0}, HeaderCase{false, true, 1}, HeaderCase{true, true, 2}}) {
    SCOPED_TRACE(c.state);
    auto target = NewBitmap32(120, 40);
    THeaderPaintInfo info;
    info.TargetCanvas = target->Canvas();
    info.Column = &column;
    info.PaintRectangle = {10, 5, 90, 25};
    info.IsDownIndex = c.down;
    info.IsHoverIndex = c.hover;
    tree->OnAdvancedHeaderDraw(tree->Header(), info, THeaderPaintElements{hpeBackground});
    auto expected = NewBitmap32(80, 20);
    PaintItem(colHeader, "COLHEADER", MakeCacheInfo(data.CacheBmp()), true, c.state, TRect{0, 0, 80, 20}, TPoint{10, 5},
              expected.get(), manager.get());
    auto got = NewBitmap32(80, 20);
    BitBlt(got->Canvas()->Handle(), 0, 0, 80, 20, target->Canvas()->Handle(), 10, 5, SRCCOPY);
    EXPECT_EQ(test::Differing(got.get(), expected.get()), 0);
    // Nothing outside the rectangle.
    EXPECT_EQ(test::Pixel(target.get(), 5, 2), test::Pixel(NewBitmap32(1, 1).get(), 0, 0));
    pictures.push_back(std::move(got));
  }
  // The states look different: the test tells them apart.
  EXPECT_GT(test::Differing(pictures[0].get(), pictures[1].get()), 0);
}

TEST_F(TreeHandler, SortGlyphPointsUpOrDownWithTheSortDirection) {
  auto* tree = NewGrid<TTestVirtualTree>();
  TsCommonData data(tree, true);
  data.SetSkinManager(manager.get());
  auto h = TacMainWnd::Create<TacVirtualTreeViewWnd>(tree->Handle(), &data, manager.get(), "", false);
  h->SetSkinParams();
  TCollectionOf<TTestColumn> columns(nullptr);
  TTestColumn& column = *columns.Add();
  for (const int direction : {0, 1}) {
    SCOPED_TRACE(direction);
    tree->Header()->SetSortDirection(direction);
    const char* section = direction != 0 ? "SCROLLBTNTOP" : "SCROLLBTNBOTTOM";
    const int mask = manager->GetMaskIndex(manager->GetSkinIndex(section), section, "GLYPHMASK");
    ASSERT_TRUE(manager->IsValidImgIndex(mask));
    const TsMaskData& md = manager->Records().ma[std::size_t(mask)];
    auto target = NewBitmap32(120, 40);
    THeaderPaintInfo info;
    info.TargetCanvas = target->Canvas();
    info.Column = &column;
    info.PaintRectangle = {10, 5, 90, 35};
    info.ShowSortGlyph = true;
    info.SortGlyphPos = {60, 0};
    tree->OnAdvancedHeaderDraw(tree->Header(), info, THeaderPaintElements{hpeSortGlyph});
    // The glyph drawn by hand on the same fresh background, at x 50, centred in 30 rows.
    auto expected = NewBitmap32(80, 30);
    DrawSkinGlyph(expected.get(), TPoint{50, (30 - HeightOfImage(md)) / 2}, 0, 1, md, MakeCacheInfo(expected.get()));
    auto got = NewBitmap32(80, 30);
    BitBlt(got->Canvas()->Handle(), 0, 0, 80, 30, target->Canvas()->Handle(), 10, 5, SRCCOPY);
    EXPECT_EQ(test::Differing(got.get(), expected.get()), 0);
    EXPECT_GT(test::Differing(got.get(), NewBitmap32(80, 30).get()), 0);
  }
}

}  // namespace
}  // namespace skin
