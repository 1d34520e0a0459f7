// Placement commands: elements and nodes put at absolute positions, inside
// or beside their parent's rectangle, next to an element or a node, and
// node rectangles set or tweened.
#include "script/commands.h"
#include "stat/stat_obj_access.h"

namespace tolv {

constexpr uint32_t kIndexFromRegister = 1u << 15;
constexpr uint32_t kValueFromRegister = 1u << 12;
constexpr uint32_t kOffsetFromRegister = 1u << 11;
constexpr uint32_t kIndexBits = 0x7FF;

static int32_t FloorHalf(int64_t v) { return static_cast<int32_t>(v >= 0 ? v / 2 : -((-v + 1) / 2)); }

// What is placed on one axis: where it is, how far it extends, and the
// node it lies in.
struct Extent {
  int64_t size, half;
  uint8_t parent;
  bool node;  // nodes end inside a rectangle at its last pixel, elements one past it
};

static Extent ElementExtent(const StatObjElement& e, bool y) {
  return {y ? e.height : e.width, y ? e.half_height : e.half_width, e.parent, false};
}
static Extent NodeExtent(const StatObjNode& n, bool y) {
  int64_t size = y ? int64_t{n.bottom} - n.top : int64_t{n.right} - n.left;
  return {size, FloorHalf(size), n.parent, true};
}

// Anchors 0-4 against a rectangle from lo to hi, shifted by s, plus v.
static bool InRect(const Extent& t, int64_t lo, int64_t hi, int64_t s, int64_t v, uint32_t anchor, int64_t* out) {
  switch (anchor) {
    case 0: *out = lo + FloorHalf(hi - lo) - t.half + s + v; return true;
    case 1: *out = lo + s - t.size + v; return true;
    case 2: *out = hi + 1 + s + v; return true;
    case 3: *out = lo + s + v; return true;
    case 4: *out = hi + (t.node ? 0 : 1) + s - t.size + v; return true;
    default: return false;
  }
}

static bool NodeRect(const StatObjNode* n, bool y, int64_t* lo, int64_t* hi) {
  if (!n) return false;
  *lo = y ? n->top : n->left;
  *hi = y ? n->bottom : n->right;
  return true;
}

// The operands after the thing: mode, anchor, value or reference, offset.
// Returns false when the coordinate stays as it is.
static bool Place(StatObj* so, const Extent& t, uint32_t flags, int64_t* out) {
  uint32_t mode = Op(2), anchor = Op(3);
  if (mode > 7) return false;
  bool y = mode & 1;
  int64_t v = (flags & kValueFromRegister) ? Reg(Op(4)) : static_cast<int32_t>(Op(4));
  int64_t o = (flags & kOffsetFromRegister) ? Reg(Op(5)) : static_cast<int32_t>(Op(5));
  int64_t lo, hi;
  switch (mode >> 1) {
    case 0:
      if (anchor == 1) *out = v;
      else if (anchor == 2) *out = v - t.size;
      else if (anchor == 0) *out = v - t.half;
      else return false;
      return true;
    case 1: {
      const StatObjNode* p = StatNode(so, t.parent);
      return NodeRect(p, y, &lo, &hi) && InRect(t, lo, hi, y ? p->scroll_y : p->scroll_x, v, anchor, out);
    }
    case 2: {
      const StatObjElement* e = StatElement(so, static_cast<uint32_t>(v));
      if (!e) return false;
      int64_t at = y ? e->y : e->x, size = y ? e->height : e->width, half = y ? e->half_height : e->half_width;
      switch (anchor) {
        case 0: *out = at - t.size + o; return true;
        case 1: *out = at + size + o; return true;
        case 2: *out = at + half - t.half + o; return true;
        case 3: *out = at + o; return true;
        case 4: *out = at + size - t.size + o; return true;
        default: return false;
      }
    }
    default: {
      uint32_t ref = static_cast<uint32_t>(v);
      const StatObjNode* r = (!t.node && ref > 255) ? StatNode(so, t.parent) : CodedNodeOf(so, ref);
      return NodeRect(r, y, &lo, &hi) && InRect(t, lo, hi, y ? r->y : r->x, o, anchor, out);
    }
  }
}

static uint32_t ThingIndex(uint32_t w) { return (w & kIndexFromRegister) ? uint32_t(Reg(w & kIndexBits)) : (w & kIndexBits); }

// Placing (2, 6) sets the coordinate and its target; targeting (3, 7)
// only the target. A kept coordinate still becomes the target when placing.
static void Apply(int32_t& at, int32_t& target, bool placed, int64_t value, bool place) {
  if (placed) {
    target = static_cast<int32_t>(value);
    if (place) at = target;
  } else if (place) {
    target = at;
  }
}

template <typename T>
static void PlaceOnAxis(StatObj* so, T* t, Extent (*extent)(const T&, bool), bool place) {
  if (!t || Op(2) > 7) return;
  bool y = Op(2) & 1;
  int64_t v = 0;
  bool placed = Place(so, extent(*t, y), Op(1), &v);
  Apply(y ? t->y : t->x, y ? t->y_target : t->x_target, placed, v, place);
}

static void PlaceElementBy(bool place) {
  StatObj* so = RunningStatObj();
  PlaceOnAxis(so, StatElement(so, ThingIndex(Op(1))), ElementExtent, place);
}
static void PlaceNodeBy(bool place) {
  StatObj* so = RunningStatObj();
  PlaceOnAxis(so, so ? CodedNodeOf(so, ThingIndex(Op(1))) : nullptr, NodeExtent, place);
}

static void PlaceElement() { PlaceElementBy(true); }
static void TargetElement() { PlaceElementBy(false); }
static void PlaceNode() { PlaceNodeBy(true); }
static void TargetNode() { PlaceNodeBy(false); }

// Node and edges of 92 and 93: bits 0-26 the node (bit 27: from that
// register); bits 31-28 left, top, right, bottom from registers.
static StatObjNode* RectNode(StatObj* so) {
  uint32_t w = Op(1), v = w & 0x07FFFFFF;
  if (w & (1u << 27)) v = static_cast<uint32_t>(Reg(v));
  return so ? CodedNodeOf(so, v) : nullptr;
}
static int16_t Edge(int k) {
  bool reg = Op(1) & (1u << (33 - k));  // k 2..5: bits 31..28
  return static_cast<int16_t>(reg ? Reg(Op(k)) : static_cast<int32_t>(Op(k)));
}

static void SetNodeRect() {  // 92
  StatObjNode* n = RectNode(RunningStatObj());
  if (!n) return;
  n->left = n->left_target = Edge(2);
  n->top = n->top_target = Edge(3);
  n->right = n->right_target = Edge(4);
  n->bottom = n->bottom_target = Edge(5);
}

static void TweenNodeRect() {  // 93
  StatObj* so = RunningStatObj();
  StatObjNode* n = RectNode(so);
  if (!n) return;
  n->left_target = Edge(2);
  n->top_target = Edge(3);
  n->right_target = Edge(4);
  n->bottom_target = Edge(5);
  n->edge_speed_h = static_cast<int32_t>(Op(6));
  n->edge_speed_v = static_cast<int32_t>(Op(7));
  n->counter = static_cast<uint8_t>(Op(8));
  if (n->left == n->left_target && n->top == n->top_target && n->right == n->right_target &&
      n->bottom == n->bottom_target && n->counter < so->counter_count)
    so->counters[n->counter]++;
}

static const CommandDef kPlacementCommands[] = {
    TOLV_ALL(2, 0, PlaceElement, "place element"),
    TOLV_ALL(3, 0, TargetElement, "target element"),
    TOLV_ALL(6, 0, PlaceNode, "place node"),
    TOLV_ALL(7, 0, TargetNode, "target node"),
    TOLV_ALL(92, 6, SetNodeRect, "node rectangle"),
    TOLV_ALL(93, 9, TweenNodeRect, "node rectangle targets"),
};

static const CommandDoc kPlacementDocs[] = {
    {"place element", CommandArea::kLayouts,
     {"element", "mode 0-7 (constant)", "anchor 0-4 (constant)", "value (modes 0-3) or reference (modes 4-7)",
      "offset (modes 4-7 only)"},
     "Sets an element's x (even modes) or y (odd modes), and its target, by mode and anchor: modes 0-1 at the "
     "value (anchor 0 centred on it, 1 starting at it, 2 ending at it); modes 2-3 in its node's rectangle, "
     "shifted by the node's scroll, plus the value, and modes 6-7 in the reference node's rectangle (above "
     "255: its own node's) at that node's position plus the offset, with anchor 0 centred, 1 just before, 2 "
     "just after, 3 inside at the start, 4 inside at the end; modes 4-5 by the reference element plus the "
     "offset, with anchor 0 just before, 1 just after, 2 centred on, 3 starting with, 4 ending with it. "
     "Another anchor keeps the coordinate and a mode above 7 does nothing; a register operand is written r "
     "and its number (R n here reads r n, so user register n is r followed by 256 + n)."},
    {"target element", CommandArea::kLayouts,
     {"element", "mode 0-7 (constant)", "anchor 0-4 (constant)", "value (modes 0-3) or reference (modes 4-7)",
      "offset (modes 4-7 only)"},
     "As place element, but sets only the target, toward which the element then moves at its speeds."},
    {"place node", CommandArea::kLayouts,
     {"node (254 level root, 255 screen root)", "mode 0-7 (constant)", "anchor 0-4 (constant)",
      "value (modes 0-3) or reference (modes 4-7)", "offset (modes 4-7 only)"},
     "As place element, for a node's position, its size being its rectangle's width or height; in modes 6-7 "
     "a reference above 255 names no node and keeps the coordinate."},
    {"target node", CommandArea::kLayouts,
     {"node (254 level root, 255 screen root)", "mode 0-7 (constant)", "anchor 0-4 (constant)",
      "value (modes 0-3) or reference (modes 4-7)", "offset (modes 4-7 only)"},
     "As place node, but sets only the target, toward which the node then moves at its speeds."},
    {"node rectangle", CommandArea::kLayouts,
     {"node (254 level root, 255 screen root)", "left", "top", "right", "bottom"},
     "Sets a node's rectangle, in pixels from the node's position, and its targets to the same edges. The "
     "rectangle clips what the node draws; one whose left lies past its right, or top past its bottom, "
     "hides the node."},
    {"node rectangle targets", CommandArea::kLayouts,
     {"node (254 level root, 255 screen root)", "left", "top", "right", "bottom",
      "left and right speed (pixels a frame, constant)", "top and bottom speed (pixels a frame, constant)",
      "arrival counter (constant)"},
     "Sets the edges a node's rectangle moves toward, each frame by its speed, and the counter that goes up "
     "by one when all four edges stand on their targets: at once when they already do."},
};
extern const CommandList stat_obj_placement_command_list = TOLV_DOCUMENTED(kPlacementCommands, kPlacementDocs);

}  // namespace tolv
