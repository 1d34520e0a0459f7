// Commands that add to the offsets plane scrolling fills, and set a
// plane's function. Indexes out of range do nothing.
#include "base/wrap32.h"
#include "script/commands.h"
#include "script/operands.h"
#include "world/plane_scroll.h"
#include "world/tile_plane.h"

namespace tolv {

// Operand k: a register's value or the word itself, as the ID says.
template <bool kReg>
static int32_t Operand(int k) {
  return kReg ? Reg(Op(k)) : static_cast<int32_t>(Op(k));
}

static void AddToLine(uint32_t plane, int32_t line, int32_t value) {
  TilePlane* p = PlaneAt(plane);
  uint32_t n = static_cast<uint32_t>(line);
  if (!p || !p->line_offsets || n >= PlaneLineCount(p->type, p->width, p->height)) return;
  p->line_offsets[n] = Wrap32Add(p->line_offsets[n], value);
}

static void AddToOther(uint32_t plane, int32_t value) {
  if (TilePlane* p = PlaneAt(plane)) p->other_offset = Wrap32Add(p->other_offset, value);
}

template <bool kPlane, bool kLine, bool kValue>
static void CmdAddPlaneLineOffset() {
  AddToLine(static_cast<uint32_t>(Operand<kPlane>(1)), Operand<kLine>(2), Operand<kValue>(3));
}
template <bool kPlane, bool kValue>
static void CmdAddPlaneOtherOffset() {
  AddToOther(static_cast<uint32_t>(Operand<kPlane>(1)), Operand<kValue>(2));
}
// Inside a plane function: the plane whose function runs; outside one, the
// last plane filled (lines) or the last of the list (other axis).
template <bool kLine, bool kValue>
static void CmdAddCurrentLineOffset() {
  AddToLine(CurrentFilledPlane(), Operand<kLine>(1), Operand<kValue>(2));
}
template <bool kValue>
static void CmdAddCurrentOtherOffset() {
  AddToOther(CurrentPlane(), Operand<kValue>(1));
}

static void CmdSetPlaneFunction() {
  if (TilePlane* p = PlaneAt(static_cast<uint32_t>(RegOrConst(Op(1))))) p->plane_function = Low16(Op(2));
}

static const CommandDef kPlaneScrollCommands[] = {
    TOLV_ALL(1262, 3, CmdSetPlaneFunction, "set plane function"),
    TOLV_SCRIPT(1263, 4, (CmdAddPlaneLineOffset<true, true, true>), "add plane line offset"),
    TOLV_SCRIPT(1264, 4, (CmdAddPlaneLineOffset<true, true, false>), "add plane line offset"),
    TOLV_SCRIPT(1265, 4, (CmdAddPlaneLineOffset<true, false, true>), "add plane line offset"),
    TOLV_SCRIPT(1266, 4, (CmdAddPlaneLineOffset<true, false, false>), "add plane line offset"),
    TOLV_SCRIPT(1267, 4, (CmdAddPlaneLineOffset<false, true, true>), "add plane line offset"),
    TOLV_SCRIPT(1268, 4, (CmdAddPlaneLineOffset<false, true, false>), "add plane line offset"),
    TOLV_SCRIPT(1269, 4, (CmdAddPlaneLineOffset<false, false, true>), "add plane line offset"),
    TOLV_SCRIPT(1270, 4, (CmdAddPlaneLineOffset<false, false, false>), "add plane line offset"),
    TOLV_SCRIPT(1271, 3, (CmdAddPlaneOtherOffset<true, true>), "add plane other offset"),
    TOLV_SCRIPT(1272, 3, (CmdAddPlaneOtherOffset<true, false>), "add plane other offset"),
    TOLV_SCRIPT(1273, 3, (CmdAddPlaneOtherOffset<false, true>), "add plane other offset"),
    TOLV_SCRIPT(1274, 3, (CmdAddPlaneOtherOffset<false, false>), "add plane other offset"),
    TOLV_SCRIPT(1275, 3, (CmdAddCurrentLineOffset<true, true>), "add current line offset"),
    TOLV_SCRIPT(1276, 3, (CmdAddCurrentLineOffset<true, false>), "add current line offset"),
    TOLV_SCRIPT(1277, 3, (CmdAddCurrentLineOffset<false, true>), "add current line offset"),
    TOLV_SCRIPT(1278, 3, (CmdAddCurrentLineOffset<false, false>), "add current line offset"),
    TOLV_SCRIPT(1279, 2, CmdAddCurrentOtherOffset<true>, "add current other offset"),
    TOLV_SCRIPT(1280, 2, CmdAddCurrentOtherOffset<false>, "add current other offset"),
};
extern const CommandList plane_scroll_command_list = TOLV_LIST(kPlaneScrollCommands);

}  // namespace tolv
