// What the pass commands (842 to 845) keep around a pass: the machine state
// of the lane that runs them, and the Count command's slot, which holds the
// object-variable variant while the pass's scripts run.
#pragma once
#include "script/count_slot.h"
#include "script/machine_state.h"

namespace tolv {

class PassCommandFrame {
 public:
  PassCommandFrame() : count_(CountLoopInObjectVars) {}
  ~PassCommandFrame() { yield_flag = 0; }
  PassCommandFrame(const PassCommandFrame&) = delete;
  PassCommandFrame& operator=(const PassCommandFrame&) = delete;

 private:
  SavedMachineState machine_;
  CountSlotGuard count_;
};

}  // namespace tolv
