// Saves the machine state that a command changes while it works in another
// owner's context, and puts it back when it goes out of scope.
#pragma once
#include "script/operands.h"

namespace tolv {

class SavedMachineState {
 public:
  SavedMachineState()
      : current_(current_context), running_(running_context), timed_(timed_context),
        slot_(running_slot), instruction_(current_instruction), lane_(current_lane) {}
  ~SavedMachineState() {
    current_context = current_;
    running_context = running_;
    timed_context = timed_;
    running_slot = slot_;
    current_instruction = instruction_;
    current_lane = lane_;
  }
  SavedMachineState(const SavedMachineState&) = delete;
  SavedMachineState& operator=(const SavedMachineState&) = delete;

 private:
  ScriptContext* current_;
  ScriptContext* running_;
  TimedScriptContext* timed_;
  ObjectSlot* slot_;
  const uint32_t* instruction_;
  uint16_t lane_;
};

}  // namespace tolv
