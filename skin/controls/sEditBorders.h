#pragma once
// How wide the frame of a skinned edit is, for each of the three places that ask: where its cached
// text starts, how much of the cache its non-client paint copies, and how much of a printed image
// is frame. Portable.

namespace skin {

struct TEditFrame {
  bool BorderSingle = true;  // BorderStyle is bsSingle
  bool Ctl3D = true;
  bool BevelKindNone = true;
  bool BevelInnerNone = true;
  bool BevelOuterNone = true;
};

// The inset of the cached text: 0 without a border; else Ctl3D + 1 and, when a bevel kind is set,
// one more for each bevel that is not bvNone.
int EditTextBorderWidth(const TEditFrame& F);
// The frame strips copied from the cache: Ctl3D + 1 with a border; without one, one for each bevel
// that is not bvNone (whatever the bevel kind).
int EditPaintBorderWidth(const TEditFrame& F);
// The frame of a printed image: Ctl3D + 1 with a border, else 0.
int EditPrintBorderWidth(const TEditFrame& F);
// The masked edit's text inset and printed frame: 0 without a border, else 2 plus one for Ctl3D.
int MaskEditBorderWidth(const TEditFrame& F);

}  // namespace skin
