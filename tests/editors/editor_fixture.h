// A small level for the editor tests: tiles 1-4 of colours 10, 20, 30, 40
// (rows alternate with one more, so offsets show), and four 100x70
// planes, plane k holding tile k + 1 in columns 12k to 12k + 9 only, so
// each plane shows in a band of its own. The palette is black but for the
// tiles' browns, red at 100 and white at 200.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>

#include "../render/frame_check.h"
#include "base/key_state.h"
#include "base/message_log.h"
#include "editors/editor_state.h"
#include "editors/editor_view.h"
#include "game/engine_init.h"
#include "world/editor_plane_state.h"
#include "world/level.h"
#include "world/palette.h"
#include "world/tile.h"

namespace tolv::test {

constexpr uint32_t kPlaneWidth = 100, kPlaneHeight = 70;

inline uint8_t TileColour(uint32_t tile) { return uint8_t(tile * 10); }

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitEngine();
    StartEditors();
    ResetEditors();
    ClearMessages();
    std::memset(key_state, 0, sizeof key_state);
    active_screen = 0;
    ResizeTiles(5);
    for (uint32_t t = 1; t < 5; t++) {
      for (int i = 0; i < 64; i++) tiles[t].frame_store[i] = uint8_t(TileColour(t) + (i / 8) % 2);
      tiles[t].opaque = 1;
    }
    BuildLevel({kPlaneRelative, kPlaneFlat, kPlaneHTiled, kPlaneFlat});
    ResetPaletteBanks();
    for (uint8_t i = 10; i <= 41; i++) SetColour(i, {uint8_t(i * 4), uint8_t(i * 3), uint8_t(i * 2)});
    SetColour(100, {255, 0, 0});
    SetColour(200, {255, 255, 255});
  }
  void TearDown() override {
    ResetEditors();
    active_screen = 0;
    std::memset(key_state, 0, sizeof key_state);
    ResetEditorPlaneState();
    FreeLevel();
    ResetPaletteBanks();
  }
  static void SetColour(uint8_t i, std::array<uint8_t, 3> rgb) { SetPaletteEntry(i, rgb.data()); }
  static void BuildLevel(std::initializer_list<uint8_t> types) {
    PlaneList next;
    uint32_t k = 0;
    for (uint8_t type : types) {
      TilePlane* p = next.Add(type, kPlaneWidth, kPlaneHeight);
      p->active_view0 = 1;
      for (uint32_t y = 0; y < kPlaneHeight; y++)
        for (uint32_t x = 12 * k; x < 12 * k + 10; x++) *PlaneCell(*p, x, y) = uint16_t(k + 1);
      for (uint32_t l = 0; l < PlaneLineCount(type, kPlaneWidth, kPlaneHeight); l++) p->line_factors[l] = 64;
      p->other_factor = 64;
      k++;
    }
    SwapLevelPlanes(next);
  }
  // Key k pressed this frame (and held).
  static void Press(uint8_t k) { key_state[k] = key_state[128 + k] = key_state[256 + k] = 1; }
  static void Release() { std::memset(key_state, 0, 512); }
  // The tile colours (rows folded onto the tile's own) in frame rows
  // first..last - 1.
  static std::set<int> ColoursIn(int32_t first, int32_t last) {
    std::set<int> seen;
    for (int32_t y = first; y < last; y++)
      for (int32_t x = 0; x < frame_width; x++) {
        uint8_t c = FrameStart()[size_t(y) * size_t(frame_width) + size_t(x)];
        if (c >= 10 && c <= 41) seen.insert(c / 10 * 10);
      }
    return seen;
  }
};

}  // namespace tolv::test
