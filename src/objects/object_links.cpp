// Object links, retyping and removal.
#include "objects/object_links.h"

#include <cstdlib>
#include <new>

#include "objects/builtin_routines.h"
#include "objects/object_pool.h"
#include "objects/object_type.h"
#include "script/operands.h"

namespace tolv {

void DetachFromParent(ObjectSlot* o) {
  ObjectSlot* p = o->parent;
  if (!p) return;
  for (int i = 0; i < p->child_count; i++)
    if (p->children[i] == o) p->children[i] = nullptr;
  o->parent = nullptr;
}

bool SetChild(ObjectSlot* parent, int32_t index, ObjectSlot* child) {
  if (index < 0 || index > 254 || parent == &void_slot) return false;
  if (index >= parent->child_count) {
    auto** c = static_cast<ObjectSlot**>(std::realloc(parent->children, (index + 1) * sizeof(ObjectSlot*)));
    if (!c) throw std::bad_alloc();
    for (int i = parent->child_count; i <= index; i++) c[i] = nullptr;
    parent->children = c;
    parent->child_count = static_cast<uint8_t>(index + 1);
  }
  parent->children[index] = child == &void_slot ? nullptr : child;
  return true;
}

void DropChildren(ObjectSlot* o, bool kill) {
  for (int i = 0; i < o->child_count; i++) {
    ObjectSlot* c = o->children[i];
    if (!c) continue;
    if (kill) ObjVar(c, 0) = 0;
    if (c->parent == o) c->parent = nullptr;
  }
  if (!kill) return;
  std::free(o->children);
  o->children = nullptr;
  o->child_count = 0;
}

static bool ChildrenDieWith(int32_t type) {
  const ObjectType* t = FindObjectType(type);
  return t && (t->flags & 2);
}

void ReleaseDeletedObject(ObjectSlot* o) {
  ReleaseSlotInstance(o);
  DetachFromParent(o);
  if (o->child_count) DropChildren(o, ChildrenDieWith(static_cast<int32_t>(o->former_type)));
}

bool RetypeObject(ObjectSlot* o, int32_t new_type) {
  if (o == &void_slot || !o->vars) return false;
  int32_t old_type = o->vars[0];
  if (IsStatObjType(new_type) && !o->stat_instance) return false;
  {
    ScriptContext* running = running_context;
    SavedMachineState keep;
    for (ScriptContext* c : {&o->movement_ctx, &o->drawing_ctx}) {
      current_context = c;
      if (c == running) yield_flag = 1;
      ClearContext();
    }
    timed_context = &o->animation_ctx;
    if (timed_context == running) yield_flag = 1;
    FreeTimedContext();
  }
  if (o->child_count) DropChildren(o, ChildrenDieWith(old_type));
  if (!IsStatObjType(new_type)) ReleaseSlotInstance(o);
  o->vars[0] = new_type;
  o->mover = builtin_movers[0];
  return true;
}

}  // namespace tolv
