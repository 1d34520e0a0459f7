#include "world/stamps.h"

namespace tolv {

std::vector<StampList> stamp_lists(1);

void ResetStamps() { stamp_lists.assign(1, StampList{}); }

}  // namespace tolv
