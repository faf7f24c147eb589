#pragma once
// A shell icon owned by the program (win32 build only).
#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>

namespace skin {

// Owns an icon handle: destroyed with the object unless given up with ReleaseHandle.
class TacIcon {
 public:
  explicit TacIcon(HICON Handle) : handle_(Handle) {}
  ~TacIcon();
  TacIcon(const TacIcon&) = delete;
  TacIcon& operator=(const TacIcon&) = delete;

  HICON Handle() const { return handle_; }
  // Hands the icon over to the caller, who destroys it.
  HICON ReleaseHandle();
  bool Empty() const { return handle_ == nullptr; }
  int Width() const;
  int Height() const;

 private:
  SIZE Size() const;
  HICON handle_;
};

// The shell's icon of an existing file (SHGetFileInfoW with Flags plus SHGFI_ICON, e.g.
// SHGFI_SMALLICON); nullptr when the file does not exist or the shell gives no icon.
std::unique_ptr<TacIcon> GetIconForFile(const std::wstring& Name, UINT Flags);

}  // namespace skin
