#include "script/saved_lanes.h"

#include "script/machine_state.h"

namespace tolv {

static void WriteLane(ByteWriter& w, const ScriptContext& ctx, unsigned i) {
  w.U16(ctx.lane_funcs[i]);
  w.U16(ctx.lane_pcs[i]);
}

void WriteLanes(ByteWriter& w, const ScriptContext& ctx) {
  w.U8(ctx.lane_count);
  for (unsigned i = 0; i < ctx.lane_count; i++) WriteLane(w, ctx, i);
}

void WriteTimedLanes(ByteWriter& w, const TimedScriptContext& ctx) {
  w.U8(ctx.lane_count);
  for (unsigned i = 0; i < ctx.lane_count; i++) {
    WriteLane(w, ctx, i);
    for (const uint16_t* a : {ctx.frame_values, ctx.wait_acc, ctx.wait_step, ctx.wait_limit}) w.U16(a[i]);
    w.U8(ctx.param1[i]);
    w.U8(ctx.param2[i]);
  }
  w.U8(ctx.counter_len);
  for (unsigned i = 0; i < ctx.counter_len; i++) w.U16(ctx.counters[i]);
}

static bool Runs(const CodeSet* code, const SavedLane& l) {
  return code && l.func < code->total && code->functions && l.pc < code->functions[l.func].count;
}

static void ReadBlock(ByteReader& r, const CodeSet* code, bool timed, SavedLanes& out) {
  uint8_t n = r.U8();
  out.lanes.assign(n, SavedLane{});
  for (SavedLane& l : out.lanes) {
    l.func = r.U16();
    l.pc = r.U16();
    if (timed) {
      for (uint16_t* f : {&l.frame, &l.acc, &l.step, &l.limit}) *f = r.U16();
      l.p1 = r.U8();
      l.p2 = r.U8();
    }
    if (!Runs(code, l)) l = SavedLane{};
  }
  if (!timed) return;
  out.counters.assign(r.U8(), 0);
  for (uint16_t& c : out.counters) c = r.U16();
}

void ReadLanes(ByteReader& r, const CodeSet* code, SavedLanes& out) { ReadBlock(r, code, false, out); }
void ReadTimedLanes(ByteReader& r, const CodeSet* code, SavedLanes& out) { ReadBlock(r, code, true, out); }

void RestoreLanes(ScriptContext& ctx, const SavedLanes& saved) {
  SavedMachineState keep;
  current_context = &ctx;
  ClearContext();
  SetLaneCount(static_cast<uint16_t>(saved.lanes.size()));
  for (size_t i = 0; i < saved.lanes.size(); i++) {
    ctx.lane_funcs[i] = saved.lanes[i].func;
    ctx.lane_pcs[i] = saved.lanes[i].pc;
  }
  TouchLanes();
}

void RestoreTimedLanes(TimedScriptContext& ctx, const SavedLanes& saved) {
  SavedMachineState keep;
  timed_context = &ctx;
  FreeTimedContext();
  SetTimedLaneCount(static_cast<uint16_t>(saved.lanes.size()));
  for (size_t i = 0; i < saved.lanes.size(); i++) {
    const SavedLane& l = saved.lanes[i];
    ctx.lane_funcs[i] = l.func;
    ctx.lane_pcs[i] = l.pc;
    ctx.frame_values[i] = l.frame;
    ctx.wait_acc[i] = l.acc;
    ctx.wait_step[i] = l.step;
    ctx.wait_limit[i] = l.limit;
    ctx.param1[i] = l.p1;
    ctx.param2[i] = l.p2;
  }
  GrowTimedCounters(static_cast<uint16_t>(saved.counters.size()));
  for (size_t i = 0; i < saved.counters.size(); i++) ctx.counters[i] = saved.counters[i];
  TouchLanes();
}

}  // namespace tolv
