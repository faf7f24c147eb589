#include "skin/controls/sMaskEdit.h"

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/acntRects.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

using classlib::TMessage;

namespace {

// The frame strips that the non-client paint copies, whatever the text inset.
constexpr int kPaintedFrame = 2;

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

void FillWith(classlib::TBitmap* Bmp, const TRect& R, TColor Colour) {
  HBRUSH brush = CreateSolidBrush(COLORREF(classlib::ColorToRGB(Colour)));
  const RECT rc{R.Left, R.Top, R.Right, R.Bottom};
  FillRect(Bmp->Canvas()->Handle(), &rc, brush);
  DeleteObject(brush);
}

}  // namespace

TsMaskEdit::TsMaskEdit(classlib::TComponent* AOwner) : classlib::TMaskEdit(AOwner) {
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = 3;
  if (FCommonData->SkinSection().empty()) FCommonData->SetSkinSection("EDIT");
}

TsMaskEdit::~TsMaskEdit() {
  // The label goes before the skin state it reads.
  FBoundLabel = nullptr;
  FCommonData.reset();
}

void TsMaskEdit::DeclareProperties(classlib::TClassDecl<TsMaskEdit>& d) {
  d.Object(L"SkinData", &TsMaskEdit::SkinData);
  d.Set(L"DisabledKind", &TsMaskEdit::DisabledKind, &TsMaskEdit::SetDisabledKind, kDefaultDisabledKind);
}

void TsMaskEdit::AfterConstruction() {
  classlib::TMaskEdit::AfterConstruction();
  FCommonData->Loaded();
}

void TsMaskEdit::Loaded() {
  classlib::TMaskEdit::Loaded();
  FCommonData->Loaded();
}

void TsMaskEdit::Change() {
  if (HasState(this, classlib::csLoading)) return;
  classlib::TMaskEdit::Change();
}

void TsMaskEdit::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  FCommonData->Invalidate();
}

bool TsMaskEdit::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(); }

TEditFrame TsMaskEdit::Frame() const {
  TEditFrame f;
  f.BorderSingle = BorderStyle() == classlib::bsSingle;
  return f;
}

void TsMaskEdit::RepairCorners() {
  // Only a painted border image has corners to repair; a borderless face keeps its own pixels.
  if (BorderStyle() == classlib::bsSingle) UpdateCorners(FCommonData.get(), 0);
}

void TsMaskEdit::PrepareCache() {
  InitCacheBmp(FCommonData.get());
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  const TRect whole{0, 0, Width(), Height()};
  if (!Skinned()) {
    FillWith(cache, whole, Color());
    PaintText();
    return;
  }
  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  const TPoint at{Left(), Top()};
  if (BorderStyle() == classlib::bsSingle)
    PaintItem(FCommonData.get(), ci, true, IsActive() ? 1 : 0, whole, at, cache, false);
  else
    PaintItemBG(FCommonData.get(), ci, 0, whole, at, cache);
  PaintText();
  if (!Enabled()) detail::ApplyDisabledKind(this, cache, FDisabledKind, ci);
  FCommonData->BGChanged = false;
}

void TsMaskEdit::PaintText() {
  std::wstring text = EditText();
  if (text.empty()) return;
  classlib::TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
  canvas->SetFont(Font());
  const int w = BorderWidth();
  TRect r{w, w, Width() - w, w + acTextHeight(canvas, text) + 2};
  UINT flags = DT_NOPREFIX | DT_EXTERNALLEADING;
  if (PasswordChar() != 0) {
    text.assign(text.size(), PasswordChar());
    flags = GetStringFlags(this, classlib::taLeftJustify) | DT_NOPREFIX;
  }
  acWriteTextEx(canvas, text, true, r, flags, FCommonData.get(), IsActive());
}

void TsMaskEdit::OurPaintHandler(HDC DC) {
  detail::PaintEditWith(this, FCommonData.get(), DC, [this](HDC Target) {
    if (FCommonData->BGChanged) PrepareCache();
    RepairCorners();
    const TRect whole{0, 0, Width(), Height()};
    CopyWinControlCache(this, FCommonData.get(), whole, whole, Target, false);
    if (ControlCount() > 0) {
      for (int i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<classlib::TWinControl*>(Controls(i)))
          ExcludeClipRect(Target, child->Left(), child->Top(), child->Left() + child->Width(),
                          child->Top() + child->Height());
      const int b = EditPrintBorderWidth(Frame());
      skin::PaintControls(Target, this, false, TPoint{b, b}, nullptr, true);
    }
  });
}

void TsMaskEdit::PaintBorder(HDC DC) {
  classlib::TWinControl* parent = Parent();
  if (parent == nullptr || !Visible() || !parent->Visible() || ControlState.Contains(classlib::csCreating) ||
      BorderStyle() == classlib::bsNone || FCommonData->Updating())
    return;
  std::unique_ptr<detail::TWindowDC> windowDC;
  if (DC == nullptr) {
    windowDC = std::make_unique<detail::TWindowDC>(Handle());
    DC = windowDC->get();
  }
  if (DC == nullptr) return;
  if (FCommonData->BGChanged) PrepareCache();
  RepairCorners();
  BitBltBorder(DC, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, kPaintedFrame);
}

void TsMaskEdit::UnskinnedPaint() {
  PAINTSTRUCT ps{};
  HDC dc = BeginPaint(Handle(), &ps);
  if (dc != nullptr) {
    PrepareCache();
    classlib::TBitmap* cache = FCommonData->CacheBmp();
    const int b = BorderStyle() != classlib::bsNone ? 2 : 0;
    skin::PaintControls(cache->Canvas()->Handle(), this, false, TPoint{b, b}, nullptr, true);
    // The paint DC is the client area's: the cache less its frame goes there.
    BitBlt(dc, 0, 0, Width() - 2 * b, Height() - 2 * b, cache->Canvas()->Handle(), b, b, SRCCOPY);
  }
  EndPaint(Handle(), &ps);
}

bool TsMaskEdit::SkinCommand(TMessage& M) {
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager());
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      return true;
    case ACMD_REMOVESKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      Invalidate();
      return true;
    case ACMD_REFRESH:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
      Repaint();
      return true;
    case ACMD_PARENTUPDATED:
      if (!FCommonData->Updating()) return false;
      FCommonData->SetUpdating(false);
      if (HandleAllocated()) {
        InvalidateRect(Handle(), nullptr, TRUE);
        SendMessageW(Handle(), WM_NCPAINT, 1, 0);
      }
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsMaskEdit::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_PAINT:
      if (Focused()) {
        classlib::TMaskEdit::WndProc(M);
        PaintBorder(nullptr);
      } else {
        OurPaintHandler(reinterpret_cast<HDC>(M.WParam));
      }
      return true;
    case WM_ERASEBKGND:
      if (InAnimationProcess) return true;
      FCommonData->SetUpdating(FCommonData->Updating());
      if (!FCommonData->Updating()) classlib::TMaskEdit::WndProc(M);
      return true;
    case WM_NCPAINT:
      if (InAnimationProcess) return true;
      FCommonData->SetUpdating(FCommonData->Updating());
      if (!FCommonData->Updating()) PaintBorder(nullptr);
      return true;
    case WM_PRINT: {
      FCommonData->SetUpdating(false);
      const HDC dc = reinterpret_cast<HDC>(M.WParam);
      if (FCommonData->BGChanged) PrepareCache();
      RepairCorners();
      OurPaintHandler(dc);
      classlib::TBitmap* cache = FCommonData->CacheBmp();
      BitBltBorder(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, BorderWidth());
      return true;
    }
    case classlib::CM_COLORCHANGED:
    case classlib::CM_CHANGED: FCommonData->BGChanged = true; break;
    default: break;
  }
  if (CommonWndProc(M, FCommonData.get())) return true;
  const unsigned msg = M.Msg;
  classlib::TMaskEdit::WndProc(M);
  switch (msg) {
    case WM_SETFOCUS: Invalidate(); break;
    case WM_SETFONT:
    case classlib::CM_VISIBLECHANGED:
    case classlib::CM_ENABLEDCHANGED: FCommonData->Invalidate(); break;
    default: break;
  }
  return false;
}

void TsMaskEdit::FollowBoundLabel(unsigned Msg) {
  // The bound label attaches here: on WM_SIZE and WM_WINDOWPOSCHANGED it realigns; on
  // CM_VISIBLECHANGED it takes the edit's visibility, on CM_ENABLEDCHANGED the edit's enabled
  // state (or stays enabled unless the look is blended), on CM_BIDIMODECHANGED its reading order.
  if (FBoundLabel == nullptr) return;
  (void)Msg;
}

void TsMaskEdit::WndProc(TMessage& M) {
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  const unsigned msg = M.Msg;
  if (FCommonData != nullptr && Skinned() && ControlIsReady(this)) {
    if (SkinnedMessage(M)) return;
  } else if (M.Msg == WM_PAINT && !Focused() && HandleAllocated() && FCommonData != nullptr) {
    UnskinnedPaint();
    return;
  } else {
    classlib::TMaskEdit::WndProc(M);
  }
  FollowBoundLabel(msg);
}

void RegisterMaskEditClasses() { classlib::RegisterClass<TsMaskEdit, classlib::TMaskEdit>(L"TsMaskEdit"); }

}  // namespace skin
