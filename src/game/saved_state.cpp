// Saving and loading the running game. A load parses the whole file into a
// staged state first; only a state that is whole and fits the running game
// replaces it.
#include "game/saved_state.h"

#include <string>
#include <vector>

#include "audio/saved_blocks.h"
#include "base/atomic_file.h"
#include "base/message_log.h"
#include "files/game_file_bytes.h"
#include "game/act_records.h"
#include "game/game_frame.h"
#include "game/game_loading.h"
#include "game/level_loading.h"
#include "game/pointer_defs.h"
#include "game/state_sections.h"
#include "objects/player_select.h"
#include "script/operands.h"
#include "script/random.h"
#include "script/registers.h"

namespace tolv {

constexpr uint32_t kMaxStateBytes = 1u << 30;

// The zone and act loaded: a state holds ids of their types and functions.
static uint16_t LoadedLevel() {
  return static_cast<uint16_t>((Reg(kRegLoadedZone) & 0xFF) << 8 | (Reg(kRegLoadedAct) & 0xFF));
}

bool SaveState(const char* path) {
  LoadPointerDefs();
  ByteWriter w;
  WriteString(w, game_name);
  w.U32(random_seed);
  w.U32(game_frame_counter);
  w.U8(player_count);
  w.U32(user_register_count);
  w.U16(LoadedLevel());
  WriteWorldSection(w);
  WriteObjectSection(w);
  WritePlayerSection(w);
  WriteAnimationSection(w);
  WritePaletteSection(w);
  WriteAudioState(w);
  std::string target;
  if (!GameWritePath(path ? path : "", &target) || !SaveFileAtomically(target, w.bytes)) {
    ShowMessage("Can't save State!");
    return false;
  }
  ShowMessage("State Saved!");
  return true;
}

// Null when the header fits the running game, else why not.
static const char* CheckHeader(ByteReader& r, StagedState& s) {
  std::string name;
  if (!ReadString(r, name) || name != game_name) return "State is from a different game!";
  s.random_seed = r.U32();
  s.frame_counter = r.U32();
  if (r.U8() != player_count || r.failed) return "Number of Active Players Doesn't Match!";
  if (r.U32() != user_register_count || r.failed) return "Number of Registers Doesn't Match!";
  if (r.U16() != LoadedLevel() || r.failed) return "State is from another level!";
  return nullptr;
}

// A pending level start loads the zone and act registers 4 and 3 name: the
// loaded zone must have that act, another zone a zone.def (its acts are
// known only once that is read; a missing one starts act 0).
static bool PendingLevelLoadable(const std::vector<int32_t>& reg) {
  if (reg[kRegZone] == reg[kRegLoadedZone]) return FindAct(reg[kRegAct]) != nullptr;
  return ZoneLoadable(reg[kRegZone]);
}

// The state's own zone and act registers must name the level its header
// does, the loaded one: the next level start loads what they say. Only a
// level start still pending (register 7 = 0) may already want another zone
// and act, one it can load.
static bool LevelRegistersFit(const StagedState& s) {
  const std::vector<int32_t>& reg = s.registers;
  const int32_t zone = LoadedLevel() >> 8, act = LoadedLevel() & 0xFF;
  if (reg[kRegLoadedZone] != zone || reg[kRegLoadedAct] != act) return false;
  if (reg[kRegLevelStarted] == 0) return PendingLevelLoadable(reg);
  return reg[kRegZone] == zone && reg[kRegAct] == act;
}

// The audio blocks come last: once they are read the sound side holds them
// for its next buffer, so nothing may fail after them.
static bool ReadBody(ByteReader& r, StagedState& s) {
  return ReadWorldSection(r, s) && ReadObjectSection(r, s) && ReadPlayerSection(r, s) && LevelRegistersFit(s) &&
         ReadAnimationSection(r, s) && ReadPaletteSection(r, s) && ReadAudioState(r);
}

bool LoadStateBytes(const uint8_t* data, size_t size) {
  LoadPointerDefs();
  ByteReader r(data, size);
  StagedState s;
  if (const char* refused = CheckHeader(r, s)) {
    ShowMessage(refused);
    return false;
  }
  if (!ReadBody(r, s)) {
    ShowMessage("State is damaged!");
    return false;
  }
  InstallWorld(s);
  InstallObjects(s);
  InstallPlayers(s);
  random_seed = s.random_seed;
  game_frame_counter = s.frame_counter;
  ShowMessage("State Loaded!");
  return true;
}

bool LoadState(const char* path) {
  std::vector<uint8_t> bytes;
  if (ReadGameFileBytes(path ? path : "", bytes, kMaxStateBytes) != GameFileRead::kRead) {
    ShowMessage("Can't open State!");
    return false;
  }
  return LoadStateBytes(bytes.data(), bytes.size());
}

void SaveStateHotkey() { SaveState(kStateFileName); }
void LoadStateHotkey() { LoadState(kStateFileName); }

}  // namespace tolv
