// The sprite frame a player shows, the box it gives, and the world box
// kept in the player's record.
#pragma once
#include <cstdint>

#include "script/records.h"
#include "world/sprite_frame.h"

namespace tolv {

// PlayerRecord::motion after the ten box fields of the movement routines:
// the player in level pixels, written by the boundary events and the
// player-vs-object pass (which shifts them for the wrap cell it visits).
enum WorldBoxWord : int {
  kWorldCentreX = 10,
  kWorldCentreY,
  kWorldX,
  kWorldY,
  kWorldLeft,
  kWorldRight,
  kWorldTop,
  kWorldBottom,
};
constexpr int kWorldFieldCount = 8;

// Frame n of the player's character, or null.
const SpriteFrame* PlayerFrame(const PlayerRecord* r, uint32_t n);
// The frame of the player's character that lane 0 of its main context
// shows (frame 0 when the context has no lane); null when there is none.
const SpriteFrame* PlayerFrame(const PlayerRecord* r);

// A player's box flip variants (box flip XOR flip, low bit).
bool PlayerFlipH(PlayerRecord* r);
bool PlayerFlipV(PlayerRecord* r);

// The shown frame's box relative to the player, plain or mirrored per axis
// as the box flip and flip words say, and taken crosswise when `turned` (a
// wall). A missing frame gives the box of a blank one.
Box PlayerFrameBox(PlayerRecord* r, bool turned);

}  // namespace tolv
