// Writing a stat object instance into a saved state and parsing it back
// into a record of its own, checked against its definition, so that a
// load installs only whole instances.
#include "stat/stat_obj_state.h"

#include "script/commands.h"
#include "script/saved_lanes.h"

namespace tolv {

void StagedStatObjDelete::operator()(StatObj* so) const {
  ReleaseStatObjRecord(so);
  delete so;
}

static void WriteList(ByteWriter& w, const uint8_t* list, uint8_t n) {
  w.U8(n);
  for (int i = 0; i < n; i++) w.U8(list[i]);
}

static void WriteElement(ByteWriter& w, const StatObjElement& e) {
  w.U8(e.parent);
  w.U8(e.visible);
  w.U32(uint32_t(e.x));
  w.U32(uint32_t(e.y));
  w.U8(e.kind);
  w.U16(e.source_def);
  w.U16(e.source);
  w.U32(uint32_t(e.start_function));
  for (uint16_t v : {e.width, e.half_width, e.height, e.half_height, e.frame}) w.U16(v);
  for (int32_t v : {e.value, e.x_target, e.y_target, e.x_speed, e.y_speed}) w.U32(uint32_t(v));
  w.U8(e.counter);
  w.U8(e.def_element);
  if (e.kind <= 9) WriteTimedLanes(w, e.anim);
}

static void WriteNode(ByteWriter& w, const StatObjNode& n) {
  w.U8(n.parent);
  w.U8(n.visible);
  for (int32_t v : {n.x, n.y, n.screen_x, n.screen_y}) w.U32(uint32_t(v));
  for (int16_t v : {n.left, n.top, n.right, n.bottom, n.left_target, n.right_target, n.top_target, n.bottom_target})
    w.U16(uint16_t(v));
  w.U32(uint32_t(n.edge_speed_h));
  w.U32(uint32_t(n.edge_speed_v));
  for (int16_t v : {n.clip_left, n.clip_top, n.clip_right, n.clip_bottom}) w.U16(uint16_t(v));
  for (int32_t v : {n.scroll_x, n.scroll_y, n.drawn_scroll_x, n.drawn_scroll_y}) w.U32(uint32_t(v));
  WriteList(w, n.elements, n.element_count);
  WriteList(w, n.children, n.child_count);
  for (int32_t v : {n.x_target, n.y_target, n.x_speed, n.y_speed}) w.U32(uint32_t(v));
  w.U8(n.counter);
  w.U8(n.trigger_set);
}

void WriteStatObjState(ByteWriter& w, int32_t id) {
  const StatObj* so = FindStatObj(id);
  if (!so) return w.U8(kNoStatObjState);
  w.U8(so->def_index);
  w.U16(so->counter_count);
  for (int i = 0; i < so->counter_count; i++) w.U32(uint32_t(so->counters[i]));
  w.U8(so->selected_node);
  w.U8(so->triggers_enabled);
  WriteLanes(w, so->ctx);
  w.U8(so->element_count);
  w.U16(so->node_count);
  for (int i = 0; i < so->element_count; i++) WriteElement(w, so->elements[i]);
  for (int i = 0; i < so->node_count; i++) WriteNode(w, so->nodes[i]);
}

// A list of indexes below `limit`; an allocation the record owns.
static bool ReadList(ByteReader& r, uint8_t*& list, uint8_t& count, uint32_t limit) {
  uint8_t n = r.U8();
  if (!r.CanHold(n, 1)) return false;
  list = n ? new uint8_t[n] : nullptr;
  count = n;
  for (int i = 0; i < n; i++)
    if ((list[i] = r.U8()) >= limit) return false;
  return true;
}

static bool ReadElement(ByteReader& r, StatObj* so, StatObjElement& e) {
  e.parent = r.U8();
  e.visible = r.U8();
  e.x = r.S32();
  e.y = r.S32();
  e.kind = r.U8();
  e.source_def = r.U16();
  e.source = r.U16();
  e.start_function = r.S32();
  for (uint16_t* v : {&e.width, &e.half_width, &e.height, &e.half_height, &e.frame}) *v = r.U16();
  for (int32_t* v : {&e.value, &e.x_target, &e.y_target, &e.x_speed, &e.y_speed}) *v = r.S32();
  e.counter = r.U8();
  e.def_element = r.U8();
  if (e.kind <= 9) {
    ResetElementAnim(so, &e);
    SavedLanes lanes;
    ReadTimedLanes(r, e.anim.code, lanes);
    if (r.failed) return false;
    RestoreTimedLanes(e.anim, lanes);
  }
  return !r.failed && (e.parent == kNoNode || e.parent < so->node_count);
}

static bool ReadNode(ByteReader& r, StatObj* so, StatObjNode& n) {
  n.parent = r.U8();
  n.visible = r.U8();
  for (int32_t* v : {&n.x, &n.y, &n.screen_x, &n.screen_y}) *v = r.S32();
  for (int16_t* v : {&n.left, &n.top, &n.right, &n.bottom, &n.left_target, &n.right_target, &n.top_target,
                     &n.bottom_target})
    *v = r.S16();
  n.edge_speed_h = r.S32();
  n.edge_speed_v = r.S32();
  for (int16_t* v : {&n.clip_left, &n.clip_top, &n.clip_right, &n.clip_bottom}) *v = r.S16();
  for (int32_t* v : {&n.scroll_x, &n.scroll_y, &n.drawn_scroll_x, &n.drawn_scroll_y}) *v = r.S32();
  if (!ReadList(r, n.elements, n.element_count, so->element_count) ||
      !ReadList(r, n.children, n.child_count, so->node_count))
    return false;
  for (int32_t* v : {&n.x_target, &n.y_target, &n.x_speed, &n.y_speed}) *v = r.S32();
  n.counter = r.U8();
  n.trigger_set = r.U8();
  return !r.failed && (n.parent == kNoNode || n.parent < so->node_count);
}

// Parents lead to a root (or to none) without a loop, and every list names
// what names its node back: the drawers walk these lists.
static bool TreeHolds(const StatObj* so) {
  for (uint32_t k = 0; k < so->node_count; k++) {
    uint32_t n = k;
    for (uint32_t steps = 0; n >= 2 && n != kNoNode; steps++) {
      if (steps > so->node_count) return false;
      n = so->nodes[n].parent;
    }
    const StatObjNode& node = so->nodes[k];
    for (int i = 0; i < node.child_count; i++)
      if (node.children[i] < 2 || so->nodes[node.children[i]].parent != k) return false;
    for (int i = 0; i < node.element_count; i++)
      if (so->elements[node.elements[i]].parent != k) return false;
  }
  return true;
}

static bool ReadInstance(ByteReader& r, StatObjDef& d, StatObj* so) {
  if (r.U16() != d.counter_count || r.failed) return false;
  so->counter_count = d.counter_count;
  so->counters = new int32_t[d.counter_count ? d.counter_count : 1]();
  for (int i = 0; i < so->counter_count; i++) so->counters[i] = r.S32();
  so->selected_node = r.U8();
  so->triggers_enabled = r.U8();
  BindContext(so->ctx, stat_obj_commands, &d.functions);
  SavedLanes lanes;
  ReadLanes(r, &d.functions, lanes);
  RestoreLanes(so->ctx, lanes);
  uint8_t elements = r.U8();
  uint16_t nodes = r.U16();
  if (r.failed || elements != d.element_count || nodes != d.node_count + 2u) return false;
  so->elements = new StatObjElement[elements ? elements : 1]();
  so->element_count = elements;
  so->nodes = new StatObjNode[nodes]();
  so->node_count = nodes;
  for (int i = 0; i < elements; i++)
    if (!ReadElement(r, so, so->elements[i])) return false;
  for (int i = 0; i < nodes; i++)
    if (!ReadNode(r, so, so->nodes[i])) return false;
  return TreeHolds(so);
}

StagedStatObj ReadStatObjState(ByteReader& r, bool* none) {
  uint8_t def = r.U8();
  *none = def == kNoStatObjState && !r.failed;
  StatObjDef* d = r.failed ? nullptr : FindStatObjDef(def);
  if (!d) return nullptr;
  StagedStatObj so(new StatObj{});
  so->def_index = def;
  if (!ReadInstance(r, *d, so.get())) return nullptr;
  return so;
}

int32_t InstallStatObjState(StagedStatObj staged, int32_t id) {
  int at = id >= 1 && id <= kMaxStatObjs && !stat_obj_pool[id - 1].in_use ? id - 1 : -1;
  for (int i = 0; i < kMaxStatObjs && at < 0; i++)
    if (!stat_obj_pool[i].in_use) at = i;
  if (at < 0) return 0;
  stat_obj_pool[at] = *staged;
  stat_obj_pool[at].in_use = 1;
  *staged = StatObj{};  // the pool owns the arrays now
  return at + 1;
}

}  // namespace tolv
