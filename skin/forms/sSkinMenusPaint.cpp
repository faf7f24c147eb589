// Painting of the skinned menus' items: a pop-up item over its pop-up's cached background, with
// the window frame beside it repaired, and a main menu's top item over the provider's menu line.
// Every item is rendered into a 32-bit bitmap kept from item to item and then copied to the menu's canvas.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acntRects.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinManagerStartup.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinRect.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/forms/sSkinMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TMenu;
using classlib::TMenuItem;
using classlib::TObject;

namespace {

constexpr int kFrame = 3;  // the pop-up window's own frame, which the background includes

void Copy(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy) {
  if (w > 0 && h > 0) BitBlt(dst, x, y, w, h, src, sx, sy, SRCCOPY);
}

bool IsFirstVisible(TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (parent == nullptr) return true;
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Items(i)->Visible()) return parent->Items(i) == Item;
  return false;
}

bool IsLastVisible(TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (parent == nullptr) return true;
  for (int i = parent->Count() - 1; i >= 0; --i)
    if (parent->Items(i)->Visible()) return parent->Items(i) == Item;
  return false;
}

TMenuItem* NextItem(TMenuItem* Item) {
  TMenuItem* parent = Item->Parent();
  if (parent == nullptr) return nullptr;
  const int i = parent->IndexOf(Item);
  return i + 1 < parent->Count() ? parent->Items(i + 1) : nullptr;
}

classlib::TCustomForm* OwnerForm(classlib::TComponent* c) {
  for (; c != nullptr; c = c->Owner())
    if (auto* form = dynamic_cast<classlib::TCustomForm*>(c)) return form;
  return nullptr;
}

// The item's font on Canvas: the menu font, the owner form's character set, bold for the default.
void SetItemFont(TCanvas* Canvas, TMenuItem* Item, UINT State) {
  AssignMenuFont(Canvas->Font());
  if (classlib::TCustomForm* form = OwnerForm(Item->GetParentMenu()))
    Canvas->Font()->SetCharset(form->Font()->Charset());
  if (State & ODS_DEFAULT) {
    classlib::TFontStyles style = Canvas->Font()->Style();
    Canvas->Font()->SetStyle(style.Include(classlib::fsBold));
  }
}

const wchar_t* SysMenuGlyph(int Command) {
  switch (Command) {
    case SC_MINIMIZE: return L"0";
    case SC_MAXIMIZE: return L"1";
    case SC_CLOSE: return L"r";
    case SC_RESTORE: return L"2";
    default: return nullptr;
  }
}

}  // namespace

void TsSkinableMenus::RepairFrame(HWND Wnd, const TacMenuInfo& mi, TMenuItem* Item, const TRect& R, int X) {
  HDC wdc = GetWindowDC(Wnd);
  if (wdc == nullptr) return;
  HDC src = mi.Bmp->Canvas()->Handle();
  const int w = mi.Bmp->Width(), h = mi.Bmp->Height();
  if (IsFirstVisible(Item)) {
    Copy(wdc, 0, 0, w, BorderWidth, src, 0, 0);
    Copy(wdc, 0, 0, X + std::max(BorderWidth, GetSkinBorderWidth()), h, src, 0, 0);
  }
  if (IsLastVisible(Item)) Copy(wdc, 0, h - BorderWidth, w, BorderWidth, src, 0, h - BorderWidth);
  Copy(wdc, w - BorderWidth, BorderWidth + R.Top, BorderWidth, HeightOf(R), src, w - BorderWidth, BorderWidth + R.Top);
  ReleaseDC(Wnd, wdc);
}

void TsSkinableMenus::sAdvancedDrawItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, UINT State) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item == nullptr || FOwner == nullptr || !FOwner->Active() || !FOwner->Records().SkinData.Active) return;
  TMenu* menu = item->GetParentMenu();
  const bool rtl = MenuRightToLeft(menu);
  if (TempControl != nullptr) {
    if (ShowHintStored) classlib::Application->SetShowHint(AppShowHint);
    SendAMessage(TempControl, ACMD_MOUSELEAVE);
    TempControl = nullptr;
  }
  ACanvas->Lock();
  const classlib::TScopeExit unlock([ACanvas] { ACanvas->Unlock(); });
  HWND wnd = IsNT ? WindowFromDC(ACanvas->Handle()) : nullptr;
  // The pop-up's size matters only while its background is still to be made.
  TacMenuInfo mi = GetMenuInfo(item, 0, 0, wnd);
  if (mi.Bmp != nullptr && wnd != nullptr && mi.Wnd != wnd) {
    // Left from a window of this pop-up that has closed: its size and region were that window's.
    ForgetMenuInfo(mi.FirstItem);
    mi = {};
  }
  if (mi.Bmp == nullptr) {
    TRect wr;
    if (wnd != nullptr) {
      RECT r{};
      GetWindowRect(wnd, &r);
      wr = TRect{r.left, r.top, r.right, r.bottom};
    } else {
      wr = TRect{0, 0, ParentWidth(ACanvas, item) + 2 * BorderWidth, ParentHeight(ACanvas, item) + 2 * BorderWidth};
    }
    mi = GetMenuInfo(item, WidthOf(wr), HeightOf(wr), wnd);
  }
  TBitmap* bg = mi.Bmp;
  const int X = Breaked(item) ? 0 : ExtraWidth(mi);
  if (IsNT && wnd != nullptr && bg != nullptr) RepairFrame(wnd, mi, item, ARect, X);
  if (wnd == nullptr && classlib::Application->Handle() != nullptr) {
    MSG queued;
    if (!PeekMessageW(&queued, classlib::Application->Handle(), 0xBCB3, 0xBCB4, PM_NOREMOVE))
      PostMessageW(classlib::Application->Handle(), 0xBCB3, 0, reinterpret_cast<LPARAM>(item));
  }
  const bool selected = (State & ODS_SELECTED) != 0;
  if (bg != nullptr) {
    if (item->Caption() == L"-") {
      CurItemType = smDivider;
      PaintDivider(ACanvas, ARect, mi, item);
    } else if (IsDivText(item)) {
      CurItemType = smCaption;
      PaintCaption(ACanvas, ARect, mi, item);
    } else {
      CurItemType = smNormal;
      HDC canvasDC = ACanvas->Handle();
      HDC bgDC = bg->Canvas()->Handle();
      const int bottom = bg->Height() - 6;
      // Below a column that ends early the background shows, not what the system filled in.
      TMenuItem* next = NextItem(item);
      if ((next != nullptr && next->Break()) || (next == nullptr && ARect.Bottom < bottom))
        Copy(canvasDC, ARect.Left, ARect.Bottom, WidthOf(ARect), bottom - ARect.Bottom, bgDC, ARect.Left + kFrame,
             ARect.Bottom + kFrame);
      if (item->Break()) Copy(canvasDC, ARect.Left - 4, 0, 4, bottom, bgDC, ARect.Left - 4 + kFrame, kFrame);

      const int W = WidthOf(ARect), H = HeightOf(ARect);
      TBitmap* bmp = Scratch(scItem, W - X, H);
      const bool enabled = (State & (ODS_DISABLED | ODS_GRAYED)) == 0;
      const bool hot = enabled && (selected || (State & ODS_HOTLIGHT) != 0);
      const int itemIndex = FOwner->GetSkinIndex("MENUITEM");
      if (FOwner->IsValidSkinIndex(itemIndex))
        PaintItem(itemIndex, "MENUITEM", MakeCacheInfo(bg, kFrame, kFrame), true, selected && enabled ? 1 : 0,
                  TRect{0, 0, bmp->Width(), H}, TPoint{X + ARect.Left, ARect.Top}, bmp, FOwner);
      else
        FillDC(bmp->Canvas()->Handle(), TRect{0, 0, bmp->Width(), H}, classlib::clWhite);
      const TSize glyph = GlyphSize(item, false);
      classlib::TCustomImageList* images = nullptr;
      if (TMenuItem* parent = item->Parent(); parent != nullptr && parent->SubMenuImages() != nullptr)
        images = parent->SubMenuImages();
      else if (menu != nullptr)
        images = menu->Images();
      const bool ownBitmap = item->HasBitmap();
      const bool listImage = !ownBitmap && images != nullptr && item->ImageIndex() >= 0;
      const bool checked = (State & ODS_CHECKED) != 0;
      // Check mark.
      if (checked && !ownBitmap && !listImage) {
        const auto& sd = FOwner->Records();
        int mask = FOwner->GetMaskIndex(sd.ConstData.IndexGLobalInfo, "GLOBALINFO",
                                        item->RadioItem() ? "RADIOCHECKED" : "CHECK");
        if (!FOwner->IsValidImgIndex(mask))
          mask = FOwner->GetMaskIndex(sd.ConstData.IndexGLobalInfo, "GLOBALINFO", "BOXCHECKED");
        if (FOwner->IsValidImgIndex(mask)) {
          const TsMaskData& md = sd.ma[static_cast<std::size_t>(mask)];
          const int gw = WidthOfImage(md), gh = HeightOfImage(md);
          const int gx = rtl ? bmp->Width() - 2 - gw + Margin : Margin;
          DrawSkinGlyph(bmp, TPoint{gx, (H - gh) / 2}, selected && enabled ? 1 : 0, 1, md, MakeCacheInfo(bmp));
        }
      }
      // Picture.
      const int smallBtn = FOwner->GetSkinIndex("SPEEDBUTTON_SMALL");
      auto underChecked = [&](int left, int top, int gw, int gh) {
        if (checked && FOwner->IsValidSkinIndex(smallBtn))
          PaintItem(smallBtn, "SPEEDBUTTON_SMALL", MakeCacheInfo(bmp), true, 2,
                    TRect{left - 1, top - 1, left + gw + 1, top + gh + 1}, TPoint{left - 1, top - 1}, bmp, FOwner);
      };
      if (listImage) {
        const int top = (H - images->Height()) / 2;
        const int left = rtl ? bmp->Width() - top - glyph.cx : top;
        underChecked(left, top, images->Width(), images->Height());
        images->Draw(bmp->Canvas(), left, top, item->ImageIndex(), enabled);
      } else if (!ownBitmap && menu != nullptr && menu->Name() == L"SysMenu") {
        if (const wchar_t* g = SysMenuGlyph(item->Tag())) {
          TCanvas* c = bmp->Canvas();
          c->Font()->SetName(L"Webdings");
          c->Font()->SetSize(10);
          c->Font()->SetStyle({});
          const int h = c->TextHeight(g);
          TRect tr = rtl ? TRect{ARect.Right - 4 - h, (H - h) / 2, ARect.Right - 4, (H - h) / 2 + h}
                         : TRect{4, (H - h) / 2, 4 + h + 10, (H - h) / 2 + h};
          acWriteTextEx(c, g, true, tr, DT_SINGLELINE | (rtl ? DT_RIGHT : DT_LEFT), itemIndex, hot, FOwner);
        }
      } else if (ownBitmap) {
        TBitmap* own = item->Bitmap();
        const int top = (H - glyph.cy) / 2;
        const int left = rtl ? ARect.Right - top - glyph.cx - ExtraWidth(mi) : top;
        underChecked(left, top, glyph.cx, glyph.cy);
        if (own->PixelFormat() == classlib::pf32bit)
          CopyByMask(TRect{left, top, left + glyph.cx, top + glyph.cy}, TRect{0, 0, glyph.cx, glyph.cy}, View32(bmp),
                     View32(own), kEmptyCI32, false);
        else
          bmp->Canvas()->Draw(left, top, own);
      }
      // Caption and shortcut.
      TCanvas* c = bmp->Canvas();
      SetItemFont(c, item, State);
      const int indent = glyph.cx + 2 * Margin + Spacing;
      TRect tr{0, 0, W, H};
      if (rtl)
        tr.Right -= indent + ExtraWidth(mi);
      else
        tr.Left += indent;
      std::wstring text = item->Caption();
      UINT flags = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
      if (!text.empty() && text.front() == L'\b') {
        text = text.substr(1) + L"      ";
        flags |= DT_RIGHT;
      } else if (Alignment == classlib::taRightJustify) {
        flags |= DT_RIGHT;
      } else if (Alignment == classlib::taCenter) {
        flags |= DT_CENTER;
      }
      if (rtl) flags |= DT_RIGHT | DT_RTLREADING;
      if (State & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
      acWriteTextEx(c, text, true, tr, flags, itemIndex, hot, FOwner);
      if (item->ShortCut() != 0) {
        const std::wstring sc = classlib::ShortCutToText(item->ShortCut());
        RECT m{0, 0, 1, 0};
        DrawTextW(c->TextHandle(), sc.c_str(), static_cast<int>(sc.size()), &m,
                  DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
        const int sw = m.right - m.left, extra = ExtraWidth(mi);
        TRect sr = rtl ? TRect{6 - extra, 0, 6 + sw - extra, H}
                       : TRect{ARect.Right - sw - 8 - extra, 0, ARect.Right - 8 - extra, H};
        acWriteTextEx(c, sc, true, sr, DT_SINGLELINE | DT_VCENTER, itemIndex, hot, FOwner);
      }
      if (OnDrawItem) OnDrawItem(item, c, TRect{0, 0, bmp->Width(), H}, State, CurItemType);
      if (!enabled)
        BlendTransRectangle(View32(bmp), 0, 0, View32(bg),
                            TRect{ARect.Left + X + BorderWidth, ARect.Top + BorderWidth,
                                  ARect.Left + X + BorderWidth + bmp->Width() - 1, ARect.Top + BorderWidth + H - 1},
                            0.4, clFuchsia);
      Copy(canvasDC, X + ARect.Left, ARect.Top, bmp->Width(), H, bmp->Canvas()->Handle(), 0, 0);
      // What the event left in the canvas (pens, brushes, fonts) is not for the next item.
      if (OnDrawItem) scratch_[scItem].reset();
      if (GetFirstItem(item) == item && ExtraWidth(mi) != 0) {
        OSVERSIONINFOW v{};
        v.dwOSVersionInfoSize = sizeof v;
        if (!IsNT || (GetVersionExW(&v) && v.dwMajorVersion >= 6))
          Copy(canvasDC, 0, 0, X, bg->Height(), bgDC, kFrame, kFrame);
      }
    }
  }
  if (item->OnDrawItem) item->OnDrawItem(item, ACanvas, ARect, selected);
}

void TsSkinableMenus::PaintDivider(TCanvas* Canvas, TRect R, const TacMenuInfo& mi, TMenuItem* Item) {
  (void)Item;
  const int extra = ExtraWidth(mi);
  const int section = FOwner->GetSkinIndex("DIVIDERV");
  const int mask = FOwner->GetMaskIndex(section, "DIVIDERV", "BORDERSMASK");
  const int W = WidthOf(R), H = HeightOf(R);
  TRect line{extra + Margin + Spacing, 0, W - Margin, H};
  if (line.Left < extra + IcoLineWidth) line.Left = extra + IcoLineWidth + 2;
  HDC bgDC = mi.Bmp->Canvas()->Handle();
  if (!FOwner->IsValidImgIndex(mask)) {
    Copy(Canvas->Handle(), R.Left, R.Top, W, H, bgDC, R.Left + kFrame, R.Top + kFrame);
    TColor color = FOwner->Records().SkinData.BorderColor;
    if (color == clFuchsia) color = classlib::ColorToRGB(classlib::clBtnShadow);
    FillDC(Canvas->Handle(), TRect{R.Left + line.Left, R.Top, R.Left + line.Right, R.Top + 1}, color);
    return;
  }
  TBitmap* bmp = Scratch(scDivider, W, H);
  Copy(bmp->Canvas()->Handle(), 0, 0, W, H, bgDC, R.Left + kFrame, R.Top + kFrame);
  DrawSkinRect(bmp, line, true, MakeCacheInfo(bmp), FOwner->Records().ma[static_cast<std::size_t>(mask)], 0, true);
  Copy(Canvas->Handle(), R.Left, R.Top, W, H, bmp->Canvas()->Handle(), 0, 0);
}

void TsSkinableMenus::PaintCaption(TCanvas* Canvas, TRect R, const TacMenuInfo& mi, TMenuItem* Item) {
  const int W = WidthOf(R), H = HeightOf(R);
  TBitmap* bmp = Scratch(scCaption, W, H);
  FillDC(bmp->Canvas()->Handle(), TRect{0, 0, W, H}, classlib::clWhite);
  const int extra = ExtraWidth(mi);
  HDC bgDC = mi.Bmp->Canvas()->Handle();
  std::string name = "MENUCAPTION";
  int section = FOwner->GetSkinIndex(name);
  if (!FOwner->IsValidSkinIndex(section)) {
    name = "TOOLBAR";
    section = FOwner->GetSkinIndex(name);
  }
  if (extra > 0) Copy(bmp->Canvas()->Handle(), 0, 0, extra + 1, H, bgDC, R.Left + kFrame, R.Top + kFrame);
  BitBltBorder(bmp->Canvas()->Handle(), 0, 0, W, H, bgDC, R.Left + kFrame, R.Top + kFrame, 1);
  if (FOwner->IsValidSkinIndex(section))
    PaintItem(section, name, MakeCacheInfo(mi.Bmp, 4, 4), true, 0, TRect{extra + 1, 1, W - 1, H - 1},
              TPoint{R.Left + extra + 1, R.Top + 1}, bmp, FOwner);
  TCanvas* c = bmp->Canvas();
  c->Font()->Assign(CaptionFont.get());
  // The word between the dashes.
  std::wstring text = Item->Caption();
  const std::size_t start = text.find_first_not_of(L'-');
  text = start == std::wstring::npos ? std::wstring() : text.substr(start);
  text = text.substr(0, text.find(L'-'));
  TRect tr{extra, 0, W, H};
  acWriteTextEx(c, text, true, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX, section, false, FOwner);
  Copy(Canvas->Handle(), R.Left, R.Top, W, H, bmp->Canvas()->Handle(), 0, 0);
}

void TsSkinableMenus::sAdvancedDrawLineItem(TObject* Sender, TCanvas* ACanvas, TRect ARect, UINT State) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item == nullptr || FOwner == nullptr) return;
  TsSkinProvider* provider = nullptr;
  classlib::TCustomForm* form = OwnerForm(item->GetParentMenu());
  if (form != nullptr && form->HandleAllocated()) {
    auto* link = reinterpret_cast<IacSkinProvider*>(SendAMessage(form->Handle(), ACMD_GETPROVIDER));
    provider = dynamic_cast<TsSkinProvider*>(link);
  }
  if (provider == nullptr) provider = MDISkinProvider;
  if (provider == nullptr || provider->SkinData()->CacheBmp() == nullptr || !provider->MenuLineBmp) return;
  TBitmap* line = provider->MenuLineBmp.get();
  const int W = WidthOf(ARect), H = HeightOf(ARect);
  if (W <= 0 || H <= 0) return;
  HWND fw = form != nullptr ? form->Handle() : nullptr;
  TacBorderForm* border = provider->BorderForm.get();
  TPoint at;
  if (ACanvas == provider->SkinData()->CacheBmp()->Canvas()) {
    const TRect shadow = provider->ShadowSize();
    at.X = ARect.Left - shadow.Left - SysBorderWidth(fw, border, true);
    at.Y = border != nullptr ? ARect.Top - provider->CaptionHeight(true) - shadow.Top
                             : ARect.Top - SysCaptHeight(form) - SysBorderWidth(fw, border, false);
  } else {
    at.X = ARect.Left + DiffBorder(border) - SysBorderWidth(fw, border, true);
    at.Y = border != nullptr
               ? ARect.Top + DiffTitle(border) + 4 * (provider->FSysExHeight ? 1 : 0) - provider->CaptionHeight(true)
               : ARect.Top + DiffTitle(border) - SysCaptHeight(form) - SysBorderWidth(fw, border, false);
  }
  auto bmp = NewBitmap32(W, H);
  Copy(bmp->Canvas()->Handle(), 0, 0, W, H, line->Canvas()->Handle(), at.X, at.Y);
  const bool enabled = (State & (ODS_DISABLED | ODS_GRAYED)) == 0;
  const bool hot = enabled && (State & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  const int itemIndex = FOwner->GetSkinIndex("MENUITEM");
  if (FOwner->IsValidSkinIndex(itemIndex))
    PaintItem(itemIndex, "MENUITEM", MakeCacheInfo(bmp.get()), true, hot ? 1 : 0, TRect{0, 0, W, H}, TPoint{},
              bmp.get(), FOwner);
  TMenu* menu = item->GetParentMenu();
  const bool rtl = MenuRightToLeft(menu);
  int pictureWidth = 0;
  if (item->HasBitmap()) {
    TBitmap* own = item->Bitmap();
    pictureWidth = own->Width();
    bmp->Canvas()->Draw(rtl ? W - 3 - own->Width() : 3, (H - own->Height()) / 2, own);
  } else if (menu != nullptr && menu->Images() != nullptr && item->ImageIndex() >= 0) {
    classlib::TCustomImageList* images = menu->Images();
    pictureWidth = images->Width();
    images->Draw(bmp->Canvas(), rtl ? W - 3 - images->Width() : 3, (H - images->Height()) / 2, item->ImageIndex(),
                 enabled);
  }
  TCanvas* c = bmp->Canvas();
  SetItemFont(c, item, State);
  TRect tr{2, 0, 2 + W - 2 * Margin, H};
  if (pictureWidth > 0) {
    const int shift = pictureWidth + 3;
    if (rtl) {
      tr.Left -= shift;
      tr.Right -= shift;
    } else {
      tr.Left += shift;
      tr.Right += shift;
    }
  }
  UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP;
  if (rtl) flags |= DT_RTLREADING;
  if (State & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
  acWriteTextEx(c, item->Caption(), true, tr, flags, FOwner->GetSkinIndex("MENULINE"), hot, FOwner);
  if (OnDrawItem) OnDrawItem(item, c, TRect{0, 0, W, H}, State, smTopLine);
  if (!enabled) SumBmpRect(View32(bmp.get()), View32(line), 102, TRect{at.X, at.Y, at.X + W, at.Y + H}, TPoint{});
  Copy(ACanvas->Handle(), ARect.Left, ARect.Top, W, H, bmp->Canvas()->Handle(), 0, 0);
}

}  // namespace skin
