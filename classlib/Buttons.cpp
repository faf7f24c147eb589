#include "classlib/Buttons.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

namespace classlib {

namespace {
// A canvas over a DC the system lends for one drawing request.
class LentCanvas : public TCanvas {
 public:
  explicit LentCanvas(HDC dc) { SetHandle(dc); }
  ~LentCanvas() override { SetHandle(nullptr); }
};
}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TBitBtn::~TBitBtn() { FGlyph->OnChange = nullptr; }

void TBitBtn::DeclareProperties(TClassDecl<TBitBtn>& d) {
  d.Object(L"Glyph", &TBitBtn::Glyph);
  d.Integer(L"NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs, 1);
  d.Enum(L"Layout", &TBitBtn::Layout, &TBitBtn::SetLayout, blGlyphLeft);
  d.Integer(L"Margin", &TBitBtn::Margin, &TBitBtn::SetMargin, -1);
  d.Integer(L"Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing, 4);
  d.Enum(L"Kind", &TBitBtn::Kind, &TBitBtn::SetKind, bkCustom);
}

void TBitBtn::UpdateImages() { Invalidate(); }

void TBitBtn::SetGlyph(const TBitmap* Value) { FGlyph->Assign(Value); }

void TBitBtn::SetNumGlyphs(int Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}
void TBitBtn::SetMargin(int Value) {
  FMargin = Value;
  Invalidate();
}
void TBitBtn::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  struct Preset {
    const wchar_t* caption;
    TModalResult result;
  };
  static const Preset presets[] = {{L"", mrNone},          {L"OK", mrOk},       {L"Cancel", mrCancel},
                                   {L"&Help", mrNone},     {L"&Yes", mrYes},    {L"&No", mrNo},
                                   {L"&Close", mrNone},    {L"Abort", mrAbort}, {L"&Retry", mrRetry},
                                   {L"&Ignore", mrIgnore}, {L"&All", 8}};
  if (Value == bkCustom || ComponentState().Contains(csLoading)) return;
  SetCaption(presets[Value].caption);
  SetModalResult(presets[Value].result);
  if (Value == bkOK || Value == bkYes) SetDefault(true);
  if (Value == bkCancel || Value == bkNo) SetCancel(true);
}

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style = (Params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetButtonStyle(bool ADefault) {
  // The window stays owner-drawn; only the look of the default button changes.
  if (ADefault != FActive) FActive = ADefault;
  Invalidate();
}

void TBitBtn::Dispatch(TMessage& M) {
  switch (M.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(M.LParam));
      M.Result = TRUE;
      return;
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
      mis->itemWidth = static_cast<UINT>(Width());
      mis->itemHeight = static_cast<UINT>(Height());
      M.Result = TRUE;
      return;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      FMouseInside = M.Msg == CM_MOUSEENTER;
      Invalidate();
      break;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED: Invalidate(); break;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button turns a quick second click into a double click; it is a click.
      M.Msg = WM_LBUTTONDOWN;
      break;
    default: break;
  }
  TButton::Dispatch(M);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& Item) {
  HDC dc = Item.hDC;
  RECT r = Item.rcItem;
  const bool pressed = (Item.itemState & ODS_SELECTED) != 0;
  const bool focused = (Item.itemState & ODS_FOCUS) != 0;
  const bool disabled = (Item.itemState & ODS_DISABLED) != 0;
  RECT content = r;
  if (HTHEME theme = IsAppThemed() ? OpenThemeData(FHandle, L"BUTTON") : nullptr) {
    int state = disabled               ? PBS_DISABLED
                : pressed              ? PBS_PRESSED
                : FMouseInside         ? PBS_HOT
                : (FActive || focused) ? PBS_DEFAULTED
                                       : PBS_NORMAL;
    if (IsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, state)) DrawThemeParentBackground(FHandle, dc, &r);
    DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &r, nullptr);
    GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, state, &r, &content);
    CloseThemeData(theme);
  } else {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (FActive || focused) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
      InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0u) | (disabled ? DFCS_INACTIVE : 0u));
    content = r;
    InflateRect(&content, -2, -2);
  }
  if (pressed) OffsetRect(&content, 1, 1);
  DrawContent(dc, content, pressed);
  if (focused && !(Item.itemState & ODS_NOFOCUSRECT)) {
    RECT f = r;
    InflateRect(&f, -3, -3);
    DrawFocusRect(dc, &f);
  }
}

void TBitBtn::DrawContent(HDC DC, RECT Area, bool Pressed) {
  // Glyph size and source.
  int gw = 0, gh = 0;
  TCustomImageList* images = Images();
  const int index = ImageIndex();
  const bool fromList = images && index >= 0 && index < images->Count();
  const bool fromBitmap = !fromList && !FGlyph->Empty();
  if (fromList) {
    gw = images->Width();
    gh = images->Height();
  } else if (fromBitmap) {
    gw = FGlyph->Width() / FNumGlyphs;
    gh = FGlyph->Height();
  }
  std::wstring caption = Caption();
  const int saved = SaveDC(DC);
  SelectObject(DC, FFont->Handle());
  RECT measure{0, 0, 0, 0};
  if (!caption.empty())
    DrawTextW(DC, caption.c_str(), static_cast<int>(caption.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
  const int tw = measure.right - measure.left, th = measure.bottom - measure.top;
  const int spacing = (gw > 0 && tw > 0) ? FSpacing : 0;
  const int aw = Area.right - Area.left, ah = Area.bottom - Area.top;
  const bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  const int total = horizontal ? gw + spacing + tw : gh + spacing + th;
  const int extent = horizontal ? aw : ah;
  const int start = FMargin < 0 ? (extent - total) / 2 : FMargin;
  int gx, gy, tx, ty;
  switch (FLayout) {
    case blGlyphLeft:
      gx = Area.left + start;
      tx = gx + gw + spacing;
      gy = Area.top + (ah - gh) / 2;
      ty = Area.top + (ah - th) / 2;
      break;
    case blGlyphRight:
      gx = Area.right - start - gw;
      tx = gx - spacing - tw;
      gy = Area.top + (ah - gh) / 2;
      ty = Area.top + (ah - th) / 2;
      break;
    case blGlyphTop:
      gy = Area.top + start;
      ty = gy + gh + spacing;
      gx = Area.left + (aw - gw) / 2;
      tx = Area.left + (aw - tw) / 2;
      break;
    default:
      gy = Area.bottom - start - gh;
      ty = gy - spacing - th;
      gx = Area.left + (aw - gw) / 2;
      tx = Area.left + (aw - tw) / 2;
      break;
  }
  {
    LentCanvas canvas(DC);
    if (fromList) {
      images->Draw(&canvas, gx, gy, index, Enabled());
    } else if (fromBitmap) {
      // Cells: normal, disabled, pressed, down.
      int cell = !Enabled() && FNumGlyphs > 1 ? 1 : Pressed && FNumGlyphs > 2 ? 2 : 0;
      TBitmap part;
      part.SetSize(gw, gh);
      part.Canvas()->CopyRect({0, 0, gw, gh}, FGlyph->Canvas(), {cell * gw, 0, cell * gw + gw, gh});
      part.SetTransparent(true);
      part.SetTransparentColor(FGlyph->Canvas()->Pixels(0, gh - 1));
      canvas.Draw(gx, gy, &part);
    }
  }
  if (!caption.empty()) {
    SetBkMode(DC, TRANSPARENT);
    RECT tr{tx, ty, tx + tw, ty + th};
    if (Enabled()) {
      SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(FFont->Color())));
      DrawTextW(DC, caption.c_str(), static_cast<int>(caption.size()), &tr, DT_SINGLELINE);
    } else {
      OffsetRect(&tr, 1, 1);
      SetTextColor(DC, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextW(DC, caption.c_str(), static_cast<int>(caption.size()), &tr, DT_SINGLELINE);
      OffsetRect(&tr, -1, -1);
      SetTextColor(DC, GetSysColor(COLOR_GRAYTEXT));
      DrawTextW(DC, caption.c_str(), static_cast<int>(caption.size()), &tr, DT_SINGLELINE);
    }
  }
  RestoreDC(DC, saved);
}

}  // namespace classlib
