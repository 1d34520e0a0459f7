// Commands that move both players' cameras and set a player's target
// limits.
#include "base/wrap32.h"
#include "script/commands.h"
#include "script/operands.h"
#include "script/registers.h"

namespace tolv {

// The drawn view's camera and both players' cameras (kPlayers + p) along
// one axis.
template <uint32_t kView, uint32_t kPlayers, bool kAdd>
static void MoveCameras() {
  int32_t v = static_cast<int32_t>(Op(1));
  for (uint32_t k : {kView, kPlayers, kPlayers + 1}) registers[k] = kAdd ? Wrap32Add(registers[k], v) : v;
}

// The current limits stay; the wrap size follows the targets until the
// next world update recomputes it from the current limits.
static void CmdSetTargetLimits() {
  uint32_t p = static_cast<uint32_t>(RegOrConst(Op(1)));
  int32_t left = RegOrConst(Op(2)), top = RegOrConst(Op(3));
  int32_t right = RegOrConst(Op(4)), bottom = RegOrConst(Op(5));
  Cell(registers, register_count, kRegTargetLeft + p) = left;
  Cell(registers, register_count, kRegTargetTop + p) = top;
  Cell(registers, register_count, kRegTargetRight + p) = right;
  Cell(registers, register_count, kRegTargetBottom + p) = bottom;
  Cell(registers, register_count, kRegWrapWidth + p) = Wrap32Sub(right, left);
  Cell(registers, register_count, kRegWrapHeight + p) = Wrap32Sub(bottom, top);
}

static const CommandDef kCameraCommands[] = {
    TOLV_ALL(26, 2, (MoveCameras<kRegCameraX, kRegViewX, true>), "add camera x"),
    TOLV_ALL(27, 2, (MoveCameras<kRegCameraY, kRegViewY, true>), "add camera y"),
    TOLV_ALL(31, 2, (MoveCameras<kRegCameraX, kRegViewX, false>), "set camera x"),
    TOLV_ALL(32, 2, (MoveCameras<kRegCameraY, kRegViewY, false>), "set camera y"),
    TOLV_ALL(89, 6, CmdSetTargetLimits, "set target limits"),
};

static const CommandDoc kCameraDocs[] = {
    {"add camera x", CommandArea::kCamera, {"pixels to add (constant)"},
     "Moves the camera of the view being drawn and both players' cameras right by the amount (left when "
     "negative). A player whose camera follows it puts its camera back at its next camera step."},
    {"add camera y", CommandArea::kCamera, {"pixels to add (constant)"},
     "Moves the camera of the view being drawn and both players' cameras down by the amount (up when "
     "negative). A player whose camera follows it puts its camera back at its next camera step."},
    {"set camera x", CommandArea::kCamera, {"x (pixels, constant)"},
     "Sets the left edge of the camera of the view being drawn and of both players' cameras. A player "
     "whose camera follows it puts its camera back at its next camera step."},
    {"set camera y", CommandArea::kCamera, {"y (pixels, constant)"},
     "Sets the top edge of the camera of the view being drawn and of both players' cameras. A player "
     "whose camera follows it puts its camera back at its next camera step."},
    {"set target limits", CommandArea::kCamera, {"player (0 or 1)", "left", "top", "right", "bottom"},
     "Sets the edges (pixels) the player's camera limits move toward: each frame a limit moves to its "
     "target, 2 pixels a frame where it crosses the view or lies within 15 pixels of it. The wrap size "
     "becomes right - left by bottom - top until the next world update takes it from the current limits; "
     "a player number other than 0 or 1 writes other registers."},
};
extern const CommandList camera_command_list = TOLV_DOCUMENTED(kCameraCommands, kCameraDocs);

}  // namespace tolv
