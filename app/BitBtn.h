#pragma once
// The bitmap button lives in the component library now (classlib/Buttons.h); this header stays so
// that the configurator's includes need no change. Its images come from the library's TImageList.
#include "classlib/Buttons.h"
#include "classlib/ImgList.h"
#include "classlib/SystemImageList.h"
#include "classlib/TypInfo.h"

namespace classlib {

// The library registers TBitBtn and TImageList itself; kept for the callers that still ask.
inline void RegisterImageButtonClasses() {}

}  // namespace classlib
