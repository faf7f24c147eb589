#pragma once
// Replacing one image of loaded skin records by a file: a BMP for an image record, a JPEG or BMP
// for a section's "PATTERN" or "HOTPATTERN" texture. A texture that changes kind (a JPEG pattern
// in place of a bitmap, or the reverse) removes the record of the other kind by moving the last
// record of its table into its place, which shifts indexes that painters and ConstData hold: the
// result says so, and the caller must rebuild the cached indexes and announce the skin again.
#include <cstdint>
#include <span>
#include <string_view>

#include "skin/core/acSkinRecords.h"

namespace skin {

struct TacImageChange {
  bool Changed = false;       // an existing image or pattern took the file, or a bitmap texture was added
  bool IndexesMoved = false;  // a record left its place in ma or pa
};

// Section and PropName are compared upper-cased; FileName only decides the kind (".BMP" in it,
// with its case for an image record, in any case for a texture). A file that cannot be decoded
// raises (EacSkinLoadError, EInvalidGraphic) and the records stay as they were.
TacImageChange ChangeImageInRecords(TacSkinRecords& Skin, std::string_view Section, std::string_view PropName,
                                    std::string_view FileName, std::span<const std::uint8_t> File);

}  // namespace skin
