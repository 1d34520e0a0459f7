// Commands that add to the offsets plane scrolling fills, and set a
// plane's function. Indexes out of range do nothing.
#include "base/wrap32.h"
#include "script/commands.h"
#include "script/operand_kinds.h"
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

using K = Kind;
static const CommandDef kPlaneScrollCommands[] = {
    TOLV_ALL(1262, 3, CmdSetPlaneFunction, "set plane function"),
    WithKinds(TOLV_SCRIPT(1263, 4, (CmdAddPlaneLineOffset<true, true, true>), "add plane line offset"),
              {K::R, K::R, K::R}),
    WithKinds(TOLV_SCRIPT(1264, 4, (CmdAddPlaneLineOffset<true, true, false>), "add plane line offset"),
              {K::R, K::R, K::K}),
    WithKinds(TOLV_SCRIPT(1265, 4, (CmdAddPlaneLineOffset<true, false, true>), "add plane line offset"),
              {K::R, K::K, K::R}),
    WithKinds(TOLV_SCRIPT(1266, 4, (CmdAddPlaneLineOffset<true, false, false>), "add plane line offset"),
              {K::R, K::K, K::K}),
    WithKinds(TOLV_SCRIPT(1267, 4, (CmdAddPlaneLineOffset<false, true, true>), "add plane line offset"),
              {K::K, K::R, K::R}),
    WithKinds(TOLV_SCRIPT(1268, 4, (CmdAddPlaneLineOffset<false, true, false>), "add plane line offset"),
              {K::K, K::R, K::K}),
    WithKinds(TOLV_SCRIPT(1269, 4, (CmdAddPlaneLineOffset<false, false, true>), "add plane line offset"),
              {K::K, K::K, K::R}),
    WithKinds(TOLV_SCRIPT(1270, 4, (CmdAddPlaneLineOffset<false, false, false>), "add plane line offset"),
              {K::K, K::K, K::K}),
    WithKinds(TOLV_SCRIPT(1271, 3, (CmdAddPlaneOtherOffset<true, true>), "add plane other offset"), {K::R, K::R}),
    WithKinds(TOLV_SCRIPT(1272, 3, (CmdAddPlaneOtherOffset<true, false>), "add plane other offset"), {K::R, K::K}),
    WithKinds(TOLV_SCRIPT(1273, 3, (CmdAddPlaneOtherOffset<false, true>), "add plane other offset"), {K::K, K::R}),
    WithKinds(TOLV_SCRIPT(1274, 3, (CmdAddPlaneOtherOffset<false, false>), "add plane other offset"),
              {K::K, K::K}),
    WithKinds(TOLV_SCRIPT(1275, 3, (CmdAddCurrentLineOffset<true, true>), "add current line offset"),
              {K::R, K::R}),
    WithKinds(TOLV_SCRIPT(1276, 3, (CmdAddCurrentLineOffset<true, false>), "add current line offset"),
              {K::R, K::K}),
    WithKinds(TOLV_SCRIPT(1277, 3, (CmdAddCurrentLineOffset<false, true>), "add current line offset"),
              {K::K, K::R}),
    WithKinds(TOLV_SCRIPT(1278, 3, (CmdAddCurrentLineOffset<false, false>), "add current line offset"),
              {K::K, K::K}),
    WithKinds(TOLV_SCRIPT(1279, 2, CmdAddCurrentOtherOffset<true>, "add current other offset"), {K::R}),
    WithKinds(TOLV_SCRIPT(1280, 2, CmdAddCurrentOtherOffset<false>, "add current other offset"), {K::K}),
};

static const CommandDoc kPlaneScrollDocs[] = {
    {"set plane function", CommandArea::kPlanes, {"plane", "function (65535 for none)"},
     "Gives a plane the function that runs each time the plane is scrolled for a view, right after "
     "its scroll offsets are filled, so that it can change them for that view's drawing. A plane that "
     "does not exist is left alone."},
    {"add plane line offset", CommandArea::kPlanes, {"plane", "line", "pixels to add"},
     "Adds to the scroll offset of one line of a plane: the plane itself for Flat and Relative planes, a "
     "tile row or column for Tiled ones, a pixel row or column for Lined ones. Each view's scrolling refills "
     "the offsets of a plane it shows just before running the plane's function, so a change lasts until that "
     "plane's next fill; a plane or line that does not exist is left alone."},
    {"add plane other offset", CommandArea::kPlanes, {"plane", "pixels to add"},
     "Adds to a plane's scroll offset across its lines (vertical for planes of rows, horizontal for "
     "planes of columns). Each view's scrolling refills it for a plane it shows just before running the "
     "plane's function, so a change lasts until that plane's next fill; a plane that does not exist is left "
     "alone."},
    {"add current line offset", CommandArea::kPlanes, {"line", "pixels to add"},
     "As add plane line offset, for the plane whose function is running; outside a plane function, for "
     "the last plane scrolled."},
    {"add current other offset", CommandArea::kPlanes, {"pixels to add"},
     "As add plane other offset, for the plane whose function is running; outside a plane function, for "
     "the last plane of the level."},
};
extern const CommandList plane_scroll_command_list = TOLV_DOCUMENTED(kPlaneScrollCommands, kPlaneScrollDocs);

}  // namespace tolv
