// PCX and TGA readers over the game file layer.
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "base/message_log.h"
#include "files/game_files.h"
#include "render/image.h"

namespace tolv {

constexpr uint32_t kMaxImageSide = 8192;  // keeps a bad header from asking for gigabytes

static uint32_t ReadLE16() {
  uint32_t lo = uint32_t(ReadGameFileByte()) & 255;
  return lo | (uint32_t(ReadGameFileByte()) & 255) << 8;
}

static void Skip(uint32_t n) {
  for (uint32_t i = 0; i < n; i++) ReadGameFileByte();
}

// PCX: 128-byte header, rows of bytes_per_line run-length coded bytes, then
// 12 and the 768-byte palette at the end of the file.
static const char* ReadPcx(std::vector<uint8_t>& px, uint32_t& w, uint32_t& h, uint8_t* pal) {
  ReadGameFileByte();  // 10
  uint32_t version = uint32_t(ReadGameFileByte()), coding = uint32_t(ReadGameFileByte());
  uint32_t bits = uint32_t(ReadGameFileByte());
  uint32_t x0 = ReadLE16(), y0 = ReadLE16(), x1 = ReadLE16(), y1 = ReadLE16();
  Skip(53);  // resolution, 16-colour palette, reserved byte
  uint32_t planes = uint32_t(ReadGameFileByte()), line = ReadLE16();
  if (version != 5 || coding != 1 || bits != 8 || planes != 1) return "PCX must be 8-bit, one plane, version 5";
  if (x1 < x0 || y1 < y0) return "PCX size is negative";
  w = x1 - x0 + 1, h = y1 - y0 + 1;
  if (w > kMaxImageSide || h > kMaxImageSide || line < w) return "PCX size is out of range";
  SeekGameFile(128, 0);
  px.assign(size_t(w) * h, 0);
  for (uint32_t y = 0; y < h; y++) {
    for (uint32_t x = 0; x < line;) {
      int c = ReadGameFileByte();
      if (c < 0) return "PCX data ends early";
      uint32_t run = 1;
      if ((c & 0xC0) == 0xC0) run = uint32_t(c & 0x3F), c = ReadGameFileByte();
      for (; run && x < line; run--, x++)
        if (x < w) px[size_t(y) * w + x] = uint8_t(c);
    }
  }
  if (SeekGameFile(-769, 2) != 0 || ReadGameFileByte() != 12) return "PCX has no 256-colour palette";
  for (int i = 0; i < 768; i++) pal[i] = uint8_t(ReadGameFileByte());
  return nullptr;
}

// TGA: colour-mapped (type 1) or its run-length coded form (type 9), 8-bit
// indexes, map entries of 15, 16, 24 or 32 bits.
static const char* ReadTga(std::vector<uint8_t>& px, uint32_t& w, uint32_t& h, uint8_t* pal) {
  uint32_t id_length = uint32_t(ReadGameFileByte()), map_type = uint32_t(ReadGameFileByte());
  uint32_t type = uint32_t(ReadGameFileByte());
  uint32_t map_first = ReadLE16(), map_length = ReadLE16(), entry_bits = uint32_t(ReadGameFileByte());
  Skip(4);
  w = ReadLE16(), h = ReadLE16();
  uint32_t depth = uint32_t(ReadGameFileByte()), descriptor = uint32_t(ReadGameFileByte());
  if (map_type != 1 || (type != 1 && type != 9) || depth != 8) return "TGA must be colour-mapped with 8-bit pixels";
  if (entry_bits != 15 && entry_bits != 16 && entry_bits != 24 && entry_bits != 32) return "TGA colour map entries are not 15 to 32 bits";
  if (!w || !h || w > kMaxImageSide || h > kMaxImageSide) return "TGA size is out of range";
  Skip(id_length);
  for (uint32_t i = 0; i < map_length; i++) {
    uint8_t rgb[3];
    if (entry_bits <= 16) {
      uint32_t v = ReadLE16();
      rgb[0] = uint8_t((v >> 10 & 31) * 255 / 31), rgb[1] = uint8_t((v >> 5 & 31) * 255 / 31);
      rgb[2] = uint8_t((v & 31) * 255 / 31);
    } else {
      rgb[2] = uint8_t(ReadGameFileByte()), rgb[1] = uint8_t(ReadGameFileByte()), rgb[0] = uint8_t(ReadGameFileByte());
      if (entry_bits == 32) ReadGameFileByte();
    }
    if (map_first + i < 256) std::memcpy(pal + 3 * (map_first + i), rgb, 3);
  }
  px.assign(size_t(w) * h, 0);
  size_t n = px.size();
  for (size_t i = 0; i < n;) {
    uint32_t count = 1, run = 0;
    if (type == 9) {
      int head = ReadGameFileByte();
      if (head < 0) return "TGA data ends early";
      count = uint32_t(head & 127) + 1, run = uint32_t(head & 128);
    }
    int v = ReadGameFileByte();
    for (; count && i < n; count--) {
      if (v < 0) return "TGA data ends early";
      px[i++] = uint8_t(v);
      if (!run && count > 1) v = ReadGameFileByte();
    }
  }
  if (!(descriptor & 0x20))  // bottom row first
    for (uint32_t y = 0; y < h / 2; y++)
      std::swap_ranges(px.begin() + y * w, px.begin() + (y + 1) * w, px.begin() + (h - 1 - y) * w);
  return nullptr;
}

int LoadImageFile(const char* name, Image* image, int set_palette) {
  (void)set_palette;  // the live palette belongs to the renderer; the image keeps its own
  if (!OpenGameFile(name)) {
    ShowMessage(name);
    ShowMessage("Image file not found");
    return 0;
  }
  int first = ReadGameFileByte();
  RewindGameFile();
  std::vector<uint8_t> px;
  uint32_t w = 0, h = 0;
  uint8_t pal[768] = {};
  const char* fault = first == 10 ? ReadPcx(px, w, h, pal) : first == 0 ? ReadTga(px, w, h, pal) : "Not a PCX or TGA image";
  CloseGameFile();
  if (fault) {
    ShowMessage(name);
    ShowMessage(fault);
    return 0;
  }
  auto* pixels = static_cast<uint8_t*>(std::malloc(px.size()));
  if (!pixels) throw std::bad_alloc();
  std::memcpy(pixels, px.data(), px.size());
  FreeImage(image);
  image->width = uint16_t(w), image->height = uint16_t(h), image->pixels = pixels;
  std::memcpy(image->palette, pal, sizeof pal);
  return 1;
}

}  // namespace tolv
