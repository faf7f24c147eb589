#pragma once
// The shared constants of the skinning engine as one name: types and records, option state and
// user texts. New units include only the part they use.
#include "skin/core/sConstOptions.h"
#include "skin/core/sConstTexts.h"
#include "skin/core/sConstTypes.h"
