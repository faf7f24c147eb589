#include "app/ImageStrip.h"

#include "classlib/ResourceStream.h"

void LoadImageStrip(classlib::TImageList* list, const wchar_t* name) {
  classlib::TResourceStream stream(GetModuleHandleW(nullptr), name);
  classlib::TBitmap strip;
  strip.LoadFromStream(stream);
  list->Add(&strip);
}
