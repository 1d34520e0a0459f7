// Distance commands: the six vectors of the angle commands, measured.
#include <iterator>

#include "script/operand_kinds.h"
#include "script/vector_math.h"

namespace tolv {

template <int source, Kind dst>
static void GetDistance() {
  KindCell<dst>(Op(1)) = VectorDistance(SourceVector<source>());
}

// Each source measures something else, so each has its name.
constexpr const char* kDistanceNames[6] = {
    "distance player A to player B", "distance player A to object A",
    "distance object A to player A", "distance object A to object B",
    "length of player A variables 8 and 9", "length of object A words 9 and 10"};

// Variant i: source i % 6, destination i / 6; destination blocks 28 IDs apart.
static constexpr auto kDistanceCommands = FamilyDefs<18>([](auto i) {
  constexpr int n = decltype(i)::value;
  return WithKinds(CommandDef TOLV_ALL(uint16_t(393 + 28 * (n / 6) + n % 6), 2,
                                       (GetDistance<n % 6, kDestKinds[n / 6]>), kDistanceNames[n % 6]),
                   {kDestKinds[n / 6]});
});

#define TOLV_DISTANCE(name, text) {name, CommandArea::kArithmetic, {"destination"}, text}
static const CommandDoc kDistanceDocs[] = {
    TOLV_DISTANCE("distance player A to player B",
                  "Stores the distance in pixels between the positions of player slot A's and player slot B's "
                  "players (player variables 3 and 4), rounded to the nearest whole number."),
    TOLV_DISTANCE("distance player A to object A",
                  "Stores the distance between the positions of player slot A's player and object slot A's "
                  "object, rounded to the nearest whole number."),
    TOLV_DISTANCE("distance object A to player A",
                  "Stores the distance between the positions of object slot A's object and player slot A's "
                  "player, rounded to the nearest whole number."),
    TOLV_DISTANCE("distance object A to object B",
                  "Stores the distance between the positions of object slot A's and object slot B's objects, "
                  "rounded to the nearest whole number."),
    TOLV_DISTANCE("length of player A variables 8 and 9",
                  "Stores the length of the vector whose x is player variable 8 and whose y is player variable 9 "
                  "of player slot A's player, rounded to the nearest whole number."),
    TOLV_DISTANCE("length of object A words 9 and 10",
                  "Stores the length of the vector whose x is word 9 (`e2`) and whose y is word 10 (`e3`) of "
                  "object slot A's object, rounded to the nearest whole number."),
};
#undef TOLV_DISTANCE
extern constinit const CommandList distance_command_list = {kDistanceCommands.data(), kDistanceCommands.size(),
                                                            kDistanceDocs, std::size(kDistanceDocs)};

}  // namespace tolv
