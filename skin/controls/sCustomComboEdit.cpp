#include "skin/controls/sCustomComboEdit.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/ScopeExit.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sGraphUtilsWin32.h"
#include "skin/graphics/sTextOutWin32.h"

namespace skin {

using classlib::TMessage;

namespace {

// The button's properties change while its glyph is set up: no repaint for those changes.
constexpr std::uint16_t kNoRepaint = 0x800;

bool Has(const classlib::TComponent* c, classlib::TComponentStateItem s) { return c->ComponentState().Contains(s); }

}  // namespace

// ---- TsEditButton ----

TsEditButton::TsEditButton(classlib::TComponent* AOwner)
    : TsSpeedButton(AOwner), FOwner(dynamic_cast<TsCustomComboEdit*>(AOwner)) {
  SkinData()->SetSkinSection("SPEEDBUTTON_SMALL");
  SetDisabledGlyphKind(kDefaultDisabledGlyphKind);
  SetFlat(true);
  SetCursor(classlib::crArrow);
  SetAlign(classlib::alRight);
  SetWidth(22);
  SetShowCaption(false);
  SetAnimatEvents(TacAnimatEvents{TacAnimatEvent::aeMouseEnter, TacAnimatEvent::aeMouseLeave});
}

int TsEditButton::GlyphWidth() { return FOwner != nullptr ? FOwner->GlyphMode()->Width() : 0; }
int TsEditButton::GlyphHeight() { return FOwner != nullptr ? FOwner->GlyphMode()->Height() : 0; }

bool TsEditButton::GlyphInitAllowed() const {
  return FOwner != nullptr && FOwner->GlyphMode() != nullptr && !Has(this, classlib::csLoading) &&
         !ControlState.Contains(classlib::csCreating);
}

void TsEditButton::BeginInitGlyph() {
  if (!GlyphInitAllowed()) return;
  TsGlyphMode* g = FOwner->GlyphMode();
  SkinData()->CtrlSkinState |= kNoRepaint;
  if (g->UserImage()) {
    SetImages(g->Images());
    int index = g->ImageIndex();
    switch (CurrentState()) {
      case 1: index = g->ImageIndexHot(); break;
      case 2: index = g->ImageIndexPressed(); break;
      default: break;
    }
    if (index < 0 || index >= g->Images()->Count()) index = g->ImageIndex();
    SetImageIndex(index);
  } else {
    SetImages(BuiltInGlyphs());
    SetImageIndex(FOwner->DefBmpID());
  }
  SetNumGlyphs(g->ImageCount());
  SkinData()->CtrlSkinState &= static_cast<std::uint16_t>(~kNoRepaint);
}

void TsEditButton::EndInitGlyph() {
  if (!GlyphInitAllowed()) return;
  SkinData()->CtrlSkinState |= kNoRepaint;
  SetImages(nullptr);
  SkinData()->CtrlSkinState &= static_cast<std::uint16_t>(~kNoRepaint);
}

void TsEditButton::PrepareCache() {
  TsCommonData* d = SkinData();
  BeginInitGlyph();
  InitCacheBmp(d);
  if (FOwner != nullptr && FOwner->SkinData()->CacheBmp() != nullptr) {
    const int offset = FOwner->ClientOffset();
    BitBlt(d->CacheBmp()->Canvas()->Handle(), 0, 0, Width(), Height(),
           FOwner->SkinData()->CacheBmp()->Canvas()->Handle(), offset + Left(), offset + Top(), SRCCOPY);
  }
  DrawGlyph();
  d->BGChanged = false;
  EndInitGlyph();
  if (!Enabled() && FOwner != nullptr) {
    TCacheInfo ci;
    ci.Bmp = FOwner->SkinData()->CacheBmp();
    ci.X = 2;
    ci.Y = 2;
    ci.Ready = ci.Bmp != nullptr;
    BmpDisabledKind(d->CacheBmp()->Image32View(), DisabledKind().Contains(TsDisabledKindValue::dkGrayed),
                    DisabledKind().Contains(TsDisabledKindValue::dkBlended), CacheInfo32(ci), {Left(), Top()},
                    GetControlColor(Parent()));
  }
}

void TsEditButton::PaintTo(HDC DC, TPoint P) {
  if (FOwner != nullptr && FOwner->SkinData()->Skinned()) {
    PrepareCache();
    BitBlt(DC, P.X, P.Y, Width(), Height(), SkinData()->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
  } else {
    Paint();
  }
}

void TsEditButton::Paint() {
  if (FOwner != nullptr && FOwner->SkinData()->Skinned()) {
    if (InAnimationProcess && Canvas()->Handle() != SkinData()->PrintDC) return;
    TsSpeedButton::Paint();
    return;
  }
  BeginInitGlyph();
  StdPaint(false);
  EndInitGlyph();
}

// ---- TsCustomComboEdit ----

TsCustomComboEdit::TsCustomComboEdit(classlib::TComponent* AOwner) : TsMaskEdit(AOwner) {
  SkinData()->COC = 138;
  FButton = classlib::Create<TsEditButton>(this);
  FButton->SetParent(this);
  FButton->SetVisible(true);
  FButton->OnClick = [this](classlib::TObject* Sender) { EditButtonClick(Sender); };
  FButton->OnMouseDown = [](classlib::TObject*, classlib::TMouseButton, classlib::TShiftState, int, int) {};
  FButton->OnMouseUp = [](classlib::TObject*, classlib::TMouseButton, classlib::TShiftState, int, int) {};
  FGlyphMode = std::make_unique<TsGlyphMode>(this);
  FGlyphMode->Btn = FButton;
  SetHeight(21);
}

TsCustomComboEdit::~TsCustomComboEdit() {
  OnKeyDown = nullptr;
  if (FGlyphMode != nullptr) FGlyphMode->Btn = nullptr;
  FGlyphMode.reset();
  if (FButton != nullptr) FButton->OnClick = nullptr;
}

void TsCustomComboEdit::DeclareProperties(classlib::TClassDecl<TsCustomComboEdit>& d) {
  d.Bool(L"ShowButton", &TsCustomComboEdit::ShowButton, &TsCustomComboEdit::SetShowButton, true);
  d.Integer(L"ClickKey", &TsCustomComboEdit::ClickKey, &TsCustomComboEdit::SetClickKey, 32808);
  d.Object(L"GlyphMode", &TsCustomComboEdit::GlyphMode);
  d.Bool(L"DirectInput", &TsCustomComboEdit::DirectInput, &TsCustomComboEdit::SetDirectInput, true);
  d.Bool(L"ReadOnly", &TsCustomComboEdit::ReadOnly, &TsCustomComboEdit::SetReadOnly, false);
  d.Event(L"OnButtonClick", &TsCustomComboEdit::OnButtonClick);
}

void TsCustomComboEdit::AfterConstruction() {
  TsMaskEdit::AfterConstruction();
  SkinData()->Loaded();
  FGlyphMode->Invalidate();
}

void TsCustomComboEdit::Loaded() {
  TsMaskEdit::Loaded();
  SkinData()->Loaded();
  FGlyphMode->Invalidate();
  SetEditRect();
}

void TsCustomComboEdit::CreateParams(classlib::TCreateParams& Params) {
  TsMaskEdit::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(ES_LEFT | ES_RIGHT | ES_CENTER);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  switch (FAlignment) {
    case classlib::taLeftJustify: Params.Style |= ES_LEFT; break;
    case classlib::taRightJustify: Params.Style |= ES_RIGHT; break;
    case classlib::taCenter: Params.Style |= ES_CENTER; break;
  }
}

void TsCustomComboEdit::CreateWnd() {
  TsMaskEdit::CreateWnd();
  // The button goes to the right of the client area, which the border made smaller.
  Realign();
  SetEditRect();
}

int TsCustomComboEdit::ClientOffset() const { return BorderStyle() == classlib::bsSingle ? 2 : 0; }

void TsCustomComboEdit::SetEditRect() {
  if (Parent() == nullptr || !HandleAllocated()) return;
  RECT r{};
  SendMessageW(FHandle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  const TRect client = ClientRect();
  r.left = 0;
  r.top = 0;
  r.right = client.Right - (FShowButton && FButton != nullptr ? FButton->Width() : 0);
  r.bottom = client.Bottom;
  SendMessageW(FHandle, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  SendMessageW(FHandle, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

bool TsCustomComboEdit::DroppedDown() const { return FPopupWindow != nullptr && FPopupWindow->Visible(); }

void TsCustomComboEdit::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
  if (DroppedDown())
    PopupWindowClose();
  else
    PopupWindowShow();
}

void TsCustomComboEdit::EditButtonClick(classlib::TObject*) {
  if (!FReadOnly) ButtonClick();
}

void TsCustomComboEdit::SelectAll() {
  if (!Text().empty() && HandleAllocated()) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TsCustomComboEdit::SetDirectInput(bool Value) {
  classlib::TCustomEdit::SetReadOnly(!Value || FReadOnly);
  FDirectInput = Value;
}

void TsCustomComboEdit::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  classlib::TCustomEdit::SetReadOnly(Value || !FDirectInput);
}

void TsCustomComboEdit::SetAlignment(classlib::TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  SkinData()->Invalidate();
}

void TsCustomComboEdit::SetShowButton(bool Value) {
  if (FShowButton == Value) return;
  FShowButton = Value;
  Invalidate();
  SetEditRect();
}

void TsCustomComboEdit::Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) {
  TsMaskEdit::Notification(AComponent, Operation);
  if (Operation == classlib::opRemove && FGlyphMode != nullptr && AComponent == FGlyphMode->Images())
    FGlyphMode->SetImages(nullptr);
  if (Operation == classlib::opRemove && AComponent == FPopupWindow) FPopupWindow = nullptr;
  if (Operation == classlib::opRemove && AComponent == FButton) FButton = nullptr;
}

bool TsCustomComboEdit::IsActive() const {
  if (TsMaskEdit::IsActive()) return true;
  return FButton != nullptr && (FButton->SkinData()->FMouseAbove || ControlIsActive(FButton->SkinData()));
}

void TsCustomComboEdit::Invalidate() {
  TsMaskEdit::Invalidate();
  if (FButton == nullptr || FGlyphMode == nullptr) return;
  if (!RestrictDrawing) FButton->SkinData()->BGChanged = true;
  if (FShowButton) {
    FButton->SetWidth(FGlyphMode->Width());
    if (!FButton->Visible()) {
      FButton->SetVisible(true);
      FButton->SetParent(this);
    }
  } else if (FButton->Visible()) {
    FButton->SetVisible(false);
    FButton->SetParent(nullptr);
    FButton->SetWidth(0);
  }
  if (FShowButton) FGlyphMode->Invalidate();
}

TRect TsCustomComboEdit::TextRect() const {
  const int b = BorderWidth();
  TRect r{b, b, Width() - b, Height() - b};
  if (FShowButton && FButton != nullptr) r.Right -= FButton->Width();
  return r;
}

void TsCustomComboEdit::PaintText() {
  classlib::TCanvas* canvas = SkinData()->CacheBmp()->Canvas();
  canvas->SetFont(Font());
  TRect r = TextRect();
  if (!Text().empty()) {
    std::wstring s = EditText();
    if (PasswordChar() != 0) s.assign(s.size(), PasswordChar());
    acWriteTextEx(canvas, s, Enabled() || SkinData()->Skinned(), r, GetStringFlags(this, FAlignment) | DT_NOPREFIX,
                  SkinData(), ControlIsActive(SkinData()));
  } else if (!TextHint().empty()) {
    canvas->Brush()->SetStyle(classlib::bsClear);
    canvas->Font()->SetColor(classlib::clInactiveCaptionText);
    acDrawText(canvas->Handle(), TextHint(), r, GetStringFlags(this, FAlignment) & ~static_cast<UINT>(DT_VCENTER));
  }
}

void TsCustomComboEdit::PaintButtonTo(HDC DC) {
  if (FButton == nullptr || !FButton->Visible() || printing_) return;
  const int offset = ClientOffset();
  FButton->PaintTo(DC, {offset + FButton->Left(), offset + FButton->Top()});
}

void TsCustomComboEdit::OurPaintHandler(HDC DC) {
  TsCommonData* d = SkinData();
  if (!d->Skinned()) {
    // Without a skin the masked edit paints its text; the button paints itself.
    TsMaskEdit::OurPaintHandler(DC);
    if (FButton != nullptr && FButton->Visible()) FButton->Repaint();
    return;
  }
  detail::PaintEditWith(this, d, DC, [&](HDC Target) {
    if (d->BGChanged) PrepareCache();
    UpdateCorners(d, 0);
    BitBlt(Target, 0, 0, Width(), Height(), d->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
    if (!Focused() || Target == d->PrintDC) PaintButtonTo(Target);
  });
}

void TsCustomComboEdit::PaintBorder(HDC DC) {
  classlib::TWinControl* parent = Parent();
  TsCommonData* d = SkinData();
  if (parent == nullptr || !Visible() || !parent->Visible() || ControlState.Contains(classlib::csCreating) ||
      d->Updating())
    return;
  std::unique_ptr<detail::TWindowDC> windowDC;
  if (DC == nullptr) {
    windowDC = std::make_unique<detail::TWindowDC>(Handle());
    DC = windowDC->get();
  }
  if (DC == nullptr) return;
  if (d->BGChanged) PrepareCache();
  UpdateCorners(d, 0);
  BitBltBorder(DC, 0, 0, Width(), Height(), d->CacheBmp()->Canvas()->Handle(), 0, 0, 2);
  if (ControlIsActive(d)) PaintButtonTo(DC);
}

void TsCustomComboEdit::PrintTo(HDC DC) {
  TsCommonData* d = SkinData();
  d->SetUpdating(false);
  if (d->BGChanged) PrepareCache();
  UpdateCorners(d, 0);
  {
    // The button goes on last, over the frame; hiding it would cost it its hover state.
    printing_ = true;
    const classlib::TScopeExit restore([&]() noexcept { printing_ = false; });
    OurPaintHandler(DC);
  }
  classlib::TBitmap* cache = d->CacheBmp();
  BitBltBorder(DC, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, BorderWidth());
  if (FShowButton && FButton != nullptr) {
    const int offset = ClientOffset();
    FButton->PaintTo(DC, {offset + FButton->Left(), offset + FButton->Top()});
  }
}

void TsCustomComboEdit::PopupWindowShow() {
  if (FPopupWindow == nullptr || GetReadOnly() || DroppedDown() || Parent() == nullptr) return;
  FPopupWindow->SetVisible(false);
  FPopupWindow->SetBounds(FPopupWindow->Left(), FPopupWindow->Top(), FPopupWidth, FPopupHeight);
  const TPoint p = Parent()->ClientToScreen({Left(), Top()});
  const TRect screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                     GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                     GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const TPoint at =
      PopupWindowPlace({p.X, p.Y, p.X + Width(), p.Y + Height()}, FPopupWidth, FPopupHeight, FPopupWindowAlign, screen);
  if (classlib::TCustomForm* form = classlib::GetParentForm(this)) {
    auto* popupForm = dynamic_cast<classlib::TCustomForm*>(FPopupWindow);
    if (popupForm != nullptr && form->FormStyle() == classlib::fsStayOnTop)
      popupForm->SetFormStyle(classlib::fsStayOnTop);
    classlib::TCustomForm* after = classlib::Application->MainForm();
    if (after == nullptr || after == FPopupWindow) after = form;
    SetWindowPos(FPopupWindow->Handle(), after->Handle(), at.X, at.Y, FPopupWidth, FPopupHeight,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
  }
  FPopupWindow->SetBounds(at.X, at.Y, FPopupWidth, FPopupHeight);
  FPopupWindow->SetVisible(true);
}

void TsCustomComboEdit::PopupWindowClose() {
  if (!DroppedDown()) return;
  if (auto* form = dynamic_cast<classlib::TCustomForm*>(FPopupWindow))
    form->Close();
  else
    FPopupWindow->SetVisible(false);
}

void TsCustomComboEdit::KeyDown(WORD& Key, classlib::TShiftState Shift) {
  TsMaskEdit::KeyDown(Key, Shift);
  if (Key != 0 && classlib::ShortCut(Key, Shift) == FClickKey && FGlyphMode->Width() > 0) {
    EditButtonClick(this);
    Key = 0;
  }
  SetEditRect();
}

void TsCustomComboEdit::KeyPress(wchar_t& Key) {
  if (Key == L'\r' || Key == 27) {
    if (classlib::TCustomForm* form = classlib::GetParentForm(this)) form->Perform(classlib::CM_DIALOGKEY, Key, 0);
  }
  if (Key == L'\r') {
    // A multi-line edit would take Enter as a line break.
    TsMaskEdit::KeyPress(Key);
    Key = 0;
    return;
  }
  TsMaskEdit::KeyPress(Key);
}

void TsCustomComboEdit::Change() {
  if (!DroppedDown()) TsMaskEdit::Change();
}

void TsCustomComboEdit::MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) {
  if (!RestrictDrawing) SkinData()->BGChanged = true;
  TsMaskEdit::MouseDown(Button, Shift, X, Y);
  if (DroppedDown()) PopupWindowClose();
  SetEditRect();
}

void TsCustomComboEdit::WndProc(TMessage& M) {
  TsCommonData* d = SkinData();
  const bool skinned = d->Skinned();
  if (M.Msg == SM_ALPHACMD && CommandOf(M.WParam) == ACMD_GETBGINFO && M.LParam != 0) {
    auto& info = *reinterpret_cast<TacBGInfo*>(M.LParam);
    InitBGInfo(d, info, 0);
    info.Offset = {BorderWidth(), BorderWidth()};
    return;
  }
  if (M.Msg == WM_ERASEBKGND && skinned && Visible()) {
    d->SetUpdating(d->Updating());
    if (d->Updating()) return;
  }
  if (M.Msg == WM_PRINT && skinned) {
    PrintTo(reinterpret_cast<HDC>(M.WParam));
    return;
  }
  if ((M.Msg == WM_PASTE || M.Msg == WM_CUT) && (!FDirectInput || FReadOnly)) return;
  if (M.Msg == classlib::CM_CANCELMODE) {
    auto* sender = reinterpret_cast<classlib::TControl*>(M.LParam);
    if (sender != this && sender != FPopupWindow && sender != FButton && FPopupWindow != nullptr &&
        !(sender != nullptr && FPopupWindow->ContainsControl(sender)))
      PopupWindowClose();
  }
  if (M.Msg == classlib::CM_FOCUSCHANGED && DroppedDown() && reinterpret_cast<classlib::TControl*>(M.LParam) != this)
    PopupWindowClose();
  const TMessage original = M;
  TsMaskEdit::WndProc(M);
  switch (original.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(original.WParam)) {
        case ACMD_NEWSKIN:
        case ACMD_REMOVESKIN:
        case ACMD_REFRESH:
          if (original.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager())) {
            TMessage copy = original;
            AlphaBroadCast(this, copy);
            SetEditRect();
          }
          break;
        case ACMD_ISBUSY: M.Result = 0; break;
        default: break;
      }
      break;
    case WM_SIZE:
    case classlib::CM_FONTCHANGED: SetEditRect(); break;
    case WM_SETFOCUS:
      if (AutoSelect()) SelectAll();
      break;
    case classlib::CM_ENABLEDCHANGED:
      if (FButton != nullptr) FButton->SetEnabled(Enabled());
      break;
    case classlib::CM_EXIT: Repaint(); break;
    default: break;
  }
}

// ---- TsComboEdit ----

TsComboEdit::TsComboEdit(classlib::TComponent* AOwner) : TsCustomComboEdit(AOwner) {
  SkinData()->COC = 138;
  FDefBmpID = kGlyphEllipsis;
}

void TsComboEdit::DeclareProperties(classlib::TClassDecl<TsComboEdit>& d) {
  d.Enum(L"Alignment", &TsComboEdit::Alignment, &TsComboEdit::SetAlignment, classlib::taLeftJustify);
}

void RegisterComboEditClasses() {
  RegisterMaskEditClasses();
  RegisterSpeedButtonClasses();
  RegisterGlyphModeClasses();
  classlib::RegisterClass<TsEditButton, TsSpeedButton>(L"TsEditButton");
  classlib::RegisterClass<TsCustomComboEdit, TsMaskEdit>(L"TsCustomComboEdit");
  classlib::RegisterClass<TsComboEdit, TsCustomComboEdit>(L"TsComboEdit");
}

}  // namespace skin
