// Golden frames: one hand-built scene (two planes, sprites in every flip,
// a layout with text, box outlines) drawn in four screen modes and
// compared by hash; a mismatch writes the frame as a TGA picture.
#include "../objects/scene_fixture.h"
#include "../stat/memory_layout.h"
#include "stat/stat_obj.h"
#include "stat/stat_obj_draw.h"

namespace tolv::test {
namespace {

class GoldenFrame : public SceneTest {
 protected:
  void BuildScene() {
    BuildPlanes();
    planes_[0].line_offsets[0] = 5, planes_[0].other_offset = -3;  // Relative: one x offset
    for (int r = 0; r < 8; r++) planes_[1].line_offsets[r] = r * 3;  // H Tiled: each row its own
    planes_[1].other_offset = 2;
    SpawnPlane(0, 1, 100);
    SpawnPlane(1, 1, 40);
    types[1].builtin_drawing = builtin_drawers[4];  // flips by word 6
    for (int flip = 0; flip < 4; flip++) SpawnShowing(1, 40 + 30 * flip, 60, 1, 0, 50)->vars[6] = flip;
    SpawnShowing(1, 318, 120, 0, 0, 50);  // crosses the right edge at 320 wide
    SpawnShowing(1, 60, 200, 0, 1, 50);
    shape_.frame.box = Box{-3, 2, -2, 1};
    shape_.frame.mirrored_box = Box{-3, 2, -1, 2};
    box_outlines = 1;
    BuildFont();
    uint8_t panel = layout.Node(1, 8, 8, 0, 0, 60, 12);
    layout.Element(panel, kElemSetSprite, 0, 0).frame = 1;
    StatObjElement& score = layout.Element(panel, kElemRegZero, 10, 2);
    score.source_def = 5, score.value = int32_t(kRegisterBit | 260), score.start_function = 0;
    layout.Element(0, kElemSetSprite, 200, 40).frame = 2;  // in the level
    layout.Publish();
    stat_obj_def_counts.total = 1;
    build_stat_obj = [](uint32_t) { return int32_t{1}; };
    draw_stat_obj = DrawStatObj;
    int32_t args[2] = {0, 0};
    ASSERT_TRUE(SpawnObject(kTypeHud, 0, 0, -100, 0, 0, 2, args));
    UpdateWorld();  // sorts the spawns in by draw key
  }
  void DrawIn(int mode) {
    SetScreenMode(mode);
    PoisonAroundArea();
    registers[260] = 1234;
    registers[17] = registers[19] = 10, registers[18] = registers[21] = 4;
    DrawScene(0);
  }
  MemoryLayout layout;
};

TEST_F(GoldenFrame, SceneInFourScreenModes) {
  BuildScene();
  const std::pair<int, uint64_t> golden[] = {
      {0, 0x9555d9225b74029full}, {1, 0x9a20ac9176da9f6full}, {4, 0x685aaf44fb511403ull}, {5, 0xafcbccb1ad016b2full},
  };
  for (auto [mode, hash] : golden) {
    DrawIn(mode);
    EXPECT_TRUE(CanaryIntact());
    ExpectAreaHash(hash, "golden_scene_mode" + std::to_string(mode));
  }
}

}  // namespace
}  // namespace tolv::test
