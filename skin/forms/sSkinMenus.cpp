#include "skin/forms/sSkinMenus.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>

#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/ScopeExit.h"
#include "classlib/Utf8.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerStartup.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinRegions.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TComponent;
using classlib::TMenu;
using classlib::TMenuItem;
using classlib::TObject;
using classlib::TPopupMenu;

bool acCanHookMenu = false;
std::unique_ptr<classlib::TFont> CustomMenuFont;
TsMenuItemType CurItemType = smNormal;
int IcoLineWidth = 0;

namespace {

bool LocaleReadsRightToLeft() {
  switch (PRIMARYLANGID(LANGIDFROMLCID(GetSystemDefaultLCID()))) {
    case LANG_ARABIC:
    case LANG_HEBREW:
    case LANG_FARSI:
    case LANG_URDU: return true;
    default: return false;
  }
}

// The cached backgrounds of open pop-ups, shared by every manager's menus.
struct TacMenuCacheEntry {
  TacMenuInfo Info;
  std::unique_ptr<TBitmap> Bmp;
};
std::vector<TacMenuCacheEntry> g_menuInfoArray;
// One background bitmap kept from a dropped entry: the next pop-up of the same size paints into it
// instead of making a DIB section of its own (making and freeing one is slow to come).
std::unique_ptr<TBitmap> g_spareBg;

void DropEntries(const std::function<bool(const TacMenuCacheEntry&)>& Which) {
  for (TacMenuCacheEntry& e : g_menuInfoArray)
    if (Which(e) && e.Bmp != nullptr && g_spareBg == nullptr) g_spareBg = std::move(e.Bmp);
  std::erase_if(g_menuInfoArray, Which);
}

std::unique_ptr<TBitmap> BackgroundBitmap(int Width, int Height) {
  if (g_spareBg != nullptr && g_spareBg->Width() == Width && g_spareBg->Height() == Height) return std::move(g_spareBg);
  return NewBitmap32(Width, Height);
}

// The system's menu font, read once per pop-up: every item is measured and drawn in it, and the
// system's answer is slow to come (it is read again after the pop-up's backgrounds are dropped).
std::optional<LOGFONTW> g_systemMenuFont;

// What the extra line of the pop-up being prepared shows.
std::wstring g_extraSection, g_extraCaption;
std::unique_ptr<TBitmap> g_extraGlyph;
bool g_extraEventRunning = false;

// Menus objects alive: an item may keep a handler of a manager that is gone, which then does nothing.
std::set<const TsSkinableMenus*>& LiveMenus() {
  static std::set<const TsSkinableMenus*> live;
  return live;
}
bool Alive(const TsSkinableMenus* m) { return LiveMenus().count(m) != 0; }

// The item handlers of one menus object: a callable type of its own, so that an item's handler
// can be told apart from any other the item was given.
struct TacPopupMeasure {
  TsSkinableMenus* Menus;
  void operator()(TObject* s, TCanvas* c, int& w, int& h) const {
    if (Alive(Menus)) Menus->sMeasureItem(s, c, w, h);
  }
};
struct TacPopupDraw {
  TsSkinableMenus* Menus;
  void operator()(TObject* s, TCanvas* c, TRect r, UINT st) const {
    if (Alive(Menus)) Menus->sAdvancedDrawItem(s, c, r, st);
  }
};
struct TacLineMeasure {
  TsSkinableMenus* Menus;
  void operator()(TObject* s, TCanvas* c, int& w, int& h) const {
    if (Alive(Menus)) Menus->sMeasureLineItem(s, c, w, h);
  }
};
struct TacLineDraw {
  TsSkinableMenus* Menus;
  void operator()(TObject* s, TCanvas* c, TRect r, UINT st) const {
    if (Alive(Menus)) Menus->sAdvancedDrawLineItem(s, c, r, st);
  }
};

template <class Handler, class Event>
bool IsHandlerOf(const Event& e, const TsSkinableMenus* menus) {
  const Handler* h = e.template target<Handler>();
  return h != nullptr && h->Menus == menus;
}

std::unique_ptr<IacSkinableMenus> MakeMenus(TsSkinManager* Manager) {
  return std::make_unique<TsSkinableMenus>(Manager);
}

bool BeingDestroyed(const TComponent* c) {
  return c != nullptr && c->ComponentState().Contains(classlib::csDestroying);
}

classlib::TCustomForm* OwnerFormOf(TComponent* c) {
  for (; c != nullptr; c = c->Owner())
    if (auto* form = dynamic_cast<classlib::TCustomForm*>(c)) return form;
  return nullptr;
}

}  // namespace

bool SysLocaleMiddleEast = LocaleReadsRightToLeft();

void InstallSkinableMenus() { SetSkinableMenusFactory(&MakeMenus); }

TsSkinableMenus* SkinableMenusOf(TsSkinManager* Manager) {
  if (Manager == nullptr) return nullptr;
  InstallSkinableMenus();
  return dynamic_cast<TsSkinableMenus*>(Manager->SkinableMenus());
}

// ---- unit routines ----

TMenuItem* GetFirstItem(TMenuItem* Item) {
  TMenuItem* parent = Item != nullptr ? Item->Parent() : nullptr;
  return parent != nullptr && parent->Count() > 0 ? parent->Items(0) : Item;
}

bool Breaked(const TMenuItem* Item) {
  const TMenuItem* parent = Item->Parent();
  if (parent == nullptr) return Item->Break();
  for (int i = 0; i < parent->Count(); ++i) {
    if (parent->Items(i)->Break()) return true;
    if (parent->Items(i) == Item) return false;
  }
  return false;
}

TSize GlyphSize(TMenuItem* Item, bool OwnBitmapOnly) {
  if (Item->HasBitmap()) return {Item->Bitmap()->Width(), Item->Bitmap()->Height()};
  if (OwnBitmapOnly) return {0, 0};
  if (TMenuItem* parent = Item->Parent(); parent != nullptr && parent->SubMenuImages() != nullptr)
    return {parent->SubMenuImages()->Width(), parent->SubMenuImages()->Height()};
  if (TMenu* menu = Item->GetParentMenu(); menu != nullptr && menu->Images() != nullptr)
    return {menu->Images()->Width(), menu->Images()->Height()};
  return {16, 16};
}

int MenuTextCellHeight(int TextHeight) {
  // 5h / 4 in quarters: a remainder of two quarters is a half, which goes to the even neighbour.
  const int quarters = 5 * TextHeight;
  const int whole = quarters / 4, rest = quarters % 4;
  if (rest < 2) return whole;
  if (rest > 2) return whole + 1;
  return whole % 2 == 0 ? whole : whole + 1;
}

void AssignMenuFont(classlib::TFont* Font) {
  if (CustomMenuFont) {
    Font->Assign(CustomMenuFont.get());
    return;
  }
  if (!g_systemMenuFont) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0)) return;
    g_systemMenuFont = ncm.lfMenuFont;
  }
  const LOGFONTW& lf = *g_systemMenuFont;
  Font->SetName(lf.lfFaceName);
  Font->SetHeight(lf.lfHeight);
  classlib::TFontStyles style;
  if (lf.lfWeight >= FW_BOLD) style.Include(classlib::fsBold);
  if (lf.lfItalic) style.Include(classlib::fsItalic);
  Font->SetStyle(style);
  Font->SetCharset(lf.lfCharSet);
}

bool MenuRightToLeft(const TMenu* Menu) {
  return SysLocaleMiddleEast && Menu != nullptr && Menu->BiDiMode() != classlib::bdLeftToRight;
}

// ---- TsSkinableMenus ----

TsSkinableMenus::TsSkinableMenus(TsSkinManager* AOwner)
    : CaptionFont(std::make_unique<classlib::TFont>()), FOwner(AOwner) {
  LiveMenus().insert(this);
}

TsSkinableMenus::~TsSkinableMenus() {
  LiveMenus().erase(this);
  if (LiveMenus().empty()) g_spareBg.reset();
  FOwner = nullptr;
}

classlib::TBitmap* TsSkinableMenus::Scratch(TScratch Slot, int Width, int Height) {
  std::unique_ptr<TBitmap>& bmp = scratch_[Slot];
  Width = std::max(Width, 0);
  Height = std::max(Height, 0);
  if (bmp == nullptr || bmp->Width() != Width || bmp->Height() != Height) bmp = NewBitmap32(Width, Height);
  return bmp.get();
}

void TsSkinableMenus::SetActive(bool Value) {
  if (Value != FActive) InitItems(Value);
}

void TsSkinableMenus::UpdateMenus() {
  if (FOwner == nullptr) return;
  const auto state = FOwner->ComponentState();
  if (state.Contains(classlib::csLoading) || state.Contains(classlib::csReading) ||
      state.Contains(classlib::csDestroying))
    return;
  SetActive(FOwner->Records().SkinData.Active);
}

void TsSkinableMenus::ClearCache() {
  DropEntries([](const TacMenuCacheEntry&) { return true; });
  g_systemMenuFont.reset();
}

void TsSkinableMenus::SkinChanged() {
  ClearCache();
  SkinBorderWidth = -1;
}

void TsSkinableMenus::VisitComponent(TComponent* Component, bool A) {
  if (auto* main = dynamic_cast<classlib::TMainMenu*>(Component)) {
    InitMenuLine(main, A);
    for (int i = 0; i < main->Items()->Count(); ++i) HookItem(main->Items()->Items(i), A && FOwner->SkinnedPopups);
  } else if (auto* popup = dynamic_cast<TPopupMenu*>(Component)) {
    HookPopupMenu(popup, A && FOwner->SkinnedPopups);
  } else if (auto* item = dynamic_cast<TMenuItem*>(Component)) {
    if (dynamic_cast<classlib::TMainMenu*>(item->GetParentMenu()) == nullptr)
      HookItem(item, A && FOwner->SkinnedPopups);
  }
  for (int i = 0; i < Component->ComponentCount(); ++i) VisitComponent(Component->Components(i), A);
}

void TsSkinableMenus::InitItems(bool A) {
  FActive = A;
  if (FOwner == nullptr || FOwner->ComponentState().Contains(classlib::csDesigning)) return;
  classlib::TApplication* app = classlib::TApplication::Existing();
  if (app == nullptr) return;
  for (int i = 0; i < app->ComponentCount(); ++i) VisitComponent(app->Components(i), A);
}

void TsSkinableMenus::SetPopupHandlers(TMenuItem* Item, bool On) {
  if (On) {
    if (!Item->OnAdvancedDrawItem) Item->OnAdvancedDrawItem = TacPopupDraw{this};
    if (!Item->OnMeasureItem) Item->OnMeasureItem = TacPopupMeasure{this};
    return;
  }
  if (IsHandlerOf<TacPopupDraw>(Item->OnAdvancedDrawItem, this)) Item->OnAdvancedDrawItem = nullptr;
  if (IsHandlerOf<TacPopupMeasure>(Item->OnMeasureItem, this)) Item->OnMeasureItem = nullptr;
}

void TsSkinableMenus::SetLineHandlers(TMenuItem* Item, bool On) {
  if (On) {
    Item->OnAdvancedDrawItem = TacLineDraw{this};
    Item->OnMeasureItem = TacLineMeasure{this};
    return;
  }
  if (IsHandlerOf<TacLineDraw>(Item->OnAdvancedDrawItem, this)) Item->OnAdvancedDrawItem = nullptr;
  if (IsHandlerOf<TacLineMeasure>(Item->OnMeasureItem, this)) Item->OnMeasureItem = nullptr;
}

bool TsSkinableMenus::HookedPopupItem(const TMenuItem* Item) const {
  return IsHandlerOf<TacPopupDraw>(Item->OnAdvancedDrawItem, this);
}

namespace {
template <class F>
void ForEachBelow(TMenuItem* Item, const F& f) {
  for (int i = 0; i < Item->Count(); ++i) {
    TMenuItem* child = Item->Items(i);
    f(child);
    ForEachBelow(child, f);
  }
}
}  // namespace

void TsSkinableMenus::HookPopupMenu(TPopupMenu* Menu, bool Active) {
  if (Menu == nullptr) return;
  const bool on = Active && FOwner != nullptr && FOwner->SkinnedPopups;
  Menu->SetOwnerDraw(on);
  classlib::TMenuAnimation animation = Menu->MenuAnimation();
  if (on)
    animation.Include(classlib::maNone);
  else
    animation.Exclude(classlib::maNone);
  Menu->SetMenuAnimation(animation);
  ForEachBelow(Menu->Items(), [&](TMenuItem* item) { SetPopupHandlers(item, on); });
}

void TsSkinableMenus::HookItem(TMenuItem* MenuItem, bool Active) {
  if (MenuItem == nullptr) return;
  ForEachBelow(MenuItem, [&](TMenuItem* item) {
    if (!IsTopLine(item)) SetPopupHandlers(item, Active);
  });
}

void TsSkinableMenus::InitItem(TMenuItem* Item, bool A) {
  if (A) {
    if (IsTopLine(Item))
      SetLineHandlers(Item, true);
    else if (FOwner != nullptr && FOwner->SkinnedPopups)
      SetPopupHandlers(Item, true);
  } else {
    SetPopupHandlers(Item, false);
  }
}

void TsSkinableMenus::InitMenuLine(classlib::TMainMenu* Menu, bool A) {
  if (Menu == nullptr) return;
  TMenuItem* top = Menu->Items();
  for (int i = 0; i < top->Count(); ++i) {
    TMenuItem* item = top->Items(i);
    if (A) {
      if (FOwner == nullptr || !FOwner->Active()) continue;
      if (!FOwner->SkinnedPopups) return;
      SetLineHandlers(item, true);
    } else {
      SetLineHandlers(item, false);
    }
  }
  if (!BeingDestroyed(Menu) && top->Count() > 0) Menu->SetOwnerDraw(A);
}

bool TsSkinableMenus::IsTopLine(const TMenuItem* Item) const {
  const TMenuItem* parent = Item->Parent();
  return parent != nullptr && parent->Parent() == nullptr &&
         dynamic_cast<const classlib::TMainMenu*>(Item->GetParentMenu()) != nullptr;
}

bool TsSkinableMenus::IsPopupItem(const TMenuItem* Item) const {
  return dynamic_cast<const TPopupMenu*>(Item->GetParentMenu()) != nullptr;
}

bool TsSkinableMenus::IsDivText(const TMenuItem* Item) {
  const std::wstring& c = Item->Caption();
  return c.size() >= 2 && c.front() == L'-' && c.back() == L'-';
}

int TsSkinableMenus::ExtraWidth(const TacMenuInfo& mi) const {
  return FOwner != nullptr && FOwner->MenuSupport().UseExtraLine && mi.HaveExtraLine
             ? FOwner->MenuSupport().ExtraLineWidth
             : 0;
}

int TsSkinableMenus::GetSkinBorderWidth() {
  if (SkinBorderWidth >= 0) return SkinBorderWidth;
  if (FOwner == nullptr) return 0;
  const int mask = FOwner->GetMaskIndex(FOwner->GetSkinIndex("MAINMENU"), "MAINMENU", "BORDERSMASK");
  if (!FOwner->IsValidImgIndex(mask)) {
    SkinBorderWidth = 0;
  } else {
    const int w = FOwner->Records().ma[static_cast<std::size_t>(mask)].BorderWidth;
    SkinBorderWidth = w < 1 ? 3 : w;
  }
  return SkinBorderWidth;
}

int TsSkinableMenus::GetItemHeight(TCanvas* Canvas, TMenuItem* Item) {
  AssignMenuFont(Canvas->Font());
  if (Item->Caption() == L"-") return 2;
  const int cell = MenuTextCellHeight(Canvas->TextHeight(L"W"));
  if (IsDivText(Item)) return cell + 2 * Margin;
  return std::max(cell, GlyphSize(Item, false).cy) + 2 * Margin;
}

bool TsSkinableMenus::DecideExtraLine(TMenuItem* FirstItem, bool Guarded) {
  if (Guarded && g_extraEventRunning) return false;
  if (FOwner == nullptr || FOwner->ComponentState().Contains(classlib::csDesigning)) return false;
  if (FirstItem != nullptr && FirstItem->Name() == L"SkinSelectItem") return false;
  g_extraEventRunning = true;
  const classlib::TScopeExit done([] { g_extraEventRunning = false; });
  g_extraSection = L"EXTRALINE";
  g_extraGlyph.reset();
  g_extraCaption = L"Use OnGetExtraLineData event";
  bool visible = true;
  if (FOwner->OnGetMenuExtraLineData)
    FOwner->OnGetMenuExtraLineData(FirstItem, g_extraSection, g_extraCaption, g_extraGlyph, visible);
  std::erase(g_extraCaption, L'&');
  if (!visible) g_extraGlyph.reset();
  return visible;
}

void TsSkinableMenus::sMeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item == nullptr || BeingDestroyed(item)) return;
  acCanHookMenu = true;
  TacMenuInfo mi = GetMenuInfo(item, 0, 0, nullptr);
  CurItemType = item->Caption() == L"-" ? smDivider : IsDivText(item) ? smCaption : smNormal;
  if (mi.FirstItem == nullptr) {
    mi.FirstItem = GetFirstItem(item);
    mi.HaveExtraLine = DecideExtraLine(mi.FirstItem, true);
  }
  AssignMenuFont(ACanvas->Font());
  if (classlib::TCustomForm* form = OwnerFormOf(item->GetParentMenu()))
    ACanvas->Font()->SetCharset(form->Font()->Charset());
  if (item->Default()) {
    classlib::TFontStyles style = ACanvas->Font()->Style();
    ACanvas->Font()->SetStyle(style.Include(classlib::fsBold));
  }
  std::wstring text;
  switch (CurItemType) {
    case smCaption: text = L"-" + item->Caption() + L"-"; break;
    case smDivider: break;
    default:
      text = item->Caption();
      if (item->ShortCut() != 0) text += classlib::ShortCutToText(item->ShortCut());
      break;
  }
  RECT r{0, 0, 1, 0};
  if (!text.empty())
    DrawTextW(ACanvas->TextHandle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  const int w = text.empty() ? 0 : r.right - r.left;
  Width = 2 * GlyphSize(item, false).cx + w + 3 * Margin + Spacing;
  if (!Breaked(item)) Width += ExtraWidth(mi);
  Height = GetItemHeight(ACanvas, item);
}

void TsSkinableMenus::sMeasureLineItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item == nullptr || BeingDestroyed(item)) return;
  Height = GetSystemMetrics(SM_CYMENU) - 1;
  AssignMenuFont(ACanvas->Font());
  std::wstring caption = item->Caption();
  std::erase(caption, L'&');
  Width = ACanvas->TextWidth(caption);
  TMenu* menu = item->GetParentMenu();
  if (menu != nullptr && menu->Images() != nullptr && item->ImageIndex() >= 0)
    Width += menu->Images()->Width() + 6;
  else if (item->HasBitmap())
    Width += item->Bitmap()->Width() + 6;
}

int TsSkinableMenus::ParentHeight(TCanvas* Canvas, TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (parent == nullptr) return 0;
  int tallest = 0, column = 0;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (!it->Visible()) continue;
    if (it->Break()) column = 0;
    column += GetItemHeight(Canvas, it);
    tallest = std::max(tallest, column);
  }
  return tallest;
}

int TsSkinableMenus::ParentWidth(TCanvas* Canvas, TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (parent == nullptr) return 0;
  int total = 0, widest = 0;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (!it->Visible()) continue;
    if (it->Break() && i > 0) {
      total += widest + 12 + 4;
      widest = 0;
    }
    int w = 0, h = 0;
    sMeasureItem(it, Canvas, w, h);
    widest = std::max(widest, w);
  }
  return total + widest + 12;
}

TacMenuInfo TsSkinableMenus::GetMenuInfo(TMenuItem* Item, int aWidth, int aHeight, HWND aWnd) {
  if (Item != nullptr) {
    TMenuItem* first = GetFirstItem(Item);
    for (int pass = 0; pass < 2; ++pass) {
      for (const auto& e : g_menuInfoArray)
        if (e.Info.FirstItem == first) return e.Info;
      if (aWidth == 0 || pass == 1) break;
      PrepareMenuBG(first, aWidth, aHeight, aWnd);
    }
    return {};
  }
  for (const auto& e : g_menuInfoArray)
    if (e.Info.Wnd == aWnd) return e.Info;
  return {};
}

void TsSkinableMenus::ForgetMenuInfo(TMenuItem* FirstItem) {
  DropEntries([FirstItem](const TacMenuCacheEntry& e) { return e.Info.FirstItem == FirstItem; });
}

void TsSkinableMenus::PrepareMenuBG(TMenuItem* Item, int Width, int Height, HWND Wnd) {
  if (FOwner == nullptr || FOwner->ComponentState().Contains(classlib::csDesigning)) return;
  TacMenuInfo info;
  info.FirstItem = Item;
  info.Wnd = Wnd;
  info.HaveExtraLine = DecideExtraLine(Item, false);
  const int extra = ExtraWidth(info);
  const int mainMenu = FOwner->GetSkinIndex("MAINMENU");
  // A kept bitmap holds an older picture: only a background painted over all of it may take it.
  auto bmp = FOwner->IsValidSkinIndex(mainMenu) ? BackgroundBitmap(std::max(Width, 0), std::max(Height, 0))
                                                : NewBitmap32(std::max(Width, 0), std::max(Height, 0));
  TCanvas* canvas = bmp->Canvas();
  canvas->Lock();
  const classlib::TScopeExit unlock([canvas] { canvas->Unlock(); });
  IcoLineWidth = Margin + GlyphSize(Item, false).cx + Spacing;
  if (FOwner->IsValidSkinIndex(mainMenu)) {
    const int sbw = GetSkinBorderWidth();
    const TRect whole{0, 0, Width, Height};
    PaintItemBG(mainMenu, "MAINMENU", EmptyCI, 0, whole, TPoint{}, bmp.get(), FOwner, -1, -1, clFuchsia);
    TMenu* menu = Item->GetParentMenu();
    classlib::TCustomForm* form = OwnerFormOf(menu);
    const bool rightExStyle =
        form != nullptr && form->HandleAllocated() && (GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_RIGHT);
    if (!rightExStyle) {
      const std::string icoSection = classlib::Utf8Encode(FOwner->MenuSupport().IcoLineSkin);
      const int ico = FOwner->GetSkinIndex(icoSection);
      if (FOwner->IsValidSkinIndex(ico) && IcoLineWidth > 0 && Height - 2 * sbw > 0) {
        TBitmap* strip = Scratch(scIconColumn, IcoLineWidth, Height - 2 * sbw);
        const TPoint at{extra + sbw, sbw};
        PaintItem(ico, icoSection, MakeCacheInfo(bmp.get()), true, 0, TRect{0, 0, strip->Width(), strip->Height()}, at,
                  strip, FOwner);
        BitBlt(bmp->Canvas()->Handle(), at.X, at.Y, strip->Width(), strip->Height(), strip->Canvas()->Handle(), 0, 0,
               SRCCOPY);
      }
    }
    const int border = FOwner->GetMaskIndex(mainMenu, "MAINMENU", "BORDERSMASK");
    if (FOwner->IsValidImgIndex(border))
      DrawSkinRect(bmp.get(), whole, true, EmptyCI, FOwner->Records().ma[static_cast<std::size_t>(border)], 0, false);
    if (FOwner->MenuSupport().UseExtraLine && info.HaveExtraLine) {
      const std::string section = classlib::Utf8Encode(g_extraSection);
      const int idx = FOwner->GetSkinIndex(section);
      if (FOwner->IsValidSkinIndex(idx) && Height - 2 * sbw > 0 && extra > 0) {
        TBitmap* strip = Scratch(scExtraLine, extra, Height - 2 * sbw);
        PaintItem(idx, section, MakeCacheInfo(bmp.get()), true, 0, TRect{0, 0, strip->Width(), strip->Height()},
                  TPoint{sbw, sbw}, strip, FOwner);
        int reserve = 12;
        if (g_extraGlyph && !g_extraGlyph->Empty()) {
          reserve += g_extraGlyph->Height() + 8;
          strip->Canvas()->Draw((strip->Width() - g_extraGlyph->Width()) / 2,
                                strip->Height() - 12 - g_extraGlyph->Height(), g_extraGlyph.get());
        }
        if (!g_extraCaption.empty()) {
          const classlib::TFont* source = FOwner->MenuSupport().ExtraLineFont.get();
          LOGFONTW lf{};
          lf.lfHeight = source->Size();
          lf.lfWeight = FW_NORMAL;
          lf.lfItalic = source->Style().Contains(classlib::fsItalic);
          lf.lfUnderline = source->Style().Contains(classlib::fsUnderline);
          lf.lfStrikeOut = source->Style().Contains(classlib::fsStrikeOut);
          lf.lfEscapement = lf.lfOrientation = -2700;
          lf.lfCharSet = form != nullptr ? form->Font()->Charset() : DEFAULT_CHARSET;
          wcsncpy(lf.lfFaceName, source->Name().c_str(), LF_FACESIZE - 1);
          HFONT font = CreateFontIndirectW(&lf);
          HDC dc = strip->Canvas()->Handle();
          HGDIOBJ old = SelectObject(dc, font);
          SetBkMode(dc, TRANSPARENT);
          SetTextColor(dc, classlib::ColorToRGB(FOwner->Records().gd[static_cast<std::size_t>(idx)].FontColor.Color));
          TEXTMETRICW tm{};
          GetTextMetricsW(dc, &tm);
          TextOutW(dc, (strip->Width() - tm.tmHeight) / 2, strip->Height() - reserve, g_extraCaption.c_str(),
                   static_cast<int>(g_extraCaption.size()));
          SelectObject(dc, old);
          DeleteObject(font);
        }
        BitBlt(bmp->Canvas()->Handle(), sbw, sbw, strip->Width(), strip->Height(), strip->Canvas()->Handle(), 0, 0,
               SRCCOPY);
      }
      g_extraGlyph.reset();
    }
    if (MenuRightToLeft(menu))
      StretchBlt(bmp->Canvas()->Handle(), Width - 1, 0, -Width, Height, bmp->Canvas()->Handle(), 0, 0, Width, Height,
                 SRCCOPY);
    ArOR.clear();
    if (FOwner->IsValidImgIndex(border)) {
      const TsMaskData& md = FOwner->Records().ma[static_cast<std::size_t>(border)];
      AddRgn(ArOR, Width, md, false, 0);
      AddRgn(ArOR, Width, md, true, Height - md.WB);
    }
    if (Wnd != nullptr) DrawWndBorder(Wnd, bmp.get());
  }
  info.Bmp = bmp.get();
  g_menuInfoArray.push_back({info, std::move(bmp)});
}

void TsSkinableMenus::DrawMenuWindowBorder(TMenuItem* Item, HWND Wnd) {
  const TacMenuInfo mi = GetMenuInfo(Item, 0, 0, Wnd);
  if (mi.Bmp != nullptr) DrawWndBorder(Wnd, mi.Bmp);
}

void TsSkinableMenus::DrawWndBorder(HWND Wnd, TBitmap* MenuBmp) {
  if (BorderDrawing || !IsNT || MenuBmp == nullptr || Wnd == nullptr) return;
  if (SendMessageW(Wnd, SM_ALPHACMD, AlphaCmd(ACMD_SETUPDATING), 0) != 0) return;
  SendMessageW(Wnd, SM_ALPHACMD, AlphaCmd(ACMD_MENURGNCHANGED), 0);
  BorderDrawing = true;
  const classlib::TScopeExit done([this] { BorderDrawing = false; });
  HRGN rgn = CreateRectRgn(0, 0, MenuBmp->Width(), MenuBmp->Height());
  if (ArOR.empty()) {
    HRGN dot = CreateRectRgn(0, 0, 1, 1);
    CombineRgn(rgn, rgn, dot, RGN_DIFF);
    DeleteObject(dot);
  } else {
    CutRuns(rgn, ArOR);
  }
  // Setting a region has the window and those below it repainted: only a new one is set.
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  const bool same = GetWindowRgn(Wnd, current) != ERROR && EqualRgn(current, rgn);
  DeleteObject(current);
  if (same || SetWindowRgn(Wnd, rgn, TRUE) == 0) DeleteObject(rgn);
  HDC dc = GetWindowDC(Wnd);
  BitBltBorder(dc, 0, 0, MenuBmp->Width(), MenuBmp->Height(), MenuBmp->Canvas()->Handle(), 0, 0, 3);
  ReleaseDC(Wnd, dc);
}

}  // namespace skin
