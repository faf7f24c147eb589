#pragma once
// The graphics utility unit of the skin painter: blends and copies, colour conversions and marks,
// and filtered resampling, each in its own header.
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"
#include "skin/graphics/sStretch.h"
