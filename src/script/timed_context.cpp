// Timed script contexts: lanes with wait timers, frame values and two byte
// parameters; the timed run loop and the start-now forms.
#include <cstdlib>
#include <new>

#include "script/lane_loop.h"
#include "script/resize_array.h"

namespace tolv {

static void ResizeTimedLanes(TimedScriptContext* ctx, unsigned n) {
  TouchLanes();
  ctx->lane_funcs = ResizeArray(ctx->lane_funcs, n);
  ctx->lane_pcs = ResizeArray(ctx->lane_pcs, n);
  ctx->wait_acc = ResizeArray(ctx->wait_acc, n);
  ctx->wait_step = ResizeArray(ctx->wait_step, n);
  ctx->wait_limit = ResizeArray(ctx->wait_limit, n);
  ctx->frame_values = ResizeArray(ctx->frame_values, n);
  ctx->param1 = ResizeArray(ctx->param1, n);
  ctx->param2 = ResizeArray(ctx->param2, n);
  ctx->lane_count = static_cast<uint8_t>(n);
}

static void SetTimedLane(TimedScriptContext* ctx, int lane, uint16_t f, uint8_t p1, uint8_t p2) {
  TouchLanes();
  ctx->lane_funcs[lane] = f;
  ctx->lane_pcs[lane] = 0;
  ctx->frame_values[lane] = 0;
  ctx->wait_acc[lane] = ctx->wait_step[lane] = ctx->wait_limit[lane] = 0;
  ctx->param1[lane] = p1;
  ctx->param2[lane] = p2;
}

void FreeTimedLane(TimedScriptContext* ctx, int lane) { SetTimedLane(ctx, lane, kFreeLane, 255, 255); }

bool AddTimedLane() {
  TimedScriptContext* ctx = timed_context;
  if (ctx->lane_count >= kMaxLanes) return false;
  unsigned n = ctx->lane_count + 1u;
  ResizeTimedLanes(ctx, n);
  FreeTimedLane(ctx, n - 1);
  return true;
}

void RemoveLastTimedLane() {
  TimedScriptContext* ctx = timed_context;
  if (ctx->lane_count) ResizeTimedLanes(ctx, ctx->lane_count - 1u);
}

void SetTimedLaneCount(uint16_t n) { ResizeTimedLanes(timed_context, n & 0xFF); }

void GrowTimedCounters(uint16_t n) {
  TimedScriptContext* ctx = timed_context;
  if (n > 255) n = 255;
  if (n <= ctx->counter_len) return;
  ctx->counters = ResizeArray(ctx->counters, n);
  for (unsigned i = ctx->counter_len; i < n; i++) ctx->counters[i] = 0;
  ctx->counter_len = static_cast<uint8_t>(n);
}

void ClearTimedContext() {
  TimedScriptContext* ctx = timed_context;
  TimedScriptContext fresh;
  fresh.table = ctx->table;  // the binding survives; only lanes are cleared
  fresh.code = ctx->code;
  fresh.function_count = ctx->function_count;
  *ctx = fresh;
  TouchLanes();
}

void FreeTimedContext() {
  TimedScriptContext* ctx = timed_context;
  ResizeTimedLanes(ctx, 0);
  std::free(ctx->counters);
  ctx->counters = nullptr;
  ctx->counter_len = 0;
}

void ResetTimedContext() {
  if (current_context == running_context) yield_flag = 1;
  FreeTimedContext();
}

void RunTimedLanes() {
  TimedScriptContext* ctx = timed_context;
  current_context = running_context = ctx;
  uint16_t nfuncs = ctx->function_count;
  current_lane = 0;
  if (ctx->lane_count == 0) return;
  do {
    ctx = timed_context;
    if (current_lane >= ctx->lane_count) break;
    uint16_t lane = current_lane;
    uint16_t f = ctx->lane_funcs[lane];
    if (f < nfuncs) {
      bool runs = true;
      if (ctx->wait_step[lane]) {
        ctx->wait_acc[lane] = static_cast<uint16_t>(ctx->wait_acc[lane] + ctx->wait_step[lane]);
        if (ctx->wait_acc[lane] < ctx->wait_limit[lane]) {
          yield_flag = 1;
          runs = false;
        } else {
          ctx->wait_acc[lane] = static_cast<uint16_t>(ctx->wait_acc[lane] - ctx->wait_limit[lane]);
          ctx->wait_step[lane] = 0;
        }
      }
      if (runs) {
        yield_flag = 0;
        RunLaneTurn(timed_commands, f, true);
      }
    }
    current_lane++;
  } while (current_lane < timed_context->lane_count);
}

static int ClaimTimedLane(TimedScriptContext* ctx) {
  if (int lane = FirstFreeLane(ctx); lane >= 0) return lane;
  if (!AddTimedLane()) return -1;
  return ctx->lane_count - 1;
}

void StartTimedFunction(uint16_t f, uint8_t p1, uint8_t p2) {
  TimedScriptContext* ctx = timed_context;
  if (f >= ctx->function_count || FindLane(ctx, f) >= 0) return;
  int lane = ClaimTimedLane(ctx);
  if (lane >= 0) SetTimedLane(ctx, lane, f, p1, p2);
}

void StartTimedFunctionNoArgs(uint16_t f) { StartTimedFunction(f, 255, 255); }

static void StartTimedNow(uint16_t f, uint8_t p1, uint8_t p2, bool drop_finished_lane) {
  TimedScriptContext* ctx = timed_context;
  ScriptContext* saved_running = running_context;
  uint8_t saved_yield = yield_flag;
  const uint32_t* saved_instruction = current_instruction;
  uint16_t saved_lane = current_lane;
  if (f >= ctx->function_count || FindLane(ctx, f) >= 0) return;
  int lane = ClaimTimedLane(ctx);
  if (lane < 0) return;
  SetTimedLane(ctx, lane, f, p1, p2);
  current_lane = static_cast<uint16_t>(lane);
  current_context = running_context = ctx;
  yield_flag = 0;
  RunLaneTurn(timed_commands, f, true);
  if (drop_finished_lane && lane == ctx->lane_count - 1 && ctx->lane_funcs[lane] >= ctx->function_count)
    ResizeTimedLanes(ctx, ctx->lane_count - 1u);
  yield_flag = saved_yield;
  current_lane = saved_lane;
  running_context = saved_running;
  current_instruction = saved_instruction;
}

void StartTimedFunctionNow(uint16_t f, uint8_t p1, uint8_t p2) { StartTimedNow(f, p1, p2, false); }
void StartTimedFunctionNowNoArgs(uint16_t f) { StartTimedNow(f, 255, 255, true); }

void StopTimedFunction(uint16_t f) {
  TimedScriptContext* ctx = timed_context;
  for (int i = 0; i < ctx->lane_count; i++) {
    if (ctx->lane_funcs[i] != f) continue;
    FreeTimedLane(ctx, i);
    if (i == current_lane && current_context == running_context) yield_flag = 1;
  }
}

}  // namespace tolv
