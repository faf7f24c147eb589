#pragma once
// Where a skinned tool button draws its image and caption and which look it takes, from the
// custom-draw state the tool bar reports. Pure arithmetic; halving rounds towards zero.
#include "classlib/ToolBarTypes.h"
#include "classlib/Types.h"

namespace skin {

// The image's look: 0 for an empty state or one that is only disabled, 2 for a selected or
// checked button, 1 otherwise.
int ToolBtnGlyphMode(classlib::TCustomDrawState State);
// The button's section state: 2 also for a marked or indeterminate button; else as the image's.
int ToolButtonPaintState(classlib::TCustomDrawState State, bool Marked, bool Indeterminate);

struct TToolBtnLayoutInput {
  bool List = false;          // images left of the captions
  bool ShowCaptions = false;  // captions below the images
  bool DropDown = false;      // a tbsDropDown button
  classlib::TSize Button;     // the button's size
  classlib::TSize Image;      // the image list's image size
  int TextHeight = 0;         // the height of "A" in the bar's font
};

// The image's rectangle in the button for Mode (pressed images move by one pixel right and down).
classlib::TRect ToolBtnGlyphRect(const TToolBtnLayoutInput& In, int Mode);

// The caption's rectangle: in List mode right of the image (HasImage) up to the drop-down part;
// otherwise centred on the caption's width, below the image when the bar has images.
// DropDownWidth is the drop-down part of a tbsDropDown button, else 0.
classlib::TRect ToolBtnCaptionRect(const TToolBtnLayoutInput& In, bool BarHasImages, bool HasImage, int CaptionWidth,
                                   int DropDownWidth, int State);

}  // namespace skin
