// Placeholder Count variants until the flow commands provide them.
#include "objects/count_slot.h"

namespace tolv {

void CountLoopInRegisters() {}
void CountLoopInObjectVars() {}
void CountLoopInCharacterVars() {}
void CountLoopTimed() {}

}  // namespace tolv
