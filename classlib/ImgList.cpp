#include "classlib/ImgList.h"

#include <algorithm>
#include <cstring>

#include "classlib/BmpFormat.h"

namespace classlib {

// ---- TChangeLink --------------------------------------------------------------------------

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
  if (OnChange) OnChange(sender_);
}

// ---- TCustomImageList ---------------------------------------------------------------------

void TCustomImageList::DeclareProperties(TClassDecl<TCustomImageList>& d) {
  using L = TCustomImageList;
  d.Integer(L"Width", &L::Width, &L::SetWidth, 16);
  d.Integer(L"Height", &L::Height, &L::SetHeight, 16);
  d.Integer(L"AllocBy", &L::AllocBy, &L::SetAllocBy, 4);
  d.Bool(L"Masked", &L::Masked, &L::SetMasked, true);
  d.Enum(L"ColorDepth", &L::ColorDepth, &L::SetColorDepth, cd32Bit);
  d.Color(L"BkColor", &L::BkColor, &L::SetBkColor, clNone);
  d.Color(L"BlendColor", &L::BlendColor, &L::SetBlendColor, clNone);
  d.Enum(L"DrawingStyle", &L::DrawingStyle, &L::SetDrawingStyle, dsNormal);
  d.Enum(L"ImageType", &L::ImageType, &L::SetImageType, itImage);
  d.Bool(L"ShareImages", &L::ShareImages, &L::SetShareImages, false);
  d.Binary(
      L"Bitmap", [](L* l) { return l->SaveImagesToBytes(); },
      [](L* l, const std::vector<std::uint8_t>& data) { l->LoadImagesFromBytes(data); });
  d.Event(L"OnChange", &L::OnChange);
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(TComponent* AOwner, int AWidth, int AHeight) : TComponent(AOwner) {
  width_ = std::clamp(AWidth, 1, 1024);
  height_ = std::clamp(AHeight, 1, 1024);
}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : clients_) link->SetSender(nullptr);
  clients_.clear();
}

UINT TCustomImageList::CreateFlags() const {
  static constexpr UINT kDepth[] = {ILC_COLORDDB, ILC_COLOR4, ILC_COLOR8, ILC_COLOR16, ILC_COLOR24, ILC_COLOR32};
  return kDepth[colorDepth_] | (masked_ ? ILC_MASK : 0);
}

void TCustomImageList::HandleNeeded() {
  if (list_.Handle()) return;
  list_.Create(width_, height_, CreateFlags(), allocBy_);
  ImageList_SetBkColor(list_.Handle(), bkColor_ == clNone ? CLR_NONE : static_cast<COLORREF>(ColorToRGB(bkColor_)));
}

HIMAGELIST TCustomImageList::Handle() {
  HandleNeeded();
  return list_.Handle();
}

void TCustomImageList::SetHandle(HIMAGELIST Value) {
  list_.Adopt(Value, shareImages_);
  if (Value) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(Value, &cx, &cy);
    width_ = cx;
    height_ = cy;
  }
  Change();
}

void TCustomImageList::SetShareImages(bool Value) {
  shareImages_ = Value;
  if (list_.Handle()) list_.Adopt(list_.Handle(), Value);
}

// A list whose flags change starts again empty, as the system list cannot change them.
void TCustomImageList::Recreate() {
  if (!list_.Handle()) return;
  list_.Destroy();
  HandleNeeded();
  Change();
}

void TCustomImageList::SetSize(int AWidth, int AHeight) {
  AWidth = std::clamp(AWidth, 1, 1024);
  AHeight = std::clamp(AHeight, 1, 1024);
  if (AWidth == width_ && AHeight == height_) return;
  width_ = AWidth;
  height_ = AHeight;
  if (list_.Handle()) ImageList_SetIconSize(list_.Handle(), width_, height_);  // removes the images
  Change();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == masked_) return;
  masked_ = Value;
  Recreate();
}

void TCustomImageList::SetColorDepth(TColorDepth Value) {
  if (Value == colorDepth_) return;
  colorDepth_ = Value;
  Recreate();
}

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == bkColor_) return;
  bkColor_ = Value;
  if (list_.Handle())
    ImageList_SetBkColor(list_.Handle(), Value == clNone ? CLR_NONE : static_cast<COLORREF>(ColorToRGB(Value)));
  Change();
}

void TCustomImageList::SetBlendColor(TColor Value) {
  if (Value == blendColor_) return;
  blendColor_ = Value;
  Change();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == drawingStyle_) return;
  drawingStyle_ = Value;
  Change();
}

void TCustomImageList::SetImageType(TImageType Value) {
  if (Value == imageType_) return;
  imageType_ = Value;
  Change();
}

void TCustomImageList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EInvalidGraphicOperation(L"Invalid image list index " + std::to_wstring(Index));
}

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask) {
  HandleNeeded();
  const int index = list_.Add(Image, Mask);
  Change();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  HandleNeeded();
  const int index = list_.AddMasked(Image, MaskColor);
  Change();
  return index;
}

int TCustomImageList::AddIcon(HICON Icon) {
  HandleNeeded();
  const int index = list_.AddIcon(Icon);
  Change();
  return index;
}

void TCustomImageList::Insert(int Index, TBitmap* Image, TBitmap* Mask) {
  if (Index < 0 || Index > Count())
    throw EInvalidGraphicOperation(L"Invalid image list index " + std::to_wstring(Index));
  BeginUpdate();
  try {
    const int added = Add(Image, Mask);
    if (added < 0) throw EInvalidGraphicOperation(L"Cannot add the image");
    list_.Move(added, Index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomImageList::Replace(int Index, TBitmap* Image, TBitmap* Mask) {
  CheckIndex(Index);
  if (!list_.Replace(Index, Image, Mask)) throw EInvalidGraphicOperation(L"Cannot replace the image");
  Change();
}

void TCustomImageList::Delete(int Index) {
  CheckIndex(Index);
  list_.Delete(Index);
  Change();
}

void TCustomImageList::Move(int CurIndex, int NewIndex) {
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  if (CurIndex == NewIndex) return;
  list_.Move(CurIndex, NewIndex);
  Change();
}

void TCustomImageList::Clear() {
  list_.Clear();
  Change();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  Draw(Canvas, X, Y, Index, drawingStyle_, imageType_, Enabled);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, TDrawingStyle ADrawingStyle,
                            TImageType AImageType, bool Enabled) {
  if (!Canvas || !HandleAllocated()) return;
  static constexpr UINT kStyle[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  const UINT style = kStyle[ADrawingStyle] | (AImageType == itMask ? ILD_MASK : 0);
  DoDraw(Index, Canvas, X, Y, style, Enabled);
}

void TCustomImageList::DoDraw(int Index, TCanvas* Canvas, int X, int Y, UINT Style, bool Enabled) {
  if (Index < 0 || Index >= Count()) return;
  Canvas->Lock();
  try {
    if (Enabled) {
      const COLORREF fg = blendColor_ == clNone      ? CLR_NONE
                          : blendColor_ == clDefault ? CLR_DEFAULT
                                                     : static_cast<COLORREF>(ColorToRGB(blendColor_));
      ImageList_DrawEx(list_.Handle(), Index, Canvas->Handle(), X, Y, 0, 0, CLR_DEFAULT, fg, Style);
    } else {
      list_.Draw(Canvas->Handle(), X, Y, Index, Style, false);
    }
  } catch (...) {
    Canvas->Unlock();
    throw;
  }
  Canvas->Unlock();
}

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) { return list_.GetBitmap(Index, Image); }

std::vector<std::uint8_t> TCustomImageList::SaveImagesToBytes() {
  const int count = Count();
  if (count == 0) return {};
  bmp::Dib dib;
  dib.Width = width_ * count;
  dib.Height = height_;
  dib.BitCount = 32;
  dib.Bits.assign(dib.Stride() * height_, 0);
  std::vector<std::uint32_t> px;
  for (int i = 0; i < count; ++i) {
    if (!list_.Pixels(i, px)) throw EInvalidGraphicOperation(L"Cannot read image " + std::to_wstring(i));
    for (int y = 0; y < height_; ++y)
      std::memcpy(&dib.Bits[dib.Stride() * (height_ - 1 - y) + static_cast<std::size_t>(i) * width_ * 4],
                  &px[static_cast<std::size_t>(y) * width_], static_cast<std::size_t>(width_) * 4);
  }
  return bmp::WriteBmpFile(dib);
}

void TCustomImageList::LoadImagesFromBytes(std::span<const std::uint8_t> Data) {
  TBitmap strip;
  if (!Data.empty()) strip.LoadFromBytes(Data);  // refused before anything is cleared
  BeginUpdate();
  list_.Clear();
  if (!strip.Empty()) {
    HandleNeeded();
    if (strip.PixelFormat() != pf32bit) strip.SetPixelFormat(pf32bit);
    // A stored strip always carries alpha; an all-transparent image stays so.
    for (int i = 0; i * width_ < strip.Width(); ++i) {
      std::vector<std::uint32_t> part(static_cast<std::size_t>(width_) * height_, 0);
      for (int y = 0; y < std::min(height_, strip.Height()); ++y) {
        const auto* row = static_cast<const std::uint32_t*>(strip.ScanLine(y));
        for (int x = 0; x < width_ && i * width_ + x < strip.Width(); ++x)
          part[static_cast<std::size_t>(y) * width_ + x] = row[i * width_ + x];
      }
      TBitmap one;
      one.SetPixelFormat(pf32bit);
      one.SetSize(width_, height_);
      for (int y = 0; y < height_; ++y)
        std::memcpy(one.ScanLine(y), &part[static_cast<std::size_t>(y) * width_], static_cast<std::size_t>(width_) * 4);
      list_.Add(&one, nullptr);
    }
  }
  changedWhileUpdating_ = true;
  EndUpdate();
}

void TCustomImageList::RegisterChanges(TChangeLink* Value) {
  if (!Value || std::find(clients_.begin(), clients_.end(), Value) != clients_.end()) return;
  if (Value->Sender() && Value->Sender() != this) Value->Sender()->UnRegisterChanges(Value);
  Value->SetSender(this);
  clients_.push_back(Value);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Value) {
  std::erase(clients_, Value);
  if (Value && Value->Sender() == this) Value->SetSender(nullptr);
}

void TCustomImageList::BeginUpdate() { ++updateCount_; }

void TCustomImageList::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  if (updateCount_ == 0 && changedWhileUpdating_) {
    changedWhileUpdating_ = false;
    Change();
  }
}

void TCustomImageList::Change() {
  if (updateCount_ > 0) {
    changedWhileUpdating_ = true;
    return;
  }
  if (ComponentState().Contains(csLoading)) return;
  // A link may unregister itself from its handler.
  const std::vector<TChangeLink*> links = clients_;
  for (TChangeLink* link : links)
    if (std::find(clients_.begin(), clients_.end(), link) != clients_.end()) link->Change();
  if (OnChange) OnChange(this);
}

void TCustomImageList::Loaded() {
  TComponent::Loaded();
  Change();
}

void TCustomImageList::Assign(const TPersistent* Source) {
  if (Source == this) return;
  if (auto* src = dynamic_cast<const TCustomImageList*>(Source)) {
    auto* source = const_cast<TCustomImageList*>(src);  // reading its images may create its handle
    BeginUpdate();
    try {
      width_ = source->width_;
      height_ = source->height_;
      allocBy_ = source->allocBy_;
      masked_ = source->masked_;
      colorDepth_ = source->colorDepth_;
      bkColor_ = source->bkColor_;
      blendColor_ = source->blendColor_;
      drawingStyle_ = source->drawingStyle_;
      imageType_ = source->imageType_;
      list_.Destroy();
      HandleNeeded();
      TBitmap image;
      for (int i = 0; i < source->Count(); ++i)
        if (source->GetBitmap(i, &image)) list_.Add(&image, nullptr);
    } catch (...) {
      EndUpdate();
      throw;
    }
    changedWhileUpdating_ = true;
    EndUpdate();
    return;
  }
  TComponent::Assign(Source);
}

}  // namespace classlib
