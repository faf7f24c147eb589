#pragma once
// The image list and the bitmap button of the configurator's windows. The component library does
// not carry them yet; they live here, in its namespace and with its names, so that moving them
// into classlib/ later changes no caller.
//   TImageList  16 × 16 images with alpha in a system image list (page tabs, buttons, status bar)
//   TBitBtn     a push button that shows image ImageIndex of Images beside its caption
#include "classlib/Bitmap.h"
#include "classlib/StdCtrls.h"
#include "classlib/SystemImageList.h"
#include "classlib/TypInfo.h"

namespace classlib {

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner) : TComponent(AOwner) { list_.Create(16, 16, ILC_COLOR32 | ILC_MASK, 4); }
  std::wstring ClassName() const override { return L"TImageList"; }
  static void DeclareProperties(TClassDecl<TImageList>&) {}
  HIMAGELIST Handle() const { return list_.Handle(); }
  int Count() const { return list_.Count(); }
  int Add(TBitmap* image) { return list_.Add(image, nullptr); }
  bool GetBitmap(int index, TBitmap* image) const { return list_.GetBitmap(index, image); }

 private:
  SystemImageList list_;
};

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* AOwner) : TButton(AOwner) {}
  std::wstring ClassName() const override { return L"TBitBtn"; }
  static void DeclareProperties(TClassDecl<TBitBtn>& d) {
    d.Component<TImageList>(L"Images", &TBitBtn::Images, &TBitBtn::SetImages);
    d.Integer(L"ImageIndex", &TBitBtn::ImageIndex, &TBitBtn::SetImageIndex, -1);
  }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* v) { images_ = v; }
  int ImageIndex() const { return index_; }
  void SetImageIndex(int v) {
    index_ = v;
    ShowImage();
  }

 protected:
  void CreateWnd() override {
    TButton::CreateWnd();
    ShowImage();
  }

 private:
  void ShowImage() {
    if (!HandleAllocated() || !images_ || index_ < 0) return;
    TBitmap cell;
    if (!images_->GetBitmap(index_, &cell)) return;
    one_.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1);
    one_.Add(&cell, nullptr);
    BUTTON_IMAGELIST bil{};
    bil.himl = one_.Handle();
    bil.margin = RECT{4, 0, 4, 0};
    bil.uAlign = Caption().empty() ? BUTTON_IMAGELIST_ALIGN_CENTER : BUTTON_IMAGELIST_ALIGN_LEFT;
    SendMessageW(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  SystemImageList one_;
  TImageList* images_ = nullptr;
  int index_ = -1;
};

// Makes both known to window descriptions; call once before the first form is created.
inline void RegisterImageButtonClasses() {
  RegisterClass<TImageList, TComponent>(L"TImageList");
  RegisterClass<TBitBtn, TButton>(L"TBitBtn");
}

}  // namespace classlib
