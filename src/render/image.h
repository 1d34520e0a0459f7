// Images loaded for cutting sprite frames, and the loader slot the image
// readers fill.
#pragma once
#include <cstdint>

#include "world/sprite_frame.h"

namespace tolv {

struct Image {
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t* pixels = nullptr;  // width * height palette indexes, row by row
  uint8_t palette[768] = {};  // red, green, blue of each index, as the file gave them
};

// Reads a PCX (first byte 10: version 5, 8 bits, one plane, run-length
// coded, 256-colour trailer) or TGA (first byte 0: colour-mapped, plain or
// run-length coded) image through the game file layer. A missing or
// unreadable file shows the name and why in the message log and returns 0
// with the image unchanged.
int LoadImageFile(const char* name, Image* image, int set_palette);
void FreeImage(Image* image);
// Gives the frame its own copy of the width x height area at (x, y) of
// the image; false (frame untouched) when the area leaves the image.
bool CutFrameFromImage(const Image* image, SpriteFrame* frame, int32_t x, int32_t y);

// The image every frame-block loader cuts from.
extern Image sprite_image;

// Loads a PCX or TGA image into `image`; 1 on success, 0 (image unchanged)
// when the file is missing. LoadImageFile by default.
extern int (*load_image_file)(const char* name, Image* image, int set_palette);

}  // namespace tolv
