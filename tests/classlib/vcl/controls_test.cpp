// The plain controls' behaviours the configurator relies on, and forms read from RCDATA.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Buttons.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "vcl_fixture.h"

using namespace classlib;
using namespace vcltest;

namespace {

// ---- a form read from the executable's resources ----

class TResForm : public TForm {
 public:
  TResForm(TComponent* owner, const std::wstring& resource) : TForm(owner) { InitDescription(resource); }
  explicit TResForm(TComponent* owner) : TResForm(owner, L"") {}
  std::wstring ClassName() const override { return L"TResForm"; }

  TMaskEdit* Edit1 = nullptr;
  TButton* ButtonOK = nullptr;
  TButton* ButtonCancel = nullptr;
  TPopupMenu* Menu1 = nullptr;
  std::vector<std::wstring> clicks;
  int shows = 0;

  void ButtonClick(TObject* sender) { clicks.push_back(static_cast<TComponent*>(sender)->Name()); }
  void FormShow(TObject*) {
    ++shows;
    Edit1->SetText(L"");
  }
  void Edit1KeyDown(TObject*, WORD&, TShiftState) {}

 protected:
  void DeclareBindings(TFormBindings& b) override {
    b.Field(L"Edit1", Edit1)
        .Field(L"ButtonOK", ButtonOK)
        .Field(L"ButtonCancel", ButtonCancel)
        .Field(L"Menu1", Menu1)
        .Handler(L"ButtonClick", &TResForm::ButtonClick)
        .Handler(L"FormShow", &TResForm::FormShow)
        .Handler(L"Edit1KeyDown", &TResForm::Edit1KeyDown);
  }
};

class Controls : public ::testing::Test {
 protected:
  void SetUp() override { RegisterClass<TResForm, TForm>(L"TResForm"); }
  void TearDown() override {
    if (form) Free(form);
    Pump();
  }
  TForm* MakeForm() {
    form = Create<TForm>(Application);
    form->SetBounds(50, 50, 500, 400);
    return form;
  }
  template <class T>
  T* Make(TWinControl* parent, int l, int t, int w, int h) {
    T* c = Create<T>(form);
    c->SetParent(parent);
    c->SetBounds(l, t, w, h);
    return c;
  }
  TForm* form = nullptr;
};

TEST_F(Controls, FormFromResourceHasItsComponentsHandlersAndForwardReferences) {
  auto* f = Create<TResForm>(Application);
  form = f;
  EXPECT_EQ(f->Caption(), L"Ввод пароля");
  EXPECT_EQ(f->BorderStyle(), bsDialog);
  ASSERT_NE(f->ButtonCancel, nullptr);
  EXPECT_EQ(f->ButtonCancel->PopupMenu(), f->Menu1) << "a reference to a component described later";
  ASSERT_EQ(f->Menu1->Items()->Count(), 1);
  TMenuItem* item = f->Menu1->Items()->Items(0);
  EXPECT_EQ(item->Caption(), L"Первый");
  EXPECT_EQ(item->Tag(), 7);
  item->Click();
  EXPECT_EQ(f->clicks, (std::vector<std::wstring>{L"Item1"})) << "a menu item's sender is the item";
  EXPECT_EQ(f->Edit1->PasswordChar(), L'*');
  f->Edit1->SetText(L"secret");
  PostMessageW(f->ButtonCancel->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f->ShowModal(), mrCancel);
  EXPECT_EQ(f->shows, 1);
  EXPECT_EQ(f->Edit1->Text(), L"") << "OnShow ran";
  EXPECT_EQ(f->clicks.back(), L"ButtonCancel");
  RECT client{};
  GetClientRect(f->Handle(), &client);
  EXPECT_EQ(client.right, 224);
  EXPECT_EQ(client.bottom, 129);
  EXPECT_EQ(SendMessageW(f->Edit1->Handle(), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_EQ(FindChild(f->Handle(), L"Button", L"Cansel"), f->ButtonCancel->Handle());
}

TEST_F(Controls, MalformedDescriptionsNameTheirLine) {
  struct Case {
    const wchar_t* resource;
    const wchar_t* line;
    const wchar_t* mention;
  };
  const Case cases[] = {
      {L"TBADFORM", L"line 5", L"TBADFORM"},      // a missing '='
      {L"TBADPROP", L"line 5", L"tlMiddle"},      // a value the property does not know
      {L"TNOSUCHFORM", nullptr, L"TNOSUCHFORM"},  // not among the resources at all
  };
  for (const Case& c : cases) {
    try {
      auto* f = new TResForm(Application, c.resource);
      Free(f);
      ADD_FAILURE() << "no error for " << std::string(c.resource, c.resource + wcslen(c.resource));
    } catch (const EFormError& e) {
      if (c.line) EXPECT_NE(e.Message().find(c.line), std::wstring::npos) << e.what();
      EXPECT_NE(e.Message().find(c.mention), std::wstring::npos) << e.what();
    }
  }
  EXPECT_EQ(Screen->FindForm(L"BadForm1"), nullptr) << "a form that failed to read is gone";
}

TEST_F(Controls, PageControlIndexRules) {
  MakeForm();
  auto* pc = Make<TPageControl>(form, 8, 8, 400, 250);
  pc->SetMultiLine(true);
  pc->SetStyle(tsFlatButtons);
  std::vector<TTabSheet*> sheets;
  for (int i = 0; i < 4; ++i) {
    auto* s = Create<TTabSheet>(form);
    s->SetPageControl(pc);
    s->SetCaption(L"Страница " + std::to_wstring(i));
    sheets.push_back(s);
  }
  int changes = 0;
  pc->OnChange = [&](TObject*) { ++changes; };
  ShowActive(form);
  EXPECT_EQ(pc->ActivePageIndex(), 0);
  const LONG_PTR style = GetWindowLongPtrW(pc->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & TCS_MULTILINE);
  EXPECT_TRUE(style & TCS_FLATBUTTONS);
  EXPECT_EQ(GetParent(sheets[2]->Handle()), pc->Handle()) << "sheets are windows inside the tab control";

  pc->SetActivePageIndex(2);
  EXPECT_EQ(pc->ActivePageIndex(), 2);
  EXPECT_EQ(SendMessageW(pc->Handle(), TCM_GETCURSEL, 0, 0), 2);
  EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
  EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
  for (int bad : {-1, 4, 99}) {
    pc->SetActivePageIndex(bad);
    EXPECT_EQ(pc->ActivePageIndex(), 2) << "index " << bad << " is refused";
  }
  sheets[3]->SetTabVisible(false);
  EXPECT_EQ(SendMessageW(pc->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
  pc->SetActivePageIndex(3);
  EXPECT_EQ(pc->ActivePageIndex(), 2) << "a page without a tab is refused";
  sheets[2]->SetTabVisible(false);
  EXPECT_EQ(pc->ActivePageIndex(), 1) << "hiding the active tab activates a neighbour";
  EXPECT_EQ(SendMessageW(pc->Handle(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(changes, 0) << "changes from code run no OnChange";

  // A click on the first tab is a user change.
  RECT tab{};
  SendMessageW(pc->Handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  SendMessageW(pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(pc->Handle(), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(pc->ActivePageIndex(), 0);
  EXPECT_EQ(changes, 1);
}

void CALLBACK CloseMenuSoon(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EndMenu();
}

TEST_F(Controls, StatusBarPanelsClicksAndPopupMenu) {
  MakeForm();
  auto* bar = Create<TStatusBar>(form);
  bar->SetParent(form);
  const int widths[] = {60, 60, 200, 50};
  const TAlignment aligns[] = {taCenter, taCenter, taCenter, taRightJustify};
  for (int i = 0; i < 4; ++i) {
    TStatusPanel* p = bar->Panels()->Add();
    p->SetWidth(widths[i]);
    p->SetAlignment(aligns[i]);
  }
  bar->Panels()->Items(1)->SetText(L"?");
  auto* image = Create<TImage>(form);
  image->SetParent(bar);
  image->SetBounds(20, 2, 16, 16);
  image->SetEnabled(false);
  int clicks = 0, popups = 0;
  bar->OnClick = [&](TObject*) { ++clicks; };
  auto* menu = Create<TPopupMenu>(form);
  menu->OnPopup = [&](TObject*) {
    ++popups;
    SetTimer(nullptr, 0, 50, &CloseMenuSoon);
  };
  auto* item = Create<TMenuItem>(menu);
  item->SetCaption(L"COM1");
  menu->Items()->Add(item);
  bar->SetPopupMenu(menu);
  ShowActive(form);
  HWND h = bar->Handle();
  EXPECT_EQ(WindowClass(h), L"msctls_statusbar32");
  EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight()) << "aligned to the bottom";
  EXPECT_EQ(SendMessageW(h, SB_GETPARTS, 0, 0), 4);
  bar->Panels()->Items(2)->SetText(L"Выполнено, OK");
  wchar_t text[128] = {};
  SendMessageW(h, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_NE(std::wstring(text).find(L"Выполнено, OK"), std::wstring::npos);
  // A left click on the disabled image is the bar's.
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 8));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(25, 8));
  EXPECT_EQ(clicks, 1);
  SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 8));
  SendMessageW(h, WM_RBUTTONUP, 0, MAKELPARAM(100, 8));
  EXPECT_EQ(popups, 1) << "a right click opens the pop-up menu once";
  EXPECT_EQ(clicks, 1);
  bar->SetTag(1);
  EXPECT_EQ(GetOrdProp(bar, L"Tag"), 1);
}

// Two 16 x 16 images: red, then blue.
TImageList* RedAndBlue(TComponent* owner) {
  auto* list = Create<TImageList>(owner);
  for (TColor c : {clRed, clBlue}) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(16, 16);
    b.Canvas()->Brush()->SetColor(c);
    b.Canvas()->FillRect({0, 0, 16, 16});
    list->Add(&b, nullptr);
  }
  return list;
}

TEST_F(Controls, BitBtnShowsTheImageItsIndexNames) {
  MakeForm();
  TImageList* images = RedAndBlue(form);
  auto* button = Make<TBitBtn>(form, 8, 8, 90, 30);
  button->SetCaption(L"Set");
  button->SetImages(images);
  button->SetImageIndex(0);
  button->SetLayout(blGlyphLeft);
  button->SetMargin(6);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  ShowActive(form);
  HWND h = button->Handle();
  EXPECT_EQ(WindowText(h), L"Set");
  EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  auto glyphPixel = [&] {
    RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(h);
    RECT r{};
    GetClientRect(h, &r);
    COLORREF c = GetPixel(dc, 6 + 3 + 8, r.bottom / 2);
    ReleaseDC(h, dc);
    return c;
  };
  EXPECT_EQ(glyphPixel(), RGB(255, 0, 0));
  button->SetImageIndex(1);
  EXPECT_EQ(glyphPixel(), RGB(0, 0, 255));
  SendMessageW(h, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  Free(images);
  EXPECT_EQ(button->Images(), nullptr) << "the button forgets a freed image list";
  glyphPixel();
}

TEST_F(Controls, PlainButtonHandsItsImagesToTheSystemButton) {
  MakeForm();
  TImageList* images = RedAndBlue(form);
  auto* button = Make<TButton>(form, 8, 8, 90, 30);
  button->SetImages(images);
  SetPropText(button, L"ImageMargins.Left", L"4");
  ShowActive(form);
  BUTTON_IMAGELIST bil{};
  SendMessageW(button->Handle(), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
  EXPECT_EQ(bil.himl, nullptr) << "no ImageIndex, no image";
  button->SetImageIndex(1);
  SendMessageW(button->Handle(), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
  ASSERT_NE(bil.himl, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(bil.himl), 6) << "one image per state";
  EXPECT_EQ(bil.margin.left, 4);
}

TEST_F(Controls, PageControlTabsShowTheirSheetsImages) {
  MakeForm();
  TImageList* images = RedAndBlue(form);
  auto* pc = Make<TPageControl>(form, 8, 8, 300, 200);
  for (int i = 0; i < 2; ++i) {
    auto* s = Create<TTabSheet>(form);
    s->SetPageControl(pc);
    s->SetCaption(L"P" + std::to_wstring(i));
    s->SetImageIndex(1 - i);
  }
  pc->SetImages(images);
  ShowActive(form);
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageW(pc->Handle(), TCM_GETIMAGELIST, 0, 0)), images->Handle());
  TCITEMW item{};
  item.mask = TCIF_IMAGE;
  SendMessageW(pc->Handle(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.iImage, 1);
}

TEST_F(Controls, PageControlFixedTabSizesOwnerDrawnTabsAndTabHints) {
  MakeForm();
  auto* pc = Make<TPageControl>(form, 8, 8, 300, 200);
  for (int i = 0; i < 2; ++i) {
    auto* s = Create<TTabSheet>(form);
    s->SetPageControl(pc);
    s->SetCaption(L"P" + std::to_wstring(i));
    s->SetHint(L"hint " + std::to_wstring(i));
  }
  pc->SetTabWidth(70);
  pc->SetTabHeight(30);
  std::vector<int> drawn;
  pc->OnDrawTab = [&](TPageControl* c, int tab, const TRect& r, bool) {
    EXPECT_NE(c->Canvas()->Handle(), nullptr);
    // The control hands over the tab's place (the selected one a little larger).
    const TRect t = c->TabRect(tab);
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    EXPECT_TRUE(x >= t.Left && x < t.Right && y >= t.Top && y < t.Bottom) << tab;
    drawn.push_back(tab);
  };
  pc->SetOwnerDraw(true);
  ShowActive(form);
  EXPECT_TRUE(GetWindowLongPtrW(pc->Handle(), GWL_STYLE) & TCS_OWNERDRAWFIXED);
  const TRect first = pc->TabRect(0);
  EXPECT_EQ(first.Right - first.Left, 70);
  EXPECT_EQ(first.Bottom - first.Top, 30);
  EXPECT_EQ(pc->TabRect(2), TRect{}) << "no third tab";
  RedrawWindow(pc->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NE(std::count(drawn.begin(), drawn.end(), 1), 0) << "the second tab was drawn by the event";

  const TRect second = pc->TabRect(1);
  THintInfo info;
  info.HintControl = pc;
  info.CursorPos = TPoint{(second.Left + second.Right) / 2, (second.Top + second.Bottom) / 2};
  EXPECT_EQ(pc->IndexOfTabAt(info.CursorPos.X, info.CursorPos.Y), 1);
  EXPECT_EQ(pc->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)), 0);
  EXPECT_EQ(info.HintStr, L"hint 1");
  info.HintStr = L"own";
  info.CursorPos = TPoint{150, 150};
  pc->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.HintStr, L"own") << "below the tabs the control's own hint stays";
}

TEST_F(Controls, AlignedAndAnchoredControlsFollowTheirParent) {
  MakeForm();
  form->SetClientSize(400, 300);
  auto* bar = Make<TStatusBar>(form, 0, 0, 100, 19);
  auto* top = Make<TPanel>(form, 0, 0, 100, 40);
  top->SetAlign(alTop);
  auto* client = Make<TPanel>(form, 0, 0, 10, 10);
  client->SetAlign(alClient);
  auto* corner = Make<TButton>(client, 300, 200, 75, 25);
  corner->SetAnchors({akRight, akBottom});
  ShowActive(form);
  EXPECT_EQ(top->Width(), 400);
  EXPECT_EQ(bar->Top(), 300 - 19);
  EXPECT_EQ(client->Top(), 40);
  EXPECT_EQ(client->Height(), 300 - 40 - 19);
  const int rightGap = client->ClientWidth() - corner->Left();
  const int bottomGap = client->ClientHeight() - corner->Top();
  form->SetClientSize(500, 350);
  Pump();
  EXPECT_EQ(top->Width(), 500);
  EXPECT_EQ(bar->Top(), 350 - 19);
  EXPECT_EQ(client->ClientWidth() - corner->Left(), rightGap);
  EXPECT_EQ(client->ClientHeight() - corner->Top(), bottomGap);
}

TEST_F(Controls, ChildrenTakeTheFormsFontUntilTheyGetTheirOwn) {
  MakeForm();
  auto* group = Make<TGroupBox>(form, 8, 8, 200, 100);
  auto* button = Make<TButton>(group, 8, 20, 80, 25);
  auto* own = Make<TButton>(group, 100, 20, 80, 25);
  SetPropText(form, L"Font.Name", L"Tahoma");
  SetPropText(form, L"Font.Size", L"10");
  SetPropText(own, L"Font.Style", L"[fsBold]");
  ShowActive(form);
  auto face = [](HWND w) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
  };
  EXPECT_STREQ(face(button->Handle()).lfFaceName, L"Tahoma");
  EXPECT_EQ(button->Font()->Size(), 10);
  EXPECT_TRUE(button->ParentFont());
  EXPECT_FALSE(own->ParentFont()) << "a font of its own ends the link to the parent";
  EXPECT_EQ(face(own->Handle()).lfWeight, FW_BOLD);
  form->Font()->SetName(L"Arial");
  EXPECT_STREQ(face(button->Handle()).lfFaceName, L"Arial") << "later changes reach the children";
  EXPECT_NE(std::wstring(face(own->Handle()).lfFaceName), L"Arial");
}

void CALLBACK AnswerFileDialog(HWND, UINT, UINT_PTR id, DWORD) {
  // The dialog runs its own loop: find it, type the name and press Open.
  struct Finder {
    static BOOL CALLBACK Each(HWND w, LPARAM p) {
      wchar_t cls[32] = {};
      GetClassNameW(w, cls, 32);
      if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
      }
      return TRUE;
    }
  };
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &Finder::Each, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  KillTimer(nullptr, id);
  SendMessageW(dialog, CDM_SETCONTROLTEXT, 0x047c /* edt1 */, reinterpret_cast<LPARAM>(L"C:\\windows\\win.ini"));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(Controls, OpenDialogReturnsTheChosenFile) {
  TOpenDialog dialog(nullptr);
  dialog.Filter = L"Settings (*.ini)|*.ini|All files|*.*";
  dialog.DefaultExt = L"ini";
  dialog.Options.Include(ofFileMustExist);
  SetTimer(nullptr, 0, 100, &AnswerFileDialog);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(SameText(dialog.FileName, L"C:\\windows\\win.ini"))
      << std::string(dialog.FileName.begin(), dialog.FileName.end());
  EXPECT_EQ(dialog.FilterIndex, 1);
}

TEST_F(Controls, ImageWithATransparentColourShowsItsParentThroughIt) {
  MakeForm();
  auto* bar = Create<TStatusBar>(form);
  bar->SetParent(form);
  auto* image = Create<TImage>(form);
  image->SetParent(bar);
  image->SetBounds(4, 2, 16, 16);
  TBitmap* bitmap = image->Picture()->Bitmap();
  bitmap->SetSize(16, 16);
  bitmap->Canvas()->Brush()->SetColor(clFuchsia);
  bitmap->Canvas()->FillRect({0, 0, 16, 16});
  bitmap->Canvas()->Brush()->SetColor(clRed);
  bitmap->Canvas()->FillRect({4, 4, 12, 12});
  bitmap->SetTransparentColor(clFuchsia);
  image->SetTransparent(true);
  ShowActive(form);
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(bar->Handle());
  const COLORREF centre = GetPixel(dc, 4 + 8, 2 + 8);
  const COLORREF corner = GetPixel(dc, 4 + 1, 2 + 1);
  ReleaseDC(bar->Handle(), dc);
  EXPECT_EQ(centre, RGB(255, 0, 0));
  EXPECT_NE(corner, RGB(255, 0, 255)) << "the transparent colour lets the bar show";
}

TEST_F(Controls, ListViewReportColumnsItemsAndCheckChanges) {
  MakeForm();
  auto* lv = Make<TListView>(form, 8, 8, 450, 200);
  lv->SetViewStyle(vsReport);
  lv->SetCheckboxes(true);
  lv->SetGridLines(true);
  lv->SetRowSelect(true);
  for (const wchar_t* caption : {L"№ (вып.)", L"Date", L"Time"}) lv->Columns()->Add()->SetCaption(caption);
  TListItem* placeholder = lv->Items()->Add();
  placeholder->SetCaption(L"-----");
  placeholder->SubItems()->Add(L"--.--.--");
  placeholder->SubItems()->Add(L"--:--:--");
  std::vector<std::pair<std::wstring, TItemChange>> changes;
  lv->OnChange = [&](TObject*, TListItem* item, TItemChange change) {
    changes.push_back({item->Caption(), change});
    if (change == ctState && item->Caption() == L"-----" && item->Checked()) item->SetChecked(false);
  };
  ShowActive(form);
  HWND h = lv->Handle();
  EXPECT_EQ(WindowClass(h), L"SysListView32");
  const DWORD ex = static_cast<DWORD>(SendMessageW(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_TRUE(ex & LVS_EX_CHECKBOXES);
  EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
  EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
  for (int i = 1; i <= 40; ++i) {
    TListItem* item = lv->Items()->Add();
    item->SetCaption(std::to_wstring(i));
    item->SubItems()->Add(L"11.12.3");
    item->SetStateIndex(i % 2);
    item->MakeVisible(false);
  }
  EXPECT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 41);
  wchar_t text[64] = {};
  LVITEMW get{};
  get.iSubItem = 1;
  get.pszText = text;
  get.cchTextMax = 64;
  SendMessageW(h, LVM_GETITEMTEXTW, 5, reinterpret_cast<LPARAM>(&get));
  EXPECT_STREQ(text, L"11.12.3");
  EXPECT_TRUE(lv->Items()->Items(5)->Checked());
  EXPECT_FALSE(lv->Items()->Items(6)->Checked());
  EXPECT_GE(SendMessageW(h, LVM_GETTOPINDEX, 0, 0), 10) << "MakeVisible scrolled to the last item";
  changes.clear();
  placeholder->SetChecked(true);
  EXPECT_FALSE(placeholder->Checked()) << "the handler unchecks the placeholder";
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.front().first, L"-----");
  EXPECT_EQ(changes.front().second, ctState);
  lv->SetRowSelect(false);
  EXPECT_FALSE(SendMessageW(h, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
  lv->Clear();
  EXPECT_EQ(SendMessageW(h, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(Controls, ComboBoxItemIndexToleratesAnyValueAndChangesOnUserSelectionOnly) {
  MakeForm();
  auto* combo = Make<TComboBox>(form, 8, 8, 150, 21);
  combo->SetStyle(csDropDownList);
  combo->Items()->Add(L"All BU");
  for (int i = 1; i <= 31; ++i) combo->Items()->Add(L"BU-№" + std::to_wstring(i));
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->ItemIndex(), 1);
  ShowActive(form);
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 1) << "the index set before the window exists";
  EXPECT_EQ(combo->Text(), L"BU-№1");
  combo->SetItemIndex(40);
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(-7);
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetItemIndex(7);
  EXPECT_EQ(combo->ItemIndex(), 7);
  EXPECT_EQ(changes, 0) << "setting ItemIndex from code is not a change";
  FocusAndWait(combo);
  PostMessageW(combo->Handle(), WM_KEYDOWN, VK_DOWN, 0x00500001);
  PostMessageW(combo->Handle(), WM_KEYUP, VK_DOWN, 0xC0500001);
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 8);
  EXPECT_EQ(changes, 1);
}

struct MaskCase {
  const wchar_t* mask;
  const wchar_t* value;  // Text given
  const wchar_t* edit;   // edit text shown
  const wchar_t* text;   // Text read back
};

TEST(EditMaskEngine, FormatsValuesIntoFixedLengthEditTexts) {
  const MaskCase cases[] = {
      {L"!CC;1;", L"00", L"00", L"00"},
      {L"!CC;1;", L"+", L"_+", L" +"},  // short values fill from the right
      {L"!CC;1;", L"", L"__", L"  "},
      {L"!CC;1;", L"ABC", L"AB", L"AB"},  // the length is fixed
      {L"!CCCC;1; ", L"0000", L"0000", L"0000"},
      {L"!CCCC;1; ", L"12", L"  12", L"  12"},
      {L"00:00;1;_", L"12:34", L"12:34", L"12:34"},
      {L"00:00;0;_", L"1234", L"12:34", L"1234"},    // literals not kept in the value
      {L"00:00;1;_", L"1x:34", L"1_:34", L"1 :34"},  // a letter does not fit a digit
      {L">LL;1;_", L"ab", L"AB", L"AB"},
      {L"AAAAAA;1; ", L"ff00", L"ff00  ", L"ff00  "},
  };
  for (const MaskCase& c : cases) {
    TEditMask mask(c.mask, L':', L'.');
    std::wstring edit = mask.FormatText(c.value);
    EXPECT_EQ(edit, c.edit) << std::string(c.mask, c.mask + wcslen(c.mask));
    EXPECT_EQ(mask.TextOf(edit), c.text) << std::string(c.mask, c.mask + wcslen(c.mask));
    EXPECT_EQ(static_cast<int>(edit.size()), mask.Length());
  }
  TEditMask twoHex(L"!CC;1;");
  EXPECT_EQ(twoHex.Length(), 2);
  EXPECT_EQ(twoHex.Blank(), L'_');
  EXPECT_TRUE(twoHex.IsComplete(L"0A"));
  EXPECT_FALSE(twoHex.IsComplete(L"0_"));
}

TEST(EditMaskEngine, TypingOverwritesSkipsLiteralsAndRefusesWhatDoesNotFit) {
  TEditMask time(L"00:00;1;_", L':', L'.');
  std::wstring edit = time.EmptyText();
  int caret = 0;
  for (wchar_t c : std::wstring(L"1234")) caret = time.TypeChar(edit, caret, c);
  EXPECT_EQ(edit, L"12:34");
  EXPECT_EQ(caret, 5);
  EXPECT_EQ(time.TypeChar(edit, caret, L'5'), -1) << "nothing after the last position";
  EXPECT_EQ(time.TypeChar(edit, 0, L'x'), -1) << "a letter in a digit position";
  EXPECT_EQ(edit, L"12:34");
  EXPECT_EQ(time.TypeChar(edit, 2, L':'), 3) << "typing the literal steps over it";
  EXPECT_EQ(time.TypeChar(edit, 2, L'9'), 4) << "a digit at a literal lands after it";
  EXPECT_EQ(edit, L"12:94");
  time.Clear(edit, 0, 5);
  EXPECT_EQ(edit, L"__:__");
}

TEST_F(Controls, MaskEditTypingRulesInTheWindow) {
  BoxRecorder boxes;
  MakeForm();
  auto* hex = Make<TMaskEdit>(form, 8, 8, 60, 21);
  hex->SetEditMask(L"!CC;1;");
  hex->SetMaxLength(2);
  hex->SetText(L"00");
  auto* other = Make<TEdit>(form, 8, 40, 60, 21);
  int changes = 0;
  hex->OnChange = [&](TObject*) { ++changes; };
  ShowActive(form);
  HWND h = hex->Handle();
  EXPECT_EQ(WindowText(h), L"00");
  EXPECT_EQ(SendMessageW(h, EM_GETLIMITTEXT, 0, 0), 2);
  FocusAndWait(hex);
  SendMessageW(h, EM_SETSEL, 0, 0);
  for (wchar_t c : std::wstring(L"3fZ")) PostMessageW(h, WM_CHAR, c, 1);
  Pump();
  EXPECT_EQ(hex->Text(), L"3f") << "two characters typed over the old ones; the third has no place";
  EXPECT_EQ(WindowText(h).size(), 2u);
  EXPECT_GE(changes, 2);
  PostMessageW(h, WM_CHAR, L'\b', 1);
  Pump();
  EXPECT_EQ(hex->EditText(), L"3_");
  EXPECT_EQ(hex->Text(), L"3 ");
  EXPECT_FALSE(hex->IsComplete());
  // Leaving an incomplete field raises nothing.
  FocusAndWait(other);
  EXPECT_TRUE(other->Focused());
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(hex->Text(), L"3 ");
  // Delete blanks the character at the caret without moving the rest.
  hex->SetText(L"AB");
  FocusAndWait(hex);
  SendMessageW(h, EM_SETSEL, 0, 0);
  PostMessageW(h, WM_KEYDOWN, VK_DELETE, 0x01530001);
  Pump();
  EXPECT_EQ(hex->EditText(), L"_B");
  // A digit picture refuses letters.
  auto* time = Make<TMaskEdit>(form, 100, 8, 60, 21);
  time->SetEditMask(L"00:00;1;_");
  FocusAndWait(time);
  SendMessageW(time->Handle(), EM_SETSEL, 0, 0);
  for (wchar_t c : std::wstring(L"1a234")) PostMessageW(time->Handle(), WM_CHAR, c, 1);
  Pump();
  EXPECT_EQ(time->Text(), L"12:34");
}

TEST_F(Controls, TimerTicksAndAnExceptionInItIsShownWithoutStoppingIt) {
  BoxRecorder boxes;
  auto* timer = Create<TTimer>(Application);
  int ticks = 0;
  timer->SetInterval(10);
  timer->OnTimer = [&](TObject*) {
    if (++ticks == 1) throw EInvalidOperation(L"tick failed");
  };
  for (int i = 0; i < 200 && ticks < 3; ++i) {
    Application->ProcessMessages();
    Sleep(5);
  }
  Free(timer);
  EXPECT_GE(ticks, 3);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, L"tick failed.");
}

TEST_F(Controls, EveryRegisteredComponentStartsWithItsDeclaredDefaults) {
  MakeForm();
  int checked = 0;
  for (const TClassInfo* cls : TClassRegistry::Instance().All()) {
    if (!cls->Create || cls->InheritsFrom(L"TCustomForm") || cls->InheritsFrom(L"TResForm")) continue;
    TComponent* c = CreateComponent(cls->Name, form);
    if (auto* control = dynamic_cast<TControl*>(c)) control->SetParent(form);
    for (const TPropInfo* p : cls->AllProperties()) {
      if (!p->HasDefault || p->Kind == TPropKind::Object) continue;
      EXPECT_TRUE(p->IsDefault(c)) << std::string(cls->Name.begin(), cls->Name.end()) << "."
                                   << std::string(p->Name.begin(), p->Name.end()) << " = "
                                   << (p->GetOrd ? p->GetOrd(c) : 0);
    }
    ++checked;
  }
  EXPECT_GT(checked, 20);
}

}  // namespace

namespace {

// A radio group that refuses every change while Locked.
class TLockedRadioGroup : public TRadioGroup {
 public:
  using TRadioGroup::TRadioGroup;
  bool Locked = false;

 protected:
  bool CanModify() override { return !Locked; }
};

TEST_F(Controls, RadioGroupMadeFromADescriptionChecksItsItemAndFollowsItsItems) {
  MakeForm();
  TFormBindings bindings(form);
  ApplyDescription(
      form,
      Obj(L"", L"TForm", {},
          {Obj(L"Radio1", L"TRadioGroup",
               {Prop(L"Left", Int(8)), Prop(L"Top", Int(8)), Prop(L"Width", Int(210)), Prop(L"Height", Int(100)),
                Prop(L"Caption", Str(L"Режим")), Prop(L"Items", List({L"a", L"b", L"c", L"d", L"e"})),
                Prop(L"ItemIndex", Int(4)), Prop(L"Columns", Int(2))})}),
      bindings);
  auto* radio = dynamic_cast<TRadioGroup*>(form->FindComponent(L"Radio1"));
  ASSERT_NE(radio, nullptr);
  ASSERT_EQ(radio->ButtonCount(), 5);
  EXPECT_EQ(radio->ItemIndex(), 4);
  EXPECT_TRUE(radio->Buttons(4)->Checked());
  // 3 buttons in the first column, each (210 - 10) / 2 wide.
  EXPECT_EQ(radio->Buttons(2)->Left(), 8);
  EXPECT_EQ(radio->Buttons(3)->Left(), 108);
  EXPECT_EQ(radio->Buttons(3)->Top(), radio->Buttons(0)->Top());
  EXPECT_EQ(radio->Buttons(0)->Width(), 100);
  EXPECT_EQ(radio->Buttons(1)->Caption(), L"b");

  radio->Items()->Delete(4);
  ASSERT_EQ(radio->ButtonCount(), 4);
  EXPECT_EQ(radio->ItemIndex(), 3);
  EXPECT_TRUE(radio->Buttons(3)->Checked());
  radio->SetColumns(40);
  EXPECT_EQ(radio->Columns(), 16);
  radio->SetItemIndex(9);
  EXPECT_EQ(radio->ItemIndex(), 3);
}

TEST_F(Controls, RadioGroupClickAsksBeforeChangingTheSelection) {
  MakeForm();
  auto* radio = Make<TLockedRadioGroup>(form, 8, 8, 150, 90);
  radio->Items()->Add(L"one");
  radio->Items()->Add(L"two");
  radio->SetItemIndex(0);
  int clicks = 0;
  radio->OnClick = [&](TObject*) { ++clicks; };
  radio->Locked = true;
  radio->Buttons(1)->Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED), 0);
  EXPECT_EQ(radio->ItemIndex(), 0);
  EXPECT_EQ(clicks, 0);
  radio->Locked = false;
  radio->Buttons(1)->Perform(CN_COMMAND, MAKEWPARAM(0, BN_CLICKED), 0);
  EXPECT_EQ(radio->ItemIndex(), 1);
  EXPECT_FALSE(radio->Buttons(0)->Checked());
  EXPECT_EQ(clicks, 1);
}

}  // namespace

namespace {

LONG_PTR StyleOf(TWinControl* c) { return GetWindowLongPtrW(c->Handle(), GWL_STYLE); }

TEST_F(Controls, MemoLinesAreItsTextCutAtLineBreaks) {
  MakeForm();
  auto* memo = Make<TMemo>(form, 8, 8, 200, 100);
  memo->Lines()->Add(L"one");
  memo->Lines()->Add(L"two");
  EXPECT_EQ(memo->Text(), L"one\r\ntwo");
  memo->Lines()->Insert(0, L"zero");
  memo->Lines()->Delete(1);
  memo->Lines()->SetStrings(1, L"2");
  EXPECT_EQ(WindowText(memo->Handle()), L"zero\r\n2");
  ASSERT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(0), L"zero");
  EXPECT_THROW(memo->Lines()->Strings(2), EListError);
  EXPECT_THROW(memo->Lines()->Delete(-1), EListError);
  memo->Lines()->SetText(L"a\nb\r\nc\r\n");
  EXPECT_EQ(memo->Text(), L"a\r\nb\r\nc");
  memo->Lines()->Clear();
  EXPECT_EQ(memo->Lines()->Count(), 0);
}

TEST_F(Controls, MemoWindowStylesFollowWordWrapAndScrollBars) {
  MakeForm();
  auto* memo = Make<TMemo>(form, 8, 8, 200, 100);
  EXPECT_TRUE(StyleOf(memo) & ES_MULTILINE);
  EXPECT_FALSE(StyleOf(memo) & ES_AUTOHSCROLL);
  memo->SetScrollBars(ssBoth);
  EXPECT_TRUE(StyleOf(memo) & WS_VSCROLL);
  EXPECT_FALSE(StyleOf(memo) & WS_HSCROLL) << "a wrapping memo has no horizontal bar";
  memo->SetText(L"kept");
  memo->SetWordWrap(false);
  EXPECT_TRUE(StyleOf(memo) & WS_HSCROLL);
  EXPECT_TRUE(StyleOf(memo) & ES_AUTOHSCROLL);
  EXPECT_EQ(memo->Text(), L"kept");
}

TEST_F(Controls, MemoTakesEnterAndTabOnlyWhenItWantsThem) {
  MakeForm();
  auto* memo = Make<TMemo>(form, 8, 8, 200, 100);
  auto* next = Make<TEdit>(form, 8, 120, 100, 21);
  ShowActive(form);
  struct Case {
    bool wantReturns, wantTabs;
    WORD key;
    const wchar_t* text;
    bool keepsFocus;
  };
  const Case cases[] = {
      {true, false, VK_RETURN, L"ab\r\n", true},
      {false, false, VK_RETURN, L"ab", true},
      {true, false, VK_TAB, L"ab", false},
      {true, true, VK_TAB, L"ab\t", true},
  };
  for (const Case& c : cases) {
    memo->SetWantReturns(c.wantReturns);
    memo->SetWantTabs(c.wantTabs);
    memo->SetText(L"ab");
    ASSERT_TRUE(FocusAndWait(memo));
    SendMessageW(memo->Handle(), EM_SETSEL, 2, 2);
    const LRESULT code = SendMessageW(memo->Handle(), WM_GETDLGCODE, 0, 0);
    EXPECT_EQ((code & DLGC_WANTALLKEYS) != 0, c.wantReturns);
    EXPECT_EQ((code & DLGC_WANTTAB) != 0, c.wantTabs);
    // The message loop translates the key into its character.
    PostMessageW(memo->Handle(), WM_KEYDOWN, c.key, LPARAM(1 | MapVirtualKeyW(c.key, MAPVK_VK_TO_VSC) << 16));
    Pump();
    EXPECT_EQ(memo->Text(), c.text) << c.wantReturns << c.wantTabs << c.key;
    EXPECT_EQ(memo->Focused(), c.keepsFocus) << c.wantReturns << c.wantTabs << c.key;
    EXPECT_EQ(next->Focused(), !c.keepsFocus);
  }
}

}  // namespace
