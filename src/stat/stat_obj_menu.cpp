// Menu commands: node selection, menu entries of the selected node and
// moving nodes in the tree.
#include "script/commands.h"
#include "stat/stat_obj_access.h"

namespace tolv {

static const StatObjDef* DefOf(const StatObj* so) { return so ? FindStatObjDef(so->def_index) : nullptr; }

// Switches the selected node's menu entry to `entry` (a valid one).
static void SwitchEntry(StatObj* so, const StatObjDef& d, StatObjNode& n, uint32_t entry) {
  if (n.trigger_set < d.trigger_set_count) StartLayoutFunction(so, d.trigger_sets[n.trigger_set].leave_function);
  n.trigger_set = static_cast<uint8_t>(entry);
  StartLayoutFunction(so, d.trigger_sets[entry].enter_function);
}

// The running instance, its definition and its selected node; false when
// any of them is missing.
static bool SelectedMenu(StatObj*& so, const StatObjDef*& d, StatObjNode*& n) {
  so = RunningStatObj();
  d = DefOf(so);
  n = so ? StatNode(so, so->selected_node) : nullptr;
  return d && n;
}

static bool OwnedBy(const StatObjDef& d, int32_t entry, uint8_t node) {
  return d.trigger_sets[entry].owner == node;
}

// 18: the first entry of the node after the current one; with wrap, from
// the first up to the one before the current.
static void NextEntry() {
  StatObj* so;
  const StatObjDef* d;
  StatObjNode* n;
  if (!SelectedMenu(so, d, n)) return;
  int32_t count = d->trigger_set_count, cur = n->trigger_set, found = -1;
  for (int32_t i = cur + 1; i < count && found < 0; i++)
    if (OwnedBy(*d, i, so->selected_node)) found = i;
  for (int32_t i = 0; RegOrConst(Op(1)) && found < 0 && i < cur && i < count; i++)
    if (OwnedBy(*d, i, so->selected_node)) found = i;
  if (found >= 0) SwitchEntry(so, *d, *n, uint32_t(found));
}

// 19: the nearest entry before the current one; with wrap, from the last
// down to the one after the current.
static void PreviousEntry() {
  StatObj* so;
  const StatObjDef* d;
  StatObjNode* n;
  if (!SelectedMenu(so, d, n)) return;
  int32_t count = d->trigger_set_count, cur = n->trigger_set, found = -1;
  for (int32_t i = (cur < count ? cur : count) - 1; i >= 0 && found < 0; i--)
    if (OwnedBy(*d, i, so->selected_node)) found = i;
  for (int32_t i = count - 1; RegOrConst(Op(1)) && found < 0 && i > cur; i--)
    if (OwnedBy(*d, i, so->selected_node)) found = i;
  if (found >= 0) SwitchEntry(so, *d, *n, uint32_t(found));
}

static void SetEntry() {  // 1424
  StatObj* so;
  const StatObjDef* d;
  StatObjNode* n;
  uint32_t entry = static_cast<uint32_t>(RegOrConst(Op(1)));
  if (SelectedMenu(so, d, n) && entry < d->trigger_set_count) SwitchEntry(so, *d, *n, entry);
}

// 1425: a definition node n selects instance node n + 2; 255 and 254
// select the roots.
static void SelectNode() {
  StatObj* so = RunningStatObj();
  const StatObjDef* d = DefOf(so);
  if (!d) return;
  uint32_t v = static_cast<uint32_t>(RegOrConst(Op(1)));
  bool def_node = v < d->node_count && v + 2 < so->node_count;
  if (!def_node && v != kCodedScreenRoot && v != kCodedWorldRoot) return;
  uint32_t sel = so->selected_node;
  if (sel >= 2 && sel - 2 < d->node_count) StartLayoutFunction(so, d->nodes[sel - 2].leave_function);
  so->selected_node = static_cast<uint8_t>(DecodeNode(v));
  if (def_node) StartLayoutFunction(so, d->nodes[v].enter_function);
}

// True when `node` lies on the way from `from` up to a root.
static bool IsAncestorOrSelf(const StatObj* so, uint32_t node, uint32_t from) {
  for (uint32_t i = 0, n = from; i <= so->node_count && n < so->node_count; i++) {
    if (n == node) return true;
    if (n < 2) return false;
    n = so->nodes[n].parent;
  }
  return false;
}

// 384: node, new parent (node coding). Roots stay where they are and no
// node moves under itself or its own subtree.
static void MoveNode() {
  StatObj* so = RunningStatObj();
  if (!so) return;
  uint32_t node = CodedNode(so, static_cast<uint32_t>(RegOrConst(Op(1))));
  uint32_t parent = CodedNode(so, static_cast<uint32_t>(RegOrConst(Op(2))));
  if (node == kNoNode || parent == kNoNode || node < 2 || IsAncestorOrSelf(so, node, parent)) return;
  StatObjNode& n = so->nodes[node];
  if (StatObjNode* old = StatNode(so, n.parent)) RemoveIndex(old->children, old->child_count, static_cast<uint8_t>(node));
  n.parent = static_cast<uint8_t>(parent);
  AppendIndex(so->nodes[parent].children, so->nodes[parent].child_count, static_cast<uint8_t>(node));
}

static const CommandDef kMenuCommands[] = {
    TOLV_ALL(18, 2, NextEntry, "next menu entry"),
    TOLV_ALL(19, 2, PreviousEntry, "previous menu entry"),
    TOLV_ALL(384, 3, MoveNode, "move node"),
    {1424, 2, nullptr, SetEntry, SetEntry, "switch menu entry"},
    {1425, 2, nullptr, SelectNode, SelectNode, "select node"},
};

static const CommandDoc kMenuDocs[] = {
    {"next menu entry", CommandArea::kLayouts, {"wrap: 0 stop at the last entry, any other go round"},
     "Makes the next menu entry of the selected node current: the old entry's leave function starts, then "
     "the new one's enter function. At the node's last entry nothing changes unless wrap goes round to its "
     "first."},
    {"previous menu entry", CommandArea::kLayouts, {"wrap: 0 stop at the first entry, any other go round"},
     "Makes the previous menu entry of the selected node current, starting the old entry's leave function "
     "and the new one's enter function. At the node's first entry nothing changes unless wrap goes round to "
     "its last."},
    {"move node", CommandArea::kLayouts,
     {"node (254 level root, 255 screen root)", "new parent node (254 level root, 255 screen root)"},
     "Moves a node with everything in it to the end of another node's children, so that it is placed and "
     "clipped inside that node. The roots stay where they are, and a node never moves into itself or into a "
     "node inside it."},
    {"switch menu entry", CommandArea::kLayouts, {"menu entry (the layout's number)"},
     "Makes the entry the selected node's current menu entry, starting the old entry's leave function and "
     "the new one's enter function; a number the layout does not have changes nothing."},
    {"select node", CommandArea::kLayouts, {"node (254 level root, 255 screen root)"},
     "Selects the node whose key triggers and menu entries count: the leave function of the node selected "
     "before starts, then the enter function of the new one (the roots have none). A number the layout does "
     "not have changes nothing."},
};
extern const CommandList stat_obj_menu_command_list = TOLV_DOCUMENTED(kMenuCommands, kMenuDocs);

}  // namespace tolv
