// The sections of a saved state (layout in docs/saved_states.md).
// Each Write appends its section; each Read parses one into the staged
// state without touching the running game, and the Install functions
// make a whole staged state the running one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "base/byte_writer.h"
#include "script/records.h"
#include "script/saved_lanes.h"
#include "stat/stat_obj_state.h"
#include "world/level_parse.h"
#include "world/tile_file.h"

namespace tolv {

constexpr uint16_t kNoPosition = 65535;  // a link or reference to no active object

struct StagedObject {
  std::vector<int32_t> vars;  // word 0 the type
  SavedLanes animation, movement, drawing;
  uint16_t parent = kNoPosition;
  std::vector<uint16_t> children;
  uint8_t mover = 0;
  uint16_t snapshot = 65535;
  uint8_t range_latch = 1, range_state = 255;
  StagedStatObj stat;  // types 9995 and 9998
};

struct StagedPlayer {
  uint8_t moved = 0, character = 255;
  std::vector<int32_t> vars;  // character vars, then player vars
  uint32_t object = kNoPosition, second = kNoPosition;
  SavedLanes main, character_lanes;
  std::vector<uint16_t> labels;
};

struct StagedState {
  uint32_t random_seed = 0, frame_counter = 0;
  std::string level_path, tile_path, layout_path;
  ParsedLevel level;
  StagedTileSet tiles;
  std::vector<StagedObject> objects, snapshots;
  std::vector<uint16_t> list_order;  // pool record of every list position
  std::vector<StagedPlayer> players;
  std::vector<int32_t> registers;
  SavedLanes global;
  uint8_t effect_tables[3][256] = {};
  uint8_t live[2][256][3] = {}, base[2][256][3] = {};  // per bank and entry: red, green, blue
};

// Strings are their bytes and a NUL.
inline void WriteString(ByteWriter& w, const std::string& text) {
  w.Bytes(text.c_str(), text.size() + 1);
}
bool ReadString(ByteReader& r, std::string& out);

// Level, tile set and the three file paths.
void WriteWorldSection(ByteWriter& w);
bool ReadWorldSection(ByteReader& r, StagedState& s);
// Plane view bytes and functions, palette row cycling, tile animation.
void WriteAnimationSection(ByteWriter& w);
bool ReadAnimationSection(ByteReader& r, StagedState& s);
// The palette effects' tables, then per bank and entry its live colour
// (red, blue, green) and its base colour (red, green, blue).
void WritePaletteSection(ByteWriter& w);
bool ReadPaletteSection(ByteReader& r, StagedState& s);
void InstallWorld(StagedState& s);

// The active objects, the snapshots and the list order.
void WriteObjectSection(ByteWriter& w);
bool ReadObjectSection(ByteReader& r, StagedState& s);
void InstallObjects(StagedState& s);

// Players, registers and the global context; references as positions.
void WritePlayerSection(ByteWriter& w);
bool ReadPlayerSection(ByteReader& r, StagedState& s);
void InstallPlayers(StagedState& s);

// Reference conversions of "ptrs.def": bit 31 values only.
int32_t ObjectRefToPosition(int32_t v);
int32_t PositionToObjectRef(int32_t v, uint32_t active);
int32_t PlayerRefToIndex(int32_t v);
int32_t IndexToPlayerRef(int32_t v);

}  // namespace tolv
