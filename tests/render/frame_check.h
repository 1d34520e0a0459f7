// Frame checks shared by the drawing tests: a poisoned canary around the
// view area that drawing must leave intact, frame hashes, and the picture
// a mismatching frame is written to.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "render/draw_routines.h"
#include "render/frame.h"
#include "render/screen_mode.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv::test {

constexpr uint8_t kCanary = 0xA5;

inline size_t AreaBytes() { return FrameAreaBytes(); }

// Everything of the allocation outside the screen mode's area.
inline void PoisonAroundArea() {
  uint8_t* start = FrameStart();
  std::memset(frame_memory, kCanary, size_t(start - frame_memory));
  std::memset(start + AreaBytes(), kCanary, sizeof frame_memory - size_t(start - frame_memory) - AreaBytes());
}
inline bool CanaryIntact() {
  const uint8_t* start = FrameStart();
  for (const uint8_t* p = frame_memory; p < start; p++)
    if (*p != kCanary) return false;
  for (const uint8_t* p = start + AreaBytes(); p < frame_memory + sizeof frame_memory; p++)
    if (*p != kCanary) return false;
  return true;
}

// Registers, then screen mode `mode` with the canary poisoned around it.
inline void StartFrame(int mode) {
  if (register_count < kReservedRegisters) AllocRegisters(0);
  ResetRegisters();
  SetScreenMode(mode);
  PoisonAroundArea();
}

// A blank area in the installed mode, registers kept.
inline void ClearArea() {
  std::memset(FrameStart(), 0, AreaBytes());
  PoisonAroundArea();
}

inline uint8_t Pixel(int32_t x, int32_t y) { return frame_buffer[row_offsets[y] + uint32_t(x)]; }

// The area as an 8-bit colour-mapped TGA; index i gets a colour of its own
// (0 black). Returns the file's path.
inline std::string WriteAreaPicture(const std::string& name) {
  std::string path = name + ".tga";
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return "(not written)";
  uint16_t w = uint16_t(frame_width), h = uint16_t(frame_area_height);
  uint8_t head[18] = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0, uint8_t(w), uint8_t(w >> 8), uint8_t(h), uint8_t(h >> 8), 8,
                      0x20};
  std::fwrite(head, 1, sizeof head, f);
  for (int i = 0; i < 256; i++) {
    uint8_t bgr[3] = {uint8_t(i * 173), uint8_t(i * 91), uint8_t(i * 37)};
    if (i == 0) std::memset(bgr, 0, 3);
    std::fwrite(bgr, 1, 3, f);
  }
  std::fwrite(FrameStart(), 1, AreaBytes(), f);
  std::fclose(f);
  return path;
}

// Compares the area with a golden hash; a mismatch writes the picture.
inline void ExpectAreaHash(uint64_t golden, const std::string& name) {
  uint64_t h = FrameAreaHash();
  if (h != golden) {
    std::string path = WriteAreaPicture(name);
    ADD_FAILURE() << name << ": frame hash 0x" << std::hex << h << " (golden 0x" << golden << "), picture in "
                  << path;
  }
}

}  // namespace tolv::test
