// One lane's turn over the threaded form of its function (GCC/Clang label
// addresses): every entry ends in its own jump to the next, so the branch
// predictor learns each path's successor. Fast paths keep their state in
// locals; the lane's pc and current_instruction are written whenever a
// handler could look at them (before every table call) and when the turn
// ends, so what handlers and callers see is what the plain dispatch showed.
#include "script/lane_loop.h"

#include "script/family_handlers.h"
#include "script/threaded_code.h"

namespace tolv {

namespace {

template <bool kTimed>
ScriptContext* LaneContext() {
  if constexpr (kTimed) return timed_context;
  else return current_context;
}

template <bool kTimed>
void FreeLane(ScriptContext* ctx, int lane) {
  if constexpr (kTimed) {
    FreeTimedLane(static_cast<TimedScriptContext*>(ctx), lane);
  } else {
    ctx->lane_funcs[lane] = kFreeLane;
    ctx->lane_pcs[lane] = 0;
  }
}

}  // namespace

// Operand access in fast paths: an index outside its space leaves the work
// to the handler, which knows what such an access means.
#define TOLV_READ_K(v, w) const int32_t v = static_cast<int32_t>(w);
#define TOLV_READ_None(v, w) const int32_t v = 0;
#define TOLV_READ_R(v, w)      \
  if ((w) >= nregs) goto call; \
  const int32_t v = regs[w];
#define TOLV_READ_VAR(v, w, s)                                           \
  const ObjectSlot* const v##_slot = s;                                  \
  if ((w) >= v##_slot->var_count || !v##_slot->vars) goto call;          \
  const int32_t v = v##_slot->vars[w];
#define TOLV_READ_OA(v, w) TOLV_READ_VAR(v, w, object_operand_a)
#define TOLV_READ_OB(v, w) TOLV_READ_VAR(v, w, object_operand_b)
#define TOLV_READ_OD(v, w) TOLV_READ_VAR(v, w, object_operand_d)
#define TOLV_CELL_R(p, w)      \
  if ((w) >= nregs) goto call; \
  int32_t* const p = regs + (w);
#define TOLV_CELL_OD(p, w)                                               \
  ObjectSlot* const p##_slot = object_operand_d;                         \
  if ((w) >= p##_slot->var_count || !p##_slot->vars) goto call;          \
  int32_t* const p = p##_slot->vars + (w);

// Next entry after a fast path. The budget is what the turn may still run:
// every instruction takes one before it runs.
#define TOLV_GO(next)                                 \
  do {                                                \
    const ThreadedOp* const to = (next);              \
    if (__builtin_expect(budget-- == 0, 0)) {         \
      pc = static_cast<uint16_t>(to - code);          \
      goto runaway;                                   \
    }                                                 \
    op = to;                                          \
    goto* labels[op->kind];                           \
  } while (0)
#define TOLV_NEXT() TOLV_GO(op + 1)
#define TOLV_FAST_CHECK() \
  if (__builtin_expect(table[op->id] != fast[op->id], 0)) goto call;

#define TOLV_BODY_Store(O, D, A, B) \
  {                                 \
    TOLV_READ_##A(x, op->a)         \
    TOLV_READ_##B(y, op->b)         \
    TOLV_CELL_##D(d, op->c)         \
    int32_t r;                      \
    if (Apply<Oper::k##O>(x, y, r)) *d = r; \
  }                                 \
  TOLV_NEXT();
#define TOLV_TEST_BODY(O, A, B, jump_when)          \
  {                                                 \
    TOLV_READ_##A(x, op->a)                         \
    TOLV_READ_##B(y, op->b)                         \
    if (Holds<Oper::k##O>(x, y) == (jump_when)) {   \
      TOLV_GO(code + op->c);                        \
    }                                               \
  }                                                 \
  TOLV_NEXT();
#define TOLV_BODY_If(O, D, A, B) TOLV_TEST_BODY(O, A, B, false)
#define TOLV_BODY_While(O, D, A, B) TOLV_TEST_BODY(O, A, B, true)
#define TOLV_FAST_LABEL(F, O, D, A, B) &&L_##F##_##O##_##D##_##A##_##B,
#define TOLV_FAST_ENTRY(F, O, D, A, B)     \
  L_##F##_##O##_##D##_##A##_##B :          \
  TOLV_FAST_CHECK()                        \
  TOLV_BODY_##F(O, D, A, B)

template <bool kTimed>
static void Turn(CommandHandler* const table, const uint16_t f) {
  static const void* const labels[kThreadKindCount] = {
      &&call, &&past_end_fast, &&nop, &&jump, &&yield_jump, &&yield, TOLV_FAST_SIGS(TOLV_FAST_LABEL)};
  const CommandHandler* const fast = FastPathHandlers(table);
  uint64_t budget = lane_budget;
  for (;;) {
    ScriptContext* ctx = LaneContext<kTimed>();
    uint16_t lane = current_lane;
    if (lane >= ctx->lane_count || ctx->lane_funcs[lane] != f) return;
    const ScriptFunction* fn = ContextFunction(ctx, f);
    if (!fn) {
      FreeLane<kTimed>(ctx, lane);
      return;
    }
    const uint32_t epoch = lane_epoch;
    const uint32_t* const words = fn->words;
    const uint32_t* const offsets = fn->offsets;
    const ThreadedOp* const code = fn->code;
    const uint16_t count = fn->count;
    uint16_t* const pcs = ctx->lane_pcs;
    int32_t* regs = registers;
    uint32_t nregs = register_count;
    uint16_t pc = pcs[lane];
    const ThreadedOp* op = nullptr;
    goto enter;

  call:
    pc = static_cast<uint16_t>(op - code);
    pcs[lane] = pc;
    current_instruction = words + offsets[pc];
    table[op->id]();
    if (yield_flag) return;
    if (lane_epoch != epoch || current_lane != lane || LaneContext<kTimed>() != ctx) goto relookup;
    regs = registers;
    nregs = register_count;
    // A jump shows as a changed pc entry: a predicted branch, not a load
    // on the dispatch path.
    if (uint16_t written = pcs[lane]; __builtin_expect(written != pc, 0)) {
      pc = written;
      asm volatile("");
    }
    pc++;
  enter:
    // After a table call the pc may lie anywhere; fast paths only reach
    // pcs inside the function or its end entry.
    if (pc >= count) goto past_end;
    if (__builtin_expect(budget-- == 0, 0)) goto runaway_after_call;
    op = code + pc;
    goto* labels[op->kind];

  nop:
    TOLV_FAST_CHECK()
    TOLV_NEXT();
  jump:
    TOLV_FAST_CHECK()
    TOLV_GO(code + op->a);
  yield_jump:
    TOLV_FAST_CHECK()
    pc = static_cast<uint16_t>(op - code);
    pcs[lane] = static_cast<uint16_t>(op->a);
    goto yielded;
  yield:
    TOLV_FAST_CHECK()
    pc = static_cast<uint16_t>(op - code);
    pcs[lane] = static_cast<uint16_t>(pc + 1);
  yielded:
    current_instruction = words + offsets[pc];
    yield_flag = 1;
    return;

    TOLV_FAST_SIGS(TOLV_FAST_ENTRY)

  past_end_fast:
    current_instruction = words + offsets[count - 1];
  past_end:
    FreeLane<kTimed>(ctx, lane);
    return;

  runaway:
    // op is the fast path that ran last.
    current_instruction = words + offsets[op - code];
    if (pc >= count) goto past_end;
  runaway_after_call:
    // The lane resumes at the instruction it did not get to run.
    ReportRunawayLane(f);
    pcs[lane] = pc;
    yield_flag = 1;
    return;

  relookup:
    ctx = LaneContext<kTimed>();
    lane = current_lane;
    if (lane >= ctx->lane_count || ctx->lane_funcs[lane] != f) return;
    ctx->lane_pcs[lane]++;
  }
}

void RunLaneTurn(CommandHandler* table, uint16_t f, bool timed) {
  if (timed) Turn<true>(table, f);
  else Turn<false>(table, f);
}

}  // namespace tolv
