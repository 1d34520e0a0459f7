// Stat object instances: building, freeing and measuring.
#include <new>

#include "base/message_log.h"
#include "objects/object_pool.h"
#include "objects/world_update.h"
#include "render/font.h"
#include "script/commands.h"
#include "script/count_slot.h"
#include "script/machine_state.h"
#include "script/registers.h"
#include "script/string_slots.h"
#include "stat/stat_obj.h"
#include "stat/stat_obj_draw.h"

namespace tolv {

StatObj stat_obj_pool[kMaxStatObjs];

StatObj* RunningStatObj() { return FindStatObj(running_slot->stat_instance); }

void AppendIndex(uint8_t*& list, uint8_t& count, uint8_t value) {
  if (count == 255) return;
  auto* grown = new uint8_t[count + 1u];
  for (int i = 0; i < count; i++) grown[i] = list[i];
  grown[count] = value;
  delete[] list;
  list = grown;
  count++;
}

void RemoveIndex(uint8_t* list, uint8_t& count, uint8_t value) {
  int out = 0;
  for (int i = 0; i < count; i++)
    if (list[i] != value) list[out++] = list[i];
  count = static_cast<uint8_t>(out);
}

uint32_t TextWidth(const char* text, int32_t font) {
  const Font* f = FindFont(font);
  if (!text || !f) return 0;
  uint32_t w = 0;
  for (const char* c = text; *c; c++) {
    uint32_t g = 0;
    if (*c >= '0' && *c <= '9') g = 1u + uint32_t(*c - '0');
    else if (*c >= 'A' && *c <= 'Z') g = 11u + uint32_t(*c - 'A');
    else if (*c >= 'a' && *c <= 'z') g = 11u + uint32_t(*c - 'a');
    w += GlyphWidth(f, g);
  }
  return w;
}

static void SetSize(StatObjElement* e, uint32_t w, uint32_t h) {
  if (w > 65535) w = 65535;
  e->width = static_cast<uint16_t>(w);
  e->height = static_cast<uint16_t>(h);
  e->half_width = static_cast<uint16_t>(w / 2);
  e->half_height = static_cast<uint16_t>(h / 2);
}

// Sources that do not exist measure 0; kinds 1-9 have no size.
void MeasureStatObjElement(StatObjElement* e) {
  const StatObjDef* src = FindStatObjDef(e->source_def);
  switch (e->kind) {
    case kElemOwnSprite: {
      const SpriteSet* set = src && e->source < src->sprite_list_count ? &src->sprite_lists[e->source] : nullptr;
      const SpriteFrame* f = set && e->frame < set->frame_count ? &set->frames[e->frame] : nullptr;
      return SetSize(e, f ? f->width : 0, f ? f->height : 0);
    }
    case kElemText:
      return SetSize(e, src && e->source < src->string_count ? TextWidth(src->strings[e->source], e->start_function) : 0, 16);
    case kElemStringSlot: return SetSize(e, TextWidth(StringSlotText(e->source), e->start_function), 16);
    case kElemRegBlank:
    case kElemRegZero:
    case kElemPlayerBlank:
    case kElemPlayerZero: return SetSize(e, GlyphWidth(FindFont(e->start_function), 0), 16);
    default: return SetSize(e, 0, 0);
  }
}

void ResetElementAnim(StatObj* so, StatObjElement* e) {
  SavedMachineState keep;
  timed_context = &e->anim;
  FreeTimedContext();
  CodeSet* code = nullptr;
  if (e->kind == kElemOwnSprite) {
    StatObjDef* d = FindStatObjDef(so->def_index);
    code = d ? &d->functions : nullptr;
  } else if (e->kind == kElemSetSprite) {
    code = &object_code_sets[kAnimationCode];
  } else if (e->kind == kElemCharSprite) {
    code = &player_functions;
  }
  BindContext(e->anim, stat_obj_commands, code);
}

static void StartElementAt(StatObjElement* e, int64_t f) {
  if (f < 0 || f >= kNoFunction) return;
  SavedMachineState keep;
  timed_context = &e->anim;
  StartTimedFunctionNoArgs(static_cast<uint16_t>(f));
}

// At build a negative kind 2 value is a function of its own (negated).
static void StartBuiltElement(StatObjElement* e) {
  int64_t f = e->start_function;
  if (e->kind == kElemCharSprite) {
    const Character* c = FindCharacter(static_cast<uint8_t>(e->source));
    if (f >= 0 && (!c || e->source > 255)) return;
    f = f >= 0 ? c->label_base + f : -f;
  }
  StartElementAt(e, f);
}

void StartElementFunction(StatObjElement* e) {
  int64_t f = e->start_function;
  if (e->kind == kElemCharSprite && f >= 0) {
    const Character* c = FindCharacter(static_cast<uint8_t>(e->source));
    if (!c || e->source > 255) return;
    f += c->label_base;
  }
  StartElementAt(e, f);
}

static void SetNodeTargets(StatObjNode& n) {
  n.x_target = n.x;
  n.y_target = n.y;
  n.left_target = n.left;
  n.right_target = n.right;
  n.top_target = n.top;
  n.bottom_target = n.bottom;
  n.clip_left = n.left;
  n.clip_top = n.top;
  n.clip_right = n.right;
  n.clip_bottom = n.bottom;
}

static void BuildNodes(StatObj* so, const StatObjDef& d) {
  so->node_count = static_cast<uint16_t>(d.node_count + 2);
  so->nodes = new StatObjNode[so->node_count]();
  for (uint8_t r = 0; r < 2; r++) {
    StatObjNode& n = so->nodes[r];
    n.parent = r;
    n.visible = 1;
    n.right = static_cast<int16_t>(registers[13] - 1);
    n.bottom = static_cast<int16_t>(registers[14] - 1);
    SetNodeTargets(n);
  }
  for (uint32_t i = 0; i < d.node_count; i++) {
    const StatObjNodeDef& nd = d.nodes[i];
    StatObjNode& n = so->nodes[i + 2];
    uint32_t parent = DecodeNode(nd.parent);
    n.parent = parent < so->node_count && parent != i + 2 ? static_cast<uint8_t>(parent) : kNoNode;
    n.visible = nd.visible;
    n.x = nd.x;
    n.y = nd.y;
    n.left = static_cast<int16_t>(nd.left);
    n.top = static_cast<int16_t>(nd.top);
    n.right = static_cast<int16_t>(nd.right);
    n.bottom = static_cast<int16_t>(nd.bottom);
    n.trigger_set = nd.trigger_set;
    SetNodeTargets(n);
    // Only roots and earlier nodes take children: no cycles.
    if (n.parent < i + 2) AppendIndex(so->nodes[n.parent].children, so->nodes[n.parent].child_count, uint8_t(i + 2));
  }
}

static void BuildElements(StatObj* so, const StatObjDef& d) {
  so->element_count = d.element_count;
  so->elements = new StatObjElement[d.element_count ? d.element_count : 1]();
  for (uint32_t i = 0; i < d.element_count; i++) {
    const StatObjElementDef& ed = d.elements[i];
    StatObjElement* e = &so->elements[i];
    e->x = e->x_target = ed.x;
    e->y = e->y_target = ed.y;
    e->visible = ed.visible;
    e->kind = ed.kind;
    e->source_def = ed.source_def;
    e->source = ed.source;
    e->frame = ed.frame;
    e->value = ed.value;
    e->start_function = ed.start_function;
    if (e->kind == kElemOwnSprite || e->kind == kElemText) {
      e->width = ed.width;
      e->half_width = ed.half_width;
      e->height = ed.height;
      e->half_height = ed.half_height;
    } else {
      MeasureStatObjElement(e);
    }
    if (e->kind <= 9) {
      ResetElementAnim(so, e);
      if (e->kind <= kElemCharSprite && e->start_function < kNoFunction) StartBuiltElement(e);
    }
    uint32_t parent = DecodeNode(ed.parent);
    e->parent = parent < so->node_count ? static_cast<uint8_t>(parent) : kNoNode;
    if (e->parent != kNoNode) AppendIndex(so->nodes[e->parent].elements, so->nodes[e->parent].element_count, uint8_t(i));
    e->def_element = static_cast<uint8_t>(i);
  }
}

int32_t BuildStatObj(uint32_t def) {
  StatObjDef* d = FindStatObjDef(def);
  if (!d) return 0;
  int free_index = -1;
  for (int i = 0; i < kMaxStatObjs && free_index < 0; i++)
    if (!stat_obj_pool[i].in_use) free_index = i;
  if (free_index < 0) {
    ShowMessage("Stat Obj refused: no free instance");
    return 0;
  }
  StatObj* so = &stat_obj_pool[free_index];
  *so = StatObj{};
  so->in_use = 1;
  so->def_index = static_cast<uint8_t>(def);
  so->counter_count = d->counter_count;
  so->counters = new int32_t[d->counter_count ? d->counter_count : 1]();
  so->selected_node = d->initial_selection;
  BuildNodes(so, *d);
  BuildElements(so, *d);
  SavedMachineState keep;
  BindContext(so->ctx, stat_obj_commands, &d->functions);
  current_context = &so->ctx;
  StartFunction(0);
  return free_index + 1;
}

void ReleaseStatObjRecord(StatObj* so) {
  SavedMachineState keep;
  for (int i = 0; i < so->element_count; i++) {
    timed_context = &so->elements[i].anim;
    FreeTimedContext();
  }
  delete[] so->elements;
  for (int n = 0; n < so->node_count; n++) {
    delete[] so->nodes[n].elements;
    delete[] so->nodes[n].children;
  }
  delete[] so->nodes;
  delete[] so->counters;
  current_context = &so->ctx;
  ClearContext();
  *so = StatObj{};
}

// An instance freed by its own script stays allocated until the run that
// is inside it ends; nothing finds it meanwhile.
void FreeStatObj(int32_t id) {
  if (id < 1 || id > kMaxStatObjs) return;
  StatObj* so = &stat_obj_pool[id - 1];
  if (!so->in_use) return;
  if (so->running) so->free_pending = 1;
  else ReleaseStatObjRecord(so);
}

void FinishStatObjRun(StatObj* so) {
  if (so->running) so->running--;
  if (!so->running && so->free_pending) ReleaseStatObjRecord(so);
}

void InstallStatObjRoutines() {
  build_stat_obj = BuildStatObj;
  free_stat_obj = FreeStatObj;
  run_stat_obj = RunStatObj;
  draw_stat_obj = DrawStatObj;
  count_in_stat_obj = CountInStatObj;
}

}  // namespace tolv
