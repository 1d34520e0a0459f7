// Fixed-point geometry shared by the angle and distance commands: the
// direction and length of a vector, and length-and-angle components.
#pragma once
#include <cstdint>

#include "script/angle_tables.h"
#include "script/operands.h"
#include "script/records.h"

namespace tolv {

struct Vector {
  int64_t x, y;
};

// Angle of (dx, dy) in 0..255; 64 for the zero vector.
uint8_t VectorAngle(Vector v);
// Length rounded to the nearest integer (halves up) by way of a float root,
// at most INT32_MAX.
int32_t VectorDistance(Vector v);

// (table entry x length) >> 8, in 32-bit wrap-around arithmetic.
inline int32_t PolarComponent(const int16_t* table, int32_t length, int32_t angle) {
  uint32_t product = static_cast<uint32_t>(table[AngleIndex(angle)]) * static_cast<uint32_t>(length);
  return static_cast<int32_t>(product) >> 8;
}

// A player's own PlayerVars word (not the block PA/PB/PD index).
inline int32_t OwnPlayerVar(const PlayerRecord* p, uint32_t i) {
  return Cell(p->player_vars, player_register_count, i);
}
inline Vector PlayerPosition(const PlayerRecord* p) { return {OwnPlayerVar(p, 3), OwnPlayerVar(p, 4)}; }
inline Vector ObjectPosition(const ObjectSlot* o) { return {ObjVar(o, 1), ObjVar(o, 2)}; }
inline Vector operator-(Vector a, Vector b) { return {a.x - b.x, a.y - b.y}; }

// The six vectors the angle and distance commands measure, in ID order.
template <int source>
inline Vector SourceVector() {
  if constexpr (source == 0) return PlayerPosition(player_operand_b) - PlayerPosition(player_operand_a);
  else if constexpr (source == 1) return ObjectPosition(object_operand_a) - PlayerPosition(player_operand_a);
  else if constexpr (source == 2) return PlayerPosition(player_operand_a) - ObjectPosition(object_operand_a);
  else if constexpr (source == 3) return ObjectPosition(object_operand_b) - ObjectPosition(object_operand_a);
  else if constexpr (source == 4) return {OwnPlayerVar(player_operand_a, 8), OwnPlayerVar(player_operand_a, 9)};
  else return {OAVar(9), OAVar(10)};
}

}  // namespace tolv
