// Distance commands: the six vectors of the angle commands, measured.
#include "script/operand_kinds.h"
#include "script/vector_math.h"

namespace tolv {

template <int source, Kind dst>
static void GetDistance() {
  KindCell<dst>(Op(1)) = VectorDistance(SourceVector<source>());
}

// Variant i: source i % 6, destination i / 6; destination blocks 28 IDs apart.
static constexpr auto kDistanceCommands = FamilyDefs<18>([](auto i) {
  constexpr int n = decltype(i)::value;
  return CommandDef TOLV_ALL(uint16_t(393 + 28 * (n / 6) + n % 6), 2,
                             (GetDistance<n % 6, kDestKinds[n / 6]>), "get distance");
});
extern constinit const CommandList distance_command_list = {kDistanceCommands.data(), kDistanceCommands.size()};

}  // namespace tolv
