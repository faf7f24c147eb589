// The spin edits' button pair and its auto-repeating arrow buttons.
#include "skin/controls/sSpinEdit.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;

namespace {

constexpr unsigned kFirstRepeat = 400;
constexpr unsigned kNextRepeat = 100;
constexpr int kPairWidth = 18;
constexpr int kMinButtonWidth = 15;
constexpr int kFocusInset = 3;

bool HasState(const classlib::TComponent* c, classlib::TComponentStateItem s) {
  return c->ComponentState().Contains(s);
}

}  // namespace

namespace sSpinEdit {

TsTimerSpeedButton::TsTimerSpeedButton(classlib::TComponent* AOwner, TsSpinButton* SpinButton)
    : TsSpeedButton(AOwner), FOwner(SpinButton) {}

TsTimerSpeedButton::~TsTimerSpeedButton() = default;  // the timer is a component of the button

void TsTimerSpeedButton::MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  TsSpeedButton::MouseDown(Button, Shift, X, Y);
  SetDown(true);
  if (!FTimeBtnState.Contains(TTimeBtnStateItem::tbAllowTimer)) return;
  if (FRepeatTimer == nullptr) {
    FRepeatTimer = classlib::Create<classlib::TTimer>(this);
    FRepeatTimer->OnTimer = [this](classlib::TObject* s) { TimerExpired(s); };
  }
  FRepeatTimer->SetInterval(kFirstRepeat);
  FRepeatTimer->SetEnabled(true);
}

void TsTimerSpeedButton::MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  SetDown(false);
  TsSpeedButton::MouseUp(Button, Shift, X, Y);
  if (FRepeatTimer != nullptr) FRepeatTimer->SetEnabled(false);
}

void TsTimerSpeedButton::TimerExpired(classlib::TObject*) {
  FRepeatTimer->SetInterval(kNextRepeat);
  // A button that lost the mouse (another window took the capture) stops repeating for good.
  if (!MouseCapture()) {
    FRepeatTimer->SetEnabled(false);
    return;
  }
  try {
    Click();
  } catch (...) {
    FRepeatTimer->SetEnabled(false);
    throw;
  }
}

void TsTimerSpeedButton::Paint() {
  if (HasState(this, classlib::csDestroying) || HasState(this, classlib::csLoading)) return;
  TsSpeedButton::Paint();
  if (!FTimeBtnState.Contains(TTimeBtnStateItem::tbFocusRect)) return;
  RECT r{kFocusInset, kFocusInset, Width() - kFocusInset, Height() - kFocusInset};
  if (FState == classlib::bsDown) OffsetRect(&r, 1, 1);
  DrawFocusRect(Canvas()->Handle(), &r);
}

void TsTimerSpeedButton::PaintTo(HDC DC, TPoint P) {
  PrepareCache();
  BitBlt(DC, P.X, P.Y, Width(), Height(), SkinData()->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

TColor TsTimerSpeedButton::ArrowColor() {
  TsBaseSpinEdit* edit = FOwner != nullptr ? FOwner->Edit() : nullptr;
  TsSkinManager* sm = SkinData()->GetSkinManager();
  const bool skinned = SkinData()->Skinned() && sm != nullptr && sm->IsValidSkinIndex(SkinData()->SkinIndex);
  if (!skinned || (edit != nullptr && edit->SkinData()->CustomFont()))
    return Enabled() ? Font()->Color() : classlib::clGrayText;
  const auto& gd = sm->Records().gd;
  const TsGeneralData& own = gd[std::size_t(SkinData()->SkinIndex)];
  if (CurrentState() != 0) return own.Props[own.States < 2 ? 0 : 1].FontColor.Color;
  if (edit != nullptr && sm->IsValidSkinIndex(edit->SkinData()->SkinIndex))
    return gd[std::size_t(edit->SkinData()->SkinIndex)].Props[0].FontColor.Color;
  return own.Props[0].FontColor.Color;
}

void TsTimerSpeedButton::DrawGlyph() {
  if (!Glyph()->Empty()) {
    TsSpeedButton::DrawGlyph();
    return;
  }
  classlib::TCanvas* canvas = SkinData()->Skinned() ? SkinData()->CacheBmp()->Canvas() : Canvas();
  const COLORREF colour = COLORREF(classlib::ColorToRGB(ArrowColor()));
  const int x = (Width() - 9) / 2, y = (Height() - 5) / 2;
  POINT p[3];
  if (Up)
    p[0] = {x + 1, y + 4}, p[1] = {x + 7, y + 4}, p[2] = {x + 4, y + 1};
  else
    p[0] = {x + 1, y + 1}, p[1] = {x + 7, y + 1}, p[2] = {x + 4, y + 4};
  HDC dc = canvas->Handle();
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HBRUSH brush = CreateSolidBrush(colour);
  const HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
  Polygon(dc, p, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

}  // namespace sSpinEdit

using TSpinArrow = sSpinEdit::TsTimerSpeedButton;
using sSpinEdit::TTimeBtnStateItem;

TsSpinButton::TsSpinButton(classlib::TComponent* AOwner) : classlib::TWinControl(AOwner) {
  ControlStyle -= classlib::csAcceptsControls;
  ControlStyle -= classlib::csSetCaption;
  FOwner = dynamic_cast<TsBaseSpinEdit*>(AOwner);
  FUpButton = CreateButton(true);
  FDownButton = CreateButton(false);
  ClearGlyphs();
  FWidth = kPairWidth;
  FHeight = 20;
  FFocusedButton = FUpButton;
  FTabStop = false;
}

void TsSpinButton::DeclareProperties(classlib::TClassDecl<TsSpinButton>& d) {
  d.Bool(L"TabStop", &TsSpinButton::TabStop, &TsSpinButton::SetTabStop, false);
  d.Event(L"OnUpClick", &TsSpinButton::OnUpClick);
  d.Event(L"OnDownClick", &TsSpinButton::OnDownClick);
}

TSpinArrow* TsSpinButton::CreateButton(bool Up) {
  auto* b = classlib::Create<TSpinArrow>(this, this);
  b->Up = Up;
  b->SkinData()->SetSkinSection("SPEEDBUTTON_SMALL");
  b->OnClick = [this](classlib::TObject* s) { BtnClick(s); };
  b->OnMouseDown = [this](classlib::TObject* s, classlib::TMouseButton btn, classlib::TShiftState sh, int x, int y) {
    BtnMouseDown(s, btn, sh, x, y);
  };
  b->SetNumGlyphs(1);
  b->SetVisible(true);
  b->SetEnabled(true);
  b->SetFlat(false);
  b->SetTransparent(true);
  b->SetTimeBtnState(sSpinEdit::TTimeBtnState{TTimeBtnStateItem::tbAllowTimer});
  b->SetParent(this);
  return b;
}

classlib::TBitmap* TsSpinButton::UpGlyph() const { return FUpButton->Glyph(); }
void TsSpinButton::SetUpGlyph(const classlib::TBitmap* Value) { FUpButton->Glyph()->Assign(Value); }
classlib::TBitmap* TsSpinButton::DownGlyph() const { return FDownButton->Glyph(); }
void TsSpinButton::SetDownGlyph(const classlib::TBitmap* Value) { FDownButton->Glyph()->Assign(Value); }

void TsSpinButton::ClearGlyphs() {
  // The drawn triangles stand where no glyph is.
  if (FUpButton != nullptr) FUpButton->Glyph()->Assign(nullptr);
  if (FDownButton != nullptr) FDownButton->Glyph()->Assign(nullptr);
}

void TsSpinButton::AdjustSize(int& W, int& H) {
  if (FUpButton == nullptr || FDownButton == nullptr || HasState(this, classlib::csLoading) || H == 0) return;
  W = std::max(W, kMinButtonWidth);
  FUpButton->SetBounds(0, 0, W, H / 2);
  FDownButton->SetBounds(0, FUpButton->Height(), W, H - FUpButton->Height());
}

void TsSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AdjustSize(AWidth, AHeight);
  classlib::TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TsSpinButton::Loaded() {
  classlib::TWinControl::Loaded();
  int w = Width(), h = Height();
  AdjustSize(w, h);
  if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
  if (FOwner != nullptr) {
    FUpButton->SkinData()->SetSkinManager(FOwner->SkinData()->SkinManager());
    FDownButton->SkinData()->SetSkinManager(FOwner->SkinData()->SkinManager());
  }
}

void TsSpinButton::Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) {
  classlib::TWinControl::Notification(AComponent, Operation);
  if (Operation != classlib::opRemove) return;
  if (AComponent == FFocusControl) FFocusControl = nullptr;
  if (AComponent == FUpButton) FUpButton = nullptr;
  if (AComponent == FDownButton) FDownButton = nullptr;
  if (AComponent == FFocusedButton) FFocusedButton = nullptr;
}

void TsSpinButton::BtnClick(classlib::TObject* Sender) {
  if (Sender == FUpButton) {
    if (OnUpClick) OnUpClick(this);
  } else if (OnDownClick) {
    OnDownClick(this);
  }
}

void TsSpinButton::BtnMouseDown(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState, int,
                                int) {
  if (Button != classlib::mbLeft) return;
  SetFocusBtn(dynamic_cast<TSpinArrow*>(Sender));
  if (FFocusControl != nullptr && FFocusControl->TabStop() && FFocusControl->CanFocus() &&
      GetFocus() != FFocusControl->Handle())
    FFocusControl->SetFocus();
  else if (TabStop() && CanFocus() && GetFocus() != Handle())
    SetFocus();
}

void TsSpinButton::SetFocusBtn(TSpinArrow* Btn) {
  if (!TabStop() || !CanFocus() || Btn == nullptr || Btn == FFocusedButton) return;
  if (FFocusedButton != nullptr) {
    auto s = FFocusedButton->TimeBtnState();
    s.Exclude(TTimeBtnStateItem::tbFocusRect);
    FFocusedButton->SetTimeBtnState(s);
  }
  FFocusedButton = Btn;
  if (HandleAllocated() && GetFocus() == Handle()) {
    auto s = Btn->TimeBtnState();
    s.Include(TTimeBtnStateItem::tbFocusRect);
    Btn->SetTimeBtnState(s);
    Invalidate();
  }
}

void TsSpinButton::PaintTo(HDC DC, TPoint P) {
  if (FUpButton == nullptr || FDownButton == nullptr) return;
  FUpButton->PaintTo(DC, P);
  FDownButton->PaintTo(DC, TPoint{P.X, P.Y + FUpButton->Height()});
}

int TsSpinButton::EditBorder() const {
  if (FOwner == nullptr) return 0;
  // The class library's edit has the 3D client edge and no bevels.
  return FOwner->BorderStyle() == classlib::bsSingle ? 2 : 0;
}

void TsSpinButton::WndProc(TMessage& M) {
  if (M.Msg == SM_ALPHACMD && FOwner != nullptr) {
    switch (CommandOf(M.WParam)) {
      case ACMD_PARENTUPDATED: return;
      case ACMD_ISBUSY: M.Result = FOwner->SkinData()->Updating() ? 1 : 0; return;
      case ACMD_GETBGINFO: {
        auto* bg = reinterpret_cast<TacBGInfo*>(M.LParam);
        if (bg == nullptr) return;
        const int b = EditBorder();
        bg->BgType = TacBGType::btCache;
        bg->Color = TColor(FOwner->Perform(SM_ALPHACMD, AlphaCmd(ACMD_GETCOLOR), 0));
        bg->Bmp = FOwner->SkinData()->CacheBmp();
        bg->Offset = TPoint{Left() + b, Top() + b};
        M.Result = 1;
        return;
      }
      default: break;
    }
  }
  if (FOwner != nullptr && !FOwner->Enabled()) {
    if (M.Msg == WM_PAINT) {
      ValidateRect(Handle(), nullptr);
      return;
    }
    if (M.Msg == WM_ERASEBKGND) {
      M.Result = 1;
      return;
    }
  }
  switch (M.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (FFocusedButton != nullptr) {
        auto s = FFocusedButton->TimeBtnState();
        if (M.Msg == WM_SETFOCUS)
          s.Include(TTimeBtnStateItem::tbFocusRect);
        else
          s.Exclude(TTimeBtnStateItem::tbFocusRect);
        FFocusedButton->SetTimeBtnState(s);
        FFocusedButton->Invalidate();
      }
      break;
    case WM_GETDLGCODE: M.Result = DLGC_WANTARROWS; return;
    default: break;
  }
  const unsigned msg = M.Msg;
  classlib::TWinControl::WndProc(M);
  switch (msg) {
    case WM_SIZE: {
      int w = Width(), h = Height();
      AdjustSize(w, h);
      if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
      break;
    }
    case classlib::CM_ENABLEDCHANGED: ClearGlyphs(); break;
    default: break;
  }
}

}  // namespace skin
