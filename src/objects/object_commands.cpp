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
extern const CommandList object_command_list = TOLV_LIST(kObjectCommands);

}  // namespace tolv
