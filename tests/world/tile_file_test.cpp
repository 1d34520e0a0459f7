// The tile-set file: every version's layout, damaged files, the ".dat"
// companion, archive members, saving and the two file commands.
#include <algorithm>

#include "files/archive_writer.h"
#include "files/game_file_bytes.h"
#include "script/string_slots.h"
#include "stil_bytes.h"

namespace tolv::test {
namespace {

TEST_F(TileFileTest, Version4ReadsToTheModelAndWritesBackTheSameBytes) {
  Put("a.til", Stil(4));
  LoadTileFile("a.til");
  EXPECT_EQ(tile_file_path, "a.til");
  ASSERT_EQ(tile_count, 3);
  const Tile& t = tiles[0];
  EXPECT_EQ(t.angle, 11);
  EXPECT_EQ(t.floor, 7);
  EXPECT_EQ(t.frame_count, 3);
  ASSERT_EQ(t.delay_count, 2);
  EXPECT_EQ(t.delays[1], 5);
  EXPECT_EQ(t.frame_store[64 * 2 + 63], 3);
  EXPECT_EQ(t.current_frame, t.frame_store);
  EXPECT_EQ(t.opaque, 1);
  EXPECT_EQ(tiles[1].opaque, 0);
  EXPECT_EQ(tiles[2].opaque, 1);  // no frames, so no colour-0 pixel
  EXPECT_EQ(tiles[2].current_frame, kBlankTileFrame);
  EXPECT_EQ(tiles[1].collision[63], 127);
  ASSERT_EQ(palette_set_count(), 1u);
  const PaletteSet& s = palette_sets[0];
  ASSERT_EQ(s.rows.size(), 2u);
  EXPECT_EQ(s.rows[0].colours[0].red, 63);
  EXPECT_EQ(s.rows[0].colours[0].hold, 30);
  EXPECT_EQ(s.rows[0].cycle_delay, 2);
  EXPECT_TRUE(s.rows[1].colours.empty());
  EXPECT_EQ(s.tint_blue, 12);
  ASSERT_EQ(stamp_lists.size(), 1u);
  ASSERT_EQ(stamp_lists[0].size(), 1u);
  EXPECT_EQ(stamp_lists[0][0].width, 2u);
  EXPECT_EQ(stamp_lists[0][0].ids, (std::vector<uint16_t>{5, 6}));
  EXPECT_EQ(Written(), Stil(4));
}

TEST_F(TileFileTest, OlderVersionsScaleColoursAndMapAngleCodes) {
  struct Case {
    int version, red, angle;
    size_t stamps;
  };
  for (Case c : {Case{1, 252, 128, 0}, Case{2, 252, 11, 0}, Case{3, 252, 11, 1}, Case{4, 63, 11, 1}}) {
    SCOPED_TRACE(c.version);
    Put("a.til", Stil(c.version));
    LoadTileFile("a.til");
    EXPECT_EQ(palette_sets[0].rows[0].colours[0].red, c.red);
    EXPECT_EQ(palette_sets[0].tint_red, c.red);
    EXPECT_EQ(palette_sets[0].rows[0].colours[0].hold, 30);  // not a colour
    EXPECT_EQ(tiles[0].angle, c.angle);
    EXPECT_EQ(tiles[1].angle, 200);
    ASSERT_EQ(stamp_lists.size(), 1u);
    EXPECT_EQ(stamp_lists[0].size(), c.stamps);
    // What any version reads writes, reads and writes again the same.
    std::vector<uint8_t> first = Written();
    ByteReader r(first.data(), first.size());
    EXPECT_EQ(ReadTileData(r, false), 4);
    EXPECT_EQ(Written(), first);
  }
}

TEST_F(TileFileTest, Version0WithAndWithoutMagicAndCompanion) {
  for (bool magic : {true, false})
    for (bool companion : {true, false}) {
      SCOPED_TRACE(magic * 2 + companion);
      Put("a.til", Stil(4));
      LoadTileFile("a.til");  // maps to be replaced
      std::filesystem::create_directories(game() / "z");
      Put("z/1.til", Stil0(magic));
      std::filesystem::remove(game() / "z/1.dat");
      if (companion) Put("z/1.dat", Companion());
      ChangeWorkingFolder((game() / "z").c_str());
      LoadTileFile("../z/1.til");
      ChangeWorkingFolder(game().c_str());
      ASSERT_EQ(tile_count, 2000);
      EXPECT_EQ(tiles[0].angle, 1);
      EXPECT_EQ(tiles[1].angle, 16);
      EXPECT_EQ(tiles[0].current_frame[0], 3);
      EXPECT_EQ(tiles[2].opaque, 1);  // no frames
      EXPECT_EQ(tiles[1].collision[63], companion ? 64 : 0);
      EXPECT_EQ(tiles[1999].collision[0], companion ? 1999 % 256 : 0);
      ASSERT_EQ(palette_sets[0].rows.size(), 64u);
      EXPECT_EQ(palette_sets[0].water, 1);
      EXPECT_EQ(palette_sets[0].rows[5].colours[0].red, 63);  // as stored
      EXPECT_EQ(palette_sets[0].tint_blue, 3);
      EXPECT_EQ(stamp_lists.size(), 1u);
      EXPECT_EQ(collision_file_path, "../z/1.dat");
      EXPECT_EQ(tile_file_path, "../z/1.til");
    }
}

TEST_F(TileFileTest, CompanionNameReplacesTheLastComponentsExtension) {
  for (auto [in, out] : {std::pair{"1.til", "1.dat"}, {"../z/1.til", "../z/1.dat"}, {"tiles", "tiles.dat"},
                         {"a.b/tiles", "a.b/tiles.dat"}, {"x\\t.til", "x\\t.dat"}})
    EXPECT_EQ(CollisionFileName(in), out);
}

TEST_F(TileFileTest, UnknownVersionKeepsTheSetAndThePath) {
  Put("a.til", Stil(4));
  LoadTileFile("a.til");
  std::vector<uint8_t> five = Stil(4);
  five[4] = 5;
  Put("b.til", five);
  LoadTileFile("b.til");
  EXPECT_EQ(Written(), Stil(4));
  EXPECT_EQ(tile_file_path, "a.til");
  EXPECT_EQ(Notice(1), "Unknown version 5 of tile file b.til");
  ByteReader r(five.data(), five.size());
  EXPECT_EQ(ReadTileData(r, false), 5);
  EXPECT_EQ(Written(), Stil(4));
}

TEST_F(TileFileTest, EveryTruncationLeavesTheSetUnchanged) {
  Put("a.til", Stil(4));
  LoadTileFile("a.til");
  const std::vector<uint8_t> full = Stil(3), before = Written();
  for (size_t n = 0; n < full.size(); n++) {
    Put("cut.til", std::vector<uint8_t>(full.begin(), full.begin() + n));
    ClearMessages();
    LoadTileFile("cut.til");
    ASSERT_EQ(Written(), before) << n;
    ASSERT_EQ(Notice(1), "Bad tile file cut.til") << n;
  }
  EXPECT_EQ(tile_file_path, "a.til");
  // Version 0 cut short is a bad file too.
  const std::vector<uint8_t> v0 = Stil0(true);
  Put("v0.til", std::vector<uint8_t>(v0.begin(), v0.end() - 1));
  LoadTileFile("v0.til");
  EXPECT_EQ(Notice(1), "Bad tile file v0.til");
  EXPECT_EQ(Written(), before);
}

TEST_F(TileFileTest, ShortCompanionGivesItsWholeRecordsAndClearsTheRest) {
  const std::vector<uint8_t> dat = Companion();
  Put("v0.til", Stil0(true));
  for (size_t size : {dat.size() - 1, size_t{10 * 66 + 33}, size_t{0}}) {
    SCOPED_TRACE(size);
    const size_t whole = size / 66;
    Put("v0.dat", std::vector<uint8_t>(dat.begin(), dat.begin() + std::ptrdiff_t(size)));
    ClearMessages();
    LoadTileFile("v0.til");
    EXPECT_EQ(Notice(1), "");
    EXPECT_EQ(tile_file_path, "v0.til");
    ASSERT_EQ(tile_count, 2000);
    for (size_t t : {size_t{0}, size_t{9}, size_t{10}, size_t{1998}, size_t{1999}}) {
      const uint8_t* map = tiles[t].collision;
      if (t < whole) EXPECT_EQ(map[63], uint8_t(t + 63)) << t;
      else EXPECT_EQ(std::count(map, map + 64, 0), 64) << t;
    }
  }
}

TEST_F(TileFileTest, CountsBeyondTheBytesAllocateNothing) {
  // 65535 tiles, a 255-frame tile and a 65535x65535 stamp in tiny files.
  Bytes tiles_only, frames, stamp;
  tiles_only.text("STIL").u8({4}).u16(0xFFFF);
  frames.text("STIL").u8({4}).u16(1).u8({0, 0, 255, 0});
  stamp.text("STIL").u8({4}).u16(0).u8({0}).u16(1).u16(1).u16(0xFFFF).u16(0xFFFF);
  for (const Bytes* b : {&tiles_only, &frames, &stamp}) {
    ByteReader r(b->v.data(), b->v.size());
    EXPECT_EQ(ReadTileData(r, false), kBadTileData);
  }
  EXPECT_EQ(tile_count, 2000);
}

TEST_F(TileFileTest, ReadsAnArchiveMemberUpToItsEnd) {
  const std::vector<uint8_t> full = Stil(4);
  ArchiveWriter w;
  ASSERT_TRUE(BeginArchive(w, (game() / "game.tvp").c_str(), 7));
  for (auto [name, bytes] : {std::pair{"a.til", full}, {"cut.til", std::vector<uint8_t>(full.begin(), full.end() - 1)},
                             {"rest", std::vector<uint8_t>(full.end() - 1, full.end())}}) {
    ASSERT_TRUE(BeginArchiveMember(w, name));
    WriteArchiveBytes(w, bytes.data(), bytes.size());
    ASSERT_TRUE(EndArchiveMember(w));
  }
  ASSERT_TRUE(FinishArchive(w));
  ASSERT_EQ(OpenArchive("game.tvp"), 1);
  LoadTileFile("a.til");
  EXPECT_EQ(tile_count, 3);
  EXPECT_EQ(Written(), full);
  LoadTileFile("cut.til");  // the next member would complete it
  EXPECT_EQ(Notice(1), "Bad tile file cut.til");
  EXPECT_EQ(tile_file_path, "a.til");
}

TEST_F(TileFileTest, MissingFileResetsTheSet) {
  Put("a.til", Stil(4));
  LoadTileFile("a.til");
  const std::string long_name = "no/such/folder/with/a/rather/long/name.til";
  LoadTileFile(long_name.c_str());
  EXPECT_EQ(Notice(2), "Can't open " + long_name);
  ASSERT_EQ(tile_count, 2000);
  EXPECT_EQ(tiles[0].frame_count, 3);  // kept below 2000
  EXPECT_EQ(tiles[1999].frame_count, 1);
  ASSERT_EQ(palette_sets.size(), 1u);
  EXPECT_EQ(palette_sets[0].rows.size(), 64u);
  EXPECT_EQ(palette_sets[0].tint_blue, 12);
  EXPECT_EQ(stamp_lists.size(), 1u);
  EXPECT_TRUE(stamp_lists[0].empty());
  EXPECT_EQ(tile_file_path, "a.til");
}

TEST_F(TileFileTest, SaveReplacesOnlyWhenTheWholeFileIsWritten) {
  Put("a.til", Stil(1));
  LoadTileFile("a.til");
  ASSERT_TRUE(SaveTileFile("out.til"));
  EXPECT_EQ(Notice(1), "Saved out.til");
  std::vector<uint8_t> saved;
  ASSERT_EQ(ReadGameFileBytes("out.til", saved, 1 << 20), GameFileRead::kRead);
  EXPECT_EQ(saved, Written());
  std::filesystem::create_directories(game() / "dir.til");
  for (const char* bad : {"dir.til", "../outside.til", "nofolder/x.til"}) {
    ClearMessages();
    EXPECT_FALSE(SaveTileFile(bad));
    EXPECT_EQ(Notice(1), std::string("Can't save ") + bad);
  }
  EXPECT_FALSE(std::filesystem::exists(root_ / "outside.til"));
  EXPECT_TRUE(std::filesystem::is_directory(game() / "dir.til"));
  EXPECT_TRUE(SaveTileFile("%s%n.til"));
  EXPECT_EQ(Notice(1), "Saved %s%n.til");
  // a.til, out.til, dir.til, %s%n.til: no temporary file left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(game()), {}), 4);
}

TEST_F(TileFileTest, CommandsTakeSlotsRegistersAndTheCurrentFile) {
  Put("a.til", Stil(4));
  ResizeStringSlots(2);
  SetStringSlot(1, "a.til");
  registers[260] = 1;
  const uint32_t load_reg[] = {34, 0x40000000 | 260}, load_missing_slot[] = {34, 9};
  const uint32_t save_current[] = {1444, 0x7FFFFFFF}, load_current[] = {34, 0x7FFFFFFF};
  current_instruction = load_reg;
  stat_obj_commands[34]();
  EXPECT_EQ(tile_count, 3);
  tiles[0].floor = 99;
  current_instruction = save_current;
  timed_commands[1444]();
  EXPECT_EQ(Notice(1), "Saved a.til");
  tiles[0].floor = 0;
  current_instruction = load_current;
  script_commands[34]();
  EXPECT_EQ(tiles[0].floor, 99);
  ClearMessages();
  current_instruction = load_missing_slot;
  script_commands[34]();
  EXPECT_EQ(Notice(1), "");
  EXPECT_EQ(tile_count, 3);
  FreeStringSlots();
}

}  // namespace
}  // namespace tolv::test
