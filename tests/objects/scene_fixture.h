// Scenes for the draw pass tests: the world fixture with a real screen
// mode, a few tiles and planes, sprite sets and a font.
#pragma once
#include <deque>
#include <string>

#include "../render/frame_check.h"
#include "../render/sprite_fixture.h"
#include "objects/draw_pass.h"
#include "objects/stat_obj_hooks.h"
#include "render/font.h"
#include "world/sprite_sets.h"
#include "world/tile_plane.h"
#include "world_fixture.h"

namespace tolv::test {

// Solid sprites: set 0 frames of 12, 8 and 4 pixels square in colours 31,
// 32, 33; set 1 an asymmetric 6x4 frame with offsets (-3, -2).
class SceneTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    StartFrame(0);
    for (int k = 0; k < 3; k++) {
      squares_.emplace_back(12 - 4 * k, 12 - 4 * k);
      std::fill(squares_[k].pixels.begin(), squares_[k].pixels.end(), uint8_t(31 + k));
      frames_[k] = squares_[k].frame;
    }
    shape_ = TestSprite(6, 4, 5, -3, -2, -2, -1);
    sets_[0] = SpriteSet{frames_, 3}, sets_[1] = SpriteSet{&shape_.frame, 1};
    set_ptrs_[0] = &sets_[0], set_ptrs_[1] = &sets_[1];
    sprite_sets = set_ptrs_, sprite_set_counts.total = sprite_set_counts.game = 2;
    for (int t = 1; t < 4; t++) {
      types[t].sprite_lists = set_ptrs_, types[t].sprite_list_count = 2;
      types[t].variable_count = 4;
    }
    kept_free_ = free_stat_obj, kept_draw_ = draw_stat_obj;
    free_stat_obj = [](int32_t) {};
  }
  void TearDown() override {
    EXPECT_TRUE(CanaryIntact());
    sprite_sets = nullptr, sprite_set_counts = ScopeCounts{};
    planes = nullptr, plane_count = 0, tiles = nullptr, tile_count = 0;
    fonts = nullptr, font_counts = ScopeCounts{};
    debug_types = nullptr, debug_type_count = 0;
    box_outlines = 0;
    WorldTest::TearDown();
    free_stat_obj = kept_free_, draw_stat_obj = kept_draw_;
  }

  // Tiles: 0 empty, 1 solid 40, 2 a checker of 41 and colour 0, 3 rows
  // 50 + y. Two 16x8-tile planes: 0 Relative of tile 1 with a diagonal of
  // tile 3, 1 H Tiled of tile 2 with every other row empty.
  void BuildPlanes() {
    for (int t = 0; t < 4; t++) {
      for (int i = 0; i < 64; i++) {
        int x = i % 8, y = i / 8;
        tile_px_[t][i] = t == 0 ? 0 : t == 1 ? 40 : t == 2 ? ((x + y) % 2 ? 41 : 0) : uint8_t(50 + y);
      }
      tiles_[t] = Tile{};
      tiles_[t].current_frame = tile_px_[t];
      tiles_[t].opaque = t == 1 || t == 3;
    }
    tiles = tiles_, tile_count = 4;
    for (int p = 0; p < 2; p++) {
      TilePlane& pl = planes_[p];
      pl = TilePlane{};
      pl.width = 16, pl.height = 8, pl.cell_count = 128, pl.map_cells = 128, pl.type = uint8_t(p == 0 ? 1 : 2);
      pl.map = maps_[p], pl.row_starts = row_starts_;
      pl.line_offsets = offsets_[p], pl.line_wraps = wraps_[p], pl.other_wrap = 8;
      for (int i = 0; i < 128; i++)
        maps_[p][i] = uint16_t(p == 0 ? (i % 16 == i / 16 ? 3 : 1) : (i / 16 % 2 ? 0 : 2));
      for (int r = 0; r < 8; r++) offsets_[p][r] = 0, wraps_[p][r] = 16, row_starts_[r] = uint32_t(r * 16);
    }
    planes = planes_, plane_count = 2;
  }
  ObjectSlot* SpawnPlane(int32_t index, int32_t active, int32_t key) {
    int32_t args[2] = {index, active};
    EXPECT_TRUE(SpawnObject(kTypePlaneSwitch, 0, 0, key, 0, 0, 2, args));
    return last_spawned_slot;
  }
  // An object of type t showing frame f of set `set`, lane 0 running.
  ObjectSlot* SpawnShowing(int t, int32_t x, int32_t y, int32_t set, uint16_t f, int32_t key = 0) {
    if (types[t].animation_label_count == 0) {
      anim_label_ = AddFunction(kAnimationCode, {{kYieldLoop, 0}});
      types[t].animation_labels = &anim_label_, types[t].animation_label_count = 1;
    }
    ObjectSlot* o = Spawn(t, key, 0, x, y);
    o->vars[4] = set;
    o->animation_ctx.frame_values[0] = f;
    return o;
  }
  // A kind-4 font (blank, digits): glyph g is g + 1 pixels wide, 3 high, colour 10 + g.
  void BuildFont() {
    for (uint32_t g = 0; g < 11; g++) {
      glyph_sprites_.emplace_back(int(g + 1), 3);
      std::fill(glyph_sprites_.back().pixels.begin(), glyph_sprites_.back().pixels.end(), uint8_t(10 + g));
      glyphs_[g] = glyph_sprites_.back().frame;
    }
    font_ = Font{glyphs_, 4};
    fonts = &font_, font_counts.total = font_counts.game = 1;
  }
  static int Count(uint8_t colour) {
    int n = 0;
    for (size_t i = 0; i < AreaBytes(); i++) n += FrameStart()[i] == colour;
    return n;
  }

  std::deque<TestSprite> squares_, glyph_sprites_;
  TestSprite shape_{1, 1};
  SpriteFrame frames_[3], glyphs_[11];
  SpriteSet sets_[2];
  SpriteSet* set_ptrs_[2];
  Font font_;
  uint16_t anim_label_ = 0;
  uint8_t tile_px_[4][64];
  Tile tiles_[4];
  TilePlane planes_[2];
  uint16_t maps_[2][128];
  uint32_t row_starts_[8], wraps_[2][8];
  int32_t offsets_[2][8];
  void (*kept_free_)(int32_t) = nullptr;
  void (*kept_draw_)() = nullptr;
};

}  // namespace tolv::test
