// Boundary events: rectangles of the current act that run their labels
// when a player's camera, position or box enters them.
#pragma once

namespace tolv {

// Writes the current player's world box, then tests the events of the act
// register 3 names for it. Stops when a label loads a level, zone or act.
void CheckBoundaryEvents();

}  // namespace tolv
