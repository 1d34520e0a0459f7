#include "objects/draw_frame_command.h"

#include "objects/builtin_routines.h"
#include "objects/object_type.h"
#include "objects/players.h"
#include "render/draw_routines.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

// Operands: set, frame, dx, dy, flip, each the low 16 bits of a register
// or constant. A set or frame the type lacks, or a flip above 3, draws
// nothing.
static void DrawTypeFrame(const ObjectType* t, int32_t x, int32_t y) {
  uint16_t set = Low16(Op(1)), frame = Low16(Op(2)), flip = Low16(Op(5));
  int16_t dx = static_cast<int16_t>(Low16(Op(3))), dy = static_cast<int16_t>(Low16(Op(4)));
  const SpriteFrame* f = TypeFrame(t, set, frame);
  if (!f || flip > 3) return;
  draw_routines.draw_sprite[flip](f, registers[kRegCameraX], registers[kRegCameraY], WrapAdd(x, dx), WrapAdd(y, dy));
}

void DrawObjectFrame() {
  const ObjectSlot* o = running_slot;
  DrawTypeFrame(FindObjectType(ObjVar(o, 0)), ObjVar(o, 1), ObjVar(o, 2));
}

void DrawPlayerObjectFrame() {
  int32_t i = CurPlayerVar(kPvDebugType);
  if (!debug_types || i < 0 || i >= debug_type_count) return;
  DrawTypeFrame(FindObjectType(debug_types[i]), CurPlayerVar(kPvX), CurPlayerVar(kPvY));
}

static const CommandDef kDrawFrame[] = {
    TOLV_SCRIPT(kDrawFrameCommand, 6, DrawObjectFrame, "draw object frame"),
};

static const CommandDoc kDrawFrameDocs[] = {
    {"draw object frame", CommandArea::kObjects,
     {"sprite set (entry of the type's list)", "frame", "x offset (pixels)", "y offset (pixels)", "flip"},
     "Draws the frame of the running object's type at the object's position moved by the offsets, flipped by "
     "flip: 0 none, 1 mirrored left to right, 2 upside down, 3 both. A set or frame the type lacks, or a flip "
     "above 3, draws nothing. In the Debug Drawing of a type a player is placing, it draws that type's frame at "
     "the player's position."},
};
extern const CommandList draw_frame_command_list = TOLV_DOCUMENTED(kDrawFrame, kDrawFrameDocs);

}  // namespace tolv
