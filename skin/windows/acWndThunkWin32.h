#pragma once
// A window procedure of its own for each window handler: a few bytes of machine code, made at run
// time, that call one shared procedure with the address of the handler's record in place of the
// window handle. Each thunk has a distinct address, so a handler can tell whether GWL_WNDPROC
// still holds its own procedure. A thunk outlives its handler when a later subclass still passes
// messages to it: it then forwards everything to the procedure the handler had replaced and frees
// itself once the window is destroyed. Win32 only; GUI thread only.
#include <windows.h>

#include <cstddef>
#include <functional>

namespace skin {

class TacWndThunk {
 public:
  // What a live thunk calls: the window, message, parameters; returns the message result.
  using TTarget = std::function<LRESULT(UINT Msg, WPARAM WParam, LPARAM LParam)>;

  // A thunk for Handle that calls Target; nullptr when no executable memory could be had.
  static TacWndThunk* Create(HWND Handle, TTarget Target);

  WNDPROC Proc() const;
  HWND Handle() const { return handle_; }
  // Whether the window's procedure is this thunk.
  bool Installed() const;
  // Puts the thunk in as the window's procedure and returns the one it replaced.
  WNDPROC Install();
  // The handler goes away. While the window still runs through the thunk it is given back when
  // the thunk is on top and true is returned (the thunk is freed); under a later subclass the thunk
  // is left to forward messages to Previous until the window is destroyed, and false is returned.
  bool Release(WNDPROC Previous);

  // Thunks alive in the process: given to handlers, or left forwarding under a later subclass.
  static std::size_t LiveCount();

 private:
  TacWndThunk() = default;
  static LRESULT CALLBACK Entry(HWND Self, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT Dispatch(UINT Msg, WPARAM WParam, LPARAM LParam);
  void Free();

  unsigned char* code_ = nullptr;
  HWND handle_ = nullptr;
  TTarget target_;
  WNDPROC forwardTo_ = nullptr;  // set once the handler is gone
  int depth_ = 0;                // calls running through this thunk
  bool orphan_ = false;
  bool windowGone_ = false;
};

}  // namespace skin
