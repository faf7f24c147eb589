// The image list component: settings, images through the system list, change links, the
// stored form of its images and copies between lists.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "classlib/FormLoader.h"
#include "classlib/FormReader.h"
#include "classlib/ImgList.h"

using namespace classlib;

namespace {

std::uint32_t& Px(TBitmap& b, int x, int y) { return static_cast<std::uint32_t*>(b.ScanLine(y))[x]; }

void Strip(TBitmap& b, int count) {
  b.SetPixelFormat(pf32bit);
  b.SetSize(4 * count, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4 * count; ++x) Px(b, x, y) = 0xFF000000u | static_cast<std::uint32_t>(0x102030 * (x / 4 + 1));
  Px(b, 1, 0) = 0x80FFFFFF;
  Px(b, 0, 0) = 0;
}

// Frees an ownerless component at the end of the scope.
template <class T>
struct Owned {
  T* p;
  explicit Owned(T* object) : p(object) {}
  ~Owned() { Free(p); }
  T* operator->() const { return p; }
};

}  // namespace

TEST(ImageList, DefaultsAndSize) {
  Owned list(Create<TImageList>(nullptr));
  EXPECT_EQ(list->ClassName(), L"TImageList");
  EXPECT_EQ(list->Width(), 16);
  EXPECT_EQ(list->Height(), 16);
  EXPECT_TRUE(list->Masked());
  EXPECT_EQ(list->ColorDepth(), cd32Bit);
  EXPECT_EQ(list->BkColor(), clNone);
  EXPECT_EQ(list->DrawingStyle(), dsNormal);
  EXPECT_EQ(list->Count(), 0);
  EXPECT_FALSE(list->HandleAllocated());

  Owned sized(Create<TImageList>(nullptr, 4, 4));
  TBitmap strip;
  Strip(strip, 3);
  EXPECT_EQ(sized->Add(&strip, nullptr), 0);
  EXPECT_EQ(sized->Count(), 3);
  IMAGEINFO info{};
  EXPECT_TRUE(ImageList_GetImageInfo(sized->Handle(), 2, &info));
  sized->SetWidth(8);  // a new size empties the list
  EXPECT_EQ(sized->Count(), 0);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(sized->Handle(), &cx, &cy);
  EXPECT_EQ(cx, 8);
  EXPECT_EQ(cy, 4);
}

TEST(ImageList, ChangeLinksHearEveryChangeOnce) {
  Owned list(Create<TImageList>(nullptr, 4, 4));
  int heard = 0, events = 0;
  TChangeLink link;
  link.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, list.p);
    ++heard;
  };
  list->RegisterChanges(&link);
  list->OnChange = [&](TObject*) { ++events; };
  TBitmap strip;
  Strip(strip, 2);
  list->Add(&strip, nullptr);
  EXPECT_EQ(heard, 1);
  list->Insert(0, &strip, nullptr);  // two images in, one notice
  EXPECT_EQ(heard, 2);
  EXPECT_EQ(list->Count(), 4);
  list->BeginUpdate();
  list->Delete(0);
  list->Move(0, 2);
  list->Clear();
  EXPECT_EQ(heard, 2);
  list->EndUpdate();
  EXPECT_EQ(heard, 3);
  EXPECT_EQ(events, 3);
  {
    TChangeLink gone;
    list->RegisterChanges(&gone);
  }  // unregisters itself
  list->Add(&strip, nullptr);
  EXPECT_EQ(heard, 4);
  EXPECT_THROW(list->Delete(7), EInvalidGraphicOperation);
  EXPECT_THROW(list->Replace(-1, &strip, nullptr), EInvalidGraphicOperation);
}

TEST(ImageList, ALinkOutlivingItsListIsLetGo) {
  TChangeLink link;
  {
    Owned list(Create<TImageList>(nullptr));
    list->RegisterChanges(&link);
    EXPECT_EQ(link.Sender(), list.p);
  }
  EXPECT_EQ(link.Sender(), nullptr);
}

TEST(ImageList, InsertPutsImagesInPlace) {
  Owned list(Create<TImageList>(nullptr, 4, 4));
  TBitmap a, b;
  Strip(a, 2);
  b.SetPixelFormat(pf32bit);
  b.SetSize(4, 4);
  Px(b, 2, 2) = 0xFF123456;
  list->Add(&a, nullptr);
  list->Insert(1, &b, nullptr);
  TBitmap out;
  ASSERT_TRUE(list->GetBitmap(1, &out));
  EXPECT_EQ(Px(out, 2, 2), 0xFF123456u);
  ASSERT_TRUE(list->GetBitmap(0, &out));
  EXPECT_EQ(Px(out, 1, 0), 0x80FFFFFFu);
  EXPECT_THROW(list->Insert(5, &b, nullptr), EInvalidGraphicOperation);
}

TEST(ImageList, DrawingStylesAndDisabledImages) {
  Owned list(Create<TImageList>(nullptr, 4, 4));
  TBitmap strip;
  Strip(strip, 1);
  list->Add(&strip, nullptr);
  TBitmap target;
  target.SetPixelFormat(pf32bit);
  target.SetSize(6, 6);
  target.Canvas()->Brush()->SetColor(clBlack);
  target.Canvas()->FillRect(Rect(0, 0, 6, 6));
  list->Draw(target.Canvas(), 1, 1, 0);
  EXPECT_EQ(Px(target, 1, 1) & 0xFFFFFF, 0u);
  EXPECT_NEAR(static_cast<int>(Px(target, 2, 1) & 0xFF), 128, 3);
  EXPECT_EQ(Px(target, 4, 4) & 0xFFFFFF, 0x102030u);
  target.Canvas()->FillRect(Rect(0, 0, 6, 6));
  list->Draw(target.Canvas(), 1, 1, 0, false);
  const std::uint32_t grey = Px(target, 4, 4);
  EXPECT_EQ((grey >> 16) & 0xFF, grey & 0xFF);
  list->Draw(target.Canvas(), 1, 1, 5);  // no such image: nothing
}

TEST(ImageList, StoredImagesReadBackExactly) {
  Owned list(Create<TImageList>(nullptr, 4, 4));
  TBitmap strip;
  Strip(strip, 3);
  list->Add(&strip, nullptr);
  const std::vector<std::uint8_t> stored = list->SaveImagesToBytes();
  Owned copy(Create<TImageList>(nullptr, 4, 4));
  int changes = 0;
  copy->OnChange = [&](TObject*) { ++changes; };
  copy->LoadImagesFromBytes(stored);
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(copy->Count(), 3);
  TBitmap a, b;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(list->GetBitmap(i, &a));
    ASSERT_TRUE(copy->GetBitmap(i, &b));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(Px(a, x, y), Px(b, x, y)) << i;
  }
  std::vector<std::uint8_t> bad = stored;
  bad.resize(bad.size() / 2);
  EXPECT_THROW(copy->LoadImagesFromBytes(bad), EInvalidGraphic);
  EXPECT_EQ(copy->Count(), 3);  // refused before anything was cleared
  copy->LoadImagesFromBytes({});
  EXPECT_EQ(copy->Count(), 0);
  EXPECT_TRUE(Owned(Create<TImageList>(nullptr)).p->SaveImagesToBytes().empty());
}

TEST(ImageList, AssignCopiesSettingsAndImages) {
  Owned list(Create<TImageList>(nullptr, 4, 4));
  list->SetBkColor(clRed);
  list->SetDrawingStyle(dsTransparent);
  TBitmap strip;
  Strip(strip, 2);
  list->Add(&strip, nullptr);
  Owned copy(Create<TImageList>(nullptr));
  copy->Assign(list.p);
  EXPECT_EQ(copy->Width(), 4);
  EXPECT_EQ(copy->Count(), 2);
  EXPECT_EQ(copy->BkColor(), clRed);
  EXPECT_EQ(copy->DrawingStyle(), dsTransparent);
  EXPECT_NE(copy->Handle(), list->Handle());
  TBitmap out;
  ASSERT_TRUE(copy->GetBitmap(0, &out));
  EXPECT_EQ(Px(out, 1, 0), 0x80FFFFFFu);
}

TEST(ImageList, SharedHandles) {
  HIMAGELIST h = ImageList_Create(8, 6, ILC_COLOR32 | ILC_MASK, 0, 4);
  {
    Owned list(Create<TImageList>(nullptr));
    list->SetShareImages(true);
    list->SetHandle(h);
    EXPECT_EQ(list->Width(), 8);
    EXPECT_EQ(list->Height(), 6);
    EXPECT_EQ(list->Handle(), h);
  }
  EXPECT_TRUE(ImageList_Destroy(h));  // the component left it alive
}

TEST(ImageList, ReadFromADescription) {
  Owned source(Create<TImageList>(nullptr, 4, 4));
  TBitmap strip;
  Strip(strip, 2);
  source->Add(&strip, nullptr);
  std::string hex;
  for (std::uint8_t b : source->SaveImagesToBytes()) {
    static const char* digits = "0123456789ABCDEF";
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  const std::string text =
      "object Root: TComponent\n"
      "  object Icons: TImageList\n"
      "    Width = 4\n"
      "    Height = 4\n"
      "    DrawingStyle = dsTransparent\n"
      "    BkColor = clBtnFace\n"
      "    Bitmap = {" +
      hex +
      "}\n"
      "  end\n"
      "end\n";
  Owned root(Create<TComponent>(nullptr));
  TFormBindings bindings(root.p);
  int heard = 0;
  TChangeLink link;
  link.OnChange = [&](TObject*) { ++heard; };
  ApplyDescription(root.p, forms::ReadForm(text), bindings);
  auto* icons = dynamic_cast<TImageList*>(root->FindComponent(L"Icons"));
  ASSERT_NE(icons, nullptr);
  EXPECT_EQ(icons->Width(), 4);
  EXPECT_EQ(icons->DrawingStyle(), dsTransparent);
  EXPECT_EQ(icons->BkColor(), clBtnFace);
  EXPECT_TRUE(icons->Masked());  // the declared default where the description is silent
  ASSERT_EQ(icons->Count(), 2);
  TBitmap out;
  ASSERT_TRUE(icons->GetBitmap(0, &out));
  EXPECT_EQ(Px(out, 1, 0), 0x80FFFFFFu);
  EXPECT_TRUE(InheritsFrom(icons, L"TCustomImageList"));
  icons->RegisterChanges(&link);
  icons->Delete(0);
  EXPECT_EQ(heard, 1);
}
