#pragma once
// Subclassing of any window of this process: the library's own or a foreign one (a system
// class, a dialog of the system, a control of another library). Each hooked window keeps one
// chain of hooks in a window property: the newest hook sees a message first and passes it on
// with Next; the window procedure that was in place before the first hook ends the chain. Hooks
// come off in any order without cutting out a later one, and every message enters through one
// procedure that catches an exception and hands it to the application object, as the library's
// window procedures do. Use a hook on the thread that owns the window only.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace classlib {

namespace detail {
struct TWindowHookEntry;
}

class TWindowHook {
 public:
  // The procedures below one hook: the hooks installed before it, then the window's own.
  class TNext {
   public:
    using TEntries = std::vector<std::shared_ptr<detail::TWindowHookEntry>>;
    // Made by the chain's procedure: Entries as the message found them, Below of them under the caller.
    TNext(HWND handle, WNDPROC original, const TEntries& entries, std::size_t below)
        : handle_(handle), original_(original), entries_(entries), below_(below) {}
    LRESULT operator()(UINT Msg, WPARAM WParam, LPARAM LParam) const;

   private:
    HWND handle_;
    WNDPROC original_;
    const TEntries& entries_;  // the chain as the message found it, oldest hook first
    std::size_t below_;        // how many entries lie below the caller
  };
  using TProc = std::function<LRESULT(HWND Handle, UINT Msg, WPARAM WParam, LPARAM LParam, const TNext& Next)>;

  TWindowHook() = default;
  TWindowHook(HWND Handle, TProc Proc) { Hook(Handle, std::move(Proc)); }
  ~TWindowHook() { Unhook(); }
  TWindowHook(const TWindowHook&) = delete;
  TWindowHook& operator=(const TWindowHook&) = delete;
  TWindowHook(TWindowHook&& other) noexcept : entry_(std::move(other.entry_)) {}
  TWindowHook& operator=(TWindowHook&& other) noexcept;

  // Puts Proc on top of Handle's chain, taking this hook off its former window first. False
  // (and nothing hooked) for a window that does not exist or belongs to another process.
  bool Hook(HWND Handle, TProc Proc);
  // Takes this hook out of its chain; the others stay in their order. When no hook is left and
  // nobody subclassed the window after the chain, the window gets its procedure back.
  void Unhook() noexcept;
  // False before Hook, after Unhook and once the window is destroyed.
  bool Hooked() const;
  HWND Handle() const;

 private:
  std::shared_ptr<detail::TWindowHookEntry> entry_;
};

}  // namespace classlib
