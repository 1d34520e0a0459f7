// Context slots: the commands that fill, copy and swap the three object
// slots (A, B, D) and the three player slots. A slot-setting command that
// finds no record stores the void record.
#include "script/commands.h"
#include "script/handles.h"
#include "script/object_globals.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

// Selector: 0 A, 1 B, 2 D, 3 A+B, 4 B+D, 5 A+D, 6 all; anything else none.
constexpr uint8_t kSelectorSlots[7] = {1, 2, 4, 3, 6, 5, 7};

template <typename T>
static void SetSlots(T** a, T** b, T** d, int32_t selector, T* record) {
  if (selector < 0 || selector > 6) return;
  uint8_t mask = kSelectorSlots[selector];
  if (mask & 1) *a = record;
  if (mask & 2) *b = record;
  if (mask & 4) *d = record;
}
// Selectors and slot numbers are constants.
static int32_t ConstOp(int k) { return static_cast<int32_t>(Op(k)); }
static void SetObjects(ObjectSlot* o) {
  SetSlots(&object_operand_a, &object_operand_b, &object_operand_d, ConstOp(1), o);
}
static void SetPlayers(PlayerRecord* p) {
  SetSlots(&player_operand_a, &player_operand_b, &player_operand_d, ConstOp(1), p);
}

// Copy (op1 source 0 A, 1 B, 2 D; op2 selector) onto every selected slot
// but the source; swap (op1: 0 A-B, 1 B-D, 2 A-D).
template <typename T>
static void CopySlot(T** a, T** b, T** d) {
  T** slots[3] = {a, b, d};
  uint32_t source = Op(1);
  int32_t selector = ConstOp(2);
  if (source > 2 || selector < 0 || selector > 6) return;
  T* record = *slots[source];
  uint8_t mask = kSelectorSlots[selector] & ~(1u << source);
  for (int i = 0; i < 3; i++)
    if (mask & (1u << i)) *slots[i] = record;
}
template <typename T>
static void SwapSlots(T** a, T** b, T** d) {
  static const uint8_t kPairs[3][2] = {{0, 1}, {1, 2}, {0, 2}};
  T** slots[3] = {a, b, d};
  uint32_t pair = Op(1);
  if (pair > 2) return;
  T* t = *slots[kPairs[pair][0]];
  *slots[kPairs[pair][0]] = *slots[kPairs[pair][1]];
  *slots[kPairs[pair][1]] = t;
}

static ObjectSlot* OrVoid(ObjectSlot* o) { return o ? o : &void_slot; }
static ObjectSlot* Child(const ObjectSlot* o, int32_t i) {
  bool ok = o->children && static_cast<uint32_t>(i) < o->child_count;
  return OrVoid(ok ? o->children[i] : nullptr);
}
// The active object at processing position i (register 254 active ones).
static ObjectSlot* ActiveSlot(int32_t i) {
  uint32_t active = static_cast<uint32_t>(Reg(kRegActiveObjects));
  if (active > kObjectSlotCount) active = kObjectSlotCount;
  return OrVoid(static_cast<uint32_t>(i) < active ? object_slots[i] : nullptr);
}

static void ObjectsFromSelf() { SetObjects(running_slot); }
static void ObjectsFromSpawn() { SetObjects(OrVoid(last_spawned_slot)); }
static void ObjectsFromCollide() { SetObjects(OrVoid(collide_object)); }
static void ObjectsFromActive() { SetObjects(ActiveSlot(RegOrConst(Op(2)))); }
static void ObjectsFromParent() { SetObjects(OrVoid(running_slot->parent)); }
static void ObjectsFromChild() { SetObjects(Child(running_slot, RegOrConst(Op(2)))); }
static void ObjectsFromAParent() { SetObjects(OrVoid(object_operand_a->parent)); }
static void ObjectsFromAChild() { SetObjects(Child(object_operand_a, RegOrConst(Op(2)))); }
static void ObjectsFromRegHandle() { SetObjects(DecodeObjectHandle(Reg(Op(2)))); }
static void ObjectsFromCharHandle() { SetObjects(DecodeObjectHandle(CharVar(Op(2)))); }
static void ObjectsFromSelfHandle() { SetObjects(DecodeObjectHandle(SelfVar(Op(2)))); }
static void ObjectsFromPAHandle() { SetObjects(DecodeObjectHandle(PAVar(Op(2)))); }
static void ObjectsFromOAHandle() { SetObjects(DecodeObjectHandle(OAVar(Op(2)))); }
static void CopyObjectSlot() { CopySlot(&object_operand_a, &object_operand_b, &object_operand_d); }
static void SwapObjectSlots() { SwapSlots(&object_operand_a, &object_operand_b, &object_operand_d); }

static void PlayersFromIndex() {
  uint32_t i = static_cast<uint32_t>(RegOrConst(Op(2)));
  SetPlayers(i < kMaxPlayers ? &player_records[i] : &void_player);
}
static void PlayersFromRegHandle() { SetPlayers(DecodePlayerHandle(Reg(Op(2)))); }
static void PlayersFromCharHandle() { SetPlayers(DecodePlayerHandle(CharVar(Op(2)))); }
static void PlayersFromSelfHandle() { SetPlayers(DecodePlayerHandle(SelfVar(Op(2)))); }
static void PlayersFromPAHandle() { SetPlayers(DecodePlayerHandle(PAVar(Op(2)))); }
static void PlayersFromOAHandle() { SetPlayers(DecodePlayerHandle(OAVar(Op(2)))); }
static void CopyPlayerSlot() { CopySlot(&player_operand_a, &player_operand_b, &player_operand_d); }
static void SwapPlayerSlots() { SwapSlots(&player_operand_a, &player_operand_b, &player_operand_d); }

static const CommandDef kSlots[] = {
    TOLV_ALL(137, 3, PlayersFromIndex, "players from index"),
    TOLV_ALL(138, 3, ObjectsFromActive, "objects from active list"),
    TOLV_ALL(139, 2, ObjectsFromSelf, "objects from self"),
    TOLV_ALL(324, 2, ObjectsFromSpawn, "objects from last spawned"),
    TOLV_ST(349, 2, ObjectsFromCollide, "objects from collision partner"),
    TOLV_ALL(371, 2, ObjectsFromParent, "objects from parent"),
    TOLV_ALL(372, 3, ObjectsFromChild, "objects from child"),
    TOLV_ALL(373, 2, ObjectsFromAParent, "objects from OA parent"),
    TOLV_ALL(374, 3, ObjectsFromAChild, "objects from OA child"),
    TOLV_ALL(990, 3, PlayersFromRegHandle, "players from handle"),
    TOLV_ALL(991, 3, PlayersFromCharHandle, "players from character handle"),
    TOLV_ALL(992, 3, PlayersFromSelfHandle, "players from self handle"),
    TOLV_ALL(993, 3, PlayersFromPAHandle, "players from PA handle"),
    TOLV_ALL(994, 3, PlayersFromOAHandle, "players from OA handle"),
    TOLV_ALL(995, 3, ObjectsFromRegHandle, "objects from handle"),
    TOLV_ALL(996, 3, ObjectsFromCharHandle, "objects from character handle"),
    TOLV_ALL(997, 3, ObjectsFromSelfHandle, "objects from self handle"),
    TOLV_ALL(998, 3, ObjectsFromPAHandle, "objects from PA handle"),
    TOLV_ALL(999, 3, ObjectsFromOAHandle, "objects from OA handle"),
    TOLV_ALL(1246, 3, CopyPlayerSlot, "copy player slot"),
    TOLV_ALL(1247, 3, CopyObjectSlot, "copy object slot"),
    TOLV_ALL(1248, 2, SwapPlayerSlots, "swap player slots"),
    TOLV_ALL(1249, 2, SwapObjectSlots, "swap object slots"),
};
extern const CommandList slot_command_list = TOLV_LIST(kSlots);

}  // namespace tolv
