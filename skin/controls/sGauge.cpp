#include "skin/controls/sGauge.h"

#include <algorithm>
#include <limits>
#include <string>

#include "classlib/Exception.h"
#include "classlib/Forms.h"
#include "skin/controls/sGaugeMath.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sVclUtils.h"

namespace skin {

using classlib::TMessage;

namespace {

constexpr int kGaugeCoc = 161;
constexpr unsigned kLightInterval = 22;

bool Has(const classlib::TComponent* c, classlib::TComponentStateItem s) { return c->ComponentState().Contains(s); }

// The class library's range message, with the bounds a setter accepts.
classlib::EInvalidOperation OutOfRange(std::int64_t Low, std::int64_t High) {
  return classlib::EInvalidOperation(L"Value must be between " + std::to_wstring(Low) + L" and " +
                                     std::to_wstring(High));
}

}  // namespace

TsGauge::TsGauge(classlib::TComponent* AOwner) : classlib::TGraphicControl(AOwner) {
  Timer = classlib::Create<classlib::TTimer>(this);
  Timer->SetEnabled(false);
  Timer->SetInterval(kLightInterval);
  Timer->OnTimer = [this](classlib::TObject*) { TimerAction(); };
  FLongTime = AnimLongDelay + 1;
  FCommonData = std::make_unique<TsCtrlSkinData>(this, false);
  FCommonData->COC = kGaugeCoc;
  ControlStyle += classlib::csOpaque;
  SetBounds(Left(), Top(), 120, 30);
}

TsGauge::~TsGauge() {
  // The timer goes first: no tick may reach a gauge on its way out.
  if (Timer != nullptr) {
    Timer->SetEnabled(false);
    Timer->OnTimer = nullptr;
  }
  FCommonData.reset();
}

void TsGauge::DeclareProperties(classlib::TClassDecl<TsGauge>& d) {
  d.Object(L"SkinData", &TsGauge::SkinData);
  d.Integer(L"MinValue", &TsGauge::MinValue, &TsGauge::SetMinValue, 0);
  d.Integer(L"MaxValue", &TsGauge::MaxValue, &TsGauge::SetMaxValue, 100);
  d.Integer(L"Progress", &TsGauge::Progress, &TsGauge::SetProgress, 47);
  d.Enum(L"Kind", &TsGauge::Kind, &TsGauge::SetKind, gkHorizontalBar);
  d.Bool(L"ShowText", &TsGauge::ShowText, &TsGauge::SetShowText, true);
  d.String(L"Suffix", &TsGauge::Suffix, &TsGauge::SetSuffix, L"%");
  d.Color(L"ForeColor", &TsGauge::ForeColor, &TsGauge::SetForeColor, 0);
  d.Enum(L"BorderStyle", &TsGauge::BorderStyle, &TsGauge::SetBorderStyle, classlib::bsSingle);
  d.Color(L"BackColor", &TsGauge::BackColor, &TsGauge::SetBackColor, 0xFFFFFF);
  d.String(L"ProgressSkin", &TsGauge::ProgressSkin, &TsGauge::SetProgressSkin, L"");
  d.Bool(L"CalcPercents", &TsGauge::CalcPercents, &TsGauge::SetCalcPercents, true);
  d.Bool(L"Animated", &TsGauge::Animated, &TsGauge::SetAnimated, true);
  d.Event(L"OnChange", &TsGauge::OnChange);
}

void TsGauge::AfterConstruction() {
  classlib::TGraphicControl::AfterConstruction();
  FCommonData->Loaded();
}

void TsGauge::Loaded() {
  classlib::TGraphicControl::Loaded();
  FCommonData->Loaded();
  if (!Designing() && FAnimated && !Timer->Enabled()) Timer->SetEnabled(true);
}

bool TsGauge::Designing() const { return Has(this, classlib::csDesigning); }
bool TsGauge::Loading() const { return Has(this, classlib::csLoading); }

// ---- properties ----

int TsGauge::GetPercentDone() const { return GaugePercentDone(FCurValue, FMinValue, FMaxValue); }

std::wstring TsGauge::ValueText() const { return GaugeText(FCurValue, FMinValue, FMaxValue, FCalcPercents, FSuffix); }

void TsGauge::SetMinValue(std::int32_t Value) {
  if (Value == FMinValue) return;
  if (Value > FMaxValue && !Loading())
    throw OutOfRange(-std::int64_t(std::numeric_limits<std::int32_t>::max()), std::int64_t(FMaxValue) - 1);
  FMinValue = Value;
  if (FCurValue < Value) FCurValue = Value;
  Refresh();
}

void TsGauge::SetMaxValue(std::int32_t Value) {
  if (Value == FMaxValue) return;
  if (Value < FMinValue && !Loading())
    throw OutOfRange(std::int64_t(FMinValue) + 1, std::numeric_limits<std::int32_t>::max());
  FMaxValue = Value;
  if (FCurValue > Value) FCurValue = Value;
  Refresh();
}

void TsGauge::SetProgress(std::int32_t Value) {
  if (Value < FMinValue) Value = FMinValue;
  if (Value > FMaxValue) Value = FMaxValue;
  if (Value == FCurValue) return;
  const int before = GetPercentDone();
  FCurValue = Value;
  if (GetPercentDone() != before) {
    if (!RestrictDrawing) FCommonData->BGChanged = true;
    Refresh();
  }
  if (OnChange) OnChange(this);
}

void TsGauge::AddProgress(std::int32_t Value) {
  // Summed in 64 bits: the stored value is clamped to the range anyway.
  const std::int64_t sum = std::int64_t(FCurValue) + Value;
  SetProgress(std::int32_t(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max())));
  Refresh();
}

void TsGauge::SetKind(TsGaugeKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  // A kept filled part of the other orientation may have the same size.
  DropTmpProgress();
  Refresh();
}

void TsGauge::SetShowText(bool Value) {
  if (Value == FShowText) return;
  FShowText = Value;
  Refresh();
}

void TsGauge::SetBackColor(TColor Value) {
  if (Value == FBackColor) return;
  FBackColor = Value;
  Refresh();
}

void TsGauge::SetBorderStyle(classlib::TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Refresh();
}

void TsGauge::SetForeColor(TColor Value) {
  FForeColor = Value;
  Repaint();
}

void TsGauge::SetSuffix(const std::wstring& Value) {
  FSuffix = Value;
  FCommonData->Invalidate();
}

void TsGauge::SetCalcPercents(bool Value) {
  FCalcPercents = Value;
  FCommonData->Invalidate();
}

void TsGauge::SetProgressSkin(const std::wstring& Value) {
  FProgressSkin = Value;
  // The kept filled part shows the old section.
  DropTmpProgress();
  FCommonData->BGChanged = true;
  Repaint();
}

void TsGauge::SetAnimated(bool Value) {
  if (Value == FAnimated) return;
  FAnimated = Value;
  if (Designing()) return;
  DropTmpProgress();
  Timer->SetEnabled(Value);
  if (!Value) FCommonData->Invalidate();
}

// ---- the light ----

void TsGauge::TimerAction() {
  if (!FCommonData->Skinned()) {
    Timer->SetEnabled(false);
    return;
  }
  const int length = BarLength();
  // A new sweep starts once the pause has passed and the last sweep has left the bar, so that a
  // pause shorter than a sweep (0 included) still lets the light cross the whole bar.
  if (AnimLongDelay < FLongTime && FAnimPos >= length) {
    FAnimPos = -kGaugeAnimSize;
    FLongTime = 0;
  }
  FLongTime += int(kLightInterval);
  if (FAnimPos >= length) return;
  classlib::TWinControl* parent = Parent();
  if (Visible() && FCurValue > 0 && parent != nullptr && parent->HandleAllocated() &&
      IsWindowVisible(parent->Handle())) {
    PrepareCache();
    UpdateCorners(FCommonData.get(), 0);
    CopyCacheToScreen();
  }
  FAnimPos += GaugeAnimStep(length, AnimLongDelay);
}

// ---- messages ----

void TsGauge::WndProc(TMessage& M) {
  TsCommonData* d = FCommonData.get();
  if (M.Msg == SM_ALPHACMD) {
    const bool own = d != nullptr && M.LParam == reinterpret_cast<LPARAM>(d->GetSkinManager());
    switch (CommandOf(M.WParam)) {
      case ACMD_NEWSKIN:
        if (!own) break;
        CommonWndProc(M, d);
        return;
      case ACMD_REMOVESKIN:
        if (!own) break;
        if (FAnimated) Timer->SetEnabled(false);
        DropTmpProgress();
        CommonWndProc(M, d);
        Repaint();
        return;
      case ACMD_REFRESH:
        if (!own) break;
        DropTmpProgress();
        CommonWndProc(M, d);
        Repaint();
        if (!Designing() && FAnimated) Timer->SetEnabled(true);
        return;
      case ACMD_PARENTUPDATED:
        if (d == nullptr || !d->Updating()) break;
        d->SetUpdating(false);
        Repaint();
        return;
      case ACMD_ISSKINNED: M.Result = 1; return;
      case ACMD_CLEARCACHE: DropTmpProgress(); break;
      case ACMD_GETAPPLICATION:
        M.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
        return;
      default: break;
    }
  }
  if (M.Msg == WM_ERASEBKGND && d != nullptr && d->Skinned()) {
    M.Result = 1;
    return;
  }
  if (!ControlIsReady(this) || d == nullptr || !d->Skinned() || !CommonWndProc(M, d))
    classlib::TGraphicControl::WndProc(M);
}

void RegisterGaugeClasses() { classlib::RegisterClass<TsGauge, classlib::TGraphicControl>(L"TsGauge"); }

}  // namespace skin
