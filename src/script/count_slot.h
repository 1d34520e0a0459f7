// The Count command (28) and the run-time choice of its script_commands
// entry: whoever runs a script_commands context whose counters live in an
// object's or a character's variables installs the matching variant for the
// run through CountSlotGuard, which always puts the previous entry back.
#pragma once
#include "script/command_ids.h"
#include "script/commands.h"

namespace tolv {

void CountLoopInRegisters();      // counter: register op2
void CountLoopInObjectVars();     // counter: running object's variable op2
void CountLoopInCharacterVars();  // counter: current character variable op2
void CountLoopStatObj();          // counter: running stat object's counter op2 (count_in_stat_obj)
void CountLoopTimed();            // counter: timed_context's counter list

// The stat object variant's work; the stat objects own their counters and
// install it. Does nothing until then.
extern CommandHandler count_in_stat_obj;

class CountSlotGuard {
 public:
  explicit CountSlotGuard(CommandHandler variant) : saved_(script_commands[kCountCommand]) {
    script_commands[kCountCommand] = variant;
  }
  ~CountSlotGuard() { script_commands[kCountCommand] = saved_; }
  CountSlotGuard(const CountSlotGuard&) = delete;
  CountSlotGuard& operator=(const CountSlotGuard&) = delete;

 private:
  CommandHandler saved_;
};

}  // namespace tolv
