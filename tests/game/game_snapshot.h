// A listing of everything a game load leaves in memory, one item a line,
// so two loads (loose and packed) compare line by line. Heap addresses
// never appear: pointers to sprite sets are listed as the set they name.
#pragma once
#include <string>
#include <vector>

namespace tolv::test {

using Snapshot = std::vector<std::string>;

// The loaded game: scoped counts, every code set's words, string slots,
// data tables, sprite sets, fonts, sounds, characters, object types, stat
// object definitions, act records with their events, debug types.
Snapshot GameSnapshot();
// Registers and the active objects (CaptureWorld).
Snapshot WorldSnapshot();
// "" when equal, else the first line that differs in each.
std::string FirstDifference(const Snapshot& a, const Snapshot& b);

}  // namespace tolv::test
