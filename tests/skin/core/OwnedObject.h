#pragma once
// Components and other library objects owned by a test and freed as the library frees them.
#include <memory>

#include "classlib/Object.h"

namespace skin::testing {

struct FreeObject {
  void operator()(classlib::TObject* o) const { classlib::Free(o); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeObject>;

}  // namespace skin::testing
