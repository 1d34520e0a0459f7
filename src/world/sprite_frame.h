// Sprite frames: pixels, drawing offsets, boxes and hot spots.
#pragma once
#include <cstdint>
#include <string>

#include "base/image.h"

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
  HotSpot* mirrored_hotspots = nullptr;
};

// A set of frames; sprite_sets holds the game's sets, then the zone's, then the act's.
struct SpriteSet {
  SpriteFrame* frames = nullptr;
  uint16_t frame_count = 0;
};

// width x height (each at least 1), zero offsets, box 0..width by
// 0..height, no boxes, hot spots or pixels.
void InitSpriteFrame(SpriteFrame* frame, int32_t width, int32_t height);
// Whether a frame block's width and height, as written, are sides a frame
// can have (1 to 65535).
inline bool FrameSizeFits(int32_t width, int32_t height) {
  return width >= 1 && width <= 65535 && height >= 1 && height <= 65535;
}
// The fatal text of a frame block whose size does not fit, after `head`
// ("Sprite 0 Frame 3"), naming the values as written.
std::string FrameSizeError(const std::string& head, int32_t width, int32_t height);
// Centres a frame on its owner (blank frames, editor inserts).
void InitFrameOffsets(SpriteFrame* frame);
// Frees pixels, boxes and hot spots (not the record); counts stay.
void FreeSpriteFrame(SpriteFrame* frame);
// Whether the frame's width x height area at (x, y) lies inside the image.
bool FrameFitsImage(const Image& image, const SpriteFrame& frame, int32_t x, int32_t y);
extern const char* const kCutBeyondImage;  // the fatal message of an area outside
// Gives the frame its own copy of the width x height area at (x, y) of the
// image; an area outside the image is a fatal script error.
void CutFrameFromImage(const Image* image, SpriteFrame* frame, int32_t x, int32_t y);
// A box or hot spot drawn mirrored: MX = width - 1 + x offset + backward
// x offset, MY likewise; (l, r, t, b) -> (MX - r, MX - l, MY - b, MY - t).
Box MirrorBox(const SpriteFrame& frame, const Box& box);
HotSpot MirrorHotSpot(const SpriteFrame& frame, const HotSpot& spot);
// Hot spot i of a frame, the mirrored one when asked for and there; null
// when the frame has no such point.
inline const HotSpot* FrameHotSpot(const SpriteFrame* f, uint32_t i, bool mirrored) {
  if (!f || i >= f->hotspot_count) return nullptr;
  const HotSpot* spots = mirrored && f->mirrored_hotspots ? f->mirrored_hotspots : f->hotspots;
  return spots ? spots + i : nullptr;
}
// Recomputes the mirrored box, boxes and hot spots from the plain ones.
void MirrorFrameBoxes(SpriteFrame* frame);
// A 1 x 1 frame of colour 1, centred; its pixel buffer is two bytes when
// the engine setting register is above 2.
void InitBlankFrame(SpriteFrame* frame);

}  // namespace tolv
