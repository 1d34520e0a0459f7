// Building the threaded form of a function, and the handlers its fast paths
// stand for in each command table.
#include "script/threaded_code.h"

#include "script/family_signatures.h"

namespace tolv {

extern const CommandList flow_command_list;
extern const CommandList assign_command_list;
extern const CommandList arith_command_list;
extern const CommandList empty_command_list;
extern const CommandList compare_command_list;
extern const CommandList block_jump_command_list;

namespace {

struct FastSig {
  Form form;
  Oper op;
  Kind dst, a, b;
  uint16_t kind;
};
constexpr FastSig kFastSigs[] = {
#define TOLV_FAST_ROW(F, O, D, A, B) \
  {Form::k##F, Oper::k##O, Kind::D, Kind::A, Kind::B, kThread_##F##_##O##_##D##_##A##_##B},
    TOLV_FAST_SIGS(TOLV_FAST_ROW)
#undef TOLV_FAST_ROW
};

struct FastTables {
  uint16_t kind[kCommandCount + 1] = {};  // kThreadCall where there is no fast path
  const Sig* sig[kCommandCount + 1] = {};
  CommandHandler handlers[4][kCommandCount + 1] = {};  // script, timed, stat, none
};

// Stands in for "no handler": never put in a table.
void NoFastPath() {}

void AddSigs(FastTables& t, const SigList& list) {
  for (size_t i = 0; i < list.count; i++) {
    const Sig& s = list.items[i];
    for (const FastSig& f : kFastSigs)
      if (f.form == s.form && f.op == s.op && f.dst == s.dst && f.a == s.a && f.b == s.b) {
        t.kind[s.id] = f.kind;
        t.sig[s.id] = &s;
      }
  }
}

// The handlers come from the machine's own lists, so an ID that some other
// list defines again never takes a fast path.
void AddHandlers(FastTables& t, const CommandList& list) {
  for (size_t k = 0; k < list.count; k++) {
    const CommandDef& d = list.defs[k];
    if (d.id >= kCommandCount || t.kind[d.id] == kThreadCall) continue;
    t.handlers[0][d.id] = d.script ? d.script : NoFastPath;
    t.handlers[1][d.id] = d.timed ? d.timed : NoFastPath;
    t.handlers[2][d.id] = d.stat ? d.stat : NoFastPath;
  }
}

FastTables* BuildFastTables() {
  static FastTables t;
  AddSigs(t, kAssignSigs);
  AddSigs(t, kArithSigs);
  AddSigs(t, kCompareSigs);
  for (uint16_t id : {kCmdEndIf, uint16_t{46}, kEmptyCommandId, uint16_t{58}, uint16_t{62}}) t.kind[id] = kThreadNop;
  for (uint16_t id : {kCmdElse, kCmdJump, kCmdBreakCase, kCmdForever, kCmdBreakDo}) t.kind[id] = kThreadJump;
  t.kind[kCmdYieldingJump] = kThreadYieldJump;
  t.kind[79] = kThreadYield;
  for (CommandHandler* row : t.handlers)
    for (int i = 0; i <= kCommandCount; i++) row[i] = NoFastPath;
  for (const CommandList* l : {&flow_command_list, &assign_command_list, &arith_command_list, &empty_command_list,
                               &compare_command_list, &block_jump_command_list})
    AddHandlers(t, *l);
  return &t;
}

const FastTables& Tables() {
  static const FastTables* t = BuildFastTables();
  return *t;
}

uint32_t Operand(Kind k, uint32_t word) { return k == Kind::K ? word : word & kIndexMask; }

}  // namespace

const CommandHandler* FastPathHandlers(const CommandHandler* table) {
  const FastTables& t = Tables();
  if (table == script_commands) return t.handlers[0];
  if (table == timed_commands) return t.handlers[1];
  if (table == stat_obj_commands) return t.handlers[2];
  return t.handlers[3];
}

// A jump whose target lies outside the function keeps the table call, which
// frees the lane the way the run loop always has.
void DecodeThreaded(const ScriptFunction& fn, ThreadedOp* out) {
  const FastTables& t = Tables();
  for (uint32_t pc = 0; pc < fn.count; pc++) {
    const uint32_t* w = InstructionAt(fn, static_cast<uint16_t>(pc));
    uint16_t id = fn.ids[pc];
    ThreadedOp& op = out[pc];
    op = ThreadedOp{kThreadCall, id, 0, 0, 0};
    uint16_t kind = t.kind[id];
    if (kind == kThreadCall) continue;
    uint16_t next = static_cast<uint16_t>(w[1] + 1);  // jumps store target - 1
    if (kind == kThreadJump) {
      if (next >= fn.count) continue;
      op.a = next;
    } else if (kind == kThreadYieldJump) {
      op.a = static_cast<uint16_t>(w[1]);
    } else if (const Sig* s = t.sig[id]) {
      op.a = s->a_word ? Operand(s->a, w[s->a_word]) : 0;
      op.b = s->b_word ? Operand(s->b, w[s->b_word]) : 0;
      if (s->form == Form::kStore) {
        op.c = Operand(s->dst, w[s->dst_word]);
      } else {
        op.c = static_cast<uint16_t>(w[3] + 1);
        if (op.c >= fn.count) continue;
      }
    }
    op.kind = kind;
  }
  out[fn.count] = ThreadedOp{kThreadPastEnd, static_cast<uint16_t>(kCommandCount), 0, 0, 0};
}

}  // namespace tolv
