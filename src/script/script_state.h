// What the script machine owns past start-up: its run state (contexts,
// lane, the records behind the operand slots) and the scoped lists scripts
// read (data tables, string slots, global functions).
#pragma once

namespace tolv {

// No context, lane or record current: every record slot at the void
// record, the yield flag clear.
void ResetMachineState();
// Frees data tables, string slots and global functions of the scopes from
// `drop` on (kScopeGame all, kScopeZone zone and act, kScopeAct act).
void UnloadScriptScopes(int drop);

}  // namespace tolv
