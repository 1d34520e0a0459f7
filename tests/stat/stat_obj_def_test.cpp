// Layout definition files: every section and element kind, node coding,
// key codes, measuring and the scope trims.
#include "script/string_slots.h"
#include "stat/stat_obj_def.h"
#include "stat_obj_world.h"

namespace tolv::test {

using StatObjDefs = StatObjWorld;

// Two nodes (node 0 with a group of two combinations, one of them empty),
// two strings (one empty), a list of three frames over two images, two
// menu entries and one element of every kind.
static Layout FullLayout() {
  Layout l;
  l.counters = "3";
  l.selection = "1";
  l.nodes =
      "2 "
      "255 10 20 0 0 99 49 1 0 1 2 1  2  2 t5 h6  0  3 "
      "0 5 6 0 0 30 30 1 1 4 5 0";
  l.strings = "2 HELLO <empty>";
  l.sprites = "1 3  a.pcx 0 0 8 4  a.pcx 8 0 6 4  b.pcx 0 0 2 2";
  l.sets = "2  6 7 1 1  1 1 m1t2 8   9 10 255 0";
  l.elements =
      "10 "
      "0 255 0 n 1 0 4 6 "
      "1 z2 3 1 254 0 0 "
      "2 0 c4 1 255 0 0 "
      "3 9 1 255 0 0 "
      "10 255 0 g0 1 1 2 3 "
      "11 z1 a0 1 255 0 0 "
      "12 4 0 R3 0 1 255 0 0 "
      "13 20 1 r7 0 1 255 0 0 "
      "14 255 3 0 a2 0 1 255 0 0 "
      "15 1 2 0 c1 0 1 255 0 0";
  l.functions = "2 #45 :r100 :7\n#End\n#45 :r101 :8\n#End\n";
  return l;
}

TEST_F(StatObjDefs, EverySectionLoadsIntoTheRecords) {
  AddFont(3);
  ResizeStringSlots(3);
  game_string_count = 2;
  object_sprite_set_counts = [] { return ScopeCounts{0, 0, 0, 5}; };
  int def = Load(FullLayout());
  object_sprite_set_counts = [] { return ScopeCounts{}; };
  const StatObjDef& d = stat_obj_defs[def];
  EXPECT_EQ(d.counter_count, 3);
  EXPECT_EQ(d.initial_selection, 3);
  ASSERT_EQ(d.node_count, 2);
  const StatObjNodeDef& n0 = d.nodes[0];
  EXPECT_EQ(n0.parent, 255);  // kept as read
  EXPECT_EQ(n0.x, 10);
  EXPECT_EQ(n0.bottom, 49);
  EXPECT_EQ(n0.enter_function, 1);
  EXPECT_EQ(n0.leave_function, 2);
  ASSERT_EQ(n0.trigger_group_count, 1);
  const TriggerGroup& g = n0.trigger_groups[0];
  ASSERT_EQ(g.combination_count, 2);
  EXPECT_EQ(g.combinations[0].key_count, 2);
  EXPECT_EQ(g.combinations[0].keys[0], 5);
  EXPECT_EQ(g.combinations[0].keys[1], 134);
  EXPECT_EQ(g.combinations[1].key_count, 0);
  EXPECT_EQ(g.function, 3);
  EXPECT_EQ(d.nodes[1].trigger_set, 1);
  ASSERT_EQ(d.string_count, 2);
  EXPECT_STREQ(d.strings[0], "HELLO");
  EXPECT_STREQ(d.strings[1], "");
  ASSERT_EQ(d.sprite_list_count, 1);
  ASSERT_EQ(d.sprite_lists[0].frame_count, 3);
  EXPECT_EQ(image_loads, (std::vector<std::string>{"glyphs.pcx", "a.pcx", "b.pcx"}));
  const SpriteFrame& f1 = d.sprite_lists[0].frames[1];
  EXPECT_EQ(f1.width, 6);
  EXPECT_EQ(f1.pixels[0], 8);  // cut at (8, 0)
  ASSERT_EQ(d.trigger_set_count, 2);
  EXPECT_EQ(d.trigger_sets[0].owner, 3);
  EXPECT_EQ(d.trigger_sets[0].groups[0].combinations[0].keys[0], 512 + 30 + 2);
  EXPECT_EQ(d.trigger_sets[1].owner, 1);
  EXPECT_EQ(d.trigger_sets[1].enter_function, 9);
  ASSERT_EQ(d.element_count, 10);
  const StatObjElementDef* e = d.elements;
  EXPECT_EQ(e[0].source_def, def);  // 255: this definition
  EXPECT_EQ(e[0].start_function, 65535);
  EXPECT_EQ(e[0].parent, 0);
  EXPECT_EQ(e[0].width, 8);
  EXPECT_EQ(e[0].half_height, 2);
  EXPECT_EQ(e[1].source, 7);  // z2 after 5 game sets
  EXPECT_EQ(e[1].start_function, 3);
  EXPECT_EQ(e[1].parent, 254);
  EXPECT_EQ(e[2].start_function, -4);
  EXPECT_EQ(e[3].source, 9);
  EXPECT_EQ(e[3].start_function, 65535);
  EXPECT_EQ(e[4].width, 5 * 8);  // "HELLO" in 8-pixel glyphs
  EXPECT_EQ(e[4].height, 16);
  EXPECT_EQ(e[4].half_width, 20);
  EXPECT_EQ(e[5].source, 3);  // z1 after 2 game slots
  EXPECT_EQ(e[6].source_def, 4);
  EXPECT_EQ(e[6].value, static_cast<int32_t>(kRegisterBit + 256 + 3));
  EXPECT_EQ(e[7].source_def, 10);  // digit counts are kept to 1..10
  EXPECT_EQ(e[7].source, 1);
  EXPECT_EQ(e[7].value, static_cast<int32_t>(kRegisterBit + 7));
  EXPECT_EQ(e[8].frame, 255);
  EXPECT_EQ(e[8].value, 20 + 39 + 2);
  EXPECT_EQ(e[9].value, 10);
  EXPECT_EQ(d.functions.total, 2);
  FreeStringSlots();
  game_string_count = 0;
}

TEST_F(StatObjDefs, KeyCodeTokens) {
  const uint32_t e = key_map_entry_count, b = 3 * e;
  auto code = [](const char* t) { return ParseStatKeyCode(std::string(t).data()); };
  EXPECT_EQ(code("t5"), 5);
  EXPECT_EQ(code("H5"), 133);
  EXPECT_EQ(code("r5"), 261);
  EXPECT_EQ(code("m1t2"), 512 + b + 2);
  EXPECT_EQ(code("m1h2"), 512 + b + e + 2);
  EXPECT_EQ(code("M2R3"), 512 + 2 * b + 2 * e + 3);
  EXPECT_EQ(code("m1"), 512 + b);
  EXPECT_EQ(code("pt2"), 32768 + 2);
  EXPECT_EQ(code("ph2"), 32768 + e + 2);
  EXPECT_EQ(code("pr2"), 32768 + 2 * e + 2);
  EXPECT_EQ(code("p4"), 32768 + 4);
  EXPECT_EQ(code("7"), 7);
  EXPECT_THROW(code("px2"), LayoutFailure);
}

TEST_F(StatObjDefs, NodeCodingOfSelectionAndOwners) {
  Layout l;
  l.nodes = "4 " + std::string(4 * 1, ' ');
  for (int i = 0; i < 4; i++) l.nodes += "255 0 0 0 0 9 9 1 0 0 0 0 ";
  l.sets = "3  0 0 254 0  0 0 3 0  0 0 9 0";
  for (auto [sel, want] : {std::pair{"255", 1}, {"254", 0}, {"3", 5}, {"4", 255}}) {
    l.selection = sel;
    const StatObjDef& d = stat_obj_defs[Load(l)];
    EXPECT_EQ(d.initial_selection, want) << sel;
    EXPECT_EQ(d.trigger_sets[0].owner, 0);
    EXPECT_EQ(d.trigger_sets[1].owner, 5);
    EXPECT_EQ(d.trigger_sets[2].owner, 255);  // beyond the nodes: owned by none
  }
}

TEST_F(StatObjDefs, FatalFilesAndLimits) {
  EXPECT_THROW(LoadStatObjDef("nothing.def", 0), LayoutFailure);
  Layout many;
  many.nodes = "254";
  EXPECT_EQ(LoadFailure(many), "Stat Obj with 254 nodes: at most 253 are allowed");
  Layout image;
  image.sprites = "1 1 missing.pcx 0 0 4 4";
  EXPECT_EQ(LoadFailure(image), "File \"missing.pcx\" not found");
  Layout outside;
  outside.sprites = "1 1 a.pcx 120 0 16 4";
  EXPECT_EQ(LoadFailure(outside), "Sprite load attempted to read beyond the bounds of the loaded image");
  TrimStatObjDefs();
  for (int i = 0; i < kMaxStatObjDefs; i++) Load(Layout{});
  EXPECT_NE(LoadFailure(Layout{}).find("at most 255"), std::string::npos);
  EXPECT_EQ(stat_obj_def_counts.total, 255);
}

// Source definitions that do not exist yet, strings and lists beyond the
// counts, and glyphs beyond the font kind measure 0.
TEST_F(StatObjDefs, MissingSourcesMeasureZero) {
  AddFont(4);  // 11 glyphs: no letters
  Layout l;
  l.strings = "1 AB12";
  l.sprites = "1 1 a.pcx 0 0 5 5";
  l.elements = "5  0 g7 0 n 1 255 0 0  0 255 3 n 1 255 0 0  10 255 0 0 1 255 0 0  10 255 4 0 1 255 0 0  10 255 0 9 1 255 0 0";
  const StatObjDef& d = stat_obj_defs[Load(l)];
  EXPECT_EQ(d.elements[0].width, 0);   // definition 7 is not loaded
  EXPECT_EQ(d.elements[1].width, 0);   // list 3 of 1
  EXPECT_EQ(d.elements[2].width, 16);  // only the digits have glyphs
  EXPECT_EQ(d.elements[3].width, 0);   // string 4 of 1
  EXPECT_EQ(d.elements[4].width, 0);   // font 9
  EXPECT_EQ(TextWidth("1a", 0), 8u);
}

TEST_F(StatObjDefs, TrimsKeepOuterScopes) {
  int game = Load(Layout{}, 0);
  Load(Layout{}, 1);
  Load(Layout{}, 2);
  Layout with_function;
  with_function.functions = "1 #45 :r100 :7\n#End\n";
  Load(with_function, 2);
  EXPECT_EQ(stat_obj_def_counts.total, 4);
  TrimActStatObjDefs();
  EXPECT_EQ(stat_obj_def_counts.total, 2);
  EXPECT_EQ(stat_obj_def_counts.act, 0);
  EXPECT_EQ(stat_obj_defs[3].functions.total, 0);
  TrimZoneStatObjDefs();
  EXPECT_EQ(stat_obj_def_counts.total, 1);
  EXPECT_EQ(stat_obj_def_counts.game, 1);
  EXPECT_EQ(stat_obj_defs[game].counter_count, 4);
  Load(Layout{}, 1);
  EXPECT_EQ(stat_obj_def_counts.total, 2);
  EXPECT_EQ(stat_obj_def_counts.zone, 1);
}

}  // namespace tolv::test

namespace tolv::test {

TEST_F(StatObjDefs, FontListsLoadFromTheirFoldersPerScope) {
  ASSERT_EQ(std::system((std::string("mkdir -p ") + folder + "/f/g").c_str()), 0);
  Write("f/g/big.def", ":0\n:glyphs.pcx\n:4\n:2\n:32\n");
  Write("f/g/digits.def", ":4\n:glyphs.pcx\n:3\n:5\n:11\n");
  Write("list.def", ":2\n:f/g/big.def\n:f\\g\\digits.def\n");
  LoadFontList("list.def", 0);
  LoadFontList("list.def", 1);
  LoadFontList("list.def", 2);
  EXPECT_EQ(font_counts.total, 6);
  EXPECT_EQ(font_counts.zone, 2);
  EXPECT_EQ(GetGameRelativeFolder(), "/");  // back in the list's folder
  ASSERT_EQ(fonts[0].kind, 0);
  EXPECT_EQ(fonts[0].glyphs[255].width, 4);
  EXPECT_EQ(fonts[0].glyphs[255].pixels[0], 124 + 14);  // column 31, row 7
  EXPECT_EQ(GlyphWidth(&fonts[1], 10), 3u);
  EXPECT_EQ(GlyphWidth(&fonts[1], 11), 0u);  // kind 4 has 11 glyphs
  EXPECT_EQ(TextWidth("A9", 1), 3u);
  EXPECT_EQ(TextWidth("A9", 0), 8u);
  FreeActFonts();
  EXPECT_EQ(font_counts.total, 4);
  FreeZoneFonts();
  EXPECT_EQ(font_counts.total, 2);
  EXPECT_EQ(font_counts.game, 2);
  EXPECT_THROW(LoadFontList("none.def", 0), LayoutFailure);
  Write("f/bad.def", ":9\n:glyphs.pcx\n:4\n:2\n:32\n");
  Write("bad.def", ":1\n:f/bad.def\n");
  EXPECT_THROW(LoadFontList("bad.def", 0), LayoutFailure);
  ReturnToGameRoot();  // a fatal error leaves the folder of the failing file
  Write("f/wide.def", ":0\n:glyphs.pcx\n:64\n:16\n:4\n");
  Write("wide.def", ":1\n:f/wide.def\n");
  EXPECT_THROW(LoadFontList("wide.def", 0), LayoutFailure);  // cells leave the image
  ReturnToGameRoot();
}

}  // namespace tolv::test
