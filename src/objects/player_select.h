// Making a player the current one: register 9, the current record and the
// current character variables.
#pragma once

namespace tolv {

// A p that names no player record selects the inert void player, and
// register 9 still becomes p.
void SelectPlayer(int p);

}  // namespace tolv
