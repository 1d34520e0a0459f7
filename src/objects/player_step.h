// The players' part of the world update.
#pragma once
#include <cstdint>

#include "script/records.h"

namespace tolv {

// Key-state offsets of the current player's two pad rows, pointed by the
// player step before the player's scripts run.
extern uint32_t current_pad_row, current_pad_row2;

// Main lanes of the current player, by movement mode (8: debug placement,
// which runs them only while the zone has no debug placement types).
extern void (*const main_lane_runners[9])();
void RunPlayerMainLanes();

// Movement of every player whose object ran in the previous update.
void MoveDelayedPlayers();
// The step of a player's own object (type 9996): scripts, main lanes,
// camera and boundary events.
void RunPlayerStep(ObjectSlot* o);

}  // namespace tolv
