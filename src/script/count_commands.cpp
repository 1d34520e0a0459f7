// Count (28): a frame counter at the end of a block. With limit n > 0 the
// command jumps back and yields n times, then falls through once with its
// counter back at 0; with n <= 0 it jumps and yields every time. The jump
// stores the target itself (the lane does not advance when it yields).
#include "script/count_slot.h"
#include "script/lane_access.h"
#include "script/operands.h"

namespace tolv {

static void CountSigned(int32_t& counter, uint16_t& pc) {
  int32_t limit = static_cast<int32_t>(Op(3));
  if (counter < limit) {
    pc = static_cast<uint16_t>(Op(1));
    if (limit > 0) counter++;  // counter < limit, so no overflow
    yield_flag = 1;
  } else if (limit > 0) {
    counter = 0;
  } else {
    pc = static_cast<uint16_t>(Op(1));
    yield_flag = 1;
  }
}

void CountLoopInRegisters() { CountSigned(Reg(Op(2)), PlainLanePc()); }
void CountLoopInObjectVars() { CountSigned(SelfVar(Op(2)), PlainLanePc()); }
void CountLoopInCharacterVars() { CountSigned(CharVar(Op(2)), PlainLanePc()); }

// The counter list is at most 255 entries long (its length is a byte): a
// counter index beyond it falls through without counting.
void CountLoopTimed() {
  TimedScriptContext* c = TimedLaneContext();
  if (!c) return;
  int32_t limit = static_cast<int32_t>(Op(3));
  uint32_t index = Op(2);
  if (limit < 1) {
    c->lane_pcs[current_lane] = static_cast<uint16_t>(Op(1));
    yield_flag = 1;
    return;
  }
  if (index >= 255) return;
  if (index >= c->counter_len) GrowTimedCounters(static_cast<uint16_t>(index + 1));
  uint16_t& counter = c->counters[index];
  if (limit > counter) {
    c->lane_pcs[current_lane] = static_cast<uint16_t>(Op(1));
    counter++;
    yield_flag = 1;
  } else {
    counter = 0;
  }
}

static void NoCount() {}
CommandHandler count_in_stat_obj = NoCount;
void CountLoopStatObj() { count_in_stat_obj(); }

static const CommandDef kCount[] = {
    {kCountCommand, 4, CountLoopInRegisters, CountLoopTimed, CountLoopStatObj, "count"},
};
static const CommandDoc kCountDocs[] = {
    {"count", CommandArea::kFlow, {"jump target", "counter", "repeats (constant)"},
     "Repeats a block once a frame: while the counter is below the repeats it counts up, jumps to the target "
     "and yields (the lane resumes there next frame), then it sets the counter back to 0 and goes on; 0 or "
     "fewer repeats loop for good. The counter is a register (`U` n) in global scripts, a variable of the "
     "running object (`e` n) in object scripts, a character variable (`c` n) in character scripts, and counter "
     "n of the lanes' own counters in timed lanes (0 to 254) and screen layouts."},
};
extern const CommandList count_command_list = TOLV_DOCUMENTED(kCount, kCountDocs);

}  // namespace tolv
