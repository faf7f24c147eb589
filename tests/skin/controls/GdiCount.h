#pragma once
// The number of live GDI objects of this process. Under Wine GetGuiResources tells nothing, so each
// handle slot is asked for its object type: a handle is a table index in its low word, and a high
// word of 0 is taken for any generation of that slot.
#include <windows.h>

#include <cstdint>

namespace skin::test {

inline int LiveGdiObjects() {
  int n = 0;
  for (std::uintptr_t slot = 1; slot < 0x10000; ++slot)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++n;
  return n;
}

}  // namespace skin::test
