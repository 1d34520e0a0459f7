// Stat object instances: the node tree, elements and arrival counters an
// object of type 9995 or 9998 owns, and the per-frame runner.
#pragma once
#include <cstdint>

#include "script/machine.h"
#include "stat/stat_obj_def.h"

namespace tolv {

constexpr uint8_t kNoNode = 255;  // never an instance node (at most 255 nodes: 0..254)

struct StatObjNode {
  uint8_t parent = 0;  // instance node
  uint8_t visible = 0;
  int32_t x = 0, y = 0;
  int32_t screen_x = 0, screen_y = 0;
  int16_t left = 0, top = 0, right = 0, bottom = 0;
  int16_t left_target = 0, right_target = 0, top_target = 0, bottom_target = 0;
  int32_t edge_speed_h = 0, edge_speed_v = 0;  // low 16 bits used
  int16_t clip_left = 0, clip_top = 0, clip_right = 0, clip_bottom = 0;
  int32_t scroll_x = 0, scroll_y = 0;
  int32_t drawn_scroll_x = 0, drawn_scroll_y = 0;
  uint8_t element_count = 0, child_count = 0;
  uint8_t* elements = nullptr;  // element indexes
  uint8_t* children = nullptr;  // node indexes
  int32_t x_target = 0, y_target = 0, x_speed = 0, y_speed = 0;
  uint8_t counter = 0;      // arrival counter index
  uint8_t trigger_set = 0;  // current menu entry
};

struct StatObjElement {
  uint8_t parent = 0;  // instance node
  uint8_t visible = 0;
  int32_t x = 0, y = 0;
  uint8_t kind = 0;
  uint16_t source_def = 0, source = 0;
  int32_t start_function = 0;  // or the font
  uint16_t width = 0, half_width = 0, height = 0, half_height = 0;
  uint16_t frame = 0;
  int32_t value = 0;
  int32_t x_target = 0, y_target = 0, x_speed = 0, y_speed = 0;
  uint8_t counter = 0;
  uint8_t def_element = 0;
  TimedScriptContext anim;  // kinds 0-9
};

struct StatObj {
  StatObjElement* elements = nullptr;
  StatObjNode* nodes = nullptr;
  int32_t* counters = nullptr;
  uint8_t selected_node = 0;
  uint8_t def_index = 0;
  uint8_t triggers_enabled = 0;
  ScriptContext ctx;
  // Sizes of the arrays above, kept so no access depends on the definition.
  uint8_t element_count = 0;
  uint16_t node_count = 0;  // the two roots included
  uint16_t counter_count = 0;
  uint8_t in_use = 0;
  uint8_t running = 0;       // RunStatObj is inside this instance
  uint8_t free_pending = 0;  // freed while running: finished when the run ends
};

// Instances by id - 1; records never move, so contexts inside them stay put.
constexpr int kMaxStatObjs = 4096;
extern StatObj stat_obj_pool[kMaxStatObjs];

// The instance of an id, or null when it names none in use.
inline StatObj* FindStatObj(int32_t id) {
  if (id < 1 || id > kMaxStatObjs) return nullptr;
  StatObj* so = &stat_obj_pool[id - 1];
  return so->in_use && !so->free_pending ? so : nullptr;
}
// The running object's instance, or null.
StatObj* RunningStatObj();

// Builds an instance of definition def for running_slot; its context is
// bound and function 0 started. Returns the id, 0 when none is free.
int32_t BuildStatObj(uint32_t def);
void FreeStatObj(int32_t id);
// Frees what a record owns (lanes, elements, nodes, counters) and empties
// it; for pool entries and records of their own alike.
void ReleaseStatObjRecord(StatObj* so);
void MeasureStatObjElement(StatObjElement* e);
void RunStatObj();
// Ends a run inside the instance; frees it when it was freed meanwhile.
void FinishStatObjRun(StatObj* so);
// Installs the functions above in the spawner's and world update's slots.
void InstallStatObjRoutines();
// Count (28) in the running stat object's counters.
void CountInStatObj();
// Element and node of an instance by index, null when outside.
inline StatObjElement* StatElement(StatObj* so, uint32_t i) {
  return so && i < so->element_count ? &so->elements[i] : nullptr;
}
inline StatObjNode* StatNode(StatObj* so, uint32_t i) {
  return so && i < so->node_count ? &so->nodes[i] : nullptr;
}
// Binds an element's anim context to the code set its kind draws from
// (kinds 0-2) and empties it.
void ResetElementAnim(StatObj* so, StatObjElement* e);
// Starts the element's function (kind 2: relative to its character's labels).
void StartElementFunction(StatObjElement* e);

// The digit count of a number element, 1-10.
inline uint32_t DigitCount(const StatObjElement& e) {
  return e.source_def < 1 ? 1 : e.source_def > 10 ? 10 : e.source_def;
}

// Node lists: append, remove (later entries move up).
void AppendIndex(uint8_t*& list, uint8_t& count, uint8_t value);
void RemoveIndex(uint8_t* list, uint8_t& count, uint8_t value);

}  // namespace tolv
