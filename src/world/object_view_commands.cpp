// Whether and where an object is seen: the wrap region of a view that
// shows the running object (1183), and a jump unless the OA object is on
// screen, in range or inside the camera limits (325).
#include "script/commands.h"
#include "script/lane_access.h"
#include "script/operands.h"
#include "script/registers.h"
#include "world/view_region.h"

namespace tolv {

// View 1 exists only in the two-view screen mode.
static void CmdStoreObjectViewRegion() {
  int v = static_cast<uint8_t>(RegOrConst(Op(1))) == 1 && registers[kRegScreenMode] == 2 ? 1 : 0;
  Reg(Op(2)) = ViewRegion(v, SelfVar(1), SelfVar(2));
}

// Positions and wrap lengths count in 16 bits here.
static bool OnAxis(int16_t v, uint32_t camera, uint32_t frame, uint32_t wrap, uint32_t length) {
  const int64_t first = registers[camera], last = first + registers[frame];
  auto in = [&](int16_t p) { return p >= first && p <= last; };
  if (in(v)) return true;
  const int16_t n = static_cast<int16_t>(registers[length]);
  return registers[wrap] && (in(static_cast<int16_t>(v - n)) || in(static_cast<int16_t>(v + n)));
}

static bool OnScreen(uint32_t v, int16_t x, int16_t y) {
  return OnAxis(x, kRegViewX + v, kRegFrameWidth, kRegWrapX + v, kRegWrapWidth + v) &&
         OnAxis(y, kRegViewY + v, kRegFrameHeight, kRegWrapY + v, kRegWrapHeight + v);
}

// Current camera limits of player p, right and bottom open.
static bool InLimits(uint32_t p, int16_t x, int16_t y) {
  return x >= registers[kRegLimitLeft + p] && x < registers[kRegLimitRight + p] && y >= registers[kRegLimitTop + p] &&
         y < registers[kRegLimitBottom + p];
}

// Tests: 0 on screen in a view, 1 in range, 2 inside either player's
// limits; any other test is false.
static bool ObjectInView(const ObjectSlot* o, uint32_t test) {
  const int16_t x = static_cast<int16_t>(ObjVar(o, 1)), y = static_cast<int16_t>(ObjVar(o, 2));
  switch (test) {
    case 0: return OnScreen(0, x, y) || (registers[kRegScreenMode] > 1 && OnScreen(1, x, y));
    case 1: return o->range_state != 255;
    case 2: return InLimits(0, x, y) || InLimits(1, x, y);
    default: return false;
  }
}

// Operands: test, expected answer, target (as a non-yielding jump stores it).
template <uint16_t& (*Pc)()>
static void CmdJumpUnlessObjectInView() {
  if (int32_t{ObjectInView(object_operand_a, Op(1))} != static_cast<int32_t>(Op(2))) Pc() = static_cast<uint16_t>(Op(3));
}

static const CommandDef kObjectViewCommands[] = {
    {325, 4, CmdJumpUnlessObjectInView<PlainLanePc>, CmdJumpUnlessObjectInView<TimedLanePc>,
     CmdJumpUnlessObjectInView<PlainLanePc>, "jump unless object in view"},
    TOLV_ALL(1183, 3, CmdStoreObjectViewRegion, "object view region"),
};

static const CommandDoc kObjectViewDocs[] = {
    {"jump unless object in view", CommandArea::kCamera,
     {"test: 0 on screen, 1 in range, 2 inside the camera limits (constant)", "expected answer, 0 or 1 (constant)",
      "the block's Else or EndIf (set by the compiler)"},
     "Opens an If block that runs when the test of the object in object slot A gives the expected answer. "
     "On screen: inside view 0 or, in screen modes above 1, view 1 (wrap copies included); in range: within "
     "160 pixels of a view when last drawn; inside the limits: inside either player's current camera limits. "
     "Positions count in 16 bits, and another test answers 0."},
    {"object view region", CommandArea::kCamera, {"view, 0 or 1", "destination (register)"},
     "Stores which copy of the view holds the running object, with 160 pixels around the view counted in: "
     "4 the view itself, 3 and 5 its copies one wrap width to the right and left, 1 and 7 one wrap height "
     "down and up, 0, 2, 6 and 8 the corners, 255 none. View 1 counts only in the two-view screen mode; "
     "otherwise view 0 answers."},
};
extern const CommandList object_view_command_list = TOLV_DOCUMENTED(kObjectViewCommands, kObjectViewDocs);

}  // namespace tolv
