// The spin edits: the base with its button pair, the integer and the decimal edit.
#include "skin/controls/sSpinEdit.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "classlib/Forms.h"
#include "classlib/Messages.h"
#include "classlib/ScopeExit.h"
#include "classlib/SysUtils.h"
#include "skin/controls/sControlPaint.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sGraphUtilsWin32.h"

namespace skin {

using classlib::TMessage;

namespace {

bool Loading(const classlib::TComponent* c) { return c->ComponentState().Contains(classlib::csLoading); }

void ForBothButtons(TsSpinButton* pair, const std::function<void(sSpinEdit::TsTimerSpeedButton*)>& f) {
  if (pair == nullptr) return;
  if (pair->UpButton() != nullptr) f(pair->UpButton());
  if (pair->DownButton() != nullptr) f(pair->DownButton());
}

short WheelDelta(WPARAM w) { return static_cast<short>(HIWORD(w)); }

}  // namespace

// ---- TsBaseSpinEdit ----

TsBaseSpinEdit::TsBaseSpinEdit(classlib::TComponent* AOwner) : TsEdit(AOwner) {
  ControlStyle -= classlib::csSetCaption;
  ControlStyle += classlib::csAcceptsControls;
  FButton = classlib::Create<TsSpinButton>(this);
  FButton->SetFocusControl(this);
  FButton->OnUpClick = [this](classlib::TObject* s) { UpClick(s); };
  FButton->OnDownClick = [this](classlib::TObject* s) { DownClick(s); };
  FButton->SetParent(this);
  FButton->SetVisible(true);
  ControlStyle -= classlib::csAcceptsControls;
}

TsBaseSpinEdit::~TsBaseSpinEdit() {
  // The pair goes as a component of the edit.
  FButton = nullptr;
}

void TsBaseSpinEdit::DeclareProperties(classlib::TClassDecl<TsBaseSpinEdit>& d) {
  d.Bool(L"EditorEnabled", &TsBaseSpinEdit::EditorEnabled, &TsBaseSpinEdit::SetEditorEnabled, true);
  d.Event(L"OnUpClick", &TsBaseSpinEdit::OnUpClick);
  d.Event(L"OnDownClick", &TsBaseSpinEdit::OnDownClick);
}

void TsBaseSpinEdit::CreateParams(classlib::TCreateParams& Params) {
  TsEdit::CreateParams(Params);
  // Multi-line only for the formatting rectangle that keeps the text off the buttons.
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TsBaseSpinEdit::CreateWnd() {
  TsEdit::CreateWnd();
  SetEditRect();
}

void TsBaseSpinEdit::Loaded() {
  TsEdit::Loaded();
  if (FButton != nullptr) FButton->ClearGlyphs();
  SetEditRect();
}

int TsBaseSpinEdit::BorderInset() const { return BorderStyle() == classlib::bsSingle ? 2 : 0; }

void TsBaseSpinEdit::SetEditRect() {
  if (FButton == nullptr || !HandleAllocated()) return;
  RECT r{0, 0, std::max(0, ClientWidth() - FButton->Width() - 3), ClientHeight() + 1};
  SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TsBaseSpinEdit::PlaceButton() {
  if (FButton == nullptr) return;
  FButton->SetBounds(ClientWidth() - FButton->Width(), 0, FButton->Width(), ClientHeight());
  SetEditRect();
}

bool TsBaseSpinEdit::IsValidChar(wchar_t& Key) {
  const wchar_t c = Key;
  bool valid = c == L'+' || c == L'-' || (c >= L'0' && c <= L'9') || c == classlib::FormatSettings.DecimalSeparator ||
               (c < 32 && c != L'\r');
  if (!FEditorEnabled && (c >= 32 || c == 8)) valid = false;
  if (!valid) Key = 0;
  return valid;
}

void TsBaseSpinEdit::Beep() const { MessageBeep(0); }

TSpinKeyInput TsBaseSpinEdit::KeyInput(std::wstring& Storage) const {
  Storage = Text();
  return TSpinKeyInput{Storage, SelStart(), SelLength(), FEditorEnabled};
}

void TsBaseSpinEdit::KeyDown(WORD& Key, classlib::TShiftState Shift) {
  TsEdit::KeyDown(Key, Shift);
  if (Key == VK_UP)
    UpClick(this);
  else if (Key == VK_DOWN)
    DownClick(this);
  if (Key != 0) SetEditRect();
}

void TsBaseSpinEdit::KeyPress(wchar_t& Key) {
  const wchar_t typed = Key;
  wchar_t c = Key;
  if (IsValidChar(c) && c != 0) {
    Key = c;
    TsEdit::KeyPress(Key);
    return;
  }
  Key = 0;
  // Enter is for the form; anything else refused is told.
  if (typed != L'\r') Beep();
}

bool TsBaseSpinEdit::OwnCommand(const TMessage& M) const {
  return M.LParam != 0 && M.LParam == reinterpret_cast<LPARAM>(SkinData()->GetSkinManager());
}

void TsBaseSpinEdit::PrepareCache() {
  TsCtrlSkinData* d = SkinData();
  InitCacheBmp(d);
  classlib::TBitmap* cache = d->CacheBmp();
  TCacheInfo ci;
  GetParentCache(d, ci);
  const bool active = ControlIsActive(d);
  const TRect whole{0, 0, Width(), Height()};
  const TPoint at{Left(), Top()};
  if (BorderStyle() == classlib::bsSingle)
    PaintItem(d, ci, true, active ? 1 : 0, whole, at, cache, false);
  else
    PaintItemBG(d, ci, active ? 1 : 0, whole, at, cache);
  const int b = BorderInset();
  if (d->CustomColor()) {
    HBRUSH brush = CreateSolidBrush(COLORREF(classlib::ColorToRGB(Color())));
    const RECT inside{b, b, Width() - b, Height() - b};
    FillRect(cache->Canvas()->Handle(), &inside, brush);
    DeleteObject(brush);
  }
  PaintText();
  if (FButton != nullptr && FButton->Visible() && (!Enabled() || !active)) {
    cache->Canvas()->Lock();
    const classlib::TScopeExit unlock([cache]() noexcept { cache->Canvas()->Unlock(); });
    FButton->PaintTo(cache->Canvas()->Handle(), TPoint{FButton->Left() + b, FButton->Top() + b});
  }
  if (!Enabled()) detail::ApplyDisabledKind(this, cache, DisabledKind(), ci);
  d->BGChanged = false;
}

void TsBaseSpinEdit::PaintText() {
  if (Alignment() == classlib::taLeftJustify || FButton == nullptr) {
    TsEdit::PaintText();
    return;
  }
  classlib::TCanvas* canvas = SkinData()->CacheBmp()->Canvas();
  canvas->SetFont(Font());
  const int b = BorderInset();
  TRect r{b + 1, b + 1, Width() - b - FButton->Width(), Height() - b};
  const UINT flags = (GetStringFlags(this, Alignment()) & ~UINT(DT_VCENTER)) | DT_NOPREFIX | DT_SINGLELINE;
  const std::wstring shown = ShownText();
  if (!shown.empty()) acWriteTextEx(canvas, shown, true, r, flags, SkinData(), ControlIsActive(SkinData()));
}

void TsBaseSpinEdit::WndProc(TMessage& M) {
  if ((M.Msg == WM_PASTE || M.Msg == WM_CUT) && (!FEditorEnabled || ReadOnly())) return;
  const TMessage before = M;
  TsEdit::WndProc(M);
  AfterMessage(before, M);
}

void TsBaseSpinEdit::AfterMessage(const TMessage& Before, TMessage& M) {
  TsCtrlSkinData* d = SkinData();
  if (d == nullptr) return;
  switch (Before.Msg) {
    case SM_ALPHACMD:
      switch (CommandOf(Before.WParam)) {
        case ACMD_NEWSKIN:
        case ACMD_REMOVESKIN:
        case ACMD_REFRESH: {
          if (!OwnCommand(Before)) break;
          const unsigned command = CommandOf(Before.WParam);
          ForBothButtons(FButton, [&](sSpinEdit::TsTimerSpeedButton* b) {
            b->Perform(Before.Msg, Before.WParam, Before.LParam);
            if (command == ACMD_NEWSKIN)
              b->SetEnabled(true);
            else
              b->Invalidate();
          });
          if (FButton != nullptr) FButton->ClearGlyphs();
          SetEditRect();
          break;
        }
        case ACMD_PARENTUPDATED:
          if (FButton != nullptr) FButton->Repaint();
          break;
        case ACMD_GETCOLOR:
          if (d->Skinned()) M.Result = LRESULT(GetBGColor(d, 0));
          break;
        case ACMD_GETBGINFO:
          if (auto* bg = reinterpret_cast<TacBGInfo*>(Before.LParam)) InitBGInfo(d, *bg, 0);
          break;
        default: break;
      }
      break;
    case WM_SIZE: PlaceButton(); break;
    case classlib::CM_FONTCHANGED: SetEditRect(); break;
    case WM_SETFOCUS:
      if (AutoSelect()) SelectAll();
      break;
    case WM_GETDLGCODE:
      // Enter, Escape and Tab belong to the form, as in a single-line edit.
      M.Result &= ~LRESULT(DLGC_HASSETSEL | DLGC_WANTALLKEYS | DLGC_WANTTAB);
      break;
    case WM_PAINT:
      if (d->Skinned() && !d->Updating() && Enabled())
        ForBothButtons(FButton, [](sSpinEdit::TsTimerSpeedButton* b) {
          b->Perform(SM_ALPHACMD, AlphaCmd(ACMD_STOPFADE), 0);
          b->SkinData()->BGChanged = true;
        });
      break;
    case classlib::CM_ENABLEDCHANGED:
      if (FButton == nullptr) break;
      FButton->SetEnabled(Enabled());
      if (d->Skinned())
        FButton->SetVisible(Enabled());
      else
        ForBothButtons(FButton, [this](sSpinEdit::TsTimerSpeedButton* b) { b->SetEnabled(Enabled()); });
      break;
    case classlib::CM_COLORCHANGED:
      if (d->CustomColor() && d->Skinned()) PrepareCache();
      if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      break;
    case classlib::CM_MOUSEENTER:
    case classlib::CM_MOUSELEAVE:
      ForBothButtons(FButton, [](sSpinEdit::TsTimerSpeedButton* b) {
        b->SkinData()->FMouseAbove = false;
        b->SkinData()->BGChanged = true;
        b->Perform(SM_ALPHACMD, AlphaCmd(ACMD_STOPFADE), 0);
        b->GraphRepaint();
      });
      break;
    default: break;
  }
}

// ---- TsSpinEdit ----

TsSpinEdit::TsSpinEdit(classlib::TComponent* AOwner) : TsBaseSpinEdit(AOwner) {}

void TsSpinEdit::DeclareProperties(classlib::TClassDecl<TsSpinEdit>& d) {
  d.Integer(L"MinValue", &TsSpinEdit::MinValue, &TsSpinEdit::SetMinValue, 0);
  d.Integer(L"MaxValue", &TsSpinEdit::MaxValue, &TsSpinEdit::SetMaxValue, 0);
  d.Integer(L"Increment", &TsSpinEdit::Increment, &TsSpinEdit::SetIncrement, 1);
  d.Integer(L"Value", &TsSpinEdit::Value, &TsSpinEdit::SetValue, 0);
}

int TsSpinEdit::Value() const {
  const std::wstring text = Text();
  if (text.empty()) return 0;
  std::int32_t v = 0;
  return classlib::TryStrToInt(text, v) ? v : FMinValue;
}

void TsSpinEdit::SetValue(int V) {
  // A description may give the value before its bounds: they apply once it is read (Loaded).
  SetText(classlib::IntToStr(Loading(this) ? V : CheckValue(V)));
}

void TsSpinEdit::Loaded() {
  TsBaseSpinEdit::Loaded();
  if (!Text().empty() && CheckValue(Value()) != Value()) SetValue(Value());
}

void TsSpinEdit::Step(std::int64_t Delta) { SetValue(SaturatedAdd(Value(), Delta)); }

void TsSpinEdit::UpClick(classlib::TObject*) {
  if (ReadOnly())
    Beep();
  else if (OnUpClick)
    OnUpClick(this);
  else
    Step(FIncrement);
}

void TsSpinEdit::DownClick(classlib::TObject*) {
  if (ReadOnly())
    Beep();
  else if (OnDownClick)
    OnDownClick(this);
  else
    Step(-std::int64_t(FIncrement));
}

bool TsSpinEdit::IsValidChar(wchar_t& Key) {
  std::wstring text;
  Key = SpinEditValidChar(Key, KeyInput(text), FMinValue);
  return Key != 0;
}

void TsSpinEdit::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_PASTE: {
      if (!EditorEnabled() || ReadOnly()) return;
      const int old = Value();
      TsBaseSpinEdit::WndProc(M);
      std::int32_t v = 0;
      if (!classlib::TryStrToInt(Text(), v)) SetValue(old);
      return;
    }
    case classlib::CM_MOUSEWHEEL:
      TsBaseSpinEdit::WndProc(M);
      if (!ReadOnly() && M.Result == 0) {
        Step(WheelSteps(WheelDelta(M.WParam)) * FIncrement);
        M.Result = 1;
      }
      return;
    case classlib::CM_EXIT: {
      TsBaseSpinEdit::WndProc(M);
      const std::wstring text = Text();
      if (text == L"-" || text == L"-0") SetText(L"0");
      if (CheckValue(Value()) != Value()) SetValue(Value());
      return;
    }
    default: TsBaseSpinEdit::WndProc(M);
  }
}

// ---- TsDecimalSpinEdit ----

TsDecimalSpinEdit::TsDecimalSpinEdit(classlib::TComponent* AOwner) : TsBaseSpinEdit(AOwner) {}

void TsDecimalSpinEdit::DeclareProperties(classlib::TClassDecl<TsDecimalSpinEdit>& d) {
  d.Float(L"MinValue", &TsDecimalSpinEdit::MinValue, &TsDecimalSpinEdit::SetMinValue, 0.0);
  d.Float(L"MaxValue", &TsDecimalSpinEdit::MaxValue, &TsDecimalSpinEdit::SetMaxValue, 0.0);
  d.Float(L"Increment", &TsDecimalSpinEdit::Increment, &TsDecimalSpinEdit::SetIncrement, 1.0);
  d.Float(L"Value", &TsDecimalSpinEdit::Value, &TsDecimalSpinEdit::SetValue, 0.0);
  d.Integer(L"DecimalPlaces", &TsDecimalSpinEdit::DecimalPlaces, &TsDecimalSpinEdit::SetDecimalPlaces, 2);
  d.Bool(L"UseSystemDecSeparator", &TsDecimalSpinEdit::UseSystemDecSeparator,
         &TsDecimalSpinEdit::SetUseSystemDecSeparator, true);
}

wchar_t TsDecimalSpinEdit::Separator() const { return classlib::FormatSettings.DecimalSeparator; }

bool TsDecimalSpinEdit::ParseText(const std::wstring& Text, double& V) const {
  std::wstring t = Text;
  if (!FUseSystemDecSeparator)
    for (wchar_t& c : t)
      if (c == L',' || c == L'.') c = Separator();
  return classlib::TryStrToFloat(t, V, classlib::FormatSettings) && std::isfinite(V);
}

void TsDecimalSpinEdit::WriteText() {
  const std::wstring text = DecimalText(CheckValue(FValue), fDecimalPlaces, Separator());
  if (HandleAllocated())
    SendMessageW(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  else
    SetText(text);
}

double TsDecimalSpinEdit::Value() const {
  if (!TextChanging) return FValue;
  double v = 0;
  return ParseText(Text(), v) ? v : 0;
}

void TsDecimalSpinEdit::SetValue(double X) {
  FValue = DecimalBoundValue(X, FMinValue, FMaxValue);
  ValueChanging = true;
  const classlib::TScopeExit done([this]() noexcept { ValueChanging = false; });
  // Changing the window text is what tells OnChange.
  if (!TextChanging) WriteText();
}

void TsDecimalSpinEdit::FormatText() {
  ValueChanging = true;
  const classlib::TScopeExit done([this]() noexcept { ValueChanging = false; });
  WriteText();
}

void TsDecimalSpinEdit::SetDecimalPlaces(int Value) {
  if (fDecimalPlaces == Value) return;
  fDecimalPlaces = Value;
  SetValue(CheckValue(this->Value()));
}

void TsDecimalSpinEdit::UpClick(classlib::TObject*) {
  if (ReadOnly()) {
    Beep();
    return;
  }
  const double v = Value();
  if (OnUpClick)
    OnUpClick(this);
  else
    SetValue(v + FIncrement);
}

void TsDecimalSpinEdit::DownClick(classlib::TObject*) {
  if (ReadOnly()) {
    Beep();
    return;
  }
  const double v = Value();
  if (OnDownClick)
    OnDownClick(this);
  else
    SetValue(v - FIncrement);
}

bool TsDecimalSpinEdit::IsValidChar(wchar_t& Key) {
  std::wstring text;
  Key = DecimalSpinValidChar(Key, KeyInput(text), fDecimalPlaces, Separator(), FUseSystemDecSeparator);
  return Key != 0;
}

void TsDecimalSpinEdit::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_PASTE: {
      if (!EditorEnabled() || ReadOnly()) return;
      const double old = Value();
      TsBaseSpinEdit::WndProc(M);
      double v = 0;
      if (!ParseText(Text(), v)) SetText(classlib::FloatToStrF(old, classlib::ffGeneral, 15, 0));
      return;
    }
    case classlib::CM_MOUSEWHEEL:
      TsBaseSpinEdit::WndProc(M);
      if (!ReadOnly() && M.Result == 0) {
        SetValue(Value() + double(WheelSteps(WheelDelta(M.WParam))) * FIncrement);
        M.Result = 1;
      }
      return;
    case classlib::CM_EXIT:
      TsBaseSpinEdit::WndProc(M);
      if (CheckValue(Value()) != Value() || DecimalBoundValue(Value(), FMinValue, FMaxValue) != Value())
        SetValue(Value());
      FormatText();
      return;
    case classlib::CM_CHANGED: {
      TsBaseSpinEdit::WndProc(M);
      if (Loading(this) || ValueChanging) return;
      TextChanging = true;
      const classlib::TScopeExit done([this]() noexcept { TextChanging = false; });
      const std::wstring text = Text();
      double v = 0;
      SetValue(text.empty() || text == L"-" || !ParseText(text, v) ? 0 : v);
      return;
    }
    default: TsBaseSpinEdit::WndProc(M);
  }
}

}  // namespace skin
