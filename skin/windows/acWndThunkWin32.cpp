#include "skin/windows/acWndThunkWin32.h"

#include <cstring>
#include <vector>

#include "classlib/Controls.h"

namespace skin {
namespace {

// Executable slots for thunk code, carved from 64 KiB blocks that stay for the process's life; a
// freed slot is used again.
constexpr std::size_t kSlotSize = 32;
constexpr std::size_t kBlockSize = 64 * 1024;

std::vector<unsigned char*> g_freeSlots;
std::size_t g_liveThunks = 0;

unsigned char* TakeSlot() {
  if (g_freeSlots.empty()) {
    auto* block = static_cast<unsigned char*>(
        VirtualAlloc(nullptr, kBlockSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (block == nullptr) return nullptr;
    for (std::size_t off = kBlockSize; off >= kSlotSize; off -= kSlotSize)
      g_freeSlots.push_back(block + off - kSlotSize);
  }
  unsigned char* slot = g_freeSlots.back();
  g_freeSlots.pop_back();
  return slot;
}

// The code: the first argument (the window handle) replaced by the thunk object, then a jump to
// the shared entry.
void WriteCode(unsigned char* code, void* object, void* entry) {
#if defined(_WIN64)
  // mov rcx, imm64; mov rax, imm64; jmp rax
  code[0] = 0x48;
  code[1] = 0xB9;
  std::memcpy(code + 2, &object, 8);
  code[10] = 0x48;
  code[11] = 0xB8;
  std::memcpy(code + 12, &entry, 8);
  code[20] = 0xFF;
  code[21] = 0xE0;
#else
  // mov dword ptr [esp+4], imm32; jmp rel32
  code[0] = 0xC7;
  code[1] = 0x44;
  code[2] = 0x24;
  code[3] = 0x04;
  std::memcpy(code + 4, &object, 4);
  code[8] = 0xE9;
  const auto rel =
      static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(entry) - reinterpret_cast<std::intptr_t>(code + 13));
  std::memcpy(code + 9, &rel, 4);
#endif
  FlushInstructionCache(GetCurrentProcess(), code, kSlotSize);
}

}  // namespace

TacWndThunk* TacWndThunk::Create(HWND Handle, TTarget Target) {
  unsigned char* slot = TakeSlot();
  if (slot == nullptr) return nullptr;
  auto* thunk = new TacWndThunk();
  thunk->code_ = slot;
  thunk->handle_ = Handle;
  thunk->target_ = std::move(Target);
  WriteCode(slot, thunk, reinterpret_cast<void*>(&TacWndThunk::Entry));
  ++g_liveThunks;
  return thunk;
}

WNDPROC TacWndThunk::Proc() const { return reinterpret_cast<WNDPROC>(code_); }

bool TacWndThunk::Installed() const {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle_, GWLP_WNDPROC)) == Proc();
}

WNDPROC TacWndThunk::Install() {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc())));
}

bool TacWndThunk::Release(WNDPROC Previous) {
  if (windowGone_ || !IsWindow(handle_)) {
    windowGone_ = true;
  } else if (Installed()) {
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
    windowGone_ = true;  // nothing calls the thunk any more
  } else {
    forwardTo_ = Previous;
    orphan_ = true;
    if (depth_ == 0) target_ = nullptr;
    return false;
  }
  orphan_ = true;
  forwardTo_ = Previous;
  if (depth_ == 0) Free();
  return true;
}

std::size_t TacWndThunk::LiveCount() { return g_liveThunks; }

LRESULT CALLBACK TacWndThunk::Entry(HWND Self, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return reinterpret_cast<TacWndThunk*>(Self)->Dispatch(Msg, WParam, LParam);
}

LRESULT TacWndThunk::Dispatch(UINT Msg, WPARAM WParam, LPARAM LParam) {
  ++depth_;
  LRESULT result = 0;
  try {
    if (!orphan_)
      result = target_(Msg, WParam, LParam);
    else if (forwardTo_ != nullptr)
      result = CallWindowProcW(forwardTo_, handle_, Msg, WParam, LParam);
    else
      result = DefWindowProcW(handle_, Msg, WParam, LParam);
  } catch (...) {
    classlib::HandleCallbackException(nullptr);
  }
  --depth_;
  if (Msg == WM_NCDESTROY) windowGone_ = true;
  if (depth_ == 0 && orphan_) {
    if (windowGone_)
      Free();
    else
      target_ = nullptr;
  }
  return result;
}

void TacWndThunk::Free() {
  std::memset(code_, 0xCC, kSlotSize);  // a stale call traps instead of running into another thunk
  g_freeSlots.push_back(code_);
  --g_liveThunks;
  delete this;
}

}  // namespace skin
