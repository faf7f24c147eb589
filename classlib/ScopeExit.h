#pragma once
// Runs an action when the scope ends, on every path out of it, exceptions included: the restore
// half of a save-and-restore pair (a state flag, a redraw switch, a lock, a saved window
// procedure) written right beside the save.
//   ControlState += csCreating;
//   const TScopeExit restore([&] { ControlState -= csCreating; });
// The action must not throw: it runs during unwinding as well.
#include <type_traits>
#include <utility>

namespace classlib {

template <class F>
class [[nodiscard]] TScopeExit {
  static_assert(std::is_nothrow_invocable_v<F&> || std::is_invocable_v<F&>);

 public:
  explicit TScopeExit(F action) noexcept(std::is_nothrow_move_constructible_v<F>) : action_(std::move(action)) {}
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;
  ~TScopeExit() {
    if (armed_) action_();
  }
  // The action will not run: the work it would undo is to stay.
  void Release() noexcept { armed_ = false; }

 private:
  F action_;
  bool armed_ = true;
};

template <class F>
TScopeExit(F) -> TScopeExit<F>;

}  // namespace classlib
