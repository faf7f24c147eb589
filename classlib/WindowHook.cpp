#include "classlib/WindowHook.h"

#include <algorithm>

#include "classlib/Controls.h"

namespace classlib {

namespace detail {

struct TWindowHookEntry {
  HWND Handle = nullptr;
  TWindowHook::TProc Proc;
  bool Active = true;
};

}  // namespace detail

namespace {

using detail::TWindowHookEntry;

// One window's hooks. It lives in a window property from the first hook until the window goes,
// or until the last hook comes off while the chain's procedure is still the window's.
struct THookChain {
  WNDPROC Original = nullptr;
  std::vector<std::shared_ptr<TWindowHookEntry>> Entries;  // oldest first
  int Depth = 0;                                           // messages inside the chain now
  bool WindowGone = false;
};

const wchar_t* ChainProp() {
  static const ATOM atom = GlobalAddAtomW(L"TarviselWindowHooks");
  return MAKEINTATOM(atom);
}

THookChain* ChainOf(HWND handle) { return static_cast<THookChain*>(GetPropW(handle, ChainProp())); }

LRESULT CALLBACK ChainProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam);

void FreeChain(HWND handle, THookChain* chain) {
  RemovePropW(handle, ChainProp());
  delete chain;
}

// The window gets its former procedure back, unless someone subclassed it after the chain:
// then the chain stays as a pass-through until the window goes.
void DetachIfIdle(HWND handle, THookChain* chain) {
  if (chain->Depth > 0 || !chain->Entries.empty()) return;
  if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC)) != &ChainProc) return;
  SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->Original));
  FreeChain(handle, chain);
}

void WindowDestroyed(HWND handle, THookChain* chain) {
  for (const auto& entry : chain->Entries) {
    entry->Active = false;
    entry->Handle = nullptr;
  }
  chain->Entries.clear();
  chain->WindowGone = true;
  RemovePropW(handle, ChainProp());
}

LRESULT CALLBACK ChainProc(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam) {
  THookChain* chain = ChainOf(handle);
  if (!chain) return DefWindowProcW(handle, msg, wParam, lParam);
  const WNDPROC original = chain->Original;
  ++chain->Depth;
  LRESULT result = 0;
  try {
    // A copy: hooks added or removed while the message travels do not move the ones it visits.
    const std::vector<std::shared_ptr<TWindowHookEntry>> entries = chain->Entries;
    result = TWindowHook::TNext(handle, original, entries, entries.size())(msg, wParam, lParam);
  } catch (...) {
    HandleCallbackException(FindControl(handle));
  }
  --chain->Depth;
  if (msg == WM_NCDESTROY && !chain->WindowGone) WindowDestroyed(handle, chain);
  if (chain->WindowGone) {
    if (chain->Depth == 0) delete chain;
  } else {
    DetachIfIdle(handle, chain);
  }
  return result;
}

}  // namespace

LRESULT TWindowHook::TNext::operator()(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  for (std::size_t i = below_; i > 0; --i) {
    const TWindowHookEntry& entry = *entries_[i - 1];
    if (entry.Active) return entry.Proc(handle_, Msg, WParam, LParam, TNext(handle_, original_, entries_, i - 1));
  }
  return CallWindowProcW(original_, handle_, Msg, WParam, LParam);
}

TWindowHook& TWindowHook::operator=(TWindowHook&& other) noexcept {
  if (this != &other) {
    Unhook();
    entry_ = std::move(other.entry_);
  }
  return *this;
}

bool TWindowHook::Hook(HWND Handle, TProc Proc) {
  Unhook();
  DWORD process = 0;
  if (!Handle || !IsWindow(Handle) || !GetWindowThreadProcessId(Handle, &process) || process != GetCurrentProcessId())
    return false;
  THookChain* chain = ChainOf(Handle);
  if (!chain) {
    auto fresh = std::make_unique<THookChain>();
    if (!SetPropW(Handle, ChainProp(), fresh.get())) return false;
    fresh->Original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Handle, GWLP_WNDPROC));
    if (!fresh->Original || !SetWindowLongPtrW(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainProc))) {
      RemovePropW(Handle, ChainProp());
      return false;
    }
    chain = fresh.release();
  }
  auto entry = std::make_shared<TWindowHookEntry>();
  entry->Handle = Handle;
  entry->Proc = std::move(Proc);
  chain->Entries.push_back(entry);
  entry_ = std::move(entry);
  return true;
}

void TWindowHook::Unhook() noexcept {
  if (!entry_) return;
  const std::shared_ptr<TWindowHookEntry> entry = std::move(entry_);
  entry_.reset();
  entry->Active = false;
  if (!entry->Handle) return;
  const HWND handle = entry->Handle;
  entry->Handle = nullptr;
  THookChain* chain = ChainOf(handle);
  if (!chain) return;
  auto& entries = chain->Entries;
  entries.erase(std::remove(entries.begin(), entries.end(), entry), entries.end());
  DetachIfIdle(handle, chain);
}

bool TWindowHook::Hooked() const { return entry_ && entry_->Active && entry_->Handle; }

HWND TWindowHook::Handle() const { return entry_ ? entry_->Handle : nullptr; }

}  // namespace classlib
