#pragma once
// The windows' small images are strips of 16 × 16 cells in 32-bit BMP resources (RCDATA).
#include "classlib/Buttons.h"
#include "classlib/ImgList.h"

// Appends every cell of the strip resource `name` to `list`.
void LoadImageStrip(classlib::TImageList* list, const wchar_t* name);
