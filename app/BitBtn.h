#pragma once
// The bitmap button of the configurator's windows. The component library does not carry it yet;
// it lives here, in its namespace and with its name, so that moving it into classlib/ later
// changes no caller. Its images come from the library's TImageList (classlib/ImgList.h).
//   TBitBtn     a push button that shows image ImageIndex of Images beside its caption
#include "classlib/Bitmap.h"
#include "classlib/ImgList.h"
#include "classlib/StdCtrls.h"
#include "classlib/SystemImageList.h"
#include "classlib/TypInfo.h"

namespace classlib {

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
