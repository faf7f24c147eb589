// The provider's rendering of the form's frame into the cache bitmap of its skin state: frame and
// border image, title band, icon, caption text, menu line, title buttons; and the copies of the
// cache to the window.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "classlib/GdiObject.h"
#include "classlib/ScopeExit.h"
#include "skin/core/acntSystemWin32.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/forms/acBorderWnd.h"
#include "skin/forms/acSBAnimation.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sSystemMenu.h"
#include "skin/graphics/sBlend32.h"

namespace skin {

using classlib::TBitmap;

namespace {

int LimitState(int State, int States) { return std::max(0, std::min(State, States - 1)); }

// Copies a block between two 32-bit bitmaps, cut to what lies inside both.
void CopyBlock(TBitmap* Dst, TPoint DstAt, TBitmap* Src, TPoint SrcAt, TSize Size) {
  if (Dst == nullptr || Src == nullptr) return;
  const TacCopyArea a = ClipCopyArea({Src->Width(), Src->Height()}, SrcAt, {Dst->Width(), Dst->Height()}, DstAt, Size);
  if (a.Empty()) return;
  const TImage32View from = Src->Image32View();
  const TImage32View to = Dst->Image32View();
  for (int y = 0; y < a.Size.cy; ++y)
    std::memcpy(&to.At(a.Dst.X, a.Dst.Y + y), &from.At(a.Src.X, a.Src.Y + y), static_cast<std::size_t>(a.Size.cx) * 4);
}

void Fill(TBitmap* Bmp, const TRect& R, TColor Color) {
  const TImage32View v = Bmp->Image32View();
  const TRect c = v.Clip(R);
  const std::uint32_t rgb = static_cast<std::uint32_t>(classlib::ColorToRGB(Color));
  const std::uint32_t pixel = 0xFF000000u | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
  for (int y = c.Top; y < c.Bottom; ++y)
    for (int x = c.Left; x < c.Right; ++x) v.At(x, y).U = pixel;
}

}  // namespace

void acSetTitleFont(classlib::TFont* Font, classlib::TFontCharset Charset) {
  HFONT title = acGetTitleFont();
  if (title == nullptr) return;
  LOGFONTW lf{};
  GetObjectW(title, sizeof lf, &lf);
  DeleteObject(title);
  Font->SetName(lf.lfFaceName);
  Font->SetHeight(GetCaptionFontSize() != 0 ? GetCaptionFontSize() : lf.lfHeight);
  Font->SetStyle(lf.lfWeight >= FW_BOLD ? classlib::TFontStyles{classlib::fsBold} : classlib::TFontStyles{});
  Font->SetCharset(Charset);
}

bool TsSkinProvider::PaintsThroughCache() const { return (FCommonData->CtrlSkinState & kNoOwnCache) == 0; }

void TsSkinProvider::PaintAll() {
  if (Form == nullptr || !Form->HandleAllocated() || (FFormState & (kFormBlending | kFormCapturing)) != 0) return;
  TsSkinManager* m = SkinManager();
  if (m == nullptr || !m->IsValidSkinIndex(FCommonData->SkinIndex)) return;
  const classlib::TScopeExit notUpdating([this] { FCommonData->SetUpdating(false); });
  const HWND h = Form->Handle();
  const bool iconic = IsIconic(h) && !(classlib::TApplication::Existing() && classlib::Application->MainForm() == Form);
  const TRect shadow = ShadowSize();
  const int bh = SysBorderHeight(h, BorderForm.get(), false);
  const int c = CaptionHeight(true);
  const int s = bh + c + shadow.Top;
  int height = iconic ? bh + c + 2 : Form->Height();
  if (BorderForm != nullptr)
    height = DiffBorder(BorderForm.get()) + height + DiffTitle(BorderForm.get()) + shadow.Top + shadow.Bottom +
             (MenuHeight() != 0 ? 1 : 0);
  const int width = CaptionWidth();
  const auto& gd = m->Records().gd;
  const int state = LimitState(FormActive ? 1 : 0, gd[FCommonData->SkinIndex].States);
  if (FCommonData->CacheBmp()->Width() == 0) {
    InitCacheBmp(FCommonData.get());
    FCommonData->CacheBmp()->SetSize(width, height);
  }
  if (!FCommonData->BGChanged) return;
  TBitmap* cache = FCommonData->CacheBmp();
  RgnChanged = true;
  cache->SetSize(width, height);
  const TRect frame{shadow.Left, shadow.Top, width - shadow.Right, height - shadow.Bottom};
  if (!PaintsThroughCache()) {
    Fill(cache, TRect{0, 0, width, c + BorderWidth(true) + GetLinesCount() * MenuHeight() + 1}, FormColor());
    PaintBorderFast(cache->Canvas()->Handle(), frame, BorderWidth(true), FCommonData.get(), state);
  } else if (HaveBorder(this)) {
    PaintItem(FCommonData.get(), EmptyCI, true, state, frame, TPoint{Form->Left(), Form->Top()}, cache, true);
  } else {
    PaintItemBG(FCommonData.get(), EmptyCI, state, frame, TPoint{Form->Left(), Form->Top()}, cache);
  }
  PaintTitle(frame, s, state);
  if (MenuLineAllowed() && MenuPresent() && MenuHeight() > 0 && FDrawNonClientArea && m->SkinnedPopups)
    PaintMenuLine(s);
  PaintCaptionText(s);
  if (BorderForm != nullptr) PaintExBorderShadow(this, cache);
  if (IsGripVisible(this) && PaintsThroughCache()) {
    FCommonData->BGChanged = false;
    PaintGrip(cache->Canvas()->Handle());
  }
  if (c != 0 && FDrawNonClientArea) {
    SaveBGForBtns(true);
    PaintBorderIcons();
  }
  MenuChanged = false;
  FCommonData->BGChanged = false;
  if (Form->OnPaint && PaintsThroughCache()) {
    // User painting lands in the cache; the form's canvas gets its own handle back on every path.
    classlib::TCanvas* canvas = Form->Canvas();
    const HDC own = canvas->HandleAllocated() ? canvas->Handle() : nullptr;
    const HDC dc = cache->Canvas()->Handle();
    POINT oldOrigin{};
    SetWindowOrgEx(dc, -OffsetX(), -OffsetY(), &oldOrigin);
    canvas->Lock();
    canvas->SetHandle(dc);
    const classlib::TScopeExit giveBack([&] {
      canvas->SetHandle(own);
      canvas->Unlock();
      SetWindowOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    });
    Form->OnPaint(Form);
  }
  FirstInitialized = true;
}

void TsSkinProvider::PaintTitle(const TRect& Frame, int TitleBottom, int State) {
  const int c = CaptionHeight(true);
  if (c == 0 || !FDrawNonClientArea) return;
  TsSkinManager* m = SkinManager();
  TBitmap* cache = FCommonData->CacheBmp();
  const int title = TitleSkinIndex();
  if (m->IsValidSkinIndex(title)) {
    const int titleState = LimitState(FormActive ? 1 : 0, m->Records().gd[title].States);
    const bool iconic = IsIconic(Form->Handle()) != FALSE;
    const TRect r = iconic ? Frame : TRect{Frame.Left, Frame.Top, Frame.Right, TitleBottom};
    skin::PaintItem(title, TitleSkinSection(), MakeCacheInfo(cache), true, titleState, r, TPoint{}, cache, m);
  }
  DrawAppIcon();
  if (SysButtonsCount() > 0) {
    const int bar = m->GetMaskIndex(FCommonData->SkinIndex, FCommonData->SkinSection(), "TITLEBAR");
    if (m->IsValidImgIndex(bar)) {
      const int bh = SysBorderHeight(Form->Handle(), BorderForm.get(), false);
      DrawSkinRect(cache, TRect{CaptionWidth() - BarWidth(bar), 0, cache->Width(), c + bh}, true, MakeCacheInfo(cache),
                   m->Records().ma[bar], State, true);
    }
  }
}

TRect TsSkinProvider::CaptionTextRect(int TitleBottom) const {
  const HWND h = Form->Handle();
  const TRect shadow = ShadowSize();
  TRect t;
  t.Left = SysBorderWidth(h, BorderForm.get(), true) + (IconVisible() ? IconWidth() : 0) +
           SkinManager()->Records().SkinData.BILeftMargin + shadow.Left + (FCaptionSkinIndex >= 0 ? 2 : 0) + 4;
  t.Right = FCommonData->CacheBmp()->Width() - TitleBtnsWidth() - shadow.Right - 12;
  t.Bottom = TitleBottom;
  t.Top = IsZoomed(h) ? (BorderForm != nullptr ? shadow.Top + 1 : 3) : shadow.Top + 2;
  return t;
}

void TsSkinProvider::PaintCaptionText(int TitleBottom) {
  if (CaptionHeight(true) == 0 || !FDrawNonClientArea) return;
  TsSkinManager* m = SkinManager();
  TBitmap* cache = FCommonData->CacheBmp();
  TRect t = CaptionTextRect(TitleBottom);
  if (t.Right <= t.Left || t.Bottom <= t.Top) return;
  classlib::TCanvas* canvas = cache->Canvas();
  TSize added{};
  if (!FAddedTitle->Text().empty()) {
    canvas->SetFont(FAddedTitle->Font());
    added = canvas->TextExtent(FAddedTitle->Text());
  }
  TSize main = added;
  const std::wstring caption = Form->Caption();
  if (FAddedTitle->ShowMainCaption()) {
    acSetTitleFont(canvas->Font(),
                   ac_UseSysCharSet ? static_cast<classlib::TFontCharset>(DEFAULT_CHARSET) : Form->Font()->Charset());
    main = canvas->TextExtent(caption);
  } else {
    added.cx = 0;
  }
  t.Top += (t.Bottom - t.Top - main.cy) / 2;
  t.Bottom = t.Top + main.cy;
  const bool rtl = (GetWindowLongPtrW(Form->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  t = AlignCaptionRect(t, main.cx, added.cx, FCaptionAlignment, rtl);
  const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | (rtl ? DT_RTLREADING : 0u);
  int section = TitleSkinIndex();
  const bool hot = FormActive;
  if (FAddedTitle->ShowMainCaption()) {
    TRect measured = t;
    DrawTextW(canvas->Handle(), caption.c_str(), -1, reinterpret_cast<RECT*>(&measured), flags | DT_CALCRECT);
    measured.Right = std::min(measured.Right, t.Right);
    if (FCaptionSkinIndex >= 0) {
      const TRect back{measured.Left - 4, measured.Top - 2, measured.Right + 4, measured.Bottom + 2};
      const int state = LimitState(FormActive ? 1 : 0, m->Records().gd[FCaptionSkinIndex].States);
      skin::PaintItem(FCaptionSkinIndex, "CAPTION", MakeCacheInfo(cache), true, state, back, TPoint{}, cache, m);
      section = FCaptionSkinIndex;
      // Old skins on 64-bit systems without composition draw no glow.
      if (!(x64woAero && m->Records().SkinData.Version <= 7.5)) {
        const auto& g = m->Records().gd[FCaptionSkinIndex];
        const int size = FormActive ? g.HotGlowSize : g.GlowSize;
        if (size != 0)
          acDrawGlowForText(cache, caption, t, flags, kGlowAllSides, size, FormActive ? g.HotGlowColor : g.GlowColor,
                            FormActive ? FGlow1 : FGlow2);
      }
    }
    canvas->Brush()->SetStyle(classlib::bsClear);
    acWriteTextEx(canvas, caption, Form->Enabled(), t, flags, section, hot, m);
    t.Left = measured.Right;
  }
  if (!FAddedTitle->Text().empty()) {
    t.Left += 4;
    t.Right = t.Left + added.cx + 4;
    if (added.cx > 4) {
      canvas->SetFont(FAddedTitle->Font());
      const auto& gd = m->Records().gd[TitleSkinIndex() >= 0 ? TitleSkinIndex() : FCommonData->SkinIndex];
      const TColor sectionColor = FormActive ? gd.HotFontColor.Color : gd.FontColor.Color;
      TColor color = FAddedTitle->Font()->Color();
      if (color == classlib::clNone || color == classlib::clWindowText)
        color = sectionColor;
      else if (!FormActive)
        color = MixColors(classlib::ColorToRGB(color), sectionColor, 0.5);
      canvas->Font()->SetColor(color);
      canvas->Brush()->SetStyle(classlib::bsClear);
      DrawTextW(canvas->Handle(), FAddedTitle->Text().c_str(), -1, reinterpret_cast<RECT*>(&t), flags);
    }
  }
}

void TsSkinProvider::PaintMenuLine(int TitleBottom) {
  TsSkinManager* m = SkinManager();
  TBitmap* cache = FCommonData->CacheBmp();
  const TRect shadow = ShadowSize();
  const int lines = GetLinesCount();
  int section = FMenuLineSkin.empty() ? -1 : m->GetSkinIndex(FMenuLineSkin);
  if (section < 0) section = m->GetSkinIndex("MENULINE");
  const int lineHeight = lines * MenuHeight() + 1;
  if (section >= 0)
    skin::PaintItem(section, FMenuLineSkin.empty() ? "MENULINE" : FMenuLineSkin, MakeCacheInfo(cache), true, 0,
                    TRect{shadow.Left, TitleBottom, cache->Width() - shadow.Right, TitleBottom + lineHeight}, TPoint{},
                    cache, m);
  MenuLineBmp->SetSize(std::max(cache->Width() - shadow.Left - shadow.Right, 0), lineHeight);
  CopyBlock(MenuLineBmp.get(), {0, 0}, cache, {OffsetX(), OffsetY() - lineHeight}, {MenuLineBmp->Width(), lineHeight});
}

// ---- title buttons ----

void TsSkinProvider::SaveBGForBtns(bool FullHeight) {
  TBitmap* cache = FCommonData->CacheBmp();
  const HWND h = Form->Handle();
  const TRect shadow = ShadowSize();
  const int w = SysBorderWidth(h, BorderForm.get(), true) + TitleBtnsWidth() + shadow.Right + 10;
  const int hgt = SysBorderHeight(h, BorderForm.get(), true) + CaptionHeight(true) +
                  SysBorderWidth(h, BorderForm.get(), false) + MenuHeight() + shadow.Top;
  TempBmp->SetPixelFormat(classlib::pf32bit);
  TempBmp->SetSize(w, hgt);
  const int rows = FullHeight ? hgt : SysBorderHeight(h, BorderForm.get(), true) + CaptionHeight(true);
  CopyBlock(TempBmp.get(), {0, 0}, cache, {CaptionWidth() - w - 1, 0}, {w, rows});
}

void TsSkinProvider::RestoreBtnsBG() {
  if (TempBmp == nullptr || TempBmp->Width() == 0) return;
  CopyBlock(FCommonData->CacheBmp(), {CaptionWidth() - TempBmp->Width() - 1, 0}, TempBmp.get(), {0, 0},
            {TempBmp->Width(), TempBmp->Height()});
}

void TsSkinProvider::PlaceTitleButton(TsCaptionButton& Button, int Image, const TsTitleButton* User, bool Enabled,
                                      int& X) {
  TsSkinManager* m = SkinManager();
  const HWND h = Form->Handle();
  const TRect shadow = ShadowSize();
  const TsSkinData& sd = m->Records().SkinData;
  const int width = User != nullptr ? UserButtonWidth(*User) : SysButtonWidth(Button);
  Button.Rect.Right = X;
  Button.Rect.Left = X - width;
  int top;
  if (Button.HaveAlignment && sd.BIVAlign == 1) {
    top = IsZoomed(h) ? 3 : 0;
    if (BorderForm != nullptr) top = shadow.Top + sd.BITopMargin;
  } else {
    top = (SysBorderHeight(h, BorderForm.get(), true) + CaptionHeight(true) - ButtonHeight()) / 2 + shadow.Top;
    if (BorderForm != nullptr) top += sd.ExCenterOffs;
    if (BigButtons(this) && ButtonHeight() < 16) top += 2;
  }
  Button.Rect.Top = top;
  Button.Rect.Bottom = top + ButtonHeight();
  if (m->IsValidImgIndex(Image)) {
    // Faded while normal on an inactive form or for a disabled command.
    const int mode = Button.State == 0 && (!FormActive || !Enabled) ? 2 : 1;
    DrawSkinGlyph(FCommonData->CacheBmp(), TPoint{Button.Rect.Left, Button.Rect.Top}, Button.State, mode,
                  m->Records().ma[Image], MakeCacheInfo(FCommonData->CacheBmp()));
  }
}

TsSkinProvider::TitleButtonLook TsSkinProvider::SysButtonLook(int HT) const {
  TsSkinManager* m = SkinManager();
  const HWND h = Form->Handle();
  const TacSysMenuRules r = SysMenuRules();
  const int gi = m->GetSkinIndex("GLOBALINFO");
  const auto restoreImage = [&] {
    int i = m->GetMaskIndex(gi, "GLOBALINFO", "BICONNORM");
    if (i < 0) i = m->GetMaskIndex(FCommonData->SkinIndex, FCommonData->SkinSection(), "BICONNORM");
    return i;
  };
  switch (HT) {
    case HTCLOSE: return {ButtonClose.ImageIndex, r.VisibleClose};
    case HTMAXBUTTON: {
      if (IsZoomed(h)) return {restoreImage(), r.EnabledRestore};
      int i = m->GetMaskIndex(gi, "GLOBALINFO", BigButtons(this) ? "BICONMAX" : "SICONMAX");
      if (i < 0) i = m->GetMaskIndex(gi, "GLOBALINFO", "BICONMAX");
      return {i, r.EnabledMax};
    }
    case HTMINBUTTON: {
      const bool restore = IsIconic(h) && Form->WindowState() == classlib::wsMinimized &&
                           !(classlib::TApplication::Existing() && classlib::Application->MainForm() == Form);
      return restore ? TitleButtonLook{restoreImage(), r.EnabledRestore}
                     : TitleButtonLook{ButtonMin.ImageIndex, r.EnabledMin};
    }
    case HTHELP: return {ButtonHelp.ImageIndex, true};
    default: return {};
  }
}

void TsSkinProvider::PaintBorderIcons() {
  if (!HaveBorder(this)) return;
  TsSkinManager* m = SkinManager();
  const HWND h = Form->Handle();
  const TRect shadow = ShadowSize();
  const TsSkinData& sd = m->Records().SkinData;
  int x = CaptionWidth() - sd.BIRightMargin - shadow.Right - SysBorderWidth(h, BorderForm.get(), true);
  RestoreBtnsBG();
  const int spacing = BigButtons(this) ? sd.BISpacing : 0;
  if (SystemMenu != nullptr && HaveSysMenu) {
    const TacSysMenuRules r = SysMenuRules();
    const auto place = [&](TsCaptionButton& Button, int HT) {
      const TitleButtonLook look = SysButtonLook(HT);
      if (!m->IsValidImgIndex(look.Image)) return;
      PlaceTitleButton(Button, look.Image, nullptr, look.Enabled, x);
      x = Button.Rect.Left - spacing;
    };
    place(ButtonClose, HTCLOSE);
    if (r.VisibleMax) {
      ButtonMax.ImageIndex = SysButtonLook(HTMAXBUTTON).Image;
      place(ButtonMax, HTMAXBUTTON);
    }
    if (r.VisibleMin) place(ButtonMin, HTMINBUTTON);
    if (Form->BorderIcons().Contains(classlib::biHelp)) place(ButtonHelp, HTHELP);
  }
  if (FTitleButtons->Count() > 0) {
    x -= 8;
    for (int i = 0; i < FTitleButtons->Count(); ++i) {
      TsTitleButton* b = FTitleButtons->Items(i);
      if (!b->Visible()) continue;
      b->BtnData.ImageIndex = b->UseSkinData() && m->IsValidImgIndex(UserBtnIndex) ? UserBtnIndex : -1;
      PlaceTitleButton(b->BtnData, b->BtnData.ImageIndex, b, b->Enabled(), x);
      x = b->BtnData.Rect.Left - spacing;
      b->BtnData.HitCode = 1000 + i;
      DrawUserGlyph(*b);
    }
  }
}

TsCaptionButton* TsSkinProvider::ButtonOfHT(int HT) {
  switch (HT) {
    case HTMINBUTTON: return &ButtonMin;
    case HTMAXBUTTON: return &ButtonMax;
    case HTCLOSE: return &ButtonClose;
    case HTHELP: return &ButtonHelp;
    case 101: return &MDIClose;
    case 102: return &MDIMax;
    case 103: return &MDIMin;
    default:
      if (HT >= 1000 && HT < 1000 + FTitleButtons->Count()) return &FTitleButtons->Items(HT - 1000)->BtnData;
      return nullptr;
  }
}

// A change of one button's state redraws that button alone over the caption background saved at
// the last rendering, so hovering the title costs a glyph, not a frame.
bool TsSkinProvider::RepaintButtonInCache(int HT, const TsCaptionButton& Button) {
  TBitmap* cache = FCommonData->CacheBmp();
  if (TempBmp == nullptr || TempBmp->Width() == 0 || BorderForm != nullptr) return false;
  if (Button.State < 0) return true;
  if (IconVisible() && IconRect().Right >= Button.Rect.Left) return true;
  TsSkinManager* m = SkinManager();
  const TRect& r = Button.Rect;
  // The saved strip ends one pixel left of the cache's right edge (SaveBGForBtns).
  CopyBlock(cache, {r.Left, r.Top}, TempBmp.get(), {TempBmp->Width() - (CaptionWidth() - r.Left) + 1, r.Top},
            {r.Right - r.Left, ButtonHeight()});
  if (HT < 1000) {
    const TitleButtonLook look = SysButtonLook(HT);
    if (!m->IsValidImgIndex(look.Image)) return true;
    const bool disabled = !look.Enabled;
    const int mode = (disabled || !FormActive) && (disabled || Button.State == 0) ? 2 : 1;
    DrawSkinGlyph(cache, TPoint{r.Left, r.Top}, Button.State, mode, m->Records().ma[look.Image], MakeCacheInfo(cache));
  } else {
    const TsTitleButton* user = FTitleButtons->Items(HT - 1000);
    if (user->UseSkinData() && m->IsValidImgIndex(Button.ImageIndex))
      DrawSkinGlyph(cache, TPoint{r.Left, r.Top}, Button.State, Button.State == 0 && !FormActive ? 2 : 1,
                    m->Records().ma[Button.ImageIndex], MakeCacheInfo(cache));
    DrawUserGlyph(*user);
  }
  return true;
}

bool TsSkinProvider::ButtonGlowWanted(int HT) const {
  if (HT >= 101 && HT <= 103) return false;
  const TsSkinManager* m = SkinManager();
  if (m == nullptr || !(m->GetAllowGlowing() || BorderForm != nullptr)) return false;
  return FFormState == 0 && Form->Parent() == nullptr && Form->FormStyle() != classlib::fsMDIChild &&
         Form->HandleAllocated() && IsWindowVisible(Form->Handle()) && !IsIconic(Form->Handle());
}

void TsSkinProvider::RepaintButton(int HT) {
  TsCaptionButton* b = ButtonOfHT(HT);
  if (b == nullptr) return;
  if (ButtonGlowWanted(HT)) {
    // The hot and pressed looks show in a layered window above the frame, which keeps its normal
    // buttons meanwhile.
    if (b->State == 1)
      StartSBAnimation(*b, 1, 10, true, this, nullptr);
    else if (b->State == 2)
      StartSBAnimation(*b, 2, 1, true, this, nullptr);
    else if (b->State != -1)
      StartSBAnimation(*b, b->State, 10, false, this, nullptr);
    return;
  }
  if (FCommonData->CacheBmp() == nullptr || FCommonData->BGChanged) return;
  if (!RepaintButtonInCache(HT, *b)) {
    FCommonData->BGChanged = true;
    PaintAll();
  }
  if (Form->HandleAllocated() && IsWindowVisible(Form->Handle())) {
    const classlib::WindowDC dc(Form->Handle());
    const TRect r = b->Rect;
    BitBlt(dc.get(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, FCommonData->CacheBmp()->Canvas()->Handle(),
           r.Left, r.Top, SRCCOPY);
  }
}

void TsSkinProvider::SetHotHT(int HT, bool Repaint) {
  if (!FDrawNonClientArea) return;
  if (HT == CurrentHT || (CurrentHT == -1 && HT == 0)) return;
  if (CurrentHT > 0)
    if (TsCaptionButton* old = ButtonOfHT(CurrentHT)) {
      old->State = 0;
      if (Repaint) RepaintButton(CurrentHT);
    }
  CurrentHT = HT;
  if (!bPressed)
    if (TsCaptionButton* hot = ButtonOfHT(HT)) {
      hot->State = 1;
      if (Repaint) RepaintButton(HT);
    }
}

bool TsSkinProvider::CursorOnOwnFrame() const {
  if (Form == nullptr || !Form->HandleAllocated()) return false;
  const HWND h = Form->Handle();
  POINT p{};
  if (!GetCursorPos(&p) || WindowFromPoint(p) != h) return false;
  const LRESULT ht = SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  return ht != HTCLIENT && ht != HTNOWHERE && ht != HTTRANSPARENT;
}

void TsSkinProvider::SetPressedHT(int HT) {
  if (CurrentHT != 0 && HT != CurrentHT)
    if (TsCaptionButton* old = ButtonOfHT(CurrentHT)) {
      old->State = 0;
      RepaintButton(CurrentHT);
    }
  CurrentHT = HT;
  const TacSysMenuRules r = SysMenuRules();
  const bool allowed = HT == HTMAXBUTTON ? r.EnabledMax || (IsZoomed(Form->Handle()) && r.EnabledRestore)
                       : HT == 102       ? r.EnabledMax
                                         : true;
  TsCaptionButton* pressed = ButtonOfHT(HT);
  if (!allowed || pressed == nullptr) {
    CurrentHT = 0;
    return;
  }
  pressed->State = 2;
  bPressed = true;
  RepaintButton(HT);
}

void TsSkinProvider::DrawUserGlyph(const TsTitleButton& Button) {
  TBitmap* glyph = Button.Glyph();
  if (glyph == nullptr || glyph->Width() <= 0 || glyph->Height() <= 0) return;
  const TRect& r = Button.BtnData.Rect;
  const int x = r.Left + (UserButtonWidth(Button) - glyph->Width()) / 2;
  const int y = r.Top + (ButtonHeight() - glyph->Height()) / 2;
  TBitmap* cache = FCommonData->CacheBmp();
  const TImage32View dst = cache->Image32View();
  if (glyph->PixelFormat() == classlib::pf32bit) {
    // Blended by its own alpha.
    const TImage32View src = glyph->Image32View();
    for (int gy = 0; gy < src.Height; ++gy)
      for (int gx = 0; gx < src.Width; ++gx) {
        if (!dst.Contains(x + gx, y + gy)) continue;
        const std::uint32_t s = src.At(gx, gy).U, d = dst.At(x + gx, y + gy).U;
        const std::uint32_t a = s >> 24;
        std::uint32_t out = 0xFF000000u;
        for (int shift : {0, 8, 16}) {
          const std::uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
          out |= ((sc * a + dc * (255 - a)) / 255) << shift;
        }
        dst.At(x + gx, y + gy).U = out;
      }
    return;
  }
  // Any other glyph: its bottom-left pixel is the transparent colour.
  const COLORREF key = GetPixel(glyph->Canvas()->Handle(), 0, glyph->Height() - 1);
  TransparentBlt(cache->Canvas()->Handle(), x, y, glyph->Width(), glyph->Height(), glyph->Canvas()->Handle(), 0, 0,
                 glyph->Width(), glyph->Height(), key);
}

void TsSkinProvider::PaintGrip(HDC DC) {
  TsSkinManager* m = SkinManager();
  const int image = m->Records().ConstData.GripRightBottom;
  if (!m->IsValidImgIndex(image)) return;
  const TsMaskData& md = m->Records().ma[image];
  const int w = WidthOfImage(md), hgt = HeightOfImage(md);
  if (w <= 0 || hgt <= 0) return;
  TBitmap* cache = FCommonData->CacheBmp();
  auto grip = NewBitmap32(w, hgt);
  const TPoint p = RBGripPoint(image);
  // The grip stands on the frame's own pixels at its place.
  CopyBlock(grip.get(), {0, 0}, cache, p, {w, hgt});
  DrawSkinGlyph(grip.get(), TPoint{}, 0, 1, md, MakeCacheInfo(grip.get()));
  const TacCopyArea a = ClipCopyArea({w, hgt}, {0, 0}, {cache->Width(), cache->Height()}, p, {w, hgt});
  if (!a.Empty())
    BitBlt(DC, a.Dst.X, a.Dst.Y, a.Size.cx, a.Size.cy, grip->Canvas()->Handle(), a.Src.X, a.Src.Y, SRCCOPY);
}

void TsSkinProvider::PaintForm(HDC DC) {
  const HWND h = Form->Handle();
  const int cw = GetClientWidth(h), ch = GetClientHeight(h);
  if (PaintsThroughCache()) {
    const bool changed = FCommonData->BGChanged;
    if (!FCommonData->UrgentPainting) PaintAll();
    CopyWinControlCache(Form, FCommonData.get(), TRect{OffsetX(), OffsetY(), OffsetX() + cw, OffsetY() + ch},
                        TRect{0, 0, cw, ch}, DC, false);
    PaintControls(DC, Form, ControlsChanged || changed, TPoint{});
  } else {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(FormColor()));
    const RECT r{0, 0, cw, ch};
    FillRect(DC, &r, brush);
    DeleteObject(brush);
    // Nothing else paints the form's windowless controls: the form's own paint never runs.
    PaintControls(DC, Form, true, TPoint{});
  }
  ControlsChanged = false;
}

// ---- icon ----

void TsSkinProvider::DrawAppIcon() {
  if (!IconVisible()) return;
  TBitmap* cache = FCommonData->CacheBmp();
  const TRect r = IconRect();
  const int w = r.Right - r.Left, hgt = r.Bottom - r.Top;
  if (w <= 0 || hgt <= 0) return;
  // The icon's own pixels become opaque; where it left the title alone the title stays as it was.
  auto saved = NewBitmap32(w, hgt);
  CopyBlock(saved.get(), {0, 0}, cache, {r.Left, r.Top}, {w, hgt});
  HICON icon = reinterpret_cast<HICON>(SendMessageW(Form->Handle(), WM_GETICON, ICON_SMALL2, 0));
  if (icon == nullptr && classlib::TApplication::Existing() != nullptr)
    icon = reinterpret_cast<HICON>(SendMessageW(classlib::Application->Handle(), WM_GETICON, ICON_SMALL2, 0));
  if (icon == nullptr) icon = LoadIconW(nullptr, IDI_APPLICATION);
  DrawIconEx(cache->Canvas()->Handle(), r.Left, r.Top, icon, w, hgt, 0, nullptr, DI_NORMAL);
  const TImage32View c = cache->Image32View();
  const TImage32View s = saved->Image32View();
  for (int y = 0; y < hgt; ++y)
    for (int x = 0; x < w; ++x) {
      if (!c.Contains(r.Left + x, r.Top + y)) continue;
      auto& px = c.At(r.Left + x, r.Top + y);
      const auto& old = s.At(x, y);
      if ((px.U & 0x00FFFFFFu) == (old.U & 0x00FFFFFFu))
        px.U = old.U;
      else
        px.U |= 0xFF000000u;
    }
}

// ---- to the window ----

void TsSkinProvider::PaintCaption(HDC DC) {
  if (FCommonData->BGChanged || !PaintsThroughCache()) {
    ControlsChanged = !FirstInitialized;
    PaintAll();
    FCommonData->BGChanged = false;
  }
  TBitmap* cache = FCommonData->CacheBmp();
  if (cache == nullptr || cache->Width() == 0) return;
  const HWND h = Form->Handle();
  const bool caption = (GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  const int y = caption ? HeaderHeight() : BorderHeight(true);
  const int bw = BorderWidth(true);
  const int bhh = BorderHeight(true);
  const int a = (IsIconic(h) ? 1 : 0) + SysBorderHeight(h, BorderForm.get(), true) + CaptionHeight(true) +
                (MenuPresent() ? GetLinesCount() * MenuHeight() + 1 : 0);
  const HDC src = cache->Canvas()->Handle();
  const int cw = cache->Width(), chh = cache->Height();
  BitBlt(DC, 0, 0, CaptionWidth(), y, src, 0, 0, SRCCOPY);
  BitBlt(DC, 0, y, bw, chh - y, src, 0, a, SRCCOPY);
  BitBlt(DC, bw, Form->Height() - bhh, CaptionWidth() - bw, bhh, src, SysBorderWidth(h, BorderForm.get(), true),
         Form->Height() - bhh, SRCCOPY);
  BitBlt(DC, cw - bw, y, bw, chh - y, src, cw - bw, a, SRCCOPY);
}

}  // namespace skin
