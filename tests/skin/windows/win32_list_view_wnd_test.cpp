// The list-view handler on native list views under Wine: the list's colours set and given back,
// the header's columns drawn from the skin in their hot and pressed states against the section
// painted directly, a press on a divider, a header made later still hooked, and thumb drags
// turned into pixel scrolling by view style.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/windows/acListViewWnd.h"
#include "skin/windows/acSBPaint.h"
#include "skin/windows/acWndThunkWin32.h"
#include "tests/skin/windows/TargetWindow.h"
#include "tests/skin/windows/WindowsFixture.h"

namespace skin {
namespace {

using test::NativeWindow;

// The procedure the handler replaces: records the list's scroll requests.
struct Scroll {
  int dx, dy;
  friend bool operator==(const Scroll&, const Scroll&) = default;
};
WNDPROC g_listProc = nullptr;
std::vector<Scroll> g_scrolls;
LRESULT CALLBACK RecordingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == LVM_SCROLL) g_scrolls.push_back({int(wp), int(lp)});
  return CallWindowProcW(g_listProc, w, msg, wp, lp);
}

struct ListViewHandler : ::testing::Test {
  test::Owned<TsSkinManager> manager = test::ManagerWithOurSkin();
  NativeWindow parent{test::TargetClass(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400};
  HWND list = nullptr;
  THandler<TacListViewWnd> handler;
  static inline const int widths[] = {80, 60, 70};

  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
  }
  void Make(DWORD view, bool columns = true) {
    list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | view, 10, 10, 320, 220, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
    if (columns) AddColumns();
    for (int i = 0; i < 64; ++i) {
      std::wstring text = L"row " + std::to_wstring(i);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = i;
      item.pszText = text.data();
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
  void AddColumns() {
    for (int i = 0; i < 3; ++i) {
      std::wstring text = L"Col " + std::to_wstring(i);
      LVCOLUMNW c{};
      c.mask = LVCF_TEXT | LVCF_WIDTH;
      c.cx = widths[i];
      c.pszText = text.data();
      SendMessageW(list, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&c));
    }
  }
  void Hook() { handler = TacMainWnd::Create<TacListViewWnd>(list, nullptr, manager.get(), "EDIT", true); }
  void TearDown() override {
    handler.reset();
    if (IsWindow(list)) DestroyWindow(list);
  }
  HWND Header() { return FindWindowExW(list, nullptr, WC_HEADERW, nullptr); }
  RECT ItemRect(int i) {
    RECT r{};
    SendMessageW(Header(), HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // The header painted into a bitmap of its size.
  std::unique_ptr<classlib::TBitmap> RenderHeader() {
    RECT c{};
    GetClientRect(Header(), &c);
    auto bmp = NewBitmap32(c.right, c.bottom);
    handler->PaintHeader(bmp->Canvas()->Handle());
    return bmp;
  }
  // Pixels of R in Got that differ from the header section painted straight in State; with
  // Caption, the text band inside the column is left out.
  int Differing(classlib::TBitmap* got, RECT r, int state, bool caption) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    auto want = NewBitmap32(w, h);
    EXPECT_GE(PaintSection(want.get(), "COLHEADER", "BUTTON", state, manager.get(), TPoint{0, 0}, classlib::clWindow,
                           nullptr),
              0);
    const TImage32View g = View32(got), e = View32(want.get());
    int n = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (caption && x >= 4 && x < w - 4 && y >= 1 && y < h - 1) continue;
        const TsColor_ p = g.At(r.left + x, y), q = e.At(x, y);
        if (p.R != q.R || p.G != q.G || p.B != q.B) ++n;
      }
    return n;
  }
};

TEST_F(ListViewHandler, ListColoursAreTheSkinsWhileHookedAndItsOwnAfterwards) {
  Make(LVS_REPORT);
  SendMessageW(list, LVM_SETBKCOLOR, 0, 0x112233);
  SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, 0x223344);
  SendMessageW(list, LVM_SETTEXTCOLOR, 0, 0x334455);
  const LONG_PTR headerProc = GetWindowLongPtrW(Header(), GWLP_WNDPROC);
  Hook();
  handler->SetSkinParams();
  const TsGeneralData& edit = manager->Records().gd[std::size_t(manager->GetSkinIndex("EDIT"))];
  EXPECT_EQ(COLORREF(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), classlib::ColorToRGB(edit.Color));
  EXPECT_EQ(COLORREF(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0)), classlib::ColorToRGB(edit.Color));
  EXPECT_EQ(COLORREF(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)), classlib::ColorToRGB(edit.FontColor.Color));
  EXPECT_EQ(handler->FhWndHeader, Header());
  EXPECT_NE(GetWindowLongPtrW(Header(), GWLP_WNDPROC), headerProc);
  handler.reset();
  EXPECT_EQ(SendMessageW(list, LVM_GETBKCOLOR, 0, 0), 0x112233);
  EXPECT_EQ(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0), 0x223344);
  EXPECT_EQ(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0), 0x334455);
  EXPECT_EQ(GetWindowLongPtrW(Header(), GWLP_WNDPROC), headerProc);
}

TEST_F(ListViewHandler, HeaderColumnsHotAndPressedAndTheRestPlain) {
  Make(LVS_REPORT);
  Hook();
  HWND header = Header();
  const RECT c0 = ItemRect(0), c1 = ItemRect(1), c2 = ItemRect(2);
  RECT client{};
  GetClientRect(header, &client);
  ASSERT_GT(client.right, c2.right) << "the header is wider than its columns";
  const RECT rest{c2.right, 0, client.right, client.bottom};

  // The mouse over the second column.
  POINT over{(c1.left + c1.right) / 2, (c1.top + c1.bottom) / 2};
  ClientToScreen(header, &over);
  SendMessageW(header, WM_NCHITTEST, 0, MAKELPARAM(over.x, over.y));
  EXPECT_EQ(handler->HoverColIndex, 1);
  auto hot = RenderHeader();
  EXPECT_EQ(Differing(hot.get(), c0, 0, true), 0);
  EXPECT_EQ(Differing(hot.get(), c1, 1, true), 0);
  EXPECT_EQ(Differing(hot.get(), rest, 0, false), 0);
  EXPECT_GT(Differing(hot.get(), c1, 0, true), 0) << "the hot look differs from the normal one";

  // A press on the third column: it alone is drawn pressed.
  const LPARAM inThird = MAKELPARAM((c2.left + c2.right) / 2, (c2.top + c2.bottom) / 2);
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, inThird);
  EXPECT_EQ(handler->FPressedColumn, 2);
  auto pressed = RenderHeader();
  EXPECT_EQ(Differing(pressed.get(), c1, 0, true), 0);
  EXPECT_EQ(Differing(pressed.get(), c2, 2, true), 0);
  SendMessageW(header, WM_LBUTTONUP, 0, inThird);
  EXPECT_EQ(handler->FPressedColumn, -1);

  // A press on the divider after the first column presses no column.
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c0.right, (c0.top + c0.bottom) / 2));
  EXPECT_EQ(handler->FPressedColumn, -1);
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(c0.right, (c0.top + c0.bottom) / 2));

  // The mouse back in the list's own area: no column is hot any more.
  POINT inList{100, 150};
  ClientToScreen(list, &inList);
  SendMessageW(list, WM_NCHITTEST, 0, MAKELPARAM(inList.x, inList.y));
  EXPECT_EQ(handler->HoverColIndex, -1);
}

TEST_F(ListViewHandler, SortArrowRightOfTheCaption) {
  Make(LVS_REPORT);
  Hook();
  HWND header = Header();
  const RECT c0 = ItemRect(0);
  auto plain = RenderHeader();
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  SendMessageW(header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.fmt |= HDF_SORTUP;
  SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  auto sorted = RenderHeader();

  // The arrow's place by hand: the caption from 4 pixels in, its width and 5 pixels, 6 more, then
  // the glyph's cell, centred in the column's height less a pixel above and below.
  const TConstantSkinData& cd = manager->Records().ConstData;
  const int mask = manager->GetMaskIndex(cd.IndexScrollTop, "SCROLLBTNTOP", "GLYPHMASK");
  ASSERT_TRUE(manager->IsValidImgIndex(mask));
  const TsMaskData& md = manager->Records().ma[std::size_t(mask)];
  const int cellW = (md.R.Right - md.R.Left) / std::max(1, int(md.ImageCount));
  const int cellH = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, L"Col 0", 5, &extent);
  DeleteDC(dc);
  const RECT arrow{c0.left + 4 + extent.cx + 5 + 6, (c0.bottom - c0.top - 2 - cellH) / 2, 0, 0};
  const TImage32View a = View32(plain.get()), b = View32(sorted.get());
  int inside = 0, outside = 0;
  for (int y = c0.top; y < c0.bottom; ++y)
    for (int x = c0.left; x < c0.right; ++x) {
      const TsColor_ p = a.At(x, y), q = b.At(x, y);
      if (p.R == q.R && p.G == q.G && p.B == q.B) continue;
      const bool in = x >= arrow.left && x < arrow.left + cellW && y >= arrow.top && y < arrow.top + cellH;
      ++(in ? inside : outside);
    }
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

// A list view of another library that publishes its small images.
class TImagedListView : public classlib::TListView {
 public:
  using TListView::TListView;
  std::wstring ClassName() const override { return L"TImagedListView"; }
  classlib::TCustomImageList* SmallImages() const { return images_; }
  void SetSmallImages(classlib::TCustomImageList* v) { images_ = v; }
  static void DeclareProperties(classlib::TClassDecl<TImagedListView>& d) {
    d.Component<classlib::TCustomImageList>(L"SmallImages", &TImagedListView::SmallImages,
                                            &TImagedListView::SetSmallImages);
  }

 private:
  classlib::TCustomImageList* images_ = nullptr;
};

TEST_F(ListViewHandler, ColumnImageZeroIsDrawnFromTheSmallImages) {
  classlib::RegisterClass<TImagedListView, classlib::TListView>(L"TImagedListView");
  test::Owned<classlib::TForm> form{new classlib::TForm(nullptr)};
  auto* images = new classlib::TImageList(form.get(), 16, 16);
  auto red = NewBitmap32(16, 16);
  const RECT all{0, 0, 16, 16};
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(red->Canvas()->Handle(), &all, brush);
  DeleteObject(brush);
  ASSERT_EQ(images->Add(red.get()), 0);
  auto* view = new TImagedListView(form.get());
  view->SetParent(form.get());
  view->SetBounds(0, 0, 300, 200);
  view->SetViewStyle(classlib::vsReport);
  view->Columns()->Add()->SetCaption(L"Name");
  view->SetSmallImages(images);
  list = view->Handle();
  TsCommonData data(view, true);
  data.SetSkinManager(manager.get());
  handler = TacMainWnd::Create<TacListViewWnd>(list, &data, manager.get(), "EDIT", true);
  HWND header = Header();
  ASSERT_EQ(handler->FhWndHeader, header);
  HDITEMW item{};
  item.mask = HDI_FORMAT | HDI_IMAGE;
  SendMessageW(header, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  item.fmt |= HDF_IMAGE;
  item.iImage = 0;
  SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  auto got = RenderHeader();
  // The image 4 pixels in (its width and 4 before the caption, which starts 4 in and moves right
  // by as much), centred in the column's height less a pixel above and below.
  const RECT c0 = ItemRect(0);
  const int top = (c0.bottom - c0.top - 2 - 16) / 2;
  const TImage32View g = View32(got.get());
  int inside = 0, outside = 0;
  for (int y = c0.top; y < c0.bottom; ++y)
    for (int x = c0.left; x < c0.right; ++x) {
      const TsColor_ p = g.At(x, y);
      if (!(p.R == 255 && p.G == 0 && p.B == 0)) continue;
      ++(x >= 4 && x < 20 && y >= top && y < top + 16 ? inside : outside);
    }
  const int rows = std::min<int>(top + 16, c0.bottom - c0.top) - std::max(top, 0);  // clipped to the column
  EXPECT_EQ(inside, 16 * rows);
  EXPECT_EQ(outside, 0);
  handler.reset();
  list = nullptr;
}

TEST_F(ListViewHandler, HeaderMadeAfterHookingIsHookedToo) {
  Make(LVS_ICON, false);
  Hook();
  ASSERT_EQ(Header(), nullptr) << "an icon view without columns has no header yet";
  EXPECT_EQ(handler->FhWndHeader, nullptr);
  AddColumns();
  SendMessageW(list, LVM_SETVIEW, LV_VIEW_DETAILS, 0);
  HWND header = Header();
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(handler->FhWndHeader, header);
  const RECT c0 = ItemRect(0);
  POINT over{(c0.left + c0.right) / 2, (c0.top + c0.bottom) / 2};
  ClientToScreen(header, &over);
  SendMessageW(header, WM_NCHITTEST, 0, MAKELPARAM(over.x, over.y));
  EXPECT_EQ(handler->HoverColIndex, 0) << "the new header runs through the handler";
}

TEST_F(ListViewHandler, SecondHeaderIsHookedAndTheFirstGivenBack) {
  Make(LVS_REPORT);
  HWND first = Header();
  const LONG_PTR firstProc = GetWindowLongPtrW(first, GWLP_WNDPROC);
  Hook();
  ASSERT_EQ(handler->FhWndHeader, first);
  HWND second = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD, 0, 0, 100, 20, list, nullptr, nullptr, nullptr);
  ASSERT_NE(second, nullptr);
  const LONG_PTR headerClassProc = GetClassLongPtrW(second, GCLP_WNDPROC);
  EXPECT_EQ(handler->FhWndHeader, second);
  EXPECT_NE(GetWindowLongPtrW(second, GWLP_WNDPROC), headerClassProc);
  EXPECT_EQ(GetWindowLongPtrW(first, GWLP_WNDPROC), firstProc);
  handler.reset();
  EXPECT_EQ(GetWindowLongPtrW(second, GWLP_WNDPROC), headerClassProc);
  DestroyWindow(second);
}

TEST_F(ListViewHandler, HookPaintUnhookCyclesLeaveNoHandlerOrThunk) {
  Make(LVS_REPORT);
  const LONG_PTR headerProc = GetWindowLongPtrW(Header(), GWLP_WNDPROC);
  const std::size_t handlers = TacMainWnd::LiveCount(), thunks = TacWndThunk::LiveCount();
  auto bmp = NewBitmap32(320, 220);
  for (int i = 0; i < 50; ++i) {
    Hook();
    SendMessageW(list, WM_PRINT, WPARAM(bmp->Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT);
    handler.reset();
  }
  EXPECT_EQ(TacMainWnd::LiveCount(), handlers);
  EXPECT_EQ(TacWndThunk::LiveCount(), thunks);
  EXPECT_EQ(GetWindowLongPtrW(Header(), GWLP_WNDPROC), headerProc);
}

TEST_F(ListViewHandler, ThumbDragsScrollByPixelsInTheViewsUnits) {
  Make(LVS_REPORT);
  g_listProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
  Hook();
  EXPECT_EQ(SendMessageW(list, SM_ALPHACMD, AlphaCmd(ACMD_SCROLLBEGIN), 0), 1) << "asks for 32-bit positions";
  struct Case {
    const char* name;
    DWORD view;
    bool itemWidths, itemHeights;  // horizontal drags in item widths, vertical in item heights
  } const cases[] = {
      {"icon", LV_VIEW_ICON, false, false},
      {"small icon", LV_VIEW_SMALLICON, false, false},
      {"list", LV_VIEW_LIST, true, false},
      {"report", LV_VIEW_DETAILS, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SendMessageW(list, LVM_SETVIEW, c.view, 0);
    RECT item{};
    item.left = LVIR_BOUNDS;
    ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)));
    const int w = c.itemWidths ? item.right - item.left : 1, h = c.itemHeights ? item.bottom - item.top : 1;
    ASSERT_GT(w * h, 0);
    g_scrolls.clear();
    ScrollState().nLastSBPos = 3;
    SendMessageW(list, WM_VSCROLL, SB_THUMBTRACK, 7);                 // the position in LParam
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1), 0);  // in the high word
    ScrollState().nLastSBPos = 5;
    SendMessageW(list, WM_VSCROLL, SB_THUMBTRACK, 5);  // no move: nothing
    SendMessageW(list, WM_HSCROLL, SB_THUMBTRACK, 9);
    const std::vector<Scroll> want{{0, 4 * h}, {0, -2 * h}, {4 * w, 0}};
    EXPECT_EQ(g_scrolls, want);
  }
  ScrollState() = {};
  handler.reset();
  SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_listProc));
}

}  // namespace
}  // namespace skin
