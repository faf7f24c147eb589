#pragma once
// The bitmap button: a push button (BUTTON, owner-drawn) with a glyph from an image list or a
// bitmap beside its caption.
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/EnumInfo.h"
#include "classlib/ImgList.h"
#include "classlib/StdCtrls.h"

namespace classlib {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
template <>
inline const TEnumInfo& EnumInfo<TButtonLayout>() {
  static const TEnumInfo i{L"TButtonLayout", {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"}};
  return i;
}
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
template <>
inline const TEnumInfo& EnumInfo<TBitBtnKind>() {
  static const TEnumInfo i{L"TBitBtnKind",
                           {L"bkCustom", L"bkOK", L"bkCancel", L"bkHelp", L"bkYes", L"bkNo", L"bkClose", L"bkAbort",
                            L"bkRetry", L"bkIgnore", L"bkAll"}};
  return i;
}

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  std::wstring ClassName() const override { return L"TBitBtn"; }
  static void DeclareProperties(TClassDecl<TBitBtn>& d);

  // Images and ImageIndex (the button's) pick the glyph; without one, Glyph is shown.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value);
  // How many state images the glyph bitmap holds side by side (normal, disabled, pressed, down).
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // Pixels from the edge to the glyph; -1 centres glyph and caption together.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void SetButtonStyle(bool ADefault) override;
  void UpdateImages() override;
  // Paints the button into the owner-draw request's DC.
  virtual void DrawItem(const DRAWITEMSTRUCT& Item);

 private:
  void DrawContent(HDC DC, RECT Area, bool Pressed);
  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  TBitBtnKind FKind = bkCustom;
  bool FMouseInside = false;
};

}  // namespace classlib
