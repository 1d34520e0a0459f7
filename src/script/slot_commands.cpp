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

#define TOLV_OBJECTS(name, text) {name, CommandArea::kObjects, {"slot selector (constant)"}, text}
#define TOLV_OBJECTS_BY(name, operand, text) \
  {name, CommandArea::kObjects, {"slot selector (constant)", operand}, text}
#define TOLV_PLAYERS_BY(name, operand, text) \
  {name, CommandArea::kPlayers, {"slot selector (constant)", operand}, text}
static const CommandDoc kSlotDocs[] = {
    TOLV_PLAYERS_BY("players from index", "player (0 is player 1)",
                    "Puts the player into the player slots the selector names: 0 A, 1 B, 2 D, 3 A and B, 4 B and "
                    "D, 5 A and D, 6 all three; any other selector changes nothing. A player other than 0 or 1 "
                    "puts in a record of nothing, which reads 0 and drops what is written."),
    TOLV_OBJECTS_BY("objects from active list", "position in the active list",
                    "Puts the object at that position of the active object list (0 first; register 254 holds "
                    "how many are active) into the object slots the selector names, as `#139` counts them; a "
                    "position past the list puts in a record of nothing."),
    TOLV_OBJECTS("objects from self",
                 "Puts the running object into the object slots the selector names: 0 A, 1 B, 2 D, 3 A and B, "
                 "4 B and D, 5 A and D, 6 all three; any other selector changes nothing."),
    TOLV_OBJECTS("objects from last spawned",
                 "Puts the object spawned last into the object slots the selector names, as `#139` counts them."),
    TOLV_OBJECTS("objects from collision partner",
                 "Puts the collide object (the projectile while a projectile collision pass runs, or the object "
                 "`#1219` to `#1221` chose) into the object slots the selector names, as `#139` counts them."),
    TOLV_OBJECTS("objects from parent",
                 "Puts the running object's parent into the object slots the selector names, as `#139` counts "
                 "them; without a parent, a record of nothing."),
    TOLV_OBJECTS_BY("objects from child", "child number (0 first)",
                    "Puts child n of the running object into the object slots the selector names, as `#139` "
                    "counts them; a child it does not have puts in a record of nothing."),
    TOLV_OBJECTS("objects from OA parent",
                 "Puts the parent of the object in slot A into the object slots the selector names, as `#139` "
                 "counts them; without a parent, a record of nothing."),
    TOLV_OBJECTS_BY("objects from OA child", "child number (0 first)",
                    "Puts child n of the object in slot A into the object slots the selector names, as `#139` "
                    "counts them; a child it does not have puts in a record of nothing."),
    TOLV_PLAYERS_BY("players from handle", "player handle (register)",
                    "Puts the player the handle names into the player slots the selector names, as `#137` counts "
                    "them; a value that is no player handle puts in a record of nothing."),
    TOLV_PLAYERS_BY("players from character handle", "player handle (character variable)",
                    "Puts the player the handle names into the player slots, as `#990` does."),
    TOLV_PLAYERS_BY("players from self handle", "player handle (variable of the running object)",
                    "Puts the player the handle names into the player slots, as `#990` does."),
    TOLV_PLAYERS_BY("players from PA handle", "player handle (variable of player slot A)",
                    "Puts the player the handle names into the player slots, as `#990` does."),
    TOLV_PLAYERS_BY("players from OA handle", "player handle (variable of object slot A)",
                    "Puts the player the handle names into the player slots, as `#990` does."),
    TOLV_OBJECTS_BY("objects from handle", "object handle (register)",
                    "Puts the object the handle names into the object slots the selector names, as `#139` counts "
                    "them; a value that is no object handle puts in a record of nothing."),
    TOLV_OBJECTS_BY("objects from character handle", "object handle (character variable)",
                    "Puts the object the handle names into the object slots, as `#995` does."),
    TOLV_OBJECTS_BY("objects from self handle", "object handle (variable of the running object)",
                    "Puts the object the handle names into the object slots, as `#995` does."),
    TOLV_OBJECTS_BY("objects from PA handle", "object handle (variable of player slot A)",
                    "Puts the object the handle names into the object slots, as `#995` does."),
    TOLV_OBJECTS_BY("objects from OA handle", "object handle (variable of object slot A)",
                    "Puts the object the handle names into the object slots, as `#995` does."),
    {"copy player slot", CommandArea::kPlayers, {"source slot: 0 A, 1 B, 2 D (constant)", "slot selector (constant)"},
     "Puts the player of the source slot into the other player slots the selector names, as `#137` counts "
     "them."},
    {"copy object slot", CommandArea::kObjects, {"source slot: 0 A, 1 B, 2 D (constant)", "slot selector (constant)"},
     "Puts the object of the source slot into the other object slots the selector names, as `#139` counts "
     "them."},
    {"swap player slots", CommandArea::kPlayers, {"pair: 0 A and B, 1 B and D, 2 A and D (constant)"},
     "Exchanges the players of two player slots."},
    {"swap object slots", CommandArea::kObjects, {"pair: 0 A and B, 1 B and D, 2 A and D (constant)"},
     "Exchanges the objects of two object slots."},
};
#undef TOLV_OBJECTS
#undef TOLV_OBJECTS_BY
#undef TOLV_PLAYERS_BY
extern const CommandList slot_command_list = TOLV_DOCUMENTED(kSlots, kSlotDocs);

}  // namespace tolv
