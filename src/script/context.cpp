// Script contexts: lane bookkeeping, the run loop and the nested run.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "base/message_log.h"
#include "script/commands.h"
#include "script/lane_loop.h"
#include "script/resize_array.h"

namespace tolv {

ScriptContext* current_context = nullptr;
ScriptContext* running_context = nullptr;
TimedScriptContext* timed_context = nullptr;
uint16_t current_lane = 0;
uint8_t yield_flag = 0;
const uint32_t* current_instruction = nullptr;
uint64_t lane_budget = 50'000'000;
uint32_t lane_epoch = 0;

void BindContext(ScriptContext& ctx, CommandHandler* table, CodeSet* code) {
  TouchLanes();
  ctx.table = table;
  ctx.code = code;
  ctx.function_count = code ? code->total : 0;
}

int FindLane(const ScriptContext* ctx, uint16_t f) {
  for (int i = 0; i < ctx->lane_count; i++)
    if (ctx->lane_funcs[i] == f) return i;
  return -1;
}

int FirstFreeLane(const ScriptContext* ctx) {
  for (int i = 0; i < ctx->lane_count; i++)
    if (ctx->lane_funcs[i] >= ctx->function_count) return i;
  return -1;
}

static void ResizeLanes(ScriptContext* ctx, unsigned n) {
  TouchLanes();
  ctx->lane_funcs = ResizeArray(ctx->lane_funcs, n);
  ctx->lane_pcs = ResizeArray(ctx->lane_pcs, n);
  ctx->lane_count = static_cast<uint8_t>(n);
}

bool AddLane() {
  ScriptContext* ctx = current_context;
  if (ctx->lane_count >= kMaxLanes) return false;
  unsigned n = ctx->lane_count + 1u;
  ResizeLanes(ctx, n);
  ctx->lane_funcs[n - 1] = kFreeLane;
  ctx->lane_pcs[n - 1] = 0;
  return true;
}

void RemoveLastLane() {
  ScriptContext* ctx = current_context;
  if (ctx->lane_count) ResizeLanes(ctx, ctx->lane_count - 1u);
}

void SetLaneCount(uint16_t n) { ResizeLanes(current_context, n & 0xFF); }

void ClearContext() { ResizeLanes(current_context, 0); }

void ResetContext() {
  if (current_context == running_context) yield_flag = 1;
  ClearContext();
}

void ReportRunawayLane(uint16_t f) {
  char line[64];
  std::snprintf(line, sizeof line, "Lane of function %u made to yield", f);
  ShowMessage(line);
}

void RunLanes() {
  ScriptContext* ctx = current_context;
  CommandHandler* table = ctx->table;
  uint16_t nfuncs = ctx->function_count;
  running_context = ctx;
  current_lane = 0;
  if (ctx->lane_count == 0 || !table) return;
  do {
    ctx = current_context;
    if (current_lane >= ctx->lane_count) break;
    uint16_t f = ctx->lane_funcs[current_lane];
    if (f < nfuncs) {
      yield_flag = 0;
      RunLaneTurn(table, f, false);
    }
    current_lane++;
  } while (current_lane < current_context->lane_count);
}

// Takes the first free lane of current_context or appends one; -1 when the
// context already has the most lanes it can hold.
static int ClaimLane() {
  int lane = FirstFreeLane(current_context);
  if (lane >= 0) return lane;
  if (!AddLane()) return -1;
  return current_context->lane_count - 1;
}

void RunFunctionNow(uint16_t f) {
  ScriptContext* ctx = current_context;
  uint16_t saved_lane = current_lane;
  ScriptContext* saved_running = running_context;
  uint8_t saved_yield = yield_flag;
  const uint32_t* saved_instruction = current_instruction;
  if (f >= ctx->function_count || FindLane(ctx, f) >= 0 || !ctx->table) return;
  int lane = ClaimLane();
  if (lane < 0) return;
  current_lane = static_cast<uint16_t>(lane);
  ctx->lane_funcs[lane] = f;
  ctx->lane_pcs[lane] = 0;
  TouchLanes();
  running_context = ctx;
  yield_flag = 0;
  RunLaneTurn(ctx->table, f, false);
  if (lane == ctx->lane_count - 1 && ctx->lane_funcs[lane] >= ctx->function_count)
    ResizeLanes(ctx, ctx->lane_count - 1u);
  yield_flag = saved_yield;
  current_lane = saved_lane;
  running_context = saved_running;
  current_instruction = saved_instruction;
}

void StartFunction(uint16_t f) {
  ScriptContext* ctx = current_context;
  if (f >= ctx->function_count || FindLane(ctx, f) >= 0) return;
  int lane = ClaimLane();
  if (lane < 0) return;
  ctx->lane_funcs[lane] = f;
  ctx->lane_pcs[lane] = 0;
  TouchLanes();
}

void StopFunction(uint16_t f) {
  ScriptContext* ctx = current_context;
  for (int i = 0; i < ctx->lane_count; i++) {
    if (ctx->lane_funcs[i] != f) continue;
    ctx->lane_funcs[i] = kFreeLane;
    ctx->lane_pcs[i] = 0;
    TouchLanes();
    if (i == current_lane && ctx == running_context) yield_flag = 1;
  }
}

}  // namespace tolv
