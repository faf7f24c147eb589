#include "skin/controls/sUpDown.h"

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/ScopeExit.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"

namespace skin {

using classlib::TMessage;
using classlib::TRect;

namespace {

bool Designing(const classlib::TComponent* c) { return c->ComponentState().Contains(classlib::csDesigning); }

const char* SectionOfKind(TsBtnKind Kind) {
  switch (Kind) {
    case sbkTop: return "SCROLLBTNTOP";
    case sbkLeft: return "SCROLLBTNLEFT";
    case sbkBottom: return "SCROLLBTNBOTTOM";
    default: return "SCROLLBTNRIGHT";
  }
}

}  // namespace

TsUpDown::TsUpDown(classlib::TComponent* AOwner) : classlib::TCustomUpDown(AOwner) {}

void TsUpDown::DeclareProperties(classlib::TClassDecl<TsUpDown>& d) {
  d.Bool(L"ShowInaccessibility", &TsUpDown::ShowInaccessibility, &TsUpDown::SetShowInaccessibility, true);
  d.Set(L"DisabledKind", &TsUpDown::DisabledKind, &TsUpDown::SetDisabledKind, kDefaultDisabledKind);
  d.String(
      L"ButtonSkin", [](const TsUpDown* o) { return std::wstring(o->ButtonSkin().begin(), o->ButtonSkin().end()); },
      [](TsUpDown* o, const std::wstring& v) {
        std::string narrow;
        for (wchar_t c : v) narrow += static_cast<char>(c < 0x80 ? c : '?');
        o->SetButtonSkin(narrow);
      });
}

void TsUpDown::SetShowInaccessibility(bool Value) {
  if (FShowInaccessibility == Value) return;
  FShowInaccessibility = Value;
  Repaint();
}

void TsUpDown::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  Repaint();
}

void TsUpDown::SetDrawingState(TsDrawingState Value) {
  if (FDrawingState == Value) return;
  FDrawingState = Value;
  Repaint();
}

void TsUpDown::SetButtonSkin(const std::string& Value) {
  if (FButtonSkin == Value) return;
  FButtonSkin = Value;
  Invalidate();
}

TRect TsUpDown::BtnRect() const { return UpDownFirstRect(Width(), Height(), Vertical()); }

TsUpDownLimits TsUpDown::Limits() const {
  const int p = Position();
  return {p == UpDownFirstLimit(Min(), Max(), Vertical()), p == UpDownSecondLimit(Min(), Max(), Vertical()),
          FShowInaccessibility};
}

bool TsUpDown::SkinnedPaint() const {
  TsSkinManager* sm = DefaultManager();
  if (sm == nullptr || !sm->Active()) return false;
  const TConstantSkinData& c = sm->Records().ConstData;
  return Vertical() ? sm->IsValidSkinIndex(c.IndexScrollTop) && sm->IsValidSkinIndex(c.IndexScrollBottom)
                    : sm->IsValidSkinIndex(c.IndexScrollLeft) && sm->IsValidSkinIndex(c.IndexScrollRight);
}

void TsUpDown::DrawBtn(classlib::TBitmap* Btn, TsBtnKind Kind) {
  TsSkinManager* sm = DefaultManager();
  if (sm == nullptr) return;
  const TConstantSkinData& c = sm->Records().ConstData;
  const TRect first = BtnRect();
  TPoint offset{0, 0};
  if (Kind == sbkBottom) {
    Btn->SetSize(Width(), Height() - first.Bottom);
    offset.Y = first.Bottom;
  } else if (Kind == sbkRight) {
    Btn->SetSize(Width() - first.Right, Height());
    offset.X = first.Right;
  }
  std::string section = SectionOfKind(Kind);
  int index = -1;
  if (!FButtonSkin.empty()) index = sm->GetSkinIndex(FButtonSkin);
  if (index >= 0) {
    section = FButtonSkin;
  } else {
    const int byKind[] = {c.IndexScrollTop, c.IndexScrollLeft, c.IndexScrollBottom, c.IndexScrollRight};
    index = byKind[Kind];
  }
  const int arrows[] = {c.MaskArrowTop, c.MaskArrowLeft, c.MaskArrowBottom, c.MaskArrowRight};
  const bool firstButton = Kind == sbkTop || Kind == sbkLeft;
  const int state = ButtonState(FDrawingState, firstButton);
  TCacheInfo parentCache;
  GetParentCacheHwnd(Handle(), parentCache);
  const int w = Btn->Width(), h = Btn->Height();
  PaintItem(index, section, parentCache, true, state, TRect{0, 0, w, h}, TPoint{Left() + offset.X, Top() + offset.Y},
            Btn, sm);
  const int arrow = arrows[Kind];
  if (sm->IsValidImgIndex(arrow)) {
    const TsMaskData& md = sm->Records().ma[std::size_t(arrow)];
    TPoint at{0, 0};
    if (md.Bmp != nullptr) {
      const int cw = md.Bmp->Width() / 3, ch = md.Bmp->Height() / 2;
      if (ch < h) at = {(w - cw) / 2, (h - ch) / 2};
    } else if (md.ImageCount > 0) {
      const int cw = (md.R.Right - md.R.Left) / md.ImageCount;
      const int ch = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
      at = {(w - cw) / 2, (h - ch) / 2};
    }
    if (at.X < 0 || at.Y < 0) return;
    DrawSkinGlyph(Btn, at, state, 1, md, MakeCacheInfo(Btn));
  }
  const bool atLimit = FShowInaccessibility && Position() == UpDownLimitOf(Kind, Min(), Max());
  if (!Enabled() || atLimit) {
    const TColor parentColour = Parent() != nullptr ? GetControlColor(static_cast<classlib::TControl*>(Parent())) : classlib::clBtnFace;
    const TCacheInfo32 behind = parentCache.Ready ? CacheInfo32(parentCache) : TCacheInfo32{};
    BmpDisabledKind(View32(Btn), FDisabledKind.Contains(TsDisabledKindValue::dkGrayed),
                    FDisabledKind.Contains(TsDisabledKindValue::dkBlended), behind,
                    TPoint{Left() + offset.X, Top() + offset.Y}, parentColour);
  }
}

void TsUpDown::PaintButtons(HDC DC) {
  const TRect first = BtnRect();
  auto btn = NewBitmap32(first.Right, first.Bottom);
  DrawBtn(btn.get(), Vertical() ? sbkTop : sbkLeft);
  BitBlt(DC, 0, 0, btn->Width(), btn->Height(), btn->Canvas()->Handle(), 0, 0, SRCCOPY);
  DrawBtn(btn.get(), Vertical() ? sbkBottom : sbkRight);
  BitBlt(DC, Vertical() ? 0 : first.Right, Vertical() ? first.Bottom : 0, btn->Width(), btn->Height(),
         btn->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsUpDown::WndProc(TMessage& M) {
  switch (M.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(M.WParam)) {
        case ACMD_REMOVESKIN:
        case ACMD_REFRESH:
          if (M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(DefaultManager())) {
            Repaint();
            return;
          }
          break;
        case ACMD_ISSKINNED: M.Result = 1; return;
        case ACMD_GETAPPLICATION:
          M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
          return;
        default: break;
      }
      break;
    case WM_PAINT:
      if (SkinnedPaint()) {
        PAINTSTRUCT ps{};
        HDC dc = reinterpret_cast<HDC>(M.WParam);
        const bool own = dc == nullptr;
        if (own) dc = BeginPaint(Handle(), &ps);
        const classlib::TScopeExit done([&]() noexcept {
          if (own) EndPaint(Handle(), &ps);
        });
        if (dc != nullptr) PaintButtons(dc);
        M.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      if (DefaultManager() != nullptr && DefaultManager()->Active()) {
        M.Result = 1;
        return;
      }
      break;
    case WM_PRINT:
      M.Result = SendMessageW(Handle(), WM_PAINT, M.WParam, M.LParam);
      return;
    case WM_NCHITTEST:
      classlib::TCustomUpDown::WndProc(M);
      if (!Designing(this) && HandleAllocated()) {
        POINT p{static_cast<short>(LOWORD(M.LParam)), static_cast<short>(HIWORD(M.LParam))};
        ::ScreenToClient(Handle(), &p);
        const TRect first = BtnRect();
        const bool inFirst = p.x >= first.Left && p.x < first.Right && p.y >= first.Top && p.y < first.Bottom;
        const TsDrawingState wanted = HotState(inFirst, Limits());
        if (wanted == dsDefault || (wanted != FDrawingState && !Pressed)) SetDrawingState(wanted);
      }
      return;
    case WM_LBUTTONDOWN:
      classlib::TCustomUpDown::WndProc(M);
      if (!Designing(this)) {
        Pressed = true;
        SetDrawingState(PressedState(FDrawingState, Limits()));
        M.Result = 1;
      }
      return;
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDBLCLK:
      classlib::TCustomUpDown::WndProc(M);
      SetDrawingState(PressedState(FDrawingState, Limits()));
      return;
    case WM_LBUTTONUP:
      classlib::TCustomUpDown::WndProc(M);
      if (!Designing(this) && Pressed) {
        Pressed = false;
        SetDrawingState(ReleasedState(FDrawingState, Limits()));
        M.Result = 1;
      }
      return;
    case classlib::CM_MOUSELEAVE:
      classlib::TCustomUpDown::WndProc(M);
      if (!Designing(this)) {
        Pressed = false;
        SetDrawingState(dsDefault);
      }
      return;
    default: break;
  }
  classlib::TCustomUpDown::WndProc(M);
}

void RegisterUpDownClasses() {
  classlib::RegisterClass<classlib::TCustomUpDown, classlib::TWinControl>(L"TCustomUpDown");
  classlib::RegisterClass<TsUpDown, classlib::TCustomUpDown>(L"TsUpDown");
}

}  // namespace skin
