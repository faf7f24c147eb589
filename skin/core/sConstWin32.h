#pragma once
// The Win32-only share of the shared constants: the shell's system image lists.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

namespace skin {

// An image list that shows the shell's system image list. It shares the images: the system
// list belongs to the shell and is never destroyed here.
class TacShellImageList {
 public:
  TacShellImageList(HIMAGELIST handle, std::wstring name) : handle_(handle), name_(std::move(name)) {}
  TacShellImageList(const TacShellImageList&) = delete;
  TacShellImageList& operator=(const TacShellImageList&) = delete;

  HIMAGELIST Handle() const { return handle_; }
  const std::wstring& Name() const { return name_; }
  bool ShareImages() const { return true; }
  int Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

 private:
  HIMAGELIST handle_;
  std::wstring name_;
};

// Declared large first: at shut-down the small list goes first.
extern std::unique_ptr<TacShellImageList> LargeShellImages;
extern std::unique_ptr<TacShellImageList> SmallShellImages;

// Creates whichever of the two lists does not exist yet. Both arguments are ignored: both
// lists are always made ("sShellLargeImages", "sShellSmallImages").
void InitShellImageLists(bool Large, bool Small);

}  // namespace skin
