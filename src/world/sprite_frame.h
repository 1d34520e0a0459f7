// Sprite frames: pixels, drawing offsets, boxes and hot spots.
#pragma once
#include <cstdint>

namespace tolv {

struct Box {
  int32_t left, right, top, bottom;
};
struct HotSpot {
  int32_t x, y;
};

struct SpriteFrame {
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t* pixels = nullptr;  // width * height palette indexes, 0 transparent
  int16_t draw_x = 0, draw_y = 0;       // normal drawing offsets
  int16_t back_draw_x = 0;              // horizontally flipped
  int16_t flip_draw_y = 0;              // upside down
  Box box{};                            // main bounds
  Box mirrored_box{};
  uint8_t attack_count = 0, hurt_count = 0, hotspot_count = 0;
  Box* attack_boxes = nullptr;
  Box* mirrored_attack_boxes = nullptr;
  Box* hurt_boxes = nullptr;
  Box* mirrored_hurt_boxes = nullptr;
  HotSpot* hotspots = nullptr;
};

// A set of frames; sprite_sets holds the game's sets, then the zone's, then the act's.
struct SpriteSet {
  SpriteFrame* frames = nullptr;
  uint16_t frame_count = 0;
};

}  // namespace tolv
