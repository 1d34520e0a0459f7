// Making handles of records, and making the object of a handle the running
// object.
#include "script/commands.h"
#include "script/handles.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

// The current player is the one register 9 names.
static int32_t CurrentPlayerHandle() {
  uint32_t i = static_cast<uint32_t>(Reg(kRegPlayer));
  return EncodePlayerHandle(i < kMaxPlayers ? &player_records[i] : &void_player);
}
static int32_t SelfHandle() { return EncodeObjectHandle(running_slot); }
static int32_t PAHandle() { return EncodePlayerHandle(player_operand_a); }
static int32_t OAHandle() { return EncodeObjectHandle(object_operand_a); }

template <int32_t (*Handle)()>
static void HandleToReg() {
  Reg(Op(1)) = Handle();
}
template <int32_t (*Handle)()>
static void HandleToPD() {
  PDVar(Op(1)) = Handle();
}
template <int32_t (*Handle)()>
static void HandleToOD() {
  ODVar(Op(1)) = Handle();
}

// Nothing is saved: the running object stays switched after the command.
static void SelfFromRegHandle() { running_slot = DecodeObjectHandle(Reg(Op(1))); }
static void SelfFromPAHandle() { running_slot = DecodeObjectHandle(PAVar(Op(1))); }
static void SelfFromOAHandle() { running_slot = DecodeObjectHandle(OAVar(Op(1))); }

static const CommandDef kHandles[] = {
    TOLV_ALL(978, 2, HandleToReg<CurrentPlayerHandle>, "player handle"),
    TOLV_ALL(979, 2, HandleToReg<SelfHandle>, "self handle"),
    TOLV_ALL(980, 2, HandleToPD<CurrentPlayerHandle>, "player handle to PD"),
    TOLV_ALL(981, 2, HandleToPD<SelfHandle>, "self handle to PD"),
    TOLV_ALL(982, 2, HandleToOD<CurrentPlayerHandle>, "player handle to OD"),
    TOLV_ALL(983, 2, HandleToOD<SelfHandle>, "self handle to OD"),
    TOLV_ALL(984, 2, HandleToReg<PAHandle>, "PA handle"),
    TOLV_ALL(985, 2, HandleToReg<OAHandle>, "OA handle"),
    TOLV_ALL(986, 2, HandleToPD<PAHandle>, "PA handle to PD"),
    TOLV_ALL(987, 2, HandleToPD<OAHandle>, "OA handle to PD"),
    TOLV_ALL(988, 2, HandleToOD<PAHandle>, "PA handle to OD"),
    TOLV_ALL(989, 2, HandleToOD<OAHandle>, "OA handle to OD"),
    TOLV_ALL(1199, 2, SelfFromRegHandle, "self from handle"),
    TOLV_ALL(1200, 2, SelfFromPAHandle, "self from PA handle"),
    TOLV_ALL(1201, 2, SelfFromOAHandle, "self from OA handle"),
};

static const CommandDoc kHandleDocs[] = {
    {"player handle", CommandArea::kPlayers, {"destination (register)"},
     "Stores a handle of the current player (the one register 9 names): a number that names that player for "
     "the whole run, for `#990` to `#994` to put back into the player slots."},
    {"self handle", CommandArea::kObjects, {"destination (register)"},
     "Stores a handle of the running object: a number that names the object's place for the whole run, also "
     "once the object is deleted, for `#995` to `#999` to put back into the object slots."},
    {"player handle to PD", CommandArea::kPlayers, {"destination (variable of player slot D)"},
     "Stores a handle of the current player in a variable of player slot D."},
    {"self handle to PD", CommandArea::kObjects, {"destination (variable of player slot D)"},
     "Stores a handle of the running object in a variable of player slot D."},
    {"player handle to OD", CommandArea::kPlayers, {"destination (variable of object slot D)"},
     "Stores a handle of the current player in a variable of object slot D."},
    {"self handle to OD", CommandArea::kObjects, {"destination (variable of object slot D)"},
     "Stores a handle of the running object in a variable of object slot D."},
    {"PA handle", CommandArea::kPlayers, {"destination (register)"},
     "Stores a handle of the player in player slot A."},
    {"OA handle", CommandArea::kObjects, {"destination (register)"},
     "Stores a handle of the object in object slot A."},
    {"PA handle to PD", CommandArea::kPlayers, {"destination (variable of player slot D)"},
     "Stores a handle of the player in player slot A in a variable of player slot D."},
    {"OA handle to PD", CommandArea::kObjects, {"destination (variable of player slot D)"},
     "Stores a handle of the object in object slot A in a variable of player slot D."},
    {"PA handle to OD", CommandArea::kPlayers, {"destination (variable of object slot D)"},
     "Stores a handle of the player in player slot A in a variable of object slot D."},
    {"OA handle to OD", CommandArea::kObjects, {"destination (variable of object slot D)"},
     "Stores a handle of the object in object slot A in a variable of object slot D."},
    {"self from handle", CommandArea::kObjects, {"object handle (register)"},
     "Makes the object the handle names the running object (self) from here on, so that what follows acts on "
     "it, until the engine moves on to the next object; a value that is no object handle selects a record of "
     "nothing."},
    {"self from PA handle", CommandArea::kObjects, {"object handle (variable of player slot A)"},
     "Makes the object the handle names the running object, as `#1199` does."},
    {"self from OA handle", CommandArea::kObjects, {"object handle (variable of object slot A)"},
     "Makes the object the handle names the running object, as `#1199` does."},
};
extern const CommandList handle_command_list = TOLV_DOCUMENTED(kHandles, kHandleDocs);

}  // namespace tolv
