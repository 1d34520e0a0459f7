// Operand access for command handlers: the instruction's words, the register
// file and the variable spaces (self, OA/OB/OD, PA/PB/PD, current character).
// Every index a script supplies is checked here: a read outside its space
// gives 0 and a write outside is dropped (it lands in the scratch cell).
#pragma once
#include <cstdint>

#include "script/command_ids.h"
#include "script/machine.h"
#include "script/records.h"

namespace tolv {

constexpr uint32_t kIndexMask = 0x3FFFFFFF;

extern int32_t* registers;
extern uint32_t register_count;  // 256 + user_register_count
extern uint32_t user_register_count;

// Context slots and the records handlers act on.
extern ObjectSlot* running_slot;     // "self"; running_vars is running_slot->vars
extern ObjectSlot* object_operand_a;
extern ObjectSlot* object_operand_b;
extern ObjectSlot* object_operand_d;
extern PlayerRecord* player_operand_a;
extern PlayerRecord* player_operand_b;
extern PlayerRecord* player_operand_d;
extern PlayerRecord* current_player;        // selected by register 9
extern int32_t* current_character_vars;     // current player's character vars
extern uint32_t current_character_var_count;

inline int32_t scratch_cell;
// The cell an out-of-range access gets: reads 0, and what is written is lost.
inline int32_t& ScratchCell() {
  scratch_cell = 0;
  return scratch_cell;
}

inline uint32_t Op(int k) { return current_instruction[k]; }

inline int32_t& Cell(int32_t* cells, uint32_t count, uint32_t index) {
  return index < count && cells ? cells[index] : ScratchCell();
}

// Register named by an operand word (low 30 bits).
inline int32_t& Reg(uint32_t word) { return Cell(registers, register_count, word & kIndexMask); }
// Register when bit 30 is set, else the word itself as a constant.
inline int32_t RegOrConst(uint32_t word) {
  return (word & kRegisterBit) ? Reg(word) : static_cast<int32_t>(word);
}
// Function numbers and wait lengths use the low 16 bits.
inline uint16_t Low16(uint32_t word) { return static_cast<uint16_t>(RegOrConst(word)); }

// Variable operands index their space with the low 30 bits, like registers.
inline int32_t& ObjVar(const ObjectSlot* o, uint32_t i) { return Cell(o->vars, o->var_count, i & kIndexMask); }
inline int32_t& SelfVar(uint32_t i) { return ObjVar(running_slot, i); }
inline int32_t& OAVar(uint32_t i) { return ObjVar(object_operand_a, i); }
inline int32_t& OBVar(uint32_t i) { return ObjVar(object_operand_b, i); }
inline int32_t& ODVar(uint32_t i) { return ObjVar(object_operand_d, i); }
inline int32_t& PlayerVar(const PlayerRecord* p, uint32_t i) {
  return Cell(p->character_vars, PlayerBlockSize(), i & kIndexMask);
}
// Character variable i of a player (the first part of its block).
inline int32_t& PlayerCharVar(const PlayerRecord* p, uint32_t i) {
  return Cell(p->character_vars, character_register_count, i & kIndexMask);
}
inline int32_t& PAVar(uint32_t i) { return PlayerVar(player_operand_a, i); }
inline int32_t& PBVar(uint32_t i) { return PlayerVar(player_operand_b, i); }
inline int32_t& PDVar(uint32_t i) { return PlayerVar(player_operand_d, i); }
inline int32_t& CharVar(uint32_t i) {
  return Cell(current_character_vars, current_character_var_count, i & kIndexMask);
}
// The current player's PlayerVars word i (after the character variables).
inline int32_t& CurPlayerVar(uint32_t i) {
  return Cell(current_player->player_vars, player_register_count, i & kIndexMask);
}

}  // namespace tolv
