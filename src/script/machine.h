// Script machine: compiled functions, code sets, script contexts and their
// lanes, the machine state every command handler sees, and the run loops.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace tolv {

using CommandHandler = void (*)();

constexpr int kCommandCount = 1551;   // IDs 0..1550
constexpr uint16_t kFreeLane = 65535;  // lane function of a free lane
constexpr int kMaxLanes = 255;         // lane count is a u8
constexpr int kOperandPad = 16;        // zero words after every function

// One compiled function: its instructions stored back to back in `words`;
// instruction i starts at words + offsets[i] and is offsets[i+1] - offsets[i]
// words long. kOperandPad zero words follow the last instruction so a handler
// reading a missing operand reads 0, never past the allocation. `ids`
// holds each instruction's dispatch index (CommandIndex of word 0), so the
// run loop finds the handler without waiting on the instruction's words;
// it lives in the same allocation as `offsets`, and so does `code`, the
// threaded form the run loop runs (threaded_code.h), count + 1 entries.
struct ThreadedOp;
struct ScriptFunction {
  uint32_t* words = nullptr;
  uint32_t* offsets = nullptr;  // count + 1 entries
  const uint16_t* ids = nullptr;
  const ThreadedOp* code = nullptr;
  uint16_t count = 0;           // instruction count
};

inline const uint32_t* InstructionAt(const ScriptFunction& fn, uint16_t pc) {
  return fn.words + fn.offsets[pc];
}
inline uint32_t InstructionLength(const ScriptFunction& fn, uint16_t pc) {
  return fn.offsets[pc + 1] - fn.offsets[pc];
}

// The compiled functions of one kind, numbered game, then zone, then act.
struct CodeSet {
  ScriptFunction* functions = nullptr;
  uint16_t total = 0;
  uint16_t act = 0;
  uint16_t zone = 0;
  uint16_t game = 0;
  uint32_t capacity = 0;  // allocated entries of `functions`
};

// Builds one ScriptFunction from instructions given one after another.
class FunctionBuilder {
 public:
  FunctionBuilder();
  ~FunctionBuilder();
  FunctionBuilder(const FunctionBuilder&) = delete;
  FunctionBuilder& operator=(const FunctionBuilder&) = delete;
  void Add(const uint32_t* words, uint32_t length);
  void Add(std::initializer_list<uint32_t> words);
  uint32_t InstructionCount() const { return count_; }
  uint32_t* Word(uint32_t instruction, uint32_t k);  // patching (jump targets)
  ScriptFunction Finish();  // the builder is empty afterwards
 private:
  uint32_t* words_ = nullptr;
  uint32_t* offsets_ = nullptr;
  uint32_t nwords_ = 0, cap_words_ = 0, count_ = 0, cap_offsets_ = 0;
};

void FreeScriptFunction(ScriptFunction& fn);
// Appends a function to the set; returns its number, or -1 when the set is
// full (65535 functions).
int AppendFunction(CodeSet& set, ScriptFunction fn);
// Frees functions from number `keep` on and sets total to `keep`.
void TruncateCodeSet(CodeSet& set, uint16_t keep);
void FreeCodeSet(CodeSet& set);
// Frees the functions of the scopes from `drop` on (0 all, 1 zone and act, 2 act).
void DropCodeScopes(CodeSet& set, int drop);

struct ScriptContext {
  CommandHandler* table = nullptr;
  uint16_t* lane_funcs = nullptr;
  uint16_t* lane_pcs = nullptr;
  CodeSet* code = nullptr;
  uint16_t function_count = 0;  // the total when bound
  uint8_t lane_count = 0;
  uint8_t counter_len = 0;  // timed form only
};

struct TimedScriptContext : ScriptContext {
  uint16_t* counters = nullptr;
  uint16_t* wait_acc = nullptr;
  uint16_t* wait_step = nullptr;
  uint16_t* wait_limit = nullptr;
  uint16_t* frame_values = nullptr;
  uint8_t* param1 = nullptr;
  uint8_t* param2 = nullptr;
};

// Machine state shared by every run loop and handler.
extern ScriptContext* current_context;
extern ScriptContext* running_context;
extern TimedScriptContext* timed_context;
extern uint16_t current_lane;
extern uint8_t yield_flag;
extern const uint32_t* current_instruction;

// Bumped by every change of lane arrays, lane functions and code sets, so
// a running loop knows to look its lane up again.
extern uint32_t lane_epoch;
inline void TouchLanes() { lane_epoch++; }

// Instructions one lane may run in a single turn before it is made to yield.
extern uint64_t lane_budget;

// The function a context's lane number f names, or null when f names none.
inline const ScriptFunction* ContextFunction(const ScriptContext* ctx, uint16_t f) {
  if (f >= ctx->function_count || !ctx->code || f >= ctx->code->total) return nullptr;
  return &ctx->code->functions[f];
}

// Binds a context to a table and a code set (lanes untouched).
void BindContext(ScriptContext& ctx, CommandHandler* table, CodeSet* code);

// Lane operations on current_context.
void RunLanes();
void RunFunctionNow(uint16_t f);
void StartFunction(uint16_t f);
void StopFunction(uint16_t f);
bool AddLane();
void RemoveLastLane();
void SetLaneCount(uint16_t n);
void ClearContext();
void ResetContext();

// Lane operations on timed_context.
void RunTimedLanes();
bool AddTimedLane();
void RemoveLastTimedLane();
void SetTimedLaneCount(uint16_t n);
void StartTimedFunction(uint16_t f, uint8_t p1, uint8_t p2);
void StartTimedFunctionNoArgs(uint16_t f);
void StartTimedFunctionNow(uint16_t f, uint8_t p1, uint8_t p2);
void StartTimedFunctionNowNoArgs(uint16_t f);
void StopTimedFunction(uint16_t f);
void ClearTimedContext();
void FreeTimedContext();
void ResetTimedContext();
// Grows timed_context's Count counter list to at least n entries (max 255).
void GrowTimedCounters(uint16_t n);

// Index of the first lane of ctx running f, or -1.
int FindLane(const ScriptContext* ctx, uint16_t f);
// Index of the lowest free lane of ctx, or -1.
int FirstFreeLane(const ScriptContext* ctx);

}  // namespace tolv
