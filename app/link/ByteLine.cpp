#include "app/link/ByteLine.h"

namespace devlink {
namespace {
ByteLine* activeLine = nullptr;
}

ByteLine* ActiveLine() { return activeLine; }
void SetActiveLine(ByteLine* line) { activeLine = line; }

}  // namespace devlink
