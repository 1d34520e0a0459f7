// Players, registers and the global context in a saved state. The values
// that "ptrs.def" lists, and the fixed reference words of the player
// variables, are stored as list positions and player indexes (bit 31 set)
// and made references again when read.
#include <cstdlib>
#include <cstring>
#include <new>

#include "game/pointer_defs.h"
#include "game/state_sections.h"
#include "objects/character.h"
#include "objects/draw_order.h"
#include "objects/player_select.h"
#include "objects/players.h"
#include "script/commands.h"
#include "script/global_contexts.h"
#include "script/handles.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

constexpr uint32_t kFixedObjectRefs[] = {kPvHitUp, kPvHitDown, kPvHitLeft, kPvHitRight, kPvOnGround, kPvWasOnGround};

static bool IsReference(int32_t v) { return static_cast<uint32_t>(v) & kHandleBit; }

int32_t ObjectRefToPosition(int32_t v) {
  if (!IsReference(v)) return v;
  const ObjectSlot* o = DecodeObjectHandle(v);
  uint32_t at = o != &void_slot && o->order_index < ActiveObjectCount() && object_slots[o->order_index] == o
                    ? o->order_index
                    : kNoPosition;
  return static_cast<int32_t>(kHandleBit | at);
}

int32_t PositionToObjectRef(int32_t v, uint32_t active) {
  if (!IsReference(v)) return v;
  uint32_t at = static_cast<uint32_t>(v) & ~kHandleBit;
  return EncodeObjectHandle(at < active ? object_slots[at] : nullptr);
}

int32_t PlayerRefToIndex(int32_t v) {
  if (!IsReference(v)) return v;
  const PlayerRecord* p = DecodePlayerHandle(v);
  return static_cast<int32_t>(kHandleBit | (p == &void_player ? 0xFFu : p->index));
}

int32_t IndexToPlayerRef(int32_t v) {
  if (!IsReference(v)) return v;
  uint32_t at = static_cast<uint32_t>(v) & ~kHandleBit;
  return EncodePlayerHandle(at < kMaxPlayers ? &player_records[at] : nullptr);
}

// Applies a conversion to the listed cells of a block (indexes outside are
// left out).
template <typename F>
static void ConvertListed(int32_t* cells, uint32_t n, PointerList list, F convert) {
  for (uint32_t i : pointer_defs[list])
    if (i < n) cells[i] = convert(cells[i]);
}

static void ConvertPlayerVarsOut(int32_t* v, uint32_t n) {
  for (uint32_t i : kFixedObjectRefs)
    if (i < n) v[i] = ObjectRefToPosition(v[i]);
  ConvertListed(v, n, kObjectPlayerVars, ObjectRefToPosition);
  ConvertListed(v, n, kPlayerPlayerVars, PlayerRefToIndex);
}

static void ConvertPlayerVarsIn(int32_t* v, uint32_t n, uint32_t active) {
  auto object = [active](int32_t x) { return PositionToObjectRef(x, active); };
  for (uint32_t i : kFixedObjectRefs)
    if (i < n) v[i] = object(v[i]);
  ConvertListed(v, n, kObjectPlayerVars, object);
  ConvertListed(v, n, kPlayerPlayerVars, IndexToPlayerRef);
}

static uint32_t StatePlayerCount() { return player_count < kMaxPlayers ? player_count : kMaxPlayers; }

static void WriteCells(ByteWriter& w, const int32_t* cells, uint32_t n) {
  for (uint32_t i = 0; i < n; i++) w.U32(static_cast<uint32_t>(cells[i]));
}

static void WritePlayer(ByteWriter& w, const PlayerRecord& r) {
  w.U8(r.moved);
  w.U8(r.character);
  std::vector<int32_t> vars(PlayerBlockSize(), 0);
  if (r.character_vars) std::memcpy(vars.data(), r.character_vars, vars.size() * sizeof(int32_t));
  ConvertPlayerVarsOut(vars.data() + character_register_count, player_register_count);
  WriteCells(w, vars.data(), static_cast<uint32_t>(vars.size()));
  for (const ObjectSlot* o : {r.player_object, r.second_object})
    w.U32(static_cast<uint32_t>(ObjectRefToPosition(EncodeObjectHandle(o))) & ~kHandleBit);
  WriteTimedLanes(w, r.main_ctx);
  WriteLanes(w, r.character_ctx);
  if (const Character* c = FindCharacter(r.character))
    for (uint32_t i = 0; i < c->main_label_count; i++) w.U16(i < r.label_count ? r.labels[i] : 0);
}

void WritePlayerSection(ByteWriter& w) {
  for (uint32_t p = 0; p < StatePlayerCount(); p++) WritePlayer(w, player_records[p]);
  std::vector<int32_t> regs(registers, registers + register_count);
  ConvertListed(regs.data(), register_count, kObjectRegisters, ObjectRefToPosition);
  ConvertListed(regs.data(), register_count, kPlayerRegisters, PlayerRefToIndex);
  WriteCells(w, regs.data(), register_count);
  WriteLanes(w, global_context);
}

static bool ReadCells(ByteReader& r, std::vector<int32_t>& cells, uint32_t n) {
  if (!r.CanHold(n, 4)) return false;
  cells.resize(n);
  for (int32_t& c : cells) c = r.S32();
  return true;
}

static bool ReadPlayer(ByteReader& r, StagedPlayer& p) {
  p.moved = r.U8();
  p.character = r.U8();
  if (!ReadCells(r, p.vars, PlayerBlockSize())) return false;
  p.object = r.U32();
  p.second = r.U32();
  ReadTimedLanes(r, &player_functions, p.main);
  ReadLanes(r, &player_functions, p.character_lanes);
  if (const Character* c = FindCharacter(p.character)) {
    p.labels.resize(c->main_label_count);
    for (uint16_t& l : p.labels) l = r.U16();
  }
  return !r.failed;
}

bool ReadPlayerSection(ByteReader& r, StagedState& s) {
  s.players.resize(StatePlayerCount());
  for (StagedPlayer& p : s.players)
    if (!ReadPlayer(r, p)) return false;
  if (!ReadCells(r, s.registers, register_count)) return false;
  ReadLanes(r, &script_functions, s.global);
  return !r.failed;
}

static ObjectSlot* SlotAt(uint32_t at, uint32_t active) { return at < active ? object_slots[at] : nullptr; }

static void InstallPlayer(StagedPlayer& p, PlayerRecord& r, uint32_t active) {
  ConvertPlayerVarsIn(p.vars.data() + character_register_count, player_register_count, active);
  r.moved = p.moved;
  r.character = p.character;
  if (r.character_vars) std::memcpy(r.character_vars, p.vars.data(), p.vars.size() * sizeof(int32_t));
  r.player_object = SlotAt(p.object, active);
  r.second_object = SlotAt(p.second, active);
  BindContext(r.main_ctx, timed_commands, &player_functions);
  RestoreTimedLanes(r.main_ctx, p.main);
  BindContext(r.character_ctx, script_commands, &player_functions);
  RestoreLanes(r.character_ctx, p.character_lanes);
  std::free(r.labels);
  r.labels = nullptr;
  r.label_count = 0;
  if (const Character* c = FindCharacter(p.character)) {
    r.frames = &characters[p.character].sprites;
    if (!p.labels.empty()) {
      r.labels = static_cast<uint16_t*>(std::malloc(p.labels.size() * sizeof(uint16_t)));
      if (!r.labels) throw std::bad_alloc();
      std::memcpy(r.labels, p.labels.data(), p.labels.size() * sizeof(uint16_t));
      r.label_count = c->main_label_count;
    }
  }
}

void InstallPlayers(StagedState& s) {
  const uint32_t active = ActiveObjectCount();
  for (size_t i = 0; i < s.players.size(); i++) InstallPlayer(s.players[i], player_records[i], active);
  int32_t* regs = s.registers.data();
  ConvertListed(regs, register_count, kObjectRegisters, [active](int32_t v) { return PositionToObjectRef(v, active); });
  ConvertListed(regs, register_count, kPlayerRegisters, IndexToPlayerRef);
  std::memcpy(registers, regs, register_count * sizeof(int32_t));
  RestoreLanes(global_context, s.global);
  SelectPlayer(registers[kRegPlayer]);
}

}  // namespace tolv
