// Saved states of the sample game: a load puts the game back so that it
// runs on as it did, references listed in "ptrs.def" come back, and a
// state that does not fit changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "audio/mixer.h"
#include "audio/music_player.h"
#include "audio/saved_blocks.h"
#include "audio/sound_queue.h"
#include "base/message_log.h"
#include "game/saved_state.h"
#include "objects/draw_order.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "script/handles.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/level.h"
#include "world/palette.h"
#include "world/tile.h"
#include "../world/level_bytes.h"
#include "sample_game_fixture.h"

namespace tolv::test {
namespace {

using Channel = std::tuple<uint16_t, uint8_t, uint8_t, uint32_t, uint64_t, uint16_t>;

struct Capture {
  WorldCapture world;
  std::vector<Channel> channels;
  uint16_t music;
  bool operator==(const Capture&) const = default;
};

Capture Take() {
  Capture c{CaptureWorld(), {}, music_voice.id};
  for (const SoundChannel& s : sound_channels)
    c.channels.emplace_back(s.sound, s.loop, s.paused, s.source_rate, s.pos, s.current_sample);
  return c;
}

// Game frames with a 60th of a second of sound mixed after each.
void Frames(uint32_t n) {
  static int16_t out[2 * 735];
  for (uint32_t i = 0; i < n; i++) {
    RunHeadlessFrames(1);
    MixAudio(out, 735);
  }
}

std::string LastMessage() {
  for (int i = kMessageLines - 1; i >= 0; i--)
    if (*MessageLine(i)) return MessageLine(i);
  return "";
}

class SavedStateTest : public SampleGameTest {
 protected:
  void WriteGameFile(const char* name, const std::string& text) { std::ofstream(Game() / name) << text; }
  void WriteGameFile(const char* name, const std::vector<uint8_t>& bytes) {
    std::ofstream(Game() / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  std::vector<uint8_t> ReadState() {
    std::ifstream in(Game() / "state.sav", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

TEST_F(SavedStateTest, LoadedGameRunsOnAsItDid) {
  Start(12345);
  Frames(60);
  queue_sound(1, kPlayLoop);
  Frames(1);
  ASSERT_TRUE(SaveState(kStateFileName));
  EXPECT_EQ(LastMessage(), "State Saved!");
  Frames(100);
  const Capture straight = Take();
  auto looping = [](const Channel& c) { return std::get<0>(c) == 1 && std::get<1>(c); };
  ASSERT_TRUE(std::any_of(straight.channels.begin(), straight.channels.end(), looping));  // the loop plays on

  ASSERT_TRUE(LoadState(kStateFileName));
  EXPECT_EQ(LastMessage(), "State Loaded!");
  EXPECT_EQ(CaptureWorld().frame, 61u);
  Frames(100);
  const Capture again = Take();
  EXPECT_EQ(again.world.registers, straight.world.registers);
  EXPECT_EQ(again.world.objects, straight.world.objects);
  EXPECT_EQ(again, straight);
}

constexpr uint32_t kU = 256;  // user register 0

TEST_F(SavedStateTest, ListedReferencesComeBack) {
  // Registers U20 and U21 hold objects, U23 a player, extra player variable 0 an object.
  WriteGameFile("ptrs.def", ":2\n:20\n:21\n:1\n:23\n:1\n:0\n:0\n");
  Start(1);
  Frames(5);
  ASSERT_GE(ActiveObjectCount(), 4u);
  PlayerRecord* p0 = &player_records[0];
  Reg(kU + 20) = EncodeObjectHandle(object_slots[3]);
  Reg(kU + 21) = EncodeObjectHandle(object_slots[4000]);  // no active object
  Reg(kU + 22) = 12345;
  Reg(kU + 23) = EncodePlayerHandle(&player_records[1]);
  PVar(p0, kPvWordCount) = EncodeObjectHandle(object_slots[2]);
  const ObjectSlot* third = object_slots[3];
  ASSERT_TRUE(SaveState(kStateFileName));
  Reg(kU + 20) = Reg(kU + 22) = Reg(kU + 23) = PVar(p0, kPvWordCount) = 0;
  Frames(10);

  ASSERT_TRUE(LoadState(kStateFileName));
  EXPECT_EQ(DecodeObjectHandle(Reg(kU + 20)), object_slots[3]);
  EXPECT_EQ(object_slots[3], third);
  EXPECT_EQ(DecodeObjectHandle(Reg(kU + 21)), &void_slot);
  EXPECT_EQ(Reg(kU + 22), 12345);
  EXPECT_EQ(DecodePlayerHandle(Reg(kU + 23)), &player_records[1]);
  EXPECT_EQ(DecodeObjectHandle(PVar(p0, kPvWordCount)), object_slots[2]);
}

// Header bytes as the format lays them out.
std::vector<uint8_t> Header(const std::string& game, uint8_t players, uint32_t user_regs, uint16_t level) {
  Bytes b;
  for (char c : game) b.U8(uint8_t(c));
  return b.U8(0).U32(7).U32(9).U8(players).U32(user_regs).U16(level).b;  // seed 7, frame 9
}

// Palette state from a pattern: the effect tables, then per bank and entry
// a live and a base colour that differ in every channel.
struct PaletteModel {
  uint8_t tables[3][256], live[2][256][3], base[2][256][3];
  explicit PaletteModel(uint8_t k) {
    for (int i = 0; i < 256; i++) {
      for (int t = 0; t < 3; t++) tables[t][i] = uint8_t(i * 7 + t * 50 + k);
      for (int b = 0; b < 2; b++)
        for (int c = 0; c < 3; c++) {
          live[b][i][c] = uint8_t(i + 40 * c + 100 * b + k);
          base[b][i][c] = uint8_t(255 - i - 30 * c - 90 * b - k);
        }
    }
  }
  static PaletteModel Running() {
    PaletteModel m(0);
    std::memcpy(m.tables, palette_effect_tables, sizeof m.tables);
    for (int b = 0; b < 2; b++)
      for (int i = 0; i < 256; i++)
        for (int c = 0; c < 3; c++) {
          m.live[b][i][c] = palette_banks[b].rgb[i][c];
          m.base[b][i][c] = palette_banks[b].base[c][i];
        }
    return m;
  }
  void Install() const {
    std::memcpy(palette_effect_tables, tables, sizeof tables);
    for (int b = 0; b < 2; b++) {
      SelectPaletteBank(b);
      for (uint32_t i = 0; i < 256; i++) RestorePaletteEntry(i, live[b][i], base[b][i]);
    }
    SelectPaletteBank(0);
  }
  // The section as the format lays it out.
  std::vector<uint8_t> Section() const {
    Bytes s;
    for (int i = 0; i < 256; i++) s.U8(tables[0][i]).U8(tables[1][i]).U8(tables[2][i]);
    for (int b = 0; b < 2; b++)
      for (int i = 0; i < 256; i++) {
        const uint8_t* l = live[b][i];
        const uint8_t* o = base[b][i];
        s.U8(l[0]).U8(l[2]).U8(l[1]).U8(o[0]).U8(o[1]).U8(o[2]);  // live red, blue, green
      }
    return s.b;
  }
  bool operator==(const PaletteModel& m) const { return std::memcmp(this, &m, sizeof m) == 0; }
};

TEST_F(SavedStateTest, PaletteSectionHoldsEffectTablesLiveAndBaseColours) {
  Start(4);
  Frames(5);
  const PaletteModel saved(0), other(77);
  saved.Install();
  ASSERT_TRUE(SaveState(kStateFileName));
  std::vector<uint8_t> whole = ReadState();
  ByteWriter audio;
  WriteAudioState(audio);  // the state's last part
  const std::vector<uint8_t> section = saved.Section();
  ASSERT_GE(whole.size(), audio.bytes.size() + section.size());
  const size_t at = whole.size() - audio.bytes.size() - section.size();
  EXPECT_TRUE(std::equal(section.begin(), section.end(), whole.begin() + long(at)));

  const std::vector<uint8_t> built = other.Section();
  std::copy(built.begin(), built.end(), whole.begin() + long(at));
  saved.Install();
  ASSERT_TRUE(LoadStateBytes(whole.data(), whole.size()));
  EXPECT_TRUE(PaletteModel::Running() == other);
  EXPECT_EQ(colour_lookup, palette_banks[0].packed);
}

struct Unchanged {
  Capture before = Take();
  uint16_t tiles = tile_count;
  uint8_t level_planes = plane_count;
  bool Holds() const { return Take() == before && tile_count == tiles && plane_count == level_planes; }
};

TEST_F(SavedStateTest, ForeignStatesChangeNothing) {
  Start(3);
  Frames(20);
  const uint16_t level = uint16_t(Reg(kRegLoadedZone) << 8 | Reg(kRegLoadedAct));
  const std::vector<uint8_t> body(4000, 0);
  struct Case {
    std::vector<uint8_t> header;
    const char* message;
  } cases[] = {
      {Header("other", player_count, user_register_count, level), "State is from a different game!"},
      {Header(game_name, uint8_t(player_count + 1), user_register_count, level), "Number of Active Players Doesn't Match!"},
      {Header(game_name, player_count, user_register_count + 1, level), "Number of Registers Doesn't Match!"},
      {Header(game_name, player_count, user_register_count, uint16_t(level + 1)), "State is from another level!"},
      {Header(game_name, player_count, user_register_count, level), "State is damaged!"},
  };
  for (Case& c : cases) {
    c.header.insert(c.header.end(), body.begin(), body.end());
    WriteGameFile("state.sav", c.header);
    Unchanged world;
    EXPECT_FALSE(LoadState(kStateFileName));
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_TRUE(world.Holds()) << c.message;
  }
  EXPECT_FALSE(LoadState("/none.sav"));
  EXPECT_EQ(LastMessage(), "Can't open State!");
}

// A good state with a sparse tail past 4 GiB, and a 5 GiB file: both over
// the bound, so neither is read.
TEST_F(SavedStateTest, StatesPast4GiBAreRefused) {
  Start(9);
  Frames(10);
  ASSERT_TRUE(SaveState(kStateFileName));
  const uint64_t good = std::filesystem::file_size(Game() / "state.sav"), gib = uint64_t(1) << 30;
  for (uint64_t size : {4 * gib + good, 5 * gib}) {
    std::filesystem::resize_file(Game() / "state.sav", size);
    Unchanged world;
    EXPECT_FALSE(LoadState(kStateFileName)) << size;
    EXPECT_EQ(LastMessage(), "Can't open State!");
    EXPECT_TRUE(world.Holds());
  }
}

// Zone and act registers that contradict the state's header: the state is
// refused whole. Only a level start still pending may want another level,
// and only one it can load: the sample has one zone of two acts.
TEST_F(SavedStateTest, LevelRegistersMustNameTheHeadersLevel) {
  Start(8);
  Frames(10);
  const int32_t zone = Reg(kRegZone), act = Reg(kRegAct);
  ASSERT_EQ(Reg(kRegLoadedZone), zone);
  ASSERT_EQ(Reg(kRegLoadedAct), act);
  struct Case {
    uint32_t reg;
    int32_t value, started;
    bool taken;
  } cases[] = {
      {kRegZone, zone + 1, 1, false},
      {kRegAct, act + 1, 1, false},
      {kRegLoadedZone, zone + 256, 1, false},  // the header keeps the low byte only
      {kRegLoadedAct, act + 256, 1, false},
      {kRegLoadedAct, act + 256, 0, false},
      // Saved between a level change and its start.
      {kRegZone, zone + 1, 0, false},  // no such zone folder
      {kRegZone, -1, 0, false},
      {kRegAct, 2, 0, false},  // the zone has no act 2
      {kRegAct, 1, 0, true},
      {kRegZone, 3, 0, true},  // a zone made below
  };
  std::filesystem::copy(Game() / "zone01", Game() / "zone03", std::filesystem::copy_options::recursive);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.reg << " " << c.value << " " << c.started);
    const int32_t kept = Reg(c.reg);
    Reg(c.reg) = c.value;
    Reg(kRegLevelStarted) = c.started;
    ASSERT_TRUE(SaveState(kStateFileName));
    Reg(c.reg) = kept;
    Reg(kRegLevelStarted) = 1;
    Unchanged world;
    EXPECT_EQ(LoadState(kStateFileName), c.taken);
    if (c.taken) {
      EXPECT_EQ(Reg(c.reg), c.value);
      EXPECT_EQ(Reg(kRegLevelStarted), 0);
      Frames(1);  // the level start loads what the state asked for
      EXPECT_EQ(Reg(c.reg + 2), c.value);
      Start(8);
      Frames(10);
    } else {
      EXPECT_EQ(LastMessage(), "State is damaged!");
      EXPECT_TRUE(world.Holds());
    }
  }
}

TEST_F(SavedStateTest, EveryTruncationChangesNothing) {
  Start(5);
  ResizeTiles(4);  // a small state, so that every length can be tried
  Frames(10);
  ASSERT_TRUE(SaveState(kStateFileName));
  const std::vector<uint8_t> whole = ReadState();
  Frames(3);
  Unchanged world;
  for (size_t n = 0; n < whole.size(); n++) {
    ASSERT_FALSE(LoadStateBytes(whole.data(), n)) << n;
    ASSERT_NE(LastMessage(), "State Loaded!") << n;
    ASSERT_TRUE(world.Holds()) << n;
  }
  EXPECT_TRUE(LoadStateBytes(whole.data(), whole.size()));
}

// Any byte of a state turned over: the load takes it or refuses it whole,
// and the game runs on either way.
TEST_F(SavedStateTest, DamagedBytesAreTakenWholeOrRefused) {
  Start(6);
  ResizeTiles(4);
  Frames(10);
  ASSERT_TRUE(SaveState(kStateFileName));
  const std::vector<uint8_t> whole = ReadState();
  for (size_t n = 0; n < whole.size(); n++) {
    std::vector<uint8_t> bad = whole;
    bad[n] ^= 0xA5;
    if (LoadStateBytes(bad.data(), bad.size())) RunHeadlessFrames(1);
    else ASSERT_NE(LastMessage(), "State Loaded!") << n;
  }
}

}  // namespace
}  // namespace tolv::test
