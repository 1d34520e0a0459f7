// The register file and the operand-space globals.
#include <cstdlib>
#include <cstring>
#include <new>

#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

int32_t* registers = nullptr;
uint32_t register_count = 0;
uint32_t user_register_count = 0;

ObjectSlot* running_slot = &void_slot;
ObjectSlot* object_operand_a = &void_slot;
ObjectSlot* object_operand_b = &void_slot;
ObjectSlot* object_operand_d = &void_slot;
PlayerRecord* player_operand_a = &void_player;
PlayerRecord* player_operand_b = &void_player;
PlayerRecord* player_operand_d = &void_player;
PlayerRecord* current_player = &void_player;
int32_t* current_character_vars = nullptr;
uint32_t current_character_var_count = 0;

void AllocRegisters(uint32_t user_count) {
  if (user_count > kMaxUserRegisters) user_count = kMaxUserRegisters;
  uint32_t n = kReservedRegisters + user_count;
  int32_t* p = static_cast<int32_t*>(std::realloc(registers, n * sizeof(int32_t)));
  if (!p) throw std::bad_alloc();
  if (n > register_count) std::memset(p + register_count, 0, (n - register_count) * sizeof(int32_t));
  if (user_count) std::memset(p + kReservedRegisters, 0, user_count * sizeof(int32_t));
  registers = p;
  register_count = n;
  user_register_count = user_count;
}

void ResetRegisters() {
  struct Start { uint16_t first, last; int32_t value; };
  static const Start starts[] = {
      {0, 4, 0},      {5, 6, 255},    {7, 7, 0},      {8, 8, 2},      {9, 9, 0},
      {11, 11, 41},   {12, 12, 26},   {13, 13, 320},  {14, 14, 200},  {15, 15, 320},
      {16, 16, 200},  {17, 26, 0},    {27, 28, 320},  {29, 30, 200},  {31, 34, 0},
      {35, 36, 320},  {37, 38, 224},  {39, 46, 0},    {47, 48, 320},  {49, 50, 224},
      {51, 53, 0},    {54, 54, 340},  {55, 59, 0},    {241, 244, 0},  {245, 245, 30},
      {246, 246, 7},  {247, 247, 3},  {248, 250, 0},  {251, 251, 1},  {252, 254, 0},
      {255, 255, 2},
  };
  if (register_count < kReservedRegisters) AllocRegisters(0);
  for (const Start& s : starts)
    for (int r = s.first; r <= s.last; r++) registers[r] = s.value;
}

}  // namespace tolv
