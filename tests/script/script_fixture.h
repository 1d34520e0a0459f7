// Shared helpers for script machine tests: code sets built from literal
// instruction lists, and a probe command that records what ran.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "script/commands.h"
#include "script/machine.h"
#include "script/operands.h"
#include "script/records.h"
#include "script/registers.h"
#include "script/script_state.h"

namespace tolv::test {

using Instr = std::initializer_list<uint32_t>;
using Func = std::initializer_list<Instr>;

inline ScriptFunction MakeFunction(Func instrs) {
  FunctionBuilder b;
  for (const Instr& i : instrs) b.Add(i);
  return b.Finish();
}

// The probe records (operand 1, lane) each time it runs.
struct ProbeHit {
  uint32_t tag;
  uint16_t lane;
};
inline std::vector<ProbeHit> probe_hits;
inline void ProbeCommand() { probe_hits.push_back({current_instruction[1], current_lane}); }
constexpr uint32_t kProbe = 1550;  // borrowed ID, restored after each test

class ScriptTest : public ::testing::Test {
 protected:
  CodeSet code;
  ScriptContext ctx;
  TimedScriptContext tctx;
  CommandHandler saved[3];

  void SetUp() override {
    AllocRegisters(16);
    std::fill(registers, registers + register_count, 0);  // the reset keeps registers 60..240
    ResetRegisters();
    probe_hits.clear();
    saved[0] = script_commands[kProbe];
    saved[1] = timed_commands[kProbe];
    saved[2] = stat_obj_commands[kProbe];
    script_commands[kProbe] = timed_commands[kProbe] = stat_obj_commands[kProbe] = ProbeCommand;
    ResetMachineState();
  }
  void TearDown() override {
    script_commands[kProbe] = saved[0];
    timed_commands[kProbe] = saved[1];
    stat_obj_commands[kProbe] = saved[2];
    current_context = &ctx;
    ClearContext();
    timed_context = &tctx;
    FreeTimedContext();
    FreeCodeSet(code);
    ResetMachineState();
  }
  void Add(Func f) { AppendFunction(code, MakeFunction(f)); }
  void Bind() {
    BindContext(ctx, script_commands, &code);
    BindContext(tctx, timed_commands, &code);
    current_context = &ctx;
    timed_context = &tctx;
  }
  std::vector<uint32_t> Tags() const {
    std::vector<uint32_t> t;
    for (auto& h : probe_hits) t.push_back(h.tag);
    return t;
  }
};

}  // namespace tolv::test
