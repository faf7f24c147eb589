#include "skin/controls/Sthirdparty.h"

#include <algorithm>
#include <memory>

#include "skin/controls/sSpeedButtonGeometry.h"
#include "skin/controls/sToolBar.h"
#include "skin/controls/sToolBarGeometry.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/acAlphaImageList.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"

namespace skin {

using classlib::TBitmap;
using classlib::TCanvas;
using classlib::TControl;
using classlib::TCustomImageList;

namespace {

// Where the glyph goes: the cache itself, or a copy of what another canvas shows under the button,
// handed back to that canvas when drawing is done.
class GlyphTarget {
 public:
  GlyphTarget(TControl* control, TsCommonData* data, TCanvas* canvas) : canvas_(canvas) {
    TBitmap* cache = data != nullptr ? data->CacheBmp() : nullptr;
    if (canvas == nullptr || (cache != nullptr && canvas == cache->Canvas())) {
      if (cache != nullptr && cache->PixelFormat() == classlib::pf32bit && cache->Width() > 0) bmp_ = cache;
      canvas_ = nullptr;
      return;
    }
    copy_ = NewBitmap32(control->Width(), control->Height());
    BitBlt(copy_->Canvas()->Handle(), 0, 0, control->Width(), control->Height(), canvas->Handle(), 0, 0, SRCCOPY);
    bmp_ = copy_.get();
  }
  ~GlyphTarget() {
    if (canvas_ != nullptr && copy_ != nullptr)
      BitBlt(canvas_->Handle(), 0, 0, copy_->Width(), copy_->Height(), copy_->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  GlyphTarget(const GlyphTarget&) = delete;
  GlyphTarget& operator=(const GlyphTarget&) = delete;

  TBitmap* Bitmap() const { return bmp_; }
  bool Foreign() const { return canvas_ != nullptr; }

 private:
  TCanvas* canvas_;
  std::unique_ptr<TBitmap> copy_;
  TBitmap* bmp_ = nullptr;
};

TColor GreyTint(const TacGlyphLook& look, TsCommonData* data) {
  if (!GlyphTintedGrey(look)) return classlib::clNone;
  if (data != nullptr && data->Skinned()) {
    TsSkinManager* sm = data->GetSkinManager();
    if (sm != nullptr && sm->IsValidSkinIndex(data->SkinIndex)) return sm->Records().gd[data->SkinIndex].Props[0].Color;
  }
  return classlib::ColorToRGB(classlib::clBtnFace);
}

// A 32-bit glyph without one opaque pixel was saved without alpha: it is drawn as a 24-bit one.
// The button's own bitmap is left as it is.
std::unique_ptr<TBitmap> WithoutEmptyAlpha(TBitmap* glyph) {
  if (glyph->PixelFormat() != classlib::pf32bit || HasOpaquePixel(glyph->Image32View())) return nullptr;
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(glyph);
  copy->SetPixelFormat(classlib::pf24bit);
  return copy;
}

// The pixels of R (inside Img) as an image of their own.
TBitmap32 CopyOf(const TImage32View& img, const TRect& r) {
  const TRect c = img.Clip(r);
  TBitmap32 out(c.Right - c.Left, c.Bottom - c.Top);
  for (int y = c.Top; y < c.Bottom; ++y)
    for (int x = c.Left; x < c.Right; ++x) out.At(x - c.Left, y - c.Top) = img.At(x, y);
  return out;
}

void DrawBitmapGlyph(const TacBtnGlyphSource& s, TBitmap* glyph, const GlyphTarget& target, TColor grey) {
  const TRect& r = s.DestRect;
  if (glyph->PixelFormat() == classlib::pf32bit) {
    const int cellWidth = r.Right - r.Left;
    const int cell = GlyphCellIndex(s.Look.State, s.NumGlyphs);
    const TRect src{cell * cellWidth, 0, cell * cellWidth + cellWidth, glyph->Height()};
    if (!target.Foreign()) {
      CopyBmp32(r, src, target.Bitmap()->Image32View(), glyph->Image32View(), TCacheInfo32{}, false, grey,
                CacheGlyphBlend(s.Look), s.Reflected);
      return;
    }
    // A foreign canvas gets no disabled look over the whole button: the glyph carries it.
    TBitmap32 own = CopyOf(glyph->Image32View(), src);
    ScaleAlpha(own.View(), CanvasGlyphBlend(s.Look));
    if (grey != classlib::clNone) GrayScale(own.View());
    CopyBmp32(r, {0, 0, own.Width(), own.Height()}, target.Bitmap()->Image32View(), own.View(), TCacheInfo32{}, false,
              classlib::clNone, 0, s.Reflected);
    return;
  }
  DrawGlyphEx(glyph, target.Bitmap(), r, GlyphCellCount(s.NumGlyphs), s.Look.Enabled, s.Look.DisabledGlyphKind,
              s.Look.State, ClampBlend(s.Look.Blend), s.Look.Down ? 1 : 0);
}

// Images of a plain list are 32-bit with alpha too: they blend by it, never over a key colour.
void DrawListImage(const TacBtnGlyphSource& s, bool skinned, bool active, const GlyphTarget& target) {
  TBitmap image;
  if (!s.Images->GetBitmap(s.ImageIndex, &image) || image.Empty()) return;
  const TacGlyphLook& look = s.Look;
  bool grey = false;
  int blend = 0;
  if (!skinned) {
    grey = !look.Enabled && look.DisabledGlyphKind.Contains(TsDisabledGlyphKindValue::dgGrayed);
  } else if (look.Enabled) {
    grey = !active && look.Grayed;
    blend = active ? 0 : ClampBlend(look.Blend);
  } else {
    grey = look.DisabledGlyphKind.Contains(TsDisabledGlyphKindValue::dgGrayed);
    blend = look.DisabledGlyphKind.Contains(TsDisabledGlyphKindValue::dgBlended) ? 50 : 0;
  }
  if (grey) GrayScale(image.Image32View());
  const TRect dst{s.DestRect.Left, s.DestRect.Top, s.DestRect.Left + image.Width(), s.DestRect.Top + image.Height()};
  CopyBmp32(dst, {0, 0, image.Width(), image.Height()}, target.Bitmap()->Image32View(), image.Image32View(),
            TCacheInfo32{}, false, classlib::clNone, blend, s.Reflected);
}

}  // namespace

int GetImageCount(TCustomImageList* ImgList) { return ImgList != nullptr ? ImgList->Count() : 0; }

void DrawBtnGlyph(TControl* Control, TCanvas* Canvas) {
  auto* button = dynamic_cast<IacGlyphButton*>(Control);
  if (button == nullptr) return;
  TacBtnGlyphSource s = button->BtnGlyphSource();
  TsCommonData* data = button->GlyphSkinData();
  const bool skinned = data != nullptr && data->Skinned();
  const GlyphTarget target(Control, data, Canvas);
  if (target.Bitmap() == nullptr) return;
  const TColor grey = GreyTint(s.Look, data);

  if (s.Glyph != nullptr && !s.Glyph->Empty()) {
    std::unique_ptr<TBitmap> opaque = WithoutEmptyAlpha(s.Glyph);
    DrawBitmapGlyph(s, opaque ? opaque.get() : s.Glyph, target, grey);
    return;
  }
  if (s.ImageIndex < 0 || s.ImageIndex >= GetImageCount(s.Images)) return;
  if (dynamic_cast<TsAlphaImageList*>(s.Images) != nullptr) {
    DrawAlphaImgList(s.Images, target.Bitmap(), s.DestRect.Left, s.DestRect.Top, s.ImageIndex,
                     AlphaListGlyphBlend(s.Look), grey, s.Look.State + (s.Look.Down ? 1 : 0), s.NumGlyphs, s.Reflected);
    return;
  }
  DrawListImage(s, skinned, skinned && ControlIsActive(data), target);
}

namespace {

// The image's rectangle in the button's bitmap; the text height measured on Canvas.
TRect ToolGlyphRect(classlib::TToolBar* Bar, classlib::TToolButton* Button, classlib::TCustomImageList* List,
                    classlib::TCanvas* Canvas, int Mode) {
  TToolBtnLayoutInput in;
  in.List = Bar->List();
  in.ShowCaptions = Bar->ShowCaptions();
  in.DropDown = Button->Style() == classlib::tbsDropDown;
  in.Button = TSize{Button->Width(), Button->Height()};
  in.Image = TSize{List->Width(), List->Height()};
  Canvas->SetFont(Bar->Font());
  in.TextHeight = Canvas->TextHeight(L"A");
  return ToolBtnGlyphRect(in, Mode);
}

// A plain list's image over its key colour, copied into Bmp without the key pixels.
void CopyKeyed(classlib::TCustomImageList* List, classlib::TCustomImageList* Images, int Index, classlib::TBitmap* Bmp,
               TPoint At) {
  const TColor key = Images->BkColor() == classlib::clNone ? clFuchsia : Images->BkColor();
  auto image = NewBitmap32(List->Width(), List->Height());
  FillRect32(View32(image.get()), TRect{0, 0, image->Width(), image->Height()}, classlib::ColorToRGB(key));
  List->Draw(image->Canvas(), 0, 0, Index, true);
  // The key is compared with whole pixels: the image's alpha says nothing here.
  const TImage32View view = View32(image.get());
  for (int y = 0; y < view.Height; ++y)
    for (int x = 0; x < view.Width; ++x) view.Row(y)[x].A = 0;
  TsColor trans;
  trans.C = classlib::ColorToRGB(key);
  CopyTransBitmaps(View32(Bmp), View32(image.get()), At.X, At.Y, trans);
}

// The hot list replaces List for a look other than 0 when it holds the button's image.
classlib::TCustomImageList* WithHotImages(classlib::TToolBar* Bar, classlib::TToolButton* Button,
                                          classlib::TCustomImageList* List, int Mode) {
  classlib::TCustomImageList* hot = Bar->HotImages();
  if (Mode != 0 && hot != nullptr && Button->ImageIndex() < hot->Count()) return hot;
  return List;
}

}  // namespace

void CopyToolBtnGlyph(TsToolBar* ToolBar, classlib::TToolButton* Button, classlib::TCustomDrawState State,
                      classlib::TCustomDrawStage, classlib::TTBCustomDrawFlags, classlib::TBitmap* Bmp) {
  classlib::TCustomImageList* images = ToolBar->Images();
  if (images == nullptr || Button->ImageIndex() < 0) return;
  const int mode = ToolBtnGlyphMode(State);
  classlib::TCustomImageList* list =
      !Button->Enabled() && ToolBar->DisabledImages() != nullptr ? ToolBar->DisabledImages() : images;
  list = WithHotImages(ToolBar, Button, list, mode);
  if (Button->ImageIndex() >= list->Count()) return;
  classlib::TBitmap* cache = ToolBar->SkinData()->CacheBmp();
  const TRect r = ToolGlyphRect(ToolBar, Button, list, cache != nullptr ? cache->Canvas() : Bmp->Canvas(), mode);
  if (dynamic_cast<TsAlphaImageList*>(list) != nullptr || !ToolBar->Skinned())
    list->Draw(Bmp->Canvas(), r.Left, r.Top, Button->ImageIndex(), true);
  else
    CopyKeyed(list, images, Button->ImageIndex(), Bmp, TPoint{r.Left, r.Top});
}

void CopyToolBtnGlyph(classlib::TToolBar* ToolBar, classlib::TToolButton* Button, classlib::TCustomDrawState State,
                      classlib::TCustomDrawStage, classlib::TTBCustomDrawFlags, classlib::TBitmap* Bmp) {
  classlib::TCustomImageList* images = ToolBar->Images();
  if (images == nullptr || Button->ImageIndex() < 0) return;
  const int mode = ToolBtnGlyphMode(State);
  classlib::TCustomImageList* list = WithHotImages(ToolBar, Button, images, mode);
  if (Button->ImageIndex() >= list->Count()) return;
  const TRect r = ToolGlyphRect(ToolBar, Button, list, Bmp->Canvas(), mode);
  if (dynamic_cast<TsAlphaImageList*>(list) != nullptr) {
    const int cell = State.Contains(classlib::cdsHot) ? 1 : State.Contains(classlib::cdsChecked) ? 2 : 0;
    DrawAlphaImgList(list, Bmp, r.Left, r.Top, Button->ImageIndex(), 0, classlib::clNone, cell, 1, false);
  } else {
    CopyKeyed(list, images, Button->ImageIndex(), Bmp, TPoint{r.Left, r.Top});
  }
}

}  // namespace skin
