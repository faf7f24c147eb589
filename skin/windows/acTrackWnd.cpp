#include "skin/windows/acTrackWnd.h"

#include <commctrl.h>

#include <utility>

#include "classlib/ScopeExit.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

bool TacTrackWnd::IsVertical() const { return (GetWindowLongW(CtrlHandle, GWL_STYLE) & TBS_VERT) != 0; }

TTickMarks TacTrackWnd::TickMarks() const {
  const LONG style = GetWindowLongW(CtrlHandle, GWL_STYLE);
  if ((style & TBS_BOTH) != 0) return TTickMarks::tmBoth;
  if ((style & TBS_TOP) != 0) return TTickMarks::tmTopLeft;
  return TTickMarks::tmBottomRight;
}

bool TacTrackWnd::TickStyle() const { return (GetWindowLongW(CtrlHandle, GWL_STYLE) & TBS_NOTICKS) == 0; }

TRect TacTrackWnd::ChannelRect() const {
  RECT r{};
  SendMessageW(CtrlHandle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
  // Some versions of the control report a vertical channel turned on its side, others as it lies: a
  // vertical channel is never wider than it is long.
  if (IsVertical() && r.right - r.left > r.bottom - r.top) return {r.top, r.left, r.bottom, r.right};
  return {r.left, r.top, r.right, r.bottom};
}

TRect TacTrackWnd::ThumbRect() const {
  RECT r{};
  SendMessageW(CtrlHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
  return {r.left, r.top, r.right, r.bottom};
}

int TacTrackWnd::TickCount() const { return int(SendMessageW(CtrlHandle, TBM_GETNUMTICS, 0, 0)); }

int TacTrackWnd::TickPos(int Index) const { return int(SendMessageW(CtrlHandle, TBM_GETTICPOS, WPARAM(Index), 0)); }

TAPoint TacTrackWnd::TicksArray() {
  const TRect channel = ChannelRect(), thumb = ThumbRect();
  const int count = TickCount();
  const bool vertical = IsVertical();
  const int channelLength = vertical ? channel.Bottom - channel.Top : channel.Right - channel.Left;
  const int thumbLength = vertical ? thumb.Bottom - thumb.Top : thumb.Right - thumb.Left;
  iStep = count > 1 ? double(channelLength - thumbLength) / (count - 1) : 0.0;
  return skin::TicksArray(channel, thumb, vertical, count);
}

int TacTrackWnd::TrackImage(const char* Name) const {
  TsSkinManager* sm = SkinData->GetSkinManager();
  if (sm == nullptr || TrackBarNdx < 0) return -1;
  const int i = sm->GetMaskIndex(TrackBarNdx, "TRACKBAR", Name);
  return sm->IsValidImgIndex(i) ? i : -1;
}

void TacTrackWnd::PaintTick(TPoint P, bool Horz) {
  classlib::TBitmap* cache = SkinData->CacheBmp();
  const int image = TrackImage(Horz ? "TICKHORZ" : "TICKVERT");
  if (image >= 0) {
    const TsMaskData& md = SkinData->GetSkinManager()->Records().ma[std::size_t(image)];
    if (Horz)
      P.X -= WidthOfImage(md);
    else
      P.Y -= HeightOfImage(md);
    DrawSkinGlyph(cache, P, Mode(), 1, md, MakeCacheInfo(cache));
    return;
  }
  TRect r = Horz ? TRect{P.X, P.Y, P.X + 2, P.Y + TickHeight} : TRect{P.X, P.Y, P.X + TickHeight, P.Y + 2};
  int width = 1;
  DrawRectangleOnDC(cache->Canvas()->Handle(), r, classlib::ColorToRGB(classlib::clBtnShadow), 0xFFFFFF, width);
}

void TacTrackWnd::PaintTicks() {
  if (!TickStyle()) return;
  const bool vertical = IsVertical();
  TicksArray();
  for (const TPoint& p : TickPlaces(ChannelRect(), ThumbRect(), vertical, TickMarks(), TickCount(), TickHeight))
    PaintTick(p, !vertical);
}

void TacTrackWnd::PaintTicksHor() {
  if (!IsVertical()) PaintTicks();
}

void TacTrackWnd::PaintTicksVer() {
  if (IsVertical()) PaintTicks();
}

void TacTrackWnd::PaintBar() {
  const int image = TrackImage("SLIDERCHANNEL");
  if (image >= 0) {
    classlib::TBitmap* cache = SkinData->CacheBmp();
    const TsMaskData& md = SkinData->GetSkinManager()->Records().ma[std::size_t(image)];
    const TRect band = ChannelBand(ChannelRect(), {WidthOfImage(md), HeightOfImage(md)}, IsVertical());
    DrawSkinRect(cache, band, true, MakeCacheInfo(cache), md, ControlIsActive(SkinData) ? 1 : 0, false);
  }
  if (IsVertical())
    PaintTicksVer();
  else
    PaintTicksHor();
}

void TacTrackWnd::PaintThumb() {
  const TRect r = ThumbRect();
  const bool vertical = IsVertical();
  int image = vertical ? TrackImage("SLIDERVMASK") : -1;
  if (image < 0) image = TrackImage("SLIDERMASK");
  if (image < 0) return;
  const int rw = r.Right - r.Left, rh = r.Bottom - r.Top;
  if (rw <= 0 || rh <= 0) return;
  const TsMaskData& md = SkinData->GetSkinManager()->Records().ma[std::size_t(image)];
  const TSize size{WidthOfImage(md), HeightOfImage(md)};
  if (size.cx <= 0 || size.cy <= 0) return;
  classlib::TBitmap* cache = SkinData->CacheBmp();
  const TTickMarks marks = TickMarks();
  if (!ThumbStretched(r, size, vertical, marks)) {
    DrawSkinGlyph(cache, ThumbImagePlace(r, size), Mode(), 1, md, MakeCacheInfo(cache));
    return;
  }
  // The image is drawn at its own size over the background under the thumb brought to that size,
  // then the whole taken to the thumb's size; toward top or left ticks it is drawn upside down.
  const bool flip = marks == TTickMarks::tmTopLeft;
  auto under = NewBitmap32(rw, rh);
  BitBlt(under->Canvas()->Handle(), 0, 0, rw, rh, cache->Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
  auto cell = NewBitmap32(size.cx, size.cy);
  Stretch(under.get(), cell.get(), size.cx, size.cy, TFilterType::ftMitchell);
  if (flip) MirrorImage(View32(cell.get()), !vertical);
  DrawSkinGlyph(cell.get(), {0, 0}, Mode(), 1, md, MakeCacheInfo(cell.get()));
  if (flip) MirrorImage(View32(cell.get()), !vertical);
  Stretch(cell.get(), under.get(), rw, rh, TFilterType::ftMitchell);
  BitBlt(cache->Canvas()->Handle(), r.Left, r.Top, rw, rh, under->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacTrackWnd::PaintBody() {
  TsSkinManager* sm = SkinData->GetSkinManager();
  classlib::TBitmap* cache = SkinData->CacheBmp();
  TCacheInfo ci = EmptyCI;
  GetParentCacheHwnd(CtrlHandle, ci);
  PaintItem(SkinData, ci, true, Mode(), TRect{0, 0, WndSize.cx, WndSize.cy}, WndPos, cache, false);
  TrackBarNdx = sm != nullptr ? sm->GetSkinIndex("TRACKBAR") : -1;
  if (TrackBarNdx < 0) return;
  PaintBar();
  PaintThumb();
  if (!IsWindowEnabled(CtrlHandle)) FadeDisabledWindow(cache, ci, WndPos, WndSize);
}

void TacTrackWnd::PrepareCache() {
  InitCacheBmp(SkinData);
  SkinData->CacheBmp()->SetSize(WndSize.cx, WndSize.cy);
  PaintBody();
}

void TacTrackWnd::AC_WMPaint(classlib::TMessage& Message) {
  InitCtrlData(CtrlHandle, ParentWnd, WndRect, WndPos, WndSize, ParentRect);
  HDC given = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  const bool painting = given == nullptr;
  if (painting) BeginPaint(CtrlHandle, &ps);
  const classlib::TScopeExit end([&] {
    if (painting) EndPaint(CtrlHandle, &ps);
  });
  if (SkinData->Updating()) return;
  if (ParentWnd != nullptr) SendMessageW(ParentWnd, SM_ALPHACMD, AlphaCmd(ACMD_CHILDPAINTS), 0);
  if (!IsWindowVisible(CtrlHandle) && given == nullptr) return;
  const TacGivenOrOwnDC dc(CtrlHandle, given);
  if (dc.get() == nullptr) return;
  PrepareCache();
  BitBlt(dc.get(), 0, 0, WndSize.cx, WndSize.cy, SkinData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TacTrackWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      Message.Msg == WM_DESTROY || Message.Msg == WM_NCDESTROY) {
    TacMainWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_PAINT: AC_WMPaint(Message); return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT: return;
    case WM_LBUTTONDOWN: bMousePressed = true; break;
    case WM_LBUTTONUP: bMousePressed = false; break;
    default: break;
  }
  TacMainWnd::acWndProc(Message);
}

}  // namespace skin
