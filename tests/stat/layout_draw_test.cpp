// Screen layouts as drawn: hidden nodes and their descendants, clip
// rectangles inside their parents, number texts, animation lanes, and the
// world root following the camera.
#include "../objects/scene_fixture.h"
#include "memory_layout.h"
#include "stat/stat_obj_draw.h"

namespace tolv::test {
namespace {

class LayoutDraw : public SceneTest {
 protected:
  void Draw() {
    self_.stat_instance = layout.Publish();
    running_slot = &self_;
    DrawStatObj();
    running_slot = &void_slot;
  }
  MemoryLayout layout;
  ObjectSlot self_;
};

TEST_F(LayoutDraw, HiddenNodesHideTheirDescendants) {
  uint8_t hidden = layout.Node(1, 0, 0, 0, 0, 100, 100, 0);
  layout.Element(layout.Node(hidden, 10, 10, 0, 0, 50, 50), kElemSetSprite, 0, 0).frame = 2;
  uint8_t inverted = layout.Node(1, 0, 0, 100, 0, 99, 100);
  layout.Element(layout.Node(inverted, 10, 10, 0, 0, 50, 50), kElemSetSprite, 0, 0).frame = 2;
  layout.Element(layout.Node(1, 0, 0, 0, 0, 0, 50), kElemSetSprite, 0, 0).frame = 1;  // one column wide
  layout.Element(1, kElemSetSprite, 200, 0).visible = 2;
  Draw();
  EXPECT_EQ(Count(33), 0);
  EXPECT_EQ(Count(31), 0);
  EXPECT_EQ(Count(32), 8);
}

TEST_F(LayoutDraw, ChildrenStayInsideTheirParentsClip) {
  uint8_t parent = layout.Node(1, 100, 100, 0, 0, 19, 19);
  uint8_t child = layout.Node(parent, -50, -50, -100, -100, 300, 300);
  uint8_t grandchild = layout.Node(child, 60, 60, 0, 0, 5, 100);
  for (int dx = -40; dx <= 40; dx += 8)
    for (int dy = -40; dy <= 40; dy += 8) layout.Element(child, kElemSetSprite, 50 + dx, 50 + dy).frame = 0;
  layout.Element(grandchild, kElemSetSprite, 0, 0).frame = 0;
  Draw();
  EXPECT_EQ(Count(31), 400);  // exactly the parent's 20 x 20 pixels
  for (int y = 100; y < 120; y++)
    for (int x = 100; x < 120; x++) ASSERT_EQ(Pixel(x, y), 31);
  StatObjNode& g = layout.Drawn(grandchild);
  EXPECT_EQ((std::vector<int>{g.clip_left, g.clip_right, g.clip_top, g.clip_bottom}),
            (std::vector<int>{110, 115, 110, 119}));
  EXPECT_EQ(g.screen_x, 110);
}

TEST_F(LayoutDraw, WorldRootFollowsTheCameraAndTheScreenRootStays) {
  layout.Element(0, kElemSetSprite, 500, 300).frame = 2;
  layout.Element(1, kElemSetSprite, 20, 30).frame = 1;
  uint8_t in_world = layout.Node(0, 600, 300, 0, 0, 3, 3);
  layout.Element(in_world, kElemSetSprite, 0, 0).frame = 0;
  registers[kRegCameraX] = 480, registers[kRegCameraY] = 290;
  Draw();
  EXPECT_EQ(Pixel(20, 10), 33);
  EXPECT_EQ(Pixel(20, 30), 32);
  EXPECT_EQ(Pixel(120, 10), 31);
  EXPECT_EQ(Count(31), 16);
  EXPECT_EQ(layout.Drawn(0).drawn_scroll_x, 480);
  ClearArea();
  registers[kRegCameraX] = 490;
  Draw();
  EXPECT_EQ(Pixel(10, 10), 33);
  EXPECT_EQ(Pixel(20, 30), 32);
}

TEST_F(LayoutDraw, AnimationLanesDrawEveryFrameLaterOnTop) {
  StatObjElement& e = layout.Element(1, kElemSetSprite, 50, 50);
  uint16_t funcs[3] = {0, 0, 0}, values[3] = {0, 1, 2};
  e.start_function = 7;
  e.anim.lane_count = 3, e.anim.function_count = 1, e.anim.lane_funcs = funcs, e.anim.frame_values = values;
  Draw();
  EXPECT_EQ(Pixel(50, 50), 33);
  EXPECT_EQ(Pixel(55, 55), 32);
  EXPECT_EQ(Pixel(60, 60), 31);
  funcs[1] = funcs[2] = 65535;  // lanes that no longer run show nothing
  ClearArea();
  Draw();
  EXPECT_EQ(Pixel(50, 50), 31);
  EXPECT_EQ(Count(31), 144);
}

TEST_F(LayoutDraw, NumberTexts) {
  struct Case {
    uint8_t kind;
    uint16_t digits, hex;
    int32_t value;
    const char* text;  // null: nothing shown
  } cases[] = {
      {kElemRegBlank, 4, 0, 42, "  42"}, {kElemRegZero, 4, 0, 42, "0042"}, {kElemRegBlank, 2, 1, 255, "FF"},
      {kElemRegZero, 1, 0, 42, "42"},    {kElemRegZero, 3, 1, -1, "FFFFFFFF"}, {kElemRegBlank, 0, 0, 42, nullptr},
      {kElemRegBlank, 11, 0, 42, nullptr}, {kElemPlayerZero, 10, 0, -5, "-000000005"},
  };
  AllocPlayerVars();
  for (const Case& c : cases) {
    StatObjElement e;
    e.kind = c.kind, e.source_def = c.digits, e.source = c.hex;
    bool player = c.kind == kElemPlayerZero;
    e.value = player ? 5 : int32_t(kRegisterBit | 260), e.frame = 255;
    (player ? PlayerVar(&player_records[0], 5) : registers[260]) = c.value;
    char text[32] = "";
    EXPECT_EQ(FormatNumberElement(e, text, sizeof text), c.text != nullptr) << c.value;
    if (c.text) {
      EXPECT_STREQ(text, c.text);
    }
  }
  // Drawn in the element's font; a digit count of 0 draws nothing.
  BuildFont();
  StatObjElement& shown = layout.Element(layout.Node(1, 0, 0, 0, 0, 319, 239), kElemRegZero, 10, 20);
  shown.source_def = 2, shown.value = 260, shown.start_function = 0;
  StatObjElement& none = layout.Element(1, kElemRegZero, 10, 40);
  none.source_def = 0, none.value = 260, none.start_function = 0;
  registers[260] = 7;
  Draw();
  EXPECT_EQ(Pixel(10, 20), 11);  // '0'
  EXPECT_EQ(Pixel(12, 20), 18);  // '7'
  EXPECT_EQ(Pixel(10, 40), 0);
}

}  // namespace
}  // namespace tolv::test
