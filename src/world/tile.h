// Tiles: the one pool of 8x8 pictures that every tile plane indexes, each
// with its animation frames and delays, floor and angle bytes and a
// collision map.
#pragma once
#include <cstdint>
#include <vector>

namespace tolv {

struct Tile {
  const uint8_t* current_frame = nullptr;  // frame_store + 64 * frame_index; the blank frame without frames
  uint8_t* frame_store = nullptr;          // frame_count * 64 bytes, row by row (y*8 + x)
  uint8_t anim_counter = 0;                // calls the current step has shown so far
  uint8_t frame_index = 0;
  uint8_t delay_pos = 0;  // index into delays
  uint8_t frame_count = 0;
  uint8_t delay_count = 0;  // 0: not animated
  uint8_t* delays = nullptr;
  uint8_t opaque = 0;  // no colour-0 pixel in any frame (read without frames too): drawn whole
  uint8_t floor = 0;
  uint8_t angle = 0;           // 256 steps a turn
  uint8_t collision[64] = {};  // column by column: index x*8 + y
};

extern Tile* tiles;
extern uint16_t tile_count;

// 64 zero pixels: the frame of every tile without frames.
extern const uint8_t kBlankTileFrame[64];
// What an id beyond the set reads as: floor, angle and collision 0, no
// frames, drawn transparent (so nothing shows).
extern const Tile kEmptyTile;

// The one checked way to a tile by an id from a plane, a script or a file.
inline const Tile& TileAt(uint32_t id) { return id < tile_count ? tiles[id] : kEmptyTile; }

// n tiles: those from n on are freed, new ones get one blank frame of
// their own; kept tiles are untouched.
void ResizeTiles(uint16_t n);
// Frees frames and delays; no frames, not animated, floor and angle 0.
void FreeTileFrames(Tile& t);
// Every tile back on its first frame and first delay.
void ResetTileAnimation();
// One animation step of every animated tile.
void AnimateTiles();
void ClearCollisionMaps();

// Tile arrays parsed apart from the pool: frames and delays are owned by
// the records (malloc), freed by FreeTiles, or taken over by ReplaceTiles,
// which frees the pool's old records.
void FreeTiles(std::vector<Tile>& list);
void ReplaceTiles(std::vector<Tile>& fresh);

}  // namespace tolv
