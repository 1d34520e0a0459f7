// Tiles: 8x8 pictures with animation, floor and angle bytes and a
// collision map.
#pragma once
#include <cstdint>

namespace tolv {

struct Tile {
  uint8_t* current_frame = nullptr;  // frame_store + 64 * frame_index
  uint8_t* frame_store = nullptr;    // frame_count * 64 bytes, row by row (y*8 + x)
  uint8_t anim_counter = 0;
  uint8_t frame_index = 0;
  uint8_t delay_pos = 0;
  uint8_t frame_count = 0;
  uint8_t delay_count = 0;
  uint8_t* delays = nullptr;
  uint8_t opaque = 0;  // no colour-0 pixel in any frame
  uint8_t floor = 0;
  uint8_t angle = 0;
  uint8_t collision[64] = {};  // column by column: index x*8 + y
};

extern Tile* tiles;
extern uint16_t tile_count;

}  // namespace tolv
