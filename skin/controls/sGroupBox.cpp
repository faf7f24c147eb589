#include "skin/controls/sGroupBox.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sControlTypes.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;

namespace {

constexpr int kGroupBoxCoc = 74;

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

void FillDC(HDC dc, const TRect& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(classlib::ColorToRGB(color));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  FillRect(dc, &rc, brush);
  DeleteObject(brush);
}

// Section names are matched in upper case; skin section names are plain ASCII.
std::string SectionName(const std::wstring& name) {
  std::string s;
  s.reserve(name.size());
  for (wchar_t c : name) {
    const char a = (c > 0 && c < 128) ? static_cast<char>(c) : '?';
    s.push_back(a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a);
  }
  return s;
}

bool Contains(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

}  // namespace

// ---- TsMargin ----

void TsMargin::DeclareProperties(classlib::TClassDecl<TsMargin>& d) {
  d.Integer(L"Left", &TsMargin::Left, &TsMargin::SetLeft, 2);
  d.Integer(L"Top", &TsMargin::Top, &TsMargin::SetTop, 0);
  d.Integer(L"Right", &TsMargin::Right, &TsMargin::SetRight, 2);
  d.Integer(L"Bottom", &TsMargin::Bottom, &TsMargin::SetBottom, 0);
}

void TsMargin::Assign(const classlib::TPersistent* Source) {
  const auto* m = dynamic_cast<const TsMargin*>(Source);
  if (m == nullptr) return classlib::TPersistent::Assign(Source);
  FLeft = m->FLeft;
  FTop = m->FTop;
  FRight = m->FRight;
  SetBottom(m->FBottom);
}

void TsMargin::SetValue(int& Field, int Value) {
  Field = Value;
  auto* box = dynamic_cast<TsGroupBox*>(FControl);
  if (box != nullptr && !HasState(box, classlib::csLoading)) box->SkinData()->Invalidate();
}

// ---- TsGroupBox ----

TsGroupBox::TsGroupBox(classlib::TComponent* AOwner) : classlib::TGroupBox(AOwner) {
  ControlStyle -= classlib::csOpaque;
  FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
  FCommonData->COC = kGroupBoxCoc;
  FCaptionMargin = std::make_unique<TsMargin>(this);
}

TsGroupBox::~TsGroupBox() {
  FCommonData.reset();
  FCaptionMargin.reset();
}

void TsGroupBox::DeclareProperties(classlib::TClassDecl<TsGroupBox>& d) {
  d.Enum(L"CaptionLayout", &TsGroupBox::CaptionLayout, &TsGroupBox::SetCaptionLayout, group::clTopLeft);
  d.Integer(L"CaptionYOffset", &TsGroupBox::CaptionYOffset, &TsGroupBox::SetCaptionYOffset, 0);
  d.Object(L"SkinData", &TsGroupBox::SkinData);
  d.String(L"CaptionSkin", &TsGroupBox::CaptionSkin, &TsGroupBox::SetCaptionSkin, L"");
  d.Object(L"CaptionMargin", &TsGroupBox::CaptionMargin);
  d.Integer(L"CaptionWidth", &TsGroupBox::CaptionWidth, &TsGroupBox::SetCaptionWidth, 0);
}

void TsGroupBox::AfterConstruction() {
  classlib::TGroupBox::AfterConstruction();
  FCommonData->Loaded();
}

void TsGroupBox::Loaded() {
  classlib::TGroupBox::Loaded();
  FCommonData->Loaded();
}

bool TsGroupBox::Skinned() const { return FCommonData != nullptr && FCommonData->Skinned(true); }

void TsGroupBox::SetCaptionLayout(group::TsCaptionLayout Value) {
  if (FCaptionLayout == Value) return;
  FCaptionLayout = Value;
  if (!Caption().empty()) FCommonData->Invalidate();
}

void TsGroupBox::SetCaptionYOffset(int Value) {
  if (FCaptionYOffset == Value) return;
  FCaptionYOffset = Value;
  // The client area moves with the offset: aligned children follow it.
  Realign();
  FCommonData->Invalidate();
}

void TsGroupBox::SetCaptionSkin(const std::wstring& Value) {
  if (FCaptionSkin == Value) return;
  FCaptionSkin = Value;
  FCommonData->Invalidate();
}

void TsGroupBox::SetCaptionWidth(int Value) {
  if (FCaptionWidth == Value) return;
  FCaptionWidth = Value;
  FCommonData->Invalidate();
}

TRect TsGroupBox::AdjustClientRect() const {
  TRect r = classlib::TGroupBox::AdjustClientRect();
  if (HasState(this, classlib::csDestroying)) return r;
  r.Top += FCaptionYOffset;
  return r;
}

void TsGroupBox::FontToCache() {
  InitCacheBmp(FCommonData.get());
  FCommonData->CacheBmp()->Canvas()->SetFont(Font());
}

int TsGroupBox::TextHeight() {
  FontToCache();
  return std::max(4, FCommonData->CacheBmp()->Canvas()->TextHeight(L"W")) + 2;
}

TRect TsGroupBox::CaptionRect() {
  TGroupCaptionMetrics m;
  m.Skinned = Skinned();
  m.Width = Width();
  m.TextHeight = TextHeight();
  // Measured on the canvas the caption is drawn on, with the same font: the text always fits.
  m.TextWidth = FCommonData->CacheBmp()->Canvas()->TextWidth(Caption());
  m.CaptionYOffset = FCaptionYOffset;
  m.CaptionWidth = FCaptionWidth;
  m.MarginLeft = FCaptionMargin->Left();
  m.MarginTop = FCaptionMargin->Top();
  m.MarginRight = FCaptionMargin->Right();
  m.MarginBottom = FCaptionMargin->Bottom();
  m.Layout = FCaptionLayout;
  m.RightToLeft = HandleAllocated() && (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
  return GroupCaptionRect(m);
}

void TsGroupBox::PrepareCache() {
  FontToCache();
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  const HDC dc = cache->Canvas()->Handle();
  TCacheInfo ci;
  GetParentCache(FCommonData.get(), ci);
  const TRect c = CaptionRect();
  if (ci.Ready && ci.Bmp != nullptr)
    BitBlt(dc, 0, 0, Width(), c.Bottom - c.Top, ci.Bmp->Canvas()->Handle(), Left() + ci.X, Top() + ci.Y, SRCCOPY);
  else if (Parent() != nullptr)
    FillDC(dc, TRect{0, 0, Width(), c.Bottom}, ci.FillColor);
  const int frameTop = GroupFrameTop(c, FCaptionYOffset);
  PaintItem(FCommonData.get(), ci, false, 0, TRect{0, frameTop, Width(), Height()}, TPoint{Left(), Top() + frameTop},
            cache, true);
  if (!Caption().empty()) WriteText(c, ci);
  FCommonData->BGChanged = false;
}

void TsGroupBox::WriteText(const TRect& R, const TCacheInfo& CI) {
  UINT flags =
      FCaptionWidth != 0 ? DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS : DT_SINGLELINE | DT_VCENTER | DT_CENTER;
  if (HandleAllocated() && (GetWindowLongPtrW(FHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0) flags |= DT_RTLREADING;
  const int state = Focused() ? 1 : 0;
  TsSkinManager* sm = FCommonData->GetSkinManager();
  classlib::TBitmap* cache = FCommonData->CacheBmp();
  const TsMargin& m = *FCaptionMargin;
  if (!FCaptionSkin.empty()) {
    const int w = R.Right - R.Left, h = R.Bottom - R.Top;
    if (w <= 0 || h <= 0) return;
    const std::string section = SectionName(FCaptionSkin);
    const int index = sm->GetSkinIndex(section);
    auto caption = NewBitmap32(w, h);
    caption->Canvas()->SetFont(Font());
    caption->Canvas()->Brush()->SetStyle(classlib::bsClear);
    PaintItem(index, section, MakeCacheInfo(cache, 0, 0), true, state, TRect{0, 0, w, h}, TPoint{R.Left, R.Top},
              caption.get(), sm);
    TRect text{m.Left(), m.Top(), w - m.Right(), h - m.Bottom()};
    acWriteTextEx(caption->Canvas(), Caption(), true, text, flags, index, false, sm);
    BitBlt(cache->Canvas()->Handle(), R.Left, R.Top, w, h, caption->Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  if (CI.Ready)
    PaintItem(sm->GetSkinIndex("CHECKBOX"), "CHECKBOX", CI, true, state, R, TPoint{Left() + R.Left, Top() + R.Top},
              cache, sm);
  else
    FillDC(cache->Canvas()->Handle(), R, CI.FillColor);
  TRect text{R.Left + m.Left(), R.Top + m.Top(), R.Right - m.Right(), R.Bottom - m.Bottom()};
  cache->Canvas()->Brush()->SetStyle(classlib::bsClear);
  acWriteTextEx(cache->Canvas(), Caption(), true, text, flags, FCommonData.get(), false);
}

void TsGroupBox::PaintToDC(HDC DC) {
  if (!Skinned() || HasState(this, classlib::csDestroying)) return;
  if (!Visible() && !HasState(this, classlib::csDesigning)) return;
  if (InAnimationProcess && DC != FCommonData->PrintDC) return;
  const bool updating = FCommonData->Updating();
  FCommonData->SetUpdating(updating);
  if (updating) return;
  FCommonData->HalfVisible = false;
  if (FCommonData->RepaintIfMoved() && Parent() != nullptr) {
    const TRect area = Parent()->ClientRect();
    FCommonData->HalfVisible =
        !Contains(area, Left() + 1, Top() + 1) || !Contains(area, Left() + Width() - 1, Top() + Height() - 1);
  }
  if (!FCommonData->UrgentPainting) PrepareCache();
  const TRect whole{0, 0, Width(), Height()};
  CopyWinControlCache(this, FCommonData.get(), whole, whole, DC, false);
  skin::PaintControls(DC, this, true, TPoint{0, 0});
  SetParentUpdated(this);
}

// ---- messages ----

void TsGroupBox::WndProc(TMessage& M) {
  const UINT msg = M.Msg;
  if (FCommonData == nullptr) return classlib::TGroupBox::WndProc(M);
  if (msg == SM_ALPHACMD && SkinCommand(M)) return;
  if (!ControlIsReady(this) || !FCommonData->Skinned()) {
    classlib::TGroupBox::WndProc(M);
  } else if (!SkinnedMessage(M)) {
    if (!CommonWndProc(M, FCommonData.get())) classlib::TGroupBox::WndProc(M);
  }
  if (msg == classlib::CM_FONTCHANGED) {
    FontToCache();
    if (!Caption().empty()) FCommonData->Invalidate();
  }
}

bool TsGroupBox::SkinCommand(TMessage& M) {
  const bool own = M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(FCommonData->GetSkinManager());
  switch (CommandOf(M.WParam)) {
    case ACMD_NEWSKIN:
      AlphaBroadCast(this, M);
      if (own) CommonWndProc(M, FCommonData.get());
      return true;
    case ACMD_REMOVESKIN:
    case ACMD_REFRESH:
      if (own) CommonWndProc(M, FCommonData.get());
      AlphaBroadCast(this, M);
      if (own && HandleAllocated()) Repaint();
      return true;
    case ACMD_ISSKINNED: M.Result = 1; return true;
    case ACMD_GETBGINFO: {
      // A caption on a section of its own shows through the children: they take the box's cache.
      if (FCaptionSkin.empty() || M.LParam == 0 || !Skinned()) return false;
      auto& info = *reinterpret_cast<TacBGInfo*>(M.LParam);
      info.Bmp = FCommonData->CacheBmp();
      info.Offset = TPoint{0, 0};
      info.BgType = TacBGType::btCache;
      return true;
    }
    case ACMD_GETAPPLICATION:
      M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
      return true;
    default: return false;
  }
}

bool TsGroupBox::SkinnedMessage(TMessage& M) {
  switch (M.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(M.WParam)) {
        case ACMD_PARENTUPDATED:
          if (!FCommonData->Updating()) return false;
          FCommonData->SetUpdating(false);
          FCommonData->SetUpdating(FCommonData->Updating());
          if (Showing() && !FCommonData->Updating())
            RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
          return true;
        case ACMD_SETURGENT:
          CommonWndProc(M, FCommonData.get());
          if (FCommonData->UrgentPainting) PrepareCache();
          return true;
        case ACMD_ISBUSY: M.Result = FCommonData->BGChanged || FCommonData->Updating(); return true;
        default: return CommonMessage(M, FCommonData.get());
      }
    case WM_PAINT: PaintHandler(M); return true;
    case WM_PRINT:
      FCommonData->SetUpdating(false);
      PaintToDC(reinterpret_cast<HDC>(M.WParam));
      return true;
    case WM_ERASEBKGND: M.Result = 1; return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: classlib::TGroupBox::WndProc(M); return true;
    case classlib::CM_TEXTCHANGED: FCommonData->Invalidate(); return false;
    case WM_MOVE: FCommonData->BGChanged = FCommonData->BGChanged || FCommonData->RepaintIfMoved(); return false;
    case WM_WINDOWPOSCHANGED:
    case classlib::CM_VISIBLECHANGED: FCommonData->BGChanged = true; return false;
    default: return false;
  }
}

void TsGroupBox::PaintHandler(TMessage& M) {
  PAINTSTRUCT ps{};
  const HDC paintDC = BeginPaint(Handle(), &ps);
  const classlib::TScopeExit ended([&]() noexcept { EndPaint(FHandle, &ps); });
  const HDC dc = M.WParam != 0 ? reinterpret_cast<HDC>(M.WParam) : paintDC;
  if (dc == nullptr) return;
  const int saved = SaveDC(dc);
  const classlib::TScopeExit restored([&]() noexcept { RestoreDC(dc, saved); });
  PaintToDC(dc);
  M.Result = 0;
}

void RegisterGroupBoxClasses() {
  classlib::RegisterClass<TsMargin, classlib::TPersistent>(L"TsMargin");
  classlib::RegisterClass<TsGroupBox, classlib::TGroupBox>(L"TsGroupBox");
  classlib::RegisterClass<TsRadioGroup, TsGroupBox>(L"TsRadioGroup");
}

}  // namespace skin
