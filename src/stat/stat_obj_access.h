// Operand access shared by the stat object command handlers: the running
// object's instance and the elements and nodes its operands name.
#pragma once
#include "script/machine_state.h"
#include "script/operands.h"
#include "stat/stat_obj.h"

namespace tolv {

// Instance node of a node-coded operand value; kNoNode when it names none.
inline uint32_t CodedNode(const StatObj* so, uint32_t v) {
  if (v > 255) return kNoNode;
  uint32_t n = DecodeNode(v);
  return n < so->node_count ? n : kNoNode;
}
inline StatObjNode* CodedNodeOf(StatObj* so, uint32_t v) { return StatNode(so, CodedNode(so, v)); }

// Element of operand k (register or constant; low 16 bits when asked).
inline StatObjElement* ElementOperand(StatObj* so, int k, bool low16 = false) {
  uint32_t v = static_cast<uint32_t>(RegOrConst(Op(k)));
  return StatElement(so, low16 ? (v & 0xFFFF) : v);
}

// Starts a layout function in the instance's own context.
inline void StartLayoutFunction(StatObj* so, uint16_t f) {
  SavedMachineState keep;
  current_context = &so->ctx;
  StartFunction(f);
}

}  // namespace tolv
