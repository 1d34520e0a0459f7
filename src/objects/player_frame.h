// The sprite frame a player shows, and the world box kept in its record.
#pragma once
#include "script/records.h"
#include "world/sprite_frame.h"

namespace tolv {

// The player's box in level pixels (PlayerRecord::motion), written by the
// boundary events and the player-vs-object pass.
enum WorldBoxWord : int { kWorldLeft = 14, kWorldRight = 15, kWorldTop = 16, kWorldBottom = 17 };

// The frame of the player's character that lane 0 of its main context
// shows (frame 0 when the context has no lane); null when there is none.
const SpriteFrame* PlayerFrame(const PlayerRecord* r);

}  // namespace tolv
