#include <cstddef>
#include <limits>

#include "classlib/Graphics.h"

namespace classlib {

// The canvas hands its rectangles and points to GDI unconverted.
static_assert(sizeof(TRect) == sizeof(RECT) && offsetof(TRect, Right) == offsetof(RECT, right));
static_assert(sizeof(TPoint) == sizeof(POINT) && sizeof(TSize) == sizeof(SIZE));

namespace {
constexpr int kPenModeRop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};

int ClampedLength(const std::wstring& text) {
  return text.size() > static_cast<size_t>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                            : static_cast<int>(text.size());
}
}  // namespace

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>()) {
  // Before a changed object's handle is deleted it must leave the DC: put the DC's own back.
  font_->OnChange = [this](TObject*) {
    if (state_.Contains(csFontValid) && dc_) SelectObject(dc_, originalFont_);
    state_.Exclude(csFontValid);
  };
  brush_->OnChange = [this](TObject*) {
    if (state_.Contains(csBrushValid) && dc_) SelectObject(dc_, originalBrush_);
    state_.Exclude(csBrushValid);
  };
  pen_->OnChange = [this](TObject*) {
    if (state_.Contains(csPenValid) && dc_) SelectObject(dc_, originalPen_);
    state_.Exclude(csPenValid);
  };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
  RequiredState({csHandleValid});
  return dc_;
}

HDC TCanvas::TextHandle() {
  RequiredState({csHandleValid, csFontValid});
  return dc_;
}

void TCanvas::SetHandle(HDC Value) {
  if (Value == dc_) return;
  if (dc_) {
    DeselectHandles();
    dc_ = nullptr;
    state_.Exclude(csHandleValid);
  }
  if (Value) {
    dc_ = Value;
    state_.Include(csHandleValid);
    penPos_ = {};
    POINT p{};
    if (GetCurrentPositionEx(dc_, &p)) penPos_ = {p.x, p.y};
  }
}

void TCanvas::DeselectHandles() {
  if (!dc_) return;
  if (state_.Contains(csFontValid)) SelectObject(dc_, originalFont_);
  if (state_.Contains(csBrushValid)) SelectObject(dc_, originalBrush_);
  if (state_.Contains(csPenValid)) SelectObject(dc_, originalPen_);
  state_ = state_ - TCanvasState{csFontValid, csBrushValid, csPenValid};
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::RequiredState(TCanvasState ReqState) {
  const TCanvasState needed = ReqState - state_;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!dc_) throw EInvalidOperation(L"Canvas does not allow drawing");
  }
  if (needed.Contains(csFontValid)) SelectFont();
  if (needed.Contains(csPenValid)) SelectPen();
  if (needed.Contains(csBrushValid)) SelectBrush();
}

void TCanvas::SelectFont() {
  originalFont_ = SelectObject(dc_, font_->Handle());
  SetTextColor(dc_, static_cast<COLORREF>(ColorToRGB(font_->Color())));
  state_.Include(csFontValid);
}

void TCanvas::SelectPen() {
  originalPen_ = SelectObject(dc_, pen_->Handle());
  SetROP2(dc_, kPenModeRop2[pen_->Mode()]);
  state_.Include(csPenValid);
}

void TCanvas::SelectBrush() {
  UnrealizeObject(brush_->Handle());
  originalBrush_ = SelectObject(dc_, brush_->Handle());
  SetBkColor(dc_, static_cast<COLORREF>(ColorToRGB(brush_->Color())));
  SetBkMode(dc_, brush_->Style() == bsSolid ? OPAQUE : TRANSPARENT);
  state_.Include(csBrushValid);
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
  RequiredState({csHandleValid});
  return penPos_;
}

void TCanvas::MoveTo(int X, int Y) {
  RequiredState({csHandleValid});
  MoveToEx(dc_, X, Y, nullptr);
  penPos_ = {X, Y};
}

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::LineTo(dc_, X, Y);
  penPos_ = {X, Y};
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Rectangle(dc_, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::RoundRect(dc_, X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Ellipse(dc_, X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Pie(dc_, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Polygon(std::span<const TPoint> Points) {
  if (Points.empty()) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polygon(dc_, reinterpret_cast<const POINT*>(Points.data()), static_cast<int>(Points.size()));
  Changed();
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  if (Points.empty()) return;
  Changing();
  RequiredState({csHandleValid, csPenValid, csBrushValid});
  ::Polyline(dc_, reinterpret_cast<const POINT*>(Points.data()), static_cast<int>(Points.size()));
  Changed();
}

void TCanvas::FillRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FillRect(dc_, reinterpret_cast<const RECT*>(&Rect), brush_->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::FrameRect(dc_, reinterpret_cast<const RECT*>(&Rect), brush_->Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  Changing();
  RequiredState({csHandleValid, csBrushValid});
  ::DrawFocusRect(dc_, reinterpret_cast<const RECT*>(&Rect));
  Changed();
}

void TCanvas::TextOut(int X, int Y, const std::wstring& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  ExtTextOutW(dc_, X, Y, 0, nullptr, Text.c_str(), static_cast<UINT>(ClampedLength(Text)), nullptr);
  penPos_ = {X + TextWidth(Text), Y};
  MoveToEx(dc_, penPos_.X, penPos_.Y, nullptr);
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const std::wstring& Text) {
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  UINT options = ETO_CLIPPED;
  if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutW(dc_, X, Y, options, reinterpret_cast<const RECT*>(&Rect), Text.c_str(),
              static_cast<UINT>(ClampedLength(Text)), nullptr);
  Changed();
}

TSize TCanvas::TextExtent(const std::wstring& Text) {
  RequiredState({csHandleValid, csFontValid});
  SIZE size{};
  GetTextExtentPoint32W(dc_, Text.c_str(), ClampedLength(Text), &size);
  if (Text.empty()) {
    // Windows gives an empty text the line height and Wine gives 0; layouts rely on the height.
    TEXTMETRICW tm{};
    if (GetTextMetricsW(dc_, &tm)) size.cy = tm.tmHeight;
  }
  return {size.cx, size.cy};
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Rect(X, Y, X + Graphic->Width(), Y + Graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  RequiredState({csHandleValid});
  Graphic->Draw(this, Rect);
  Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  if (!Canvas) return;
  Changing();
  RequiredState({csHandleValid, csFontValid, csBrushValid});
  Canvas->RequiredState({csHandleValid, csBrushValid});
  StretchBlt(dc_, Dest.Left, Dest.Top, Dest.Right - Dest.Left, Dest.Bottom - Dest.Top, Canvas->dc_, Source.Left,
             Source.Top, Source.Right - Source.Left, Source.Bottom - Source.Top, copyMode_);
  Changed();
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState({csHandleValid});
  const COLORREF c = GetPixel(dc_, X, Y);
  return c == CLR_INVALID ? clNone : static_cast<TColor>(c);
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState({csHandleValid, csPenValid});
  SetPixel(dc_, X, Y, static_cast<COLORREF>(ColorToRGB(Value)));
  Changed();
}

TRect TCanvas::ClipRect() {
  RequiredState({csHandleValid});
  RECT r{};
  GetClipBox(dc_, &r);
  return {r.left, r.top, r.right, r.bottom};
}

void TCanvas::Lock() {
  lock_.lock();
  ++lockCount_;
}

void TCanvas::Unlock() {
  --lockCount_;
  lock_.unlock();
}

bool TCanvas::TryLock() {
  if (!lock_.try_lock()) return false;
  ++lockCount_;
  return true;
}

}  // namespace classlib
