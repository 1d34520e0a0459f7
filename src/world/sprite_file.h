// Sprite files: a u16 set count, then per set a u16 frame count, the
// colour table (u8 count N, the N palette indexes its pixels use,
// ascending) and the frames; per frame u16 width and height, the pixels
// as B-bit table codes (B the bit length of N), then the offsets, the main
// box (left, right, top, bottom) and the counted attack boxes, hurt boxes
// and hot spots. Big-endian; mirrored forms are computed on reading.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "world/sprite_frame.h"

namespace tolv {

constexpr uint32_t kMaxSpriteFileSize = 256u << 20;  // a larger file is not read
// Pixels of all frames of one file, refused both ways beyond: a file of
// one-bit codes would otherwise ask for eight bytes a byte it holds.
constexpr uint64_t kMaxSpriteFilePixels = uint64_t{256} << 20;

// Bits a pixel code takes for a table of n colours: 0 for none, else the
// bit length of n (2 colours take 2 bits).
uint32_t SpriteCodeBits(uint32_t n);

// One set body (colour table and `count` frames) into zeroed frames,
// taking their pixels from *pixels_left. False when the bytes are
// malformed or run out, or the pixels pass what is left; the frames may
// then be partly filled and are freed by the caller. Codes beyond the
// table read as 0; an empty table with frames is malformed.
bool ReadSpriteSet(ByteReader& in, SpriteFrame* frames, uint16_t count, uint64_t* pixels_left);
// A u16 frame count and a set body into a new set; false (set empty) when
// malformed.
bool ReadCountedSpriteSet(ByteReader& in, SpriteSet* set);
// A whole file into new sets; false (and `sets` empty) when malformed.
bool ReadSpriteFile(ByteReader& in, std::vector<SpriteSet>& sets);
// Frees the frames of a set and empties it.
void FreeSetFrames(SpriteSet& set);

// The file's bytes; false with the reason (one message-log line) when a
// set cannot be described: all 256 colours used, a side of 0, more pixels
// than a file may hold, more than 65535 sets.
bool BuildSpriteFile(ByteWriter& out, const SpriteSet* const* sets, uint32_t set_count, std::string* why);
// Builds and saves the file (a character's frames are a one-set file) at a
// game path: a leading separator is the game root, else the current
// folder; a path outside the game folder is not written. 1 on success; 0
// after the notices, with any old file left as it was.
int WriteSpriteFile(const char* path, const SpriteSet* const* sets, uint32_t set_count);

}  // namespace tolv
