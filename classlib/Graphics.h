#pragma once
// Drawing objects over GDI: fonts, brushes, pens, the canvas over a device context, and the
// abstract graphic that bitmaps, JPEG images and the skin engine's PNG images derive from.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "classlib/EnumInfo.h"
#include "classlib/Exception.h"
#include "classlib/GdiObject.h"
#include "classlib/GraphicsErrors.h"
#include "classlib/Object.h"
#include "classlib/Streams.h"
#include "classlib/Types.h"

namespace classlib {

class TCanvas;

// The RGB value of a colour: system colours (top byte 0xFF) resolve through GetSysColor.
TColor ColorToRGB(TColor Color);

// A small set of enumerators numbered from 0, like the platform's "set of" types.
template <class Enum>
class TEnumSet {
 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<Enum> items) {
    for (Enum e : items) bits_ |= Bit(e);
  }
  constexpr bool Contains(Enum e) const { return (bits_ & Bit(e)) != 0; }
  constexpr TEnumSet& Include(Enum e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TEnumSet& Exclude(Enum e) {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint32_t Bits() const { return bits_; }
  static constexpr TEnumSet FromBits(std::uint32_t bits) {
    TEnumSet s;
    s.bits_ = bits;
    return s;
  }
  friend constexpr TEnumSet operator+(TEnumSet a, TEnumSet b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr TEnumSet operator-(TEnumSet a, TEnumSet b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr TEnumSet operator*(TEnumSet a, TEnumSet b) { return FromBits(a.bits_ & b.bits_); }
  friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

 private:
  static constexpr std::uint32_t Bit(Enum e) { return 1u << static_cast<unsigned>(e); }
  std::uint32_t bits_ = 0;
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
template <>
inline const TEnumInfo& EnumInfo<TFontStyle>() {
  static const TEnumInfo i{L"TFontStyle", {L"fsBold", L"fsItalic", L"fsUnderline", L"fsStrikeOut"}};
  return i;
}
using TFontStyles = TEnumSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
template <>
inline const TEnumInfo& EnumInfo<TFontPitch>() {
  static const TEnumInfo i{L"TFontPitch", {L"fpDefault", L"fpVariable", L"fpFixed"}};
  return i;
}
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType };
using TFontCharset = std::uint8_t;  // DEFAULT_CHARSET, RUSSIAN_CHARSET...

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
template <>
inline const TEnumInfo& EnumInfo<TBrushStyle>() {
  static const TEnumInfo i{L"TBrushStyle",
                           {L"bsSolid", L"bsClear", L"bsHorizontal", L"bsVertical", L"bsFDiagonal", L"bsBDiagonal",
                            L"bsCross", L"bsDiagCross"}};
  return i;
}
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
template <>
inline const TEnumInfo& EnumInfo<TPenStyle>() {
  static const TEnumInfo i{
      L"TPenStyle", {L"psSolid", L"psDash", L"psDot", L"psDashDot", L"psDashDotDot", L"psClear", L"psInsideFrame"}};
  return i;
}
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

// Base of fonts, brushes and pens: a change drops the GDI handle and tells the owner.
class TGraphicsObject : public TPersistent {
 public:
  std::wstring ClassName() const override { return L"TGraphicsObject"; }
  TNotifyEvent OnChange;

 protected:
  // Owners (a canvas) deselect the old handle inside OnChange; only then is it deleted.
  virtual void Changed();
};

class TFont : public TGraphicsObject {
 public:
  TFont();
  std::wstring ClassName() const override { return L"TFont"; }
  void Assign(const TPersistent* Source) override;

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& Value);
  // Points; stored as a pixel height at PixelsPerInch, like the system does.
  int Size() const;
  void SetSize(int Value);
  // Negative: character height in pixels; positive: cell height.
  int Height() const { return height_; }
  void SetHeight(int Value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch Value);
  TFontQuality Quality() const { return quality_; }
  void SetQuality(TFontQuality Value);
  // Tenths of a degree, counter-clockwise: rotated captions.
  int Orientation() const { return orientation_; }
  void SetOrientation(int Value);
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int Value);

  // Created on first use and again after any change except Color.
  HFONT Handle();
  // Takes the description of an existing font; the handle itself stays its owner's.
  void SetHandle(HFONT Value);
  LOGFONTW LogFont() const;

  static int ScreenPixelsPerInch();

 private:
  void Changed() override;
  void ChangedKeepHandle();

  std::wstring name_ = L"MS Sans Serif";
  int height_;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  TFontQuality quality_ = fqDefault;
  int orientation_ = 0;
  int pixelsPerInch_;
  GdiObject<HFONT> handle_;
};

class TBrush : public TGraphicsObject {
 public:
  std::wstring ClassName() const override { return L"TBrush"; }
  void Assign(const TPersistent* Source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle Value);
  HBRUSH Handle();
  void SetHandle(HBRUSH Value);

 private:
  void Changed() override;

  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  GdiObject<HBRUSH> handle_;
};

class TPen : public TGraphicsObject {
 public:
  std::wstring ClassName() const override { return L"TPen"; }
  void Assign(const TPersistent* Source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  int Width() const { return width_; }
  void SetWidth(int Value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle Value);
  // Raster operation; takes effect when the canvas next draws with the pen.
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode Value);
  HPEN Handle();
  void SetHandle(HPEN Value);

 private:
  void Changed() override;

  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  GdiObject<HPEN> handle_;
};

// Anything that draws itself into a rectangle of a canvas.
class TGraphic : public TPersistent {
 public:
  std::wstring ClassName() const override { return L"TGraphic"; }

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;
  virtual void SetSize(int AWidth, int AHeight) {
    SetWidth(AWidth);
    SetHeight(AHeight);
  }
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;

  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return modified_; }
  void SetModified(bool Value);

  // The whole file image: throws EInvalidGraphic when it is not one this class reads.
  virtual void LoadFromBytes(std::span<const std::uint8_t> Data) = 0;
  virtual std::vector<std::uint8_t> SaveToBytes() const = 0;
  void LoadFromFile(const std::wstring& FileName);
  void SaveToFile(const std::wstring& FileName) const;
  // From the stream's position to its end; the position ends after what was read.
  virtual void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;
  // A copy of the same class; pictures copy their graphic with it. nullptr: cannot be copied.
  virtual std::unique_ptr<TGraphic> Clone() const { return nullptr; }

  TNotifyEvent OnChange;

 protected:
  virtual void Changed(TObject* Sender);

 private:
  bool transparent_ = false;
  bool modified_ = false;
};

// Reads Count bytes of a picture from the stream, refusing absurd sizes before allocating.
std::vector<std::uint8_t> ReadGraphicBytes(TStream& Stream, std::int64_t Count);

enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TEnumSet<TCanvasStates>;
// Raster operations for CopyRect and Draw.
using TCopyMode = DWORD;
inline constexpr TCopyMode cmSrcCopy = SRCCOPY;

// Drawing over a device context. The font, brush and pen are selected lazily and the DC's
// original objects are put back when the handle is released, so no GDI object leaks or is
// deleted while selected.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;
  std::wstring ClassName() const override { return L"TCanvas"; }

  // Descendants create their DC on first use (CreateHandle).
  HDC Handle();
  // The DC with the font selected and its colour set, for text drawn with the API's own calls.
  HDC TextHandle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return dc_ != nullptr; }

  TFont* Font() const { return font_.get(); }
  TBrush* Brush() const { return brush_.get(); }
  TPen* Pen() const { return pen_.get(); }
  void SetFont(const TFont* Value) { font_->Assign(Value); }
  void SetBrush(const TBrush* Value) { brush_->Assign(Value); }
  void SetPen(const TPen* Value) { pen_->Assign(Value); }
  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode Value) { copyMode_ = Value; }
  TPoint PenPos();
  void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  // The wedge of the ellipse in (X1, Y1, X2, Y2) from the ray towards (X3, Y3) counter-clockwise
  // to the ray towards (X4, Y4).
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Polygon(std::span<const TPoint> Points);
  void Polyline(std::span<const TPoint> Points);
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void DrawFocusRect(const TRect& Rect);

  void TextOut(int X, int Y, const std::wstring& Text);
  // Text at (X, Y) clipped to Rect; a solid brush fills Rect behind it.
  void TextRect(const TRect& Rect, int X, int Y, const std::wstring& Text);
  TSize TextExtent(const std::wstring& Text);
  int TextWidth(const std::wstring& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::wstring& Text) { return TextExtent(Text).cy; }

  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  TRect ClipRect();

  // Serialises painting from several threads; recursive.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return lockCount_; }

  // Puts the DC's own objects back; the next drawing call selects ours again.
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void CreateHandle() {}
  virtual void Changing();
  virtual void Changed();
  // csHandleValid asks for CreateHandle; the others select the object into the DC.
  void RequiredState(TCanvasState ReqState);
  TCanvasState State() const { return state_; }

 private:
  void DeselectHandles();
  void SelectFont();
  void SelectPen();
  void SelectBrush();

  HDC dc_ = nullptr;
  TCanvasState state_;
  std::unique_ptr<TFont> font_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TPen> pen_;
  HGDIOBJ originalFont_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
  HGDIOBJ originalPen_ = nullptr;
  TCopyMode copyMode_ = cmSrcCopy;
  TPoint penPos_;
  std::recursive_mutex lock_;
  int lockCount_ = 0;
};

}  // namespace classlib
