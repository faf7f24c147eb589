#include <algorithm>

#include "classlib/Graphics.h"

namespace classlib {

TColor ColorToRGB(TColor Color) {
  if (Color < 0) return static_cast<TColor>(GetSysColor(Color & 0xFF));
  return Color;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---- TFont --------------------------------------------------------------------------------

int TFont::ScreenPixelsPerInch() {
  static const int ppi = [] {
    ScreenDC dc;
    const int v = dc.get() ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
    return v > 0 ? v : 96;
  }();
  return ppi;
}

TFont::TFont() : pixelsPerInch_(ScreenPixelsPerInch()) { height_ = -MulDiv(8, pixelsPerInch_, 72); }

void TFont::Changed() {
  // The canvas that has the handle selected puts its DC's own font back inside OnChange,
  // so the old handle is free by the time it is deleted here.
  GdiObject<HFONT> old = std::move(handle_);
  TGraphicsObject::Changed();
}

void TFont::ChangedKeepHandle() { TGraphicsObject::Changed(); }

void TFont::Assign(const TPersistent* Source) {
  if (auto* f = dynamic_cast<const TFont*>(Source)) {
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    style_ = f->style_;
    color_ = f->color_;
    charset_ = f->charset_;
    pitch_ = f->pitch_;
    quality_ = f->quality_;
    orientation_ = f->orientation_;
    pixelsPerInch_ = f->pixelsPerInch_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TFont::SetName(const std::wstring& Value) {
  if (Value.empty() || Value == name_) return;
  name_ = Value;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, pixelsPerInch_, 72)); }

void TFont::SetHeight(int Value) {
  if (Value == height_) return;
  height_ = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  ChangedKeepHandle();
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == charset_) return;
  charset_ = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == pitch_) return;
  pitch_ = Value;
  Changed();
}

void TFont::SetQuality(TFontQuality Value) {
  if (Value == quality_) return;
  quality_ = Value;
  Changed();
}

void TFont::SetOrientation(int Value) {
  if (Value == orientation_) return;
  orientation_ = Value;
  Changed();
}

void TFont::SetPixelsPerInch(int Value) {
  if (Value <= 0 || Value == pixelsPerInch_) return;
  pixelsPerInch_ = Value;
  Changed();
}

LOGFONTW TFont::LogFont() const {
  LOGFONTW lf{};
  lf.lfHeight = height_;
  lf.lfEscapement = orientation_;
  lf.lfOrientation = orientation_;
  lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic);
  lf.lfUnderline = style_.Contains(fsUnderline);
  lf.lfStrikeOut = style_.Contains(fsStrikeOut);
  lf.lfCharSet = charset_;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  static constexpr BYTE kQuality[] = {DEFAULT_QUALITY,        DRAFT_QUALITY,       PROOF_QUALITY,
                                      NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY, CLEARTYPE_QUALITY};
  lf.lfQuality = kQuality[quality_];
  static constexpr BYTE kPitch[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
  lf.lfPitchAndFamily = kPitch[pitch_];
  const size_t n = std::min<size_t>(name_.size(), LF_FACESIZE - 1);
  std::copy_n(name_.data(), n, lf.lfFaceName);
  return lf;
}

HFONT TFont::Handle() {
  if (!handle_) {
    const LOGFONTW lf = LogFont();
    handle_.reset(CreateFontIndirectW(&lf));
    if (!handle_) throw EOutOfResources(L"Cannot create the font \"" + name_ + L"\"");
  }
  return handle_.get();
}

void TFont::SetHandle(HFONT Value) {
  LOGFONTW lf{};
  if (!Value || GetObjectW(Value, sizeof lf, &lf) != static_cast<int>(sizeof lf)) return;
  lf.lfFaceName[LF_FACESIZE - 1] = 0;
  name_ = lf.lfFaceName;
  height_ = lf.lfHeight;
  TFontStyles s;
  if (lf.lfWeight >= FW_BOLD) s.Include(fsBold);
  if (lf.lfItalic) s.Include(fsItalic);
  if (lf.lfUnderline) s.Include(fsUnderline);
  if (lf.lfStrikeOut) s.Include(fsStrikeOut);
  style_ = s;
  charset_ = lf.lfCharSet;
  orientation_ = lf.lfEscapement;
  switch (lf.lfPitchAndFamily & 3) {
    case VARIABLE_PITCH: pitch_ = fpVariable; break;
    case FIXED_PITCH: pitch_ = fpFixed; break;
    default: pitch_ = fpDefault;
  }
  Changed();
}

// ---- TBrush -------------------------------------------------------------------------------

void TBrush::Changed() {
  GdiObject<HBRUSH> old = std::move(handle_);
  TGraphicsObject::Changed();
}

void TBrush::Assign(const TPersistent* Source) {
  if (auto* b = dynamic_cast<const TBrush*>(Source)) {
    if (b == this) return;
    color_ = b->color_;
    style_ = b->style_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor Value) {
  if (Value == color_ && style_ != bsClear) return;
  color_ = Value;
  // Giving a clear brush a colour makes it solid, as users of the platform expect.
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (!handle_) {
    const COLORREF rgb = static_cast<COLORREF>(ColorToRGB(color_));
    switch (style_) {
      case bsSolid: handle_.reset(CreateSolidBrush(rgb)); break;
      case bsClear: handle_.reset(static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), false); break;
      default: {
        static constexpr int kHatch[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                         HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
        handle_.reset(CreateHatchBrush(kHatch[style_ - bsHorizontal], rgb));
      }
    }
    if (!handle_) throw EOutOfResources(L"Cannot create a brush");
  }
  return handle_.get();
}

void TBrush::SetHandle(HBRUSH Value) {
  LOGBRUSH lb{};
  if (!Value || GetObjectW(Value, sizeof lb, &lb) != static_cast<int>(sizeof lb)) return;
  color_ = static_cast<TColor>(lb.lbColor);
  if (lb.lbStyle == BS_NULL) {
    style_ = bsClear;
  } else if (lb.lbStyle == BS_HATCHED && lb.lbHatch <= HS_DIAGCROSS) {
    static constexpr TBrushStyle kStyle[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
    style_ = kStyle[lb.lbHatch];
  } else {
    style_ = bsSolid;
  }
  Changed();
}

// ---- TPen ---------------------------------------------------------------------------------

void TPen::Changed() {
  GdiObject<HPEN> old = std::move(handle_);
  TGraphicsObject::Changed();
}

void TPen::Assign(const TPersistent* Source) {
  if (auto* p = dynamic_cast<const TPen*>(Source)) {
    if (p == this) return;
    color_ = p->color_;
    width_ = p->width_;
    style_ = p->style_;
    mode_ = p->mode_;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == width_) return;
  width_ = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == mode_) return;
  mode_ = Value;
  Changed();
}

HPEN TPen::Handle() {
  if (!handle_) {
    static constexpr int kStyle[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    handle_.reset(CreatePen(kStyle[style_], width_, static_cast<COLORREF>(ColorToRGB(color_))));
    if (!handle_) throw EOutOfResources(L"Cannot create a pen");
  }
  return handle_.get();
}

void TPen::SetHandle(HPEN Value) {
  LOGPEN lp{};
  if (!Value || GetObjectW(Value, sizeof lp, &lp) != static_cast<int>(sizeof lp)) return;
  color_ = static_cast<TColor>(lp.lopnColor);
  width_ = lp.lopnWidth.x;
  switch (lp.lopnStyle & PS_STYLE_MASK) {
    case PS_DASH: style_ = psDash; break;
    case PS_DOT: style_ = psDot; break;
    case PS_DASHDOT: style_ = psDashDot; break;
    case PS_DASHDOTDOT: style_ = psDashDotDot; break;
    case PS_NULL: style_ = psClear; break;
    case PS_INSIDEFRAME: style_ = psInsideFrame; break;
    default: style_ = psSolid;
  }
  Changed();
}

}  // namespace classlib
