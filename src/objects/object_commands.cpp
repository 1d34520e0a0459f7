// Object commands: spawn, delete, link, retype and pause.
#include "base/key_state.h"
#include "objects/draw_order.h"
#include "objects/object_links.h"
#include "objects/object_pool.h"
#include "objects/spawn.h"
#include "objects/stat_obj_hooks.h"
#include "script/commands.h"
#include "script/lane_access.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

constexpr uint32_t kSpawnXReg = 1u << 29;
constexpr uint32_t kSpawnYReg = 1u << 28;
constexpr int kSpawnHeader = 8;  // ID, type, X, Y, key, word 5, flags, count

static void Spawn(const ScriptContext* ctx) {
  uint32_t w = Op(1);
  int32_t type = (w & kRegisterBit) ? Reg(w & 0x0FFFFFFF) : static_cast<int32_t>(w & 0x0FFFFFFF);
  int32_t x = (w & kSpawnXReg) ? Reg(Op(2)) : static_cast<int32_t>(Op(2));
  int32_t y = (w & kSpawnYReg) ? Reg(Op(3)) : static_cast<int32_t>(Op(3));
  uint32_t argc = Op(7);
  // Arguments stop at the instruction's end; when its length cannot be
  // told, at what the padding after a function covers.
  uint32_t len = RunningInstructionLength(ctx);
  uint32_t room = len > kSpawnHeader ? len - kSpawnHeader : len ? 0 : kOperandPad - kSpawnHeader;
  if (argc > room) argc = room;
  SpawnObject(type, x, y, RegOrConst(Op(4)), RegOrConst(Op(5)), RegOrConst(Op(6)), argc,
              reinterpret_cast<const int32_t*>(current_instruction + kSpawnHeader));
}
static void SpawnScript() { Spawn(current_context); }
static void SpawnTimed() { Spawn(timed_context); }
static void SpawnStat() { Spawn(nullptr); }

static void DeleteSelf() {
  if (running_slot == &void_slot) return;
  running_slot->former_type = static_cast<uint32_t>(SelfVar(0));
  SelfVar(0) = 0;
}
static void DeleteSelfTimed() {
  if (active_screen != 251) DeleteSelf();
}

static void StoreChildOfD() { SetChild(object_operand_d, RegOrConst(Op(1)), object_operand_a); }
static void StoreChildOfSelf() { SetChild(running_slot, RegOrConst(Op(1)), object_operand_a); }
static void QueueKeyOfD() {
  if (object_operand_d != &void_slot) QueueDrawKeyChange(object_operand_d, RegOrConst(Op(1)));
}
static void QueueKeyOfSelf() {
  if (running_slot != &void_slot) QueueDrawKeyChange(running_slot, RegOrConst(Op(1)));
}

static ObjectSlot* Linkable(ObjectSlot* o) { return o == &void_slot ? nullptr : o; }
static void SetParentOfD() {
  if (object_operand_d != &void_slot) object_operand_d->parent = Linkable(object_operand_a);
}
static void SetParentOfSelf() {
  if (running_slot != &void_slot) running_slot->parent = Linkable(object_operand_a);
}
static void DetachB() { DetachFromParent(object_operand_b); }
static void DetachSelf() { DetachFromParent(running_slot); }

static void RetypeSelf() { RetypeObject(running_slot, static_cast<int32_t>(Op(1))); }
static void RetypeB() { RetypeObject(object_operand_b, static_cast<int32_t>(Op(1))); }

static void Pause() {
  registers[kRegPause] = 1;
  pause_function = Low16(Op(1));
  pause_stat_obj = 65535;
}
// The pause menu is spawned first: a definition that cannot be built
// leaves the game running instead of paused without a menu.
static void PauseWithMenu() {
  int32_t def = RegOrConst(Op(1));
  if (!SpawnObject(kTypePauseMenu, 0, 0, -65535, 0, 0, 1, &def)) return;
  registers[kRegPause] = 1;
  pause_function = 65535;
  pause_stat_obj = static_cast<uint16_t>(def);
  pause_slot = last_spawned_slot;
}

static const CommandDef kObjectCommands[] = {
    TOLV_ALL(0, 1, DeleteSelf, "delete running object"),
    {36, 0, SpawnScript, SpawnTimed, SpawnStat, "spawn object"},
    {88, 1, DeleteSelf, DeleteSelfTimed, DeleteSelf, "delete self"},
    TOLV_ALL(375, 1, SetParentOfD, "set parent of D"),
    TOLV_ALL(376, 2, StoreChildOfD, "store child of D"),
    TOLV_ALL(377, 1, SetParentOfSelf, "set parent of self"),
    TOLV_ALL(378, 2, StoreChildOfSelf, "store child of self"),
    TOLV_ALL(1179, 2, RetypeSelf, "change own type"),
    TOLV_ALL(1180, 2, RetypeB, "change type of B"),
    TOLV_ALL(1397, 2, Pause, "pause"),
    TOLV_ALL(1398, 2, PauseWithMenu, "pause with menu"),
    TOLV_ALL(1436, 2, QueueKeyOfD, "queue draw key of D"),
    TOLV_ALL(1437, 2, QueueKeyOfSelf, "queue draw key of self"),
    TOLV_ALL(1525, 1, DetachB, "detach B"),
    TOLV_ALL(1526, 1, DetachSelf, "detach self"),
};

static const CommandDoc kObjectDocs[] = {
    {"delete running object", CommandArea::kObjects, {},
     "Deletes the running object: its type becomes 0 and the world update removes it; children of a type that "
     "deletes its children with it go too."},
    {"spawn object", CommandArea::kObjects,
     {"object type", "x (pixels)", "y (pixels)", "draw key (65535: the type's)", "word 5", "flags",
      "argument count n", "the n arguments (constants)"},
     "Spawns an object of the type at (x, y): the type's starting values fill its own variables (`*n` takes "
     "argument n), and its first Animation function and its Movement and Drawing functions start, to run from its "
     "first update; a full pool of 4096 objects, an unknown type or a missing layout or plane refuses the spawn "
     "with a message. Types 9995 to 9999 are the engine's: a player's layout (arguments: screen layout, player), a "
     "player's object and its second object (argument: the player, 0 for player 1), the pause menu, and a plane "
     "object (arguments: plane, 1 to show it)."},
    {"delete self", CommandArea::kObjects, {},
     "Deletes the running object as delete running object does, except that in timed lanes it does nothing while "
     "the sprite editor is open."},
    {"set parent of D", CommandArea::kObjects, {},
     "Makes the object in object slot A the parent of the object in object slot D (an empty slot A clears it). "
     "The parent's children are not changed."},
    {"store child of D", CommandArea::kObjects, {"child entry (0-254)"},
     "Stores the object in object slot A as that entry of the children of the object in object slot D, growing "
     "them (new entries empty); an entry outside 0-254 does nothing. A type that deletes its children with it "
     "deletes these; the child's own parent is not set."},
    {"set parent of self", CommandArea::kObjects, {},
     "Makes the object in object slot A the parent of the running object (an empty slot A clears it). The "
     "parent's children are not changed."},
    {"store child of self", CommandArea::kObjects, {"child entry (0-254)"},
     "Stores the object in object slot A as that entry of the running object's children, as store child of D "
     "does."},
    {"change own type", CommandArea::kObjects, {"new object type (constant)"},
     "Changes the running object's type: its Movement, Drawing and Animation lanes are emptied (yielding when "
     "this runs in one of them), its built-in movement goes and no function of the new type starts; its variables "
     "stay as they are. Its children are deleted when the old type deletes its children with it, else let go."},
    {"change type of B", CommandArea::kObjects, {"new object type (constant)"},
     "Changes the type of the object in object slot B as change own type does."},
    {"pause", CommandArea::kLayouts, {"function (not run)"},
     "Sets the pause state, register 253, to 1 without a pause menu: the world goes on running, and scripts may "
     "read the state. The function is recorded but nothing runs it."},
    {"pause with menu", CommandArea::kLayouts, {"pause menu screen layout"},
     "Spawns the pause menu, an object of type 9998 built from the screen layout, and pauses: from the next frame "
     "only the menu runs and is drawn, until register 253 is cleared or the menu object goes. A layout that is "
     "not loaded leaves the game running, with a message."},
    {"queue draw key of D", CommandArea::kObjects, {"new draw key"},
     "Gives the object in object slot D the draw key when the world update ends (this frame's, or the next one's "
     "when queued after it), moving it to its place in the object list, which runs and draws higher keys first."},
    {"queue draw key of self", CommandArea::kObjects, {"new draw key"},
     "Gives the running object the draw key when the world update ends, as queue draw key of D does."},
    {"detach B", CommandArea::kObjects, {},
     "Takes the object in object slot B out of its parent's children and clears its parent."},
    {"detach self", CommandArea::kObjects, {},
     "Takes the running object out of its parent's children and clears its parent."},
};
extern const CommandList object_command_list = TOLV_DOCUMENTED(kObjectCommands, kObjectDocs);

}  // namespace tolv
