// Stat object commands on elements, nodes and counters of the running
// object's instance. Without an instance they do nothing.
#include "script/commands.h"
#include "script/count_slot.h"
#include "stat/stat_obj_access.h"

namespace tolv {

static void SetElementSpeed() {  // 4: element, axis, speed, counter
  StatObjElement* e = StatElement(RunningStatObj(), Op(1));
  if (!e) return;
  (RegOrConst(Op(2)) == 0 ? e->x_speed : e->y_speed) = RegOrConst(Op(3));
  e->counter = static_cast<uint8_t>(RegOrConst(Op(4)));
}

// 5: counter, mode, limit. A yielding command runs again next frame.
static void CounterWait() {
  StatObj* so = RunningStatObj();
  if (!so || Op(1) >= so->counter_count) return;
  int32_t& c = so->counters[Op(1)];
  int32_t limit = static_cast<int32_t>(Op(3));
  switch (Op(2)) {
    case 0:
      if (c < limit) {
        c++;
        yield_flag = 1;
      } else {
        c = 0;
      }
      break;
    case 1:
      if (c != 0) {
        c--;
        yield_flag = 1;
      }
      break;
    case 2:
      if (c < limit) yield_flag = 1;
      else c = 0;
      break;
    default: break;
  }
}

static void SetNodeSpeed() {  // 8: node, axis, speed, counter
  StatObj* so = RunningStatObj();
  StatObjNode* n = so ? CodedNodeOf(so, static_cast<uint32_t>(RegOrConst(Op(1)))) : nullptr;
  if (!n) return;
  (RegOrConst(Op(2)) == 0 ? n->x_speed : n->y_speed) = RegOrConst(Op(3));
  n->counter = static_cast<uint8_t>(RegOrConst(Op(4)));
}

static void SetElementVisible() {  // 9
  if (StatObjElement* e = ElementOperand(RunningStatObj(), 1)) e->visible = static_cast<uint8_t>(RegOrConst(Op(2)));
}

static void SetNodeVisible() {  // 10: roots stay visible
  StatObj* so = RunningStatObj();
  uint32_t v = static_cast<uint32_t>(RegOrConst(Op(1)));
  if (!so || v > 253) return;
  if (StatObjNode* n = CodedNodeOf(so, v)) n->visible = static_cast<uint8_t>(RegOrConst(Op(2)));
}

static void SetElementFont() {  // 11
  if (StatObjElement* e = ElementOperand(RunningStatObj(), 1, true)) {
    e->start_function = RegOrConst(Op(2));
    MeasureStatObjElement(e);
  }
}

// Empties an element's anim context; when it is the one running, the
// lane yields.
static void EmptyAnim(StatObj* so, StatObjElement* e, bool rebind) {
  if (running_context == &e->anim) yield_flag = 1;
  if (rebind) {
    ResetElementAnim(so, e);
    return;
  }
  SavedMachineState keep;
  timed_context = &e->anim;
  FreeTimedContext();
}

static void SetElementKind() {  // 12
  StatObj* so = RunningStatObj();
  StatObjElement* e = ElementOperand(so, 1);
  if (!e) return;
  e->kind = static_cast<uint8_t>(RegOrConst(Op(2)));
  EmptyAnim(so, e, true);
}

static void SetElementSourceDef() {  // 13
  if (StatObjElement* e = ElementOperand(RunningStatObj(), 1, true)) e->source_def = static_cast<uint16_t>(RegOrConst(Op(2)));
}

static void SetElementSource() {  // 14
  if (StatObjElement* e = ElementOperand(RunningStatObj(), 1, true)) {
    e->source = static_cast<uint16_t>(RegOrConst(Op(2)));
    e->frame = 0;
    MeasureStatObjElement(e);
  }
}

static void SetElementValue() {  // 15
  if (StatObjElement* e = ElementOperand(RunningStatObj(), 1, true)) {
    e->value = RegOrConst(Op(2));
    MeasureStatObjElement(e);
  }
}

static void MoveElement() {  // 16: element, node (node coding)
  StatObj* so = RunningStatObj();
  StatObjElement* e = ElementOperand(so, 1);
  if (!e) return;
  uint32_t to = CodedNode(so, static_cast<uint32_t>(RegOrConst(Op(2))));
  if (to == kNoNode) return;
  uint8_t index = static_cast<uint8_t>(e - so->elements);
  if (StatObjNode* from = StatNode(so, e->parent)) RemoveIndex(from->elements, from->element_count, index);
  StatObjNode& n = so->nodes[to];
  AppendIndex(n.elements, n.element_count, index);
  e->parent = static_cast<uint8_t>(to);
}

static void EnableTriggers() {  // 17
  if (StatObj* so = RunningStatObj()) so->triggers_enabled = static_cast<uint8_t>(RegOrConst(Op(1)));
}

static void SetCounter() {  // 20: counter, value
  StatObj* so = RunningStatObj();
  if (so && Op(1) < so->counter_count) so->counters[Op(1)] = static_cast<int32_t>(Op(2));
}

static void SetElementFrame() {  // 38
  if (StatObjElement* e = ElementOperand(RunningStatObj(), 1, true)) {
    e->frame = static_cast<uint16_t>(RegOrConst(Op(2)));
    MeasureStatObjElement(e);
  }
}

static void StartElementScript() {  // 90: element, function
  StatObj* so = RunningStatObj();
  StatObjElement* e = ElementOperand(so, 1, true);
  if (!e) return;
  EmptyAnim(so, e, false);
  e->start_function = RegOrConst(Op(2));
  StartElementFunction(e);
}

// Count (28) of stat object lanes: the counters are the instance's, the
// comparison unsigned; the pc is that of the instance's own context.
void CountInStatObj() {
  StatObj* so = RunningStatObj();
  if (!so) return;
  ScriptContext* ctx = &so->ctx;
  uint16_t scratch = 0;
  uint16_t& pc = current_lane < ctx->lane_count ? ctx->lane_pcs[current_lane] : scratch;
  int32_t& cell = Cell(so->counters, so->counter_count, Op(2));
  uint32_t counter = static_cast<uint32_t>(cell), limit = Op(3);
  if (counter < limit) {
    pc = static_cast<uint16_t>(Op(1));
    cell = static_cast<int32_t>(counter + 1);
    yield_flag = 1;
  } else if (limit) {
    cell = 0;
  } else {
    pc = static_cast<uint16_t>(Op(1));
    yield_flag = 1;
  }
}

static const CommandDef kStatObjCommands[] = {
    TOLV_ALL(4, 5, SetElementSpeed, "element speed"),
    TOLV_ALL(5, 0, CounterWait, "counter wait"),
    TOLV_ALL(8, 5, SetNodeSpeed, "node speed"),
    TOLV_ALL(9, 3, SetElementVisible, "element visible"),
    TOLV_ALL(10, 3, SetNodeVisible, "node visible"),
    TOLV_ALL(11, 3, SetElementFont, "element font"),
    TOLV_ALL(12, 3, SetElementKind, "element kind"),
    TOLV_ALL(13, 3, SetElementSourceDef, "element source def"),
    TOLV_ALL(14, 3, SetElementSource, "element source"),
    TOLV_ALL(15, 3, SetElementValue, "element value"),
    TOLV_ALL(16, 3, MoveElement, "move element"),
    TOLV_ALL(17, 2, EnableTriggers, "enable triggers"),
    TOLV_ALL(20, 3, SetCounter, "set counter"),
    TOLV_ALL(38, 3, SetElementFrame, "element frame"),
    TOLV_ALL(90, 3, StartElementScript, "element function"),
};

static const CommandDoc kStatObjDocs[] = {
    {"element speed", CommandArea::kLayouts,
     {"element (constant)", "axis: 0 x, any other y", "speed (pixels a frame)", "arrival counter"},
     "Sets how fast an element of the running layout moves toward its target on one axis, and which of the "
     "layout's counters counts its arrivals: the counter goes up by one when the element comes to stand on "
     "its target on both axes."},
    {"counter wait", CommandArea::kLayouts,
     {"counter (constant)", "mode: 0 count frames, 1 count down, 2 wait for arrivals (constant)",
      "limit (constant; modes 0 and 2 only)"},
     "Waits at this command, trying it again each frame, on one of the layout's counters: mode 0 counts it up "
     "once a frame until it reaches the limit, mode 1 counts it down to 0, mode 2 waits until arrivals have "
     "raised it to the limit. Modes 0 and 2 then clear the counter; another mode, or a counter the layout "
     "does not have, goes on at once."},
    {"node speed", CommandArea::kLayouts,
     {"node (254 level root, 255 screen root)", "axis: 0 x, any other y", "speed (pixels a frame)",
      "arrival counter"},
     "As element speed, for the position of a node of the running layout."},
    {"element visible", CommandArea::kLayouts, {"element", "1 shown, any other value hidden"},
     "Shows or hides an element of the running layout."},
    {"node visible", CommandArea::kLayouts, {"node", "0 hidden, any other value shown"},
     "Shows or hides a node of the running layout with everything in it. The two roots stay shown."},
    {"element font", CommandArea::kLayouts, {"element", "font"},
     "Sets the font a text or number element is drawn in, and measures the element again."},
    {"element kind", CommandArea::kLayouts,
     {"element", "kind: 0-2 sprite, 10 text, 11 script string, 12-15 number"},
     "Changes what an element shows: a sprite of the layout's own sprite lists (0), of an object sprite set "
     "(1) or of a character (2), a text of a layout (10), a script string (11), a register (12, 13) or a "
     "player variable (14, 15), the odd number kinds padded with zeros and the even ones with blanks. The "
     "element's animation is emptied and bound to its kind's functions: the layout's, the objects' Animation "
     "functions or the characters'."},
    {"element source def", CommandArea::kLayouts, {"element", "layout definition, or digit count 1-10"},
     "Sets the layout definition whose sprite lists (kind 0) or texts (kind 10) an element shows from; for a "
     "number element, how many digits it pads to."},
    {"element source", CommandArea::kLayouts, {"element", "sprite list, sprite set, character, text or string"},
     "Sets what an element shows from its kind's list, returns it to frame 0 and measures it again; for a "
     "number element any value but 0 shows the number in hexadecimal."},
    {"element value", CommandArea::kLayouts, {"element", "register or player variable number"},
     "Sets the register (kinds 12 and 13) or the player variable (kinds 14 and 15) a number element shows, "
     "and measures it again."},
    {"move element", CommandArea::kLayouts, {"element", "node (254 level root, 255 screen root)"},
     "Moves an element into another node of the running layout, at the end of its elements: it is then "
     "placed, clipped and drawn in that node."},
    {"enable triggers", CommandArea::kLayouts, {"0 off, any other value on"},
     "Switches the running layout's key triggers: while on, each frame the first complete key combination of "
     "the selected node, and of its current menu entry, starts its function."},
    {"set counter", CommandArea::kLayouts, {"counter (constant)", "value (constant)"},
     "Sets one of the running layout's counters; a counter the layout does not have is left alone."},
    {"element frame", CommandArea::kLayouts, {"element", "frame"},
     "Sets the frame a sprite element shows while it has no animation function, and measures it again; for a "
     "player variable element it is the player (255 the current one)."},
    {"element function", CommandArea::kLayouts, {"element", "function"},
     "Empties an element's animation, ending what runs there, and starts the function in it from its kind's "
     "functions; for a character element a number of 0 or more counts from the character's first label."},
};
extern const CommandList stat_obj_command_list = TOLV_DOCUMENTED(kStatObjCommands, kStatObjDocs);

}  // namespace tolv
