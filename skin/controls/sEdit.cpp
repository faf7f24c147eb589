#include "skin/controls/sEdit.h"

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

// A password character '*' is shown as a black circle, as the system's own edits do.
constexpr wchar_t kPasswordBullet = 0x25CF;

bool Loading(const classlib::TComponent* c) { return c->ComponentState().Contains(classlib::csLoading); }

}  // namespace

TsEdit::TsEdit(classlib::TComponent* AOwner) : classlib::TEdit(AOwner) {
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kEditCoc;
}

TsEdit::~TsEdit() {
  // The label goes first: it reads the skin state.
  FBoundLabel = nullptr;
  FCommonData.reset();
}

void TsEdit::AfterConstruction() {
  classlib::TEdit::AfterConstruction();
  FCommonData->Loaded();
}

void TsEdit::Loaded() {
  classlib::TEdit::Loaded();
  FCommonData->Loaded();
}

void TsEdit::SetDisabledKind(TsDisabledKind Value) {
  if (FDisabledKind == Value) return;
  FDisabledKind = Value;
  FCommonData->Invalidate();
}

bool TsEdit::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(); }

TEditFrame TsEdit::Frame() const {
  // The class library's edit has the 3D client edge and no bevels.
  TEditFrame f;
  f.BorderSingle = BorderStyle() == classlib::bsSingle;
  return f;
}

std::wstring TsEdit::ShownText() const {
  const std::wstring text = Text();
  const wchar_t mask = PasswordChar();
  if (mask == 0) return text;
  return std::wstring(text.size(), mask == L'*' ? kPasswordBullet : mask);
}

void TsEdit::RepairCorners() {
  // Only a painted border image has corners to repair; a borderless face keeps its own pixels.
  if (BorderStyle() == classlib::bsSingle) UpdateCorners(FCommonData.get(), 0);
}

void TsEdit::PrepareCache() {
  InitCacheBmp(FCommonData.get());
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  const int state = ControlIsActive(FCommonData.get()) ? 1 : 0;
  const TRect whole{0, 0, Width(), Height()};
  const TPoint at{Left(), Top()};
  if (BorderStyle() == classlib::bsSingle)
    PaintItem(FCommonData.get(), ci, true, state, whole, at, cache, false);
  else
    PaintItemBG(FCommonData.get(), ci, state, whole, at, cache);
  PaintText();
  if (!Enabled()) detail::ApplyDisabledKind(this, cache, FDisabledKind, ci);
  FCommonData->BGChanged = false;
}

void TsEdit::PaintText() {
  classlib::TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
  canvas->SetFont(Font());
  const int b = EditTextBorderWidth(Frame());
  const int s = BorderStyle() == classlib::bsSingle ? 1 : 0;
  TRect r{b + s, b + s, Width() - b, Height() - b};
  // The text sits at the top of the rectangle, as the native edit puts it.
  const UINT flags = (GetStringFlags(this, Alignment()) & ~UINT(DT_VCENTER)) | DT_SINGLELINE | DT_NOPREFIX;
  const std::wstring shown = ShownText();
  if (!shown.empty()) {
    acWriteTextEx(canvas, shown, true, r, flags, FCommonData.get(), ControlIsActive(FCommonData.get()));
  } else if (!TextHint().empty()) {
    canvas->Brush()->SetStyle(classlib::bsClear);
    canvas->Font()->SetColor(classlib::clInactiveCaptionText);
    SetTextColor(canvas->Handle(), COLORREF(classlib::ColorToRGB(classlib::clInactiveCaptionText)));
    SetBkMode(canvas->Handle(), TRANSPARENT);
    acDrawText(canvas->Handle(), TextHint(), r, flags);
  }
}

void TsEdit::OurPaintHandler(HDC DC) {
  detail::PaintEditWith(this, FCommonData.get(), DC, [this](HDC Target) {
    if (FCommonData->BGChanged && !FCommonData->UrgentPainting) PrepareCache();
    RepairCorners();
    BitBlt(Target, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
  });
}

void TsEdit::PaintBorder() {
  if (InAnimationProcess) return;
  FCommonData->SetUpdating(FCommonData->Updating());
  if (FCommonData->Updating()) return;
  detail::TWindowDC dc(Handle());
  if (dc.get() == nullptr) return;
  if (FCommonData->BGChanged) PrepareCache();
  RepairCorners();
  BitBltBorder(dc.get(), 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0,
               EditPaintBorderWidth(Frame()));
}

void TsEdit::SendNcPaint() {
  if (HandleAllocated()) SendMessageW(Handle(), WM_NCPAINT, 1, 0);
}

void TsEdit::Print(HDC DC) {
  FCommonData->SetUpdating(false);
  PrepareCache();
  RepairCorners();
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  const int b = EditPrintBorderWidth(Frame());
  BitBltBorder(DC, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, b);
  OurPaintHandler(DC);
  // The native client area prints next, inside the frame.
  POINT origin{};
  GetWindowOrgEx(DC, &origin);
  SetWindowOrgEx(DC, origin.x - b, origin.y - b, nullptr);
  IntersectClipRect(DC, 0, 0, cache->Width() - 2 * b, cache->Height() - 2 * b);
}

bool TsEdit::SkinCommand(TMessage& M) {
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager());
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
    case ACMD_REMOVESKIN:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      return true;
    case ACMD_REFRESH:
      if (!own) return false;
      CommonWndProc(M, FCommonData.get());
      if (!InAnimationProcess && HandleAllocated() && Visible())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_DEPENDSONPARENT: M.LParam = 0; return true;
    case ACMD_GETCOLOR:
      if (Skinned()) return false;
      M.Result = LRESULT(classlib::ColorToRGB(Color()));
      return true;
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsEdit::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_PAINT:
      FCommonData->SetUpdating(FCommonData->Updating());
      if (InAnimationProcess || FCommonData->Updating()) {
        PAINTSTRUCT ps{};
        BeginPaint(Handle(), &ps);
        EndPaint(Handle(), &ps);
      } else if (Enabled() && ControlIsActive(FCommonData.get())) {
        classlib::TEdit::WndProc(M);
      } else {
        OurPaintHandler(reinterpret_cast<HDC>(M.WParam));
      }
      return true;
    case WM_ERASEBKGND:
    case classlib::CN_DRAWITEM:
      if (InAnimationProcess) return true;
      FCommonData->SetUpdating(FCommonData->Updating());
      if (!FCommonData->Updating() && Enabled()) classlib::TEdit::WndProc(M);
      return true;
    case WM_NCPAINT:
      if (!InAnimationProcess) PaintBorder();
      return true;
    case WM_PRINT: Print(reinterpret_cast<HDC>(M.WParam)); return false;
    case classlib::CM_COLORCHANGED:
      if (FCommonData->CustomColor()) FCommonData->BGChanged = true;
      return false;
    default: return false;
  }
}

void TsEdit::AfterInherited(unsigned Msg, const TMessage& M) {
  switch (Msg) {
    case WM_SIZE: SendNcPaint(); break;
    case WM_KILLFOCUS:
    case classlib::CM_EXIT:
      FCommonData->FFocused = false;
      FCommonData->FMouseAbove = false;
      FCommonData->BGChanged = true;
      if (Visible()) Repaint();
      break;
    case WM_SETTEXT:
    case WM_SETFONT:
    case classlib::CM_VISIBLECHANGED:
    case classlib::CM_ENABLEDCHANGED:
    case classlib::CM_TEXTCHANGED:
      if (!Loading(this) && !InAnimationProcess) {
        FCommonData->Invalidate();
        SendNcPaint();
      }
      break;
    case SM_ALPHACMD:
      if (CommandOf(M.WParam) == ACMD_PARENTUPDATED && FCommonData->Updating()) {
        FCommonData->SetUpdating(false);
        Repaint();
        SendNcPaint();
      }
      break;
    default: break;
  }
}

void TsEdit::FollowBoundLabel(unsigned Msg) {
  // The bound label attaches here: on WM_SIZE and WM_WINDOWPOSCHANGED it realigns; on
  // CM_VISIBLECHANGED it takes the edit's visibility, on CM_ENABLEDCHANGED the edit's enabled
  // state (or stays enabled unless the look is blended), on CM_BIDIMODECHANGED its reading order.
  if (FBoundLabel == nullptr) return;
  (void)Msg;
}

void TsEdit::WndProc(TMessage& M) {
  if (M.Msg == SM_ALPHACMD && SkinCommand(M)) return;
  const unsigned msg = M.Msg;
  if (ControlIsReady(this) && Skinned()) {
    if (SkinnedMessage(M)) return;
    if (CommonWndProc(M, FCommonData.get())) return;
    const TMessage before = M;
    classlib::TEdit::WndProc(M);
    AfterInherited(msg, before);
  } else {
    classlib::TEdit::WndProc(M);
  }
  FollowBoundLabel(msg);
}

void TsEdit::DeclareProperties(classlib::TClassDecl<TsEdit>& d) {
  d.Object(L"SkinData", &TsEdit::SkinData);
  d.Set(L"DisabledKind", &TsEdit::DisabledKind, &TsEdit::SetDisabledKind, kDefaultDisabledKind);
}

void RegisterEditClasses() { classlib::RegisterClass<TsEdit, classlib::TEdit>(L"TsEdit"); }

}  // namespace skin
