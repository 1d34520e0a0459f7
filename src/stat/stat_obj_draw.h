// Drawing screen layouts: the running object's instance, root 0 in the
// level (its scroll pair follows the camera), root 1 on the screen, and
// every node below them clipped inside its parent.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tolv {

struct StatObjElement;

void DrawStatObj();
// The text a number element (kinds 12-15) shows; false when its digit
// count (1-10) or its player names nothing to show.
bool FormatNumberElement(const StatObjElement& e, char* out, size_t size);

}  // namespace tolv
