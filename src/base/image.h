// A loaded picture: what the image readers fill and sprite frames and font
// glyphs are cut from.
#pragma once
#include <cstdint>

namespace tolv {

struct Image {
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t* pixels = nullptr;  // width * height palette indexes, row by row
  uint8_t palette[768] = {};  // red, green, blue of each index, as the file gave them
};

}  // namespace tolv
