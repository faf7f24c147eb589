#include "skin/windows/acPageWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ImgList.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/windows/acSpinWnd.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

THandler<TacMainWnd> SpinHandler(HWND UpDown, TsSkinManager* Manager) {
  return TacMainWnd::Create<TacSpinWnd>(UpDown, nullptr, Manager, "UPDOWNBTN", true);
}

std::vector<THandler<TacPageWnd>>& PageHandlers() {
  static std::vector<THandler<TacPageWnd>> pages;
  return pages;
}

bool IsSkinnedWindow(HWND Wnd) { return SendMessageW(Wnd, SM_ALPHACMD, AlphaCmd(ACMD_ISSKINNED), 0) == 1; }

HWND FindUpDownChild(HWND Tab) {
  for (HWND child = GetWindow(Tab, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWndClassName(child) == L"msctls_updown32") return child;
  return nullptr;
}

// The form skins the child windows it has not met yet.
void SendToTopParent(HWND Wnd) {
  HWND top = Wnd;
  while (HWND parent = GetParent(top)) top = parent;
  SendMessageW(top, SM_ALPHACMD, AlphaCmd(ACMD_ADDTOADAPTER), 0);
}

bool Skinned(TsCommonData* Data) {
  return Data != nullptr && Data->GetSkinManager() != nullptr && Data->GetSkinManager()->Active();
}

}  // namespace

TacUpDownHandlerFactory acUpDownHandlerFactory = &SpinHandler;

// ---- The unit's list of page handlers ----

void acPurgePageHandlers() {
  auto& pages = PageHandlers();
  // A handler is freed outside its own window procedure only: the list is cleaned on its next use.
  std::vector<THandler<TacPageWnd>> gone;
  for (auto& p : pages)
    if (p->Destroyed || !IsWindow(p->CtrlHandle)) gone.push_back(std::move(p));
  std::erase_if(pages, [](const THandler<TacPageWnd>& p) { return !p; });
}

void acAddPageHandler(THandler<TacPageWnd> Page) {
  acPurgePageHandlers();
  if (Page) PageHandlers().push_back(std::move(Page));
}

void acFreePageHandlers() {
  auto pages = std::move(PageHandlers());
  PageHandlers().clear();
  while (!pages.empty()) pages.pop_back();
}

std::size_t acPageHandlerCount() { return PageHandlers().size(); }

// ---- Tab controls ----

void TacTabControlWnd::Hook(bool Repaint) {
  if (SkinData->SkinSection().empty()) SkinData->SetSkinSection("PAGECONTROL");
  TacMainWnd::Hook(Repaint);
}

void TacTabControlWnd::Release() { BtnSW.reset(); }

int TacTabControlWnd::TabCount() const { return int(SendMessageW(CtrlHandle, TCM_GETITEMCOUNT, 0, 0)); }

int TacTabControlWnd::ActiveTabIndex() const { return int(SendMessageW(CtrlHandle, TCM_GETCURSEL, 0, 0)); }

TRect TacTabControlWnd::TabRect(int Index) const {
  RECT r{};
  if (!SendMessageW(CtrlHandle, TCM_GETITEMRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&r))) return {};
  return {r.left, r.top, r.right, r.bottom};
}

TTabPosition TacTabControlWnd::TabPosition() const {
  return TabPositionOfStyle(unsigned(GetWindowLongW(CtrlHandle, GWL_STYLE)));
}

TTabStyle TacTabControlWnd::Style() const { return TabStyleOfStyle(unsigned(GetWindowLongW(CtrlHandle, GWL_STYLE))); }

TRect TacTabControlWnd::ClientRect() {
  RECT r{0, 0, WndSize.cx, WndSize.cy};
  SendMessageW(CtrlHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top + 2, r.right, r.bottom};
}

TRect TacTabControlWnd::PageRect() { return TabPageRect(WndSize, ClientRect(), TabCount() > 0, TabPosition()); }

TRect TacTabControlWnd::TabsRect() { return TabStripRect(WndSize, ClientRect(), TabPosition()); }

int TacTabControlWnd::TabRow(int Index) {
  const int rows = int(SendMessageW(CtrlHandle, TCM_GETROWCOUNT, 0, 0));
  return TabRowOf(TabRect(Index), TabsRect(), rows, TabPosition());
}

TRect TacTabControlWnd::SkinTabRect(int Index, bool Active) {
  if (Index < 0 || Index >= TabCount()) return {};
  return DrawnTabRect(TabRect(Index), Active, Style(), TabPosition());
}

void TacTabControlWnd::CheckUpDown() {
  if (!Skinned(SkinData)) return;
  HWND upDown = FindUpDownChild(CtrlHandle);
  BtnSW.reset();
  if (upDown != nullptr && acUpDownHandlerFactory != nullptr) BtnSW = acUpDownHandlerFactory(upDown, SkinManager);
}

void TacTabControlWnd::TabSection(int& SkinIndex, int& MaskIndex, const char*& Name) const {
  SkinIndex = MaskIndex = -1;
  Name = "";
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr) return;
  const auto& c = sm->Records().ConstData;
  switch (Style()) {
    case classlib::tsButtons: Name = "BUTTON"; break;
    case classlib::tsFlatButtons: Name = "TOOLBUTTON"; break;
    case classlib::tsTabs:
      switch (TabPosition()) {
        case classlib::tpTop: SkinIndex = c.IndexTabTop, MaskIndex = c.MaskTabTop, Name = "TABTOP"; return;
        case classlib::tpBottom: SkinIndex = c.IndexTabBottom, MaskIndex = c.MaskTabBottom, Name = "TABBOTTOM"; return;
        case classlib::tpLeft: SkinIndex = c.IndexTabLeft, MaskIndex = c.MaskTabLeft, Name = "TABLEFT"; return;
        case classlib::tpRight: SkinIndex = c.IndexTabRight, MaskIndex = c.MaskTabRight, Name = "TABRIGHT"; return;
      }
  }
  SkinIndex = sm->GetSkinIndex(Name);
  MaskIndex = sm->GetMaskIndex(SkinIndex, Name, "BORDERSMASK");
}

LOGFONTW TacTabControlWnd::VerticalTabFont(const LOGFONTW& Base, TTabPosition Position) {
  LOGFONTW f{};
  f.lfHeight = Base.lfHeight;
  f.lfWidth = 0;
  f.lfEscapement = f.lfOrientation = Position == classlib::tpLeft ? -2700 : -900;
  f.lfWeight = FW_NORMAL;
  f.lfItalic = Base.lfItalic;
  f.lfUnderline = Base.lfUnderline;
  f.lfStrikeOut = Base.lfStrikeOut;
  f.lfCharSet = Base.lfCharSet;
  // The old bitmap face cannot be turned: its outline stand-in can.
  const bool bitmapFace = std::wstring(Base.lfFaceName) == L"MS Sans Serif";
  wcsncpy(f.lfFaceName, bitmapFace ? L"Arial" : Base.lfFaceName, LF_FACESIZE - 1);
  return f;
}

void TacTabControlWnd::DrawSkinTab(int Index, int State, TPoint OffsetPoint, classlib::TBitmap* Bmp) {
  if (Index < 0) return;
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr) return;
  HDC dc = Bmp->Canvas()->Handle();
  // A class-library owner lends its own font and image list.
  classlib::TControl* owner = SkinData->OwnerControl();
  auto* pageOwner = dynamic_cast<classlib::TPageControl*>(owner);
  classlib::TCustomImageList* ownerImages = pageOwner != nullptr ? pageOwner->Images() : nullptr;
  HFONT tabFont = owner != nullptr && owner->Font() != nullptr
                      ? owner->Font()->Handle()
                      : reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0));
  if (tabFont == nullptr) tabFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const bool isActive = Index == ActiveTabIndex();
  const TRect rs = SkinTabRect(Index, State == 2 && isActive);
  const int w = rs.Right - rs.Left, h = rs.Bottom - rs.Top;
  if (w <= 0 || h <= 0) return;
  std::wstring text(4096, L'\0');
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
  item.pszText = text.data();
  item.cchTextMax = int(text.size());
  SendMessageW(CtrlHandle, TCM_GETITEMW, WPARAM(Index), reinterpret_cast<LPARAM>(&item));
  text.resize(wcsnlen(text.c_str(), text.size()));

  int section = -1, mask = -1;
  const char* name = "";
  TabSection(section, mask, name);
  const TTabPosition position = TabPosition();
  // 1. The tab's background from the skin, when it has tab sections.
  if (sm->Records().ConstData.IndexTabTop > 0 && sm->IsValidImgIndex(mask) && sm->IsValidSkinIndex(section)) {
    auto tab = NewBitmap32(w, h);
    HDC cache = SkinData->CacheBmp()->Canvas()->Handle();
    if (State == 2 && isActive) {
      BitBlt(tab->Canvas()->Handle(), 0, 0, w, h, cache, rs.Left, rs.Top, SRCCOPY);
      BitBlt(dc, rs.Left + OffsetPoint.X, rs.Top + OffsetPoint.Y, w, h, tab->Canvas()->Handle(), 0, 0, SRCCOPY);
      const TRect where{rs.Left + OffsetPoint.X, rs.Top + OffsetPoint.Y, rs.Left + OffsetPoint.X + w,
                        rs.Top + OffsetPoint.Y + h};
      PaintItem(section, name, MakeCacheInfo(tab.get()), true, 2, where, TPoint{0, 0}, Bmp, sm);
    } else {
      PaintItem(section, name, MakeCacheInfo(SkinData->CacheBmp()), true, State, TRect{0, 0, w, h},
                TPoint{rs.Left, rs.Top}, tab.get(), sm);
      const int saved = SaveDC(dc);
      const classlib::TScopeExit restore([&] { RestoreDC(dc, saved); });
      if (position == classlib::tpTop || position == classlib::tpLeft) {
        const TRect page = PageRect();
        ExcludeClipRect(dc, page.Left + OffsetPoint.X, page.Top + OffsetPoint.Y, page.Right + OffsetPoint.X,
                        page.Bottom + OffsetPoint.Y);
      }
      BitBlt(dc, rs.Left + OffsetPoint.X, rs.Top + OffsetPoint.Y, w, h, tab->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
  }
  // 2. The content.
  TRect content{rs.Left + OffsetPoint.X, rs.Top + OffsetPoint.Y, rs.Right + OffsetPoint.X, rs.Bottom + OffsetPoint.Y};
  classlib::TCanvas* canvas = Bmp->Canvas();
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(CtrlHandle, TCM_GETIMAGELIST, 0, 0));
  const bool hasImage = (images != nullptr || ownerImages != nullptr) && item.iImage >= 0;
  int iw = 0, ih = 0;
  if (ownerImages != nullptr) {
    iw = ownerImages->Width();
    ih = ownerImages->Height();
  } else if (hasImage) {
    ImageList_GetIconSize(images, &iw, &ih);
  }
  const auto drawImage = [&](HDC target, int x, int y, UINT style) {
    if (ownerImages != nullptr)
      ownerImages->Draw(canvas, x, y, item.iImage, true);
    else
      ImageList_Draw(images, item.iImage, target, x, y, style);
  };
  const HGDIOBJ oldFont = SelectObject(dc, tabFont);
  const classlib::TScopeExit restoreFont([&] { SelectObject(dc, oldFont); });
  if (position == classlib::tpTop || position == classlib::tpBottom) {
    canvas->Font()->SetHandle(tabFont);
    if (hasImage) {
      SIZE extent{};
      GetTextExtentPoint32W(canvas->Handle(), text.c_str(), int(text.size()), &extent);
      drawImage(canvas->Handle(), content.Left + (w - (extent.cx + iw + 8)) / 2, content.Top + (h - ih) / 2,
                ILD_NORMAL);
      content.Left += iw;
    }
    canvas->Brush()->SetStyle(classlib::bsClear);
    acWriteTextEx(canvas, text, true, content, DT_CENTER | DT_VCENTER | DT_SINGLELINE, section, State != 0, sm);
    return;
  }
  // Side tabs: the caption in a turned copy of the font.
  LOGFONTW base{};
  GetObjectW(tabFont, sizeof(base), &base);
  const LOGFONTW turned = VerticalTabFont(base, position);
  HFONT font = CreateFontIndirectW(&turned);
  if (font == nullptr) return;
  const classlib::TScopeExit freeFont([&] { DeleteObject(font); });
  HDC target = canvas->Handle();
  const int savedDC = SaveDC(target);
  const classlib::TScopeExit restoreDC([&] { RestoreDC(target, savedDC); });
  SelectObject(target, tabFont);
  SIZE extent{};
  GetTextExtentPoint32W(target, text.c_str(), int(text.size()), &extent);
  SelectObject(target, font);
  TColor colour = 0;
  if (sm->IsValidSkinIndex(section)) {
    const TsGeneralData& gd = sm->Records().gd[std::size_t(section)];
    colour = State != 0 && gd.States > 1 ? gd.Props[1].FontColor.Color : gd.Props[0].FontColor.Color;
  }
  const TSideTabPlace place =
      SideTabPlace(content, position, isActive && State == 2, extent.cx, extent.cy, hasImage, TSize{iw, ih});
  if (hasImage) drawImage(target, place.Image.X, place.Image.Y, ILD_TRANSPARENT);
  SetBkMode(target, TRANSPARENT);
  SetTextColor(target, classlib::ColorToRGB(colour));
  const RECT clip{content.Left, content.Top, content.Right, content.Bottom};
  ExtTextOutW(target, place.Text.X, place.Text.Y, ETO_CLIPPED, &clip, text.c_str(), UINT(text.size()), nullptr);
}

void TacTabControlWnd::DrawSkinTab(int Index, int State, HDC DC) {
  if (Index < 0) return;
  const TRect r = SkinTabRect(Index, State == 2);
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  if (w <= 0 || h <= 0) return;
  auto bmp = NewBitmap32(w, h);
  DrawSkinTab(Index, State, TPoint{-r.Left, -r.Top}, bmp.get());
  BitBlt(DC, r.Left, r.Top, w, h, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacTabControlWnd::DrawSkinTabs(const TCacheInfo& CI) {
  classlib::TBitmap* cache = SkinData->CacheBmp();
  const TRect strip = TabsRect();
  const int sw = strip.Right - strip.Left, sh = strip.Bottom - strip.Top;
  if (sw > 0 && sh > 0) {
    if (CI.Ready && CI.Bmp != nullptr) {
      const int x = CI.X + WndPos.X + strip.Left, y = CI.Y + WndPos.Y + strip.Top;
      BitBlt(cache->Canvas()->Handle(), strip.Left, strip.Top, std::min(sw, CI.Bmp->Width()),
             std::min(sh, CI.Bmp->Height()), CI.Bmp->Canvas()->Handle(), x, y, SRCCOPY);
    } else {
      HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(CI.FillColor));
      const RECT r{strip.Left, strip.Top, strip.Right, strip.Bottom};
      FillRect(cache->Canvas()->Handle(), &r, brush);
      DeleteObject(brush);
    }
  }
  const int rows = int(SendMessageW(CtrlHandle, TCM_GETROWCOUNT, 0, 0));
  const int count = TabCount(), active = ActiveTabIndex();
  for (int row = 1; row <= std::max(rows, 1); ++row)
    for (int i = 0; i < count; ++i)
      if (i != active && TabRow(i) == row) DrawSkinTab(i, 0, TPoint{0, 0}, cache);
}

void TacTabControlWnd::AC_WMPaint(HDC Given) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (SkinData->Updating()) return;
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr || WndSize.cx <= 0 || WndSize.cy <= 0) return;
  const TacGivenOrOwnDC dc(CtrlHandle, Given);
  if (dc.get() == nullptr) return;
  const int saved = SaveDC(dc.get());
  const classlib::TScopeExit restore([&] { RestoreDC(dc.get(), saved); });
  SkinData->BGChanged = true;
  const bool hasTabs = TabCount() > 0;
  std::string section;
  if (!hasTabs)
    section = "CHECKBOX";
  else if (SkinData->SkinSection() != "PAGECONTROL")
    section = SkinData->SkinSection();
  else {
    static constexpr const char* kByPosition[] = {"PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT",
                                                  "PAGECONTROLRIGHT"};
    section = kByPosition[TabPosition()];
  }
  const int index = sm->GetSkinIndex(section);
  TCacheInfo ci = EmptyCI;
  GetParentCacheHwnd(CtrlHandle, ci);
  InitCacheBmp(SkinData);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->SetSize(WndSize.cx, WndSize.cy);
  if (hasTabs) DrawSkinTabs(ci);
  const TRect page = PageRect();
  PaintItem(index, section, ci, true, 0, page, TPoint{WndPos.X + page.Left, WndPos.Y + page.Top}, cache, sm);
  SkinData->BGChanged = false;
  const int active = hasTabs ? ActiveTabIndex() : -1;
  const int clipSaved = SaveDC(dc.get());
  if (active >= 0) {
    const TRect r = SkinTabRect(active, true);
    ExcludeClipRect(dc.get(), r.Left, r.Top, r.Right, r.Bottom);
  }
  BitBlt(dc.get(), 0, 0, WndSize.cx, WndSize.cy, cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  RestoreDC(dc.get(), clipSaved);
  if (active >= 0) DrawSkinTab(active, 2, dc.get());
  if (auto* owner = dynamic_cast<classlib::TWinControl*>(SkinData->OwnerControl()))
    PaintControls(dc.get(), owner, true, TPoint{0, 0});
}

void TacTabControlWnd::acWndProc(classlib::TMessage& Message) {
  if (Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY || SkinData == nullptr) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  TsSkinManager* sm = SkinData->GetSkinManager();
  const bool own = sm != nullptr && Message.LParam == reinterpret_cast<LPARAM>(sm);
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_NEWSKIN:
        if (own) CommonWndProc(Message, SkinData);
        AlphaBroadCast(CtrlHandle, Message);
        return;
      case ACMD_REMOVESKIN:
        if (own) {
          CommonWndProc(Message, SkinData);
          CheckUpDown();
          AlphaBroadCast(CtrlHandle, Message);
          InvalidateRect(CtrlHandle, nullptr, TRUE);
          RedrawWindow(CtrlHandle, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW |
                           RDW_FRAME);
        } else {
          AlphaBroadCast(CtrlHandle, Message);
        }
        return;
      case ACMD_REFRESH:
        if (own) {
          CommonWndProc(Message, SkinData);
          InvalidateRect(CtrlHandle, nullptr, TRUE);
          CheckUpDown();
        }
        AlphaBroadCast(CtrlHandle, Message);
        return;
      case ACMD_PARENTUPDATED:
        if (!Skinned(SkinData)) break;
        SkinData->SetUpdating(false);
        InvalidateRect(CtrlHandle, nullptr, TRUE);
        return;
      case ACMD_ISSKINNED: Message.Result = 1; return;
      case ACMD_GETEXTRA: Message.Result = reinterpret_cast<LRESULT>(SkinManager); return;
      case ACMD_GETBGINFO:
        if (!Skinned(SkinData)) break;
        CommonWndProc(Message, SkinData);
        return;
      default: break;
    }
    TacMainWnd::acWndProc(Message);
    return;
  }
  if (!Skinned(SkinData)) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT: {
      // The face is painted on erasing; a paint only validates.
      InvalidateRect(CtrlHandle, nullptr, FALSE);
      ValidateRect(CtrlHandle, nullptr);
      return;
    }
    case WM_ERASEBKGND:
      if (IsWindowVisible(CtrlHandle)) {
        if (!InAnimationProcess) AC_WMPaint(Message.LParam == 1 ? reinterpret_cast<HDC>(Message.WParam) : nullptr);
        CheckUpDown();
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCPAINT: return;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      // Printing goes into the DC it names, whatever its flags.
      CheckUpDown();
      AC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
      return;
    case TCM_SETCURSEL:
      SendMessageW(CtrlHandle, WM_SETREDRAW, FALSE, 0);
      TacMainWnd::acWndProc(Message);
      SendMessageW(CtrlHandle, WM_SETREDRAW, TRUE, 0);
      return;
    default: break;
  }
  const TSize before = WndSize;
  TacMainWnd::acWndProc(Message);
  if (Message.Msg == WM_SIZE) {
    CheckUpDown();
    const int cx = LOWORD(Message.LParam), cy = HIWORD(Message.LParam);
    if (cx < before.cx || cy < before.cy)
      RedrawWindow(CtrlHandle, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_NOCHILDREN | RDW_FRAME);
  } else if (Message.Msg == classlib::CM_CONTROLLISTCHANGE) {
    CheckUpDown();
  }
}

// ---- Page controls ----

void TacPageControlWnd::Hook(bool Repaint) {
  TacTabControlWnd::Hook(Repaint);
  InitPages();
}

void TacPageControlWnd::InitPages(bool) {
  if (auto* owner = dynamic_cast<classlib::TPageControl*>(SkinData->OwnerControl())) {
    for (int i = 0; i < owner->PageCount(); ++i) {
      classlib::TTabSheet* sheet = owner->Pages(i);
      if (sheet == nullptr || !sheet->HandleAllocated() || IsSkinnedWindow(sheet->Handle())) continue;
      auto page = TacMainWnd::Create<TacPageWnd>(sheet->Handle(), nullptr, SkinManager, "CHECKBOX");
      page->Page = sheet;
      acAddPageHandler(std::move(page));
    }
    return;
  }
  auto* manager = reinterpret_cast<TsSkinManager*>(SendMessageW(CtrlHandle, SM_ALPHACMD, AlphaCmd(ACMD_GETEXTRA), 0));
  if (manager == nullptr) {
    acPurgePageHandlers();
    return;
  }
  for (HWND child = GetWindow(CtrlHandle, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetParent(child) != CtrlHandle || IsSkinnedWindow(child)) continue;
    acAddPageHandler(TacMainWnd::Create<TacPageWnd>(child, nullptr, manager, "CHECKBOX"));
  }
  acPurgePageHandlers();
}

void TacPageControlWnd::acWndProc(classlib::TMessage& Message) {
  if (Skinned(SkinData) && Message.Msg != WM_DESTROY && Message.Msg != WM_NCDESTROY) {
    switch (Message.Msg) {
      case WM_ERASEBKGND:
        if (!IsWindowVisible(CtrlHandle)) break;
        if (!InAnimationProcess) AC_WMPaint(Message.LParam == 1 ? reinterpret_cast<HDC>(Message.WParam) : nullptr);
        Message.Result = 1;
        return;
      case WM_NCPAINT: InitPages(); return;
      case WM_PARENTNOTIFY:
        if (LOWORD(Message.WParam) == WM_CREATE || LOWORD(Message.WParam) == WM_DESTROY) InitPages();
        break;
      case WM_PRINT:
      case WM_PRINTCLIENT:
        CheckUpDown();
        InitPages();
        AC_WMPaint(reinterpret_cast<HDC>(Message.WParam));
        return;
      case TCM_SETCURSEL:
        if (auto* owner = dynamic_cast<classlib::TWinControl*>(SkinData->OwnerControl())) {
          InitPages();
          SendToTopParent(owner->Handle());
        }
        break;
      default: break;
    }
  }
  TacTabControlWnd::acWndProc(Message);
}

// ---- Pages ----

TTabPosition TacPageWnd::TabPosition() const {
  return TabPositionOfStyle(unsigned(GetWindowLongW(GetParent(CtrlHandle), GWL_STYLE)));
}

LRESULT TacPageWnd::AC_WMEraseBKGnd(HDC DC) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  if (DC == nullptr || ParentWnd == nullptr) return 1;
  TacBGInfo bg;
  GetBGInfo(bg, ParentWnd, false);
  const int cx = WndSize.cx, cy = WndSize.cy;
  if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr) {
    if (bg.Bmp->Width() == 0) {
      SendMessageW(ParentWnd, WM_PAINT, reinterpret_cast<WPARAM>(bg.Bmp->Canvas()->Handle()), 0);
      if (bg.Bmp->Width() == 0) return 1;
    }
    BitBlt(DC, 0, 0, cx, cy, bg.Bmp->Canvas()->Handle(), WndPos.X + bg.Offset.X, WndPos.Y + bg.Offset.Y, SRCCOPY);
  } else {
    HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(bg.Color));
    const RECT all{0, 0, cx, cy};
    FillRect(DC, &all, brush);
    DeleteObject(brush);
    const bool hasTabs = SendMessageW(ParentWnd, TCM_GETITEMCOUNT, 0, 0) > 0;
    if (hasTabs && bg.Bmp != nullptr) {
      HDC src = bg.Bmp->Canvas()->Handle();
      const int ox = WndPos.X + bg.Offset.X, oy = WndPos.Y + bg.Offset.Y;
      switch (TabPosition()) {
        case classlib::tpTop: BitBlt(DC, 0, 0, cx, 3, src, ox, oy, SRCCOPY); break;
        case classlib::tpBottom: BitBlt(DC, 0, cy - 3, cx, 3, src, WndPos.X, WndPos.Y + cy - 3, SRCCOPY); break;
        case classlib::tpLeft: BitBlt(DC, 0, 0, 3, cy, src, WndPos.X, WndPos.Y, SRCCOPY); break;
        case classlib::tpRight: BitBlt(DC, cx - 3, 0, 3, cy, src, WndPos.X + cx - 3, WndPos.Y, SRCCOPY); break;
      }
    }
  }
  if (Page != nullptr) {
    PaintControls(DC, Page, true, TPoint{0, 0});
    SetParentUpdated(Page);
  }
  return 1;
}

void TacPageWnd::acWndProc(classlib::TMessage& Message) {
  if (Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY || SkinData == nullptr) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  TsSkinManager* sm = SkinData->GetSkinManager();
  const bool own = sm != nullptr && Message.LParam == reinterpret_cast<LPARAM>(sm);
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_NEWSKIN:
        AlphaBroadCast(CtrlHandle, Message);
        if (own) CommonWndProc(Message, SkinData);
        return;
      case ACMD_REMOVESKIN:
        if (own) {
          CommonWndProc(Message, SkinData);
          InvalidateRect(CtrlHandle, nullptr, TRUE);
        }
        AlphaBroadCast(CtrlHandle, Message);
        TacMainWnd::acWndProc(Message);
        return;
      case ACMD_REFRESH:
        if (own) {
          CommonWndProc(Message, SkinData);
          InvalidateRect(CtrlHandle, nullptr, TRUE);
        }
        AlphaBroadCast(CtrlHandle, Message);
        return;
      case ACMD_ISSKINNED: Message.Result = 1; return;
      case ACMD_GETBGINFO: {
        auto* info = reinterpret_cast<TacBGInfo*>(Message.LParam);
        if (info == nullptr) return;
        InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
        const bool pleaseDraw = info->PleaseDraw;
        GetBGInfo(*info, ParentWnd, pleaseDraw);
        info->Offset = {info->Offset.X + WndPos.X, info->Offset.Y + WndPos.Y};
        return;
      }
      default: break;
    }
    TacMainWnd::acWndProc(Message);
    return;
  }
  if (!Skinned(SkinData)) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  const bool visible = IsWindowVisible(CtrlHandle) != 0;
  switch (Message.Msg) {
    case WM_PAINT:
      if (!visible) break;
      {
        PAINTSTRUCT ps{};
        HDC given = reinterpret_cast<HDC>(Message.WParam);
        HDC dc = given != nullptr ? given : BeginPaint(CtrlHandle, &ps);
        const classlib::TScopeExit end([&] {
          if (given == nullptr) EndPaint(CtrlHandle, &ps);
        });
        AC_WMEraseBKGnd(dc);
      }
      return;
    case WM_ERASEBKGND:
      if (!visible) break;
      Message.Result = AC_WMEraseBKGnd(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_NCPAINT: return;
    case WM_PRINT:
      AC_WMEraseBKGnd(reinterpret_cast<HDC>(Message.WParam));
      SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, Message.LParam);
      return;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
  if (Message.Msg == WM_PARENTNOTIFY && LOWORD(Message.WParam) == WM_CREATE) SendToTopParent(CtrlHandle);
}

}  // namespace skin
