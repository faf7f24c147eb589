#pragma once
// The skinned gauge: a windowless progress indicator shown as a value text, a horizontal or
// vertical bar, a pie filling clockwise from twelve o'clock or a half dial with a needle. Win32 only.
//
// It follows the paint contract of sCommonData.h, except:
//  - It keeps no cache between paints: each paint renders the face ("GAUGE") and the filled part
//    (ProgressSkin, else "PROGRESSH" / "PROGRESSV") into the cache, copies it and frees it.
//  - A light (the program's RCDATA picture "ACGL", shaped by the progress section's "LRGN" image)
//    sweeps along a bar's filled part every 22 ms, then pauses for AnimLongDelay ms. Between its
//    frames the filled part is reused from FTmpProgressBmp while its size holds.
//  - Unskinned it draws in plain colours with the value text inverted over whatever lies below.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/EnumInfo.h"
#include "classlib/ExtCtrls.h"
#include "skin/core/sCommonData.h"
#include "skin/graphics/Image32.h"

namespace skin {

enum TsGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// The pause between two sweeps of the light, in milliseconds.
inline int AnimLongDelay = 2222;

class TsGauge : public classlib::TGraphicControl {
 public:
  explicit TsGauge(classlib::TComponent* AOwner);
  ~TsGauge() override;
  std::wstring ClassName() const override { return L"TsGauge"; }
  static void DeclareProperties(classlib::TClassDecl<TsGauge>& d);
  void AfterConstruction() override;

  TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
  std::int32_t MinValue() const { return FMinValue; }
  // Raises EInvalidOperation for a value above MaxValue, except while loading.
  void SetMinValue(std::int32_t Value);
  std::int32_t MaxValue() const { return FMaxValue; }
  // Raises EInvalidOperation for a value below MinValue, except while loading.
  void SetMaxValue(std::int32_t Value);
  std::int32_t Progress() const { return FCurValue; }
  // Kept within MinValue..MaxValue; OnChange follows every change of the stored value.
  void SetProgress(std::int32_t Value);
  void AddProgress(std::int32_t Value);
  TsGaugeKind Kind() const { return FKind; }
  void SetKind(TsGaugeKind Value);
  bool ShowText() const { return FShowText; }
  void SetShowText(bool Value);
  const std::wstring& Suffix() const { return FSuffix; }
  void SetSuffix(const std::wstring& Value);
  TColor ForeColor() const { return FForeColor; }
  void SetForeColor(TColor Value);
  classlib::TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(classlib::TBorderStyle Value);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  const std::wstring& ProgressSkin() const { return FProgressSkin; }
  void SetProgressSkin(const std::wstring& Value);
  bool CalcPercents() const { return FCalcPercents; }
  void SetCalcPercents(bool Value);
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool Value);

  int GetPercentDone() const;
  // The value text: the percentage or the raw value, then Suffix.
  std::wstring ValueText() const;
  void PrepareCache();
  // One step of the light; the timer calls it every 22 ms.
  void TimerAction();

  classlib::TNotifyEvent OnChange;
  // Drives the light; owned by the gauge.
  classlib::TTimer* Timer = nullptr;
  // The light's left edge along the filled part, and the milliseconds since it last restarted.
  int AnimPos() const { return FAnimPos; }
  // The last painted filled part (empty when none is kept).
  const TBitmap32& TmpProgressBmp() const { return FTmpProgressBmp; }

 protected:
  void Loaded() override;
  void WndProc(classlib::TMessage& Message) override;
  void Paint() override;

 private:
  bool Designing() const;
  bool Loading() const;
  bool IsBar() const { return FKind == gkHorizontalBar || FKind == gkVerticalBar; }
  int BarLength() const { return FKind == gkVerticalBar ? Height() : Width(); }
  void DropTmpProgress() { FTmpProgressBmp = {}; }
  void CopyCacheToScreen();
  void PaintBody(classlib::TBitmap* Cache);
  void PaintBar(classlib::TBitmap* Cache);
  void PaintPie(classlib::TCanvas* Canvas, const TRect& R, bool Unskinned);
  void PaintNeedle(classlib::TCanvas* Canvas, const TRect& R, bool Unskinned);
  void WriteSkinText(classlib::TCanvas* Canvas, TRect R, int SectionIndex);
  void PaintUnskinned();
  void WriteInvertedText(HDC Target, const TRect& R);
  void UpdateLighting(int Thickness);

  std::int32_t FMinValue = 0;
  std::int32_t FMaxValue = 100;
  std::int32_t FCurValue = 47;
  TsGaugeKind FKind = gkHorizontalBar;
  bool FShowText = true;
  std::wstring FSuffix = L"%";
  std::unique_ptr<TsCtrlSkinData> FCommonData;
  TColor FForeColor = 0;
  classlib::TBorderStyle FBorderStyle = classlib::bsSingle;
  TColor FBackColor = 0xFFFFFF;
  std::wstring FProgressSkin;
  bool FCalcPercents = true;
  bool FAnimated = true;
  int FLongTime = 0;
  int FAnimPos = 9999;
  TBitmap32 Light;
  TBitmap32 FTmpProgressBmp;
};

void RegisterGaugeClasses();

}  // namespace skin

namespace classlib {
template <>
inline const TEnumInfo& EnumInfo<skin::TsGaugeKind>() {
  static const TEnumInfo i{L"TsGaugeKind", {L"gkText", L"gkHorizontalBar", L"gkVerticalBar", L"gkPie", L"gkNeedle"}};
  return i;
}
}  // namespace classlib
