// The player's box in world pixels, after the ten box fields at the head of
// PlayerRecord::motion: what the object passes and the commands against an
// object compare, shifted into the wrap cell being visited.
#pragma once
#include <cstdint>

#include "physics/movement_frame.h"

namespace tolv {

enum WorldField : int {
  kWorldCentreX = kBoxCentreY + 1,
  kWorldCentreY,
  kWorldX,
  kWorldY,
  kWorldLeft,
  kWorldRight,
  kWorldTop,
  kWorldBottom,
};
static_assert(kWorldBottom < 18, "the world fields end PlayerRecord::motion");

}  // namespace tolv
