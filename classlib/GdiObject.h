#pragma once
// Ownership of one GDI object (font, brush, pen, bitmap, region) and of a memory DC.
// Stock objects are held unowned so that they are never deleted.
#include <windows.h>

#include <utility>

namespace classlib {

template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle, bool owned = true) : handle_(handle), owned_(owned) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)), owned_(other.owned_) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
      owned_ = other.owned_;
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset(Handle handle = nullptr, bool owned = true) {
    if (handle_ && owned_) DeleteObject(handle_);
    handle_ = handle;
    owned_ = owned;
  }
  Handle release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
  bool owned_ = true;
};

// A memory DC compatible with the screen; deleted (not released) at the end.
class MemoryDC {
 public:
  MemoryDC() : dc_(CreateCompatibleDC(nullptr)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// The screen DC for measuring; released at the end.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  ~ScreenDC() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A window's DC for the whole window, frame included; released at the end. Asked to keep the
// drawing state, it saves it first and puts it back before the release, so clip and origin changes
// made through it never reach the window's next painter, even when drawing throws.
class WindowDC {
 public:
  explicit WindowDC(HWND wnd, bool keepState = false) : wnd_(wnd), dc_(GetWindowDC(wnd)) {
    if (dc_ && keepState) saved_ = SaveDC(dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (!dc_) return;
    if (saved_ != 0) RestoreDC(dc_, saved_);
    ReleaseDC(wnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
  int saved_ = 0;
};

// A DC's drawing state saved now and put back at the end, so that clip, origin and selections
// changed through it never outlive the scope, even when drawing throws.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;
  ~SavedDC() {
    if (id_ != 0) RestoreDC(dc_, id_);
  }

 private:
  HDC dc_;
  int id_;
};

}  // namespace classlib
