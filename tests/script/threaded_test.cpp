// The run loop's fast paths against the handlers they stand for: every
// family ID, run in a lane of each table, must leave the machine exactly as
// the same lane does when the entry is swapped for a forwarder to the same
// handler (which the loop has to call). Also: entries swapped while a lane
// runs, and where a lane made to yield resumes.
#include "base/message_log.h"
#include "script/family_signatures.h"
#include "script/lane_loop.h"
#include "script_fixture.h"
#include "space_fixture.h"

namespace tolv {
namespace {

CommandHandler forwarded = nullptr;
void Forward() { forwarded(); }

class ThreadedRun : public SpaceFixture {
 protected:
  CodeSet code;
  ScriptContext plain;
  TimedScriptContext timed;
  uint64_t saved_budget = lane_budget;

  void SetUp() override {
    SpaceFixture::SetUp();
    lane_budget = 64;  // a test that jumps to itself ends its turn soon
  }
  void TearDown() override {
    lane_budget = saved_budget;
    current_context = &plain;
    ClearContext();
    timed_context = &timed;
    FreeTimedContext();
    FreeCodeSet(code);
    SpaceFixture::TearDown();
  }

  struct Outcome {
    std::vector<int32_t> state;
    uint16_t func, pc;
    uint8_t yield;
    const uint32_t* instruction;
    bool operator==(const Outcome&) const = default;
  };

  // One turn of function 0 in a fresh lane of the context bound to `t`.
  Outcome RunOnce(int t, const std::vector<int32_t>& start) {
    std::vector<int32_t> s = start;
    size_t k = 0;
    for (uint32_t i = 0; i < register_count; i++) registers[i] = s[k++];
    for (auto& v : pv) for (auto& c : v) c = s[k++];
    for (auto& v : ov) for (auto& c : v) c = s[k++];
    ScriptContext* ctx = t == 1 ? &timed : &plain;
    if (t == 1) {
      timed_context = &timed;
      FreeTimedContext();
      BindContext(timed, timed_commands, &code);
      StartTimedFunctionNoArgs(0);
      RunTimedLanes();
    } else {
      current_context = &plain;
      ClearContext();
      BindContext(plain, t == 0 ? script_commands : stat_obj_commands, &code);
      StartFunction(0);
      RunLanes();
    }
    return {State(), ctx->lane_funcs[0], ctx->lane_pcs[0], yield_flag, current_instruction};
  }
};

TEST_F(ThreadedRun, FastPathsMatchTheirHandlers) {
  // Words for any operand: registers in and outside the file, variable
  // indexes in and outside the records (bit 30 set or not), constants;
  // as jump targets: inside the function, back to its start, past its end.
  const uint32_t pool[] = {kRegisterBit | 296, kRegisterBit | 297, kRegisterBit | 90000, 1, 2, 40,
                           kRegisterBit | 3, 0x80000001u, 0xFFFFFFFFu, 7, 65535, 5, 0};
  uint32_t seed = 7;
  auto pick = [&] { seed = seed * 1103515245u + 12345u;
    return pool[(seed >> 16) % 13];
  };
  int cases = 0;
  for (const SigList* list : kFamilySigLists)
    for (size_t i = 0; i < list->count; i++) {
      uint16_t id = list->items[i].id;
      for (int n = 0; n < 12; n++) {
        uint32_t w1 = pick(), w2 = pick(), w3 = n % 3 ? pick() : 2;
        FreeCodeSet(code);
        FunctionBuilder b;
        b.Add({id, w1, w2, w3});
        for (int y = 0; y < 4; y++) b.Add({79});
        AppendFunction(code, b.Finish());
        for (bool alias : {false, true}) {
          object_operand_b = alias ? &oa : &ob, object_operand_d = alias ? &oa : &od;
          Scramble();
          registers[296] = int32_t(w1), registers[297] = -int32_t(w2);
          std::vector<int32_t> start = State();
          for (int t = 0; t < 3; t++) {
            CommandHandler* table = t == 0 ? script_commands : t == 1 ? timed_commands : stat_obj_commands;
            Outcome fast = RunOnce(t, start);
            forwarded = table[id];
            table[id] = Forward;
            Outcome called = RunOnce(t, start);
            table[id] = forwarded;
            ASSERT_TRUE(fast == called) << id << " " << w1 << " " << w2 << " " << w3 << " table " << t;
            cases++;
          }
        }
      }
    }
  EXPECT_EQ(cases, 734 * 12 * 2 * 3);
}

using test::kProbe;
using test::probe_hits;
using test::ScriptTest;
constexpr uint32_t P = kProbe, JUMP = 63, YIELD = 79, YJUMP = 1527, ADDK = 1030;  // ADDK: R += K

// A handler that swaps the next instruction's entry while the lane runs.
uint16_t swap_id;
CommandHandler swap_to;
void SwapEntry() {
  script_commands[swap_id] = swap_to;
  test::ProbeCommand();
}
void Tally() { registers[257] += 100; }

TEST_F(ScriptTest, EntriesSwappedWhileALaneRunsRunTheirNewHandler) {
  struct Case {
    uint16_t id;
    test::Instr instr;
    int32_t r256, r257;  // after the turn
  };
  const Case cases[] = {
      {ADDK, {ADDK, 5, kRegisterBit | 256}, 0, 100},  // R += K
      {JUMP, {JUMP, 3}, 0, 100},                      // jump over the add
      {64, {64}, 0, 100},                             // marker
      {YIELD, {YIELD}, 0, 100},                       // yield
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    CommandHandler saved = script_commands[c.id];
    CommandHandler saved_p = script_commands[P];
    swap_id = c.id, swap_to = Tally;
    script_commands[P] = SwapEntry;
    registers[256] = registers[257] = 0;
    FreeCodeSet(code);
    Add({{P, 1}, c.instr, {YJUMP, 3}, {YJUMP, 3}, {ADDK, 1, kRegisterBit | 256}, {YJUMP, 3}});
    Bind();
    StartFunction(0);
    RunLanes();
    script_commands[c.id] = saved;
    script_commands[P] = saved_p;
    EXPECT_EQ(registers[256], c.r256);
    EXPECT_EQ(registers[257], c.r257);
    EXPECT_EQ(ctx.lane_pcs[0], 3);  // the yield after the swapped entry ran
    ClearContext();
  }
}

TEST_F(ScriptTest, LaneMadeToYieldResumesAtTheInstructionItDidNotRun) {
  // Two table calls and a fast-path jump back, run turn after turn: a lane
  // runs exactly its budget per turn, whichever path each instruction takes,
  // and resumes at the one it did not get to.
  struct Case {
    uint64_t budget;
    std::vector<uint16_t> pcs;  // after each turn
    std::vector<uint32_t> tags;
  } cases[] = {
      {1, {1, 2, 0, 1}, {0, 1, 0}},
      {2, {2, 1, 0}, {0, 1, 0, 1}},
      {3, {0, 0}, {0, 1, 0, 1}},
      {4, {1, 2}, {0, 1, 0, 1, 0, 1}},
  };
  Add({{P, 0}, {P, 1}, {JUMP, 65535}});
  Bind();
  const uint64_t saved_budget = lane_budget;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.budget);
    lane_budget = c.budget;
    probe_hits.clear();
    ClearContext();
    StartFunction(0);
    std::vector<uint16_t> pcs;
    for (size_t turn = 0; turn < c.pcs.size(); turn++) {
      RunLanes();
      pcs.push_back(ctx.lane_pcs[0]);
    }
    EXPECT_EQ(pcs, c.pcs);
    EXPECT_EQ(Tags(), c.tags);
  }
  lane_budget = saved_budget;
}

}  // namespace
}  // namespace tolv
