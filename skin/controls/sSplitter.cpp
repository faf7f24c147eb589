#include "skin/controls/sSplitter.h"

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sBitmapOverloads.h"
#include "skin/graphics/sBlend32.h"

namespace skin {

using classlib::TMessage;
using classlib::TRect;

namespace {

constexpr int kSplitterCoc = 75;

bool Designing(const classlib::TComponent* c) { return c->ComponentState().Contains(classlib::csDesigning); }

}  // namespace

void PaintDottedGrip(HDC DC, int Width, int Height, bool VerticalBar) {
  const int w = VerticalBar ? 4 : 21, h = VerticalBar ? 21 : 4;
  const int left = (Width - w) / 2, top = (Height - h) / 2;
  for (int y = 0; y < h; y += 2)
    for (int x = 0; x < w; x += 2) {
      SetPixel(DC, left + x, top + y, RGB(255, 255, 255));
      SetPixel(DC, left + x + 1, top + y + 1, RGB(0, 0, 0));
    }
}

TsSplitter::TsSplitter(classlib::TComponent* AOwner)
    : classlib::TSplitter(AOwner), FGlyph(std::make_unique<classlib::TBitmap>()) {
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kSplitterCoc;
  ControlStyle = {classlib::csAcceptsControls, classlib::csCaptureMouse, classlib::csClickEvents, classlib::csOpaque,
                  classlib::csDoubleClicks};
  SetWidth(6);
}

TsSplitter::~TsSplitter() { FCommonData.reset(); }

void TsSplitter::DeclareProperties(classlib::TClassDecl<TsSplitter>& d) {
  d.Object(L"SkinData", &TsSplitter::SkinData);
  d.Bool(L"ShowGrip", &TsSplitter::ShowGrip, &TsSplitter::SetShowGrip, false);
  d.Integer(L"Width", &TsSplitter::Width, &TsSplitter::SetWidth, 6);
}

void TsSplitter::AfterConstruction() {
  classlib::TSplitter::AfterConstruction();
  FCommonData->Loaded();
}

void TsSplitter::Loaded() {
  classlib::TSplitter::Loaded();
  FCommonData->Loaded();
}

void TsSplitter::SetGlyph(const classlib::TBitmap* Value) {
  if (Value != nullptr)
    FGlyph->Assign(Value);
  else
    FGlyph = std::make_unique<classlib::TBitmap>();
  Repaint();
}

void TsSplitter::SetShowGrip(bool Value) {
  FShowGrip = Value;
  Repaint();
}

int TsSplitter::CurrentState() {
  if (FSizing && ResizeStyle() == classlib::rsUpdate) return 2;
  return ControlIsActive(FCommonData.get()) ? 1 : 0;
}

void TsSplitter::PaintGlyph(classlib::TBitmap* Target) {
  const int gw = FGlyph->Width(), gh = FGlyph->Height();
  const int x = (Width() - gw) / 2, y = (Height() - gh) / 2;
  if (FGlyph->PixelFormat() == classlib::pf32bit) {
    CopyByMask(TRect{x, y, x + gw, y + gh}, TRect{0, 0, gw, gh}, View32(Target), View32(FGlyph.get()),
               CacheInfo32(EmptyCI), false);
  } else {
    const COLORREF key = GetPixel(FGlyph->Canvas()->Handle(), 0, gh - 1);
    TransparentBlt(Target->Canvas()->Handle(), x, y, gw, gh, FGlyph->Canvas()->Handle(), 0, 0, gw, gh, key);
  }
}

void TsSplitter::Paint() {
  if (!Skinned()) {
    classlib::TSplitter::Paint();
    const HDC dc = Canvas()->Handle();
    if (!FGlyph->Empty()) {
      // Blended over a copy of what is painted, then put back.
      auto copy = NewBitmap32(Width(), Height());
      BitBlt(copy->Canvas()->Handle(), 0, 0, Width(), Height(), dc, 0, 0, SRCCOPY);
      PaintGlyph(copy.get());
      BitBlt(dc, 0, 0, Width(), Height(), copy->Canvas()->Handle(), 0, 0, SRCCOPY);
    } else if (FShowGrip) {
      PaintDottedGrip(dc, Width(), Height(), VerticalBar());
    }
    return;
  }
  const int state = CurrentState();
  InitCacheBmp(FCommonData.get());
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  TacBGInfo bg;
  GetBGInfo(bg, Parent(), false);
  PaintItem(FCommonData.get(), BGInfoToCI(bg), true, state, TRect{0, 0, Width(), Height()}, TPoint{Left(), Top()},
            cache, false);
  TsSkinManager* sm = FCommonData->GetSkinManager();
  if (!FGlyph->Empty()) {
    PaintGlyph(cache);
  } else if (FShowGrip) {
    const TConstantSkinData& c = sm->Records().ConstData;
    const int grip = VerticalBar() ? c.GripVertical : c.GripHorizontal;
    if (sm->IsValidImgIndex(grip)) {
      const TsMaskData& md = sm->Records().ma[std::size_t(grip)];
      const int cw = md.ImageCount > 0 ? (md.R.Right - md.R.Left) / md.ImageCount : 0;
      const int ch = (md.R.Bottom - md.R.Top) / (md.MaskType + 1);
      DrawSkinGlyph(cache, TPoint{(Width() - cw) / 2, (Height() - ch) / 2}, state, 1, md, MakeCacheInfo(cache));
    } else {
      PaintDottedGrip(cache->Canvas()->Handle(), Width(), Height(), VerticalBar());
    }
  }
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
  cache->SetSize(0, 0);
  FCommonData->BGChanged = false;
  if (Designing(this)) {
    classlib::TCanvas* c = Canvas();
    c->Pen()->SetStyle(classlib::psDot);
    c->Pen()->SetMode(classlib::pmXor);
    c->Pen()->SetColor(0xFFD8CE);
    c->Brush()->SetStyle(classlib::bsClear);
    c->Rectangle(0, 0, Width(), Height());
  }
  if (OnPaint) OnPaint(this);
}

void TsSplitter::MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  if (!FShowHintStored) {
    FAppShowHint = classlib::Application->ShowHint();
    classlib::Application->SetShowHint(false);
    FShowHintStored = true;
  }
  if (AutoSnap() && Parent() != nullptr)
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      classlib::TControl* c = Parent()->Controls(i);
      if (c == this) continue;
      if (Align() == classlib::alTop && c->Height() == 0) c->SetTop(Top());
      if (Align() == classlib::alLeft && c->Width() == 0) c->SetLeft(Left());
    }
  classlib::TSplitter::MouseDown(Button, Shift, X, Y);
  FSizing = true;
  if (ResizeStyle() == classlib::rsUpdate) Repaint();
}

void TsSplitter::MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  classlib::TSplitter::MouseUp(Button, Shift, X, Y);
  FSizing = false;
  if (ResizeStyle() == classlib::rsUpdate) Repaint();
  if (FShowHintStored) classlib::Application->SetShowHint(FAppShowHint);
  FShowHintStored = false;
}

void TsSplitter::WndProc(TMessage& M) {
  if (M.Msg == SM_ALPHACMD) {
    const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager());
    switch (CommandOf(M.WParam)) {
      case ACMD_NEWSKIN:
        if (own) {
          CommonWndProc(M, FCommonData.get());
          return;
        }
        break;
      case ACMD_REMOVESKIN:
      case ACMD_REFRESH:
        if (own) {
          CommonWndProc(M, FCommonData.get());
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
  }
  if (!ControlIsReady(this) || !Skinned()) {
    if (M.Msg == classlib::CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
    classlib::TSplitter::WndProc(M);
    if (M.Msg == classlib::CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
    return;
  }
  switch (M.Msg) {
    case SM_ALPHACMD:
      if (CommandOf(M.WParam) == ACMD_PARENTUPDATED && FCommonData->Updating()) {
        FCommonData->SetUpdating(false);
        Repaint();
        return;
      }
      break;
    case WM_MOVE:
    case WM_SIZE:
    case WM_MOUSEWHEEL:
    case classlib::CM_VISIBLECHANGED:
    case classlib::CM_ENABLEDCHANGED: FCommonData->BGChanged = true; break;
    case classlib::CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      break;
    default: break;
  }
  const unsigned msg = M.Msg;
  if (!CommonWndProc(M, FCommonData.get())) classlib::TSplitter::WndProc(M);
  if ((msg == classlib::CM_MOUSEENTER || msg == classlib::CM_MOUSELEAVE) && !FCommonData->FFocused && !Designing(this)) {
    FCommonData->FMouseAbove = msg == classlib::CM_MOUSEENTER;
    FCommonData->BGChanged = true;
    Repaint();
    if (msg == classlib::CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
  }
}

void RegisterSplitterClasses() {
  classlib::RegisterClass<classlib::TSplitter, classlib::TGraphicControl>(L"TSplitter");
  classlib::RegisterClass<TsSplitter, classlib::TSplitter>(L"TsSplitter");
}

}  // namespace skin
