// The Count entry (command 28) of script_commands, swapped by whoever runs
// a script_commands context whose counters live elsewhere.
#pragma once
#include "script/commands.h"

namespace tolv {

void CountLoopInRegisters();
void CountLoopInObjectVars();
void CountLoopInCharacterVars();
void CountLoopTimed();

constexpr int kCountCommand = 28;

// Stores a Count variant for the scope's duration.
struct CountSlotGuard {
  CommandHandler saved = script_commands[kCountCommand];
  explicit CountSlotGuard(CommandHandler h) { script_commands[kCountCommand] = h; }
  void Set(CommandHandler h) { script_commands[kCountCommand] = h; }
  ~CountSlotGuard() { script_commands[kCountCommand] = saved; }
};

}  // namespace tolv
