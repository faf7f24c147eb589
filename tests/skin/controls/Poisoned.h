#pragma once
// Objects whose memory is filled with a pattern when they are freed and never handed back to the
// allocator: a later call into a freed object reads those bytes as pointers (its virtual table
// too) and crashes the test, instead of passing by luck on memory that still looks whole.
#include <cstddef>
#include <cstring>
#include <new>

namespace skin::test {

template <class T>
struct Poisoned : T {
  using T::T;
  static void* operator new(std::size_t Size) { return ::operator new(Size); }
  // The block stays allocated, poisoned: a few hundred bytes per test.
  static void operator delete(void* Block, std::size_t Size) { std::memset(Block, 0xA5, Size); }
};

}  // namespace skin::test
