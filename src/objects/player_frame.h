// The sprite frame a player shows, the box it gives, and the world box
// kept in the player's record.
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

// The shown frame's box relative to the player, plain or mirrored per axis
// as the box flip and flip words say, and taken crosswise when `turned` (a
// wall). A missing frame gives the box of a blank one.
Box PlayerFrameBox(PlayerRecord* r, bool turned);

}  // namespace tolv
