// Writing sprite files: the whole file is built in memory first, so a set
// the format cannot describe is refused before anything touches the disk.
#include <cstdio>

#include "base/atomic_file.h"
#include "base/message_log.h"
#include "files/game_file_bytes.h"
#include "world/bit_packing.h"
#include "world/sprite_file.h"

namespace tolv {

namespace {

void PutBox(ByteWriter& out, const Box& b) {
  out.U32(uint32_t(b.left));
  out.U32(uint32_t(b.right));
  out.U32(uint32_t(b.top));
  out.U32(uint32_t(b.bottom));
}

void PutBoxes(ByteWriter& out, const Box* boxes, uint8_t n) {
  out.U8(n);
  for (uint32_t i = 0; i < n; i++) PutBox(out, boxes ? boxes[i] : Box{});
}

void PutFrame(ByteWriter& out, const SpriteFrame& f, const uint8_t* codes, uint32_t bits) {
  out.U16(f.width);
  out.U16(f.height);
  BitWriter bw{&out};
  for (uint32_t i = 0, n = uint32_t(f.width) * f.height; i < n; i++) WriteBits(bw, codes[f.pixels ? f.pixels[i] : 0], bits);
  FlushBits(bw);
  for (int16_t v : {f.draw_x, f.draw_y, f.back_draw_x, f.flip_draw_y}) out.U16(uint16_t(v));
  PutBox(out, f.box);
  PutBoxes(out, f.attack_boxes, f.attack_count);
  PutBoxes(out, f.hurt_boxes, f.hurt_count);
  out.U8(f.hotspot_count);
  for (uint32_t i = 0; i < f.hotspot_count; i++) {
    HotSpot h = f.hotspots ? f.hotspots[i] : HotSpot{};
    out.U32(uint32_t(h.x));
    out.U32(uint32_t(h.y));
  }
}

// Marks the colours the set's pixels use (a frame without pixels is colour
// 0) and counts its pixels into *pixels; false with the reason when the
// set cannot be written: the colour count is one byte, so 255 is the most
// a set can name, and a side of 0 or a file over the pixel cap would be
// refused on reading.
bool MarkColours(const SpriteSet& set, uint32_t s, bool used[256], uint64_t* pixels, std::string* why) {
  char text[128];
  for (uint32_t i = 0; i < set.frame_count; i++) {
    const SpriteFrame& f = set.frames[i];
    *pixels += uint64_t{f.width} * f.height;
    if (f.width < 1 || f.height < 1) {
      std::snprintf(text, sizeof text, "Set %u frame %u: size %ux%u", s, i, f.width, f.height);
      *why = text;
      return false;
    }
    if (*pixels > kMaxSpriteFilePixels) {
      std::snprintf(text, sizeof text, "Set %u frame %u: more than %llu pixels in the file", s, i,
                    static_cast<unsigned long long>(kMaxSpriteFilePixels));
      *why = text;
      return false;
    }
    if (!f.pixels) used[0] = true;
    for (uint32_t p = 0, n = uint32_t(f.width) * f.height; f.pixels && p < n; p++) used[f.pixels[p]] = true;
  }
  uint32_t n = 0;
  for (int c = 0; c < 256; c++) n += used[c];
  if (n < 256) return true;
  std::snprintf(text, sizeof text, "Set %u uses all 256 colours", s);
  *why = text;
  return false;
}

}  // namespace

bool BuildSpriteFile(ByteWriter& out, const SpriteSet* const* sets, uint32_t set_count, std::string* why) {
  if (set_count > 65535) {
    *why = "More than 65535 sprite sets";
    return false;
  }
  out.U16(set_count);
  uint64_t pixels = 0;
  for (uint32_t s = 0; s < set_count; s++) {
    const SpriteSet& set = *sets[s];
    bool used[256] = {};
    if (!set.frames && set.frame_count) {
      *why = "Set " + std::to_string(s) + " has no frames";
      return false;
    }
    if (!MarkColours(set, s, used, &pixels, why)) return false;
    uint8_t codes[256] = {};
    uint32_t n = 0;
    out.U16(set.frame_count);
    size_t count_at = out.Size();
    out.U8(0);
    for (int c = 0; c < 256; c++)
      if (used[c]) {
        codes[c] = uint8_t(n++);
        out.U8(c);
      }
    out.bytes[count_at] = uint8_t(n);
    uint32_t bits = SpriteCodeBits(n);
    for (uint32_t i = 0; i < set.frame_count; i++) PutFrame(out, set.frames[i], codes, bits);
  }
  return true;
}

int WriteSpriteFile(const char* path, const SpriteSet* const* sets, uint32_t set_count) {
  ByteWriter out;
  std::string why;
  if (!BuildSpriteFile(out, sets, set_count, &why)) {
    ShowMessage("Can't write sprite file:");
    ShowMessage(path);
    ShowMessage(why.c_str());
    return 0;
  }
  std::string target;
  if (!GameWritePath(path, &target) || !SaveFileAtomically(target, out.bytes)) {
    ShowMessage("Can't open file for writing:");
    ShowMessage(path);
    return 0;
  }
  return 1;
}

}  // namespace tolv
