// Moves, exchanges, increments, negation, absolute value, constant masks and
// bit commands.
#include "script/family_handlers.h"

namespace tolv {

static constexpr auto kAssignDefs = SigDefs<kAssignSigs>();
extern const CommandList assign_command_list = {kAssignDefs.data(), kAssignDefs.size()};

}  // namespace tolv
