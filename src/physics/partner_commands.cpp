// Choosing a collision partner by handle (1219 register, 1220 PA variable,
// 1221 OA variable): it becomes the collide object and its current frame
// box, flip-aware, goes into the object box values the passes read.
#include "objects/builtin_routines.h"
#include "script/commands.h"
#include "script/handles.h"
#include "script/object_globals.h"
#include "script/operand_kinds.h"
#include "script/operands.h"

namespace tolv {

// The partner stays the collide object after the command. A handle that
// names no object leaves no partner and the box values as they were.
static void SelectPartner(int32_t handle) {
  ObjectSlot* o = DecodeObjectHandle(handle);
  collide_object = o;
  if (o != &void_slot) SetObjectBox(o);
}

static void PartnerFromReg() { SelectPartner(Reg(Op(1))); }
static void PartnerFromPA() { SelectPartner(PAVar(Op(1))); }
static void PartnerFromOA() { SelectPartner(OAVar(Op(1))); }

static const CommandDef kPartnerCommands[] = {
    WithKinds(TOLV_ALL(1219, 2, PartnerFromReg, "select collide object"), {Kind::R}),
    WithKinds(TOLV_ALL(1220, 2, PartnerFromPA, "select collide object"), {Kind::PA}),
    WithKinds(TOLV_ALL(1221, 2, PartnerFromOA, "select collide object"), {Kind::OA}),
};

static const CommandDoc kPartnerDocs[] = {
    {"select collide object", CommandArea::kMovement, {"object handle"},
     "Makes the object the handle names the collide object, which stays so after the command, and takes its "
     "current frame box, flips applied, as the object box a projectile pass then uses. A handle that names "
     "no object leaves no collide object and the box as it was."},
};
extern const CommandList partner_command_list = TOLV_DOCUMENTED(kPartnerCommands, kPartnerDocs);

}  // namespace tolv
