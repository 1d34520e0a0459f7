// Lengths and names of the commands whose handlers have not landed yet:
// the compiler needs every ID's generic instruction length now. Whoever
// implements one of these commands moves its entry into its own list.
// Entries marked "chosen" have no operand layout given anywhere; their
// length follows the neighbouring IDs of their family.
#include "script/commands.h"

namespace tolv {

#define TOLV_PENDING(id, len, name) {id, len, nullptr, nullptr, nullptr, name}

static const CommandDef kPending[] = {
    TOLV_PENDING(21, 0, "sprite layer list"),
    TOLV_PENDING(22, 0, "literal list"),
    TOLV_PENDING(23, 0, "unused"),
    TOLV_PENDING(24, 0, "unused"),
    TOLV_PENDING(25, 0, "unused"),
    TOLV_PENDING(41, 2, "audio command"),  // chosen
    TOLV_PENDING(43, 0, "unused"),
    TOLV_PENDING(65, 0, "unused"),
    TOLV_PENDING(78, 0, "string audio command"),
    TOLV_PENDING(91, 5, "stat object command"),  // chosen
    TOLV_PENDING(153, 1, "unused"),  // chosen
    TOLV_PENDING(323, 3, "test and jump"),  // chosen
    TOLV_PENDING(353, 0, "case"),
    TOLV_PENDING(355, 0, "end switch"),
    TOLV_PENDING(383, 2, "sound command"),
    TOLV_PENDING(471, 1, "default case"),
    TOLV_PENDING(731, 1, "do"),
    TOLV_PENDING(823, 2, "function command"),  // chosen
    TOLV_PENDING(848, 1, "unused"),  // chosen
    TOLV_PENDING(849, 1, "unused"),  // chosen
    TOLV_PENDING(1132, 2, "movement command"),  // chosen
    TOLV_PENDING(1250, 2, "object command"),  // chosen
    TOLV_PENDING(1251, 2, "object command"),  // chosen
    TOLV_PENDING(1252, 2, "object command"),  // chosen
    TOLV_PENDING(1253, 2, "object command"),  // chosen
    TOLV_PENDING(1254, 2, "object command"),  // chosen
    TOLV_PENDING(1255, 2, "object command"),  // chosen
    TOLV_PENDING(1256, 2, "object command"),  // chosen
    TOLV_PENDING(1257, 2, "object command"),  // chosen
    TOLV_PENDING(1258, 2, "object command"),  // chosen
    TOLV_PENDING(1395, 2, "wait command"),  // chosen
    TOLV_PENDING(1396, 2, "wait command"),  // chosen
    TOLV_PENDING(1399, 2, "pause command"),  // chosen
    TOLV_PENDING(1400, 2, "pause command"),  // chosen
    TOLV_PENDING(1401, 2, "pause command"),  // chosen
    TOLV_PENDING(1402, 2, "pause command"),  // chosen
    TOLV_PENDING(1403, 2, "pause command"),  // chosen
    TOLV_PENDING(1404, 2, "pause command"),  // chosen
    TOLV_PENDING(1405, 2, "pause command"),  // chosen
    TOLV_PENDING(1406, 2, "pause command"),  // chosen
    TOLV_PENDING(1426, 6, "register list command"),  // chosen
    TOLV_PENDING(1427, 6, "register list command"),  // chosen
    TOLV_PENDING(1433, 2, "plane command"),  // chosen
    TOLV_PENDING(1435, 2, "plane command"),  // chosen
    TOLV_PENDING(1438, 7, "sprite layer entry"),
    TOLV_PENDING(1439, 5, "sprite layer operand"),
    TOLV_PENDING(1442, 2, "character command"),  // chosen
    TOLV_PENDING(1483, 2, "music command"),  // chosen
    TOLV_PENDING(1522, 1, "level command"),  // chosen
    TOLV_PENDING(1540, 1, "engine command"),  // chosen
    TOLV_PENDING(1541, 1, "engine command"),  // chosen
    TOLV_PENDING(1542, 1, "engine command"),  // chosen
    TOLV_PENDING(1543, 1, "engine command"),  // chosen
    TOLV_PENDING(1544, 1, "engine command"),  // chosen
    TOLV_PENDING(1545, 1, "engine command"),  // chosen
    TOLV_PENDING(1546, 1, "engine command"),  // chosen
    TOLV_PENDING(1547, 1, "engine command"),  // chosen
    TOLV_PENDING(1548, 2, "function command"),
    TOLV_PENDING(1549, 2, "function command"),
    TOLV_PENDING(1550, 5, "engine command"),  // chosen
};
extern const CommandList pending_command_list = TOLV_LIST(kPending);

}  // namespace tolv
