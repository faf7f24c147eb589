#pragma once
// The glyph of a combo edit's button: an image of the user's list, with images of its own for the
// hot and pressed looks, or one of the five built-in glyphs (sheet, folder, calendar, ellipsis,
// calculator), each a strip of three 16 x 16 cells (normal, hot, pressed) kept in one list that
// every combo edit shares. Win32 only.
#include <string>

#include "classlib/Controls.h"
#include "classlib/ImgList.h"

namespace skin {

class TsSpeedButton;

// Indexes of the built-in glyphs.
inline constexpr int kGlyphSheet = 0;
inline constexpr int kGlyphFolder = 1;
inline constexpr int kGlyphCalendar = 2;
inline constexpr int kGlyphEllipsis = 3;
inline constexpr int kGlyphCalculator = 4;

// The built-in glyphs, read once from the program's RCDATA "SF", "SR", "SD", "SE" and "SC"
// (48 x 16 PNGs); a glyph the program does not carry is missing from the list.
classlib::TCustomImageList* BuiltInGlyphs();

class TsGlyphMode : public classlib::TPersistent {
 public:
  explicit TsGlyphMode(classlib::TWinControl* AOwner);
  std::wstring ClassName() const override { return L"TsGlyphMode"; }
  static void DeclareProperties(classlib::TClassDecl<TsGlyphMode>& d);

  // Blend and Grayed are the button's own (0 and false while it is missing, loading or going).
  int Blend() const;
  void SetBlend(int Value);
  bool Grayed() const;
  void SetGrayed(bool Value);
  std::wstring Hint() const;
  void SetHint(const std::wstring& Value);
  classlib::TCustomImageList* Images() const { return FImages; }
  void SetImages(classlib::TCustomImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int ImageIndexHot() const { return FImageIndexHot; }
  void SetImageIndexHot(int Value);
  int ImageIndexPressed() const { return FImageIndexPressed; }
  void SetImageIndexPressed(int Value);

  // The user's list when ImageIndex lies in it, else the built-in one.
  classlib::TCustomImageList* ActiveList() const;
  bool UserImage() const;
  // State cells side by side in one image: Width div Height when that divides evenly, else 1.
  int ImageCount() const;
  // One cell's width (0 for an edit without a glyph button) and height.
  int Width() const;
  int Height() const;
  // Sizes the button to the glyph and repaints it.
  void Invalidate();
  bool BtnIsReady() const;

  TsSpeedButton* Btn = nullptr;

 private:
  classlib::TWinControl* FOwner;
  classlib::TCustomImageList* FImages = nullptr;
  int FImageIndex = -1;
  int FImageIndexHot = -1;
  int FImageIndexPressed = -1;
};

void RegisterGlyphModeClasses();

}  // namespace skin
