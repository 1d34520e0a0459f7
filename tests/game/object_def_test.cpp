// Object definition files: inline frames, the seven function kinds, type
// records with their tag letters, and the fatal checks.
#include "game/object_defs.h"
#include "loading_fixture.h"
#include "objects/builtin_routines.h"
#include "objects/character.h"
#include "objects/object_pool.h"
#include "render/image.h"
#include "world/sprite_sets.h"

namespace tolv::test {
namespace {

using ObjectDefTest = LoadingTest;

TEST_F(ObjectDefTest, FramesCutFromImages) {
  Load("full.gdf");
  ASSERT_EQ(sprite_set_counts.total, 2);
  const SpriteSet& s0 = *sprite_sets[0];
  ASSERT_EQ(s0.frame_count, 2);
  const SpriteFrame& f = s0.frames[0];
  EXPECT_EQ(f.width, 16);
  EXPECT_EQ(f.height, 8);
  const Box& m = f.mirrored_box;
  EXPECT_EQ(std::vector<int32_t>({m.left, m.top, m.right, m.bottom}), std::vector<int32_t>({-1, -1, 15, 7}));
  ASSERT_EQ(f.attack_count, 1);
  const Box& a = f.mirrored_attack_boxes[0];
  EXPECT_EQ(std::vector<int32_t>({a.left, a.top, a.right, a.bottom}), std::vector<int32_t>({3, -1, 7, 3}));
  ASSERT_EQ(f.hotspot_count, 1);
  EXPECT_EQ(f.mirrored_hotspots[0].x, 4);
  EXPECT_EQ(f.mirrored_hotspots[0].y, 1);
  // The TGA frame holds the sheet's pixels at (0, 8): compare colours
  // through the image it was cut from (the last one loaded).
  const SpriteFrame& t = sprite_sets[1]->frames[0];
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 8; x++)
      EXPECT_EQ(t.pixels[y * 8 + x], sprite_image.pixels[(8 + y) * sprite_image.width + x]);
  EXPECT_EQ(t.mirrored_hurt_boxes[0].left, 5);  // hurt box 1..2 in a frame 8 wide
}

int image_loads = 0;
int CountingLoader(const char* name, Image* image, int flag) {
  image_loads++;
  return LoadImageFile(name, image, flag);
}

TEST_F(ObjectDefTest, AnImageLoadsOncePerRun) {
  load_image_file = CountingLoader;
  image_loads = 0;
  Load("full.gdf");
  load_image_file = LoadImageFile;
  EXPECT_EQ(image_loads, 4);  // the font's pcx; the objects' pcx for two frames, tga; the character's pcx again
}

TEST_F(ObjectDefTest, TypeRecordsAndTags) {
  Load("full.gdf");
  ASSERT_EQ(object_type_counts.total, 3);
  const ObjectType& t = object_types[1];
  EXPECT_EQ(t.default_draw_key, 10);
  EXPECT_EQ(uint32_t(t.range_action), 0x40000001u);
  EXPECT_EQ(t.flags, 3);
  EXPECT_EQ(t.builtin_movement, builtin_movers[1]);
  EXPECT_EQ(t.builtin_drawing, builtin_drawers[1]);
  EXPECT_EQ(t.movement_label, 1);
  EXPECT_EQ(t.drawing_label, 65535);
  ASSERT_EQ(t.variable_count, 2u);
  EXPECT_STREQ(t.initialisers[0], "R5");
  EXPECT_STREQ(t.initialisers[1], "ThisInitialiserIsLo");
  ASSERT_EQ(t.sprite_list_count, 2);
  EXPECT_EQ(t.sprite_lists[0], sprite_sets[1]);
  EXPECT_EQ(t.sprite_lists[1], &characters[0].sprites);
  EXPECT_EQ(std::vector<uint16_t>(t.sounds, t.sounds + t.sound_count), std::vector<uint16_t>({1, 0}));
  EXPECT_EQ(std::vector<uint16_t>(t.type_list, t.type_list + t.type_list_count), std::vector<uint16_t>({2, 1}));
  ASSERT_EQ(t.parameter_list_count, 2);
  EXPECT_EQ(std::vector<int32_t>(t.parameter_lists[0], t.parameter_lists[0] + 3), std::vector<int32_t>({12, 2, -7}));
  EXPECT_EQ(std::vector<int32_t>(t.parameter_lists[1], t.parameter_lists[1] + 3), std::vector<int32_t>({1, 14, 5}));
  const ObjectType& u = object_types[2];
  EXPECT_EQ(uint32_t(u.range_action), 0x80000000u);
  EXPECT_EQ(u.flags, 1);
  EXPECT_EQ(u.movement_label, 1);
  EXPECT_TRUE(Logged("Ambiguous Script Mover Func"));
  EXPECT_TRUE(Logged("Game Obj 2 refernces Func \"1\""));
  EXPECT_TRUE(Logged("Defaulting to Game Mover Func 1"));
  EXPECT_TRUE(Logged("Please use G/Z/A tags here"));
  EXPECT_EQ(u.sprite_lists[0], sprite_sets[0]);
}

TEST_F(ObjectDefTest, ZoneFileCountsFromItsScope) {
  Start("full.gdf");
  ASSERT_EQ(object_type_counts.total, 4);
  EXPECT_EQ(object_type_counts.zone, 1);
  const ObjectType& z = object_types[3];
  EXPECT_EQ(z.movement_label, 2);  // zone Movement 0 after two game ones
  EXPECT_TRUE(Logged("Defaulting to Zone Mover Func 0"));
  EXPECT_EQ(z.sprite_lists[0], sprite_sets[2]);  // the first set of zone.spr
  EXPECT_FALSE(Logged("Creating one Zone set with a blank frame"));
  EXPECT_EQ(sprite_set_counts.zone, 2);
  ASSERT_EQ(sprite_sets[2]->frame_count, 3);
  EXPECT_EQ(sprite_sets[2]->frames[1].width, 16);
  EXPECT_EQ(sprite_sets[2]->frames[0].mirrored_attack_boxes[1].left, -5);
  EXPECT_EQ(object_code_sets[kMovementCode].total, 3);
  EXPECT_EQ(object_def_paths[1], "zone01/objects/zobj.def");
  EXPECT_EQ(WorkingFolder(), game_folder);
}

// An object definition file with one set of one frame and one type; the
// pieces the fatal cases change.
struct DefText {
  std::string frame = ":8\n:8\n:0\n:0\n";  // width, height, x, y
  std::string boxes = ":0\n:0\n:1\n:1\n:0\n:0\n:0\n";  // main box, attack, hurt and hot spot lists
  std::string functions = std::string(7, '0');
  std::string counts = ":0\n";        // variable count
  std::string drawer = ":0\n";        // built-in drawing routine
  std::string sprites = ":1\n:g0\n";  // sprite list
  std::string lists = ":0\n:0\n:0\n:0\n";  // Animation labels, sounds, type list, parameter lists
  std::string Text() const {
    std::string t = ":1\n:1\n:../images/sheet.pcx\n" + frame + ":0\n:0\n:0\n:0\n" + boxes;
    for (char c : functions) t += c == '0' ? ":0\n:0\n" : c == 'a' ? ":4\n:2\n:funcs/two.def\n:funcs/three.def\n"
                                                      : c == 'b' ? ":4\n:1\n:funcs/two.def\n" : ":1\n:1\n:funcs/none.def\n";
    t += ":1\n:0\n" + counts + ":0\n:X\n:0\n:0\n" + drawer + ":0\n:0\n:0\n:0\n:0\n:0\n:0\n:0\n:0\n" + sprites;
    return t + lists;
  }
};

TEST_F(ObjectDefTest, FatalChecks) {
  Write(Game() / "objects" / "funcs" / "two.def", ":2\n#End\n#End\n");
  Write(Game() / "objects" / "funcs" / "three.def", ":3\n#End\n#End\n#End\n");
  auto fails_with = [&](const DefText& d) {
    Write(Game() / "objects" / "objects.def", d.Text());
    return FatalMessage([&] { Load("full.gdf"); });
  };
  const std::string tail = "\nWidth and height must be 1 or greater\n\"Invisible\" sprites should load a \"blank\" pixel";
  DefText d;
  EXPECT_EQ(fails_with(d), "");
  d.frame = ":8\n:8\n:24\n:8\n";  // ends on the image's right and bottom edges
  EXPECT_EQ(fails_with(d), "");
  // Positions near the top of the range must not wrap past the check
  // (UBSan and ASan show the fault when they do).
  for (const char* beyond : {":8\n:8\n:25\n:8\n", ":8\n:8\n:2147483647\n:0\n", ":8\n:8\n:0\n:2147483647\n",
                             ":8\n:8\n:2147483641\n:2147483641\n"}) {
    d.frame = beyond;
    EXPECT_EQ(fails_with(d), "Sprite load attempted to read beyond the bounds of the loaded image") << beyond;
  }
  d = DefText();
  d.boxes = ":-2147483648\n:0\n:2147483647\n:1\n:1\n:-2147483648\n:-2147483648\n:2147483647\n:2147483647\n:0\n"
            ":1\n:-2147483648\n:2147483647\n";  // mirrored sums wrap, never overflow
  EXPECT_EQ(fails_with(d), "");
  d = DefText();
  // Sizes as written, not cut to 16 bits.
  for (auto [frame, says] : {std::pair{":0\n:0\n", "width 0 and height 0"}, {":65536\n:4\n", "width 65536"},
                             {":65536\n:65536\n", "width 65536 and height 65536"}, {":4\n:0\n", "height 0"},
                             {":4\n:65537\n", "height 65537"}, {":-1\n:4\n", "width -1"}}) {
    d.frame = std::string(frame) + ":0\n:0\n";
    EXPECT_EQ(fails_with(d), "Sprite 0 Frame 0 - Invalid " + std::string(says) + tail);
  }
  d = DefText();
  d.functions = "0a00000";
  EXPECT_EQ(fails_with(d), "4 Game Object Drawing Functions allocated by Object Def\nCurrent file attempts to load a total of 5");
  d.functions = "0000b00";
  EXPECT_EQ(fails_with(d), "4 Game Object Animation Functions allocated by Object Def\nOnly 2 were defined and loaded");
  d.functions = "c000000";
  EXPECT_EQ(fails_with(d), "funcs/none.def not found");
  d = DefText();
  d.drawer = ":8\n";
  EXPECT_EQ(fails_with(d), "Game Obj 0 - no built-in Drawing routine 8\nThere are 8");
  d.drawer = ":-1\n";
  EXPECT_EQ(fails_with(d), "Game Obj 0 - no built-in Drawing routine -1\nThere are 8");
  d = DefText();
  d.sprites = ":1\n:z0\n";  // no zone is loaded with the game
  EXPECT_EQ(fails_with(d), "Game Obj 0 - sprite set 1 is not loaded\nOnly 1 sprite sets exist here");
  d.sprites = ":1\n:p1\n";
  EXPECT_EQ(fails_with(d), "Game Obj 0 - sprite list names character 1\nOnly 1 characters are loaded");
  d.sprites = ":-1\n";
  EXPECT_EQ(fails_with(d), "Invalid sprite list count -1\nCounts run from 0 to 65535");
  d = DefText();
  d.counts = ":70000\n";
  EXPECT_EQ(fails_with(d), "Invalid variable count 70000\nCounts run from 0 to 65528");
  Write(Game() / "game.def", FullGameDef(17, "objects/none.def"));
  EXPECT_EQ(FatalMessage([&] { Load("full.gdf"); }), "File \"none.def\" not found");
}

// A file that ends inside a list: the list read so far belongs to its
// frame or type, which the unload frees (LSan shows it lost otherwise).
TEST_F(ObjectDefTest, ListsCutShortByTheEndOfTheFileAreHeldForTheUnload) {
  DefText d;
  d.lists = ":2\n:g0\n";
  Write(Game() / "objects" / "objects.def", d.Text());
  EXPECT_EQ(FatalMessage([&] { Load("full.gdf"); }), "File ended unexpectedly");
  ASSERT_EQ(object_types[0].animation_label_count, 2);
  EXPECT_NE(object_types[0].animation_labels, nullptr);
  d.lists = ":0\n:0\n:3\n:g0\n";
  Write(Game() / "objects" / "objects.def", d.Text());
  EXPECT_EQ(FatalMessage([&] { Load("full.gdf"); }), "File ended unexpectedly");
  EXPECT_NE(object_types[0].type_list, nullptr);
  const std::string text = d.Text();
  Write(Game() / "objects" / "objects.def", text.substr(0, text.find(d.boxes)) + ":0\n:0\n:1\n:1\n:2\n:0\n");
  EXPECT_EQ(FatalMessage([&] { Load("full.gdf"); }), "File ended unexpectedly");
  ASSERT_EQ(sprite_sets[0]->frames[0].attack_count, 2);
  EXPECT_NE(sprite_sets[0]->frames[0].attack_boxes, nullptr);
}

TEST_F(ObjectDefTest, BinarySpriteFileTakesTheStandIn) {
  std::string zeros;
  for (int i = 0; i < 16; i++) zeros += ":0\n";  // sprite file "0", seven empty kinds, no types
  Write(Game() / "objects" / "objects.def", zeros);
  Load("full.gdf");
  EXPECT_TRUE(Logged("Can't open sprite file for read:"));
  EXPECT_TRUE(Logged("0"));
  EXPECT_TRUE(Logged("Creating one Game set with a blank frame"));
  EXPECT_EQ(sprite_set_counts.game, 1);
}

}  // namespace
}  // namespace tolv::test
