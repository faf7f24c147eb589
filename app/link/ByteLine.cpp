#include "app/link/ByteLine.h"

namespace app::link {
namespace {
ByteLine* activeLine = nullptr;
}

ByteLine* ActiveLine() { return activeLine; }
void SetActiveLine(ByteLine* line) { activeLine = line; }

}  // namespace app::link
