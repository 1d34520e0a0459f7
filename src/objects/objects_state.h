// Start-up of the objects subsystem: its commands, its routines in the
// script machine's and the spawner's slots, the pools and the players.
#pragma once

namespace tolv {

void StartObjects();

}  // namespace tolv
