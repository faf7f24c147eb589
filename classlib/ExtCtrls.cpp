#include "classlib/ExtCtrls.h"

#include <algorithm>
#include <map>

#include "classlib/Bitmap.h"

namespace classlib {

// ---- TCustomPanel ----

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
  FWidth = 185;
  FHeight = 41;
  FColor = clBtnFace;
  FParentColor = false;
  FBrush.SetColor(FColor);
}

void TCustomPanel::DeclareProperties(TClassDecl<TCustomPanel>& d) {
  d.Enum(L"Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, taCenter);
  d.Enum(L"VerticalAlignment", &TCustomPanel::VerticalAlignment, &TCustomPanel::SetVerticalAlignment, taVerticalCenter);
  d.Enum(L"BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, bvNone);
  d.Enum(L"BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, bvRaised);
  d.Integer(L"BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth, 1);
  d.Integer(L"BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth, 0);
  d.Enum(L"BorderStyle", &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle, bsNone);
  d.Bool(L"ShowCaption", &TCustomPanel::ShowCaption, &TCustomPanel::SetShowCaption, true);
  d.Color(L"Color", &TCustomPanel::Color, &TCustomPanel::SetColor, clBtnFace);
  d.Bool(L"ParentBackground", &TCustomPanel::ParentBackground, &TCustomPanel::SetParentBackground, false);
}

void TCustomPanel::SetParentBackground(bool Value) {
  if (Value == ParentBackground()) return;
  if (Value)
    ControlStyle += csParentBackground;
  else
    ControlStyle -= csParentBackground;
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}
void TCustomPanel::SetVerticalAlignment(TVerticalAlignment Value) {
  FVerticalAlignment = Value;
  Invalidate();
}
void TCustomPanel::SetBevelInner(TBevelCut Value) {
  FBevelInner = Value;
  Realign();
  Invalidate();
}
void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  FBevelOuter = Value;
  Realign();
  Invalidate();
}
void TCustomPanel::SetBevelWidth(int Value) {
  FBevelWidth = std::max(1, Value);
  Realign();
  Invalidate();
}
void TCustomPanel::SetBorderWidth(int Value) {
  FBorderWidth = std::max(0, Value);
  Realign();
  Invalidate();
}
void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}
void TCustomPanel::SetShowCaption(bool Value) {
  FShowCaption = Value;
  Invalidate();
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

TRect TCustomPanel::AdjustClientRect() const {
  TRect r = ClientRect();
  int inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  return {r.Left + inset, r.Top + inset, std::max(r.Left + inset, r.Right - inset),
          std::max(r.Top + inset, r.Bottom - inset)};
}

void TCustomPanel::Paint() {
  TCanvas* canvas = Canvas();
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  canvas->Brush()->SetColor(FColor);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect({r.left, r.top, r.right, r.bottom});
  HDC dc = canvas->Handle();
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    for (int i = 0; i < FBevelWidth; ++i) {
      UINT edge = cut == bvLowered ? BDR_SUNKENOUTER : cut == bvRaised ? BDR_RAISEDINNER : 0;
      if (edge)
        DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST);
      else
        InflateRect(&r, -1, -1);
    }
  };
  bevel(FBevelOuter);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  bevel(FBevelInner);
  if (!FShowCaption) return;
  std::wstring caption = Caption();
  if (caption.empty()) return;
  const int saved = SaveDC(dc);
  SelectObject(dc, FFont->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Enabled() ? FFont->Color() : clGrayText)));
  UINT flags = DT_SINGLELINE | DT_EXPANDTABS;
  flags |= FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
  flags |= FVerticalAlignment == taAlignTop ? DT_TOP : FVerticalAlignment == taAlignBottom ? DT_BOTTOM : DT_VCENTER;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, flags);
  RestoreDC(dc, saved);
}

void TCustomPanel::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED: Invalidate(); break;
    case WM_SIZE:
      TCustomControl::Dispatch(M);
      Invalidate();
      return;
    default: break;
  }
  TCustomControl::Dispatch(M);
}

// ---- TImage ----

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  ControlStyle += csReplicatable;
  FWidth = 105;
  FHeight = 105;
  FPicture->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::DeclareProperties(TClassDecl<TImage>& d) {
  d.Object(L"Picture", &TImage::Picture);
  d.Bool(L"Transparent", &TImage::Transparent, &TImage::SetTransparent, false);
  d.Bool(L"Stretch", &TImage::Stretch, &TImage::SetStretch, false);
  d.Bool(L"Center", &TImage::Center, &TImage::SetCenter, false);
  d.Bool(L"Proportional", &TImage::Proportional, &TImage::SetProportional, false);
  d.Bool(L"AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false);
}

void TImage::PictureChanged() {
  if (TGraphic* g = FPicture->Graphic()) {
    if (g->Transparent() != FTransparent) g->SetTransparent(FTransparent);
    if (FAutoSize && g->Width() > 0 && g->Height() > 0) SetBounds(FLeft, FTop, g->Width(), g->Height());
  }
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  if (Value) ControlStyle -= csOpaque;
  PictureChanged();
}

void TImage::SetStretch(bool Value) {
  FStretch = Value;
  Invalidate();
}
void TImage::SetCenter(bool Value) {
  FCenter = Value;
  Invalidate();
}
void TImage::SetProportional(bool Value) {
  FProportional = Value;
  Invalidate();
}
void TImage::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value) PictureChanged();
}

TRect TImage::DestRect() const {
  int w = FPicture->Width(), h = FPicture->Height();
  const int cw = FWidth, ch = FHeight;
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      if (static_cast<long long>(cw) * h > static_cast<long long>(ch) * w) {
        w = static_cast<int>(static_cast<long long>(w) * ch / h);
        h = ch;
      } else {
        h = static_cast<int>(static_cast<long long>(h) * cw / w);
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r{0, 0, w, h};
  if (FCenter) {
    const int dx = (cw - w) / 2, dy = (ch - h) / 2;
    r = {dx, dy, dx + w, dy + h};
  }
  return r;
}

void TImage::Paint() {
  TGraphic* g = FPicture->Graphic();
  if (!g || g->Empty()) return;
  Canvas()->StretchDraw(DestRect(), g);
}

// ---- TShape ----

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
  FWidth = 65;
  FHeight = 65;
  FPen->SetColor(clBlack);
  FBrush->OnChange = [this](TObject*) { Invalidate(); };
  FPen->OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape() {
  FBrush->OnChange = nullptr;
  FPen->OnChange = nullptr;
}

void TShape::DeclareProperties(TClassDecl<TShape>& d) {
  d.Object(L"Brush", &TShape::Brush);
  d.Object(L"Pen", &TShape::Pen);
}

void TShape::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->Assign(FBrush.get());
  canvas->Pen()->Assign(FPen.get());
  canvas->Rectangle(0, 0, Width(), Height());
}

// ---- TTimer ----

namespace {
std::map<UINT_PTR, TTimer*>& Timers() {
  static std::map<UINT_PTR, TTimer*> timers;
  return timers;
}
}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
}

void TTimer::DeclareProperties(TClassDecl<TTimer>& d) {
  d.Bool(L"Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true);
  d.Integer(L"Interval", &TTimer::Interval, &TTimer::SetInterval, 1000);
  d.Event(L"OnTimer", &TTimer::OnTimer);
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FId) {
    KillTimer(nullptr, FId);
    Timers().erase(FId);
    FId = 0;
  }
  if (!FEnabled || FInterval == 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
    return;
  FId = SetTimer(nullptr, 0, FInterval, &TTimer::TimerProc);
  if (FId) Timers()[FId] = this;
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR Id, DWORD) {
  auto& timers = Timers();
  auto it = timers.find(Id);
  if (it == timers.end()) return;
  TTimer* timer = it->second;
  try {
    timer->Timer();
  } catch (...) {
    HandleCallbackException(timer);
  }
}

}  // namespace classlib
