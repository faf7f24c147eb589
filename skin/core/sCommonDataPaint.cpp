// The painters in the forms for a control's skin state: background, whole item, containers that
// ask their parent, corner repair and the border band of panels and forms.
#include <algorithm>

#include "classlib/Graphics.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinRect.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlockCopy.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

namespace {

TCacheInfo Moved(TCacheInfo ci, TPoint p) {
  ci.X += p.X;
  ci.Y += p.Y;
  return ci;
}

// The parent's background of the owner, asked without drawing.
TacBGInfo ParentBackground(TsCommonData* data, bool parentWindowToo) {
  TacBGInfo bg;
  classlib::TControl* owner = data->OwnerControl();
  if (owner != nullptr && owner->Parent() != nullptr) {
    GetBGInfo(bg, owner->Parent(), false);
  } else if (auto* win = dynamic_cast<classlib::TWinControl*>(owner);
             parentWindowToo && win != nullptr && win->HandleAllocated()) {
    GetBGInfo(bg, GetParent(win->Handle()), false);
  } else {
    bg.BgType = TacBGType::btFill;
    bg.Color = clFuchsia;
  }
  return bg;
}

}  // namespace

// The corner repair of both UpdateCorners forms.
static void RepairCorners(TsCommonData* Data, int State, TsCorners Corners, bool ParentWindowToo);

void PaintItemBG(TsCommonData* Data, const TCacheInfo& CI, int State, const TRect& R, TPoint pP,
                 classlib::TBitmap* ItemBmp) {
  TsSkinManager* sm = Data != nullptr ? Data->GetSkinManager() : nullptr;
  if (sm == nullptr) return;
  PaintItemBG(Data->ItemSkin(), &sm->Records(), CacheInfo32(CI), State, R, pP, View32(ItemBmp));
}

void PaintItem(TsCommonData* Data, const TCacheInfo& CI, bool, int State, const TRect& R, TPoint pP,
               classlib::TBitmap* ItemBmp, bool UpdateCorners) {
  TsSkinManager* sm = Data != nullptr ? Data->GetSkinManager() : nullptr;
  if (sm == nullptr) return;
  PaintItem(Data->ItemSkin(), &sm->Records(), CacheInfo32(CI), State, R, pP, View32(ItemBmp), UpdateCorners);
}

void PaintSkinControl(TsCommonData* Data, classlib::TControl* Parent, bool, int State, const TRect& R, TPoint pP,
                      classlib::TBitmap* ItemBmp, bool UpdateCorners) {
  TsSkinManager* sm = Data != nullptr ? Data->GetSkinManager() : nullptr;
  const TImage32View bmp = View32(ItemBmp);
  if (sm == nullptr || bmp.Empty() || !sm->IsValidSkinIndex(Data->SkinIndex)) return;
  if (R.Left < 0 || R.Top < 0 || R.Right > bmp.Width || R.Bottom > bmp.Height) return;
  const TacSkinRecords& records = sm->Records();
  const TsGeneralData& g = records.gd[std::size_t(Data->SkinIndex)];
  State = std::max(0, std::min(State, g.States - 1));
  TacBGInfo bg;
  GetBGInfo(bg, Parent, false);
  const TCacheInfo ci = BGInfoToCI(bg);
  PaintItemBG(Data->ItemSkin(), &records, CacheInfo32(ci), State, R, pP, bmp);
  if (records.IsValidImgIndex(Data->BorderIndex)) {
    const TsMaskData& md = records.ma[std::size_t(Data->BorderIndex)];
    if (State != 0 || (md.DrawMode & 2) == 0)
      DrawSkinRect(bmp, R, CacheInfo32(Moved(ci, pP)), md, State, UpdateCorners);
  }
  PaintCornerImages(g, records, State, R, bmp);
}

void UpdateCorners(TsCommonData* Data, int State) { RepairCorners(Data, State, kAllCorners, true); }

void UpdateCorners(TsCommonData* Data, int State, TsCorners Corners) {
  if (Data != nullptr && Data->OwnerControl() != nullptr && Data->OwnerControl()->Parent() != nullptr)
    RepairCorners(Data, State, Corners, false);
}

void RepairCorners(TsCommonData* Data, int State, TsCorners Corners, bool ParentWindowToo) {
  TsSkinManager* sm = Data != nullptr ? Data->GetSkinManager() : nullptr;
  classlib::TControl* owner = Data != nullptr ? Data->OwnerControl() : nullptr;
  if (sm == nullptr || owner == nullptr) return;
  TacBGInfo bg = ParentBackground(Data, ParentWindowToo);
  if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr)
    bg.Offset = {bg.Offset.X + owner->Left(), bg.Offset.Y + owner->Top()};
  RepairCacheCorners(sm, Data->BorderIndex, View32(Data->CacheBmp()), State, Corners, bg);
}

void RepairCacheCorners(TsSkinManager* sm, int BorderIndex, const TImage32View& cache, int State, TsCorners Corners,
                        const TacBGInfo& bg) {
  if (sm == nullptr || !sm->IsValidImgIndex(BorderIndex)) return;
  const TsMaskData& md = sm->Records().ma[std::size_t(BorderIndex)];
  if (cache.Empty() || md.CornerType == 0) return;
  const TImage32View src = md.Source();
  if (src.Empty()) return;
  // An image of its own without cells: three masked cells over the whole bitmap.
  TRect r = md.R;
  int count = md.ImageCount, maskType = md.MaskType;
  if (md.Bmp && count == 0) r = {0, 0, src.Width, src.Height}, count = 3, maskType = 1;
  if (count < 1 || maskType < 0) return;
  const bool cached = bg.BgType == TacBGType::btCache && bg.Bmp != nullptr;
  const TImage32View parent = cached ? View32(bg.Bmp) : TImage32View{};
  State = std::clamp(State, 0, count - 1);
  const int w = (r.Right - r.Left) / count, h = maskType == 0 ? r.Bottom - r.Top : (r.Bottom - r.Top) / (maskType + 1);
  const int x0 = r.Left + State * w, y0 = r.Top, W = cache.Width, H = cache.Height;
  const TColor fill = classlib::ColorToRGB(bg.Color);
  // Corner block (image offset in the cell) to cache place.
  auto corner = [&](int ix, int iy, int bw, int bh, int cx, int cy) {
    for (int j = 0; j < bh; ++j)
      for (int i = 0; i < bw; ++i) {
        const int sx = x0 + ix + i, sy = y0 + iy + j, dx = cx + i, dy = cy + j;
        if (!src.Contains(sx, sy) || !cache.Contains(dx, dy) || src.At(sx, sy).U != kKeyPixel) continue;
        TsColor_& d = cache.At(dx, dy);
        if (cached) {
          if (parent.Contains(dx + bg.Offset.X, dy + bg.Offset.Y)) {
            const TsColor_& p = parent.At(dx + bg.Offset.X, dy + bg.Offset.Y);
            d.R = p.R, d.G = p.G, d.B = p.B;
          }
        } else if (bg.Color != clFuchsia) {
          d.R = std::uint8_t(fill & 0xFF), d.G = std::uint8_t((fill >> 8) & 0xFF),
          d.B = std::uint8_t((fill >> 16) & 0xFF);
        }
      }
  };
  if (Corners.Contains(TsCorner::scLeftTop)) corner(0, 0, md.WL, md.WT, 0, 0);
  if (Corners.Contains(TsCorner::scLeftBottom)) corner(0, h - md.WB, md.WL, md.WB, 0, H - md.WB);
  if (Corners.Contains(TsCorner::scRightBottom)) corner(w - md.WR, h - md.WB, md.WR, md.WB, W - md.WR, H - md.WB);
  if (Corners.Contains(TsCorner::scRightTop)) corner(w - md.WR, 0, md.WR, md.WT, W - md.WR, 0);
}

TRect PaintBorderFast(HDC DC, const TRect& R, int BorderWidth, TsCommonData* Data, int State) {
  auto inset = [](const TRect& r, int l, int t, int rt, int b) {
    TRect x{r.Left + l, r.Top + t, r.Right - rt, r.Bottom - b};
    x.Right = std::max(x.Right, x.Left);
    x.Bottom = std::max(x.Bottom, x.Top);
    return x;
  };
  if (Data == nullptr) return R;
  const TColor bgColor = GetBGColor(Data, State);
  classlib::TControl* owner = Data->OwnerControl();
  TacBGInfo bg;
  bg.BgType = TacBGType::btFill;
  bg.Color = bgColor;
  if (owner != nullptr && owner->Parent() != nullptr) GetBGInfo(bg, owner->Parent(), false);
  TsSkinManager* sm = Data->GetSkinManager();
  if (sm == nullptr || Data->BorderIndex < 0 || !sm->IsValidImgIndex(Data->BorderIndex)) {
    if (BorderWidth != 0) FillDCBorder(DC, R, BorderWidth, BorderWidth, BorderWidth, BorderWidth, bgColor);
    return inset(R, BorderWidth, BorderWidth, BorderWidth, BorderWidth);
  }
  const TacSkinRecords& records = sm->Records();
  if (records.IsValidSkinIndex(Data->SkinIndex))
    State = std::max(0, std::min(State, records.gd[std::size_t(Data->SkinIndex)].States - 1));
  InitCacheBmp(Data);
  const TImage32View cache = View32(Data->CacheBmp());
  const TsMaskData& md = records.ma[std::size_t(Data->BorderIndex)];
  const TPoint pos = owner != nullptr ? TPoint{owner->Left(), owner->Top()} : TPoint{0, 0};
  if (md.MaskType == 1) {
    if (bg.BgType == TacBGType::btCache && bg.Bmp != nullptr)
      BitBlt32(cache, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top, View32(bg.Bmp), R.Left + pos.X + bg.Offset.X,
               R.Top + pos.Y + bg.Offset.Y);
    else
      FillDCBorder32(cache, R, md.WL, md.WT, md.WR, md.WB, bgColor);
  }
  TCacheInfo ci = BGInfoToCI(bg);
  ci.X += pos.X;
  ci.Y += pos.Y;
  DrawSkinRect(cache, R, CacheInfo32(ci), md, State, true);
  TRect result = inset(R, md.WL, md.WT, md.WR, md.WB);
  if (BorderWidth == 0) return result;
  // The band between the image's margins and BorderWidth takes the background colour.
  const int w = R.Right - R.Left, h = R.Bottom - R.Top;
  auto strip = [&](int margin, int opposite, int size) {
    return std::max(std::min(BorderWidth, size - opposite) - margin, 0);
  };
  FillDCBorder32(cache, result, strip(md.WL, md.WR, w), strip(md.WT, md.WB, h), strip(md.WR, md.WL, w),
                 strip(md.WB, md.WT, h), bgColor);
  result = inset(R, BorderWidth, BorderWidth, BorderWidth, BorderWidth);
  HDC cacheDC = Data->CacheBmp()->Canvas()->Handle();
  if (DC != cacheDC) BitBltBorder(DC, R.Left, R.Top, w, h, cacheDC, R.Left, R.Top, BorderWidth);
  return result;
}

}  // namespace skin
