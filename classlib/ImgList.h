#pragma once
// The image list component: equal-sized images in a system image list that native controls
// (tab controls, list views, buttons) draw from, 32-bit with per-pixel alpha. Controls that use
// a list register a change link to hear of every change.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <span>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Classes.h"
#include "classlib/EnumInfo.h"
#include "classlib/SystemImageList.h"
#include "classlib/TypInfo.h"

namespace classlib {

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
template <>
inline const TEnumInfo& EnumInfo<TDrawingStyle>() {
  static const TEnumInfo i{L"TDrawingStyle", {L"dsFocus", L"dsSelected", L"dsNormal", L"dsTransparent"}};
  return i;
}
enum TImageType { itImage, itMask };
template <>
inline const TEnumInfo& EnumInfo<TImageType>() {
  static const TEnumInfo i{L"TImageType", {L"itImage", L"itMask"}};
  return i;
}
enum TColorDepth { cdDeviceDependent, cd4Bit, cd8Bit, cd16Bit, cd24Bit, cd32Bit };
template <>
inline const TEnumInfo& EnumInfo<TColorDepth>() {
  static const TEnumInfo i{L"TColorDepth",
                           {L"cdDeviceDependent", L"cd4Bit", L"cd8Bit", L"cd16Bit", L"cd24Bit", L"cd32Bit"}};
  return i;
}

class TCustomImageList;

// A user's link to an image list; the list calls Change on every change of its images.
class TChangeLink : public TObject {
 public:
  TChangeLink() = default;
  ~TChangeLink() override;
  std::wstring ClassName() const override { return L"TChangeLink"; }
  TCustomImageList* Sender() const { return sender_; }
  void SetSender(TCustomImageList* Value) { sender_ = Value; }
  virtual void Change();
  TNotifyEvent OnChange;

 private:
  TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(TComponent* AOwner, int AWidth, int AHeight);
  ~TCustomImageList() override;
  std::wstring ClassName() const override { return L"TCustomImageList"; }
  // Width and Height come before Bitmap (the images) so that a description applies them first.
  static void DeclareProperties(TClassDecl<TCustomImageList>& d);
  // From another image list: size, settings and a copy of every image.
  void Assign(const TPersistent* Source) override;
  void Loaded() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size removes every image.
  void SetWidth(int Value) { SetSize(Value, height_); }
  void SetHeight(int Value) { SetSize(width_, Value); }
  void SetSize(int AWidth, int AHeight);
  int Count() const { return list_.Count(); }

  int AllocBy() const { return allocBy_; }
  void SetAllocBy(int Value) { allocBy_ = Value > 0 ? Value : 1; }
  // The flags of a new system list; an existing one is recreated empty.
  bool Masked() const { return masked_; }
  void SetMasked(bool Value);
  TColorDepth ColorDepth() const { return colorDepth_; }
  void SetColorDepth(TColorDepth Value);
  // Drawing: the background under the images (clNone: none) and the blend colour of dsFocus
  // and dsSelected (clNone: none, clDefault: the highlight colour).
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor Value);
  TColor BlendColor() const { return blendColor_; }
  void SetBlendColor(TColor Value);
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  void SetDrawingStyle(TDrawingStyle Value);
  TImageType ImageType() const { return imageType_; }
  void SetImageType(TImageType Value);
  // A shared system list (one given through SetHandle) is not destroyed with the component.
  bool ShareImages() const { return shareImages_; }
  void SetShareImages(bool Value);

  // Created on first use.
  HIMAGELIST Handle();
  // Takes a system list; its icon size becomes Width and Height.
  void SetHandle(HIMAGELIST Value);
  bool HandleAllocated() const { return list_.Handle() != nullptr; }

  // Each Width-wide part of Image is one image; returns the first index, -1 on failure.
  // A 32-bit image keeps its alpha; otherwise Mask (white: transparent) or opaque.
  int Add(TBitmap* Image, TBitmap* Mask = nullptr);
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(HICON Icon);
  void Insert(int Index, TBitmap* Image, TBitmap* Mask);
  void Replace(int Index, TBitmap* Image, TBitmap* Mask);
  void Delete(int Index);
  void Move(int CurIndex, int NewIndex);
  void Clear();

  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  // Image Index as a pf32bit bitmap of Width x Height with straight alpha.
  bool GetBitmap(int Index, TBitmap* Image);

  // Every image side by side in one 32-bit BMP file with alpha: how a description stores them.
  std::vector<std::uint8_t> SaveImagesToBytes();
  void LoadImagesFromBytes(std::span<const std::uint8_t> Data);

  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);
  // Changes inside are reported once, at the end.
  void BeginUpdate();
  void EndUpdate();

  TNotifyEvent OnChange;

 protected:
  virtual void DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled);
  virtual void Change();
  void HandleNeeded();
  SystemImageList& System() { return list_; }

 private:
  UINT CreateFlags() const;
  void Recreate();
  void CheckIndex(int Index) const;

  SystemImageList list_;
  int width_ = 16;
  int height_ = 16;
  int allocBy_ = 4;
  bool masked_ = true;
  TColorDepth colorDepth_ = cd32Bit;
  TColor bkColor_ = clNone;
  TColor blendColor_ = clNone;
  TDrawingStyle drawingStyle_ = dsNormal;
  TImageType imageType_ = itImage;
  bool shareImages_ = false;
  int updateCount_ = 0;
  bool changedWhileUpdating_ = false;
  std::vector<TChangeLink*> clients_;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
  std::wstring ClassName() const override { return L"TImageList"; }
};

}  // namespace classlib
